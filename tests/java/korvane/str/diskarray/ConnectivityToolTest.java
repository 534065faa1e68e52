package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The connectivity commands of the tool: what they change, and how refusals read. */
class ConnectivityToolTest {
  @TempDir Path scratch;

  /** Exit status, then stdout and stderr. */
  private String[] tool(String... args) {
    TestStation.JavaRun run = TestStation.JavaRun.inProcess(scratch.resolve("st"), args);
    return new String[] {Integer.toString(run.status), run.stdout, run.stderr};
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
    ok("add", "u1", "--address0", "10.0.0.1", "--address1", "10.0.0.2");
    ok("rg", "add", "u1", "--level", "5", "--port", "0", "--row", "0", "--width", "3");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "500");
    ok("lu", "add", "u1", "--rg", "0", "--capacity", "500");

    // A refusal carries its code's meaning, as kx_errors.h words it.
    assertTrue(refused("1", "lan", "set", "u1", "--controller=1", "--ip=10.0.0.1").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_DUPLICATE_ADDRESS)));
    ok("lan", "set", "u1", "--controller", "1", "--ip", "10.0.0.9", "--gateway=10.0.0.254");
    assertTrue(ok("lan", "show", "u1").matches("(?s).*\n1\\s+off\\s+10\\.0\\.0\\.9\\s+"
        + "255\\.255\\.255\\.0\\s+10\\.0\\.0\\.254\\s.*"));

    ok("hostgroup", "add", "u1", "oracle", "--controller=1", "--port=1", "--number=12");
    ok("wwn", "add", "u1", "50060E8000C3A1B2", "--controller=1", "--port=1", "--nickname=db1",
        "--hg=12");
    ok("wwn", "disable", "u1", "50060E8000C3A1B2", "--controller=1", "--port=1");
    assertTrue(ok("wwn", "list", "u1").lines()
        .anyMatch(line -> line.contains("50060e8000c3a1b2") && line.endsWith(" no")));
    assertEquals("50060e8000c3a1b2 on port 1.1 is enabled\n",
        ok("wwn", "enable", "u1", "50060E8000C3A1B2", "--controller=1", "--port=1"));
    assertTrue(refused("1", "wwn", "disable", "u1", "50060E8000C3A1B3", "--controller=1",
        "--port=1")
        .contains("50060e8000c3a1b3"));
    ok("map", "add", "u1", "3", "1", "--controller=1", "--port=1", "--hg=12");
    assertTrue(ok("map", "list", "u1", "--controller=1", "--port=1", "--hg=12")
        .matches("(?s).*\n3\\s+1\n"));
    assertTrue(refused("1", "lu", "delete", "u1", "--yes").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_LU_MAPPED)));
    assertTrue(refused("2", "wwn", "add", "u1", "50060E80", "--controller=1", "--port=1")
        .contains("16 hex"));
    assertTrue(refused("1", "hostgroup", "delete", "u1", "0", "--controller=1", "--port=1",
        "--yes").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_DEFAULT_HOST_GROUP)));

    // Deleting the group unmaps its LUs and sends its host to group 0.
    ok("hostgroup", "delete", "u1", "12", "--controller=1", "--port=1", "--yes");
    assertTrue(ok("wwn", "list", "u1").matches("(?s).*50060e8000c3a1b2\\s+-\\s+db1\\s+0\\s+"
        + "default.*"));
    ok("lu", "delete", "u1", "--yes");

    Path file = scratch.resolve("hosts.txt");
    Files.writeString(file, "10000000c9000001 - - 0\nnot-a-wwn - - 0\n");
    String error = refused("1", "security", "import", "u1", file.toString(), "--controller=0",
        "--port=1", "--yes");
    assertTrue(error.contains("line 2: port name 'not-a-wwn'"), error);
    assertTrue(ok("security", "show", "u1", "--controller=0", "--port=1")
        .contains("0 permissions"));
    ok("security", "allow", "u1", "10000000C9000001", "0", "--controller=0", "--port=1",
        "--nport=0a0b0c");
    assertTrue(ok("security", "show", "u1", "--controller=0", "--port=1")
        .matches("(?s).*\n0\\s+10000000c9000001\\s+-\\s+0a0b0c\\s+0\n"));
    // JSON holds the one permission in use; --raw the table's every slot.
    String json = ok("security", "show", "u1", "--controller=0", "--port=1", "--json");
    assertEquals(1, json.split("\"port_name\"", -1).length - 1, json);
    assertTrue(ok("security", "show", "u1", "--controller=0", "--port=1", "--json", "--raw")
        .split("\"port_name\"", -1).length > 100);
    assertTrue(refused("1", "lu", "delete", "u1", "--yes").contains(
        ErrorCodes.meaning(ErrorCodes.KXE_LU_IN_PERMISSION)));

    ok("rvrf", "set", "u1", "42", "--path2=1.1-0.0");
    assertTrue(ok("rvrf", "show", "u1").matches("(?s).*\n42\\s+-\\s+0\\s+-\\s+1\\.1-0\\.0\n"));
    ok("rvrf", "delete", "u1", "42");
    assertTrue(ok("rvrf", "show", "u1").contains("(no other units)"));
  }

  @Test
  void targetIdsHaveCommandsOfTheirOwn() throws Exception {
    ok("add", "u1");
    assertTrue(ok("target", "show", "u1").startsWith("controller 0: single mode\n"));
    ok("target", "set", "u1", "--controller=0", "--mode", "multi");
    ok("target", "set", "u1", "--controller=0", "--port=1", "--multi", "0,3-4", "--single", "9");
    assertEquals("target ID 3 of port 0.1 presents host LUNs 0-7,12\n",
        ok("target", "luns", "u1", "3", "0-7,12", "--controller=0", "--port=1"));
    TargetId target = DiskArrayUtilityJNI.KX_GetTargetId("u1", 0)[0];
    assertEquals(1, target.target_id_mode);
    assertEquals(9, target.target_config[1].single);
    assertEquals("0,3,4", flags(target.target_config[1].multi));
    assertEquals(1, target.target_config[1].mapping[3].lun[12]);
    assertEquals(0, target.target_config[1].mapping[3].lun[8]);
    String shown = ok("target", "show", "u1");
    assertTrue(shown.matches("(?s).*\n0\\.1\\s+9\\s+0,3-4\\s+3:0-7,12\n.*"), shown);

    // Options a controller alone does not take, IDs out of range: usage errors.
    refused("2", "target", "set", "u1", "--controller=0", "--single", "3");
    refused("2", "target", "luns", "u1", "16", "0", "--controller=0", "--port=1");
    refused("2", "target", "set", "u1", "--controller=0", "--port=1", "--multi", "2-16");

    // An import replaces both controllers' settings, so it asks.
    Path file = scratch.resolve("targets.txt");
    Files.writeString(file, "mode 1 multi\nsingle 1 0 5\n");
    refused("2", "target", "import", "u1", file.toString());
    assertEquals(1, DiskArrayUtilityJNI.KX_GetTargetId("u1", 0)[0].target_id_mode);
    ok("target", "import", "u1", file.toString(), "--yes");
    TargetId[] imported = DiskArrayUtilityJNI.KX_GetTargetId("u1", 0);
    assertEquals(0, imported[0].target_id_mode);
    assertEquals(1, imported[1].target_id_mode);
    assertEquals(5, imported[1].target_config[0].single);
  }

  /** The indexes whose byte is set, as 0,3,4. */
  private static String flags(byte[] set) {
    StringBuilder text = new StringBuilder();
    for (int i = 0; i < set.length; i++) {
      if (set[i] != 0) {
        text.append(text.length() == 0 ? "" : ",").append(i);
      }
    }
    return text.toString();
  }
}
