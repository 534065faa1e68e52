package korvane.str.diskarray;

/**
 * Host ports of one controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZPortType {
  public int port_type;
  public int[] port_mode = new int[4];
  public WZPortOption[] port_option = new WZPortOption[4];

  public WZPortType() {
    for (int i = 0; i < port_option.length; i++) {
      port_option[i] = new WZPortOption();
    }
  }
}
