package korvane.str.diskarray.cli;

import java.io.BufferedReader;
import java.io.Console;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.util.Map;

/**
 * What the tool asks its user: confirmations of destructive commands and
 * passwords. On a terminal it asks there (passwords without echo); elsewhere
 * a destructive command needs --yes and a password comes from standard input
 * (--password-stdin) or the environment ({@value #PASSWORD_VARIABLE},
 * {@value #NEW_PASSWORD_VARIABLE} for a new one).
 */
final class Prompts {
  static final String PASSWORD_VARIABLE = "DISKARRAY_PASSWORD";
  static final String NEW_PASSWORD_VARIABLE = "DISKARRAY_NEW_PASSWORD";

  /** A refused confirmation: nothing was done; reported with the usage status. */
  static final class NotConfirmed extends DiskArrayTool.ToolFailure {
    private static final long serialVersionUID = 1L;

    NotConfirmed(String message) {
      super(message);
    }
  }

  private final Console console;
  private final InputStream in;
  private final Map<String, String> environment;
  private BufferedReader stdin;

  /** console is null when the tool does not run on a terminal. */
  Prompts(Console console, InputStream in, Map<String, String> environment) {
    this.console = console;
    this.in = in;
    this.environment = environment;
  }

  /**
   * Goes on only when the user agrees: --yes, or "y" to the question on a
   * terminal. Without a terminal and without --yes, refuses.
   */
  void confirm(Arguments arguments, String question) throws NotConfirmed {
    if (arguments.has(Arguments.YES)) {
      return;
    }
    if (console == null) {
      throw new NotConfirmed("not done: give --yes to confirm (there is no terminal to ask on)");
    }
    String answer = console.readLine("%s [y/N] ", question);
    if (answer == null || !(answer.trim().equalsIgnoreCase("y")
        || answer.trim().equalsIgnoreCase("yes"))) {
      throw new NotConfirmed("not done");
    }
  }

  /**
   * A password the command line did not give: a line of standard input with
   * --password-stdin, else the environment variable, else a prompt without
   * echo on a terminal.
   */
  String password(Arguments arguments, String what, String variable) throws UsageException {
    if (arguments.has(Arguments.PASSWORD_STDIN)) {
      try {
        if (stdin == null) {
          stdin = new BufferedReader(new InputStreamReader(in, StandardCharsets.UTF_8));
        }
        String line = stdin.readLine();
        if (line == null) {
          throw new UsageException("--password-stdin: standard input ended before the " + what);
        }
        return line.endsWith("\r") ? line.substring(0, line.length() - 1) : line;
      } catch (IOException e) {
        throw new UsageException("--password-stdin: cannot read standard input ("
            + e.getMessage() + ")");
      }
    }
    String value = environment.get(variable);
    if (value != null) {
      return value;
    }
    if (console != null) {
      char[] typed = console.readPassword("%s: ", what);
      if (typed == null) {
        throw new UsageException("no " + what + " given");
      }
      return new String(typed);
    }
    throw new UsageException("no " + what + " given: use --password-stdin, set " + variable
        + ", or run on a terminal to be asked");
  }
}
