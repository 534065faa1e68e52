// The drive slots of the simulated array, their default population and the
// health of the mounted drives. The numbers mean what kx_station.h says.
// Everything here runs inside a station transaction.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "kx_station.h"
#include "raid_geometry.h"
#include "station.h"

namespace tesk740 {

constexpr int SlotIndex(int port, int row) { return port * 15 + row; }
bool IsSlot(int64_t port, int64_t row);
// The drive of the default population in a slot: its last block address,
// or nothing for an empty slot.
std::optional<int32_t> DriveLastLba(int port, int row);
// What a drive adds to a RAID group, in MB.
int64_t DriveCapacityMb(int32_t last_lba);

struct DriveIdentity {
  const char* vendor;
  const char* product;
  const char* revision;
};
DriveIdentity DriveIdentityOf(int32_t last_lba);

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
