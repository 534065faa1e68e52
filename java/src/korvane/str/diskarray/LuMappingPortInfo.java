package korvane.str.diskarray;

/**
 * The LU mappings of one port's 128 host groups.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class LuMappingPortInfo {
  public int security;
  public LuMappingHGInfo[] hg;

  public LuMappingPortInfo() {}
}
