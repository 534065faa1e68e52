package korvane.str.diskarray;

/** State of one drive slot. */
public class DiskDrive {
  public int port_no;
  public int row_no;
  public int mount;
  public int attribute;
  public int drv_state;
  public int spare_of_disk_port;
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
