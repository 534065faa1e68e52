package korvane.str.diskarray;

/**
 * The command device ({@code KX_GetCommandDevice}, {@code KX_SetCommandDevice}): two
 * entries of {@code valid}, {@code lu} and {@code security}; {@code sequence_no} at most 7 bytes.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class CommandDevice {
  public int quel_lite;
  public int mode;
  public int[] valid = new int[2];
  public int[] lu = new int[2];
  public int[] security = new int[2];
  public String sequence_no = "";

  public CommandDevice() {}
}
