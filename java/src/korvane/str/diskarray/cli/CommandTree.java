package korvane.str.diskarray.cli;

import java.io.PrintWriter;
import java.util.ArrayList;
import java.util.HashSet;
import java.util.LinkedHashMap;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import picocli.AutoComplete;
import picocli.CommandLine;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Model.OptionSpec;
import picocli.CommandLine.Model.PositionalParamSpec;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.ParseResult;
import picocli.CommandLine.ScopeType;
import picocli.CommandLine.UnmatchedArgumentException;

/**
 * The tool's commands as picocli sees them, built from one line of syntax per
 * command. picocli parses the command line, prints each command's help and
 * refuses unknown options; the parsed words then become an {@link Arguments}
 * for the handlers of each area, which check the operands and values.
 *
 * <p>A syntax line is the command's words, its operands as they read in the
 * help (one label for all of them), its options ({@code --opt=LABEL} takes a
 * value, {@code --flag} does not, brackets mark optional ones), then
 * {@code ::} and what the command does. A line "# Heading" starts a section
 * of the overview ({@link HelpText}), which is made from the same lines.
 * {@code --FIELD=VALUE} marks a command that edits a record: it gets one
 * option per field ({@link ParameterCommands#fieldOptions}). The spellings of
 * the previous release are declared hidden and rewritten by {@link OldSpellings}.
 */
final class CommandTree {
  private CommandTree() {}

  static final String VERSION = "diskarray 1.2";

  static final String[] SYNTAX = {
    "# Unit registry",
    "list [--json] [--tsv] :: table of the registered units",
    "show NAME [--json] [--tsv] :: every field of one unit",
    "add NAME [--group=TEXT] [--connect-type=N] [--kx-type=N] [--unit-conf=N] [--alert=N]"
        + " [--address0=TEXT] [--address1=TEXT] :: register a unit",
    "change NAME [--name=NEW] [--group=TEXT] [--connect-type=N] [--kx-type=N] [--unit-conf=N]"
        + " [--alert=N] [--address0=TEXT] [--address1=TEXT]"
        + " :: change a unit; fields not given keep their value",
    "delete NAME [--yes] :: remove a unit from the registry (asks first)",
    "labels [--json] [--tsv] :: the station's label list",
    "modify-info TEXT OP :: run the station's text operation on TEXT and print the result;"
        + " OP: trim, upper, lower, relabel, define, undefine (or 0..5)",
    "demo :: a tour of every area on a fresh station, each step a command as typed;"
        + " --station DIR must be new or empty",
    "help [COMMAND...] [--man] :: the overview of every command, or the help of one"
        + " (--man: the manual page diskarray(1) in roff)",
    "completion :: a bash completion script for diskarray (source it from ~/.bashrc)",
    "# Users and login",
    "user :: accounts of a unit's controllers",
    "user list UNIT [--controller=N] [--json] [--tsv]"
        + " :: number of accounts and the session of each controller",
    "user add UNIT USER [PASSWORD] [--controller=N] [--password-stdin] :: add an account",
    "user change UNIT USER [PASSWORD] NEW-USER [NEW-PASSWORD] [--controller=N] [--password-stdin]"
        + " :: rename an account or change its password",
    "user delete UNIT USER [PASSWORD] [--controller=N] [--password-stdin] :: delete an account",
    "user delete-all UNIT [--controller=N] [--yes] :: delete every account (asks first)",
    "user reset UNIT [--controller=N] :: end the controller's session, whoever holds it",
    "login UNIT USER [PASSWORD] [--controller=N] [--password-stdin] :: log in on a controller",
    "logout UNIT [--controller=N] :: log out of a controller",
    "whoami UNIT [--controller=N] [--json] [--tsv]"
        + " :: who is logged in on the controller, and since when",
    "passwd :: the station password",
    "passwd check [PASSWORD] [--password-stdin] :: is it the station password (exit 1 if not)",
    "passwd change [[OLD] NEW] [--password-stdin]"
        + " :: set the station password (OLD once one is set)",
    "# Status",
    "status UNIT [--controller=N] [--json]"
        + " :: health (exit 0 ok, 3 degraded, 4 failed), condition, information, clock"
        + " and the map of the 225 drive slots",
    "drives UNIT [--json] [--tsv] :: table of the mounted drives, rebuilds with time left",
    "drive UNIT PORT ROW [block|restore] [--wait]"
        + " :: take a drive out of service or return it; --wait follows its rebuild",
    "clock UNIT [set-now | set 'YYYY-MM-DD hh:mm:ss'] [--json] :: the unit's clock, or set it",
    "# RAID groups and LUs",
    "rg :: RAID groups: a rectangle of WIDTH ports from PORT by DEPTH rows from ROW",
    "rg list UNIT [--json] [--tsv]"
        + " :: table of the RAID groups with their state (normal, rebuilding, degraded, failed)",
    "rg add UNIT --level=LEVEL --port=P --row=R --width=W [--depth=D] [--number=RG]"
        + " [--capacity=SIZE] :: create a RAID group",
    "rg expand UNIT RG [--rows=N] [--depth=D] [--capacity=SIZE]"
        + " :: grow the group downwards by N rows, or to D rows in all",
    "rg delete UNIT RG [--yes] [--dry-run] :: delete a RAID group (asks first)",
    "rg delete-all UNIT [--yes] :: delete every RAID group (asks first)",
    "lu :: logical units",
    "lu list UNIT [--json] [--tsv]"
        + " :: table of the LUs, marked when their group is degraded or failed",
    "lu show UNIT LU [--json] :: every field of one LU, with its format progress",
    "lu add UNIT --rg=RG --capacity=SIZE [--number=LU] [--staging=MODE] [--controller=N]"
        + " :: create an LU",
    "lu delete UNIT [LU] [--yes] [--dry-run]"
        + " :: delete the last LU (LU, if given, must be that one; asks first)",
    "lu delete-all UNIT [--yes] :: delete every LU (asks first)",
    "lu expand UNIT LU --capacity=SIZE :: grow the LU to SIZE (MB, or 10G and the like)",
    "lu staging UNIT LU --staging=MODE :: the LU's staging mode: normal, sequential or off",
    "lu switch-ctl UNIT LU :: hand the LU to the other controller",
    "lu invalid UNIT LU :: mark the LU invalid",
    "lu restore UNIT LU :: return an invalid LU to service",
    "lu realloc UNIT LU [--number=NEW] [--capacity=SIZE] :: renumber or resize an LU",
    "lu wait UNIT LU... :: follow running formats with a progress bar until they end",
    "lu unify UNIT PARENT CHILD... :: children join the parent's unified LU (same RAID level)",
    "lu split UNIT PARENT :: the unified LU falls apart into single LUs",
    "lu unified UNIT [--json] :: the unified LUs",
    "lu pair UNIT PRIMARY SECONDARY :: make a coupling pair",
    "lu unpair UNIT PRIMARY :: end a coupling pair",
    "lu pairs UNIT [--json] :: the coupling pairs",
    "format UNIT LU... [--mode=full|quick] [--wait] [--yes]"
        + " :: format LUs and show their progress until done (--wait: follow a running format)",
    "# Special LUs and configuration files",
    "turbo :: LUs kept in a controller's cache",
    "turbo show UNIT [--json] :: the turbo LUs of both controllers",
    "turbo set UNIT [--lu0=LU|none] [--lu1=LU|none] [--off]"
        + " :: an LU of at most 2048 MB kept in a controller's cache (--off: none at all)",
    "pin UNIT [--json] :: LUs holding pinned data, and since when",
    "snapshot UNIT [--json=FILE] [--force]"
        + " :: the whole configuration and state of a unit as JSON (to FILE if given)",
    "# Maintenance",
    "micro :: microcode",
    "micro prepare UNIT FILE... :: join microcode part files into the unit's prepared image",
    "micro download UNIT :: move the prepared image to the unit, portion by portion",
    "micro replace UNIT [--yes]"
        + " :: activate the downloaded microcode (asks first); waits until the unit is ready",
    "micro revision [--json] :: revision of the microcode prepared last",
    "reboot UNIT [--wait] [--yes] :: restart the unit (asks first; --wait: until it is ready)",
    "ready UNIT [--controller=N] [--json] :: is the unit ready (exit 3 while it restarts)",
    "trace UNIT [--out=FILE] [--force] [--json]"
        + " :: the unit's event history, or write it to FILE",
    "file :: files on the station host",
    "file show PATH [--json] :: a text file on the station host",
    "# Statistics",
    "stats UNIT [--raw] [--json] :: controllers, busiest LUs, error counters and failed drives",
    "perf UNIT --count=N --out=FILE.csv [--interval=S] [--force]"
        + " :: sample IOPS and cache hit ratios per LU into FILE.csv",
    "perf plot FILE.csv --out=FILE.svg [--force] :: chart of IOPS per LU over time",
    "# Services",
    "alerts UNIT [--mode=check|peek] [--json]"
        + " :: the unit's alerts and what they concern; peek (default) leaves them new,"
        + " check marks them reported",
    "mail :: e-mail notification",
    "mail show [--json] [--raw] :: the e-mail settings (--raw: the record as stored)",
    "mail set [--switch=on|off] [--domain=NAME] [--smtp=HOST] [--from=ADDRESS] [--to=ADDRESSES]"
        + " :: change the e-mail settings; others keep their value",
    "mail append UNIT [TEXT] [--json] :: show the text added to mail about UNIT, or set it",
    "mail test SUBJECT BODY [UNIT] [--switch=on|off] [--domain=NAME] [--smtp=HOST]"
        + " [--from=ADDRESS] [--to=ADDRESSES]"
        + " :: send a test message with the stored settings changed by the options",
    "mail send SUBJECT BODY [UNIT] :: send a message with the stored settings",
    "snmp :: SNMP agent configuration",
    "snmp show UNIT [--json] :: the unit's SNMP community, traps and managers",
    "snmp set UNIT [--managers=HOSTS] [--community=NAME] [--traps=on|off]"
        + " [--drive-blocked=on|off] [--drive-rebuilding=on|off] [--group-degraded=on|off]"
        + " [--group-failed=on|off] [--format-failed=on|off] [--part-failed=on|off]"
        + " :: the unit's SNMP managers and traps; settings not given keep their value",
    "snmp output UNIT [--out=FILE] [--force] :: write the unit's SNMP configuration file"
        + " (default: snmp-UNIT.conf in the station directory)",
    "program :: the external program run on alerts",
    "program show [--json] :: the program settings",
    "program set [--switch=on|off] [--command=LINE] [--timeout=SECONDS] :: change them",
    "program test [--command=LINE] [--timeout=SECONDS] :: run the program now",
    "program run :: run the stored program now",
    "log err|app [--tail=N] [--clear] [--yes] [--json]"
        + " :: the error or application log (--clear empties err, asking first)",
    "check [--json] :: the station's environment and this Java's version",
    "monitor [--interval=SECONDS] [--once]"
        + " :: watch every unit's alerts: mail and run the program for new ones, until stopped",
    "# Connectivity",
    "lan :: LAN settings of the controllers",
    "lan show UNIT [--json] [--tsv] :: LAN settings of both controllers",
    "lan set UNIT --controller=N [--ip=ADDRESS] [--subnet=MASK] [--gateway=ADDRESS]"
        + " [--dhcp=on|off] [--lan=on|off] :: change a controller's LAN settings",
    "port :: host ports",
    "port list UNIT [--json] [--tsv] :: every host port",
    "port show UNIT --controller=N --port=P [--json] :: one host port",
    "port set UNIT --controller=N --port=P [--speed=GBIT] [--topology=KIND] [--frame=BYTES]"
        + " [--address=ID] [--sync=GBIT] [--lip=on|off] [--options=MASK] [--security=on|off]"
        + " :: change a host port",
    "security :: LUN security of a host port",
    "security show UNIT --controller=N --port=P [--json] [--raw]"
        + " :: the port's LUN security (--raw: every slot of the table)",
    "security set UNIT --controller=N --port=P [--lun-security=on|off] [--guard=on|off]"
        + " [--level=N] :: change the port's LUN security",
    "security allow UNIT WWN LUS --controller=N --port=P [--node=WWN] [--nport=ID]"
        + " :: let a host reach LUs",
    "security deny UNIT WWN --controller=N --port=P :: take a host's permission away",
    "security import UNIT FILE --controller=N --port=P [--yes]"
        + " :: replace the port's permissions (asks first)",
    "hostgroup :: host groups",
    "hostgroup list UNIT [--json] [--tsv] :: every host group",
    "hostgroup add UNIT NAME --controller=N --port=P [--number=HG] :: add a host group",
    "hostgroup rename UNIT HG NAME --controller=N --port=P :: rename a host group",
    "hostgroup delete UNIT HG... --controller=N --port=P [--yes] [--dry-run]"
        + " :: delete host groups with their mappings (asks first)",
    "wwn :: host WWNs",
    "wwn list UNIT [--json] [--tsv] :: every host WWN",
    "wwn add UNIT WWN --controller=N --port=P [--hg=HG] [--nickname=TEXT] [--node=WWN]"
        + " [--enabled=on|off] :: register a host",
    "wwn assign UNIT WWN --controller=N --port=P --hg=HG :: move a host to a host group",
    "wwn remove UNIT WWN --controller=N --port=P :: forget a host",
    "wwn enable UNIT WWN --controller=N --port=P"
        + " :: let a registered host reach its host group again",
    "wwn disable UNIT WWN --controller=N --port=P :: keep a host registered but shut it out",
    "map :: LU mapping",
    "map list UNIT --controller=N --port=P --hg=HG [--json] [--tsv] :: the host group's mapping",
    "map add UNIT HOST-LUN LU --controller=N --port=P --hg=HG :: map an LU",
    "map remove UNIT HOST-LUN --controller=N --port=P --hg=HG :: unmap a host LUN",
    "map mode UNIT --switch=on|off :: the mapping mode",
    "options :: port and host group options",
    "options show UNIT --controller=N --port=P [--hg=HG] [--json]"
        + " :: the options of a port, or with --hg of a host group",
    "options set UNIT --controller=N --port=P [--hg=HG] [--lip=on|off] [--options=MASK]"
        + " [--option=MASK] [--option2=MASK,MASK] [--mode=N]"
        + " :: change them (--lip, --options for a port; --option, --option2, --mode with --hg)",
    "rvrf :: remote-verify paths",
    "rvrf show UNIT [--json] :: the remote-verify settings",
    "rvrf set UNIT SERIAL [--sequence=TEXT] [--detect=N] [--path1=PATH] [--path2=PATH]"
        + " :: add or change a remote unit",
    "rvrf delete UNIT [SERIAL] [--yes] :: delete one remote unit, or all of them (asks first)",
    "target :: target IDs of the synchronous host ports",
    "target show UNIT [--json] :: each controller's mode and each port's target IDs and host LUNs",
    "target set UNIT --controller=N [--port=P] [--mode=single|multi] [--single=ID]"
        + " [--multi=IDS] :: the controller's mode; with --port its single-mode ID (0..15) or"
        + " multi-mode IDS (such as 0,3-4)",
    "target luns UNIT ID LUNS --controller=N --port=P"
        + " :: the host LUNs presented at target ID ID (such as 0-7,12, or none)",
    "target import UNIT FILE [--yes]"
        + " :: replace both controllers' target IDs with those FILE describes (asks first)",
    "# Parameters",
    "params :: operating parameters",
    "params show UNIT GROUP [--json] :: one parameter group; GROUP: online-system,"
        + " online-tuning, tuning, restoration, prefetch, verify, threshold",
    "params set UNIT GROUP --FIELD=VALUE... :: change fields of a parameter group (FIELD as"
        + " 'params show' prints it; texts in double quotes, a quote inside as \\\")",
    "params export UNIT FILE [--force] :: every group to FILE",
    "params import UNIT FILE [--yes] :: check the whole file, then apply all of it (asks first)",
    "identity :: the unit's identity",
    "identity show UNIT [--json] :: the unit's identity",
    "identity set UNIT --FIELD=VALUE... [--json] :: change it",
    "command-device UNIT [--FIELD=VALUE...] [--json] :: the command device, or change it",
    "warning UNIT [--mode=0|1|2] [--json]"
        + " :: the warning report mode, or set it: 0 off, 1 report, 2 report until cleared",
    "alert-interval [MINUTES] [--json] :: the station's alert interval, 1..1440",
    "dump UNIT [--controller=N] [--out=FILE] [--force]"
        + " :: write the controller's dump to FILE; without --out show when the latest was taken",
    "config :: configuration files",
    "config export UNIT FILE [--force] :: the unit's set-up configuration (the wizard record)",
    "config import UNIT FILE [--yes] :: apply a set-up configuration (asks first)",
    "config rglu :: RAID group and LU configuration files",
    "config rglu export UNIT FILE [--force] :: write the RAID groups and LUs to FILE",
    "config rglu output UNIT FILE [--force] :: as export, with headings",
    "config rglu import UNIT FILE [--json] :: show the RAID groups and LUs FILE holds",
    "config rglu apply UNIT FILE [--yes]"
        + " :: create the RAID groups and LUs FILE holds on a unit that has none of them",
    "modepage :: SCSI mode pages",
    "modepage sense UNIT FILE [--page=N] [--control=N] [--controller=N] [--force]"
        + " :: write mode pages to FILE; --page 1, 8, 10, 28 or 63 (all, default);"
        + " --control 0 current (default), 1 changeable, 2 default, 3 saved",
    "modepage select UNIT FILE [--page=N] [--controller=N]"
        + " :: apply the changeable bits of the pages in FILE",
    "wizard :: the set-up wizard",
    "wizard show UNIT [--out=FILE] [--force] [--json]"
        + " :: the wizard record as text, or write it to FILE",
    "wizard test UNIT FILE :: the unit's record with FILE's lines applied, checked",
    "wizard apply UNIT FILE :: as test, then applies it",
    "wizard current UNIT [--FIELD=VALUE...] [--controller=N] [--json]"
        + " :: the settings in force, or change them",
  };

  /** What each option means, shown in the commands' help. */
  static final Map<String, String> OPTION_HELP = Map.ofEntries(
      Map.entry("station", "station directory (default: $" + StationLocation.ENVIRONMENT
          + ", else the per-user data directory)"),
      Map.entry("bytes", "sizes as exact numbers (MB as the station counts them, bytes,"
          + " blocks), not rounded to K, M, G or T"),
      Map.entry("name", "new unit name, at most 16 bytes"),
      Map.entry("group", "group name, at most 16 bytes"),
      Map.entry("connect-type", "connection type code (-128..255, decimal or 0x hex)"),
      Map.entry("kx-type", "unit type code (-128..255, decimal or 0x hex)"),
      Map.entry("unit-conf", "configuration code (-128..255, decimal or 0x hex)"),
      Map.entry("alert", "alert setting (-128..255, decimal or 0x hex)"),
      Map.entry("address0", "address of controller 0, at most 79 bytes"),
      Map.entry("address1", "address of controller 1, at most 79 bytes"),
      Map.entry("controller", "controller 0 or 1 (where it may be left off: 0)"),
      Map.entry("level", "RAID level 0, 1, 5, 6 or 10 (1+0); widths: RAID 0 2..15, RAID 1 2,"
          + " RAID 5 3..15, RAID 6 4..15, RAID 1+0 even 4..14"),
      Map.entry("port", "host port 0 or 1 of the controller"),
      Map.entry("rg add --port", "first port of the group, 0..14"),
      Map.entry("row", "first row of the group, 0..14"),
      Map.entry("width", "ports across"),
      Map.entry("depth", "rows down (default 1); for rg expand: the new total"),
      Map.entry("rows", "rows to add below the group"),
      Map.entry("number", "number to use (default: the lowest free one)"),
      Map.entry("capacity", "capacity: MB, or with a suffix K, M, G or T (10G is 10240 MB)"),
      Map.entry("rg", "RAID group of the LU"),
      Map.entry("staging", "normal, sequential or off"),
      Map.entry("lu add --controller", "owning controller 0 or 1 (default 0)"),
      Map.entry("mode", "mode"),
      Map.entry("warning --mode", "0 off, 1 report, 2 report until cleared"),
      Map.entry("options set --mode", "host mode of the host group, 0..255"),
      Map.entry("security set --level", "security level 0..2"),
      Map.entry("lu0", "turbo LU of controller 0, or none"),
      Map.entry("lu1", "turbo LU of controller 1, or none"),
      Map.entry("off", "no turbo LU on either controller"),
      Map.entry("page", "mode page 1, 8, 10, 28 or 63 (all, default)"),
      Map.entry("control", "0 current (default), 1 changeable, 2 default, 3 saved"),
      Map.entry("managers", "HOST[:PORT],... or none ('' keeps them)"),
      Map.entry("community", "SNMP community name"),
      Map.entry("traps", "send traps at all: on or off"),
      Map.entry("drive-blocked", "trap when a drive is blocked: on or off"),
      Map.entry("drive-rebuilding", "trap when a drive is rebuilt: on or off"),
      Map.entry("group-degraded", "trap when a RAID group is degraded: on or off"),
      Map.entry("group-failed", "trap when a RAID group fails: on or off"),
      Map.entry("format-failed", "trap when a format fails: on or off"),
      Map.entry("part-failed", "trap when a part fails: on or off"),
      Map.entry("hg", "host group 0..127"),
      Map.entry("wwn add --hg", "host group to put the host in (default 0)"),
      Map.entry("ip", "IP address"),
      Map.entry("subnet", "subnet mask"),
      Map.entry("gateway", "default gateway"),
      Map.entry("dhcp", "DHCP on or off"),
      Map.entry("lan", "LAN link on or off"),
      Map.entry("speed", "port speed: auto, 1, 2 or 4 (Gbit/s)"),
      Map.entry("topology", "loop or p2p"),
      Map.entry("frame", "frame size 512, 1024, 2048 or 2112"),
      Map.entry("address", "port address, or auto"),
      Map.entry("sync", "synchronous rate: auto, 1, 2 or 4 (Gbit/s)"),
      Map.entry("lip", "LIP mode on or off"),
      Map.entry("options", "port option bits, decimal or 0x hex"),
      Map.entry("security", "host group security on or off"),
      Map.entry("lun-security", "LUN security of the port on or off"),
      Map.entry("guard", "guard on or off"),
      Map.entry("node", "node WWN of the host, 16 hex digits"),
      Map.entry("nport", "N_Port ID of the host"),
      Map.entry("nickname", "nickname of the host, at most 8 bytes"),
      Map.entry("enabled", "whether the host may reach its host group: on or off"),
      Map.entry("option", "host group option bits, decimal or 0x hex"),
      Map.entry("option2", "the two extra option words MASK,MASK"),
      Map.entry("sequence", "serial number of the remote unit's sequence, at most 4 bytes"),
      Map.entry("detect", "detection ID"),
      Map.entry("path1", "first path"),
      Map.entry("path2", "second path"),
      Map.entry("single", "the port's target ID in single mode, 0..15"),
      Map.entry("multi", "the target IDs that answer in multi mode, such as 0,3-4"),
      Map.entry("wait", "wait until done"),
      Map.entry("out", "output file"),
      Map.entry("interval", "seconds between samples (perf, default 1) or rounds (monitor,"
          + " default the station's alert interval)"),
      Map.entry("once", "one round, then exit (for cron)"),
      Map.entry("count", "number of samples"),
      Map.entry("raw", "as stored: every counter one per line (stats); with --json the records"
          + " as the station holds them, every slot, signed bytes, no names"),
      Map.entry("switch", "on or off"),
      Map.entry("domain", "mail domain"),
      Map.entry("smtp", "SMTP server HOST[:PORT]"),
      Map.entry("from", "sender address"),
      Map.entry("to", "recipients ADDRESS[,ADDRESS...] (at most 20)"),
      Map.entry("command", "program command line"),
      Map.entry("timeout", "seconds the program may run"),
      Map.entry("tail", "only the last N lines"),
      Map.entry("clear", "empty the error log"),
      Map.entry("json", "JSON instead of a table, for scripts"),
      Map.entry("tsv", "tab-separated rows without a heading, for scripts"),
      Map.entry("yes", "do it without asking (needed when not on a terminal)"),
      Map.entry("dry-run", "show what would be done, and do nothing"),
      Map.entry("man", "the manual page in roff, for man(1)"),
      Map.entry("force", "replace an existing output file (a path ending in / is a folder)"),
      Map.entry("password-stdin", "read passwords from standard input, one a line"));

  /** The whole tree, with output going to out and err. */
  static CommandLine build(PrintWriter out, PrintWriter err) {
    return build(out, err, null);
  }

  /**
   * The tree one command line needs. Each picocli command costs the start some reflection, and
   * the whole tree has a few hundred; a line that names a command gets that command with its
   * subcommands only, and one that names none (help or the version asked for) the root alone.
   * picocli parses and explains a command the same way in either tree: it never looks at the
   * command's siblings. completion, an unknown command and an unknown option first get the whole
   * tree.
   */
  static CommandLine build(String[] args, PrintWriter out, PrintWriter err) {
    return build(out, err, commandsNeeded(args));
  }

  /** The root's options that a command line may start with, besides --station. */
  private static final Set<String> ROOT_FLAGS = Set.of("-h", "--help", "-V", "--version", "-p", "--bytes");

  /**
   * The top-level commands a command line needs: its command, with help also the command it
   * asks about; null for the whole tree.
   */
  private static Set<String> commandsNeeded(String[] args) {
    List<String> words = new ArrayList<>();
    for (int i = 0; i < args.length && words.size() < 2; i++) {
      String arg = args[i];
      if (arg.equals("--station")) {
        // picocli refuses a command's name as the value; only the whole tree knows them all.
        if (words.isEmpty() && i + 1 < args.length && isCommand(args[i + 1])) {
          return null;
        }
        i++;
      } else if (words.isEmpty() && arg.startsWith("-")) {
        if (!arg.startsWith("--station=") && !ROOT_FLAGS.contains(arg)) {
          return null;
        }
      } else if (!arg.startsWith("-")) {
        words.add(arg);
        if (!words.get(0).equals("help")) {
          break;
        }
      }
    }
    if (words.isEmpty()) {
      return Set.of();
    }
    for (String word : words) {
      if (word.equals("completion") || !isCommand(word)) {
        return null;
      }
    }
    return Set.copyOf(words);
  }

  private static boolean isCommand(String word) {
    for (String line : SYNTAX) {
      if (!line.startsWith("# ") && line.startsWith(word + " ")) {
        return true;
      }
    }
    return false;
  }

  /** The tree, or with only set, the branches of those top-level commands only. */
  private static CommandLine build(PrintWriter out, PrintWriter err, Set<String> only) {
    CommandSpec rootCommand = CommandSpec.create().name("diskarray");
    rootCommand.version(VERSION);
    addHelpOptions(rootCommand);
    rootCommand.addOption(option("--station=DIR", ScopeType.INHERIT, ""));
    rootCommand.addOption(OptionSpec.builder("--bytes", "-p").scopeType(ScopeType.INHERIT)
        .arity("0").type(boolean.class).description(OPTION_HELP.get("bytes")).build());
    rootCommand.usageMessage().description("Manages the units of an array station.",
        "Run 'diskarray help' for the overview of every command.");
    CommandLine root = new CommandLine(rootCommand);
    Map<String, CommandLine> nodes = new LinkedHashMap<>();
    nodes.put("", root);
    List<CommandLine> fieldCommands = new ArrayList<>();
    for (String line : SYNTAX) {
      if (line.startsWith("# ")
          || (only != null && !only.contains(line.substring(0, line.indexOf(' '))))) {
        continue;
      }
      int split = line.indexOf(" :: ");
      String head = line.substring(0, split);
      String description = line.substring(split + 4);
      List<String> words = new ArrayList<>();
      StringBuilder operands = new StringBuilder();
      List<String> options = new ArrayList<>();
      boolean inWords = true;
      for (String token : head.split(" ")) {
        if (inWords && token.matches("[a-z][a-z0-9-]*")) {
          words.add(token);
          continue;
        }
        inWords = false;
        if (token.matches("\\[?--[a-z0-9-]+(=[^ \\]]+)?]?")) {
          options.add(token);
        } else {
          operands.append(operands.length() == 0 ? "" : " ").append(token);
        }
      }
      // Every command that writes JSON can write the records as stored.
      if (options.stream().anyMatch(o -> o.startsWith("[--json"))
          && options.stream().noneMatch(o -> o.startsWith("[--raw"))) {
        options.add("[--raw]");
        head += " [--raw]";
      }
      CommandLine node = node(nodes, words);
      CommandSpec described = node.getCommandSpec();
      described.usageMessage().description(description);
      String path = String.join(" ", words);
      for (String token : options) {
        described.addOption(option(token, ScopeType.LOCAL, path));
      }
      // Old option names, still parsed for one release but shown nowhere.
      for (Map.Entry<String, String> old
          : OldSpellings.RENAMED_OPTIONS.getOrDefault(path, Map.of()).entrySet()) {
        OptionSpec current = described.findOption(old.getValue());
        described.addOption(OptionSpec.builder("--" + old.getKey()).scopeType(ScopeType.LOCAL)
            .arity(current.arity()).type(current.type()).hidden(true).build());
      }
      if (head.contains("--FIELD=VALUE")) {
        // Record fields are options named after the fields; a field not declared
        // (one of a long array) reaches the handler as an operand, which checks it.
        for (Map.Entry<String, String> field
            : ParameterCommands.fieldOptions(path).entrySet()) {
          if (described.findOption(field.getKey()) == null) {
            described.addOption(OptionSpec.builder("--" + field.getKey())
                .scopeType(ScopeType.LOCAL).arity("1").type(String.class).paramLabel("VALUE")
                .description(field.getValue()).build());
          }
        }
        fieldCommands.add(node);
      }
      if (operands.length() > 0) {
        described.addPositional(PositionalParamSpec.builder()
            .paramLabel(operands.toString())
            .arity("0..*")
            .type(String[].class)
            .hideParamSyntax(true)
            .hidden(true)
            .build());
      }
      described.usageMessage().customSynopsis(
          "diskarray " + head.replaceAll("--([a-z0-9-]+)=", "--$1 ").trim());
    }
    for (CommandLine node : fieldCommands) {
      node.setUnmatchedOptionsArePositionalParams(true);
    }
    root.setExpandAtFiles(false);
    root.setOut(out);
    root.setErr(err);
    return root;
  }

  /** The node of a command path, made (with its parents) when missing. */
  private static CommandLine node(Map<String, CommandLine> nodes, List<String> words) {
    String path = String.join(" ", words);
    CommandLine existing = nodes.get(path);
    if (existing != null) {
      return existing;
    }
    CommandLine parent = node(nodes, words.subList(0, words.size() - 1));
    CommandSpec made = CommandSpec.create().name(words.get(words.size() - 1));
    addHelpOptions(made);
    made.version(VERSION);
    CommandLine child = new CommandLine(made);
    parent.addSubcommand(words.get(words.size() - 1), child);
    nodes.put(path, child);
    return child;
  }

  /**
   * -h/--help and -V/--version as picocli's standard help options have them, built directly:
   * picocli makes its own from an annotated class, by reflection, for each command.
   */
  private static void addHelpOptions(CommandSpec command) {
    command.addOption(OptionSpec.builder("-h", "--help").usageHelp(true).arity("0")
        .type(boolean.class).description("Show this help message and exit.").build());
    command.addOption(OptionSpec.builder("-V", "--version").versionHelp(true).arity("0")
        .type(boolean.class).description("Print version information and exit.").build());
  }

  /** An option of the command at path, with its help (the command's own, else the shared). */
  private static OptionSpec option(String token, ScopeType scope, String path) {
    String text = token.replace("[", "").replace("]", "");
    int equals = text.indexOf('=');
    String name = equals < 0 ? text : text.substring(0, equals);
    String key = name.substring(2);
    OptionSpec.Builder builder = OptionSpec.builder(name).scopeType(scope)
        .description(OPTION_HELP.getOrDefault(path + " --" + key,
            OPTION_HELP.getOrDefault(key, "")));
    if (equals < 0) {
      builder.arity("0").type(boolean.class);
    } else {
      String label = text.substring(equals + 1);
      builder.arity("1").type(String.class).paramLabel(label);
      List<String> values = completionValues(key, label);
      if (!values.isEmpty()) {
        builder.completionCandidates(values);
      }
    }
    return builder.build();
  }

  /**
   * The values the bash completion offers for an option: the words of a
   * label that lists them (on|off, full|quick), the two controllers; none
   * for a label that names a kind of value (SIZE, LU, FILE).
   */
  static List<String> completionValues(String key, String label) {
    if (key.equals("controller")) {
      return List.of("0", "1");
    }
    if (label.matches("[a-z0-9-]+(\\|[a-z0-9-]+)+")) {
      return List.of(label.split("\\|"));
    }
    return List.of();
  }

  /** What a parsed command line asks for. */
  static final class Parsed {
    /** The handlers' view of the command line; null when only help was asked for. */
    final Arguments arguments;
    /** The command whose help or version was asked for, or null. */
    final CommandLine help;
    final boolean version;

    Parsed(Arguments arguments, CommandLine help, boolean version) {
      this.arguments = arguments;
      this.help = help;
      this.version = version;
    }
  }

  /** Parses a command line; a line the tree does not accept is a usage error. */
  static Parsed parse(CommandLine root, String[] args) throws UsageException {
    ParseResult result;
    try {
      result = root.parseArgs(args);
    } catch (ParameterException e) {
      result = asOperand(root, args, e);
      if (result == null) {
        throw new UsageException(e instanceof UnmatchedArgumentException
            ? unmatched((UnmatchedArgumentException) e) : plain(e.getMessage()));
      }
    }
    List<String> path = new ArrayList<>();
    Map<String, String> options = new LinkedHashMap<>();
    List<String> operands = new ArrayList<>();
    ParseResult level = result;
    ParseResult last = result;
    while (level != null) {
      if (level != result) {
        path.add(level.commandSpec().name());
      }
      if (level.isUsageHelpRequested()) {
        return new Parsed(null, level.commandSpec().commandLine(), false);
      }
      if (level.isVersionHelpRequested()) {
        return new Parsed(null, null, true);
      }
      for (OptionSpec option : level.matchedOptions()) {
        String key = option.longestName().substring(2);
        List<String> values = option.stringValues();
        options.put(key, option.arity().max() == 0 ? "" : values.get(values.size() - 1));
      }
      // picocli lists a positional once per stretch of operands it matched
      // ('lu show U --json 0' gives two); its values hold them all, in order.
      for (PositionalParamSpec positional : new LinkedHashSet<>(level.matchedPositionals())) {
        for (String operand : positional.stringValues()) {
          operands.add(operand.startsWith(AS_OPERAND) ? operand.substring(1) : operand);
        }
      }
      last = level;
      level = level.subcommand();
    }
    if (path.isEmpty()) {
      throw new UsageException("no command given");
    }
    CommandSpec leaf = last.commandSpec();
    if (!leaf.subcommands().isEmpty() && leaf.positionalParameters().isEmpty()
        && operands.isEmpty()) {
      throw new UsageException("'" + String.join(" ", path) + "' needs a subcommand: "
          + String.join(", ", leaf.subcommands().keySet()));
    }
    Set<String> declared = new HashSet<>();
    for (OptionSpec option : leaf.options()) {
      declared.add(option.longestName().substring(2));
    }
    OldSpellings.Line line = OldSpellings.rewrite(String.join(" ", path), options, operands,
        declared, root.getErr());
    List<String> all = new ArrayList<>(path.subList(1, path.size()));
    all.addAll(line.operands);
    return new Parsed(new Arguments(path.get(0), all, line.options), null, false);
  }

  /** Marks a word that picocli must take as an operand, not as a subcommand. */
  private static final String AS_OPERAND = "\u0000";

  /**
   * A command line that failed as a subcommand but reads as an operand of its
   * parent: a unit may be named like a subcommand ('perf plot --count 3' samples
   * the unit plot). Null when it does not read that way either.
   */
  private static ParseResult asOperand(CommandLine root, String[] args, ParameterException e) {
    CommandLine failed = e.getCommandLine();
    CommandLine parent = failed == null ? null : failed.getParent();
    if (parent == null || parent.getCommandSpec().positionalParameters().isEmpty()) {
      return null;
    }
    String name = failed.getCommandName();
    for (int i = 1; i < args.length; i++) {
      if (args[i].equals(name) && args[i - 1].equals(parent.getCommandName())) {
        String[] retried = args.clone();
        retried[i] = AS_OPERAND + name;
        try {
          return root.parseArgs(retried);
        } catch (ParameterException stillWrong) {
          return null;
        }
      }
    }
    return null;
  }

  /** An unknown option or command, said plainly. */
  private static String unmatched(UnmatchedArgumentException e) {
    List<String> words = e.getUnmatched();
    CommandSpec failed = e.getCommandLine().getCommandSpec();
    String command = failed.qualifiedName(" ").replaceFirst("^diskarray ?", "");
    String first = words.isEmpty() ? "" : words.get(0);
    if (first.startsWith("-") && first.length() > 1 && !first.matches("-\\d.*")) {
      return "unknown option '" + first + "'"
          + (command.isEmpty() ? "" : " for '" + command + "'")
          + "; run 'diskarray " + (command.isEmpty() ? "" : command + " ") + "--help'";
    }
    if (!failed.subcommands().isEmpty() && failed.positionalParameters().isEmpty()) {
      return command.isEmpty() ? "unknown command '" + first + "'"
          : "unknown command '" + command + " " + first + "'; '" + command + "' has: "
              + String.join(", ", failed.subcommands().keySet());
    }
    return "'" + command + "' takes no more operands, got '" + String.join(" ", words) + "'";
  }

  /** picocli's message without its angle brackets. */
  private static String plain(String message) {
    String text = message.replace("<", "").replace(">", "");
    return Character.toLowerCase(text.charAt(0)) + text.substring(1);
  }

  /** A bash completion script for the whole tree. */
  static String completion(CommandLine root) {
    return AutoComplete.bash("diskarray", root) + NameCompletion.bash();
  }
}
