package korvane.str.diskarray.cli;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import org.junit.jupiter.api.Test;

/**
 * How the monitor names the alerts the station reports ended, where the
 * end-to-end test's plain recovery does not reach: a fault that grew worse,
 * a group deleted while degraded, a monitor that never saw the objects.
 */
class MonitorEndedAlertsTest {
  private static final int DRIVE_BLOCKED = 0x01;
  private static final int DRIVE_REBUILDING = 0x02;
  private static final int GROUP_DEGRADED = 0x04;

  private static Map<String, Integer> items(Object... pairs) {
    Map<String, Integer> items = new LinkedHashMap<>();
    for (int i = 0; i < pairs.length; i += 2) {
      items.put((String) pairs[i], (Integer) pairs[i + 1]);
    }
    return items;
  }

  @Test
  void endsAreNamedByWhatFollowedThem() {
    // Degraded turned failed: the group has not recovered.
    assertEquals(List.of("RAID group 0 no longer degraded"), MonitorCommand.ended(
        GROUP_DEGRADED,
        items("drive 1/0 of RAID group 0 blocked", DRIVE_BLOCKED,
            "RAID group 0 degraded", GROUP_DEGRADED),
        Set.of("drive 1/0 of RAID group 0 blocked", "drive 2/0 of RAID group 0 blocked",
            "RAID group 0 failed"),
        Set.of("RAID group 0")));

    // A group deleted while degraded did not recover either; its drive is
    // back in service all the same. The group comes first.
    assertEquals(List.of("RAID group 0 no longer degraded",
        "drive 0/0 of RAID group 0 back in service"), MonitorCommand.ended(
        DRIVE_BLOCKED | GROUP_DEGRADED,
        items("drive 0/0 of RAID group 0 blocked", DRIVE_BLOCKED,
            "RAID group 0 degraded", GROUP_DEGRADED),
        Set.of(), Set.of()));

    // A monitor started after the fault never saw its objects: by kind.
    assertEquals(List.of("drive rebuilding (ended)", "RAID group degraded (ended)"),
        MonitorCommand.ended(DRIVE_REBUILDING | GROUP_DEGRADED, items(), Set.of(), null));
  }
}
