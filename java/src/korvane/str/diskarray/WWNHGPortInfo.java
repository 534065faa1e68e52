package korvane.str.diskarray;

/**
 * The 128 host entries of one port.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNHGPortInfo {
  public int security;
  public int wwn_count;
  public WWNHostInfo[] wwn;

  public WWNHGPortInfo() {}
}
