package korvane.str.diskarray;

/**
 * The WWN LUN-security table of a unit.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNInformation {
  public int lun_security_opt;
  public WWNCtlInfo[] ctl;

  public WWNInformation() {}
}
