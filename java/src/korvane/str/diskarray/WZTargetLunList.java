package korvane.str.diskarray;

/**
 * The LUs one target presents: 128 bytes, a bitmap of LU numbers (bit n % 8 of byte n / 8).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZTargetLunList {
  public byte[] lun = new byte[128];

  public WZTargetLunList() {}
}
