package korvane.str.diskarray;

/**
 * Pinned data of single and unified LUs, as returned by {@code KX_GetIntegrationPinInfo}:
 * {@code single_lu} and {@code unite_lu} always hold 512 ints, one per LU number.
 */
public class PINInformation {
  public int unite_option;
  public int[] single_lu;
  public int[] unite_lu;

  public PINInformation() {}

  @Override
  public String toString() {
    return "PINInformation{unite_option=" + unite_option + "}";
  }
}
