package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_NOT_INITIALIZED;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_UNIT;
import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.assertUnit;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.stream.Collectors;
import korvane.str.diskarray.TestStation.JavaRun;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The station outlives the process, and a process starts without one. */
class StationProcessTest {
  private static final String TOOL = "korvane.str.diskarray.cli.DiskArrayTool";

  @TempDir Path scratch;

  private static List<String> lines(String text) {
    return Arrays.stream(text.split("\n")).map(String::strip).collect(Collectors.toList());
  }

  @Test
  void aNewProcessSeesTheRegistry() throws Exception {
    Path station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit("array01", "lab", 200, 2, 3, 4, "10.0.0.1", "10.0.0.2"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit("backup01", "offsite", 1, 1, 1, 1, "10.8.0.1", ""));

    JavaRun run = runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(), "list");

    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    List<String> rows = lines(run.stdout);
    assertEquals(3, rows.size(), run::toString);
    assertTrue(rows.get(0).startsWith("NAME"), run::toString);
    assertEquals(List.of("array01", "lab", "-56", "2", "3", "4", "10.0.0.1", "10.0.0.2"),
        Arrays.asList(rows.get(1).split("\\s+")), run::toString);
    assertEquals(List.of("backup01", "offsite", "1", "1", "1", "1", "10.8.0.1"),
        Arrays.asList(rows.get(2).split("\\s+")), run::toString);
  }

  @Test
  void anotherProcessSeesSessionsStorageAndFormatProgress() throws Exception {
    Path station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit("array01"));
    DiskArrayUtilityJNI.KX_RegistUser("array01", 0, new KXUserRegist("admin", "Secret-1"));
    DiskArrayUtilityJNI.KX_LoginKXUnit("array01", 1, new KXUserRegist("admin", "Secret-1"));
    DiskArrayUtilityJNI.KX_RaidGroupAdd("array01", TestStation.raidGroup(3, 6, 0, 0, 4, 1));
    // 50 GB at this process's pace of 10 s per GB: still formatting for minutes.
    DiskArrayUtilityJNI.KX_LogicalUnitAdd("array01", TestStation.logicalUnit(0, 3, 51200));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd("array01", TestStation.logicalUnit(1, 3, 1024));
    DiskArrayUtilityJNI.KX_LogicalUnitFormat("array01", 0, 0);

    Path logs = scratch.resolve("logs");
    String stationArg = station.toString();
    JavaRun whoami = runJava(logs, TOOL, "--station", stationArg, "whoami", "array01",
        "--controller", "1");
    JavaRun groups =
        runJava(logs, TOOL, "--station", stationArg, "-p", "rg", "list", "array01");
    JavaRun lus = runJava(logs, TOOL, "--station", stationArg, "lu", "list", "array01");
    // The child formats at its own configured pace: 1 GB in about 0.1 s.
    JavaRun format = runJava(logs, Map.of("KX_FORMAT_SECONDS_PER_GB", "0.1"), TOOL,
        "--station", stationArg, "format", "array01", "1");
    for (JavaRun run : List.of(whoami, groups, lus, format)) {
      assertEquals(0, run.status, run::toString);
      assertNoJniReports(run);
    }
    assertTrue(whoami.stdout.startsWith("controller 1: admin since "), whoami::toString);
    assertEquals(
        List.of("3", "RAID", "6", "0-3", "0", "139236", "278472", "226248", "2", "normal"),
        Arrays.asList(lines(groups.stdout).get(1).split("\\s+")), groups::toString);
    assertTrue(lines(lus.stdout).get(1).matches("0 +3 +RAID 6 +50\\.0G .*formatting \\d+% +yes"),
        lus::toString);
    assertTrue(format.stdout.endsWith("formatted LU 1\n"), format::toString);

    assertEquals(0, DiskArrayUtilityJNI.KX_GetLogicalUnit1("array01", 1).status);
    assertEquals(1, DiskArrayUtilityJNI.KX_GetLogicalUnit1("array01", 0).status);
  }

  @Test
  void aFreshProcessHasNoStation() throws Exception {
    JavaRun run = runJava(scratch, "korvane.str.diskarray.UninitializedProbe");

    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    List<String> expected = List.of("KX_GetUnitCount", "KX_GetUnitParam", "KX_UnitAdd",
        "KX_GetUnitParamTable", "KX_UnitDelete", "KX_GetLabelList").stream()
        .map(name -> name + " " + KXE_NOT_INITIALIZED).collect(Collectors.toList());
    assertEquals(expected, lines(run.stdout.strip()), run::toString);
  }

  @Test
  void theDemoToursEveryAreaAndLeavesWhatItShows() throws Exception {
    Path station = scratch.resolve("demo-station");
    // Short formats and restarts; the demo itself never sleeps for them.
    Map<String, String> pace = Map.of("KX_FORMAT_SECONDS_PER_GB", "1", "KX_RESTART_SECONDS", "1");
    JavaRun run = runJava(scratch.resolve("logs"), pace, TOOL, "--station", station.toString(),
        "demo");

    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    // Every area's heading, in order, each followed by a command it ran.
    int at = 0;
    for (String heading : List.of("Unit registry", "Users and login", "RAID groups, LUs",
        "Unified LU", "Host groups", "Parameters and the set-up wizard", "Statistics",
        "A drive fails", "Alerts and mail", "Microcode replacement", "Trace and snapshot",
        "The same station seen by a new process")) {
      int found = run.stdout.indexOf(". " + heading, at);
      assertTrue(found > at, heading + " missing or out of order:\n" + run);
      at = found;
      assertTrue(run.stdout.startsWith("\n$ diskarray ", run.stdout.indexOf("==\n", found) + 3),
          heading + " runs no command:\n" + run);
    }
    for (String shown : List.of(
        "refused, as it should be: error 4115 (0x1013)",  // the wrong password
        "] 100%  4 of 4 done",
        "LU 1 is a unified LU of 512M: LU 1 + LU 4",
        "host LUN 1 -> LU 1",
        "refused, as it should be: line 2: drive_capacity.row: needs 6 values, got 2",
        "the wizard record is valid for array01",
        "RAID group degraded (new)",
        "(exit status 3)",  // a degraded unit's status, shown as its answer
        "array01 runs microcode B0210",
        "sees the same registry")) {
      assertTrue(run.stdout.contains(shown), shown + "\n" + run);
    }
    // The password never appears on a command line the demo shows.
    assertFalse(run.stdout.contains("Secret-1"), run::toString);
    // The mail is delivered when a local SMTP server could be started, else refused with why.
    assertTrue(run.stdout.contains("END MESSAGE") || run.stdout.contains("refused: error 5124"),
        run::toString);

    Path files = station.resolve("demo");
    assertTrue(Files.readString(files.resolve("perf.csv")).startsWith("time,interval_s,lu,"));
    assertTrue(Files.readString(files.resolve("perf.svg")).contains("<polyline class=\"lu\""));
    assertTrue(Files.size(files.resolve("array01.trace")) > 0);
    assertTrue(Files.readString(files.resolve("array01.json")).startsWith("{"));

    TestStation.open(station);
    assertEquals(2, DiskArrayUtilityJNI.KX_GetUnitCount());
    KXUnitParam array01 = unit("array01", "lab", 1, 2, 0, 0, "10.0.0.1", "10.0.0.2");
    assertUnit(array01, DiskArrayUtilityJNI.KX_GetUnitParam("array01"));
    assertEquals("production", DiskArrayUtilityJNI.KX_GetUnitParam("array02-prod").group_name);
    assertEquals(KXE_UNKNOWN_UNIT, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("backup01")));
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups("array01");
    assertEquals(5, groups[0].level);
    assertEquals(1, groups[1].level);
    LogicalUnit[] lus = DiskArrayUtilityJNI.KX_GetLogicalUnit("array01");
    for (int lu = 0; lu < 5; lu++) {
      assertEquals(lu, lus[lu].luNumber);
      assertEquals(0, lus[lu].status, "LU " + lu + " formatted");
    }
    assertEquals(4, DiskArrayUtilityJNI.KX_GetLastLogicalUnit("array01"));
    // The microcode restart ended the session.
    assertEquals(0, DiskArrayUtilityJNI.KX_CheckLogin("array01", 0));
    assertEquals(1, DiskArrayUtilityJNI.KX_GetUserInformation("array01", 0).num);

    // The demo wants a fresh station and refuses to touch this one again.
    JavaRun again = runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(), "demo");
    assertEquals(2, again.status, again::toString);
    assertEquals(2, DiskArrayUtilityJNI.KX_GetUnitCount());
  }
}
