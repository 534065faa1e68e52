// The drive slots of the simulated array and their default population,
// which is fixed and stored nowhere. The numbers mean what kx_station.h says.
#pragma once

#include <cstdint>
#include <optional>

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

}  // namespace tesk740
