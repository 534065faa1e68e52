package korvane.str.diskarray;

/** Destage gathering of one drive. */
public class StatisticalWriteAfter_PDEVInfo {
  public int gather_prc_cnt;
  public int gather_max;
  public int gather_min;
  public int gather_cnt;

  public StatisticalWriteAfter_PDEVInfo() {}
}
