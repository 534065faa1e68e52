package korvane.str.diskarray;

/**
 * One host permission of the WWN table: bit n of lun_security_bitmap for LU n.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class WWNPermInfo {
  public String node_name = "";
  public String port_name = "";
  public byte[] lun_security_bitmap = new byte[64];

  public WWNPermInfo() {}
}
