package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_UNIT;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_UNIT_NAME;
import static korvane.str.diskarray.ErrorCodes.KXE_NOT_INITIALIZED;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_UNIT;
import static korvane.str.diskarray.ErrorCodes.KXE_WORKING_DIRECTORY;
import static korvane.str.diskarray.TestStation.assertUnit;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.HashMap;
import java.util.Map;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The unit registry natives end to end, against the stand-in core on a fresh station. */
class UnitRegistryTest {
  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
  }

  private static Map<String, KXUnitParam> byName(KXUnitParam[] units) {
    Map<String, KXUnitParam> map = new HashMap<>();
    for (KXUnitParam unit : units) {
      assertNotNull(unit, "table entry");
      map.put(unit.unit_name, unit);
    }
    return map;
  }

  @Test
  void addGetChangeDeleteRoundTrip() throws Exception {
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUnitCount());
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUnitParamTable(0).length);

    KXUnitParam first = unit("array01", "lab", 1, 2, 3, 4, "10.0.0.1", "10.0.0.2");
    KXUnitParam second = unit("array02", "offsite", -5, 17, 0, 127, "ctl-a", "");
    DiskArrayUtilityJNI.KX_UnitAdd(first);
    DiskArrayUtilityJNI.KX_UnitAdd(second);

    assertEquals(2, DiskArrayUtilityJNI.KX_GetUnitCount());
    assertUnit(first, DiskArrayUtilityJNI.KX_GetUnitParam("array01"));
    assertUnit(second, DiskArrayUtilityJNI.KX_GetUnitParam("array02"));
    KXUnitParam[] table = DiskArrayUtilityJNI.KX_GetUnitParamTable(2);
    assertEquals(2, table.length);
    Map<String, KXUnitParam> listed = byName(table);
    assertUnit(first, listed.get("array01"));
    assertUnit(second, listed.get("array02"));

    KXUnitParam changed = unit("array02-prod", "production", 9, 8, 7, 6, "ctl0 new", "ctl1 new");
    DiskArrayUtilityJNI.KX_UnitChange("array02", changed);
    assertUnit(changed, DiskArrayUtilityJNI.KX_GetUnitParam("array02-prod"));
    assertEquals(KXE_UNKNOWN_UNIT, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("array02")));
    assertUnit(first, DiskArrayUtilityJNI.KX_GetUnitParam("array01"));

    DiskArrayUtilityJNI.KX_UnitDelete("array01");
    assertEquals(1, DiskArrayUtilityJNI.KX_GetUnitCount());
    KXUnitParam[] remaining = DiskArrayUtilityJNI.KX_GetUnitParamTable(1);
    assertEquals(1, remaining.length);
    assertUnit(changed, remaining[0]);
  }

  @Test
  void tableHasExactlyTheRequestedLength() throws Exception {
    DiskArrayUtilityJNI.KX_UnitAdd(unit("only"));
    // Past the registered units the core leaves zeroed records; the bridge
    // still builds every one of them.
    KXUnitParam[] table = DiskArrayUtilityJNI.KX_GetUnitParamTable(3);
    assertEquals(3, table.length);
    assertUnit(unit("only"), table[0]);
    assertNotNull(table[2]);
    assertEquals("", table[2].unit_name);
    assertEquals(0, table[2].connect_type);
  }

  @Test
  void codesAreSingleSignedBytes() throws Exception {
    KXUnitParam wide = unit("bytes", "g", 200, 255, 0x17F, -128, "", "");
    DiskArrayUtilityJNI.KX_UnitAdd(wide);
    KXUnitParam read = DiskArrayUtilityJNI.KX_GetUnitParam("bytes");
    assertEquals(-56, read.connect_type);
    assertEquals(-1, read.kx_type);
    assertEquals(127, read.unit_conf);
    assertEquals(-128, read.alert);

    // The change path has its own record reader.
    read.connect_type = 128;
    read.alert = 0x100 + 42;
    DiskArrayUtilityJNI.KX_UnitChange("bytes", read);
    KXUnitParam changed = DiskArrayUtilityJNI.KX_GetUnitParam("bytes");
    assertEquals(-128, changed.connect_type);
    assertEquals(42, changed.alert);
  }

  @Test
  void textsAreCutToTheirFieldWidths() throws Exception {
    String sixteen = "abcdefghijklmnop";
    String twenty = sixteen + "qrst";
    String ctl79 = "x".repeat(79);
    KXUnitParam unit = unit(twenty, twenty, 0, 0, 0, 0, "y".repeat(100), ctl79);
    DiskArrayUtilityJNI.KX_UnitAdd(unit);

    // The 20-byte lookup name is cut the same way, so it finds the unit.
    KXUnitParam read = DiskArrayUtilityJNI.KX_GetUnitParam(twenty);
    assertEquals(sixteen, read.unit_name);
    assertEquals(sixteen, read.group_name);
    assertEquals("y".repeat(79), read.ctl0);
    assertEquals(ctl79, read.ctl1);
    assertUnit(read, DiskArrayUtilityJNI.KX_GetUnitParam(sixteen));

    // Two-byte characters count as two bytes: nine of them keep eight.
    KXUnitParam accented = unit("accented", "é".repeat(9), 0, 0, 0, 0, "", "");
    DiskArrayUtilityJNI.KX_UnitAdd(accented);
    assertEquals("é".repeat(8), DiskArrayUtilityJNI.KX_GetUnitParam("accented").group_name);
  }

  @Test
  void unitChangePassesALongOldNameWhole() throws Exception {
    String sixteen = "abcdefghijklmnop";
    KXUnitParam original = unit(sixteen);
    DiskArrayUtilityJNI.KX_UnitAdd(original);
    KXUnitParam renamed = unit("renamed");

    // Cut to 16 bytes these names would match the registered unit; whole,
    // the core rejects them as longer than a unit name.
    for (String oldName : new String[] {sixteen + "q", sixteen + "z".repeat(1023 - 16)}) {
      assertEquals(KXE_INVALID_UNIT_NAME,
          codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange(oldName, renamed)),
          "old name of " + oldName.length() + " bytes");
    }
    assertUnit(original, DiskArrayUtilityJNI.KX_GetUnitParam(sixteen));
    assertEquals(KXE_UNKNOWN_UNIT, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("renamed")));

    DiskArrayUtilityJNI.KX_UnitChange(sixteen, renamed);
    assertUnit(renamed, DiskArrayUtilityJNI.KX_GetUnitParam("renamed"));
  }

  @Test
  void coreFailuresArriveWithTheCoreCode() throws Exception {
    DiskArrayUtilityJNI.KX_UnitAdd(unit("taken"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit("other"));

    assertEquals(KXE_DUPLICATE_UNIT, codeOf(() -> DiskArrayUtilityJNI.KX_UnitAdd(unit("taken"))));
    assertEquals(KXE_DUPLICATE_UNIT,
        codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange("other", unit("taken"))));
    assertEquals(KXE_UNKNOWN_UNIT, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("missing")));
    assertEquals(KXE_UNKNOWN_UNIT, codeOf(() -> DiskArrayUtilityJNI.KX_UnitDelete("missing")));
    assertEquals(KXE_UNKNOWN_UNIT,
        codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange("missing", unit("new"))));
    // An empty name reaches the core as an empty string.
    assertEquals(KXE_INVALID_UNIT_NAME, codeOf(() -> DiskArrayUtilityJNI.KX_UnitAdd(unit(""))));
    assertEquals(KXE_INVALID_UNIT_NAME, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("")));
    assertEquals(KXE_INVALID_UNIT_NAME,
        codeOf(() -> DiskArrayUtilityJNI.KX_UnitAdd(unit("tab\there"))));
    // A negative count sizes no table: the bridge refuses it itself.
    assertEquals(DiskArrayException.MARSHAL_FAILURE,
        codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParamTable(-1)));

    assertEquals(2, DiskArrayUtilityJNI.KX_GetUnitCount());
  }

  @Test
  void theStationLivesInItsWorkingDirectory(@TempDir Path elsewhere) throws Exception {
    DiskArrayUtilityJNI.KX_UnitAdd(unit("kept"));

    TestStation.open(elsewhere);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUnitCount());

    TestStation.open(station);
    assertUnit(unit("kept"), DiskArrayUtilityJNI.KX_GetUnitParam("kept"));

    // A working directory that cannot exist leaves the process without a station.
    Path file = Files.writeString(elsewhere.resolve("plain-file"), "not a directory");
    assertEquals(KXE_WORKING_DIRECTORY, codeOf(() -> TestStation.open(file.resolve("station"))));
    assertEquals(KXE_NOT_INITIALIZED, codeOf(DiskArrayUtilityJNI::KX_GetUnitCount));
    assertEquals(KXE_NOT_INITIALIZED, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitParam("kept")));
  }
}
