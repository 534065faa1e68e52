package korvane.str.diskarray;

/**
 * What the unit answers to an inquiry; texts at most 8, 16, 2, 2 and 32 bytes.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZInquiry {
  public int command_que;
  public int ansi_version;
  public int cache_mode;
  public String vendor = "";
  public String product = "";
  public String rom_micro = "";
  public String ram_micro = "";
  public String web_title = "";
  public int link_separation;

  public WZInquiry() {}
}
