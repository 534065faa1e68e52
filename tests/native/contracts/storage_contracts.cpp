// Contract rows of RAID groups, logical units and formatting.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(storage) {
  return {
      KX_CONTRACT(GetRaidGroups, unit(), table_out(kRaidGroupType, kRaidGroupCapacity)),
      KX_CONTRACT(RaidGroupAdd, unit(), record_in(kRaidGroupType)),
      KX_CONTRACT(RaidGroupDelete, unit(), int_in()),
      KX_CONTRACT(RaidGroupAllDelete, unit()),
      KX_CONTRACT(RaidGroupExpand, unit(), record_in(kRaidGroupType)),

      KX_CONTRACT(GetLogicalUnit, unit(), table_out(kLogicalUnitType, kLogicalUnitCapacity)),
      KX_CONTRACT(GetLogicalUnit1, unit(), int_in(), record_out(kLogicalUnitType)),
      KX_CONTRACT(LogicalUnitAdd, unit(), record_in(kLogicalUnitType)),
      KX_CONTRACT(LogicalUnitDelete, unit()),
      KX_CONTRACT(LogicalUnitDeleteAll, unit()),
      KX_CONTRACT(LogicalUnitExpand, unit(), int_in(), int_in()),
      KX_CONTRACT(LogicalUnitChangeStaging, unit(), int_in(), int_in()),
      KX_CONTRACT(LogicalUnitChangeCtl, unit(), int_in()),
      KX_CONTRACT(LogicalUnitFormat, unit(), int_in(), int_in()),
      KX_CONTRACT(LogicalUnitFormatStatus, unit(), int_in(), int_out()),
      KX_CONTRACT(GetLastLogicalUnit, unit(), int_out()),
      KX_CONTRACT(LogicalUnitInvalid, unit(), int_in()),
      KX_CONTRACT(LogicalUnitRestore, unit(), int_in()),
      KX_CONTRACT(LogicalUnitRealloc, unit(), record_in(kLuReallocRequestType)),

      KX_CONTRACT(EntryFormatList, unit(), record_in(kFormatEntryListType)),
      KX_CONTRACT(GetFormatStatusList, unit(), record_out(kFormatStatusListType)),
      KX_CONTRACT(LogicalUnitFormatStatusList, unit(), record_out(kLuFormatStatusListType)),
  };
}
