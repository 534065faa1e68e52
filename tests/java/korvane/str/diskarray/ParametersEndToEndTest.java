package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_COMMAND_DEVICE_LU;
import static korvane.str.diskarray.ErrorCodes.KXE_FILE_DAMAGED;
import static korvane.str.diskarray.ErrorCodes.KXE_FILE_FOREIGN_MODEL;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_TUNING_PARAM;
import static korvane.str.diskarray.ErrorCodes.KXE_TUNING_FOR_MISSING_LU;
import static korvane.str.diskarray.ErrorCodes.KXE_WIZARD_LAN;
import static korvane.str.diskarray.ErrorCodes.KXE_WIZARD_SYNC_PORT;
import static korvane.str.diskarray.ErrorCodes.KXE_WIZARD_TARGET_LU;
import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import korvane.str.diskarray.TestStation.JavaRun;
import korvane.str.diskarray.cli.DiskArrayTool;
import korvane.str.diskarray.cli.RecordText;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Operating parameters and the set-up wizard, end to end through the bridge and the station. */
class ParametersEndToEndTest {
  private static final String UNIT = "array01";
  private static final String TOOL = "korvane.str.diskarray.cli.DiskArrayTool";

  @TempDir Path scratch;

  private static void addLus(String unit) throws Exception {
    DiskArrayUtilityJNI.KX_RaidGroupAdd(unit, raidGroup(0, 5, 0, 0, 3, 1));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(unit, logicalUnit(0, 0, 512));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(unit, logicalUnit(1, 0, 512));
  }

  /** Every parameter group of a unit as text: equal snapshots, equal settings. */
  private static String snapshot(String unit) throws Exception {
    return RecordText.write(DiskArrayUtilityJNI.KX_GetOnlineSystemParam(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetOnlineTuningParam(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetTuningParam(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetDiskDriveRestoration(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetPrefetchInformation(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetOnlineVerify(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetThreshold(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetUnitIdentifier(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetCommandDevice(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetWarningInfo(unit))
        + RecordText.write(DiskArrayUtilityJNI.KX_GetWizardParam(unit, "", 0));
  }

  @Test
  void parametersSurviveExportAndImportIntoAFreshStation() throws Exception {
    TestStation.open(scratch.resolve("first"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    addLus(UNIT);

    OnlineTuningParam tuning = DiskArrayUtilityJNI.KX_GetOnlineTuningParam(UNIT);
    assertEquals(512, tuning.lu.length);
    assertEquals(-1, tuning.def_lun);
    tuning.def_lun = 1;
    tuning.lu[0].pre_start = 32;
    DiskArrayUtilityJNI.KX_SetOnlineTuningParam(UNIT, tuning);

    // The sequence number keeps its whole 7 bytes through the bridge.
    CommandDevice device = DiskArrayUtilityJNI.KX_GetCommandDevice(UNIT);
    device.valid[1] = 1;
    device.lu[1] = 0;
    device.sequence_no = "1234567";
    DiskArrayUtilityJNI.KX_SetCommandDevice(UNIT, device);
    assertEquals("1234567", DiskArrayUtilityJNI.KX_GetCommandDevice(UNIT).sequence_no);

    OnlineVerify verify = DiskArrayUtilityJNI.KX_GetOnlineVerify(UNIT);
    verify.idling_time = 600;
    DiskArrayUtilityJNI.KX_SetOnlineVerify(UNIT, verify);

    // Refused values leave every group as it was.
    String before = snapshot(UNIT);
    TuningParam bad = DiskArrayUtilityJNI.KX_GetTuningParam(UNIT);
    bad.reserve_buf_size = 90;
    assertEquals(KXE_INVALID_TUNING_PARAM,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetTuningParam(UNIT, bad)));
    device.lu[1] = 7;
    assertEquals(KXE_COMMAND_DEVICE_LU,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetCommandDevice(UNIT, device)));
    assertEquals(before, snapshot(UNIT));

    Path params = scratch.resolve("params.txt");
    Path config = scratch.resolve("config.txt");
    DiskArrayUtilityJNI.KX_SystemParamExport(UNIT, params.toString(), 0, 0);
    DiskArrayUtilityJNI.KX_ConfigExport(UNIT, config.toString());

    TestStation.open(scratch.resolve("second"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    String fresh = snapshot(UNIT);
    assertNotEquals(before, fresh);
    // Without the LUs the file's per-LU values have nowhere to go: nothing changes.
    assertEquals(KXE_TUNING_FOR_MISSING_LU,
        codeOf(() -> DiskArrayUtilityJNI.KX_SystemParamImport(UNIT, params.toString(), 0)));
    assertEquals(fresh, snapshot(UNIT));
    addLus(UNIT);
    DiskArrayUtilityJNI.KX_SystemParamImport(UNIT, params.toString(), 0);
    DiskArrayUtilityJNI.KX_ConfigImport(UNIT, config.toString());
    assertEquals(before, snapshot(UNIT));

    // A damaged file and a file for another model are refused.
    byte[] bytes = Files.readAllBytes(params);
    bytes[bytes.length / 2] ^= 1;
    Path damaged = scratch.resolve("damaged.txt");
    Files.write(damaged, bytes);
    assertEquals(KXE_FILE_DAMAGED,
        codeOf(() -> DiskArrayUtilityJNI.KX_SystemParamImport(UNIT, damaged.toString(), 0)));
    KXUnitParam other = unit("other-model");
    other.kx_type = 9;
    DiskArrayUtilityJNI.KX_UnitAdd(other);
    assertEquals(KXE_FILE_FOREIGN_MODEL, codeOf(
        () -> DiskArrayUtilityJNI.KX_ConfigImport("other-model", config.toString())));
  }

  /** Runs the tool in this process on the station; its exit status, with what it printed. */
  private static String[] tool(Path station, String... args) {
    JavaRun run = JavaRun.inProcess(station, args);
    return new String[] {String.valueOf(run.status), run.stdout + run.stderr};
  }

  @Test
  void malformedTextsAndLinesAreRefusedByNameAndLeaveNoTrace() throws Exception {
    Path station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    String before = snapshot(UNIT);

    // A quote that is not closed, or text after the closing one, is no text to store.
    for (String value : new String[] {"\"abc", "\"a\" junk", "ab\"c", "\"abc\\\""}) {
      String[] run = tool(station, "params", "set", UNIT, "online-system", "--web_title=" + value);
      assertEquals("2", run[0], value + ": " + run[1]);
      assertTrue(run[1].contains("web_title: "), run[1]);
    }
    String[] unknown = tool(station, "params", "set", UNIT, "online-system", "--nosuch=1");
    assertEquals("2", unknown[0], unknown[1]);
    assertTrue(unknown[1].contains("no field 'nosuch'"), unknown[1]);
    Path junk = scratch.resolve("junk.txt");
    Files.writeString(junk, "# title\ninquiry.web_title = \"a\" junk\n");
    String[] quoted = tool(station, "wizard", "test", UNIT, junk.toString());
    assertEquals("1", quoted[0], quoted[1]);
    assertTrue(quoted[1].contains("line 2: inquiry.web_title: 'junk' follows the closing quote"),
        quoted[1]);

    // An array of the wrong length is named with its line, not left to the bridge (2817).
    Path rows = scratch.resolve("rows.txt");
    Files.writeString(rows, "mode_param.buzzer = 0\n\ndrive_capacity.row = 30, 30\n");
    String[] shortRow = tool(station, "wizard", "apply", UNIT, rows.toString());
    assertEquals("1", shortRow[0], shortRow[1]);
    assertTrue(shortRow[1].contains("line 3: drive_capacity.row: needs 6 values, got 2"),
        shortRow[1]);
    assertFalse(shortRow[1].contains("2817"), shortRow[1]);
    assertEquals(before, snapshot(UNIT));

    // Escapes still work, and the text reads back as it was written.
    String[] escaped = tool(station, "params", "set", UNIT, "online-system",
        "--web-title=\"say \\\"hi\\\"\"");
    assertEquals("0", escaped[0], escaped[1]);
    assertEquals("say \"hi\"", DiskArrayUtilityJNI.KX_GetOnlineSystemParam(UNIT).web_title);
  }

  @Test
  void anExportNeverReplacesAFileUnasked() throws Exception {
    Path station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    Path file = scratch.resolve("params.txt");
    Files.writeString(file, "keep me\n");

    // The station says why: the file exists, not that it cannot be written.
    assertEquals(ErrorCodes.KXE_FILE_EXISTS, codeOf(
        () -> DiskArrayUtilityJNI.KX_SystemParamExport(UNIT, file.toString(), 0, 0)));
    String[] refused = tool(station, "params", "export", UNIT, file.toString());
    assertEquals("1", refused[0], refused[1]);
    assertTrue(refused[1].contains("exists; give --force"), refused[1]);
    assertEquals("keep me\n", Files.readString(file));

    assertEquals("0", tool(station, "params", "export", UNIT, file.toString(), "--force")[0]);
    assertFalse(Files.readString(file).startsWith("keep me"));
    // A path ending in / is a folder: the file gets the unit's name there.
    String[] folder = tool(station, "params", "export", UNIT, scratch.toString() + "/");
    assertEquals("0", folder[0], folder[1]);
    assertTrue(Files.exists(scratch.resolve(UNIT + ".params")), folder[1]);
  }

  @Test
  void wizardTestRefusesWithoutChangesAndApplyReachesEveryArea() throws Exception {
    Path station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    addLus(UNIT);

    WizardParam wizard = DiskArrayUtilityJNI.KX_GetWizardParam(UNIT, "", 0);
    assertEquals(2, wizard.target_id.length);
    assertEquals(16, wizard.target_id[1].target_config[3].mapping.length);
    DiskArrayUtilityJNI.KX_TestWizardParam(UNIT, wizard, "", 0);

    String before = snapshot(UNIT);
    // The unit is registered under names, not addresses: no address until set.
    assertEquals("", wizard.lan_conf[0].ip_address);
    wizard.lan_conf[0].ip_address = "10.20.30.41";
    wizard.lan_conf[1].ip_address = wizard.lan_conf[0].ip_address;
    assertEquals(KXE_WIZARD_LAN,
        codeOf(() -> DiskArrayUtilityJNI.KX_TestWizardParam(UNIT, wizard, "", 0)));
    assertEquals(KXE_WIZARD_LAN,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetWizardParam(UNIT, wizard, "", 0)));
    assertEquals(before, snapshot(UNIT));

    wizard.lan_conf[1].ip_address = "10.20.30.40";
    wizard.inquiry.web_title = "Set up by the wizard";
    wizard.ctl_opt[0].id_front = "EAST";
    WZTargetId[] imported =
        DiskArrayUtilityJNI.KX_WZTargetIdImport(UNIT, "mode=multi 0.4=0-1", "", 1);
    assertEquals(2, imported.length);
    // One byte per host LUN, as in connectivity's target IDs.
    assertEquals(1, imported[0].target_config[0].mapping[4].lun[0]);
    assertEquals(1, imported[0].target_config[0].mapping[4].lun[1]);
    assertEquals(0, imported[0].target_config[0].mapping[4].lun[2]);
    wizard.target_id = imported;
    DiskArrayUtilityJNI.KX_SetWizardParam(UNIT, wizard, "", 0);

    assertEquals("Set up by the wizard",
        DiskArrayUtilityJNI.KX_GetOnlineSystemParam(UNIT).web_title);
    assertEquals("EAST", DiskArrayUtilityJNI.KX_GetUnitIdentifier(UNIT).ctl[0].id_front);
    assertEquals("EAST", DiskArrayUtilityJNI.KX_GetNowWZParam(UNIT, 0).ctrl_id.id_front);
    WizardParam again = DiskArrayUtilityJNI.KX_GetWizardParam(UNIT, "", 0);
    assertEquals(RecordText.write(wizard), RecordText.write(again));

    // Another process on the same station sees what was applied.
    JavaRun run = runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(),
        "wizard", "show", UNIT);
    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    assertTrue(run.stdout.contains("lan_conf[1].ip_address = \"10.20.30.40\""), run::toString);
    assertTrue(run.stdout.contains("target_id[0].target_id_mode = 1"), run::toString);

    // The tool's test names the first problem and changes nothing.
    Path edit = scratch.resolve("edit.txt");
    Files.writeString(edit, "# bad gateway\nlan_conf[0].gateway = \"300.1.1.1\"\n",
        StandardCharsets.UTF_8);
    String applied = snapshot(UNIT);
    run = runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(),
        "wizard", "test", UNIT, edit.toString());
    assertEquals(1, run.status, run::toString);
    assertTrue(run.stderr.contains("first problem: error 4651 (0x122B)"), run::toString);
    assertTrue(run.stderr.contains(" Set by " + edit + " line 2: lan_conf[0].gateway"
        + " = \"300.1.1.1\""), run::toString);
    assertEquals(applied, snapshot(UNIT));
  }

  /** Connectivity's LAN, target IDs and synchronous ports, as text. */
  private static String connectivity(String unit) throws Exception {
    StringBuilder text = new StringBuilder();
    for (int controller = 0; controller < 2; ++controller) {
      text.append(RecordText.write(DiskArrayUtilityJNI.KX_GetLANInformation(unit, controller)))
          .append(RecordText.write(DiskArrayUtilityJNI.KX_GetSyncControl(unit, controller)));
    }
    for (TargetId target : DiskArrayUtilityJNI.KX_GetTargetId(unit, 0)) {
      text.append(RecordText.write(target));
    }
    return text.toString();
  }

  @Test
  void wizardAndConnectivityAreOneState() throws Exception {
    TestStation.open(scratch.resolve("station"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));

    // A wizard record applied is what connectivity's natives report.
    WizardParam wizard = DiskArrayUtilityJNI.KX_GetWizardParam(UNIT, "", 0);
    wizard.lan_conf[0].ip_address = "172.16.5.20";
    wizard.lan_conf[0].subnet = "255.255.0.0";
    wizard.lan_conf[0].gateway = "172.16.0.1";
    wizard.lan_conf[1].ip_address = "172.16.5.30";
    wizard.lan_conf[1].subnet = "255.255.0.0";
    wizard.lan_conf[1].dhcp_mode = 1;
    wizard.target_id[1].target_id_mode = 1;
    wizard.target_id[1].target_config[1].multi[6] = 1;
    wizard.target_id[1].target_config[1].mapping[6].lun[127] = 1;
    wizard.sync_control[0].port_val[1].rate = 2;
    DiskArrayUtilityJNI.KX_SetWizardParam(UNIT, wizard, "", 0);

    LANInformation lan = DiskArrayUtilityJNI.KX_GetLANInformation(UNIT, 0);
    assertEquals("172.16.5.20", lan.ip_address);
    assertEquals("255.255.0.0", lan.subnet);
    assertEquals("172.16.0.1", lan.gateway);
    assertEquals(1, DiskArrayUtilityJNI.KX_GetLANInformation(UNIT, 1).dhcp);
    TargetId[] targets = DiskArrayUtilityJNI.KX_GetTargetId(UNIT, 0);
    assertEquals(1, targets[1].target_id_mode);
    assertEquals(1, targets[1].target_config[1].multi[6]);
    assertEquals(1, targets[1].target_config[1].mapping[6].lun[127]);
    assertEquals(2, DiskArrayUtilityJNI.KX_GetSyncControl(UNIT, 0).port_val[1].rate);

    // The other way round: connectivity's sets show in the wizard record.
    lan.ip_address = "172.16.5.21";
    DiskArrayUtilityJNI.KX_SetLANInformation(UNIT, 0, lan, 0);
    targets[0].target_config[0].single = 9;
    DiskArrayUtilityJNI.KX_SetTargetId(UNIT, 0, targets[0], 0);
    SyncControl sync = DiskArrayUtilityJNI.KX_GetSyncControl(UNIT, 1);
    sync.port_val[0].rate = 4;
    DiskArrayUtilityJNI.KX_SetSyncControl(UNIT, 1, sync, 0);
    WizardParam again = DiskArrayUtilityJNI.KX_GetWizardParam(UNIT, "", 0);
    assertEquals("172.16.5.21", again.lan_conf[0].ip_address);
    assertEquals(lan.ether, again.lan_conf[0].ether);
    assertEquals(9, again.target_id[0].target_config[0].single);
    assertEquals(4, again.sync_control[1].port_val[0].rate);
    assertEquals(1, again.sync_control[1].port_val[0].board_type);
    DiskArrayUtilityJNI.KX_TestWizardParam(UNIT, again, "", 0);

    // A refused wizard record leaves connectivity as it was, whatever part is wrong.
    String before = connectivity(UNIT) + snapshot(UNIT);
    again.lan_conf[1].ip_address = "172.16.5.40";  // would be fine on its own
    again.target_id[0].target_config[0].mapping[0].lun[3] = 2;
    assertEquals(KXE_WIZARD_TARGET_LU,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetWizardParam(UNIT, again, "", 0)));
    again.target_id[0].target_config[0].mapping[0].lun[3] = 1;
    again.lan_conf[0].gateway = "10.0.0.1";  // outside the subnet, as connectivity refuses
    assertEquals(KXE_WIZARD_LAN,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetWizardParam(UNIT, again, "", 0)));
    again.lan_conf[0].gateway = "0.0.0.0";
    again.sync_control[0].port_val[2].rate = 1;  // a port that is not installed
    assertEquals(KXE_WIZARD_SYNC_PORT,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetWizardParam(UNIT, again, "", 0)));
    assertEquals(before, connectivity(UNIT) + snapshot(UNIT));
  }
}
