package korvane.str.diskarray;

/**
 * One unit of the station's registry.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change. On the native side the names hold at most 16 bytes, the
 * controller texts at most 79, and the four codes are single signed bytes:
 * only the low 8 bits of each int are stored, and they read back sign-extended
 * (200 comes back as -56).
 */
public class KXUnitParam {
  public String unit_name;
  public String group_name;
  public int connect_type;
  public int kx_type;
  public int unit_conf;
  public int alert;
  public String ctl0;
  public String ctl1;

  public KXUnitParam() {}

  @Override
  public String toString() {
    return "KXUnitParam{unit_name=" + quote(unit_name)
        + ", group_name=" + quote(group_name)
        + ", connect_type=" + connect_type
        + ", kx_type=" + kx_type
        + ", unit_conf=" + unit_conf
        + ", alert=" + alert
        + ", ctl0=" + quote(ctl0)
        + ", ctl1=" + quote(ctl1) + "}";
  }

  static String quote(String text) {
    return text == null ? "null" : "\"" + text + "\"";
  }
}
