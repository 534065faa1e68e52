package korvane.str.diskarray.bench;

/**
 * The station rows' natives (libkxstation.so, never shipped), linked against the real core: a
 * core call made straight from C, without the bridge.
 */
final class StationNatives {
  static final int SNAPSHOT = 0;
  static final int STATISTICS = 1;

  static {
    System.loadLibrary("kxstation");
  }

  private StationNatives() {}

  /**
   * CPU time, in ns of the calling thread, of {@code calls} calls of the core function ({@link
   * #SNAPSHOT} or {@link #STATISTICS}) on {@code unit}, each into a cleared record; throws
   * IllegalStateException when the core answers anything but 0.
   */
  static native long coreNanos(int call, String unit, int calls);
}
