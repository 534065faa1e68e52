package korvane.str.diskarray;

import static korvane.str.diskarray.DiskArrayConstants.*;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Set;
import java.util.TreeSet;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The constants generated from the station headers hold the numbers the
 * station really answers with: a value the generator read wrong (an
 * expression over several lines, a shift, a reference to another constant)
 * shows here as a disagreement with the live station.
 */
class DiskArrayConstantsTest {
  private static final String UNIT = "array01";

  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestClock.reset();
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
  }

  @Test
  void tableSizesAndUnusedEntriesAreTheStations() throws Exception {
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT);
    assertEquals(KX_RAID_GROUP_COUNT, groups.length);
    assertEquals(KX_UNUSED_ENTRY, groups[0].rgnum);
    LogicalUnit[] lus = DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT);
    assertEquals(KX_LOGICAL_UNIT_COUNT, lus.length);
    assertEquals(KX_UNUSED_ENTRY, lus[KX_LOGICAL_UNIT_COUNT - 1].luNumber);
    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT);
    assertEquals(KX_DRIVE_SLOTS, drives.length);
    assertEquals(KX_DRIVE_PORTS * KX_DRIVE_ROWS, KX_DRIVE_SLOTS);
    int mounted = 0;
    for (DiskDrive drive : drives) {
      mounted += drive.mount;
      assertEquals(KX_DRIVE_NO_SPARE, drive.spare_of_disk_port);
    }
    assertEquals(KX_MOUNTED_PORTS * KX_DRIVE_ROWS, mounted);
    assertEquals(KX_SMALL_DRIVE_LAST_LBA,
        DiskArrayUtilityJNI.KX_GetDriveInformation(UNIT, 0, 0).lastLBA);
    // A value written over two lines of its header, as shifts of other constants.
    assertEquals(KX_SUPPORTED_RAID_LEVELS,
        DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT).b_info.sup_rglevel);
    assertEquals((1 << 0) | (1 << 1) | (1 << 5) | (1 << 6) | (1 << 10), KX_SUPPORTED_RAID_LEVELS);
    assertEquals((1 << 10) - 1, KX_PARAM_ALL_GROUPS);
    assertEquals(1 << 20, KX_RGLU_FILE_MAX_BYTES);
  }

  @Test
  void statesAndModesAreTheStations() throws Exception {
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(KX_ANY_NUMBER, KX_RAID_5, 0, 0, 3, 1));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(KX_ANY_NUMBER, 0, 100));
    LogicalUnit lu = DiskArrayUtilityJNI.KX_GetLogicalUnit1(UNIT, 0);
    assertEquals(KX_LU_UNFORMATTED, lu.status);
    assertEquals(KX_RAID_5, lu.raid_level);
    DiskArrayUtilityJNI.KX_LogicalUnitChangeStaging(UNIT, 0, KX_STAGING_OFF);
    assertEquals(KX_STAGING_OFF, DiskArrayUtilityJNI.KX_GetLogicalUnit1(UNIT, 0).staging);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetLastLogicalUnit(UNIT));
    assertEquals(KX_DRIVE_RAID_GROUP, DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT)[0].attribute);
    assertEquals(KX_DRIVE_FREE,
        DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT)[KX_DRIVE_ROWS * 3].attribute);

    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 0, 0, KX_DRIVE_MODE_BLOCK);
    assertEquals(KX_PART_FAILED, DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT)[0].drv_state);
    assertEquals(KX_RECONSTRUCT_BLOCKED,
        DiskArrayUtilityJNI.KX_DriveReconstructInformation(UNIT, 0, 0).status_code);
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 0, 0, KX_DRIVE_MODE_RESTORE);
    assertEquals(KX_PART_REBUILDING, DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT)[0].drv_state);

    assertEquals("ABC", DiskArrayUtilityJNI.KX_ModifyInfo("abc", KX_MODIFY_UPPER));
    assertEquals("x y", DiskArrayUtilityJNI.KX_ModifyInfo("  x y \t", KX_MODIFY_TRIM));
    assertEquals(KX_ALERT_INTERVAL_DEFAULT, DiskArrayUtilityJNI.KX_GetAlertInterval());
  }

  @Test
  void everyConstantOfTheStationHeadersIsGenerated() throws Exception {
    Set<String> generated = new TreeSet<>();
    for (Field field : DiskArrayConstants.class.getDeclaredFields()) {
      int modifiers = field.getModifiers();
      assertTrue(Modifier.isPublic(modifiers) && Modifier.isStatic(modifiers)
          && Modifier.isFinal(modifiers) && field.getType() == int.class, field::toString);
      generated.add(field.getName());
    }
    Set<String> declared = new TreeSet<>();
    Pattern constant = Pattern.compile("^\\s*(KX_\\w+)\\s*=", Pattern.MULTILINE);
    try (DirectoryStream<Path> headers = Files.newDirectoryStream(
        Paths.get(System.getProperty("kx.source.dir"), "include"), "kx_station*.h")) {
      for (Path header : headers) {
        Matcher found = constant.matcher(Files.readString(header));
        while (found.find()) {
          declared.add(found.group(1));
        }
      }
    }
    assertTrue(declared.size() > 200, "only " + declared.size() + " constants in the headers");
    assertEquals(declared, generated);
  }
}
