// The simulated array as the areas share it: drive slots and their default
// population, RAID group geometry and capacities, LU use of a group, format
// job progress and the unit clock. The numbers mean what kx_station.h says.
// Everything here runs inside a station transaction.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "kx_station.h"
#include "station.h"

namespace tesk740 {

// --- Drive slots -----------------------------------------------------------

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

// --- RAID groups -----------------------------------------------------------

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

// --- Format jobs -----------------------------------------------------------

// Milliseconds since the epoch on the host clock.
int64_t NowMs();

// How long formatting or rebuilding `capacity_mb` takes: the seconds per
// GB of KX_FORMAT_SECONDS_PER_GB when it is a decimal number >= 0 (read on
// every call, so a test or a demonstration can make it fast), else
// KX_FORMAT_DEFAULT_SECONDS_PER_GB.
int64_t WorkDurationMs(int64_t capacity_mb);

struct FormatProgress {
  int32_t status = 0;   // KX_FORMAT_NONE, _RUNNING or _DONE
  int32_t percent = 0;  // 0..100
};
FormatProgress ProgressOf(int64_t start_ms, int64_t duration_ms,
                          int64_t now_ms);
// The progress of the LU's latest job.
FormatProgress LuFormatProgress(Database& database, int64_t unit_id,
                                int64_t lu_number, int64_t now_ms);
// Fails the station work with KXE_LU_FORMATTING while the LU formats.
void RequireNotFormatting(Database& database, int64_t unit_id,
                          int64_t lu_number);

// --- Drive health ----------------------------------------------------------

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

// --- Unit clock ------------------------------------------------------------

// Seconds since the epoch on the unit's clock.
int64_t UnitClockSeconds(Database& database, int64_t unit_id);
// Local broken-down time of a moment, as std::tm.
std::tm LocalTime(int64_t seconds);

// --- Shared argument checks -------------------------------------------------

// Reads a 17-byte unit name and finds the unit, failing the work with the
// name's code or KXE_UNKNOWN_UNIT.
int64_t RequireUnit(Database& database, const char* unit, size_t width);
bool IsController(int64_t controller);

}  // namespace tesk740
