package korvane.str.diskarray;

/**
 * The name handed to KX_CreateHG and KX_ChangeHG: at most 8 characters reach the core.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HostGroupName {
  public String hgname = "";

  public HostGroupName() {}
}
