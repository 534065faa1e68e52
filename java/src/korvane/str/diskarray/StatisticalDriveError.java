package korvane.str.diskarray;

/** Drive error limits of one controller; {@code drive} is [port][row]. */
public class StatisticalDriveError {
  public StatisticalDriveError_LimitInfo limit;
  /** 15 x 15, [port][row]. */
  public StatisticalDriveError_Info[][] drive;

  public StatisticalDriveError() {}
}
