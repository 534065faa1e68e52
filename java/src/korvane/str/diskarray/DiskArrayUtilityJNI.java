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
    NativeLibraries.load();
  }

  private DiskArrayUtilityJNI() {}

  // Units: the unit registry, user accounts, login and passwords.

  public static native KXUnitParam KX_GetUnitParam(String unitName) throws DiskArrayException;

  public static native void KX_UnitAdd(KXUnitParam record) throws DiskArrayException;

  public static native void KX_UnitDelete(String unitName) throws DiskArrayException;

  public static native void KX_UnitChange(String oldUnitName, KXUnitParam record) throws DiskArrayException;

  public static native KXUnitParam[] KX_GetUnitParamTable(int count) throws DiskArrayException;

  public static native int KX_GetUnitCount() throws DiskArrayException;

  /** {@code workingDirectory} carries the String field {@code tesk_path}. */
  public static native void KX_GUIInitialize(Object workingDirectory) throws DiskArrayException;

  public static native KXLabel[] KX_GetLabelList() throws DiskArrayException;

  public static native String KX_ModifyInfo(String text, int value) throws DiskArrayException;

  public static native String[] KX_LoginKXUnit(String unitName, int arg, KXUserRegist user) throws DiskArrayException;

  public static native String[] KX_GetLoginUser(String unitName, int arg) throws DiskArrayException;

  public static native void KX_LogoutKXUnit(String unitName, int arg) throws DiskArrayException;

  public static native int KX_CheckLogin(String unitName, int arg) throws DiskArrayException;

  public static native KXUserRegist KX_GetUserInformation(String unitName, int arg) throws DiskArrayException;

  public static native void KX_RegistUser(String unitName, int arg, KXUserRegist user) throws DiskArrayException;

  public static native void KX_ChangeUser(
      String unitName, int arg, KXUserRegist oldUser, KXUserRegist newUser) throws DiskArrayException;

  public static native void KX_DeleteUser(String unitName, int arg, KXUserRegist user) throws DiskArrayException;

  public static native void KX_DeleteAllUser(String unitName, int arg) throws DiskArrayException;

  public static native void KX_ResetLogin(String unitName, int arg) throws DiskArrayException;

  public static native void KX_PasswdChange(String text) throws DiskArrayException;

  public static native int KX_PasswdCheck(String password) throws DiskArrayException;

  // Status: unit condition, drives, unit information, clock and snapshot.

  public static native DiskDriveInformation KX_GetDriveInformation(
      String unitName, int arg1, int arg2) throws DiskArrayException;

  public static native UnitCondition KX_GetUnitCondition(String unitName, int arg) throws DiskArrayException;

  public static native DiskDriveInformation[] KX_GetDriveInformationAll(String unitName) throws DiskArrayException;

  public static native DriveReconstructInformation KX_DriveReconstructInformation(
      String unitName, int arg1, int arg2) throws DiskArrayException;

  public static native DiskDrive[] KX_GetDriveStatus(String unitName) throws DiskArrayException;

  public static native UnitInformation KX_GetUnitInformation(String unitName) throws DiskArrayException;

  public static native GregorianCalendar KX_GetUnitTime(String unitName) throws DiskArrayException;

  public static native void KX_SetUnitTime(String unitName, GregorianCalendar time) throws DiskArrayException;

  public static native void KX_SetUnitTimeNow(String unitName) throws DiskArrayException;

  public static native ArrayAllInformation KX_GetAllInformation(String unitName) throws DiskArrayException;

  // Storage: RAID groups, logical units, formatting, special LUs, RAID/LU files.

  public static native RaidGroup[] KX_GetRaidGroups(String unitName) throws DiskArrayException;

  public static native void KX_RaidGroupAdd(String unitName, RaidGroup raidGroup) throws DiskArrayException;

  public static native void KX_RaidGroupDelete(String unitName, int arg) throws DiskArrayException;

  public static native void KX_RaidGroupAllDelete(String unitName) throws DiskArrayException;

  public static native void KX_RaidGroupExpand(String unitName, RaidGroup raidGroup) throws DiskArrayException;

  public static native LogicalUnit[] KX_GetLogicalUnit(String unitName) throws DiskArrayException;

  public static native LogicalUnit KX_GetLogicalUnit1(String unitName, int arg) throws DiskArrayException;

  public static native void KX_LogicalUnitAdd(String unitName, LogicalUnit logicalUnit) throws DiskArrayException;

  public static native void KX_LogicalUnitDelete(String unitName) throws DiskArrayException;

  public static native void KX_LogicalUnitDeleteAll(String unitName) throws DiskArrayException;

  public static native void KX_LogicalUnitExpand(String unitName, int arg1, int arg2) throws DiskArrayException;

  public static native void KX_LogicalUnitChangeStaging(String unitName, int arg1, int arg2) throws DiskArrayException;

  public static native void KX_LogicalUnitChangeCtl(String unitName, int arg) throws DiskArrayException;

  public static native void KX_LogicalUnitFormat(String unitName, int arg1, int arg2) throws DiskArrayException;

  public static native int KX_LogicalUnitFormatStatus(String unitName, int arg) throws DiskArrayException;

  public static native int KX_GetLastLogicalUnit(String unitName) throws DiskArrayException;

  public static native void KX_LogicalUnitInvalid(String unitName, int arg) throws DiskArrayException;

  public static native void KX_LogicalUnitRestore(String unitName, int arg) throws DiskArrayException;

  /** {@code request} carries the int fields {@code lun}, {@code lusize} and {@code newlun}. */
  public static native void KX_LogicalUnitRealloc(String unitName, Object request) throws DiskArrayException;

  /** {@code entryList} carries the byte[] field {@code lu} of at least 512 bytes. */
  public static native void KX_EntryFormatList(String unitName, Object entryList) throws DiskArrayException;

  public static native FormatStatusList KX_GetFormatStatusList(String unitName) throws DiskArrayException;

  public static native LuFormatStatusList KX_LogicalUnitFormatStatusList(String unitName) throws DiskArrayException;

  public static native int KX_GetPinInfoGetTime(String unitName, int arg) throws DiskArrayException;

  public static native int KX_GetPinInfo(String unitName, int arg) throws DiskArrayException;

  public static native CouplingInfo KX_GetCouplingInfo(String unitName) throws DiskArrayException;

  /**
   * {@code request} carries the int fields {@code operation}, {@code parent_lun} and {@code
   * child_lun}.
   */
  public static native void KX_SetIntegrationLU(String unitName, Object request) throws DiskArrayException;

  public static native PINInformation KX_GetIntegrationPinInfo(String unitName) throws DiskArrayException;

  public static native TurboLu KX_GetTurboLU(String unitName) throws DiskArrayException;

  public static native void KX_SetTurboLU(String unitName, TurboLu turboLu) throws DiskArrayException;

  public static native int[] KX_GetPinInfo2(String unitName) throws DiskArrayException;

  public static native IntegrationLUInfo KX_IntegrationLUInfo(String unitName) throws DiskArrayException;

  public static native void KX_RgLuFileOutput(String unitName, String fileName) throws DiskArrayException;

  public static native void KX_RaidLuExport(String unitName, String fileName) throws DiskArrayException;

  /** Returns 45 {@link RaidGroup} slots followed by 512 {@link LogicalUnit} slots. */
  public static native Object[] KX_RaidLuImport(String unitName, String fileName) throws DiskArrayException;

  // Connectivity: LAN, target IDs, Fibre Channel, host groups, WWNs, options, LU mapping.

  public static native LANInformation KX_GetLANInformation(String unitName, int arg) throws DiskArrayException;

  public static native void KX_SetLANInformation(
      String unitName, int arg1, LANInformation lanInformation, int arg2) throws DiskArrayException;

  public static native SyncControl KX_GetSyncControl(String unitName, int arg) throws DiskArrayException;

  public static native void KX_SetSyncControl(
      String unitName, int arg1, SyncControl syncControl, int arg2) throws DiskArrayException;

  public static native TargetId[] KX_GetTargetId(String unitName, int arg) throws DiskArrayException;

  public static native TargetId[] KX_TargetIdImport(String unitName, String fileName) throws DiskArrayException;

  public static native void KX_SetTargetId(String unitName, int arg1, TargetId targetId, int arg2) throws DiskArrayException;

  public static native FibreInformation[] KX_GetFibreInformation(String unitName) throws DiskArrayException;

  public static native void KX_SetFibreInformation(
      String unitName, FibreInformation first, FibreInformation second) throws DiskArrayException;

  public static native FibreInformationPermission[] KX_FibreInfoPermissionImport(
      String unitName, String fileName, int arg1, int arg2) throws DiskArrayException;

  public static native HGList KX_GetHGList(String unitName) throws DiskArrayException;

  /** {@code hostGroupName} carries the String field {@code hgname}. */
  public static native void KX_CreateHG(
      String unitName, int arg1, int arg2, int arg3, Object hostGroupName) throws DiskArrayException;

  /** {@code hostGroupName} carries the String field {@code hgname}. */
  public static native void KX_ChangeHG(
      String unitName, int arg1, int arg2, int arg3, Object hostGroupName) throws DiskArrayException;

  /** {@code selection} carries the field {@code ctl}, a {@code DeleteHGCtlList[]}. */
  public static native void KX_DeleteHGList(String unitName, Object selection) throws DiskArrayException;

  /** {@code selection} carries the field {@code ctl}, an {@code InitHGCtlList[]}. */
  public static native void KX_InitHGList(String unitName, Object selection) throws DiskArrayException;

  public static native WWNInformation KX_GetWWNInformation(String unitName) throws DiskArrayException;

  public static native void KX_SetWWNInformation(String unitName, WWNInformation wwnInformation) throws DiskArrayException;

  public static native WWNHGInformation KX_GetWWNHGInformation(String unitName) throws DiskArrayException;

  public static native void KX_SetWWNHGInformation(
      String unitName, WWNHGInformation wwnHgInformation) throws DiskArrayException;

  public static native HGOption KX_GetHGOptionAll(String unitName) throws DiskArrayException;

  public static native void KX_SetHGOptionAll(String unitName, HGOption hgOption) throws DiskArrayException;

  public static native HGOptionInfo KX_GetHGOption(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  public static native void KX_SetHGOption(
      String unitName, int arg1, int arg2, int arg3, HGOptionInfo hgOptionInfo) throws DiskArrayException;

  public static native PortOption KX_GetPortOption(String unitName) throws DiskArrayException;

  public static native void KX_SetPortOption(String unitName, PortOption portOption) throws DiskArrayException;

  public static native LuMapping KX_GetLuMappingListAll(String unitName) throws DiskArrayException;

  public static native void KX_SetLuMappingListAll(String unitName, LuMapping luMapping) throws DiskArrayException;

  /** Returns the core's int value as element 0 and a {@link LuMappingHGInfo} as element 1. */
  public static native Object[] KX_GetLuMappingList(
      String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  public static native void KX_SetLuMappingList(
      String unitName, int arg1, int arg2, int arg3, int arg4, LuMappingHGInfo mapping) throws DiskArrayException;

  public static native void KX_ChangeMappingMode(String unitName, int arg) throws DiskArrayException;

  public static native RvrfSrcInfo KX_GetRvrfSrcPath(String unitName) throws DiskArrayException;

  public static native void KX_SetRvrfSrcPath(String unitName, RvrfSrcArrayUnit arrayUnit) throws DiskArrayException;

  public static native void KX_DelRvrfSrcPath(String unitName) throws DiskArrayException;

  // Parameters: operating and drive parameters, unit identity, dumps, parameter files.

  public static native OnlineSystemParam KX_GetOnlineSystemParam(String unitName) throws DiskArrayException;

  public static native void KX_SetOnlineSystemParam(String unitName, OnlineSystemParam param) throws DiskArrayException;

  public static native OnlineTuningParam KX_GetOnlineTuningParam(String unitName) throws DiskArrayException;

  public static native void KX_SetOnlineTuningParam(String unitName, OnlineTuningParam param) throws DiskArrayException;

  public static native TuningParam KX_GetTuningParam(String unitName) throws DiskArrayException;

  public static native void KX_SetTuningParam(String unitName, TuningParam param) throws DiskArrayException;

  public static native DiskDriveRestoration KX_GetDiskDriveRestoration(String unitName) throws DiskArrayException;

  public static native void KX_SetDiskDriveRestoration(
      String unitName, DiskDriveRestoration restoration) throws DiskArrayException;

  public static native PrefetchInformation KX_GetPrefetchInformation(String unitName) throws DiskArrayException;

  public static native void KX_SetPrefetchInformation(
      String unitName, PrefetchInformation prefetch) throws DiskArrayException;

  public static native OnlineVerify KX_GetOnlineVerify(String unitName) throws DiskArrayException;

  public static native void KX_SetOnlineVerify(String unitName, OnlineVerify verify) throws DiskArrayException;

  public static native Threshold KX_GetThreshold(String unitName) throws DiskArrayException;

  public static native void KX_SetThreshold(String unitName, Threshold threshold) throws DiskArrayException;

  public static native UnitIdentifier KX_GetUnitIdentifier(String unitName) throws DiskArrayException;

  public static native void KX_SetUnitIdentifier(String unitName, UnitIdentifier identifier) throws DiskArrayException;

  public static native CommandDevice KX_GetCommandDevice(String unitName) throws DiskArrayException;

  public static native void KX_SetCommandDevice(String unitName, CommandDevice device) throws DiskArrayException;

  public static native WarningInfo KX_GetWarningInfo(String unitName) throws DiskArrayException;

  public static native void KX_SetWarningInfo(String unitName, WarningInfo info) throws DiskArrayException;

  public static native AutoDump KX_GetAutoDump(String unitName, int arg) throws DiskArrayException;

  public static native void KX_OutputAutoDump(String unitName, int arg, String path) throws DiskArrayException;

  public static native int KX_GetAlertInterval() throws DiskArrayException;

  public static native void KX_SetAlertInterval(int interval) throws DiskArrayException;

  public static native void KX_SystemParamExport(String unitName, String path, int arg1, int arg2) throws DiskArrayException;

  public static native void KX_SystemParamImport(String unitName, String path, int arg) throws DiskArrayException;

  public static native void KX_ConfigExport(String unitName, String path) throws DiskArrayException;

  public static native void KX_ConfigImport(String unitName, String path) throws DiskArrayException;

  public static native void KX_ModeSense(
      String unitName, int arg1, int arg2, int arg3, String path) throws DiskArrayException;

  public static native void KX_ModeSelect(
      String unitName, int arg1, int arg2, int arg3, String path) throws DiskArrayException;

  public static native void KX_SetDriveMode(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  // Wizard: the set-up wizard's parameters, its target-ID import, the current parameters.

  public static native WizardParam KX_GetWizardParam(String unitName, String text, int arg) throws DiskArrayException;

  public static native void KX_SetWizardParam(
      String unitName, WizardParam wizardParam, String text, int arg) throws DiskArrayException;

  public static native void KX_TestWizardParam(
      String unitName, WizardParam wizardParam, String text, int arg) throws DiskArrayException;

  public static native WZTargetId[] KX_WZTargetIdImport(
      String unitName, String firstText, String secondText, int arg) throws DiskArrayException;

  public static native NowWZParameter KX_GetNowWZParam(String unitName, int arg) throws DiskArrayException;

  public static native void KX_SetNowWZParam(String unitName, int arg, NowWZParameter param) throws DiskArrayException;

  // Statistics: the statistics record and performance samples.

  public static native StatisticalInformation KX_GetStatisticalInformation(
      String unitName, int arg) throws DiskArrayException;

  public static native StatisticalCommand[] KX_GetPerformance(String unitName) throws DiskArrayException;

  public static native void KX_PerformanceOutput(
      String unitName,
      String text,
      StatisticalCommand sample1,
      StatisticalCommand sample2,
      StatisticalCommand sample3,
      StatisticalCommand sample4) throws DiskArrayException;

  public static native void KX_PerformanceOutputLU(
      String unitName,
      String text,
      StatisticalCommand sample1,
      StatisticalCommand sample2,
      StatisticalCommand sample3,
      StatisticalCommand sample4,
      int arg1,
      int[] luList,
      int arg2) throws DiskArrayException;

  public static native int[] KX_BlockToByte(int arg1, int arg2, int arg3) throws DiskArrayException;

  // Services: alerts, e-mail, SNMP, external programs and logs.

  public static native EmailInfo KX_GetEmailInfo() throws DiskArrayException;

  public static native void KX_SetEmailInfo(EmailInfo settings) throws DiskArrayException;

  public static native int KX_AlertCheck(String unitName, int arg) throws DiskArrayException;

  public static native void KX_SetMailAppendInfo(String unitName, String text) throws DiskArrayException;

  public static native void KX_DelMailAppendInfo(String unitName) throws DiskArrayException;

  public static native String KX_GetMailAppendInfo(String unitName) throws DiskArrayException;

  public static native void KX_SendEmail(String first, String second, String third) throws DiskArrayException;

  public static native void KX_SendEmailTest(
      String unitName, EmailInfo settings, String text, String longText) throws DiskArrayException;

  public static native ExProgramInfo KX_GetExProgramInfo() throws DiskArrayException;

  public static native void KX_SetExProgramInfo(ExProgramInfo settings) throws DiskArrayException;

  public static native void KX_ExecuteProgramTest(ExProgramInfo settings) throws DiskArrayException;

  public static native void KX_ExecuteProgram() throws DiskArrayException;

  public static native void KX_EnvironmentCheck() throws DiskArrayException;

  public static native void KX_ErrLogPut(String text) throws DiskArrayException;

  public static native void KX_ErrLogDelete() throws DiskArrayException;

  public static native void KX_AppLogPut(String text) throws DiskArrayException;

  public static native void KX_JavaVersionCheck(String version) throws DiskArrayException;

  public static native void KX_SetSnmpConfig(String unitName, String first, String second) throws DiskArrayException;

  public static native void KX_SnmpConfigOutput(String unitName, String first, String second) throws DiskArrayException;

  // Maintenance: microcode replacement, traces, host files and unit control.

  public static native int KX_MicroFileConcat(String unitName, String fileName, int arg) throws DiskArrayException;

  public static native void KX_MicroFileConcat2(String unitName, String fileName) throws DiskArrayException;

  public static native void KX_CancelMicroFileConcat() throws DiskArrayException;

  public static native int KX_GetMicroDownloadCount(String unitName) throws DiskArrayException;

  public static native void KX_MicroDownload(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  public static native void KX_MicroReplace(String unitName, int arg) throws DiskArrayException;

  public static native String KX_GetNewMicroRevision() throws DiskArrayException;

  public static native void KX_CreateTraceFile(
      String unitName, int arg1, int arg2, int arg3, String path) throws DiskArrayException;

  public static native void KX_CreateTraceFile2(String unitName, int arg, String path) throws DiskArrayException;

  public static native String KX_GetTraceText(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  public static native WebTrace KX_GetWebTrace(String unitName) throws DiskArrayException;

  public static native String KX_GetFileText(String path) throws DiskArrayException;

  public static native String KX_GetFileLine(String path, int length) throws DiskArrayException;

  public static native int KX_ExistFile(String path) throws DiskArrayException;

  public static native void KX_UnitReboot(String unitName) throws DiskArrayException;

  public static native void KX_SetSPinformation(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  public static native int KX_FDDTest(String unitName, int arg) throws DiskArrayException;

  public static native void KX_TestUnitReady(String unitName, int arg) throws DiskArrayException;
}
