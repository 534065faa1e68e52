package korvane.str.diskarray;

/**
 * The LUN security of one port, with 128 permission entries.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class FibreInformationSecurity {
  public int access_guard;
  public int all_lun_security;
  public int permission_count;
  public int security_chk_lv;
  public FibreInformationPermission[] permission;

  public FibreInformationSecurity() {}
}
