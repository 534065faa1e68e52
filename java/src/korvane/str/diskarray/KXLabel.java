package korvane.str.diskarray;

/** One entry of the label list: a label and the label that replaces it (6 bytes each at most). */
public class KXLabel {
  public String oldlabel;
  public String newlabel;

  public KXLabel() {}

  @Override
  public String toString() {
    return "KXLabel{oldlabel=" + KXUnitParam.quote(oldlabel)
        + ", newlabel=" + KXUnitParam.quote(newlabel) + "}";
  }
}
