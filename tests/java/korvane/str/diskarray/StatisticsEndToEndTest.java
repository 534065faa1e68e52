package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.ERR_MARSHAL;
import static korvane.str.diskarray.ErrorCodes.ERR_NULL_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_PERF_SAMPLES_OUT_OF_ORDER;
import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.math.BigInteger;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Calendar;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import javax.xml.parsers.DocumentBuilderFactory;
import korvane.str.diskarray.cli.DiskArrayTool;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.w3c.dom.Document;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;

/**
 * Statistics and performance collection end to end: the statistics tree, the
 * counters across processes, performance samples and files, the block
 * conversion, and the tool's stats, perf and perf plot.
 */
class StatisticsEndToEndTest {
  private static final String UNIT = "stats01";

  @TempDir Path scratch;

  private Path station() {
    return scratch.resolve("station");
  }

  /**
   * A RAID 5 group over ports 0-3, rows 0-1, with LU 0 on controller 0 and
   * LU 1 on controller 1, both formatted; LU 2 in the same group is never
   * formatted.
   */
  @BeforeEach
  void configure() throws Exception {
    TestClock.reset();
    TestStation.open(station());
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(0, 5, 0, 0, 4, 2));
    for (int lu = 0; lu < 3; lu++) {
      LogicalUnit entry = logicalUnit(lu, 0, 16);
      entry.defaultCTL = lu % 2;
      DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, entry);
    }
    DiskArrayUtilityJNI.KX_LogicalUnitFormat(UNIT, 0, 1);
    DiskArrayUtilityJNI.KX_LogicalUnitFormat(UNIT, 1, 1);
    // A quick format of 16 MB takes a fraction of a second.
    TestClock.advance(1_000);
    LuFormatStatus[] formats = DiskArrayUtilityJNI.KX_LogicalUnitFormatStatusList(UNIT).lu;
    assertEquals(100, formats[0].percent);
    assertEquals(100, formats[1].percent);
  }

  @AfterEach
  void restoreTheClock() throws Exception {
    TestClock.reset();
  }

  /** Every object and array of a tree, by identity. */
  private static int countObjects(Object value, Set<Class<?>> classes) throws Exception {
    assertNotNull(value, "no null anywhere in the tree");
    Class<?> type = value.getClass();
    if (type == int[].class) {
      return 1;
    }
    int count = 1;
    if (type.isArray()) {
      for (int i = 0; i < Array.getLength(value); i++) {
        count += countObjects(Array.get(value, i), classes);
      }
      return count;
    }
    classes.add(type);
    for (Field field : type.getDeclaredFields()) {
      if (!Modifier.isStatic(field.getModifiers()) && !field.getType().isPrimitive()) {
        count += countObjects(field.get(value), classes);
      }
    }
    return count;
  }

  private static long commands(StatisticalInformation stats, int lu) {
    long total = 0;
    for (int c = 0; c < 2; c++) {
      total += Integer.toUnsignedLong(stats.h_command[c].lu[lu].read_count)
          + Integer.toUnsignedLong(stats.h_command[c].lu[lu].write_count);
    }
    return total;
  }

  @Test
  void theStatisticsTreeIsWholeAndCounts() throws Exception {
    StatisticalInformation first = DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 0);
    Set<Class<?>> classes = new HashSet<>();
    assertEquals(8108, countObjects(first, classes));
    assertEquals(30, classes.size());
    assertEquals(32, first.cache_mem[1].segment.length);
    assertEquals(18, first.cache_mem[1].segment[31].length);
    assertEquals(15, first.drive_err[1].drive[14].length);

    TestClock.advance(1_100);
    StatisticalInformation later = DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 0);
    assertTrue(commands(later, 0) > commands(first, 0));
    assertTrue(later.h_command[1].lu[1].read_count != 0, "LU 1 works through controller 1");
    assertEquals(0, later.h_command[1].lu[0].read_count, "LU 0 is not on controller 1");
    assertEquals(0, commands(later, 2), "an unformatted LU serves nothing");
    // The grids hold the drive work of the group's members and nothing else.
    assertTrue(later.writeafter[0].raid5_stripe_job[3][1] != 0);
    assertEquals(0, later.writeafter[0].raid5_stripe_job[4][0]);
    // Destage runs hold at most 16 jobs; how full the largest is depends on how
    // much time each accrual step covered, so only the bounds are fixed.
    StatisticalWriteAfter_PDEVInfo gather = later.writeafter[0].pdev[3][1];
    assertTrue(gather.gather_max >= 1 && gather.gather_max <= 16, "largest run");
    assertTrue(gather.gather_min >= 1 && gather.gather_min <= gather.gather_max, "smallest run");
    assertTrue(gather.gather_prc_cnt <= gather.gather_cnt
        && gather.gather_cnt <= 16L * gather.gather_prc_cnt, "runs of 1 to 16 jobs");
    assertEquals(0, later.writeafter[0].pdev[4][0].gather_cnt, "no member, no runs");
    assertEquals(10, later.drive_err[0].limit.limit_had_urec);

    assertEquals(KXE_INVALID_ARGUMENT,
        codeOf(() -> DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 7)));
    assertEquals(ERR_NULL_ARGUMENT,
        codeOf(() -> DiskArrayUtilityJNI.KX_GetStatisticalInformation(null, 0)));
  }

  /** The counters of `stats --raw`, by path. */
  private static Map<String, Long> raw(String text) {
    Map<String, Long> values = new HashMap<>();
    for (String line : text.split("\n")) {
      int equals = line.indexOf('=');
      values.put(line.substring(0, equals), Long.parseLong(line.substring(equals + 1)));
    }
    return values;
  }

  @Test
  void anotherProcessSeesTheSameCountersMoveOn() throws Exception {
    StatisticalInformation before = DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 0);
    TestClock.advance(1_100);
    TestStation.JavaRun child = runJava(scratch, "korvane.str.diskarray.cli.DiskArrayTool",
        "--station", station().toString(), "stats", UNIT, "--raw");
    assertEquals(0, child.status, child::toString);
    assertNoJniReports(child);
    TestClock.advance(1_100);
    StatisticalInformation after = DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 0);

    Map<String, Long> theirs = raw(child.stdout);
    assertEquals(184588 / 4, theirs.size(), "one line per int of the record");
    for (int lu = 0; lu < 2; lu++) {
      int c = lu % 2;
      String key = "h_command[" + c + "].lu[" + lu + "].read_count";
      long seen = theirs.get(key);
      assertTrue(Integer.toUnsignedLong(before.h_command[c].lu[lu].read_count) < seen, key);
      assertTrue(seen < Integer.toUnsignedLong(after.h_command[c].lu[lu].read_count), key);
    }
    assertEquals(Integer.toUnsignedLong(after.controller[0].power_on),
        theirs.get("controller[0].power_on"));
  }

  @Test
  void samplesFollowEachOtherAndReachTheFile() throws Exception {
    StatisticalCommand[] first = DiskArrayUtilityJNI.KX_GetPerformance(UNIT);
    assertEquals(2, first.length);
    assertEquals(512, first[1].lu.length);
    assertEquals(1000, first[1].mtime.getTimeInMillis() - first[0].mtime.getTimeInMillis());
    assertEquals(Calendar.getInstance().get(Calendar.YEAR), first[1].mtime.get(Calendar.YEAR));
    TestClock.advance(1_100);
    StatisticalCommand[] next = DiskArrayUtilityJNI.KX_GetPerformance(UNIT);
    assertEquals(first[1].mtime, next[0].mtime);
    assertEquals(first[1].lu[0].read_count, next[0].lu[0].read_count);
    assertTrue(Integer.compareUnsigned(next[1].lu[0].read_count, next[0].lu[0].read_count) > 0);

    // Samples go back through the reader: the LU list selects LU 1 and,
    // through the low 8 bits of 300, LU 2.
    Path csv = scratch.resolve("lu.csv");
    DiskArrayUtilityJNI.KX_PerformanceOutputLU(UNIT, csv.toString(), first[0], first[1],
        next[0], next[1], 1, new int[] {0, 1, 300}, 0);
    List<String> lines = Files.readAllLines(csv);
    assertEquals("time,interval_s,lu,read_iops,write_iops,read_hit_ratio,write_hit_ratio",
        lines.get(0));
    List<String> lus = new ArrayList<>();
    for (String line : lines.subList(1, lines.size())) {
      String[] cells = line.split(",", -1);
      assertEquals(7, cells.length, line);
      lus.add(cells[2]);
      assertTrue(Double.parseDouble(cells[3]) >= 0, line);
    }
    // The middle interval runs from a sample to itself and gives no rows.
    assertEquals(List.of("1", "2", "1", "2"), lus);
    String end = String.format("%1$tF %1$tT", next[1].mtime);
    assertEquals(end, lines.get(lines.size() - 1).split(",")[0]);

    // A sample that cannot be read whole never reaches the file.
    StatisticalCommand broken = new StatisticalCommand();
    broken.lu = new StatisticalCommand_Info[] {null};
    broken.mtime = next[1].mtime;
    assertEquals(ERR_MARSHAL, codeOf(() -> DiskArrayUtilityJNI.KX_PerformanceOutput(UNIT,
        csv.toString(), first[0], first[1], next[0], broken)));
    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_PerformanceOutput(UNIT,
        csv.toString(), first[0], null, next[0], next[1])));
    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_PerformanceOutputLU(UNIT,
        csv.toString(), first[0], first[1], next[0], next[1], 0, null, 0)));
    assertEquals(KXE_PERF_SAMPLES_OUT_OF_ORDER,
        codeOf(() -> DiskArrayUtilityJNI.KX_PerformanceOutput(UNIT,
            csv.toString(), next[1], first[0], first[0], first[0])));
    assertEquals(lines, Files.readAllLines(csv));
  }

  @Test
  void blocksBecomeBytesInThreeInts() throws Exception {
    assertArrayEquals(new int[] {0, 0, 512}, DiskArrayUtilityJNI.KX_BlockToByte(0, 1, 0));
    int[] largest = DiskArrayUtilityJNI.KX_BlockToByte(-1, -1, Integer.MAX_VALUE);
    BigInteger bytes = BigInteger.ZERO;
    for (int part : largest) {
      bytes = bytes.shiftLeft(32).add(BigInteger.valueOf(Integer.toUnsignedLong(part)));
    }
    assertEquals(BigInteger.ONE.shiftLeft(64).subtract(BigInteger.ONE)
        .multiply(BigInteger.valueOf(Integer.MAX_VALUE)), bytes);
    assertEquals(KXE_INVALID_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_BlockToByte(0, 1, -1)));
  }

  private int tool(ByteArrayOutputStream out, String... args) {
    List<String> all = new ArrayList<>(List.of("--station", station().toString()));
    all.addAll(List.of(args));
    return DiskArrayTool.run(all.toArray(new String[0]),
        new PrintStream(out, true, StandardCharsets.UTF_8),
        new PrintStream(new ByteArrayOutputStream(), true, StandardCharsets.UTF_8));
  }

  @Test
  void theToolCollectsAndCharts() throws Exception {
    TestClock.advance(1_100);  // counters move in whole seconds
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    assertEquals(0, tool(out, "stats", UNIT));
    String summary = out.toString(StandardCharsets.UTF_8);
    assertTrue(summary.contains("Busiest LUs"), summary);
    assertTrue(summary.lines().anyMatch(line -> line.matches("1\\s+1\\s+\\d+.*")), summary);

    Path csv = scratch.resolve("perf.csv");
    Path svg = scratch.resolve("perf.svg");
    assertEquals(0, tool(out, "perf", UNIT, "--count", "4", "--out", csv.toString()));
    List<String> rows = Files.readAllLines(csv);
    Set<String> times = new HashSet<>();
    for (String row : rows.subList(1, rows.size())) {
      times.add(row.split(",")[0]);
    }
    assertEquals(List.of("time", "interval_s", "lu"), List.of(rows.get(0).split(",")).subList(0, 3));
    assertEquals(4 * 2, rows.size() - 1, "LUs 0 and 1 in each of the 4 intervals");

    assertEquals(0, tool(out, "perf", "plot", csv.toString(), "--out", svg.toString()));
    Document chart = DocumentBuilderFactory.newInstance().newDocumentBuilder()
        .parse(svg.toFile());
    Element root = chart.getDocumentElement();
    assertEquals("svg", root.getTagName());
    NodeList lines = root.getElementsByTagName("polyline");
    assertEquals(2, lines.getLength());
    for (int i = 0; i < lines.getLength(); i++) {
      Element line = (Element) lines.item(i);
      assertEquals(String.valueOf(i), line.getAttribute("data-lu"));
      String[] points = line.getAttribute("points").trim().split("\\s+");
      assertEquals(times.size(), points.length);
      double previousX = -1;
      for (String point : points) {
        String[] xy = point.split(",");
        double x = Double.parseDouble(xy[0]);
        double y = Double.parseDouble(xy[1]);
        assertTrue(x > previousX && x <= 960 && y >= 0 && y <= 540, point);
        previousX = x;
      }
    }

    assertEquals(2, tool(out, "perf", UNIT, "--out", csv.toString()), "--count is required");
    assertEquals(1, tool(out, "perf", "plot", scratch.resolve("none.csv").toString(),
        "--out", svg.toString()));
    assertFalse(Files.readString(svg).isEmpty());
  }

  /** A performance file of the given LUs at the given seconds after 10:00:00, LU n at n IOPS. */
  private Path csv(String name, int lus, int... seconds) throws Exception {
    StringBuilder text = new StringBuilder(
        "time,interval_s,lu,read_iops,write_iops,read_hit_ratio,write_hit_ratio\n");
    for (int second : seconds) {
      for (int lu = 0; lu < lus; lu++) {
        text.append(String.format("2026-12-08 10:00:%02d,1,%d,%d,0,0.5,0.5%n", second, lu, lu + 1));
      }
    }
    Path file = scratch.resolve(name);
    Files.writeString(file, text);
    return file;
  }

  @Test
  void chartsDrawWhatTheySayTheyDraw() throws Exception {
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    // One sample: each LU is a visible point, and the time axis has one label.
    Path svg = scratch.resolve("single.svg");
    assertEquals(0, tool(out, "perf", "plot", csv("one.csv", 2, 5).toString(),
        "--out", svg.toString()));
    Element root = DocumentBuilderFactory.newInstance().newDocumentBuilder()
        .parse(svg.toFile()).getDocumentElement();
    assertEquals(2, root.getElementsByTagName("circle").getLength());
    int timeLabels = 0;
    NodeList texts = root.getElementsByTagName("text");
    for (int i = 0; i < texts.getLength(); i++) {
      if (texts.item(i).getTextContent().matches("\\d\\d:\\d\\d:\\d\\d")) {
        timeLabels++;
      }
    }
    assertEquals(1, timeLabels);

    // Fifteen LUs: twelve lines, and the message says which twelve.
    out.reset();
    Path many = scratch.resolve("many.svg");
    assertEquals(0, tool(out, "perf", "plot", csv("many.csv", 15, 1, 2).toString(),
        "--out", many.toString()));
    assertTrue(out.toString(StandardCharsets.UTF_8).startsWith(
        "wrote a chart of the 12 busiest of 15 LUs over 2 times"), out::toString);
    assertEquals(12, DocumentBuilderFactory.newInstance().newDocumentBuilder()
        .parse(many.toFile()).getElementsByTagName("polyline").getLength());

    // An existing chart is kept unless --force; a folder path gets the file's own name.
    String kept = Files.readString(many);
    assertEquals(1, tool(out, "perf", "plot", csv("one.csv", 2, 5).toString(),
        "--out", many.toString()));
    assertEquals(kept, Files.readString(many));
    assertEquals(0, tool(out, "perf", "plot", scratch.resolve("one.csv").toString(),
        "--out", many.toString(), "--force"));
    assertEquals(0, tool(out, "perf", "plot", scratch.resolve("one.csv").toString(),
        "--out", scratch.toString() + "/"));
    assertTrue(Files.exists(scratch.resolve("one.svg")));
  }

  @Test
  void perfChecksItsFileFirstAndTakesAUnitNamedPlot() throws Exception {
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    // An hour between samples: a check made only after sampling would run into the timeout.
    assertEquals(1, tool(out, "perf", UNIT, "--count", "5", "--interval", "3600",
        "--out", scratch.resolve("no/such/folder/perf.csv").toString()));
    Path existing = scratch.resolve("existing.csv");
    Files.writeString(existing, "keep\n");
    assertEquals(1, tool(out, "perf", UNIT, "--count", "5", "--interval", "3600",
        "--out", existing.toString()));
    assertEquals("keep\n", Files.readString(existing));

    DiskArrayUtilityJNI.KX_UnitAdd(unit("plot"));
    out.reset();
    assertEquals(0, tool(out, "perf", "plot", "--count", "1", "--out", scratch.toString() + "/"),
        out::toString);
    assertTrue(Files.readString(scratch.resolve("plot.csv")).startsWith("time,"));
  }
}
