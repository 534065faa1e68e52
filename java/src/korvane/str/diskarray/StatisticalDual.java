package korvane.str.diskarray;

/** Dual-controller events of one controller. */
public class StatisticalDual {
  public int other_correct;
  public int other_dual;
  public int self_dual;

  public StatisticalDual() {}
}
