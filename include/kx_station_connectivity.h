// What the ints of host connectivity mean at the station: the int
// arguments after the unit name and the values of the connectivity records.
// docs/connectivity.md describes the behaviour; the codes are in kx_errors.h.
#pragma once

#include <cstdint>

// Host ports: controllers 0 and 1, ports 0 and 1 of each. Records with room
// for four ports per controller (SyncControl, TargetId, FibreInformation)
// show ports 2 and 3 as not installed: all zero, and a write must leave them
// so (KXE_NO_SUCH_PORT).
//
// Int arguments:
// - KX_GetLANInformation / KX_SetLANInformation(unit, controller, record,
//   0), KX_GetSyncControl / KX_SetSyncControl(unit, controller, record, 0),
//   KX_SetTargetId(unit, controller, record, 0): the last int is reserved
//   and must be 0.
// - KX_GetTargetId(unit, 0): reserved, 0.
// - KX_FibreInfoPermissionImport(unit, file, controller, port, ...).
// - KX_CreateHG / KX_ChangeHG(unit, controller, port, host group, name);
//   KX_CreateHG takes KX_ANY_HOST_GROUP for the lowest free number.
// - KX_GetHGOption / KX_SetHGOption(unit, controller, port, host group).
// - KX_GetLuMappingList(unit, controller, port, host group, &count,
//   mapping): count receives the number of host LUNs mapped.
// - KX_SetLuMappingList(unit, controller, port, host group, 0, mapping).
// - KX_ChangeMappingMode(unit, KX_MAPPING_MODE_OFF or _ON).
enum : int32_t {
  KX_HOST_CONTROLLERS = 2,
  KX_HOST_PORTS = 2,
  KX_DEFAULT_HOST_GROUP = 0,
  KX_ANY_HOST_GROUP = -1,
  KX_HOST_GROUPS_PER_PORT = 128,
  KX_HOST_GROUP_NAME_MAX = 8,
  KX_MAPPING_MODE_OFF = 0,
  KX_MAPPING_MODE_ON = 1,
  // LuMappingHGInfo.lu[h]: the internal LU (0..511) at host LUN h, or:
  KX_UNMAPPED = -1,
};

// LANInformation: dhcp 0 or 1; ip_address, subnet and gateway dotted quads
// (gateway 0.0.0.0 for none); ether the controller's hardware address, set
// by the station; lan_connect 0 (port off) or 1 (on).
//
// SyncPort: board_type 1 for an installed port, 0 for none (set by the
// station); rate 0 (automatic), 1, 2 or 4 Gbit/s.
enum : int32_t {
  KX_BOARD_NONE = 0,
  KX_BOARD_INSTALLED = 1,
};

// TargetId: ctrl_flag 1 (set by the station); target_id_mode 0 single,
// 1 multi. TargetConfig of port p: single the port's target ID in single
// mode (0..15); multi[t] 1 when target ID t answers in multi mode;
// mapping[t].lun[h] 1 when host LUN h is presented at target ID t.
enum : int32_t {
  KX_TARGET_MODE_SINGLE = 0,
  KX_TARGET_MODE_MULTI = 1,
  KX_TARGET_IDS = 16,
};

// FibreInformation (one per controller): lun_security 0/1; topology[p] 0
// point to point, 1 loop; topology_ref the topology in use (station).
// FibreInformationPort: node_name, port_name, get_address, if_board and
// refer_speed are set by the station; n_port_id 6 hex digits or empty for
// the station's; frame_size 0..3 for 512, 1024, 2048, 2112 bytes;
// set_speed 0 (automatic), 1, 2 or 4. FibreInformationSfc and
// product_number: the station's texts. FibreInformationSecurity:
// access_guard and all_lun_security 0/1, security_chk_lv 0..2,
// permission_count the permissions in use (not read on a write).
enum : int32_t {
  KX_TOPOLOGY_POINT_TO_POINT = 0,
  KX_TOPOLOGY_LOOP = 1,
  KX_FRAME_SIZE_2048 = 2,
  KX_SPEED_AUTO = 0,
  KX_SECURITY_LEVEL_MAX = 2,
};

// HGOptionInfo: option, option2[0] and option2[1] bit sets within
// KX_HG_OPTION_MASK; option3 the host response mode 0..255.
// PortOptionCtlInfo: lip_mode[p] 0 or 1; port_common_opt[p] a bit set
// within KX_PORT_OPTION_MASK.
enum : int32_t {
  KX_HG_OPTION_MASK = 0xFFFF,
  KX_HG_RESPONSE_MODE_MAX = 255,
  KX_PORT_OPTION_MASK = 0xFFFF,
};

// RvrfSrcPath: path_status 0 unused, 1 defined; a defined path names
// controller 0/1 and port 0/1 on both sides.
enum : int32_t {
  KX_PATH_UNUSED = 0,
  KX_PATH_DEFINED = 1,
};
