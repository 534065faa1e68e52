package korvane.str.diskarray;

/** Host commands per LU through one controller: 512 entries, entry i for LU i. */
public class StatisticalHostCommand {
  /** 512 entries. */
  public StatisticalHostCommand_Info[] lu;

  public StatisticalHostCommand() {}
}
