package korvane.str.diskarray;

/**
 * Target IDs of one controller: four target configurations, one per port slot.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZTargetId {
  public int ctrl_flag;
  public int target_id_mode;
  public WZTargetConfig[] target_config = new WZTargetConfig[4];

  public WZTargetId() {
    for (int i = 0; i < target_config.length; i++) {
      target_config[i] = new WZTargetConfig();
    }
  }
}
