package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_DRIVE_IN_USE;
import static korvane.str.diskarray.ErrorCodes.KXE_RAID_GROUP_IN_USE;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_LU;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Random;
import java.util.TreeMap;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.CyclicBarrier;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Several threads create and delete RAID groups and LUs on one unit at once.
 * Each thread keeps a ledger of what the station told it it created and
 * deleted; afterwards the tables must hold exactly what the ledgers add up
 * to, with no number handed out twice and no change lost.
 */
class ConcurrencyTest {
  private static final int THREADS = 4;
  private static final int ITERATIONS = 40;
  private static final String UNIT = "array01";


  // Every thread has three rows of its own (a RAID 5 group per row across
  // ports 0-3); all of them compete for one RAID 0 group on row 12.
  private static final int ROWS_PER_THREAD = 3;
  private static final int CONTENDED_ROW = 12;

  @TempDir Path station;

  /** What one thread was told by the station. */
  private static final class Ledger {
    /** Live RAID groups of this thread: number to first row. */
    final Map<Integer, Integer> groups = new HashMap<>();
    /** LUs this thread created (numbers unique to it): number to {rg, capacity}. */
    final Map<Integer, int[]> createdLus = new HashMap<>();
    int lusDeleted;
    int groupsDeleted;
  }

  private static final class Worker implements Runnable {
    private final int id;
    private final Ledger ledger = new Ledger();
    private final Random random;
    private final CyclicBarrier start;
    private final ConcurrentLinkedQueue<Throwable> failures;

    Worker(int id, CyclicBarrier start, ConcurrentLinkedQueue<Throwable> failures) {
      this.id = id;
      this.random = new Random(1000 + id);
      this.start = start;
      this.failures = failures;
    }

    @Override
    public void run() {
      try {
        start.await();
        for (int i = 0; i < ITERATIONS; i++) {
          step(i);
        }
      } catch (Throwable t) {
        failures.add(t);
      }
    }

    private void step(int iteration) throws Exception {
      switch (random.nextInt(5)) {
        case 0: {
          int row = id * ROWS_PER_THREAD + random.nextInt(ROWS_PER_THREAD);
          if (!ledger.groups.containsValue(row)) {
            DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 5, 0, row, 4, 1));
            ledger.groups.put(numberOfGroupAt(row), row);
          }
          break;
        }
        case 1:
          try {
            DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(-1, 0, 0, CONTENDED_ROW, 2, 1));
            ledger.groups.put(numberOfGroupAt(CONTENDED_ROW), CONTENDED_ROW);
          } catch (DiskArrayException e) {
            expect(e, KXE_DRIVE_IN_USE);
          }
          break;
        case 2: {
          if (ledger.groups.isEmpty()) {
            break;
          }
          List<Integer> mine = new ArrayList<>(ledger.groups.keySet());
          int rg = mine.get(random.nextInt(mine.size()));
          int number = id * ITERATIONS + iteration;
          int capacity = 1 + random.nextInt(1000);
          DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(number, rg, capacity));
          ledger.createdLus.put(number, new int[] {rg, capacity});
          break;
        }
        case 3:
          // Deletes the highest LU of the unit, whichever thread made it.
          try {
            DiskArrayUtilityJNI.KX_LogicalUnitDelete(UNIT);
            ledger.lusDeleted++;
          } catch (DiskArrayException e) {
            expect(e, KXE_UNKNOWN_LU);
          }
          break;
        default: {
          if (ledger.groups.isEmpty()) {
            break;
          }
          List<Integer> mine = new ArrayList<>(ledger.groups.keySet());
          int rg = mine.get(random.nextInt(mine.size()));
          try {
            DiskArrayUtilityJNI.KX_RaidGroupDelete(UNIT, rg);
            ledger.groups.remove(rg);
            ledger.groupsDeleted++;
          } catch (DiskArrayException e) {
            expect(e, KXE_RAID_GROUP_IN_USE);
          }
        }
      }
    }

    /** The number of the group whose rectangle starts at row; only its owner deletes it. */
    private static int numberOfGroupAt(int row) throws Exception {
      for (RaidGroup group : DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT)) {
        if (group.rgnum >= 0 && group.port == 0 && group.row == row) {
          return group.rgnum;
        }
      }
      throw new AssertionError("the group just added at row " + row + " is not in the table");
    }

    private static void expect(DiskArrayException e, int allowed) throws DiskArrayException {
      if (e.getCode() != allowed) {
        throw e;
      }
    }
  }

  @Test
  void threadsCreatingAndDeletingLoseNothing() throws Exception {
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));

    CyclicBarrier start = new CyclicBarrier(THREADS);
    ConcurrentLinkedQueue<Throwable> failures = new ConcurrentLinkedQueue<>();
    List<Worker> workers = new ArrayList<>();
    List<Thread> threads = new ArrayList<>();
    for (int id = 0; id < THREADS; id++) {
      Worker worker = new Worker(id, start, failures);
      workers.add(worker);
      threads.add(new Thread(worker, "worker-" + id));
    }
    threads.forEach(Thread::start);
    for (Thread thread : threads) {
      thread.join(120_000);
      assertTrue(!thread.isAlive(), thread.getName() + " still running");
    }
    if (!failures.isEmpty()) {
      AssertionError error = new AssertionError(failures.size() + " worker(s) failed");
      failures.forEach(error::addSuppressed);
      throw error;
    }

    // Every live group is claimed by exactly one thread, at the row it was told.
    Map<Integer, Integer> claimed = new TreeMap<>();
    Map<Integer, int[]> created = new HashMap<>();
    int deleted = 0;
    for (Worker worker : workers) {
      for (Map.Entry<Integer, Integer> group : worker.ledger.groups.entrySet()) {
        assertNull(claimed.put(group.getKey(), group.getValue()),
            "RAID group " + group.getKey() + " claimed by two threads");
      }
      created.putAll(worker.ledger.createdLus);
      deleted += worker.ledger.lusDeleted;
    }
    Map<Integer, Integer> inTable = new TreeMap<>();
    for (RaidGroup group : DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT)) {
      if (group.rgnum >= 0) {
        inTable.put(group.rgnum, group.row);
      }
    }
    assertEquals(claimed, inTable, "live RAID groups");

    // Every LU left is one a thread created, unchanged, and none went missing.
    int present = 0;
    for (LogicalUnit lu : DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT)) {
      if (lu.luNumber < 0) {
        continue;
      }
      present++;
      int[] expected = created.get(lu.luNumber);
      assertNotNull(expected, "LU no thread created: " + lu);
      assertEquals(expected[0], lu.rgNumber, "group of " + lu);
      assertEquals(expected[1], lu.capacity, "capacity of " + lu);
    }
    assertEquals(created.size() - deleted, present,
        created.size() + " LUs created, " + deleted + " deleted");
    int groupsDeleted = workers.stream().mapToInt(w -> w.ledger.groupsDeleted).sum();
    assertTrue(created.size() >= 10 && deleted >= 5 && groupsDeleted >= 2,
        "the workers did too little to prove anything: " + created.size() + " LUs created, "
            + deleted + " deleted, " + groupsDeleted + " RAID groups deleted");

    TestStation.assertStatusAgrees(UNIT);
  }
}
