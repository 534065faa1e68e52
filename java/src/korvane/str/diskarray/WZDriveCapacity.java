package korvane.str.diskarray;

/**
 * Drive capacities of {@link WizardParam}.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZDriveCapacity {
  public int[] row = new int[6];
  public int spare;

  public WZDriveCapacity() {}
}
