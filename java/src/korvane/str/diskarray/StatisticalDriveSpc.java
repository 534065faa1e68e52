package korvane.str.diskarray;

/** Drive interface retries and errors of one controller. */
public class StatisticalDriveSpc {
  public int retry;
  public int err_threshold;
  /** int[6]. */
  public int[] err_count;

  public StatisticalDriveSpc() {}
}
