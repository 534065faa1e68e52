package korvane.str.diskarray;

/** Progress of a drive reconstruction. */
public class DriveReconstructInformation {
  /** 1 for a slot that holds a drive, 0 for an empty one. */
  public int valid;
  /**
   * The rebuild: {@link DiskArrayConstants#KX_RECONSTRUCT_NONE},
   * {@link DiskArrayConstants#KX_RECONSTRUCT_RUNNING} or
   * {@link DiskArrayConstants#KX_RECONSTRUCT_BLOCKED}.
   */
  public int status_code;
  /** The rebuild's percent while it runs, else 0. */
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
