package korvane.str.diskarray;

/** Formatting progress of one entry of a {@link FormatStatusList}. */
public class FormatStatus {
  /** One unsigned byte on the native side: 0 to 255. */
  public int entry;
  /**
   * The LU's latest format job: {@link DiskArrayConstants#KX_FORMAT_NONE},
   * {@link DiskArrayConstants#KX_FORMAT_RUNNING} or {@link DiskArrayConstants#KX_FORMAT_DONE}.
   */
  public int status;
  /** 0..100, 100 only when done. */
  public int percent;
  public int err_code_sense_key;
  public int err_code_sense_code;

  public FormatStatus() {}

  @Override
  public String toString() {
    return "FormatStatus{entry=" + entry + ", status=" + status + ", percent=" + percent
        + ", err_code_sense_key=" + err_code_sense_key
        + ", err_code_sense_code=" + err_code_sense_code + "}";
  }
}
