// The shared model of the simulated array (model.h).
#include "model.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "kx_errors.h"
#include "kx_station.h"
#include "registry.h"

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

bool IsRaidLevel(int64_t level) {
  return level == KX_RAID_0 || level == KX_RAID_1 || level == KX_RAID_5 ||
         level == KX_RAID_6 || level == KX_RAID_10;
}

int64_t DataDrivesPerRow(int64_t level, int64_t width) {
  switch (level) {
    case KX_RAID_0:
      return width >= 2 && width <= 15 ? width : 0;
    case KX_RAID_1:
      return width == 2 ? 1 : 0;
    case KX_RAID_5:
      return width >= 3 && width <= 15 ? width - 1 : 0;
    case KX_RAID_6:
      return width >= 4 && width <= 15 ? width - 2 : 0;
    case KX_RAID_10:
      return width >= 4 && width <= 14 && width % 2 == 0 ? width / 2 : 0;
    default:
      return 0;
  }
}

int64_t MinimumMemberMb(const RaidGroup& group) {
  int64_t minimum = 0;
  for (int64_t p = group.port; p < group.port + group.width; ++p) {
    for (int64_t r = group.row; r < group.row + group.depth; ++r) {
      const std::optional<int32_t> lba =
          DriveLastLba(static_cast<int>(p), static_cast<int>(r));
      if (!lba) continue;
      const int64_t mb = DriveCapacityMb(*lba);
      minimum = minimum == 0 ? mb : std::min(minimum, mb);
    }
  }
  return minimum;
}

int64_t FullCapacityMb(const RaidGroup& group) {
  return DataDrivesPerRow(group.level, group.width) * group.depth *
         MinimumMemberMb(group);
}

int64_t UsableCapacityMb(const RaidGroup& group) {
  return group.limit_set != 0 ? group.limit_mb : FullCapacityMb(group);
}

namespace {

#define KX_RAID_GROUP_COLUMNS \
  "rg_number, level, first_port, first_row, width, depth, limit_set, limit_mb"

// Every number is checked before it becomes a table index or a slot: a
// group outside the 45 entries or the 15 x 15 slots is damage.
RaidGroup ReadRaidGroup(const Statement& row) {
  RaidGroup group;
  group.number = row.IntIn("rg_number", 0, KX_RAID_GROUP_COUNT - 1);
  group.level = row.Int("level");
  group.port = row.IntIn("first_port", 0, 14);
  group.row = row.IntIn("first_row", 0, 14);
  group.width = row.IntIn("width", 1, 15 - group.port);
  group.depth = row.IntIn("depth", 1, 15 - group.row);
  group.limit_set = row.Int("limit_set");
  group.limit_mb = row.IntIn("limit_mb", 0, INT32_MAX);
  return group;
}

}  // namespace

std::vector<RaidGroup> LoadRaidGroups(Database& database, int64_t unit_id) {
  std::vector<RaidGroup> groups;
  Statement select = database.Prepare(
      "SELECT " KX_RAID_GROUP_COLUMNS
      " FROM raid_group WHERE unit_id = ?1 ORDER BY rg_number");
  select.Bind(1, unit_id);
  while (select.Step()) groups.push_back(ReadRaidGroup(select));
  return groups;
}

std::optional<RaidGroup> LoadRaidGroup(Database& database, int64_t unit_id,
                                       int64_t number) {
  Statement select = database.Prepare(
      "SELECT " KX_RAID_GROUP_COLUMNS
      " FROM raid_group WHERE unit_id = ?1 AND rg_number = ?2");
  select.Bind(1, unit_id).Bind(2, number);
  if (!select.Step()) return std::nullopt;
  return ReadRaidGroup(select);
}

int64_t UsedCapacityMb(Database& database, int64_t unit_id, int64_t number) {
  Statement sum = database.Prepare(
      "SELECT coalesce(sum(capacity_mb), 0) FROM logical_unit"
      " WHERE unit_id = ?1 AND rg_number = ?2");
  sum.Bind(1, unit_id).Bind(2, number);
  sum.Step();
  return sum.Int(0);
}

double SecondsPerGb() {
  const char* setting = std::getenv("KX_FORMAT_SECONDS_PER_GB");
  if (setting != nullptr && *setting != '\0') {
    char* end = nullptr;
    const double value = std::strtod(setting, &end);
    if (*end == '\0' && value >= 0 && std::isfinite(value)) return value;
  }
  return KX_FORMAT_DEFAULT_SECONDS_PER_GB;
}

int64_t WorkDurationMs(int64_t capacity_mb) {
  return static_cast<int64_t>(std::llround(static_cast<double>(capacity_mb) /
                                           1024.0 * SecondsPerGb() * 1000));
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

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

FormatProgress ProgressOf(int64_t start_ms, int64_t duration_ms,
                          int64_t now_ms) {
  const int64_t elapsed = std::max<int64_t>(0, now_ms - start_ms);
  if (elapsed >= duration_ms) return {KX_FORMAT_DONE, 100};
  // Below 100 until the very end, so 100 always means done.
  return {KX_FORMAT_RUNNING, static_cast<int32_t>(std::min<int64_t>(
                                 99, elapsed * 100 / duration_ms))};
}

FormatProgress LuFormatProgress(Database& database, int64_t unit_id,
                                int64_t lu_number, int64_t now_ms) {
  Statement select = database.Prepare(
      "SELECT start_ms, duration_ms FROM format_job"
      " WHERE unit_id = ?1 AND lu_number = ?2");
  select.Bind(1, unit_id).Bind(2, lu_number);
  if (!select.Step()) return {};
  return ProgressOf(select.Int(0), select.Int(1), now_ms);
}

void RequireNotFormatting(Database& database, int64_t unit_id,
                          int64_t lu_number) {
  if (LuFormatProgress(database, unit_id, lu_number, NowMs()).status ==
      KX_FORMAT_RUNNING) {
    Fail(KXE_LU_FORMATTING);
  }
}

int64_t UnitClockSeconds(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT offset_seconds FROM unit_clock WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  const int64_t offset = select.Step() ? select.Int(0) : 0;
  return NowMs() / 1000 + offset;
}

std::tm LocalTime(int64_t seconds) {
  const std::time_t moment = static_cast<std::time_t>(seconds);
  std::tm broken_down{};
#if defined(_WIN32)
  localtime_s(&broken_down, &moment);
#else
  localtime_r(&moment, &broken_down);
#endif
  return broken_down;
}

int64_t RequireUnit(Database& database, const char* unit, size_t width) {
  std::string name;
  const int32_t code = ReadUnitName(unit, width, &name);
  if (code != KX_OK) Fail(code);
  return RequireUnitId(database, name);
}

bool IsController(int64_t controller) {
  return controller >= 0 && controller < KX_CONTROLLER_COUNT;
}

}  // namespace tesk740
