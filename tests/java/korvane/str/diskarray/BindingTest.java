package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.assertUnit;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import java.lang.reflect.Array;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.GregorianCalendar;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.DynamicTest;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.TestFactory;
import org.junit.jupiter.api.io.TempDir;

/**
 * Every declared native is reachable, and the implemented ones are bound to
 * the library and answer bad arguments with the bridge's own code rather
 * than an UnsatisfiedLinkError or a crash.
 */
class BindingTest {
  private static final int DECLARED_NATIVES = 177;

  /** The natives the library implements so far; extend this as areas land. */
  static final Set<String> IMPLEMENTED = Set.of(
      // Unit registry
      "KX_GetUnitParam", "KX_UnitAdd", "KX_UnitDelete", "KX_UnitChange",
      "KX_GetUnitParamTable", "KX_GetUnitCount", "KX_GUIInitialize",
      "KX_GetLabelList", "KX_ModifyInfo",
      // Users, login and passwords
      "KX_LoginKXUnit", "KX_GetLoginUser", "KX_LogoutKXUnit", "KX_CheckLogin",
      "KX_GetUserInformation", "KX_RegistUser", "KX_ChangeUser", "KX_DeleteUser",
      "KX_DeleteAllUser", "KX_ResetLogin", "KX_PasswdChange", "KX_PasswdCheck",
      // Unit condition and drives
      "KX_GetDriveInformation", "KX_GetUnitCondition", "KX_GetDriveInformationAll",
      "KX_DriveReconstructInformation", "KX_GetDriveStatus",
      // Unit information and clock
      "KX_GetUnitInformation", "KX_GetUnitTime", "KX_SetUnitTime", "KX_SetUnitTimeNow",
      // RAID groups
      "KX_GetRaidGroups", "KX_RaidGroupAdd", "KX_RaidGroupDelete", "KX_RaidGroupAllDelete",
      "KX_RaidGroupExpand",
      // Logical units
      "KX_GetLogicalUnit", "KX_GetLogicalUnit1", "KX_LogicalUnitAdd", "KX_LogicalUnitDelete",
      "KX_LogicalUnitDeleteAll", "KX_LogicalUnitExpand", "KX_LogicalUnitChangeStaging",
      "KX_LogicalUnitChangeCtl", "KX_LogicalUnitFormat", "KX_LogicalUnitFormatStatus",
      "KX_GetLastLogicalUnit", "KX_LogicalUnitInvalid", "KX_LogicalUnitRestore",
      "KX_LogicalUnitRealloc",
      // Formatting status
      "KX_EntryFormatList", "KX_GetFormatStatusList", "KX_LogicalUnitFormatStatusList",
      // Drive mode
      "KX_SetDriveMode",
      // Operating parameters
      "KX_GetOnlineSystemParam", "KX_SetOnlineSystemParam", "KX_GetOnlineTuningParam",
      "KX_SetOnlineTuningParam", "KX_GetTuningParam", "KX_SetTuningParam",
      "KX_GetDiskDriveRestoration", "KX_SetDiskDriveRestoration", "KX_GetPrefetchInformation",
      "KX_SetPrefetchInformation", "KX_GetOnlineVerify", "KX_SetOnlineVerify",
      "KX_GetThreshold", "KX_SetThreshold", "KX_GetUnitIdentifier", "KX_SetUnitIdentifier",
      "KX_GetCommandDevice", "KX_SetCommandDevice", "KX_GetWarningInfo", "KX_SetWarningInfo",
      "KX_GetAutoDump", "KX_OutputAutoDump", "KX_GetAlertInterval", "KX_SetAlertInterval",
      "KX_SystemParamExport", "KX_SystemParamImport", "KX_ConfigExport", "KX_ConfigImport",
      "KX_ModeSense", "KX_ModeSelect",
      // Set-up wizard
      "KX_GetWizardParam", "KX_SetWizardParam", "KX_TestWizardParam", "KX_WZTargetIdImport",
      "KX_GetNowWZParam", "KX_SetNowWZParam",
      // Microcode replacement
      "KX_MicroFileConcat", "KX_MicroFileConcat2", "KX_CancelMicroFileConcat",
      "KX_GetMicroDownloadCount", "KX_MicroDownload", "KX_MicroReplace",
      "KX_GetNewMicroRevision",
      // Traces and host files
      "KX_CreateTraceFile", "KX_CreateTraceFile2", "KX_GetTraceText", "KX_GetWebTrace",
      "KX_GetFileText", "KX_GetFileLine", "KX_ExistFile",
      // Unit control
      "KX_UnitReboot", "KX_SetSPinformation", "KX_FDDTest", "KX_TestUnitReady",
      // Statistics and performance
      "KX_GetStatisticalInformation", "KX_GetPerformance", "KX_PerformanceOutput",
      "KX_PerformanceOutputLU", "KX_BlockToByte",
      // Notification and host services
      "KX_GetEmailInfo", "KX_SetEmailInfo", "KX_AlertCheck", "KX_SetMailAppendInfo",
      "KX_DelMailAppendInfo", "KX_GetMailAppendInfo", "KX_SendEmail", "KX_SendEmailTest",
      "KX_GetExProgramInfo", "KX_SetExProgramInfo", "KX_ExecuteProgramTest",
      "KX_ExecuteProgram", "KX_EnvironmentCheck", "KX_ErrLogPut", "KX_ErrLogDelete",
      "KX_AppLogPut", "KX_JavaVersionCheck", "KX_SetSnmpConfig", "KX_SnmpConfigOutput",
      // Unified, turbo and paired LUs, PIN information
      "KX_GetPinInfoGetTime", "KX_GetPinInfo", "KX_GetCouplingInfo", "KX_SetIntegrationLU",
      "KX_GetIntegrationPinInfo", "KX_GetTurboLU", "KX_SetTurboLU", "KX_GetPinInfo2",
      "KX_IntegrationLUInfo",
      // Configuration files
      "KX_RgLuFileOutput", "KX_RaidLuExport", "KX_RaidLuImport",
      // Host connectivity
      "KX_GetLANInformation", "KX_SetLANInformation", "KX_GetSyncControl",
      "KX_SetSyncControl", "KX_GetTargetId", "KX_TargetIdImport", "KX_SetTargetId",
      "KX_GetFibreInformation", "KX_SetFibreInformation", "KX_FibreInfoPermissionImport",
      "KX_GetHGList", "KX_CreateHG", "KX_ChangeHG", "KX_DeleteHGList", "KX_InitHGList",
      "KX_GetWWNInformation", "KX_SetWWNInformation", "KX_GetWWNHGInformation",
      "KX_SetWWNHGInformation", "KX_GetHGOptionAll", "KX_SetHGOptionAll", "KX_GetHGOption",
      "KX_SetHGOption", "KX_GetPortOption", "KX_SetPortOption", "KX_GetLuMappingListAll",
      "KX_SetLuMappingListAll", "KX_GetLuMappingList", "KX_SetLuMappingList",
      "KX_ChangeMappingMode", "KX_GetRvrfSrcPath", "KX_SetRvrfSrcPath", "KX_DelRvrfSrcPath");

  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
  }

  private static Map<String, Method> natives() {
    Map<String, Method> natives = new TreeMap<>();
    for (Method method : DiskArrayUtilityJNI.class.getDeclaredMethods()) {
      if (Modifier.isNative(method.getModifiers())) {
        assertTrue(Modifier.isStatic(method.getModifiers()), method + " is static");
        assertTrue(Modifier.isPublic(method.getModifiers()), method + " is public");
        Method earlier = natives.put(method.getName(), method);
        assertEquals(null, earlier, "overloaded native " + method.getName());
      }
    }
    return natives;
  }

  @Test
  void declaresEveryNative() {
    Map<String, Method> natives = natives();
    assertEquals(DECLARED_NATIVES, natives.size());
    for (String name : natives.keySet()) {
      assertTrue(name.startsWith("KX_"), name);
    }
    for (String name : IMPLEMENTED) {
      assertTrue(natives.containsKey(name), "implemented native " + name + " is declared");
    }
  }

  @TestFactory
  Stream<DynamicTest> implementedNativesAreBound() {
    Map<String, Method> natives = natives();
    return IMPLEMENTED.stream().sorted().map(name -> {
      Method method = natives.get(name);
      Class<?>[] types = method.getParameterTypes();
      if (types.length > 0 && types[0] == String.class) {
        return DynamicTest.dynamicTest(name + "(null, ...) raises 258",
            () -> assertEquals(DiskArrayException.NULL_ARGUMENT, nullFirstArgumentCode(method)));
      }
      return DynamicTest.dynamicTest(name + " is bound", () -> callHarmlessly(method));
    });
  }

  /** Calls the native with a null first argument and the rest zero or null. */
  private static int nullFirstArgumentCode(Method method) throws Exception {
    Object[] args = new Object[method.getParameterCount()];
    Class<?>[] types = method.getParameterTypes();
    for (int i = 1; i < args.length; i++) {
      args[i] = types[i] == int.class ? Integer.valueOf(0) : null;
    }
    Throwable thrown = invoke(method, args);
    if (!(thrown instanceof DiskArrayException)) {
      fail(method.getName() + " with a null first argument: expected DiskArrayException, got "
          + thrown, thrown);
    }
    return ((DiskArrayException) thrown).getCode();
  }

  /** A completed call or a DiskArrayException both prove the native is bound. */
  private void callHarmlessly(Method method) throws Exception {
    Class<?>[] types = method.getParameterTypes();
    Object[] args = new Object[types.length];
    for (int i = 0; i < types.length; i++) {
      args[i] = harmlessArgument(types[i]);
    }
    Throwable thrown = invoke(method, args);
    if (thrown != null && !(thrown instanceof DiskArrayException)) {
      fail(method.getName() + Arrays.toString(args) + " threw " + thrown, thrown);
    }
  }

  private Object harmlessArgument(Class<?> type) throws Exception {
    if (type == int.class) {
      return 0;
    }
    if (type == String.class) {
      return "probe";
    }
    if (type == Object.class) {
      // KX_GUIInitialize: keep this test's own station.
      return new WorkingDirectory(station.toString());
    }
    if (type == GregorianCalendar.class) {
      return new GregorianCalendar();
    }
    if (type.isArray()) {
      return Array.newInstance(type.getComponentType(), 0);
    }
    return type.getConstructor().newInstance();
  }

  /** Invokes a static native and returns what it threw, or null. */
  private static Throwable invoke(Method method, Object[] args) throws IllegalAccessException {
    try {
      method.invoke(null, args);
      return null;
    } catch (InvocationTargetException e) {
      return e.getCause();
    }
  }

  // A null argument is refused by the bridge before the core sees it, so
  // nothing in the station changes.
  @Test
  void nullArgumentsChangeNothing() throws Exception {
    KXUnitParam kept = unit("kept");
    DiskArrayUtilityJNI.KX_UnitAdd(kept);

    assertEquals(258, codeOf(() -> DiskArrayUtilityJNI.KX_UnitAdd(null)));
    assertEquals(258, codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange("kept", null)));
    assertEquals(258, codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange(null, unit("renamed"))));
    // Operation 4 would define a label rename.
    assertEquals(258, codeOf(() -> DiskArrayUtilityJNI.KX_ModifyInfo(null, 4)));

    assertEquals(1, DiskArrayUtilityJNI.KX_GetUnitCount());
    assertUnit(kept, DiskArrayUtilityJNI.KX_GetUnitParamTable(1)[0]);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetLabelList().length);
  }

  @Test
  void nullWorkingDirectoryIsRefused() {
    assertEquals(258, codeOf(() -> DiskArrayUtilityJNI.KX_GUIInitialize(null)));
  }
}
