package korvane.str.diskarray.cli;

import korvane.str.diskarray.ErrorCodes;

/** What the station's result codes mean, for the tool's error messages. */
final class Codes {
  private Codes() {}

  /**
   * The meaning of a code, or null for a code the tool does not know. The
   * meanings are the comments of the C headers that define the codes.
   */
  static String meaning(int code) {
    return ErrorCodes.meaning(code);
  }
}
