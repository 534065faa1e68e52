package korvane.str.diskarray;

/**
 * Option words of one port in {@link WZPortType}.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZPortOption {
  public int common;
  public int scsi;
  public int fibre;

  public WZPortOption() {}
}
