package korvane.str.diskarray.cli;

import java.io.PrintStream;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.LogicalUnit;
import korvane.str.diskarray.LuFormatStatus;
import korvane.str.diskarray.LuFormatStatusList;
import korvane.str.diskarray.LuReallocRequest;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/** RAID groups and logical units of a unit: list, create, change, delete. */
final class StorageCommands {
  static final Set<String> COMMANDS = Set.of("rg", "lu");

  static final int RAID_GROUPS = DiskArrayConstants.KX_RAID_GROUP_COUNT;
  static final int LOGICAL_UNITS = DiskArrayConstants.KX_LOGICAL_UNIT_COUNT;
  /** rgnum and luNumber that ask the station for the lowest free number. */
  private static final int ANY_NUMBER = DiskArrayConstants.KX_ANY_NUMBER;
  private static final int MAX_MB = Integer.MAX_VALUE;
  private static final String[] STAGING = {"normal", "sequential", "off"};
  private static final String[] LU_STATES = {"formatted", "formatting", "unformatted"};
  private static final int LU_FORMATTING = DiskArrayConstants.KX_LU_FORMATTING;

  private final PrintStream out;

  StorageCommands(PrintStream out) {
    this.out = out;
  }

  Step prepare(Arguments arguments) throws UsageException {
    if (arguments.command.equals("rg")) {
      return raidGroup(arguments.subcommand("list, add, expand, delete, delete-all"));
    }
    return logicalUnit(arguments.subcommand(
        "list, show, add, delete, delete-all, expand, staging, switch-ctl, invalid, restore,"
            + " realloc"));
  }

  // ---------------------------------------------------------------------------
  // RAID groups

  private Step raidGroup(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "rg list": {
        String unit = unit(arguments, "UNIT");
        arguments.allowOnly(Set.of());
        return new Step("list the RAID groups of '" + unit + "'", () -> {
          RaidGroup[] groups = raidGroups(unit);
          if (arguments.has(Arguments.JSON)) {
            out.print(Json.write(inUse(groups)));
            return;
          }
          out.print(raidGroupTable(groups, logicalUnits(unit), Health.read(unit)));
        });
      }
      case "rg add": {
        String unit = unit(arguments, "UNIT");
        arguments.allowOnly(Set.of(Arguments.LEVEL, Arguments.PORT, Arguments.ROW,
            Arguments.WIDTH, Arguments.DEPTH, Arguments.NUMBER, Arguments.CAPACITY));
        RaidGroup group = new RaidGroup();
        group.rgnum = arguments.intOption(Arguments.NUMBER, ANY_NUMBER, 0, RAID_GROUPS - 1);
        group.level = level(arguments);
        group.port = arguments.requiredInt(Arguments.PORT, 0, DriveMap.PORTS - 1);
        group.row = arguments.requiredInt(Arguments.ROW, 0, DriveMap.ROWS - 1);
        group.width = arguments.requiredInt(Arguments.WIDTH, 1, DriveMap.PORTS);
        group.depth = arguments.intOption(Arguments.DEPTH, 1, 1, DriveMap.ROWS);
        cut(arguments, group);
        return new Step("add a RAID group to '" + unit + "'", () -> {
          try {
            DiskArrayUtilityJNI.KX_RaidGroupAdd(unit, group);
          } catch (DiskArrayException e) {
            throw geometry(e, unit, group);
          }
          RaidGroup added = groupAt(raidGroups(unit), group.port, group.row);
          out.println(added == null ? "added a RAID group"
              : "added RAID group " + added.rgnum + ": " + levelName(added.level) + ", "
                  + Sizes.mbText(added.lastLBA));
        });
      }
      case "rg expand": {
        List<String> words = arguments.expectOperands("UNIT", "RG");
        String unit = DiskArrayTool.unitName(words.get(0));
        int rg = Arguments.number("RG", words.get(1), 0, RAID_GROUPS - 1);
        arguments.allowOnly(Set.of(Arguments.DEPTH, Arguments.ROWS, Arguments.CAPACITY));
        // --rows N grows the group by N rows; --depth D makes it D rows deep in all.
        if (arguments.has(Arguments.DEPTH) == arguments.has(Arguments.ROWS)) {
          throw new UsageException("'rg expand' needs --rows N (rows to add) or --depth D"
              + " (the new total depth), not both");
        }
        Integer depth = arguments.has(Arguments.DEPTH)
            ? arguments.requiredInt(Arguments.DEPTH, 1, DriveMap.ROWS) : null;
        int added = arguments.intOption(Arguments.ROWS, 0, 1, DriveMap.ROWS - 1);
        RaidGroup request = new RaidGroup();
        cut(arguments, request);
        return new Step("expand RAID group " + rg + " of '" + unit + "'", () -> {
          RaidGroup group = raidGroups(unit)[rg];
          if (group.rgnum != rg) {
            // Let the station give its own answer for a group it does not have.
            group.rgnum = rg;
          }
          group.depth = depth != null ? depth : group.depth + added;
          group.lastLBASet = request.lastLBASet;
          group.lastLBA = request.lastLBA;
          try {
            DiskArrayUtilityJNI.KX_RaidGroupExpand(unit, group);
          } catch (DiskArrayException e) {
            throw geometry(e, unit, group);
          }
          RaidGroup expanded = raidGroups(unit)[rg];
          out.println("RAID group " + rg + " now " + expanded.depth + " rows, "
              + Sizes.mbText(expanded.lastLBA));
        });
      }
      case "rg delete": {
        List<String> words = arguments.expectOperands("UNIT", "RG");
        String unit = DiskArrayTool.unitName(words.get(0));
        int rg = Arguments.number("RG", words.get(1), 0, RAID_GROUPS - 1);
        arguments.allowOnly(Set.of(Arguments.DRY_RUN));
        return new Step("delete RAID group " + rg + " of '" + unit + "'", () -> {
          if (arguments.has(Arguments.DRY_RUN)) {
            RaidGroup group = raidGroups(unit)[rg];
            if (group.rgnum != rg) {
              throw new ToolFailure(unit + " has no RAID group " + rg);
            }
            out.println("would delete RAID group " + rg + " (" + group.width + " ports by "
                + group.depth + " rows from port " + group.port + ", row " + group.row + ")");
            return;
          }
          arguments.confirm("Delete RAID group " + rg + " of '" + unit + "'?");
          DiskArrayUtilityJNI.KX_RaidGroupDelete(unit, rg);
          out.println("deleted RAID group " + rg);
        });
      }
      case "rg delete-all": {
        String unit = unit(arguments, "UNIT");
        arguments.allowOnly(Set.of());
        return new Step("delete the RAID groups of '" + unit + "'", () -> {
          arguments.confirm("Delete every RAID group of '" + unit + "' and their LUs?");
          DiskArrayUtilityJNI.KX_RaidGroupAllDelete(unit);
          out.println("deleted every RAID group of " + unit);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /**
   * A refused shape said precisely: the station's code covers both a width the
   * level does not take and a rectangle outside the slots; the tool says which.
   */
  private static ToolFailure geometry(DiskArrayException e, String unit, RaidGroup group)
      throws DiskArrayException {
    String problem = e.getCode() == ErrorCodes.KXE_INVALID_GEOMETRY
        ? geometryProblem(group.level, group.port, group.row, group.width, group.depth)
        : slotProblem(e.getCode(), unit, group);
    if (problem == null) {
      throw e;
    }
    return new ToolFailure(problem + " (" + DiskArrayTool.explain(e) + ")");
  }

  /**
   * The first slot of the group's rectangle that the station's drive code is
   * about (no drive, another group's drive, a blocked drive), or null.
   */
  private static String slotProblem(int code, String unit, RaidGroup group)
      throws DiskArrayException {
    if (code != ErrorCodes.KXE_DRIVE_NOT_MOUNTED && code != ErrorCodes.KXE_DRIVE_IN_USE
        && code != ErrorCodes.KXE_DRIVE_BLOCKED) {
      return null;
    }
    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(unit);
    int[] owner = DriveMap.groupOfSlot(DiskArrayUtilityJNI.KX_GetRaidGroups(unit));
    for (int p = Math.max(0, group.port); p < group.port + group.width && p < DriveMap.PORTS;
        p++) {
      for (int r = Math.max(0, group.row); r < group.row + group.depth && r < DriveMap.ROWS;
          r++) {
        int slot = p * DriveMap.ROWS + r;
        DiskDrive drive = drives != null && slot < drives.length ? drives[slot] : null;
        String where = "port " + p + ", row " + r;
        if (drive == null) {
          continue;
        }
        if (code == ErrorCodes.KXE_DRIVE_NOT_MOUNTED && drive.mount == 0) {
          return "the slot at " + where + " holds no drive";
        }
        if (code == ErrorCodes.KXE_DRIVE_IN_USE && owner[slot] >= 0
            && owner[slot] != group.rgnum) {
          return "the drive at " + where + " belongs to RAID group " + owner[slot];
        }
        if (code == ErrorCodes.KXE_DRIVE_BLOCKED
            && drive.drv_state == DiskArrayConstants.KX_PART_FAILED) {
          return "the drive at " + where + " is blocked";
        }
      }
    }
    return null;
  }

  /** What is wrong with a group's shape, or null when the tool sees nothing wrong. */
  static String geometryProblem(int level, int port, int row, int width, int depth) {
    int min;
    int max;
    switch (level) {
      case 0: min = 2; max = 15; break;
      case 1: min = 2; max = 2; break;
      case 5: min = 3; max = 15; break;
      case 6: min = 4; max = 15; break;
      case 10: min = 4; max = 14; break;
      default: return null;
    }
    if (width < min || width > max || (level == 10 && width % 2 != 0)) {
      return "width " + width + " does not suit " + levelName(level) + ", which takes "
          + (min == max ? "exactly " + min : (level == 10 ? "an even width " : "") + min + ".."
              + max) + " drives across";
    }
    if (port + width > DriveMap.PORTS || row + depth > DriveMap.ROWS) {
      return "the group does not fit the slots: " + width + " ports from port " + port
          + " by " + depth + " rows from row " + row + " reach "
          + (port + width > DriveMap.PORTS ? "port " + (port + width - 1) : "row "
              + (row + depth - 1)) + ", past the last (" + (DriveMap.PORTS - 1) + ")";
    }
    return null;
  }

  /** --capacity MB asks for a group cut to that capacity; without it the full capacity. */
  private static void cut(Arguments arguments, RaidGroup group) throws UsageException {
    if (arguments.has(Arguments.CAPACITY)) {
      group.lastLBASet = 1;
      group.lastLBA = arguments.megabyteOption(Arguments.CAPACITY, 0, 1, MAX_MB);
    }
  }

  private static int level(Arguments arguments) throws UsageException {
    String text = arguments.option(Arguments.LEVEL);
    if (text == null) {
      throw new UsageException("'" + arguments.command + "' needs --level");
    }
    if (text.equals("1+0")) {
      return 10;
    }
    return Arguments.number("--level", text, 0, 99);
  }

  static String levelName(int level) {
    return level == 10 ? "RAID 1+0" : "RAID " + level;
  }

  private static RaidGroup groupAt(RaidGroup[] groups, int port, int row) {
    for (RaidGroup group : groups) {
      if (group.rgnum >= 0 && group.port == port && group.row == row) {
        return group;
      }
    }
    return null;
  }

  /**
   * The groups as a table; with the unit's health, a STATE column: normal,
   * rebuilding with the least advanced member's percent, degraded (a member
   * blocked) or failed (more members lost than the level survives).
   */
  static String raidGroupTable(RaidGroup[] groups, LogicalUnit[] units, Health health) {
    List<String[]> rows = new ArrayList<>();
    String[] heading = {"RG", "LEVEL", "PORTS", "ROWS", Sizes.heading("DRIVE-MB", "DRIVE"),
      Sizes.heading("MB", "SIZE"), Sizes.heading("FREE-MB", "FREE"), "LUS"};
    rows.add(health == null ? heading : append(heading, "STATE"));
    for (RaidGroup group : groups) {
      if (group.rgnum < 0) {
        continue;
      }
      int lus = 0;
      for (LogicalUnit lu : units) {
        if (lu.luNumber >= 0 && lu.rgNumber == group.rgnum) {
          lus++;
        }
      }
      String[] row = {
        Integer.toString(group.rgnum), levelName(group.level),
        span(group.port, group.width), span(group.row, group.depth),
        Sizes.mb(group.minimum_capa),
        Sizes.mb(group.lastLBA) + (group.lastLBASet != 0 ? " (cut)" : ""),
        Sizes.mb(group.lumaxcapa), Integer.toString(lus)
      };
      if (health != null) {
        Health.Group state = health.group(group.rgnum);
        row = Arrays.copyOf(row, row.length + 1);
        row[row.length - 1] = state == null ? "?" : state.describe();
      }
      rows.add(row);
    }
    return Tables.table(rows, "(no RAID groups)");
  }

  private static String span(int first, int count) {
    return count <= 1 ? Integer.toString(first) : first + "-" + (first + count - 1);
  }

  // ---------------------------------------------------------------------------
  // Logical units

  private Step logicalUnit(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "lu list": {
        String unit = unit(arguments, "UNIT");
        arguments.allowOnly(Set.of());
        return new Step("list the LUs of '" + unit + "'", () -> {
          LogicalUnit[] units = logicalUnits(unit);
          if (arguments.has(Arguments.JSON)) {
            out.print(Json.write(inUse(units)));
            return;
          }
          out.print(logicalUnitTable(units, formatProgress(unit), Health.read(unit),
              Health.failedFormats(unit)));
        });
      }
      case "lu show": {
        List<String> words = arguments.expectOperands("UNIT", "LU");
        String unit = DiskArrayTool.unitName(words.get(0));
        int lu = luNumber(words.get(1));
        arguments.allowOnly(Set.of());
        return new Step("show LU " + lu + " of '" + unit + "'", () -> {
          LogicalUnit read = DiskArrayUtilityJNI.KX_GetLogicalUnit1(unit, lu);
          LuFormatStatus job = null;
          if (read.status == LU_FORMATTING) {
            LuFormatStatus[] progress = formatProgress(unit);
            job = progress != null && lu < progress.length ? progress[lu] : null;
          }
          if (arguments.has(Arguments.JSON)) {
            Map<String, Object> answer = new LinkedHashMap<>();
            answer.put("lu", read);
            answer.put("format", job);
            out.print(Json.write(answer));
            return;
          }
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"LU", Integer.toString(read.luNumber)});
          rows.add(new String[] {"RAID group", Integer.toString(read.rgNumber)});
          rows.add(new String[] {"RAID level", levelName(read.raid_level)});
          rows.add(new String[] {"capacity", Sizes.mbText(read.capacity)});
          rows.add(new String[] {"staging", staging(read.staging)});
          rows.add(new String[] {"default controller", Integer.toString(read.defaultCTL)});
          rows.add(new String[] {"current controller", Integer.toString(read.currentCTL)});
          rows.add(new String[] {"state", luState(read.status)
              + (job != null ? " " + job.percent + "%" : "")});
          rows.add(new String[] {"block size", read.hostblock + " bytes"});
          rows.add(new String[] {"valid", read.lu_valid != 0 ? "yes" : "no"});
          rows.add(new String[] {"last LU of its group", read.rg_last_lu != 0 ? "yes" : "no"});
          out.print(Tables.columns(rows));
        });
      }
      case "lu add": {
        String unit = unit(arguments, "UNIT");
        arguments.allowOnly(Set.of(Arguments.RG, Arguments.CAPACITY, Arguments.NUMBER,
            Arguments.STAGING, Arguments.CONTROLLER));
        LogicalUnit lu = new LogicalUnit();
        lu.luNumber = arguments.intOption(Arguments.NUMBER, ANY_NUMBER, 0, LOGICAL_UNITS - 1);
        lu.rgNumber = arguments.requiredInt(Arguments.RG, 0, RAID_GROUPS - 1);
        if (!arguments.has(Arguments.CAPACITY)) {
          throw new UsageException("'" + arguments.command + "' needs --capacity");
        }
        lu.capacity = arguments.megabyteOption(Arguments.CAPACITY, 0, 1, MAX_MB);
        lu.staging = stagingOption(arguments);
        lu.defaultCTL = arguments.intOption(Arguments.CONTROLLER, 0, 0, 1);
        lu.hostblock = 512;
        return new Step("add an LU to '" + unit + "'", () -> {
          int number = lu.luNumber;
          if (number == ANY_NUMBER) {
            // The station takes the lowest free number; name it when the table
            // afterwards shows this LU there.
            number = lowestFree(logicalUnits(unit));
          }
          DiskArrayUtilityJNI.KX_LogicalUnitAdd(unit, lu);
          LogicalUnit[] after = logicalUnits(unit);
          boolean found = number >= 0 && after[number].rgNumber == lu.rgNumber
              && after[number].capacity == lu.capacity;
          out.println((found ? "added LU " + number : "added an LU") + ": "
              + Sizes.mbText(lu.capacity) + " in RAID group " + lu.rgNumber);
        });
      }
      case "lu delete": {
        // The station deletes only the highest-numbered LU; an LU given on the
        // command line must be that one, so a script cannot delete the wrong LU.
        List<String> words = arguments.expectOperandCount(1, 2, "UNIT [LU]");
        String unit = DiskArrayTool.unitName(words.get(0));
        Integer expected = words.size() == 2 ? luNumber(words.get(1)) : null;
        arguments.allowOnly(Set.of(Arguments.DRY_RUN));
        return new Step("delete the last LU of '" + unit + "'", () -> {
          int last = DiskArrayUtilityJNI.KX_GetLastLogicalUnit(unit);
          if (last < 0) {
            throw new ToolFailure(unit + " has no LUs");
          }
          if (expected != null && expected != last) {
            throw new ToolFailure("only the last LU can be deleted, and that is LU " + last
                + ", not LU " + expected);
          }
          if (arguments.has(Arguments.DRY_RUN)) {
            out.println("would delete LU " + last + " (the last LU of " + unit + ")");
            return;
          }
          arguments.confirm("Delete LU " + last + " of '" + unit + "' and its data?");
          DiskArrayUtilityJNI.KX_LogicalUnitDelete(unit);
          out.println("deleted LU " + last);
        });
      }
      case "lu delete-all": {
        String unit = unit(arguments, "UNIT");
        arguments.allowOnly(Set.of());
        return new Step("delete the LUs of '" + unit + "'", () -> {
          arguments.confirm("Delete every LU of '" + unit + "'?");
          DiskArrayUtilityJNI.KX_LogicalUnitDeleteAll(unit);
          out.println("deleted every LU of " + unit);
        });
      }
      case "lu expand": {
        List<String> words = arguments.expectOperands("UNIT", "LU");
        String unit = DiskArrayTool.unitName(words.get(0));
        int lu = luNumber(words.get(1));
        arguments.allowOnly(Set.of(Arguments.CAPACITY));
        if (!arguments.has(Arguments.CAPACITY)) {
          throw new UsageException("'lu expand' needs --capacity=SIZE");
        }
        int capacity = arguments.megabyteOption(Arguments.CAPACITY, 0, 1, MAX_MB);
        return new Step("expand LU " + lu + " of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_LogicalUnitExpand(unit, lu, capacity);
          out.println("LU " + lu + " now " + Sizes.mbText(capacity));
        });
      }
      case "lu staging": {
        List<String> words = arguments.expectOperands("UNIT", "LU");
        String unit = DiskArrayTool.unitName(words.get(0));
        int lu = luNumber(words.get(1));
        arguments.allowOnly(Set.of(Arguments.STAGING));
        if (!arguments.has(Arguments.STAGING)) {
          throw new UsageException("'lu staging' needs --staging=normal|sequential|off");
        }
        int staging = staging("--staging", arguments.option(Arguments.STAGING));
        return new Step("change the staging of LU " + lu + " of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_LogicalUnitChangeStaging(unit, lu, staging);
          out.println("LU " + lu + " staging " + staging(staging));
        });
      }
      case "lu switch-ctl": {
        List<String> words = arguments.expectOperands("UNIT", "LU");
        String unit = DiskArrayTool.unitName(words.get(0));
        int lu = luNumber(words.get(1));
        arguments.allowOnly(Set.of());
        return new Step("hand LU " + lu + " of '" + unit + "' to the other controller", () -> {
          DiskArrayUtilityJNI.KX_LogicalUnitChangeCtl(unit, lu);
          out.println("LU " + lu + " now on controller "
              + DiskArrayUtilityJNI.KX_GetLogicalUnit1(unit, lu).defaultCTL);
        });
      }
      case "lu invalid":
      case "lu restore": {
        List<String> words = arguments.expectOperands("UNIT", "LU");
        String unit = DiskArrayTool.unitName(words.get(0));
        int lu = luNumber(words.get(1));
        arguments.allowOnly(Set.of());
        boolean invalidate = arguments.command.equals("lu invalid");
        return new Step((invalidate ? "invalidate" : "restore") + " LU " + lu + " of '" + unit
            + "'", () -> {
              if (invalidate) {
                DiskArrayUtilityJNI.KX_LogicalUnitInvalid(unit, lu);
              } else {
                DiskArrayUtilityJNI.KX_LogicalUnitRestore(unit, lu);
              }
              out.println("LU " + lu + (invalidate ? " invalid" : " valid"));
            });
      }
      case "lu realloc": {
        List<String> words = arguments.expectOperands("UNIT", "LU");
        String unit = DiskArrayTool.unitName(words.get(0));
        int lu = luNumber(words.get(1));
        arguments.allowOnly(Set.of(Arguments.NUMBER, Arguments.CAPACITY));
        if (!arguments.has(Arguments.NUMBER) && !arguments.has(Arguments.CAPACITY)) {
          throw new UsageException("'lu realloc' needs --number or --capacity");
        }
        LuReallocRequest request = new LuReallocRequest(lu,
            arguments.megabyteOption(Arguments.CAPACITY, 0, 1, MAX_MB),
            arguments.intOption(Arguments.NUMBER, lu, 0, LOGICAL_UNITS - 1));
        return new Step("reallocate LU " + lu + " of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_LogicalUnitRealloc(unit, request);
          LogicalUnit now = DiskArrayUtilityJNI.KX_GetLogicalUnit1(unit, request.newlun);
          out.println("LU " + lu + " is now LU " + now.luNumber + ", "
              + Sizes.mbText(now.capacity) + ", " + luState(now.status));
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /**
   * The LUs as a table. With the unit's health the state says what the LU's
   * group leaves of it: "RG degraded" or "RG rebuilding" (served without
   * redundancy), "RG failed" (its data is lost), and "format failed" for an
   * LU whose format its group's failure ended.
   */
  static String logicalUnitTable(LogicalUnit[] units, LuFormatStatus[] progress,
      Health health, Set<Integer> failedFormats) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"LU", "RG", "LEVEL", Sizes.heading("MB", "SIZE"), "STAGING", "CTL",
      "STATE", "VALID"});
    for (LogicalUnit lu : units) {
      if (lu.luNumber < 0) {
        continue;
      }
      String state = luState(lu.status);
      if (lu.status == LU_FORMATTING && progress != null && lu.luNumber < progress.length
          && progress[lu.luNumber] != null) {
        state += " " + progress[lu.luNumber].percent + "%";
      }
      if (failedFormats.contains(lu.luNumber) && lu.status != LU_FORMATTING) {
        state += ", format failed";
      }
      Health.Group group = health == null ? null : health.group(lu.rgNumber);
      if (group != null && !group.state().equals("normal")) {
        state += ", RG " + group.state();
      }
      rows.add(new String[] {
        Integer.toString(lu.luNumber), Integer.toString(lu.rgNumber), levelName(lu.raid_level),
        Sizes.mb(lu.capacity), staging(lu.staging),
        Integer.toString(lu.currentCTL), state, lu.lu_valid != 0 ? "yes" : "no"
      });
    }
    return Tables.table(rows, "(no LUs)");
  }

  private static String[] append(String[] cells, String cell) {
    String[] longer = Arrays.copyOf(cells, cells.length + 1);
    longer[cells.length] = cell;
    return longer;
  }

  /** The groups that exist, for scripts: the table's unused entries left out. */
  static List<RaidGroup> inUse(RaidGroup[] groups) {
    List<RaidGroup> used = new ArrayList<>();
    for (RaidGroup group : groups) {
      if (group != null && group.rgnum >= 0) {
        used.add(group);
      }
    }
    return used;
  }

  /** The LUs that exist, for scripts. */
  static List<LogicalUnit> inUse(LogicalUnit[] units) {
    List<LogicalUnit> used = new ArrayList<>();
    for (LogicalUnit lu : units) {
      if (lu != null && lu.luNumber >= 0) {
        used.add(lu);
      }
    }
    return used;
  }

  private static int lowestFree(LogicalUnit[] units) {
    for (int i = 0; i < units.length; i++) {
      if (units[i].luNumber < 0) {
        return i;
      }
    }
    return -1;
  }

  static RaidGroup[] raidGroups(String unit) throws DiskArrayException, ToolFailure {
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(unit);
    if (groups == null || groups.length != RAID_GROUPS) {
      throw new ToolFailure("the bridge returned no RAID group table");
    }
    return groups;
  }

  /**
   * The station's "no LU of that number" said with the numbers of the LUs a
   * command names that the unit does not have; any other failure, or one the
   * table does not explain, is thrown as it is.
   */
  static ToolFailure missingLus(DiskArrayException e, String unit, List<Integer> lus)
      throws DiskArrayException, ToolFailure {
    if (e.getCode() != ErrorCodes.KXE_UNKNOWN_LU) {
      throw e;
    }
    LogicalUnit[] table = logicalUnits(unit);
    List<String> missing = new ArrayList<>();
    for (int lu : lus) {
      if (lu != DiskArrayConstants.KX_UNUSED_ENTRY
          && (lu < 0 || lu >= table.length || table[lu].luNumber != lu)) {
        missing.add(Integer.toString(lu));
      }
    }
    if (missing.isEmpty()) {
      throw e;
    }
    return new ToolFailure("'" + unit + "' has no LU " + String.join(", ", missing) + " ("
        + DiskArrayTool.explain(e) + ")");
  }

  static LogicalUnit[] logicalUnits(String unit) throws DiskArrayException, ToolFailure {
    LogicalUnit[] units = DiskArrayUtilityJNI.KX_GetLogicalUnit(unit);
    if (units == null || units.length != LOGICAL_UNITS) {
      throw new ToolFailure("the bridge returned no LU table");
    }
    return units;
  }

  static LuFormatStatus[] formatProgress(String unit) throws DiskArrayException {
    LuFormatStatusList list = DiskArrayUtilityJNI.KX_LogicalUnitFormatStatusList(unit);
    return list == null ? null : list.lu;
  }

  private static String unit(Arguments arguments, String name) throws UsageException {
    return DiskArrayTool.unitName(arguments.expectOperands(name).get(0));
  }

  static int luNumber(String text) throws UsageException {
    return Arguments.number("LU", text, 0, LOGICAL_UNITS - 1);
  }

  private static int stagingOption(Arguments arguments) throws UsageException {
    String text = arguments.option(Arguments.STAGING);
    return text == null ? 0 : staging("--staging", text);
  }

  private static int staging(String what, String text) throws UsageException {
    for (int i = 0; i < STAGING.length; i++) {
      if (STAGING[i].equals(text)) {
        return i;
      }
    }
    throw new UsageException(what + " must be normal, sequential or off, got '" + text + "'");
  }

  static String staging(int staging) {
    return staging >= 0 && staging < STAGING.length ? STAGING[staging] : "staging " + staging;
  }

  static String luState(int status) {
    return status >= 0 && status < LU_STATES.length ? LU_STATES[status] : "status " + status;
  }
}
