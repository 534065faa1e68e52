// A fast fake of the core library for the benchmark: the functions it times
// fill their buffers with a fixed pattern and return 0, so that what is
// measured is the bridge, not the station's database. Every other function
// is a generated weak stub (generate_core_stubs.cmake).
//
// The patterns use every bit of the ints, negative values and, in the unit
// table, texts of different lengths and negative signed bytes, so that sign
// extension and text bounds are exercised as a real answer would.
#include "bench/fake_core.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"

namespace {

// A value that differs per record and per field, sometimes negative.
int32_t pattern(size_t index, int field) {
  uint32_t mixed = static_cast<uint32_t>(index) * 2654435761u +
                   static_cast<uint32_t>(field) * 40503u;
  return static_cast<int32_t>(mixed ^ (mixed >> 13));
}

template <typename Record, size_t Count>
std::vector<Record> int_table() {
  static_assert(sizeof(Record) % sizeof(int32_t) == 0, "ints only");
  std::vector<Record> table(Count);
  for (size_t i = 0; i < Count; ++i) {
    int32_t values[sizeof(Record) / sizeof(int32_t)];
    for (size_t f = 0; f < std::size(values); ++f) {
      values[f] = pattern(i, static_cast<int>(f));
    }
    std::memcpy(&table[i], values, sizeof(Record));
  }
  return table;
}

void fill_text(char* field, size_t width, const char* text) {
  std::memset(field, 0, width);
  std::memcpy(field, text, std::min(std::strlen(text), width - 1));
}

constexpr size_t kUnitPatternCount = 128;

std::vector<KXUnitParamRecord> unit_table() {
  std::vector<KXUnitParamRecord> table(kUnitPatternCount);
  char text[96];
  for (size_t i = 0; i < table.size(); ++i) {
    KXUnitParamRecord& unit = table[i];
    std::snprintf(text, sizeof(text), "array%03zu-%.*s", i,
                  static_cast<int>(i % 7), "abcdefg");
    fill_text(unit.unit_name, sizeof(unit.unit_name), text);
    std::snprintf(text, sizeof(text), "group%zu", i % 12);
    fill_text(unit.group_name, sizeof(unit.group_name), text);
    unit.connect_type = static_cast<int8_t>(i % 3);
    unit.kx_type = static_cast<int8_t>(pattern(i, 1));
    unit.unit_conf = static_cast<int8_t>(-static_cast<int>(i % 5));
    unit.alert = static_cast<int8_t>(pattern(i, 3));
    std::snprintf(text, sizeof(text), "10.%zu.%zu.1", i / 256, i % 256);
    fill_text(unit.ctl0, sizeof(unit.ctl0), text);
    std::snprintf(text, sizeof(text), "controller-b.rack%02zu.example.net",
                  i % 40);
    fill_text(unit.ctl1, sizeof(unit.ctl1), text);
  }
  return table;
}

const std::vector<DiskDriveRecord> kDrives =
    int_table<DiskDriveRecord, kDriveSlotCount>();
const std::vector<RaidGroupRecord> kRaidGroups =
    int_table<RaidGroupRecord, kRaidGroupCapacity>();
const std::vector<LogicalUnitRecord> kLogicalUnits =
    int_table<LogicalUnitRecord, kLogicalUnitCapacity>();
const std::vector<KXUnitParamRecord> kUnits = unit_table();

// Fills a record of any layout with printable ASCII: every text is then
// valid and runs to its width, and every int and byte has a value. For
// records that a typed pattern (int_table, unit_table) does not fit.
int32_t fill_printable(void* record, size_t size) {
  if (record == nullptr) return KXE_INVALID_ARGUMENT;
  auto* bytes = static_cast<unsigned char*>(record);
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<unsigned char>(0x21 + (i * 7) % 94);
  }
  return 0;
}

// The snapshot's pattern, made once: the timed call copies it.
const std::vector<unsigned char>& snapshot_pattern() {
  static const std::vector<unsigned char> pattern = [] {
    std::vector<unsigned char> bytes(sizeof(ArrayAllInformationRecord));
    fill_printable(bytes.data(), bytes.size());
    return bytes;
  }();
  return pattern;
}

// The most malloc had handed out when a snapshot call reached the core.
std::atomic<size_t> snapshot_peak_in_use{0};

unsigned char last_write[1024];
size_t last_write_size = 0;

template <typename Record>
int32_t keep_write(const Record* record) {
  static_assert(sizeof(Record) <= sizeof(last_write), "write record too big");
  if (record == nullptr) return KXE_INVALID_ARGUMENT;
  std::memcpy(last_write, record, sizeof(Record));
  last_write_size = sizeof(Record);
  return 0;
}

}  // namespace

size_t kxbench_snapshot_peak_in_use(bool reset) {
  return reset ? snapshot_peak_in_use.exchange(0) : snapshot_peak_in_use.load();
}

size_t kxbench_last_write(void* out, size_t capacity) {
  size_t size = last_write_size < capacity ? last_write_size : capacity;
  std::memcpy(out, last_write, size);
  return last_write_size;
}

int32_t KX_GetDriveStatus(const char* unit, DiskDriveRecord* table) {
  if (unit == nullptr || table == nullptr) return KXE_INVALID_ARGUMENT;
  std::memcpy(table, kDrives.data(), sizeof(DiskDriveRecord) * kDrives.size());
  return 0;
}

int32_t KX_GetRaidGroups(const char* unit, RaidGroupRecord* table) {
  if (unit == nullptr || table == nullptr) return KXE_INVALID_ARGUMENT;
  std::memcpy(table, kRaidGroups.data(),
              sizeof(RaidGroupRecord) * kRaidGroups.size());
  return 0;
}

int32_t KX_GetLogicalUnit(const char* unit, LogicalUnitRecord* table) {
  if (unit == nullptr || table == nullptr) return KXE_INVALID_ARGUMENT;
  std::memcpy(table, kLogicalUnits.data(),
              sizeof(LogicalUnitRecord) * kLogicalUnits.size());
  return 0;
}

int32_t KX_GetUnitParamTable(int32_t count, KXUnitParamRecord* records) {
  if (count < 0 || (count > 0 && records == nullptr)) {
    return KXE_INVALID_ARGUMENT;
  }
  for (int32_t i = 0; i < count; ++i) {
    records[i] = kUnits[static_cast<size_t>(i) % kUnits.size()];
  }
  return 0;
}

int32_t KX_GetUnitParam(const char* unit, KXUnitParamRecord* record) {
  if (unit == nullptr || record == nullptr) return KXE_INVALID_ARGUMENT;
  *record = kUnits[0];
  return 0;
}

int32_t KX_RaidGroupAdd(const char* unit, const RaidGroupRecord* record) {
  if (unit == nullptr) return KXE_INVALID_ARGUMENT;
  return keep_write(record);
}

int32_t KX_UnitAdd(const KXUnitParamRecord* record) {
  return keep_write(record);
}

int32_t KX_GetStatisticalInformation(const char* unit, int32_t,
                                     StatisticalInformationRecord* record) {
  // Filled once; each call copies it, as the other reads copy their tables.
  static const std::vector<unsigned char> pattern = [] {
    std::vector<unsigned char> bytes(sizeof(StatisticalInformationRecord));
    fill_printable(bytes.data(), bytes.size());
    return bytes;
  }();
  if (unit == nullptr || record == nullptr) return KXE_INVALID_ARGUMENT;
  std::memcpy(record, pattern.data(), pattern.size());
  return 0;
}

int32_t KX_GetAllInformation(const char* unit,
                             ArrayAllInformationRecord* record) {
  if (unit == nullptr || record == nullptr) return KXE_INVALID_ARGUMENT;
  // Everything a call holds from the heap is allocated by now (its own
  // record included), so the most seen here is the peak of the calls alive.
  const struct mallinfo2 info = mallinfo2();
  const size_t in_use = info.uordblks + info.hblkhd;
  size_t peak = snapshot_peak_in_use.load();
  while (in_use > peak &&
         !snapshot_peak_in_use.compare_exchange_weak(peak, in_use)) {
  }
  std::memcpy(record, snapshot_pattern().data(), sizeof(*record));
  return 0;
}
