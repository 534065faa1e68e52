package korvane.str.diskarray;

/** State of one cache of a unit. */
public class CacheStatus {
  /** The module size in MB. */
  public int option;
  /**
   * A part state: {@link DiskArrayConstants#KX_PART_NOT_INSTALLED},
   * {@link DiskArrayConstants#KX_PART_NORMAL} or {@link DiskArrayConstants#KX_PART_FAILED}.
   */
  public int condition;

  public CacheStatus() {}

  @Override
  public String toString() {
    return "CacheStatus{option=" + option + ", condition=" + condition + "}";
  }
}
