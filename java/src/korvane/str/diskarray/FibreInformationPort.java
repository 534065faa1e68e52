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
  /** 0..3 for 512, 1024, 2048 ({@link DiskArrayConstants#KX_FRAME_SIZE_2048}) or 2112 bytes. */
  public int frame_size;
  public int if_board;
  /** {@link DiskArrayConstants#KX_SPEED_AUTO}, or 1, 2 or 4 Gbit/s. */
  public int set_speed;
  public int refer_speed;

  public FibreInformationPort() {}
}
