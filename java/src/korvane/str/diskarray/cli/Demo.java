package korvane.str.diskarray.cli;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.lang.management.ManagementFactory;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Set;
import java.util.stream.Stream;
import korvane.str.diskarray.DiskArrayException;

/**
 * A short scripted story on a fresh station: register units, list them, change
 * and delete one; then on one unit add a user, log in, create RAID groups and
 * LUs, format them, show the status and log out; finally let a second process
 * list the same registry, RAID groups and LUs.
 */
final class Demo {
  private static final String[][] REGISTER = {
    {"add", "array01", "--group", "lab", "--connect-type", "1", "--kx-type", "2",
        "--ctl0", "10.0.0.1", "--ctl1", "10.0.0.2"},
    {"add", "array02", "--group", "lab", "--connect-type", "1", "--kx-type", "2",
        "--ctl0", "10.0.0.3", "--ctl1", "10.0.0.4"},
    {"add", "backup01", "--group", "offsite", "--connect-type", "2", "--alert", "1",
        "--ctl0", "10.8.0.1"},
  };
  private static final String[] DUPLICATE = {"add", "array01", "--group", "other"};
  private static final String[][] RESHAPE = {
    {"change", "array02", "--name", "array02-prod", "--group", "production", "--unit-conf", "3"},
    {"delete", "backup01", "--yes"},
  };
  private static final String[] SHOW = {"show", "array02-prod"};

  /** The array story on array01. LU sizes keep the format to a few seconds. */
  private static final Line[] ARRAY_STORY = {
    Line.run("user", "add", "array01", "admin", "Secret-1"),
    Line.refuse("login", "array01", "admin", "not-the-password"),
    Line.run("login", "array01", "admin", "Secret-1"),
    Line.run("whoami", "array01"),
    Line.run("rg", "add", "array01", "--level", "5", "--port", "0", "--row", "0",
        "--width", "4", "--depth", "2"),
    Line.run("rg", "add", "array01", "--level", "1", "--port", "2", "--row", "2", "--width", "2"),
    Line.refuse("rg", "add", "array01", "--level", "0", "--port", "1", "--row", "1",
        "--width", "2"),
    Line.run("lu", "add", "array01", "--rg", "0", "--capacity", "512"),
    Line.run("lu", "add", "array01", "--rg", "0", "--capacity", "384"),
    Line.run("lu", "add", "array01", "--rg", "1", "--capacity", "256", "--ctl", "1"),
    Line.run("rg", "list", "array01"),
    Line.run("format", "array01", "0", "1", "2"),
    Line.run("lu", "list", "array01"),
    Line.run("status", "array01"),
    Line.run("logout", "array01"),
  };

  /** What the second process lists; it must print what this one does. */
  private static final String[][] COMPARED = {
    {"list"},
    {"rg", "list", "array01"},
    {"lu", "list", "array01"},
  };

  /** One command line of the story, and whether the station must refuse it. */
  private static final class Line {
    final String[] words;
    final boolean refused;

    private Line(String[] words, boolean refused) {
      this.words = words;
      this.refused = refused;
    }

    static Line run(String... words) {
      return new Line(words, false);
    }

    static Line refuse(String... words) {
      return new Line(words, true);
    }
  }

  private final DiskArrayTool tool;
  private final PrintStream out;
  private final PrintStream err;
  /** What the demo is doing, for the message if it fails. */
  private String what;

  Demo(DiskArrayTool tool, PrintStream out, PrintStream err) {
    this.tool = tool;
    this.out = out;
    this.err = err;
  }

  int run(Arguments arguments) throws UsageException {
    arguments.expectOperands();
    arguments.allowOnly(Set.of());
    what = "prepare the station";
    try {
      Path station = freshStation(arguments);
      out.println("Demo station: " + station);
      out.println("(every command below runs with --station " + station + ")");
      what = "open station " + station;
      DiskArrayTool.openStation(station);

      for (String[] words : REGISTER) {
        step(words);
      }
      what = "list units";
      echo(new String[] {"list"});
      out.print(Tables.units(DiskArrayTool.readRegistry()));

      if (!refused(DUPLICATE)) {
        return DiskArrayTool.EXIT_FAILURE;
      }

      for (String[] words : RESHAPE) {
        step(words);
      }
      what = "list units";
      echo(new String[] {"list"});
      String registry = Tables.units(DiskArrayTool.readRegistry());
      out.print(registry);
      step(SHOW);

      for (Line line : ARRAY_STORY) {
        if (line.refused) {
          if (!refused(line.words)) {
            return DiskArrayTool.EXIT_FAILURE;
          }
        } else {
          step(line.words);
        }
      }

      what = "compare with a new process";
      return compareWithNewProcess(station);
    } catch (DiskArrayException e) {
      err.println("diskarray: demo: " + what + ": " + DiskArrayTool.explain(e));
      return DiskArrayTool.EXIT_FAILURE;
    } catch (IOException e) {
      err.println("diskarray: demo: " + what + ": " + Problems.describe(e));
      return DiskArrayTool.EXIT_FAILURE;
    } catch (DiskArrayTool.ToolFailure e) {
      err.println("diskarray: demo: " + what + ": " + e.getMessage());
      return DiskArrayTool.EXIT_FAILURE;
    } catch (InterruptedException e) {
      Thread.currentThread().interrupt();
      err.println("diskarray: demo: interrupted");
      return DiskArrayTool.EXIT_FAILURE;
    }
  }

  private void step(String[] words)
      throws UsageException, DiskArrayException, DiskArrayTool.ToolFailure {
    echo(words);
    DiskArrayTool.Step step = tool.prepare(Arguments.parse(words));
    what = step.what;
    step.action.run();
  }

  /** Runs a command line the station must refuse; false (reported) if it did not. */
  private boolean refused(String[] words)
      throws UsageException, DiskArrayTool.ToolFailure {
    echo(words);
    DiskArrayTool.Step step = tool.prepare(Arguments.parse(words));
    what = step.what;
    try {
      step.action.run();
    } catch (DiskArrayException expected) {
      out.println("refused, as it should be: " + DiskArrayTool.explain(expected));
      return true;
    }
    err.println("diskarray: demo: the station accepted " + String.join(" ", words));
    return false;
  }

  /** What the tool prints for a command line in this process. */
  private String capture(String[] words)
      throws UsageException, DiskArrayException, DiskArrayTool.ToolFailure {
    ByteArrayOutputStream buffer = new ByteArrayOutputStream();
    PrintStream captured = new PrintStream(buffer, true, StandardCharsets.UTF_8);
    new DiskArrayTool(captured, err).prepare(Arguments.parse(words)).action.run();
    captured.flush();
    return buffer.toString(StandardCharsets.UTF_8);
  }

  private void echo(String[] words) {
    out.println();
    out.println("$ diskarray " + String.join(" ", words));
  }

  /** The --station directory if it is new or empty, else a new temporary directory. */
  private static Path freshStation(Arguments arguments) throws UsageException, IOException {
    if (!arguments.has(Arguments.STATION)) {
      return Files.createTempDirectory("diskarray-demo-").toAbsolutePath();
    }
    Path dir = DiskArrayTool.stationDirectory(arguments);
    if (Files.exists(dir)) {
      if (!Files.isDirectory(dir)) {
        throw new UsageException("demo station " + dir + " is not a directory");
      }
      try (Stream<Path> entries = Files.list(dir)) {
        if (entries.findAny().isPresent()) {
          throw new UsageException("demo needs a fresh station, but " + dir + " is not empty");
        }
      }
    }
    return dir;
  }

  /**
   * Starts a second JVM per listing on the same station, with the same JVM
   * options (library path, -Xcheck:jni), and requires each listing to match
   * what this process reads.
   */
  private int compareWithNewProcess(Path station)
      throws IOException, InterruptedException, UsageException, DiskArrayException,
          DiskArrayTool.ToolFailure {
    long pid = 0;
    for (String[] words : COMPARED) {
      String expected = capture(words);
      List<String> command = new ArrayList<>();
      command.add(Paths.get(System.getProperty("java.home"), "bin", "java").toString());
      command.addAll(ManagementFactory.getRuntimeMXBean().getInputArguments());
      command.add("-cp");
      command.add(System.getProperty("java.class.path"));
      command.add(DiskArrayTool.class.getName());
      command.add("--station");
      command.add(station.toString());
      command.addAll(List.of(words));

      out.println();
      out.println("$ diskarray " + String.join(" ", words) + "        # in a new process");
      out.flush();
      Process child = new ProcessBuilder(command)
          .redirectError(ProcessBuilder.Redirect.INHERIT)
          .start();
      String listing;
      try (InputStream stdout = child.getInputStream()) {
        listing = new String(stdout.readAllBytes(), StandardCharsets.UTF_8);
      }
      int status = child.waitFor();
      out.print(listing);
      if (status != 0) {
        err.println("diskarray: demo: the new process exited with status " + status);
        return DiskArrayTool.EXIT_FAILURE;
      }
      if (!listing.equals(expected)) {
        err.println("diskarray: demo: the new process sees something else than:");
        err.print(expected);
        return DiskArrayTool.EXIT_FAILURE;
      }
      pid = child.pid();
    }
    out.println();
    out.println("A new process (last pid " + pid + ") sees the same registry, RAID groups and"
        + " LUs: they are kept in " + station + ", not in memory.");
    return DiskArrayTool.EXIT_OK;
  }
}
