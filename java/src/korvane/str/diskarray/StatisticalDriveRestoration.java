package korvane.str.diskarray;

/** Drive restorations of one controller. */
public class StatisticalDriveRestoration {
  public int inter_cnt;
  public int back_cnt;
  public int system_cnt;

  public StatisticalDriveRestoration() {}
}
