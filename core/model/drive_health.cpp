// Drive health (drive_health.h).
#include "model/drive_health.h"

#include <algorithm>

#include "kx_station.h"
#include "model/format_jobs.h"

namespace tesk740 {

std::map<int, DriveHealth> LoadDriveHealth(Database& database, int64_t unit_id,
                                           const std::vector<RaidGroup>& groups,
                                           int64_t now_ms) {
  std::map<int, DriveHealth> health;
  Statement select = database.Prepare(
      "SELECT port, row, blocked, rebuild_start_ms, rebuild_duration_ms"
      " FROM drive_state WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  while (select.Step()) {
    const int port = static_cast<int>(select.Int("port"));
    const int row = static_cast<int>(select.Int("row"));
    DriveHealth& drive = health[SlotIndex(port, row)];
    if (select.Int(2) != 0) {
      drive.state = KX_PART_FAILED;
      continue;
    }
    // A rebuild ends with its group: a deleted group has nothing to rebuild.
    bool member = false;
    for (const RaidGroup& group : groups)
      member = member || group.Holds(port, row);
    const FormatProgress rebuild =
        ProgressOf(select.Int(3), select.Int(4), now_ms);
    if (member && select.Int(4) > 0) {
      drive.rebuild_end_ms = select.Int(3) + select.Int(4);
    }
    if (member && rebuild.status == KX_FORMAT_RUNNING) {
      drive.state = KX_PART_REBUILDING;
      drive.rebuild_percent = rebuild.percent;
    }
  }
  return health;
}

GroupHealth GroupHealthOf(const RaidGroup& group,
                          const std::map<int, DriveHealth>& drives) {
  GroupHealth health;
  for (const auto& [slot, drive] : drives) {
    if (!group.Holds(slot / KX_DRIVE_ROWS, slot % KX_DRIVE_ROWS)) continue;
    if (drive.state == KX_PART_FAILED) ++health.blocked;
    if (drive.state == KX_PART_REBUILDING) {
      ++health.rebuilding;
      health.rebuild_percent =
          std::min(health.rebuild_percent, drive.rebuild_percent);
      health.rebuild_end_ms =
          std::max(health.rebuild_end_ms, drive.rebuild_end_ms);
    }
  }
  if (health.Lost() > FaultTolerance(group.level)) {
    health.state = GroupState::kFailed;
  } else if (health.blocked > 0) {
    health.state = GroupState::kDegraded;
  } else if (health.rebuilding > 0) {
    health.state = GroupState::kRebuilding;
  }
  if (health.rebuilding == 0) health.rebuild_percent = 0;
  return health;
}

const char* GroupStateName(GroupState state) {
  switch (state) {
    case GroupState::kRebuilding:
      return "rebuilding";
    case GroupState::kDegraded:
      return "degraded";
    case GroupState::kFailed:
      return "failed";
    default:
      return "normal";
  }
}

}  // namespace tesk740
