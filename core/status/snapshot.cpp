// The array-wide snapshot: every area's read of one unit, taken inside one
// read transaction so that the records agree with each other and with what
// the individual reads return at that moment.
#include <algorithm>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_services.h"
#include "kx_station_snapshot.h"
#include "model/registry.h"
#include "station/station.h"

using tesk740::Database;
using tesk740::Station;

namespace {

// Ends the snapshot with the first failing read's code.
void Require(int32_t code) {
  if (code != KX_OK) tesk740::Fail(code);
}

int32_t LastLu(const LogicalUnitRecord (&table)[kLogicalUnitCapacity]) {
  int32_t last = KX_UNUSED_ENTRY;
  for (const LogicalUnitRecord& lu : table) {
    if (lu.luNumber != KX_UNUSED_ENTRY) last = std::max(last, lu.luNumber);
  }
  return last;
}

}  // namespace

KX_API int32_t KX_GetAllInformation(const char* unit,
                                    ArrayAllInformationRecord* record) {
  if (record == nullptr) return KXE_INVALID_ARGUMENT;
  return Station::Get().Read([&](Database& database) -> int32_t {
    tesk740::RequireUnit(database, unit, kUnitNameSize);
    ArrayAllInformationRecord& all = *record;
    for (int32_t ctl = 0; ctl < 2; ++ctl) {
      Require(KX_GetUnitCondition(unit, ctl, &all.unit_conditions[ctl]));
    }
    Require(KX_GetDriveStatus(unit, all.drive_status));
    Require(KX_GetDriveInformationAll(unit, all.drive_info));
    Require(KX_GetRaidGroups(unit, all.raid));
    Require(KX_GetLogicalUnit(unit, all.lu));
    Require(KX_GetCouplingInfo(unit, &all.lu_coup));
    Require(KX_IntegrationLUInfo(unit, &all.integration_lu));
    Require(KX_GetTurboLU(unit, &all.turbo_lu));
    // Each controller reports the unit's one pair of target-ID records.
    for (auto& row : all.target_id) {
      Require(KX_GetTargetId(unit, 0, &row[0], &row[1]));
    }
    for (int32_t ctl = 0; ctl < 2; ++ctl) {
      Require(KX_GetLANInformation(unit, ctl, &all.lan_info[ctl]));
      Require(KX_GetSyncControl(unit, ctl, &all.sync_ctrl[ctl]));
    }
    Require(KX_GetDiskDriveRestoration(unit, &all.rest_info));
    Require(KX_GetPrefetchInformation(unit, &all.prefetch_info));
    Require(KX_GetOnlineVerify(unit, &all.verify));
    Require(KX_GetFibreInformation(unit, &all.fibre_info[0], &all.fibre_info[1]));
    Require(KX_GetUserInformation(unit, 0, &all.user_reg_info));
    Require(KX_GetCommandDevice(unit, &all.comdev));
    for (int32_t ctl = 0; ctl < 2; ++ctl) {
      Require(KX_GetNowWZParam(unit, ctl, &all.on_opt[ctl]));
    }
    Require(KX_GetRvrfSrcPath(unit, &all.rvrfsrc));
    Require(KX_GetUnitInformation(unit, &all.unit_info));
    int32_t alerts = 0;
    Require(KX_AlertCheck(unit, KX_ALERT_PEEK, &alerts));
    // The value holds three sets of kinds: standing, new and ended; the
    // snapshot keeps the first two.
    const int32_t kinds_mask = (1 << KX_ALERT_NEW_SHIFT) - 1;
    const int32_t new_mask =
        (1 << (KX_ALERT_CLEARED_SHIFT - KX_ALERT_NEW_SHIFT)) - 1;
    all.alert[KX_SNAPSHOT_ALERT_KINDS] = alerts & kinds_mask;
    all.alert[KX_SNAPSHOT_ALERT_NEW] = (alerts >> KX_ALERT_NEW_SHIFT) & new_mask;
    Require(KX_GetHGList(unit, &all.hg));
    Require(KX_GetHGOptionAll(unit, &all.hgopt));
    Require(KX_GetPortOption(unit, &all.portopt));
    Require(KX_GetLuMappingListAll(unit, &all.lumap));
    Require(KX_GetWWNInformation(unit, &all.wwn));
    Require(KX_GetWWNHGInformation(unit, &all.wwnhg));
    Require(KX_GetOnlineSystemParam(unit, &all.on_sysparam));
    Require(KX_GetOnlineTuningParam(unit, &all.on_tuning));
    Require(KX_GetTuningParam(unit, &all.tuning));
    Require(KX_GetUnitIdentifier(unit, &all.unit_identifier));
    const uint8_t working = all.unit_conditions[0].controller_condition;
    for (int32_t ctl = 0; ctl < 2; ++ctl) {
      all.ctrl_condition[ctl] = (working >> ctl) & 1 ? KX_CONTROLLER_WORKING
                                                     : KX_CONTROLLER_DOWN;
    }
    all.last_lu = LastLu(all.lu);
    return KX_OK;
  });
}
