package korvane.str.diskarray;

/**
 * The LAN settings of one controller (KX_GetLANInformation, KX_SetLANInformation). dhcp and lan_connect are signed bytes on the native side; the texts hold at most 15 characters (ether 17).
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class LANInformation {
  /** {@link DiskArrayConstants#KX_SWITCH_OFF} or {@link DiskArrayConstants#KX_SWITCH_ON}. */
  public int dhcp;
  public String ip_address = "";
  public String subnet = "";
  public String gateway = "";
  public String ether = "";
  /**
   * The LAN port: {@link DiskArrayConstants#KX_SWITCH_OFF} or
   * {@link DiskArrayConstants#KX_SWITCH_ON}.
   */
  public int lan_connect;

  public LANInformation() {}
}
