package korvane.str.diskarray;

import java.util.GregorianCalendar;

/**
 * The native operations of the disk-array station, one static method per core function.
 *
 * <p>Every method reports a failure as a {@link DiskArrayException} carrying the error code, or
 * as an {@link OutOfMemoryError} when the native heap is exhausted. Plain int arguments are
 * passed through to the core unchanged. Parameters typed {@code Object} accept any object that
 * carries the fields the operation reads.
 */
public final class DiskArrayUtilityJNI {
  static {
    System.loadLibrary("diskarrayjni");
  }

  private DiskArrayUtilityJNI() {}

  // Units: the unit registry, user accounts, login and passwords.

  public static native KXUnitParam KX_GetUnitParam(String unitName);

  public static native void KX_UnitAdd(KXUnitParam record);

  public static native void KX_UnitDelete(String unitName);

  public static native void KX_UnitChange(String oldUnitName, KXUnitParam record);

  public static native KXUnitParam[] KX_GetUnitParamTable(int count);

  public static native int KX_GetUnitCount();

  /** {@code workingDirectory} carries the String field {@code tesk_path}. */
  public static native void KX_GUIInitialize(Object workingDirectory);

  public static native KXLabel[] KX_GetLabelList();

  public static native String KX_ModifyInfo(String text, int value);

  public static native String[] KX_LoginKXUnit(String unitName, int arg, KXUserRegist user);

  public static native String[] KX_GetLoginUser(String unitName, int arg);

  public static native void KX_LogoutKXUnit(String unitName, int arg);

  public static native int KX_CheckLogin(String unitName, int arg);

  public static native KXUserRegist KX_GetUserInformation(String unitName, int arg);

  public static native void KX_RegistUser(String unitName, int arg, KXUserRegist user);

  public static native void KX_ChangeUser(
      String unitName, int arg, KXUserRegist oldUser, KXUserRegist newUser);

  public static native void KX_DeleteUser(String unitName, int arg, KXUserRegist user);

  public static native void KX_DeleteAllUser(String unitName, int arg);

  public static native void KX_ResetLogin(String unitName, int arg);

  public static native void KX_PasswdChange(String text);

  public static native int KX_PasswdCheck(String password);

  // Status: unit condition, drives, unit information, clock and snapshot.

  public static native DiskDriveInformation KX_GetDriveInformation(
      String unitName, int arg1, int arg2);

  public static native UnitCondition KX_GetUnitCondition(String unitName, int arg);

  public static native DiskDriveInformation[] KX_GetDriveInformationAll(String unitName);

  public static native DriveReconstructInformation KX_DriveReconstructInformation(
      String unitName, int arg1, int arg2);

  public static native DiskDrive[] KX_GetDriveStatus(String unitName);

  public static native UnitInformation KX_GetUnitInformation(String unitName);

  public static native GregorianCalendar KX_GetUnitTime(String unitName);

  public static native void KX_SetUnitTime(String unitName, GregorianCalendar time);

  public static native void KX_SetUnitTimeNow(String unitName);

  public static native ArrayAllInformation KX_GetAllInformation(String unitName);

  // Storage: RAID groups, logical units, formatting, special LUs, RAID/LU files.

  public static native RaidGroup[] KX_GetRaidGroups(String unitName);

  public static native void KX_RaidGroupAdd(String unitName, RaidGroup raidGroup);

  public static native void KX_RaidGroupDelete(String unitName, int arg);

  public static native void KX_RaidGroupAllDelete(String unitName);

  public static native void KX_RaidGroupExpand(String unitName, RaidGroup raidGroup);

  public static native LogicalUnit[] KX_GetLogicalUnit(String unitName);

  public static native LogicalUnit KX_GetLogicalUnit1(String unitName, int arg);

  public static native void KX_LogicalUnitAdd(String unitName, LogicalUnit logicalUnit);

  public static native void KX_LogicalUnitDelete(String unitName);

  public static native void KX_LogicalUnitDeleteAll(String unitName);

  public static native void KX_LogicalUnitExpand(String unitName, int arg1, int arg2);

  public static native void KX_LogicalUnitChangeStaging(String unitName, int arg1, int arg2);

  public static native void KX_LogicalUnitChangeCtl(String unitName, int arg);

  public static native void KX_LogicalUnitFormat(String unitName, int arg1, int arg2);

  public static native int KX_LogicalUnitFormatStatus(String unitName, int arg);

  public static native int KX_GetLastLogicalUnit(String unitName);

  public static native void KX_LogicalUnitInvalid(String unitName, int arg);

  public static native void KX_LogicalUnitRestore(String unitName, int arg);

  /** {@code request} carries the int fields {@code lun}, {@code lusize} and {@code newlun}. */
  public static native void KX_LogicalUnitRealloc(String unitName, Object request);

  /** {@code entryList} carries the byte[] field {@code lu} of at least 512 bytes. */
  public static native void KX_EntryFormatList(String unitName, Object entryList);

  public static native FormatStatusList KX_GetFormatStatusList(String unitName);

  public static native LuFormatStatusList KX_LogicalUnitFormatStatusList(String unitName);

  public static native int KX_GetPinInfoGetTime(String unitName, int arg);

  public static native int KX_GetPinInfo(String unitName, int arg);

  public static native CouplingInfo KX_GetCouplingInfo(String unitName);

  /**
   * {@code request} carries the int fields {@code operation}, {@code parent_lun} and {@code
   * child_lun}.
   */
  public static native void KX_SetIntegrationLU(String unitName, Object request);

  public static native PINInformation KX_GetIntegrationPinInfo(String unitName);

  public static native TurboLu KX_GetTurboLU(String unitName);

  public static native void KX_SetTurboLU(String unitName, TurboLu turboLu);

  public static native int[] KX_GetPinInfo2(String unitName);

  public static native IntegrationLUInfo KX_IntegrationLUInfo(String unitName);

  public static native void KX_RgLuFileOutput(String unitName, String fileName);

  public static native void KX_RaidLuExport(String unitName, String fileName);

  /** Returns 45 {@link RaidGroup} slots followed by 512 {@link LogicalUnit} slots. */
  public static native Object[] KX_RaidLuImport(String unitName, String fileName);

  // Connectivity: LAN, target IDs, Fibre Channel, host groups, WWNs, options, LU mapping.

  public static native LANInformation KX_GetLANInformation(String unitName, int arg);

  public static native void KX_SetLANInformation(
      String unitName, int arg1, LANInformation lanInformation, int arg2);

  public static native SyncControl KX_GetSyncControl(String unitName, int arg);

  public static native void KX_SetSyncControl(
      String unitName, int arg1, SyncControl syncControl, int arg2);

  public static native TargetId[] KX_GetTargetId(String unitName, int arg);

  public static native TargetId[] KX_TargetIdImport(String unitName, String fileName);

  public static native void KX_SetTargetId(String unitName, int arg1, TargetId targetId, int arg2);

  public static native FibreInformation[] KX_GetFibreInformation(String unitName);

  public static native void KX_SetFibreInformation(
      String unitName, FibreInformation first, FibreInformation second);

  public static native FibreInformationPermission[] KX_FibreInfoPermissionImport(
      String unitName, String fileName, int arg1, int arg2);

  public static native HGList KX_GetHGList(String unitName);

  /** {@code hostGroupName} carries the String field {@code hgname}. */
  public static native void KX_CreateHG(
      String unitName, int arg1, int arg2, int arg3, Object hostGroupName);

  /** {@code hostGroupName} carries the String field {@code hgname}. */
  public static native void KX_ChangeHG(
      String unitName, int arg1, int arg2, int arg3, Object hostGroupName);

  /** {@code selection} carries the field {@code ctl}, a {@code DeleteHGCtlList[]}. */
  public static native void KX_DeleteHGList(String unitName, Object selection);

  /** {@code selection} carries the field {@code ctl}, an {@code InitHGCtlList[]}. */
  public static native void KX_InitHGList(String unitName, Object selection);

  public static native WWNInformation KX_GetWWNInformation(String unitName);

  public static native void KX_SetWWNInformation(String unitName, WWNInformation wwnInformation);

  public static native WWNHGInformation KX_GetWWNHGInformation(String unitName);

  public static native void KX_SetWWNHGInformation(
      String unitName, WWNHGInformation wwnHgInformation);

  public static native HGOption KX_GetHGOptionAll(String unitName);

  public static native void KX_SetHGOptionAll(String unitName, HGOption hgOption);

  public static native HGOptionInfo KX_GetHGOption(String unitName, int arg1, int arg2, int arg3);

  public static native void KX_SetHGOption(
      String unitName, int arg1, int arg2, int arg3, HGOptionInfo hgOptionInfo);

  public static native PortOption KX_GetPortOption(String unitName);

  public static native void KX_SetPortOption(String unitName, PortOption portOption);

  public static native LuMapping KX_GetLuMappingListAll(String unitName);

  public static native void KX_SetLuMappingListAll(String unitName, LuMapping luMapping);

  /** Returns the core's int value as element 0 and a {@link LuMappingHGInfo} as element 1. */
  public static native Object[] KX_GetLuMappingList(
      String unitName, int arg1, int arg2, int arg3);

  public static native void KX_SetLuMappingList(
      String unitName, int arg1, int arg2, int arg3, int arg4, LuMappingHGInfo mapping);

  public static native void KX_ChangeMappingMode(String unitName, int arg);

  public static native RvrfSrcInfo KX_GetRvrfSrcPath(String unitName);

  public static native void KX_SetRvrfSrcPath(String unitName, RvrfSrcArrayUnit arrayUnit);

  public static native void KX_DelRvrfSrcPath(String unitName);

  // Parameters: operating and drive parameters, unit identity, dumps, parameter files.

  public static native OnlineSystemParam KX_GetOnlineSystemParam(String unitName);

  public static native void KX_SetOnlineSystemParam(String unitName, OnlineSystemParam param);

  public static native OnlineTuningParam KX_GetOnlineTuningParam(String unitName);

  public static native void KX_SetOnlineTuningParam(String unitName, OnlineTuningParam param);

  public static native TuningParam KX_GetTuningParam(String unitName);

  public static native void KX_SetTuningParam(String unitName, TuningParam param);

  public static native DiskDriveRestoration KX_GetDiskDriveRestoration(String unitName);

  public static native void KX_SetDiskDriveRestoration(
      String unitName, DiskDriveRestoration restoration);

  public static native PrefetchInformation KX_GetPrefetchInformation(String unitName);

  public static native void KX_SetPrefetchInformation(
      String unitName, PrefetchInformation prefetch);

  public static native OnlineVerify KX_GetOnlineVerify(String unitName);

  public static native void KX_SetOnlineVerify(String unitName, OnlineVerify verify);

  public static native Threshold KX_GetThreshold(String unitName);

  public static native void KX_SetThreshold(String unitName, Threshold threshold);

  public static native UnitIdentifier KX_GetUnitIdentifier(String unitName);

  public static native void KX_SetUnitIdentifier(String unitName, UnitIdentifier identifier);

  public static native CommandDevice KX_GetCommandDevice(String unitName);

  public static native void KX_SetCommandDevice(String unitName, CommandDevice device);

  public static native WarningInfo KX_GetWarningInfo(String unitName);

  public static native void KX_SetWarningInfo(String unitName, WarningInfo info);

  public static native AutoDump KX_GetAutoDump(String unitName, int arg);

  public static native void KX_OutputAutoDump(String unitName, int arg, String path);

  public static native int KX_GetAlertInterval();

  public static native void KX_SetAlertInterval(int interval);

  public static native void KX_SystemParamExport(String unitName, String path, int arg1, int arg2);

  public static native void KX_SystemParamImport(String unitName, String path, int arg);

  public static native void KX_ConfigExport(String unitName, String path);

  public static native void KX_ConfigImport(String unitName, String path);

  public static native void KX_ModeSense(
      String unitName, int arg1, int arg2, int arg3, String path);

  public static native void KX_ModeSelect(
      String unitName, int arg1, int arg2, int arg3, String path);

  public static native void KX_SetDriveMode(String unitName, int arg1, int arg2, int arg3);

  // Wizard: the set-up wizard's parameters, its target-ID import, the current parameters.

  public static native WizardParam KX_GetWizardParam(String unitName, String text, int arg);

  public static native void KX_SetWizardParam(
      String unitName, WizardParam wizardParam, String text, int arg);

  public static native void KX_TestWizardParam(
      String unitName, WizardParam wizardParam, String text, int arg);

  public static native WZTargetId[] KX_WZTargetIdImport(
      String unitName, String firstText, String secondText, int arg);

  public static native NowWZParameter KX_GetNowWZParam(String unitName, int arg);

  public static native void KX_SetNowWZParam(String unitName, int arg, NowWZParameter param);

  // Statistics: the statistics record and performance samples.

  public static native StatisticalInformation KX_GetStatisticalInformation(
      String unitName, int arg);

  public static native StatisticalCommand[] KX_GetPerformance(String unitName);

  public static native void KX_PerformanceOutput(
      String unitName,
      String text,
      StatisticalCommand sample1,
      StatisticalCommand sample2,
      StatisticalCommand sample3,
      StatisticalCommand sample4);

  public static native void KX_PerformanceOutputLU(
      String unitName,
      String text,
      StatisticalCommand sample1,
      StatisticalCommand sample2,
      StatisticalCommand sample3,
      StatisticalCommand sample4,
      int arg1,
      int[] luList,
      int arg2);

  public static native int[] KX_BlockToByte(int arg1, int arg2, int arg3);

  // Services: alerts, e-mail, SNMP, external programs and logs.

  public static native EmailInfo KX_GetEmailInfo();

  public static native void KX_SetEmailInfo(EmailInfo settings);

  public static native int KX_AlertCheck(String unitName, int arg);

  public static native void KX_SetMailAppendInfo(String unitName, String text);

  public static native void KX_DelMailAppendInfo(String unitName);

  public static native String KX_GetMailAppendInfo(String unitName);

  public static native void KX_SendEmail(String first, String second, String third);

  public static native void KX_SendEmailTest(
      String unitName, EmailInfo settings, String text, String longText);

  public static native ExProgramInfo KX_GetExProgramInfo();

  public static native void KX_SetExProgramInfo(ExProgramInfo settings);

  public static native void KX_ExecuteProgramTest(ExProgramInfo settings);

  public static native void KX_ExecuteProgram();

  public static native void KX_EnvironmentCheck();

  public static native void KX_ErrLogPut(String text);

  public static native void KX_ErrLogDelete();

  public static native void KX_AppLogPut(String text);

  public static native void KX_JavaVersionCheck(String version);

  public static native void KX_SetSnmpConfig(String unitName, String first, String second);

  public static native void KX_SnmpConfigOutput(String unitName, String first, String second);

  // Maintenance: microcode replacement, traces, host files and unit control.

  public static native int KX_MicroFileConcat(String unitName, String fileName, int arg);

  public static native void KX_MicroFileConcat2(String unitName, String fileName);

  public static native void KX_CancelMicroFileConcat();

  public static native int KX_GetMicroDownloadCount(String unitName);

  public static native void KX_MicroDownload(String unitName, int arg1, int arg2, int arg3);

  public static native void KX_MicroReplace(String unitName, int arg);

  public static native String KX_GetNewMicroRevision();

  public static native void KX_CreateTraceFile(
      String unitName, int arg1, int arg2, int arg3, String path);

  public static native void KX_CreateTraceFile2(String unitName, int arg, String path);

  public static native String KX_GetTraceText(String unitName, int arg1, int arg2, int arg3);

  public static native WebTrace KX_GetWebTrace(String unitName);

  public static native String KX_GetFileText(String path);

  public static native String KX_GetFileLine(String path, int length);

  public static native int KX_ExistFile(String path);

  public static native void KX_UnitReboot(String unitName);

  public static native void KX_SetSPinformation(String unitName, int arg1, int arg2, int arg3);

  public static native int KX_FDDTest(String unitName, int arg);

  public static native void KX_TestUnitReady(String unitName, int arg);
}
