package korvane.str.diskarray;

/**
 * Port options in force: {@code mode[r][c]} is option word r (common, SCSI, fibre) of
 * port c of the controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class NowWZPortOptions {
  public int[][] mode = new int[3][2];
  public int hp2_support;

  public NowWZPortOptions() {}
}
