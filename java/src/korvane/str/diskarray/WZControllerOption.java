package korvane.str.diskarray;

/**
 * Options of one controller; {@code id_front} at most 8 bytes, {@code id_rear} at most 2.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZControllerOption {
  public int id_mode;
  public String id_front = "";
  public String id_rear = "";
  public int error_out_mode;
  public int write_verify_mode;

  public WZControllerOption() {}
}
