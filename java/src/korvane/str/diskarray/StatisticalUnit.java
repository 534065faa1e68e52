package korvane.str.diskarray;

/** Events of the unit's shared parts, as one controller saw them. */
public class StatisticalUnit {
  public int battery;
  public int ps;
  public int fan;
  public int upst;
  public int backup_power;

  public StatisticalUnit() {}
}
