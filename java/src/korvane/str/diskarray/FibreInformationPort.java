package korvane.str.diskarray;

/**
 * One Fibre Channel port: names and addresses (16 and 6 characters at most), and four unsigned bytes.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class FibreInformationPort {
  public String node_name = "";
  public String port_name = "";
  public String n_port_id = "";
  public String get_address = "";
  public int frame_size;
  public int if_board;
  public int set_speed;
  public int refer_speed;

  public FibreInformationPort() {}
}
