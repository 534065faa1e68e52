package korvane.str.diskarray;

import java.util.GregorianCalendar;

/**
 * One performance sample ({@code KX_GetPerformance}): the command counters of
 * every LU (512 entries, entry i for LU i) and the unit-clock time it was
 * taken. Counters are 32-bit and wrap; take differences as unsigned ints.
 */
public class StatisticalCommand {
  public StatisticalCommand_Info[] lu;
  public GregorianCalendar mtime;

  public StatisticalCommand() {}
}
