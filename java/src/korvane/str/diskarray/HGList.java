package korvane.str.diskarray;

/**
 * The host groups of a unit (KX_GetHGList).
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGList {
  public int lun_manage;
  public HGCtlInfo[] ctl;

  public HGList() {}
}
