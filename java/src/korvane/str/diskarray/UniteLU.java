package korvane.str.diskarray;

/**
 * One entry of an {@link IntegrationLUInfo}: an LU's role in a unified LU, its status and
 * capacity, and a parent's children ({@code child_lun} always holds 512 ints).
 */
public class UniteLU {
  /**
   * The LU's role: {@link DiskArrayConstants#KX_UNITE_NO_LU},
   * {@link DiskArrayConstants#KX_UNITE_SINGLE}, {@link DiskArrayConstants#KX_UNITE_PARENT} or
   * {@link DiskArrayConstants#KX_UNITE_CHILD}.
   */
  public int unite_info;
  /**
   * A format state, {@link DiskArrayConstants#KX_LU_NORMAL},
   * {@link DiskArrayConstants#KX_LU_FORMATTING} or {@link DiskArrayConstants#KX_LU_UNFORMATTED};
   * for a parent that of the whole unified LU.
   */
  public int status;
  public int capacity;
  public int child_lu_count;
  public int[] child_lun;

  public UniteLU() {}

  @Override
  public String toString() {
    return "UniteLU{unite_info=" + unite_info + ", status=" + status + ", capacity=" + capacity
        + ", child_lu_count=" + child_lu_count + "}";
  }
}
