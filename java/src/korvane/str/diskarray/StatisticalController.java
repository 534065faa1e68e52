package korvane.str.diskarray;

/** Running times and events of one controller. */
public class StatisticalController {
  public int power_on;
  public int reset;
  public int total_time;
  public int on_time;
  public int total_time_rap_cnt;
  public int total_time_rap_cnt_work;
  public int lu_change;
  /** int[4]. */
  public int[] procnt_time;

  public StatisticalController() {}
}
