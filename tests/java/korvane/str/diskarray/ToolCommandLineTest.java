package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.runJava;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.InputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import korvane.str.diskarray.TestStation.JavaRun;
import korvane.str.diskarray.cli.DiskArrayTool;
import korvane.str.diskarray.cli.StationLocation;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The tool's command line as scripts and operators meet it: strict numbers
 * and dates, unknown options, '--', confirmation of destructive commands,
 * JSON and tab-separated output, passwords from standard input, the default
 * station, and applying a RAID group and LU configuration file.
 */
class ToolCommandLineTest {
  @TempDir Path scratch;

  private Path station() {
    return scratch.resolve("station");
  }

  /** Runs the tool in this JVM with the given standard input (never a terminal). */
  private JavaRun run(String input, String... args) {
    List<String> all = new ArrayList<>(List.of("--station", station().toString()));
    all.addAll(List.of(args));
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    ByteArrayOutputStream err = new ByteArrayOutputStream();
    InputStream in = new ByteArrayInputStream(input.getBytes(StandardCharsets.UTF_8));
    int status = DiskArrayTool.run(all.toArray(new String[0]), in,
        new PrintStream(out, true, StandardCharsets.UTF_8),
        new PrintStream(err, true, StandardCharsets.UTF_8));
    return new JavaRun(status, out.toString(StandardCharsets.UTF_8),
        err.toString(StandardCharsets.UTF_8));
  }

  private JavaRun expect(int status, String... args) {
    JavaRun result = run("", args);
    assertEquals(status, result.status, () -> String.join(" ", args) + "\n" + result);
    return result;
  }

  private String ok(String... args) {
    return expect(0, args).stdout;
  }

  private Object json(String... args) {
    return Json.parse(ok(args));
  }

  @SuppressWarnings("unchecked")
  private static Map<String, Object> object(Object value) {
    return (Map<String, Object>) value;
  }

  @SuppressWarnings("unchecked")
  private static List<Object> array(Object value) {
    return (List<Object>) value;
  }

  private static int number(Object value) {
    return ((Number) value).intValue();
  }

  @Test
  void numbersAreDecimalAndDatesMustExist() {
    ok("add", "u1", "--alert", "010", "--kx-type", "0x10");
    Map<String, Object> unit = object(json("show", "u1", "--json"));
    assertEquals(10, number(unit.get("alert")), "a leading zero is not octal");
    assertEquals(16, number(unit.get("kx_type")), "unit codes keep their 0x form");

    // Port 01 and row 010 are one and ten; no other base is taken.
    ok("rg", "add", "u1", "--level", "5", "--port", "01", "--row", "010", "--width", "3");
    Map<String, Object> group = object(array(json("rg", "list", "u1", "--json")).get(0));
    assertEquals(1, number(group.get("port")));
    assertEquals(10, number(group.get("row")));
    for (String bad : new String[] {"0x1", "+1", "1.0", " 1", "1e1", ""}) {
      JavaRun refused = expect(2, "lu", "add", "u1", "--rg", "0", "--capacity", "10",
          "--number", bad);
      assertTrue(refused.stderr.contains("decimal"), refused::toString);
    }

    expect(2, "clock", "u1", "set", "2030-02-30 00:00:00");
    expect(2, "clock", "u1", "set", "2031-02-29 12:00:00");
    expect(2, "clock", "u1", "set", "2030-01-01 24:00:00");
    assertTrue(ok("clock", "u1", "set", "2032-02-29 12:00:00").startsWith("2032-02-29 12:00:0"));
  }

  @Test
  void optionsAreCheckedPerCommandAndDoubleDashEndsThem() {
    JavaRun unknown = expect(2, "list", "--bogus");
    assertTrue(unknown.stderr.startsWith("diskarray: unknown option '--bogus'"), unknown::toString);
    // --raw belongs to stats and to the commands that write JSON; --json is a flag of
    // list, not an option with a value.
    assertTrue(expect(2, "add", "u9", "--raw").stderr.contains("unknown option '--raw'"));
    expect(2, "list", "--json", "extra");
    expect(2, "rg", "add", "u1", "--level", "5", "--level", "6", "--port", "0", "--row", "0",
        "--width", "3");
    assertTrue(expect(2, "rg").stderr.contains("'rg' needs a subcommand"));
    assertTrue(expect(2, "lu", "frob", "u1").stderr.contains("unknown command 'lu frob'"));
    assertTrue(expect(2, "--station", "", "list").stderr.contains("--station"));
    assertFalse(Files.exists(station()), "a refused command line created the station");

    // Per-command help names that command's options, not every command's.
    JavaRun help = expect(0, "rg", "add", "--help");
    assertTrue(help.stdout.contains("--level") && help.stdout.contains("--width"), help::toString);
    assertFalse(help.stdout.contains("micro") || help.stdout.contains("--mode"), help::toString);
    assertEquals(help.stdout, ok("help", "rg", "add"));
    assertTrue(ok("--version").startsWith("diskarray "));
    String completion = ok("completion");
    assertTrue(completion.contains("complete") && completion.contains("delete-all"));

    // A name that starts with a dash follows '--'; options after it are operands.
    ok("add", "--", "-dash");
    assertEquals("-dash", object(json("show", "--json", "--", "-dash")).get("unit_name"));
    expect(2, "show", "--", "-dash", "--json");
  }

  @Test
  void refusalsSayWhatIsWrong() throws Exception {
    ok("add", "u1");
    // The station has one code for both shape faults; the tool says which one it is.
    JavaRun width = expect(1, "rg", "add", "u1", "--level", "6", "--port", "0", "--row", "0",
        "--width", "3");
    assertTrue(width.stderr.contains("width 3 does not suit RAID 6") && width.stderr.contains("0x101B"),
        width::toString);
    JavaRun fit = expect(1, "rg", "add", "u1", "--level", "5", "--port", "0", "--row", "13",
        "--width", "3", "--depth", "3");
    assertTrue(fit.stderr.contains("does not fit the slots") && fit.stderr.contains("row 15"),
        fit::toString);
    JavaRun empty = expect(1, "drive", "u1", "14", "14", "block");
    assertTrue(empty.stderr.contains("no drive is mounted at port 14, row 14"), empty::toString);
    assertFalse(empty.stderr.contains("group"), empty::toString);

    // --rows grows by rows, --depth names the total; one of them, not both.
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    assertTrue(ok("rg", "expand", "u1", "0", "--rows", "2").startsWith("RAID group 0 now 3 rows"));
    assertTrue(ok("rg", "expand", "u1", "0", "--depth", "4").startsWith("RAID group 0 now 4 rows"));
    expect(2, "rg", "expand", "u1", "0", "--rows", "1", "--depth", "6");
    expect(2, "rg", "expand", "u1", "0");

    // A blocked drive is "blocked" in the drive table as in the map and the command.
    assertEquals("block the drive at port 1, row 0: blocked\n",
        ok("drive", "u1", "1", "0", "block"));
    assertTrue(ok("drives", "u1").contains("\n1     0    blocked "), () -> ok("drives", "u1"));

    JavaRun tooLong = expect(2, "add", "n".repeat(17));
    assertTrue(tooLong.stderr.contains("is refused: it has 17 bytes, at most 16"), tooLong::toString);

    // File problems in words, not Java exception names.
    Path file = Files.writeString(scratch.resolve("plain-file"), "x");
    List<String> args = List.of("--station", file.toString(), "list");
    ByteArrayOutputStream err = new ByteArrayOutputStream();
    int status = DiskArrayTool.run(args.toArray(new String[0]), InputStream.nullInputStream(),
        new PrintStream(new ByteArrayOutputStream(), true, StandardCharsets.UTF_8),
        new PrintStream(err, true, StandardCharsets.UTF_8));
    String message = err.toString(StandardCharsets.UTF_8);
    assertEquals(1, status, message);
    assertTrue(message.contains("not a directory") && !message.contains("Exception"), message);
  }

  @Test
  void destructiveCommandsNeedYesWhenNotOnATerminal() {
    ok("add", "u1");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "100");

    for (String[] args : new String[][] {
      {"lu", "delete-all", "u1"}, {"rg", "delete-all", "u1"}, {"user", "delete-all", "u1"},
      {"delete", "u1"}}) {
      JavaRun refused = expect(2, args);
      assertTrue(refused.stderr.contains("--yes"), refused::toString);
    }
    assertEquals(1, array(json("lu", "list", "u1", "--json")).size());
    assertEquals(1, array(json("list", "--json")).size());

    // Formatting an unformatted LU asks nothing; formatting it again does.
    ok("format", "u1", "0", "--mode", "quick");
    expect(2, "format", "u1", "0", "--mode", "quick");
    assertTrue(ok("format", "u1", "0", "--mode", "quick", "--yes").endsWith("formatted LU 0\n"));
    // Following a format that is done shows it complete; it starts nothing.
    assertTrue(ok("lu", "wait", "u1", "0").contains("] 100%"));
    assertTrue(ok("format", "u1", "0", "--wait").contains("] 100%"));

    // Another client starts a format; the tool re-attaches and follows it to the end.
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "400");
    try {
      TestStation.open(station());
      DiskArrayUtilityJNI.KX_LogicalUnitFormat("u1", 1, 0);
    } catch (Exception e) {
      throw new AssertionError(e);
    }
    String followed = ok("lu", "wait", "u1", "1");
    List<Integer> percents = new ArrayList<>();
    for (String line : followed.split("\n")) {
      if (line.startsWith("[")) {
        percents.add(Integer.parseInt(line.replaceAll("^.*\\] +(\\d+)%.*$", "$1")));
      }
    }
    assertTrue(percents.get(0) < 100, followed);
    assertEquals(100, percents.get(percents.size() - 1), followed);
    assertTrue(followed.endsWith("formatted LU 1\n"), followed);
    assertFalse(followed.contains("started"), "following started a format:\n" + followed);
    expect(1, "lu", "wait", "u1", "5");

    ok("lu", "delete-all", "u1", "--yes");
    assertEquals(0, array(json("lu", "list", "u1", "--json")).size());
    ok("delete", "u1", "--yes");
    assertEquals(0, array(json("list", "--json")).size());
  }

  @Test
  void jsonAndTabSeparatedOutputReadBackAsTheRecords() throws Exception {
    // Quotes, backslashes and control characters survive the JSON text.
    ok("add", "u1", "--group", "a\"b\\c\td", "--address0", "10.0.0.1");
    ok("rg", "add", "u1", "--level", "1", "--port", "2", "--row", "3", "--width", "2");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "150", "--controller", "1",
        "--staging", "off");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "50");
    TestStation.open(station());

    Map<String, Object> unit = object(array(json("list", "--json")).get(0));
    assertEquals("a\"b\\c\td", unit.get("group_name"));
    assertEquals("10.0.0.1", unit.get("ctl0"));

    RaidGroup read = DiskArrayUtilityJNI.KX_GetRaidGroups("u1")[0];
    Map<String, Object> group = object(array(json("rg", "list", "u1", "--json")).get(0));
    assertEquals(read.level, number(group.get("level")));
    assertEquals(read.lastLBA, number(group.get("lastLBA")));
    assertEquals(read.lumaxcapa, number(group.get("lumaxcapa")));

    Map<String, Object> shown = object(json("lu", "show", "u1", "0", "--json"));
    Map<String, Object> lu = object(shown.get("lu"));
    assertEquals(150, number(lu.get("capacity")));
    assertEquals(2, number(lu.get("staging")));
    assertEquals(1, number(lu.get("defaultCTL")));
    assertNull(shown.get("format"), "an LU not formatting has no progress");

    // Headerless rows, one per LU, cells as the table shows them.
    String[] rows = ok("lu", "list", "u1", "--tsv").split("\n");
    assertEquals(2, rows.length, String.join("\n", rows));
    assertEquals(List.of("0", "0", "RAID 1", "150", "off", "1", "unformatted", "yes"),
        List.of(rows[0].split("\t")));
    assertEquals(ok("list", "--tsv"), ok("show", "u1", "--tsv"), "one unit, one row");
    ok("add", "empty");
    assertEquals("", ok("lu", "list", "empty", "--tsv"), "an empty table prints nothing");

    // The snapshot holds the same records as the single reads, the LUs in use only.
    Map<String, Object> snapshot = object(json("snapshot", "u1"));
    assertEquals(2, array(snapshot.get("lu")).size());
    Map<String, Object> first = object(array(snapshot.get("lu")).get(0));
    assertEquals(150, number(first.get("capacity")));
    Path file = scratch.resolve("snapshot.json");
    ok("snapshot", "u1", "--json", file.toString());
    assertEquals(snapshot, Json.parse(Files.readString(file)));

    // The read commands that print text give it as JSON too.
    assertEquals(Boolean.TRUE, object(json("ready", "u1", "--json")).get("ready"));
    List<Object> trace = array(object(json("trace", "u1", "--json")).get("trace"));
    assertEquals(DiskArrayUtilityJNI.KX_GetTraceText("u1", 0x3F, 0, 0).split("\n").length,
        trace.size());
    Path text = scratch.resolve("note.txt");
    Files.writeString(text, "first \"line\"\nsecond\n");
    assertEquals("first \"line\"\nsecond\n",
        object(json("file", "show", text.toString(), "--json")).get("text"));
    ok("mail", "append", "u1", "call the lab");
    assertEquals("call the lab", object(json("mail", "append", "u1", "--json")).get("text"));
    ok("log", "app");
    assertEquals("app", object(json("log", "app", "--json")).get("log"));
    Map<String, Object> wizard = object(json("wizard", "show", "u1", "--json"));
    assertEquals(2, array(wizard.get("lan_conf")).size());
  }

  @Test
  void jsonLeavesOutUnusedSlotsNamesValuesAndRawKeepsTheRecords() throws Exception {
    ok("add", "u1");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "10G");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "100", "--number", "7");
    TestStation.open(station());

    // Tables hold the entries in use; an entry without a number of its own says
    // where it stood; states are named beside their numbers.
    Map<String, Object> snapshot = object(json("snapshot", "u1"));
    List<Object> lus = array(snapshot.get("lu"));
    assertEquals(2, lus.size());
    Map<String, Object> seven = object(lus.get(1));
    assertEquals(7, number(seven.get("luNumber")));
    assertEquals(DiskArrayConstants.KX_LU_UNFORMATTED, number(seven.get("status")));
    assertEquals("unformatted", seven.get("status_name"));
    assertEquals("raid5", seven.get("raid_level_name"));
    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus("u1");
    List<Integer> mounted = new ArrayList<>();
    for (int slot = 0; slot < drives.length; slot++) {
      if (drives[slot].mount != 0) {
        mounted.add(slot);
      }
    }
    assertEquals(mounted.size(), array(snapshot.get("drive_status")).size());
    List<Integer> identitySlots = new ArrayList<>();
    for (Object identity : array(snapshot.get("drive_info"))) {
      identitySlots.add(number(object(identity).get("index")));
    }
    assertEquals(mounted, identitySlots, "identities keep the slots they describe");
    Map<String, Object> raw = object(json("snapshot", "u1", "--raw"));
    assertEquals(512, array(raw.get("lu")).size());
    Map<String, Object> unused = object(array(raw.get("lu")).get(1));
    assertEquals(-1, number(unused.get("luNumber")));
    assertFalse(unused.containsKey("status_name"), "--raw names nothing");

    // Bytes read unsigned: LU 7 is the top bit of the first byte of a host's LU map.
    ok("security", "allow", "u1", "0", "1", "10000000C9000001", "7");
    List<Object> permissions =
        array(object(json("security", "show", "u1", "0", "1", "--json")).get("permission"));
    assertEquals(1, permissions.size());
    Map<String, Object> permission = object(permissions.get(0));
    assertEquals(0, number(permission.get("index")));
    assertEquals(128, number(array(permission.get("lun_security_bitmap")).get(0)));
    List<Object> slots = array(object(json("security", "show", "u1", "0", "1", "--json",
        "--raw")).get("permission"));
    assertEquals(128, slots.size());
    assertEquals(-128, number(array(object(slots.get(0)).get("lun_security_bitmap")).get(0)));
    // Option words name the bits they have set.
    ok("options", "set", "u1", "0", "1", "0", "option=0x8005");
    assertTrue(ok("options", "show", "u1", "0", "1", "0").contains(
        "option 0x8005 (bits 0, 2, 15), option2 0x0,0x0"));
    Map<String, Object> options = object(json("options", "show", "u1", "0", "1", "0", "--json"));
    assertEquals(0x8005, number(options.get("option")));
    assertEquals(List.of(0, 2, 15), array(options.get("option_bits")).stream()
        .map(bit -> number(bit)).collect(java.util.stream.Collectors.toList()));
    // Every command that writes JSON takes --raw.
    assertEquals(object(json("show", "u1", "--json")), object(json("show", "u1", "--json",
        "--raw")));

    // Sizes read rounded; -p (--bytes), --tsv and JSON keep the exact numbers.
    assertTrue(ok("lu", "list", "u1").matches(
        "(?s)LU +RG +LEVEL +SIZE .*\n0 +0 +RAID 5 +10\\.0G .*\n7 +0 +RAID 5 +100M .*"));
    String exact = ok("-p", "lu", "list", "u1");
    assertTrue(exact.matches("(?s)LU +RG +LEVEL +MB .*\n0 +0 +RAID 5 +10240 .*"), exact);
    assertEquals(exact, ok("lu", "list", "u1", "--bytes"));
    assertTrue(ok("lu", "show", "u1", "0").contains("capacity              10.0G\n"));
    assertTrue(ok("lu", "show", "-p", "u1", "0").contains("capacity              10240 MB\n"));
    assertTrue(ok("lu", "expand", "u1", "7", "1023M").contains("LU 7 now 1023M"));
    assertTrue(ok("lu", "expand", "u1", "7", "1536").contains("LU 7 now 1.50G"));
    assertEquals(1536, number(object(object(json("lu", "show", "u1", "7", "--json"))
        .get("lu")).get("capacity")));
    RaidGroup group = DiskArrayUtilityJNI.KX_GetRaidGroups("u1")[0];
    String rows = ok("rg", "list", "u1", "--tsv");
    assertTrue(rows.startsWith("0\tRAID 5\t0-2\t0\t" + group.minimum_capa + "\t" + group.lastLBA
        + "\t" + group.lumaxcapa + "\t"), rows);
  }

  @Test
  void sizesRoundToThreeDigitsUnderTheLargestSuffix() {
    ok("add", "u1");
    // 60 drives of 139236 MB: 8354160 MB, 7.97 TB.
    ok("rg", "add", "u1", "--level", "0", "--port", "0", "--row", "0", "--width", "4",
        "--depth", "15");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "1047552");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "1048524");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "99");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "1000");
    assertTrue(ok("rg", "list", "u1").matches("(?s).*\n0 +RAID 0 +0-3 +0-14 +136G +7\\.97T .*"));
    String[] rows = ok("lu", "list", "u1").split("\n");
    // 1023 GB stays in G; 1023.95 GB rounds up into the next suffix.
    assertTrue(rows[1].matches("0 +0 +RAID 0 +1023G .*"), rows[1]);
    assertTrue(rows[2].matches("1 +0 +RAID 0 +1\\.00T .*"), rows[2]);
    assertTrue(rows[3].matches("2 +0 +RAID 0 +99\\.0M .*"), rows[3]);
    assertTrue(rows[4].matches("3 +0 +RAID 0 +1000M .*"), rows[4]);
    assertTrue(ok("lu", "list", "u1", "-p").split("\n")[2].matches("1 +0 +RAID 0 +1048524 .*"));
  }

  @Test
  void refusalsNameTheValueTheyAreAbout() {
    ok("add", "u1", "--ctl0", "10.0.0.5");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "100");

    // Of several LUs, the one the unit does not have.
    for (String[] args : new String[][] {
      {"format", "u1", "0", "9"}, {"lu", "unify", "u1", "0", "9"}, {"lu", "wait", "u1", "9"}}) {
      JavaRun refused = expect(1, args);
      assertTrue(refused.stderr.contains("'u1' has no LU 9"), refused::toString);
      assertFalse(refused.stderr.contains("no LU 0"), refused::toString);
    }
    assertTrue(expect(1, "format", "u1", "0", "9").stderr.contains("(error 4127 (0x101F)"));

    // The one code of a refused LAN setting, said as the address it is about.
    ok("lan", "set", "u1", "0", "gateway=10.0.0.1");
    String[][] wrong = {
      {"ip=10.0.0.255", "ip 10.0.0.255 is the broadcast address of subnet 255.255.255.0"},
      {"ip=10.0.0.0", "ip 10.0.0.0 is the network address"},
      {"subnet=255.0.255.0", "subnet 255.0.255.0 is not a mask of 1 to 30 contiguous bits"},
      {"subnet=255.255.255.254", "not a mask of 1 to 30"},
      {"gateway=10.1.0.1", "gateway 10.1.0.1 is outside the subnet of 10.0.0.5/255.255.255.0"},
      {"gateway=10.0.0.5", "gateway 10.0.0.5 is not another host"},
      {"ip=10.0.0.300", "ip '10.0.0.300' is not a dotted quad"},
    };
    for (String[] setting : wrong) {
      JavaRun refused = expect(1, "lan", "set", "u1", "0", setting[0]);
      assertTrue(refused.stderr.contains(setting[1]), refused::toString);
    }
    // A parameter group's one code, said as the field it is about.
    String[][] parameters = {
      {"tuning", "def_mode=9", "def_mode=9 is outside 0..2 (error 4611"},
      {"tuning", "reserve_buf_size=45 current_buf_size=40",
        "reserve_buf_size=45 is larger than current_buf_size=40"},
      {"threshold", "drive_recover=70000", "drive_recover=70000 is outside 0..65535"},
      {"restoration", "mode=1 interval=5000", "interval=5000 is outside 0..1000"},
      {"online-tuning", "def_lun=300", "the station refuses def_lun=300"},
      {"online-system", "ctl[1].error_out=5", "ctl[1].error_out=5 is outside 0..1"},
      {"online-tuning", "lu[3].pre_start=99", "lu[3].pre_start=99 is outside 0..64"},
    };
    for (String[] setting : parameters) {
      List<String> args = new ArrayList<>(List.of("params", "set", "u1", setting[0]));
      args.addAll(List.of(setting[1].split(" ")));
      JavaRun refused = expect(1, args.toArray(new String[0]));
      assertTrue(refused.stderr.contains(setting[2]), refused::toString);
    }
    assertTrue(expect(1, "identity", "set", "u1", "equipment_id=AB-1").stderr
        .contains("the station refuses equipment_id=AB-1 (error 4616"));
    // A text the field cannot hold is not taken for a success.
    assertTrue(expect(1, "identity", "set", "u1", "equipment_id=LONGER").stderr
        .contains("equipment_id was stored cut to \"LONG\" (asked \"LONGER\")"));
    assertTrue(ok("lan", "show", "u1").matches("(?s).*\n0 +off +10\\.0\\.0\\.5 +255\\.255\\.255\\.0"
        + " +10\\.0\\.0\\.1 .*"), "a refused setting changed the LAN");
  }

  @Test
  void everyTableForScriptsIsRowsOfOneWidth() {
    ok("add", "u1");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "64");
    ok("hostgroup", "add", "u1", "db", "--controller", "0", "--port", "1", "--number", "1");
    ok("wwn", "add", "u1", "1000000000000001", "--controller", "0", "--port", "1", "--hg", "1");
    ok("map", "add", "u1", "0", "0", "--controller", "0", "--port", "1", "--hg", "1");
    String[][] tables = {
      {"list"}, {"show", "u1"}, {"labels"}, {"user", "list", "u1"}, {"whoami", "u1"},
      {"drives", "u1"}, {"rg", "list", "u1"}, {"lu", "list", "u1"}, {"lan", "show", "u1"},
      {"port", "list", "u1"}, {"hostgroup", "list", "u1"}, {"wwn", "list", "u1"},
      {"map", "list", "u1", "--controller", "0", "--port", "1", "--hg", "1"},
    };
    for (String[] table : tables) {
      List<String> args = new ArrayList<>(List.of(table));
      args.add("--tsv");
      String out = ok(args.toArray(new String[0]));
      String[] lines = out.isEmpty() ? new String[0] : out.split("\n", -1);
      for (int i = 0; i < lines.length - 1; i++) {
        // A note or heading among the rows breaks a script that splits them.
        assertEquals(lines[0].split("\t", -1).length, lines[i].split("\t", -1).length,
            () -> args + ":\n" + out);
      }
      assertTrue(out.isEmpty() || out.endsWith("\n"), () -> args + ":\n" + out);
    }
  }

  @Test
  void passwordsComeFromStandardInput() {
    ok("add", "u1");
    JavaRun added = run("Secret-1\n", "user", "add", "u1", "admin", "--password-stdin");
    assertEquals(0, added.status, added::toString);
    JavaRun wrong = run("wrong-1\n", "login", "u1", "admin", "--password-stdin");
    assertEquals(1, wrong.status, wrong::toString);
    JavaRun login = run("Secret-1\r\n", "login", "u1", "admin", "--password-stdin");
    assertEquals(0, login.status, login::toString);
    assertTrue(login.stdout.startsWith("logged in as admin"), login::toString);

    // Changing an account reads the old password, then the new one.
    JavaRun change = run("Secret-1\nSecret-2\n", "user", "change", "u1", "admin", "root",
        "--password-stdin");
    assertEquals(0, change.status, change::toString);
    assertEquals(0, run("Secret-2\n", "login", "u1", "root", "--password-stdin").status);

    // Or from the environment, in a JVM of its own.
    TestStation.JavaRun fromEnvironment;
    try {
      fromEnvironment = runJava(scratch.resolve("logs"), Map.of("DISKARRAY_PASSWORD", "Secret-3"),
          "korvane.str.diskarray.cli.DiskArrayTool", "--station", station().toString(),
          "user", "add", "u1", "guest");
    } catch (Exception e) {
      throw new AssertionError(e);
    }
    assertEquals(0, fromEnvironment.status, fromEnvironment::toString);
    ok("logout", "u1");
    assertEquals(0, run("Secret-3\n", "login", "u1", "guest", "--password-stdin").status);

    // Input that ends early is a usage error; so is no password at all off a terminal.
    JavaRun cut = run("", "login", "u1", "root", "--password-stdin");
    assertEquals(2, cut.status, cut::toString);
    JavaRun none = run("Secret-2\n", "login", "u1", "root");
    assertEquals(2, none.status, none::toString);
    assertTrue(none.stderr.contains("--password-stdin") && none.stderr.contains("DISKARRAY_PASSWORD"),
        none::toString);
  }

  @Test
  void theDefaultStationIsPerUser() throws Exception {
    Map<String, String> env = new LinkedHashMap<>();
    assertEquals(Paths.get("/home/op/.local/share/diskarray/station"),
        StationLocation.defaultDirectory(env, "Linux", "/home/op"));
    env.put("XDG_DATA_HOME", "relative/data");
    assertEquals(Paths.get("/home/op/.local/share/diskarray/station"),
        StationLocation.defaultDirectory(env, "Linux", "/home/op"), "a relative one is ignored");
    env.put("XDG_DATA_HOME", "/data");
    assertEquals(Paths.get("/data/diskarray/station"),
        StationLocation.defaultDirectory(env, "Linux", "/home/op"));
    env.put("LOCALAPPDATA", "C:\\Users\\op\\AppData\\Local");
    assertEquals(Paths.get("C:\\Users\\op\\AppData\\Local", "diskarray", "station"),
        StationLocation.defaultDirectory(env, "Windows 10", "C:\\Users\\op"));
    env.put(StationLocation.ENVIRONMENT, "/srv/station");
    assertEquals(Paths.get("/srv/station"),
        StationLocation.defaultDirectory(env, "Linux", "/home/op"));

    // A tool started without --station keeps its station under XDG_DATA_HOME,
    // not in its working directory.
    Path data = scratch.resolve("data");
    Path work = Files.createDirectories(scratch.resolve("work"));
    Map<String, String> child = Map.of("XDG_DATA_HOME", data.toString(),
        StationLocation.ENVIRONMENT, "");
    TestStation.JavaRun run = TestStation.runJavaIn(work, scratch.resolve("logs"), child,
        "korvane.str.diskarray.cli.DiskArrayTool", "add", "u1");
    assertEquals(0, run.status, run::toString);
    assertTrue(Files.exists(data.resolve("diskarray/station/station.db")), run::toString);
    try (var entries = Files.list(work)) {
      assertEquals(0, entries.count(), "the working directory stays empty");
    }
  }

  @Test
  void theDefaultStationFollowsHome() throws Exception {
    // $HOME, not the password database's home (Java's user.home), places the station.
    Path home = scratch.resolve("home");
    Map<String, String> child = Map.of("HOME", home.toString(), "XDG_DATA_HOME", "",
        StationLocation.ENVIRONMENT, "");
    TestStation.JavaRun run = runJava(scratch.resolve("logs"), child,
        "korvane.str.diskarray.cli.DiskArrayTool", "add", "u1");
    assertEquals(0, run.status, run::toString);
    assertTrue(Files.exists(home.resolve(".local/share/diskarray/station/station.db")),
        run::toString);
    assertEquals("/home/op", StationLocation.home(Map.of("HOME", ""), "/home/op"));
  }

  @Test
  void applyingAConfigurationFileCreatesItsGroupsAndLusOrNothing() throws Exception {
    ok("add", "source");
    ok("rg", "add", "source", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("rg", "add", "source", "--level", "1", "--port", "0", "--row", "2", "--width", "2",
        "--number", "7", "--capacity", "1000");
    ok("lu", "add", "source", "--rg", "0", "--capacity", "100");
    ok("lu", "add", "source", "--rg", "7", "--capacity", "200", "--number", "5",
        "--controller", "1");
    Path file = scratch.resolve("config.txt");
    ok("config", "rglu", "export", "source", file.toString());

    ok("add", "copy");
    expect(2, "config", "rglu", "apply", "copy", file.toString());
    assertEquals(0, array(json("rg", "list", "copy", "--json")).size(), "refused, yet applied");
    assertTrue(ok("config", "rglu", "apply", "copy", file.toString(), "--yes")
        .startsWith("created RAID groups 0, 7 and LUs 0, 5 on copy"));
    assertEquals(json("rg", "list", "source", "--json"), json("rg", "list", "copy", "--json"));
    List<Object> copied = array(json("lu", "list", "copy", "--json"));
    assertEquals(2, copied.size());
    assertEquals(200, number(object(copied.get(1)).get("capacity")));
    assertEquals(1, number(object(copied.get(1)).get("defaultCTL")));

    // Applied again, group 0 exists: refused, nothing changes.
    JavaRun again = expect(1, "config", "rglu", "apply", "copy", file.toString(), "--yes");
    assertTrue(again.stderr.contains("RAID group 0 exists"), again::toString);
    assertEquals(2, array(json("lu", "list", "copy", "--json")).size());

    // A group of another number on the same drives clashes as well.
    ok("add", "taken");
    ok("rg", "add", "taken", "--level", "0", "--port", "1", "--row", "0", "--width", "2",
        "--number", "3");
    JavaRun slots = expect(1, "config", "rglu", "apply", "taken", file.toString(), "--yes");
    assertTrue(slots.stderr.contains("belongs to RAID group 3"), slots::toString);
    assertEquals(1, array(json("rg", "list", "taken", "--json")).size());

    // The station refuses a group part way (a blocked drive): what was created goes again.
    ok("add", "blocked");
    ok("drive", "blocked", "0", "2", "block");
    JavaRun refused = expect(1, "config", "rglu", "apply", "blocked", file.toString(), "--yes");
    assertTrue(refused.stderr.contains("removed again"), refused::toString);
    assertEquals(0, array(json("rg", "list", "blocked", "--json")).size());
    assertEquals(0, array(json("lu", "list", "blocked", "--json")).size());
  }

  /** Just enough JSON to read the tool's output back: objects, arrays, strings, numbers. */
  static final class Json {
    private final String text;
    private int at;

    private Json(String text) {
      this.text = text;
    }

    static Object parse(String text) {
      Json parser = new Json(text);
      Object value = parser.value();
      parser.space();
      if (parser.at != text.length()) {
        throw new AssertionError("text after the JSON value at " + parser.at + ": " + text);
      }
      return value;
    }

    private void space() {
      while (at < text.length() && Character.isWhitespace(text.charAt(at))) {
        at++;
      }
    }

    private void expect(char c) {
      space();
      if (at >= text.length() || text.charAt(at) != c) {
        throw new AssertionError("expected '" + c + "' at " + at + " of " + text);
      }
      at++;
    }

    private Object value() {
      space();
      char c = text.charAt(at);
      if (c == '{') {
        Map<String, Object> object = new LinkedHashMap<>();
        at++;
        space();
        if (text.charAt(at) == '}') {
          at++;
          return object;
        }
        do {
          space();
          String key = string();
          expect(':');
          if (object.put(key, value()) != null) {
            throw new AssertionError("key " + key + " twice");
          }
          space();
        } while (text.charAt(at++) == ',');
        if (text.charAt(at - 1) != '}') {
          throw new AssertionError("object not closed at " + at);
        }
        return object;
      }
      if (c == '[') {
        List<Object> array = new ArrayList<>();
        at++;
        space();
        if (text.charAt(at) == ']') {
          at++;
          return array;
        }
        do {
          array.add(value());
          space();
        } while (text.charAt(at++) == ',');
        if (text.charAt(at - 1) != ']') {
          throw new AssertionError("array not closed at " + at);
        }
        return array;
      }
      if (c == '"') {
        return string();
      }
      for (String word : new String[] {"null", "true", "false"}) {
        if (text.startsWith(word, at)) {
          at += word.length();
          return word.equals("null") ? null : Boolean.valueOf(word);
        }
      }
      int start = at;
      while (at < text.length() && "+-0123456789.eE".indexOf(text.charAt(at)) >= 0) {
        at++;
      }
      String number = text.substring(start, at);
      return number.matches("-?\\d+") ? (Object) Long.valueOf(number)
          : (Object) Double.valueOf(number);
    }

    private String string() {
      if (text.charAt(at) != '"') {
        throw new AssertionError("expected a string at " + at);
      }
      StringBuilder out = new StringBuilder();
      at++;
      while (text.charAt(at) != '"') {
        char c = text.charAt(at++);
        if (c < 0x20) {
          throw new AssertionError("raw control character in a string at " + at);
        }
        if (c != '\\') {
          out.append(c);
          continue;
        }
        char escaped = text.charAt(at++);
        switch (escaped) {
          case 'n': out.append('\n'); break;
          case 't': out.append('\t'); break;
          case 'r': out.append('\r'); break;
          case 'u':
            out.append((char) Integer.parseInt(text.substring(at, at + 4), 16));
            at += 4;
            break;
          default: out.append(escaped);
        }
      }
      at++;
      return out.toString();
    }
  }
}
