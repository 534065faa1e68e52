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
};
// The drives that are not simply normal, by slot index; `groups` are the
// unit's RAID groups.
std::map<int, DriveHealth> LoadDriveHealth(Database& database, int64_t unit_id,
                                           const std::vector<RaidGroup>& groups,
                                           int64_t now_ms);

}  // namespace tesk740
