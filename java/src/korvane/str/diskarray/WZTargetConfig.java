package korvane.str.diskarray;

/**
 * Target configuration of one port: the single-mode target ID (signed byte), the 16
 * multi-mode switches and the LUs each of the 16 targets presents.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZTargetConfig {
  public int single;
  public byte[] multi = new byte[16];
  public WZTargetLunList[] mapping = new WZTargetLunList[16];

  public WZTargetConfig() {
    for (int i = 0; i < mapping.length; i++) {
      mapping[i] = new WZTargetLunList();
    }
  }
}
