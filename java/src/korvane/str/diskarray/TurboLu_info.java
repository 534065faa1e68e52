package korvane.str.diskarray;

/** The turbo LU of one controller: what is in effect ({@code current_}) and what was asked. */
public class TurboLu_info {
  public int current_status;
  public int current_assign;
  public int current_lun;
  public int reserve_assign;
  public int reserve_lun;

  public TurboLu_info() {}

  @Override
  public String toString() {
    return "TurboLu_info{current_status=" + current_status + ", current_assign="
        + current_assign + ", current_lun=" + current_lun + ", reserve_assign="
        + reserve_assign + ", reserve_lun=" + reserve_lun + "}";
  }
}
