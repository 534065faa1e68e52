// Records of host connectivity: controller LAN settings, synchronous ports,
// target IDs, Fibre Channel ports and their LUN security, host groups and
// host WWNs, host-group and port options, LU mapping and remote-verify
// source paths. What the station puts in them is in kx_station_connectivity.h.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  // Every per-port table of the core has these fixed shapes; the core
  // reports no counts.
  kHostControllerCapacity = 2,
  kHostPortCapacity = 2,       // ports per controller in the host-group tables
  kFibrePortCapacity = 4,      // ports per controller in the Fibre records
  kHostGroupCapacity = 128,    // host groups, WWNs or permissions per port
  kHostLunCapacity = 256,      // host LUNs of one host group's mapping
  kLunBitmapBytes = 64,        // one bit per LU of the 512-entry LU table
  kTargetConfigCapacity = 4,   // target configurations of one TargetId
  kTargetIdsPerPort = 16,
  kTargetLunCapacity = 128,
  kSyncPortCapacity = 4,
  kRvrfArrayUnitCapacity = 8,
  kRvrfPathCapacity = 2,
};

// --- LAN, synchronous ports and target IDs ----------------------------------

// The LAN settings of one controller.
struct LANInformationRecord {
  int8_t dhcp;
  char ip_address[16];
  char subnet[16];
  char gateway[16];
  char ether[18];
  int8_t lan_connect;
};
KX_ASSERT_OFFSET(LANInformationRecord, dhcp, 0);
KX_ASSERT_OFFSET(LANInformationRecord, ip_address, 1);
KX_ASSERT_OFFSET(LANInformationRecord, subnet, 17);
KX_ASSERT_OFFSET(LANInformationRecord, gateway, 33);
KX_ASSERT_OFFSET(LANInformationRecord, ether, 49);
KX_ASSERT_OFFSET(LANInformationRecord, lan_connect, 67);
KX_ASSERT_SIZE(LANInformationRecord, 68);

struct SyncPortRecord {
  int8_t board_type;
  uint8_t rate;
};
KX_ASSERT_OFFSET(SyncPortRecord, board_type, 0);
KX_ASSERT_OFFSET(SyncPortRecord, rate, 1);
KX_ASSERT_SIZE(SyncPortRecord, 2);

struct SyncControlRecord {
  SyncPortRecord port_val[kSyncPortCapacity];
};
KX_ASSERT_OFFSET(SyncControlRecord, port_val, 0);
KX_ASSERT_SIZE(SyncControlRecord, 8);

// One byte per host LUN presented at one target ID.
struct TargetLunListRecord {
  uint8_t lun[kTargetLunCapacity];
};
KX_ASSERT_OFFSET(TargetLunListRecord, lun, 0);
KX_ASSERT_SIZE(TargetLunListRecord, 128);

// The target IDs of one port.
struct TargetConfigRecord {
  int8_t single;
  uint8_t multi[kTargetIdsPerPort];
  TargetLunListRecord mapping[kTargetIdsPerPort];
};
KX_ASSERT_OFFSET(TargetConfigRecord, single, 0);
KX_ASSERT_OFFSET(TargetConfigRecord, multi, 1);
KX_ASSERT_OFFSET(TargetConfigRecord, mapping, 17);
KX_ASSERT_SIZE(TargetConfigRecord, 2065);

// The target IDs of one controller; reads return two, one per controller.
struct TargetIdRecord {
  int32_t ctrl_flag;
  int32_t target_id_mode;
  TargetConfigRecord target_config[kTargetConfigCapacity];
};
KX_ASSERT_OFFSET(TargetIdRecord, ctrl_flag, 0);
KX_ASSERT_OFFSET(TargetIdRecord, target_id_mode, 4);
KX_ASSERT_OFFSET(TargetIdRecord, target_config, 8);
KX_ASSERT_SIZE(TargetIdRecord, 8268);

// --- Fibre Channel ------------------------------------------------------------

struct FibreInformationPortRecord {
  char node_name[17];
  char port_name[17];
  char n_port_id[7];
  char get_address[7];
  uint8_t frame_size;
  uint8_t if_board;
  uint8_t set_speed;
  uint8_t refer_speed;
};
KX_ASSERT_OFFSET(FibreInformationPortRecord, node_name, 0);
KX_ASSERT_OFFSET(FibreInformationPortRecord, port_name, 17);
KX_ASSERT_OFFSET(FibreInformationPortRecord, n_port_id, 34);
KX_ASSERT_OFFSET(FibreInformationPortRecord, get_address, 41);
KX_ASSERT_OFFSET(FibreInformationPortRecord, frame_size, 48);
KX_ASSERT_OFFSET(FibreInformationPortRecord, if_board, 49);
KX_ASSERT_OFFSET(FibreInformationPortRecord, set_speed, 50);
KX_ASSERT_OFFSET(FibreInformationPortRecord, refer_speed, 51);
KX_ASSERT_SIZE(FibreInformationPortRecord, 52);

// Texts describing a port's interface components.
struct FibreInformationSfcRecord {
  char biu[9];
  char sequence[9];
  char oper_firmware[9];
  char post_firmware[9];
  char endec[9];
  char fc_ph[6];
};
KX_ASSERT_OFFSET(FibreInformationSfcRecord, biu, 0);
KX_ASSERT_OFFSET(FibreInformationSfcRecord, sequence, 9);
KX_ASSERT_OFFSET(FibreInformationSfcRecord, oper_firmware, 18);
KX_ASSERT_OFFSET(FibreInformationSfcRecord, post_firmware, 27);
KX_ASSERT_OFFSET(FibreInformationSfcRecord, endec, 36);
KX_ASSERT_OFFSET(FibreInformationSfcRecord, fc_ph, 45);
KX_ASSERT_SIZE(FibreInformationSfcRecord, 51);

// One host's access to the LUs of a port: bit n of the bitmap (byte n / 8,
// bit n % 8 from the least significant) stands for LU n.
struct FibreInformationPermissionRecord {
  char node_name[17];
  char port_name[17];
  char n_port_id[7];
  uint8_t lun_security_bitmap[kLunBitmapBytes];
};
KX_ASSERT_OFFSET(FibreInformationPermissionRecord, node_name, 0);
KX_ASSERT_OFFSET(FibreInformationPermissionRecord, port_name, 17);
KX_ASSERT_OFFSET(FibreInformationPermissionRecord, n_port_id, 34);
KX_ASSERT_OFFSET(FibreInformationPermissionRecord, lun_security_bitmap, 41);
KX_ASSERT_SIZE(FibreInformationPermissionRecord, 105);

struct FibreInformationSecurityRecord {
  int8_t access_guard;
  int8_t all_lun_security;
  uint8_t unused_2[2];
  int32_t permission_count;
  int32_t security_chk_lv;
  FibreInformationPermissionRecord permission[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(FibreInformationSecurityRecord, access_guard, 0);
KX_ASSERT_OFFSET(FibreInformationSecurityRecord, all_lun_security, 1);
KX_ASSERT_OFFSET(FibreInformationSecurityRecord, unused_2, 2);
KX_ASSERT_OFFSET(FibreInformationSecurityRecord, permission_count, 4);
KX_ASSERT_OFFSET(FibreInformationSecurityRecord, security_chk_lv, 8);
KX_ASSERT_OFFSET(FibreInformationSecurityRecord, permission, 12);
KX_ASSERT_SIZE(FibreInformationSecurityRecord, 13452);

// The Fibre Channel settings of one controller; reads return two.
struct FibreInformationRecord {
  int8_t lun_security;
  uint8_t unused_1[3];
  int32_t topology[4];
  int32_t topology_ref[2];
  FibreInformationPortRecord port[kFibrePortCapacity];
  FibreInformationSfcRecord sfc[kFibrePortCapacity];
  FibreInformationSecurityRecord security[kFibrePortCapacity];
  char product_number[5];
  uint8_t unused_54253[3];
};
KX_ASSERT_OFFSET(FibreInformationRecord, lun_security, 0);
KX_ASSERT_OFFSET(FibreInformationRecord, unused_1, 1);
KX_ASSERT_OFFSET(FibreInformationRecord, topology, 4);
KX_ASSERT_OFFSET(FibreInformationRecord, topology_ref, 20);
KX_ASSERT_OFFSET(FibreInformationRecord, port, 28);
KX_ASSERT_OFFSET(FibreInformationRecord, sfc, 236);
KX_ASSERT_OFFSET(FibreInformationRecord, security, 440);
KX_ASSERT_OFFSET(FibreInformationRecord, product_number, 54248);
KX_ASSERT_OFFSET(FibreInformationRecord, unused_54253, 54253);
KX_ASSERT_SIZE(FibreInformationRecord, 54256);

// --- Host groups and WWNs -------------------------------------------------------

struct HGInfoRecord {
  uint8_t valid;
  char hgname[9];
};
KX_ASSERT_OFFSET(HGInfoRecord, valid, 0);
KX_ASSERT_OFFSET(HGInfoRecord, hgname, 1);
KX_ASSERT_SIZE(HGInfoRecord, 10);

struct HGPortInfoRecord {
  uint8_t security;
  HGInfoRecord hg[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(HGPortInfoRecord, security, 0);
KX_ASSERT_OFFSET(HGPortInfoRecord, hg, 1);
KX_ASSERT_SIZE(HGPortInfoRecord, 1281);

struct HGCtlInfoRecord {
  HGPortInfoRecord port[kHostPortCapacity];
};
KX_ASSERT_OFFSET(HGCtlInfoRecord, port, 0);
KX_ASSERT_SIZE(HGCtlInfoRecord, 2562);

struct HGListRecord {
  uint8_t lun_manage;
  HGCtlInfoRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(HGListRecord, lun_manage, 0);
KX_ASSERT_OFFSET(HGListRecord, ctl, 1);
KX_ASSERT_SIZE(HGListRecord, 5125);

// The name of one host group, for KX_CreateHG and KX_ChangeHG.
struct HostGroupNameRecord {
  char hgname[9];
};
KX_ASSERT_OFFSET(HostGroupNameRecord, hgname, 0);
KX_ASSERT_SIZE(HostGroupNameRecord, 9);

// Host groups picked for deletion or initialisation: byte n of a port for
// host group n.
struct HostGroupSelectionPortRecord {
  uint8_t hg[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(HostGroupSelectionPortRecord, hg, 0);
KX_ASSERT_SIZE(HostGroupSelectionPortRecord, 128);

struct HostGroupSelectionCtlRecord {
  HostGroupSelectionPortRecord port[kHostPortCapacity];
};
KX_ASSERT_OFFSET(HostGroupSelectionCtlRecord, port, 0);
KX_ASSERT_SIZE(HostGroupSelectionCtlRecord, 256);

struct HostGroupSelectionRecord {
  HostGroupSelectionCtlRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(HostGroupSelectionRecord, ctl, 0);
KX_ASSERT_SIZE(HostGroupSelectionRecord, 512);

struct WWNPermInfoRecord {
  char node_name[17];
  char port_name[17];
  uint8_t lun_security_bitmap[kLunBitmapBytes];
};
KX_ASSERT_OFFSET(WWNPermInfoRecord, node_name, 0);
KX_ASSERT_OFFSET(WWNPermInfoRecord, port_name, 17);
KX_ASSERT_OFFSET(WWNPermInfoRecord, lun_security_bitmap, 34);
KX_ASSERT_SIZE(WWNPermInfoRecord, 98);

struct WWNPortInfoRecord {
  int32_t lun_security;
  int32_t permission_count;
  int32_t security_chk_lv;
  WWNPermInfoRecord permission[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(WWNPortInfoRecord, lun_security, 0);
KX_ASSERT_OFFSET(WWNPortInfoRecord, permission_count, 4);
KX_ASSERT_OFFSET(WWNPortInfoRecord, security_chk_lv, 8);
KX_ASSERT_OFFSET(WWNPortInfoRecord, permission, 12);
KX_ASSERT_SIZE(WWNPortInfoRecord, 12556);

struct WWNCtlInfoRecord {
  WWNPortInfoRecord port[kHostPortCapacity];
};
KX_ASSERT_OFFSET(WWNCtlInfoRecord, port, 0);
KX_ASSERT_SIZE(WWNCtlInfoRecord, 25112);

struct WWNInformationRecord {
  int32_t lun_security_opt;
  WWNCtlInfoRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(WWNInformationRecord, lun_security_opt, 0);
KX_ASSERT_OFFSET(WWNInformationRecord, ctl, 4);
KX_ASSERT_SIZE(WWNInformationRecord, 50228);

struct WWNHostInfoRecord {
  char node_name[17];
  char port_name[17];
  uint8_t hostflag;
  uint8_t unused_35;
  int32_t hg_number;
  char wname[9];
  uint8_t unused_49[3];
};
KX_ASSERT_OFFSET(WWNHostInfoRecord, node_name, 0);
KX_ASSERT_OFFSET(WWNHostInfoRecord, port_name, 17);
KX_ASSERT_OFFSET(WWNHostInfoRecord, hostflag, 34);
KX_ASSERT_OFFSET(WWNHostInfoRecord, unused_35, 35);
KX_ASSERT_OFFSET(WWNHostInfoRecord, hg_number, 36);
KX_ASSERT_OFFSET(WWNHostInfoRecord, wname, 40);
KX_ASSERT_OFFSET(WWNHostInfoRecord, unused_49, 49);
KX_ASSERT_SIZE(WWNHostInfoRecord, 52);

struct WWNHGPortInfoRecord {
  uint8_t security;
  uint8_t unused_1[3];
  int32_t wwn_count;
  WWNHostInfoRecord wwn[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(WWNHGPortInfoRecord, security, 0);
KX_ASSERT_OFFSET(WWNHGPortInfoRecord, unused_1, 1);
KX_ASSERT_OFFSET(WWNHGPortInfoRecord, wwn_count, 4);
KX_ASSERT_OFFSET(WWNHGPortInfoRecord, wwn, 8);
KX_ASSERT_SIZE(WWNHGPortInfoRecord, 6664);

struct WWNHGCtlInfoRecord {
  WWNHGPortInfoRecord port[kHostPortCapacity];
};
KX_ASSERT_OFFSET(WWNHGCtlInfoRecord, port, 0);
KX_ASSERT_SIZE(WWNHGCtlInfoRecord, 13328);

struct WWNHGInformationRecord {
  uint8_t lun_manage;
  uint8_t unused_1[3];
  WWNHGCtlInfoRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(WWNHGInformationRecord, lun_manage, 0);
KX_ASSERT_OFFSET(WWNHGInformationRecord, unused_1, 1);
KX_ASSERT_OFFSET(WWNHGInformationRecord, ctl, 4);
KX_ASSERT_SIZE(WWNHGInformationRecord, 26660);

// --- Host-group options, port options and LU mapping -----------------------------

struct HGOptionInfoRecord {
  int32_t option;
  int32_t option2[2];
  int32_t option3;
};
KX_ASSERT_OFFSET(HGOptionInfoRecord, option, 0);
KX_ASSERT_OFFSET(HGOptionInfoRecord, option2, 4);
KX_ASSERT_OFFSET(HGOptionInfoRecord, option3, 12);
KX_ASSERT_SIZE(HGOptionInfoRecord, 16);

struct HGOptionPortInfoRecord {
  uint8_t security;
  uint8_t unused_1[3];
  HGOptionInfoRecord hg[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(HGOptionPortInfoRecord, security, 0);
KX_ASSERT_OFFSET(HGOptionPortInfoRecord, unused_1, 1);
KX_ASSERT_OFFSET(HGOptionPortInfoRecord, hg, 4);
KX_ASSERT_SIZE(HGOptionPortInfoRecord, 2052);

struct HGOptionCtlInfoRecord {
  HGOptionPortInfoRecord port[kHostPortCapacity];
};
KX_ASSERT_OFFSET(HGOptionCtlInfoRecord, port, 0);
KX_ASSERT_SIZE(HGOptionCtlInfoRecord, 4104);

struct HGOptionRecord {
  int32_t HostGroupValid;
  HGOptionCtlInfoRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(HGOptionRecord, HostGroupValid, 0);
KX_ASSERT_OFFSET(HGOptionRecord, ctl, 4);
KX_ASSERT_SIZE(HGOptionRecord, 8212);

// The options of one controller's two ports, one value per port.
struct PortOptionCtlInfoRecord {
  int32_t lip_mode[kHostPortCapacity];
  int32_t port_common_opt[kHostPortCapacity];
};
KX_ASSERT_OFFSET(PortOptionCtlInfoRecord, lip_mode, 0);
KX_ASSERT_OFFSET(PortOptionCtlInfoRecord, port_common_opt, 8);
KX_ASSERT_SIZE(PortOptionCtlInfoRecord, 16);

struct PortOptionRecord {
  PortOptionCtlInfoRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(PortOptionRecord, ctl, 0);
KX_ASSERT_SIZE(PortOptionRecord, 32);

// The LU mapping of one host group: entry h for host LUN h.
struct LuMappingHGInfoRecord {
  int32_t lu[kHostLunCapacity];
};
KX_ASSERT_OFFSET(LuMappingHGInfoRecord, lu, 0);
KX_ASSERT_SIZE(LuMappingHGInfoRecord, 1024);

struct LuMappingPortInfoRecord {
  uint8_t security;
  uint8_t unused_1[3];
  LuMappingHGInfoRecord hg[kHostGroupCapacity];
};
KX_ASSERT_OFFSET(LuMappingPortInfoRecord, security, 0);
KX_ASSERT_OFFSET(LuMappingPortInfoRecord, unused_1, 1);
KX_ASSERT_OFFSET(LuMappingPortInfoRecord, hg, 4);
KX_ASSERT_SIZE(LuMappingPortInfoRecord, 131076);

struct LuMappingCtlInfoRecord {
  LuMappingPortInfoRecord port[kHostPortCapacity];
};
KX_ASSERT_OFFSET(LuMappingCtlInfoRecord, port, 0);
KX_ASSERT_SIZE(LuMappingCtlInfoRecord, 262152);

struct LuMappingRecord {
  int32_t HostGroupValid;
  int32_t ctrl_flag;
  int32_t mapping_mode;
  LuMappingCtlInfoRecord ctl[kHostControllerCapacity];
};
KX_ASSERT_OFFSET(LuMappingRecord, HostGroupValid, 0);
KX_ASSERT_OFFSET(LuMappingRecord, ctrl_flag, 4);
KX_ASSERT_OFFSET(LuMappingRecord, mapping_mode, 8);
KX_ASSERT_OFFSET(LuMappingRecord, ctl, 12);
KX_ASSERT_SIZE(LuMappingRecord, 524316);

// --- Remote-verify source paths ------------------------------------------------

// A path from a controller port of this unit to one of the other unit.
struct RvrfSrcPathRecord {
  int32_t path_status;
  int32_t self_ctl_no;
  int32_t self_port_no;
  int32_t other_ctl_no;
  int32_t other_port_no;
};
KX_ASSERT_OFFSET(RvrfSrcPathRecord, path_status, 0);
KX_ASSERT_OFFSET(RvrfSrcPathRecord, self_ctl_no, 4);
KX_ASSERT_OFFSET(RvrfSrcPathRecord, self_port_no, 8);
KX_ASSERT_OFFSET(RvrfSrcPathRecord, other_ctl_no, 12);
KX_ASSERT_OFFSET(RvrfSrcPathRecord, other_port_no, 16);
KX_ASSERT_SIZE(RvrfSrcPathRecord, 20);

struct RvrfSrcArrayUnitRecord {
  int32_t valid;
  int32_t other_detect_id;
  char other_serial_no[9];
  char other_sequence_no[5];
  uint8_t unused_22[2];
  RvrfSrcPathRecord path[kRvrfPathCapacity];
};
KX_ASSERT_OFFSET(RvrfSrcArrayUnitRecord, valid, 0);
KX_ASSERT_OFFSET(RvrfSrcArrayUnitRecord, other_detect_id, 4);
KX_ASSERT_OFFSET(RvrfSrcArrayUnitRecord, other_serial_no, 8);
KX_ASSERT_OFFSET(RvrfSrcArrayUnitRecord, other_sequence_no, 17);
KX_ASSERT_OFFSET(RvrfSrcArrayUnitRecord, unused_22, 22);
KX_ASSERT_OFFSET(RvrfSrcArrayUnitRecord, path, 24);
KX_ASSERT_SIZE(RvrfSrcArrayUnitRecord, 64);

// self_sequence_no spans the 7 bytes up to the array units: its text and
// the padding after it, so a builder reads at most 6 bytes of text there.
struct RvrfSrcInfoRecord {
  int32_t rvrfsrc_option;
  int32_t self_detect_id;
  char self_serial_no[9];
  char self_sequence_no[7];
  RvrfSrcArrayUnitRecord arrayunit[kRvrfArrayUnitCapacity];
};
KX_ASSERT_OFFSET(RvrfSrcInfoRecord, rvrfsrc_option, 0);
KX_ASSERT_OFFSET(RvrfSrcInfoRecord, self_detect_id, 4);
KX_ASSERT_OFFSET(RvrfSrcInfoRecord, self_serial_no, 8);
KX_ASSERT_OFFSET(RvrfSrcInfoRecord, self_sequence_no, 17);
KX_ASSERT_OFFSET(RvrfSrcInfoRecord, arrayunit, 24);
KX_ASSERT_SIZE(RvrfSrcInfoRecord, 536);
