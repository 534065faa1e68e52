package korvane.str.diskarray;

/** Host read and write commands of one LU. */
public class StatisticalHostCommand_Info {
  public int read_count;
  public int write_count;

  public StatisticalHostCommand_Info() {}
}
