package korvane.str.diskarray;

/** Installed hardware counts of a unit; {@code reserved} has 16 elements. */
public class PhysicalInformation {
  public int index;
  public int cache_count;
  public int ps_count;
  public int fan_count;
  public int ac_count;
  public int batt_count;
  public int battbk_count;
  public int hdd_hdu_count;
  public int hdd_unit_count;
  public int sp_count;
  public int enc_count;
  public int loop_count;
  public int port_count;
  public int unit_count;
  public int ps_unit_count;
  public int fan_unit_count;
  public int enc_unit_count;
  public int[] reserved;

  public PhysicalInformation() {}

  @Override
  public String toString() {
    return "PhysicalInformation{index=" + index
        + ", cache_count=" + cache_count + ", ps_count=" + ps_count
        + ", fan_count=" + fan_count + ", ac_count=" + ac_count
        + ", batt_count=" + batt_count + ", battbk_count=" + battbk_count
        + ", hdd_hdu_count=" + hdd_hdu_count
        + ", hdd_unit_count=" + hdd_unit_count + ", sp_count=" + sp_count
        + ", enc_count=" + enc_count + ", loop_count=" + loop_count
        + ", port_count=" + port_count + ", unit_count=" + unit_count
        + ", ps_unit_count=" + ps_unit_count
        + ", fan_unit_count=" + fan_unit_count
        + ", enc_unit_count=" + enc_unit_count + "}";
  }
}
