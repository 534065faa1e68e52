package korvane.str.diskarray;

/**
 * One synchronous port: board_type a signed byte, rate an unsigned byte.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class SyncPort {
  public int board_type;
  public int rate;

  public SyncPort() {}
}
