// The double's unit condition, drive, unit information and clock functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetDriveInformation(const char* unit, int32_t arg1,
                                      int32_t arg2,
                                      DiskDriveInformationRecord* record) {
  return CoreDouble::Scope("KX_GetDriveInformation")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetUnitCondition(const char* unit, int32_t arg,
                                   UnitConditionRecord* record) {
  return CoreDouble::Scope("KX_GetUnitCondition")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetDriveInformationAll(const char* unit,
                                         DiskDriveInformationRecord* table) {
  return CoreDouble::Scope("KX_GetDriveInformationAll")
      .in(unit, kUnitNameSize)
      .inout(table, sizeof(DriveInformationTable))
      .finish();
}

KX_API int32_t
KX_DriveReconstructInformation(const char* unit, int32_t arg1, int32_t arg2,
                               DriveReconstructInformationRecord* record) {
  return CoreDouble::Scope("KX_DriveReconstructInformation")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetDriveStatus(const char* unit, DiskDriveRecord* table) {
  return CoreDouble::Scope("KX_GetDriveStatus")
      .in(unit, kUnitNameSize)
      .inout(table, sizeof(DriveStatusTable))
      .finish();
}

KX_API int32_t KX_GetUnitInformation(const char* unit,
                                     UnitInformationRecord* record) {
  return CoreDouble::Scope("KX_GetUnitInformation")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetUnitTime(const char* unit, BrokenDownTime* clock) {
  return CoreDouble::Scope("KX_GetUnitTime")
      .in(unit, kUnitNameSize)
      .inout(clock, sizeof(*clock))
      .finish();
}

KX_API int32_t KX_SetUnitTime(const char* unit, const BrokenDownTime* clock) {
  return CoreDouble::Scope("KX_SetUnitTime")
      .in(unit, kUnitNameSize)
      .in(clock, sizeof(*clock))
      .finish();
}

KX_API int32_t KX_SetUnitTimeNow(const char* unit) {
  return CoreDouble::Scope("KX_SetUnitTimeNow")
      .in(unit, kUnitNameSize)
      .finish();
}
