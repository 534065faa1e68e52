package korvane.str.diskarray.cli;

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
 * and delete one, and finally let a second process list the same registry.
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
    {"delete", "backup01"},
  };
  private static final String[] SHOW = {"show", "array02-prod"};

  private final DiskArrayTool tool;
  private final PrintStream out;
  private final PrintStream err;

  Demo(DiskArrayTool tool, PrintStream out, PrintStream err) {
    this.tool = tool;
    this.out = out;
    this.err = err;
  }

  int run(Arguments arguments) throws UsageException {
    arguments.expectOperands();
    arguments.allowOnly(Set.of());
    String what = "prepare the station";
    try {
      Path station = freshStation(arguments);
      out.println("Demo station: " + station);
      out.println("(every command below runs with --station " + station + ")");
      what = "open station " + station;
      DiskArrayTool.openStation(station);

      for (String[] words : REGISTER) {
        what = step(words);
      }
      what = "list units";
      echo(new String[] {"list"});
      out.print(Tables.units(DiskArrayTool.readRegistry()));

      echo(DUPLICATE);
      try {
        tool.prepare(Arguments.parse(DUPLICATE)).action.run();
        err.println("diskarray: demo: the station accepted a second unit named array01");
        return DiskArrayTool.EXIT_FAILURE;
      } catch (DiskArrayException expected) {
        out.println("refused, as it should be: " + DiskArrayTool.explain(expected));
      }

      for (String[] words : RESHAPE) {
        what = step(words);
      }
      what = "list units";
      echo(new String[] {"list"});
      String registry = Tables.units(DiskArrayTool.readRegistry());
      out.print(registry);
      what = step(SHOW);

      what = "list units in a new process";
      return compareWithNewProcess(station, registry);
    } catch (DiskArrayException e) {
      err.println("diskarray: demo: " + what + ": " + DiskArrayTool.explain(e));
      return DiskArrayTool.EXIT_FAILURE;
    } catch (DiskArrayTool.ToolFailure | IOException e) {
      err.println("diskarray: demo: " + what + ": " + e.getMessage());
      return DiskArrayTool.EXIT_FAILURE;
    } catch (InterruptedException e) {
      Thread.currentThread().interrupt();
      err.println("diskarray: demo: interrupted");
      return DiskArrayTool.EXIT_FAILURE;
    }
  }

  private String step(String[] words)
      throws UsageException, DiskArrayException, DiskArrayTool.ToolFailure {
    echo(words);
    DiskArrayTool.Step step = tool.prepare(Arguments.parse(words));
    step.action.run();
    return step.what;
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
   * Starts a second JVM on the same station with the same JVM options (library
   * path, -Xcheck:jni) and requires its listing to match this process's.
   */
  private int compareWithNewProcess(Path station, String registry)
      throws IOException, InterruptedException {
    List<String> command = new ArrayList<>();
    command.add(Paths.get(System.getProperty("java.home"), "bin", "java").toString());
    command.addAll(ManagementFactory.getRuntimeMXBean().getInputArguments());
    command.add("-cp");
    command.add(System.getProperty("java.class.path"));
    command.add(DiskArrayTool.class.getName());
    command.add("--station");
    command.add(station.toString());
    command.add("list");

    out.println();
    out.println("$ diskarray list        # in a new process");
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
    if (!listing.equals(registry)) {
      err.println("diskarray: demo: the new process sees a different registry");
      return DiskArrayTool.EXIT_FAILURE;
    }
    out.println();
    out.println("The new process (pid " + child.pid() + ") sees the same registry: it is kept in "
        + station + ", not in memory.");
    return DiskArrayTool.EXIT_OK;
  }
}
