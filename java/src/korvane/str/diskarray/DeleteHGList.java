package korvane.str.diskarray;

/**
 * Host groups to delete (KX_DeleteHGList): two controllers of two ports.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class DeleteHGList {
  public DeleteHGCtlList[] ctl = new DeleteHGCtlList[] {new DeleteHGCtlList(), new DeleteHGCtlList()};

  public DeleteHGList() {}
}
