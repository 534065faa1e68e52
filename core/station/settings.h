// The settings store: validated fixed-layout records kept per unit, or for the
// whole station, each under a name its area chooses. An area with a Get/Set
// pair keeps its record here instead of a table of its own: it validates the
// record, stores it, and reads it back with its documented defaults when
// nothing was stored yet. Everything here runs inside a station transaction.
//
// Stored form: table `setting` (unit_id, name, value); value is the record's
// bytes exactly as the interface lays them out (include/kx_*.h). Settings go
// with their unit when it is deleted. A record is checked where it is read,
// by the same check its Set makes before storing it.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "kx_errors.h"
#include "station/station.h"

namespace tesk740 {

// The unit_id of settings that belong to the whole station.
constexpr int64_t kStationWide = 0;

std::optional<std::string> LoadSettingBytes(Database& database, int64_t unit_id,
                                            std::string_view name);
void StoreSettingBytes(Database& database, int64_t unit_id,
                       std::string_view name, const void* bytes, size_t size);
void DeleteSetting(Database& database, int64_t unit_id, std::string_view name);

// Runs the check a Set makes before it stores a record (`check(record)`
// fails the work, with any code, for a record Set would refuse) on a record
// read back from the station: one Set would have refused was damaged or
// edited by hand, and the work fails with KXE_STATION_DAMAGED.
template <typename Record, typename Check>
void RequireStoredValid(const Record& record, Check&& check) {
  try {
    check(record);
  } catch (const StationFailure&) {
    Fail(KXE_STATION_DAMAGED);
  }
}

// The stored record, or `defaults` when none is stored. A stored value of
// another size, or one that fails `check` (the check its Set makes, as
// RequireStoredValid runs it), is damage: the work fails with
// KXE_STATION_DAMAGED. So every reader of a setting sees a record its Set
// would have accepted.
template <typename Record, typename Check>
Record LoadSetting(Database& database, int64_t unit_id, std::string_view name,
                   const Record& defaults, Check&& check) {
  static_assert(std::is_trivially_copyable_v<Record>,
                "settings are fixed-layout records");
  std::optional<std::string> bytes = LoadSettingBytes(database, unit_id, name);
  if (!bytes) return defaults;
  if (bytes->size() != sizeof(Record)) Fail(KXE_STATION_DAMAGED);
  Record record;
  std::memcpy(&record, bytes->data(), sizeof(Record));
  RequireStoredValid(record, check);
  return record;
}

template <typename Record>
void StoreSetting(Database& database, int64_t unit_id, std::string_view name,
                  const Record& record) {
  static_assert(std::is_trivially_copyable_v<Record>,
                "settings are fixed-layout records");
  StoreSettingBytes(database, unit_id, name, &record, sizeof(Record));
}

}  // namespace tesk740
