package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.NotDirectoryException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.HashSet;
import java.util.List;
import java.util.Set;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.KXLabel;
import korvane.str.diskarray.KXUnitParam;
import korvane.str.diskarray.WorkingDirectory;
import picocli.CommandLine;

/**
 * Command-line tool over an array station: its unit registry, and the users,
 * status, RAID groups, LUs and formatting of each unit.
 *
 * <p>Every command that touches the station first hands the station's working
 * directory to the core library with {@code KX_GUIInitialize}; the core keeps
 * the registry there, so separate runs on the same directory see the same units.
 *
 * <p>Exit status: 0 on success, 1 when the bridge or the station reports an
 * error (the message carries its code), 2 for a command line that cannot be used,
 * 5 when the unit is not ready (restarting): try again later; {@code status}
 * answers 3 for a degraded and 4 for a failed unit.
 */
public final class DiskArrayTool {

  static final int EXIT_OK = 0;
  static final int EXIT_FAILURE = 1;
  static final int EXIT_USAGE = 2;
  // Apart from status's health codes (3 degraded, 4 failed, Health.java).
  static final int EXIT_NOT_READY = 5;

  // Names, group names and controller texts are cut to these many bytes by the
  // bridge; the tool refuses longer ones instead of storing something else.
  static final int NAME_BYTES = 16;
  static final int CONTROLLER_TEXT_BYTES = 79;
  static final int MODIFY_TEXT_BYTES = 1023;
  /** The text operations of modify-info, by their number. */
  static final List<String> MODIFY_OPERATIONS =
      List.of("trim", "upper", "lower", "relabel", "define", "undefine");

  private final PrintStream out;
  private final PrintStream err;

  /** Whether out is a terminal, where progress bars redraw their line. */
  private final boolean terminal;

  /** Confirmations and passwords: from the terminal, standard input or the environment. */
  private final Prompts prompts;

  DiskArrayTool(PrintStream out, PrintStream err) {
    this(System.in, out, err);
  }

  DiskArrayTool(InputStream in, PrintStream out, PrintStream err) {
    this.out = out;
    this.err = err;
    boolean onTerminal = out == System.out && in == System.in && System.console() != null;
    this.terminal = onTerminal;
    this.prompts = new Prompts(onTerminal ? System.console() : null, in, System.getenv());
  }

  public static void main(String[] args) {
    int status = run(args, System.out, System.err);
    System.out.flush();
    System.exit(status);
  }

  /** Runs one command line and returns its exit status. */
  public static int run(String[] args, PrintStream out, PrintStream err) {
    return new DiskArrayTool(out, err).execute(args);
  }

  /**
   * Runs one command line with in as its standard input (for --password-stdin)
   * and returns its exit status. Not being System.in, in is no terminal: a
   * destructive command then needs --yes.
   */
  public static int run(String[] args, InputStream in, PrintStream out, PrintStream err) {
    return new DiskArrayTool(in, out, err).execute(args);
  }

  /** The native calls of one command. */
  interface Action {
    void run() throws DiskArrayException, ToolFailure;
  }

  /** The unit is restarting: not an error of the command, reported with its own status. */
  static final class NotReady extends ToolFailure {
    private static final long serialVersionUID = 1L;

    NotReady(String message) {
      super(message);
    }
  }

  /** A failure that comes without an error code, reported with exit status 1. */
  static class ToolFailure extends Exception {
    private static final long serialVersionUID = 1L;

    ToolFailure(String message) {
      super(message);
    }
  }

  /**
   * Ends a command that printed its whole answer with an exit status that is
   * part of the answer (the health of a unit for {@code status}); nothing more
   * is printed.
   */
  static final class AnswerStatus extends ToolFailure {
    private static final long serialVersionUID = 1L;
    final int status;

    AnswerStatus(int status) {
      super("exit status " + status);
      this.status = status;
    }
  }

  /** A command ready to run, with the words that name it in an error message. */
  static final class Step {
    final String what;
    final Action action;
    /** The action opens the station itself (the monitor, which waits out a busy one). */
    final boolean opensStation;

    Step(String what, Action action) {
      this(what, action, false);
    }

    Step(String what, Action action, boolean opensStation) {
      this.what = what;
      this.action = action;
      this.opensStation = opensStation;
    }
  }

  int execute(String[] args) {
    String what = null;
    PrintWriter outWriter = new PrintWriter(out, true);
    PrintWriter errWriter = new PrintWriter(err, true);
    try {
      CommandLine tree = CommandTree.build(args, outWriter, errWriter);
      CommandTree.Parsed parsed = CommandTree.parse(tree, args);
      if (parsed.version) {
        out.println(CommandTree.VERSION);
        return EXIT_OK;
      }
      if (parsed.help != null) {
        if (parsed.help == tree) {
          out.print(HelpText.overview());
        } else {
          parsed.help.usage(out);
        }
        return EXIT_OK;
      }
      Arguments arguments = parsed.arguments;
      arguments.prompts = prompts;
      if (arguments.command.equals("help")) {
        return help(tree, arguments);
      }
      if (arguments.command.equals("completion")) {
        arguments.expectOperands();
        out.print(CommandTree.completion(tree));
        return EXIT_OK;
      }
      if (arguments.command.equals("demo")) {
        return new Demo(this, out, err).run(arguments);
      }
      if (PerformanceChart.isPlot(arguments)) {
        // Works on a file alone: no station is opened.
        Step plot = new PerformanceChart(out).prepare(arguments);
        what = plot.what;
        plot.action.run();
        return EXIT_OK;
      }
      Step step = prepare(arguments);
      Path station = stationDirectory(arguments);
      if (!step.opensStation) {
        what = "open station " + station;
        openStation(station);
      }
      what = step.what;
      Tables.tsv(arguments.has(Arguments.TSV));
      Json.raw(arguments.has(Arguments.RAW));
      Sizes.exact(arguments.has(Arguments.BYTES));
      try {
        step.action.run();
      } finally {
        Tables.tsv(false);
        Json.raw(false);
        Sizes.exact(false);
      }
      return EXIT_OK;
    } catch (UsageException e) {
      err.println("diskarray: " + e.getMessage());
      err.println("Run 'diskarray help' or 'diskarray COMMAND --help' for usage.");
      return EXIT_USAGE;
    } catch (DiskArrayException e) {
      err.println("diskarray: " + what + ": " + explain(e));
      return e.getCode() == ErrorCodes.KXE_UNIT_NOT_READY ? EXIT_NOT_READY : EXIT_FAILURE;
    } catch (NotReady e) {
      err.println("diskarray: " + what + ": " + e.getMessage());
      return EXIT_NOT_READY;
    } catch (Prompts.NotConfirmed e) {
      err.println("diskarray: " + what + ": " + e.getMessage());
      return EXIT_USAGE;
    } catch (AnswerStatus e) {
      return e.status;
    } catch (ToolFailure e) {
      err.println("diskarray: " + what + ": " + e.getMessage());
      return EXIT_FAILURE;
    } catch (IOException e) {
      err.println("diskarray: " + (what == null ? "" : what + ": ") + Problems.describe(e));
      return EXIT_FAILURE;
    } catch (LinkageError e) {
      err.println("diskarray: cannot load the bridge library (" + e.getMessage() + ");"
          + " point -Djava.library.path at the directory of libdiskarrayjni.so");
      return EXIT_FAILURE;
    }
  }

  /** 'help' alone: the overview; 'help rg add': the help of that command; --man: the page. */
  private int help(CommandLine tree, Arguments arguments) throws UsageException {
    List<String> words = arguments.operands;
    if (arguments.has("man")) {
      arguments.expectOperands();
      out.print(HelpText.manPage());
      return EXIT_OK;
    }
    if (words.isEmpty()) {
      out.print(HelpText.overview());
      return EXIT_OK;
    }
    CommandLine command = tree;
    for (String word : words) {
      command = command.getSubcommands().get(word);
      if (command == null) {
        throw new UsageException("no command '" + String.join(" ", words) + "'");
      }
    }
    command.usage(out);
    return EXIT_OK;
  }

  /** Checks a station command line completely before anything reaches the station. */
  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "list":
        arguments.expectOperands();
        arguments.allowOnly(Set.of());
        return new Step("list units", () -> {
          KXUnitParam[] units = readRegistry();
          out.print(arguments.has(Arguments.JSON) ? Json.write(units) : Tables.units(units));
        });
      case "show": {
        String name = unitName(arguments.expectOperands("NAME").get(0));
        arguments.allowOnly(Set.of());
        return new Step("show unit '" + name + "'", () -> {
          KXUnitParam unit = DiskArrayUtilityJNI.KX_GetUnitParam(name);
          if (arguments.has(Arguments.JSON)) {
            out.print(Json.write(unit));
          } else if (arguments.has(Arguments.TSV)) {
            // For scripts the unit's row as 'list' has it, not a field per line.
            out.print(Tables.units(new KXUnitParam[] {unit}));
          } else {
            out.print(Tables.unit(unit));
          }
        });
      }
      case "add": {
        String name = unitName(arguments.expectOperands("NAME").get(0));
        arguments.allowOnly(Arguments.UNIT_OPTIONS);
        KXUnitParam unit = new KXUnitParam();
        unit.unit_name = name;
        unit.group_name = "";
        unit.ctl0 = "";
        unit.ctl1 = "";
        UnitEdit.from(arguments).applyTo(unit);
        return new Step("add unit '" + name + "'", () -> {
          DiskArrayUtilityJNI.KX_UnitAdd(unit);
          out.println("added " + name);
        });
      }
      case "change": {
        String oldName = unitName(arguments.expectOperands("NAME").get(0));
        Set<String> allowed = new HashSet<>(Arguments.UNIT_OPTIONS);
        allowed.add(Arguments.NAME);
        arguments.allowOnly(allowed);
        UnitEdit edit = UnitEdit.from(arguments);
        if (edit.isEmpty()) {
          throw new UsageException("'change' needs at least one option to apply");
        }
        return new Step("change unit '" + oldName + "'", () -> {
          KXUnitParam unit = DiskArrayUtilityJNI.KX_GetUnitParam(oldName);
          edit.applyTo(unit);
          DiskArrayUtilityJNI.KX_UnitChange(oldName, unit);
          out.println(oldName.equals(unit.unit_name)
              ? "changed " + oldName : "changed " + oldName + ", now " + unit.unit_name);
        });
      }
      case "delete": {
        String name = unitName(arguments.expectOperands("NAME").get(0));
        arguments.allowOnly(Set.of());
        return new Step("delete unit '" + name + "'", () -> {
          arguments.confirm("Delete unit '" + name + "' from the registry?");
          DiskArrayUtilityJNI.KX_UnitDelete(name);
          out.println("deleted " + name);
        });
      }
      case "labels":
        arguments.expectOperands();
        arguments.allowOnly(Set.of());
        return new Step("list labels", () -> {
          KXLabel[] labels = DiskArrayUtilityJNI.KX_GetLabelList();
          if (labels == null) {
            throw new ToolFailure("the bridge returned no label list");
          }
          out.print(arguments.has(Arguments.JSON) ? Json.write(labels) : Tables.labels(labels));
        });
      case "modify-info": {
        List<String> operands = arguments.expectOperands("TEXT", "N");
        arguments.allowOnly(Set.of());
        String text = limited("text", operands.get(0), MODIFY_TEXT_BYTES);
        int operation = MODIFY_OPERATIONS.indexOf(operands.get(1));
        if (operation < 0) {
          operation = Arguments.number("operation", operands.get(1), 0,
              MODIFY_OPERATIONS.size() - 1);
        }
        int chosen = operation;
        return new Step("modify-info " + MODIFY_OPERATIONS.get(chosen),
            () -> out.println(DiskArrayUtilityJNI.KX_ModifyInfo(text, chosen)));
      }
      default:
        return prepareArrayCommand(arguments);
    }
  }

  /** The commands on the array of one unit: users, status, storage, formatting. */
  private Step prepareArrayCommand(Arguments arguments) throws UsageException {
    String command = arguments.command;
    if (PerformanceChart.isPlot(arguments)) {
      return new PerformanceChart(out).prepare(arguments);
    }
    if (UserCommands.COMMANDS.contains(command)) {
      return new UserCommands(out).prepare(arguments);
    }
    if (StatusCommands.COMMANDS.contains(command)) {
      return new StatusCommands(out, terminal).prepare(arguments);
    }
    if (FormatCommand.handles(arguments)) {
      return new FormatCommand(out, terminal).prepare(arguments);
    }
    if (SpecialLuCommands.handles(arguments)) {
      return new SpecialLuCommands(out).prepare(arguments);
    }
    if (StorageCommands.COMMANDS.contains(command)) {
      return new StorageCommands(out).prepare(arguments);
    }
    if (TargetCommands.COMMANDS.contains(command)) {
      return new TargetCommands(out).prepare(arguments);
    }
    if (ConnectivityCommands.COMMANDS.contains(command)) {
      return new ConnectivityCommands(out).prepare(arguments);
    }
    if (FormatCommand.COMMANDS.contains(command)) {
      return new FormatCommand(out, terminal).prepare(arguments);
    }
    if (ParameterCommands.COMMANDS.contains(command)) {
      return new ParameterCommands(out).prepare(arguments);
    }
    if (MaintenanceCommands.COMMANDS.contains(command)) {
      return new MaintenanceCommands(out, terminal).prepare(arguments);
    }
    if (StatisticsCommands.COMMANDS.contains(command)) {
      return new StatisticsCommands(out, terminal).prepare(arguments);
    }
    if (command.equals(MonitorCommand.COMMAND)) {
      return new MonitorCommand(out, err).prepare(arguments);
    }
    if (ServiceCommands.COMMANDS.contains(command)) {
      return new ServiceCommands(out).prepare(arguments);
    }
    throw new UsageException("unknown command '" + command + "'");
  }

  /** The whole registry: the count first, then a table of exactly that many units. */
  static KXUnitParam[] readRegistry() throws DiskArrayException, ToolFailure {
    int count = DiskArrayUtilityJNI.KX_GetUnitCount();
    KXUnitParam[] units = DiskArrayUtilityJNI.KX_GetUnitParamTable(count);
    // The bridge answers null without an exception only when it could not
    // make the table; report that rather than print an empty registry.
    if (units == null) {
      throw new ToolFailure("the bridge returned no table for " + count + " units");
    }
    return units;
  }

  static Path stationDirectory(Arguments arguments) throws UsageException {
    String given = arguments.option(Arguments.STATION);
    if (given != null && given.isEmpty()) {
      throw new UsageException("--station needs a directory, got an empty name");
    }
    Path dir;
    try {
      dir = (given == null ? StationLocation.defaultDirectory() : Paths.get(given))
          .toAbsolutePath().normalize();
    } catch (InvalidPathException e) {
      throw new UsageException("bad station directory: " + e.getMessage());
    }
    if (bytes(dir.toString()) > WorkingDirectory.MAX_PATH_BYTES) {
      throw new UsageException("station path " + dir + " is longer than "
          + WorkingDirectory.MAX_PATH_BYTES + " bytes");
    }
    return dir;
  }

  /** Creates the directory if needed and makes it this process's station. */
  static void openStation(Path dir) throws IOException, DiskArrayException {
    if (Files.exists(dir) && !Files.isDirectory(dir)) {
      throw new NotDirectoryException(dir.toString());
    }
    Files.createDirectories(dir);
    DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(dir.toString()));
  }

  static String unitName(String name) throws UsageException {
    return limited("unit name", name, NAME_BYTES);
  }

  static String limited(String what, String text, int maxBytes) throws UsageException {
    int length = bytes(text);
    if (length > maxBytes) {
      throw new UsageException(what + " '" + text + "' is refused: it has " + length
          + " bytes, at most " + maxBytes + " are allowed");
    }
    return text;
  }

  /** Length of the form the bridge copies (JNI's modified UTF-8), in bytes. */
  static int bytes(String text) {
    int length = 0;
    for (int i = 0; i < text.length(); i++) {
      char c = text.charAt(i);
      length += (c >= 0x01 && c <= 0x7F) ? 1 : (c <= 0x7FF ? 2 : 3);
    }
    return length;
  }

  /**
   * The exception's code with what it means (its message carries the meaning
   * of every code the headers define; the tool knows a few more).
   */
  static String explain(DiskArrayException e) {
    String meaning = ParameterCommands.meaning(e.getCode());
    return Codes.meaning(e.getCode()) != null || meaning == null ? e.getMessage()
        : e.getMessage() + ": " + meaning;
  }

  /** The unit fields a command line sets; unset ones keep the unit's value. */
  static final class UnitEdit {
    private String name;
    private String group;
    private Integer connectType;
    private Integer kxType;
    private Integer unitConf;
    private Integer alert;
    private String ctl0;
    private String ctl1;

    static UnitEdit from(Arguments arguments) throws UsageException {
      UnitEdit edit = new UnitEdit();
      if (arguments.has(Arguments.NAME)) {
        edit.name = unitName(arguments.option(Arguments.NAME));
      }
      if (arguments.has(Arguments.GROUP)) {
        edit.group = limited("group name", arguments.option(Arguments.GROUP), NAME_BYTES);
      }
      edit.connectType = byteOption(arguments, Arguments.CONNECT_TYPE);
      edit.kxType = byteOption(arguments, Arguments.KX_TYPE);
      edit.unitConf = byteOption(arguments, Arguments.UNIT_CONF);
      edit.alert = byteOption(arguments, Arguments.ALERT);
      if (arguments.has(Arguments.ADDRESS0)) {
        edit.ctl0 = limited("--address0", arguments.option(Arguments.ADDRESS0),
            CONTROLLER_TEXT_BYTES);
      }
      if (arguments.has(Arguments.ADDRESS1)) {
        edit.ctl1 = limited("--address1", arguments.option(Arguments.ADDRESS1),
            CONTROLLER_TEXT_BYTES);
      }
      return edit;
    }

    private static Integer byteOption(Arguments arguments, String key) throws UsageException {
      return arguments.has(key) ? arguments.byteOption(key, 0) : null;
    }

    boolean isEmpty() {
      return name == null && group == null && connectType == null && kxType == null
          && unitConf == null && alert == null && ctl0 == null && ctl1 == null;
    }

    void applyTo(KXUnitParam unit) {
      if (name != null) unit.unit_name = name;
      if (group != null) unit.group_name = group;
      if (connectType != null) unit.connect_type = connectType;
      if (kxType != null) unit.kx_type = kxType;
      if (unitConf != null) unit.unit_conf = unitConf;
      if (alert != null) unit.alert = alert;
      if (ctl0 != null) unit.ctl0 = ctl0;
      if (ctl1 != null) unit.ctl1 = ctl1;
    }
  }
}
