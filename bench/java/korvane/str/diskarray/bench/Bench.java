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
 * the other).
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
    if (options.child) {
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
      for (Harness.Stats stats : Harness.measure(row, row.variants(), options.settings)) {
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
   * The bridge, the fake core and the benchmark's library as mapped into this process: each
   * exactly once, all from the first directory of java.library.path, so the real core is not
   * loaded.
   */
  private static Map<String, String> checkedLibraries() throws IOException {
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
                       List<String[]> memory, List<String[]> concurrent,
                       List<String> jniReports, int exitCode, List<String> otherOutput) {}

  private static int parent(Options options) throws Exception {
    String loadAtStart = loadAverage();
    ZonedDateTime started = ZonedDateTime.now();
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
    String loadAtEnd = loadAverage();
    if (plain.exitCode != 0 || checked.exitCode != 0) {
      Child failed = plain.exitCode != 0 ? plain : checked;
      System.err.println("bench: a child JVM failed (exit " + failed.exitCode + "):");
      failed.otherOutput.forEach(System.err::println);
      return 1;
    }
    report(options, plain, checked, started, loadAtStart, loadAtEnd);
    return 0;
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
    Process process = new ProcessBuilder(command).redirectErrorStream(true).start();
    Map<String, String> libraries = new LinkedHashMap<>();
    Map<String, List<String[]>> results = new LinkedHashMap<>();
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
    return new Child(libraries, results, memory, concurrent, reports, process.waitFor(),
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
          "--round-ms", Long.toString(settings.roundMillis())));
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
