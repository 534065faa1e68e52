package korvane.str.diskarray;

/**
 * The target IDs of one port: the single-mode ID, the 16 multi-mode flags and 16 LUN lists.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class TargetConfig {
  public int single;
  public byte[] multi = new byte[16];
  public TargetLunList[] mapping;

  public TargetConfig() {}
}
