package korvane.str.diskarray;

/** The turbo LU of one controller: what is in effect ({@code current_}) and what was asked. */
public class TurboLu_info {
  /**
   * {@link DiskArrayConstants#KX_TURBO_NONE} without an assignment,
   * {@link DiskArrayConstants#KX_TURBO_RESIDENT} while the LU is in the cache,
   * {@link DiskArrayConstants#KX_TURBO_SUSPENDED} while it cannot be.
   */
  public int current_status;
  /**
   * What is in effect: {@link DiskArrayConstants#KX_TURBO_ASSIGNED} or
   * {@link DiskArrayConstants#KX_TURBO_UNASSIGNED}.
   */
  public int current_assign;
  /** The LU in effect, or {@link DiskArrayConstants#KX_UNUSED_ENTRY}. */
  public int current_lun;
  /**
   * What was asked: {@link DiskArrayConstants#KX_TURBO_ASSIGNED} or
   * {@link DiskArrayConstants#KX_TURBO_UNASSIGNED}.
   */
  public int reserve_assign;
  /** The LU asked for, or {@link DiskArrayConstants#KX_UNUSED_ENTRY}. */
  public int reserve_lun;

  public TurboLu_info() {}

  @Override
  public String toString() {
    return "TurboLu_info{current_status=" + current_status + ", current_assign="
        + current_assign + ", current_lun=" + current_lun + ", reserve_assign="
        + reserve_assign + ", reserve_lun=" + reserve_lun + "}";
  }
}
