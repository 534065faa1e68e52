package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The one option style of the tool: the spellings of 1.1 still work with one
 * warning each and do what the new ones do, help shows only the new ones, and
 * every file the tool has the station write follows the one overwrite rule.
 */
class OptionSpellingsTest {
  @TempDir Path scratch;

  private static final class Run {
    final int status;
    final String out;
    final String err;

    Run(int status, String out, String err) {
      this.status = status;
      this.out = out;
      this.err = err;
    }

    @Override
    public String toString() {
      return "exit " + status + "\n--- stdout\n" + out + "--- stderr\n" + err;
    }
  }

  private Path station() {
    return scratch.resolve("st");
  }

  private Run tool(String... args) {
    TestStation.JavaRun run = TestStation.JavaRun.inProcess(station(), args);
    return new Run(run.status, run.stdout, run.stderr);
  }

  private String ok(String... args) {
    Run run = tool(args);
    assertEquals(0, run.status, run::toString);
    assertEquals("", run.err, run::toString);
    return run.out;
  }

  /** Runs an old spelling: it succeeds with exactly one warning, which names the new one. */
  private String old(String newSpelling, String... args) {
    Run run = tool(args);
    assertEquals(0, run.status, run::toString);
    String[] lines = run.err.split("\n");
    assertEquals(1, lines.length, run::toString);
    assertTrue(lines[0].startsWith("diskarray: warning: '"), run::toString);
    assertTrue(lines[0].endsWith("' is deprecated, use '" + newSpelling + "'"), run::toString);
    return run.out;
  }

  @Test
  void oldSpellingsWarnOnceAndDoWhatTheNewOnesDo() throws Exception {
    old("add --address0=10.0.0.7", "add", "u2", "--ctl0", "10.0.0.7");
    assertEquals("10.0.0.7", DiskArrayUtilityJNI.KX_GetUnitParam("u2").ctl0);
    ok("add", "u1");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    old("lu add --controller=1", "lu", "add", "u1", "--rg", "0", "--capacity", "100",
        "--ctl", "1");
    assertEquals(1, DiskArrayUtilityJNI.KX_GetLogicalUnit1("u1", 0).defaultCTL);
    old("lu staging u1 0 --staging=off", "lu", "staging", "u1", "0", "off");
    old("lu expand u1 0 --capacity=200", "lu", "expand", "u1", "0", "200");
    LogicalUnit lu = DiskArrayUtilityJNI.KX_GetLogicalUnit1("u1", 0);
    assertEquals(200, lu.capacity);
    assertEquals(2, lu.staging);

    // Connectivity: positional controller and port, KEY=VALUE settings.
    old("lan set u1 --controller=1 --ip=10.0.0.9 --gateway=10.0.0.254",
        "lan", "set", "u1", "1", "ip=10.0.0.9", "gateway=10.0.0.254");
    assertTrue(ok("lan", "show", "u1").matches("(?s).*\n1\\s+off\\s+10\\.0\\.0\\.9\\s.*"));
    old("hostgroup add u1 --controller=0 --port=1 db --number=4",
        "hostgroup", "add", "u1", "0", "1", "db", "number=4");
    old("map add u1 --controller=0 --port=1 --hg=4 2 0",
        "map", "add", "u1", "0", "1", "4", "2", "0");
    assertEquals(ok("map", "list", "u1", "--controller=0", "--port=1", "--hg=4"),
        old("map list u1 --controller=0 --port=1 --hg=4", "map", "list", "u1", "0", "1", "4"));
    old("options set u1 --controller=0 --port=1 --hg=4 --mode=3",
        "options", "set", "u1", "0", "1", "4", "mode=3");
    assertTrue(ok("options", "show", "u1", "--controller=0", "--port=1", "--hg=4", "--json")
        .contains("\"option3\": 3"));
    assertEquals("mapping mode on\n", old("map mode u1 --switch=on", "map", "mode", "u1", "on"));

    // Values as operands, record fields as FIELD=VALUE, the quoted snmp settings.
    assertEquals("report_mode = 2\n", old("warning u1 --mode=2", "warning", "u1", "2"));
    old("turbo set u1 --off", "turbo", "set", "u1", "off");
    old("params set u1 online-system --web-title='\"old form\"'",
        "params", "set", "u1", "online-system", "web_title=\"old form\"");
    assertEquals("old form", DiskArrayUtilityJNI.KX_GetOnlineSystemParam("u1").web_title);
    // New: each field an option of its own; one of a long array is taken all the same.
    ok("params", "set", "u1", "online-tuning", "--def-mode=1", "--lu[0].pre_start=8");
    OnlineTuningParam tuning = DiskArrayUtilityJNI.KX_GetOnlineTuningParam("u1");
    assertEquals(1, tuning.def_mode);
    assertEquals(8, tuning.lu[0].pre_start);
    Run otherGroup = tool("params", "set", "u1", "tuning", "--web-title=x");
    assertEquals(2, otherGroup.status, otherGroup::toString);
    assertTrue(otherGroup.err.contains("web_title"), otherGroup::toString);

    // Old forms that name a file write it where they did.
    Path dump = scratch.resolve("ctl1.dump");
    old("dump u1 --controller=1 --out=" + dump, "dump", "u1", "1", dump.toString());
    assertTrue(Files.readString(dump).startsWith("KX-AUTO-DUMP "));
    Path wizard = scratch.resolve("wizard.txt");
    old("wizard show u1 --out=" + wizard, "wizard", "show", "u1", wizard.toString());
    assertTrue(Files.readString(wizard).startsWith("# wizard record of u1\n"));
    Path pages = scratch.resolve("pages");
    old("modepage sense u1 " + pages + " --page=8 --control=1",
        "modepage", "sense", "u1", pages.toString(), "8", "1");
    assertTrue(Files.readString(pages).contains("\npage.08 "));
    Files.createDirectories(station().resolve("agent"));
    old("snmp output u1 --out=" + station().resolve("agent/u1.conf"),
        "snmp", "output", "u1", "agent", "u1.conf");
    assertTrue(Files.exists(station().resolve("agent/u1.conf")));

    // An old form that was wrong is still a usage error, and nothing is half done.
    Run wrong = tool("lan", "set", "u1", "1", "bogus=1");
    assertEquals(2, wrong.status, wrong::toString);
    Run noSelector = tool("port", "show", "u1", "--port=1");
    assertEquals(2, noSelector.status, noSelector::toString);
    assertTrue(noSelector.err.contains("'port show' needs --controller"), noSelector::toString);
  }

  @Test
  void optionsMayStandBetweenOperands() {
    ok("add", "u1");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "100");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "100");
    ok("hostgroup", "add", "u1", "--controller", "0", "db", "--port", "1", "--number", "4");
    // Each operand once, in order: host LUN 2 maps LU 1, not the other way round.
    ok("map", "add", "u1", "--controller", "0", "2", "--port", "1", "1", "--hg", "4");
    assertTrue(ok("map", "list", "u1", "--hg", "4", "--controller", "0", "--port", "1")
        .matches("(?s).*\n2\\s+1\n"));
    assertTrue(ok("lu", "show", "u1", "--json", "1").contains("\"luNumber\": 1"));
  }

  @Test
  void helpManPageAndCompletionShowOnlyTheNewSpellings() {
    String man = ok("help", "--man").replace("\\-", "-");
    String completion = ok("completion");
    String luAdd = ok("lu", "add", "--help");
    for (String text : new String[] {man, completion, luAdd}) {
      assertFalse(text.matches("(?s).*--ctl[01]?(?![\\w\\[-]).*"), text);
      assertFalse(text.contains("KEY=VALUE"), text);
    }
    assertTrue(man.contains("--address0") && man.contains("--hg"), man);
    assertTrue(completion.contains("--address0") && completion.contains("--drive-blocked"));
    assertTrue(luAdd.contains("--controller"), luAdd);
    String overview = ok("help");
    assertTrue(overview.contains("--controller"), overview);
    assertFalse(overview.matches("(?s).*--ctl[01]?(?![\\w\\[-]).*"), overview);
  }

  @Test
  void everyStationWrittenFileFollowsTheOneOverwriteRule() throws Exception {
    ok("add", "u1");
    Path folder = Files.createDirectories(scratch.resolve("out"));
    String[][] commands = {
      {"config", "export", "u1", "FILE"},
      {"config", "rglu", "export", "u1", "FILE"},
      {"config", "rglu", "output", "u1", "FILE"},
      {"dump", "u1", "--out", "FILE"},
      {"modepage", "sense", "u1", "FILE"},
      {"snmp", "output", "u1", "--out", "FILE"},
    };
    String[] defaultNames = {"u1.config", "u1.rglu", "u1.rglu.txt", "u1-ctl0.dump",
      "u1.modepages", "snmp-u1.conf"};
    for (int i = 0; i < commands.length; i++) {
      String what = String.join(" ", commands[i]);
      Path file = folder.resolve("file" + i);
      ok(with(commands[i], file.toString()));
      Files.writeString(file, "kept\n");
      Run refused = tool(with(commands[i], file.toString()));
      assertEquals(1, refused.status, what + "\n" + refused);
      assertTrue(refused.err.contains(file + " exists; give --force to replace it"),
          what + "\n" + refused);
      assertEquals("kept\n", Files.readString(file), what);
      ok(withForce(commands[i], file.toString()));
      assertFalse(Files.readString(file).equals("kept\n"), what);

      // A path ending in '/' is a folder: the file gets its usual name there.
      ok(with(commands[i], folder + "/"));
      assertTrue(Files.exists(folder.resolve(defaultNames[i])), what);
      Run nowhere = tool(with(commands[i], scratch.resolve("missing/f").toString()));
      assertEquals(1, nowhere.status, what + "\n" + nowhere);
      assertTrue(nowhere.err.contains("there is no folder"), what + "\n" + nowhere);
    }
    // Without --out the SNMP file goes to the station, under the same rule.
    ok("snmp", "output", "u1");
    assertEquals(1, tool("snmp", "output", "u1").status);
    ok("snmp", "output", "u1", "--force");
    assertTrue(Files.exists(station().resolve("snmp-u1.conf")));
  }

  private static String[] with(String[] command, String file) {
    String[] line = command.clone();
    line[List.of(line).indexOf("FILE")] = file;
    return line;
  }

  private static String[] withForce(String[] command, String file) {
    List<String> line = new ArrayList<>(List.of(with(command, file)));
    line.add("--force");
    return line.toArray(new String[0]);
  }
}
