package korvane.str.diskarray;

/**
 * Online tuning parameters ({@code KX_GetOnlineTuningParam}, {@code KX_SetOnlineTuningParam}).
 *
 * <p>{@code def_lun} is a full int; the other fields and every {@code lu} entry (one per LU
 * number, 512) are unsigned bytes.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class OnlineTuningParam {
  public int def_mode;
  public int def_lun;
  public int dir_sweep;
  public int dir_sweep_stop;
  public LUTuning[] lu = new LUTuning[512];

  public OnlineTuningParam() {
    for (int i = 0; i < lu.length; i++) {
      lu[i] = new LUTuning();
    }
  }
}
