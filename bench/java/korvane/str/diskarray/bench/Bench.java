package korvane.str.diskarray.bench;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.ZonedDateTime;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.TreeMap;
import java.util.concurrent.CompletableFuture;

/**
 * The bridge's benchmark. Run without {@code --child}, it runs itself in two child JVMs at the
 * same time, one plain and one under {@code -Xcheck:jni}, each timing every way of making each
 * call on the same schedule, and prints one table in Markdown with the machine it ran on. Running
 * them side by side makes a change in the machine's speed (other work on it) fall on both alike,
 * which two runs one after the other would not.
 *
 * <p>Options: {@code --warmup-ms N} (per way, default 500), {@code --rounds N} (default 31),
 * {@code --round-ms N} (per way and round, default 20), all in CPU time of the calling thread;
 * {@code --row TEXT} (only rows whose name contains TEXT; repeatable), {@code --jvm-option OPTION}
 * (for both child JVMs; repeatable), {@code --one-at-a-time} (run the two child JVMs one after
 * the other), {@code --pairs N} (bridge and (b) back to back, default 300 pairs per row),
 * {@code --paired-only} (only the paired figures, no rounds of every way); {@code --no-station},
 * {@code --station-only}, {@code --station-pairs N} (default 31) for the real-station rows, run
 * after the two child JVMs in a third, which loads the shipped bridge and the real core from
 * the system property {@code kx.bench.station.path}.
 */
public final class Bench {
  private static final String[] CHILD_JVM = {"-Xms256m", "-Xmx256m", "-XX:+UseSerialGC"};
  private static final String[] JNI_REPORTS = {
    "WARNING in native method", "FATAL ERROR in native method", "JNI local refs:"
  };
  private static final String[] LIBRARIES = {
    "libdiskarrayjni.so", "libtesk740.so", "libkxbench.so"
  };
  private static final double ARRAY_TARGET = 1.3;
  private static final double WRITE_TARGET = 1.0;
  private static final double CHECKED_TARGET = 3.0;

  private Bench() {}

  public static void main(String[] args) throws Exception {
    Options options = Options.parse(args);
    if (options.stationChild) {
      stationChild(options);
    } else if (options.child) {
      child(options);
    } else {
      System.exit(parent(options));
    }
  }

  // ---------------------------------------------------------------------------------------------
  // Child: loads the libraries, checks where they come from, checks and times the rows.

  private static void child(Options options) throws Exception {
    Class.forName("korvane.str.diskarray.DiskArrayUtilityJNI", true,
        Bench.class.getClassLoader());
    List<Harness.Row> rows = new ArrayList<>();
    for (Harness.Row row : Rows.all()) {
      if (options.selects(row.label())) {
        rows.add(row);
      }
    }
    for (Map.Entry<String, String> library : checkedLibraries().entrySet()) {
      System.out.println("LIB\t" + library.getKey() + "\t" + library.getValue());
    }
    for (Harness.Row row : rows) {
      Harness.check(row);
    }
    for (Harness.Row row : rows) {
      System.out.println("PROGRESS\t" + row.label());
      for (String key : List.of(Harness.CACHED, Harness.LOOKUPS)) {
        Harness.Variant other = row.variant(key);
        if (options.pairs == 0 || other == null) {
          continue;
        }
        Harness.Paired paired = Harness.paired(row.variants().get(0), other, options.pairs,
            options.settings.warmupMillis());
        System.out.println(String.join("\t", "PAIRED", row.label(),
            Integer.toString(row.objects()), Double.toString(row.pairedTarget()),
            Integer.toString(paired.pairs()), Long.toString(paired.batch()),
            Double.toString(paired.median()), Double.toString(paired.p10()),
            Double.toString(paired.p25()), Double.toString(paired.p75()),
            Double.toString(paired.p90()), key));
      }
      if (options.pairedOnly) {
        continue;
      }
      List<Harness.Variant> timed = new ArrayList<>(row.variants());
      timed.removeIf(variant -> variant.key().equals(Harness.LOOKUPS));
      for (Harness.Stats stats : Harness.measure(row, timed, options.settings)) {
        System.out.println(String.join("\t", "RESULT", row.label(),
            Integer.toString(row.objects()), row.kind().name(), stats.key(),
            Double.toString(stats.median()), Double.toString(stats.p25()),
            Double.toString(stats.p75()), Double.toString(stats.ratio()),
            Double.toString(stats.ratioP25()), Double.toString(stats.ratioP75())));
      }
      if (options.memory && row.concurrent()) {
        Harness.ConcurrentUse use = Harness.concurrentMemory(row.variants().get(0).op());
        System.out.println(String.join("\t", "CONCURRENT", row.label(),
            Integer.toString(use.threads()), Long.toString(use.mallocBefore()),
            Long.toString(use.mallocPeak()),
            Long.toString(BenchNatives.recordSize(BenchNatives.callIndex(row.label())))));
      }
      if (options.memory && row.memory()) {
        Harness.MemoryUse use = Harness.memory(row.variants().get(0).op());
        System.out.println(String.join("\t", "MEMORY", row.label(),
            Integer.toString(Harness.MEMORY_CALLS), Long.toString(use.heapBefore()),
            Long.toString(use.heapAfter()), Long.toString(use.mallocBefore()),
            Long.toString(use.mallocAfter()), Long.toString(use.rssBefore()),
            Long.toString(use.rssAfter())));
      }
    }
    System.out.flush();
  }

  /**
   * The station rows' child: the shipped bridge and the real core, both mapped once, and nothing
   * of the fake core's directory.
   */
  private static void stationChild(Options options) throws Exception {
    Class.forName("korvane.str.diskarray.DiskArrayUtilityJNI", true,
        Bench.class.getClassLoader());
    Class.forName(StationNatives.class.getName(), true, Bench.class.getClassLoader());
    Map<String, List<String>> found = mappedLibraries();
    for (String name : List.of("libdiskarrayjni.so", "libtesk740.so", "libkxstation.so")) {
      List<String> paths = found.getOrDefault(name, List.of());
      if (paths.size() != 1 || paths.get(0).contains("/bench/lib/")) {
        throw new IllegalStateException(name + " mapped from " + paths
            + ", expected once and not from the fake core's directory");
      }
      System.out.println("LIB\t" + name + "\t" + paths.get(0));
    }
    if (found.containsKey("libkxbench.so")) {
      throw new IllegalStateException("the station rows' JVM loaded the baselines' library");
    }
    StationBench.run(options.stationPairs);
    System.out.flush();
  }

  private static Map<String, List<String>> mappedLibraries() throws IOException {
    Map<String, List<String>> found = new TreeMap<>();
    for (String line : Files.readAllLines(Path.of("/proc/self/maps"))) {
      int slash = line.indexOf('/');
      if (slash < 0) {
        continue;
      }
      String path = line.substring(slash);
      String name = Path.of(path).getFileName().toString();
      List<String> paths = found.computeIfAbsent(name, key -> new ArrayList<>());
      if (!paths.contains(path)) {
        paths.add(path);
      }
    }
    return found;
  }

  /**
   * The bridge, the fake core and the benchmark's library as mapped into this process: each
   * exactly once, all from the first directory of java.library.path, so the real core is not
   * loaded.
   */
  private static Map<String, String> checkedLibraries() throws IOException {
    Map<String, List<String>> found = mappedLibraries();
    Path expected = Path.of(System.getProperty("java.library.path").split(":")[0])
        .toRealPath();
    Map<String, String> libraries = new LinkedHashMap<>();
    for (String name : LIBRARIES) {
      List<String> paths = found.getOrDefault(name, List.of());
      if (paths.size() != 1 || !Path.of(paths.get(0)).getParent().toRealPath().equals(expected)) {
        throw new IllegalStateException(name + " mapped from " + paths + ", expected once from "
            + expected);
      }
      libraries.put(name, paths.get(0));
    }
    return libraries;
  }

  // ---------------------------------------------------------------------------------------------
  // Parent: runs the children and prints the table.

  private record Child(Map<String, String> libraries, Map<String, List<String[]>> results,
                       List<String[]> paired, List<String[]> station, List<String[]> memory,
                       List<String[]> concurrent,
                       List<String> jniReports, int exitCode, List<String> otherOutput) {}

  private static int parent(Options options) throws Exception {
    String loadAtStart = loadAverage();
    ZonedDateTime started = ZonedDateTime.now();
    if (options.stationOnly) {
      Child station = runStationChild(options);
      if (station == null || station.exitCode != 0) {
        return 1;
      }
      StringBuilder out = new StringBuilder();
      out.append("Run ").append(started.format(DateTimeFormatter.ISO_OFFSET_DATE_TIME))
          .append(" on ").append(machine()).append('\n');
      out.append("Load average (1, 5, 15 min) at start ").append(loadAtStart)
          .append(", at end ").append(loadAverage()).append("\n\n");
      station(out, station);
      System.out.print(out);
      return 0;
    }
    Child plain;
    Child checked;
    if (options.oneAtATime) {
      plain = runChild(options, false);
      checked = runChild(options, true);
    } else {
      CompletableFuture<Child> plainRun = inBackground(() -> runChild(options, false));
      checked = runChild(options, true);
      plain = plainRun.join();
    }
    if (plain.exitCode != 0 || checked.exitCode != 0) {
      Child failed = plain.exitCode != 0 ? plain : checked;
      System.err.println("bench: a child JVM failed (exit " + failed.exitCode + "):");
      failed.otherOutput.forEach(System.err::println);
      return 1;
    }
    Child station = options.noStation ? null : runStationChild(options);
    if (station != null && station.exitCode != 0) {
      return 1;
    }
    String loadAtEnd = loadAverage();
    report(options, plain, checked, started, loadAtStart, loadAtEnd);
    if (station != null) {
      StringBuilder out = new StringBuilder("\n");
      station(out, station);
      System.out.print(out);
    }
    return 0;
  }

  /** Where the station rows' JVM finds the shipped bridge and libkxstation.so. */
  private static final String STATION_PATH = "kx.bench.station.path";

  /**
   * Runs the station rows in a JVM of their own (plain, no JNI checks); null, with a note, when
   * this run was not told where the shipped bridge is.
   */
  private static Child runStationChild(Options options) throws IOException, InterruptedException {
    String path = System.getProperty(STATION_PATH);
    if (path == null || path.isEmpty()) {
      System.err.println("bench: no -D" + STATION_PATH + ", so no station rows");
      return null;
    }
    List<String> command = new ArrayList<>();
    command.add(Path.of(System.getProperty("java.home"), "bin", "java").toString());
    command.addAll(List.of(CHILD_JVM));
    command.addAll(options.jvmOptions);
    command.add("-Djava.library.path=" + path);
    command.add("-cp");
    command.add(System.getProperty("java.class.path"));
    command.add(Bench.class.getName());
    command.add("--child-station");
    command.add("--station-pairs");
    command.add(Integer.toString(options.stationPairs));
    System.err.println("bench: station JVM (the shipped bridge against the real core)");
    Child child = collect("station", new ProcessBuilder(command).redirectErrorStream(true)
        .start());
    if (child.exitCode != 0) {
      System.err.println("bench: the station JVM failed (exit " + child.exitCode + "):");
      child.otherOutput.forEach(System.err::println);
    }
    return child;
  }

  /** Most CPU time of the core's snapshot at 512 LUs, in ms. */
  private static final double STATION_SNAPSHOT_TARGET_MS = 10.0;

  /** The station rows: core only and through the bridge, in ms of CPU time per call. */
  private static void station(StringBuilder out, Child station) {
    out.append("Real station (the shipped bridge against the real core, stations made in a "
        + "temporary folder; ").append(station.station.isEmpty() ? "?"
            : station.station.get(0)[4])
        .append(" pairs of one core-only call from C and one bridge call, back to back, CPU "
            + "time of the calling thread), ms per call, medians with 25–75 %:\n\n");
    out.append("| Native | LUs | core only | through the bridge | bridge adds | station made "
        + "in |\n|---|--:|--:|--:|--:|--:|\n");
    double snapshot512 = Double.NaN;
    for (String[] row : station.station) {
      out.append("| ").append(row[1]).append(" | ").append(row[2])
          .append(" | ").append(msRange(row, 5)).append(" | ").append(msRange(row, 8))
          .append(" | ").append(msRange(row, 11)).append(" | ").append(row[3])
          .append(" ms |\n");
      if (row[1].equals("KX_GetAllInformation") && row[2].equals("512")) {
        snapshot512 = Double.parseDouble(row[5]);
      }
    }
    out.append("\n- snapshot at 512 LUs at most ")
        .append(String.format(Locale.ROOT, "%.0f", STATION_SNAPSHOT_TARGET_MS))
        .append(" ms of core CPU: ")
        .append(Double.isNaN(snapshot512) ? "no such row run"
            : (snapshot512 <= STATION_SNAPSHOT_TARGET_MS ? "met" : "NOT met")
                + String.format(Locale.ROOT, " (%.2f ms)", snapshot512))
        .append('\n');
  }

  private static String msRange(String[] row, int at) {
    return String.format(Locale.ROOT, "%.2f (%.2f–%.2f)", Double.parseDouble(row[at]),
        Double.parseDouble(row[at + 1]), Double.parseDouble(row[at + 2]));
  }

  private interface ChildRun {
    Child run() throws IOException, InterruptedException;
  }

  private static CompletableFuture<Child> inBackground(ChildRun run) {
    CompletableFuture<Child> result = new CompletableFuture<>();
    Thread thread = new Thread(() -> {
      try {
        result.complete(run.run());
      } catch (IOException | InterruptedException | RuntimeException e) {
        result.completeExceptionally(e);
      }
    });
    thread.start();
    return result;
  }

  private static Child runChild(Options options, boolean checkJni)
      throws IOException, InterruptedException {
    List<String> command = new ArrayList<>();
    command.add(Path.of(System.getProperty("java.home"), "bin", "java").toString());
    command.addAll(List.of(CHILD_JVM));
    command.addAll(options.jvmOptions);
    if (checkJni) {
      command.add("-Xcheck:jni");
    }
    command.add("-Djava.library.path=" + System.getProperty("java.library.path"));
    command.add("-cp");
    command.add(System.getProperty("java.class.path"));
    command.add(Bench.class.getName());
    command.add("--child");
    command.addAll(options.passOn());
    if (!checkJni) {
      // Memory is watched in the plain JVM only: -Xcheck:jni keeps its own books.
      command.add("--memory");
    }
    String name = checkJni ? "checked" : "plain";
    System.err.println("bench: " + name + " JVM" + (checkJni ? " (-Xcheck:jni)" : ""));
    return collect(name, new ProcessBuilder(command).redirectErrorStream(true).start());
  }

  /** Reads a child's output until it ends. */
  private static Child collect(String name, Process process)
      throws IOException, InterruptedException {
    Map<String, String> libraries = new LinkedHashMap<>();
    Map<String, List<String[]>> results = new LinkedHashMap<>();
    List<String[]> paired = new ArrayList<>();
    List<String[]> station = new ArrayList<>();
    List<String[]> memory = new ArrayList<>();
    List<String[]> concurrent = new ArrayList<>();
    List<String> reports = new ArrayList<>();
    List<String> other = new ArrayList<>();
    try (BufferedReader reader = new BufferedReader(
        new InputStreamReader(process.getInputStream(), StandardCharsets.UTF_8))) {
      for (String line = reader.readLine(); line != null; line = reader.readLine()) {
        String[] parts = line.split("\t");
        switch (parts[0]) {
          case "LIB" -> libraries.put(parts[1], parts[2]);
          case "RESULT" -> results.computeIfAbsent(parts[1], key -> new ArrayList<>()).add(parts);
          case "PAIRED" -> paired.add(parts);
          case "STATION" -> station.add(parts);
          case "MEMORY" -> memory.add(parts);
          case "CONCURRENT" -> concurrent.add(parts);
          case "PROGRESS" -> System.err.println("bench:   " + name + ": " + parts[1]);
          default -> {
            other.add(line);
            for (String pattern : JNI_REPORTS) {
              if (line.contains(pattern)) {
                reports.add(line);
              }
            }
          }
        }
      }
    }
    return new Child(libraries, results, paired, station, memory, concurrent, reports, process.waitFor(),
        other);
  }

  private static void report(Options options, Child plain, Child checked,
      ZonedDateTime started, String loadAtStart, String loadAtEnd) throws IOException {
    StringBuilder out = new StringBuilder();
    out.append("Run ").append(started.format(DateTimeFormatter.ISO_OFFSET_DATE_TIME))
        .append(" on ").append(machine()).append('\n');
    out.append("Load average (1, 5, 15 min) at start ").append(loadAtStart)
        .append(", at end ").append(loadAtEnd).append('\n');
    out.append("Bridge ").append(plain.libraries.get("libdiskarrayjni.so"))
        .append(" against the fake core ").append(plain.libraries.get("libtesk740.so"))
        .append('\n');
    Harness.Settings settings = options.settings;
    out.append("Per way: ").append(settings.warmupMillis()).append(" ms warm-up, ")
        .append(settings.rounds()).append(" rounds of about ").append(settings.roundMillis())
        .append(" ms, in CPU time of the calling thread; child JVMs ")
        .append(options.oneAtATime ? "one after the other, " : "side by side, ")
        .append(String.join(" ", CHILD_JVM));
    for (String option : options.jvmOptions) {
      out.append(' ').append(option);
    }
    out.append("\n\n");
    paired(out, plain.paired, checked.paired, options.pairs);
    if (options.pairedOnly) {
      System.out.print(out);
      return;
    }
    out.append("| Native | objects | bridge | (a) Java | (b) cached IDs | (c) by name "
        + "| bridge ÷ (a) | bridge ÷ (b) | bridge ÷ (c) | checked ÷ unchecked "
        + "| (b) checked ÷ unchecked |\n");
    out.append("|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");

    double worstArray = 0;
    String worstArrayRow = "";
    double worstTree = 0;
    String worstTreeRow = "";
    double worstWrite = 0;
    String worstWriteRow = "";
    double worstChecked = 0;
    String worstCheckedRow = "";
    boolean singleReads = false;
    for (Map.Entry<String, List<String[]>> row : plain.results.entrySet()) {
      Map<String, String[]> byKey = new LinkedHashMap<>();
      for (String[] result : row.getValue()) {
        byKey.put(result[4], result);
      }
      String[] bridge = byKey.get(Harness.BRIDGE);
      Harness.Kind kind = Harness.Kind.valueOf(bridge[3]);
      singleReads |= kind == Harness.Kind.SINGLE_READ;
      double checkedRatio = checkedRatio(checked, row.getKey(), bridge);
      double checkedCachedRatio =
          checkedRatio(checked, row.getKey(), byKey.get(Harness.CACHED));
      out.append("| ").append(row.getKey()).append(" | ").append(bridge[2]);
      for (String key : List.of(Harness.BRIDGE, Harness.JAVA, Harness.CACHED, Harness.PLAIN)) {
        String[] result = byKey.get(key);
        out.append(" | ").append(result == null ? "–" : nanos(Double.parseDouble(result[5])));
      }
      for (String key : List.of(Harness.JAVA, Harness.CACHED, Harness.PLAIN)) {
        String[] result = byKey.get(key);
        out.append(" | ").append(result == null ? "–" : ratio(result));
      }
      out.append(" | ").append(String.format(Locale.ROOT, "%.2fx", checkedRatio))
          .append(" | ").append(String.format(Locale.ROOT, "%.2fx", checkedCachedRatio))
          .append(" |\n");

      double versusCached = Double.parseDouble(byKey.get(Harness.CACHED)[8]);
      if (kind == Harness.Kind.TABLE_READ && versusCached > worstArray) {
        worstArray = versusCached;
        worstArrayRow = row.getKey();
      }
      if (kind == Harness.Kind.TREE_READ && versusCached > worstTree) {
        worstTree = versusCached;
        worstTreeRow = row.getKey();
      }
      if (kind == Harness.Kind.WRITE && byKey.containsKey(Harness.PLAIN)) {
        double versusPlain = Double.parseDouble(byKey.get(Harness.PLAIN)[8]);
        if (versusPlain > worstWrite) {
          worstWrite = versusPlain;
          worstWriteRow = row.getKey();
        }
      }
      if (checkedRatio > worstChecked) {
        worstChecked = checkedRatio;
        worstCheckedRow = row.getKey();
      }
    }
    out.append('\n');
    out.append("ns per object (CPU time), medians over the rounds; a ratio is the median of the "
        + "per-round ratios, with their interquartile range; checked ÷ unchecked compares a way's "
        + "medians in the two child JVMs.\n\n");
    out.append("Targets:\n");
    target(out, "record arrays within " + ARRAY_TARGET + "x of (b)", worstArrayRow, worstArray,
        ARRAY_TARGET);
    if (!worstTreeRow.isEmpty()) {
      target(out, "record trees within " + ARRAY_TARGET + "x of (b) per object", worstTreeRow,
          worstTree, ARRAY_TARGET);
    }
    target(out, "single-record writes no slower than (c)", worstWriteRow, worstWrite,
        WRITE_TARGET);
    target(out, "checked ÷ unchecked at most " + CHECKED_TARGET + "x", worstCheckedRow,
        worstChecked, CHECKED_TARGET);
    if (singleReads) {
      out.append("- single-record reads: no target of their own\n");
    }
    if (checked.jniReports.isEmpty() && plain.jniReports.isEmpty()) {
      out.append("- the run under -Xcheck:jni printed no JNI warning\n");
    } else {
      out.append("- JNI reports under -Xcheck:jni:\n");
      List<String> reports = new ArrayList<>(plain.jniReports);
      reports.addAll(checked.jniReports);
      for (String line : reports) {
        out.append("    ").append(line).append('\n');
      }
    }
    memory(out, plain.memory);
    concurrent(out, plain.concurrent);
    System.out.print(out);
  }

  /**
   * The paired figures, the headline of a run: bridge ÷ (b) as the median of per-pair ratios in
   * the plain JVM, and the same under -Xcheck:jni. The checked pair ratio over the plain one is
   * the bridge's checked ÷ unchecked over (b)'s: at most 1 means checking costs the bridge no
   * more, call for call, than it costs the cached-ID builder.
   */
  private static void paired(StringBuilder out, List<String[]> plain, List<String[]> checked,
      int pairs) {
    if (plain.isEmpty()) {
      return;
    }
    Map<String, String[]> checkedByRow = new LinkedHashMap<>();
    for (String[] row : checked) {
      if (row[11].equals(Harness.CACHED)) {
        checkedByRow.put(row[1], row);
      }
    }
    Map<String, String[]> withLookups = new LinkedHashMap<>();
    for (String[] row : plain) {
      if (row[11].equals(Harness.LOOKUPS)) {
        withLookups.put(row[1], row);
      }
    }
    out.append("Paired: bridge and (b) called back to back, ").append(pairs)
        .append(" pairs per row (thread CPU time of each half; the half a batch of calls of "
            + "at least ").append(String.format(Locale.ROOT, "%.1f",
                Harness.PAIR_HALF_NANOS / 1e6))
        .append(" ms), median of the per-pair ratios with their 25–75 % and 10–90 % "
            + "ranges. The last column pairs the bridge with (b) made after the same "
            + "per-call lookups the bridge makes (BenchNatives.lookUpOnce): what the builder "
            + "itself costs beside (b), the lookups of a call set aside:\n\n");
    out.append("| Native | objects | calls per half | bridge ÷ (b) | 25–75 % | 10–90 % "
        + "| target | under -Xcheck:jni | checked ÷ unchecked, bridge over (b) "
        + "| bridge ÷ ((b) + per-call lookups) |\n");
    out.append("|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    List<String> missed = new ArrayList<>();
    List<String> met = new ArrayList<>();
    List<String> checkedWorse = new ArrayList<>();
    for (String[] row : plain) {
      if (!row[11].equals(Harness.CACHED)) {
        continue;
      }
      String[] lookups = withLookups.get(row[1]);
      double target = Double.parseDouble(row[3]);
      double median = Double.parseDouble(row[6]);
      String[] underCheck = checkedByRow.get(row[1]);
      double checkedMedian = underCheck == null ? Double.NaN : Double.parseDouble(underCheck[6]);
      double checkedOver = checkedMedian / median;
      out.append("| ").append(row[1]).append(" | ").append(row[2]).append(" | ").append(row[5])
          .append(String.format(Locale.ROOT, " | %.3fx | %.3f–%.3f | %.3f–%.3f | ", median,
              Double.parseDouble(row[8]), Double.parseDouble(row[9]),
              Double.parseDouble(row[7]), Double.parseDouble(row[10])))
          .append(target > 0 ? String.format(Locale.ROOT, "≤ %.2fx", target) : "–")
          .append(String.format(Locale.ROOT, " | %.3fx | %.3f | ", checkedMedian, checkedOver))
          .append(lookups == null ? "–" : String.format(Locale.ROOT, "%.3fx (%.3f–%.3f)",
              Double.parseDouble(lookups[6]), Double.parseDouble(lookups[8]),
              Double.parseDouble(lookups[9])))
          .append(" |\n");
      if (target > 0) {
        (median <= target ? met : missed).add(String.format(Locale.ROOT, "%s %.3fx", row[1],
            median));
      }
      if (checkedOver > 1.0) {
        checkedWorse.add(String.format(Locale.ROOT, "%s %.3f", row[1], checkedOver));
      }
    }
    out.append("\nPaired targets:\n");
    if (!met.isEmpty()) {
      out.append("- met: ").append(String.join(", ", met)).append('\n');
    }
    if (!missed.isEmpty()) {
      out.append("- NOT met: ").append(String.join(", ", missed)).append('\n');
    }
    out.append("- checked ÷ unchecked no worse than (b)'s: ")
        .append(checkedWorse.isEmpty() ? "met in every row"
            : "NOT met for " + String.join(", ", checkedWorse))
        .append("\n\n");
  }

  /** Growth per call below which memory counts as flat: far less than any record or tree. */
  private static final long FLAT_BYTES_PER_CALL = 1024;

  /** The memory rows: 1,000 bridge calls in a row, in the plain JVM. */
  private static void memory(StringBuilder out, List<String[]> rows) {
    if (rows.isEmpty()) {
      return;
    }
    out.append("\nMemory around ").append(Harness.MEMORY_CALLS).append(" bridge calls in a row "
        + "(plain JVM; Java heap in use after full collections, malloc in use, resident set), "
        + "KiB before → after:\n\n");
    out.append("| Native | calls | Java heap | malloc | RSS |\n|---|--:|--:|--:|--:|\n");
    List<String> flat = new ArrayList<>();
    List<String> growing = new ArrayList<>();
    for (String[] row : rows) {
      long calls = Long.parseLong(row[2]);
      long[] value = new long[6];
      for (int i = 0; i < 6; i++) {
        value[i] = Long.parseLong(row[3 + i]);
      }
      out.append("| ").append(row[1]).append(" | ").append(calls);
      for (int i = 0; i < 6; i += 2) {
        out.append(" | ").append(kib(value[i])).append(" → ").append(kib(value[i + 1]))
            .append(String.format(Locale.ROOT, " (%+d)", (value[i + 1] - value[i]) / 1024));
      }
      out.append(" |\n");
      boolean heapFlat = value[1] - value[0] < FLAT_BYTES_PER_CALL * calls;
      boolean mallocFlat = value[3] - value[2] < FLAT_BYTES_PER_CALL * calls;
      (heapFlat && mallocFlat ? flat : growing).add(row[1]);
    }
    out.append("\n- Java heap and malloc flat (growth under ").append(FLAT_BYTES_PER_CALL)
        .append(" bytes a call): ")
        .append(growing.isEmpty() ? "met" : "NOT met for " + String.join(", ", growing))
        .append('\n');
  }

  /**
   * The concurrency rows: the most native memory the calls of several threads held at once, in
   * records of the call's size. Each call has a record of its own, so the peak is at most one per
   * thread, plus what the rest of the process allocated meanwhile.
   */
  private static void concurrent(StringBuilder out, List<String[]> rows) {
    if (rows.isEmpty()) {
      return;
    }
    out.append("\nNative memory while ").append(Harness.CONCURRENT_THREADS)
        .append(" threads each make ").append(Harness.CONCURRENT_CALLS)
        .append(" calls at once (plain JVM; malloc in use before, and at most when a call reached "
            + "the core):\n\n");
    out.append("| Native | threads | record KiB | malloc before KiB | peak KiB | peak growth in "
        + "records |\n|---|--:|--:|--:|--:|--:|\n");
    List<String> over = new ArrayList<>();
    for (String[] row : rows) {
      int threads = Integer.parseInt(row[2]);
      long before = Long.parseLong(row[3]);
      long peak = Long.parseLong(row[4]);
      long record = Long.parseLong(row[5]);
      double records = (double) (peak - before) / record;
      out.append("| ").append(row[1]).append(" | ").append(threads).append(" | ")
          .append(kib(record)).append(" | ").append(kib(before)).append(" | ").append(kib(peak))
          .append(String.format(Locale.ROOT, " | %.2f |\n", records));
      if (records > threads + 0.5) {
        over.add(row[1]);
      }
    }
    out.append("\n- at most one record per concurrent call: ")
        .append(over.isEmpty() ? "met" : "NOT met for " + String.join(", ", over)).append('\n');
  }

  private static String kib(long bytes) {
    return Long.toString(bytes / 1024);
  }

  /** The median of a way under -Xcheck:jni over its median unchecked. */
  private static double checkedRatio(Child checked, String row, String[] unchecked) {
    for (String[] result : checked.results.get(row)) {
      if (result[4].equals(unchecked[4])) {
        return Double.parseDouble(result[5]) / Double.parseDouble(unchecked[5]);
      }
    }
    throw new IllegalStateException(row + ": no " + unchecked[4] + " under -Xcheck:jni");
  }

  private static void target(StringBuilder out, String what, String row, double worst,
      double limit) {
    if (row.isEmpty()) {
      out.append("- ").append(what).append(": no such row run\n");
      return;
    }
    out.append("- ").append(what).append(": ").append(worst <= limit ? "met" : "NOT met")
        .append(String.format(Locale.ROOT, " (worst %.2fx, %s)%n", worst, row));
  }

  private static String nanos(double value) {
    return String.format(Locale.ROOT, value < 100 ? "%.1f" : "%.0f", value);
  }

  private static String ratio(String[] result) {
    return String.format(Locale.ROOT, "%.2fx (%.2f–%.2f)", Double.parseDouble(result[8]),
        Double.parseDouble(result[9]), Double.parseDouble(result[10]));
  }

  private static String machine() throws IOException {
    String cpu = "unknown CPU";
    int processors = 0;
    for (String line : Files.readAllLines(Path.of("/proc/cpuinfo"))) {
      if (line.startsWith("model name")) {
        cpu = line.substring(line.indexOf(':') + 1).trim();
        processors++;
      }
    }
    String memory = "";
    for (String line : Files.readAllLines(Path.of("/proc/meminfo"))) {
      if (line.startsWith("MemTotal:")) {
        long kib = Long.parseLong(line.replaceAll("[^0-9]", ""));
        memory = String.format(Locale.ROOT, ", %.0f GiB", kib / 1048576.0);
      }
    }
    return cpu + ", " + processors + " logical CPUs" + memory + "; "
        + System.getProperty("os.name") + " " + System.getProperty("os.version") + "; "
        + System.getProperty("java.vm.name") + " " + System.getProperty("java.vm.version");
  }

  private static String loadAverage() {
    try {
      String[] fields = Files.readString(Path.of("/proc/loadavg")).trim().split(" ");
      return fields[0] + " " + fields[1] + " " + fields[2];
    } catch (IOException e) {
      return "unknown";
    }
  }

  // ---------------------------------------------------------------------------------------------

  private static final class Options {
    boolean child;
    boolean memory;
    boolean oneAtATime;
    boolean pairedOnly;
    boolean stationChild;
    boolean noStation;
    boolean stationOnly;
    int stationPairs = 31;
    int pairs = 300;
    Harness.Settings settings = new Harness.Settings(500, 31, 20);
    final List<String> rows = new ArrayList<>();
    final List<String> jvmOptions = new ArrayList<>();

    static Options parse(String[] args) {
      Options options = new Options();
      long warmup = options.settings.warmupMillis();
      int rounds = options.settings.rounds();
      long round = options.settings.roundMillis();
      for (int i = 0; i < args.length; i++) {
        String arg = args[i];
        switch (arg) {
          case "--child" -> options.child = true;
          case "--memory" -> options.memory = true;
          case "--one-at-a-time" -> options.oneAtATime = true;
          case "--paired-only" -> options.pairedOnly = true;
          case "--child-station" -> options.stationChild = true;
          case "--no-station" -> options.noStation = true;
          case "--station-only" -> options.stationOnly = true;
          case "--station-pairs" -> options.stationPairs = (int) positive(arg, args, ++i);
          case "--pairs" -> options.pairs = (int) positive(arg, args, ++i);
          case "--warmup-ms" -> warmup = positive(arg, args, ++i);
          case "--rounds" -> rounds = (int) positive(arg, args, ++i);
          case "--round-ms" -> round = positive(arg, args, ++i);
          case "--row" -> options.rows.add(value(arg, args, ++i));
          case "--jvm-option" -> options.jvmOptions.add(value(arg, args, ++i));
          default -> throw new IllegalArgumentException("unknown option " + arg);
        }
      }
      options.settings = new Harness.Settings(warmup, rounds, round);
      return options;
    }

    boolean selects(String label) {
      return rows.isEmpty() || rows.stream().anyMatch(label::contains);
    }

    /** The options a child needs to time what this run asked for. */
    List<String> passOn() {
      List<String> args = new ArrayList<>(List.of(
          "--warmup-ms", Long.toString(settings.warmupMillis()),
          "--rounds", Integer.toString(settings.rounds()),
          "--round-ms", Long.toString(settings.roundMillis()),
          "--pairs", Integer.toString(pairs)));
      if (pairedOnly) {
        args.add("--paired-only");
      }
      for (String row : rows) {
        args.add("--row");
        args.add(row);
      }
      return args;
    }

    private static String value(String option, String[] args, int i) {
      if (i >= args.length) {
        throw new IllegalArgumentException(option + " needs a value");
      }
      return args[i];
    }

    private static long positive(String option, String[] args, int i) {
      long value = Long.parseLong(value(option, args, i));
      if (value <= 0) {
        throw new IllegalArgumentException(option + " must be positive");
      }
      return value;
    }
  }
}
