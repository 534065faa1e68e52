package korvane.str.diskarray.cli;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.lang.management.ManagementFactory;
import java.net.InetSocketAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.PosixFilePermissions;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.TimeUnit;
import java.util.stream.Stream;
import java.util.zip.CRC32;
import korvane.str.diskarray.DiskArrayException;

/**
 * A tour of the whole system on a fresh station, every step a command line of
 * the tool shown as typed and run in this process: the registry and users,
 * RAID groups and LUs, unified LUs and pairs, host connectivity, parameters
 * and the wizard, statistics, a drive failure with the alerts and mail it
 * causes, microcode replacement, the trace and the snapshot; at the end a
 * second process reads the same station.
 *
 * <p>Files the steps write or read (password, wizard lines, the CSV and SVG of
 * the performance run, the microcode part, the trace, the snapshot) go to the
 * demo folder {@code STATION/demo}.
 */
final class Demo {
  private static final String UNIT = "array01";
  private static final String PASSWORD = "Secret-1";
  /** The unit type of array01, which the microcode part must be made for. */
  private static final int MODEL = 2;
  private static final String REVISION = "B0210";
  private static final String WWN = "50060E8000C3A1B2";
  /** How long the SMTP server may take to start listening. */
  private static final long SMTP_START_DEADLINE_MS = 30_000;

  /** The headings of the tour, in order; the demo's test looks for each. */
  static final String[] SECTIONS = {
    "Unit registry", "Users and login", "RAID groups, LUs and formatting",
    "Unified LU and coupling pair", "Host groups, WWNs and LU mapping",
    "Parameters and the set-up wizard", "Statistics and performance",
    "A drive fails", "Alerts and mail", "Microcode replacement", "Trace and snapshot",
    "The same station seen by a new process",
  };

  /** What the second process lists; it must print what this one does. */
  private static final String[][] COMPARED = {
    {"list"},
    {"rg", "list", UNIT},
    {"lu", "list", UNIT},
    {"hostgroup", "list", UNIT},
  };

  private final DiskArrayTool tool;
  private final PrintStream out;
  private final PrintStream err;
  /** What the demo is doing, for the message if it fails. */
  private String what;
  /** The demo folder, for the files the steps read and write. */
  private Path files;
  private Path station;
  private int section;

  Demo(DiskArrayTool tool, PrintStream out, PrintStream err) {
    this.tool = tool;
    this.out = out;
    this.err = err;
  }

  int run(Arguments arguments) throws UsageException {
    arguments.expectOperands();
    arguments.allowOnly(Set.of());
    what = "prepare the station";
    Process smtpServer = null;
    try {
      station = freshStation(arguments);
      out.println("Demo station: " + station);
      out.println("(every command below runs with --station " + station + ")");
      what = "open station " + station;
      DiskArrayTool.openStation(station);
      files = station.resolve("demo");
      Files.createDirectories(files);

      registryAndUsers();
      storage();
      specialLus();
      connectivity();
      parametersAndWizard();
      statistics();
      driveFailure();
      smtpServer = alertsAndMail();
      maintenance();

      what = "compare with a new process";
      return compareWithNewProcess(station);
    } catch (StepFailed e) {
      return DiskArrayTool.EXIT_FAILURE;
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
    } finally {
      if (smtpServer != null) {
        smtpServer.destroy();
      }
    }
  }

  // ---------------------------------------------------------------------------
  // The tour

  private void registryAndUsers() throws StepFailed, IOException {
    heading();
    run("add", UNIT, "--group", "lab", "--connect-type", "1", "--kx-type", String.valueOf(MODEL),
        "--address0", "10.0.0.1", "--address1", "10.0.0.2");
    run("add", "array02", "--group", "lab", "--connect-type", "1", "--kx-type", "2",
        "--address0", "10.0.0.3", "--address1", "10.0.0.4");
    run("add", "backup01", "--group", "offsite", "--connect-type", "2",
        "--address0", "10.8.0.1");
    refuse("add", UNIT, "--group", "other");
    run("change", "array02", "--name", "array02-prod", "--group", "production");
    run("delete", "backup01", "--yes");
    run("list");

    heading();
    // The password goes through a file on standard input, never the command line.
    Path passwordFile = files.resolve("admin.pass");
    Files.writeString(passwordFile, PASSWORD + "\n");
    restrictToOwner(passwordFile);
    runWithInput(passwordFile, "user", "add", UNIT, "admin", "--password-stdin");
    Path wrongFile = files.resolve("wrong.pass");
    Files.writeString(wrongFile, "not-the-password\n");
    refuseWithInput(wrongFile, "login", UNIT, "admin", "--password-stdin");
    runWithInput(passwordFile, "login", UNIT, "admin", "--password-stdin");
    run("whoami", UNIT);
    run("user", "list", UNIT);
  }

  private void storage() throws StepFailed {
    heading();
    run("rg", "add", UNIT, "--level", "5", "--port", "0", "--row", "0", "--width", "4",
        "--depth", "2");
    run("rg", "add", UNIT, "--level", "1", "--port", "2", "--row", "2", "--width", "2");
    refuse("rg", "add", UNIT, "--level", "0", "--port", "1", "--row", "1", "--width", "2");
    run("lu", "add", UNIT, "--rg", "0", "--capacity", "512");
    run("lu", "add", UNIT, "--rg", "0", "--capacity", "384");
    run("lu", "add", UNIT, "--rg", "1", "--capacity", "256", "--controller", "1");
    run("lu", "add", UNIT, "--rg", "1", "--capacity", "256", "--controller", "1");
    run("rg", "list", UNIT);
    run("format", UNIT, "0", "1", "2", "3");
    run("lu", "list", UNIT);
    run("status", UNIT);
  }

  private void specialLus() throws StepFailed {
    heading();
    run("lu", "add", UNIT, "--rg", "0", "--capacity", "128");
    run("format", UNIT, "4");
    run("lu", "unify", UNIT, "1", "4");
    run("lu", "unified", UNIT);
    run("lu", "pair", UNIT, "2", "3");
    run("lu", "pairs", UNIT);
  }

  private void connectivity() throws StepFailed {
    heading();
    run("hostgroup", "add", UNIT, "db-hosts", "--controller", "0", "--port", "0",
        "--number", "1");
    run("wwn", "add", UNIT, WWN, "--controller", "0", "--port", "0", "--nickname", "db1",
        "--hg", "1");
    run("map", "add", UNIT, "0", "0", "--controller", "0", "--port", "0", "--hg", "1");
    run("map", "add", UNIT, "1", "1", "--controller", "0", "--port", "0", "--hg", "1");
    run("map", "list", UNIT, "--controller", "0", "--port", "0", "--hg", "1");
    run("wwn", "list", UNIT);
    run("hostgroup", "list", UNIT);
  }

  private void parametersAndWizard() throws StepFailed, IOException {
    heading();
    run("params", "set", UNIT, "online-system", "--web-title=\"Lab array 01\"");
    refuse("params", "set", UNIT, "online-system", "--web-title=\"Lab array 01");
    refuse("params", "set", UNIT, "online-system", "--web-title=\"tab\there\"");
    run("wizard", "show", UNIT, "--out", files.toString() + "/");
    Path wrong = wizardFile("wizard-wrong.txt", "# Drive capacities: one value per row is needed.",
        "drive_capacity.row = 30, 30");
    refuse("wizard", "test", UNIT, wrong.toString());
    Path change = wizardFile("wizard-change.txt", "# Set-up change: no buzzer, a longer title.",
        "mode_param.buzzer = 0", "inquiry.web_title = \"Lab array 01 (set up)\"");
    run("wizard", "test", UNIT, change.toString());
    run("wizard", "apply", UNIT, change.toString());
    run("params", "show", UNIT, "online-system");
  }

  /** Writes a file of wizard lines to the demo folder and shows it. */
  private Path wizardFile(String name, String... lines) throws IOException {
    Path file = files.resolve(name);
    Files.writeString(file, String.join("\n", lines) + "\n");
    out.println();
    out.println("$ cat " + file);
    out.print(Files.readString(file));
    return file;
  }

  private void statistics() throws StepFailed {
    heading();
    run("stats", UNIT);
    Path csv = files.resolve("perf.csv");
    run("perf", UNIT, "--count", "2", "--interval", "1", "--out", csv.toString());
    run("perf", "plot", csv.toString(), "--out", files.resolve("perf.svg").toString());
  }

  private void driveFailure() throws StepFailed {
    heading();
    run("drive", UNIT, "1", "0", "block");
    run("status", UNIT);
    run("rg", "list", UNIT);
  }

  /** Returns the SMTP server it started, for the caller to stop, or null. */
  private Process alertsAndMail() throws StepFailed, IOException, InterruptedException {
    heading();
    run("alerts", UNIT);
    run("alerts", UNIT, "--mode", "peek");
    Process server = null;
    int port;
    try (ServerSocket probe = new ServerSocket(0, 1, java.net.InetAddress.getLoopbackAddress())) {
      port = probe.getLocalPort();
    }
    if (aiosmtpdInstalled()) {
      out.println();
      out.println("$ python3 -m aiosmtpd -n -l 127.0.0.1:" + port + " &"
          + "        # a local SMTP server that prints what it receives");
      out.flush();
      server = new ProcessBuilder(python(), "-m", "aiosmtpd", "-n", "-l", "127.0.0.1:" + port)
          .redirectErrorStream(true)
          .redirectOutput(files.resolve("smtp-server.log").toFile())
          .start();
      if (!listening(port, server)) {
        out.println("(the SMTP server did not start; the mail below is refused)");
      }
    } else {
      out.println();
      out.println("(no local SMTP server is installed: Debian's python3-aiosmtpd would be one;"
          + " the mail below is refused, and the tool says why)");
    }
    run("mail", "set", "--switch", "on", "--smtp", "127.0.0.1:" + port,
        "--from", "array-station@lab.example", "--to", "storage-admins@lab.example");
    run("mail", "append", UNIT, "Rack 4, room B");
    show("mail", "send", "Drive 1/0 of " + UNIT + " is blocked",
        "The drive was taken out of service; RAID group 0 runs degraded.", UNIT);
    if (server != null) {
      // The server prints each message once it has taken it whole.
      Path log = files.resolve("smtp-server.log");
      long deadline = System.nanoTime() + TimeUnit.MILLISECONDS.toNanos(SMTP_START_DEADLINE_MS);
      while (!Files.readString(log).contains("END MESSAGE") && System.nanoTime() < deadline
          && server.isAlive()) {
        Thread.sleep(100);
      }
      out.println("(what the SMTP server received:)");
      out.print(Files.readString(log));
    }
    run("log", server == null ? "err" : "app", "--tail", "1");
    return server;
  }

  private void maintenance() throws StepFailed, IOException {
    heading();
    Path part = files.resolve("micro-" + REVISION + ".kxmc");
    Files.write(part, microcodePart(REVISION, 64 * 1024));
    run("micro", "prepare", UNIT, part.toString());
    run("micro", "revision");
    run("micro", "download", UNIT);
    run("micro", "replace", UNIT, "--yes");
    run("ready", UNIT);
    run("whoami", UNIT);

    heading();
    Path trace = files.resolve(UNIT + ".trace");
    run("trace", UNIT, "--out", trace.toString());
    Path snapshot = files.resolve(UNIT + ".json");
    run("snapshot", UNIT, "--json", snapshot.toString());
  }

  // ---------------------------------------------------------------------------
  // Steps

  /** A step that went wrong and ended the demo; the step has said why. */
  private static final class StepFailed extends Exception {
    private static final long serialVersionUID = 1L;
  }

  private void heading() {
    out.println();
    out.println("== " + (section + 1) + ". " + SECTIONS[section] + " ==");
    section++;
  }

  /** A step that must succeed. */
  private void run(String... words) throws StepFailed {
    step(words, null, Outcome.SUCCEEDS);
  }

  /** A step the station must refuse. */
  private void refuse(String... words) throws StepFailed {
    step(words, null, Outcome.REFUSED);
  }

  /** A step whose failure is shown with its reason, and the tour goes on. */
  private void show(String... words) throws StepFailed {
    step(words, null, Outcome.EITHER);
  }

  private void runWithInput(Path input, String... words) throws StepFailed {
    step(words, input, Outcome.SUCCEEDS);
  }

  private void refuseWithInput(Path input, String... words) throws StepFailed {
    step(words, input, Outcome.REFUSED);
  }

  private enum Outcome { SUCCEEDS, REFUSED, EITHER }

  private void step(String[] words, Path input, Outcome outcome) throws StepFailed {
    out.println();
    out.println("$ diskarray " + typed(words) + (input == null ? "" : " < " + input));
    try (InputStream in = input == null ? InputStream.nullInputStream()
        : Files.newInputStream(input)) {
      // Every step runs on the demo station, as the heading said.
      List<String> line = new ArrayList<>(List.of("--station", station.toString()));
      line.addAll(List.of(words));
      Arguments arguments = Arguments.parse(line.toArray(new String[0]));
      // No terminal and no environment: what a step reads comes from its input file.
      arguments.prompts = new Prompts(null, in, Map.of());
      DiskArrayTool.Step step = tool.prepare(arguments);
      what = step.what;
      step.action.run();
    } catch (DiskArrayException e) {
      if (outcome == Outcome.SUCCEEDS) {
        err.println("diskarray: demo: " + what + ": " + DiskArrayTool.explain(e));
        throw new StepFailed();
      }
      out.println("refused" + (outcome == Outcome.REFUSED ? ", as it should be" : "") + ": "
          + DiskArrayTool.explain(e));
      return;
    } catch (UsageException e) {
      if (outcome == Outcome.SUCCEEDS) {
        err.println("diskarray: demo: " + String.join(" ", words) + ": " + e.getMessage());
        throw new StepFailed();
      }
      out.println("refused" + (outcome == Outcome.REFUSED ? ", as it should be" : "") + ": "
          + e.getMessage());
      return;
    } catch (DiskArrayTool.AnswerStatus e) {
      // Part of the answer, as the status of a degraded unit is: shown, and
      // the tour goes on.
      out.println("(exit status " + e.status + ")");
      return;
    } catch (DiskArrayTool.ToolFailure e) {
      if (outcome == Outcome.SUCCEEDS) {
        err.println("diskarray: demo: " + what + ": " + e.getMessage());
        throw new StepFailed();
      }
      out.println("refused" + (outcome == Outcome.REFUSED ? ", as it should be" : "") + ": "
          + e.getMessage());
      return;
    } catch (IOException e) {
      err.println("diskarray: demo: " + what + ": " + Problems.describe(e));
      throw new StepFailed();
    }
    if (outcome == Outcome.REFUSED) {
      err.println("diskarray: demo: the station accepted " + String.join(" ", words));
      throw new StepFailed();
    }
  }

  /** The words as a shell would need them typed. */
  static String typed(String[] words) {
    List<String> quoted = new ArrayList<>();
    for (String word : words) {
      quoted.add(word.matches("[A-Za-z0-9_./:=@,%+-]+") ? word
          : "'" + word.replace("'", "'\\''") + "'");
    }
    return String.join(" ", quoted);
  }

  // ---------------------------------------------------------------------------
  // Helpers

  private static void restrictToOwner(Path file) throws IOException {
    try {
      Files.setPosixFilePermissions(file, PosixFilePermissions.fromString("rw-------"));
    } catch (UnsupportedOperationException e) {
      // Not a POSIX file system (Windows): the folder's own rights apply.
    }
  }

  /** The system's Python, which Debian's aiosmtpd package is installed for. */
  private static String python() {
    return Files.isExecutable(Paths.get("/usr/bin/python3")) ? "/usr/bin/python3" : "python3";
  }

  /** Whether python3 can import aiosmtpd, without starting a server. */
  private static boolean aiosmtpdInstalled() throws InterruptedException {
    try {
      Process check = new ProcessBuilder(python(), "-c", "import aiosmtpd")
          .redirectErrorStream(true)
          .redirectOutput(ProcessBuilder.Redirect.DISCARD)
          .start();
      return check.waitFor(SMTP_START_DEADLINE_MS, TimeUnit.MILLISECONDS) && check.exitValue() == 0;
    } catch (IOException e) {
      return false;
    }
  }

  /** Polls until something accepts connections on the port, or the server ended. */
  private static boolean listening(int port, Process server) throws InterruptedException {
    long deadline = System.nanoTime() + TimeUnit.MILLISECONDS.toNanos(SMTP_START_DEADLINE_MS);
    while (System.nanoTime() < deadline && server.isAlive()) {
      try (Socket socket = new Socket()) {
        socket.connect(new InetSocketAddress("127.0.0.1", port), 1000);
        return true;
      } catch (IOException notYet) {
        Thread.sleep(100);
      }
    }
    return false;
  }

  /** One microcode part holding the whole image: a 40-byte header, then the payload. */
  static byte[] microcodePart(String revision, int size) {
    byte[] payload = new byte[size];
    for (int i = 0; i < size; i++) {
      payload[i] = (byte) (i * 31 + 7);
    }
    ByteBuffer part = ByteBuffer.allocate(40 + size).order(ByteOrder.LITTLE_ENDIAN);
    part.put("KXMC".getBytes(StandardCharsets.US_ASCII));
    part.putShort((short) 1).putShort((short) 40).putInt(MODEL);
    byte[] name = new byte[8];
    byte[] text = revision.getBytes(StandardCharsets.US_ASCII);
    System.arraycopy(text, 0, name, 0, text.length);
    part.put(name).putShort((short) 1).putShort((short) 1).putInt(size);
    CRC32 crc = new CRC32();
    crc.update(payload);
    part.putInt((int) crc.getValue()).putInt(0);
    crc.reset();
    crc.update(part.array(), 0, 36);
    part.putInt((int) crc.getValue());
    part.put(payload);
    return part.array();
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
    heading();
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
      out.println("$ diskarray " + typed(words) + "        # in a new process");
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
    out.println("A new process (last pid " + pid + ") sees the same registry, RAID groups, LUs"
        + " and host groups: they are kept in " + station + ", not in memory.");
    out.println("The demo's files (CSV, SVG chart, trace, snapshot): " + files);
    return DiskArrayTool.EXIT_OK;
  }
}
