package korvane.str.diskarray;

/**
 * One logical unit: listed by {@code KX_GetLogicalUnit} and
 * {@code KX_GetLogicalUnit1}, sent by {@code KX_LogicalUnitAdd}.
 *
 * <p>Field names (in their mixed styles) and types are read and written by the
 * bridge through JNI and must not change; every field crosses as a 32-bit int,
 * unchanged.
 */
public class LogicalUnit {
  /**
   * The LU number, 0..511; {@link DiskArrayConstants#KX_UNUSED_ENTRY} in an unused entry of the
   * table, and in {@code KX_LogicalUnitAdd} {@link DiskArrayConstants#KX_ANY_NUMBER} for the lowest
   * free number.
   */
  public int luNumber;
  public int rgNumber;
  /**
   * The level of its RAID group: {@link DiskArrayConstants#KX_RAID_0},
   * {@link DiskArrayConstants#KX_RAID_1}, {@link DiskArrayConstants#KX_RAID_5},
   * {@link DiskArrayConstants#KX_RAID_6} or {@link DiskArrayConstants#KX_RAID_10}.
   */
  public int raid_level;
  /**
   * Read-ahead: {@link DiskArrayConstants#KX_STAGING_NORMAL},
   * {@link DiskArrayConstants#KX_STAGING_SEQUENTIAL} or {@link DiskArrayConstants#KX_STAGING_OFF}.
   */
  public int staging;
  /** Capacity in MB of {@value DiskArrayConstants#KX_BLOCKS_PER_MB} blocks. */
  public int capacity;
  public int defaultCTL;
  public int currentCTL;
  /**
   * Format state: {@link DiskArrayConstants#KX_LU_NORMAL},
   * {@link DiskArrayConstants#KX_LU_FORMATTING} or {@link DiskArrayConstants#KX_LU_UNFORMATTED}.
   */
  public int status;
  /** Bytes per host block, {@value DiskArrayConstants#KX_HOST_BLOCK_BYTES}. */
  public int hostblock;
  /** 1, or 0 after {@code KX_LogicalUnitInvalid} until {@code KX_LogicalUnitRestore}. */
  public int lu_valid;
  /** 1 for the highest-numbered LU of its RAID group, else 0. */
  public int rg_last_lu;

  public LogicalUnit() {}

  @Override
  public String toString() {
    return "LogicalUnit{luNumber=" + luNumber + ", rgNumber=" + rgNumber
        + ", raid_level=" + raid_level + ", staging=" + staging
        + ", capacity=" + capacity + ", defaultCTL=" + defaultCTL
        + ", currentCTL=" + currentCTL + ", status=" + status
        + ", hostblock=" + hostblock + ", lu_valid=" + lu_valid
        + ", rg_last_lu=" + rg_last_lu + "}";
  }
}
