package korvane.str.diskarray;

/** Host DMA errors of one controller. */
public class StatisticalHostDma {
  public int err_rtry;
  public int dma_errcnt;
  public int bus_errcnt;
  public int la_errcnt;

  public StatisticalHostDma() {}
}
