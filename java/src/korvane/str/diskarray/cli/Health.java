package korvane.str.diskarray.cli;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.time.Instant;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.TreeSet;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.DriveReconstructInformation;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * The health of a unit as every view shows it: which drives are blocked or
 * rebuilding, and what that leaves of each RAID group's redundancy.
 */
final class Health {
  /** Exit status of {@code status} for a unit that still serves all its data without full redundancy. */
  static final int EXIT_DEGRADED = 3;
  /** Exit status of {@code status} for a unit with a RAID group that lost data. */
  static final int EXIT_FAILED = 4;

  static final int DRIVE_NORMAL = DiskArrayConstants.KX_PART_NORMAL;
  static final int DRIVE_BLOCKED = DiskArrayConstants.KX_PART_FAILED;
  static final int DRIVE_REBUILDING = DiskArrayConstants.KX_PART_REBUILDING;
  /** The drive events of the unit's trace (KX_TRACE_DRIVES). */
  private static final int TRACE_DRIVES = DiskArrayConstants.KX_TRACE_DRIVES;

  /** One RAID group's redundancy. */
  static final class Group {
    final RaidGroup group;
    int blocked;
    int rebuilding;
    /** The least advanced rebuilding member's percent. */
    int rebuildPercent = 100;

    Group(RaidGroup group) {
      this.group = group;
    }

    int lost() {
      return blocked + rebuilding;
    }

    /** normal, rebuilding, degraded (a member blocked) or failed (data lost). */
    String state() {
      if (lost() > tolerance(group.level)) {
        return "failed";
      }
      if (blocked > 0) {
        return "degraded";
      }
      return rebuilding > 0 ? "rebuilding" : "normal";
    }

    /** The state as the tables show it: rebuilding with its percent. */
    String describe() {
      String state = state();
      return state.equals("rebuilding") ? state + " " + rebuildPercent + "%" : state;
    }
  }

  final DiskDrive[] drives;
  final RaidGroup[] groups;
  /** Each rebuilding drive's percent, by slot. */
  final Map<Integer, Integer> rebuildPercent = new TreeMap<>();
  /** The groups in use, by number. */
  final Map<Integer, Group> byNumber = new LinkedHashMap<>();

  private Health(DiskDrive[] drives, RaidGroup[] groups) {
    this.drives = drives;
    this.groups = groups;
  }

  /**
   * Members a group of the level can lose and still serve every block. The
   * station's rule (FaultTolerance in core/model/raid_geometry.cpp) as the
   * tool needs it for each group; the station itself reports only the
   * unit's alerts.
   */
  static int tolerance(int level) {
    switch (level) {
      case 1:
      case 5:
      case 10:
        return 1;
      case 6:
        return 2;
      default:
        return 0;
    }
  }

  static Health read(String unit) throws DiskArrayException, ToolFailure {
    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(unit);
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(unit);
    if (drives == null || groups == null) {
      throw new ToolFailure("the bridge returned no drive or RAID group table");
    }
    Health health = new Health(drives, groups);
    for (RaidGroup group : groups) {
      if (group != null && group.rgnum >= 0) {
        health.byNumber.put(group.rgnum, new Group(group));
      }
    }
    int[] owner = DriveMap.groupOfSlot(groups);
    for (int slot = 0; slot < Math.min(drives.length, DriveMap.SLOTS); slot++) {
      DiskDrive drive = drives[slot];
      if (drive == null || drive.mount == 0) {
        continue;
      }
      int percent = 0;
      if (drive.drv_state == DRIVE_REBUILDING) {
        DriveReconstructInformation rebuild = DiskArrayUtilityJNI.KX_DriveReconstructInformation(
            unit, drive.port_no, drive.row_no);
        percent = rebuild == null ? 0 : rebuild.progress_ratio;
        health.rebuildPercent.put(slot, percent);
      }
      Group group = owner[slot] < 0 ? null : health.byNumber.get(owner[slot]);
      if (group == null) {
        continue;
      }
      if (drive.drv_state == DRIVE_BLOCKED) {
        group.blocked++;
      } else if (drive.drv_state == DRIVE_REBUILDING) {
        group.rebuilding++;
        group.rebuildPercent = Math.min(group.rebuildPercent, percent);
      }
    }
    return health;
  }

  int drivesIn(int state) {
    int count = 0;
    for (DiskDrive drive : drives) {
      if (drive != null && drive.mount != 0 && drive.drv_state == state) {
        count++;
      }
    }
    return count;
  }

  int groupsIn(String state) {
    int count = 0;
    for (Group group : byNumber.values()) {
      if (group.state().equals(state)) {
        count++;
      }
    }
    return count;
  }

  /** ok, degraded (a drive out of service or rebuilding) or failed (a group lost data). */
  String overall() {
    if (groupsIn("failed") > 0) {
      return "failed";
    }
    return drivesIn(DRIVE_BLOCKED) + drivesIn(DRIVE_REBUILDING) > 0 ? "degraded" : "ok";
  }

  int exitStatus() {
    switch (overall()) {
      case "failed":
        return EXIT_FAILED;
      case "degraded":
        return EXIT_DEGRADED;
      default:
        return DiskArrayTool.EXIT_OK;
    }
  }

  /** The health line of {@code status}: the verdict, then the counts behind it. */
  String line() {
    List<String> counts = new ArrayList<>();
    counts.add(drivesIn(DRIVE_BLOCKED) + " blocked");
    counts.add(drivesIn(DRIVE_REBUILDING) + " rebuilding");
    List<String> states = new ArrayList<>();
    for (String state : new String[] {"failed", "degraded", "rebuilding", "normal"}) {
      int count = groupsIn(state);
      if (count > 0 || state.equals("normal")) {
        states.add(count + " " + state);
      }
    }
    return overall() + ": drives " + String.join(", ", counts) + "; RAID groups "
        + String.join(", ", states);
  }

  /**
   * The station's clock: the wall clock, or what the file named by
   * KX_CLOCK_FILE says, read the way the station reads it ("N" the clock
   * stands at N ms since the epoch, "+N"/"-N" the wall clock shifted), so the
   * tool's estimates agree with the station's progress.
   */
  static long stationNowMs() {
    long wall = System.currentTimeMillis();
    String file = System.getenv("KX_CLOCK_FILE");
    if (file == null || file.isEmpty()) {
      return wall;
    }
    try {
      String text = new String(Files.readAllBytes(Paths.get(file)), StandardCharsets.US_ASCII)
          .trim();
      if (text.startsWith("+") || text.startsWith("-")) {
        return wall + Long.parseLong(text);
      }
      return Long.parseLong(text);
    } catch (IOException | RuntimeException e) {
      return wall;
    }
  }

  private static final Pattern RETURNED = Pattern.compile(
      "^\\d+ (\\S+) \\S+ drive drive at port (\\d+) row (\\d+) returned to service$");

  /** When each drive was last returned to service, by slot, from the unit's drive events. */
  static Map<Integer, Long> returnedAt(String unit) throws DiskArrayException {
    Map<Integer, Long> times = new TreeMap<>();
    String trace = DiskArrayUtilityJNI.KX_GetTraceText(unit, TRACE_DRIVES, 0, 0);
    for (String line : trace == null ? new String[0] : trace.split("\n")) {
      Matcher match = RETURNED.matcher(line);
      if (match.matches()) {
        int slot = Integer.parseInt(match.group(2)) * DriveMap.ROWS
            + Integer.parseInt(match.group(3));
        times.put(slot, Instant.parse(match.group(1)).toEpochMilli());
      }
    }
    return times;
  }

  /**
   * The time a rebuild has left, from how far it got since it began: empty
   * when there is nothing to go on yet.
   */
  static String estimate(long startedMs, long nowMs, int percent) {
    long elapsed = nowMs - startedMs;
    if (percent <= 0 || percent >= 100 || elapsed <= 0) {
      return "";
    }
    long leftSeconds = (elapsed * (100 - percent) / percent + 999) / 1000;
    return leftSeconds < 120 ? "about " + leftSeconds + " s left"
        : "about " + (leftSeconds + 59) / 60 + " min left";
  }

  private static final Pattern FORMAT_EVENT = Pattern.compile(
      "^\\d+ \\S+ \\S+ format format of LU (\\d+) (started|done|failed)\\b.*$");
  /** The format events of the unit's trace (KX_TRACE_FORMATS). */
  private static final int TRACE_FORMATS = DiskArrayConstants.KX_TRACE_FORMATS;

  /** The LUs whose latest format failed (their group failed while it ran). */
  static Set<Integer> failedFormats(String unit) throws DiskArrayException {
    Map<Integer, Boolean> failed = new TreeMap<>();
    String trace = DiskArrayUtilityJNI.KX_GetTraceText(unit, TRACE_FORMATS, 0, 0);
    for (String line : trace == null ? new String[0] : trace.split("\n")) {
      Matcher match = FORMAT_EVENT.matcher(line);
      if (match.matches()) {
        failed.put(Integer.parseInt(match.group(1)), match.group(2).equals("failed"));
      }
    }
    Set<Integer> lus = new TreeSet<>();
    failed.forEach((lu, isFailed) -> {
      if (isFailed) {
        lus.add(lu);
      }
    });
    return lus;
  }

  /** The group's health, or null for a group the unit does not have. */
  Group group(int number) {
    return byNumber.get(number);
  }
}
