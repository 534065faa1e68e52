package korvane.str.diskarray;

/**
 * One entry of an {@link IntegrationLUInfo}: an LU's role in a unified LU, its status and
 * capacity, and a parent's children ({@code child_lun} always holds 512 ints).
 */
public class UniteLU {
  public int unite_info;
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
