// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Parameters: operating and drive parameters, unit identity, parameter files.

int32_t KX_GetOnlineSystemParam(const char*, OnlineSystemParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetOnlineSystemParam(const char*, const OnlineSystemParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetOnlineTuningParam(const char*, OnlineTuningParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetOnlineTuningParam(const char*, const OnlineTuningParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTuningParam(const char*, TuningParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetTuningParam(const char*, const TuningParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetDiskDriveRestoration(const char*, DiskDriveRestorationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetDiskDriveRestoration(const char*,
                                   const DiskDriveRestorationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPrefetchInformation(const char*, PrefetchInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetPrefetchInformation(const char*,
                                  const PrefetchInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetOnlineVerify(const char*, OnlineVerifyRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetOnlineVerify(const char*, const OnlineVerifyRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetThreshold(const char*, ThresholdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetThreshold(const char*, const ThresholdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetUnitIdentifier(const char*, UnitIdentifierRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetUnitIdentifier(const char*, const UnitIdentifierRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetCommandDevice(const char*, CommandDeviceRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetCommandDevice(const char*, const CommandDeviceRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWarningInfo(const char*, WarningInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWarningInfo(const char*, const WarningInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetAutoDump(const char*, int32_t, AutoDumpRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_OutputAutoDump(const char*, int32_t, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetAlertInterval(int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetAlertInterval(int32_t) { return KXE_NOT_SUPPORTED; }
int32_t KX_SystemParamExport(const char*, const char*, int32_t, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SystemParamImport(const char*, const char*, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ConfigExport(const char*, const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_ConfigImport(const char*, const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_ModeSense(const char*, int32_t, int32_t, int32_t, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ModeSelect(const char*, int32_t, int32_t, int32_t, const char*) {
  return KXE_NOT_SUPPORTED;
}
