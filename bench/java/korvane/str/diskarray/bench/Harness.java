package korvane.str.diskarray.bench;

import java.lang.management.ManagementFactory;
import java.lang.management.ThreadMXBean;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Objects;

/**
 * Times the ways of making one row's call: warm-up, then rounds in which every way runs a batch
 * of calls sized to take about the same time, in an order that rotates each round so that a
 * drift in the machine's speed falls on all of them alike. Reports medians over the rounds; a
 * ratio is the median of the per-round ratios.
 *
 * <p>Time is the CPU time of the calling thread, not the wall clock: on a machine shared with
 * other work, the time the thread spends waiting for a CPU is not the bridge's. Garbage
 * collection and compilation run in other threads of the JVM and are left out alike for every
 * way.
 */
final class Harness {
  static final String BRIDGE = "bridge";
  static final String JAVA = "java";
  static final String CACHED = "cached";
  static final String PLAIN = "plain";
  /** (b) after the per-call lookups the bridge makes; paired only, not in the rounds. */
  static final String LOOKUPS = "lookups";

  /** Keeps every result reachable, so no call can be optimised away. */
  static Object sink;

  private static final ThreadMXBean THREADS = ManagementFactory.getThreadMXBean();

  static {
    if (!THREADS.isCurrentThreadCpuTimeSupported()) {
      throw new IllegalStateException("this JVM cannot measure a thread's CPU time");
    }
    THREADS.setThreadCpuTimeEnabled(true);
  }

  private static long cpuNanos() {
    return THREADS.getCurrentThreadCpuTime();
  }

  private Harness() {}

  @FunctionalInterface
  interface Op {
    Object run() throws Exception;
  }

  record Variant(String key, Op op) {}

  /** What a row's call does; each kind has its own target. */
  enum Kind { TABLE_READ, TREE_READ, SINGLE_READ, WRITE }

  /**
   * One row of the table; the bridge is the first variant. With {@code memory}, the bridge's call
   * is also made {@link #MEMORY_CALLS} times in a row to see that it leaves memory as it was; with
   * {@code concurrent}, it is also made from {@link #CONCURRENT_THREADS} threads at once to see
   * how much native memory the calls alive hold at most.
   */
  record Row(String label, int objects, Kind kind, List<Variant> variants, boolean memory,
             boolean concurrent, double pairedTarget) {
    Row(String label, int objects, Kind kind, List<Variant> variants) {
      this(label, objects, kind, variants, false, false, 0);
    }

    Row labelled(String newLabel) {
      return new Row(newLabel, objects, kind, variants, memory, concurrent, pairedTarget);
    }

    Row checkingMemory() {
      return new Row(label, objects, kind, variants, true, concurrent, pairedTarget);
    }

    Row checkingConcurrentMemory() {
      return new Row(label, objects, kind, variants, memory, true, pairedTarget);
    }

    /** The most the paired bridge ÷ (b) may be; 0: no target. */
    Row pairedAtMost(double target) {
      return new Row(label, objects, kind, variants, memory, concurrent, target);
    }

    Variant variant(String key) {
      for (Variant variant : variants) {
        if (variant.key().equals(key)) {
          return variant;
        }
      }
      return null;
    }

    boolean write() {
      return kind == Kind.WRITE;
    }
  }

  record Settings(long warmupMillis, int rounds, long roundMillis) {}

  static final int MEMORY_CALLS = 1000;

  /**
   * Memory before and after {@link #MEMORY_CALLS} calls in a row, in bytes: the Java heap in use
   * after a full collection, what malloc has handed out, and the process's resident set.
   */
  record MemoryUse(long heapBefore, long heapAfter, long mallocBefore, long mallocAfter,
                   long rssBefore, long rssAfter) {}

  static MemoryUse memory(Op op) throws Exception {
    collect();
    long heap = usedHeap();
    long malloc = BenchNatives.mallocInUse();
    long rss = residentBytes();
    for (int call = 0; call < MEMORY_CALLS; call++) {
      sink = op.run();
    }
    sink = null;
    collect();
    return new MemoryUse(heap, usedHeap(), malloc, BenchNatives.mallocInUse(), rss,
        residentBytes());
  }

  static final int CONCURRENT_THREADS = 8;
  static final int CONCURRENT_CALLS = 40;

  /**
   * Native memory while {@link #CONCURRENT_THREADS} threads each make {@link #CONCURRENT_CALLS}
   * snapshot calls, started together: what malloc had handed out before, and the most it had
   * handed out when a call reached the core (the fake core watches it).
   */
  record ConcurrentUse(int threads, long mallocBefore, long mallocPeak) {}

  static ConcurrentUse concurrentMemory(Op op) throws Exception {
    for (int call = 0; call < 3; call++) {
      sink = op.run();
    }
    sink = null;
    collect();
    long before = BenchNatives.mallocInUse();
    BenchNatives.snapshotPeakInUse(true);
    java.util.concurrent.CyclicBarrier start =
        new java.util.concurrent.CyclicBarrier(CONCURRENT_THREADS);
    java.util.concurrent.ExecutorService pool =
        java.util.concurrent.Executors.newFixedThreadPool(CONCURRENT_THREADS);
    try {
      List<java.util.concurrent.Future<Object>> done = new java.util.ArrayList<>();
      for (int t = 0; t < CONCURRENT_THREADS; t++) {
        done.add(pool.submit(() -> {
          start.await();
          Object last = null;
          for (int call = 0; call < CONCURRENT_CALLS; call++) {
            last = op.run();
          }
          return last;
        }));
      }
      for (java.util.concurrent.Future<Object> result : done) {
        result.get();
      }
    } finally {
      pool.shutdownNow();
    }
    return new ConcurrentUse(CONCURRENT_THREADS, before, BenchNatives.snapshotPeakInUse(false));
  }

  private static void collect() {
    // Under -XX:+UseSerialGC each is a full, stop-the-world collection.
    for (int i = 0; i < 3; i++) {
      System.gc();
    }
  }

  private static long usedHeap() {
    return ManagementFactory.getMemoryMXBean().getHeapMemoryUsage().getUsed();
  }

  private static long residentBytes() throws java.io.IOException {
    for (String line : java.nio.file.Files.readAllLines(java.nio.file.Path.of("/proc/self/status"))) {
      if (line.startsWith("VmRSS:")) {
        return Long.parseLong(line.replaceAll("[^0-9]", "")) * 1024;
      }
    }
    throw new IllegalStateException("no VmRSS in /proc/self/status");
  }

  /** ns per object of one variant, and its ratio to the bridge (bridge / variant). */
  record Stats(String key, double median, double p25, double p75,
               double ratio, double ratioP25, double ratioP75) {}

  /**
   * Runs every variant once and checks that they agree with the bridge: reads give equal objects
   * field by field, writes deliver the same bytes to the core.
   */
  static void check(Row row) throws Exception {
    Object expected = null;
    byte[] expectedBytes = null;
    for (Variant variant : row.variants()) {
      Object result = variant.op().run();
      String what = row.label() + ": " + variant.key() + " and " + BRIDGE;
      if (row.write()) {
        byte[] bytes = BenchNatives.lastWrite();
        if (expectedBytes == null) {
          expectedBytes = bytes;
        } else if (!Arrays.equals(expectedBytes, bytes)) {
          throw new IllegalStateException(what + " deliver different bytes to the core");
        }
      } else if (expected == null) {
        expected = result;
        if (result == null
            || (result instanceof Object[] table && table.length != row.objects())) {
          throw new IllegalStateException(row.label() + ": the bridge gave "
              + (result == null ? "nothing" : "a table not of " + row.objects()));
        }
      } else {
        String difference = difference(expected, result);
        if (difference != null) {
          throw new IllegalStateException(what + " differ: " + difference);
        }
      }
    }
  }

  static List<Stats> measure(Row row, List<Variant> variants, Settings settings)
      throws Exception {
    int count = variants.size();
    for (int pass = 0; pass < 3; pass++) {
      for (Variant variant : variants) {
        runFor(variant.op(), settings.warmupMillis() / 3);
      }
    }
    long[] batch = new long[count];
    for (int i = 0; i < count; i++) {
      batch[i] = batchSize(variants.get(i).op(), settings.roundMillis());
    }
    double[][] nanos = new double[count][settings.rounds()];
    for (int round = 0; round < settings.rounds(); round++) {
      for (int step = 0; step < count; step++) {
        int i = (round + step) % count;
        Op op = variants.get(i).op();
        long start = cpuNanos();
        for (long call = 0; call < batch[i]; call++) {
          sink = op.run();
        }
        long elapsed = cpuNanos() - start;
        nanos[i][round] = (double) elapsed / ((double) batch[i] * row.objects());
      }
    }
    List<Stats> stats = new ArrayList<>();
    for (int i = 0; i < count; i++) {
      double[] ratios = new double[settings.rounds()];
      for (int round = 0; round < ratios.length; round++) {
        ratios[round] = nanos[0][round] / nanos[i][round];
      }
      double[] own = nanos[i].clone();
      Arrays.sort(own);
      Arrays.sort(ratios);
      stats.add(new Stats(variants.get(i).key(), quantile(own, 0.5), quantile(own, 0.25),
          quantile(own, 0.75), quantile(ratios, 0.5), quantile(ratios, 0.25),
          quantile(ratios, 0.75)));
    }
    return stats;
  }

  /**
   * Bridge ÷ another way, measured in pairs: each pair times a batch of bridge calls and a batch
   * of the other way's calls back to back (thread CPU time each, the order alternating from pair
   * to pair), so both halves of a pair see the machine in the same state. The ratio of each pair
   * is kept; their median holds on a loaded machine, where the machine's speed changes between
   * rounds of many calls.
   */
  record Paired(String key, int pairs, long batch, double median, double p10, double p25,
                double p75, double p90) {}

  /** CPU time each half of a pair takes at least, so reading the clock weighs nothing. */
  static final double PAIR_HALF_NANOS = 300_000;

  static Paired paired(Variant bridge, Variant other, int pairs, long warmupMillis)
      throws Exception {
    runFor(bridge.op(), Math.max(1, warmupMillis / 2));
    runFor(other.op(), Math.max(1, warmupMillis / 2));
    long batch = Math.max(1, (long) Math.ceil(PAIR_HALF_NANOS / Math.min(
        perCall(bridge.op()), perCall(other.op()))));
    double[] ratios = new double[pairs];
    for (int pair = 0; pair < pairs; pair++) {
      long bridgeNanos;
      long otherNanos;
      if (pair % 2 == 0) {
        bridgeNanos = timeBatch(bridge.op(), batch);
        otherNanos = timeBatch(other.op(), batch);
      } else {
        otherNanos = timeBatch(other.op(), batch);
        bridgeNanos = timeBatch(bridge.op(), batch);
      }
      ratios[pair] = (double) bridgeNanos / Math.max(1, otherNanos);
    }
    Arrays.sort(ratios);
    return new Paired(other.key(), pairs, batch, quantile(ratios, 0.5), quantile(ratios, 0.1),
        quantile(ratios, 0.25), quantile(ratios, 0.75), quantile(ratios, 0.9));
  }

  private static long timeBatch(Op op, long batch) throws Exception {
    long start = cpuNanos();
    for (long call = 0; call < batch; call++) {
      sink = op.run();
    }
    return cpuNanos() - start;
  }

  private static double perCall(Op op) throws Exception {
    long start = cpuNanos();
    long calls = runFor(op, 20);
    return Math.max(1.0, (double) (cpuNanos() - start) / calls);
  }

  private static long runFor(Op op, long millis) throws Exception {
    long end = cpuNanos() + millis * 1_000_000L;
    long calls = 0;
    do {
      for (int i = 0; i < 16; i++) {
        sink = op.run();
      }
      calls += 16;
    } while (cpuNanos() < end);
    return calls;
  }

  /** Calls that take about {@code roundMillis}, measured on a short run. */
  private static long batchSize(Op op, long roundMillis) throws Exception {
    long start = cpuNanos();
    long calls = runFor(op, Math.max(1, roundMillis / 2));
    double perCall = (double) (cpuNanos() - start) / calls;
    return Math.max(1, (long) (roundMillis * 1_000_000.0 / perCall));
  }

  static double quantile(double[] sorted, double q) {
    double at = q * (sorted.length - 1);
    int low = (int) Math.floor(at);
    int high = (int) Math.ceil(at);
    return sorted[low] + (sorted[high] - sorted[low]) * (at - low);
  }

  /** The first difference between two results, compared by their public fields; null if none. */
  static String difference(Object expected, Object actual) throws IllegalAccessException {
    if (expected == null || actual == null) {
      return expected == actual ? null : "null against " + (expected == null ? actual : expected);
    }
    if (expected.getClass() != actual.getClass()) {
      return expected.getClass().getName() + " against " + actual.getClass().getName();
    }
    if (expected instanceof Object[] left) {
      Object[] right = (Object[]) actual;
      if (left.length != right.length) {
        return "length " + left.length + " against " + right.length;
      }
      for (int i = 0; i < left.length; i++) {
        String difference = difference(left[i], right[i]);
        if (difference != null) {
          return "[" + i + "] " + difference;
        }
      }
      return null;
    }
    if (expected.getClass().isArray()) {
      return Objects.deepEquals(expected, actual) ? null : "arrays differ";
    }
    if (expected instanceof String || expected instanceof Number) {
      return expected.equals(actual) ? null : expected + " against " + actual;
    }
    for (Field field : expected.getClass().getFields()) {
      if (Modifier.isStatic(field.getModifiers())) {
        continue;
      }
      Object left = field.get(expected);
      Object right = field.get(actual);
      String difference = difference(left, right);
      if (difference != null) {
        return field.getName() + ": " + difference;
      }
    }
    return null;
  }
}
