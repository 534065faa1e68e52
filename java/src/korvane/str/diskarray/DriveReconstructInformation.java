package korvane.str.diskarray;

/** Progress of a drive reconstruction. */
public class DriveReconstructInformation {
  public int valid;
  public int status_code;
  public int progress_ratio;
  public int hdu_no;
  public int unit_no;

  public DriveReconstructInformation() {}

  @Override
  public String toString() {
    return "DriveReconstructInformation{valid=" + valid
        + ", status_code=" + status_code
        + ", progress_ratio=" + progress_ratio
        + ", hdu_no=" + hdu_no + ", unit_no=" + unit_no + "}";
  }
}
