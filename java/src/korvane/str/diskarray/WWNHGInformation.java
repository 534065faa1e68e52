package korvane.str.diskarray;

/**
 * The host WWNs of a unit and their host groups.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNHGInformation {
  public int lun_manage;
  public WWNHGCtlInfo[] ctl;

  public WWNHGInformation() {}
}
