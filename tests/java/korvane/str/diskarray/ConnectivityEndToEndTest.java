package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.ERR_NULL_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_DEFAULT_HOST_GROUP;
import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_ADDRESS;
import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_HOST_GROUP;
import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_MAPPING;
import static korvane.str.diskarray.ErrorCodes.KXE_IMPORT_SYNTAX;
import static korvane.str.diskarray.ErrorCodes.KXE_LU_MAPPED;
import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.hostGroupName;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import korvane.str.diskarray.TestStation.JavaRun;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Host connectivity through the real library: an operator configures LAN,
 * host groups, WWNs, LU mappings and LUN security, the station refuses what
 * would break them, and a new JVM finds everything as it was.
 */
class ConnectivityEndToEndTest {
  private static final String TOOL = "korvane.str.diskarray.cli.DiskArrayTool";
  private static final String UNIT = "array01";

  @TempDir Path scratch;
  private Path station;

  @BeforeEach
  void createUnit() throws Exception {
    station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(
        unit(UNIT, "lab", 1, 2, 3, 4, "10.0.0.1", "10.0.0.2"));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(0, 5, 0, 0, 3, 1));
    for (int lu = 0; lu < 3; lu++) {
      DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(lu, 0, 1000));
    }
  }

  @Test
  void configuredHostsSurviveARestartAndKeepTheirLus() throws Exception {
    LANInformation lan = DiskArrayUtilityJNI.KX_GetLANInformation(UNIT, 0);
    assertEquals("10.0.0.1", lan.ip_address);
    lan.ip_address = "192.168.5.20";
    lan.gateway = "192.168.5.1";
    DiskArrayUtilityJNI.KX_SetLANInformation(UNIT, 0, lan, 0);
    // The same address for the other controller is refused.
    assertEquals(KXE_DUPLICATE_ADDRESS,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetLANInformation(UNIT, 1, lan, 0)));
    UnitCondition condition = DiskArrayUtilityJNI.KX_GetUnitCondition(UNIT, 0);
    assertEquals("192.168.5.20", condition.ctl0_ip);
    assertEquals("192.168.5.1", condition.ctl0_gateway);

    DiskArrayUtilityJNI.KX_CreateHG(UNIT, 0, 1, -1, hostGroupName("web"));
    DiskArrayUtilityJNI.KX_CreateHG(UNIT, 0, 1, 5, hostGroupName("db"));
    assertEquals(KXE_DUPLICATE_HOST_GROUP,
        codeOf(() -> DiskArrayUtilityJNI.KX_CreateHG(UNIT, 0, 1, 6, hostGroupName("db"))));
    HGList groups = DiskArrayUtilityJNI.KX_GetHGList(UNIT);
    assertEquals("web", groups.ctl[0].port[1].hg[1].hgname);
    assertEquals(1, groups.ctl[0].port[1].hg[5].valid);

    WWNHGInformation hosts = DiskArrayUtilityJNI.KX_GetWWNHGInformation(UNIT);
    WWNHostInfo host = hosts.ctl[0].port[1].wwn[0];
    host.port_name = "210000E08B0A0B0C";
    host.wname = "alpha";
    host.hg_number = 5;
    host.hostflag = 1;
    DiskArrayUtilityJNI.KX_SetWWNHGInformation(UNIT, hosts);

    LuMappingHGInfo mapping = new LuMappingHGInfo();
    mapping.lu[0] = 2;
    mapping.lu[1] = 1;
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 1, 5, 0, mapping);
    mapping.lu[2] = 1;
    assertEquals(KXE_DUPLICATE_MAPPING,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 1, 5, 0, mapping)));
    Object[] read = DiskArrayUtilityJNI.KX_GetLuMappingList(UNIT, 0, 1, 5);
    assertEquals(Integer.valueOf(2), read[0]);
    assertEquals(1, ((LuMappingHGInfo) read[1]).lu[1]);
    assertEquals(-1, ((LuMappingHGInfo) read[1]).lu[2]);

    // A permission file with a bad line imports nothing, and the station's
    // report names the line.
    Path bad = scratch.resolve("bad.txt");
    Files.writeString(bad, "# hosts of port 1.0\n"
        + "10000000c9000002 20000000c9000002 010203 0-1\n"
        + "10000000c900003 - - 2\n");
    assertEquals(KXE_IMPORT_SYNTAX, codeOf(() ->
        DiskArrayUtilityJNI.KX_FibreInfoPermissionImport(UNIT, bad.toString(), 1, 0)));
    assertTrue(Files.readString(station.resolve("import-errors.txt")).contains("line 3"));
    assertEquals(0, DiskArrayUtilityJNI.KX_GetFibreInformation(UNIT)[1].security[0]
        .permission_count);
    Path good = scratch.resolve("good.txt");
    Files.writeString(good, "10000000c9000002 20000000c9000002 010203 0\n");
    FibreInformationPermission[] imported =
        DiskArrayUtilityJNI.KX_FibreInfoPermissionImport(UNIT, good.toString(), 1, 0);
    assertEquals(1, imported.length);
    assertEquals("010203", imported[0].n_port_id);
    assertEquals(1, imported[0].lun_security_bitmap[0]);

    LogicalInformation counts = DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT).l_info;
    assertEquals(2, counts.hg_count);
    assertEquals(1, counts.perm_count);
    // LU 2 is the last: mapped, so it stays.
    assertEquals(KXE_LU_MAPPED, codeOf(() -> DiskArrayUtilityJNI.KX_LogicalUnitDelete(UNIT)));

    // A new JVM sees all of it, through the tool.
    Path logs = scratch.resolve("logs");
    String stationArg = station.toString();
    JavaRun list = runJava(logs, TOOL, "--station", stationArg, "hostgroup", "list", UNIT);
    assertNoJniReports(list);
    assertEquals(0, list.status, list::toString);
    assertTrue(list.stdout.matches("(?s).*0\\.1\\s+5\\s+db\\s+1\\s+2\\s.*"), list::toString);
    JavaRun wwns = runJava(logs, TOOL, "--station", stationArg, "wwn", "list", UNIT);
    assertTrue(wwns.stdout.matches("(?s).*0\\.1\\s+210000e08b0a0b0c\\s+-\\s+alpha\\s+5\\s+db.*"),
        wwns::toString);
    JavaRun lanShow = runJava(logs, TOOL, "--station", stationArg, "lan", "show", UNIT);
    assertTrue(lanShow.stdout.contains("192.168.5.20"), lanShow::toString);
    JavaRun security = runJava(logs, TOOL, "--station", stationArg, "security", "show", UNIT,
        "--controller=1", "--port=0");
    assertTrue(security.stdout.matches("(?s).*10000000c9000002\\s+20000000c9000002\\s+010203\\s+0\\b.*"),
        security::toString);

    // The tool in the new JVM unmaps the LU; then it can go.
    JavaRun unmap = runJava(logs, TOOL, "--station", stationArg, "map", "remove", UNIT, "0",
        "--controller=0", "--port=1", "--hg=5");
    assertEquals(0, unmap.status, unmap::toString);
    DiskArrayUtilityJNI.KX_LogicalUnitDelete(UNIT);
    assertEquals(-1, DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT)[2].luNumber);
  }

  @Test
  void hostGroupSelectionsAndTargetIdImport() throws Exception {
    DiskArrayUtilityJNI.KX_CreateHG(UNIT, 1, 0, 3, hostGroupName("backup"));
    LuMappingHGInfo mapping = new LuMappingHGInfo();
    mapping.lu[4] = 0;
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 1, 0, 3, 0, mapping);
    HGOptionInfo option = DiskArrayUtilityJNI.KX_GetHGOption(UNIT, 1, 0, 3);
    option.option = 0x21;
    DiskArrayUtilityJNI.KX_SetHGOption(UNIT, 1, 0, 3, option);

    InitHGList init = new InitHGList();
    init.ctl[1].port[0].hg[3] = 1;
    DiskArrayUtilityJNI.KX_InitHGList(UNIT, init);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetHGOption(UNIT, 1, 0, 3).option);
    assertEquals(Integer.valueOf(0), DiskArrayUtilityJNI.KX_GetLuMappingList(UNIT, 1, 0, 3)[0]);

    // The default group cannot go, and then nothing goes.
    DeleteHGList delete = new DeleteHGList();
    delete.ctl[1].port[0].hg[3] = 1;
    delete.ctl[1].port[0].hg[0] = 1;
    assertEquals(KXE_DEFAULT_HOST_GROUP,
        codeOf(() -> DiskArrayUtilityJNI.KX_DeleteHGList(UNIT, delete)));
    assertEquals(1, DiskArrayUtilityJNI.KX_GetHGList(UNIT).ctl[1].port[0].hg[3].valid);
    delete.ctl[1].port[0].hg[0] = 0;
    DiskArrayUtilityJNI.KX_DeleteHGList(UNIT, delete);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetHGList(UNIT).ctl[1].port[0].hg[3].valid);

    Path file = scratch.resolve("targets.txt");
    Files.writeString(file, "mode 0 multi\nmulti 0 1 2,4\nluns 0 1 4 0-3\n");
    TargetId[] targets = DiskArrayUtilityJNI.KX_TargetIdImport(UNIT, file.toString());
    assertEquals(2, targets.length);
    assertEquals(1, targets[0].target_id_mode);
    assertEquals(1, targets[0].target_config[1].multi[4]);
    byte[] luns = new byte[128];
    luns[0] = luns[1] = luns[2] = luns[3] = 1;
    assertArrayEquals(luns, targets[0].target_config[1].mapping[4].lun);
    TargetId[] stored = DiskArrayUtilityJNI.KX_GetTargetId(UNIT, 0);
    assertArrayEquals(luns, stored[0].target_config[1].mapping[4].lun);
    assertEquals(ERR_NULL_ARGUMENT,
        codeOf(() -> DiskArrayUtilityJNI.KX_TargetIdImport(UNIT, null)));

    RvrfSrcArrayUnit other = new RvrfSrcArrayUnit();
    other.valid = 1;
    other.other_serial_no = "87654321";
    other.other_sequence_no = "0007";
    other.path[0].path_status = 1;
    other.path[0].self_port_no = 1;
    DiskArrayUtilityJNI.KX_SetRvrfSrcPath(UNIT, other);
    RvrfSrcInfo info = DiskArrayUtilityJNI.KX_GetRvrfSrcPath(UNIT);
    assertEquals(1, info.rvrfsrc_option);
    assertEquals("87654321", info.arrayunit[0].other_serial_no);
    assertEquals(1, info.arrayunit[0].path[0].self_port_no);
    DiskArrayUtilityJNI.KX_DelRvrfSrcPath(UNIT);
    assertEquals("", DiskArrayUtilityJNI.KX_GetRvrfSrcPath(UNIT).arrayunit[0].other_serial_no);
  }
}
