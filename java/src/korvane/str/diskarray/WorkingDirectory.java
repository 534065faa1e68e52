package korvane.str.diskarray;

/**
 * The station's working directory, handed to {@code KX_GUIInitialize}.
 *
 * <p>The bridge reads only the field {@code tesk_path}; the core library keeps
 * the station's state in that directory. At most 249 bytes of the path reach
 * the core library, so callers should pass a path short enough to survive whole.
 */
public class WorkingDirectory {
  /** Longest path, in bytes, that reaches the core library whole. */
  public static final int MAX_PATH_BYTES = 249;

  public String tesk_path;

  public WorkingDirectory() {}

  public WorkingDirectory(String teskPath) {
    this.tesk_path = teskPath;
  }

  @Override
  public String toString() {
    return "WorkingDirectory{tesk_path=" + KXUnitParam.quote(tesk_path) + "}";
  }
}
