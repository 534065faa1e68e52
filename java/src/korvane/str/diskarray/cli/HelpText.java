package korvane.str.diskarray.cli;

import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;

/**
 * The overview of 'diskarray help' and the manual page diskarray(1), both
 * made from {@link CommandTree#SYNTAX}, the table picocli parses with: a
 * command the tool takes is in the help, and the help has no other.
 */
final class HelpText {
  private HelpText() {}

  private static final int WIDTH = 79;
  private static final int DESCRIPTION_COLUMN = 27;

  private static final String[] HEAD = {
    "Usage: diskarray [--station DIR] [-p] COMMAND [ARGUMENTS]",
    "       (java -jar diskarray.jar ... runs the same tool)",
    "",
    "Manages the units of the array station kept in DIR (created when missing;",
    "default: $" + StationLocation.ENVIRONMENT + ", else the per-user data directory",
    "$XDG_DATA_HOME/diskarray/station or $HOME/.local/share/diskarray/station,",
    "%LOCALAPPDATA%\\diskarray\\station on Windows).",
    "'diskarray COMMAND --help' explains one command; 'diskarray --version'.",
  };

  private static final String[] NOTES = {
    "Read commands take --json (the records, for scripts: unused slots left out,",
    "values named) and --raw with it (the records as stored); table commands also",
    "--tsv (rows without a heading, cells separated by tabs). Numbers are decimal:",
    "010 is ten. Capacities are MB, or take a suffix K, M, G or T (10G is 10240 MB);",
    "sizes print rounded (10.0G) unless -p (--bytes) asks for exact numbers, which",
    "--tsv and JSON always have.",
    "Destructive commands ask on a terminal and otherwise need --yes; some take",
    "--dry-run to show what they would do. A file the tool writes is never replaced",
    "without --force; an output path ending in / is a folder. '--' ends the options,",
    "for names that begin with '-'.",
    "",
    "User names and passwords are 1..16 bytes from '!' to '~'. A password left off the",
    "command line (where other users can see it) is asked for without echo on a",
    "terminal, read from standard input with --password-stdin (one a line: the current",
    "one first), or taken from $" + Prompts.PASSWORD_VARIABLE + " and, for a new one, $"
        + Prompts.NEW_PASSWORD_VARIABLE + ".",
    "",
    "Operands name what a command acts on (UNIT, LU, RG, WWN, FILE, a host group",
    "being added or deleted); everything else is a long option. --controller N (0|1)",
    "and --port P (0|1) say where a connectivity command acts, --hg HG (0..127) in",
    "which host group; settings are options named after them (--ip, --speed), and a",
    "record's fields options named after the fields (--web-title for web_title).",
    "WWNs are 16 hex digits; LUS is 'none' or a list such as 0-3,7. The spellings of",
    "diskarray 1.1 still work in 1.2, with a warning that names the new one; they go",
    "in the next release.",
    "Unit codes (--connect-type, --kx-type, --unit-conf, --alert) are stored in one",
    "signed byte each: -128..255 (decimal, or hex as 0x..), read back as -128..127.",
    "",
    "Exit status: 0 success, 1 error reported by the station, 2 usage error (also a",
    "destructive command refused for want of --yes), 5 the unit is not ready (it is",
    "restarting; try again); for status, 3 a degraded and 4 a failed unit.",
  };

  /** One command of the table: its synopsis as typed, and what it does. */
  private static final class Entry {
    final String synopsis;
    final String description;

    Entry(String synopsis, String description) {
      this.synopsis = synopsis;
      this.description = description;
    }
  }

  /** The commands of each section, in table order; a command group's own line is left out. */
  private static Map<String, List<Entry>> sections() {
    Set<String> groups = new HashSet<>();
    for (String line : CommandTree.SYNTAX) {
      String head = line.startsWith("# ") ? "" : line.substring(0, line.indexOf(" :: "));
      String[] words = head.split(" ");
      StringBuilder path = new StringBuilder();
      for (int i = 0; i < words.length - 1 && words[i].matches("[a-z][a-z0-9-]*"); i++) {
        path.append(i == 0 ? "" : " ").append(words[i]);
        groups.add(path.toString());
      }
    }
    Map<String, List<Entry>> sections = new java.util.LinkedHashMap<>();
    String section = "General";
    for (String line : CommandTree.SYNTAX) {
      if (line.startsWith("# ")) {
        section = line.substring(2);
        continue;
      }
      int split = line.indexOf(" :: ");
      String head = line.substring(0, split);
      if (groups.contains(head)) {
        continue;
      }
      sections.computeIfAbsent(section, k -> new ArrayList<>())
          .add(new Entry(head.replaceAll("--([a-z0-9-]+)=", "--$1 "), line.substring(split + 4)));
    }
    return sections;
  }

  /** The text of 'diskarray help'. */
  static String overview() {
    StringBuilder text = new StringBuilder();
    for (String line : HEAD) {
      text.append(line).append('\n');
    }
    for (Map.Entry<String, List<Entry>> section : sections().entrySet()) {
      text.append('\n').append(section.getKey()).append(":\n");
      for (Entry entry : section.getValue()) {
        String synopsis = "  " + entry.synopsis;
        List<String> lines = wrap(entry.description, WIDTH - DESCRIPTION_COLUMN);
        if (synopsis.length() < DESCRIPTION_COLUMN - 1) {
          text.append(pad(synopsis)).append(lines.get(0)).append('\n');
          lines = lines.subList(1, lines.size());
        } else {
          // A long synopsis goes on lines of its own, the description below it.
          List<String> parts = wrap(entry.synopsis, WIDTH - 6);
          text.append("  ").append(parts.get(0)).append('\n');
          for (String part : parts.subList(1, parts.size())) {
            text.append("      ").append(part).append('\n');
          }
        }
        for (String line : lines) {
          text.append(" ".repeat(DESCRIPTION_COLUMN)).append(line).append('\n');
        }
      }
    }
    text.append('\n');
    for (String line : NOTES) {
      text.append(line).append('\n');
    }
    return text.toString();
  }

  /** The manual page diskarray(1) in roff (man(7) macros). */
  static String manPage() {
    StringBuilder page = new StringBuilder();
    page.append(".TH DISKARRAY 1 \"\" \"").append(roff(CommandTree.VERSION))
        .append("\" \"User Commands\"\n");
    page.append(".SH NAME\ndiskarray \\- manage the units of a disk-array station\n");
    page.append(".SH SYNOPSIS\n.B diskarray\n[\\fB\\-\\-station\\fR \\fIDIR\\fR]"
        + " \\fICOMMAND\\fR [\\fIARGUMENTS\\fR]\n");
    page.append(".SH DESCRIPTION\n");
    for (String line : HEAD) {
      if (!line.startsWith("Usage:") && !line.startsWith("       (")) {
        page.append(line.isEmpty() ? ".PP" : roff(line)).append('\n');
      }
    }
    page.append(".SH COMMANDS\n");
    for (Map.Entry<String, List<Entry>> section : sections().entrySet()) {
      page.append(".SS ").append(roff(section.getKey())).append('\n');
      for (Entry entry : section.getValue()) {
        page.append(".TP\n.B diskarray ").append(roff(entry.synopsis)).append('\n')
            .append(roff(entry.description)).append('\n');
      }
    }
    page.append(".SH OPTIONS\n");
    for (Map.Entry<String, String> option : new TreeMap<>(CommandTree.OPTION_HELP).entrySet()) {
      page.append(".TP\n.B \\-\\-").append(roff(option.getKey())).append('\n')
          .append(roff(option.getValue())).append('\n');
    }
    page.append(".SH NOTES\n");
    for (String line : NOTES) {
      page.append(line.isEmpty() ? ".PP" : roff(line)).append('\n');
    }
    page.append(".SH ENVIRONMENT\n.TP\n.B ").append(StationLocation.ENVIRONMENT)
        .append("\nthe station directory when \\-\\-station is not given\n.TP\n.B ")
        .append(Prompts.PASSWORD_VARIABLE).append(", ").append(Prompts.NEW_PASSWORD_VARIABLE)
        .append("\npasswords not given on the command line\n");
    return page.toString();
  }

  /** Text as roff reads it literally: backslashes and hyphens escaped, no leading dot. */
  private static String roff(String text) {
    String escaped = text.replace("\\", "\\e").replace("-", "\\-");
    return escaped.startsWith(".") || escaped.startsWith("'") ? "\\&" + escaped : escaped;
  }

  private static String pad(String text) {
    return text + " ".repeat(Math.max(1, DESCRIPTION_COLUMN - text.length()));
  }

  /** Words in lines of at most width characters (a longer word has a line of its own). */
  static List<String> wrap(String text, int width) {
    List<String> lines = new ArrayList<>();
    StringBuilder line = new StringBuilder();
    for (String word : text.split(" ")) {
      if (line.length() > 0 && line.length() + 1 + word.length() > width) {
        lines.add(line.toString());
        line.setLength(0);
      }
      line.append(line.length() == 0 ? "" : " ").append(word);
    }
    lines.add(line.toString());
    return lines;
  }
}
