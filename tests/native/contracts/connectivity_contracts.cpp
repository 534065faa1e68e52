// Contract rows of host connectivity: LAN, synchronous ports, target IDs,
// Fibre Channel, host groups, WWNs, options, LU mapping and remote-verify
// source paths.
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_connectivity.h"
#include "kx_core.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(connectivity) {
  return {
      KX_CONTRACT(GetLANInformation, unit(), int_in(), record_out(kLANInformationType)),
      KX_CONTRACT(SetLANInformation, unit(), int_in(), record_in(kLANInformationType),
                  int_in()),
      KX_CONTRACT(GetSyncControl, unit(), int_in(), record_out(kSyncControlType)),
      KX_CONTRACT(SetSyncControl, unit(), int_in(), record_in(kSyncControlType), int_in()),
      // Both controllers' records, each through a pointer of its own, come
      // back as the two elements of one array.
      KX_CONTRACT(GetTargetId, unit(), int_in(), record_element_out(kTargetIdType, 0),
                  record_element_out(kTargetIdType, 1)),
      KX_CONTRACT(TargetIdImport, unit(), text(kLongNameSize),
                  record_element_out(kTargetIdType, 0), record_element_out(kTargetIdType, 1)),
      KX_CONTRACT(SetTargetId, unit(), int_in(), record_in(kTargetIdType), int_in()),

      KX_CONTRACT(GetFibreInformation, unit(), record_element_out(kFibreInformationType, 0),
                  record_element_out(kFibreInformationType, 1)),
      KX_CONTRACT(SetFibreInformation, unit(), record_in(kFibreInformationType),
                  record_in(kFibreInformationType)),
      // The count comes before the table; how the array follows a count
      // outside 0..128 is checked in connectivity_test.cpp.
      KX_CONTRACT(FibreInfoPermissionImport, unit(), text(kLongNameSize), int_in(), int_in(),
                  int_out(),
                  counted_table_out(kFibreInformationPermissionType, kHostGroupCapacity)),

      KX_CONTRACT(GetHGList, unit(), record_out(kHGListType)),
      KX_CONTRACT(CreateHG, unit(), int_in(), int_in(), int_in(), record_in(kHostGroupNameType)),
      KX_CONTRACT(ChangeHG, unit(), int_in(), int_in(), int_in(), record_in(kHostGroupNameType)),
      KX_CONTRACT(DeleteHGList, unit(), record_in(kDeleteHGSelectionType)),
      KX_CONTRACT(InitHGList, unit(), record_in(kInitHGSelectionType)),
      KX_CONTRACT(GetWWNInformation, unit(), record_out(kWWNInformationType)),
      KX_CONTRACT(SetWWNInformation, unit(), record_in(kWWNInformationType)),
      KX_CONTRACT(GetWWNHGInformation, unit(), record_out(kWWNHGInformationType)),
      KX_CONTRACT(SetWWNHGInformation, unit(), record_in(kWWNHGInformationType)),

      KX_CONTRACT(GetHGOptionAll, unit(), record_out(kHGOptionType)),
      KX_CONTRACT(SetHGOptionAll, unit(), record_in(kHGOptionType)),
      KX_CONTRACT(GetHGOption, unit(), int_in(), int_in(), int_in(),
                  record_out(kHGOptionInfoType)),
      KX_CONTRACT(SetHGOption, unit(), int_in(), int_in(), int_in(),
                  record_in(kHGOptionInfoType)),
      KX_CONTRACT(GetPortOption, unit(), record_out(kPortOptionType)),
      KX_CONTRACT(SetPortOption, unit(), record_in(kPortOptionType)),
      KX_CONTRACT(GetLuMappingListAll, unit(), record_out(kLuMappingType)),
      KX_CONTRACT(SetLuMappingListAll, unit(), record_in(kLuMappingType)),
      // Irregular: the result is an Object[2] of the core's int, boxed as an
      // Integer, and the mapping. No kind states a boxed int, so the int is
      // given as its four bytes; the boxing is checked in
      // connectivity_test.cpp.
      KX_CONTRACT(GetLuMappingList, unit(), int_in(), int_in(), int_in(), bytes_out(4),
                  record_element_out(kLuMappingHGInfoType, 1)),
      KX_CONTRACT(SetLuMappingList, unit(), int_in(), int_in(), int_in(), int_in(),
                  record_in(kLuMappingHGInfoType)),
      KX_CONTRACT(ChangeMappingMode, unit(), int_in()),

      KX_CONTRACT(GetRvrfSrcPath, unit(), record_out(kRvrfSrcInfoType)),
      KX_CONTRACT(SetRvrfSrcPath, unit(), record_in(kRvrfSrcArrayUnitType)),
      KX_CONTRACT(DelRvrfSrcPath, unit()),
  };
}
