package korvane.str.diskarray;

/**
 * The port options of both controllers.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class PortOption {
  public PortOptionCtlInfo[] ctl;

  public PortOption() {}
}
