package korvane.str.diskarray;

/**
 * ROM response of one controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZRomResponse {
  public int mode;
  public int[] port_save_data = new int[4];

  public WZRomResponse() {}
}
