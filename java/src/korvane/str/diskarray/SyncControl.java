package korvane.str.diskarray;

/**
 * The synchronous ports of one controller: 4 entries.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class SyncControl {
  public SyncPort[] port_val;

  public SyncControl() {}
}
