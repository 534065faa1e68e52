// Records of coupled, unified and turbo LUs and of PIN information.
#pragma once

#include "kx_api.h"
#include "kx_storage.h"

enum : uint32_t {
  // Per-LU lists hold one entry per entry of the LU table.
  kPerLuCapacity = 512,
  // Turbo LUs: one entry per controller.
  kTurboControllerCapacity = 2,
};

// One pair of coupled LUs.
struct CouplingLURecord {
  int32_t primary_stat;
  int32_t second_stat;
  int32_t primary_lu;
  int32_t second_lu;
};
KX_ASSERT_OFFSET(CouplingLURecord, primary_stat, 0);
KX_ASSERT_OFFSET(CouplingLURecord, second_stat, 4);
KX_ASSERT_OFFSET(CouplingLURecord, primary_lu, 8);
KX_ASSERT_OFFSET(CouplingLURecord, second_lu, 12);
KX_ASSERT_SIZE(CouplingLURecord, 16);

// Every coupling pair of a unit (KX_GetCouplingInfo).
struct CouplingInfoRecord {
  int32_t quel_lite;
  int32_t coupling_num;
  CouplingLURecord coupling[kPerLuCapacity];
};
KX_ASSERT_OFFSET(CouplingInfoRecord, quel_lite, 0);
KX_ASSERT_OFFSET(CouplingInfoRecord, coupling_num, 4);
KX_ASSERT_OFFSET(CouplingInfoRecord, coupling, 8);
KX_ASSERT_SIZE(CouplingInfoRecord, 8200);

// One entry of the unified LU list.
struct UniteLURecord {
  int32_t unite_info;
  int32_t status;
  int32_t capacity;
  int32_t child_lu_count;
  int32_t child_lun[kPerLuCapacity];
};
KX_ASSERT_OFFSET(UniteLURecord, unite_info, 0);
KX_ASSERT_OFFSET(UniteLURecord, status, 4);
KX_ASSERT_OFFSET(UniteLURecord, capacity, 8);
KX_ASSERT_OFFSET(UniteLURecord, child_lu_count, 12);
KX_ASSERT_OFFSET(UniteLURecord, child_lun, 16);
KX_ASSERT_SIZE(UniteLURecord, 2064);

// The unified LUs of a unit (KX_IntegrationLUInfo). `unite_info` is the
// entry list; its elements' first int is also named unite_info.
struct IntegrationLUInfoRecord {
  int32_t integration_lu;
  UniteLURecord unite_info[kPerLuCapacity];
};
KX_ASSERT_OFFSET(IntegrationLUInfoRecord, integration_lu, 0);
KX_ASSERT_OFFSET(IntegrationLUInfoRecord, unite_info, 4);
KX_ASSERT_SIZE(IntegrationLUInfoRecord, 1056772);

// Pinned data of single and unified LUs (KX_GetIntegrationPinInfo).
struct PINInformationRecord {
  int32_t unite_option;
  int32_t single_lu[kPerLuCapacity];
  int32_t unite_lu[kPerLuCapacity];
};
KX_ASSERT_OFFSET(PINInformationRecord, unite_option, 0);
KX_ASSERT_OFFSET(PINInformationRecord, single_lu, 4);
KX_ASSERT_OFFSET(PINInformationRecord, unite_lu, 2052);
KX_ASSERT_SIZE(PINInformationRecord, 4100);

// The turbo LU of one controller.
struct TurboLuInfoRecord {
  int32_t current_status;
  int32_t current_assign;
  int32_t current_lun;
  int32_t reserve_assign;
  int32_t reserve_lun;
};
KX_ASSERT_OFFSET(TurboLuInfoRecord, current_status, 0);
KX_ASSERT_OFFSET(TurboLuInfoRecord, current_assign, 4);
KX_ASSERT_OFFSET(TurboLuInfoRecord, current_lun, 8);
KX_ASSERT_OFFSET(TurboLuInfoRecord, reserve_assign, 12);
KX_ASSERT_OFFSET(TurboLuInfoRecord, reserve_lun, 16);
KX_ASSERT_SIZE(TurboLuInfoRecord, 20);

// Turbo LUs of both controllers (KX_GetTurboLU, KX_SetTurboLU).
struct TurboLuRecord {
  int32_t option;
  TurboLuInfoRecord ctl[kTurboControllerCapacity];
};
KX_ASSERT_OFFSET(TurboLuRecord, option, 0);
KX_ASSERT_OFFSET(TurboLuRecord, ctl, 4);
KX_ASSERT_SIZE(TurboLuRecord, 44);

// A change to the unified LUs or coupling pairs (KX_SetIntegrationLU).
struct UnifiedLuRequestRecord {
  int32_t operation;
  int32_t parent_lun;
  int32_t child_lun;
};
KX_ASSERT_OFFSET(UnifiedLuRequestRecord, operation, 0);
KX_ASSERT_OFFSET(UnifiedLuRequestRecord, parent_lun, 4);
KX_ASSERT_OFFSET(UnifiedLuRequestRecord, child_lun, 8);
KX_ASSERT_SIZE(UnifiedLuRequestRecord, 12);
