package korvane.str.diskarray;

// Fields are added when this record's area is built.
public class PrefetchInformation {
  public PrefetchInformation() {}
}
