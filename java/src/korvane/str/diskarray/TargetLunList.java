package korvane.str.diskarray;

/**
 * One byte per host LUN (128) presented at one target ID.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class TargetLunList {
  public byte[] lun = new byte[128];

  public TargetLunList() {}
}
