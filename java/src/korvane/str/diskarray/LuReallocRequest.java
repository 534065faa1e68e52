package korvane.str.diskarray;

/**
 * The request of {@code KX_LogicalUnitRealloc}: the LU, its new size and its
 * new number. The bridge reads the three int fields by name from whatever
 * object it is given; this class is the application's carrier for them.
 */
public class LuReallocRequest {
  public int lun;
  public int lusize;
  public int newlun;

  public LuReallocRequest() {}

  public LuReallocRequest(int lun, int lusize, int newlun) {
    this.lun = lun;
    this.lusize = lusize;
    this.newlun = newlun;
  }

  @Override
  public String toString() {
    return "LuReallocRequest{lun=" + lun + ", lusize=" + lusize + ", newlun=" + newlun + "}";
  }
}
