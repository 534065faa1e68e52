package korvane.str.diskarray;

/**
 * One host WWN registered on a port and the host group it belongs to.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNHostInfo {
  public String node_name = "";
  public String port_name = "";
  public int hostflag;
  public int hg_number;
  public String wname = "";

  public WWNHostInfo() {}
}
