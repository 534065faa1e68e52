package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_DRIVE_IN_USE;
import static korvane.str.diskarray.ErrorCodes.KXE_DRIVE_NOT_MOUNTED;
import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_LU;
import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_RAID_GROUP;
import static korvane.str.diskarray.ErrorCodes.KXE_INSUFFICIENT_CAPACITY;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_GEOMETRY;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_RAID_LEVEL;
import static korvane.str.diskarray.ErrorCodes.KXE_LU_FORMATTING;
import static korvane.str.diskarray.ErrorCodes.KXE_RAID_GROUP_IN_USE;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_LU;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_RAID_GROUP;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_UNIT;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.storageSnapshot;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.function.Executable;
import org.junit.jupiter.api.io.TempDir;

/** RAID groups, LUs, formatting and the unit's status, end to end on a fresh station. */
class StorageEndToEndTest {
  // Drive capacities in MB: (lastLBA + 1) / 2048 of the 146 GB and 300 GB drives.
  private static final int SMALL_MB = 139236;
  private static final int LARGE_MB = 286102;
  private static final int UNFORMATTED = 2;
  private static final int FORMATTING = 1;
  private static final int FORMATTED = 0;
  private static final int JOB_RUNNING = 1;
  private static final int JOB_DONE = 2;

  private static final String UNIT = "array01";

  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestClock.reset();
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
  }

  private static RaidGroup[] groups() throws Exception {
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT);
    assertEquals(45, groups.length);
    return groups;
  }

  private static LogicalUnit[] lus() throws Exception {
    LogicalUnit[] lus = DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT);
    assertEquals(512, lus.length);
    return lus;
  }

  /** Geometry and capacities of a group; rest_h:rest is checked by assertStatusAgrees. */
  private static void assertGroup(RaidGroup group, int rgnum, int level, int port, int row,
      int width, int depth, int minimumMb, int lastLbaSet, int capacityMb, int freeMb) {
    assertArrayEquals(
        new int[] {rgnum, level, port, row, width, depth, minimumMb, lastLbaSet, capacityMb,
            freeMb},
        new int[] {group.rgnum, group.level, group.port, group.row, group.width, group.depth,
            group.minimum_capa, group.lastLBASet, group.lastLBA, group.lumaxcapa},
        group.toString());
  }

  private static void assertStatusAgrees() throws Exception {
    TestStation.assertStatusAgrees(UNIT);
  }

  @AfterEach
  void restoreTheClock() throws Exception {
    TestClock.reset();
  }

  @Test
  void raidGroupsAndLogicalUnitsStory() throws Exception {
    assertStatusAgrees();
    assertEquals(-1, DiskArrayUtilityJNI.KX_GetLastLogicalUnit(UNIT));

    // RAID 5, 4 wide and 2 deep over mixed drives: 3 data drives x 2 rows x the smallest.
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 5, 0, 0, 4, 2));
    // RAID 1+0 at a number of its own: half of 4 drives carry data.
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(7, 10, 0, 4, 4, 1));
    // RAID 0 over ten rows of large drives, cut to 3,000,000 MB: more than
    // 2^32 free blocks, so rest_h is 1.
    RaidGroup cut = raidGroup(-1, 0, 2, 5, 2, 10);
    cut.lastLBASet = 1;
    cut.lastLBA = 3000000;
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, cut);
    RaidGroup[] groups = groups();
    assertGroup(groups[0], 0, 5, 0, 0, 4, 2, SMALL_MB, 0, 3 * 2 * SMALL_MB, 3 * 2 * SMALL_MB);
    assertGroup(groups[7], 7, 10, 0, 4, 4, 1, SMALL_MB, 0, 2 * SMALL_MB, 2 * SMALL_MB);
    assertGroup(groups[1], 1, 0, 2, 5, 2, 10, LARGE_MB, 1, 3000000, 3000000);
    assertEquals(1, groups[1].rest_h);
    assertStatusAgrees();

    LogicalUnit first = logicalUnit(-1, 0, 100000);
    first.staging = 1;
    first.defaultCTL = 1;
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, first);
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 0, 200000));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(10, 1, 3000000));
    LogicalUnit[] lus = lus();
    assertEquals("LogicalUnit{luNumber=0, rgNumber=0, raid_level=5, staging=1, capacity=100000,"
        + " defaultCTL=1, currentCTL=1, status=2, hostblock=512, lu_valid=1, rg_last_lu=0}",
        lus[0].toString());
    assertEquals(1, lus[1].rg_last_lu);
    assertEquals(0, lus[1].defaultCTL);
    assertEquals(UNFORMATTED, lus[10].status);
    assertEquals(-1, lus[2].luNumber);
    assertEquals(lus[10].toString(), DiskArrayUtilityJNI.KX_GetLogicalUnit1(UNIT, 10).toString());
    assertEquals(10, DiskArrayUtilityJNI.KX_GetLastLogicalUnit(UNIT));
    groups = groups();
    assertEquals(6 * SMALL_MB - 300000, groups[0].lumaxcapa);
    assertGroup(groups[1], 1, 0, 2, 5, 2, 10, LARGE_MB, 1, 3000000, 0);

    // Changes to one LU take capacity from its group and touch nothing else.
    DiskArrayUtilityJNI.KX_LogicalUnitExpand(UNIT, 0, 150000);
    DiskArrayUtilityJNI.KX_LogicalUnitChangeStaging(UNIT, 1, 2);
    DiskArrayUtilityJNI.KX_LogicalUnitChangeCtl(UNIT, 1);
    DiskArrayUtilityJNI.KX_LogicalUnitInvalid(UNIT, 1);
    LogicalUnit changed = DiskArrayUtilityJNI.KX_GetLogicalUnit1(UNIT, 1);
    assertEquals(2, changed.staging);
    assertEquals(1, changed.defaultCTL);
    assertEquals(1, changed.currentCTL);
    assertEquals(0, changed.lu_valid);
    DiskArrayUtilityJNI.KX_LogicalUnitRestore(UNIT, 1);
    assertEquals(1, DiskArrayUtilityJNI.KX_GetLogicalUnit1(UNIT, 1).lu_valid);
    assertEquals(150000, DiskArrayUtilityJNI.KX_GetLogicalUnit1(UNIT, 0).capacity);
    assertEquals(6 * SMALL_MB - 350000, groups()[0].lumaxcapa);

    // Renumbering keeps the LU; a new size as well.
    DiskArrayUtilityJNI.KX_LogicalUnitRealloc(UNIT, new LuReallocRequest(1, 0, 5));
    DiskArrayUtilityJNI.KX_LogicalUnitRealloc(UNIT, new LuReallocRequest(5, 250000, 5));
    lus = lus();
    assertEquals(-1, lus[1].luNumber);
    assertEquals(5, lus[5].luNumber);
    assertEquals(250000, lus[5].capacity);
    assertEquals(2, lus[5].staging);
    assertEquals(6 * SMALL_MB - 400000, groups()[0].lumaxcapa);

    // Delete takes the highest LU; a group grows by whole rows.
    DiskArrayUtilityJNI.KX_LogicalUnitDelete(UNIT);
    assertEquals(-1, lus()[10].luNumber);
    assertEquals(5, DiskArrayUtilityJNI.KX_GetLastLogicalUnit(UNIT));
    assertEquals(1, lus()[5].rg_last_lu);
    DiskArrayUtilityJNI.KX_RaidGroupExpand(UNIT, raidGroup(0, 5, 0, 0, 4, 4));
    assertGroup(groups()[0], 0, 5, 0, 0, 4, 4, SMALL_MB, 0, 12 * SMALL_MB,
        12 * SMALL_MB - 400000);
    DiskArrayUtilityJNI.KX_RaidGroupDelete(UNIT, 7);
    assertEquals(-1, groups()[7].rgnum);
    assertStatusAgrees();

    DiskArrayUtilityJNI.KX_LogicalUnitDeleteAll(UNIT);
    DiskArrayUtilityJNI.KX_RaidGroupAllDelete(UNIT);
    assertStatusAgrees();
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT).l_info.rg_count);
  }

  @Test
  void rejectedRequestsGiveTheirCodeAndChangeNothing() throws Exception {
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 5, 0, 0, 4, 2));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 1, 2, 2, 2, 1));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 0, 1000));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 1, 2000));
    String before = storageSnapshot(UNIT);
    int free0 = groups()[0].lumaxcapa;
    RaidGroup tooLargeCut = raidGroup(-1, 0, 0, 10, 2, 1);
    tooLargeCut.lastLBASet = 1;
    tooLargeCut.lastLBA = 2 * SMALL_MB + 1;
    RaidGroup cutBelowUse = raidGroup(1, 1, 2, 2, 2, 2);
    cutBelowUse.lastLBASet = 1;
    cutBelowUse.lastLBA = 1999;
    FormatEntryList withUnknown = new FormatEntryList();
    withUnknown.lu[0] = 1;
    withUnknown.lu[7] = 1;

    List<Refusal> refusals = List.of(
        new Refusal("group over another's drives", KXE_DRIVE_IN_USE,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 0, 1, 1, 2, 1))),
        new Refusal("group on empty slots", KXE_DRIVE_NOT_MOUNTED,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 0, 3, 10, 2, 1))),
        new Refusal("RAID 3", KXE_INVALID_RAID_LEVEL,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 3, 0, 10, 4, 1))),
        new Refusal("RAID 5 two wide", KXE_INVALID_GEOMETRY,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 5, 0, 10, 2, 1))),
        new Refusal("group past the last row", KXE_INVALID_GEOMETRY,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 0, 0, 14, 2, 2))),
        new Refusal("taken group number", KXE_DUPLICATE_RAID_GROUP,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(1, 0, 0, 10, 2, 1))),
        new Refusal("cut above the full capacity", KXE_INSUFFICIENT_CAPACITY,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, tooLargeCut)),
        new Refusal("group of an unknown unit", KXE_UNKNOWN_UNIT,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAdd("nosuch", raidGroup(-1, 0, 0, 10, 2, 1))),
        new Refusal("expand into another's drives", KXE_DRIVE_IN_USE,
            () -> DiskArrayUtilityJNI.KX_RaidGroupExpand(UNIT, raidGroup(0, 5, 0, 0, 4, 3))),
        new Refusal("expand without growing", KXE_INVALID_GEOMETRY,
            () -> DiskArrayUtilityJNI.KX_RaidGroupExpand(UNIT, raidGroup(0, 5, 0, 0, 4, 2))),
        new Refusal("cut below the LUs' use", KXE_INSUFFICIENT_CAPACITY,
            () -> DiskArrayUtilityJNI.KX_RaidGroupExpand(UNIT, cutBelowUse)),
        new Refusal("delete a group with LUs", KXE_RAID_GROUP_IN_USE,
            () -> DiskArrayUtilityJNI.KX_RaidGroupDelete(UNIT, 0)),
        new Refusal("delete all groups while LUs exist", KXE_RAID_GROUP_IN_USE,
            () -> DiskArrayUtilityJNI.KX_RaidGroupAllDelete(UNIT)),
        new Refusal("delete an unknown group", KXE_UNKNOWN_RAID_GROUP,
            () -> DiskArrayUtilityJNI.KX_RaidGroupDelete(UNIT, 9)),
        new Refusal("LU in an unknown group", KXE_UNKNOWN_RAID_GROUP,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 9, 10))),
        new Refusal("LU larger than the free capacity", KXE_INSUFFICIENT_CAPACITY,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 0, free0 + 1))),
        new Refusal("taken LU number", KXE_DUPLICATE_LU,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(1, 0, 10))),
        new Refusal("shrink by expand", KXE_INVALID_ARGUMENT,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitExpand(UNIT, 0, 999)),
        new Refusal("expand past the group", KXE_INSUFFICIENT_CAPACITY,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitExpand(UNIT, 0, 1000 + free0 + 1)),
        new Refusal("expand an unknown LU", KXE_UNKNOWN_LU,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitExpand(UNIT, 7, 5000)),
        new Refusal("staging 3", KXE_INVALID_ARGUMENT,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitChangeStaging(UNIT, 0, 3)),
        new Refusal("renumber onto a taken number", KXE_DUPLICATE_LU,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitRealloc(UNIT, new LuReallocRequest(0, 0, 1))),
        new Refusal("resize past the group", KXE_INSUFFICIENT_CAPACITY,
            () -> DiskArrayUtilityJNI.KX_LogicalUnitRealloc(UNIT,
                new LuReallocRequest(0, 1000 + free0 + 1, 0))),
        new Refusal("format list naming an unknown LU", KXE_UNKNOWN_LU,
            () -> DiskArrayUtilityJNI.KX_EntryFormatList(UNIT, withUnknown)));

    for (Refusal refusal : refusals) {
      assertEquals(refusal.code, codeOf(refusal.call), refusal.what);
      assertEquals(before, storageSnapshot(UNIT), "after: " + refusal.what);
    }
    // Nothing was started by the refused format requests.
    assertEquals(0, DiskArrayUtilityJNI.KX_LogicalUnitFormatStatusList(UNIT).lu[0].status);
  }

  private static final class Refusal {
    final String what;
    final int code;
    final Executable call;

    Refusal(String what, int code, Executable call) {
      this.what = what;
      this.code = code;
      this.call = call;
    }
  }

  @Test
  void formatJobsRunToCompletion() throws Exception {
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 1, 0, 0, 2, 1));
    // At the station's default pace, 10 s per GB: about 3 s and 4 s full,
    // half a second quick.
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 0, 300));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 0, 400));
    DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(-1, 0, 500));
    assertEquals(0, DiskArrayUtilityJNI.KX_LogicalUnitFormatStatus(UNIT, 0));
    assertEquals(0, DiskArrayUtilityJNI.KX_LogicalUnitFormatStatusList(UNIT).lu[0].status);

    FormatEntryList entries = new FormatEntryList();
    entries.lu[0] = 1;
    entries.lu[1] = 1;
    // The jobs move only when the test moves the station's clock, so a slow
    // machine cannot see them end before the checks made while they run.
    long started = TestClock.stop();
    DiskArrayUtilityJNI.KX_EntryFormatList(UNIT, entries);

    FormatStatusList batch = DiskArrayUtilityJNI.KX_GetFormatStatusList(UNIT);
    assertEquals(1, batch.mode);
    assertEquals(512, batch.lu.length);
    assertEquals(1, batch.lu[0].entry);
    assertEquals(1, batch.lu[1].entry);
    assertEquals(0, batch.lu[2].entry);
    assertTrue(batch.resttime >= 2 && batch.resttime <= 4, batch.toString());
    assertEquals(FORMATTING, lus()[0].status);
    assertEquals(UNFORMATTED, lus()[2].status);

    // A formatting LU refuses every change of its space, and the refusals change nothing.
    String during = storageSnapshot(UNIT).replaceAll("status=\\d", "");
    assertEquals(KXE_LU_FORMATTING,
        codeOf(() -> DiskArrayUtilityJNI.KX_LogicalUnitFormat(UNIT, 1, 1)));
    assertEquals(KXE_LU_FORMATTING,
        codeOf(() -> DiskArrayUtilityJNI.KX_LogicalUnitExpand(UNIT, 0, 350)));
    assertEquals(KXE_LU_FORMATTING, codeOf(() -> DiskArrayUtilityJNI.KX_LogicalUnitRealloc(
        UNIT, new LuReallocRequest(1, 0, 9))));
    assertEquals(KXE_LU_FORMATTING,
        codeOf(() -> DiskArrayUtilityJNI.KX_LogicalUnitDeleteAll(UNIT)));
    assertEquals(during, storageSnapshot(UNIT).replaceAll("status=\\d", ""));

    // A quick format started meanwhile joins the running batch.
    DiskArrayUtilityJNI.KX_LogicalUnitFormat(UNIT, 2, 1);
    assertEquals(1, DiskArrayUtilityJNI.KX_GetFormatStatusList(UNIT).lu[2].entry);

    int[] lastPercent = new int[3];
    for (long at = started + 500; ; at += 500) {
      TestClock.standAt(at);
      LuFormatStatus[] jobs = DiskArrayUtilityJNI.KX_LogicalUnitFormatStatusList(UNIT).lu;
      boolean allDone = true;
      for (int lu = 0; lu < 3; lu++) {
        LuFormatStatus job = jobs[lu];
        assertTrue(job.percent >= lastPercent[lu], "progress of LU " + lu + " went back");
        assertEquals(job.status == JOB_DONE, job.percent == 100, job.toString());
        assertTrue(job.status == JOB_RUNNING || job.status == JOB_DONE, job.toString());
        lastPercent[lu] = job.percent;
        allDone &= job.status == JOB_DONE;
      }
      if (allDone) {
        break;
      }
      assertTrue(at - started < 30_000, "format jobs still running after 30 s");
    }
    batch = DiskArrayUtilityJNI.KX_GetFormatStatusList(UNIT);
    assertEquals(0, batch.mode);
    assertEquals(100, batch.totalpercent);
    assertEquals(0, batch.resttime);
    for (LogicalUnit lu : new LogicalUnit[] {lus()[0], lus()[1], lus()[2]}) {
      assertEquals(FORMATTED, lu.status, lu.toString());
    }
    assertEquals(100, DiskArrayUtilityJNI.KX_LogicalUnitFormatStatus(UNIT, 1));

    // A new size needs a new format; a new number does not.
    DiskArrayUtilityJNI.KX_LogicalUnitRealloc(UNIT, new LuReallocRequest(1, 0, 9));
    assertEquals(FORMATTED, lus()[9].status);
    DiskArrayUtilityJNI.KX_LogicalUnitRealloc(UNIT, new LuReallocRequest(9, 150, 9));
    assertEquals(UNFORMATTED, lus()[9].status);
  }
}
