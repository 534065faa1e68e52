// RAID groups as the areas share them: geometry, capacities and the LU use of
// a group. The numbers mean what kx_station.h says. Everything here runs
// inside a station transaction.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "station/station.h"

namespace tesk740 {

struct RaidGroup {
  int64_t number = 0;
  int64_t level = 0;
  int64_t port = 0;
  int64_t row = 0;
  int64_t width = 0;
  int64_t depth = 0;
  int64_t limit_set = 0;
  int64_t limit_mb = 0;

  bool Holds(int port_no, int row_no) const {
    return port_no >= port && port_no < port + width && row_no >= row &&
           row_no < row + depth;
  }
};

// Data drives in one row of a group, or 0 for a width the level forbids.
int64_t DataDrivesPerRow(int64_t level, int64_t width);
bool IsRaidLevel(int64_t level);
// Members a group of the level can lose (blocked or still rebuilding) and
// still serve every block: 1 for RAID 1, 5 and 1+0, 2 for RAID 6, 0 for
// RAID 0. RAID 1+0 is counted by its worst case, two losses in one mirror.
int64_t FaultTolerance(int64_t level);
// The smallest member's capacity in MB; the slots must all hold drives.
int64_t MinimumMemberMb(const RaidGroup& group);
// Data drives x depth x smallest member, before any cut.
int64_t FullCapacityMb(const RaidGroup& group);
// What the group offers to LUs: the cut when one is set.
int64_t UsableCapacityMb(const RaidGroup& group);

std::vector<RaidGroup> LoadRaidGroups(Database& database, int64_t unit_id);
std::optional<RaidGroup> LoadRaidGroup(Database& database, int64_t unit_id,
                                       int64_t number);
// The capacity the group's LUs take, in MB.
int64_t UsedCapacityMb(Database& database, int64_t unit_id, int64_t number);

}  // namespace tesk740
