// Drive slots and their default population (slots.h).
#include "model/slots.h"

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

}  // namespace tesk740
