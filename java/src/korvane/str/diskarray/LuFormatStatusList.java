package korvane.str.diskarray;

/**
 * Formatting progress of every LU, as returned by
 * {@code KX_LogicalUnitFormatStatusList}: always 512 entries in {@code lu}.
 */
public class LuFormatStatusList {
  public LuFormatStatus[] lu;

  public LuFormatStatusList() {}

  @Override
  public String toString() {
    return "LuFormatStatusList{lu=" + (lu == null ? "null" : lu.length + " entries") + "}";
  }
}
