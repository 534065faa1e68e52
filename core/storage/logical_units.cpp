// Logical units: capacity carved from a RAID group, listed in the 512-entry
// table. An LU takes capacity, not a position, so a group's free capacity is
// its usable capacity less the sum of its LUs.
#include <cstring>
#include <optional>
#include <vector>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_storage.h"
#include "kx_station_maintenance.h"
#include "model/clock.h"
#include "model/events.h"
#include "model/format_jobs.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "storage/storage.h"

namespace tesk740 {
namespace {

// Everything a LogicalUnitRecord shows, in one row per LU; the format job
// decides the status and the highest number of the group rg_last_lu.
#define KX_LU_SELECT                                                          \
  "SELECT l.lu_number, l.rg_number, g.level, l.staging, l.capacity_mb,"       \
  " l.controller, l.valid,"                                                   \
  " (SELECT max(m.lu_number) FROM logical_unit m"                             \
  "   WHERE m.unit_id = l.unit_id AND m.rg_number = l.rg_number),"            \
  " j.start_ms, j.duration_ms, g.rg_number IS NULL"                           \
  " FROM logical_unit l"                                                      \
  " LEFT JOIN raid_group g"                                                   \
  "   ON g.unit_id = l.unit_id AND g.rg_number = l.rg_number"                 \
  " LEFT JOIN format_job j"                                                   \
  "   ON j.unit_id = l.unit_id AND j.lu_number = l.lu_number"                 \
  " WHERE l.unit_id = ?1"

void WriteLogicalUnit(const Statement& row, int64_t now_ms,
                      LogicalUnitRecord* record) {
  // An LU whose RAID group is gone is damage, not an LU that is not there.
  if (row.Int(10) != 0) Fail(KXE_STATION_DAMAGED);
  int32_t status = KX_LU_UNFORMATTED;
  if (row.Int(8) != 0 || row.Int(9) != 0) {
    status =
        ProgressOf(row.Int(8), row.Int(9), now_ms).status == KX_FORMAT_RUNNING
            ? KX_LU_FORMATTING
            : KX_LU_NORMAL;
  }
  record->luNumber = static_cast<int32_t>(row.Int(0));
  record->rgNumber = static_cast<int32_t>(row.Int(1));
  record->raid_level = static_cast<int32_t>(row.Int(2));
  record->staging = static_cast<int32_t>(row.Int(3));
  record->capacity = static_cast<int32_t>(row.Int(4));
  record->defaultCTL = static_cast<int32_t>(row.Int(5));
  record->currentCTL = record->defaultCTL;
  record->status = status;
  record->hostblock = KX_HOST_BLOCK_BYTES;
  record->lu_valid = static_cast<int32_t>(row.Int(6));
  record->rg_last_lu = row.Int(7) == row.Int(0) ? 1 : 0;
}

bool IsStaging(int64_t staging) {
  return staging == KX_STAGING_NORMAL || staging == KX_STAGING_SEQUENTIAL ||
         staging == KX_STAGING_OFF;
}

struct Lu {
  int64_t number;
  int64_t rg_number;
  int64_t capacity_mb;
  int64_t controller;
};

std::optional<Lu> FindLu(Database& database, int64_t unit_id, int64_t number) {
  Statement select = database.Prepare(
      "SELECT rg_number, capacity_mb, controller FROM logical_unit"
      " WHERE unit_id = ?1 AND lu_number = ?2");
  select.Bind(1, unit_id).Bind(2, number);
  if (!select.Step()) return std::nullopt;
  return Lu{number, select.Int(0), select.Int(1), select.Int(2)};
}

Lu RequireLu(Database& database, int64_t unit_id, int64_t number) {
  const std::optional<Lu> lu = FindLu(database, unit_id, number);
  if (!lu) Fail(KXE_UNKNOWN_LU);
  return *lu;
}

// The free capacity of the LU's group, in MB.
int64_t FreeCapacityMb(Database& database, int64_t unit_id, int64_t rg_number) {
  const std::optional<RaidGroup> group =
      LoadRaidGroup(database, unit_id, rg_number);
  if (!group) Fail(KXE_UNKNOWN_RAID_GROUP);
  return UsableCapacityMb(*group) -
         UsedCapacityMb(database, unit_id, rg_number);
}

int64_t ChooseLuNumber(Database& database, int64_t unit_id, int32_t asked) {
  if (asked == KX_ANY_NUMBER) {
    Statement lowest = database.Prepare(
        "SELECT coalesce((SELECT min(l.lu_number + 1) FROM logical_unit l"
        "   WHERE l.unit_id = ?1 AND NOT EXISTS (SELECT 1 FROM logical_unit n"
        "     WHERE n.unit_id = ?1 AND n.lu_number = l.lu_number + 1)), 0),"
        " EXISTS (SELECT 1 FROM logical_unit WHERE unit_id = ?1"
        "   AND lu_number = 0)");
    lowest.Bind(1, unit_id);
    lowest.Step();
    const int64_t number = lowest.Int(1) != 0 ? lowest.Int(0) : 0;
    if (number >= KX_LOGICAL_UNIT_COUNT) Fail(KXE_LU_TABLE_FULL);
    return number;
  }
  if (asked < 0 || asked >= KX_LOGICAL_UNIT_COUNT) Fail(KXE_INVALID_ARGUMENT);
  if (FindLu(database, unit_id, asked)) Fail(KXE_DUPLICATE_LU);
  return asked;
}

void SetColumn(Database& database, const char* sql, int64_t unit_id,
               int64_t lu_number, int64_t value) {
  Statement update = database.Prepare(sql);
  update.Bind(1, unit_id).Bind(2, lu_number).Bind(3, value);
  update.Run();
}

// The configuration event of an LU: created, deleted, or changed (expanded,
// new staging, controller, validity or number) from `old_number` to what it
// is now.
void RecordLuEvent(Database& database, int64_t unit_id, const char* kind,
                   int64_t old_number, int64_t new_number) {
  Event event;
  event.kind = kind;
  event.object = LuObject(new_number);
  event.number = new_number;
  event.category = KX_TRACE_CONFIGURATION;
  if (std::strcmp(kind, "lu-deleted") == 0) {
    event.text = LuObject(old_number) + " deleted";
    RecordEvent(database, unit_id, event);
    return;
  }
  Statement lu = database.Prepare(
      "SELECT rg_number, capacity_mb, controller, valid FROM logical_unit"
      " WHERE unit_id = ?1 AND lu_number = ?2");
  lu.Bind(1, unit_id).Bind(2, new_number);
  if (!lu.Step()) Fail(KXE_INTERNAL);
  if (std::strcmp(kind, "lu-created") == 0) {
    event.text = LuObject(new_number) + " created in RAID group " +
                 std::to_string(lu.Int(0)) + ": " + std::to_string(lu.Int(1)) +
                 " MB";
  } else {
    event.text = LuObject(old_number) + " changed: LU " +
                 std::to_string(new_number) + ", " +
                 std::to_string(lu.Int(1)) + " MB, controller " +
                 std::to_string(lu.Int(2)) +
                 (lu.Int(3) == 0 ? ", out of service" : "");
  }
  RecordEvent(database, unit_id, event);
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Fail;
using tesk740::Lu;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_GetLogicalUnit(const char* unit, LogicalUnitRecord* table) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (table == nullptr) return KXE_INVALID_ARGUMENT;
    std::vector<LogicalUnitRecord> records(KX_LOGICAL_UNIT_COUNT,
                                           LogicalUnitRecord{});
    for (LogicalUnitRecord& record : records) record.luNumber = KX_UNUSED_ENTRY;
    const int64_t now = tesk740::NowMs();
    Statement select = database.Prepare(KX_LU_SELECT);
    select.Bind(1, unit_id);
    while (select.Step()) {
      const int64_t number =
          select.IntIn(0, 0, KX_LOGICAL_UNIT_COUNT - 1);
      tesk740::WriteLogicalUnit(select, now, &records[number]);
    }
    std::memcpy(table, records.data(),
                sizeof(LogicalUnitRecord) * records.size());
    return KX_OK;
  });
}

KX_API int32_t KX_GetLogicalUnit1(const char* unit, int32_t lu_number,
                                  LogicalUnitRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    Statement select = database.Prepare(KX_LU_SELECT " AND l.lu_number = ?2");
    select.Bind(1, unit_id).Bind(2, lu_number);
    if (!select.Step()) return KXE_UNKNOWN_LU;
    tesk740::WriteLogicalUnit(select, tesk740::NowMs(), record);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitAdd(const char* unit,
                                 const LogicalUnitRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr || !tesk740::IsStaging(record->staging) ||
        !tesk740::IsController(record->defaultCTL) ||
        (record->hostblock != 0 && record->hostblock != KX_HOST_BLOCK_BYTES) ||
        record->capacity < 1) {
      return KXE_INVALID_ARGUMENT;
    }
    const int64_t free_mb =
        tesk740::FreeCapacityMb(database, unit_id, record->rgNumber);
    const int64_t number =
        tesk740::ChooseLuNumber(database, unit_id, record->luNumber);
    if (record->capacity > free_mb) return KXE_INSUFFICIENT_CAPACITY;
    Statement insert = database.Prepare(
        "INSERT INTO logical_unit (unit_id, lu_number, rg_number, staging,"
        " capacity_mb, controller, valid) VALUES (?1, ?2, ?3, ?4, ?5, ?6, 1)");
    insert.Bind(1, unit_id)
        .Bind(2, number)
        .Bind(3, record->rgNumber)
        .Bind(4, record->staging)
        .Bind(5, record->capacity)
        .Bind(6, record->defaultCTL);
    insert.Run();
    tesk740::RecordLuEvent(database, unit_id, "lu-created", number, number);
    return KX_OK;
  });
}

KX_API int32_t KX_GetLastLogicalUnit(const char* unit, int32_t* value) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (value == nullptr) return KXE_INVALID_ARGUMENT;
    Statement select = database.Prepare(
        "SELECT coalesce(max(lu_number), -1) FROM logical_unit"
        " WHERE unit_id = ?1");
    select.Bind(1, unit_id);
    select.Step();
    *value =
        static_cast<int32_t>(select.IntIn(0, -1, KX_LOGICAL_UNIT_COUNT - 1));
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitDelete(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    Statement last = database.Prepare(
        "SELECT lu_number FROM logical_unit WHERE unit_id = ?1"
        " ORDER BY lu_number DESC LIMIT 1");
    last.Bind(1, unit_id);
    if (!last.Step()) return KXE_UNKNOWN_LU;
    const int64_t number = last.Int(0);
    tesk740::RequireNotFormatting(database, unit_id, number);
    tesk740::RequireFreeStandingLu(database, unit_id, number);
    Statement remove = database.Prepare(
        "DELETE FROM logical_unit WHERE unit_id = ?1 AND lu_number = ?2");
    remove.Bind(1, unit_id).Bind(2, number);
    remove.Run();
    tesk740::RecordLuEvent(database, unit_id, "lu-deleted", number, number);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitDeleteAll(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    // All or none: one formatting LU keeps every LU.
    Statement numbers = database.Prepare(
        "SELECT lu_number FROM logical_unit WHERE unit_id = ?1");
    numbers.Bind(1, unit_id);
    std::vector<int64_t> deleted;
    while (numbers.Step()) {
      tesk740::RequireNotFormatting(database, unit_id, numbers.Int(0));
      tesk740::RequireFreeStandingLu(database, unit_id, numbers.Int(0));
      deleted.push_back(numbers.Int(0));
    }
    for (int64_t number : deleted) {
      tesk740::RecordLuEvent(database, unit_id, "lu-deleted", number, number);
    }
    Statement remove =
        database.Prepare("DELETE FROM logical_unit WHERE unit_id = ?1");
    remove.Bind(1, unit_id);
    remove.Run();
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitExpand(const char* unit, int32_t lu_number,
                                    int32_t capacity) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    const Lu lu = tesk740::RequireLu(database, unit_id, lu_number);
    if (capacity <= lu.capacity_mb) return KXE_INVALID_ARGUMENT;
    tesk740::RequireNotFormatting(database, unit_id, lu_number);
    tesk740::RequireFreeStandingLu(database, unit_id, lu_number);
    if (capacity - lu.capacity_mb >
        tesk740::FreeCapacityMb(database, unit_id, lu.rg_number)) {
      return KXE_INSUFFICIENT_CAPACITY;
    }
    tesk740::SetColumn(database,
                       "UPDATE logical_unit SET capacity_mb = ?3"
                       " WHERE unit_id = ?1 AND lu_number = ?2",
                       unit_id, lu_number, capacity);
    tesk740::RecordLuEvent(database, unit_id, "lu-expanded", lu_number,
                           lu_number);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitChangeStaging(const char* unit, int32_t lu_number,
                                           int32_t staging) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RequireLu(database, unit_id, lu_number);
    if (!tesk740::IsStaging(staging)) return KXE_INVALID_ARGUMENT;
    tesk740::SetColumn(database,
                       "UPDATE logical_unit SET staging = ?3"
                       " WHERE unit_id = ?1 AND lu_number = ?2",
                       unit_id, lu_number, staging);
    tesk740::RecordLuEvent(database, unit_id, "lu-changed", lu_number,
                           lu_number);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitChangeCtl(const char* unit, int32_t lu_number) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    const Lu lu = tesk740::RequireLu(database, unit_id, lu_number);
    tesk740::SetColumn(database,
                       "UPDATE logical_unit SET controller = ?3"
                       " WHERE unit_id = ?1 AND lu_number = ?2",
                       unit_id, lu_number, 1 - lu.controller);
    tesk740::RecordLuEvent(database, unit_id, "lu-changed", lu_number,
                           lu_number);
    return KX_OK;
  });
}

// Invalidate and restore only flip lu_valid; the LU keeps its capacity and
// format state.
static int32_t SetValid(const char* unit, int32_t lu_number, int64_t valid) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RequireLu(database, unit_id, lu_number);
    tesk740::SetColumn(database,
                       "UPDATE logical_unit SET valid = ?3"
                       " WHERE unit_id = ?1 AND lu_number = ?2",
                       unit_id, lu_number, valid);
    tesk740::RecordLuEvent(database, unit_id, "lu-changed", lu_number,
                           lu_number);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitInvalid(const char* unit, int32_t lu_number) {
  return SetValid(unit, lu_number, 0);
}

KX_API int32_t KX_LogicalUnitRestore(const char* unit, int32_t lu_number) {
  return SetValid(unit, lu_number, 1);
}

KX_API int32_t KX_LogicalUnitRealloc(const char* unit,
                                     const LuReallocRequestRecord* request) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (request == nullptr) return KXE_INVALID_ARGUMENT;
    const Lu lu = tesk740::RequireLu(database, unit_id, request->lun);
    if (request->newlun < 0 || request->newlun >= KX_LOGICAL_UNIT_COUNT ||
        request->lusize < 0) {
      return KXE_INVALID_ARGUMENT;
    }
    tesk740::RequireNotFormatting(database, unit_id, lu.number);
    tesk740::RequireFreeStandingLu(database, unit_id, lu.number);
    if (request->newlun != lu.number &&
        tesk740::FindLu(database, unit_id, request->newlun)) {
      return KXE_DUPLICATE_LU;
    }
    const bool resized =
        request->lusize != 0 && request->lusize != lu.capacity_mb;
    if (resized &&
        request->lusize - lu.capacity_mb >
            tesk740::FreeCapacityMb(database, unit_id, lu.rg_number)) {
      return KXE_INSUFFICIENT_CAPACITY;
    }
    if (resized) {
      // New capacity, new blocks: the LU has to be formatted again.
      Statement forget = database.Prepare(
          "DELETE FROM format_job WHERE unit_id = ?1 AND lu_number = ?2");
      forget.Bind(1, unit_id).Bind(2, lu.number);
      forget.Run();
    }
    // The format job follows the number (ON UPDATE CASCADE).
    Statement update = database.Prepare(
        "UPDATE logical_unit SET lu_number = ?3, capacity_mb = ?4"
        " WHERE unit_id = ?1 AND lu_number = ?2");
    update.Bind(1, unit_id)
        .Bind(2, lu.number)
        .Bind(3, request->newlun)
        .Bind(4, resized ? request->lusize : lu.capacity_mb);
    update.Run();
    tesk740::RecordLuEvent(database, unit_id, "lu-changed", lu.number,
                           request->newlun);
    return KX_OK;
  });
}
