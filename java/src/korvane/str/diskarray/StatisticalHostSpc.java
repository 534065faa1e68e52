package korvane.str.diskarray;

/** Host ports of one controller: 4 entries. */
public class StatisticalHostSpc {
  /** 4 entries. */
  public StatisticalHostSpc_Info[] port;

  public StatisticalHostSpc() {}
}
