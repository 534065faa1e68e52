// Operations the station does not model yet. Each answers KXE_NOT_SUPPORTED
// without touching its arguments, so the bridge links and every native method
// can be called end to end. A function leaves this file when its area is
// built.
#include "kx_core.h"
#include "kx_errors.h"

// Status: the array-wide snapshot.

int32_t KX_GetAllInformation(const char*, ArrayAllInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}

// Storage: PIN information, coupled, unified and turbo LUs, RAID/LU files.

int32_t KX_GetPinInfoGetTime(const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPinInfo(const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetCouplingInfo(const char*, CouplingInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetIntegrationLU(const char*, const UnifiedLuRequestRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetIntegrationPinInfo(const char*, PINInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTurboLU(const char*, TurboLuRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetTurboLU(const char*, const TurboLuRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPinInfo2(const char*, int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_IntegrationLUInfo(const char*, IntegrationLUInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_RgLuFileOutput(const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_RaidLuExport(const char*, const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_RaidLuImport(const char*, const char*, RaidGroupRecord*,
                        LogicalUnitRecord*) {
  return KXE_NOT_SUPPORTED;
}

// Connectivity: LAN, target IDs, Fibre Channel, host groups, WWNs, LU mapping.

int32_t KX_GetLANInformation(const char*, int32_t, LANInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetLANInformation(const char*, int32_t, const LANInformationRecord*,
                             int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetSyncControl(const char*, int32_t, SyncControlRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetSyncControl(const char*, int32_t, const SyncControlRecord*,
                          int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTargetId(const char*, int32_t, TargetIdRecord*, TargetIdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_TargetIdImport(const char*, const char*, TargetIdRecord*,
                          TargetIdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetTargetId(const char*, int32_t, const TargetIdRecord*, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetFibreInformation(const char*, FibreInformationRecord*,
                               FibreInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetFibreInformation(const char*, const FibreInformationRecord*,
                               const FibreInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_FibreInfoPermissionImport(const char*, const char*, int32_t, int32_t,
                                     int32_t*,
                                     FibreInformationPermissionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetHGList(const char*, HGListRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_CreateHG(const char*, int32_t, int32_t, int32_t,
                    const HostGroupNameRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ChangeHG(const char*, int32_t, int32_t, int32_t,
                    const HostGroupNameRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_DeleteHGList(const char*, const HostGroupSelectionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_InitHGList(const char*, const HostGroupSelectionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWWNInformation(const char*, WWNInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWWNInformation(const char*, const WWNInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWWNHGInformation(const char*, WWNHGInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWWNHGInformation(const char*, const WWNHGInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetHGOptionAll(const char*, HGOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetHGOptionAll(const char*, const HGOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetHGOption(const char*, int32_t, int32_t, int32_t,
                       HGOptionInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetHGOption(const char*, int32_t, int32_t, int32_t,
                       const HGOptionInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPortOption(const char*, PortOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetPortOption(const char*, const PortOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetLuMappingListAll(const char*, LuMappingRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetLuMappingListAll(const char*, const LuMappingRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetLuMappingList(const char*, int32_t, int32_t, int32_t, int32_t*,
                            LuMappingHGInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetLuMappingList(const char*, int32_t, int32_t, int32_t, int32_t,
                            const LuMappingHGInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ChangeMappingMode(const char*, int32_t) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetRvrfSrcPath(const char*, RvrfSrcInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetRvrfSrcPath(const char*, const RvrfSrcArrayUnitRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_DelRvrfSrcPath(const char*) { return KXE_NOT_SUPPORTED; }

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

// Wizard: the set-up wizard's parameters and the current wizard parameters.

int32_t KX_GetWizardParam(const char*, const char*, int32_t,
                          WizardParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWizardParam(const char*, const WizardParamRecord*, const char*,
                          int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_TestWizardParam(const char*, const WizardParamRecord*, const char*,
                           int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_WZTargetIdImport(const char*, const char*, const char*, int32_t,
                            WZTargetIdRecord*, WZTargetIdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetNowWZParam(const char*, int32_t, NowWZParameterRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetNowWZParam(const char*, int32_t, const NowWZParameterRecord*) {
  return KXE_NOT_SUPPORTED;
}

// Statistics: the statistics record and performance samples.

int32_t KX_GetStatisticalInformation(const char*, int32_t,
                                     StatisticalInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPerformance(const char*, StatisticalCommandRecord*,
                          StatisticalCommandRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_PerformanceOutput(const char*, const char*,
                             const StatisticalCommandRecord*,
                             const StatisticalCommandRecord*,
                             const StatisticalCommandRecord*,
                             const StatisticalCommandRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_PerformanceOutputLU(const char*, const char*,
                               const StatisticalCommandRecord*,
                               const StatisticalCommandRecord*,
                               const StatisticalCommandRecord*,
                               const StatisticalCommandRecord*, int32_t,
                               const uint8_t*, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_BlockToByte(int32_t, int32_t, int32_t, int32_t*, int32_t*,
                       int32_t*) {
  return KXE_NOT_SUPPORTED;
}

// Services: alerts, e-mail, SNMP, external programs and logs.

int32_t KX_GetEmailInfo(EmailInfoRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetEmailInfo(const EmailInfoRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_AlertCheck(const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetMailAppendInfo(const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_DelMailAppendInfo(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetMailAppendInfo(const char*, char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SendEmail(const char*, const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SendEmailTest(const char*, const EmailInfoRecord*, const char*,
                         const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetExProgramInfo(ExProgramInfoRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetExProgramInfo(const ExProgramInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ExecuteProgramTest(const ExProgramInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ExecuteProgram() { return KXE_NOT_SUPPORTED; }
int32_t KX_EnvironmentCheck() { return KXE_NOT_SUPPORTED; }
int32_t KX_ErrLogPut(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_ErrLogDelete() { return KXE_NOT_SUPPORTED; }
int32_t KX_AppLogPut(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_JavaVersionCheck(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetSnmpConfig(const char*, const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SnmpConfigOutput(const char*, const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}

// Maintenance: microcode replacement, traces, host files and unit control.

int32_t KX_MicroFileConcat(const char*, const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_MicroFileConcat2(const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_CancelMicroFileConcat() { return KXE_NOT_SUPPORTED; }
int32_t KX_GetMicroDownloadCount(const char*, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_MicroDownload(const char*, int32_t, int32_t, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_MicroReplace(const char*, int32_t) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetNewMicroRevision(char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_CreateTraceFile(const char*, int32_t, int32_t, int32_t,
                           const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_CreateTraceFile2(const char*, int32_t, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTraceText(const char*, int32_t, int32_t, int32_t, char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWebTrace(const char*, WebTraceRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetFileText(const char*, char**) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetFileLine(const char*, int32_t, char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ExistFile(const char*, int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_UnitReboot(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetSPinformation(const char*, int32_t, int32_t, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_FDDTest(const char*, int32_t, int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_TestUnitReady(const char*, int32_t) { return KXE_NOT_SUPPORTED; }
