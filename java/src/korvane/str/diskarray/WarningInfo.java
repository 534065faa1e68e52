package korvane.str.diskarray;

/**
 * How warnings are reported ({@code KX_GetWarningInfo}, {@code KX_SetWarningInfo}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WarningInfo {
  /**
   * 0 off, 1 report, 2 report until cleared; at most
   * {@value DiskArrayConstants#KX_WARNING_MODE_MAX}.
   */
  public int report_mode;

  public WarningInfo() {}
}
