package korvane.str.diskarray;

/** Errors of one drive loop. */
public class StatisticalDriveFpc_Info {
  public int normal_fpc_err;
  public int alternate_fpc_err;
  public int normal_link_err;
  public int alternate_link_err;
  public int normal_link_fail;
  public int alternate_link_fail;

  public StatisticalDriveFpc_Info() {}
}
