package korvane.str.diskarray;

/**
 * Online system parameters of a unit ({@code KX_GetOnlineSystemParam}, {@code KX_SetOnlineSystemParam}).
 *
 * <p>The thirteen switches cross as unsigned bytes (0..255); {@code web_title} keeps at most
 * 32 bytes; {@code ctl} has one entry per controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class OnlineSystemParam {
  public int procom;
  public int warning_report;
  public int hit_guarantee;
  public int nx_connect;
  public int auto_reconst;
  public int force_write_through;
  public int change_lu;
  public int multi_stream;
  public int multi_stream_write;
  public int multi_stream_read;
  public int command_que;
  public int shutdown_chk1;
  public int add_bat_unit;
  public String web_title = "";
  public SystemParamCtl[] ctl = new SystemParamCtl[2];

  public OnlineSystemParam() {
    for (int i = 0; i < ctl.length; i++) {
      ctl[i] = new SystemParamCtl();
    }
  }
}
