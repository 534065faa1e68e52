package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_FILE_CHECKSUM;
import static korvane.str.diskarray.ErrorCodes.KXE_LU_MAPPED;
import static korvane.str.diskarray.ErrorCodes.KXE_TURBO_CACHE_EXCEEDED;
import static korvane.str.diskarray.ErrorCodes.KXE_UNIFIED_MEMBER;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * A unit's special LUs from Java and through the tool: a unified LU that holds its members, a
 * turbo LU, pinned data while a drive is blocked, and the configuration file round trip.
 */
class SpecialLusEndToEndTest {
  private static final String UNIT = "array01";

  @TempDir Path scratch;

  private String tool(int expectedStatus, String... args) {
    TestStation.JavaRun run = TestStation.JavaRun.inProcess(scratch.resolve("station"), args);
    String text = run.stdout + run.stderr;
    assertEquals(expectedStatus, run.status, text);
    return text;
  }

  @Test
  void unifiedTurboPinnedAndFiledLus() throws Exception {
    TestStation.open(scratch.resolve("station"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(0, 5, 0, 0, 3, 1));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(1, 5, 0, 1, 3, 1));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(0, 0, 1000));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(1, 1, 1500));

    // An LU a host reaches directly cannot become a child.
    LuMappingHGInfo direct = new LuMappingHGInfo();
    direct.lu[3] = 1;
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 0, 0, 0, direct);
    assertEquals(KXE_LU_MAPPED, codeOf(() -> DiskArrayUtilityJNI.KX_SetIntegrationLU(UNIT,
        new IntegrationLURequest(IntegrationLURequest.UNIFY_JOIN, 0, 1))));
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 0, 0, 0, new LuMappingHGInfo());

    // Unified: LU 0 stands for 2500 MB and LU 1, the last LU, cannot go.
    DiskArrayUtilityJNI.KX_SetIntegrationLU(UNIT,
        new IntegrationLURequest(IntegrationLURequest.UNIFY_JOIN, 0, 1));
    IntegrationLUInfo unified = DiskArrayUtilityJNI.KX_IntegrationLUInfo(UNIT);
    assertEquals(1, unified.integration_lu);
    assertEquals(512, unified.unite_info.length);
    assertEquals(2500, unified.unite_info[0].capacity);
    assertEquals(2, unified.unite_info[1].unite_info, "LU 1 is a child");
    assertEquals(512, unified.unite_info[511].child_lun.length);
    assertEquals(1, unified.unite_info[0].child_lun[0]);
    assertEquals(KXE_UNIFIED_MEMBER, codeOf(() -> DiskArrayUtilityJNI.KX_LogicalUnitDelete(UNIT)));
    // Hosts reach the unified LU through its parent, never through a child.
    LuMappingHGInfo mapping = new LuMappingHGInfo();
    mapping.lu[0] = 1;
    assertEquals(KXE_UNIFIED_MEMBER,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 0, 0, 0, mapping)));
    mapping.lu[0] = 0;
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 0, 0, 0, mapping);
    assertEquals(0, ((LuMappingHGInfo) DiskArrayUtilityJNI.KX_GetLuMappingList(UNIT, 0, 0, 0)[1])
        .lu[0]);
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 0, 0, 0, new LuMappingHGInfo());

    // Turbo: the unified LU is too big for a controller's cache; LU 0 alone fits after a split.
    TurboLu turbo = DiskArrayUtilityJNI.KX_GetTurboLU(UNIT);
    turbo.option = 1;
    turbo.ctl[1].reserve_assign = 1;
    turbo.ctl[1].reserve_lun = 0;
    TurboLu asked = turbo;
    assertEquals(KXE_TURBO_CACHE_EXCEEDED,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetTurboLU(UNIT, asked)));
    DiskArrayUtilityJNI.KX_SetIntegrationLU(UNIT,
        new IntegrationLURequest(IntegrationLURequest.UNIFY_SPLIT, 0, -1));
    DiskArrayUtilityJNI.KX_SetTurboLU(UNIT, turbo);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetTurboLU(UNIT).ctl[1].current_lun);
    TurboLu broken = new TurboLu();
    broken.ctl = null;
    assertEquals(DiskArrayException.MARSHAL_FAILURE,
        codeOf(() -> DiskArrayUtilityJNI.KX_SetTurboLU(UNIT, broken)));

    // Pinned data while a drive of group 1 is out of service.
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 0, 1, 1);
    int[] pinned = DiskArrayUtilityJNI.KX_GetPinInfo2(UNIT);
    assertEquals(512, pinned.length);
    assertEquals(0, pinned[0]);
    assertEquals(64, pinned[1]);
    assertEquals(-1, pinned[2]);
    assertEquals(64, DiskArrayUtilityJNI.KX_GetPinInfo(UNIT, 1));
    assertTrue(DiskArrayUtilityJNI.KX_GetPinInfoGetTime(UNIT, 0) > 19700101);
    assertEquals(512, DiskArrayUtilityJNI.KX_GetIntegrationPinInfo(UNIT).single_lu.length);
    assertTrue(tool(0, "pin", UNIT).contains("pinned data since"));

    // The file holds exactly what the list calls show; a damaged one is refused.
    Path file = scratch.resolve("config.txt");
    DiskArrayUtilityJNI.KX_RaidLuExport(UNIT, file.toString());
    Object[] found = DiskArrayUtilityJNI.KX_RaidLuImport(UNIT, file.toString());
    assertEquals(557, found.length);
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT);
    LogicalUnit[] lus = DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT);
    for (int i = 0; i < 45; i++) {
      assertEquals(groups[i].toString(), found[i].toString());
    }
    for (int i = 0; i < 512; i++) {
      assertNotNull(found[45 + i]);
      assertEquals(lus[i].toString(), found[45 + i].toString());
    }
    String text = Files.readString(file, StandardCharsets.UTF_8);
    Files.writeString(file, text.replace("lu 1 1 5 0 1500", "lu 1 1 5 0 1600"),
        StandardCharsets.UTF_8);
    assertEquals(KXE_FILE_CHECKSUM,
        codeOf(() -> DiskArrayUtilityJNI.KX_RaidLuImport(UNIT, file.toString())));

    // The tool: unify, refuse, show the file's groups and LUs, split.
    tool(0, "lu", "unify", UNIT, "0", "1");
    assertTrue(tool(1, "lu", "delete", UNIT, "--yes").contains("unified LU"));
    Path listing = scratch.resolve("listing.txt");
    tool(0, "config", "rglu", "output", UNIT, listing.toString());
    String shown = tool(0, "config", "rglu", "import", UNIT, listing.toString(), "-p");
    assertTrue(shown.contains("RAID 5"), shown);
    assertTrue(shown.contains("1500"), shown);
    assertTrue(tool(0, "lu", "unified", UNIT).contains("LU 0 + LU 1"));
    tool(0, "lu", "split", UNIT, "0");
    assertTrue(tool(0, "turbo", "show", UNIT).contains("LU 0"));
  }
}
