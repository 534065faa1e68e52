package korvane.str.diskarray;

/**
 * The host-group options of one port: 128 entries.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGOptionPortInfo {
  public int security;
  public HGOptionInfo[] hg;

  public HGOptionPortInfo() {}
}
