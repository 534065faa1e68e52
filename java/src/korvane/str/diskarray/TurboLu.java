package korvane.str.diskarray;

/**
 * The turbo LUs of a unit, read by {@code KX_GetTurboLU} and sent by {@code KX_SetTurboLU}:
 * {@code ctl[n]} is controller n's. A new object holds two empty entries, ready to fill and send.
 */
public class TurboLu {
  /**
   * In {@code KX_SetTurboLU}: {@link DiskArrayConstants#KX_TURBO_OFF} releases both turbo LUs,
   * {@link DiskArrayConstants#KX_TURBO_ON} applies the entries.
   */
  public int option;
  public TurboLu_info[] ctl;

  public TurboLu() {
    ctl = new TurboLu_info[] {new TurboLu_info(), new TurboLu_info()};
  }

  @Override
  public String toString() {
    return "TurboLu{option=" + option + ", ctl="
        + (ctl == null ? "null" : java.util.Arrays.toString(ctl)) + "}";
  }
}
