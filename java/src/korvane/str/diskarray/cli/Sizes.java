package korvane.str.diskarray.cli;

import java.util.Locale;

/**
 * Sizes as the tool prints them: rounded to three significant digits with a
 * binary suffix ({@code 10.0G}, {@code 136G}, {@code 1.50T}), or as exact
 * numbers when the command line asks for them with -p (--bytes) or prints
 * rows for scripts (--tsv). JSON always holds exact numbers.
 */
final class Sizes {
  private Sizes() {}

  private static final String SUFFIXES = "KMGTPE";
  private static final ThreadLocal<Boolean> EXACT = ThreadLocal.withInitial(() -> false);

  /** Whether this thread prints exact numbers. */
  static void exact(boolean on) {
    EXACT.set(on);
  }

  static boolean exact() {
    return EXACT.get() || Tables.tsv();
  }

  /** A capacity in MB: "10.0G", or "10240" (exact). */
  static String mb(long megabytes) {
    return exact() ? Long.toString(megabytes) : human(megabytes, 2);
  }

  /** A capacity in MB in a sentence: "10.0G", or "10240 MB" (exact). */
  static String mbText(long megabytes) {
    return exact() ? megabytes + " MB" : human(megabytes, 2);
  }

  /** A column heading: the exact one names its unit ("FREE-MB"), the rounded one not ("FREE"). */
  static String heading(String exact, String rounded) {
    return exact() ? exact : rounded;
  }

  /**
   * The amount of 1024^power bytes, rounded to three significant digits
   * under the largest suffix that keeps it at least 1: "512M", "10.0G".
   */
  static String human(long amount, int power) {
    if (amount < 0) {
      return Long.toString(amount);
    }
    double value = amount;
    int unit = power - 1;
    while (value >= 1024 && unit + 1 < SUFFIXES.length()) {
      value /= 1024;
      unit++;
    }
    // Rounding may carry into the next digit (1023.7M is 1.00G, not 1024M).
    String digits = String.format(Locale.ROOT, value < 9.995 ? "%.2f" : value < 99.95 ? "%.1f"
        : "%.0f", value);
    if (Double.parseDouble(digits) >= 1024 && unit + 1 < SUFFIXES.length()) {
      return String.format(Locale.ROOT, "%.2f", value / 1024) + SUFFIXES.charAt(unit + 1);
    }
    return (unit < 0 ? amount + "B" : digits + SUFFIXES.charAt(unit));
  }
}
