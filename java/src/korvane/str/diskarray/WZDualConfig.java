package korvane.str.diskarray;

/**
 * Dual-controller configuration of {@link WizardParam}; {@code serial} at most 8 bytes,
 * {@code port_d_ctl} four signed bytes.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WZDualConfig {
  public int startup_attr;
  public int data_share;
  public int spare_disk;
  public int connection_mode;
  public String serial = "";
  public int[] port_d_ctl = new int[4];
  public int id_taking_over;
  public int[][] port_cnnct_mode1 = new int[2][2];
  public int[][] port_cnnct_mode2 = new int[2][2];
  public int delay_time;
  public int hp2_support;
  public int add_bat_unit;

  public WZDualConfig() {}
}
