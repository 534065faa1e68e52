// Records of the set-up wizard: the wizard parameter record with its
// sub-records, and the current wizard parameter record.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kWizardControllers = 2,     // every top-level array: one entry per controller
  kWizardTargetConfigs = 4,   // target configurations of one target-ID entry
  kWizardTargetLunLists = 16, // LUN lists of one target configuration
  kWizardLunListBytes = 128,
  kWizardPortOptions = 4,     // option words of one port type
  kWizardSyncPorts = 4,       // synchronous ports of one synchronous control
};

// Dual-controller configuration.
struct WZDualConfigRecord {
  int32_t startup_attr;
  int32_t data_share;
  int32_t spare_disk;
  int32_t connection_mode;
  char serial[9];
  int8_t port_d_ctl[4];
  uint8_t unused_29[3];
  int32_t id_taking_over;
  int32_t port_cnnct_mode1[2][2];
  int32_t port_cnnct_mode2[2][2];
  int32_t delay_time;
  int32_t hp2_support;
  int32_t add_bat_unit;
};
KX_ASSERT_OFFSET(WZDualConfigRecord, startup_attr, 0);
KX_ASSERT_OFFSET(WZDualConfigRecord, data_share, 4);
KX_ASSERT_OFFSET(WZDualConfigRecord, spare_disk, 8);
KX_ASSERT_OFFSET(WZDualConfigRecord, connection_mode, 12);
KX_ASSERT_OFFSET(WZDualConfigRecord, serial, 16);
KX_ASSERT_OFFSET(WZDualConfigRecord, port_d_ctl, 25);
KX_ASSERT_OFFSET(WZDualConfigRecord, id_taking_over, 32);
KX_ASSERT_OFFSET(WZDualConfigRecord, port_cnnct_mode1, 36);
KX_ASSERT_OFFSET(WZDualConfigRecord, port_cnnct_mode2, 52);
KX_ASSERT_OFFSET(WZDualConfigRecord, delay_time, 68);
KX_ASSERT_OFFSET(WZDualConfigRecord, hp2_support, 72);
KX_ASSERT_OFFSET(WZDualConfigRecord, add_bat_unit, 76);
KX_ASSERT_SIZE(WZDualConfigRecord, 80);

// Drive capacities.
struct WZDriveCapacityRecord {
  int32_t row[6];
  int32_t spare;
};
KX_ASSERT_OFFSET(WZDriveCapacityRecord, row, 0);
KX_ASSERT_OFFSET(WZDriveCapacityRecord, spare, 24);
KX_ASSERT_SIZE(WZDriveCapacityRecord, 28);

// Option words; the layout of WZOption, WZEnhancedOption and WZPortOption.
struct WZOptionRecord {
  int32_t common;
  int32_t scsi;
  int32_t fibre;
};
KX_ASSERT_OFFSET(WZOptionRecord, common, 0);
KX_ASSERT_OFFSET(WZOptionRecord, scsi, 4);
KX_ASSERT_OFFSET(WZOptionRecord, fibre, 8);
KX_ASSERT_SIZE(WZOptionRecord, 12);

// The LUs one target presents, byte for byte as in the target-ID record of
// the connectivity area.
struct WZTargetLunListRecord {
  uint8_t lun[kWizardLunListBytes];
};
KX_ASSERT_OFFSET(WZTargetLunListRecord, lun, 0);
KX_ASSERT_SIZE(WZTargetLunListRecord, 128);

// Target configuration of one port (no padding).
struct WZTargetConfigRecord {
  int8_t single;
  uint8_t multi[16];
  WZTargetLunListRecord mapping[kWizardTargetLunLists];
};
KX_ASSERT_OFFSET(WZTargetConfigRecord, single, 0);
KX_ASSERT_OFFSET(WZTargetConfigRecord, multi, 1);
KX_ASSERT_OFFSET(WZTargetConfigRecord, mapping, 17);
KX_ASSERT_SIZE(WZTargetConfigRecord, 2065);

// Target IDs of one controller.
struct WZTargetIdRecord {
  int32_t ctrl_flag;
  int32_t target_id_mode;
  WZTargetConfigRecord target_config[kWizardTargetConfigs];
};
KX_ASSERT_OFFSET(WZTargetIdRecord, ctrl_flag, 0);
KX_ASSERT_OFFSET(WZTargetIdRecord, target_id_mode, 4);
KX_ASSERT_OFFSET(WZTargetIdRecord, target_config, 8);
KX_ASSERT_SIZE(WZTargetIdRecord, 8268);

// Mode settings.
struct WZModeParamRecord {
  int32_t striping;
  int32_t buzzer;
  int32_t lu_size_report;
  int32_t reset;
  int32_t failures;
};
KX_ASSERT_OFFSET(WZModeParamRecord, striping, 0);
KX_ASSERT_OFFSET(WZModeParamRecord, buzzer, 4);
KX_ASSERT_OFFSET(WZModeParamRecord, lu_size_report, 8);
KX_ASSERT_OFFSET(WZModeParamRecord, reset, 12);
KX_ASSERT_OFFSET(WZModeParamRecord, failures, 16);
KX_ASSERT_SIZE(WZModeParamRecord, 20);

// What the unit answers to an inquiry.
struct WZInquiryRecord {
  int32_t command_que;
  int32_t ansi_version;
  int32_t cache_mode;
  char vendor[9];
  char product[17];
  char rom_micro[3];
  char ram_micro[3];
  char web_title[33];
  uint8_t unused_77[3];
  int32_t link_separation;
};
KX_ASSERT_OFFSET(WZInquiryRecord, command_que, 0);
KX_ASSERT_OFFSET(WZInquiryRecord, ansi_version, 4);
KX_ASSERT_OFFSET(WZInquiryRecord, cache_mode, 8);
KX_ASSERT_OFFSET(WZInquiryRecord, vendor, 12);
KX_ASSERT_OFFSET(WZInquiryRecord, product, 21);
KX_ASSERT_OFFSET(WZInquiryRecord, rom_micro, 38);
KX_ASSERT_OFFSET(WZInquiryRecord, ram_micro, 41);
KX_ASSERT_OFFSET(WZInquiryRecord, web_title, 44);
KX_ASSERT_OFFSET(WZInquiryRecord, link_separation, 80);
KX_ASSERT_SIZE(WZInquiryRecord, 84);

// Host ports of one controller.
struct WZPortTypeRecord {
  int32_t port_type;
  int32_t port_mode[4];
  WZOptionRecord port_option[kWizardPortOptions];
};
KX_ASSERT_OFFSET(WZPortTypeRecord, port_type, 0);
KX_ASSERT_OFFSET(WZPortTypeRecord, port_mode, 4);
KX_ASSERT_OFFSET(WZPortTypeRecord, port_option, 20);
KX_ASSERT_SIZE(WZPortTypeRecord, 68);

// ROM response of one controller.
struct WZRomResponseRecord {
  int32_t mode;
  int32_t port_save_data[4];
};
KX_ASSERT_OFFSET(WZRomResponseRecord, mode, 0);
KX_ASSERT_OFFSET(WZRomResponseRecord, port_save_data, 4);
KX_ASSERT_SIZE(WZRomResponseRecord, 20);

// Options of one controller.
struct WZControllerOptionRecord {
  int32_t id_mode;
  char id_front[9];
  char id_rear[3];
  int32_t error_out_mode;
  int32_t write_verify_mode;
};
KX_ASSERT_OFFSET(WZControllerOptionRecord, id_mode, 0);
KX_ASSERT_OFFSET(WZControllerOptionRecord, id_front, 4);
KX_ASSERT_OFFSET(WZControllerOptionRecord, id_rear, 13);
KX_ASSERT_OFFSET(WZControllerOptionRecord, error_out_mode, 16);
KX_ASSERT_OFFSET(WZControllerOptionRecord, write_verify_mode, 20);
KX_ASSERT_SIZE(WZControllerOptionRecord, 24);

// LAN port of one controller (no padding; both flags first and unsigned).
struct WZLanConfigRecord {
  uint8_t lan_connect;
  uint8_t dhcp_mode;
  char ip_address[16];
  char subnet[16];
  char gateway[16];
  char ether[18];
};
KX_ASSERT_OFFSET(WZLanConfigRecord, lan_connect, 0);
KX_ASSERT_OFFSET(WZLanConfigRecord, dhcp_mode, 1);
KX_ASSERT_OFFSET(WZLanConfigRecord, ip_address, 2);
KX_ASSERT_OFFSET(WZLanConfigRecord, subnet, 18);
KX_ASSERT_OFFSET(WZLanConfigRecord, gateway, 34);
KX_ASSERT_OFFSET(WZLanConfigRecord, ether, 50);
KX_ASSERT_SIZE(WZLanConfigRecord, 68);

// One synchronous port.
struct WZSyncPortRecord {
  int8_t board_type;
  uint8_t rate;
};
KX_ASSERT_OFFSET(WZSyncPortRecord, board_type, 0);
KX_ASSERT_OFFSET(WZSyncPortRecord, rate, 1);
KX_ASSERT_SIZE(WZSyncPortRecord, 2);

// Synchronous ports of one controller.
struct WZSyncControlRecord {
  WZSyncPortRecord port_val[kWizardSyncPorts];
};
KX_ASSERT_OFFSET(WZSyncControlRecord, port_val, 0);
KX_ASSERT_SIZE(WZSyncControlRecord, 8);

// The initial settings of a unit, read, tested and written as one record.
struct WizardParamRecord {
  int32_t fd_backup;
  WZDualConfigRecord dual_conf;
  WZDriveCapacityRecord drive_capacity;
  WZOptionRecord option;
  WZOptionRecord e_option;
  WZOptionRecord e_option2;
  WZTargetIdRecord target_id[kWizardControllers];
  WZModeParamRecord mode_param;
  WZInquiryRecord inquiry;
  WZPortTypeRecord port_type[kWizardControllers];
  WZRomResponseRecord rom_response[kWizardControllers];
  WZControllerOptionRecord ctl_opt[kWizardControllers];
  WZLanConfigRecord lan_conf[kWizardControllers];
  WZSyncControlRecord sync_control[kWizardControllers];
};
KX_ASSERT_OFFSET(WizardParamRecord, fd_backup, 0);
KX_ASSERT_OFFSET(WizardParamRecord, dual_conf, 4);
KX_ASSERT_OFFSET(WizardParamRecord, drive_capacity, 84);
KX_ASSERT_OFFSET(WizardParamRecord, option, 112);
KX_ASSERT_OFFSET(WizardParamRecord, e_option, 124);
KX_ASSERT_OFFSET(WizardParamRecord, e_option2, 136);
KX_ASSERT_OFFSET(WizardParamRecord, target_id, 148);
KX_ASSERT_OFFSET(WizardParamRecord, mode_param, 16684);
KX_ASSERT_OFFSET(WizardParamRecord, inquiry, 16704);
KX_ASSERT_OFFSET(WizardParamRecord, port_type, 16788);
KX_ASSERT_OFFSET(WizardParamRecord, rom_response, 16924);
KX_ASSERT_OFFSET(WizardParamRecord, ctl_opt, 16964);
KX_ASSERT_OFFSET(WizardParamRecord, lan_conf, 17012);
KX_ASSERT_OFFSET(WizardParamRecord, sync_control, 17148);
KX_ASSERT_SIZE(WizardParamRecord, 17164);

// The two target-ID sub-records that KX_WZTargetIdImport fills.
static_assert(2 * sizeof(WZTargetIdRecord) == 16536, "target-ID import buffer");

// Port options in force: three option words for each of the controller's two
// ports.
struct NowWZPortOptionsRecord {
  int32_t mode[3][2];
  int32_t hp2_support;
};
KX_ASSERT_OFFSET(NowWZPortOptionsRecord, mode, 0);
KX_ASSERT_OFFSET(NowWZPortOptionsRecord, hp2_support, 24);
KX_ASSERT_SIZE(NowWZPortOptionsRecord, 28);

// Controller identification in force.
struct NowWZCtrlIdRecord {
  char id_front[9];
  char id_rear[3];
  int32_t ctrl_name_mode;
};
KX_ASSERT_OFFSET(NowWZCtrlIdRecord, id_front, 0);
KX_ASSERT_OFFSET(NowWZCtrlIdRecord, id_rear, 9);
KX_ASSERT_OFFSET(NowWZCtrlIdRecord, ctrl_name_mode, 12);
KX_ASSERT_SIZE(NowWZCtrlIdRecord, 16);

// The settings of one controller that are in force now.
struct NowWZParameterRecord {
  int32_t fd_backup;
  NowWZPortOptionsRecord port_option;
  NowWZCtrlIdRecord ctrl_id;
};
KX_ASSERT_OFFSET(NowWZParameterRecord, fd_backup, 0);
KX_ASSERT_OFFSET(NowWZParameterRecord, port_option, 4);
KX_ASSERT_OFFSET(NowWZParameterRecord, ctrl_id, 32);
KX_ASSERT_SIZE(NowWZParameterRecord, 48);
