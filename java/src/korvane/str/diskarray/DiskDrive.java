package korvane.str.diskarray;

/** State of one drive slot. */
public class DiskDrive {
  public int port_no;
  public int row_no;
  /** 1 for a drive in the slot, 0 for an empty slot. */
  public int mount;
  /**
   * What the drive is used for: {@link DiskArrayConstants#KX_DRIVE_FREE} or
   * {@link DiskArrayConstants#KX_DRIVE_RAID_GROUP}.
   */
  public int attribute;
  /**
   * A part state: {@link DiskArrayConstants#KX_PART_NOT_INSTALLED},
   * {@link DiskArrayConstants#KX_PART_NORMAL}, {@link DiskArrayConstants#KX_PART_FAILED}
   * (blocked) or {@link DiskArrayConstants#KX_PART_REBUILDING}.
   */
  public int drv_state;
  /** Always {@link DiskArrayConstants#KX_DRIVE_NO_SPARE}: no drive is a spare. */
  public int spare_of_disk_port;
  /** Always {@link DiskArrayConstants#KX_DRIVE_NO_SPARE}: no drive is a spare. */
  public int spare_of_disk_row;

  public DiskDrive() {}

  @Override
  public String toString() {
    return "DiskDrive{port_no=" + port_no + ", row_no=" + row_no
        + ", mount=" + mount + ", attribute=" + attribute
        + ", drv_state=" + drv_state
        + ", spare_of_disk_port=" + spare_of_disk_port
        + ", spare_of_disk_row=" + spare_of_disk_row + "}";
  }
}
