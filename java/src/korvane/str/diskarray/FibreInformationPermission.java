package korvane.str.diskarray;

/**
 * One host's access to the LUs of a port: bit n of lun_security_bitmap (byte n / 8, bit n % 8 from the least significant) for LU n.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class FibreInformationPermission {
  public String node_name = "";
  public String port_name = "";
  public String n_port_id = "";
  public byte[] lun_security_bitmap = new byte[64];

  public FibreInformationPermission() {}
}
