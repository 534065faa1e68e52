package korvane.str.diskarray;

/** One pair of coupled LUs of a {@link CouplingInfo}: the primary and its secondary. */
public class CouplingLU {
  /**
   * The pair's state seen from the primary: {@link DiskArrayConstants#KX_PAIR_COPYING},
   * {@link DiskArrayConstants#KX_PAIR_SYNCHRONIZED} or
   * {@link DiskArrayConstants#KX_PAIR_SUSPENDED}; 0 in an unused entry.
   */
  public int primary_stat;
  /**
   * The pair's state seen from the secondary: {@link DiskArrayConstants#KX_PAIR_COPYING},
   * {@link DiskArrayConstants#KX_PAIR_SYNCHRONIZED} or
   * {@link DiskArrayConstants#KX_PAIR_SUSPENDED}; 0 in an unused entry.
   */
  public int second_stat;
  /** The primary LU, {@link DiskArrayConstants#KX_UNUSED_ENTRY} in an unused entry. */
  public int primary_lu;
  /** The secondary LU, {@link DiskArrayConstants#KX_UNUSED_ENTRY} in an unused entry. */
  public int second_lu;

  public CouplingLU() {}

  @Override
  public String toString() {
    return "CouplingLU{primary_stat=" + primary_stat + ", second_stat=" + second_stat
        + ", primary_lu=" + primary_lu + ", second_lu=" + second_lu + "}";
  }
}
