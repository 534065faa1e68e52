package korvane.str.diskarray;

/**
 * The two ports of one controller in an initialisation.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class InitHGCtlList {
  public InitHGPortList[] port = new InitHGPortList[] {new InitHGPortList(), new InitHGPortList()};

  public InitHGCtlList() {}
}
