package korvane.str.diskarray;

/**
 * The unified LUs of a unit, as returned by {@code KX_IntegrationLUInfo}: always 512 entries in
 * {@code unite_info}, one per LU number.
 */
public class IntegrationLUInfo {
  public int integration_lu;
  public UniteLU[] unite_info;

  public IntegrationLUInfo() {}

  @Override
  public String toString() {
    return "IntegrationLUInfo{integration_lu=" + integration_lu + ", unite_info="
        + (unite_info == null ? "null" : unite_info.length + " entries") + "}";
  }
}
