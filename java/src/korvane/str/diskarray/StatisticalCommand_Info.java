package korvane.str.diskarray;

/** Command counters of one LU in a performance sample. */
public class StatisticalCommand_Info {
  public int read_count;
  public int write_count;
  public int read_cache;
  public int write_cache;

  public StatisticalCommand_Info() {}
}
