package korvane.str.diskarray;

/**
 * A unit's web trace: the unit-wide events and those of each controller, as
 * text, with the length in bytes of each text as the core wrote it.
 */
public class WebTrace {
  public String common;
  public String ctl0;
  public String ctl1;
  public int common_len;
  public int ctl0_len;
  public int ctl1_len;

  public WebTrace() {}

  @Override
  public String toString() {
    return "WebTrace[common_len=" + common_len + ", ctl0_len=" + ctl0_len
        + ", ctl1_len=" + ctl1_len + "]";
  }
}
