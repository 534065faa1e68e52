package korvane.str.diskarray;

/**
 * A failed native operation, carrying the error code that the bridge or the
 * core library reported.
 *
 * <p>The bridge constructs this class through its {@code (int)} constructor,
 * so that constructor must stay. Codes 258 and 2817 are the bridge's own; most
 * other codes come from the core library unchanged.
 */
public class DiskArrayException extends Exception {
  private static final long serialVersionUID = 1L;

  /** A required argument was null; the core library was not called. */
  public static final int NULL_ARGUMENT = ErrorCodes.ERR_NULL_ARGUMENT;

  /** A JNI step failed while converting between Java and C records. */
  public static final int MARSHAL_FAILURE = ErrorCodes.ERR_MARSHAL;

  private final int code;

  public DiskArrayException(int code) {
    super(describe(code));
    this.code = code;
  }

  /** The error code: 258 and 2817 from the bridge, any other from the core library. */
  public int getCode() {
    return code;
  }

  /**
   * Formats a code as "error 4099 (0x1003): " and what it means, as {@link
   * ErrorCodes#meaning} says; a code without a known meaning is the number alone.
   */
  public static String describe(int code) {
    String text = "error " + code + " (0x" + Integer.toHexString(code).toUpperCase() + ")";
    String meaning = ErrorCodes.meaning(code);
    return meaning == null ? text : text + ": " + meaning;
  }
}
