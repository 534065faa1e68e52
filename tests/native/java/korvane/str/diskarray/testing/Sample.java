package korvane.str.diskarray.testing;

/** A record with a field of every kind the bridge moves, for the native tests. */
public class Sample {
  public int number;
  public int small;
  public int flag;
  public String label;
  public int[] levels;
  public int[] counters;
  public byte[] raw = new byte[8];
  public String[] names;
  public SampleEntry inner;
  public SampleEntry[] entries;
  public int[][] grid;

  public Sample() {}
}
