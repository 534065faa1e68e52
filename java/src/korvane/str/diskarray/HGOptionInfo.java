package korvane.str.diskarray;

/**
 * The options of one host group.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGOptionInfo {
  /**
   * A bit set within {@value DiskArrayConstants#KX_HG_OPTION_MASK}; the station gives no bit a
   * meaning of its own.
   */
  public int option;
  /** Two bit sets within {@value DiskArrayConstants#KX_HG_OPTION_MASK}. */
  public int[] option2 = new int[2];
  /** The host response mode, 0..{@value DiskArrayConstants#KX_HG_RESPONSE_MODE_MAX}. */
  public int option3;

  public HGOptionInfo() {}
}
