package korvane.str.diskarray;

/**
 * One RAID group: listed by {@code KX_GetRaidGroups} and sent by
 * {@code KX_RaidGroupAdd} and {@code KX_RaidGroupExpand}.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change; every field crosses as a 32-bit int, unchanged.
 */
public class RaidGroup {
  public int rgnum;
  public int level;
  public int port;
  public int row;
  public int width;
  public int depth;
  public int minimum_capa;
  public int lastLBASet;
  public int lastLBA;
  public int rest_h;
  public int rest;
  public int lumaxcapa;

  public RaidGroup() {}

  @Override
  public String toString() {
    return "RaidGroup{rgnum=" + rgnum + ", level=" + level + ", port=" + port
        + ", row=" + row + ", width=" + width + ", depth=" + depth
        + ", minimum_capa=" + minimum_capa + ", lastLBASet=" + lastLBASet
        + ", lastLBA=" + lastLBA + ", rest_h=" + rest_h + ", rest=" + rest
        + ", lumaxcapa=" + lumaxcapa + "}";
  }
}
