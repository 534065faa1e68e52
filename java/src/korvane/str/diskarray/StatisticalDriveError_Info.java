package korvane.str.diskarray;

/** Running time and error limits of one drive slot. */
public class StatisticalDriveError_Info {
  public int drv_on_time;
  public int had_rec_limit;
  public int had_urec_limit;
  public int med_rec_limit;
  public int med_urec_limit;
  public int rw_rec_limit;
  public int rw_urec_limit;
  public int drive_rec_limit;
  public int drive_urec_limit;
  public int crhd_rec_limit;
  public int crhd_urec_limit;
  public int scsi_rec_limit;
  public int scsi_urec_limit;
  public int ov_corerr_limit;
  public int ov_ucorerr_limit;
  /** int[2]. */
  public int[] drive_port_limit1;
  /** int[2]. */
  public int[] drive_port_limit2;
  /** int[2]. */
  public int[] drive_port_limit3;

  public StatisticalDriveError_Info() {}
}
