// Statistics and performance collection: the statistics record, performance
// samples, the performance files and the block conversion. The counters come
// from the workload model (statistics_model.h); kx_station_statistics.h
// says what every value means.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "model/clock.h"

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_statistics.h"
#include "model/registry.h"
#include "station/files.h"
#include "station/settings.h"
#include "statistics/statistics_model.h"

namespace tesk740 {
namespace {

constexpr char kSampleSetting[] = "statistics.sample";
constexpr size_t kPathSize = 1024;

// The sample the unit's last KX_GetPerformance returned as its second.
struct StoredSample {
  int64_t taken_ms;
  StatisticalCommandRecord sample;
  int32_t unused;
};

int64_t ClockOffsetSeconds(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT offset_seconds FROM unit_clock WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  return select.Step() ? select.Int(0) : 0;
}

// A sample of the counters as they stand, timed on the unit clock.
StatisticalCommandRecord TakeSample(const StatisticsModel& model,
                                    int64_t clock_offset_s) {
  StatisticalCommandRecord sample{};
  const StatisticalInformationRecord& counters = model.counters();
  for (uint32_t lu = 0; lu < kStatLuCapacity; ++lu) {
    uint32_t reads = 0, writes = 0, read_hits = 0, write_hits = 0;
    for (uint32_t c = 0; c < kStatControllerCount; ++c) {
      reads += static_cast<uint32_t>(counters.h_command[c].lu[lu].read_count);
      writes += static_cast<uint32_t>(counters.h_command[c].lu[lu].write_count);
      read_hits += static_cast<uint32_t>(counters.com_status[c].lu[lu].r_cache);
      write_hits += static_cast<uint32_t>(counters.com_status[c].lu[lu].w_cache);
    }
    sample.lu[lu] = {static_cast<int32_t>(reads), static_cast<int32_t>(writes),
                     static_cast<int32_t>(read_hits),
                     static_cast<int32_t>(write_hits)};
  }
  const std::tm time = LocalTime(model.accrued_ms() / 1000 + clock_offset_s);
  sample.mtime = {time.tm_sec,  time.tm_min,  time.tm_hour,
                  time.tm_mday, time.tm_mon,  time.tm_year,
                  time.tm_wday, time.tm_yday, time.tm_isdst > 0 ? 1 : 0};
  return sample;
}

// --- Performance files -----------------------------------------------------

bool IsLeapYear(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// A sample's time must be a real date of 1970..2099 (tm_year from 1900).
bool IsSampleTime(const BrokenDownTime& time) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (time.tm_year < 70 || time.tm_year > 199 || time.tm_mon < 0 ||
      time.tm_mon > 11 || time.tm_hour < 0 || time.tm_hour > 23 ||
      time.tm_min < 0 || time.tm_min > 59 || time.tm_sec < 0 ||
      time.tm_sec > 59 || time.tm_mday < 1) {
    return false;
  }
  int days = kDays[time.tm_mon];
  if (time.tm_mon == 1 && IsLeapYear(1900 + time.tm_year)) days = 29;
  return time.tm_mday <= days;
}

// Seconds of a wall-clock time, counted as if every day had 86400 s.
int64_t WallSeconds(const BrokenDownTime& time) {
  // Days from 1970-01-01 to the civil date (proleptic Gregorian).
  int64_t y = 1900 + time.tm_year;
  const int64_t m = time.tm_mon + 1;
  y -= m <= 2 ? 1 : 0;
  const int64_t era = y / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + time.tm_mday - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const int64_t days = era * 146097 + doe - 719468;
  return days * 86400 + time.tm_hour * 3600 + time.tm_min * 60 + time.tm_sec;
}

std::string FormatTime(const BrokenDownTime& time) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d",
                1900 + time.tm_year, time.tm_mon + 1, time.tm_mday,
                time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

// Counters wrap at 32 bits: a difference is taken modulo 2^32.
int64_t Delta(int32_t before, int32_t after) {
  return static_cast<int64_t>(static_cast<uint32_t>(after) -
                              static_cast<uint32_t>(before));
}

std::string Ratio(int64_t part, int64_t whole) {
  if (whole == 0) return "";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f",
                static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

std::string PerSecond(int64_t count, int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f",
                static_cast<double>(count) / static_cast<double>(seconds));
  return text;
}

constexpr char kCsvHeader[] =
    "time,interval_s,lu,read_iops,write_iops,read_hit_ratio,write_hit_ratio\n";

// Writes the rows of the three intervals for the LUs `wanted` selects (null:
// every LU with a command in any interval). `replace` starts the file anew.
int32_t WritePerformanceFile(const char* path_text,
                             const StatisticalCommandRecord* const (&samples)[4],
                             const uint8_t* wanted, bool replace) {
  if (path_text == nullptr || path_text[0] == '\0' ||
      std::memchr(path_text, '\0', kPathSize) == nullptr) {
    return KXE_INVALID_ARGUMENT;
  }
  for (const StatisticalCommandRecord* sample : samples) {
    if (sample == nullptr) return KXE_INVALID_ARGUMENT;
    if (!IsSampleTime(sample->mtime)) return KXE_INVALID_TIME;
  }
  int64_t seconds[4];
  for (int k = 0; k < 4; ++k) {
    seconds[k] = WallSeconds(samples[k]->mtime);
    if (k > 0 && seconds[k] < seconds[k - 1]) {
      return KXE_PERF_SAMPLES_OUT_OF_ORDER;
    }
  }
  bool selected[kStatLuCapacity] = {};
  for (uint32_t lu = 0; lu < kStatLuCapacity; ++lu) {
    if (wanted != nullptr) {
      selected[lu] = wanted[lu] != 0;
      continue;
    }
    for (int k = 0; k < 3 && !selected[lu]; ++k) {
      if (seconds[k + 1] == seconds[k]) continue;
      const StatisticalCommandInfoRecord& before = samples[k]->lu[lu];
      const StatisticalCommandInfoRecord& after = samples[k + 1]->lu[lu];
      selected[lu] = Delta(before.read_count, after.read_count) != 0 ||
                     Delta(before.write_count, after.write_count) != 0;
    }
  }

  std::string rows;
  for (int k = 0; k < 3; ++k) {
    const int64_t interval = seconds[k + 1] - seconds[k];
    if (interval <= 0) continue;
    const std::string time = FormatTime(samples[k + 1]->mtime);
    for (uint32_t lu = 0; lu < kStatLuCapacity; ++lu) {
      if (!selected[lu]) continue;
      const StatisticalCommandInfoRecord& before = samples[k]->lu[lu];
      const StatisticalCommandInfoRecord& after = samples[k + 1]->lu[lu];
      const int64_t reads = Delta(before.read_count, after.read_count);
      const int64_t writes = Delta(before.write_count, after.write_count);
      rows += time + "," + std::to_string(interval) + "," +
              std::to_string(lu) + "," + PerSecond(reads, interval) + "," +
              PerSecond(writes, interval) + "," +
              Ratio(Delta(before.read_cache, after.read_cache), reads) + "," +
              Ratio(Delta(before.write_cache, after.write_cache), writes) +
              "\n";
    }
  }

  // Where the caller says, with the caller's umask; a replaced file is
  // replaced whole, and appending never writes through a link or into
  // anything but a regular file.
  const std::filesystem::path path = std::filesystem::u8path(path_text);
  const bool written =
      replace ? WriteFileReplacing(path, std::string(kCsvHeader) + rows,
                                   NewFileAccess::kCallerUmask)
              : AppendToCallerFile(path, kCsvHeader, rows,
                                   NewFileAccess::kCallerUmask);
  return written ? KX_OK : KXE_PERF_OUTPUT_FAILED;
}

int32_t OutputPerformance(const char* unit, const char* path,
                          const StatisticalCommandRecord* const (&samples)[4],
                          const uint8_t* wanted, bool replace) {
  // The station's lock keeps two calls of this process from interleaving
  // their rows in one file.
  return Station::Get().Read([&](Database& database) -> int32_t {
    RequireUnit(database, unit, kUnitNameSize);
    return WritePerformanceFile(path, samples, wanted, replace);
  });
}

}  // namespace
}  // namespace tesk740

using namespace tesk740;

KX_API int32_t KX_GetStatisticalInformation(
    const char* unit, int32_t arg, StatisticalInformationRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    if (arg != KX_STATS_CUMULATIVE || record == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    StatisticsModel model(database, unit_id, NowMs());
    model.AccrueTo(NowMs());
    std::memcpy(record, &model.counters(), sizeof(*record));
    return KX_OK;
  });
}

KX_API int32_t KX_GetPerformance(const char* unit,
                                 StatisticalCommandRecord* first,
                                 StatisticalCommandRecord* second) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    if (first == nullptr || second == nullptr) return KXE_INVALID_ARGUMENT;
    const int64_t now = NowMs();
    const int64_t offset = ClockOffsetSeconds(database, unit_id);
    // A unit's first sample comes with one taken a moment earlier.
    const int64_t earlier = now - KX_PERF_FIRST_INTERVAL_SECONDS * 1000;
    StatisticsModel model(database, unit_id, earlier);
    StoredSample previous{};
    const std::optional<std::string> stored =
        LoadSettingBytes(database, unit_id, kSampleSetting);
    if (stored) {
      if (stored->size() != sizeof(StoredSample)) Fail(KXE_STATION_DAMAGED);
      std::memcpy(&previous, stored->data(), sizeof previous);
    } else {
      model.AccrueTo(earlier);
      previous.sample = TakeSample(model, offset);
      previous.taken_ms = model.accrued_ms();
    }
    model.AccrueTo(now);
    StoredSample latest{};
    latest.sample = TakeSample(model, offset);
    latest.taken_ms = model.accrued_ms();
    StoreSettingBytes(database, unit_id, kSampleSetting, &latest, sizeof latest);
    *first = previous.sample;
    *second = latest.sample;
    return KX_OK;
  });
}

KX_API int32_t KX_PerformanceOutput(const char* unit, const char* text,
                                    const StatisticalCommandRecord* record1,
                                    const StatisticalCommandRecord* record2,
                                    const StatisticalCommandRecord* record3,
                                    const StatisticalCommandRecord* record4) {
  return OutputPerformance(unit, text, {record1, record2, record3, record4},
                           nullptr, false);
}

KX_API int32_t KX_PerformanceOutputLU(const char* unit, const char* text,
                                      const StatisticalCommandRecord* record1,
                                      const StatisticalCommandRecord* record2,
                                      const StatisticalCommandRecord* record3,
                                      const StatisticalCommandRecord* record4,
                                      int32_t arg1, const uint8_t* lu_list,
                                      int32_t arg2) {
  if ((arg1 != KX_PERF_APPEND && arg1 != KX_PERF_REPLACE) || arg2 != 0 ||
      lu_list == nullptr) {
    // Checked after the station, as every call that needs one does.
    return Station::Get().Read([&](Database& database) -> int32_t {
      RequireUnit(database, unit, kUnitNameSize);
      return KXE_INVALID_ARGUMENT;
    });
  }
  return OutputPerformance(unit, text, {record1, record2, record3, record4},
                           lu_list, arg1 == KX_PERF_REPLACE);
}

KX_API int32_t KX_BlockToByte(int32_t arg1, int32_t arg2, int32_t arg3,
                              int32_t* result0, int32_t* result1,
                              int32_t* result2) {
  if (arg3 < 0 || result0 == nullptr || result1 == nullptr ||
      result2 == nullptr) {
    return KXE_INVALID_ARGUMENT;
  }
  const uint64_t block_bytes =
      arg3 == 0 ? static_cast<uint64_t>(KX_BLOCK_BYTES)
                : static_cast<uint64_t>(arg3);
  // (high * 2^32 + low) * size, at most (2^64 - 1) * (2^31 - 1) < 2^95,
  // computed in two 64-bit halves so that nothing overflows.
  const uint64_t low = static_cast<uint32_t>(arg2) * block_bytes;
  const uint64_t high = static_cast<uint32_t>(arg1) * block_bytes + (low >> 32);
  *result0 = static_cast<int32_t>(static_cast<uint32_t>(high >> 32));
  *result1 = static_cast<int32_t>(static_cast<uint32_t>(high));
  *result2 = static_cast<int32_t>(static_cast<uint32_t>(low));
  return KX_OK;
}
