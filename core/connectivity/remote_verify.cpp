// Remote-verify source paths: up to 8 other units, each with up to 2 paths
// between a controller port of this unit and one of the other. The unit's
// own identity comes from its id; the entries are one settings record,
// keyed by the other unit's serial number.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_connectivity.h"
#include "model/registry.h"
#include "station/fixed_text.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

constexpr char kRvrfSetting[] = "connectivity.remote_verify";

std::string SelfSerial(int64_t unit_id) {
  char serial[24];
  std::snprintf(serial, sizeof serial, "%08lld",
                static_cast<long long>(unit_id % 100000000));
  return serial;
}

bool IsAlnum(const std::string& text, size_t low, size_t high) {
  if (text.size() < low || text.size() > high) return false;
  for (char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

RvrfSrcArrayUnitRecord CheckEntry(int64_t unit_id,
                                  const RvrfSrcArrayUnitRecord& entry);

// The entries as KX_SetRvrfSrcPath leaves them: an unused one empty, a used
// one in the form CheckEntry gives it.
void CheckStoredEntries(int64_t unit_id, const RvrfSrcInfoRecord& stored) {
  for (const RvrfSrcArrayUnitRecord& entry : stored.arrayunit) {
    if (entry.valid != 1) {
      if (!IsZero(&entry, sizeof entry)) Fail(KXE_INVALID_PATH);
      continue;
    }
    const RvrfSrcArrayUnitRecord canonical = CheckEntry(unit_id, entry);
    if (std::memcmp(&canonical, &entry, sizeof entry) != 0) {
      Fail(KXE_INVALID_PATH);
    }
  }
}

RvrfSrcInfoRecord LoadRvrf(Database& database, int64_t unit_id) {
  RvrfSrcInfoRecord info = LoadSetting(
      database, unit_id, kRvrfSetting, RvrfSrcInfoRecord{},
      [unit_id](const RvrfSrcInfoRecord& stored) {
        CheckStoredEntries(unit_id, stored);
      });
  info.rvrfsrc_option = 0;
  for (const RvrfSrcArrayUnitRecord& entry : info.arrayunit) {
    if (entry.valid == 1) info.rvrfsrc_option = 1;
  }
  info.self_detect_id = static_cast<int32_t>(unit_id);
  WriteFixedText(SelfSerial(unit_id), info.self_serial_no,
                 sizeof info.self_serial_no);
  WriteFixedText("0001", info.self_sequence_no, sizeof info.self_sequence_no);
  return info;
}

// The entry as it will be stored: texts zero-filled, unused paths zero.
RvrfSrcArrayUnitRecord CheckEntry(int64_t unit_id,
                                  const RvrfSrcArrayUnitRecord& entry) {
  const std::string serial = FieldText(entry.other_serial_no);
  const std::string sequence = FieldText(entry.other_sequence_no);
  if (!IsAlnum(serial, 1, 8) || !IsAlnum(sequence, 0, 4) ||
      serial == SelfSerial(unit_id)) {
    Fail(KXE_INVALID_PATH);
  }
  RvrfSrcArrayUnitRecord stored{};
  stored.valid = 1;
  stored.other_detect_id = entry.other_detect_id;
  WriteFixedText(serial, stored.other_serial_no, sizeof stored.other_serial_no);
  WriteFixedText(sequence, stored.other_sequence_no,
                 sizeof stored.other_sequence_no);
  int defined = 0;
  for (int i = 0; i < static_cast<int>(kRvrfPathCapacity); ++i) {
    const RvrfSrcPathRecord& path = entry.path[i];
    if (path.path_status == KX_PATH_UNUSED) continue;
    if (path.path_status != KX_PATH_DEFINED ||
        !IsHostPort(path.self_ctl_no, path.self_port_no) ||
        !IsHostPort(path.other_ctl_no, path.other_port_no)) {
      Fail(KXE_INVALID_PATH);
    }
    stored.path[i] = path;
    ++defined;
  }
  if (defined == 0) Fail(KXE_INVALID_PATH);
  return stored;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;

KX_API int32_t KX_GetRvrfSrcPath(const char* unit, RvrfSrcInfoRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    *record = tesk740::LoadRvrf(database, unit_id);
    return KX_OK;
  });
}

// valid 1 adds the unit, or replaces the entry of the same serial number;
// valid 0 removes that entry (nothing to remove is not an error).
KX_API int32_t KX_SetRvrfSrcPath(const char* unit,
                                 const RvrfSrcArrayUnitRecord* entry) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "remote-verify path set");
    if (entry == nullptr || (entry->valid != 0 && entry->valid != 1)) {
      return KXE_INVALID_ARGUMENT;
    }
    RvrfSrcInfoRecord info = tesk740::LoadRvrf(database, unit_id);
    const std::string serial = tesk740::FieldText(entry->other_serial_no);
    int slot = -1;
    for (int i = 0; i < static_cast<int>(kRvrfArrayUnitCapacity); ++i) {
      const RvrfSrcArrayUnitRecord& current = info.arrayunit[i];
      if (current.valid == 1 &&
          tesk740::FieldText(current.other_serial_no) == serial) {
        slot = i;
      }
    }
    if (entry->valid == 0) {
      if (slot >= 0) info.arrayunit[slot] = RvrfSrcArrayUnitRecord{};
    } else {
      const RvrfSrcArrayUnitRecord stored = tesk740::CheckEntry(unit_id, *entry);
      for (int i = 0; slot < 0 && i < static_cast<int>(kRvrfArrayUnitCapacity);
           ++i) {
        if (info.arrayunit[i].valid != 1) slot = i;
      }
      if (slot < 0) return KXE_RVRF_TABLE_FULL;
      info.arrayunit[slot] = stored;
    }
    tesk740::StoreSetting(database, unit_id, tesk740::kRvrfSetting, info);
    return KX_OK;
  });
}

KX_API int32_t KX_DelRvrfSrcPath(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "remote-verify path deleted");
    tesk740::DeleteSetting(database, unit_id, tesk740::kRvrfSetting);
    return KX_OK;
  });
}
