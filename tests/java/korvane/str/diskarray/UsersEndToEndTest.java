package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.KXE_DUPLICATE_USER;
import static korvane.str.diskarray.ErrorCodes.KXE_INVALID_CREDENTIAL;
import static korvane.str.diskarray.ErrorCodes.KXE_NOT_LOGGED_IN;
import static korvane.str.diskarray.ErrorCodes.KXE_SESSION_IN_USE;
import static korvane.str.diskarray.ErrorCodes.KXE_UNKNOWN_UNIT;
import static korvane.str.diskarray.ErrorCodes.KXE_USER_LIST_FULL;
import static korvane.str.diskarray.ErrorCodes.KXE_WRONG_PASSWORD;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Accounts, login sessions per controller and the station password, end to end. */
class UsersEndToEndTest {
  private static final String UNIT = "array01";

  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
  }

  private static KXUserRegist account(String user, String password) {
    return new KXUserRegist(user, password);
  }

  /** Who holds the controller's session, as both login queries tell it; null for no one. */
  private static String sessionUser(int ctl) throws Exception {
    String[] login = DiskArrayUtilityJNI.KX_GetLoginUser(UNIT, ctl);
    int check = DiskArrayUtilityJNI.KX_CheckLogin(UNIT, ctl);
    assertEquals(login == null ? 0 : 1, check, "KX_CheckLogin agrees with KX_GetLoginUser");
    return login == null ? null : login[0];
  }

  private static int sessionBits() throws Exception {
    return DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0).option;
  }

  @Test
  void accountsAndSessions() throws Exception {
    DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, account("admin", "Secret-1"));
    DiskArrayUtilityJNI.KX_RegistUser(UNIT, 1, account("operator", "op!pass"));
    assertEquals(KXE_DUPLICATE_USER,
        codeOf(() -> DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, account("admin", "other"))));
    assertEquals(2, DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0).num);

    // Refused logins open no session.
    assertEquals(KXE_WRONG_PASSWORD,
        codeOf(() -> DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("admin", "secret-1"))));
    // An unknown user is not told apart from a wrong password.
    assertEquals(KXE_WRONG_PASSWORD,
        codeOf(() -> DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("nobody", "x"))));
    assertEquals(KXE_UNKNOWN_UNIT,
        codeOf(() -> DiskArrayUtilityJNI.KX_LoginKXUnit("nosuch", 0, account("admin", "x"))));
    assertNull(sessionUser(0));
    assertEquals(0, sessionBits());

    String[] login = DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("admin", "Secret-1"));
    assertEquals("admin", login[0]);
    assertTrue(login[1].matches("\\d{14}"), "login time " + login[1]);
    assertArrayEquals(login, DiskArrayUtilityJNI.KX_GetLoginUser(UNIT, 0));
    assertNull(sessionUser(1));
    assertEquals(0b01, sessionBits());

    // Another user cannot take the session over, but has the other controller.
    assertEquals(KXE_SESSION_IN_USE, codeOf(
        () -> DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("operator", "op!pass"))));
    assertEquals("admin", sessionUser(0));
    DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 1, account("operator", "op!pass"));
    assertEquals(0b11, sessionBits());

    // Changing and deleting an account needs its password; the session follows a rename.
    assertEquals(KXE_WRONG_PASSWORD, codeOf(() -> DiskArrayUtilityJNI.KX_ChangeUser(
        UNIT, 0, account("admin", "wrong"), account("root", "New-2"))));
    assertEquals("admin", sessionUser(0));
    DiskArrayUtilityJNI.KX_ChangeUser(UNIT, 0, account("admin", "Secret-1"), account("root", "New-2"));
    assertEquals("root", sessionUser(0));
    assertEquals(KXE_WRONG_PASSWORD,
        codeOf(() -> DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("root", "Secret-1"))));
    assertEquals(KXE_WRONG_PASSWORD,
        codeOf(() -> DiskArrayUtilityJNI.KX_DeleteUser(UNIT, 1, account("operator", "nope"))));
    DiskArrayUtilityJNI.KX_DeleteUser(UNIT, 1, account("operator", "op!pass"));
    assertNull(sessionUser(1), "deleting an account ends its session");
    assertEquals(1, DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0).num);

    DiskArrayUtilityJNI.KX_LogoutKXUnit(UNIT, 0);
    assertNull(sessionUser(0));
    assertEquals(KXE_NOT_LOGGED_IN, codeOf(() -> DiskArrayUtilityJNI.KX_LogoutKXUnit(UNIT, 0)));
    DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("root", "New-2"));
    DiskArrayUtilityJNI.KX_ResetLogin(UNIT, 0);
    DiskArrayUtilityJNI.KX_ResetLogin(UNIT, 0);
    assertEquals(0, sessionBits());
  }

  @Test
  void malformedCredentialsAndAFullListChangeNothing() throws Exception {
    for (KXUserRegist bad : new KXUserRegist[] {
        account("", "pw"), account("two words", "pw"), account("user", ""),
        account("user", "tab\tpw"), account("usér", "pw")}) {
      assertEquals(KXE_INVALID_CREDENTIAL,
          codeOf(() -> DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, bad)), bad.toString());
    }
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0).num);

    for (int i = 0; i < 16; i++) {
      DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, account("user" + i, "pw" + i));
    }
    assertEquals(KXE_USER_LIST_FULL,
        codeOf(() -> DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, account("user16", "pw"))));
    assertEquals(16, DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0).num);

    // Accounts belong to the unit: a rename keeps them, another unit has none.
    KXUnitParam renamed = unit("array01-new");
    DiskArrayUtilityJNI.KX_UnitChange(UNIT, renamed);
    assertEquals(16, DiskArrayUtilityJNI.KX_GetUserInformation("array01-new", 0).num);
    DiskArrayUtilityJNI.KX_UnitAdd(unit("array02"));
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUserInformation("array02", 0).num);
    DiskArrayUtilityJNI.KX_DeleteAllUser("array01-new", 0);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUserInformation("array01-new", 0).num);
  }

  @Test
  void stationPasswordIsKeptOnlyAsAHash() throws Exception {
    assertEquals(-1, DiskArrayUtilityJNI.KX_PasswdCheck("Station-Pw1"));
    DiskArrayUtilityJNI.KX_PasswdChange("Station-Pw1");
    assertEquals(0, DiskArrayUtilityJNI.KX_PasswdCheck("Station-Pw1"));
    assertEquals(-1, DiskArrayUtilityJNI.KX_PasswdCheck("station-pw1"));

    assertEquals(KXE_WRONG_PASSWORD,
        codeOf(() -> DiskArrayUtilityJNI.KX_PasswdChange("Wrong-Old Station-Pw2")));
    assertEquals(0, DiskArrayUtilityJNI.KX_PasswdCheck("Station-Pw1"));
    DiskArrayUtilityJNI.KX_PasswdChange("Station-Pw1   Station-Pw2");
    assertEquals(0, DiskArrayUtilityJNI.KX_PasswdCheck("Station-Pw2"));
    assertEquals(-1, DiskArrayUtilityJNI.KX_PasswdCheck("Station-Pw1"));

    DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, account("admin", "Account-Pw9"));
    // Nothing in the station's files holds a password as text.
    try (Stream<Path> files = Files.list(station)) {
      for (Path file : (Iterable<Path>) files::iterator) {
        String bytes = new String(Files.readAllBytes(file), StandardCharsets.ISO_8859_1);
        for (String secret : new String[] {"Station-Pw1", "Station-Pw2", "Account-Pw9"}) {
          assertFalse(bytes.contains(secret), secret + " in " + file);
        }
      }
    }
  }

  @Test
  void credentialsThatDoNotFitAreRefusedNeverCut() throws Exception {
    assertEquals(KXE_INVALID_CREDENTIAL, codeOf(() -> DiskArrayUtilityJNI.KX_RegistUser(
        UNIT, 0, account("admin", "correct-horse-battery-staple"))));
    assertEquals(KXE_INVALID_CREDENTIAL, codeOf(() -> DiskArrayUtilityJNI.KX_RegistUser(
        UNIT, 0, account("administrator-of-units", "pw"))));
    assertEquals(0, DiskArrayUtilityJNI.KX_GetUserInformation(UNIT, 0).num);

    DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, account("admin", "correct-horse-ba"));
    // Sixteen bytes match; a longer password that starts with them does not.
    assertEquals(KXE_INVALID_CREDENTIAL, codeOf(() -> DiskArrayUtilityJNI.KX_LoginKXUnit(
        UNIT, 0, account("admin", "correct-horse-baXXXXXXXX"))));
    assertNull(sessionUser(0));
    assertEquals("admin",
        DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, account("admin", "correct-horse-ba"))[0]);
  }
}
