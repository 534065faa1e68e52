package korvane.str.diskarray;

/**
 * The target IDs of one controller: 4 port configurations.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class TargetId {
  public int ctrl_flag;
  /**
   * {@link DiskArrayConstants#KX_TARGET_MODE_SINGLE} or
   * {@link DiskArrayConstants#KX_TARGET_MODE_MULTI}.
   */
  public int target_id_mode;
  public TargetConfig[] target_config;

  public TargetId() {}
}
