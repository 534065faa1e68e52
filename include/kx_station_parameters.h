// What the ints of the operating parameters and the set-up wizard mean on
// the station: the documented ranges every Set and every import checks, the
// defaults a unit reads before anything was set, and the int arguments.
// docs/parameters.md describes the behaviour and the file formats.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// Parameter groups. Every group is kept per unit; a Set is checked whole and
// refused with the group's own code (kx_errors.h) without changing anything.
//
// Switches are 0 (off) or 1 (on). Per-LU values may be set only for LUs that
// exist; when an LU is deleted its per-LU values read back as the defaults
// (def_lun -1, pre_start 0, the command device entry not valid).
enum : int32_t {
  KX_SWITCH_OFF = 0,
  KX_SWITCH_ON = 1,
  KX_NO_LU = -1,  // def_lun and CommandDevice lu: no LU
};

// OnlineSystemParam: the thirteen bytes and both controllers' error_out and
// write_verify are switches; web_title is 0..32 bytes of printable ASCII
// (0x20..0x7E). Defaults: warning_report, auto_reconst, command_que and each
// controller's error_out on, everything else off, web_title empty.
//
// OnlineTuningParam: def_mode a staging mode (0 normal, 1 sequential, 2 off;
// default 0); def_lun an existing LU or KX_NO_LU (default); dir_sweep and
// dir_sweep_stop switches (default off); lu[n].pre_start the prefetch start
// of LU n in 16 KB steps, 0..KX_PREFETCH_START_MAX, nonzero only for an
// existing LU (default 0).
enum : int32_t {
  KX_TUNING_MODE_MAX = 2,
  KX_PREFETCH_START_MAX = 64,
};

// TuningParam: def_mode 0..2 as above (default 0); reserve_buf_size and
// current_buf_size percent of the cache, reserve 0..50, current 10..100,
// reserve <= current (defaults 10 and 50).
enum : int32_t {
  KX_RESERVE_BUFFER_MAX = 50,
  KX_CURRENT_BUFFER_MIN = 10,
  KX_CURRENT_BUFFER_MAX = 100,
};

// DiskDriveRestoration: mode 0 background, 1 normal, 2 priority (default 1);
// restoration and dynamic_sparing switches (default on); interval
// milliseconds between restore I/Os 0..1000 (default 10); unit_size blocks
// per restore I/O 1..2048 (default 128).
enum : int32_t {
  KX_RESTORE_MODE_MAX = 2,
  KX_RESTORE_INTERVAL_MAX = 1000,
  KX_RESTORE_UNIT_MAX = 2048,
};

// PrefetchInformation: stg_rd0, stg_rd1, stg_rd5 and stg_next staging
// amounts in KB 0..4096 (defaults 256, 256, 512, 128); stg_hed_size 0..1024
// (default 64).
enum : int32_t {
  KX_STAGING_KB_MAX = 4096,
  KX_STAGING_HEAD_MAX = 1024,
};

// OnlineVerify: test a switch (default on); idling_time seconds of idleness
// before verifying, 1..3600 (default 60).
enum : int32_t {
  KX_IDLING_TIME_MAX = 3600,
};

// Threshold: every count 0..65535, 0 meaning never report. Defaults: each
// *_recover 255, each *_unrecover 1, correctable_error 100,
// uncorrectable_error 1.
enum : int32_t {
  KX_THRESHOLD_MAX = 65535,
};

// UnitIdentifier: equipment_id 1..4 bytes of A-Z and 0-9 (default the unit
// id in four hex digits); ctl[i].ctrl_name_mode 0 (the controller is named
// "CTL<i>") or 1 (named id_front + id_rear); id_front 0..8 and id_rear 0..2
// bytes of printable ASCII (defaults mode 0, "CTL", "0"/"1").
//
// CommandDevice: quel_lite, mode and each security entry switches (default
// off); valid[i] a switch; lu[i] must name an existing LU when valid[i] is
// on, and the two valid entries must differ; an entry that is not valid is
// kept as lu KX_NO_LU. sequence_no 0..7 bytes of printable ASCII.
//
// WarningInfo: report_mode 0 off, 1 report, 2 report and keep reporting
// until cleared (default 1).
enum : int32_t {
  KX_WARNING_MODE_MAX = 2,
};

// The alert interval is station-wide: minutes between alert checks,
// 1..1440 (default 5).
enum : int32_t {
  KX_ALERT_INTERVAL_MIN = 1,
  KX_ALERT_INTERVAL_MAX = 1440,
  KX_ALERT_INTERVAL_DEFAULT = 5,
};

// KX_GetAutoDump(unit, controller, dump) and KX_OutputAutoDump(unit,
// controller, path): controller is 0 or 1. KX_OutputAutoDump collects a dump
// of the unit through that controller and writes it to path; KX_GetAutoDump
// gives the unit-clock time of the controller's latest dump (calendar year,
// month 1..12) with flag 1, or all zero with flag 0 before the first.

// ---------------------------------------------------------------------------
// Parameter and configuration files.
//
// KX_SystemParamExport(unit, path, groups, overwrite): groups is a bit mask
// of the groups below, 0 meaning all of them; overwrite 1 replaces an
// existing file, 0 refuses it (KXE_FILE_WRITE). KX_SystemParamImport(unit,
// path, groups): applies the groups of the mask (0: every group in the file)
// that the file holds; a group asked for that the file lacks makes the file
// unusable (KXE_FILE_DAMAGED).
enum : int32_t {
  KX_PARAM_ONLINE_SYSTEM = 1 << 0,
  KX_PARAM_ONLINE_TUNING = 1 << 1,
  KX_PARAM_TUNING = 1 << 2,
  KX_PARAM_RESTORATION = 1 << 3,
  KX_PARAM_PREFETCH = 1 << 4,
  KX_PARAM_ONLINE_VERIFY = 1 << 5,
  KX_PARAM_THRESHOLD = 1 << 6,
  KX_PARAM_IDENTIFIER = 1 << 7,
  KX_PARAM_COMMAND_DEVICE = 1 << 8,
  KX_PARAM_WARNING = 1 << 9,
  KX_PARAM_ALL_GROUPS = (1 << 10) - 1,
};

// KX_ConfigExport/KX_ConfigImport write and read the unit's set-up
// configuration: the wizard parameter record.

// ---------------------------------------------------------------------------
// Mode pages: KX_ModeSense(unit, page, control, controller, path) and
// KX_ModeSelect(unit, page, control, controller, path). page is one of the
// codes below or KX_MODE_PAGE_ALL; controller 0 or 1 (both present the same
// pages). Sense control: 0 current values, 1 the changeable-bits mask, 2 the
// defaults, 3 saved values (the same as current). Select control: 0 apply,
// 1 apply and save (the same on the station).
enum : int32_t {
  KX_MODE_PAGE_ERROR_RECOVERY = 0x01,
  KX_MODE_PAGE_CACHING = 0x08,
  KX_MODE_PAGE_CONTROL = 0x0A,
  KX_MODE_PAGE_EXCEPTIONS = 0x1C,
  KX_MODE_PAGE_ALL = 0x3F,
  KX_MODE_CURRENT = 0,
  KX_MODE_CHANGEABLE = 1,
  KX_MODE_DEFAULT = 2,
  KX_MODE_SAVED = 3,
};

// ---------------------------------------------------------------------------
// The set-up wizard.
//
// KX_GetWizardParam(unit, text, source, record): source 0 the unit's
// settings now, 1 the settings of a new unit; text is not interpreted.
// KX_TestWizardParam / KX_SetWizardParam(unit, record, text, 0): the int must
// be 0; text is not interpreted. A test checks the whole record in the order
// of its fields and returns the code of the first wrong one (kx_errors.h,
// KXE_WIZARD_*); a set checks the same way and then applies every part in
// one transaction.
//
// Ranges (entries "per controller" for i = 0, 1):
//   fd_backup: switch (default 0).
//   dual_conf: startup_attr, data_share, id_taking_over, hp2_support,
//     add_bat_unit switches; spare_disk 0 (the station models no spares);
//     connection_mode 0..2; serial 0..8 printable bytes; port_d_ctl bytes
//     switches; port_cnnct_mode1/2 entries 0..2; delay_time 0..60 seconds.
//   drive_capacity: row[0] the unit's 146 GB drives, row[1] its 300 GB
//     drives, the other rows and spare 0; it reports the unit and must be
//     sent back unchanged.
//   option, e_option, e_option2, port option words: 0..0xFFFF.
//   target_id per controller: host connectivity's target IDs
//     (KX_GetTargetId), checked by its rules: target_id_mode 0 single or 1
//     multi; for host ports 0 and 1 single the target ID 0..15, multi[t] and
//     mapping[t].lun[h] 0 or 1 (host LUN h presented at target t); port
//     slots 2 and 3 all zero. ctrl_flag is the station's (1).
//   mode_param: striping 0..3, buzzer, lu_size_report and reset switches,
//     failures 0..2.
//   inquiry: command_que a switch (the online system parameter of that
//     name), ansi_version 2..5, cache_mode 0..2, vendor 1..8 and product
//     1..16 printable bytes, rom_micro and ram_micro 0..2, web_title 0..32
//     (the online system parameter), link_separation a switch.
//   port_type per controller: port_type 0 fibre or 1 SCSI; port_mode[0..1]
//     0..3; port_option[0..1] option words; slots 2 and 3 zero.
//   rom_response per controller: mode a switch, port_save_data 0..0xFFFF.
//   ctl_opt per controller: id_mode, id_front, id_rear are the unit
//     identifier's ctrl_name_mode and names; error_out_mode and
//     write_verify_mode the online system parameters' controller switches.
//   lan_conf per controller: host connectivity's LAN settings
//     (KX_GetLANInformation), checked by its rules: lan_connect and
//     dhcp_mode switches; ip_address a host of its subnet, subnet a
//     contiguous mask of 1..30 bits, gateway 0.0.0.0 or another host of the
//     subnet; the two controllers' addresses differ; ether is the station's
//     (a NUL-terminated text, not kept). A part equal to what the unit
//     reports is taken as it is.
//   sync_control per controller: host connectivity's synchronous ports
//     (KX_GetSyncControl): rate 0, 1, 2 or 4 on ports 0 and 1, 0 on 2 and 3;
//     board_type is the station's (not kept).
enum : int32_t {
  KX_WIZARD_CURRENT = 0,
  KX_WIZARD_DEFAULTS = 1,
  KX_WIZARD_HOST_PORTS = 2,  // port slots in use per controller
  KX_WIZARD_TARGET_MAX = 15,
  KX_OPTION_WORD_MAX = 0xFFFF,
};

// KX_WZTargetIdImport(unit, text0, text1, start, first, second) builds the
// target IDs of controllers 0 and 1 from text0 and text1 without changing
// the unit; start 0 begins from empty target IDs, 1 from the unit's. A text
// is a list of items separated by blanks or ';':
//   mode=single | mode=multi     target_id_mode
//   flag=0 | flag=1              ctrl_flag
//   P.single=T                   target ID T of port P in single mode
//   P.T=LIST                     target T of port P on in multi mode,
//                                presenting the host LUNs of LIST ("0-3,7")
// P is 0 or 1, T 0..15, host LUNs 0..127 (beyond: KXE_WIZARD_TARGET_LU).
enum : int32_t {
  KX_IMPORT_FROM_EMPTY = 0,
  KX_IMPORT_FROM_UNIT = 1,
};

// KX_GetNowWZParam / KX_SetNowWZParam(unit, controller, record): the
// settings of controller 0 or 1 in force. fd_backup and hp2_support are the
// wizard's; mode[r][c] is option word r (0 common, 1 scsi, 2 fibre) of host
// port c of the controller's port type; ctrl_id the controller's entry of
// the unit identifier. A set checks the same ranges as the wizard.
