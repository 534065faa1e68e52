package korvane.str.diskarray;

/** Cache memory errors of one controller. */
public class StatisticalCacheMemory {
  public int battery;
  public int threshold;
  /** int[32]. */
  public int[] correct_err;
  /** int[32][18], row by row. */
  public int[][] segment;

  public StatisticalCacheMemory() {}
}
