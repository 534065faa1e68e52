package korvane.str.diskarray;

/** Retries and errors of one host port. */
public class StatisticalHostSpc_Info {
  public int retry;
  public int err_threshold;
  public int err_count;

  public StatisticalHostSpc_Info() {}
}
