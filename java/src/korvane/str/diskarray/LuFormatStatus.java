package korvane.str.diskarray;

/** Formatting progress of one LU of a {@link LuFormatStatusList}. */
public class LuFormatStatus {
  public int status;
  public int percent;
  public int err_code_sense_key;
  public int err_code_sense_code;

  public LuFormatStatus() {}

  @Override
  public String toString() {
    return "LuFormatStatus{status=" + status + ", percent=" + percent
        + ", err_code_sense_key=" + err_code_sense_key
        + ", err_code_sense_code=" + err_code_sense_code + "}";
  }
}
