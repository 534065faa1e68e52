package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.Set;
import korvane.str.diskarray.AutoDump;
import korvane.str.diskarray.CommandDevice;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.NowWZParameter;
import korvane.str.diskarray.UnitIdentifier;
import korvane.str.diskarray.WarningInfo;
import korvane.str.diskarray.WizardParam;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * Operating parameters, unit identity, dumps, parameter and configuration files, mode pages and
 * the set-up wizard of a unit. Records are shown and edited as the text of {@link RecordText}.
 */
final class ParameterCommands {
  static final Set<String> COMMANDS = Set.of("params", "identity", "command-device", "warning",
      "dump", "alert-interval", "config", "modepage", "wizard");

  private static final String[] GROUPS = {"online-system", "online-tuning", "tuning",
      "restoration", "prefetch", "verify", "threshold"};

  private static final int ALL_PAGES = DiskArrayConstants.KX_MODE_PAGE_ALL;

  /** What the station's parameter and wizard codes mean. */
  private static final Map<Integer, String> MEANINGS = Map.ofEntries(
      Map.entry(0x1200, "an online system switch is not 0 or 1, or the web title is not"
          + " printable ASCII of at most 32 bytes"),
      Map.entry(0x1201, "an online tuning value is out of range"),
      Map.entry(0x1202, "the default LU or an LU with a prefetch start does not exist"),
      Map.entry(0x1203, "a tuning value is out of range, or the reserved buffer exceeds the"
          + " current one"),
      Map.entry(0x1204, "a drive restoration value is out of range"),
      Map.entry(0x1205, "a prefetch staging amount is out of range"),
      Map.entry(0x1206, "online verify: test must be 0 or 1, idling time 1..3600 s"),
      Map.entry(0x1207, "an error threshold is outside 0..65535"),
      Map.entry(0x1208, "the equipment id must be 1..4 of A-Z, 0-9; controller names printable"
          + " ASCII, name mode 0 or 1"),
      Map.entry(0x1209, "a command device switch is not 0 or 1, the same LU is given twice,"
          + " or the sequence number is not printable ASCII"),
      Map.entry(0x120A, "a command device entry names an LU that does not exist"),
      Map.entry(0x120B, "the warning report mode must be 0, 1 or 2"),
      Map.entry(0x120C, "the alert interval must be 1..1440 minutes"),
      Map.entry(0x120D, "the file could not be written (it exists, or its directory is missing"
          + " or not writable)"),
      Map.entry(0x120E, "the file could not be read"),
      Map.entry(0x120F, "the file is damaged, edited or not of this kind; nothing was applied"),
      Map.entry(0x1210, "the file was written for a unit of another model; nothing was applied"),
      Map.entry(0x1211, "the file is of a newer format version; nothing was applied"),
      Map.entry(0x1212, "no such mode page, or the file does not hold it"),
      Map.entry(0x1220, "fd_backup must be 0 or 1"),
      Map.entry(0x1221, "a dual_conf value is out of range"),
      Map.entry(0x1222, "drive_capacity must be sent back as the unit reports it"),
      Map.entry(0x1223, "an option word is outside 0..0xFFFF"),
      Map.entry(0x1224, "a target_id value is out of range, or port slots 2 and 3 are not zero"),
      Map.entry(0x1225, "a target presents an LU that does not exist"),
      Map.entry(0x1226, "a mode_param value is out of range"),
      Map.entry(0x1227, "an inquiry value or text is out of range"),
      Map.entry(0x1228, "a port_type value is out of range, or port slots 2 and 3 are not zero"),
      Map.entry(0x1229, "a rom_response value is out of range"),
      Map.entry(0x122A, "a ctl_opt value or controller name is out of range"),
      Map.entry(0x122B, "a lan_conf flag, address, mask, gateway or MAC address is malformed,"
          + " or both controllers have the same address"),
      Map.entry(0x122C, "a sync_control board type or rate is out of range"),
      Map.entry(0x122D, "the target-ID text is malformed"));

  private final PrintStream out;

  ParameterCommands(PrintStream out) {
    this.out = out;
  }

  /** The meaning of a code of this area, or null. */
  static String meaning(int code) {
    return MEANINGS.get(code);
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "params":
        return params(arguments.subcommand("show, set, export, import"));
      case "identity":
        return identity(arguments.subcommand("show, set"));
      case "command-device":
        return commandDevice(arguments);
      case "warning":
        return warning(arguments);
      case "alert-interval":
        return alertInterval(arguments);
      case "dump":
        return dump(arguments);
      case "config":
        return config(arguments.subcommand("export, import"));
      case "modepage":
        return modePage(arguments.subcommand("sense, select"));
      default:
        return wizard(arguments.subcommand("show, test, apply, current"));
    }
  }

  // ---------------------------------------------------------------------------
  // Parameter groups

  /** Reads and writes one parameter group. */
  private interface Group {
    Object get(String unit) throws DiskArrayException;

    void set(String unit, Object record) throws DiskArrayException;

    /** A record of the group with nothing read, to check changes on before the station. */
    Object blank();
  }

  private static Group group(String name) throws UsageException {
    switch (name) {
      case "online-system":
        return group(korvane.str.diskarray.OnlineSystemParam::new,
            DiskArrayUtilityJNI::KX_GetOnlineSystemParam,
            (u, r) -> DiskArrayUtilityJNI.KX_SetOnlineSystemParam(u,
                (korvane.str.diskarray.OnlineSystemParam) r));
      case "online-tuning":
        return group(korvane.str.diskarray.OnlineTuningParam::new,
            DiskArrayUtilityJNI::KX_GetOnlineTuningParam,
            (u, r) -> DiskArrayUtilityJNI.KX_SetOnlineTuningParam(u,
                (korvane.str.diskarray.OnlineTuningParam) r));
      case "tuning":
        return group(korvane.str.diskarray.TuningParam::new,
            DiskArrayUtilityJNI::KX_GetTuningParam,
            (u, r) -> DiskArrayUtilityJNI.KX_SetTuningParam(u,
                (korvane.str.diskarray.TuningParam) r));
      case "restoration":
        return group(korvane.str.diskarray.DiskDriveRestoration::new,
            DiskArrayUtilityJNI::KX_GetDiskDriveRestoration,
            (u, r) -> DiskArrayUtilityJNI.KX_SetDiskDriveRestoration(u,
                (korvane.str.diskarray.DiskDriveRestoration) r));
      case "prefetch":
        return group(korvane.str.diskarray.PrefetchInformation::new,
            DiskArrayUtilityJNI::KX_GetPrefetchInformation,
            (u, r) -> DiskArrayUtilityJNI.KX_SetPrefetchInformation(u,
                (korvane.str.diskarray.PrefetchInformation) r));
      case "verify":
        return group(korvane.str.diskarray.OnlineVerify::new,
            DiskArrayUtilityJNI::KX_GetOnlineVerify,
            (u, r) -> DiskArrayUtilityJNI.KX_SetOnlineVerify(u,
                (korvane.str.diskarray.OnlineVerify) r));
      case "threshold":
        return group(korvane.str.diskarray.Threshold::new,
            DiskArrayUtilityJNI::KX_GetThreshold,
            (u, r) -> DiskArrayUtilityJNI.KX_SetThreshold(u,
                (korvane.str.diskarray.Threshold) r));
      default:
        throw new UsageException("unknown parameter group '" + name + "'; groups: "
            + String.join(", ", GROUPS));
    }
  }

  private interface Getter {
    Object get(String unit) throws DiskArrayException;
  }

  private interface Setter {
    void set(String unit, Object record) throws DiskArrayException;
  }

  private static Group group(java.util.function.Supplier<Object> blank, Getter getter,
      Setter setter) {
    return new Group() {
      @Override
      public Object blank() {
        return blank.get();
      }

      @Override
      public Object get(String unit) throws DiskArrayException {
        return getter.get(unit);
      }

      @Override
      public void set(String unit, Object record) throws DiskArrayException {
        setter.set(unit, record);
      }
    };
  }

  private Step params(Arguments arguments) throws UsageException {
    arguments.allowOnly(arguments.command.equals("params export") ? Set.of(Arguments.FORCE)
        : fieldOptions(arguments.command).keySet());
    switch (arguments.command) {
      case "params show": {
        List<String> words = arguments.expectOperands("UNIT", "GROUP");
        String unit = DiskArrayTool.unitName(words.get(0));
        Group group = group(words.get(1));
        return new Step("show the " + words.get(1) + " parameters of '" + unit + "'",
            () -> {
              Object record = record(group.get(unit));
              out.print(arguments.has(Arguments.JSON) ? Json.write(record) : shown(record));
            });
      }
      case "params set": {
        if (arguments.operands.size() < 2) {
          throw new UsageException("'params set' takes UNIT GROUP --FIELD=VALUE...");
        }
        String unit = DiskArrayTool.unitName(arguments.operands.get(0));
        Group group = group(arguments.operands.get(1));
        List<RecordText.Assignment> changes =
            assignments(arguments, arguments.operands.subList(2, arguments.operands.size()));
        if (changes.isEmpty()) {
          throw new UsageException("'params set' needs a field to change, as --FIELD=VALUE");
        }
        try {
          // A field the group does not have, or a value of the wrong form, is the
          // command line's fault: said before the station is asked.
          RecordText.apply(group.blank(), changes);
        } catch (IllegalArgumentException e) {
          throw new UsageException(e.getMessage());
        }
        return new Step("set the " + arguments.operands.get(1) + " parameters of '" + unit + "'",
            () -> {
              Object record = record(group.get(unit));
              edit(record, changes);
              try {
                group.set(unit, record);
              } catch (DiskArrayException e) {
                throw refusal(e, record, changes);
              }
              Object stored = record(group.get(unit));
              checkStored(record, stored, changes);
              out.print(shown(stored));
            });
      }
      case "params export":
      case "params import": {
        List<String> words = arguments.expectOperands("UNIT", "FILE");
        String unit = DiskArrayTool.unitName(words.get(0));
        String file = arguments.command.equals("params export")
            ? OutputFile.resolve(words.get(1), unit + ".params").toString() : path(words.get(1));
        if (arguments.command.equals("params export")) {
          boolean force = arguments.has(Arguments.FORCE);
          return new Step("export the parameters of '" + unit + "' to " + file, () -> {
            OutputFile.check(Paths.get(file), force);
            DiskArrayUtilityJNI.KX_SystemParamExport(unit, file, 0, force ? 1 : 0);
            out.println("exported the parameters of " + unit + " to " + file);
          });
        }
        return new Step("import parameters into '" + unit + "' from " + file, () -> {
          arguments.confirm("Replace the operating parameters of '" + unit + "' with those of "
              + file + "?");
          DiskArrayUtilityJNI.KX_SystemParamImport(unit, file, 0);
          out.println("imported the parameters of " + file + " into " + unit);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /** A record as text lines, or with --json as JSON. */
  private void print(Arguments arguments, Object record) {
    out.print(arguments.has(Arguments.JSON) ? Json.write(record) : RecordText.write(record));
  }

  /** The record's text; the per-LU entries of the online tuning only where set. */
  private static String shown(Object record) {
    StringBuilder text = new StringBuilder();
    for (String line : RecordText.write(record).split("\n")) {
      if (!line.matches("lu\\[\\d+\\]\\.pre_start = 0")) {
        text.append(line).append('\n');
      }
    }
    return text.toString();
  }

  private static Object record(Object record) throws ToolFailure {
    if (record == null) {
      throw new ToolFailure("the bridge returned no record");
    }
    return record;
  }

  /** Records with more fields than this have only their unindexed ones declared as options. */
  private static final int DECLARED_FIELDS = 64;

  /**
   * The fields of the record a command edits, as the options picocli declares
   * (web_title is --web-title), each with what it is. For params set the
   * fields of every group; the handler checks them against the group given.
   * A field with an index in a long array (lu[3].pre_start) is not declared;
   * it is taken as --lu[3].pre_start=VALUE all the same.
   */
  static Map<String, String> fieldOptions(String command) {
    Map<String, String> options = new java.util.TreeMap<>();
    try {
      switch (command) {
        case "params set":
          for (String name : GROUPS) {
            addFields(options, group(name).blank(), name + " group");
          }
          break;
        case "identity set":
          addFields(options, new UnitIdentifier(), "identity");
          break;
        case "command-device":
          addFields(options, new CommandDevice(), "command device");
          break;
        case "wizard current":
          addFields(options, new NowWZParameter(), "settings in force");
          break;
        default:
          break;
      }
    } catch (UsageException e) {
      throw new IllegalStateException(e);  // every name in GROUPS is a group
    }
    return options;
  }

  private static void addFields(Map<String, String> options, Object blank, String what) {
    String[] lines = RecordText.write(blank).split("\n");
    for (String line : lines) {
      String field = line.substring(0, line.indexOf(" = "));
      if (lines.length > DECLARED_FIELDS && field.contains("[")) {
        continue;
      }
      options.merge(field.replace('_', '-'), "field " + field + " of the " + what,
          (first, more) -> first + ", " + what);
    }
  }

  /**
   * Field changes given as options named after the fields: those picocli
   * declared (--web-title, see {@link #fieldOptions}) and, among the operands,
   * any other --FIELD=VALUE (an indexed field, or a name written with '_').
   * A hyphen in a name stands for an underscore.
   */
  private static List<RecordText.Assignment> assignments(Arguments arguments, List<String> words)
      throws UsageException {
    List<RecordText.Assignment> changes = new ArrayList<>();
    for (String option : fieldOptions(arguments.command).keySet()) {
      if (arguments.has(option)) {
        changes.add(new RecordText.Assignment(0, option.replace('-', '_'),
            arguments.option(option).trim()));
      }
    }
    for (String word : words) {
      int equals = word.indexOf('=');
      if (!word.startsWith("--") || equals <= 2) {
        throw new UsageException("expected --FIELD=VALUE, got '" + word + "'");
      }
      changes.add(new RecordText.Assignment(0,
          word.substring(2, equals).trim().replace('-', '_'),
          word.substring(equals + 1).trim()));
    }
    return changes;
  }

  /**
   * A group's refusal with the field it is about: the station gives one code
   * for any field out of range. A refusal the changed fields do not explain
   * is thrown as it is.
   */
  private static ToolFailure refusal(DiskArrayException e, Object record,
      List<RecordText.Assignment> changes) throws DiskArrayException {
    Map<String, String> changed = new java.util.LinkedHashMap<>();
    for (RecordText.Assignment change : changes) {
      changed.put(change.path, change.value);
    }
    // Only the codes that refuse a group's values are about the fields set.
    boolean values = e.getCode() >= ErrorCodes.KXE_INVALID_ONLINE_SYSTEM_PARAM
        && e.getCode() <= ErrorCodes.KXE_INVALID_WARNING_MODE;
    String problem = values ? ParameterRanges.problem(record, changed) : null;
    if (problem == null) {
      throw e;
    }
    return new ToolFailure(problem + " (" + DiskArrayTool.explain(e) + ")");
  }

  /**
   * Fails when a text the command line set reads back cut: the bridge passes
   * at most a field's width, so "TOOLONG" can be stored as "TOOL". The change
   * is made, but not as asked, and a script must not take it for success.
   */
  private static void checkStored(Object asked, Object stored,
      List<RecordText.Assignment> changes) throws ToolFailure {
    Map<String, String> askedLines = fieldLines(asked);
    Map<String, String> storedLines = fieldLines(stored);
    List<String> cut = new ArrayList<>();
    for (RecordText.Assignment change : changes) {
      String wanted = askedLines.get(change.path);
      String got = storedLines.get(change.path);
      if (wanted != null && got != null && !wanted.equals(got) && wanted.startsWith("\"")
          && got.startsWith("\"") && wanted.startsWith(got.substring(0, got.length() - 1))) {
        cut.add(change.path + " was stored cut to " + got + " (asked " + wanted
            + "): the field holds no more");
      }
    }
    if (!cut.isEmpty()) {
      throw new ToolFailure(String.join("; ", cut));
    }
  }

  /** A record's fields as RecordText writes them, by path. */
  private static Map<String, String> fieldLines(Object record) {
    Map<String, String> lines = new java.util.HashMap<>();
    for (String line : RecordText.write(record).split("\n")) {
      int equals = line.indexOf(" = ");
      if (equals > 0) {
        lines.put(line.substring(0, equals), line.substring(equals + 3));
      }
    }
    return lines;
  }

  private static void edit(Object record, List<RecordText.Assignment> changes)
      throws ToolFailure {
    try {
      RecordText.apply(record, changes);
    } catch (IllegalArgumentException e) {
      throw new ToolFailure(e.getMessage());
    }
  }

  /** An output file (see {@link OutputFile}) as a path the station takes. */
  static String output(String given, String defaultName) throws UsageException {
    return DiskArrayTool.limited("path", OutputFile.resolve(given, defaultName).toString(), 1023);
  }

  static String path(String text) throws UsageException {
    try {
      Path path = Paths.get(text).toAbsolutePath().normalize();
      return DiskArrayTool.limited("path", path.toString(), 1023);
    } catch (InvalidPathException e) {
      throw new UsageException("bad path: " + e.getMessage());
    }
  }

  // ---------------------------------------------------------------------------
  // Identity, command device, warnings, alert interval, dumps

  private Step identity(Arguments arguments) throws UsageException {
    arguments.allowOnly(fieldOptions(arguments.command).keySet());
    if (arguments.operands.isEmpty()) {
      throw new UsageException("'" + arguments.command + "' needs UNIT");
    }
    String unit = DiskArrayTool.unitName(arguments.operands.get(0));
    if (arguments.command.equals("identity show")) {
      arguments.expectOperands("UNIT");
      return new Step("show the identity of '" + unit + "'", () -> {
        Object identity = record(DiskArrayUtilityJNI.KX_GetUnitIdentifier(unit));
        out.print(arguments.has(Arguments.JSON) ? Json.write(identity)
            : RecordText.write(identity));
      });
    }
    if (!arguments.command.equals("identity set")) {
      throw new UsageException("unknown command '" + arguments.command + "'");
    }
    List<RecordText.Assignment> changes =
        assignments(arguments, arguments.operands.subList(1, arguments.operands.size()));
    if (changes.isEmpty()) {
      throw new UsageException("'identity set' needs a field to change, as --FIELD=VALUE");
    }
    return new Step("set the identity of '" + unit + "'", () -> {
      UnitIdentifier identifier =
          (UnitIdentifier) record(DiskArrayUtilityJNI.KX_GetUnitIdentifier(unit));
      edit(identifier, changes);
      try {
        DiskArrayUtilityJNI.KX_SetUnitIdentifier(unit, identifier);
      } catch (DiskArrayException e) {
        throw refusal(e, identifier, changes);
      }
      Object stored = record(DiskArrayUtilityJNI.KX_GetUnitIdentifier(unit));
      checkStored(identifier, stored, changes);
      print(arguments, stored);
    });
  }

  private Step commandDevice(Arguments arguments) throws UsageException {
    arguments.allowOnly(fieldOptions(arguments.command).keySet());
    if (arguments.operands.isEmpty()) {
      throw new UsageException("'command-device' takes UNIT [--FIELD=VALUE...]");
    }
    String unit = DiskArrayTool.unitName(arguments.operands.get(0));
    List<RecordText.Assignment> changes =
        assignments(arguments, arguments.operands.subList(1, arguments.operands.size()));
    return new Step("the command device of '" + unit + "'", () -> {
      if (!changes.isEmpty()) {
        CommandDevice device =
            (CommandDevice) record(DiskArrayUtilityJNI.KX_GetCommandDevice(unit));
        edit(device, changes);
        try {
          DiskArrayUtilityJNI.KX_SetCommandDevice(unit, device);
        } catch (DiskArrayException e) {
          throw refusal(e, device, changes);
        }
      }
      print(arguments, record(DiskArrayUtilityJNI.KX_GetCommandDevice(unit)));
    });
  }

  private Step warning(Arguments arguments) throws UsageException {
    arguments.allowOnly(Set.of(Arguments.MODE));
    String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
    // The station checks the range (its own code says 0, 1 or 2).
    Integer mode = arguments.has(Arguments.MODE) ? arguments.intOption(Arguments.MODE, 0,
        Integer.MIN_VALUE, Integer.MAX_VALUE) : null;
    return new Step("the warning mode of '" + unit + "'", () -> {
      if (mode != null) {
        WarningInfo info = new WarningInfo();
        info.report_mode = mode;
        DiskArrayUtilityJNI.KX_SetWarningInfo(unit, info);
      }
      WarningInfo info = (WarningInfo) record(DiskArrayUtilityJNI.KX_GetWarningInfo(unit));
      if (arguments.has(Arguments.JSON)) {
        out.print(Json.write(info));
        return;
      }
      out.println("report_mode = " + info.report_mode);
    });
  }

  private Step alertInterval(Arguments arguments) throws UsageException {
    arguments.allowOnly(Set.of());
    List<String> words = arguments.expectOperandCount(0, 1, "[MINUTES]");
    Integer minutes = words.isEmpty() ? null
        : Arguments.number("MINUTES", words.get(0), 1, 1440);
    return new Step("the alert interval", () -> {
      if (minutes != null) {
        DiskArrayUtilityJNI.KX_SetAlertInterval(minutes);
      }
      int interval = DiskArrayUtilityJNI.KX_GetAlertInterval();
      out.print(arguments.has(Arguments.JSON) ? Json.write(Map.of("minutes", interval))
          : "alert interval " + interval + " minutes\n");
    });
  }

  private Step dump(Arguments arguments) throws UsageException {
    arguments.allowOnly(Set.of(Arguments.CONTROLLER, Arguments.OUT, Arguments.FORCE));
    String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
    int controller = arguments.intOption(Arguments.CONTROLLER, 0, 0, 1);
    String file = arguments.has(Arguments.OUT) ? output(arguments.option(Arguments.OUT),
        unit + "-ctl" + controller + ".dump") : null;
    boolean force = arguments.has(Arguments.FORCE);
    return new Step("the dump of controller " + controller + " of '" + unit + "'", () -> {
      if (file != null) {
        OutputFile.check(Paths.get(file), force);
        DiskArrayUtilityJNI.KX_OutputAutoDump(unit, controller, file);
        out.println("wrote the dump of controller " + controller + " to " + file);
      }
      AutoDump dump = (AutoDump) record(DiskArrayUtilityJNI.KX_GetAutoDump(unit, controller));
      out.println(dump.flag == 0 ? "no dump taken yet"
          : String.format("latest dump %04d-%02d-%02d %02d:%02d:%02d", dump.year, dump.month,
              dump.date, dump.hours, dump.minutes, dump.seconds));
    });
  }

  private Step config(Arguments arguments) throws UsageException {
    boolean export = arguments.command.equals("config export");
    arguments.allowOnly(export ? Set.of(Arguments.FORCE) : Set.of());
    List<String> words = arguments.expectOperands("UNIT", "FILE");
    String unit = DiskArrayTool.unitName(words.get(0));
    String file = export ? output(words.get(1), unit + ".config") : path(words.get(1));
    boolean force = arguments.has(Arguments.FORCE);
    if (export) {
      return new Step("export the configuration of '" + unit + "' to " + file, () -> {
        OutputFile.check(Paths.get(file), force);
        DiskArrayUtilityJNI.KX_ConfigExport(unit, file);
        out.println("exported the configuration of " + unit + " to " + file);
      });
    }
    if (!arguments.command.equals("config import")) {
      throw new UsageException("unknown command '" + arguments.command + "'");
    }
    return new Step("import a configuration into '" + unit + "' from " + file, () -> {
      arguments.confirm("Replace the set-up configuration of '" + unit + "' with that of " + file
          + "?");
      DiskArrayUtilityJNI.KX_ConfigImport(unit, file);
      out.println("imported the configuration of " + file + " into " + unit);
    });
  }

  private Step modePage(Arguments arguments) throws UsageException {
    boolean sense = arguments.command.equals("modepage sense");
    if (!sense && !arguments.command.equals("modepage select")) {
      throw new UsageException("unknown command '" + arguments.command + "'");
    }
    arguments.allowOnly(sense
        ? Set.of(Arguments.CONTROLLER, Arguments.PAGE, Arguments.CONTROL, Arguments.FORCE)
        : Set.of(Arguments.CONTROLLER, Arguments.PAGE));
    int controller = arguments.intOption(Arguments.CONTROLLER, 0, 0, 1);
    List<String> words = arguments.expectOperands("UNIT", "FILE");
    String unit = DiskArrayTool.unitName(words.get(0));
    String file = sense ? output(words.get(1), unit + ".modepages") : path(words.get(1));
    int page = arguments.intOption(Arguments.PAGE, ALL_PAGES, 0, 0x3F);
    int control = arguments.intOption(Arguments.CONTROL, 0, 0, 3);
    boolean force = arguments.has(Arguments.FORCE);
    if (sense) {
      return new Step("read the mode pages of '" + unit + "'", () -> {
        OutputFile.check(Paths.get(file), force);
        DiskArrayUtilityJNI.KX_ModeSense(unit, page, control, controller, file);
        out.println("wrote the mode pages of " + unit + " to " + file);
      });
    }
    return new Step("write the mode pages of '" + unit + "'", () -> {
      DiskArrayUtilityJNI.KX_ModeSelect(unit, page, 0, controller, file);
      out.println("applied the changeable bits of " + file + " to " + unit);
    });
  }

  // ---------------------------------------------------------------------------
  // The set-up wizard

  /** The parts of the wizard record each refusal code of the station is about. */
  private static final Map<Integer, List<String>> WIZARD_PARTS = Map.ofEntries(
      Map.entry(ErrorCodes.KXE_WIZARD_FD_BACKUP, List.of("fd_backup")),
      Map.entry(ErrorCodes.KXE_WIZARD_DUAL_CONFIG, List.of("dual_conf")),
      Map.entry(ErrorCodes.KXE_WIZARD_DRIVE_CAPACITY, List.of("drive_capacity")),
      Map.entry(ErrorCodes.KXE_WIZARD_OPTION, List.of("option", "e_option", "e_option2")),
      Map.entry(ErrorCodes.KXE_WIZARD_TARGET_ID, List.of("target_id")),
      Map.entry(ErrorCodes.KXE_WIZARD_TARGET_LU, List.of("target_id")),
      Map.entry(ErrorCodes.KXE_WIZARD_MODE, List.of("mode_param")),
      Map.entry(ErrorCodes.KXE_WIZARD_INQUIRY, List.of("inquiry")),
      Map.entry(ErrorCodes.KXE_WIZARD_PORT_TYPE, List.of("port_type")),
      Map.entry(ErrorCodes.KXE_WIZARD_ROM_RESPONSE, List.of("rom_response")),
      Map.entry(ErrorCodes.KXE_WIZARD_CONTROLLER_OPTION, List.of("ctl_opt")),
      Map.entry(ErrorCodes.KXE_WIZARD_LAN, List.of("lan_conf")),
      Map.entry(ErrorCodes.KXE_WIZARD_SYNC_PORT, List.of("sync_control")));

  /**
   * The lines of the file that set the part of the record a refusal is
   * about (" Set by FILE line 3: dual_conf.data_share = 7"), or that none does:
   * then the unit's own values of that part are what the station refuses.
   */
  static String wizardLines(int code, List<RecordText.Assignment> changes, String file) {
    List<String> parts = WIZARD_PARTS.get(code);
    if (parts == null) {
      return "";
    }
    StringBuilder lines = new StringBuilder();
    for (RecordText.Assignment change : changes) {
      String top = change.path.split("[.\\[]", 2)[0];
      if (parts.contains(top)) {
        lines.append(lines.length() == 0 ? "" : ", ").append("line ").append(change.line)
            .append(": ").append(change.path).append(" = ").append(change.value);
      }
    }
    return lines.length() == 0
        ? " No line of " + file + " sets " + String.join(", ", parts)
            + ": the unit's own values are refused."
        : " Set by " + file + " " + lines;
  }

  private Step wizard(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "wizard show": {
        arguments.allowOnly(Set.of(Arguments.OUT, Arguments.FORCE));
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        String file = arguments.has(Arguments.OUT)
            ? OutputFile.resolve(arguments.option(Arguments.OUT), unit + ".wizard").toString()
            : null;
        boolean force = arguments.has(Arguments.FORCE);
        boolean json = arguments.has(Arguments.JSON);
        return new Step("show the wizard record of '" + unit + "'", () -> {
          Object wizard = record(DiskArrayUtilityJNI.KX_GetWizardParam(unit, "", 0));
          String text = json ? Json.write(wizard)
              : "# wizard record of " + unit + "\n" + RecordText.write(wizard);
          if (file == null) {
            out.print(text);
            return;
          }
          OutputFile.check(Paths.get(file), force);
          try {
            CallerFiles.writeText(Paths.get(file), text);
          } catch (IOException e) {
            throw new ToolFailure("cannot write " + Problems.describe(e));
          }
          out.println("wrote the wizard record of " + unit + " to " + file);
        });
      }
      case "wizard test":
      case "wizard apply": {
        arguments.allowOnly(Set.of());
        List<String> words = arguments.expectOperands("UNIT", "FILE");
        String unit = DiskArrayTool.unitName(words.get(0));
        List<RecordText.Assignment> changes;
        try {
          changes = RecordText.parse(CallerFiles.readText(Paths.get(words.get(1))));
        } catch (IOException e) {
          throw new UsageException("cannot read " + Problems.describe(e));
        } catch (InvalidPathException e) {
          throw new UsageException("cannot read " + words.get(1) + ": " + e.getMessage());
        } catch (IllegalArgumentException e) {
          throw new UsageException(words.get(1) + ": " + e.getMessage());
        }
        boolean apply = arguments.command.equals("wizard apply");
        return new Step((apply ? "apply" : "test") + " a wizard record on '" + unit + "'", () -> {
          WizardParam record =
              (WizardParam) record(DiskArrayUtilityJNI.KX_GetWizardParam(unit, "", 0));
          edit(record, changes);
          try {
            DiskArrayUtilityJNI.KX_TestWizardParam(unit, record, "", 0);
          } catch (DiskArrayException e) {
            throw new ToolFailure("first problem: " + DiskArrayTool.explain(e)
                + wizardLines(e.getCode(), changes, words.get(1)));
          }
          if (apply) {
            DiskArrayUtilityJNI.KX_SetWizardParam(unit, record, "", 0);
            out.println("applied the wizard record to " + unit);
          } else {
            out.println("the wizard record is valid for " + unit);
          }
        });
      }
      case "wizard current": {
        Set<String> allowed = new java.util.HashSet<>(fieldOptions(arguments.command).keySet());
        allowed.add(Arguments.CONTROLLER);
        arguments.allowOnly(allowed);
        int controller = arguments.intOption(Arguments.CONTROLLER, 0, 0, 1);
        if (arguments.operands.isEmpty()) {
          throw new UsageException("'wizard current' takes UNIT [--FIELD=VALUE...]");
        }
        String unit = DiskArrayTool.unitName(arguments.operands.get(0));
        List<RecordText.Assignment> changes =
            assignments(arguments, arguments.operands.subList(1, arguments.operands.size()));
        return new Step("the current wizard settings of '" + unit + "'", () -> {
          if (!changes.isEmpty()) {
            NowWZParameter now =
                (NowWZParameter) record(DiskArrayUtilityJNI.KX_GetNowWZParam(unit, controller));
            edit(now, changes);
            DiskArrayUtilityJNI.KX_SetNowWZParam(unit, controller, now);
          }
          print(arguments, record(DiskArrayUtilityJNI.KX_GetNowWZParam(unit, controller)));
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }
}
