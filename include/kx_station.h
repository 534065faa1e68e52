// What the ints of the station mean: the simulated array behind every unit,
// the int arguments that follow the unit name, and the values the station
// writes into the user, status and storage records. The Java side and the
// command-line tool read the same numbers; core/README.md explains them.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// The simulated array of every registered unit.
//
// Two controllers, numbered 0 and 1. 225 drive slots in 15 enclosures
// ("ports") of 15 slots ("rows"): the slot at port p, row r is entry
// p * 15 + r of every 225-entry drive table. The array of a unit needs no
// set-up: it exists as soon as the unit is registered, with the default
// drive population below, and goes with the unit when it is deleted.
enum : int32_t {
  KX_CONTROLLER_COUNT = 2,
  KX_DRIVE_PORTS = 15,
  KX_DRIVE_ROWS = 15,
  KX_DRIVE_SLOTS = KX_DRIVE_PORTS * KX_DRIVE_ROWS,
  // Default population: every row of ports 0 to 3 holds a drive, the other
  // slots are empty. Ports 0 and 1 hold 146 GB drives, ports 2 and 3
  // 300 GB drives (decimal gigabytes).
  KX_MOUNTED_PORTS = 4,
  KX_SMALL_DRIVE_LAST_LBA = 285156249,  // 146 GB in 512-byte blocks, minus 1
  KX_LARGE_DRIVE_LAST_LBA = 585937499,  // 300 GB in 512-byte blocks, minus 1
};

// A block is 512 bytes. Drive identities give capacities as the last block
// address; RAID groups and LUs count capacity in megabytes of 2048 blocks
// (1 MB = 1,048,576 bytes), a drive contributing (lastLBA + 1) / 2048 MB.
enum : int32_t {
  KX_BLOCK_BYTES = 512,
  KX_BLOCKS_PER_MB = 2048,
};

// DiskDriveRecord: `mount` is 1 for a drive in the slot, 0 for an empty
// slot; `attribute` says what the drive is used for; `drv_state` is a
// part state (below). No drive is a spare: spare_of_disk_port and
// spare_of_disk_row are always -1. An empty slot has attribute
// KX_DRIVE_FREE and state KX_PART_NOT_INSTALLED.
enum : int32_t {
  KX_DRIVE_FREE = 0,        // mounted, in no RAID group
  KX_DRIVE_RAID_GROUP = 1,  // member of a RAID group
  KX_DRIVE_NO_SPARE = -1,
};

// Part states: the byte lists of UnitConditionRecord (ps, fan, ac, batt,
// batt_bk, enclosure, loop), CacheStatusRecord.condition and drv_state.
// The station installs 2 cache modules per controller (cache for
// controller 0, cache2 for controller 1, `option` the module size in MB),
// 2 power supplies, 2 fans, 2 AC inputs, 2 batteries, no backup batteries,
// 15 enclosures and 4 loops; every other entry is KX_PART_NOT_INSTALLED.
// Only drives change state, through KX_SetDriveMode (below).
enum : int32_t {
  KX_PART_NOT_INSTALLED = 0,
  KX_PART_NORMAL = 1,
  KX_PART_FAILED = 2,
  KX_PART_REBUILDING = 3,  // drives only: returned to service, rebuilding
  KX_CACHE_MODULE_MB = 2048,
};
// UnitConditionRecord.controller_condition: bit n set when controller n is
// working; both always are.
enum : int32_t {
  KX_CONTROLLERS_NORMAL = 0x3,
};

// KX_SetDriveMode(unit, port, row, mode) takes a mounted drive out of
// service (KX_DRIVE_MODE_BLOCK: drv_state KX_PART_FAILED) or returns it
// (KX_DRIVE_MODE_RESTORE). A returned member of a RAID group of level 1, 5,
// 6 or 1+0 is rebuilt (KX_PART_REBUILDING) for as long as a full format of
// the drive's capacity takes; any other drive is normal at once. A blocked
// drive cannot join a new RAID group (KXE_DRIVE_BLOCKED). Blocking or
// returning a drive already in that mode changes nothing.
enum : int32_t {
  KX_DRIVE_MODE_RESTORE = 0,
  KX_DRIVE_MODE_BLOCK = 1,
};

// DriveReconstructInformationRecord (KX_DriveReconstructInformation with
// port, row): `valid` is 1 for a slot that holds a drive, 0 for an empty
// one; hdu_no and unit_no echo the port and row; progress_ratio is the
// rebuild's percent while status_code is KX_RECONSTRUCT_RUNNING, else 0.
enum : int32_t {
  KX_RECONSTRUCT_NONE = 0,
  KX_RECONSTRUCT_RUNNING = 1,
  KX_RECONSTRUCT_BLOCKED = 2,  // blocked: rebuilds when returned to service
};

// ---------------------------------------------------------------------------
// RAID groups (RaidGroupRecord; the 45-entry table of KX_GetRaidGroups).
//
// Entry i of the table is RAID group number i. An unused entry has rgnum
// KX_UNUSED_ENTRY and every other field 0.
enum : int32_t {
  KX_UNUSED_ENTRY = -1,
  KX_RAID_GROUP_COUNT = 45,
  // rgnum of KX_RaidGroupAdd: 0..44, or this for the lowest free number.
  KX_ANY_NUMBER = -1,
};

// `level`: the RAID level by its usual number. `width` is the number of
// drives across (consecutive ports from `port`), `depth` the number of
// rows (consecutive rows from `row`); the group takes the width x depth
// slots of that rectangle. Allowed widths: RAID 0 2..15, RAID 1 exactly 2,
// RAID 5 3..15, RAID 6 4..15, RAID 1+0 an even 4..14; depth 1..15. Each
// row of the group holds `width` drives of which the data drives are:
// RAID 0 all, RAID 1 one, RAID 5 width - 1, RAID 6 width - 2, RAID 1+0
// half. The full capacity is data drives x depth x the capacity of the
// smallest member (`minimum_capa`, MB).
enum : int32_t {
  KX_RAID_0 = 0,
  KX_RAID_1 = 1,
  KX_RAID_5 = 5,
  KX_RAID_6 = 6,
  KX_RAID_10 = 10,
  // BaseInformationRecord.sup_rglevel: bit n set when level n is supported.
  KX_SUPPORTED_RAID_LEVELS = (1 << KX_RAID_0) | (1 << KX_RAID_1) |
                             (1 << KX_RAID_5) | (1 << KX_RAID_6) |
                             (1 << KX_RAID_10),
};

// RaidGroupRecord capacities, all in MB except rest_h and rest:
// - lastLBASet: 0 for a group that uses its full capacity, 1 for one cut
//   to `lastLBA` MB. In KX_RaidGroupAdd and KX_RaidGroupExpand a nonzero
//   lastLBASet asks for that cut (lastLBA between the capacity its LUs
//   use, at least 1, and the full capacity).
// - lastLBA: the usable capacity of the group.
// - rest_h, rest: the free capacity in 512-byte blocks, a 64-bit number
//   split into its high and low 32 bits (rest is the low half's bit
//   pattern).
// - lumaxcapa: the largest LU that can be added to the group now (the
//   free capacity).
// In KX_RaidGroupAdd only rgnum, level, port, row, width, depth, lastLBASet
// and lastLBA are read. KX_RaidGroupExpand reads rgnum, the new depth
// (larger than the old one: the group grows by whole rows), lastLBASet and
// lastLBA. KX_RaidGroupDelete takes the RAID group number; a group that
// still holds LUs is not deleted, and KX_RaidGroupAllDelete deletes
// nothing while any LU exists.

// ---------------------------------------------------------------------------
// Logical units (LogicalUnitRecord; the 512-entry table of
// KX_GetLogicalUnit).
//
// Entry i of the table is LU number i; an unused entry has luNumber
// KX_UNUSED_ENTRY and every other field 0.
//
// - luNumber: 0..511; in KX_LogicalUnitAdd KX_ANY_NUMBER for the lowest
//   free number.
// - raid_level: the level of its RAID group (not read by KX_LogicalUnitAdd).
// - capacity: MB, at least 1, within the free capacity of the group.
// - defaultCTL, currentCTL: the controller that owns the LU (0 or 1). No
//   failover is simulated, so currentCTL is always defaultCTL; only
//   defaultCTL is read by KX_LogicalUnitAdd.
// - hostblock: bytes per host block, always 512 (KX_LogicalUnitAdd accepts
//   0 or 512).
// - lu_valid: 1, or 0 after KX_LogicalUnitInvalid until KX_LogicalUnitRestore.
// - rg_last_lu: 1 for the highest-numbered LU of its RAID group, else 0.
// - status: see below; not read by KX_LogicalUnitAdd.
enum : int32_t {
  KX_LOGICAL_UNIT_COUNT = 512,
  KX_HOST_BLOCK_BYTES = 512,

  KX_STAGING_NORMAL = 0,      // read-ahead as the unit's tuning says
  KX_STAGING_SEQUENTIAL = 1,  // always read ahead
  KX_STAGING_OFF = 2,         // never read ahead

  KX_LU_NORMAL = 0,       // formatted
  KX_LU_FORMATTING = 1,   // a format job is running
  KX_LU_UNFORMATTED = 2,  // never formatted, or reallocated to a new size
};

// The ints of the LU calls:
// - KX_GetLogicalUnit1(unit, lu), KX_LogicalUnitInvalid(unit, lu),
//   KX_LogicalUnitRestore(unit, lu): the LU number.
// - KX_LogicalUnitExpand(unit, lu, capacity): the new capacity in MB,
//   larger than the old one; the growth comes from the group's free space.
// - KX_LogicalUnitChangeStaging(unit, lu, staging): a KX_STAGING_ value.
// - KX_LogicalUnitChangeCtl(unit, lu): hands the LU to the other controller.
// - KX_LogicalUnitDelete(unit): deletes the highest-numbered LU of the unit,
//   the one KX_GetLastLogicalUnit reports (-1 when there is none).
// - LuReallocRequestRecord: LU `lun` gets the free number `newlun` (or
//   keeps its number when newlun == lun) and the capacity `lusize` MB (0:
//   unchanged); a new capacity leaves it KX_LU_UNFORMATTED.
// An LU that is formatting cannot be deleted, expanded, reallocated or
// formatted again (KXE_LU_FORMATTING).

// ---------------------------------------------------------------------------
// Formatting.
//
// KX_LogicalUnitFormat(unit, lu, mode) and KX_EntryFormatList start format
// jobs. A job runs on the wall clock: it takes
//   capacity in GB (capacity MB / 1024) x seconds per GB
// for a full format, a tenth of that for a quick one. The seconds per GB
// are 10 unless the environment variable KX_FORMAT_SECONDS_PER_GB holds a
// decimal number >= 0 (such as 0.01) when the job starts; drive rebuilds
// run at the same pace. Each job is stored with its start and duration, so
// every process sees the same progress.
enum : int32_t {
  KX_FORMAT_FULL = 0,
  KX_FORMAT_QUICK = 1,
  KX_FORMAT_DEFAULT_SECONDS_PER_GB = 10,
  KX_QUICK_FORMAT_DIVISOR = 10,
};

// FormatEntryListRecord: byte i registers LU i. 0 leaves it out; the other
// values are KX_ENTRY_ values. At least one LU must be registered, and all
// jobs of one list start together or not at all.
enum : int32_t {
  KX_ENTRY_NONE = 0,
  KX_ENTRY_FULL = 1,
  KX_ENTRY_QUICK = 2,
};

// Format progress: `status` of FormatStatusRecord and LuFormatStatusRecord,
// `percent` 0..100 (100 only when done), err_code_sense_key and
// err_code_sense_code always 0 (formats do not fail).
// KX_LogicalUnitFormatStatus(unit, lu, &value) answers the percent of the
// LU's latest job (0 for an LU never formatted).
enum : int32_t {
  KX_FORMAT_NONE = 0,  // the LU was never formatted, or the entry is unused
  KX_FORMAT_RUNNING = 1,
  KX_FORMAT_DONE = 2,
};
// FormatStatusListRecord: jobs started while another job of the unit runs
// join its batch; a job started when none runs begins a new batch. The
// list reports the latest batch: `entry` is 1 for the LUs in it (0 for the
// others, whose status and percent still tell of their own latest job),
// `mode` 1 while the batch runs and 0 after, `totalpercent` the batch's
// progress weighted by job duration, `resttime` the seconds (rounded up)
// until its last job ends.
enum : int32_t {
  KX_FORMAT_LIST_IDLE = 0,
  KX_FORMAT_LIST_RUNNING = 1,
};

// ---------------------------------------------------------------------------
// KX_ModifyInfo(text, value, result): value selects the conversion.
// TRIM, UPPER and LOWER need no station; the label ones work on the
// station's label renames (core/README.md, "Labels and KX_ModifyInfo").
enum : int32_t {
  KX_MODIFY_TRIM = 0,            // leading and trailing blanks removed
  KX_MODIFY_UPPER = 1,           // ASCII letters upper-cased
  KX_MODIFY_LOWER = 2,           // ASCII letters lower-cased
  KX_MODIFY_APPLY_LABELS = 3,    // every old label replaced by its new one
  KX_MODIFY_SET_LABEL = 4,       // text "OLD NEW" adds or changes a rename
  KX_MODIFY_REMOVE_LABEL = 5,    // text "OLD" removes a rename
};

// ---------------------------------------------------------------------------
// Users and login.
//
// The int after the unit name of every user and login call is the
// controller (0 or 1) the request goes through. Accounts belong to the
// unit; a login session belongs to the unit and controller.
// - A user name and a password are 1..16 bytes from 0x21 to 0x7E.
// - A unit holds at most KX_MAX_USERS accounts.
// - KX_LoginKXUnit checks the password and opens the controller's session;
//   a session held by another user is not taken over (KXE_SESSION_IN_USE),
//   one of the same user is renewed. Its result and that of
//   KX_GetLoginUser: the user name, and the login time on the unit clock
//   as the 14 digits YYYYMMDDhhmmss; the first text is empty when no one
//   is logged in.
// - KX_CheckLogin: 1 when the controller has a session, 0 when not.
// - KX_LogoutKXUnit ends the session (KXE_NOT_LOGGED_IN without one);
//   KX_ResetLogin ends it whoever holds it, and is fine without one.
// - KX_ChangeUser: the old record must name the account with its
//   password; the new one gives its name and password (a session follows
//   the rename). KX_DeleteUser checks the password too. Deleting an
//   account ends its sessions.
// - KXUserInformationRecord: `num` the number of accounts, `option` the
//   sessions: bit n set when controller n has one.
enum : int32_t {
  KX_MAX_USERS = 16,
  KX_LOGIN_TIME_LENGTH = 14,
};

// The station password: the empty text until one is set.
// KX_PasswdCheck(text) answers 0 when the text is the station password,
// -1 when it is not. KX_PasswdChange(text): "OLD NEW", the current
// password and the new one separated by blanks; while the password is
// still empty, just "NEW". A password is 1..16 bytes from 0x21 to 0x7E.
// Every password is kept as a salted, iterated SHA-256 hash, never as text.

// ---------------------------------------------------------------------------
// Unit information and clock.
//
// KX_GetUnitCondition(unit, controller): the controller (0 or 1) the
// request goes through; both see the same unit.
// KX_GetDriveInformation(unit, port, row) and
// KX_DriveReconstructInformation(unit, port, row): one drive slot.
//
// BaseInformationRecord: micro the microcode revision, kx_type and
// unit_conf those of the unit's registration, device_type and port_type
// below, sup_rglevel KX_SUPPORTED_RAID_LEVELS. LogicalInformationRecord:
// rg_count and lu_count the groups and LUs defined, hg_count and perm_count
// the host groups created and host permissions (kx_station_connectivity.h);
// the rest 0 while those areas are not modelled.
// PhysicalInformationRecord: the installed parts listed above, hdd_hdu_count
// the mounted drives, hdd_unit_count the enclosures holding drives.
enum : int32_t {
  KX_DEVICE_TYPE = 1,
  KX_PORT_TYPE_FIBRE = 1,
  KX_HOST_PORTS_PER_CONTROLLER = 2,
};

// The unit clock is the host clock plus an offset of whole seconds kept
// per unit (0 until set). It reads and takes local time; KX_SetUnitTime
// takes the calendar year in tm_year, KX_GetUnitTime gives years since
// 1900. Years 1970..2099 are accepted.
enum : int32_t {
  KX_CLOCK_FIRST_YEAR = 1970,
  KX_CLOCK_LAST_YEAR = 2099,
};
