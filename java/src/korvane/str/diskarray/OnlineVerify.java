package korvane.str.diskarray;

/**
 * Verification of the drives while idle ({@code KX_GetOnlineVerify}); {@code test} is a signed byte.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class OnlineVerify {
  public int test;
  public int idling_time;

  public OnlineVerify() {}
}
