// The 177 functions of the core library tesk740, one per native method.
//
// Every function returns 0 or a failure code (kx_errors.h). Unless a comment
// says otherwise, `unit` is a 17-byte NUL-terminated unit-name buffer and
// every other input text a 1024-byte NUL-terminated buffer. Plain ints are
// passed through unchanged; their meaning belongs to the core. Tables of
// records are passed as a pointer to their first entry; the core neither
// keeps nor frees any pointer it receives.
#pragma once

#include <cstdint>

#include "kx_api.h"
#include "kx_clock.h"
#include "kx_maintenance.h"
#include "kx_statistics.h"
#include "kx_services.h"
#include "kx_special_lus.h"
#include "kx_connectivity.h"
#include "kx_status.h"
#include "kx_storage.h"
#include "kx_units.h"
#include "kx_users.h"
#include "kx_parameters.h"
#include "kx_wizard.h"
#include "kx_snapshot.h"

// Units and user sessions (KXUnitParamRecord, KXLabelRecord and
// WorkingDirectoryRecord are defined in kx_units.h).
struct KXUserRegistRecord;       // user name and password, 34 bytes
struct KXUserInformationRecord;  // user information summary, 8 bytes

// Array status and inventory (the unit clock is a BrokenDownTime, defined in
// kx_clock.h).
struct UnitConditionRecord;
struct DiskDriveRecord;
struct DiskDriveInformationRecord;
struct DriveReconstructInformationRecord;
struct UnitInformationRecord;
struct ArrayAllInformationRecord;

// RAID groups and logical units.
struct RaidGroupRecord;
struct LogicalUnitRecord;
struct LuReallocRequestRecord;
struct FormatEntryListRecord;
struct FormatStatusListRecord;
struct LuFormatStatusListRecord;
struct CouplingInfoRecord;
struct UnifiedLuRequestRecord;
struct PINInformationRecord;
struct TurboLuRecord;
struct IntegrationLUInfoRecord;

// Host connectivity.
struct LANInformationRecord;
struct SyncControlRecord;
struct TargetIdRecord;
struct FibreInformationRecord;
struct FibreInformationPermissionRecord;
struct HGListRecord;
struct HostGroupNameRecord;       // the 9-byte name of one host group
struct HostGroupSelectionRecord;  // host groups to delete or initialise
struct WWNInformationRecord;
struct WWNHGInformationRecord;
struct HGOptionRecord;
struct HGOptionInfoRecord;
struct PortOptionRecord;
struct LuMappingRecord;
struct LuMappingHGInfoRecord;
struct RvrfSrcInfoRecord;
struct RvrfSrcArrayUnitRecord;

// Operating parameters.
struct OnlineSystemParamRecord;
struct OnlineTuningParamRecord;
struct TuningParamRecord;
struct DiskDriveRestorationRecord;
struct PrefetchInformationRecord;
struct OnlineVerifyRecord;
struct ThresholdRecord;
struct UnitIdentifierRecord;
struct CommandDeviceRecord;
struct WarningInfoRecord;
struct AutoDumpRecord;

// Setup wizard.
struct WizardParamRecord;
struct WZTargetIdRecord;
struct NowWZParameterRecord;

// Statistics and performance.
struct StatisticalInformationRecord;
struct StatisticalCommandRecord;

// Notification and host services.
struct EmailInfoRecord;
struct ExProgramInfoRecord;

// Maintenance.
struct WebTraceRecord;

// ---------------------------------------------------------------------------
// Units: the unit registry, user accounts, login and passwords.

KX_API int32_t KX_GetUnitParam(const char* unit, KXUnitParamRecord* record);
KX_API int32_t KX_UnitAdd(const KXUnitParamRecord* record);
KX_API int32_t KX_UnitDelete(const char* unit);
// old_unit is a 1024-byte buffer.
KX_API int32_t KX_UnitChange(const char* old_unit,
                             const KXUnitParamRecord* record);
// records has room for count entries.
KX_API int32_t KX_GetUnitParamTable(int32_t count, KXUnitParamRecord* records);
KX_API int32_t KX_GetUnitCount(int32_t* count);
KX_API int32_t KX_GUIInitialize(const WorkingDirectoryRecord* directory);
// entries has room for kLabelListCapacity labels; count receives how many
// are in use.
KX_API int32_t KX_GetLabelList(KXLabelRecord* entries, int32_t* count);
// result is a 1024-byte buffer.
KX_API int32_t KX_ModifyInfo(const char* text, int32_t value, char* result);

// The login and user functions take unit in a 1024-byte buffer. A login
// result holds two texts, at offsets 0 and 17: 36 bytes for KX_LoginKXUnit,
// 32 bytes for KX_GetLoginUser.
KX_API int32_t KX_LoginKXUnit(const char* unit, int32_t arg,
                              const KXUserRegistRecord* user, char* result);
KX_API int32_t KX_GetLoginUser(const char* unit, int32_t arg, char* result);
KX_API int32_t KX_LogoutKXUnit(const char* unit, int32_t arg);
KX_API int32_t KX_CheckLogin(const char* unit, int32_t arg, int32_t* value);
KX_API int32_t KX_GetUserInformation(const char* unit, int32_t arg,
                                     KXUserInformationRecord* info);
KX_API int32_t KX_RegistUser(const char* unit, int32_t arg,
                             const KXUserRegistRecord* user);
KX_API int32_t KX_ChangeUser(const char* unit, int32_t arg,
                             const KXUserRegistRecord* old_user,
                             const KXUserRegistRecord* new_user);
KX_API int32_t KX_DeleteUser(const char* unit, int32_t arg,
                             const KXUserRegistRecord* user);
KX_API int32_t KX_DeleteAllUser(const char* unit, int32_t arg);
KX_API int32_t KX_ResetLogin(const char* unit, int32_t arg);
KX_API int32_t KX_PasswdChange(const char* text);
// password is the caller's text of any length. Besides failure codes the
// core answers 0 or -1.
KX_API int32_t KX_PasswdCheck(const char* password);

// ---------------------------------------------------------------------------
// Status: unit condition, drives, unit information, clock and snapshot.

KX_API int32_t KX_GetDriveInformation(const char* unit, int32_t arg1,
                                      int32_t arg2,
                                      DiskDriveInformationRecord* record);
KX_API int32_t KX_GetUnitCondition(const char* unit, int32_t arg,
                                   UnitConditionRecord* record);
// table has room for 225 drive slots.
KX_API int32_t KX_GetDriveInformationAll(const char* unit,
                                         DiskDriveInformationRecord* table);
KX_API int32_t
KX_DriveReconstructInformation(const char* unit, int32_t arg1, int32_t arg2,
                               DriveReconstructInformationRecord* record);
// table has room for 225 drive slots.
KX_API int32_t KX_GetDriveStatus(const char* unit, DiskDriveRecord* table);

KX_API int32_t KX_GetUnitInformation(const char* unit,
                                     UnitInformationRecord* record);
KX_API int32_t KX_GetUnitTime(const char* unit, BrokenDownTime* clock);
KX_API int32_t KX_SetUnitTime(const char* unit, const BrokenDownTime* clock);
KX_API int32_t KX_SetUnitTimeNow(const char* unit);

KX_API int32_t KX_GetAllInformation(const char* unit,
                                    ArrayAllInformationRecord* record);

// ---------------------------------------------------------------------------
// Storage: RAID groups, logical units, formatting, special LUs, RAID/LU files.

// table has room for 45 RAID groups.
KX_API int32_t KX_GetRaidGroups(const char* unit, RaidGroupRecord* table);
KX_API int32_t KX_RaidGroupAdd(const char* unit, const RaidGroupRecord* record);
KX_API int32_t KX_RaidGroupDelete(const char* unit, int32_t arg);
KX_API int32_t KX_RaidGroupAllDelete(const char* unit);
KX_API int32_t KX_RaidGroupExpand(const char* unit,
                                  const RaidGroupRecord* record);

// table has room for 512 LUs.
KX_API int32_t KX_GetLogicalUnit(const char* unit, LogicalUnitRecord* table);
KX_API int32_t KX_GetLogicalUnit1(const char* unit, int32_t arg,
                                  LogicalUnitRecord* record);
KX_API int32_t KX_LogicalUnitAdd(const char* unit,
                                 const LogicalUnitRecord* record);
KX_API int32_t KX_LogicalUnitDelete(const char* unit);
KX_API int32_t KX_LogicalUnitDeleteAll(const char* unit);
KX_API int32_t KX_LogicalUnitExpand(const char* unit, int32_t arg1,
                                    int32_t arg2);
KX_API int32_t KX_LogicalUnitChangeStaging(const char* unit, int32_t arg1,
                                           int32_t arg2);
KX_API int32_t KX_LogicalUnitChangeCtl(const char* unit, int32_t arg);
KX_API int32_t KX_LogicalUnitFormat(const char* unit, int32_t arg1,
                                    int32_t arg2);
KX_API int32_t KX_LogicalUnitFormatStatus(const char* unit, int32_t arg,
                                          int32_t* value);
KX_API int32_t KX_GetLastLogicalUnit(const char* unit, int32_t* value);
KX_API int32_t KX_LogicalUnitInvalid(const char* unit, int32_t arg);
KX_API int32_t KX_LogicalUnitRestore(const char* unit, int32_t arg);
KX_API int32_t KX_LogicalUnitRealloc(const char* unit,
                                     const LuReallocRequestRecord* request);

KX_API int32_t KX_EntryFormatList(const char* unit,
                                  const FormatEntryListRecord* list);
KX_API int32_t KX_GetFormatStatusList(const char* unit,
                                      FormatStatusListRecord* record);
KX_API int32_t KX_LogicalUnitFormatStatusList(const char* unit,
                                              LuFormatStatusListRecord* record);

KX_API int32_t KX_GetPinInfoGetTime(const char* unit, int32_t arg,
                                    int32_t* value);
KX_API int32_t KX_GetPinInfo(const char* unit, int32_t arg, int32_t* value);
KX_API int32_t KX_GetCouplingInfo(const char* unit, CouplingInfoRecord* record);
KX_API int32_t KX_SetIntegrationLU(const char* unit,
                                   const UnifiedLuRequestRecord* request);
KX_API int32_t KX_GetIntegrationPinInfo(const char* unit,
                                        PINInformationRecord* record);
KX_API int32_t KX_GetTurboLU(const char* unit, TurboLuRecord* record);
KX_API int32_t KX_SetTurboLU(const char* unit, const TurboLuRecord* record);
// pin_list has room for 512 ints.
KX_API int32_t KX_GetPinInfo2(const char* unit, int32_t* pin_list);
KX_API int32_t KX_IntegrationLUInfo(const char* unit,
                                    IntegrationLUInfoRecord* record);

KX_API int32_t KX_RgLuFileOutput(const char* unit, const char* file_name);
KX_API int32_t KX_RaidLuExport(const char* unit, const char* file_name);
// raid_groups has room for 45 entries, logical_units for 512.
KX_API int32_t KX_RaidLuImport(const char* unit, const char* file_name,
                               RaidGroupRecord* raid_groups,
                               LogicalUnitRecord* logical_units);

// ---------------------------------------------------------------------------
// Connectivity: LAN, target IDs, Fibre Channel, host groups, WWNs, LU mapping.

KX_API int32_t KX_GetLANInformation(const char* unit, int32_t arg,
                                    LANInformationRecord* record);
KX_API int32_t KX_SetLANInformation(const char* unit, int32_t arg1,
                                    const LANInformationRecord* record,
                                    int32_t arg2);
KX_API int32_t KX_GetSyncControl(const char* unit, int32_t arg,
                                 SyncControlRecord* record);
KX_API int32_t KX_SetSyncControl(const char* unit, int32_t arg1,
                                 const SyncControlRecord* record, int32_t arg2);
KX_API int32_t KX_GetTargetId(const char* unit, int32_t arg,
                              TargetIdRecord* first, TargetIdRecord* second);
KX_API int32_t KX_TargetIdImport(const char* unit, const char* file_name,
                                 TargetIdRecord* first, TargetIdRecord* second);
KX_API int32_t KX_SetTargetId(const char* unit, int32_t arg1,
                              const TargetIdRecord* record, int32_t arg2);

KX_API int32_t KX_GetFibreInformation(const char* unit,
                                      FibreInformationRecord* first,
                                      FibreInformationRecord* second);
KX_API int32_t KX_SetFibreInformation(const char* unit,
                                      const FibreInformationRecord* first,
                                      const FibreInformationRecord* second);
// table has room for 128 permissions; count receives how many were read.
KX_API int32_t KX_FibreInfoPermissionImport(
    const char* unit, const char* file_name, int32_t arg1, int32_t arg2,
    int32_t* count, FibreInformationPermissionRecord* table);

KX_API int32_t KX_GetHGList(const char* unit, HGListRecord* record);
KX_API int32_t KX_CreateHG(const char* unit, int32_t arg1, int32_t arg2,
                           int32_t arg3, const HostGroupNameRecord* name);
KX_API int32_t KX_ChangeHG(const char* unit, int32_t arg1, int32_t arg2,
                           int32_t arg3, const HostGroupNameRecord* name);
KX_API int32_t KX_DeleteHGList(const char* unit,
                               const HostGroupSelectionRecord* selection);
KX_API int32_t KX_InitHGList(const char* unit,
                             const HostGroupSelectionRecord* selection);
KX_API int32_t KX_GetWWNInformation(const char* unit,
                                    WWNInformationRecord* record);
KX_API int32_t KX_SetWWNInformation(const char* unit,
                                    const WWNInformationRecord* record);
KX_API int32_t KX_GetWWNHGInformation(const char* unit,
                                      WWNHGInformationRecord* record);
KX_API int32_t KX_SetWWNHGInformation(const char* unit,
                                      const WWNHGInformationRecord* record);

KX_API int32_t KX_GetHGOptionAll(const char* unit, HGOptionRecord* record);
KX_API int32_t KX_SetHGOptionAll(const char* unit,
                                 const HGOptionRecord* record);
KX_API int32_t KX_GetHGOption(const char* unit, int32_t arg1, int32_t arg2,
                              int32_t arg3, HGOptionInfoRecord* entry);
KX_API int32_t KX_SetHGOption(const char* unit, int32_t arg1, int32_t arg2,
                              int32_t arg3, const HGOptionInfoRecord* entry);
KX_API int32_t KX_GetPortOption(const char* unit, PortOptionRecord* record);
KX_API int32_t KX_SetPortOption(const char* unit,
                                const PortOptionRecord* record);
KX_API int32_t KX_GetLuMappingListAll(const char* unit,
                                      LuMappingRecord* record);
KX_API int32_t KX_SetLuMappingListAll(const char* unit,
                                      const LuMappingRecord* record);
KX_API int32_t KX_GetLuMappingList(const char* unit, int32_t arg1, int32_t arg2,
                                   int32_t arg3, int32_t* value,
                                   LuMappingHGInfoRecord* mapping);
KX_API int32_t KX_SetLuMappingList(const char* unit, int32_t arg1, int32_t arg2,
                                   int32_t arg3, int32_t arg4,
                                   const LuMappingHGInfoRecord* mapping);
KX_API int32_t KX_ChangeMappingMode(const char* unit, int32_t arg);

KX_API int32_t KX_GetRvrfSrcPath(const char* unit, RvrfSrcInfoRecord* record);
KX_API int32_t KX_SetRvrfSrcPath(const char* unit,
                                 const RvrfSrcArrayUnitRecord* entry);
KX_API int32_t KX_DelRvrfSrcPath(const char* unit);

// ---------------------------------------------------------------------------
// Parameters: operating and drive parameters, unit identity, parameter files.

KX_API int32_t KX_GetOnlineSystemParam(const char* unit,
                                       OnlineSystemParamRecord* record);
KX_API int32_t KX_SetOnlineSystemParam(const char* unit,
                                       const OnlineSystemParamRecord* record);
KX_API int32_t KX_GetOnlineTuningParam(const char* unit,
                                       OnlineTuningParamRecord* record);
KX_API int32_t KX_SetOnlineTuningParam(const char* unit,
                                       const OnlineTuningParamRecord* record);
KX_API int32_t KX_GetTuningParam(const char* unit, TuningParamRecord* record);
KX_API int32_t KX_SetTuningParam(const char* unit,
                                 const TuningParamRecord* record);

KX_API int32_t KX_GetDiskDriveRestoration(const char* unit,
                                          DiskDriveRestorationRecord* record);
KX_API int32_t KX_SetDiskDriveRestoration(
    const char* unit, const DiskDriveRestorationRecord* record);
KX_API int32_t KX_GetPrefetchInformation(const char* unit,
                                         PrefetchInformationRecord* record);
KX_API int32_t KX_SetPrefetchInformation(
    const char* unit, const PrefetchInformationRecord* record);
KX_API int32_t KX_GetOnlineVerify(const char* unit, OnlineVerifyRecord* record);
KX_API int32_t KX_SetOnlineVerify(const char* unit,
                                  const OnlineVerifyRecord* record);
KX_API int32_t KX_GetThreshold(const char* unit, ThresholdRecord* record);
KX_API int32_t KX_SetThreshold(const char* unit, const ThresholdRecord* record);

KX_API int32_t KX_GetUnitIdentifier(const char* unit,
                                    UnitIdentifierRecord* identifier);
KX_API int32_t KX_SetUnitIdentifier(const char* unit,
                                    const UnitIdentifierRecord* identifier);
KX_API int32_t KX_GetCommandDevice(const char* unit,
                                   CommandDeviceRecord* device);
KX_API int32_t KX_SetCommandDevice(const char* unit,
                                   const CommandDeviceRecord* device);
KX_API int32_t KX_GetWarningInfo(const char* unit, WarningInfoRecord* info);
KX_API int32_t KX_SetWarningInfo(const char* unit,
                                 const WarningInfoRecord* info);
KX_API int32_t KX_GetAutoDump(const char* unit, int32_t arg,
                              AutoDumpRecord* dump);
KX_API int32_t KX_OutputAutoDump(const char* unit, int32_t arg,
                                 const char* path);
KX_API int32_t KX_GetAlertInterval(int32_t* interval);
KX_API int32_t KX_SetAlertInterval(int32_t interval);

KX_API int32_t KX_SystemParamExport(const char* unit, const char* path,
                                    int32_t arg1, int32_t arg2);
KX_API int32_t KX_SystemParamImport(const char* unit, const char* path,
                                    int32_t arg);
KX_API int32_t KX_ConfigExport(const char* unit, const char* path);
KX_API int32_t KX_ConfigImport(const char* unit, const char* path);
KX_API int32_t KX_ModeSense(const char* unit, int32_t arg1, int32_t arg2,
                            int32_t arg3, const char* path);
KX_API int32_t KX_ModeSelect(const char* unit, int32_t arg1, int32_t arg2,
                             int32_t arg3, const char* path);
KX_API int32_t KX_SetDriveMode(const char* unit, int32_t arg1, int32_t arg2,
                               int32_t arg3);

// ---------------------------------------------------------------------------
// Wizard: the set-up wizard's parameters and the current wizard parameters.

// The read takes the text before the record, the writes take it after.
KX_API int32_t KX_GetWizardParam(const char* unit, const char* text,
                                 int32_t arg, WizardParamRecord* record);
KX_API int32_t KX_SetWizardParam(const char* unit,
                                 const WizardParamRecord* record,
                                 const char* text, int32_t arg);
KX_API int32_t KX_TestWizardParam(const char* unit,
                                  const WizardParamRecord* record,
                                  const char* text, int32_t arg);
KX_API int32_t KX_WZTargetIdImport(const char* unit, const char* first_text,
                                   const char* second_text, int32_t arg,
                                   WZTargetIdRecord* first,
                                   WZTargetIdRecord* second);

KX_API int32_t KX_GetNowWZParam(const char* unit, int32_t arg,
                                NowWZParameterRecord* record);
KX_API int32_t KX_SetNowWZParam(const char* unit, int32_t arg,
                                const NowWZParameterRecord* record);

// ---------------------------------------------------------------------------
// Statistics: the statistics record and performance samples.

KX_API int32_t KX_GetStatisticalInformation(
    const char* unit, int32_t arg, StatisticalInformationRecord* record);

KX_API int32_t KX_GetPerformance(const char* unit,
                                 StatisticalCommandRecord* first,
                                 StatisticalCommandRecord* second);
KX_API int32_t KX_PerformanceOutput(const char* unit, const char* text,
                                    const StatisticalCommandRecord* record1,
                                    const StatisticalCommandRecord* record2,
                                    const StatisticalCommandRecord* record3,
                                    const StatisticalCommandRecord* record4);
// lu_list is a 512-byte list, one byte per LU.
KX_API int32_t KX_PerformanceOutputLU(const char* unit, const char* text,
                                      const StatisticalCommandRecord* record1,
                                      const StatisticalCommandRecord* record2,
                                      const StatisticalCommandRecord* record3,
                                      const StatisticalCommandRecord* record4,
                                      int32_t arg1, const uint8_t* lu_list,
                                      int32_t arg2);
KX_API int32_t KX_BlockToByte(int32_t arg1, int32_t arg2, int32_t arg3,
                              int32_t* result0, int32_t* result1,
                              int32_t* result2);

// ---------------------------------------------------------------------------
// Services: alerts, e-mail, SNMP, external programs and logs.

KX_API int32_t KX_GetEmailInfo(EmailInfoRecord* settings);
KX_API int32_t KX_SetEmailInfo(const EmailInfoRecord* settings);
KX_API int32_t KX_AlertCheck(const char* unit, int32_t arg, int32_t* value);
KX_API int32_t KX_SetMailAppendInfo(const char* unit, const char* text);
KX_API int32_t KX_DelMailAppendInfo(const char* unit);
// text is a 68-byte buffer.
KX_API int32_t KX_GetMailAppendInfo(const char* unit, char* text);
// second and third are whole texts of any length.
KX_API int32_t KX_SendEmail(const char* first, const char* second,
                            const char* third);
// long_text is a 2048-byte buffer.
KX_API int32_t KX_SendEmailTest(const char* unit,
                                const EmailInfoRecord* settings,
                                const char* text, const char* long_text);

KX_API int32_t KX_GetExProgramInfo(ExProgramInfoRecord* settings);
KX_API int32_t KX_SetExProgramInfo(const ExProgramInfoRecord* settings);
KX_API int32_t KX_ExecuteProgramTest(const ExProgramInfoRecord* settings);
KX_API int32_t KX_ExecuteProgram();
KX_API int32_t KX_EnvironmentCheck();
KX_API int32_t KX_ErrLogPut(const char* text);
KX_API int32_t KX_ErrLogDelete();
KX_API int32_t KX_AppLogPut(const char* text);
KX_API int32_t KX_JavaVersionCheck(const char* version);
KX_API int32_t KX_SetSnmpConfig(const char* unit, const char* first,
                                const char* second);
KX_API int32_t KX_SnmpConfigOutput(const char* unit, const char* first,
                                   const char* second);

// ---------------------------------------------------------------------------
// Maintenance: microcode replacement, traces, host files and unit control.

KX_API int32_t KX_MicroFileConcat(const char* unit, const char* file_name,
                                  int32_t arg, int32_t* value);
KX_API int32_t KX_MicroFileConcat2(const char* unit, const char* file_name);
KX_API int32_t KX_CancelMicroFileConcat();
KX_API int32_t KX_GetMicroDownloadCount(const char* unit, int32_t* count);
KX_API int32_t KX_MicroDownload(const char* unit, int32_t arg1, int32_t arg2,
                                int32_t arg3);
KX_API int32_t KX_MicroReplace(const char* unit, int32_t arg);
// revision is an 8-byte buffer.
KX_API int32_t KX_GetNewMicroRevision(char* revision);

KX_API int32_t KX_CreateTraceFile(const char* unit, int32_t arg1, int32_t arg2,
                                  int32_t arg3, const char* path);
KX_API int32_t KX_CreateTraceFile2(const char* unit, int32_t arg,
                                   const char* path);
// text is a 144000-byte buffer.
KX_API int32_t KX_GetTraceText(const char* unit, int32_t arg1, int32_t arg2,
                               int32_t arg3, char* text);
KX_API int32_t KX_GetWebTrace(const char* unit, WebTraceRecord* trace);
// On success *text is a NUL-terminated buffer from the shared C heap; the
// caller releases it with free().
KX_API int32_t KX_GetFileText(const char* path, char** text);
// line has room for length + 1 bytes.
KX_API int32_t KX_GetFileLine(const char* path, int32_t length, char* line);
KX_API int32_t KX_ExistFile(const char* path, int32_t* value);

// unit is a 1024-byte buffer.
KX_API int32_t KX_UnitReboot(const char* unit);
KX_API int32_t KX_SetSPinformation(const char* unit, int32_t arg1, int32_t arg2,
                                   int32_t arg3);
KX_API int32_t KX_FDDTest(const char* unit, int32_t arg, int32_t* result);
KX_API int32_t KX_TestUnitReady(const char* unit, int32_t arg);
