package korvane.str.diskarray;

/**
 * The Fibre Channel settings of one controller (KX_GetFibreInformation returns two).
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class FibreInformation {
  public int lun_security;
  /**
   * Per port: {@link DiskArrayConstants#KX_TOPOLOGY_POINT_TO_POINT} or
   * {@link DiskArrayConstants#KX_TOPOLOGY_LOOP}.
   */
  public int[] topology = new int[4];
  public int[] topology_ref = new int[2];
  public FibreInformationPort[] port;
  public FibreInformationSfc[] sfc;
  public FibreInformationSecurity[] security;
  public String product_number = "";

  public FibreInformation() {}
}
