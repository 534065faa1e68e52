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
import korvane.str.diskarray.cli.DiskArrayTool;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The command-line tool in this JVM: its commands against a station, and its exit statuses. */
class DiskArrayToolTest {
  @TempDir Path scratch;

  private Path station() {
    return scratch.resolve("station");
  }

  private static final class Result {
    final int status;
    final String out;
    final String err;

    Result(int status, String out, String err) {
      this.status = status;
      this.out = out;
      this.err = err;
    }

    @Override
    public String toString() {
      return "exit " + status + "\n--- stdout\n" + out + "--- stderr\n" + err;
    }
  }

  private Result tool(String... args) {
    List<String> all = new ArrayList<>(List.of("--station", station().toString()));
    all.addAll(List.of(args));
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    ByteArrayOutputStream err = new ByteArrayOutputStream();
    int status = DiskArrayTool.run(all.toArray(new String[0]),
        new PrintStream(out, true, StandardCharsets.UTF_8),
        new PrintStream(err, true, StandardCharsets.UTF_8));
    return new Result(status, out.toString(StandardCharsets.UTF_8),
        err.toString(StandardCharsets.UTF_8));
  }

  private Result succeed(String... args) {
    Result result = tool(args);
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

    Result show = succeed("show", "array01");
    assertTrue(show.out.contains("connect_type  -56"), show::toString);
    assertTrue(show.out.contains("ctl1          10.0.0.2"), show::toString);

    // Options not given keep the unit's values.
    succeed("change", "array01", "--name", "array01-new", "--alert", "9");
    array01.unit_name = "array01-new";
    array01.alert = 9;
    assertUnit(array01, DiskArrayUtilityJNI.KX_GetUnitParam("array01-new"));

    succeed("delete", "array02");
    Result list = succeed("list");
    assertEquals(2, list.out.strip().split("\n").length, list::toString);
    assertTrue(list.out.contains("array01-new"), list::toString);
    assertFalse(list.out.contains("array02"), list::toString);

    assertEquals("(no labels)\n", succeed("labels").out);
    assertEquals("LU01 LUN1\n", succeed("modify-info", "LU01 LUN1", "4").out);
    Result labels = succeed("labels");
    assertEquals(List.of("OLD", "NEW", "LU01", "LUN1"),
        List.of(labels.out.strip().split("\\s+")), labels::toString);
  }

  @Test
  void stationErrorsExitWithStatusOneAndTheCode() {
    succeed("add", "array01");

    Result duplicate = tool("add", "array01");
    assertEquals(1, duplicate.status, duplicate::toString);
    assertTrue(duplicate.err.contains("4100 (0x1004)"), duplicate::toString);

    Result missing = tool("show", "nosuch");
    assertEquals(1, missing.status, missing::toString);
    assertTrue(missing.err.contains("4099 (0x1003)"), missing::toString);

    Result change = tool("change", "nosuch", "--alert", "1");
    assertEquals(1, change.status, change::toString);
    assertTrue(change.err.contains("0x1003"), change::toString);

    Result badLabel = tool("modify-info", "TOOLONG X", "4");
    assertEquals(1, badLabel.status, badLabel::toString);
    assertTrue(badLabel.err.contains("4107 (0x100B)"), badLabel::toString);
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
      {"add", "x", "--ctl0", "c".repeat(80)},
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
    };
    for (String[] args : misuses) {
      Result result = tool(args);
      assertEquals(2, result.status, () -> String.join(" ", args) + "\n" + result);
      assertTrue(result.err.startsWith("diskarray: "), result::toString);
    }
    assertFalse(Files.exists(station()), "a usage error created the station");
  }

  @Test
  void helpNeedsNoStation() {
    Result help = succeed("help");
    for (String command : new String[] {"list", "show", "add", "change", "delete", "labels",
        "demo", "--station", "--connect-type"}) {
      assertTrue(help.out.contains(command), command);
    }
    assertFalse(Files.exists(station()));
  }
}
