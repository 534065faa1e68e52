package korvane.str.diskarray.cli;

import java.io.PrintWriter;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * The command-line spellings of diskarray 1.1 that 1.2 still takes, each
 * beside the spelling that replaced it. An old form is rewritten to the new
 * one after picocli has parsed the line, so the handlers see only new
 * spellings; each old form accepted prints one warning on standard error.
 * Old option names are declared hidden: help, the manual page and the bash
 * completion show only the new ones. Removing this table (and its two uses
 * in {@link CommandTree}) ends the old spellings.
 *
 * <p>A layout lists a command's old operands in order. A plain name stays an
 * operand; {@code NAME>option} makes the word the value of {@code --option};
 * {@code word!} makes that literal word the flag {@code --word}; brackets mark
 * a word that may be missing; {@code SETTINGS>option} splits one quoted word
 * of KEY=VALUE pairs into options. Words after the layout of the form
 * {@code key=value} become {@code --key=value} (an underscore in the key
 * reads as a hyphen when that names one of the command's options).
 */
final class OldSpellings {
  private OldSpellings() {}

  /** Old option names of one command, each with the name that replaced it. */
  static final Map<String, Map<String, String>> RENAMED_OPTIONS = Map.of(
      "add", Map.of("ctl0", "address0", "ctl1", "address1"),
      "change", Map.of("ctl0", "address0", "ctl1", "address1"),
      "lu add", Map.of("ctl", "controller"),
      "turbo set", Map.of("ctl0", "lu0", "ctl1", "lu1"));

  /** Old operand layouts, by command. */
  static final Map<String, String> LAYOUTS = Map.ofEntries(
      // Connectivity: the controller, port and host group that select where a
      // command acts are options; settings are options of their own.
      Map.entry("lan set", "UNIT CTL>controller"),
      Map.entry("port show", "UNIT CTL>controller PORT>port"),
      Map.entry("port set", "UNIT CTL>controller PORT>port"),
      Map.entry("security show", "UNIT CTL>controller PORT>port"),
      Map.entry("security set", "UNIT CTL>controller PORT>port"),
      Map.entry("security allow", "UNIT CTL>controller PORT>port WWN LUS"),
      Map.entry("security deny", "UNIT CTL>controller PORT>port WWN"),
      Map.entry("security import", "UNIT CTL>controller PORT>port FILE"),
      Map.entry("hostgroup add", "UNIT CTL>controller PORT>port NAME"),
      Map.entry("hostgroup rename", "UNIT CTL>controller PORT>port HG NAME"),
      Map.entry("hostgroup delete", "UNIT CTL>controller PORT>port HG"),
      Map.entry("wwn add", "UNIT CTL>controller PORT>port WWN"),
      Map.entry("wwn assign", "UNIT CTL>controller PORT>port WWN HG>hg"),
      Map.entry("wwn remove", "UNIT CTL>controller PORT>port WWN"),
      Map.entry("wwn enable", "UNIT CTL>controller PORT>port WWN"),
      Map.entry("wwn disable", "UNIT CTL>controller PORT>port WWN"),
      Map.entry("map list", "UNIT CTL>controller PORT>port HG>hg"),
      Map.entry("map add", "UNIT CTL>controller PORT>port HG>hg HOST-LUN LU"),
      Map.entry("map remove", "UNIT CTL>controller PORT>port HG>hg HOST-LUN"),
      Map.entry("map mode", "UNIT MODE>switch"),
      Map.entry("options show", "UNIT CTL>controller PORT>port [HG>hg]"),
      Map.entry("options set", "UNIT CTL>controller PORT>port [HG>hg]"),
      Map.entry("rvrf set", "UNIT SERIAL"),
      Map.entry("target set", "UNIT CTL>controller [PORT>port]"),
      Map.entry("target luns", "UNIT CTL>controller PORT>port ID LUNS"),
      // Values given as operands.
      Map.entry("lu staging", "UNIT LU MODE>staging"),
      Map.entry("lu expand", "UNIT LU SIZE>capacity"),
      Map.entry("turbo set", "UNIT [off!]"),
      Map.entry("warning", "UNIT [MODE>mode]"),
      Map.entry("dump", "UNIT CONTROLLER>controller [FILE>out]"),
      Map.entry("wizard show", "UNIT FILE>out"),
      Map.entry("modepage sense", "UNIT FILE [PAGE>page] [CONTROL>control]"),
      Map.entry("modepage select", "UNIT FILE [PAGE>page]"),
      Map.entry("snmp set", "UNIT MANAGERS>managers [SETTINGS>settings]"),
      Map.entry("snmp output", "UNIT [DIR>out] [FILE>out]"),
      // Record fields given as FIELD=VALUE words.
      Map.entry("params set", "UNIT GROUP"),
      Map.entry("identity set", "UNIT"),
      Map.entry("command-device", "UNIT"),
      Map.entry("wizard current", "UNIT"));

  /** A command line in the new spelling. */
  static final class Line {
    final Map<String, String> options;
    final List<String> operands;

    Line(Map<String, String> options, List<String> operands) {
      this.options = options;
      this.operands = operands;
    }
  }

  /**
   * The line in the new spelling. declared holds the options the command
   * takes (without their dashes); err gets one warning per old form.
   */
  static Line rewrite(String command, Map<String, String> given, List<String> operands,
      Set<String> declared, PrintWriter err) {
    Map<String, String> options = new LinkedHashMap<>(given);
    List<String> oldWords = new ArrayList<>();
    List<String> newWords = new ArrayList<>();
    Map<String, String> renamed = RENAMED_OPTIONS.getOrDefault(command, Map.of());
    for (String key : given.keySet()) {
      String now = renamed.get(key);
      // Given both ways, the old name stays and the handler refuses it.
      if (now != null && !options.containsKey(now)) {
        String value = options.remove(key);
        options.put(now, value);
        oldWords.add("--" + key + "=" + quoted(value));
        newWords.add("--" + now + "=" + quoted(value));
      }
    }
    List<String> operandsOut = operands;
    String layout = LAYOUTS.get(command);
    if (layout != null) {
      Map<String, String> moved = new LinkedHashMap<>(options);
      List<String> kept = new ArrayList<>();
      List<String> oldLine = new ArrayList<>();
      List<String> newLine = new ArrayList<>();
      if (layoutApplies(layout, options, operands)
          && applyLayout(command, layout, operands, declared, moved, kept, oldLine, newLine)) {
        options = moved;
        operandsOut = kept;
        oldWords.addAll(0, oldLine);
        newWords.addAll(0, newLine);
      }
    }
    if (!oldWords.isEmpty()) {
      err.println("diskarray: warning: '" + command + " " + String.join(" ", oldWords)
          + "' is deprecated, use '" + command + " " + String.join(" ", newWords) + "'");
    }
    return new Line(options, operandsOut);
  }

  /** Whether the line can be in the old layout: none of its options given, enough words. */
  private static boolean layoutApplies(String layout, Map<String, String> options,
      List<String> operands) {
    int required = 0;
    for (String token : layout.split(" ")) {
      int arrow = token.indexOf('>');
      if (arrow > 0 && options.containsKey(token.substring(arrow + 1).replace("]", ""))) {
        return false;
      }
      if (!token.startsWith("[")) {
        required++;
      }
    }
    return operands.size() >= required;
  }

  /**
   * Moves the words of an old layout into options; false when the line holds
   * no old form (it is then left as it was).
   */
  private static boolean applyLayout(String command, String layout, List<String> operands,
      Set<String> declared, Map<String, String> options, List<String> operandsOut,
      List<String> oldWords, List<String> newWords) {
    if (command.equals("snmp output")) {
      return snmpOutput(operands, options, operandsOut, oldWords, newWords);
    }
    List<String> kept = new ArrayList<>();
    List<String> moved = new ArrayList<>();
    boolean old = false;
    int next = 0;
    for (String token : layout.split(" ")) {
      boolean optional = token.startsWith("[");
      String name = token.replace("[", "").replace("]", "");
      if (next >= operands.size()) {
        break;
      }
      String word = operands.get(next);
      if (optional && !name.startsWith("SETTINGS") && (word.contains("=") || isOption(word))) {
        continue;
      }
      next++;
      if (name.endsWith("!")) {
        String flag = name.substring(0, name.length() - 1);
        if (!word.equals(flag)) {
          return false;
        }
        options.put(flag, "");
        oldWords.add(word);
        newWords.add("--" + flag);
        old = true;
        continue;
      }
      int arrow = name.indexOf('>');
      if (arrow < 0) {
        kept.add(word);
        oldWords.add(word);
        newWords.add(word);
        continue;
      }
      String option = name.substring(arrow + 1);
      old = true;
      oldWords.add(quoted(word));
      if (option.equals("settings")) {
        for (String pair : word.trim().split("\\s+")) {
          if (!pair.isEmpty()) {
            moved.add(pair);
          }
        }
        continue;
      }
      options.put(option, word);
      newWords.add("--" + option + "=" + quoted(word));
    }
    List<String> rest = new ArrayList<>(operands.subList(next, operands.size()));
    if (!moved.isEmpty()) {
      rest.addAll(0, moved);
    }
    for (String word : rest) {
      int equals = word.indexOf('=');
      if (equals <= 0 || isOption(word)) {
        kept.add(word);
        oldWords.add(word);
        newWords.add(word);
        continue;
      }
      String key = word.substring(0, equals);
      String value = word.substring(equals + 1);
      String option = key.replace('_', '-');
      old = true;
      if (!moved.contains(word)) {
        oldWords.add(quoted(word));
      }
      if (declared.contains(option) && !options.containsKey(option)) {
        options.put(option, value);
        newWords.add("--" + option + "=" + quoted(value));
      } else {
        // A record field: the handler reads it from the operands.
        kept.add("--" + key + "=" + value);
        newWords.add(quoted("--" + key + "=" + value));
      }
    }
    operandsOut.addAll(kept);
    return old;
  }

  /**
   * snmp output UNIT DIR [FILE]: DIR was relative to the station ('' the
   * station itself), FILE a name in it ('' or none: the usual name). The new
   * --out takes one path, a folder when it ends in '/'.
   */
  private static boolean snmpOutput(List<String> operands, Map<String, String> options,
      List<String> operandsOut, List<String> oldWords, List<String> newWords) {
    if (operands.size() < 2 || operands.size() > 3) {
      return false;
    }
    String station = options.get(Arguments.STATION);
    String folder = operands.get(1).isEmpty() ? "." : operands.get(1);
    String file = operands.size() == 3 ? operands.get(2) : "";
    String out;
    try {
      Path base = station == null || station.isEmpty() ? StationLocation.defaultDirectory()
          : Path.of(station);
      out = base.resolve(folder).toAbsolutePath().normalize().toString();
    } catch (RuntimeException e) {
      // A path the system cannot take: left for the new spelling's check to refuse.
      out = folder;
    }
    out = file.isEmpty() ? out + "/" : out + "/" + file;
    options.put("out", out);
    operandsOut.add(operands.get(0));
    for (String word : operands) {
      oldWords.add(quoted(word));
    }
    newWords.add(quoted(operands.get(0)));
    newWords.add("--out=" + quoted(out));
    return true;
  }

  private static boolean isOption(String word) {
    return word.startsWith("--") && word.length() > 2;
  }

  private static String quoted(String word) {
    return word.isEmpty() || word.matches(".*[\\s'\"\\\\].*")
        ? "'" + word.replace("'", "'\\''") + "'" : word;
  }
}
