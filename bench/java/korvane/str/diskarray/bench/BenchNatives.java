package korvane.str.diskarray.bench;

import java.nio.ByteBuffer;

/**
 * The benchmark's own natives (libkxbench.so, never shipped): the baselines the bridge is timed
 * against. A call is named by its core function and addressed by its index.
 */
final class BenchNatives {
  static {
    System.loadLibrary("kxbench");
    init();
  }

  private BenchNatives() {}

  /** Caches classes, constructors and field IDs of every record type for the library's life. */
  private static native void init();

  /** Index of the core function in the benchmark's call table, -1 if it has none. */
  static native int callIndex(String coreFunction);

  /** Bytes of one C record of the call. */
  static native int recordSize(int call);

  /** The core fills {@code count} records into the direct buffer. */
  static native void rawRead(int call, String unit, int count, ByteBuffer buffer);

  /** The core's table built into objects with IDs cached for the life of the library. */
  static native Object[] cachedRead(int call, String unit, int count);

  /** The record in the direct buffer handed to the core. */
  static native void rawWrite(int call, String unit, ByteBuffer buffer);

  /** The object read with IDs cached for the life of the library, then handed to the core. */
  static native void cachedWrite(int call, String unit, Object record);

  /** The object read field by field by name (class and field looked up per field). */
  static native void plainWrite(int call, String unit, Object record);

  /**
   * Looks up by name, once each and without keeping anything, every class, constructor and field
   * ID the bridge's per-call table holds for the call's record: what looking up per call costs.
   */
  static native void lookUpOnce(int call);

  /** The bytes of the record that reached the core's last single-record write. */
  static native byte[] lastWrite();

  /**
   * The call's field tables as text, for {@link TableDecoder}: a line {@code type INDEX CLASS
   * SIZE} per record type (the call's own is 0) and {@code field TYPE NAME KIND OFFSET COUNT
   * STRIDE NESTED COLUMNS} per field in table order (NESTED -1 for none; COLUMNS the records
   * per row of a record matrix, else 0).
   */
  static native String layout(int call);

  /**
   * The most bytes malloc had handed out when a snapshot call reached the fake core since the
   * last reset; {@code reset} starts again.
   */
  static native long snapshotPeakInUse(boolean reset);

  /** Bytes malloc has handed out and not taken back (mallinfo2). */
  static native long mallocInUse();
}
