package korvane.str.diskarray;

/**
 * The options of one controller's two ports, element i for port i.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class PortOptionCtlInfo {
  /** Per port, 0 or 1. */
  public int[] lip_mode = new int[2];
  /** Per port, a bit set within {@value DiskArrayConstants#KX_PORT_OPTION_MASK}. */
  public int[] port_common_opt = new int[2];

  public PortOptionCtlInfo() {}
}
