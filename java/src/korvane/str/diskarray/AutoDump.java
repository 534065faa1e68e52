package korvane.str.diskarray;

/**
 * The latest automatic dump of a controller ({@code KX_GetAutoDump}): when it was taken
 * (calendar year, month 1..12) and {@code flag} 1 when there is one.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class AutoDump {
  public int year;
  public int month;
  public int date;
  public int hours;
  public int minutes;
  public int seconds;
  public int flag;

  public AutoDump() {}
}
