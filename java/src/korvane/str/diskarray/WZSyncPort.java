package korvane.str.diskarray;

/**
 * One synchronous port: {@code board_type} a signed byte, {@code rate} an unsigned byte.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZSyncPort {
  public int board_type;
  public int rate;

  public WZSyncPort() {}
}
