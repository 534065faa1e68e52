package korvane.str.diskarray.testing;

/** The nested record of {@link Sample}. */
public class SampleEntry {
  public int id;
  public String tag;

  public SampleEntry() {}
}
