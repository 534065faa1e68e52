package korvane.str.diskarray;

/**
 * The settings of one controller in force now ({@code KX_GetNowWZParam},
 * {@code KX_SetNowWZParam}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class NowWZParameter {
  public int fd_backup;
  public NowWZPortOptions port_option = new NowWZPortOptions();
  public NowWZCtrlId ctrl_id = new NowWZCtrlId();

  public NowWZParameter() {}
}
