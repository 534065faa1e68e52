// Drive slots and drive health (drives.h).
#include "drives.h"

#include "format_jobs.h"
#include "kx_station.h"

namespace tesk740 {

bool IsSlot(int64_t port, int64_t row) {
  return port >= 0 && port < KX_DRIVE_PORTS && row >= 0 && row < KX_DRIVE_ROWS;
}

std::optional<int32_t> DriveLastLba(int port, int row) {
  if (!IsSlot(port, row) || port >= KX_MOUNTED_PORTS) return std::nullopt;
  return port < 2 ? KX_SMALL_DRIVE_LAST_LBA : KX_LARGE_DRIVE_LAST_LBA;
}

int64_t DriveCapacityMb(int32_t last_lba) {
  return (static_cast<int64_t>(last_lba) + 1) / KX_BLOCKS_PER_MB;
}

DriveIdentity DriveIdentityOf(int32_t last_lba) {
  if (last_lba == KX_SMALL_DRIVE_LAST_LBA) {
    return {"KORVANE", "KVD-146F", "K146"};
  }
  return {"KORVANE", "KVD-300F", "K300"};
}

std::map<int, DriveHealth> LoadDriveHealth(Database& database, int64_t unit_id,
                                           const std::vector<RaidGroup>& groups,
                                           int64_t now_ms) {
  std::map<int, DriveHealth> health;
  Statement select = database.Prepare(
      "SELECT port, row, blocked, rebuild_start_ms, rebuild_duration_ms"
      " FROM drive_state WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  while (select.Step()) {
    const int port = static_cast<int>(select.IntIn("port", 0, 14));
    const int row = static_cast<int>(select.IntIn("row", 0, 14));
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
