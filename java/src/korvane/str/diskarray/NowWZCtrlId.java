package korvane.str.diskarray;

/**
 * Controller identification in force; {@code id_front} at most 8 bytes, {@code id_rear} 2.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class NowWZCtrlId {
  public String id_front = "";
  public String id_rear = "";
  public int ctrl_name_mode;

  public NowWZCtrlId() {}
}
