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
  public int luNumber;
  public int rgNumber;
  public int raid_level;
  public int staging;
  public int capacity;
  public int defaultCTL;
  public int currentCTL;
  public int status;
  public int hostblock;
  public int lu_valid;
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
