// Drive health (drive_health.h).
#include "model/drive_health.h"

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
    if (member && rebuild.status == KX_FORMAT_RUNNING) {
      drive.state = KX_PART_REBUILDING;
      drive.rebuild_percent = rebuild.percent;
    }
  }
  return health;
}

}  // namespace tesk740
