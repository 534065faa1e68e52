package korvane.str.diskarray.bench;

import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.lang.management.ThreadMXBean;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.List;
import java.util.stream.Stream;
import korvane.str.diskarray.ArrayAllInformation;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.KXUnitParam;
import korvane.str.diskarray.LogicalUnit;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.WorkingDirectory;

/**
 * The station rows: the shipped bridge against the real core, on stations made in a temporary
 * folder with 8, 64 and 512 LUs. For the snapshot ({@code KX_GetAllInformation}) and the
 * statistics record ({@code KX_GetStatisticalInformation}) each pair times one call straight
 * from C (core only, {@link StationNatives}) and one through the bridge, back to back, in CPU
 * time of the calling thread; the medians over the pairs are printed, and the median of the
 * per-pair differences, which is what the bridge adds to the core's time.
 */
final class StationBench {
  static final String UNIT = "bench01";
  static final int[] LU_COUNTS = {8, 64, 512};
  /** RAID groups the LUs are spread over: one per row of slots, three drives wide. */
  static final int RAID_GROUPS = 8;

  static final int WARMUP_CALLS = 20;
  static final long WARMUP_NANOS = 500_000_000L;

  private static final ThreadMXBean THREADS = ManagementFactory.getThreadMXBean();

  private StationBench() {}

  static void run(int pairs) throws Exception {
    THREADS.setThreadCpuTimeEnabled(true);
    Path scratch = Files.createTempDirectory("kxbench-station");
    try {
      for (int lus : LU_COUNTS) {
        Path station = scratch.resolve("lus-" + lus);
        long started = System.nanoTime();
        makeStation(station, lus);
        long madeMillis = (System.nanoTime() - started) / 1_000_000;
        ArrayAllInformation all = DiskArrayUtilityJNI.KX_GetAllInformation(UNIT);
        if (all.last_lu != lus - 1) {
          throw new IllegalStateException("a station of " + lus + " LUs reports last LU "
              + all.last_lu);
        }
        row("KX_GetAllInformation", StationNatives.SNAPSHOT, lus, madeMillis, pairs,
            () -> DiskArrayUtilityJNI.KX_GetAllInformation(UNIT));
        row("KX_GetStatisticalInformation", StationNatives.STATISTICS, lus, madeMillis, pairs,
            () -> DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 0));
      }
    } finally {
      deleteTree(scratch);
    }
  }

  /** A station in {@code dir} with one unit, {@link #RAID_GROUPS} RAID groups and the LUs. */
  static void makeStation(Path dir, int lus) throws Exception {
    DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(dir.toString()));
    KXUnitParam unit = new KXUnitParam();
    unit.unit_name = UNIT;
    unit.group_name = "bench";
    unit.connect_type = 1;
    unit.kx_type = 2;
    unit.unit_conf = 3;
    unit.alert = 4;
    unit.ctl0 = "10.0.0.1";
    unit.ctl1 = "10.0.0.2";
    DiskArrayUtilityJNI.KX_UnitAdd(unit);
    for (int group = 0; group < RAID_GROUPS; group++) {
      RaidGroup raid = new RaidGroup();
      raid.rgnum = group;
      raid.level = 5;
      raid.port = 0;
      raid.row = group;
      raid.width = 3;
      raid.depth = 1;
      DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raid);
    }
    for (int number = 0; number < lus; number++) {
      LogicalUnit lu = new LogicalUnit();
      lu.luNumber = number;
      lu.rgNumber = number % RAID_GROUPS;
      lu.capacity = 64;
      lu.hostblock = 512;
      DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, lu);
    }
  }

  private static void row(String function, int call, int lus, long madeMillis, int pairs,
      Harness.Op bridge) throws Exception {
    // Warm-up: at least WARMUP_CALLS of each, and WARMUP_NANOS of CPU time
    // through the bridge, so the JIT has compiled what the bridge's calls use.
    long warm = 0;
    for (int i = 0; i < WARMUP_CALLS || warm < WARMUP_NANOS; i++) {
      StationNatives.coreNanos(call, UNIT, 1);
      warm += bridgeNanos(bridge);
    }
    double[] core = new double[pairs];
    double[] through = new double[pairs];
    double[] added = new double[pairs];
    for (int pair = 0; pair < pairs; pair++) {
      long coreNanos;
      long bridgeNanos;
      if (pair % 2 == 0) {
        coreNanos = StationNatives.coreNanos(call, UNIT, 1);
        bridgeNanos = bridgeNanos(bridge);
      } else {
        bridgeNanos = bridgeNanos(bridge);
        coreNanos = StationNatives.coreNanos(call, UNIT, 1);
      }
      core[pair] = coreNanos / 1e6;
      through[pair] = bridgeNanos / 1e6;
      added[pair] = (bridgeNanos - coreNanos) / 1e6;
    }
    System.out.println(String.join("\t", "STATION", function, Integer.toString(lus),
        Long.toString(madeMillis), Integer.toString(pairs), quartiles(core),
        quartiles(through), quartiles(added)));
  }

  private static long bridgeNanos(Harness.Op bridge) throws Exception {
    long start = THREADS.getCurrentThreadCpuTime();
    Harness.sink = bridge.run();
    return THREADS.getCurrentThreadCpuTime() - start;
  }

  /** Median, 25 % and 75 % of the values, tab-separated, in ms. */
  private static String quartiles(double[] values) {
    double[] sorted = values.clone();
    Arrays.sort(sorted);
    return Harness.quantile(sorted, 0.5) + "\t" + Harness.quantile(sorted, 0.25) + "\t"
        + Harness.quantile(sorted, 0.75);
  }

  private static void deleteTree(Path root) throws IOException {
    List<Path> paths = new ArrayList<>();
    try (Stream<Path> walk = Files.walk(root)) {
      walk.sorted(Comparator.reverseOrder()).forEach(paths::add);
    }
    for (Path path : paths) {
      Files.deleteIfExists(path);
    }
  }
}
