package korvane.str.diskarray.cli;

import java.util.ArrayList;
import java.util.Collections;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * A parsed command line as the handlers of each area see it: the command
 * word, its operands (subcommand words first) and its options. picocli
 * ({@link CommandTree}) has already accepted the words; the handlers check
 * the operands and turn values into numbers.
 *
 * <p>Numbers are decimal: leading zeros do not make a number octal
 * ({@code 010} is ten). The one-byte codes of a unit also take {@code 0x} hex.
 */
final class Arguments {
  static final String STATION = "station";
  /** Sizes as exact numbers, taken by every command (-p). */
  static final String BYTES = "bytes";
  static final String NAME = "name";
  static final String GROUP = "group";
  static final String CONNECT_TYPE = "connect-type";
  static final String KX_TYPE = "kx-type";
  static final String UNIT_CONF = "unit-conf";
  static final String ALERT = "alert";
  static final String ADDRESS0 = "address0";
  static final String ADDRESS1 = "address1";
  // Users, status and storage.
  static final String CONTROLLER = "controller";
  static final String LEVEL = "level";
  static final String PORT = "port";
  static final String ROW = "row";
  static final String WIDTH = "width";
  static final String DEPTH = "depth";
  static final String ROWS = "rows";
  static final String NUMBER = "number";
  static final String CAPACITY = "capacity";
  static final String RG = "rg";
  static final String STAGING = "staging";
  static final String HG = "hg";
  static final String MODE = "mode";
  static final String WAIT = "wait";
  static final String OUT = "out";
  static final String PAGE = "page";
  static final String CONTROL = "control";
  static final String MANAGERS = "managers";
  static final String LU0 = "lu0";
  static final String LU1 = "lu1";
  static final String OFF = "off";
  static final String INTERVAL = "interval";
  static final String COUNT = "count";
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
  static final String ONCE = "once";
  // Taken by many commands; picocli knows which.
  static final String JSON = "json";
  static final String TSV = "tsv";
  static final String YES = "yes";
  static final String FORCE = "force";
  static final String DRY_RUN = "dry-run";
  static final String PASSWORD_STDIN = "password-stdin";

  /** The options that set fields of a unit, accepted by add and change. */
  static final Set<String> UNIT_OPTIONS =
      Set.of(GROUP, CONNECT_TYPE, KX_TYPE, UNIT_CONF, ALERT, ADDRESS0, ADDRESS1);

  /** Options whose commands picocli alone decides; allowOnly does not list them. */
  private static final Set<String> COMMON =
      Set.of(STATION, BYTES, JSON, RAW, TSV, YES, PASSWORD_STDIN);

  final String command;
  final List<String> operands;
  private final Map<String, String> options;
  /** Where confirmations and passwords come from; set by the tool before the handlers run. */
  Prompts prompts;

  Arguments(String command, List<String> operands, Map<String, String> options) {
    this.command = command;
    this.operands = Collections.unmodifiableList(new ArrayList<>(operands));
    this.options = options;
  }

  /**
   * Parses a command line of the tool (as the demo writes its steps). A step
   * shows how to type a command, so one in an old spelling is a fault.
   */
  static Arguments parse(String[] args) throws UsageException {
    java.io.PrintWriter sink = new java.io.PrintWriter(java.io.Writer.nullWriter());
    java.io.StringWriter warnings = new java.io.StringWriter();
    CommandTree.Parsed parsed = CommandTree.parse(
        CommandTree.build(args, sink, new java.io.PrintWriter(warnings, true)), args);
    if (parsed.arguments == null) {
      throw new UsageException("help is not a step");
    }
    if (warnings.getBuffer().length() > 0) {
      // A fault of the step's text, not a refusal it may expect.
      throw new IllegalStateException("a step in an old spelling: " + warnings.toString().trim());
    }
    return parsed.arguments;
  }

  /**
   * The first operand as a subcommand: "rg add UNIT" becomes the command
   * "rg add" with the operand UNIT, sharing the options.
   */
  Arguments subcommand(String usage) throws UsageException {
    if (operands.isEmpty()) {
      throw new UsageException("'" + command + "' needs a subcommand: " + usage);
    }
    Arguments sub = new Arguments(command + " " + operands.get(0),
        new ArrayList<>(operands.subList(1, operands.size())), options);
    sub.prompts = prompts;
    return sub;
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

  /**
   * Decimal text as an int within min..max. Leading zeros are allowed and
   * change nothing; no other base, sign of plus, space or fraction is.
   */
  static int number(String what, String text, int min, int max) throws UsageException {
    if (!text.matches("-?[0-9]{1,18}")) {
      throw new UsageException(what + " needs a decimal number, got '" + text + "'");
    }
    long value = Long.parseLong(text);
    if (value < min || value > max) {
      throw new UsageException(what + " must be " + min + ".." + max + ", got " + value);
    }
    return (int) value;
  }

  /**
   * A capacity in MB: a decimal number of MB, or with a binary suffix K, M, G
   * or T (10G is 10240 MB). A K amount must come to whole MB.
   */
  static int megabytes(String what, String text, int min, int max) throws UsageException {
    java.util.regex.Matcher size =
        java.util.regex.Pattern.compile("([0-9]{1,18})([KkMmGgTt]?)").matcher(text);
    if (!size.matches()) {
      throw new UsageException(what + " needs a size such as 512, 512M, 10G or 2T, got '"
          + text + "'");
    }
    long amount = Long.parseLong(size.group(1));
    String suffix = size.group(2).toUpperCase(java.util.Locale.ROOT);
    int shift = "KMGT".indexOf(suffix.isEmpty() ? "M" : suffix) * 10 - 10;
    long megabytes;
    if (shift < 0) {
      if (amount % 1024 != 0) {
        throw new UsageException(what + " must be whole MB, got " + text);
      }
      megabytes = amount / 1024;
    } else {
      megabytes = amount > (Long.MAX_VALUE >> shift) ? Long.MAX_VALUE : amount << shift;
    }
    if (megabytes < min || megabytes > max) {
      throw new UsageException(what + " must be " + min + ".." + max + " MB, got " + text
          + (suffix.isEmpty() ? "" : " (" + megabytes + " MB)"));
    }
    return (int) megabytes;
  }

  /** A capacity option (see {@link #megabytes}); fallback when it is not given. */
  int megabyteOption(String key, int fallback, int min, int max) throws UsageException {
    String text = options.get(key);
    return text == null ? fallback : megabytes("--" + key, text, min, max);
  }

  /** Asks to go on with a destructive command; see {@link Prompts#confirm}. */
  void confirm(String question) throws Prompts.NotConfirmed {
    prompts().confirm(this, question);
  }

  /** A password the command line did not give; see {@link Prompts#password}. */
  String password(String what, String variable) throws UsageException {
    return prompts().password(this, what, variable);
  }

  private Prompts prompts() {
    if (prompts == null) {
      // A command line parsed for a script of steps (the demo) has no one to ask.
      prompts = new Prompts(null, java.io.InputStream.nullInputStream(), Map.of());
    }
    return prompts;
  }

  /** A bit mask within 0..max: decimal, or hex written 0x..; never octal. */
  static int mask(String what, String text, int max) throws UsageException {
    if (text.matches("0[xX][0-9a-fA-F]{1,8}")) {
      long value = Long.parseLong(text.substring(2), 16);
      if (value > max) {
        throw new UsageException(what + " must be 0..0x" + Integer.toHexString(max) + ", got "
            + text);
      }
      return (int) value;
    }
    return number(what, text, 0, max);
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
      if (!COMMON.contains(key) && !allowed.contains(key)) {
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

  /** An int option as one byte field stores it: -128..255, decimal or 0x hex (never octal). */
  int byteOption(String key, int current) throws UsageException {
    String text = options.get(key);
    if (text == null) {
      return current;
    }
    int value;
    if (text.matches("-?0[xX][0-9a-fA-F]{1,8}")) {
      boolean negative = text.startsWith("-");
      long magnitude = Long.parseLong(text.substring(negative ? 3 : 2), 16);
      value = (int) Math.max(Integer.MIN_VALUE, negative ? -magnitude : magnitude);
    } else {
      value = number("--" + key, text, Integer.MIN_VALUE, Integer.MAX_VALUE);
    }
    if (value < -128 || value > 255) {
      throw new UsageException("--" + key + " is stored in one byte: -128..255, got " + value);
    }
    return value;
  }
}
