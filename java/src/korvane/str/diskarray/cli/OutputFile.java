package korvane.str.diskarray.cli;

import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * The one rule for every file the tool writes: a path ending in '/' is a
 * folder, and the file gets its usual name there; an existing file is kept
 * unless --force is given; the folder must exist. Checked before the station
 * does any work, so a long run never ends in a file it cannot write.
 */
final class OutputFile {
  private OutputFile() {}

  /** The file a command line names, absolute; defaultName inside a folder path. */
  static Path resolve(String given, String defaultName) throws UsageException {
    if (given == null || given.isEmpty()) {
      throw new UsageException("an output file needs a name, got an empty one");
    }
    try {
      Path path = Paths.get(given);
      if (given.endsWith("/") || given.endsWith(java.io.File.separator)
          || Files.isDirectory(path)) {
        path = path.resolve(defaultName);
      }
      return path.toAbsolutePath().normalize();
    } catch (InvalidPathException e) {
      throw new UsageException("bad output path '" + given + "': " + e.getMessage());
    }
  }

  /** Refuses a file that exists (unless force) or whose folder does not. */
  static void check(Path file, boolean force) throws ToolFailure {
    Path folder = file.getParent();
    if (folder != null && !Files.isDirectory(folder)) {
      throw new ToolFailure("cannot write " + file + ": there is no folder " + folder);
    }
    if (Files.isDirectory(file)) {
      throw new ToolFailure("cannot write " + file + ": it is a folder");
    }
    if (Files.exists(file) && !force) {
      throw new ToolFailure(file + " exists; give --force to replace it");
    }
    if (folder != null && !Files.isWritable(folder)) {
      throw new ToolFailure("cannot write " + file + ": the folder " + folder
          + " is not writable");
    }
  }
}
