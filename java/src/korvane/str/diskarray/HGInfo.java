package korvane.str.diskarray;

/**
 * One host group of a port: valid (unsigned byte) and its name of at most 8 characters.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class HGInfo {
  public int valid;
  public String hgname = "";

  public HGInfo() {}
}
