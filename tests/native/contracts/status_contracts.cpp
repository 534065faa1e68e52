// Contract rows of unit condition, drives, unit information and the clock.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "status/status_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(status) {
  return {
      KX_CONTRACT(GetDriveInformation, unit(), int_in(), int_in(),
                  record_out(kDiskDriveInformationType)),
      KX_CONTRACT(GetUnitCondition, unit(), int_in(), record_out(kUnitConditionType)),
      KX_CONTRACT(GetDriveInformationAll, unit(),
                  table_out(kDiskDriveInformationType, kDriveSlotCount)),
      KX_CONTRACT(DriveReconstructInformation, unit(), int_in(), int_in(),
                  record_out(kDriveReconstructInformationType)),
      KX_CONTRACT(GetDriveStatus, unit(), table_out(kDiskDriveType, kDriveSlotCount)),
      KX_CONTRACT(GetUnitInformation, unit(), record_out(kUnitInformationType)),
      KX_CONTRACT(GetAllInformation, unit(), record_out(kArrayAllInformationType)),
      // The calendar conversions are checked by the clock's own tests.
      KX_CONTRACT(GetUnitTime, unit(), bytes_out(sizeof(BrokenDownTime))),
      KX_CONTRACT(SetUnitTime, unit(),
                  object_in(sizeof(BrokenDownTime), "java/util/GregorianCalendar")),
      KX_CONTRACT(SetUnitTimeNow, unit()),
  };
}
