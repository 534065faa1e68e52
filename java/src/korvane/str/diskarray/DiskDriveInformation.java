package korvane.str.diskarray;

/**
 * Identity of one drive: vendor (at most 8 bytes), product (16), revision (5)
 * and its last block address.
 */
public class DiskDriveInformation {
  public String vendor;
  public String product;
  public String revision;
  public int lastLBA;

  public DiskDriveInformation() {}

  @Override
  public String toString() {
    return "DiskDriveInformation{vendor=" + KXUnitParam.quote(vendor)
        + ", product=" + KXUnitParam.quote(product)
        + ", revision=" + KXUnitParam.quote(revision)
        + ", lastLBA=" + lastLBA + "}";
  }
}
