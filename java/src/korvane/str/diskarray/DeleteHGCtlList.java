package korvane.str.diskarray;

/**
 * The two ports of one controller in a deletion.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class DeleteHGCtlList {
  public DeleteHGPortList[] port = new DeleteHGPortList[] {new DeleteHGPortList(), new DeleteHGPortList()};

  public DeleteHGCtlList() {}
}
