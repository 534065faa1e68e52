package korvane.str.diskarray.cli;

import java.io.InputStream;
import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/**
 * Runs the commands a start of the tool most often runs, in one JVM, on a throw-away station,
 * their output discarded. The build runs it under {@code -XX:ArchiveClassesAtExit} to record the
 * class-data archive the launcher starts the tool with: the classes these commands load (the
 * tool's, the moved picocli's, the JDK's not in its own archive) are then mapped ready-made at each
 * start instead of being read from the jar, verified and linked.
 *
 * <p>Usage: {@code ArchiveTraining STATION}, a directory that does not exist yet or is empty. Exit
 * status 1 when a command that must succeed fails: an archive of a run that never reached the
 * station would hold little of what a start loads.
 */
public final class ArchiveTraining {
  private ArchiveTraining() {}

  private static final String UNIT = "train01";

  /** Each command line with whether it must succeed; the others train the error paths. */
  private static final Object[][] COMMANDS = {
    {true, new String[] {"add", UNIT}},
    {true, new String[] {"list"}},
    {true, new String[] {"list", "--json"}},
    {true, new String[] {"list", "--tsv"}},
    {true, new String[] {"show", UNIT}},
    {false, new String[] {"status", UNIT}},
    {true, new String[] {"drives", UNIT}},
    {true, new String[] {"rg", "list", UNIT}},
    {true, new String[] {"lu", "list", UNIT}},
    {true, new String[] {"help"}},
    {true, new String[] {"--help"}},
    {true, new String[] {"list", "--help"}},
    {true, new String[] {"--version"}},
    {false, new String[] {"no-such-command"}},
    {false, new String[] {"show", "no-such-unit"}},
  };

  public static void main(String[] args) {
    if (args.length != 1) {
      System.err.println("usage: ArchiveTraining STATION");
      System.exit(DiskArrayTool.EXIT_USAGE);
    }
    PrintStream discard =
        new PrintStream(OutputStream.nullOutputStream(), true, StandardCharsets.UTF_8);
    List<String> failed = new ArrayList<>();
    for (Object[] command : COMMANDS) {
      List<String> line = new ArrayList<>(List.of("--station", args[0]));
      line.addAll(Arrays.asList((String[]) command[1]));
      int status = DiskArrayTool.run(line.toArray(new String[0]), InputStream.nullInputStream(),
          discard, discard);
      if ((Boolean) command[0] && status != DiskArrayTool.EXIT_OK) {
        failed.add(String.join(" ", line) + " (exit " + status + ")");
      }
    }
    if (!failed.isEmpty()) {
      System.err.println("ArchiveTraining: these failed: " + String.join("; ", failed));
      System.exit(DiskArrayTool.EXIT_FAILURE);
    }
    System.exit(DiskArrayTool.EXIT_OK);
  }
}
