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
 * 3 when the unit is not ready (restarting): try again later.
 */
public final class DiskArrayTool {

  static final int EXIT_OK = 0;
  static final int EXIT_FAILURE = 1;
  static final int EXIT_USAGE = 2;
  static final int EXIT_NOT_READY = 3;

  // Names, group names and controller texts are cut to these many bytes by the
  // bridge; the tool refuses longer ones instead of storing something else.
  static final int NAME_BYTES = 16;
  static final int CONTROLLER_TEXT_BYTES = 79;
  static final int MODIFY_TEXT_BYTES = 1023;
  /** The text operations of modify-info, by their number. */
  static final List<String> MODIFY_OPERATIONS =
      List.of("trim", "upper", "lower", "relabel", "define", "undefine");

  static final String USAGE = String.join("\n",
      "Usage: diskarray [--station DIR] COMMAND [ARGUMENTS]",
      "       (java -jar diskarray.jar ... runs the same tool)",
      "",
      "Manages the units of the array station kept in DIR (created when missing;",
      "default: $" + StationLocation.ENVIRONMENT + ", else the per-user data directory",
      "$XDG_DATA_HOME/diskarray/station or ~/.local/share/diskarray/station,",
      "%LOCALAPPDATA%\\diskarray\\station on Windows).",
      "'diskarray COMMAND --help' explains one command; 'diskarray --version'.",
      "",
      "Commands:",
      "  list                     table of the registered units",
      "  show NAME                every field of one unit",
      "  add NAME [UNIT OPTIONS]  register a unit",
      "  change NAME [--name NEW] [UNIT OPTIONS]",
      "                           change a unit; fields not given keep their value",
      "  delete NAME [--yes]      remove a unit from the registry",
      "  labels                   the station's label list",
      "  modify-info TEXT OP      runs the station's text operation OP on TEXT and prints",
      "                           the result: trim, upper, lower, relabel (old labels",
      "                           replaced by new ones), define ('OLD NEW' adds a label",
      "                           rename), undefine ('OLD' removes it); or OP as 0..5",
      "  demo                     a tour of every area on a fresh station, each step a",
      "                           command as typed; DIR must be new or empty (default: a",
      "                           new temporary directory); its files go to DIR/demo",
      "  help [COMMAND]           this text, or the help of one command (also COMMAND --help)",
      "  completion               a bash completion script: source <(diskarray completion)",
      "",
      "Read commands take --json (the records, for scripts); table commands also --tsv",
      "(rows without a heading, cells separated by tabs). Numbers are decimal: 010 is ten.",
      "Destructive commands (delete, every delete-all, formatting a formatted LU, imports",
      "that replace configuration) ask on a terminal and otherwise need --yes. '--' ends",
      "the options, for names that begin with '-'.",
      "",
      "Users and login (--controller N: 0 or 1, default 0):",
      "  user list UNIT           number of accounts and the session of each controller",
      "  user add UNIT USER [PASSWORD]",
      "  user change UNIT USER NEW-USER   (or UNIT USER PASSWORD NEW-USER NEW-PASSWORD)",
      "  user delete UNIT USER [PASSWORD]",
      "  user delete-all UNIT [--yes]",
      "  user reset UNIT          end the controller's session, whoever holds it",
      "  login UNIT USER [PASSWORD]",
      "  logout UNIT",
      "  whoami UNIT              who is logged in on the controller, and since when",
      "  passwd check [PASSWORD]  is it the station password (exit 1 if not)",
      "  passwd change [[OLD] NEW]  set the station password (OLD once one is set)",
      "User names and passwords are 1..16 bytes from '!' to '~'. A password left off the",
      "command line (where other users can see it) is asked for without echo on a",
      "terminal, read from standard input with --password-stdin (one a line: the current",
      "one first), or taken from $" + Prompts.PASSWORD_VARIABLE + " and, for a new one, $"
          + Prompts.NEW_PASSWORD_VARIABLE + ".",
      "",
      "Status:",
      "  status UNIT              health, condition, information, clock and the map of",
      "                           the 225 drive slots (15 ports across, 15 rows down);",
      "                           exit 0 healthy, 3 degraded, 4 a RAID group failed",
      "  drives UNIT              table of the mounted drives, rebuilds with time left",
      "  drive UNIT PORT ROW block|restore [--wait]",
      "                           take a drive out of service or return it (--wait:",
      "                           follow the rebuild until it ends)",
      "  drive UNIT PORT ROW --wait",
      "                           follow a running rebuild until it ends",
      "  clock UNIT [set-now | set 'YYYY-MM-DD hh:mm:ss']",
      "",
      "RAID groups (a rectangle of WIDTH ports from PORT by DEPTH rows from ROW):",
      "  rg list UNIT             the groups, with their state: normal, rebuilding N%,",
      "                           degraded (a member blocked) or failed (data lost)",
      "  rg add UNIT --level 0|1|5|6|10 --port P --row R --width W [--depth D]",
      "         [--number RG] [--capacity MB]",
      "  rg expand UNIT RG --rows N | --depth D [--capacity MB]",
      "                           grow the group by N rows, or to D rows in all",
      "  rg delete UNIT RG",
      "  rg delete-all UNIT [--yes]",
      "Widths: RAID 0 2..15, RAID 1 2, RAID 5 3..15, RAID 6 4..15, RAID 1+0 even 4..14.",
      "--capacity cuts the group to MB; without it the group has its full capacity.",
      "",
      "Logical units:",
      "  lu list UNIT             the LUs; the state says when their group is degraded",
      "                           or failed, or their format failed",
      "  lu show UNIT LU",
      "  lu add UNIT --rg RG --capacity MB [--number LU] [--staging normal|sequential|off]",
      "         [--ctl 0|1]",
      "  lu delete UNIT [LU]      delete the last LU (LU, if given, must be that one)",
      "  lu delete-all UNIT [--yes]",
      "  lu expand UNIT LU MB     grow the LU to MB",
      "  lu staging UNIT LU normal|sequential|off",
      "  lu switch-ctl UNIT LU    hand the LU to the other controller",
      "  lu invalid UNIT LU | lu restore UNIT LU",
      "  lu realloc UNIT LU [--number NEW] [--capacity MB]",
      "  format UNIT LU... [--mode full|quick] [--yes]",
      "                           format LUs and show their progress until done",
      "  format UNIT LU... --wait | lu wait UNIT LU...",
      "                           follow formats already running, with the progress bar",
      "",
      "Maintenance:",
      "  micro prepare UNIT FILE...  join microcode part files (in part order) into",
      "                           the unit's prepared image; Ctrl-C cancels the joining",
      "  micro download UNIT      move the prepared image to the unit, portion by portion",
      "  micro replace UNIT       activate the downloaded microcode; the unit restarts",
      "                           and the tool waits until it is ready again",
      "  micro revision           revision of the microcode prepared last",
      "  reboot UNIT [--wait]     restart the unit (and wait until it is ready)",
      "  ready UNIT               is the unit ready (exit 3 while it restarts)",
      "  trace UNIT [--out FILE]  the unit's event history, or write it to FILE",
      "  file show PATH           a text file on the station host (relative paths are",
      "                           taken from the current directory)",
      "",
      "Statistics and performance (docs/statistics.md says what each counter means):",
      "  stats UNIT [--raw]       controllers, busiest LUs, error counters and failed",
      "                           drives; --raw prints every counter, one per line",
      "  perf UNIT --count N --out FILE.csv [--interval S]",
      "                           sample every S seconds (default 1), N times, and",
      "                           write IOPS and cache hit ratios per LU to FILE.csv",
      "  perf plot FILE.csv --out FILE.svg",
      "                           chart of IOPS per LU over time (opens in a browser)",
      "",
      ServiceCommands.USAGE,
      "Unified LUs, coupling pairs, turbo LUs, pinned data, configuration files:",
      "  lu unify UNIT PARENT CHILD...  children join the parent's unified LU (same RAID level)",
      "  lu split UNIT PARENT     the unified LU falls apart into single LUs",
      "  lu unified UNIT          the unified LUs",
      "  lu pair UNIT PRIMARY SECONDARY | lu unpair UNIT PRIMARY | lu pairs UNIT",
      "  turbo show UNIT",
      "  turbo set UNIT [--ctl0 LU|none] [--ctl1 LU|none] | turbo set UNIT off",
      "                           an LU of at most 2048 MB kept in a controller's cache",
      "  pin UNIT                 LUs holding pinned data, and since when",
      "  config rglu export|output UNIT FILE",
      "                           write the RAID groups and LUs to FILE (output adds headings)",
      "  config rglu import UNIT FILE",
      "                           show the RAID groups and LUs FILE holds; nothing is applied",
      "  config rglu apply UNIT FILE [--yes]",
      "                           create them on UNIT; refused if a group or LU number or a",
      "                           drive is taken there",
      "  snapshot UNIT [--json FILE]",
      "                           the unit's whole configuration and state as JSON",
      "",
      "Host connectivity (CTL 0|1, PORT 0|1, HG 0..127; settings as KEY=VALUE):",
      "  lan show UNIT",
      "  lan set UNIT CTL [ip=A.B.C.D] [subnet=M] [gateway=G] [dhcp=on|off] [lan=on|off]",
      "  port list UNIT | port show UNIT CTL PORT",
      "  port set UNIT CTL PORT [speed=auto|1|2|4] [topology=p2p|loop]",
      "         [frame=512|1024|2048|2112] [address=HEX6|auto] [sync=auto|1|2|4]",
      "         [lip=on|off] [options=N] [security=on|off]",
      "  security show UNIT CTL PORT",
      "  security set UNIT CTL PORT [lun-security=on|off] [guard=on|off] [level=0..2]",
      "  security allow UNIT CTL PORT WWN LUS [node=WWN] [nport=HEX6]",
      "  security deny UNIT CTL PORT WWN",
      "  security import UNIT CTL PORT FILE [--yes]   replace the port's permissions",
      "  hostgroup list UNIT",
      "  hostgroup add UNIT CTL PORT NAME [number=HG]",
      "  hostgroup rename UNIT CTL PORT HG NAME",
      "  hostgroup delete UNIT CTL PORT HG...  (its mappings go; its hosts move to HG 0)",
      "  wwn list UNIT",
      "  wwn add UNIT CTL PORT WWN [nickname=N] [node=WWN] [hg=HG] [enabled=on|off]",
      "  wwn assign UNIT CTL PORT WWN HG | wwn remove UNIT CTL PORT WWN",
      "  wwn enable|disable UNIT CTL PORT WWN   let a host in, or shut it out",
      "  map list UNIT CTL PORT HG",
      "  map add UNIT CTL PORT HG HOST-LUN LU | map remove UNIT CTL PORT HG HOST-LUN",
      "  map mode UNIT on|off",
      "  options show|set UNIT CTL PORT [lip=on|off] [options=N]",
      "  options show|set UNIT CTL PORT HG [option=N] [option2=N,N] [mode=0..255]",
      "  rvrf show UNIT",
      "  rvrf set UNIT SERIAL [sequence=S] [detect=N] [path1=C.P-C.P] [path2=C.P-C.P]",
      "  rvrf delete UNIT [SERIAL]   (without SERIAL every remote unit: --yes)",
      "WWNs are 16 hex digits; LUS is 'none' or a list such as 0-3,7. A LAN change",
      "reads the controller's settings and changes only what is given.",
      "",
      ParameterCommands.USAGE
      + "Unit options:",
      "  --group TEXT             group name, at most 16 bytes",
      "  --connect-type N         connection type code",
      "  --kx-type N              unit type code",
      "  --unit-conf N            configuration code",
      "  --alert N                alert setting",
      "  --ctl0 TEXT              text for controller 0, at most 79 bytes",
      "  --ctl1 TEXT              text for controller 1, at most 79 bytes",
      "Codes are stored in one signed byte each: N is -128..255 (decimal, or hex as 0x..)",
      "and reads back as -128..127. Unit names hold at most 16 bytes.",
      "",
      "Exit status: 0 success, 1 error reported by the station, 2 usage error (also a",
      "destructive command refused for want of --yes), 3 the unit is not ready (it is",
      "restarting; try again).",
      "");

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
      CommandLine tree = CommandTree.build(outWriter, errWriter);
      CommandTree.Parsed parsed = CommandTree.parse(tree, args);
      if (parsed.version) {
        out.println(CommandTree.VERSION);
        return EXIT_OK;
      }
      if (parsed.help != null) {
        if (parsed.help == tree) {
          out.print(USAGE);
        } else {
          parsed.help.usage(out);
        }
        return EXIT_OK;
      }
      Arguments arguments = parsed.arguments;
      arguments.prompts = prompts;
      if (arguments.command.equals("help")) {
        return help(tree, arguments.operands);
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
      try {
        step.action.run();
      } finally {
        Tables.tsv(false);
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

  /** 'help' alone: the overview; 'help rg add': the help of that command. */
  private int help(CommandLine tree, List<String> words) throws UsageException {
    if (words.isEmpty()) {
      out.print(USAGE);
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
      if (arguments.has(Arguments.CTL0)) {
        edit.ctl0 = limited("ctl0 text", arguments.option(Arguments.CTL0), CONTROLLER_TEXT_BYTES);
      }
      if (arguments.has(Arguments.CTL1)) {
        edit.ctl1 = limited("ctl1 text", arguments.option(Arguments.CTL1), CONTROLLER_TEXT_BYTES);
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
