// Records of unit condition, drives and unit information.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kCacheStatusCount = 32,  // entries of each cache status table
  kPowerSupplyCount = 30,
  kFanCount = 30,
  kAcCount = 2,
  kBatteryCount = 2,
  kEnclosureCount = 30,
  kLoopCount = 4,
  kDriveSlotCount = 225,  // entries of every drive table
  kLogicalReservedCount = 25,
  kPhysicalReservedCount = 16,
};

// State of one cache.
struct CacheStatusRecord {
  int32_t option;
  int32_t condition;
};
KX_ASSERT_OFFSET(CacheStatusRecord, option, 0);
KX_ASSERT_OFFSET(CacheStatusRecord, condition, 4);
KX_ASSERT_SIZE(CacheStatusRecord, 8);

// Condition of a whole unit. Byte lists are signed: they become negative
// ints in Java. controller_condition alone is unsigned.
struct UnitConditionRecord {
  char micro[8];
  char micro_pair[8];
  int32_t max_slot;
  CacheStatusRecord cache[kCacheStatusCount];
  CacheStatusRecord cache2[kCacheStatusCount];
  int8_t ps[kPowerSupplyCount];
  int8_t fan[kFanCount];
  int8_t ac[kAcCount];
  int8_t batt[kBatteryCount];
  int8_t batt_bk[kBatteryCount];
  int8_t device_type;
  char ctl0_flush[7];
  char ctl1_flush[7];
  char ctl0_ip[16];
  char ctl1_ip[16];
  char ctl0_subnet[16];
  char ctl1_subnet[16];
  char ctl0_gateway[16];
  char ctl1_gateway[16];
  uint8_t controller_condition;
  int8_t enclosure[kEnclosureCount];
  int8_t loop[kLoopCount];
  char serial[12];
  int32_t ctl_num;
};
KX_ASSERT_OFFSET(UnitConditionRecord, micro, 0);
KX_ASSERT_OFFSET(UnitConditionRecord, micro_pair, 8);
KX_ASSERT_OFFSET(UnitConditionRecord, max_slot, 16);
KX_ASSERT_OFFSET(UnitConditionRecord, cache, 20);
KX_ASSERT_OFFSET(UnitConditionRecord, cache2, 276);
KX_ASSERT_OFFSET(UnitConditionRecord, ps, 532);
KX_ASSERT_OFFSET(UnitConditionRecord, fan, 562);
KX_ASSERT_OFFSET(UnitConditionRecord, ac, 592);
KX_ASSERT_OFFSET(UnitConditionRecord, batt, 594);
KX_ASSERT_OFFSET(UnitConditionRecord, batt_bk, 596);
KX_ASSERT_OFFSET(UnitConditionRecord, device_type, 598);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl0_flush, 599);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl1_flush, 606);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl0_ip, 613);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl1_ip, 629);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl0_subnet, 645);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl1_subnet, 661);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl0_gateway, 677);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl1_gateway, 693);
KX_ASSERT_OFFSET(UnitConditionRecord, controller_condition, 709);
KX_ASSERT_OFFSET(UnitConditionRecord, enclosure, 710);
KX_ASSERT_OFFSET(UnitConditionRecord, loop, 740);
KX_ASSERT_OFFSET(UnitConditionRecord, serial, 744);
KX_ASSERT_OFFSET(UnitConditionRecord, ctl_num, 756);
KX_ASSERT_SIZE(UnitConditionRecord, 760);

// State of one drive slot.
struct DiskDriveRecord {
  int32_t port_no;
  int32_t row_no;
  int32_t mount;
  int32_t attribute;
  int32_t drv_state;
  int32_t spare_of_disk_port;
  int32_t spare_of_disk_row;
};
KX_ASSERT_OFFSET(DiskDriveRecord, port_no, 0);
KX_ASSERT_OFFSET(DiskDriveRecord, row_no, 4);
KX_ASSERT_OFFSET(DiskDriveRecord, mount, 8);
KX_ASSERT_OFFSET(DiskDriveRecord, attribute, 12);
KX_ASSERT_OFFSET(DiskDriveRecord, drv_state, 16);
KX_ASSERT_OFFSET(DiskDriveRecord, spare_of_disk_port, 20);
KX_ASSERT_OFFSET(DiskDriveRecord, spare_of_disk_row, 24);
KX_ASSERT_SIZE(DiskDriveRecord, 28);

// Identity of one drive.
struct DiskDriveInformationRecord {
  char vendor[9];
  char product[17];
  char revision[6];
  int32_t lastLBA;
};
KX_ASSERT_OFFSET(DiskDriveInformationRecord, vendor, 0);
KX_ASSERT_OFFSET(DiskDriveInformationRecord, product, 9);
KX_ASSERT_OFFSET(DiskDriveInformationRecord, revision, 26);
KX_ASSERT_OFFSET(DiskDriveInformationRecord, lastLBA, 32);
KX_ASSERT_SIZE(DiskDriveInformationRecord, 36);

// Progress of a drive reconstruction.
struct DriveReconstructInformationRecord {
  int32_t valid;
  int32_t status_code;
  int32_t progress_ratio;
  int32_t hdu_no;
  int32_t unit_no;
};
KX_ASSERT_OFFSET(DriveReconstructInformationRecord, valid, 0);
KX_ASSERT_OFFSET(DriveReconstructInformationRecord, status_code, 4);
KX_ASSERT_OFFSET(DriveReconstructInformationRecord, progress_ratio, 8);
KX_ASSERT_OFFSET(DriveReconstructInformationRecord, hdu_no, 12);
KX_ASSERT_OFFSET(DriveReconstructInformationRecord, unit_no, 16);
KX_ASSERT_SIZE(DriveReconstructInformationRecord, 20);

// The drive tables that the core fills: one entry per slot, no count.
using DriveInformationTable = DiskDriveInformationRecord[kDriveSlotCount];
using DriveStatusTable = DiskDriveRecord[kDriveSlotCount];
static_assert(sizeof(DriveInformationTable) == 8100, "drive identity table");
static_assert(sizeof(DriveStatusTable) == 6300, "drive status table");

// Static description of a unit: microcode and types.
struct BaseInformationRecord {
  char micro[8];
  int32_t kx_type;
  int32_t device_type;
  int32_t port_type;
  int32_t unit_conf;
  int32_t sup_rglevel;  // supported RAID levels
  int32_t reserved1;
  int32_t reserved2;
};
KX_ASSERT_OFFSET(BaseInformationRecord, micro, 0);
KX_ASSERT_OFFSET(BaseInformationRecord, kx_type, 8);
KX_ASSERT_OFFSET(BaseInformationRecord, device_type, 12);
KX_ASSERT_OFFSET(BaseInformationRecord, port_type, 16);
KX_ASSERT_OFFSET(BaseInformationRecord, unit_conf, 20);
KX_ASSERT_OFFSET(BaseInformationRecord, sup_rglevel, 24);
KX_ASSERT_OFFSET(BaseInformationRecord, reserved1, 28);
KX_ASSERT_OFFSET(BaseInformationRecord, reserved2, 32);
KX_ASSERT_SIZE(BaseInformationRecord, 36);

// Logical counts of a unit.
struct LogicalInformationRecord {
  int32_t index;
  int32_t rg_count;
  int32_t lu_count;
  int32_t perm_count;
  int32_t ext_bitmap;
  int32_t hg_count;
  int32_t reboot_time;
  int32_t replace_time;
  int32_t reserved[kLogicalReservedCount];
};
KX_ASSERT_OFFSET(LogicalInformationRecord, index, 0);
KX_ASSERT_OFFSET(LogicalInformationRecord, rg_count, 4);
KX_ASSERT_OFFSET(LogicalInformationRecord, lu_count, 8);
KX_ASSERT_OFFSET(LogicalInformationRecord, perm_count, 12);
KX_ASSERT_OFFSET(LogicalInformationRecord, ext_bitmap, 16);
KX_ASSERT_OFFSET(LogicalInformationRecord, hg_count, 20);
KX_ASSERT_OFFSET(LogicalInformationRecord, reboot_time, 24);
KX_ASSERT_OFFSET(LogicalInformationRecord, replace_time, 28);
KX_ASSERT_OFFSET(LogicalInformationRecord, reserved, 32);
KX_ASSERT_SIZE(LogicalInformationRecord, 132);

// Installed hardware counts of a unit.
struct PhysicalInformationRecord {
  int32_t index;
  int32_t cache_count;
  int32_t ps_count;
  int32_t fan_count;
  int32_t ac_count;
  int32_t batt_count;
  int32_t battbk_count;
  int32_t hdd_hdu_count;
  int32_t hdd_unit_count;
  int32_t sp_count;
  int32_t enc_count;
  int32_t loop_count;
  int32_t port_count;
  int32_t unit_count;
  int32_t ps_unit_count;
  int32_t fan_unit_count;
  int32_t enc_unit_count;
  int32_t reserved[kPhysicalReservedCount];
};
KX_ASSERT_OFFSET(PhysicalInformationRecord, index, 0);
KX_ASSERT_OFFSET(PhysicalInformationRecord, cache_count, 4);
KX_ASSERT_OFFSET(PhysicalInformationRecord, ps_count, 8);
KX_ASSERT_OFFSET(PhysicalInformationRecord, fan_count, 12);
KX_ASSERT_OFFSET(PhysicalInformationRecord, ac_count, 16);
KX_ASSERT_OFFSET(PhysicalInformationRecord, batt_count, 20);
KX_ASSERT_OFFSET(PhysicalInformationRecord, battbk_count, 24);
KX_ASSERT_OFFSET(PhysicalInformationRecord, hdd_hdu_count, 28);
KX_ASSERT_OFFSET(PhysicalInformationRecord, hdd_unit_count, 32);
KX_ASSERT_OFFSET(PhysicalInformationRecord, sp_count, 36);
KX_ASSERT_OFFSET(PhysicalInformationRecord, enc_count, 40);
KX_ASSERT_OFFSET(PhysicalInformationRecord, loop_count, 44);
KX_ASSERT_OFFSET(PhysicalInformationRecord, port_count, 48);
KX_ASSERT_OFFSET(PhysicalInformationRecord, unit_count, 52);
KX_ASSERT_OFFSET(PhysicalInformationRecord, ps_unit_count, 56);
KX_ASSERT_OFFSET(PhysicalInformationRecord, fan_unit_count, 60);
KX_ASSERT_OFFSET(PhysicalInformationRecord, enc_unit_count, 64);
KX_ASSERT_OFFSET(PhysicalInformationRecord, reserved, 68);
KX_ASSERT_SIZE(PhysicalInformationRecord, 132);

// Static description of a unit.
struct UnitInformationRecord {
  BaseInformationRecord b_info;
  LogicalInformationRecord l_info;
  PhysicalInformationRecord p_info;
};
KX_ASSERT_OFFSET(UnitInformationRecord, b_info, 0);
KX_ASSERT_OFFSET(UnitInformationRecord, l_info, 36);
KX_ASSERT_OFFSET(UnitInformationRecord, p_info, 168);
KX_ASSERT_SIZE(UnitInformationRecord, 300);
