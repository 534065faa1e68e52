package korvane.str.diskarray;

/**
 * One path between a controller port of this unit and one of the other unit.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class RvrfSrcPath {
  /** {@link DiskArrayConstants#KX_PATH_UNUSED} or {@link DiskArrayConstants#KX_PATH_DEFINED}. */
  public int path_status;
  public int self_ctl_no;
  public int self_port_no;
  public int other_ctl_no;
  public int other_port_no;

  public RvrfSrcPath() {}
}
