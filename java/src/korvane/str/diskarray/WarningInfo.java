package korvane.str.diskarray;

/**
 * How warnings are reported ({@code KX_GetWarningInfo}, {@code KX_SetWarningInfo}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WarningInfo {
  public int report_mode;

  public WarningInfo() {}
}
