package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
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
import korvane.str.diskarray.EmailInfo;
import korvane.str.diskarray.ExProgramInfo;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/** Notification and host services: alerts, e-mail, SNMP, the external program, logs. */
final class ServiceCommands {
  static final Set<String> COMMANDS = Set.of("alerts", "mail", "snmp", "program", "log", "check");

  private static final int TEXT_BYTES = 1023;
  private static final int MAX_RECIPIENTS = 20;
  private static final Set<String> MAIL_OPTIONS = Set.of(
      Arguments.SWITCH, Arguments.DOMAIN, Arguments.SMTP, Arguments.FROM, Arguments.TO);

  private final PrintStream out;

  ServiceCommands(PrintStream out) {
    this.out = out;
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "alerts": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.MODE));
        String mode = arguments.option(Arguments.MODE);
        // Reading alerts must not hide them from a monitor: only an explicit
        // check marks them reported.
        int peek = choice("--mode", mode == null ? "peek" : mode, "check", "peek");
        return new Step("check the alerts of '" + unit + "'", () -> {
          int value = DiskArrayUtilityJNI.KX_AlertCheck(unit, peek);
          List<List<String>> objects = alertObjects(unit, value);
          out.print(arguments.has(Arguments.JSON) ? Json.write(alertList(value, objects))
              : alerts(value, objects));
        });
      }
      case "mail":
        return mail(arguments.subcommand("show|set|append|test|send"));
      case "snmp":
        return snmp(arguments.subcommand("show|set|output"));
      case "program":
        return program(arguments.subcommand("show|set|test|run"));
      case "log":
        return log(arguments);
      case "check":
        arguments.expectOperands();
        arguments.allowOnly(Set.of());
        boolean json = arguments.has(Arguments.JSON);
        return new Step("check the environment", () -> {
          DiskArrayUtilityJNI.KX_EnvironmentCheck();
          if (!json) {
            out.println("environment: ok");
          }
          String version = System.getProperty("java.version");
          DiskArrayUtilityJNI.KX_JavaVersionCheck(version);
          out.print(json
              ? Json.write(Json.object("environment", "ok", "java", version, "java_check", "ok"))
              : "java " + version + ": ok\n");
        });
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static final String[] ALERT_NAMES = {"drive blocked", "drive rebuilding",
      "RAID group degraded", "RAID group failed", "format failed", "part failed"};

  /**
   * What each alert kind present concerns, by kind (the bit's index): the
   * drives, RAID groups and LUs, read from the unit's views as the alert
   * value was answered.
   */
  static List<List<String>> alertObjects(String unit, int value)
      throws DiskArrayException, ToolFailure {
    List<List<String>> objects = new ArrayList<>();
    for (int i = 0; i < ALERT_NAMES.length; i++) {
      objects.add(new ArrayList<>());
    }
    if ((value & 0x3F) == 0) {
      return objects;
    }
    Health health = Health.read(unit);
    int[] owner = DriveMap.groupOfSlot(health.groups);
    for (int slot = 0; slot < Math.min(health.drives.length, DriveMap.SLOTS); slot++) {
      DiskDrive drive = health.drives[slot];
      if (drive == null || drive.mount == 0) {
        continue;
      }
      String name = "drive " + drive.port_no + "/" + drive.row_no
          + (owner[slot] < 0 ? "" : " of RAID group " + owner[slot]);
      if (drive.drv_state == Health.DRIVE_BLOCKED) {
        objects.get(0).add(name);
      } else if (drive.drv_state == Health.DRIVE_REBUILDING) {
        objects.get(1).add(name);
      }
    }
    for (Health.Group group : health.byNumber.values()) {
      String state = group.state();
      String name = "RAID group " + group.group.rgnum;
      if (state.equals("failed")) {
        objects.get(3).add(name);
      } else if (!state.equals("normal")) {
        objects.get(2).add(name);
      }
    }
    for (int lu : Health.failedFormats(unit)) {
      objects.get(4).add("LU " + lu);
    }
    return objects;
  }

  /** The alerts for scripts: each kind present, whether it is new, and what it concerns. */
  static List<Map<String, Object>> alertList(int value, List<List<String>> objects) {
    List<Map<String, Object>> list = new ArrayList<>();
    for (int i = 0; i < ALERT_NAMES.length; i++) {
      if ((value & (1 << i)) != 0) {
        Map<String, Object> alert = new LinkedHashMap<>();
        alert.put("alert", ALERT_NAMES[i]);
        alert.put("new", (value & (1 << (i + DiskArrayConstants.KX_ALERT_NEW_SHIFT))) != 0);
        alert.put("objects", objects.get(i));
        list.add(alert);
      }
    }
    return list;
  }

  /** The alert value in words: kinds now, which of them are new, and what they concern. */
  static String alerts(int value, List<List<String>> objects) {
    String[] names = ALERT_NAMES;
    // The kinds present are the low 16 bits, the new ones above them; the
    // kinds that ended since the last check come last, on a line of their own.
    StringBuilder text = new StringBuilder();
    if ((value & 0xFFFF) == 0) {
      text.append("no alerts\n");
    }
    List<String> ended = new ArrayList<>();
    for (int i = 0; i < names.length; i++) {
      if ((value & (1 << i)) != 0) {
        boolean fresh = (value & (1 << (i + DiskArrayConstants.KX_ALERT_NEW_SHIFT))) != 0;
        text.append(names[i]).append(fresh ? " (new)" : "");
        if (!objects.get(i).isEmpty()) {
          text.append(": ").append(String.join(", ", objects.get(i)));
        }
        text.append('\n');
      }
      if ((value & (1 << (i + DiskArrayConstants.KX_ALERT_CLEARED_SHIFT))) != 0) {
        ended.add(names[i]);
      }
    }
    if (!ended.isEmpty()) {
      text.append("ended since the last check: ").append(String.join(", ", ended)).append('\n');
    }
    return text.toString();
  }

  private Step mail(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "mail show":
        arguments.expectOperands();
        arguments.allowOnly(Set.of(Arguments.RAW));
        return new Step("read the e-mail settings", () -> {
          EmailInfo mail = readMail();
          if (!arguments.has(Arguments.JSON)) {
            out.print(show(mail));
          } else if (arguments.has(Arguments.RAW)) {
            out.print(Json.write(mail));
          } else {
            // The recipients only, not the record's 100 slots; the switch by name.
            out.print(Json.write(Json.object("switch", mail.on_off == 1 ? "on" : "off",
                "domain", mail.domain, "smtp", mail.smtp, "from", mail.from,
                "to", recipients(mail))));
          }
        });
      case "mail set": {
        arguments.expectOperands();
        arguments.allowOnly(MAIL_OPTIONS);
        MailEdit edit = new MailEdit(arguments);
        return new Step("change the e-mail settings", () -> {
          EmailInfo settings = readMail();
          edit.applyTo(settings);
          DiskArrayUtilityJNI.KX_SetEmailInfo(settings);
          out.print(show(settings));
        });
      }
      case "mail append": {
        List<String> operands = arguments.expectOperandCount(1, 2, "UNIT [TEXT]");
        arguments.allowOnly(Set.of());
        String unit = DiskArrayTool.unitName(operands.get(0));
        if (operands.size() == 1) {
          boolean json = arguments.has(Arguments.JSON);
          return new Step("read the mail text of '" + unit + "'", () -> {
            String text = DiskArrayUtilityJNI.KX_GetMailAppendInfo(unit);
            out.print(json ? Json.write(Json.object("unit", unit, "text", text)) : text + "\n");
          });
        }
        String text = DiskArrayTool.limited("text", operands.get(1), TEXT_BYTES);
        return new Step("set the mail text of '" + unit + "'", () -> {
          if (text.isEmpty()) {
            DiskArrayUtilityJNI.KX_DelMailAppendInfo(unit);
            out.println("removed the mail text of " + unit);
          } else {
            DiskArrayUtilityJNI.KX_SetMailAppendInfo(unit, text);
            out.println("set the mail text of " + unit);
          }
        });
      }
      case "mail test": {
        List<String> operands = arguments.expectOperandCount(2, 3, "SUBJECT BODY [UNIT]");
        arguments.allowOnly(MAIL_OPTIONS);
        String subject = DiskArrayTool.limited("subject", operands.get(0), TEXT_BYTES);
        String body = DiskArrayTool.limited("body", operands.get(1), 2047);
        String unit = operands.size() > 2 ? DiskArrayTool.unitName(operands.get(2)) : null;
        MailEdit edit = new MailEdit(arguments);
        return new Step("send a test message", () -> {
          EmailInfo settings = readMail();
          edit.applyTo(settings);
          DiskArrayUtilityJNI.KX_SendEmailTest(unit, settings, subject, body);
          out.println("sent to " + settings.tonum + " recipient(s)");
        });
      }
      case "mail send": {
        List<String> operands = arguments.expectOperandCount(2, 3, "SUBJECT BODY [UNIT]");
        arguments.allowOnly(Set.of());
        String unit = operands.size() > 2 ? DiskArrayTool.unitName(operands.get(2)) : null;
        return new Step("send a message", () -> {
          DiskArrayUtilityJNI.KX_SendEmail(unit, operands.get(0), operands.get(1));
          out.println("sent");
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static EmailInfo readMail() throws DiskArrayException, ToolFailure {
    EmailInfo settings = DiskArrayUtilityJNI.KX_GetEmailInfo();
    if (settings == null) {
      throw new ToolFailure("the bridge returned no e-mail settings");
    }
    return settings;
  }

  /** The recipients the settings hold: the first tonum slots of to. */
  private static List<String> recipients(EmailInfo settings) {
    List<String> to = new ArrayList<>();
    for (int i = 0; settings.to != null && i < settings.tonum && i < settings.to.length; i++) {
      to.add(settings.to[i]);
    }
    return to;
  }

  static String show(EmailInfo settings) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"switch", settings.on_off == 1 ? "on" : "off"});
    rows.add(new String[] {"domain", settings.domain});
    rows.add(new String[] {"smtp", settings.smtp});
    rows.add(new String[] {"from", settings.from});
    rows.add(new String[] {"to", String.join(", ", recipients(settings))});
    StringBuilder text = new StringBuilder();
    for (String[] row : rows) {
      text.append(String.format("%-7s %s%n", row[0], row[1] == null ? "" : row[1]));
    }
    return text.toString();
  }

  /** The mail options of one command line, applied over the stored settings. */
  private static final class MailEdit {
    private final Integer onOff;
    private final String domain;
    private final String smtp;
    private final String from;
    private final String[] to;

    MailEdit(Arguments arguments) throws UsageException {
      String switchText = arguments.option(Arguments.SWITCH);
      onOff = switchText == null ? null : choice("--switch", switchText, "off", "on");
      domain = limitedOption(arguments, Arguments.DOMAIN, 39);
      smtp = limitedOption(arguments, Arguments.SMTP, 99);
      from = limitedOption(arguments, Arguments.FROM, 99);
      String toText = arguments.option(Arguments.TO);
      if (toText == null) {
        to = null;
      } else {
        to = toText.trim().isEmpty() ? new String[0] : toText.trim().split("\\s*,\\s*");
        if (to.length > MAX_RECIPIENTS) {
          throw new UsageException("at most " + MAX_RECIPIENTS + " recipients, got " + to.length);
        }
        for (String address : to) {
          DiskArrayTool.limited("recipient", address, 99);
        }
      }
    }

    void applyTo(EmailInfo settings) {
      if (onOff != null) {
        settings.on_off = onOff;
      }
      if (domain != null) {
        settings.domain = domain;
      }
      if (smtp != null) {
        settings.smtp = smtp;
      }
      if (from != null) {
        settings.from = from;
      }
      if (to != null) {
        settings.tonum = to.length;
        settings.to = Arrays.copyOf(to, 100);
      }
    }
  }

  private Step snmp(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "snmp set": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        Set<String> allowed = new java.util.HashSet<>(SNMP_SWITCHES);
        allowed.add(Arguments.MANAGERS);
        allowed.add(COMMUNITY);
        arguments.allowOnly(allowed);
        // '' keeps the managers, as the station reads an empty list.
        String managers = DiskArrayTool.limited("--managers",
            arguments.has(Arguments.MANAGERS) ? arguments.option(Arguments.MANAGERS) : "",
            TEXT_BYTES);
        // The station takes the other settings as one text of key=value words.
        List<String> settings = new ArrayList<>();
        if (arguments.has(COMMUNITY)) {
          String community = arguments.option(COMMUNITY);
          if (community.isEmpty() || !community.matches("\\S+")) {
            throw new UsageException("--community needs a name without blanks, got '"
                + community + "'");
          }
          settings.add("community=" + community);
        }
        for (String key : SNMP_SWITCHES) {
          if (arguments.has(key)) {
            choice("--" + key, arguments.option(key), "off", "on");
            settings.add(key.replace('-', '_') + "=" + arguments.option(key));
          }
        }
        String options = DiskArrayTool.limited("settings", String.join(" ", settings),
            TEXT_BYTES);
        if (managers.isEmpty() && options.isEmpty()) {
          throw new UsageException("'snmp set' needs --managers or a setting to change");
        }
        return new Step("set the SNMP settings of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_SetSnmpConfig(unit, managers, options);
          out.println("set the SNMP settings of " + unit);
        });
      }
      case "snmp show": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of());
        return new Step("read the SNMP settings of '" + unit + "'", () -> {
          // The station has no reader of its own: its file, written to a private folder.
          Path folder = null;
          try {
            folder = Files.createTempDirectory("diskarray-snmp-");
            DiskArrayUtilityJNI.KX_SnmpConfigOutput(unit, folder.toString(), "snmp.conf");
            List<String> lines = new ArrayList<>();
            for (String line : Files.readAllLines(folder.resolve("snmp.conf"),
                StandardCharsets.UTF_8)) {
              if (!line.startsWith("#") && !line.isBlank()) {
                lines.add(line);
              }
            }
            if (arguments.has(Arguments.JSON)) {
              Map<String, Object> settings = new LinkedHashMap<>();
              List<String> managers = new ArrayList<>();
              for (String line : lines) {
                String[] pair = line.split(" = ", 2);
                if (pair[0].equals("manager")) {
                  managers.add(pair.length > 1 ? pair[1] : "");
                } else {
                  settings.put(pair[0], pair.length > 1 ? pair[1] : "");
                }
              }
              settings.put("managers", managers);
              out.print(Json.write(settings));
            } else {
              for (String line : lines) {
                out.println(line);
              }
            }
          } catch (IOException e) {
            throw new ToolFailure("cannot read the SNMP settings: " + Problems.describe(e));
          } finally {
            deleteQuietly(folder);
          }
        });
      }
      case "snmp output": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.OUT, Arguments.FORCE));
        // Without --out the file goes where the station's agent reads it.
        String given = arguments.has(Arguments.OUT) ? arguments.option(Arguments.OUT)
            : DiskArrayTool.stationDirectory(arguments).toString() + "/";
        Path target = OutputFile.resolve(given, snmpFileName(unit));
        String dir = DiskArrayTool.limited("folder", target.getParent().toString(), TEXT_BYTES);
        String file = DiskArrayTool.limited("file name", target.getFileName().toString(),
            TEXT_BYTES);
        boolean force = arguments.has(Arguments.FORCE);
        return new Step("write the SNMP file of '" + unit + "' to " + target, () -> {
          OutputFile.check(target, force);
          DiskArrayUtilityJNI.KX_SnmpConfigOutput(unit, dir, file);
          out.println("wrote the SNMP configuration of " + unit + " to " + target);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static final String COMMUNITY = "community";
  /** The on|off settings of 'snmp set': traps at all, then one per kind of alert. */
  private static final List<String> SNMP_SWITCHES = List.of("traps", "drive-blocked",
      "drive-rebuilding", "group-degraded", "group-failed", "format-failed", "part-failed");

  /** The station's usual name of a unit's SNMP file: each byte of an unusual character '_'. */
  static String snmpFileName(String unit) {
    StringBuilder name = new StringBuilder("snmp-");
    for (byte b : unit.getBytes(StandardCharsets.UTF_8)) {
      char c = (char) (b & 0xFF);
      boolean plain = c < 0x80 && (Character.isLetterOrDigit(c) || c == '.' || c == '-'
          || c == '_');
      name.append(plain ? c : '_');
    }
    return name.append(".conf").toString();
  }

  /** Removes a folder of this run and its files; what cannot be removed stays. */
  private static void deleteQuietly(Path folder) {
    if (folder == null) {
      return;
    }
    try (java.util.stream.Stream<Path> files = Files.list(folder)) {
      for (Path file : (Iterable<Path>) files::iterator) {
        Files.deleteIfExists(file);
      }
      Files.deleteIfExists(folder);
    } catch (IOException e) {
      // A temporary folder left behind does no harm.
    }
  }

  private Step program(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "program show":
        arguments.expectOperands();
        arguments.allowOnly(Set.of());
        return new Step("read the program settings", () -> {
          ExProgramInfo program = readProgram();
          out.print(arguments.has(Arguments.JSON) ? Json.write(program) : show(program));
        });
      case "program run":
        arguments.expectOperands();
        arguments.allowOnly(Set.of());
        return new Step("run the program", () -> {
          DiskArrayUtilityJNI.KX_ExecuteProgram();
          out.println("the program ended with exit status 0");
        });
      case "program set":
      case "program test": {
        arguments.expectOperands();
        boolean set = arguments.command.equals("program set");
        arguments.allowOnly(set
            ? Set.of(Arguments.SWITCH, Arguments.COMMAND, Arguments.TIMEOUT)
            : Set.of(Arguments.COMMAND, Arguments.TIMEOUT));
        String switchText = arguments.option(Arguments.SWITCH);
        Integer onOff = switchText == null ? null : choice("--switch", switchText, "off", "on");
        String command = limitedOption(arguments, Arguments.COMMAND, 499);
        Integer timeout = arguments.option(Arguments.TIMEOUT) == null ? null
            : arguments.intOption(Arguments.TIMEOUT, 0, 0, 86400);
        return new Step(set ? "change the program settings" : "run the program", () -> {
          ExProgramInfo settings = readProgram();
          if (onOff != null) {
            settings.on_off = onOff;
          }
          if (command != null) {
            settings.program_name = command;
          }
          if (timeout != null) {
            settings.exec_mode = timeout;
          }
          if (set) {
            DiskArrayUtilityJNI.KX_SetExProgramInfo(settings);
            out.print(show(settings));
          } else {
            DiskArrayUtilityJNI.KX_ExecuteProgramTest(settings);
            out.println("the program ended with exit status 0");
          }
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static ExProgramInfo readProgram() throws DiskArrayException, ToolFailure {
    ExProgramInfo settings = DiskArrayUtilityJNI.KX_GetExProgramInfo();
    if (settings == null) {
      throw new ToolFailure("the bridge returned no program settings");
    }
    return settings;
  }

  static String show(ExProgramInfo settings) {
    return String.format("switch  %s%ntimeout %s%ncommand %s%n",
        settings.on_off == 1 ? "on" : "off",
        settings.exec_mode == 0 ? "60 s (default)" : settings.exec_mode + " s",
        settings.program_name);
  }

  private Step log(Arguments arguments) throws UsageException {
    String which = arguments.expectOperands("err|app").get(0);
    int kind = choice("log", which, "err", "app");
    String file = kind == 0 ? "error.log" : "application.log";
    if (arguments.option(Arguments.CLEAR) != null) {
      arguments.allowOnly(Set.of(Arguments.CLEAR));
      if (kind != 0) {
        throw new UsageException("only the error log can be cleared");
      }
      return new Step("clear the error log", () -> {
        arguments.confirm("Empty the station's error log?");
        DiskArrayUtilityJNI.KX_ErrLogDelete();
        out.println("cleared the error log");
      });
    }
    arguments.allowOnly(Set.of(Arguments.TAIL));
    int tail = arguments.intOption(Arguments.TAIL, Integer.MAX_VALUE, 0, Integer.MAX_VALUE);
    Path path = DiskArrayTool.stationDirectory(arguments).resolve(file);
    boolean json = arguments.has(Arguments.JSON);
    return new Step("read " + path, () -> {
      List<String> lines;
      try {
        lines = CallerFiles.readLines(path);
      } catch (NoSuchFileException e) {
        lines = List.of();
      } catch (IOException e) {
        throw new ToolFailure("cannot read " + Problems.describe(e));
      }
      List<String> shown = lines.subList(Math.max(0, lines.size() - tail), lines.size());
      if (json) {
        out.print(Json.write(Json.object("log", which, "lines", shown)));
        return;
      }
      for (String line : shown) {
        out.println(line);
      }
    });
  }

  /** The index of text among the choices. */
  private static int choice(String what, String text, String... choices) throws UsageException {
    for (int i = 0; i < choices.length; i++) {
      if (choices[i].equals(text)) {
        return i;
      }
    }
    throw new UsageException(what + " must be " + String.join(" or ", choices) + ", got '"
        + text + "'");
  }

  private static String limitedOption(Arguments arguments, String key, int maxBytes)
      throws UsageException {
    String value = arguments.option(key);
    return value == null ? null : DiskArrayTool.limited("--" + key, value, maxBytes);
  }
}
