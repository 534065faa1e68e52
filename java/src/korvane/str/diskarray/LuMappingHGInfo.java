package korvane.str.diskarray;

/**
 * The LU mapping of one host group: lu[h] is the internal LU at host LUN h, -1 for none (a new object maps nothing).
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class LuMappingHGInfo {
  /**
   * Per host LUN, the internal LU (0..511) mapped there, or {@link DiskArrayConstants#KX_UNMAPPED}.
   */
  public int[] lu = newUnmapped();

  public LuMappingHGInfo() {}

  private static int[] newUnmapped() {
    int[] lu = new int[256];
    java.util.Arrays.fill(lu, -1);
    return lu;
  }
}
