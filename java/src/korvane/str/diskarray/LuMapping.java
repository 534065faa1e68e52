package korvane.str.diskarray;

/**
 * The LU mapping of a unit.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class LuMapping {
  public int HostGroupValid;
  public int ctrl_flag;
  /**
   * {@link DiskArrayConstants#KX_MAPPING_MODE_OFF} or
   * {@link DiskArrayConstants#KX_MAPPING_MODE_ON}.
   */
  public int mapping_mode;
  public LuMappingCtlInfo[] ctl;

  public LuMapping() {}
}
