package korvane.str.diskarray;

/**
 * One synchronous port: board_type a signed byte, rate an unsigned byte.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class SyncPort {
  /**
   * {@link DiskArrayConstants#KX_BOARD_NONE} or {@link DiskArrayConstants#KX_BOARD_INSTALLED} (set
   * by the station).
   */
  public int board_type;
  /** {@link DiskArrayConstants#KX_SPEED_AUTO}, or 1, 2 or 4 Gbit/s. */
  public int rate;

  public SyncPort() {}
}
