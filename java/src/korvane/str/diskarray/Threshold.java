package korvane.str.diskarray;

/**
 * Error counts at which a part is reported ({@code KX_GetThreshold}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class Threshold {
  public int mechanical_recover;
  public int mechanical_unrecover;
  public int media_recover;
  public int media_unrecover;
  public int read_write_recover;
  public int read_write_unrecover;
  public int drive_recover;
  public int drive_unrecover;
  public int controller_recover;
  public int controller_unrecover;
  public int scsi_recover;
  public int scsi_unrecover;
  public int correctable_error;
  public int uncorrectable_error;

  public Threshold() {}
}
