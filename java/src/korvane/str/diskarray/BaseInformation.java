package korvane.str.diskarray;

/** Static description of a unit: microcode and types. */
public class BaseInformation {
  public String micro;
  public int kx_type;
  public int device_type;
  public int port_type;
  public int unit_conf;
  public int sup_rglevel;
  public int reserved1;
  public int reserved2;

  public BaseInformation() {}

  @Override
  public String toString() {
    return "BaseInformation{micro=" + KXUnitParam.quote(micro)
        + ", kx_type=" + kx_type + ", device_type=" + device_type
        + ", port_type=" + port_type + ", unit_conf=" + unit_conf
        + ", sup_rglevel=" + sup_rglevel + "}";
  }
}
