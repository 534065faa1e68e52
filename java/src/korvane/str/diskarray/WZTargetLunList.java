package korvane.str.diskarray;

/**
 * One byte per host LUN (128) presented at one target ID, as in TargetLunList: 1 presented, 0 not.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZTargetLunList {
  public byte[] lun = new byte[128];

  public WZTargetLunList() {}
}
