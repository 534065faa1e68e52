// The array-wide snapshot: the whole configuration and status of a unit in
// one record, embedding at fixed offsets the records the individual reads
// return.
#pragma once

#include "kx_api.h"
#include "kx_connectivity.h"
#include "kx_parameters.h"
#include "kx_special_lus.h"
#include "kx_status.h"
#include "kx_storage.h"
#include "kx_users.h"
#include "kx_wizard.h"

enum : uint32_t {
  kSnapshotControllers = 2,
  kSnapshotUnconvertedSize = 2600,  // block the bridge passes through
};

struct ArrayAllInformationRecord {
  UnitConditionRecord unit_conditions[kSnapshotControllers];
  DiskDriveRecord drive_status[kDriveSlotCount];
  DiskDriveInformationRecord drive_info[kDriveSlotCount];
  RaidGroupRecord raid[kRaidGroupCapacity];
  LogicalUnitRecord lu[kLogicalUnitCapacity];
  CouplingInfoRecord lu_coup;
  IntegrationLUInfoRecord integration_lu;
  TurboLuRecord turbo_lu;
  // Row j, element i: record (j, i).
  TargetIdRecord target_id[kSnapshotControllers][kSnapshotControllers];
  LANInformationRecord lan_info[kSnapshotControllers];
  SyncControlRecord sync_ctrl[kSnapshotControllers];
  DiskDriveRestorationRecord rest_info;
  PrefetchInformationRecord prefetch_info;
  OnlineVerifyRecord verify;
  FibreInformationRecord fibre_info[kSnapshotControllers];
  KXUserInformationRecord user_reg_info;
  uint8_t unconverted[kSnapshotUnconvertedSize];
  CommandDeviceRecord comdev;
  NowWZParameterRecord on_opt[kSnapshotControllers];
  RvrfSrcInfoRecord rvrfsrc;
  UnitInformationRecord unit_info;
  int32_t alert[2];
  HGListRecord hg;
  uint8_t unused_after_hg[3];
  HGOptionRecord hgopt;
  PortOptionRecord portopt;
  LuMappingRecord lumap;
  WWNInformationRecord wwn;
  WWNHGInformationRecord wwnhg;
  OnlineSystemParamRecord on_sysparam;
  uint8_t unused_after_sysparam[2];
  OnlineTuningParamRecord on_tuning;
  TuningParamRecord tuning;
  uint8_t unused_after_tuning[1];
  UnitIdentifierRecord unit_identifier;
  int32_t ctrl_condition[2];
  int32_t last_lu;
};
KX_ASSERT_OFFSET(ArrayAllInformationRecord, unit_conditions, 0);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, drive_status, 1520);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, drive_info, 7820);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, raid, 15920);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, lu, 18080);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, lu_coup, 40608);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, integration_lu, 48808);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, turbo_lu, 1105580);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, target_id, 1105624);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, lan_info, 1138696);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, sync_ctrl, 1138832);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, rest_info, 1138848);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, prefetch_info, 1138868);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, verify, 1138888);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, fibre_info, 1138896);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, user_reg_info, 1247408);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, unconverted, 1247416);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, comdev, 1250016);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, on_opt, 1250056);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, rvrfsrc, 1250152);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, unit_info, 1250688);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, alert, 1250988);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, hg, 1250996);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, hgopt, 1256124);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, portopt, 1264336);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, lumap, 1264368);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, wwn, 1788684);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, wwnhg, 1838912);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, on_sysparam, 1865572);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, on_tuning, 1865624);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, tuning, 1866148);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, unit_identifier, 1866152);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, ctrl_condition, 1866192);
KX_ASSERT_OFFSET(ArrayAllInformationRecord, last_lu, 1866200);
KX_ASSERT_SIZE(ArrayAllInformationRecord, 1866204);
