package korvane.str.diskarray;

/**
 * Tuning of one LU in {@link OnlineTuningParam}: one unsigned byte.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class LUTuning {
  public int pre_start;

  public LUTuning() {}
}
