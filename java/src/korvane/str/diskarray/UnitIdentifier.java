package korvane.str.diskarray;

/**
 * The unit's equipment identifier (at most 4 bytes) and its two controller entries
 * ({@code KX_GetUnitIdentifier}, {@code KX_SetUnitIdentifier}).
 *
 * <p>Field names and types are read and written by the bridge through JNI and must not change.
 * The constructor fills every array to the width the record has, so a new object can be sent.
 */
public class UnitIdentifier {
  public String equipment_id = "";
  public ControllerInfo[] ctl = new ControllerInfo[2];

  public UnitIdentifier() {
    for (int i = 0; i < ctl.length; i++) {
      ctl[i] = new ControllerInfo();
    }
  }
}
