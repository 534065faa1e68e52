package korvane.str.diskarray;

/**
 * The LUN security of one port: 128 permissions.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNPortInfo {
  public int lun_security;
  public int permission_count;
  public int security_chk_lv;
  public WWNPermInfo[] permission;

  public WWNPortInfo() {}
}
