package korvane.str.diskarray;

/**
 * Switches of one controller in {@link OnlineSystemParam}; each 0..255 (one unsigned byte).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class SystemParamCtl {
  public int error_out;
  public int write_verify;

  public SystemParamCtl() {}
}
