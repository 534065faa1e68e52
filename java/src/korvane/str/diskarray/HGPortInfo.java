package korvane.str.diskarray;

/**
 * The 128 host groups of one port.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGPortInfo {
  public int security;
  public HGInfo[] hg;

  public HGPortInfo() {}
}
