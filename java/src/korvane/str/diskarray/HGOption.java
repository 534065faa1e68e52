package korvane.str.diskarray;

/**
 * The host-group options of a unit.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGOption {
  public int HostGroupValid;
  public HGOptionCtlInfo[] ctl;

  public HGOption() {}
}
