package korvane.str.diskarray;

/**
 * Progress of the formats registered by {@code KX_EntryFormatList}, as
 * returned by {@code KX_GetFormatStatusList}: always 512 entries in {@code lu}.
 */
public class FormatStatusList {
  /** One unsigned byte on the native side: 0 to 255. */
  public int mode;
  /** The batch's progress, weighted by job duration. */
  public int totalpercent;
  /** Seconds (rounded up) until the batch's last job ends. */
  public int resttime;
  public FormatStatus[] lu;

  public FormatStatusList() {}

  @Override
  public String toString() {
    return "FormatStatusList{mode=" + mode + ", totalpercent=" + totalpercent
        + ", resttime=" + resttime + ", lu=" + (lu == null ? "null" : lu.length + " entries")
        + "}";
  }
}
