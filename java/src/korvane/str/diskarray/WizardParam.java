package korvane.str.diskarray;

/**
 * The initial settings of a unit as the set-up wizard reads, tests and writes them
 * ({@code KX_GetWizardParam}, {@code KX_TestWizardParam}, {@code KX_SetWizardParam}). Every
 * array has one entry per controller.
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class WizardParam {
  public int fd_backup;
  public WZDualConfig dual_conf = new WZDualConfig();
  public WZDriveCapacity drive_capacity = new WZDriveCapacity();
  public WZOption option = new WZOption();
  public WZEnhancedOption e_option = new WZEnhancedOption();
  public WZEnhancedOption e_option2 = new WZEnhancedOption();
  public WZTargetId[] target_id = new WZTargetId[2];
  public WZModeParam mode_param = new WZModeParam();
  public WZInquiry inquiry = new WZInquiry();
  public WZPortType[] port_type = new WZPortType[2];
  public WZRomResponse[] rom_response = new WZRomResponse[2];
  public WZControllerOption[] ctl_opt = new WZControllerOption[2];
  public WZLanConfig[] lan_conf = new WZLanConfig[2];
  public WZSyncControl[] sync_control = new WZSyncControl[2];

  public WizardParam() {
    for (int i = 0; i < target_id.length; i++) {
      target_id[i] = new WZTargetId();
    }
    for (int i = 0; i < port_type.length; i++) {
      port_type[i] = new WZPortType();
    }
    for (int i = 0; i < rom_response.length; i++) {
      rom_response[i] = new WZRomResponse();
    }
    for (int i = 0; i < ctl_opt.length; i++) {
      ctl_opt[i] = new WZControllerOption();
    }
    for (int i = 0; i < lan_conf.length; i++) {
      lan_conf[i] = new WZLanConfig();
    }
    for (int i = 0; i < sync_control.length; i++) {
      sync_control[i] = new WZSyncControl();
    }
  }
}
