// What the stand-in station puts in the parts of the snapshot record that no
// individual read returns.
//
// KX_GetAllInformation(unit) fills every embedded record with what the
// owning read returns for the unit, all inside one read transaction:
// unit_conditions[c] and on_opt[c], lan_info[c], sync_ctrl[c] as read
// through controller c; target_id[j] is the pair KX_GetTargetId(unit, 0)
// returns (both controllers report the unit's one table, so the rows are
// equal); fibre_info the pair of KX_GetFibreInformation; user_reg_info
// KX_GetUserInformation(unit, 0). The unconverted block and the unused bytes
// are left as the caller handed them.
#pragma once

#include <cstdint>

// alert[KX_SNAPSHOT_ALERT_KINDS]: the alert kinds standing now;
// alert[KX_SNAPSHOT_ALERT_NEW]: those of them the last KX_AlertCheck did not
// report (what KX_AlertCheck(unit, KX_ALERT_PEEK) answers, split in two).
enum : int32_t {
  KX_SNAPSHOT_ALERT_KINDS = 0,
  KX_SNAPSHOT_ALERT_NEW = 1,
};

// ctrl_condition[c]: whether controller c is working (the bit of
// UnitConditionRecord.controller_condition). last_lu: the highest LU number
// in use, KX_UNUSED_ENTRY (-1) when the unit has none.
enum : int32_t {
  KX_CONTROLLER_DOWN = 0,
  KX_CONTROLLER_WORKING = 1,
};
