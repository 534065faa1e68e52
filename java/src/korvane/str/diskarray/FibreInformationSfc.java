package korvane.str.diskarray;

/**
 * Texts on a port's interface components.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class FibreInformationSfc {
  public String biu = "";
  public String sequence = "";
  public String oper_firmware = "";
  public String post_firmware = "";
  public String endec = "";
  public String fc_ph = "";

  public FibreInformationSfc() {}
}
