package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_LABEL;
import static korvane.str.diskarray.ErrorCodes.KXE_LABEL_LIST_FULL;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_LABEL;
import static korvane.str.diskarray.TestStation.codeOf;
import static org.junit.jupiter.api.Assertions.assertEquals;

import java.nio.file.Path;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * KX_ModifyInfo and KX_GetLabelList end to end. The stand-in core's
 * operations: 0 trim, 1 upper case, 2 lower case, 3 apply the label renames,
 * 4 set a rename "OLD NEW", 5 remove the rename of "OLD".
 */
class LabelListTest {
  private static final int TRIM = 0;
  private static final int UPPER = 1;
  private static final int LOWER = 2;
  private static final int APPLY = 3;
  private static final int SET = 4;
  private static final int REMOVE = 5;


  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
  }

  private static String modify(String text, int operation) throws Exception {
    return DiskArrayUtilityJNI.KX_ModifyInfo(text, operation);
  }

  private static void assertLabels(String... oldAndNew) throws Exception {
    KXLabel[] labels = DiskArrayUtilityJNI.KX_GetLabelList();
    assertEquals(oldAndNew.length / 2, labels.length, "label count");
    for (int i = 0; i < labels.length; i++) {
      assertEquals(oldAndNew[2 * i], labels[i].oldlabel, "oldlabel " + i);
      assertEquals(oldAndNew[2 * i + 1], labels[i].newlabel, "newlabel " + i);
    }
  }

  @Test
  void textConversions() throws Exception {
    assertEquals("Disk 01", modify("  Disk 01\t ", TRIM));
    assertEquals("DISK 01 é", modify("disk 01 é", UPPER));
    assertEquals("disk 01", modify("DISK 01", LOWER));
    assertEquals("", modify("", TRIM));
    // The text travels in a 1024-byte buffer: 1023 bytes of it reach the core.
    assertEquals("a".repeat(1023), modify("a".repeat(2000), LOWER));
    assertEquals(KXE_INVALID_ARGUMENT, codeOf(() -> modify("text", 99)));
  }

  @Test
  void labelRenamesRoundTrip() throws Exception {
    assertLabels();

    assertEquals("LU01 LUN1", modify("LU01 LUN1", SET));
    assertEquals("RG_2 RAID2", modify(" RG_2   RAID2 ", SET));
    assertLabels("LU01", "LUN1", "RG_2", "RAID2");
    assertEquals("LUN1, RAID2 and LU01x", modify("LU01, RG_2 and LU01x", APPLY));

    assertEquals("LU01 LUN9", modify("LU01 LUN9", SET));
    assertLabels("LU01", "LUN9", "RG_2", "RAID2");

    assertEquals("RG_2 RAID2", modify("RG_2", REMOVE));
    assertLabels("LU01", "LUN9");

    assertEquals(KXE_INVALID_LABEL, codeOf(() -> modify("TOOLONG X", SET)));
    assertEquals(KXE_INVALID_LABEL, codeOf(() -> modify("LU-1 X", SET)));
    assertEquals(KXE_UNKNOWN_LABEL, codeOf(() -> modify("RG_2", REMOVE)));
    assertLabels("LU01", "LUN9");
  }

  @Test
  void theListHoldsTwentyRenames() throws Exception {
    String[] expected = new String[40];
    for (int i = 0; i < 20; i++) {
      modify(String.format("L%02d N%02d", i, i), SET);
      expected[2 * i] = String.format("L%02d", i);
      expected[2 * i + 1] = String.format("N%02d", i);
    }
    assertLabels(expected);
    assertEquals(KXE_LABEL_LIST_FULL, codeOf(() -> modify("L20 N20", SET)));
    assertLabels(expected);
  }
}
