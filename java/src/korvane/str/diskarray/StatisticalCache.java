package korvane.str.diskarray;

/** Cache totals of one controller. */
public class StatisticalCache {
  public int wrt_inhcnt;
  public int wrt_outhcnt;
  public int seqwr_bufcnt;
  public int seg_lock_cnt;

  public StatisticalCache() {}
}
