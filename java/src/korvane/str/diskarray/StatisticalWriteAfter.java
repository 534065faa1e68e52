package korvane.str.diskarray;

/** Write-after (destage) stripe jobs of one controller; the grids are [port][row]. */
public class StatisticalWriteAfter {
  public int raid0_stripe_cnt;
  /** int[15][15], row by row. */
  public int[][] raid0_stripe_job;
  public int raid5_stripe_cnt;
  /** int[15][15], row by row. */
  public int[][] raid5_stripe_job;
  /** int[15][15], row by row. */
  public int[][] stripe_job_rmw;
  /** int[15][15], row by row. */
  public int[][] stripe_job_partial;
  /** 15 x 15, [port][row]. */
  public StatisticalWriteAfter_PDEVInfo[][] pdev;

  public StatisticalWriteAfter() {}
}
