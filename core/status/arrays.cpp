// The array behind a unit: controllers, installed parts and drive slots.
// The drive population is the documented default (drives.cpp), so only
// drives taken out of service or rebuilding have rows of their own
// (drive_state); what a drive is used for comes from the RAID groups,
// and the counts of groups and LUs from their tables, so every answer here
// agrees with the storage calls.
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_status.h"
#include "maintenance/maintenance.h"
#include "model/clock.h"
#include "model/drive_health.h"
#include "model/events.h"
#include "model/format_jobs.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "model/slots.h"
#include "station/fixed_text.h"
#include "storage/storage.h"

namespace tesk740 {
namespace {

constexpr int kCacheModulesPerController = 2;
constexpr int kInstalledPowerSupplies = 2;
constexpr int kInstalledFans = 2;
constexpr int kInstalledAcInputs = 2;
constexpr int kInstalledBatteries = 2;
constexpr int kInstalledEnclosures = KX_DRIVE_PORTS;
constexpr int kInstalledLoops = 4;

void MarkInstalled(int8_t* parts, int count) {
  for (int i = 0; i < count; ++i) parts[i] = KX_PART_NORMAL;
}

struct UnitRow {
  std::string ctl0;
  std::string ctl1;
  int64_t kx_type;
  int64_t unit_conf;
};

UnitRow LoadUnitRow(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT ctl0, ctl1, kx_type, unit_conf FROM unit WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) Fail(KXE_UNKNOWN_UNIT);
  return {select.Text(0), select.Text(1), select.Int(2), select.Int(3)};
}

int32_t MountedDrives() {
  int32_t mounted = 0;
  for (int port = 0; port < KX_DRIVE_PORTS; ++port) {
    for (int row = 0; row < KX_DRIVE_ROWS; ++row) {
      if (DriveLastLba(port, row)) ++mounted;
    }
  }
  return mounted;
}

int32_t CountRows(Database& database, const char* sql, int64_t unit_id) {
  Statement count = database.Prepare(sql);
  count.Bind(1, unit_id);
  count.Step();
  return static_cast<int32_t>(count.Int(0));
}

void WriteDriveIdentity(int port, int row, DiskDriveInformationRecord* record) {
  std::memset(record, 0, sizeof *record);
  const std::optional<int32_t> lba = DriveLastLba(port, row);
  if (!lba) return;
  const DriveIdentity identity = DriveIdentityOf(*lba);
  WriteFixedText(identity.vendor, record->vendor, sizeof record->vendor);
  WriteFixedText(identity.product, record->product, sizeof record->product);
  WriteFixedText(identity.revision, record->revision, sizeof record->revision);
  record->lastLBA = *lba;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_GetUnitCondition(const char* unit, int32_t controller,
                                   UnitConditionRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsController(controller) || record == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    const tesk740::UnitRow row = tesk740::LoadUnitRow(database, unit_id);
    UnitConditionRecord condition{};
    using tesk740::WriteFixedText;
    const std::string micro = tesk740::UnitMicrocodeRevision(database, unit_id);
    WriteFixedText(micro, condition.micro, sizeof condition.micro);
    WriteFixedText(micro, condition.micro_pair, sizeof condition.micro_pair);
    condition.max_slot = KX_DRIVE_SLOTS;
    for (int i = 0; i < tesk740::kCacheModulesPerController; ++i) {
      condition.cache[i] = {KX_CACHE_MODULE_MB, KX_PART_NORMAL};
      condition.cache2[i] = {KX_CACHE_MODULE_MB, KX_PART_NORMAL};
    }
    tesk740::MarkInstalled(condition.ps, tesk740::kInstalledPowerSupplies);
    tesk740::MarkInstalled(condition.fan, tesk740::kInstalledFans);
    tesk740::MarkInstalled(condition.ac, tesk740::kInstalledAcInputs);
    tesk740::MarkInstalled(condition.batt, tesk740::kInstalledBatteries);
    condition.device_type = KX_DEVICE_TYPE;
    WriteFixedText("ON", condition.ctl0_flush, sizeof condition.ctl0_flush);
    WriteFixedText("ON", condition.ctl1_flush, sizeof condition.ctl1_flush);
    // The controllers' LAN settings once set; until then the addresses the
    // unit was registered with.
    const tesk740::LanTexts lan[2] = {
        tesk740::StoredLan(database, unit_id, 0)
            .value_or(tesk740::LanTexts{row.ctl0, "255.255.255.0", "0.0.0.0"}),
        tesk740::StoredLan(database, unit_id, 1)
            .value_or(tesk740::LanTexts{row.ctl1, "255.255.255.0", "0.0.0.0"})};
    WriteFixedText(lan[0].ip_address, condition.ctl0_ip,
                   sizeof condition.ctl0_ip);
    WriteFixedText(lan[1].ip_address, condition.ctl1_ip,
                   sizeof condition.ctl1_ip);
    WriteFixedText(lan[0].subnet, condition.ctl0_subnet,
                   sizeof condition.ctl0_subnet);
    WriteFixedText(lan[1].subnet, condition.ctl1_subnet,
                   sizeof condition.ctl1_subnet);
    WriteFixedText(lan[0].gateway, condition.ctl0_gateway,
                   sizeof condition.ctl0_gateway);
    WriteFixedText(lan[1].gateway, condition.ctl1_gateway,
                   sizeof condition.ctl1_gateway);
    condition.controller_condition = KX_CONTROLLERS_NORMAL;
    tesk740::MarkInstalled(condition.enclosure, tesk740::kInstalledEnclosures);
    tesk740::MarkInstalled(condition.loop, tesk740::kInstalledLoops);
    // The unit id never changes, so neither does the serial number.
    char serial[16];
    std::snprintf(serial, sizeof serial, "KX%09lld",
                  static_cast<long long>(unit_id % 1000000000));
    WriteFixedText(serial, condition.serial, sizeof condition.serial);
    condition.ctl_num = KX_CONTROLLER_COUNT;
    std::memcpy(record, &condition, sizeof condition);
    return KX_OK;
  });
}

KX_API int32_t KX_GetDriveInformation(const char* unit, int32_t port,
                                      int32_t row,
                                      DiskDriveInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsSlot(port, row) || record == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    if (!tesk740::DriveLastLba(port, row)) return KXE_DRIVE_NOT_MOUNTED;
    tesk740::WriteDriveIdentity(port, row, record);
    return KX_OK;
  });
}

KX_API int32_t KX_GetDriveInformationAll(const char* unit,
                                         DiskDriveInformationRecord* table) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (table == nullptr) return KXE_INVALID_ARGUMENT;
    for (int port = 0; port < KX_DRIVE_PORTS; ++port) {
      for (int row = 0; row < KX_DRIVE_ROWS; ++row) {
        tesk740::WriteDriveIdentity(port, row,
                                    &table[tesk740::SlotIndex(port, row)]);
      }
    }
    return KX_OK;
  });
}

KX_API int32_t KX_GetDriveStatus(const char* unit, DiskDriveRecord* table) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (table == nullptr) return KXE_INVALID_ARGUMENT;
    const std::vector<tesk740::RaidGroup> groups =
        tesk740::LoadRaidGroups(database, unit_id);
    const std::map<int, tesk740::DriveHealth> health =
        tesk740::LoadDriveHealth(database, unit_id, groups, tesk740::NowMs());
    for (int port = 0; port < KX_DRIVE_PORTS; ++port) {
      for (int row = 0; row < KX_DRIVE_ROWS; ++row) {
        const int index = tesk740::SlotIndex(port, row);
        DiskDriveRecord& slot = table[index];
        const bool mounted = tesk740::DriveLastLba(port, row).has_value();
        bool member = false;
        for (const tesk740::RaidGroup& group : groups) {
          member = member || group.Holds(port, row);
        }
        const auto drive = health.find(index);
        slot.port_no = port;
        slot.row_no = row;
        slot.mount = mounted ? 1 : 0;
        slot.attribute = member ? KX_DRIVE_RAID_GROUP : KX_DRIVE_FREE;
        slot.drv_state = !mounted                ? KX_PART_NOT_INSTALLED
                         : drive == health.end() ? KX_PART_NORMAL
                                                 : drive->second.state;
        slot.spare_of_disk_port = KX_DRIVE_NO_SPARE;
        slot.spare_of_disk_row = KX_DRIVE_NO_SPARE;
      }
    }
    return KX_OK;
  });
}

KX_API int32_t
KX_DriveReconstructInformation(const char* unit, int32_t port, int32_t row,
                               DriveReconstructInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    if (!tesk740::IsSlot(port, row) || record == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    const std::map<int, tesk740::DriveHealth> health = tesk740::LoadDriveHealth(
        database, unit_id, tesk740::LoadRaidGroups(database, unit_id),
        tesk740::NowMs());
    const auto drive = health.find(tesk740::SlotIndex(port, row));
    const int32_t state =
        drive == health.end() ? KX_PART_NORMAL : drive->second.state;
    record->valid = tesk740::DriveLastLba(port, row) ? 1 : 0;
    record->status_code = state == KX_PART_REBUILDING ? KX_RECONSTRUCT_RUNNING
                          : state == KX_PART_FAILED   ? KX_RECONSTRUCT_BLOCKED
                                                      : KX_RECONSTRUCT_NONE;
    record->progress_ratio =
        state == KX_PART_REBUILDING ? drive->second.rebuild_percent : 0;
    record->hdu_no = port;
    record->unit_no = row;
    return KX_OK;
  });
}

KX_API int32_t KX_SetDriveMode(const char* unit, int32_t port, int32_t row,
                               int32_t mode) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsSlot(port, row) ||
        (mode != KX_DRIVE_MODE_RESTORE && mode != KX_DRIVE_MODE_BLOCK)) {
      return KXE_INVALID_ARGUMENT;
    }
    const std::optional<int32_t> lba = tesk740::DriveLastLba(port, row);
    if (!lba) return KXE_DRIVE_NOT_MOUNTED;
    Statement blocked = database.Prepare(
        "SELECT blocked FROM drive_state"
        " WHERE unit_id = ?1 AND port = ?2 AND row = ?3");
    blocked.Bind(1, unit_id).Bind(2, port).Bind(3, row);
    const bool is_blocked = blocked.Step() && blocked.Int(0) != 0;
    if ((mode == KX_DRIVE_MODE_BLOCK) == is_blocked) return KX_OK;
    // A returned drive of a redundant group is rebuilt from the others.
    int64_t rebuild_ms = 0;
    if (mode == KX_DRIVE_MODE_RESTORE) {
      for (const tesk740::RaidGroup& group :
           tesk740::LoadRaidGroups(database, unit_id)) {
        if (group.Holds(port, row) && group.level != KX_RAID_0) {
          rebuild_ms = tesk740::WorkDurationMs(tesk740::DriveCapacityMb(*lba));
        }
      }
    }
    Statement store = database.Prepare(
        "INSERT OR REPLACE INTO drive_state (unit_id, port, row, blocked,"
        " rebuild_start_ms, rebuild_duration_ms)"
        " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    store.Bind(1, unit_id)
        .Bind(2, port)
        .Bind(3, row)
        .Bind(4, mode == KX_DRIVE_MODE_BLOCK ? 1 : 0)
        .Bind(5, tesk740::NowMs())
        .Bind(6, rebuild_ms);
    store.Run();
    if (mode == KX_DRIVE_MODE_BLOCK) {
      tesk740::NoteDriveBlocked(database, unit_id, port, row);
    }
    tesk740::RecordHealthChanges(database, unit_id);
    return KX_OK;
  });
}

KX_API int32_t KX_GetUnitInformation(const char* unit,
                                     UnitInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::UnitRow row = tesk740::LoadUnitRow(database, unit_id);
    UnitInformationRecord information{};
    BaseInformationRecord& base = information.b_info;
    tesk740::WriteFixedText(tesk740::UnitMicrocodeRevision(database, unit_id),
                            base.micro, sizeof base.micro);
    base.kx_type = static_cast<int32_t>(row.kx_type);
    base.device_type = KX_DEVICE_TYPE;
    base.port_type = KX_PORT_TYPE_FIBRE;
    base.unit_conf = static_cast<int32_t>(row.unit_conf);
    base.sup_rglevel = KX_SUPPORTED_RAID_LEVELS;

    LogicalInformationRecord& logical = information.l_info;
    logical.rg_count = tesk740::CountRows(
        database, "SELECT count(*) FROM raid_group WHERE unit_id = ?1",
        unit_id);
    logical.lu_count = tesk740::CountRows(
        database, "SELECT count(*) FROM logical_unit WHERE unit_id = ?1",
        unit_id);
    logical.hg_count = tesk740::CountHostGroups(database, unit_id);
    logical.perm_count = tesk740::CountPermissions(database, unit_id);

    PhysicalInformationRecord& physical = information.p_info;
    physical.cache_count =
        tesk740::kCacheModulesPerController * KX_CONTROLLER_COUNT;
    physical.ps_count = tesk740::kInstalledPowerSupplies;
    physical.fan_count = tesk740::kInstalledFans;
    physical.ac_count = tesk740::kInstalledAcInputs;
    physical.batt_count = tesk740::kInstalledBatteries;
    physical.battbk_count = 0;
    physical.hdd_hdu_count = tesk740::MountedDrives();
    physical.hdd_unit_count = KX_MOUNTED_PORTS;
    physical.sp_count = 0;
    physical.enc_count = tesk740::kInstalledEnclosures;
    physical.loop_count = tesk740::kInstalledLoops;
    physical.port_count = KX_HOST_PORTS_PER_CONTROLLER * KX_CONTROLLER_COUNT;
    physical.unit_count = 1;
    physical.ps_unit_count = tesk740::kInstalledPowerSupplies;
    physical.fan_unit_count = tesk740::kInstalledFans;
    physical.enc_unit_count = tesk740::kInstalledEnclosures;
    std::memcpy(record, &information, sizeof information);
    return KX_OK;
  });
}
