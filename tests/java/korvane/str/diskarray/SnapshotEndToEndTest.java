package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_UNIT;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.hostGroupName;
import static korvane.str.diskarray.TestStation.logicalUnit;
import static korvane.str.diskarray.TestStation.raidGroup;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicBoolean;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The array-wide snapshot against the real station: every part equals what the owning read
 * returns, and snapshots taken while other threads change the configuration are each whole.
 */
class SnapshotEndToEndTest {
  private static final String UNIT = "array01";

  @TempDir Path scratch;

  @BeforeEach
  void configureAUnit() throws Exception {
    TestStation.open(scratch.resolve("station"));
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT, "lab", 1, 2, 3, 4, "10.0.0.1", "10.0.0.2"));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(0, 5, 0, 0, 3, 1));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, raidGroup(1, 1, 0, 1, 2, 1));
    for (int lu = 0; lu < 4; lu++) {
      DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(lu, lu % 2, 500 + 100 * lu));
    }
  }

  @Test
  void everyPartEqualsTheOwningRead() throws Exception {
    DiskArrayUtilityJNI.KX_SetIntegrationLU(UNIT,
        new IntegrationLURequest(IntegrationLURequest.UNIFY_JOIN, 0, 2));
    LANInformation lan = DiskArrayUtilityJNI.KX_GetLANInformation(UNIT, 1);
    lan.ip_address = "192.168.7.21";
    DiskArrayUtilityJNI.KX_SetLANInformation(UNIT, 1, lan, 0);
    DiskArrayUtilityJNI.KX_CreateHG(UNIT, 0, 1, 4, hostGroupName("db"));
    LuMappingHGInfo mapping = new LuMappingHGInfo();
    mapping.lu[0] = 1;
    DiskArrayUtilityJNI.KX_SetLuMappingList(UNIT, 0, 1, 4, 0, mapping);
    KXUserRegist user = new KXUserRegist();
    user.user = "operator";
    user.passwd = "Pass-phrase-7";
    DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, user);
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 0, 0, 1);

    ArrayAllInformation all = DiskArrayUtilityJNI.KX_GetAllInformation(UNIT);

    Map<String, Object> owned = new HashMap<>();
    owned.put("unit_conditions", perController(c -> DiskArrayUtilityJNI.KX_GetUnitCondition(UNIT, c)));
    owned.put("drive_status", DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT));
    owned.put("drive_info", DiskArrayUtilityJNI.KX_GetDriveInformationAll(UNIT));
    owned.put("raid", DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT));
    owned.put("lu", DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT));
    owned.put("lu_coup", DiskArrayUtilityJNI.KX_GetCouplingInfo(UNIT));
    owned.put("integration_lu", DiskArrayUtilityJNI.KX_IntegrationLUInfo(UNIT));
    owned.put("turbo_lu", DiskArrayUtilityJNI.KX_GetTurboLU(UNIT));
    TargetId[] targets = DiskArrayUtilityJNI.KX_GetTargetId(UNIT, 0);
    owned.put("target_id", new TargetId[][] {targets, targets});
    owned.put("lan_info", perController(c -> DiskArrayUtilityJNI.KX_GetLANInformation(UNIT, c)));
    owned.put("sync_ctrl", perController(c -> DiskArrayUtilityJNI.KX_GetSyncControl(UNIT, c)));
    owned.put("rest_info", DiskArrayUtilityJNI.KX_GetDiskDriveRestoration(UNIT));
    owned.put("prefetch_info", DiskArrayUtilityJNI.KX_GetPrefetchInformation(UNIT));
    owned.put("verify", DiskArrayUtilityJNI.KX_GetOnlineVerify(UNIT));
    owned.put("fibre_info", DiskArrayUtilityJNI.KX_GetFibreInformation(UNIT));
    owned.put("user_reg_info", DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0));
    owned.put("comdev", DiskArrayUtilityJNI.KX_GetCommandDevice(UNIT));
    owned.put("on_opt", perController(c -> DiskArrayUtilityJNI.KX_GetNowWZParam(UNIT, c)));
    owned.put("rvrfsrc", DiskArrayUtilityJNI.KX_GetRvrfSrcPath(UNIT));
    owned.put("unit_info", DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT));
    int alerts = DiskArrayUtilityJNI.KX_AlertCheck(UNIT, 1);
    // Standing kinds, and the new ones (bits 16-23; ended ones sit above).
    owned.put("alert", new int[] {alerts & 0xFFFF, (alerts >>> 16) & 0xFF});
    owned.put("hg", DiskArrayUtilityJNI.KX_GetHGList(UNIT));
    owned.put("hgopt", DiskArrayUtilityJNI.KX_GetHGOptionAll(UNIT));
    owned.put("portopt", DiskArrayUtilityJNI.KX_GetPortOption(UNIT));
    owned.put("lumap", DiskArrayUtilityJNI.KX_GetLuMappingListAll(UNIT));
    owned.put("wwn", DiskArrayUtilityJNI.KX_GetWWNInformation(UNIT));
    owned.put("wwnhg", DiskArrayUtilityJNI.KX_GetWWNHGInformation(UNIT));
    owned.put("on_sysparam", DiskArrayUtilityJNI.KX_GetOnlineSystemParam(UNIT));
    owned.put("on_tuning", DiskArrayUtilityJNI.KX_GetOnlineTuningParam(UNIT));
    owned.put("tuning", DiskArrayUtilityJNI.KX_GetTuningParam(UNIT));
    owned.put("unit_identifier", DiskArrayUtilityJNI.KX_GetUnitIdentifier(UNIT));
    owned.put("ctrl_condition", new int[] {1, 1});
    owned.put("last_lu", 3);

    for (Field field : ArrayAllInformation.class.getFields()) {
      assertTrue(owned.containsKey(field.getName()), "no read for " + field.getName());
      assertSameTree(field.getName(), owned.get(field.getName()), field.get(all));
    }
    // What the parts say, beside being equal: the unified LU, the blocked drive, the mapping.
    assertEquals(1, all.integration_lu.integration_lu);
    assertEquals("192.168.7.21", all.lan_info[1].ip_address);
    assertEquals(1, all.user_reg_info.num);
    assertEquals(1, all.lumap.ctl[0].port[1].hg[4].lu[0]);

    assertEquals(KXE_UNKNOWN_UNIT,
        codeOf(() -> DiskArrayUtilityJNI.KX_GetAllInformation("nobody")));
  }

  @Test
  void concurrentSnapshotsAreEachWhole() throws Exception {
    // Group 0's capacity: what is free plus what its LUs take never changes.
    ArrayAllInformation before = DiskArrayUtilityJNI.KX_GetAllInformation(UNIT);
    final int total = capacityOfGroup(before, 0);

    AtomicBoolean done = new AtomicBoolean();
    ExecutorService pool = Executors.newFixedThreadPool(10);
    try {
      List<Future<Integer>> changers = new ArrayList<>();
      for (int t = 0; t < 2; t++) {
        final int first = 100 + 100 * t;
        changers.add(pool.submit(() -> {
          int changes = 0;
          for (int n = first; !done.get() && n < first + 100; n++) {
            DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, logicalUnit(n, 0, 10));
            changes++;
          }
          return changes;
        }));
      }
      List<Future<Integer>> readers = new ArrayList<>();
      for (int t = 0; t < 8; t++) {
        readers.add(pool.submit(() -> {
          int highest = -1;
          for (int i = 0; i < 6; i++) {
            ArrayAllInformation all = DiskArrayUtilityJNI.KX_GetAllInformation(UNIT);
            assertEquals(total, capacityOfGroup(all, 0), "group 0 is whole");
            int last = -1;
            for (LogicalUnit lu : all.lu) last = Math.max(last, lu.luNumber);
            assertEquals(last, all.last_lu, "last_lu follows the LU table");
            assertTrue(last >= highest, "a later snapshot never loses an LU");
            highest = last;
          }
          return highest;
        }));
      }
      for (Future<Integer> reader : readers) reader.get(5, TimeUnit.MINUTES);
      done.set(true);
      int changes = 0;
      for (Future<Integer> changer : changers) changes += changer.get(5, TimeUnit.MINUTES);
      assertTrue(changes > 0);
    } finally {
      pool.shutdownNow();
    }
    ArrayAllInformation after = DiskArrayUtilityJNI.KX_GetAllInformation(UNIT);
    assertEquals(total, capacityOfGroup(after, 0));
    assertNotNull(after.lu[0]);
  }

  interface ControllerRead {
    Object read(int controller) throws Exception;
  }

  /** What a read gives through controller 0 and controller 1, as an array of its type. */
  private static Object[] perController(ControllerRead read) throws Exception {
    Object first = read.read(0);
    Object[] both = (Object[]) Array.newInstance(first.getClass(), 2);
    both[0] = first;
    both[1] = read.read(1);
    return both;
  }

  /** Free megabytes of the group plus the megabytes of its LUs. */
  private static int capacityOfGroup(ArrayAllInformation all, int group) {
    int total = all.raid[group].lumaxcapa;
    for (LogicalUnit lu : all.lu) {
      if (lu.luNumber >= 0 && lu.rgNumber == group) total += lu.capacity;
    }
    return total;
  }

  /** Compares two record trees by their public fields, naming the first difference. */
  static void assertSameTree(String path, Object expected, Object actual) throws Exception {
    if (expected == null || actual == null) {
      assertEquals(expected, actual, path);
      return;
    }
    Class<?> type = expected.getClass();
    assertEquals(type, actual.getClass(), path);
    if (type.isArray()) {
      assertEquals(Array.getLength(expected), Array.getLength(actual), path + ".length");
      for (int i = 0; i < Array.getLength(expected); i++) {
        assertSameTree(path + "[" + i + "]", Array.get(expected, i), Array.get(actual, i));
      }
      return;
    }
    if (type.getPackage() != ArrayAllInformation.class.getPackage()) {
      assertEquals(expected, actual, path);
      return;
    }
    boolean anyField = false;
    for (Field field : type.getFields()) {
      if (Modifier.isStatic(field.getModifiers())) continue;
      anyField = true;
      assertSameTree(path + "." + field.getName(), field.get(expected), field.get(actual));
    }
    if (!anyField) fail(path + ": " + type.getName() + " has no fields to compare");
  }
}
