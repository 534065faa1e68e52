package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.assertUnit;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
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
  void aFreshProcessHasNoStation() throws Exception {
    JavaRun run = runJava(scratch, "korvane.str.diskarray.UninitializedProbe");

    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    List<String> expected = List.of("KX_GetUnitCount", "KX_GetUnitParam", "KX_UnitAdd",
        "KX_GetUnitParamTable", "KX_UnitDelete", "KX_GetLabelList").stream()
        .map(name -> name + " " + 0x1001).collect(Collectors.toList());
    assertEquals(expected, lines(run.stdout.strip()), run::toString);
  }

  @Test
  void theDemoLeavesTheRegistryItShows() throws Exception {
    Path station = scratch.resolve("demo-station");
    JavaRun run = runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(), "demo");

    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    assertTrue(run.stdout.contains("sees the same registry"), run::toString);

    TestStation.open(station);
    assertEquals(2, DiskArrayUtilityJNI.KX_GetUnitCount());
    KXUnitParam array01 = unit("array01", "lab", 1, 2, 0, 0, "10.0.0.1", "10.0.0.2");
    assertUnit(array01, DiskArrayUtilityJNI.KX_GetUnitParam("array01"));
    assertEquals("production", DiskArrayUtilityJNI.KX_GetUnitParam("array02-prod").group_name);
    assertEquals(0x1003, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("backup01")));

    // The demo wants a fresh station and refuses to touch this one again.
    JavaRun again = runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(), "demo");
    assertEquals(2, again.status, again::toString);
    assertEquals(2, DiskArrayUtilityJNI.KX_GetUnitCount());
  }
}
