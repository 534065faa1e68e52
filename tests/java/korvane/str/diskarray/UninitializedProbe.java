package korvane.str.diskarray;

/**
 * Run in a JVM of its own by StationProcessTest: calls registry natives
 * before any KX_GUIInitialize and prints "NAME CODE" (or "NAME ok") per call.
 */
public final class UninitializedProbe {
  private UninitializedProbe() {}

  interface Call {
    void run() throws Exception;
  }

  public static void main(String[] args) {
    report("KX_GetUnitCount", DiskArrayUtilityJNI::KX_GetUnitCount);
    report("KX_GetUnitParam", () -> DiskArrayUtilityJNI.KX_GetUnitParam("array01"));
    report("KX_UnitAdd", () -> DiskArrayUtilityJNI.KX_UnitAdd(TestStation.unit("array01")));
    report("KX_GetUnitParamTable", () -> DiskArrayUtilityJNI.KX_GetUnitParamTable(1));
    report("KX_UnitDelete", () -> DiskArrayUtilityJNI.KX_UnitDelete("array01"));
    report("KX_GetLabelList", DiskArrayUtilityJNI::KX_GetLabelList);
  }

  private static void report(String name, Call call) {
    try {
      call.run();
      System.out.println(name + " ok");
    } catch (DiskArrayException e) {
      System.out.println(name + " " + e.getCode());
    } catch (Exception e) {
      System.out.println(name + " " + e);
    }
  }
}
