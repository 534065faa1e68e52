package korvane.str.diskarray;

/**
 * Mode settings of {@link WizardParam}.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZModeParam {
  public int striping;
  public int buzzer;
  public int lu_size_report;
  public int reset;
  public int failures;

  public WZModeParam() {}
}
