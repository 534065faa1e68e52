package korvane.str.diskarray;

/**
 * Synchronous ports of one controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZSyncControl {
  public WZSyncPort[] port_val = new WZSyncPort[4];

  public WZSyncControl() {
    for (int i = 0; i < port_val.length; i++) {
      port_val[i] = new WZSyncPort();
    }
  }
}
