package korvane.str.diskarray;

/**
 * Host groups to initialise (KX_InitHGList): two controllers of two ports.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class InitHGList {
  public InitHGCtlList[] ctl = new InitHGCtlList[] {new InitHGCtlList(), new InitHGCtlList()};

  public InitHGList() {}
}
