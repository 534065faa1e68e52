package korvane.str.diskarray;

/**
 * The options of one controller's two ports, element i for port i.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class PortOptionCtlInfo {
  public int[] lip_mode = new int[2];
  public int[] port_common_opt = new int[2];

  public PortOptionCtlInfo() {}
}
