package korvane.str.diskarray;

/** One drive DMA channel's errors. */
public class StatisticalDriveDma_Error {
  public int dma_error;
  public int drr_error;
  public int bus_error;
  public int la_error;

  public StatisticalDriveDma_Error() {}
}
