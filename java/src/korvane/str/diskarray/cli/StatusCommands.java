package korvane.str.diskarray.cli;

import static korvane.str.diskarray.DiskArrayConstants.KX_BLOCKS_PER_MB;
import static korvane.str.diskarray.DiskArrayConstants.KX_PART_REBUILDING;

import java.io.PrintStream;
import java.time.LocalDateTime;
import java.time.format.DateTimeFormatter;
import java.time.format.DateTimeParseException;
import java.time.format.ResolverStyle;
import java.util.ArrayList;
import java.util.GregorianCalendar;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import korvane.str.diskarray.CacheStatus;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.DiskDriveInformation;
import korvane.str.diskarray.DriveReconstructInformation;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.UnitCondition;
import korvane.str.diskarray.UnitInformation;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/** What a unit is and how it is: condition, information, drives, clock. */
final class StatusCommands {
  static final Set<String> COMMANDS = Set.of("status", "drives", "drive", "clock");

  private static final DateTimeFormatter CLOCK =
      DateTimeFormatter.ofPattern("uuuu-MM-dd HH:mm:ss").withResolverStyle(ResolverStyle.STRICT);
  private static final String[] PART_STATES = {"not installed", "normal", "failed", "rebuilding"};
  /** A drive's states: a drive out of service is "blocked" in every view of the tool. */
  private static final String[] DRIVE_STATES = {"not installed", "normal", "blocked", "rebuilding"};

  private final PrintStream out;
  /** Whether out is a terminal, where the rebuild's progress bar redraws its line. */
  private final boolean terminal;

  StatusCommands(PrintStream out, boolean terminal) {
    this.out = out;
    this.terminal = terminal;
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "status": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.CONTROLLER));
        int ctl = UserCommands.controller(arguments);
        return new Step("read the status of '" + unit + "'", () -> {
          if (arguments.has(Arguments.JSON)) {
            Map<String, Object> answer = new LinkedHashMap<>();
            answer.put("condition", DiskArrayUtilityJNI.KX_GetUnitCondition(unit, ctl));
            answer.put("information", DiskArrayUtilityJNI.KX_GetUnitInformation(unit));
            GregorianCalendar clock = DiskArrayUtilityJNI.KX_GetUnitTime(unit);
            answer.put("clock", clock == null ? null : format(clock));
            answer.put("drives", DiskArrayUtilityJNI.KX_GetDriveStatus(unit));
            answer.put("raid_groups",
                StorageCommands.inUse(DiskArrayUtilityJNI.KX_GetRaidGroups(unit)));
            Health health = Health.read(unit);
            answer.put("health", healthObject(health));
            out.print(Json.write(answer));
            endWith(health);
          } else {
            status(unit, ctl);
          }
        });
      }
      case "drives": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of());
        return new Step("list the drives of '" + unit + "'", () -> {
          if (arguments.has(Arguments.JSON)) {
            Map<String, Object> answer = new LinkedHashMap<>();
            answer.put("drives", DiskArrayUtilityJNI.KX_GetDriveStatus(unit));
            answer.put("identities", DiskArrayUtilityJNI.KX_GetDriveInformationAll(unit));
            out.print(Json.write(answer));
          } else {
            drives(unit);
          }
        });
      }
      case "drive":
        return driveMode(arguments);
      case "clock":
        return clock(arguments);
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private void status(String unit, int ctl) throws DiskArrayException, ToolFailure {
    UnitCondition condition = DiskArrayUtilityJNI.KX_GetUnitCondition(unit, ctl);
    UnitInformation info = DiskArrayUtilityJNI.KX_GetUnitInformation(unit);
    GregorianCalendar clock = DiskArrayUtilityJNI.KX_GetUnitTime(unit);
    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(unit);
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(unit);
    if (condition == null || info == null || info.b_info == null || info.l_info == null
        || info.p_info == null || drives == null || groups == null) {
      throw new ToolFailure("the bridge returned an incomplete status");
    }
    Health health = Health.read(unit);
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"health", health.line()});
    rows.add(new String[] {"unit", unit + "  (serial " + condition.serial
        + ", microcode " + condition.micro + ")"});
    rows.add(new String[] {"controllers", controllers(condition)});
    rows.add(new String[] {"cache", "controller 0: " + caches(condition.cache)
        + "; controller 1: " + caches(condition.cache2)});
    rows.add(new String[] {"power supplies", parts(condition.ps)});
    rows.add(new String[] {"fans", parts(condition.fan)});
    rows.add(new String[] {"AC inputs", parts(condition.ac)});
    rows.add(new String[] {"batteries", parts(condition.batt)});
    rows.add(new String[] {"enclosures", parts(condition.enclosure)});
    rows.add(new String[] {"loops", parts(condition.loop)});
    rows.add(new String[] {"type", "kx_type " + info.b_info.kx_type
        + ", device type " + info.b_info.device_type + ", port type " + info.b_info.port_type
        + ", configuration " + info.b_info.unit_conf});
    rows.add(new String[] {"RAID levels", levels(info.b_info.sup_rglevel)});
    rows.add(new String[] {"drives", info.p_info.hdd_hdu_count + " mounted in "
        + info.p_info.hdd_unit_count + " enclosures"});
    rows.add(new String[] {"RAID groups", Integer.toString(info.l_info.rg_count)});
    rows.add(new String[] {"LUs", Integer.toString(info.l_info.lu_count)});
    rows.add(new String[] {"clock", clock == null ? "(unreadable)" : format(clock)});
    out.print(Tables.columns(rows));
    out.println();
    out.print(DriveMap.render(drives, groups));
    endWith(health);
  }

  /** The health for scripts: the verdict, the drive counts and each group's state. */
  private static Map<String, Object> healthObject(Health health) {
    Map<String, Object> answer = new LinkedHashMap<>();
    answer.put("health", health.overall());
    answer.put("drives_blocked", health.drivesIn(Health.DRIVE_BLOCKED));
    answer.put("drives_rebuilding", health.drivesIn(Health.DRIVE_REBUILDING));
    List<Map<String, Object>> groups = new ArrayList<>();
    for (Health.Group group : health.byNumber.values()) {
      groups.add(Json.object("rg", group.group.rgnum, "state", group.state(),
          "blocked", group.blocked, "rebuilding", group.rebuilding));
    }
    answer.put("raid_groups", groups);
    return answer;
  }

  /** 'status' answers with its exit status too: 0 healthy, 3 degraded, 4 failed. */
  private static void endWith(Health health) throws ToolFailure {
    if (health.exitStatus() != DiskArrayTool.EXIT_OK) {
      throw new DiskArrayTool.AnswerStatus(health.exitStatus());
    }
  }

  private void drives(String unit) throws DiskArrayException, ToolFailure {
    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(unit);
    DiskDriveInformation[] identities = DiskArrayUtilityJNI.KX_GetDriveInformationAll(unit);
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(unit);
    if (drives == null || identities == null || groups == null) {
      throw new ToolFailure("the bridge returned no drive table");
    }
    int[] owner = DriveMap.groupOfSlot(groups);
    Map<Integer, Long> returned = null;
    long now = Health.stationNowMs();
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"PORT", "ROW", "STATE", "RG", "VENDOR", "PRODUCT", "REV",
      Sizes.heading("MB", "SIZE")});
    for (int slot = 0; slot < Math.min(drives.length, DriveMap.SLOTS); slot++) {
      DiskDrive drive = drives[slot];
      if (drive == null || drive.mount == 0) {
        continue;
      }
      String state = driveState(drive.drv_state);
      if (drive.drv_state == KX_PART_REBUILDING) {
        DriveReconstructInformation rebuild = DiskArrayUtilityJNI.KX_DriveReconstructInformation(
            unit, drive.port_no, drive.row_no);
        state += " " + rebuild.progress_ratio + "%";
        if (returned == null) {
          returned = Health.returnedAt(unit);
        }
        Long started = returned.get(slot);
        String left = started == null ? ""
            : Health.estimate(started, now, rebuild.progress_ratio);
        if (!left.isEmpty()) {
          state += " (" + left + ")";
        }
      }
      DiskDriveInformation id = slot < identities.length ? identities[slot] : null;
      rows.add(new String[] {
        Integer.toString(drive.port_no), Integer.toString(drive.row_no), state,
        owner[slot] < 0 ? "-" : Integer.toString(owner[slot]),
        id == null ? "?" : id.vendor, id == null ? "?" : id.product,
        id == null ? "?" : id.revision,
        id == null ? "?" : Sizes.mb((Integer.toUnsignedLong(id.lastLBA) + 1) / KX_BLOCKS_PER_MB)
      });
    }
    out.print(Tables.table(rows, "(no drives mounted)"));
  }

  // Takes a drive out of service or returns it; a returned member of a
  // redundant RAID group rebuilds, which `drives` and `status` show.
  private Step driveMode(Arguments arguments) throws UsageException {
    boolean wait = arguments.has(Arguments.WAIT);
    List<String> words = arguments.operands.size() == 3 && wait
        ? arguments.expectOperands("UNIT", "PORT", "ROW")
        : arguments.expectOperands("UNIT", "PORT", "ROW", "block|restore");
    arguments.allowOnly(Set.of(Arguments.WAIT));
    String unit = DiskArrayTool.unitName(words.get(0));
    int port = Arguments.number("PORT", words.get(1), 0, DriveMap.PORTS - 1);
    int row = Arguments.number("ROW", words.get(2), 0, DriveMap.ROWS - 1);
    if (words.size() == 3) {
      return new Step("follow the rebuild of the drive at port " + port + ", row " + row
          + " of '" + unit + "'", () -> followRebuild(unit, port, row));
    }
    int mode;
    switch (words.get(3)) {
      case "block":
        mode = 1;
        break;
      case "restore":
        mode = 0;
        break;
      default:
        throw new UsageException("'drive' takes block or restore, got '" + words.get(3) + "'");
    }
    if (wait && mode == 1) {
      throw new UsageException("--wait follows a rebuild: give it with restore, or alone");
    }
    String what = words.get(3) + " the drive at port " + port + ", row " + row;
    return new Step(what + " of '" + unit + "'", () -> {
      try {
        DiskArrayUtilityJNI.KX_SetDriveMode(unit, port, row, mode);
      } catch (DiskArrayException e) {
        if (e.getCode() == ErrorCodes.KXE_DRIVE_NOT_MOUNTED) {
          // The code's general meaning speaks of a RAID group; here there is none.
          throw new ToolFailure("no drive is mounted at port " + port + ", row " + row
              + " (error " + e.getCode() + " (0x" + Integer.toHexString(e.getCode())
                  .toUpperCase() + "))");
        }
        throw e;
      }
      DriveReconstructInformation rebuild =
          DiskArrayUtilityJNI.KX_DriveReconstructInformation(unit, port, row);
      out.println(what + ": " + REBUILD_STATES[Math.max(0, Math.min(2, rebuild.status_code))]);
      if (wait) {
        followRebuild(unit, port, row);
      }
    });
  }

  private static final int REBUILD_RUNNING = DiskArrayConstants.KX_RECONSTRUCT_RUNNING;
  private static final int REBUILD_BLOCKED = DiskArrayConstants.KX_RECONSTRUCT_BLOCKED;
  private static final long POLL_MS = 500;

  /**
   * Polls the drive until its rebuild ends, with the progress bar of
   * 'lu wait'. A drive blocked meanwhile ends the wait as a failure; one that
   * is not rebuilding is reported as it is.
   */
  private void followRebuild(String unit, int port, int row)
      throws DiskArrayException, ToolFailure {
    String drive = "drive " + port + "/" + row;
    ProgressBar bar = null;
    Long started = null;
    try {
      while (true) {
        DriveReconstructInformation rebuild =
            DiskArrayUtilityJNI.KX_DriveReconstructInformation(unit, port, row);
        if (rebuild == null) {
          throw new ToolFailure("the bridge returned no rebuild information");
        }
        if (rebuild.valid == 0) {
          throw new ToolFailure("no drive is mounted at port " + port + ", row " + row);
        }
        if (rebuild.status_code == REBUILD_BLOCKED) {
          throw new ToolFailure(drive + " is blocked: nothing is rebuilding it");
        }
        if (rebuild.status_code != REBUILD_RUNNING) {
          if (bar != null) {
            bar.update(100, "done");
          }
          break;
        }
        if (bar == null) {
          bar = new ProgressBar(out, terminal);
          started = Health.returnedAt(unit).get(port * DriveMap.ROWS + row);
        }
        bar.update(rebuild.progress_ratio, started == null ? ""
            : Health.estimate(started, Health.stationNowMs(), rebuild.progress_ratio));
        try {
          Thread.sleep(POLL_MS);
        } catch (InterruptedException e) {
          Thread.currentThread().interrupt();
          throw new ToolFailure("interrupted; the rebuild goes on in the station");
        }
      }
    } finally {
      if (bar != null) {
        bar.finish();
      }
    }
    out.println(drive + ": in service");
  }

  private static final String[] REBUILD_STATES = {"in service", "rebuilding", "blocked"};

  private Step clock(Arguments arguments) throws UsageException {
    List<String> words = arguments.expectOperandCount(1, 3, "UNIT [set-now | set TIME]");
    arguments.allowOnly(Set.of());
    String unit = DiskArrayTool.unitName(words.get(0));
    if (words.size() == 1) {
      return new Step("read the clock of '" + unit + "'", () -> {
        String time = format(DiskArrayUtilityJNI.KX_GetUnitTime(unit));
        out.print(arguments.has(Arguments.JSON)
            ? Json.write(Map.of("clock", time)) : time + "\n");
      });
    }
    if (words.size() == 2 && words.get(1).equals("set-now")) {
      return new Step("set the clock of '" + unit + "'", () -> {
        DiskArrayUtilityJNI.KX_SetUnitTimeNow(unit);
        out.println(format(DiskArrayUtilityJNI.KX_GetUnitTime(unit)));
      });
    }
    if (words.size() == 3 && words.get(1).equals("set")) {
      LocalDateTime time;
      try {
        time = LocalDateTime.parse(words.get(2).replace('T', ' '), CLOCK);
      } catch (DateTimeParseException e) {
        throw new UsageException("time must be a real date and time 'YYYY-MM-DD hh:mm:ss', got '"
            + words.get(2) + "'");
      }
      GregorianCalendar calendar = new GregorianCalendar(time.getYear(),
          time.getMonthValue() - 1, time.getDayOfMonth(), time.getHour(), time.getMinute(),
          time.getSecond());
      return new Step("set the clock of '" + unit + "'", () -> {
        DiskArrayUtilityJNI.KX_SetUnitTime(unit, calendar);
        out.println(format(DiskArrayUtilityJNI.KX_GetUnitTime(unit)));
      });
    }
    throw new UsageException("'clock' takes UNIT, UNIT set-now or UNIT set 'YYYY-MM-DD hh:mm:ss'");
  }

  static String format(GregorianCalendar clock) {
    return String.format("%04d-%02d-%02d %02d:%02d:%02d",
        clock.get(GregorianCalendar.YEAR), clock.get(GregorianCalendar.MONTH) + 1,
        clock.get(GregorianCalendar.DAY_OF_MONTH), clock.get(GregorianCalendar.HOUR_OF_DAY),
        clock.get(GregorianCalendar.MINUTE), clock.get(GregorianCalendar.SECOND));
  }

  private static String controllers(UnitCondition condition) {
    StringBuilder text = new StringBuilder();
    String[] addresses = {condition.ctl0_ip, condition.ctl1_ip};
    for (int ctl = 0; ctl < 2; ctl++) {
      if (ctl > 0) text.append("; ");
      boolean working = (condition.controller_condition & (1 << ctl)) != 0;
      text.append(ctl).append(working ? " working" : " not working");
      if (addresses[ctl] != null && !addresses[ctl].isEmpty()) {
        text.append(" (").append(addresses[ctl]).append(')');
      }
    }
    return text.toString();
  }

  private static String caches(CacheStatus[] modules) {
    if (modules == null) {
      return "(unreadable)";
    }
    TreeMap<String, Integer> counts = new TreeMap<>();
    for (CacheStatus module : modules) {
      if (module != null && module.condition != 0) {
        counts.merge(module.option + " MB " + partState(module.condition), 1, Integer::sum);
      }
    }
    return counts.isEmpty() ? "none" : join(counts, " x ");
  }

  /** Installed parts by state, e.g. "2 normal" or "1 normal, 1 failed". */
  static String parts(int[] states) {
    if (states == null) {
      return "(unreadable)";
    }
    TreeMap<String, Integer> counts = new TreeMap<>();
    for (int state : states) {
      if (state != 0) {
        counts.merge(partState(state), 1, Integer::sum);
      }
    }
    return counts.isEmpty() ? "none" : join(counts, " ");
  }

  private static String join(TreeMap<String, Integer> counts, String separator) {
    List<String> items = new ArrayList<>();
    counts.forEach((state, count) -> items.add(count + separator + state));
    return String.join(", ", items);
  }

  static String driveState(int state) {
    return state >= 0 && state < DRIVE_STATES.length ? DRIVE_STATES[state] : "state " + state;
  }

  static String partState(int state) {
    return state >= 0 && state < PART_STATES.length ? PART_STATES[state] : "state " + state;
  }

  private static String levels(int bits) {
    List<String> levels = new ArrayList<>();
    for (int level = 0; level < 31; level++) {
      if ((bits & (1 << level)) != 0) {
        levels.add(StorageCommands.levelName(level));
      }
    }
    return levels.isEmpty() ? "none" : String.join(", ", levels);
  }
}
