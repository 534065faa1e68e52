package korvane.str.diskarray;

/** Drive DMA retries and errors of one controller. */
public class StatisticalDriveDma {
  public int dma_retry;
  public int dma_path_retry;
  public int drr_retry;
  /** 6 entries. */
  public StatisticalDriveDma_Error[] error;

  public StatisticalDriveDma() {}
}
