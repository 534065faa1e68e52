package korvane.str.diskarray.cli;

import java.util.ArrayList;
import java.util.Collections;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * A parsed command line: the command word, its operands and its options.
 *
 * <p>Every option takes a value, given as {@code --opt VALUE} or
 * {@code --opt=VALUE}, and may appear before or after the command. A lone
 * {@code --} makes everything after it an operand, for names that start with a dash.
 */
final class Arguments {
  static final String STATION = "station";
  static final String NAME = "name";
  static final String GROUP = "group";
  static final String CONNECT_TYPE = "connect-type";
  static final String KX_TYPE = "kx-type";
  static final String UNIT_CONF = "unit-conf";
  static final String ALERT = "alert";
  static final String CTL0 = "ctl0";
  static final String CTL1 = "ctl1";
  // Users, status and storage.
  static final String CONTROLLER = "controller";
  static final String LEVEL = "level";
  static final String PORT = "port";
  static final String ROW = "row";
  static final String WIDTH = "width";
  static final String DEPTH = "depth";
  static final String NUMBER = "number";
  static final String CAPACITY = "capacity";
  static final String RG = "rg";
  static final String STAGING = "staging";
  static final String CTL = "ctl";
  static final String MODE = "mode";
  static final String WAIT = "wait";
  static final String OUT = "out";
  static final String INTERVAL = "interval";
  static final String COUNT = "count";
  /** A flag: takes no value. */
  static final String RAW = "raw";
  static final String SWITCH = "switch";
  static final String DOMAIN = "domain";
  static final String SMTP = "smtp";
  static final String FROM = "from";
  static final String TO = "to";
  static final String COMMAND = "command";
  static final String TIMEOUT = "timeout";
  static final String TAIL = "tail";
  static final String CLEAR = "clear";

  /** The options that set fields of a unit, accepted by add and change. */
  static final Set<String> UNIT_OPTIONS =
      Set.of(GROUP, CONNECT_TYPE, KX_TYPE, UNIT_CONF, ALERT, CTL0, CTL1);

  private static final Set<String> KNOWN_OPTIONS = Set.of(
      STATION, NAME, GROUP, CONNECT_TYPE, KX_TYPE, UNIT_CONF, ALERT, CTL0, CTL1,
      CONTROLLER, LEVEL, PORT, ROW, WIDTH, DEPTH, NUMBER, CAPACITY, RG, STAGING, CTL, MODE,
      WAIT, OUT, INTERVAL, COUNT, RAW, SWITCH, DOMAIN, SMTP, FROM, TO, COMMAND, TIMEOUT, TAIL, CLEAR);

  /** Options that take no value; has() tells whether they were given. */
  private static final Set<String> FLAGS = Set.of(WAIT, RAW, CLEAR);

  final String command;
  final List<String> operands;
  private final Map<String, String> options;

  private Arguments(String command, List<String> operands, Map<String, String> options) {
    this.command = command;
    this.operands = Collections.unmodifiableList(operands);
    this.options = options;
  }

  static Arguments parse(String[] args) throws UsageException {
    List<String> words = new ArrayList<>();
    Map<String, String> options = new LinkedHashMap<>();
    boolean optionsEnded = false;
    for (int i = 0; i < args.length; i++) {
      String arg = args[i];
      if (optionsEnded || !arg.startsWith("-") || arg.equals("-")) {
        words.add(arg);
        continue;
      }
      if (arg.equals("--")) {
        optionsEnded = true;
        continue;
      }
      if (arg.equals("-h") || arg.equals("--help")) {
        words.add(0, "help");
        continue;
      }
      if (!arg.startsWith("--")) {
        throw new UsageException("unknown option '" + arg + "'");
      }
      String key = arg.substring(2);
      String value;
      int equals = key.indexOf('=');
      if (equals >= 0) {
        value = key.substring(equals + 1);
        key = key.substring(0, equals);
      } else if (FLAGS.contains(key)) {
        value = "";
      } else if (i + 1 < args.length) {
        value = args[++i];
      } else {
        throw new UsageException("option --" + key + " needs a value");
      }
      if (!KNOWN_OPTIONS.contains(key)) {
        throw new UsageException("unknown option '--" + key + "'");
      }
      if (options.put(key, value) != null) {
        throw new UsageException("option --" + key + " given twice");
      }
    }
    String command = words.isEmpty() ? null : words.remove(0);
    return new Arguments(command, words, options);
  }

  /**
   * The first operand as a subcommand: "rg add UNIT" becomes the command
   * "rg add" with the operand UNIT, sharing the options.
   */
  Arguments subcommand(String usage) throws UsageException {
    if (operands.isEmpty()) {
      throw new UsageException("'" + command + "' needs a subcommand: " + usage);
    }
    return new Arguments(command + " " + operands.get(0),
        new ArrayList<>(operands.subList(1, operands.size())), options);
  }

  /** Requires between min and max operands. */
  List<String> expectOperandCount(int min, int max, String names) throws UsageException {
    if (operands.size() < min || operands.size() > max) {
      throw new UsageException("'" + command + "' takes " + names
          + ", got " + (operands.isEmpty() ? "none" : String.join(" ", operands)));
    }
    return operands;
  }

  /** An int option within min..max; fallback when it is not given. */
  int intOption(String key, int fallback, int min, int max) throws UsageException {
    String text = options.get(key);
    return text == null ? fallback : number("--" + key, text, min, max);
  }

  /** An int option the command cannot do without. */
  int requiredInt(String key, int min, int max) throws UsageException {
    if (!options.containsKey(key)) {
      throw new UsageException("'" + command + "' needs --" + key);
    }
    return intOption(key, 0, min, max);
  }

  /** Decimal or 0x hex text as an int within min..max. */
  static int number(String what, String text, int min, int max) throws UsageException {
    long value;
    try {
      value = Long.decode(text.trim());
    } catch (NumberFormatException e) {
      throw new UsageException(what + " needs a number, got '" + text + "'");
    }
    if (value < min || value > max) {
      throw new UsageException(what + " must be " + min + ".." + max + ", got " + value);
    }
    return (int) value;
  }

  String option(String key) {
    return options.get(key);
  }

  boolean has(String key) {
    return options.containsKey(key);
  }

  /** Rejects options the command does not take; --station is taken by every command. */
  void allowOnly(Set<String> allowed) throws UsageException {
    for (String key : options.keySet()) {
      if (!key.equals(STATION) && !allowed.contains(key)) {
        throw new UsageException("'" + command + "' does not take --" + key);
      }
    }
  }

  /** Requires exactly the named operands and returns them in order. */
  List<String> expectOperands(String... names) throws UsageException {
    if (operands.size() != names.length) {
      String wanted = names.length == 0 ? "no operands" : String.join(" ", names);
      throw new UsageException("'" + command + "' takes " + wanted
          + ", got " + (operands.isEmpty() ? "none" : String.join(" ", operands)));
    }
    return operands;
  }

  /** An int option as one byte field stores it: -128..255, decimal or 0x hex. */
  int byteOption(String key, int current) throws UsageException {
    String text = options.get(key);
    if (text == null) {
      return current;
    }
    int value;
    try {
      value = Integer.decode(text.trim());
    } catch (NumberFormatException e) {
      throw new UsageException("--" + key + " needs a number, got '" + text + "'");
    }
    if (value < -128 || value > 255) {
      throw new UsageException("--" + key + " is stored in one byte: -128..255, got " + value);
    }
    return value;
  }
}
