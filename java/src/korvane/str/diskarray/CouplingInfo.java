package korvane.str.diskarray;

/**
 * The coupling pairs of a unit, as returned by {@code KX_GetCouplingInfo}: always 512 entries in
 * {@code coupling}, the first {@code coupling_num} of them pairs.
 */
public class CouplingInfo {
  public int quel_lite;
  public int coupling_num;
  public CouplingLU[] coupling;

  public CouplingInfo() {}

  @Override
  public String toString() {
    return "CouplingInfo{quel_lite=" + quel_lite + ", coupling_num=" + coupling_num
        + ", coupling=" + (coupling == null ? "null" : coupling.length + " entries") + "}";
  }
}
