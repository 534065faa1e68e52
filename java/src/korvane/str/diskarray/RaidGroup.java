package korvane.str.diskarray;

/**
 * One RAID group: listed by {@code KX_GetRaidGroups} and sent by
 * {@code KX_RaidGroupAdd} and {@code KX_RaidGroupExpand}.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change; every field crosses as a 32-bit int, unchanged.
 */
public class RaidGroup {
  /**
   * The group's number, 0..44; {@link DiskArrayConstants#KX_UNUSED_ENTRY} in an unused entry, and
   * in {@code KX_RaidGroupAdd} {@link DiskArrayConstants#KX_ANY_NUMBER} for the lowest free number.
   */
  public int rgnum;
  /**
   * The RAID level: {@link DiskArrayConstants#KX_RAID_0}, {@link DiskArrayConstants#KX_RAID_1},
   * {@link DiskArrayConstants#KX_RAID_5}, {@link DiskArrayConstants#KX_RAID_6} or
   * {@link DiskArrayConstants#KX_RAID_10}.
   */
  public int level;
  public int port;
  public int row;
  public int width;
  public int depth;
  public int minimum_capa;
  /** 0 for a group that uses its full capacity, 1 for one cut to {@code lastLBA} MB. */
  public int lastLBASet;
  /** The usable capacity in MB. */
  public int lastLBA;
  /** The high 32 bits of the free capacity in 512-byte blocks. */
  public int rest_h;
  /**
   * The low 32 bits of the free capacity in 512-byte blocks, unsigned: read it with
   * {@link Integer#toUnsignedLong(int)}.
   */
  public int rest;
  /** The largest LU that can be added now, in MB. */
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
