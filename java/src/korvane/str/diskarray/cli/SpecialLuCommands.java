package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.InvalidPathException;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import korvane.str.diskarray.ArrayAllInformation;
import korvane.str.diskarray.CouplingInfo;
import korvane.str.diskarray.CouplingLU;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.IntegrationLUInfo;
import korvane.str.diskarray.IntegrationLURequest;
import korvane.str.diskarray.LogicalUnit;
import korvane.str.diskarray.PINInformation;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.TurboLu;
import korvane.str.diskarray.TurboLu_info;
import korvane.str.diskarray.UniteLU;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * Unified LUs and coupling pairs ({@code lu unify|split|pair|unpair}), turbo LUs, pinned data,
 * and the RAID group and LU configuration files ({@code config rglu}).
 */
final class SpecialLuCommands {
  static final Set<String> LU_SUBCOMMANDS = Set.of("unify", "split", "pair", "unpair", "unified", "pairs");

  private static final int LOGICAL_UNITS = StorageCommands.LOGICAL_UNITS;
  private static final int RAID_GROUPS = StorageCommands.RAID_GROUPS;
  private static final int UNUSED = DiskArrayConstants.KX_UNUSED_ENTRY;
  private static final int UNITE_PARENT = DiskArrayConstants.KX_UNITE_PARENT;
  private static final String[] PAIR_STATES = {"-", "copying", "synchronized", "suspended"};
  private static final String[] TURBO_STATES = {"none", "resident", "suspended"};
  private static final int TURBO_ON = DiskArrayConstants.KX_TURBO_ON;
  private static final int TURBO_ASSIGNED = DiskArrayConstants.KX_TURBO_ASSIGNED;
  private static final int PIN_TIME_DATE = DiskArrayConstants.KX_PIN_TIME_DATE;
  private static final int PIN_TIME_OF_DAY = DiskArrayConstants.KX_PIN_TIME_OF_DAY;
  private static final int PATH_BYTES = 1023;

  private final PrintStream out;

  SpecialLuCommands(PrintStream out) {
    this.out = out;
  }

  /** Whether the command line is one of these commands. */
  static boolean handles(Arguments arguments) {
    List<String> operands = arguments.operands;
    switch (arguments.command) {
      case "turbo":
      case "pin":
      case "snapshot":
        return true;
      case "lu":
        return !operands.isEmpty() && LU_SUBCOMMANDS.contains(operands.get(0));
      case "config":
        return !operands.isEmpty() && operands.get(0).equals("rglu");
      default:
        return false;
    }
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "lu":
        return unifiedOrPaired(arguments.subcommand("unify, split, pair, unpair, unified, pairs"));
      case "turbo":
        return turbo(arguments.subcommand("show, set"));
      case "pin":
        return pin(arguments);
      case "snapshot":
        return snapshot(arguments);
      default:
        return configuration(
            arguments.subcommand("rglu").subcommand("export, output, import, apply"));
    }
  }

  // ---------------------------------------------------------------------------
  // Unified LUs and coupling pairs

  private Step unifiedOrPaired(Arguments arguments) throws UsageException {
    arguments.allowOnly(Set.of());
    switch (arguments.command) {
      case "lu unified": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        return new Step("list the unified LUs of '" + unit + "'", () -> {
          IntegrationLUInfo info = unified(unit);
          out.print(arguments.has(Arguments.JSON) ? Json.write(info) : unifiedTable(info));
        });
      }
      case "lu pairs": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        return new Step("list the coupling pairs of '" + unit + "'", () -> {
          CouplingInfo info = couplings(unit);
          out.print(arguments.has(Arguments.JSON) ? Json.write(info) : pairTable(info));
        });
      }
      case "lu unify": {
        List<String> words = arguments.operands;
        if (words.size() < 3) {
          throw new UsageException("'lu unify' takes UNIT PARENT CHILD...");
        }
        String unit = DiskArrayTool.unitName(words.get(0));
        int parent = StorageCommands.luNumber(words.get(1));
        List<Integer> children = new ArrayList<>();
        for (String word : words.subList(2, words.size())) {
          children.add(StorageCommands.luNumber(word));
        }
        return new Step("unify LUs of '" + unit + "' under LU " + parent, () -> {
          for (int child : children) {
            change(unit, IntegrationLURequest.UNIFY_JOIN, parent, child);
            out.println("LU " + child + " joined LU " + parent);
          }
          UniteLU entry = unified(unit).unite_info[parent];
          out.println("LU " + parent + " is a unified LU of " + Sizes.mbText(entry.capacity) + ": "
              + members(parent, entry));
        });
      }
      case "lu split": {
        List<String> words = arguments.expectOperands("UNIT", "PARENT");
        String unit = DiskArrayTool.unitName(words.get(0));
        int parent = StorageCommands.luNumber(words.get(1));
        return new Step("split unified LU " + parent + " of '" + unit + "'", () -> {
          UniteLU entry = unified(unit).unite_info[parent];
          change(unit, IntegrationLURequest.UNIFY_SPLIT, parent, UNUSED);
          out.println("split LU " + parent + " into single LUs: " + members(parent, entry));
        });
      }
      case "lu pair": {
        List<String> words = arguments.expectOperands("UNIT", "PRIMARY", "SECONDARY");
        String unit = DiskArrayTool.unitName(words.get(0));
        int primary = StorageCommands.luNumber(words.get(1));
        int secondary = StorageCommands.luNumber(words.get(2));
        return new Step("pair LU " + primary + " with LU " + secondary + " of '" + unit + "'",
            () -> {
              change(unit, IntegrationLURequest.PAIR_CREATE, primary, secondary);
              out.print(pairTable(couplings(unit)));
            });
      }
      case "lu unpair": {
        List<String> words = arguments.expectOperands("UNIT", "PRIMARY");
        String unit = DiskArrayTool.unitName(words.get(0));
        int primary = StorageCommands.luNumber(words.get(1));
        return new Step("dissolve the pair of LU " + primary + " of '" + unit + "'", () -> {
          change(unit, IntegrationLURequest.PAIR_DELETE, primary, UNUSED);
          out.println("LU " + primary + " is no longer paired");
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static void change(String unit, int operation, int parent, int child)
      throws DiskArrayException, ToolFailure {
    try {
      DiskArrayUtilityJNI.KX_SetIntegrationLU(unit,
          new IntegrationLURequest(operation, parent, child));
    } catch (DiskArrayException e) {
      throw StorageCommands.missingLus(e, unit, List.of(parent, child));
    }
  }

  private static IntegrationLUInfo unified(String unit)
      throws DiskArrayException, ToolFailure {
    IntegrationLUInfo info = DiskArrayUtilityJNI.KX_IntegrationLUInfo(unit);
    if (info == null || info.unite_info == null || info.unite_info.length != LOGICAL_UNITS) {
      throw new ToolFailure("the bridge returned no unified LU list");
    }
    return info;
  }

  private static CouplingInfo couplings(String unit) throws DiskArrayException, ToolFailure {
    CouplingInfo info = DiskArrayUtilityJNI.KX_GetCouplingInfo(unit);
    if (info == null || info.coupling == null) {
      throw new ToolFailure("the bridge returned no coupling list");
    }
    return info;
  }

  /** "LU 0 + LU 3 + LU 1": the parent and its children in joining order. */
  private static String members(int parent, UniteLU entry) {
    StringBuilder text = new StringBuilder("LU " + parent);
    for (int i = 0; i < entry.child_lu_count && i < entry.child_lun.length; i++) {
      text.append(" + LU ").append(entry.child_lun[i]);
    }
    return text.toString();
  }

  static String pairTable(CouplingInfo info) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"PRIMARY", "SECONDARY", "STATE"});
    for (int i = 0; i < info.coupling_num && i < info.coupling.length; i++) {
      CouplingLU pair = info.coupling[i];
      rows.add(new String[] {
        Integer.toString(pair.primary_lu), Integer.toString(pair.second_lu),
        name(PAIR_STATES, pair.primary_stat)
      });
    }
    return Tables.table(rows, "(no pairs)");
  }

  // ---------------------------------------------------------------------------
  // Turbo LUs

  private Step turbo(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "turbo show": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of());
        return new Step("show the turbo LUs of '" + unit + "'", () -> {
          TurboLu turbo = turbo(unit);
          out.print(arguments.has(Arguments.JSON) ? Json.write(turbo) : turboTable(turbo));
        });
      }
      case "turbo set": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.LU0, Arguments.LU1, Arguments.OFF));
        boolean off = arguments.has(Arguments.OFF);
        if (off == (arguments.has(Arguments.LU0) || arguments.has(Arguments.LU1))) {
          throw new UsageException("'turbo set' needs --off, or --lu0/--lu1 LU|none");
        }
        Integer[] asked = {turboOption(arguments, Arguments.LU0),
            turboOption(arguments, Arguments.LU1)};
        return new Step("set the turbo LUs of '" + unit + "'", () -> {
          TurboLu turbo = turbo(unit);
          turbo.option = off ? 0 : TURBO_ON;
          for (int ctl = 0; ctl < 2 && !off; ctl++) {
            if (asked[ctl] == null) {
              continue;  // the controller keeps what it has
            }
            turbo.ctl[ctl].reserve_assign = asked[ctl] == UNUSED ? 0 : TURBO_ASSIGNED;
            turbo.ctl[ctl].reserve_lun = asked[ctl];
          }
          DiskArrayUtilityJNI.KX_SetTurboLU(unit, turbo);
          out.print(turboTable(turbo(unit)));
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /** --luN LU or none; null when not given. */
  private static Integer turboOption(Arguments arguments, String key) throws UsageException {
    String text = arguments.option(key);
    if (text == null) {
      return null;
    }
    return text.equals("none") ? UNUSED : Arguments.number("--" + key, text, 0, LOGICAL_UNITS - 1);
  }

  private static TurboLu turbo(String unit) throws DiskArrayException, ToolFailure {
    TurboLu turbo = DiskArrayUtilityJNI.KX_GetTurboLU(unit);
    if (turbo == null || turbo.ctl == null || turbo.ctl.length != 2) {
      throw new ToolFailure("the bridge returned no turbo LU record");
    }
    return turbo;
  }

  static String turboTable(TurboLu turbo) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"CTL", "ASKED", "IN CACHE", "STATE"});
    for (int ctl = 0; ctl < turbo.ctl.length; ctl++) {
      TurboLu_info entry = turbo.ctl[ctl];
      rows.add(new String[] {
        Integer.toString(ctl),
        entry.reserve_assign == TURBO_ASSIGNED ? "LU " + entry.reserve_lun : "-",
        entry.current_assign == TURBO_ASSIGNED ? "LU " + entry.current_lun : "-",
        name(TURBO_STATES, entry.current_status)
      });
    }
    return "turbo LUs " + (turbo.option == TURBO_ON ? "on" : "off") + "\n"
        + Tables.columns(rows);
  }

  // ---------------------------------------------------------------------------
  // Pinned data

  private Step pin(Arguments arguments) throws UsageException {
    String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
    arguments.allowOnly(Set.of());
    return new Step("show the pinned data of '" + unit + "'", () -> {
      int[] single = DiskArrayUtilityJNI.KX_GetPinInfo2(unit);
      PINInformation unified = DiskArrayUtilityJNI.KX_GetIntegrationPinInfo(unit);
      if (single == null || unified == null || unified.unite_lu == null) {
        throw new ToolFailure("the bridge returned no pinned data");
      }
      int date = DiskArrayUtilityJNI.KX_GetPinInfoGetTime(unit, PIN_TIME_DATE);
      int time = DiskArrayUtilityJNI.KX_GetPinInfoGetTime(unit, PIN_TIME_OF_DAY);
      if (arguments.has(Arguments.JSON)) {
        Map<String, Object> answer = new LinkedHashMap<>();
        answer.put("single_lu", single);
        answer.put("unified", unified);
        answer.put("since_date", date);
        answer.put("since_time", time);
        out.print(Json.write(answer));
        return;
      }
      out.print(pinTable(single, unified, date, time));
    });
  }

  static String pinTable(int[] single, PINInformation unified, int date, int time) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"LU", Sizes.heading("PINNED-MB", "PINNED"),
      Sizes.heading("UNIFIED-MB", "UNIFIED")});
    for (int lu = 0; lu < single.length; lu++) {
      if (single[lu] <= 0 && (lu >= unified.unite_lu.length || unified.unite_lu[lu] <= 0)) {
        continue;
      }
      int whole = lu < unified.unite_lu.length ? unified.unite_lu[lu] : UNUSED;
      rows.add(new String[] {
        Integer.toString(lu), Sizes.mb(single[lu]), whole == UNUSED ? "-" : Sizes.mb(whole)
      });
    }
    if (rows.size() == 1) {
      return "no pinned data\n";
    }
    return String.format("pinned data since %04d-%02d-%02d %02d:%02d:%02d (unit clock)%n",
        date / 10000, date / 100 % 100, date % 100, time / 10000, time / 100 % 100, time % 100)
        + Tables.columns(rows);
  }

  // ---------------------------------------------------------------------------
  // Configuration files

  private Step configuration(Arguments arguments) throws UsageException {
    List<String> words = arguments.expectOperands("UNIT", "FILE");
    boolean writes = arguments.command.equals("config rglu export")
        || arguments.command.equals("config rglu output");
    arguments.allowOnly(writes ? Set.of(Arguments.FORCE) : Set.of());
    if (arguments.command.equals("config rglu apply")) {
      return apply(arguments, DiskArrayTool.unitName(words.get(0)), absolute(words.get(1)));
    }
    String unit = DiskArrayTool.unitName(words.get(0));
    boolean listing = arguments.command.endsWith("output");
    String file = writes
        ? ParameterCommands.output(words.get(1), unit + (listing ? ".rglu.txt" : ".rglu"))
        : absolute(words.get(1));
    boolean force = arguments.has(Arguments.FORCE);
    switch (arguments.command) {
      case "config rglu export":
      case "config rglu output": {
        return new Step("write the RAID groups and LUs of '" + unit + "' to " + file, () -> {
          OutputFile.check(Paths.get(file), force);
          if (listing) {
            DiskArrayUtilityJNI.KX_RgLuFileOutput(unit, file);
          } else {
            DiskArrayUtilityJNI.KX_RaidLuExport(unit, file);
          }
          out.println("wrote " + file);
        });
      }
      case "config rglu import":
        return new Step("read the configuration file " + file, () -> {
          Configuration read = read(unit, file);
          RaidGroup[] groups = read.groups;
          LogicalUnit[] units = read.units;
          if (arguments.has(Arguments.JSON)) {
            Map<String, Object> answer = new LinkedHashMap<>();
            answer.put("raid_groups", StorageCommands.inUse(groups));
            answer.put("lus", StorageCommands.inUse(units));
            out.print(Json.write(answer));
            return;
          }
          out.println(file + " holds:");
          out.print(StorageCommands.raidGroupTable(groups, units, null));
          out.print(StorageCommands.logicalUnitTable(units, null, null, Set.of()));
          out.println("(nothing was changed on " + unit + "; 'config rglu apply' creates them)");
        });
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /** The RAID groups and LUs of a configuration file, all 45 and 512 entries. */
  private static final class Configuration {
    final RaidGroup[] groups = new RaidGroup[RAID_GROUPS];
    final LogicalUnit[] units = new LogicalUnit[LOGICAL_UNITS];
  }

  private static Configuration read(String unit, String file)
      throws DiskArrayException, ToolFailure {
    Object[] found = DiskArrayUtilityJNI.KX_RaidLuImport(unit, file);
    if (found == null || found.length != RAID_GROUPS + LOGICAL_UNITS) {
      throw new ToolFailure("the bridge returned no configuration");
    }
    Configuration read = new Configuration();
    for (int i = 0; i < found.length; i++) {
      Object element = found[i];
      if (element == null) {
        throw new ToolFailure("the bridge could not convert entry " + i);
      }
      if (i < RAID_GROUPS) {
        read.groups[i] = (RaidGroup) element;
      } else {
        read.units[i - RAID_GROUPS] = (LogicalUnit) element;
      }
    }
    return read;
  }

  /**
   * Creates the RAID groups and LUs of a configuration file on a unit, after
   * checking that none of them clashes with what the unit has: a group or LU
   * number in use, or a drive slot of an existing group. When the station
   * refuses one of them part way, what this command created is removed again
   * (LUs from the last, then groups), so the unit is left as it was.
   */
  private Step apply(Arguments arguments, String unit, String file) {
    return new Step("apply " + file + " to '" + unit + "'", () -> {
      Configuration wanted = read(unit, file);
      List<RaidGroup> groups = StorageCommands.inUse(wanted.groups);
      List<LogicalUnit> units = StorageCommands.inUse(wanted.units);
      if (groups.isEmpty()) {
        throw new ToolFailure(file + " holds no RAID groups; nothing to apply");
      }
      String clash = clash(StorageCommands.raidGroups(unit), StorageCommands.logicalUnits(unit),
          groups, units);
      if (clash != null) {
        throw new ToolFailure("not applied: " + clash);
      }
      arguments.confirm("Create " + groups.size() + " RAID groups and " + units.size()
          + " LUs on '" + unit + "' from " + file + "?");
      List<Integer> madeGroups = new ArrayList<>();
      List<Integer> madeUnits = new ArrayList<>();
      try {
        for (RaidGroup group : groups) {
          RaidGroup request = new RaidGroup();
          request.rgnum = group.rgnum;
          request.level = group.level;
          request.port = group.port;
          request.row = group.row;
          request.width = group.width;
          request.depth = group.depth;
          request.lastLBASet = group.lastLBASet;
          request.lastLBA = group.lastLBASet != 0 ? group.lastLBA : 0;
          DiskArrayUtilityJNI.KX_RaidGroupAdd(unit, request);
          madeGroups.add(group.rgnum);
        }
        for (LogicalUnit lu : units) {
          LogicalUnit request = new LogicalUnit();
          request.luNumber = lu.luNumber;
          request.rgNumber = lu.rgNumber;
          request.capacity = lu.capacity;
          request.staging = lu.staging;
          request.defaultCTL = lu.defaultCTL;
          request.hostblock = lu.hostblock;
          DiskArrayUtilityJNI.KX_LogicalUnitAdd(unit, request);
          madeUnits.add(lu.luNumber);
        }
      } catch (DiskArrayException e) {
        String undone = undo(unit, madeGroups, madeUnits);
        throw new ToolFailure("not applied: the station refused "
            + (madeGroups.size() < groups.size()
                ? "RAID group " + groups.get(madeGroups.size()).rgnum
                : "LU " + units.get(madeUnits.size()).luNumber)
            + ": " + DiskArrayTool.explain(e) + "; " + undone);
      }
      out.println("created RAID groups " + numbers(madeGroups)
          + (madeUnits.isEmpty() ? "" : " and LUs " + numbers(madeUnits)) + " on " + unit
          + " (the LUs are unformatted)");
    });
  }

  /** Why the file's groups and LUs cannot join the unit's, or null when they can. */
  static String clash(RaidGroup[] existingGroups, LogicalUnit[] existingUnits,
      List<RaidGroup> groups, List<LogicalUnit> units) {
    int[] owner = DriveMap.groupOfSlot(existingGroups);
    for (RaidGroup group : groups) {
      if (existingGroups[group.rgnum].rgnum >= 0) {
        return "RAID group " + group.rgnum + " exists on the unit";
      }
      for (int p = Math.max(0, group.port); p < group.port + group.width && p < DriveMap.PORTS;
          p++) {
        for (int r = Math.max(0, group.row); r < group.row + group.depth && r < DriveMap.ROWS;
            r++) {
          int taken = owner[p * DriveMap.ROWS + r];
          if (taken >= 0) {
            return "RAID group " + group.rgnum + " would take the drive at port " + p + ", row "
                + r + ", which belongs to RAID group " + taken;
          }
        }
      }
    }
    for (LogicalUnit lu : units) {
      if (existingUnits[lu.luNumber].luNumber >= 0) {
        return "LU " + lu.luNumber + " exists on the unit";
      }
    }
    return null;
  }

  /** Removes what a refused apply created; says whether the unit is as it was. */
  private static String undo(String unit, List<Integer> groups, List<Integer> units) {
    try {
      for (int i = units.size() - 1; i >= 0; i--) {
        int last = DiskArrayUtilityJNI.KX_GetLastLogicalUnit(unit);
        if (last != units.get(i)) {
          return "LUs " + numbers(units.subList(0, i + 1)) + " and RAID groups "
              + numbers(groups) + " it had created remain";
        }
        DiskArrayUtilityJNI.KX_LogicalUnitDelete(unit);
      }
      for (int i = groups.size() - 1; i >= 0; i--) {
        DiskArrayUtilityJNI.KX_RaidGroupDelete(unit, groups.get(i));
      }
      return "what it had created was removed again";
    } catch (DiskArrayException e) {
      return "removing what it had created failed (" + DiskArrayTool.explain(e)
          + "); check 'rg list' and 'lu list'";
    }
  }

  private static String numbers(List<Integer> values) {
    List<String> words = new ArrayList<>();
    for (int value : values) {
      words.add(Integer.toString(value));
    }
    return words.isEmpty() ? "(none)" : String.join(", ", words);
  }

  // ---------------------------------------------------------------------------
  // Snapshot

  /** The whole record tree of a unit as JSON, on standard output or in --json FILE. */
  private Step snapshot(Arguments arguments) throws UsageException {
    String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
    arguments.allowOnly(Set.of(Arguments.FORCE));
    String given = arguments.option(Arguments.JSON);
    if (given != null && given.isEmpty()) {
      throw new UsageException("--json needs a file name, got an empty one");
    }
    String file = given == null ? null : OutputFile.resolve(given, unit + ".json").toString();
    boolean force = arguments.has(Arguments.FORCE);
    return new Step("take a snapshot of '" + unit + "'", () -> {
      if (file != null) {
        OutputFile.check(Paths.get(file), force);
      }
      ArrayAllInformation all = DiskArrayUtilityJNI.KX_GetAllInformation(unit);
      if (all == null) {
        throw new ToolFailure("the bridge returned no snapshot");
      }
      String json = Json.write(all);
      if (file == null) {
        out.print(json);
        return;
      }
      try {
        CallerFiles.writeText(Paths.get(file), json);
      } catch (IOException e) {
        throw new ToolFailure("cannot write " + Problems.describe(e));
      } catch (InvalidPathException e) {
        throw new ToolFailure("cannot write " + file + ": " + e.getMessage());
      }
      out.println("wrote the snapshot of " + unit + " to " + file + " (" + json.length()
          + " characters of JSON)");
    });
  }

  /** The file as the station should see it: absolute, since its directory is not ours. */
  private static String absolute(String file) throws UsageException {
    String path;
    try {
      path = Paths.get(file).toAbsolutePath().normalize().toString();
    } catch (InvalidPathException e) {
      throw new UsageException("bad file name: " + e.getMessage());
    }
    return DiskArrayTool.limited("file name", path, PATH_BYTES);
  }

  private static String name(String[] names, int value) {
    return value >= 0 && value < names.length ? names[value] : "state " + value;
  }

  static String unifiedTable(IntegrationLUInfo info) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"PARENT", Sizes.heading("MB", "SIZE"), "MEMBERS"});
    for (int lu = 0; lu < info.unite_info.length; lu++) {
      UniteLU entry = info.unite_info[lu];
      if (entry != null && entry.unite_info == UNITE_PARENT) {
        rows.add(new String[] {
          Integer.toString(lu), Sizes.mb(entry.capacity), members(lu, entry)
        });
      }
    }
    return Tables.table(rows, "(no unified LUs)");
  }
}
