package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_DRIVE_BLOCKED;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Path;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** A drive taken out of service and returned: its state and its rebuild, as Java sees them. */
class DriveRebuildTest {
  private static final String UNIT = "array01";
  private static final int BLOCK = 1;
  private static final int RESTORE = 0;
  private static final int NORMAL = 1;
  private static final int FAILED = 2;
  private static final int REBUILDING = 3;
  private static final int RECONSTRUCT_NONE = 0;
  private static final int RECONSTRUCT_RUNNING = 1;
  private static final int RECONSTRUCT_BLOCKED = 2;

  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
  }

  private static DiskDrive slot(int port, int row) throws Exception {
    DiskDrive[] slots = DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT);
    assertEquals(225, slots.length);
    return slots[port * 15 + row];
  }

  @Test
  void blockedMemberOfARedundantGroupRebuildsWhenReturned() throws Exception {
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(0, 5, 0, 0, 3, 1));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(1, 0, 0, 1, 2, 1));

    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 1, 0, BLOCK);
    assertEquals(FAILED, slot(1, 0).drv_state);
    DriveReconstructInformation blocked =
        DiskArrayUtilityJNI.KX_DriveReconstructInformation(UNIT, 1, 0);
    assertEquals(1, blocked.valid);
    assertEquals(RECONSTRUCT_BLOCKED, blocked.status_code);
    assertEquals(1, blocked.hdu_no);
    assertEquals(0, blocked.unit_no);

    // A blocked free drive cannot join a new group.
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 3, 5, BLOCK);
    assertEquals(KXE_DRIVE_BLOCKED, codeOf(() ->
        DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(2, 1, 2, 5, 2, 1))));
    assertEquals(FAILED, slot(3, 5).drv_state);

    // Returned: the RAID 5 member rebuilds at the format pace (146 GB takes
    // minutes at the default), the RAID 0 member is normal at once.
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 1, 0, RESTORE);
    assertEquals(REBUILDING, slot(1, 0).drv_state);
    DriveReconstructInformation running =
        DiskArrayUtilityJNI.KX_DriveReconstructInformation(UNIT, 1, 0);
    assertEquals(RECONSTRUCT_RUNNING, running.status_code);
    assertTrue(running.progress_ratio >= 0 && running.progress_ratio < 100,
        "progress " + running.progress_ratio);

    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 0, 1, BLOCK);
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 0, 1, RESTORE);
    assertEquals(NORMAL, slot(0, 1).drv_state);
    assertEquals(RECONSTRUCT_NONE,
        DiskArrayUtilityJNI.KX_DriveReconstructInformation(UNIT, 0, 1).status_code);

    // An empty slot has nothing to rebuild.
    assertEquals(0, DiskArrayUtilityJNI.KX_DriveReconstructInformation(UNIT, 14, 14).valid);
  }
}
