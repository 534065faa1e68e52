package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.assertUnit;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import korvane.str.diskarray.TestStation.JavaRun;
import korvane.str.diskarray.cli.DiskArrayTool;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The command-line tool in this JVM: its commands against a station, and its exit statuses. */
class DiskArrayToolTest {
  @TempDir Path scratch;

  private Path station() {
    return scratch.resolve("station");
  }

  private JavaRun tool(String... args) {
    return JavaRun.inProcess(station(), args);
  }

  private JavaRun succeed(String... args) {
    JavaRun result = tool(args);
    assertEquals(0, result.status, result::toString);
    return result;
  }

  @Test
  void commandsDriveTheRegistry() throws Exception {
    succeed("add", "array01", "--group", "lab", "--connect-type", "0xC8", "--kx-type=2",
        "--unit-conf", "3", "--alert", "-4", "--ctl0", "10.0.0.1", "--ctl1", "10.0.0.2");
    succeed("add", "array02");

    TestStation.open(station());
    KXUnitParam array01 = unit("array01", "lab", -56, 2, 3, -4, "10.0.0.1", "10.0.0.2");
    assertUnit(array01, DiskArrayUtilityJNI.KX_GetUnitParam("array01"));
    assertUnit(unit("array02", "", 0, 0, 0, 0, "", ""),
        DiskArrayUtilityJNI.KX_GetUnitParam("array02"));

    JavaRun show = succeed("show", "array01");
    // Stored signed, shown with the byte the option takes and what the station does with it.
    assertTrue(show.stdout.contains("connect_type  -56 (0xc8)  connection type:"),
        show::toString);
    assertTrue(show.stdout.contains("ctl1          10.0.0.2"), show::toString);

    // Options not given keep the unit's values.
    succeed("change", "array01", "--name", "array01-new", "--alert", "9");
    array01.unit_name = "array01-new";
    array01.alert = 9;
    assertUnit(array01, DiskArrayUtilityJNI.KX_GetUnitParam("array01-new"));

    succeed("delete", "array02", "--yes");
    JavaRun list = succeed("list");
    assertEquals(2, list.stdout.strip().split("\n").length, list::toString);
    assertTrue(list.stdout.contains("array01-new"), list::toString);
    assertFalse(list.stdout.contains("array02"), list::toString);

    assertEquals("(no labels)\n", succeed("labels").stdout);
    assertEquals("LU01 LUN1\n", succeed("modify-info", "LU01 LUN1", "4").stdout);
    assertEquals("LUN1 x\n", succeed("modify-info", "LU01 x", "relabel").stdout);
    JavaRun labels = succeed("labels");
    assertEquals(List.of("OLD", "NEW", "LU01", "LUN1"),
        List.of(labels.stdout.strip().split("\\s+")), labels::toString);
  }

  @Test
  void stationErrorsExitWithStatusOneAndTheCode() {
    succeed("add", "array01");

    JavaRun duplicate = tool("add", "array01");
    assertEquals(1, duplicate.status, duplicate::toString);
    assertTrue(duplicate.stderr.contains("4100 (0x1004)"), duplicate::toString);

    JavaRun missing = tool("show", "nosuch");
    assertEquals(1, missing.status, missing::toString);
    assertTrue(missing.stderr.contains("4099 (0x1003)"), missing::toString);

    JavaRun change = tool("change", "nosuch", "--alert", "1");
    assertEquals(1, change.status, change::toString);
    assertTrue(change.stderr.contains("0x1003"), change::toString);

    JavaRun badLabel = tool("modify-info", "TOOLONG X", "4");
    assertEquals(1, badLabel.status, badLabel::toString);
    assertTrue(badLabel.stderr.contains("4107 (0x100B)"), badLabel::toString);
  }

  @Test
  void usageErrorsExitWithStatusTwoBeforeTouchingTheStation() {
    String[][] misuses = {
      {},
      {"frobnicate"},
      {"add"},
      {"add", "a", "b"},
      {"add", "x", "--alert", "256"},
      {"add", "x", "--kx-type", "seven"},
      {"add", "x", "--group", "g".repeat(17)},
      {"add", "x", "--address0", "c".repeat(80)},
      {"add", "x", "--bogus", "1"},
      {"add", "x", "--name", "y"},
      {"add", "x", "--group"},
      {"show", "n".repeat(17)},
      {"delete", "ééééééééé"},
      {"change", "x"},
      {"list", "extra"},
      {"labels", "--group", "g"},
      {"modify-info", "text"},
      {"modify-info", "text", "four"},
      {"login", "array01", "admin"},
      {"login", "array01", "admin", "pw", "--controller", "2"},
      {"user", "add", "array01", "u".repeat(17), "pw"},
      {"user", "frob", "array01"},
      {"rg"},
      {"rg", "add", "array01", "--port", "0", "--row", "0", "--width", "2"},
      {"rg", "add", "array01", "--level", "5", "--port", "15", "--row", "0", "--width", "4"},
      {"rg", "delete", "array01", "45", "--yes"},
      {"lu", "add", "array01", "--rg", "0"},
      {"lu", "add", "array01", "--rg", "0", "--capacity", "10", "--staging", "fast"},
      {"lu", "expand", "array01", "512", "--capacity", "10"},
      {"lu", "expand", "array01", "1"},
      {"format", "array01"},
      {"format", "array01", "0", "0"},
      {"format", "array01", "0", "--mode", "slow"},
      {"clock", "array01", "set", "yesterday"},
      {"status", "array01", "--level", "5"},
      {"drive", "array01", "1", "0", "fix"},
      {"drive", "array01", "15", "0", "block"},
      {"alert-interval", "0"},
      {"port", "set", "array01", "--controller", "0", "--port", "0", "--speed=3"},
      {"port", "set", "array01", "--controller", "0", "--speed=2"},
      {"port", "show", "array01", "0", "--port", "0"},
      {"params", "set", "array01", "online-system", "--nosuch=1"},
      {"params", "set", "array01", "online-system", "--web-title=\"unclosed"},
      {"params", "set", "array01", "online-system", "web_title"},
      {"dump", "array01", "--controller", "2"},
      {"modepage", "sense", "array01", "f", "--control", "4"},
      {"snmp", "set", "array01", "--traps", "maybe"},
    };
    for (String[] args : misuses) {
      JavaRun result = tool(args);
      assertEquals(2, result.status, () -> String.join(" ", args) + "\n" + result);
      assertTrue(result.stderr.startsWith("diskarray: "), result::toString);
    }
    assertFalse(Files.exists(station()), "a usage error created the station");
  }

  private JavaRun fail(int status, String code, String... args) {
    JavaRun result = tool(args);
    assertEquals(status, result.status, result::toString);
    assertTrue(result.stderr.contains(code), result::toString);
    return result;
  }

  /** The map's line for a row: one character per port. */
  private static String mapRow(String status, int row) {
    for (String line : status.split("\n")) {
      if (line.startsWith(String.format("row %2d ", row))) {
        return line.substring(7).replace(" ", "");
      }
    }
    throw new AssertionError("no map row " + row + " in\n" + status);
  }

  @Test
  void arrayCommandsDriveUsersStorageAndFormatting() throws Exception {
    succeed("add", "array01", "--address0", "10.0.0.1");
    succeed("user", "add", "array01", "admin", "Secret-1");
    fail(1, "4115 (0x1013)", "login", "array01", "admin", "wrong");
    assertTrue(succeed("login", "array01", "admin", "Secret-1").stdout
        .startsWith("logged in as admin on controller 0 at "));
    assertTrue(succeed("whoami", "array01").stdout.startsWith("controller 0: admin since "));
    assertTrue(succeed("clock", "array01", "set", "2030-01-02 03:04:05").stdout
        .startsWith("2030-01-02 03:04:0"));

    // Sizes exact with -p, else rounded as the tables show them.
    assertEquals("added RAID group 0: RAID 5, 835416 MB\n", succeed("-p", "rg", "add", "array01",
        "--level", "5", "--port", "0", "--row", "0", "--width", "4", "--depth", "2").stdout);
    assertEquals("added RAID group 4: RAID 1, 279G\n", succeed("rg", "add", "array01",
        "--level", "1", "--port", "2", "--row", "2", "--width", "2", "--number", "4").stdout);
    fail(1, "0x101D", "rg", "add", "array01", "--level", "0", "--port", "1", "--row", "1",
        "--width", "2");
    assertEquals("added LU 0: 100M in RAID group 0\n",
        succeed("lu", "add", "array01", "--rg", "0", "--capacity", "100").stdout);
    succeed("lu", "add", "array01", "--rg", "4", "--capacity", "150", "--controller", "1",
        "--staging", "off");
    fail(1, "0x1022", "lu", "add", "array01", "--rg", "4", "--capacity", "286000");
    String lus = succeed("lu", "list", "array01").stdout;
    assertTrue(lus.contains("\n1   4   RAID 1  150M  off      1    unformatted  yes\n"), lus);

    // Not a terminal: whole progress lines, rising to 100%, no carriage returns.
    JavaRun format = succeed("format", "array01", "0", "1");
    assertFalse(format.stdout.contains("\r"), format::toString);
    List<Integer> percents = new ArrayList<>();
    for (String line : format.stdout.split("\n")) {
      if (line.startsWith("[")) {
        assertTrue(line.matches("\\[[#-]{30}\\] +\\d+%  \\d of 2 done.*"), line);
        percents.add(Integer.parseInt(line.replaceAll("^.*\\] +(\\d+)%.*$", "$1")));
      }
    }
    assertEquals(100, percents.get(percents.size() - 1), format::toString);
    for (int i = 1; i < percents.size(); i++) {
      assertTrue(percents.get(i) >= percents.get(i - 1), format::toString);
    }
    assertTrue(format.stdout.endsWith("formatted LUs 0, 1\n"), format::toString);
    TestStation.open(station());
    assertEquals(0, DiskArrayUtilityJNI.KX_GetLogicalUnit1("array01", 0).status);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetLogicalUnit1("array01", 1).status);

    JavaRun status = succeed("status", "array01");
    assertTrue(status.stdout.contains("RAID groups     2\n"), status::toString);
    assertTrue(status.stdout.contains("LUs             2\n"), status::toString);
    assertTrue(status.stdout.contains("drives          60 mounted in 4 enclosures"), status::toString);
    assertEquals("0000...........", mapRow(status.stdout, 0));
    assertEquals("0000...........", mapRow(status.stdout, 1));
    assertEquals("oo44...........", mapRow(status.stdout, 2));
    assertEquals("oooo...........", mapRow(status.stdout, 14));
    assertFalse(status.stdout.contains("disagree"), status::toString);

    // A blocked member shows as X; returned, it rebuilds and shows as R.
    assertEquals("block the drive at port 1, row 0: blocked\n",
        succeed("drive", "array01", "1", "0", "block").stdout);
    // status answers a degraded unit with exit status 3.
    JavaRun degraded = tool("status", "array01");
    assertEquals(3, degraded.status, degraded::toString);
    assertEquals("0X00...........", mapRow(degraded.stdout, 0));
    assertEquals("restore the drive at port 1, row 0: rebuilding\n",
        succeed("drive", "array01", "1", "0", "restore").stdout);
    JavaRun rebuilding = tool("status", "array01");
    assertEquals(3, rebuilding.status, rebuilding::toString);
    assertEquals("0R00...........", mapRow(rebuilding.stdout, 0));

    // Only the last LU can go; naming another one changes nothing.
    String before = TestStation.storageSnapshot("array01");
    fail(1, "only the last LU", "lu", "delete", "array01", "0", "--yes");
    assertEquals(before, TestStation.storageSnapshot("array01"));
    assertEquals("deleted LU 1\n", succeed("lu", "delete", "array01", "--yes").stdout);
    succeed("rg", "delete", "array01", "4", "--yes");
    assertEquals(-1, DiskArrayUtilityJNI.KX_GetRaidGroups("array01")[4].rgnum);

    succeed("logout", "array01");
    fail(1, "0x1015", "logout", "array01");
    assertEquals("controller 0: no session\n", succeed("whoami", "array01").stdout);
  }

  @Test
  void helpNeedsNoStation() {
    JavaRun help = succeed("help");
    for (String command : new String[] {"list", "show", "add", "change", "delete", "labels",
        "demo", "--station", "--connect-type", "login", "whoami", "status", "rg add", "lu add",
        "format", "--controller"}) {
      assertTrue(help.stdout.contains(command), command);
    }
    assertFalse(Files.exists(station()));
  }

  @Test
  void destructiveCommandsAskAndDryRunsChangeNothing() throws Exception {
    succeed("add", "array01");
    succeed("rg", "add", "array01", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    succeed("lu", "add", "array01", "--rg", "0", "--capacity", "64");
    succeed("hostgroup", "add", "array01", "hosts", "--controller=0", "--port=0", "--number=3");
    TestStation.open(station());
    String before = TestStation.storageSnapshot("array01");

    // No terminal here: without --yes nothing is done, and the status says usage (2).
    for (String[] line : new String[][] {
        {"lu", "delete", "array01"}, {"rg", "delete", "array01", "0"},
        {"hostgroup", "delete", "array01", "3", "--controller=0", "--port=0"},
        {"reboot", "array01"},
        {"micro", "replace", "array01"}, {"log", "err", "--clear"}}) {
      JavaRun run = tool(line);
      assertEquals(2, run.status, run::toString);
      assertTrue(run.stderr.contains("give --yes"), run::toString);
    }
    assertEquals("would delete LU 0 (the last LU of array01)\n",
        succeed("lu", "delete", "array01", "--dry-run").stdout);
    assertTrue(succeed("rg", "delete", "array01", "0", "--dry-run").stdout
        .startsWith("would delete RAID group 0 (3 ports by 1 rows"));
    assertTrue(succeed("hostgroup", "delete", "array01", "3", "--controller=0", "--port=0",
        "--dry-run").stdout
        .startsWith("would delete host groups 3 of port 0.0"));
    assertEquals(before, TestStation.storageSnapshot("array01"));
    assertTrue(succeed("hostgroup", "list", "array01").stdout.matches("(?s).*\\b3 +hosts\\b.*"));
    DiskArrayUtilityJNI.KX_TestUnitReady("array01", 0);  // not restarting: no exception

    // Expanding to a depth the group already has says so, not that the width is wrong.
    JavaRun shallow = tool("rg", "expand", "array01", "0", "--depth", "1");
    assertEquals(1, shallow.status, shallow::toString);
    assertTrue(shallow.stderr.contains("not deeper"), shallow::toString);
    assertFalse(shallow.stderr.contains("width"), shallow::toString);
  }

  @Test
  void aResetSaysWhoseSessionEnded() throws Exception {
    succeed("add", "array01");
    TestStation.open(station());
    DiskArrayUtilityJNI.KX_RegistUser("array01", 0, new KXUserRegist("admin", "Secret-1"));
    DiskArrayUtilityJNI.KX_LoginKXUnit("array01", 0, new KXUserRegist("admin", "Secret-1"));

    assertEquals("ended the session of admin on controller 0 of array01\n",
        succeed("user", "reset", "array01").stdout);
    assertEquals(0, DiskArrayUtilityJNI.KX_CheckLogin("array01", 0));
    assertEquals("controller 0 of array01 had no session; nothing to end\n",
        succeed("user", "reset", "array01").stdout);
  }

  @Test
  void everyErrorTextIsTheMeaningOfItsCode() throws Exception {
    for (java.lang.reflect.Field field : ErrorCodes.class.getFields()) {
      int code = field.getInt(null);
      String meaning = ErrorCodes.meaning(code);
      if (meaning == null) {
        continue;
      }
      // A heading of the header's blocks ("--- Area: 0x1600..0x16FF ---") is no meaning.
      assertFalse(meaning.contains("---") || meaning.matches("^0x[0-9A-Fa-f]+\\.\\..*"),
          field.getName() + ": " + meaning);
    }
    assertTrue(ErrorCodes.meaning(ErrorCodes.KXE_UNIFIED_MEMBER).startsWith("The LU belongs"));
    // A Java caller reads the meaning in the exception's message, not only its number.
    assertEquals("error 4099 (0x1003): " + ErrorCodes.meaning(ErrorCodes.KXE_UNKNOWN_UNIT),
        new DiskArrayException(ErrorCodes.KXE_UNKNOWN_UNIT).getMessage());
    assertEquals("error 1 (0x1)", new DiskArrayException(1).getMessage());
    assertTrue(ErrorCodes.meaning(ErrorCodes.ERR_NULL_ARGUMENT) != null);
  }

  @Test
  void capacitiesTakeBinarySuffixes() throws Exception {
    succeed("add", "array01");
    succeed("rg", "add", "array01", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    succeed("lu", "add", "array01", "--rg", "0", "--capacity", "1G");
    succeed("lu", "add", "array01", "--rg", "0", "--capacity", "2048K");
    succeed("lu", "expand", "array01", "1", "--capacity", "3m");
    TestStation.open(station());
    assertEquals(1024, DiskArrayUtilityJNI.KX_GetLogicalUnit1("array01", 0).capacity);
    assertEquals(3, DiskArrayUtilityJNI.KX_GetLogicalUnit1("array01", 1).capacity);
    for (String size : new String[] {"1536K", "1.5G", "10X", "0", "4096T"}) {
      JavaRun run = tool("lu", "add", "array01", "--rg", "0", "--capacity", size);
      assertEquals(2, run.status, size + ": " + run);
      assertTrue(run.stderr.contains(size), run::toString);
    }
  }

  @Test
  void aRefusedGroupNamesTheSlotAtFault() {
    succeed("add", "array01");
    succeed("rg", "add", "array01", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    succeed("drive", "array01", "3", "5", "block");
    String[][] cases = {
      {"5", "1", "0", "3", "the drive at port 1, row 0 belongs to RAID group 0"},
      {"5", "3", "1", "3", "the slot at port 4, row 1 holds no drive"},
      {"1", "2", "5", "2", "the drive at port 3, row 5 is blocked"},
    };
    for (String[] refused : cases) {
      JavaRun run = tool("rg", "add", "array01", "--level", refused[0], "--port", refused[1],
          "--row", refused[2], "--width", refused[3]);
      assertEquals(1, run.status, run::toString);
      assertTrue(run.stderr.contains(refused[4]), run::toString);
    }
  }

  @Test
  void theOverviewAndTheManualPageListWhatTheToolTakes() {
    String overview = succeed("help").stdout;
    String manual = succeed("help", "--man").stdout;
    assertTrue(manual.startsWith(".TH DISKARRAY 1 "), manual);
    int commands = 0;
    for (String line : overview.split("\n")) {
      java.util.regex.Matcher command =
          java.util.regex.Pattern.compile("^  ([a-z][a-z0-9-]*(?: [a-z][a-z0-9-]*)*)(?: |$)")
              .matcher(line);
      if (!command.find()) {
        continue;
      }
      commands++;
      String words = command.group(1);
      // Every command the overview shows is one picocli takes, and is in the page.
      List<String> asked = new ArrayList<>(List.of("help"));
      asked.addAll(List.of(words.split(" ")));
      succeed(asked.toArray(new String[0]));
      assertTrue(manual.contains(".B diskarray " + words.replace("-", "\\-")), words);
    }
    assertTrue(commands > 100, "only " + commands + " commands in the overview");
  }

  @Test
  void bashCompletesUnitRaidGroupAndLuNames() throws Exception {
    succeed("add", "array01");
    succeed("add", "backup01");
    succeed("rg", "add", "array01", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    succeed("rg", "add", "array01", "--level", "1", "--port", "0", "--row", "2", "--width", "2",
        "--number", "7");
    succeed("lu", "add", "array01", "--rg", "0", "--capacity", "64");
    succeed("lu", "add", "array01", "--rg", "7", "--capacity", "64", "--number", "5");
    succeed("hostgroup", "add", "array01", "db", "--controller", "1", "--port", "0",
        "--number", "12");
    Path script = Files.writeString(scratch.resolve("completion.bash"),
        succeed("completion").stdout);
    // The completion runs 'diskarray' from PATH: this JVM's tool, libraries and classes.
    Path bin = Files.createDirectories(scratch.resolve("bin"));
    Path tool = Files.writeString(bin.resolve("diskarray"), "#!/bin/sh\nexec '"
        + Path.of(System.getProperty("java.home"), "bin", "java") + "' -Xcheck:jni"
        + " '-Djava.library.path="
        + System.getProperty("java.library.path") + "' -cp '"
        + System.getProperty("kx.test.classpath") + "' korvane.str.diskarray.cli.DiskArrayTool"
        + " \"$@\"\n");
    tool.toFile().setExecutable(true);

    String station = station().toString();
    String[][] cases = {
      {"rg expand |", "array01 backup01"},
      {"rg expand array01 |", "0 7"},
      {"format array01 |", "0 5"},
      {"lu add array01 --rg |", "0 7"},
      {"show b|", "backup01"},
      // Option values: the words a label lists, the two controllers.
      {"format array01 0 --mode |", "full quick"},
      {"lan set array01 --controller |", "0 1"},
      {"map list array01 --controller 1 --port 0 --hg |", "0 12"},
      {"map mode array01 --switch o|", "on off"},
    };
    for (String[] entry : cases) {
      String[] words = entry[0].replace("|", "").split(" ", -1);
      StringBuilder line = new StringBuilder("COMP_WORDS=(diskarray --station '" + station + "'");
      for (String word : words) {
        line.append(" '").append(word).append("'");
      }
      line.append("); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=();"
          + " _diskarray_complete_names diskarray \"${COMP_WORDS[-1]}\" \"${COMP_WORDS[-2]}\""
          + " 2>/dev/null; echo \"${COMPREPLY[*]}\"");
      ProcessBuilder shell = new ProcessBuilder("bash", "-c", "source '" + script + "'; " + line)
          .redirectError(ProcessBuilder.Redirect.DISCARD);
      shell.environment().put("PATH", bin + ":" + System.getenv("PATH"));
      Process bash = shell.start();
      String answer = new String(bash.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
      assertEquals(0, bash.waitFor());
      assertEquals(entry[1], answer.strip(), entry[0]);
    }
  }
}
