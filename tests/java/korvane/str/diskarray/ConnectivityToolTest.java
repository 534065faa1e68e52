package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertEquals;
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

/** The connectivity commands of the tool: what they change, and how refusals read. */
class ConnectivityToolTest {
  @TempDir Path scratch;

  /** Exit status, then stdout and stderr. */
  private String[] tool(String... args) {
    List<String> all = new ArrayList<>(List.of("--station", scratch.resolve("st").toString()));
    all.addAll(List.of(args));
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    ByteArrayOutputStream err = new ByteArrayOutputStream();
    int status = DiskArrayTool.run(all.toArray(new String[0]),
        new PrintStream(out, true, StandardCharsets.UTF_8),
        new PrintStream(err, true, StandardCharsets.UTF_8));
    return new String[] {Integer.toString(status), out.toString(StandardCharsets.UTF_8),
      err.toString(StandardCharsets.UTF_8)};
  }

  private String ok(String... args) {
    String[] result = tool(args);
    assertEquals("0", result[0], String.join("\n", result));
    return result[1];
  }

  private String refused(String status, String... args) {
    String[] result = tool(args);
    assertEquals(status, result[0], String.join("\n", result));
    return result[2];
  }

  @Test
  void operatorConfiguresHostsAndReadsRefusals() throws Exception {
    ok("add", "u1", "--ctl0", "10.0.0.1", "--ctl1", "10.0.0.2");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "500");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "500");

    // A refusal carries its code's meaning, as kx_errors.h words it.
    assertTrue(refused("1", "lan", "set", "u1", "1", "ip=10.0.0.1").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_DUPLICATE_ADDRESS)));
    ok("lan", "set", "u1", "1", "ip=10.0.0.9", "gateway=10.0.0.254");
    assertTrue(ok("lan", "show", "u1").matches("(?s).*\n1\\s+off\\s+10\\.0\\.0\\.9\\s+"
        + "255\\.255\\.255\\.0\\s+10\\.0\\.0\\.254\\s.*"));

    ok("hostgroup", "add", "u1", "1", "1", "oracle", "number=12");
    ok("wwn", "add", "u1", "1", "1", "50060E8000C3A1B2", "nickname=db1", "hg=12");
    ok("wwn", "disable", "u1", "1", "1", "50060E8000C3A1B2");
    assertTrue(ok("wwn", "list", "u1").lines()
        .anyMatch(line -> line.contains("50060e8000c3a1b2") && line.endsWith(" no")));
    assertEquals("50060e8000c3a1b2 on port 1.1 is enabled\n",
        ok("wwn", "enable", "u1", "1", "1", "50060E8000C3A1B2"));
    assertTrue(refused("1", "wwn", "disable", "u1", "1", "1", "50060E8000C3A1B3")
        .contains("50060e8000c3a1b3"));
    ok("map", "add", "u1", "1", "1", "12", "3", "1");
    assertTrue(ok("map", "list", "u1", "1", "1", "12").matches("(?s).*\n3\\s+1\n"));
    assertTrue(refused("1", "lu", "delete", "u1", "--yes").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_LU_MAPPED)));
    assertTrue(refused("2", "wwn", "add", "u1", "1", "1", "50060E80").contains("16 hex"));
    assertTrue(refused("1", "hostgroup", "delete", "u1", "1", "1", "0", "--yes").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_DEFAULT_HOST_GROUP)));

    // Deleting the group unmaps its LUs and sends its host to group 0.
    ok("hostgroup", "delete", "u1", "1", "1", "12", "--yes");
    assertTrue(ok("wwn", "list", "u1").matches("(?s).*50060e8000c3a1b2\\s+-\\s+db1\\s+0\\s+"
        + "default.*"));
    ok("lu", "delete", "u1", "--yes");

    Path file = scratch.resolve("hosts.txt");
    Files.writeString(file, "10000000c9000001 - - 0\nnot-a-wwn - - 0\n");
    String error = refused("1", "security", "import", "u1", "0", "1", file.toString(), "--yes");
    assertTrue(error.contains("line 2: port name 'not-a-wwn'"), error);
    assertTrue(ok("security", "show", "u1", "0", "1").contains("0 permissions"));
    ok("security", "allow", "u1", "0", "1", "10000000C9000001", "0", "nport=0a0b0c");
    assertTrue(ok("security", "show", "u1", "0", "1")
        .matches("(?s).*\n0\\s+10000000c9000001\\s+-\\s+0a0b0c\\s+0\n"));
    // JSON holds the one permission in use; --raw the table's every slot.
    String json = ok("security", "show", "u1", "0", "1", "--json");
    assertEquals(1, json.split("\"port_name\"", -1).length - 1, json);
    assertTrue(ok("security", "show", "u1", "0", "1", "--json", "--raw")
        .split("\"port_name\"", -1).length > 100);
    assertTrue(refused("1", "lu", "delete", "u1", "--yes").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_LU_IN_PERMISSION)));

    ok("rvrf", "set", "u1", "42", "path2=1.1-0.0");
    assertTrue(ok("rvrf", "show", "u1").matches("(?s).*\n42\\s+-\\s+0\\s+-\\s+1\\.1-0\\.0\n"));
    ok("rvrf", "delete", "u1", "42");
    assertTrue(ok("rvrf", "show", "u1").contains("(no other units)"));
  }
}
