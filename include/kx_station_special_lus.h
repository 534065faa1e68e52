// What the ints of coupled, unified and turbo LUs, PIN information and the
// RAID group and LU configuration files mean in the simulated station.
// docs/special-lus.md describes the behaviour around them.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// KX_SetIntegrationLU: UnifiedLuRequestRecord.operation selects the change.
//
// - KX_UNIFY_JOIN: LU child_lun joins the unified LU whose parent is
//   parent_lun (a single LU becomes a parent with its first child). Parent
//   and child lie in RAID groups of the same RAID level; the child is in no
//   unified LU and no coupling pair; the parent is no child and in no pair.
//   Neither may be formatting.
// - KX_UNIFY_SPLIT: the unified LU of parent parent_lun falls apart into
//   single LUs again (child_lun is not read). Refused while the parent is
//   paired.
// - KX_PAIR_CREATE: LU parent_lun (the primary) is coupled with LU
//   child_lun (the secondary). Both have the same capacity (a unified
//   parent counts with its children), neither is a unified child or in
//   another pair, neither is formatting. The secondary then copies the
//   primary for as long as formatting the capacity would take.
// - KX_PAIR_DELETE: the pair whose primary is parent_lun is dissolved
//   (child_lun is not read).
//
// While unified, a member (parent or child) cannot be deleted, renumbered,
// resized or formatted on its own: KX_LogicalUnitFormat refuses it, and a
// KX_EntryFormatList that holds one member must hold all of them. A child
// cannot be paired or made a turbo LU; hosts reach it only through its
// parent, so the LU mapping calls refuse it too. While paired, an LU cannot
// be deleted, renumbered, resized or unified. Deleting all LUs is refused
// while any LU is unified or paired.
enum : int32_t {
  KX_UNIFY_JOIN = 1,
  KX_UNIFY_SPLIT = 2,
  KX_PAIR_CREATE = 3,
  KX_PAIR_DELETE = 4,
};

// IntegrationLUInfoRecord (KX_IntegrationLUInfo): integration_lu is the
// number of unified LUs. Entry i of unite_info describes LU i:
// - unite_info: its role (below);
// - status: a KX_LU_ status (kx_station.h); for a parent the status of the
//   whole unified LU: formatting while any member formats, else unformatted
//   while any member is, else formatted;
// - capacity: MB; for a parent the sum of its own and its children's;
// - child_lu_count and child_lun: a parent's children in the order they
//   joined, the rest of the 512 ints KX_UNUSED_ENTRY. Other entries have
//   count 0 and every child_lun KX_UNUSED_ENTRY.
// An entry without an LU has role KX_UNITE_NO_LU and zero status and
// capacity.
enum : int32_t {
  KX_UNITE_NO_LU = -1,
  KX_UNITE_SINGLE = 0,
  KX_UNITE_PARENT = 1,
  KX_UNITE_CHILD = 2,
};

// CouplingInfoRecord (KX_GetCouplingInfo): coupling_num pairs in entries
// 0 .. coupling_num - 1, ordered by primary LU; the other entries have both
// LU numbers KX_UNUSED_ENTRY and both states 0. primary_stat and
// second_stat are the pair's state as seen from each side: copying after
// the pair was made, then synchronized; suspended while either LU holds
// pinned data. quel_lite is the number of pairs still copying.
enum : int32_t {
  KX_PAIR_COPYING = 1,
  KX_PAIR_SYNCHRONIZED = 2,
  KX_PAIR_SUSPENDED = 3,
};

// TurboLuRecord (KX_GetTurboLU, KX_SetTurboLU): ctl[n] is the turbo LU of
// controller n, an LU kept resident in that controller's cache. Each
// controller sets aside KX_TURBO_CACHE_MB of its 4096 MB of cache for it,
// so a turbo LU holds at most that many MB (a unified parent counts with
// its children).
// - option: KX_TURBO_OFF releases both turbo LUs (KX_SetTurboLU does not
//   read the entries then); KX_TURBO_ON applies the entries.
// - reserve_assign, reserve_lun: what was asked: KX_TURBO_ASSIGNED and the
//   LU, or KX_TURBO_UNASSIGNED and KX_UNUSED_ENTRY. KX_SetTurboLU reads only
//   these two of each entry. An LU is the turbo LU of one controller at
//   most, and cannot be a unified child.
// - current_status: KX_TURBO_NONE without an assignment, KX_TURBO_RESIDENT
//   while the LU is in the cache, KX_TURBO_SUSPENDED while it cannot be:
//   the LU was deleted, grew beyond the budget, or became a unified child.
// - current_assign, current_lun: what is in effect: KX_TURBO_ASSIGNED and
//   the LU while resident, else KX_TURBO_UNASSIGNED and KX_UNUSED_ENTRY.
enum : int32_t {
  KX_TURBO_OFF = 0,
  KX_TURBO_ON = 1,
  KX_TURBO_UNASSIGNED = 0,
  KX_TURBO_ASSIGNED = 1,
  KX_TURBO_NONE = 0,
  KX_TURBO_RESIDENT = 1,
  KX_TURBO_SUSPENDED = 2,
  KX_TURBO_CACHE_MB = 2048,
};

// PIN information. While a member drive of an LU's RAID group is blocked
// (KX_SetDriveMode) or rebuilding, the LU holds pinned data: write data
// the cache cannot write to the drives, min(capacity, KX_PIN_MB_PER_LU) MB.
// It clears when the rebuild ends (for RAID 0, when the drive returns).
// A unified LU holds the pinned data of all its members.
// - KX_GetPinInfo(unit, lu, &mb): the LU's pinned data in MB, 0 for none.
// - KX_GetPinInfo2(unit, list): entry i the pinned MB of LU i,
//   KX_UNUSED_ENTRY for a number without an LU.
// - KX_GetPinInfoGetTime(unit, part, &value): when the unit's oldest pinned
//   data appeared, on the unit clock (local time): KX_PIN_TIME_DATE gives
//   YYYYMMDD, KX_PIN_TIME_OF_DAY hhmmss; 0 when nothing is pinned. The
//   moment is that of the block of the drive.
// - PINInformationRecord (KX_GetIntegrationPinInfo): single_lu as the list
//   of KX_GetPinInfo2; unite_lu[i] for the parent i of a unified LU the
//   pinned MB of all its members together, KX_UNUSED_ENTRY for every other
//   entry; unite_option the number of unified LUs holding pinned data.
enum : int32_t {
  KX_PIN_MB_PER_LU = 64,
  KX_PIN_TIME_DATE = 0,
  KX_PIN_TIME_OF_DAY = 1,
};

// RAID group and LU configuration files (KX_RaidLuExport, KX_RgLuFileOutput,
// KX_RaidLuImport): a text format, version KX_RGLU_FILE_VERSION, described
// in docs/special-lus.md. A file is at most KX_RGLU_FILE_MAX_BYTES long.
enum : int32_t {
  KX_RGLU_FILE_VERSION = 1,
  KX_RGLU_FILE_MAX_BYTES = 1 << 20,
};
