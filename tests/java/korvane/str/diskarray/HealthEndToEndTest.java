package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import korvane.str.diskarray.TestStation.JavaRun;
import korvane.str.diskarray.cli.DiskArrayTool;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * A unit losing drives and getting them back, as the tool's views show it:
 * the health line and exit status of status, the state column of rg list,
 * the marks of lu list, rebuild progress with its estimate, drive --wait, and
 * alerts naming what they concern without consuming them. The tool runs in
 * processes of its own, on a station clock the test sets (KX_CLOCK_FILE).
 */
class HealthEndToEndTest {
  private static final String TOOL = "korvane.str.diskarray.cli.DiskArrayTool";
  private static final String UNIT = "array1";
  /** A 146 GB member rebuilds in 139236 MB / 1024 x 100 s at 100 s per GB. */
  private static final long REBUILD_MS = Math.round(139236 / 1024.0 * 100 * 1000);

  @TempDir Path scratch;
  private Path station;
  private Path clock;

  @BeforeEach
  void openStation() throws Exception {
    station = scratch.resolve("station");
    clock = scratch.resolve("clock");
    setClockAhead(0);
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    // RAID 5 group 0 over ports 0-2 of row 0, RAID 1 group 1 over ports 0-1 of row 1.
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, TestStation.raidGroup(0, 5, 0, 0, 3, 1));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, TestStation.raidGroup(1, 1, 0, 1, 2, 1));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, TestStation.logicalUnit(0, 0, 1024));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, TestStation.logicalUnit(1, 1, 1024));
  }

  /** The station's clock in the tool's processes: the wall clock ahead by ms. */
  private void setClockAhead(long ms) throws Exception {
    Files.write(clock, ("+" + ms + "\n").getBytes(StandardCharsets.US_ASCII));
  }

  private JavaRun tool(int expected, String... args) throws Exception {
    List<String> all = new ArrayList<>(List.of("--station", station.toString()));
    all.addAll(List.of(args));
    JavaRun run = runJava(scratch.resolve("logs"),
        Map.of("KX_CLOCK_FILE", clock.toString(), "KX_FORMAT_SECONDS_PER_GB", "100"), TOOL,
        all.toArray(new String[0]));
    assertEquals(expected, run.status, run::toString);
    assertNoJniReports(run);
    return run;
  }

  /**
   * The tool in this process, whose station clock is the wall clock: the same
   * as the children's while the clock file says +0.
   */
  private JavaRun here(int expected, String... args) {
    JavaRun run = JavaRun.inProcess(station, args);
    assertEquals(expected, run.status, run::toString);
    return run;
  }

  private static String row(String table, String first) {
    for (String line : table.split("\n")) {
      if (line.strip().startsWith(first + " ")) {
        return line.strip();
      }
    }
    return "(no row " + first + ")\n" + table;
  }

  @Test
  void theViewsFollowADriveOutAndBackAndAGroupLost() throws Exception {
    assertTrue(here(0, "status", UNIT).stdout.startsWith(
        "health          ok: drives 0 blocked, 0 rebuilding; RAID groups 2 normal\n"));

    // --wait follows a rebuild; a drive command without it needs block or restore.
    here(2, "drive", UNIT, "0", "0", "block", "--wait");
    here(2, "drive", UNIT, "0", "0");
    here(0, "drive", UNIT, "0", "0", "block");
    JavaRun status = here(3, "status", UNIT);
    assertTrue(status.stdout.startsWith("health          degraded: drives 1 blocked,"
        + " 0 rebuilding; RAID groups 1 degraded, 1 normal\n"), status::toString);
    assertTrue(row(here(0, "rg", "list", UNIT).stdout, "0").endsWith(" degraded"));
    assertTrue(row(here(0, "rg", "list", UNIT).stdout, "1").endsWith(" normal"));
    assertTrue(row(here(0, "lu", "list", UNIT).stdout, "0")
        .matches(".* unformatted, RG degraded +yes"));

    // Reading alerts leaves them new for the monitor; checking marks them.
    String named = "drive blocked (new): drive 0/0 of RAID group 0\n"
        + "RAID group degraded (new): RAID group 0\n";
    assertEquals(named, here(0, "alerts", UNIT).stdout);
    assertEquals(named, here(0, "alerts", UNIT).stdout);
    assertEquals(named, here(0, "alerts", UNIT, "--mode", "check").stdout);
    assertEquals("drive blocked: drive 0/0 of RAID group 0\n"
        + "RAID group degraded: RAID group 0\n", here(0, "alerts", UNIT).stdout);
    String json = here(0, "alerts", UNIT, "--json").stdout;
    assertTrue(json.contains("\"objects\": [\n")
        && json.contains("\"drive 0/0 of RAID group 0\""), json);

    // Returned, the drive rebuilds; halfway the views show how far and how
    // long is left.
    tool(0, "drive", UNIT, "0", "0", "restore");
    setClockAhead(REBUILD_MS / 2);
    String drives = tool(0, "drives", UNIT).stdout;
    assertTrue(drives.matches(
        "(?s).*\n0 +0 +rebuilding 5[01]% \\(about \\d+ min left\\) +0 .*"), drives);
    assertTrue(row(tool(0, "rg", "list", UNIT).stdout, "0").endsWith(" rebuilding 50%")
        || row(tool(0, "rg", "list", UNIT).stdout, "0").endsWith(" rebuilding 51%"));
    assertTrue(tool(3, "status", UNIT).stdout.contains(
        "degraded: drives 0 blocked, 1 rebuilding; RAID groups 1 rebuilding, 1 normal\n"));
    assertEquals("drive rebuilding (new): drive 0/0 of RAID group 0\n"
        + "RAID group degraded: RAID group 0\n"
        + "ended since the last check: drive blocked\n", tool(0, "alerts", UNIT).stdout);

    // Once the clock passes its end, --wait finds it done; the next write
    // records the rebuild in the trace.
    setClockAhead(REBUILD_MS + 5000);
    assertTrue(tool(0, "drive", UNIT, "0", "0", "--wait").stdout
        .endsWith("drive 0/0: in service\n"));
    tool(0, "status", UNIT);
    assertEquals("no alerts\nended since the last check: drive blocked, RAID group degraded\n",
        tool(0, "alerts", UNIT, "--mode", "check").stdout);
    assertEquals("no alerts\n", tool(0, "alerts", UNIT).stdout, "an end is told once");
    String trace = tool(0, "trace", UNIT).stdout;
    assertTrue(trace.contains("drive drive at port 0 row 0 rebuilt\n"), trace);
    assertTrue(trace.contains("drive RAID group 0 recovered\n"), trace);

    // Both members of the RAID 1 group lost: the unit has failed.
    tool(0, "drive", UNIT, "0", "1", "block");
    tool(0, "drive", UNIT, "1", "1", "block");
    status = tool(4, "status", UNIT, "--json");
    assertTrue(status.stdout.contains("\"health\": \"failed\""), status::toString);
    assertTrue(row(tool(0, "rg", "list", UNIT).stdout, "1").endsWith(" failed"));
    assertTrue(row(tool(0, "lu", "list", UNIT).stdout, "1")
        .matches(".* unformatted, RG failed +yes"));
    String alerts = tool(0, "alerts", UNIT).stdout;
    assertTrue(alerts.contains("RAID group failed (new): RAID group 1\n"), alerts);
    assertFalse(alerts.contains("format failed"), alerts);
  }
}
