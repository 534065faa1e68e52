package korvane.str.diskarray;

/**
 * The options of one host group.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGOptionInfo {
  public int option;
  public int[] option2 = new int[2];
  public int option3;

  public HGOptionInfo() {}
}
