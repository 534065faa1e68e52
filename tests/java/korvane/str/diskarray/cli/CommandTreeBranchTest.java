package korvane.str.diskarray.cli;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.io.PrintWriter;
import java.io.StringWriter;
import java.io.Writer;
import java.util.ArrayList;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;
import java.util.TreeSet;
import korvane.str.diskarray.cli.picocli.CommandLine;
import org.junit.jupiter.api.Test;

/**
 * A start builds only the part of the picocli tree its command line needs (the command's branch,
 * or the root alone for help and the version). That part must parse, refuse and explain every
 * line exactly as the whole tree does.
 */
class CommandTreeBranchTest {
  private static final PrintWriter SINK = new PrintWriter(Writer.nullWriter());

  /** What a tree makes of a line: the handlers' view, whose help, or the refusal. */
  private static String outcome(CommandLine tree, String[] args) {
    try {
      CommandTree.Parsed parsed = CommandTree.parse(tree, args);
      if (parsed.version) {
        return "version";
      }
      if (parsed.help != null) {
        String name = parsed.help.getCommandSpec().qualifiedName(" ");
        if (parsed.help == tree) {
          return "help of the root"; // the tool prints its overview, not picocli's usage
        }
        StringWriter usage = new StringWriter();
        parsed.help.usage(new PrintWriter(usage));
        return "help of " + name + "\n" + usage;
      }
      Arguments arguments = parsed.arguments;
      StringBuilder run = new StringBuilder("run " + arguments.command + " " + arguments.operands);
      for (String key : new TreeSet<>(CommandTree.OPTION_HELP.keySet())) {
        if (arguments.has(key)) {
          run.append(" --").append(key).append('=').append(arguments.option(key));
        }
      }
      return run.toString();
    } catch (UsageException e) {
      return "refused: " + e.getMessage();
    }
  }

  private static Set<String> commandPaths() {
    Set<String> paths = new LinkedHashSet<>();
    for (String line : CommandTree.SYNTAX) {
      if (line.startsWith("# ")) {
        continue;
      }
      List<String> words = new ArrayList<>();
      for (String token : line.substring(0, line.indexOf(" :: ")).split(" ")) {
        if (!token.matches("[a-z][a-z0-9-]*")) {
          break;
        }
        words.add(token);
      }
      paths.add(String.join(" ", words));
    }
    return paths;
  }

  private static String[] words(String line) {
    return line.isEmpty() ? new String[0] : line.split(" ");
  }

  @Test
  void theTreeALineGetsTreatsItAsTheWholeTreeDoes() {
    CommandLine whole = CommandTree.build(SINK, SINK);
    List<String> lines = new ArrayList<>();
    for (String path : commandPaths()) {
      lines.addAll(List.of(path, path + " --help", path + " -h", path + " -V", path + " --bogus",
          path + " unit x y z", "help " + path, "--station /s " + path + " --json",
          "--station=/s " + path + " --station /t", "-h " + path));
    }
    lines.addAll(List.of("", "help", "--help", "-h", "--version", "-V", "-x", "--bogus list",
        "-- list", "nosuch", "lis", "#", "--station", "--station list", "--station rg list",
        "list --station rg", "help nosuch", "help rg nosuch", "help --man", "help help",
        "--station /s --help", "--version list", "-V --bogus", "rg", "rg nosuch", "list show",
        "perf plot --count 3", "completion"));
    for (String line : lines) {
      String[] args = words(line);
      CommandLine needed = CommandTree.build(args, SINK, SINK);
      assertEquals(outcome(whole, args), outcome(needed, args), "diskarray " + line);
    }
  }

  @Test
  void aStartBuildsOnlyWhatItsLineNames() {
    assertEquals(Set.of("list"), topLevel("--station /s list --json"));
    assertEquals(Set.of("rg"), topLevel("rg add u1 --level 5"));
    assertEquals(Set.of(), topLevel("--help"));
    assertEquals(Set.of(), topLevel("--version"));
    assertEquals(Set.of("help"), topLevel("help"));
    assertEquals(Set.of("help", "rg"), topLevel("help rg add"));
    // The branch holds the command's whole subtree.
    CommandLine rg = CommandTree.build(words("rg list u1"), SINK, SINK).getSubcommands().get("rg");
    assertEquals(CommandTree.build(SINK, SINK).getSubcommands().get("rg").getSubcommands().keySet(),
        rg.getSubcommands().keySet());
    // What only the whole tree can answer gets the whole tree.
    Set<String> all = CommandTree.build(SINK, SINK).getSubcommands().keySet();
    for (String line : List.of("nosuch", "completion", "--bogus list", "help nosuch",
        "--station rg list")) {
      assertEquals(all, topLevel(line), line);
    }
  }

  private static Set<String> topLevel(String line) {
    return new TreeSet<>(CommandTree.build(words(line), SINK, SINK).getSubcommands().keySet());
  }
}
