package korvane.str.diskarray.cli;

import java.io.PrintStream;

/**
 * A one-line text progress bar. On a terminal it redraws its line with a
 * carriage return; anywhere else (a pipe, a file, a test) it prints a line
 * whenever the progress reaches a new tenth, and the last line at 100%.
 */
final class ProgressBar {
  private static final int WIDTH = 30;

  private final PrintStream out;
  private final boolean terminal;
  private int lastDecile = -1;
  private int lastLength;
  private boolean drawn;

  ProgressBar(PrintStream out, boolean terminal) {
    this.out = out;
    this.terminal = terminal;
  }

  /** The bar for a percent (clamped to 0..100) followed by a note. */
  static String line(int percent, String note) {
    int clamped = Math.max(0, Math.min(100, percent));
    int filled = clamped * WIDTH / 100;
    return "[" + "#".repeat(filled) + "-".repeat(WIDTH - filled) + "] "
        + String.format("%3d%%", clamped) + (note.isEmpty() ? "" : "  " + note);
  }

  void update(int percent, String note) {
    String line = line(percent, note);
    if (terminal) {
      // Blank out the rest of a longer previous line.
      int pad = Math.max(0, lastLength - line.length());
      out.print("\r" + line + " ".repeat(pad));
      out.flush();
      lastLength = line.length();
      drawn = true;
      return;
    }
    int decile = Math.max(0, Math.min(100, percent)) / 10;
    if (decile != lastDecile) {
      lastDecile = decile;
      out.println(line);
    }
  }

  /** Ends the bar's line on a terminal. */
  void finish() {
    if (terminal && drawn) {
      out.println();
      drawn = false;
    }
  }
}
