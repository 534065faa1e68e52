package korvane.str.diskarray.cli;

import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.PrintWriter;
import java.io.Writer;
import java.util.Map;
import org.junit.jupiter.api.Test;
import korvane.str.diskarray.cli.picocli.CommandLine;
import korvane.str.diskarray.cli.picocli.CommandLine.Model.OptionSpec;

/**
 * The table of old spellings against the command tree: an old form must
 * rewrite to options its command declares, or the old spelling would be
 * refused instead of warned about; and help must explain every option.
 */
class OldSpellingsTableTest {
  private final CommandLine tree = CommandTree.build(
      new PrintWriter(Writer.nullWriter()), new PrintWriter(Writer.nullWriter()));

  private CommandLine command(String path) {
    CommandLine node = tree;
    for (String word : path.split(" ")) {
      node = node.getSubcommands().get(word);
      assertNotNull(node, "no command '" + path + "'");
    }
    return node;
  }

  @Test
  void everyOldFormRewritesToOptionsItsCommandDeclares() {
    for (Map.Entry<String, Map<String, String>> entry
        : OldSpellings.RENAMED_OPTIONS.entrySet()) {
      CommandLine command = command(entry.getKey());
      for (Map.Entry<String, String> rename : entry.getValue().entrySet()) {
        OptionSpec old = command.getCommandSpec().findOption(rename.getKey());
        OptionSpec now = command.getCommandSpec().findOption(rename.getValue());
        assertNotNull(now, entry.getKey() + " --" + rename.getValue());
        assertTrue(old != null && old.hidden(), entry.getKey() + " --" + rename.getKey());
        assertFalse(now.hidden(), entry.getKey() + " --" + rename.getValue());
      }
    }
    for (Map.Entry<String, String> entry : OldSpellings.LAYOUTS.entrySet()) {
      CommandLine command = command(entry.getKey());
      for (String token : entry.getValue().replace("[", "").replace("]", "").split(" ")) {
        String option = token.endsWith("!") ? token.substring(0, token.length() - 1)
            : token.contains(">") ? token.substring(token.indexOf('>') + 1) : null;
        if (option == null || option.equals("settings")) {
          continue;
        }
        OptionSpec declared = command.getCommandSpec().findOption(option);
        assertTrue(declared != null && !declared.hidden(), entry.getKey() + " --" + option);
      }
    }
  }

  @Test
  void everyShownOptionIsExplained() {
    check(tree, "");
  }

  private static void check(CommandLine command, String path) {
    for (OptionSpec option : command.getCommandSpec().options()) {
      if (!option.hidden() && !option.usageHelp() && !option.versionHelp()) {
        assertTrue(option.description().length > 0 && !option.description()[0].isBlank(),
            "'" + path + "' " + option.longestName() + " has no help");
      }
    }
    for (Map.Entry<String, CommandLine> sub : command.getSubcommands().entrySet()) {
      check(sub.getValue(), (path + " " + sub.getKey()).trim());
    }
  }
}
