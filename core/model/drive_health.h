// The health of the mounted drives: blocked, rebuilding or normal, as the
// drive_state rows and the RAID groups say. Everything here runs inside a
// station transaction.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "kx_station.h"
#include "model/raid_geometry.h"
#include "model/slots.h"
#include "station/station.h"

namespace tesk740 {

// A mounted drive: KX_PART_NORMAL, KX_PART_FAILED (blocked) or
// KX_PART_REBUILDING with the rebuild's percent.
struct DriveHealth {
  int32_t state = KX_PART_NORMAL;
  int32_t rebuild_percent = 0;
  // When the drive's rebuild ends (or ended), in ms of the host clock; 0 for
  // a drive that was never rebuilt in its group.
  int64_t rebuild_end_ms = 0;
};
// The drives that are not simply normal, by slot index; `groups` are the
// unit's RAID groups.
std::map<int, DriveHealth> LoadDriveHealth(Database& database, int64_t unit_id,
                                           const std::vector<RaidGroup>& groups,
                                           int64_t now_ms);

// The redundancy of a RAID group, from the health of its members. Blocked
// and rebuilding members are both lost until their rebuild ends; a group that
// lost more than FaultTolerance allows has lost data.
enum class GroupState { kNormal, kRebuilding, kDegraded, kFailed };
struct GroupHealth {
  GroupState state = GroupState::kNormal;
  int blocked = 0;
  int rebuilding = 0;
  // Of the members rebuilding: the least advanced one's percent, and when
  // the last of them is done.
  int32_t rebuild_percent = 100;
  int64_t rebuild_end_ms = 0;
  int Lost() const { return blocked + rebuilding; }
};
GroupHealth GroupHealthOf(const RaidGroup& group,
                          const std::map<int, DriveHealth>& drives);
// "normal", "rebuilding", "degraded" or "failed".
const char* GroupStateName(GroupState state);

}  // namespace tesk740
