// The double's operating-parameter functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_SetDriveMode(const char* unit, int32_t arg1, int32_t arg2,
                               int32_t arg3) {
  return CoreDouble::Scope("KX_SetDriveMode")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .finish();
}

KX_API int32_t KX_GetOnlineSystemParam(const char* unit, OnlineSystemParamRecord* record) {
  return CoreDouble::Scope("KX_GetOnlineSystemParam")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetOnlineSystemParam(const char* unit, const OnlineSystemParamRecord* record) {
  return CoreDouble::Scope("KX_SetOnlineSystemParam")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetOnlineTuningParam(const char* unit, OnlineTuningParamRecord* record) {
  return CoreDouble::Scope("KX_GetOnlineTuningParam")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetOnlineTuningParam(const char* unit, const OnlineTuningParamRecord* record) {
  return CoreDouble::Scope("KX_SetOnlineTuningParam")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetTuningParam(const char* unit, TuningParamRecord* record) {
  return CoreDouble::Scope("KX_GetTuningParam")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetTuningParam(const char* unit, const TuningParamRecord* record) {
  return CoreDouble::Scope("KX_SetTuningParam")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetDiskDriveRestoration(const char* unit, DiskDriveRestorationRecord* record) {
  return CoreDouble::Scope("KX_GetDiskDriveRestoration")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetDiskDriveRestoration(const char* unit, const DiskDriveRestorationRecord* record) {
  return CoreDouble::Scope("KX_SetDiskDriveRestoration")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetPrefetchInformation(const char* unit, PrefetchInformationRecord* record) {
  return CoreDouble::Scope("KX_GetPrefetchInformation")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetPrefetchInformation(const char* unit, const PrefetchInformationRecord* record) {
  return CoreDouble::Scope("KX_SetPrefetchInformation")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetOnlineVerify(const char* unit, OnlineVerifyRecord* record) {
  return CoreDouble::Scope("KX_GetOnlineVerify")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetOnlineVerify(const char* unit, const OnlineVerifyRecord* record) {
  return CoreDouble::Scope("KX_SetOnlineVerify")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetThreshold(const char* unit, ThresholdRecord* record) {
  return CoreDouble::Scope("KX_GetThreshold")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetThreshold(const char* unit, const ThresholdRecord* record) {
  return CoreDouble::Scope("KX_SetThreshold")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetUnitIdentifier(const char* unit, UnitIdentifierRecord* record) {
  return CoreDouble::Scope("KX_GetUnitIdentifier")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetUnitIdentifier(const char* unit, const UnitIdentifierRecord* record) {
  return CoreDouble::Scope("KX_SetUnitIdentifier")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetCommandDevice(const char* unit, CommandDeviceRecord* record) {
  return CoreDouble::Scope("KX_GetCommandDevice")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetCommandDevice(const char* unit, const CommandDeviceRecord* record) {
  return CoreDouble::Scope("KX_SetCommandDevice")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetWarningInfo(const char* unit, WarningInfoRecord* record) {
  return CoreDouble::Scope("KX_GetWarningInfo")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetWarningInfo(const char* unit, const WarningInfoRecord* record) {
  return CoreDouble::Scope("KX_SetWarningInfo")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetAutoDump(const char* unit, int32_t arg,
                              AutoDumpRecord* dump) {
  return CoreDouble::Scope("KX_GetAutoDump")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(dump, sizeof(*dump))
      .finish();
}

KX_API int32_t KX_OutputAutoDump(const char* unit, int32_t arg,
                                 const char* path) {
  return CoreDouble::Scope("KX_OutputAutoDump")
      .in(unit, kUnitNameSize)
      .value(arg)
      .in(path, kLongNameSize)
      .finish();
}

KX_API int32_t KX_GetAlertInterval(int32_t* interval) {
  return CoreDouble::Scope("KX_GetAlertInterval").out_int(interval).finish();
}

KX_API int32_t KX_SetAlertInterval(int32_t interval) {
  return CoreDouble::Scope("KX_SetAlertInterval").value(interval).finish();
}

KX_API int32_t KX_SystemParamExport(const char* unit, const char* path,
                                    int32_t arg1, int32_t arg2) {
  return CoreDouble::Scope("KX_SystemParamExport")
      .in(unit, kUnitNameSize)
      .in(path, kLongNameSize)
      .value(arg1)
      .value(arg2)
      .finish();
}

KX_API int32_t KX_SystemParamImport(const char* unit, const char* path,
                                    int32_t arg) {
  return CoreDouble::Scope("KX_SystemParamImport")
      .in(unit, kUnitNameSize)
      .in(path, kLongNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_ConfigExport(const char* unit, const char* path) {
  return CoreDouble::Scope("KX_ConfigExport")
      .in(unit, kUnitNameSize)
      .in(path, kLongNameSize)
      .finish();
}

KX_API int32_t KX_ConfigImport(const char* unit, const char* path) {
  return CoreDouble::Scope("KX_ConfigImport")
      .in(unit, kUnitNameSize)
      .in(path, kLongNameSize)
      .finish();
}

KX_API int32_t KX_ModeSense(const char* unit, int32_t arg1, int32_t arg2,
                            int32_t arg3, const char* path) {
  return CoreDouble::Scope("KX_ModeSense")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .in(path, kLongNameSize)
      .finish();
}

KX_API int32_t KX_ModeSelect(const char* unit, int32_t arg1, int32_t arg2,
                             int32_t arg3, const char* path) {
  return CoreDouble::Scope("KX_ModeSelect")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .in(path, kLongNameSize)
      .finish();
}
