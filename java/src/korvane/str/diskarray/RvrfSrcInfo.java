package korvane.str.diskarray;

/**
 * The remote-verify source settings of a unit: its own identity and 8 other units.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class RvrfSrcInfo {
  public int rvrfsrc_option;
  public int self_detect_id;
  public String self_serial_no = "";
  public String self_sequence_no = "";
  public RvrfSrcArrayUnit[] arrayunit;

  public RvrfSrcInfo() {}
}
