package korvane.str.diskarray;

/**
 * Host groups of one port picked for initialisation: byte n for host group n.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class InitHGPortList {
  public byte[] hg = new byte[128];

  public InitHGPortList() {}
}
