// RAID groups: rectangles of drive slots with a RAID level, listed in the
// 45-entry table and created, expanded and deleted here. Capacities are
// computed from the member drives (drives.cpp) whenever they are read.
#include <cstring>
#include <map>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_storage.h"
#include "kx_station_maintenance.h"
#include "model/clock.h"
#include "model/events.h"
#include "model/drive_health.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "model/slots.h"

namespace tesk740 {
namespace {

void WriteRaidGroup(const RaidGroup& group, int64_t used_mb,
                    RaidGroupRecord* record) {
  const int64_t usable = UsableCapacityMb(group);
  const int64_t free_mb = usable - used_mb;
  const uint64_t free_blocks =
      static_cast<uint64_t>(free_mb) * KX_BLOCKS_PER_MB;
  record->rgnum = static_cast<int32_t>(group.number);
  record->level = static_cast<int32_t>(group.level);
  record->port = static_cast<int32_t>(group.port);
  record->row = static_cast<int32_t>(group.row);
  record->width = static_cast<int32_t>(group.width);
  record->depth = static_cast<int32_t>(group.depth);
  record->minimum_capa = static_cast<int32_t>(MinimumMemberMb(group));
  record->lastLBASet = static_cast<int32_t>(group.limit_set);
  record->lastLBA = static_cast<int32_t>(usable);
  record->rest_h = static_cast<int32_t>(free_blocks >> 32);
  record->rest = static_cast<int32_t>(static_cast<uint32_t>(free_blocks));
  record->lumaxcapa = static_cast<int32_t>(free_mb);
}

// The group's rectangle must suit its level and lie within the slots.
void RequireGeometry(const RaidGroup& group) {
  if (DataDrivesPerRow(group.level, group.width) == 0 || group.depth < 1 ||
      !IsSlot(group.port, group.row) ||
      group.port + group.width > KX_DRIVE_PORTS ||
      group.row + group.depth > KX_DRIVE_ROWS) {
    Fail(KXE_INVALID_GEOMETRY);
  }
}

// Every slot of the group holds a working drive that no other group uses.
void RequireFreeDrives(Database& database, int64_t unit_id,
                       const RaidGroup& group,
                       const std::vector<RaidGroup>& others) {
  const std::map<int, DriveHealth> health =
      LoadDriveHealth(database, unit_id, others, NowMs());
  for (int64_t p = group.port; p < group.port + group.width; ++p) {
    for (int64_t r = group.row; r < group.row + group.depth; ++r) {
      const int port = static_cast<int>(p);
      const int row = static_cast<int>(r);
      if (!DriveLastLba(port, row)) Fail(KXE_DRIVE_NOT_MOUNTED);
      const auto drive = health.find(SlotIndex(port, row));
      if (drive != health.end() && drive->second.state == KX_PART_FAILED) {
        Fail(KXE_DRIVE_BLOCKED);
      }
      for (const RaidGroup& other : others) {
        if (other.number != group.number && other.Holds(port, row)) {
          Fail(KXE_DRIVE_IN_USE);
        }
      }
    }
  }
}

// Applies the record's cut: a nonzero lastLBASet asks for lastLBA MB,
// which must cover what the LUs use and fit the full capacity.
void ApplyCut(const RaidGroupRecord& record, int64_t used_mb,
              RaidGroup* group) {
  group->limit_set = record.lastLBASet != 0 ? 1 : 0;
  group->limit_mb = 0;
  if (group->limit_set == 0) return;
  if (record.lastLBA < 1) Fail(KXE_INVALID_ARGUMENT);
  if (record.lastLBA > FullCapacityMb(*group) || record.lastLBA < used_mb) {
    Fail(KXE_INSUFFICIENT_CAPACITY);
  }
  group->limit_mb = record.lastLBA;
}

void SaveRaidGroup(Database& database, int64_t unit_id,
                   const RaidGroup& group) {
  Statement save = database.Prepare(
      "INSERT OR REPLACE INTO raid_group (unit_id, rg_number, level,"
      " first_port, first_row, width, depth, limit_set, limit_mb)"
      " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
  save.Bind(1, unit_id)
      .Bind(2, group.number)
      .Bind(3, group.level)
      .Bind(4, group.port)
      .Bind(5, group.row)
      .Bind(6, group.width)
      .Bind(7, group.depth)
      .Bind(8, group.limit_set)
      .Bind(9, group.limit_mb);
  save.Run();
}

// The group's configuration event: created, expanded or deleted.
void RecordGroupEvent(Database& database, int64_t unit_id, const char* kind,
                      const RaidGroup& group) {
  Event event;
  event.kind = kind;
  event.object = GroupObject(group.number);
  event.number = group.number;
  event.category = KX_TRACE_CONFIGURATION;
  const std::string size = std::to_string(group.width) + " x " +
                           std::to_string(group.depth) + " drives";
  if (std::strcmp(kind, "group-created") == 0) {
    event.text = event.object + " created: level " +
                 std::to_string(group.level) + ", " + size + " from port " +
                 std::to_string(group.port) + " row " +
                 std::to_string(group.row);
  } else if (std::strcmp(kind, "group-expanded") == 0) {
    event.text = event.object + " expanded: " + size;
  } else {
    event.text = event.object + " deleted";
  }
  RecordEvent(database, unit_id, event);
}

// The number a new group gets: the one asked for, or the lowest free one.
int64_t ChooseNumber(int32_t asked, const std::vector<RaidGroup>& groups) {
  std::vector<bool> taken(KX_RAID_GROUP_COUNT, false);
  for (const RaidGroup& group : groups) taken[group.number] = true;
  if (asked == KX_ANY_NUMBER) {
    for (int64_t number = 0; number < KX_RAID_GROUP_COUNT; ++number) {
      if (!taken[number]) return number;
    }
    Fail(KXE_RAID_GROUP_TABLE_FULL);
  }
  if (asked < 0 || asked >= KX_RAID_GROUP_COUNT) Fail(KXE_INVALID_ARGUMENT);
  if (taken[asked]) Fail(KXE_DUPLICATE_RAID_GROUP);
  return asked;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Fail;
using tesk740::RaidGroup;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_GetRaidGroups(const char* unit, RaidGroupRecord* table) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (table == nullptr) return KXE_INVALID_ARGUMENT;
    RaidGroupRecord records[KX_RAID_GROUP_COUNT] = {};
    for (RaidGroupRecord& record : records) record.rgnum = KX_UNUSED_ENTRY;
    for (const RaidGroup& group : tesk740::LoadRaidGroups(database, unit_id)) {
      tesk740::WriteRaidGroup(
          group, tesk740::UsedCapacityMb(database, unit_id, group.number),
          &records[group.number]);
    }
    std::memcpy(table, records, sizeof records);
    return KX_OK;
  });
}

KX_API int32_t KX_RaidGroupAdd(const char* unit,
                               const RaidGroupRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    if (!tesk740::IsRaidLevel(record->level)) return KXE_INVALID_RAID_LEVEL;
    RaidGroup group;
    group.level = record->level;
    group.port = record->port;
    group.row = record->row;
    group.width = record->width;
    group.depth = record->depth;
    tesk740::RequireGeometry(group);
    const std::vector<RaidGroup> groups =
        tesk740::LoadRaidGroups(database, unit_id);
    group.number = tesk740::ChooseNumber(record->rgnum, groups);
    tesk740::RequireFreeDrives(database, unit_id, group, groups);
    tesk740::ApplyCut(*record, 0, &group);
    tesk740::SaveRaidGroup(database, unit_id, group);
    tesk740::RecordGroupEvent(database, unit_id, "group-created", group);
    return KX_OK;
  });
}

KX_API int32_t KX_RaidGroupExpand(const char* unit,
                                  const RaidGroupRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const std::optional<RaidGroup> found =
        tesk740::LoadRaidGroup(database, unit_id, record->rgnum);
    if (!found) return KXE_UNKNOWN_RAID_GROUP;
    RaidGroup group = *found;
    // A group grows by whole rows below its last one.
    if (record->depth <= group.depth) return KXE_EXPAND_NOT_DEEPER;
    group.depth = record->depth;
    tesk740::RequireGeometry(group);
    tesk740::RequireFreeDrives(database, unit_id, group,
                               tesk740::LoadRaidGroups(database, unit_id));
    tesk740::ApplyCut(*record,
                      tesk740::UsedCapacityMb(database, unit_id, group.number),
                      &group);
    tesk740::SaveRaidGroup(database, unit_id, group);
    tesk740::RecordGroupEvent(database, unit_id, "group-expanded", group);
    return KX_OK;
  });
}

KX_API int32_t KX_RaidGroupDelete(const char* unit, int32_t rg_number) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    const std::optional<RaidGroup> group =
        tesk740::LoadRaidGroup(database, unit_id, rg_number);
    if (!group) return KXE_UNKNOWN_RAID_GROUP;
    Statement lus = database.Prepare(
        "SELECT 1 FROM logical_unit WHERE unit_id = ?1 AND rg_number = ?2");
    lus.Bind(1, unit_id).Bind(2, rg_number);
    if (lus.Step()) return KXE_RAID_GROUP_IN_USE;
    Statement remove = database.Prepare(
        "DELETE FROM raid_group WHERE unit_id = ?1 AND rg_number = ?2");
    remove.Bind(1, unit_id).Bind(2, rg_number);
    remove.Run();
    tesk740::RecordGroupEvent(database, unit_id, "group-deleted", *group);
    return KX_OK;
  });
}

KX_API int32_t KX_RaidGroupAllDelete(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    Statement lus =
        database.Prepare("SELECT 1 FROM logical_unit WHERE unit_id = ?1");
    lus.Bind(1, unit_id);
    if (lus.Step()) return KXE_RAID_GROUP_IN_USE;
    for (const RaidGroup& group : tesk740::LoadRaidGroups(database, unit_id)) {
      tesk740::RecordGroupEvent(database, unit_id, "group-deleted", group);
    }
    Statement remove =
        database.Prepare("DELETE FROM raid_group WHERE unit_id = ?1");
    remove.Bind(1, unit_id);
    remove.Run();
    return KX_OK;
  });
}
