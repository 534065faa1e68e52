package korvane.str.diskarray;

/** Drive loops of one controller: 2 entries. */
public class StatisticalDriveFpc {
  /** 2 entries. */
  public StatisticalDriveFpc_Info[] fpc;

  public StatisticalDriveFpc() {}
}
