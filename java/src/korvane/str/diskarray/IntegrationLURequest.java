package korvane.str.diskarray;

/**
 * The request of {@code KX_SetIntegrationLU}: an operation on the unified LUs or the coupling
 * pairs, with the parent (or primary) LU and the child (or secondary) LU. The bridge reads the
 * three int fields by name from whatever object it is given; this class is the application's
 * carrier for them.
 */
public class IntegrationLURequest {
  /** The child joins the parent's unified LU. */
  public static final int UNIFY_JOIN = 1;
  /** The parent's unified LU falls apart into single LUs. */
  public static final int UNIFY_SPLIT = 2;
  /** The parent (primary) is coupled with the child (secondary). */
  public static final int PAIR_CREATE = 3;
  /** The pair of the parent (primary) is dissolved. */
  public static final int PAIR_DELETE = 4;

  public int operation;
  public int parent_lun;
  public int child_lun;

  public IntegrationLURequest() {}

  public IntegrationLURequest(int operation, int parent_lun, int child_lun) {
    this.operation = operation;
    this.parent_lun = parent_lun;
    this.child_lun = child_lun;
  }

  @Override
  public String toString() {
    return "IntegrationLURequest{operation=" + operation + ", parent_lun=" + parent_lun
        + ", child_lun=" + child_lun + "}";
  }
}
