package korvane.str.diskarray;

/**
 * Another array unit of the remote-verify source settings and its two paths (KX_SetRvrfSrcPath). Serial numbers hold at most 8 characters, sequence numbers 4.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class RvrfSrcArrayUnit {
  public int valid;
  public int other_detect_id;
  public String other_serial_no = "";
  public String other_sequence_no = "";
  public RvrfSrcPath[] path = new RvrfSrcPath[] {new RvrfSrcPath(), new RvrfSrcPath()};

  public RvrfSrcArrayUnit() {}
}
