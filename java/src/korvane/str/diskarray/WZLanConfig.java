package korvane.str.diskarray;

/**
 * LAN port of one controller; both flags are unsigned bytes, addresses at most 15 bytes,
 * {@code ether} at most 17.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZLanConfig {
  public int lan_connect;
  public int dhcp_mode;
  public String ip_address = "";
  public String subnet = "";
  public String gateway = "";
  public String ether = "";

  public WZLanConfig() {}
}
