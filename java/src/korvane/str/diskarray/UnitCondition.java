package korvane.str.diskarray;

/**
 * Condition of a whole unit, as the bridge builds it.
 *
 * <p>The state lists always have their full length whatever the unit has
 * installed: {@code ps}, {@code fan} and {@code enclosure} 30, {@code ac},
 * {@code batt} and {@code batt_bk} 2, {@code loop} 4, {@code cache} and
 * {@code cache2} 32. Their elements, and {@code device_type}, are signed
 * bytes (0xFF reads -1); {@code controller_condition} is unsigned (0..255).
 * A text the bridge could not convert is left null.
 */
public class UnitCondition {
  public String micro;
  public String micro_pair;
  public int max_slot;
  public CacheStatus[] cache;
  public CacheStatus[] cache2;
  public int[] ps;
  public int[] fan;
  public int[] ac;
  public int[] batt;
  public int[] batt_bk;
  public int device_type;
  public String ctl0_flush;
  public String ctl1_flush;
  public String ctl0_ip;
  public String ctl1_ip;
  public String ctl0_subnet;
  public String ctl1_subnet;
  public String ctl0_gateway;
  public String ctl1_gateway;
  public int controller_condition;
  public int[] enclosure;
  public int[] loop;
  public String serial;
  public int ctl_num;

  public UnitCondition() {}

  @Override
  public String toString() {
    return "UnitCondition{micro=" + KXUnitParam.quote(micro)
        + ", serial=" + KXUnitParam.quote(serial)
        + ", device_type=" + device_type
        + ", controller_condition=" + controller_condition
        + ", ctl_num=" + ctl_num
        + ", max_slot=" + max_slot + "}";
  }
}
