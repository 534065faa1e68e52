package korvane.str.diskarray;

/** Static description of a unit: base, logical and physical parts. */
public class UnitInformation {
  public BaseInformation b_info;
  public LogicalInformation l_info;
  public PhysicalInformation p_info;

  public UnitInformation() {}

  @Override
  public String toString() {
    return "UnitInformation{b_info=" + b_info + ", l_info=" + l_info
        + ", p_info=" + p_info + "}";
  }
}
