package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.ERR_NULL_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_MAIL_INVALID_SETTING;
import static korvane.str.diskarray.ErrorCodes.KXE_MAIL_OFF;
import static korvane.str.diskarray.ErrorCodes.KXE_MAIL_SERVER_UNREACHABLE;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.net.InetAddress;
import java.net.ServerSocket;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Notification and host services through the natives and the tool. */
class ServicesEndToEndTest {
  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(TestStation.unit("array1"));
  }

  private interface Call {
    void run() throws DiskArrayException;
  }

  private static int failure(Call call) {
    return assertThrows(DiskArrayException.class, call::run).getCode();
  }

  @Test
  void emailSettingsReadBackArePassedOnUnchanged() throws Exception {
    EmailInfo fresh = DiskArrayUtilityJNI.KX_GetEmailInfo();
    assertEquals(0, fresh.on_off);
    assertEquals(100, fresh.to.length);
    assertNull(fresh.to[0]);

    EmailInfo settings = new EmailInfo();
    settings.on_off = 1;
    settings.domain = "station.test";
    settings.smtp = "127.0.0.1:2525";
    settings.from = "station@example.test";
    settings.tonum = 2;
    settings.to = new String[] {"a@example.test", "b@example.test", null, "ignored@x.test"};
    DiskArrayUtilityJNI.KX_SetEmailInfo(settings);

    EmailInfo stored = DiskArrayUtilityJNI.KX_GetEmailInfo();
    assertEquals(2, stored.tonum);
    assertEquals(100, stored.to.length);
    assertEquals(List.of("a@example.test", "b@example.test"), Arrays.asList(stored.to).subList(0, 2));
    assertTrue(Arrays.asList(stored.to).subList(2, 100).stream().allMatch(t -> t == null));
    // The null slots after the recipients end the list: the record is taken
    // back whole and nothing changes.
    DiskArrayUtilityJNI.KX_SetEmailInfo(stored);
    EmailInfo again = DiskArrayUtilityJNI.KX_GetEmailInfo();
    assertArrayEquals(stored.to, again.to);
    assertEquals(stored.smtp, again.smtp);

    // More recipients than the 20 slots never write past the record; the
    // station keeps the count it was given and refuses 21.
    EmailInfo crowded = DiskArrayUtilityJNI.KX_GetEmailInfo();
    crowded.to = new String[30];
    Arrays.fill(crowded.to, "r@example.test");
    crowded.tonum = 21;
    assertEquals(KXE_MAIL_INVALID_SETTING,
        failure(() -> DiskArrayUtilityJNI.KX_SetEmailInfo(crowded)));
    crowded.tonum = 20;
    DiskArrayUtilityJNI.KX_SetEmailInfo(crowded);
    assertEquals(20, DiskArrayUtilityJNI.KX_GetEmailInfo().tonum);
  }

  @Test
  void nullArgumentsAndUnreachableServer() throws Exception {
    assertEquals(ERR_NULL_ARGUMENT,
        failure(() -> DiskArrayUtilityJNI.KX_SendEmail("array1", null, "b")));
    assertEquals(ERR_NULL_ARGUMENT,
        failure(() -> DiskArrayUtilityJNI.KX_SendEmail(null, "s", null)));
    assertEquals(ERR_NULL_ARGUMENT,
        failure(() -> DiskArrayUtilityJNI.KX_SetSnmpConfig("array1", null, "")));
    assertEquals(ERR_NULL_ARGUMENT,
        failure(() -> DiskArrayUtilityJNI.KX_SnmpConfigOutput("array1", "", null)));
    assertEquals(ERR_NULL_ARGUMENT,
        failure(() -> DiskArrayUtilityJNI.KX_SendEmailTest(null, null, null, "b")));
    assertEquals(ERR_NULL_ARGUMENT,
        failure(() -> DiskArrayUtilityJNI.KX_SendEmailTest(null, null, "s", null)));
    DiskArrayUtilityJNI.KX_SetSnmpConfig("array1", null, "traps=on");

    int port;
    try (ServerSocket socket = new ServerSocket(0, 1, InetAddress.getLoopbackAddress())) {
      port = socket.getLocalPort();
    }
    EmailInfo settings = new EmailInfo();
    settings.smtp = "127.0.0.1:" + port;
    settings.from = "station@example.test";
    settings.tonum = 1;
    settings.to[0] = "ops@example.test";
    // A null unit name is no unit: the settings are tried as given.
    assertEquals(KXE_MAIL_SERVER_UNREACHABLE, failure(() ->
        DiskArrayUtilityJNI.KX_SendEmailTest(null, settings, "subject", "body")));
    assertEquals(KXE_MAIL_OFF, failure(() -> DiskArrayUtilityJNI.KX_SendEmail(null, "s", "b")));
  }

  private String[] tool(int expected, String... args) {
    TestStation.JavaRun run = TestStation.JavaRun.inProcess(station, args);
    String[] result = {run.stdout, run.stderr};
    assertEquals(expected, run.status, () -> String.join("\n--- stderr\n", result));
    return result;
  }

  @Test
  void toolCommandsDriveTheServices() throws Exception {
    String[] mail = tool(0, "mail", "set", "--switch", "off", "--smtp", "mail.example.test",
        "--from", "s@example.test", "--to", "a@example.test, b@example.test");
    assertTrue(mail[0].contains("to      a@example.test, b@example.test"), mail[0]);
    assertTrue(tool(0, "mail", "show")[0].contains("smtp    mail.example.test"));
    // JSON names the switch and lists the two recipients; --raw keeps the 100 slots.
    String json = tool(0, "mail", "show", "--json")[0];
    assertTrue(json.contains("\"switch\": \"off\"") && !json.contains("null"), json);
    assertTrue(json.matches(
        "(?s).*\"to\": \\[\\s*\"a@example.test\",\\s*\"b@example.test\"\\s*].*"), json);
    assertEquals(98, tool(0, "mail", "show", "--json", "--raw")[0].split("null", -1).length - 1);
    assertTrue(tool(1, "mail", "set", "--from", "not an address")[1].contains("0x1402"));
    tool(0, "snmp", "set", "array1", "--managers=192.0.2.10", "--community=lab", "--traps=on");
    String snmp = tool(0, "snmp", "show", "array1")[0];
    assertTrue(snmp.startsWith("unit = array1\ncommunity = lab\ntraps = on\n"), snmp);
    assertTrue(snmp.endsWith("manager = 192.0.2.10:162\n"), snmp);
    assertTrue(tool(0, "snmp", "show", "array1", "--json")[0]
        .contains("\"managers\": [\n    \"192.0.2.10:162\"\n  ]"));
    tool(0, "mail", "append", "array1", "site: lab 3");
    assertEquals("site: lab 3\n", tool(0, "mail", "append", "array1")[0]);

    assertEquals("no alerts\n", tool(0, "alerts", "array1")[0]);
    DiskArrayUtilityJNI.KX_SetDriveMode("array1", 0, 0, 1);
    assertEquals("drive blocked (new): drive 0/0\n",
        tool(0, "alerts", "array1", "--mode", "check")[0]);
    assertEquals("drive blocked: drive 0/0\n", tool(0, "alerts", "array1")[0]);

    Path marker = station.resolve("ran it");
    tool(0, "program", "set", "--switch", "on", "--timeout", "5",
        "--command", "/usr/bin/touch '" + marker + "'");
    tool(0, "program", "run");
    assertTrue(Files.exists(marker));
    assertTrue(tool(1, "program", "test", "--command", "/bin/false")[1].contains("0x1415"));
    String log = tool(0, "log", "app", "--tail", "1")[0];
    assertTrue(log.contains("test run of \"/bin/false\": exit status 1 after "), log);
    assertEquals(1, log.split("\n").length, log);
    assertTrue(tool(0, "log", "err")[0].contains("\"/bin/false\": exit status 1"));
    tool(0, "log", "err", "--clear", "--yes");
    assertEquals("", tool(0, "log", "err")[0]);

    // The old spelling still works, with a warning.
    String[] old = tool(0, "snmp", "set", "array1", "192.0.2.1", "community=ops traps=on");
    assertTrue(old[1].contains("diskarray: warning: 'snmp set array1 192.0.2.1 'community=ops"
        + " traps=on'' is deprecated, use 'snmp set array1 --managers=192.0.2.1"
        + " --community=ops --traps=on'"), old[1]);
    tool(0, "snmp", "output", "array1");
    String conf = Files.readString(station.resolve("snmp-array1.conf"));
    assertTrue(conf.contains("community = ops\n") && conf.contains("manager = 192.0.2.1:162\n"),
        conf);

    String check = tool(0, "check")[0];
    assertTrue(check.startsWith("environment: ok\njava "), check);
  }
}
