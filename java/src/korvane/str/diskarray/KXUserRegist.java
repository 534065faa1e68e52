package korvane.str.diskarray;

/**
 * A user account of a unit.
 *
 * <p>The user operations read {@code user} and {@code passwd} (each at most 16
 * bytes on the native side); the user information query fills {@code num} and
 * {@code option} of a new object and leaves the texts null.
 */
public class KXUserRegist {
  public String user;
  public String passwd;
  public int num;
  /** In {@code KX_GetUserInformation}: bit n set when controller n has a session. */
  public int option;

  public KXUserRegist() {}

  public KXUserRegist(String user, String passwd) {
    this.user = user;
    this.passwd = passwd;
  }

  @Override
  public String toString() {
    // The password is never printed.
    return "KXUserRegist{user=" + KXUnitParam.quote(user)
        + ", num=" + num + ", option=" + option + "}";
  }
}
