package korvane.str.diskarray;

/**
 * How a failed drive's data is restored ({@code KX_GetDiskDriveRestoration}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class DiskDriveRestoration {
  public int mode;
  public int restoration;
  public int dynamic_sparing;
  public int interval;
  public int unit_size;

  public DiskDriveRestoration() {}
}
