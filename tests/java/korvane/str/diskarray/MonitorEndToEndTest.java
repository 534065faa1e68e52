package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.io.UncheckedIOException;
import java.net.DatagramSocket;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import java.util.function.BooleanSupplier;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import korvane.str.diskarray.cli.DiskArrayTool;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * {@code diskarray monitor} in JVMs of its own against a station with mail on
 * (a loopback SMTP server, tests/core/smtp_sink.py) and the external program
 * on, a RAID 5 group over drives 0/0, 1/0 and 2/0, a RAID 1 group over 2/1 and
 * 3/1, and drives blocked through
 * the tool. Every wait polls with a generous deadline.
 */
class MonitorEndToEndTest {
  private static final long DEADLINE_MS = 60_000;

  @TempDir Path scratch;
  private Path station;
  private Path mailDirectory;
  private Process sink;
  private Path programRuns;
  private final List<Process> monitors = new ArrayList<>();

  @BeforeEach
  void prepareStation() throws Exception {
    station = scratch.resolve("station");
    tool("add", "array1");
    tool("rg", "add", "array1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    tool("rg", "add", "array1", "--level", "1", "--port", "2", "--row", "1", "--width", "2");
    mailDirectory = scratch.resolve("mail");
    Files.createDirectories(mailDirectory);
    Path source = Paths.get(System.getProperty("kx.source.dir", "."));
    sink = new ProcessBuilder("/usr/bin/python3",
        source.resolve("tests/core/smtp_sink.py").toString(),
        "--port-file", mailDirectory.resolve("port").toString(),
        "--out-dir", mailDirectory.toString())
        .redirectErrorStream(true)
        .redirectOutput(scratch.resolve("sink.log").toFile())
        .start();
    waitFor("the SMTP server's port", () -> Files.exists(mailDirectory.resolve("port")));
    String port = Files.readString(mailDirectory.resolve("port")).trim();
    tool("mail", "set", "--switch", "on", "--smtp", "127.0.0.1:" + port,
        "--from", "station@example.test", "--to", "ops@example.test");
    programRuns = scratch.resolve("program runs.txt");
    tool("program", "set", "--switch", "on", "--timeout", "30", "--command",
        "/bin/sh -c \"echo \\\"$KX_ALERT_UNIT: $KX_ALERT_DETAILS\\\" >> '" + programRuns + "'\"");
  }

  @AfterEach
  void stopEverything() throws Exception {
    TestClock.reset();
    for (Process monitor : monitors) {
      monitor.destroyForcibly().waitFor();
    }
    sink.destroy();
    sink.waitFor();
  }

  /** Runs the tool in this JVM on the test's station; its standard output. */
  private String tool(String... args) {
    return tool(0, args);
  }

  /** Runs the tool in this JVM, expecting the exit status; its standard output. */
  private String tool(int expected, String... args) {
    TestStation.JavaRun run = TestStation.JavaRun.inProcess(station, args);
    assertEquals(expected, run.status, () -> List.of(args) + ": " + run.stderr);
    return run.stdout;
  }

  /** Starts diskarray on the station in a JVM of its own, output to NAME.out and NAME.err. */
  private Process startTool(String name, Map<String, String> environment, String... args)
      throws IOException {
    List<String> command = new ArrayList<>(List.of(
        Paths.get(System.getProperty("java.home"), "bin", "java").toString(), "-Xcheck:jni",
        "-Djava.library.path=" + System.getProperty("java.library.path"),
        "-cp", System.getProperty("kx.test.classpath"),
        "korvane.str.diskarray.cli.DiskArrayTool", "--station", station.toString()));
    command.addAll(List.of(args));
    ProcessBuilder builder = new ProcessBuilder(command)
        .redirectOutput(scratch.resolve(name + ".out").toFile())
        .redirectError(scratch.resolve(name + ".err").toFile());
    builder.environment().putAll(environment);
    Process process = builder.start();
    monitors.add(process);
    return process;
  }

  /** The file's text; empty while it does not exist. */
  private static String read(Path file) {
    try {
      return Files.readString(file, StandardCharsets.UTF_8);
    } catch (NoSuchFileException e) {
      return "";
    } catch (IOException e) {
      throw new UncheckedIOException(e);
    }
  }

  private String output(String name) {
    return read(scratch.resolve(name + ".out")) + "--- stderr\n"
        + read(scratch.resolve(name + ".err"));
  }

  private static void waitFor(String what, BooleanSupplier done) throws InterruptedException {
    long deadline = System.nanoTime() + TimeUnit.MILLISECONDS.toNanos(DEADLINE_MS);
    while (!done.getAsBoolean()) {
      if (System.nanoTime() > deadline) {
        throw new AssertionError("gave up waiting for " + what);
      }
      Thread.sleep(50);
    }
  }

  private int mailCount() {
    try (var files = Files.list(mailDirectory)) {
      return (int) files.filter(f -> f.getFileName().toString().endsWith(".txt")).count();
    } catch (IOException e) {
      throw new AssertionError(e);
    }
  }

  /** Message n (from 1): its subject, a newline, its body. */
  private String mail(int n) throws Exception {
    waitFor("mail " + n, () -> Files.exists(mailDirectory.resolve(n + ".txt")));
    return read(mailDirectory.resolve(n + ".txt"));
  }

  private List<String> lines(Path file) {
    String text = read(file);
    return text.isEmpty() ? List.of() : List.of(text.split("\n"));
  }

  private long count(String log, String text) {
    return lines(station.resolve(log)).stream().filter(line -> line.contains(text)).count();
  }

  @Test
  void newAlertsGetOneMailAndOneProgramRunEachAndSigtermStopsTheLoop() throws Exception {
    Process monitor = startTool("monitor", Map.of(), "monitor", "--interval", "1");
    tool("drive", "array1", "1", "0", "block");

    String first = mail(1);
    assertTrue(first.startsWith(
        "diskarray array1: drive 1/0 of RAID group 0 blocked (and 1 more)\n"), first);
    assertTrue(first.contains("\n  RAID group 0 degraded\n"), first);
    waitFor("the program's run", () -> !read(programRuns).isEmpty());
    assertEquals(1, lines(programRuns).size());
    assertTrue(lines(programRuns).get(0).startsWith("array1: "), lines(programRuns).get(0));

    // Another group's drive: a mail about that one alone.
    tool("drive", "array1", "3", "1", "block");
    String second = mail(2);
    assertTrue(second.startsWith("diskarray array1: drive 3/1 of RAID group 1 blocked"), second);
    String news = second.substring(second.indexOf("New alerts:"), second.indexOf("All alerts"));
    assertEquals("New alerts:\n  drive 3/1 of RAID group 1 blocked\n  RAID group 1 degraded\n\n",
        news);
    waitFor("the second program run", () -> lines(programRuns).size() == 2);

    monitor.destroy();
    assertTrue(monitor.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("monitor"));
    assertEquals(143, monitor.exitValue(), output("monitor"));
    assertTrue(output("monitor").contains("monitor: monitor stopped\n"), output("monitor"));
    assertEquals(2, mailCount());
    assertEquals(2, count("application.log", "monitor: array1: mail sent: "));
  }

  /** RAID group 0's row of {@code rg list}, its trailing blanks cut. */
  private static String groupRow(String table) {
    for (String row : table.split("\n")) {
      if (row.matches("\\s*0\\s.*")) {
        return row.stripTrailing();
      }
    }
    return "";
  }

  private static final String EVENT = "1.3.6.1.4.1.32473.740.1.";

  /** The traps snmptrapd wrote, each as "UNIT|KIND|OBJECT", in their order. */
  private List<String> traps(Path log) {
    Pattern variable = Pattern.compile("^\\.?([0-9.]+) = STRING: \"(.*)\"$");
    List<String> traps = new ArrayList<>();
    for (String line : lines(log)) {
      if (!line.startsWith("TRAP ")) {
        continue;
      }
      String[] values = new String[3];
      for (String field : line.substring(5).split("~")) {
        Matcher match = variable.matcher(field);
        if (match.matches() && match.group(1).startsWith(EVENT)) {
          int arc = Integer.parseInt(match.group(1).substring(EVENT.length()));
          if (arc >= 1 && arc <= 3) {
            values[arc - 1] = match.group(2);
          }
        }
      }
      traps.add(String.join("|", values[0], values[1], values[2]));
    }
    return traps;
  }

  /**
   * Blocking a drive of a RAID 5 group with mail, program and traps on and a
   * monitor running: one mail, one run of the program and the fault's traps,
   * the views degraded meanwhile; returning the drive and letting the rebuild
   * end (the station's clock moved past it): the recovery, told the same
   * ways. Each is delivered once.
   */
  @Test
  void aBlockedDriveAndItsRecoveryReachMailTrapsAndTheProgramOnce() throws Exception {
    int trapPort;
    try (DatagramSocket socket = new DatagramSocket(0, InetAddress.getLoopbackAddress())) {
      trapPort = socket.getLocalPort();
    }
    Path receiver = scratch.resolve("receiver");
    Files.createDirectories(receiver);
    Files.writeString(receiver.resolve("snmptrapd.conf"), "authCommunity log secret\n");
    Path trapLog = receiver.resolve("traps.log");
    ProcessBuilder trapd = new ProcessBuilder("/usr/sbin/snmptrapd", "-f", "-C", "-c",
        receiver.resolve("snmptrapd.conf").toString(), "-Lf", trapLog.toString(), "-On",
        "-m", "", "-F", "TRAP %V~%v\n", "udp:127.0.0.1:" + trapPort)
        .redirectErrorStream(true)
        .redirectOutput(scratch.resolve("snmptrapd.out").toFile());
    trapd.environment().put("SNMP_PERSISTENT_DIR", receiver.toString());
    monitors.add(trapd.start());
    waitFor("snmptrapd", () -> read(trapLog).contains("NET-SNMP version"));
    tool("snmp", "set", "array1", "127.0.0.1:" + trapPort, "community=secret traps=on");

    // The station's clock (of this JVM and the monitor's) is moved past the
    // rebuild below instead of waiting for it.
    TestClock.reset();
    Process monitor = startTool("monitor", Map.of(), "monitor", "--interval", "1");
    waitFor("the monitor's start", () -> count("application.log", "monitor started") == 1);

    tool("drive", "array1", "1", "0", "block");
    String fault = mail(1);
    assertTrue(fault.startsWith(
        "diskarray array1: drive 1/0 of RAID group 0 blocked (and 1 more)\n"), fault);
    assertTrue(fault.contains("Unit: array1\n"), fault);
    assertTrue(fault.contains("\nNew alerts:\n  drive 1/0 of RAID group 0 blocked\n"
        + "  RAID group 0 degraded\n"), fault);
    waitFor("the program's run", () -> lines(programRuns).size() == 1);
    assertEquals("array1: RAID group 0 degraded; drive 1/0 blocked", lines(programRuns).get(0));
    waitFor("the fault's traps", () -> traps(trapLog).size() == 2);
    assertEquals(List.of("array1|drive-blocked|drive 1/0 of RAID group 0",
        "array1|group-degraded|RAID group 0"), traps(trapLog));

    // The views show the fault meanwhile.
    String status = tool(3, "status", "array1");
    assertTrue(status.contains("degraded: drives 1 blocked"), status);
    String groups = tool("rg", "list", "array1");
    assertTrue(groupRow(groups).endsWith(" degraded"), groups);

    // Returned, the drive rebuilds: its block has ended, its rebuild is news.
    tool("drive", "array1", "1", "0", "restore");
    String restored = mail(2);
    assertTrue(restored.startsWith(
        "diskarray array1: drive 1/0 of RAID group 0 rebuilding\n"), restored);
    assertTrue(restored.contains("\nEnded:\n  drive 1/0 of RAID group 0 back in service\n"),
        restored);
    waitFor("the program's second run", () -> lines(programRuns).size() == 2);
    waitFor("the restore's trap", () -> traps(trapLog).size() == 3);
    assertEquals("array1|drive-restored|drive 1/0 of RAID group 0", traps(trapLog).get(2));
    groups = tool("rg", "list", "array1");
    assertTrue(groupRow(groups).matches(".* rebuilding \\d+%"), groups);

    // A day later the rebuild is long over: the group's recovery.
    TestClock.advance(24L * 3600 * 1000);
    String recovered = mail(3);
    assertTrue(recovered.startsWith("diskarray array1: RAID group 0 recovered (and 1 more)\n"),
        recovered);
    assertTrue(recovered.contains(
        "\nEnded:\n  RAID group 0 recovered\n  drive 1/0 of RAID group 0 rebuilt\n"), recovered);
    assertTrue(recovered.contains("\nThe unit has no alerts now.\n"), recovered);
    waitFor("the program's run for the recovery", () -> lines(programRuns).size() == 3);
    waitFor("the recovery's traps", () -> traps(trapLog).size() == 5);
    assertEquals(List.of("array1|drive-rebuilt|drive 1/0 of RAID group 0",
        "array1|group-recovered|RAID group 0"), traps(trapLog).subList(3, 5));
    assertTrue(tool("status", "array1").contains("ok: "));

    // Nothing is told twice: the monitor stops, and two more rounds find
    // nothing new or ended.
    monitor.destroy();
    assertTrue(monitor.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("monitor"));
    for (String name : List.of("once", "once again")) {
      Process once = startTool(name, Map.of(), "monitor", "--once");
      assertTrue(once.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output(name));
      assertEquals(0, once.exitValue(), output(name));
    }
    assertEquals(3, mailCount());
    assertEquals(3, lines(programRuns).size());
    assertEquals(5, traps(trapLog).size(), read(trapLog));
    assertEquals(3, count("application.log", "monitor: array1: mail sent: "));
  }

  @Test
  void twoMonitorsOnOneStationSendOneMail() throws Exception {
    tool("drive", "array1", "0", "0", "block");
    Process one = startTool("one", Map.of(), "monitor", "--once");
    Process two = startTool("two", Map.of(), "monitor", "--once");
    assertTrue(one.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("one"));
    assertTrue(two.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("two"));
    assertEquals(0, one.exitValue(), output("one"));
    assertEquals(0, two.exitValue(), output("two"));

    assertTrue(mail(1).startsWith("diskarray array1: drive 0/0 of RAID group 0 blocked"));
    assertEquals(1, mailCount(), () -> "one mail only, got " + mailCount());
    assertEquals(1, lines(programRuns).size());
    // A third run finds nothing new.
    Process three = startTool("three", Map.of(), "monitor", "--once");
    assertTrue(three.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("three"));
    assertEquals(0, three.exitValue(), output("three"));
    assertEquals(1, mailCount());
  }

  @Test
  void aMailServerThatIsDownIsLoggedOnceAndTheMailFollowsWhenItIsBack() throws Exception {
    String port = read(mailDirectory.resolve("port")).trim();
    int closed;
    try (ServerSocket socket = new ServerSocket(0, 1, InetAddress.getLoopbackAddress())) {
      closed = socket.getLocalPort();
    }
    tool("mail", "set", "--smtp", "127.0.0.1:" + closed);
    startTool("monitor", Map.of(), "monitor", "--interval", "1");
    tool("drive", "array1", "0", "0", "block");

    // Three failed rounds (the station logs each attempt), one monitor line.
    waitFor("three failed attempts", () -> count("error.log", "127.0.0.1:" + closed) >= 3);
    assertEquals(1, count("error.log", "monitor: mail cannot be sent"),
        read(station.resolve("error.log")));
    assertEquals(1, lines(programRuns).size(), "the program ran at once, mail or not");

    tool("mail", "set", "--smtp", "127.0.0.1:" + port);
    assertTrue(mail(1).startsWith("diskarray array1: drive 0/0 of RAID group 0 blocked"));
    waitFor("the recovery line",
        () -> count("application.log", "monitor: mail is sent again") == 1);
    assertEquals(1, mailCount());
  }

  @Test
  void aRestartingUnitDelaysTheRoundAndEndsNothing() throws Exception {
    // The station's clock stands still while the unit restarts, so it stays
    // not ready until the test moves the clock on.
    Path clock = scratch.resolve("clock");
    long now = System.currentTimeMillis();
    Files.writeString(clock, Long.toString(now));
    Map<String, String> environment = Map.of("KX_CLOCK_FILE", clock.toString());
    Process reboot = startTool("reboot", environment, "reboot", "array1", "--yes");
    assertTrue(reboot.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("reboot"));
    assertEquals(0, reboot.exitValue(), output("reboot"));

    startTool("monitor", environment, "monitor", "--interval", "1");
    waitFor("the monitor's note of the restarting unit", () -> count("error.log",
        "monitor: array1: alerts not checked, tried again soon") == 1);
    Files.writeString(clock, Long.toString(now + 3_600_000));
    Process block = startTool("block", environment, "drive", "array1", "2", "0", "block");
    assertTrue(block.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS), output("block"));
    assertEquals(0, block.exitValue(), output("block"));
    assertTrue(mail(1).startsWith("diskarray array1: drive 2/0 of RAID group 0 blocked"));
  }

  /** Another program holding the station's write lock until its input closes. */
  private Process holdStationLock(String name) throws IOException {
    Process holder = new ProcessBuilder("sqlite3", station.resolve("station.db").toString())
        .redirectErrorStream(true)
        .redirectOutput(scratch.resolve(name + ".out").toFile())
        .start();
    monitors.add(holder);
    holder.getOutputStream().write("BEGIN IMMEDIATE;\n".getBytes(StandardCharsets.UTF_8));
    holder.getOutputStream().flush();
    return holder;
  }

  private static void release(Process holder) throws Exception {
    holder.getOutputStream().close();
    assertTrue(holder.waitFor(DEADLINE_MS, TimeUnit.MILLISECONDS));
  }

  @Test
  void aBusyStationDelaysTheMonitorAndEndsNothing() throws Exception {
    // Locked longer than the station waits (0x1009), first while the
    // monitor opens the station, then while it checks the unit.
    Process holder = holdStationLock("holder");
    startTool("monitor", Map.of(), "monitor", "--interval", "1");
    waitFor("the monitor's note of the busy station",
        () -> output("monitor").contains("is busy; waiting for it"));
    release(holder);
    waitFor("the monitor's start", () -> count("application.log", "monitor started") == 1);

    holder = holdStationLock("second holder");
    waitFor("the monitor's note of the unit not checked", () -> count("error.log",
        "monitor: array1: alerts not checked, tried again soon") == 1);
    assertTrue(count("error.log", "0x1009") >= 1, read(station.resolve("error.log")));
    release(holder);

    tool("drive", "array1", "2", "0", "block");
    assertTrue(mail(1).startsWith("diskarray array1: drive 2/0 of RAID group 0 blocked"));
  }
}
