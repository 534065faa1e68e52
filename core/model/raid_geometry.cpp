// RAID group geometry and capacities (raid_geometry.h).
#include "model/raid_geometry.h"

#include <algorithm>
#include <cstdint>

#include "kx_station.h"
#include "model/slots.h"

namespace tesk740 {

bool IsRaidLevel(int64_t level) {
  return level == KX_RAID_0 || level == KX_RAID_1 || level == KX_RAID_5 ||
         level == KX_RAID_6 || level == KX_RAID_10;
}

int64_t FaultTolerance(int64_t level) {
  switch (level) {
    case KX_RAID_1:
    case KX_RAID_5:
    case KX_RAID_10:
      return 1;
    case KX_RAID_6:
      return 2;
    default:
      return 0;
  }
}

int64_t DataDrivesPerRow(int64_t level, int64_t width) {
  switch (level) {
    case KX_RAID_0:
      return width >= 2 && width <= 15 ? width : 0;
    case KX_RAID_1:
      return width == 2 ? 1 : 0;
    case KX_RAID_5:
      return width >= 3 && width <= 15 ? width - 1 : 0;
    case KX_RAID_6:
      return width >= 4 && width <= 15 ? width - 2 : 0;
    case KX_RAID_10:
      return width >= 4 && width <= 14 && width % 2 == 0 ? width / 2 : 0;
    default:
      return 0;
  }
}

int64_t MinimumMemberMb(const RaidGroup& group) {
  int64_t minimum = 0;
  for (int64_t p = group.port; p < group.port + group.width; ++p) {
    for (int64_t r = group.row; r < group.row + group.depth; ++r) {
      const std::optional<int32_t> lba =
          DriveLastLba(static_cast<int>(p), static_cast<int>(r));
      if (!lba) continue;
      const int64_t mb = DriveCapacityMb(*lba);
      minimum = minimum == 0 ? mb : std::min(minimum, mb);
    }
  }
  return minimum;
}

int64_t FullCapacityMb(const RaidGroup& group) {
  return DataDrivesPerRow(group.level, group.width) * group.depth *
         MinimumMemberMb(group);
}

int64_t UsableCapacityMb(const RaidGroup& group) {
  return group.limit_set != 0 ? group.limit_mb : FullCapacityMb(group);
}

namespace {

#define KX_RAID_GROUP_COLUMNS \
  "rg_number, level, first_port, first_row, width, depth, limit_set, limit_mb"

// Each number is within its column's rule (checked as the row is read); a
// group that reaches past the 15 x 15 slots is damage too.
RaidGroup ReadRaidGroup(const Statement& row) {
  RaidGroup group;
  group.number = row.Int("rg_number");
  group.level = row.Int("level");
  group.port = row.Int("first_port");
  group.row = row.Int("first_row");
  group.width = row.IntIn("width", 1, 15 - group.port);
  group.depth = row.IntIn("depth", 1, 15 - group.row);
  group.limit_set = row.Int("limit_set");
  group.limit_mb = row.Int("limit_mb");
  return group;
}

}  // namespace

std::vector<RaidGroup> LoadRaidGroups(Database& database, int64_t unit_id) {
  std::vector<RaidGroup> groups;
  Statement select = database.Prepare(
      "SELECT " KX_RAID_GROUP_COLUMNS
      " FROM raid_group WHERE unit_id = ?1 ORDER BY rg_number");
  select.Bind(1, unit_id);
  while (select.Step()) groups.push_back(ReadRaidGroup(select));
  return groups;
}

std::optional<RaidGroup> LoadRaidGroup(Database& database, int64_t unit_id,
                                       int64_t number) {
  Statement select = database.Prepare(
      "SELECT " KX_RAID_GROUP_COLUMNS
      " FROM raid_group WHERE unit_id = ?1 AND rg_number = ?2");
  select.Bind(1, unit_id).Bind(2, number);
  if (!select.Step()) return std::nullopt;
  return ReadRaidGroup(select);
}

int64_t UsedCapacityMb(Database& database, int64_t unit_id, int64_t number) {
  Statement sum = database.Prepare(
      "SELECT coalesce(sum(capacity_mb), 0) FROM logical_unit"
      " WHERE unit_id = ?1 AND rg_number = ?2");
  sum.Bind(1, unit_id).Bind(2, number);
  sum.Step();
  return sum.Int(0);
}

}  // namespace tesk740
