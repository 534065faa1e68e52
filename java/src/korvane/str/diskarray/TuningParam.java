package korvane.str.diskarray;

/**
 * Cache tuning ({@code KX_GetTuningParam}, {@code KX_SetTuningParam}); three unsigned bytes.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class TuningParam {
  public int def_mode;
  public int reserve_buf_size;
  public int current_buf_size;

  public TuningParam() {}
}
