package korvane.str.diskarray;

/**
 * Staging amounts of read-ahead ({@code KX_GetPrefetchInformation}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class PrefetchInformation {
  public int stg_rd0;
  public int stg_rd1;
  public int stg_rd5;
  public int stg_next;
  public int stg_hed_size;

  public PrefetchInformation() {}
}
