package korvane.str.diskarray;

/** Drive error counters of one controller; {@code drive} is [port][row]. */
public class StatisticalDrive {
  public int err_rtry;
  /** 15 x 15, [port][row]. */
  public StatisticalDrive_Info[][] drive;

  public StatisticalDrive() {}
}
