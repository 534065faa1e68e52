package korvane.str.diskarray;

/** Command status per LU through one controller: 512 entries, entry i for LU i. */
public class StatisticalCommandStatus {
  /** 512 entries. */
  public StatisticalCommandStatus_Info[] lu;

  public StatisticalCommandStatus() {}
}
