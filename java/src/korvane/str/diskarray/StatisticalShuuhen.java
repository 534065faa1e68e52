package korvane.str.diskarray;

/** Peripheral errors of one controller. */
public class StatisticalShuuhen {
  public int panel;
  public int fdd;
  public int rs232c;
  public int lan;

  public StatisticalShuuhen() {}
}
