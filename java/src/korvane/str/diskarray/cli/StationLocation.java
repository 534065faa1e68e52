package korvane.str.diskarray.cli;

import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Map;

/**
 * Where the tool keeps its station when no --station is given: the directory
 * named by {@value #ENVIRONMENT}, else the per-user data directory
 * ({@code $XDG_DATA_HOME/diskarray/station}, else
 * {@code ~/.local/share/diskarray/station}; on Windows
 * {@code %LOCALAPPDATA%\diskarray\station}). A station never lands in
 * whatever directory the user happens to stand in.
 */
public final class StationLocation {
  /** Environment variable naming the station directory. */
  public static final String ENVIRONMENT = "DISKARRAY_STATION";

  private StationLocation() {}

  /**
   * The default station for an environment, an operating system name (as the
   * os.name property gives it) and a home directory.
   */
  public static Path defaultDirectory(Map<String, String> environment, String osName,
      String home) {
    String named = environment.get(ENVIRONMENT);
    if (named != null && !named.isEmpty()) {
      return Paths.get(named);
    }
    if (osName.startsWith("Windows")) {
      String local = environment.get("LOCALAPPDATA");
      Path base = local != null && !local.isEmpty() ? Paths.get(local)
          : Paths.get(home, "AppData", "Local");
      return base.resolve("diskarray").resolve("station");
    }
    String data = environment.get("XDG_DATA_HOME");
    // The XDG rules ignore a relative XDG_DATA_HOME.
    Path base = data != null && !data.isEmpty() && Paths.get(data).isAbsolute()
        ? Paths.get(data) : Paths.get(home, ".local", "share");
    return base.resolve("diskarray").resolve("station");
  }

  /** The default station of this process. */
  static Path defaultDirectory() {
    return defaultDirectory(System.getenv(), System.getProperty("os.name", ""),
        home(System.getenv(), System.getProperty("user.home", ".")));
  }

  /**
   * The home directory: $HOME when set, as every other tool of the user's
   * takes it; Java's user.home comes from the password database instead.
   */
  public static String home(Map<String, String> environment, String userHome) {
    String home = environment.get("HOME");
    return home != null && !home.isEmpty() ? home : userHome;
  }
}
