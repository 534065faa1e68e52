package korvane.str.diskarray;

/**
 * The two ports of one controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNHGCtlInfo {
  public WWNHGPortInfo[] port;

  public WWNHGCtlInfo() {}
}
