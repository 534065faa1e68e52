package korvane.str.diskarray;

/**
 * Host groups of one port picked for deletion: byte n for host group n.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class DeleteHGPortList {
  public byte[] hg = new byte[128];

  public DeleteHGPortList() {}
}
