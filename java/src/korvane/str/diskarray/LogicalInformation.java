package korvane.str.diskarray;

/** Logical counts of a unit; {@code reserved} always has 25 elements. */
public class LogicalInformation {
  public int index;
  public int rg_count;
  public int lu_count;
  public int perm_count;
  public int ext_bitmap;
  public int hg_count;
  public int reboot_time;
  public int replace_time;
  public int[] reserved;

  public LogicalInformation() {}

  @Override
  public String toString() {
    return "LogicalInformation{index=" + index + ", rg_count=" + rg_count
        + ", lu_count=" + lu_count + ", perm_count=" + perm_count
        + ", ext_bitmap=" + ext_bitmap + ", hg_count=" + hg_count
        + ", reboot_time=" + reboot_time
        + ", replace_time=" + replace_time + "}";
  }
}
