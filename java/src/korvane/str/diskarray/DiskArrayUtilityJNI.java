package korvane.str.diskarray;

import java.util.GregorianCalendar;

/**
 * The native operations of the disk-array station, one static method per core function.
 *
 * <p>Every method reports a failure as a {@link DiskArrayException} carrying the error code, or
 * as an {@link OutOfMemoryError} when the native heap is exhausted. Plain int arguments are
 * passed through to the core unchanged. Parameters typed {@code Object} accept any object that
 * carries the fields the operation reads.
 *
 * <p>The codes a method raises are listed with it: the bridge's own (258 {@link
 * ErrorCodes#ERR_NULL_ARGUMENT}, a required argument was null and the core was not called; 2817
 * {@link ErrorCodes#ERR_MARSHAL}, a record could not be converted; 65535, reported as {@link
 * OutOfMemoryError}) and the station's. Besides the station codes named with each method, every
 * operation on the station may give {@link ErrorCodes#KXE_NOT_INITIALIZED} (no working directory
 * opened by {@link #KX_GUIInitialize(Object)}), {@link ErrorCodes#KXE_NOT_A_STATION}, {@link
 * ErrorCodes#KXE_SCHEMA_TOO_NEW}, {@link ErrorCodes#KXE_STATION_BUSY}, {@link
 * ErrorCodes#KXE_STATION_READ_ONLY}, {@link ErrorCodes#KXE_STATION_DAMAGED}, {@link
 * ErrorCodes#KXE_STORAGE}, {@link ErrorCodes#KXE_DISK_FULL} and {@link ErrorCodes#KXE_INTERNAL};
 * an operation the station does not model answers {@link ErrorCodes#KXE_NOT_SUPPORTED}. {@link
 * ErrorCodes#meaning(int)} says what any code means.
 *
 * <p>Loading this class loads the native libraries ({@link NativeLibraries}).
 */
public final class DiskArrayUtilityJNI {
  static {
    NativeLibraries.load();
  }

  private DiskArrayUtilityJNI() {}

  // Units: the unit registry, user accounts, login and passwords.

  /**
   * Reads the registry entry of one unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the unit's registry entry
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native KXUnitParam KX_GetUnitParam(String unitName) throws DiskArrayException;

  /**
   * Registers a new unit.
   *
   * @param record the entry to register, whose {@code unit_name} is the new unit's name
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code record} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot be read whole;
   *     the station's {@link ErrorCodes#KXE_DUPLICATE_UNIT}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_TABLE_FULL}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_UnitAdd(KXUnitParam record) throws DiskArrayException;

  /**
   * Removes a unit from the registry, with everything the station keeps for it.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_UnitDelete(String unitName) throws DiskArrayException;

  /**
   * Replaces the registry entry of a unit, possibly under a new name.
   *
   * @param oldUnitName the unit's current name (up to 1023 bytes are passed)
   * @param record the new entry
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code oldUnitName}
   *     or {@code record} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_UNIT}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_UnitChange(String oldUnitName, KXUnitParam record) throws DiskArrayException;

  /**
   * Reads the registry entries of the first {@code count} units.
   *
   * @param count how many entries to read, from 0 to the most units a station registers, usually
   *     {@link #KX_GetUnitCount()}
   * @return an array of {@code count} entries; entries past the registered units are empty
   * @throws DiskArrayException 2817 ({@link ErrorCodes#ERR_MARSHAL}) when {@code count} is negative
   *     or above the most units a station registers, or the result cannot be built; -1 when the
   *     result array cannot be created; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a
   *     code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native KXUnitParam[] KX_GetUnitParamTable(int count) throws DiskArrayException;

  /**
   * Counts the registered units.
   *
   * @return the number of registered units
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a code
   *     every station operation may give
   */
  public static native int KX_GetUnitCount() throws DiskArrayException;

  /**
   * Opens the station kept in a working directory; every other operation works on the station
   * opened last.
   *
   * <p>{@code workingDirectory} carries the String field {@code tesk_path}.
   *
   * @param workingDirectory any object with a String field {@code tesk_path} naming the directory
   *     (at most 249 bytes are passed), created when missing
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code
   *     workingDirectory} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_TEXT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_GUIInitialize(Object workingDirectory) throws DiskArrayException;

  /**
   * Reads the station's list of label renames.
   *
   * @return one label per rename kept, at most 20
   * @throws DiskArrayException 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a code every station
   *     operation may give
   */
  public static native KXLabel[] KX_GetLabelList() throws DiskArrayException;

  /**
   * Runs one of the station's text conversions on a text.
   *
   * @param text the text to convert (up to 1023 bytes are passed)
   * @param value which conversion to run: {@link DiskArrayConstants#KX_MODIFY_TRIM},
   *     {@link DiskArrayConstants#KX_MODIFY_UPPER}, {@link DiskArrayConstants#KX_MODIFY_LOWER},
   *     {@link DiskArrayConstants#KX_MODIFY_APPLY_LABELS},
   *     {@link DiskArrayConstants#KX_MODIFY_SET_LABEL} or
   *     {@link DiskArrayConstants#KX_MODIFY_REMOVE_LABEL}
   * @return the converted text
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code text} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_LABEL}, {@link
   *     ErrorCodes#KXE_LABEL_LIST_FULL}, {@link ErrorCodes#KXE_TEXT_TOO_LONG}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LABEL}; or a code every station operation may give
   */
  public static native String KX_ModifyInfo(String text, int value) throws DiskArrayException;

  /**
   * Signs in to a controller of a unit.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @param user the user name and password
   * @return the session's two texts, or null when the unit answers with no session text
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code user} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole, or the result cannot be built; the station's {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_CREDENTIAL}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_SESSION_IN_USE}, {@link
   *     ErrorCodes#KXE_SIGN_IN_DELAYED}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WRONG_PASSWORD}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native String[] KX_LoginKXUnit(String unitName, int arg, KXUserRegist user) throws DiskArrayException;

  /**
   * Tells who holds a controller's session.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the user and the sign-in time, or null when no one is signed in
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native String[] KX_GetLoginUser(String unitName, int arg) throws DiskArrayException;

  /**
   * Ends the session of a controller.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_NOT_LOGGED_IN}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_LogoutKXUnit(String unitName, int arg) throws DiskArrayException;

  /**
   * Asks whether a controller has a session.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return 1 when the controller has a session, 0 when it has none
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native int KX_CheckLogin(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the summary of a unit's user accounts.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the number of accounts and the station's option value
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native KXUserRegist KX_GetUserInformation(String unitName, int arg) throws DiskArrayException;

  /**
   * Adds a user account to a unit.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @param user the new user's name and password
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code user} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_USER}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_CREDENTIAL}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_USER_LIST_FULL}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_RegistUser(String unitName, int arg, KXUserRegist user) throws DiskArrayException;

  /**
   * Renames a user account or sets its password.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @param oldUser the account's name and current password
   * @param newUser its new name and password
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code oldUser} or {@code newUser} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a
   *     record argument cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_USER},
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_CREDENTIAL}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_SIGN_IN_DELAYED}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}, {@link
   *     ErrorCodes#KXE_WRONG_PASSWORD}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_ChangeUser(
      String unitName, int arg, KXUserRegist oldUser, KXUserRegist newUser) throws DiskArrayException;

  /**
   * Removes a user account, ending its sessions.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @param user the account's name and password
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code user} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_CREDENTIAL}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_SIGN_IN_DELAYED}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WRONG_PASSWORD}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_DeleteUser(String unitName, int arg, KXUserRegist user) throws DiskArrayException;

  /**
   * Removes every user account of a unit.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_DeleteAllUser(String unitName, int arg) throws DiskArrayException;

  /**
   * Ends a controller's session, whoever holds it.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @param arg the controller, 0 or 1
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_ResetLogin(String unitName, int arg) throws DiskArrayException;

  /**
   * Changes the station password.
   *
   * @param text the old and the new password, separated by a space
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code text} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_CREDENTIAL}, {@link ErrorCodes#KXE_WRONG_PASSWORD}; or a code every
   *     station operation may give
   */
  public static native void KX_PasswdChange(String text) throws DiskArrayException;

  /**
   * Checks a text against the station password.
   *
   * @param password the text to check
   * @return 0 when it matches, -1 when it does not
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code password} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}; any station code other than 0
   *     and -1; or a code every station operation may give
   */
  public static native int KX_PasswdCheck(String password) throws DiskArrayException;

  // Status: unit condition, drives, unit information, clock and snapshot.

  /**
   * Reads the identity and state of the drive in one slot.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the slot's port
   * @param arg2 the slot's row
   * @return the drive's information
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_DRIVE_NOT_MOUNTED}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native DiskDriveInformation KX_GetDriveInformation(
      String unitName, int arg1, int arg2) throws DiskArrayException;

  /**
   * Reads the condition of a unit's controllers, cache, power, fans, enclosures and loops.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the unit's condition
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native UnitCondition KX_GetUnitCondition(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the identity and state of every drive slot.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return 225 entries, slot {@code port * 15 + row}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native DiskDriveInformation[] KX_GetDriveInformationAll(String unitName) throws DiskArrayException;

  /**
   * Reads the rebuild progress of the drive in one slot.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the slot's port
   * @param arg2 the slot's row
   * @return the rebuild information
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native DriveReconstructInformation KX_DriveReconstructInformation(
      String unitName, int arg1, int arg2) throws DiskArrayException;

  /**
   * Reads the drive table: what each slot holds and its state.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return 225 entries, slot {@code port * 15 + row}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native DiskDrive[] KX_GetDriveStatus(String unitName) throws DiskArrayException;

  /**
   * Reads a unit's types, RAID levels and drive, group and LU counts.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the unit's information
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native UnitInformation KX_GetUnitInformation(String unitName) throws DiskArrayException;

  /**
   * Reads a unit's clock.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the unit's time
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native GregorianCalendar KX_GetUnitTime(String unitName) throws DiskArrayException;

  /**
   * Sets a unit's clock.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param time the time to set, within 1970 to 2099
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code time} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_TIME}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_SetUnitTime(String unitName, GregorianCalendar time) throws DiskArrayException;

  /**
   * Sets a unit's clock to the host's time.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_SetUnitTimeNow(String unitName) throws DiskArrayException;

  /**
   * Reads a snapshot of a unit: condition, drives, RAID groups and LUs in one record.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the snapshot
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native ArrayAllInformation KX_GetAllInformation(String unitName) throws DiskArrayException;

  // Storage: RAID groups, logical units, formatting, special LUs, RAID/LU files.

  /**
   * Reads the RAID group table of a unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return {@value DiskArrayConstants#KX_RAID_GROUP_COUNT} entries, entry i RAID group i; an
   *     unused one has number {@link DiskArrayConstants#KX_UNUSED_ENTRY} and every other field 0
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native RaidGroup[] KX_GetRaidGroups(String unitName) throws DiskArrayException;

  /**
   * Creates a RAID group over a rectangle of free drives.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param raidGroup the group's level, first port and row, width, depth, number and capacity
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code raidGroup} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DRIVE_BLOCKED}, {@link
   *     ErrorCodes#KXE_DRIVE_IN_USE}, {@link ErrorCodes#KXE_DRIVE_NOT_MOUNTED}, {@link
   *     ErrorCodes#KXE_DUPLICATE_RAID_GROUP}, {@link ErrorCodes#KXE_INSUFFICIENT_CAPACITY}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_GEOMETRY}, {@link
   *     ErrorCodes#KXE_INVALID_RAID_LEVEL}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_RAID_GROUP_TABLE_FULL}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_RaidGroupAdd(String unitName, RaidGroup raidGroup) throws DiskArrayException;

  /**
   * Deletes a RAID group that holds no LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the group's number
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_RAID_GROUP_IN_USE}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_RAID_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_RaidGroupDelete(String unitName, int arg) throws DiskArrayException;

  /**
   * Deletes every RAID group of a unit that holds no LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_RAID_GROUP_IN_USE}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_RaidGroupAllDelete(String unitName) throws DiskArrayException;

  /**
   * Grows a RAID group by whole rows.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param raidGroup the group's number and its new depth and capacity
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code raidGroup} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DRIVE_BLOCKED}, {@link
   *     ErrorCodes#KXE_DRIVE_IN_USE}, {@link ErrorCodes#KXE_DRIVE_NOT_MOUNTED}, {@link
   *     ErrorCodes#KXE_INSUFFICIENT_CAPACITY}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_GEOMETRY}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_RAID_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_RaidGroupExpand(String unitName, RaidGroup raidGroup) throws DiskArrayException;

  /**
   * Reads the LU table of a unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return {@value DiskArrayConstants#KX_LOGICAL_UNIT_COUNT} entries, entry i LU i; an unused
   *     one has number {@link DiskArrayConstants#KX_UNUSED_ENTRY} and every other field 0
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native LogicalUnit[] KX_GetLogicalUnit(String unitName) throws DiskArrayException;

  /**
   * Reads one LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the LU's number
   * @return the LU
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native LogicalUnit KX_GetLogicalUnit1(String unitName, int arg) throws DiskArrayException;

  /**
   * Creates an LU in a RAID group's free capacity.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param logicalUnit the LU's number, RAID group, capacity, read-ahead and controller
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code logicalUnit} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_LU}, {@link
   *     ErrorCodes#KXE_INSUFFICIENT_CAPACITY}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_LU_TABLE_FULL}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_RAID_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_LogicalUnitAdd(String unitName, LogicalUnit logicalUnit) throws DiskArrayException;

  /**
   * Deletes the unit's last LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_LU_FORMATTING}, {@link
   *     ErrorCodes#KXE_LU_IN_PERMISSION}, {@link ErrorCodes#KXE_LU_MAPPED}, {@link
   *     ErrorCodes#KXE_LU_PAIRED}, {@link ErrorCodes#KXE_UNIFIED_MEMBER}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_LogicalUnitDelete(String unitName) throws DiskArrayException;

  /**
   * Deletes every LU of a unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_LU_FORMATTING}, {@link
   *     ErrorCodes#KXE_LU_IN_PERMISSION}, {@link ErrorCodes#KXE_LU_MAPPED}, {@link
   *     ErrorCodes#KXE_LU_PAIRED}, {@link ErrorCodes#KXE_UNIFIED_MEMBER}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_LogicalUnitDeleteAll(String unitName) throws DiskArrayException;

  /**
   * Grows an LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the LU's number
   * @param arg2 its new capacity in MB
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INSUFFICIENT_CAPACITY}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_LU_FORMATTING}, {@link ErrorCodes#KXE_LU_PAIRED}, {@link
   *     ErrorCodes#KXE_UNIFIED_MEMBER}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_RAID_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_LogicalUnitExpand(String unitName, int arg1, int arg2) throws DiskArrayException;

  /**
   * Changes an LU's read-ahead mode.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the LU's number
   * @param arg2 the new mode: {@link DiskArrayConstants#KX_STAGING_NORMAL},
   *     {@link DiskArrayConstants#KX_STAGING_SEQUENTIAL} or
   *     {@link DiskArrayConstants#KX_STAGING_OFF}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native void KX_LogicalUnitChangeStaging(String unitName, int arg1, int arg2) throws DiskArrayException;

  /**
   * Hands an LU to the other controller.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the LU's number
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native void KX_LogicalUnitChangeCtl(String unitName, int arg) throws DiskArrayException;

  /**
   * Starts formatting an LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the LU's number
   * @param arg2 the format mode: {@link DiskArrayConstants#KX_FORMAT_FULL} or
   *     {@link DiskArrayConstants#KX_FORMAT_QUICK} (a tenth of the time)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_LU_FORMATTING}, {@link
   *     ErrorCodes#KXE_UNIFIED_MEMBER}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native void KX_LogicalUnitFormat(String unitName, int arg1, int arg2) throws DiskArrayException;

  /**
   * Reads the progress of an LU's format.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the LU's number
   * @return the percent (0..100) of the LU's latest format job; 0 for an LU never formatted
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native int KX_LogicalUnitFormatStatus(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the number of the unit's last LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the highest LU number in use, or {@link DiskArrayConstants#KX_UNUSED_ENTRY} when the
   *     unit has no LU
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native int KX_GetLastLogicalUnit(String unitName) throws DiskArrayException;

  /**
   * Takes an LU out of service.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the LU's number
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native void KX_LogicalUnitInvalid(String unitName, int arg) throws DiskArrayException;

  /**
   * Returns an LU to service.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the LU's number
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native void KX_LogicalUnitRestore(String unitName, int arg) throws DiskArrayException;

  /**
   * Renumbers and/or resizes an LU.
   *
   * <p>{@code request} carries the int fields {@code lun}, {@code lusize} and {@code newlun}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param request the LU and its new number and size
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code request} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_LU}, {@link
   *     ErrorCodes#KXE_INSUFFICIENT_CAPACITY}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_LU_FORMATTING}, {@link
   *     ErrorCodes#KXE_LU_IN_PERMISSION}, {@link ErrorCodes#KXE_LU_MAPPED}, {@link
   *     ErrorCodes#KXE_LU_PAIRED}, {@link ErrorCodes#KXE_UNIFIED_MEMBER}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_RAID_GROUP}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_LogicalUnitRealloc(String unitName, Object request) throws DiskArrayException;

  /**
   * Starts formatting several LUs together.
   *
   * <p>{@code entryList} carries the byte[] field {@code lu} of at least 512 bytes.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param entryList the LUs to format, one byte per LU number
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code entryList} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_LU_FORMATTING}, {@link
   *     ErrorCodes#KXE_UNIFIED_MEMBER}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_EntryFormatList(String unitName, Object entryList) throws DiskArrayException;

  /**
   * Reads the progress of every running format.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the formats' progress
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native FormatStatusList KX_GetFormatStatusList(String unitName) throws DiskArrayException;

  /**
   * Reads the format state of every LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the LUs' format states
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native LuFormatStatusList KX_LogicalUnitFormatStatusList(String unitName) throws DiskArrayException;

  /**
   * Reads when the unit's pinned data began.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg which part of the time to read: {@link DiskArrayConstants#KX_PIN_TIME_DATE} or
   *     {@link DiskArrayConstants#KX_PIN_TIME_OF_DAY}
   * @return the part asked for
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native int KX_GetPinInfoGetTime(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the pinned data of an LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the LU's number
   * @return the pinned data in MB
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native int KX_GetPinInfo(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the unified LUs of a unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the unified LUs
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native CouplingInfo KX_GetCouplingInfo(String unitName) throws DiskArrayException;

  /**
   * Joins an LU to a unified LU, or parts them.
   *
   * <p>{@code request} carries the int fields {@code operation}, {@code parent_lun} and {@code
   * child_lun}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param request the operation and the parent and child LUs
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code request} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_CAPACITY_MISMATCH}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_LU_FORMATTING}, {@link ErrorCodes#KXE_LU_PAIRED}, {@link
   *     ErrorCodes#KXE_NOT_PAIRED}, {@link ErrorCodes#KXE_NOT_UNIFIED}, {@link
   *     ErrorCodes#KXE_RAID_LEVEL_MISMATCH}, {@link ErrorCodes#KXE_UNIFIED_MEMBER}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetIntegrationLU(String unitName, Object request) throws DiskArrayException;

  /**
   * Reads the pinned data of the unified LUs.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the pinned data
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native PINInformation KX_GetIntegrationPinInfo(String unitName) throws DiskArrayException;

  /**
   * Reads the turbo (cache-resident) LU settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native TurboLu KX_GetTurboLU(String unitName) throws DiskArrayException;

  /**
   * Writes the turbo (cache-resident) LU settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param turboLu the settings to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code turboLu} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_TURBO_CACHE_EXCEEDED}, {@link
   *     ErrorCodes#KXE_UNIFIED_MEMBER}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   */
  public static native void KX_SetTurboLU(String unitName, TurboLu turboLu) throws DiskArrayException;

  /**
   * Reads the pinned data of every LU.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return 512 values, entry i the pinned MB of LU i (0 for none), {@link
   *     DiskArrayConstants#KX_UNUSED_ENTRY} for a number without an LU
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native int[] KX_GetPinInfo2(String unitName) throws DiskArrayException;

  /**
   * Reads the pairing of the paired LUs.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the pairs
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native IntegrationLUInfo KX_IntegrationLUInfo(String unitName) throws DiskArrayException;

  /**
   * Writes a readable report of the RAID groups and LUs to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_RGLU_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_RgLuFileOutput(String unitName, String fileName) throws DiskArrayException;

  /**
   * Writes the RAID groups and LUs to a file that a later import reads.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_RGLU_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_RaidLuExport(String unitName, String fileName) throws DiskArrayException;

  /**
   * Reads a RAID group and LU file written by an export.
   *
   * <p>Returns 45 {@link RaidGroup} slots followed by 512 {@link LogicalUnit} slots.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the file to read
   * @return 45 {@link RaidGroup} entries followed by 512 {@link LogicalUnit} entries
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_FILE_CHECKSUM}, {@link
   *     ErrorCodes#KXE_FILE_MALFORMED}, {@link ErrorCodes#KXE_FILE_NOT_CONFIGURATION}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_RGLU_FILE_READ}, {@link ErrorCodes#KXE_RGLU_FILE_VERSION}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native Object[] KX_RaidLuImport(String unitName, String fileName) throws DiskArrayException;

  // Connectivity: LAN, target IDs, Fibre Channel, host groups, WWNs, options, LU mapping.

  /**
   * Reads a controller's LAN settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native LANInformation KX_GetLANInformation(String unitName, int arg) throws DiskArrayException;

  /**
   * Writes a controller's LAN settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param lanInformation the settings
   * @param arg2 passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code lanInformation} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record
   *     argument cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_ADDRESS},
   *     {@link ErrorCodes#KXE_INVALID_ADDRESS}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetLANInformation(
      String unitName, int arg1, LANInformation lanInformation, int arg2) throws DiskArrayException;

  /**
   * Reads a controller's synchronous-transfer settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native SyncControl KX_GetSyncControl(String unitName, int arg) throws DiskArrayException;

  /**
   * Writes a controller's synchronous-transfer settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param syncControl the settings
   * @param arg2 passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code syncControl} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetSyncControl(
      String unitName, int arg1, SyncControl syncControl, int arg2) throws DiskArrayException;

  /**
   * Reads the target IDs of a controller's ports.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return two entries, one per port
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native TargetId[] KX_GetTargetId(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads target IDs from a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the file to read
   * @return two entries, one per port
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_IMPORT_FILE}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native TargetId[] KX_TargetIdImport(String unitName, String fileName) throws DiskArrayException;

  /**
   * Writes the target IDs of a controller's ports.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param targetId the target IDs
   * @param arg2 passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code targetId} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetTargetId(String unitName, int arg1, TargetId targetId, int arg2) throws DiskArrayException;

  /**
   * Reads the Fibre Channel settings of both controllers.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return two entries, controller 0 then 1
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native FibreInformation[] KX_GetFibreInformation(String unitName) throws DiskArrayException;

  /**
   * Writes the Fibre Channel settings of both controllers.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param first controller 0's settings
   * @param second controller 1's settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code first} or {@code second} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a
   *     record argument cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_WWN},
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_INVALID_WWN}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetFibreInformation(
      String unitName, FibreInformation first, FibreInformation second) throws DiskArrayException;

  /**
   * Reads a port's host permissions from a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the file to read
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @return the permissions read
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; the station's {@link ErrorCodes#KXE_DUPLICATE_WWN}, {@link
   *     ErrorCodes#KXE_IMPORT_FILE}, {@link ErrorCodes#KXE_IMPORT_SYNTAX}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_INVALID_WWN}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native FibreInformationPermission[] KX_FibreInfoPermissionImport(
      String unitName, String fileName, int arg1, int arg2) throws DiskArrayException;

  /**
   * Reads the host groups of every port.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the host groups
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native HGList KX_GetHGList(String unitName) throws DiskArrayException;

  /**
   * Creates a host group on a port.
   *
   * <p>{@code hostGroupName} carries the String field {@code hgname}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @param arg3 the host group's number, or {@link DiskArrayConstants#KX_ANY_HOST_GROUP} for the
   *     lowest free one
   * @param hostGroupName any object with a String field {@code hgname}, the group's name
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code hostGroupName} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_HOST_GROUP_TABLE_FULL}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_HOST_GROUP_NAME}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_CreateHG(
      String unitName, int arg1, int arg2, int arg3, Object hostGroupName) throws DiskArrayException;

  /**
   * Renames a host group.
   *
   * <p>{@code hostGroupName} carries the String field {@code hgname}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @param arg3 the host group's number
   * @param hostGroupName any object with a String field {@code hgname}, the new name
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code hostGroupName} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_HOST_GROUP_NAME}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_ChangeHG(
      String unitName, int arg1, int arg2, int arg3, Object hostGroupName) throws DiskArrayException;

  /**
   * Deletes the host groups selected.
   *
   * <p>{@code selection} carries the field {@code ctl}, a {@code DeleteHGCtlList[]}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param selection any object whose field {@code ctl}, a {@code DeleteHGCtlList[]}, selects the
   *     groups
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code selection} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DEFAULT_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_DeleteHGList(String unitName, Object selection) throws DiskArrayException;

  /**
   * Returns the host groups selected to their initial settings.
   *
   * <p>{@code selection} carries the field {@code ctl}, an {@code InitHGCtlList[]}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param selection any object whose field {@code ctl}, an {@code InitHGCtlList[]}, selects the
   *     groups
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code selection} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_InitHGList(String unitName, Object selection) throws DiskArrayException;

  /**
   * Reads the host WWNs of every port.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the WWNs
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native WWNInformation KX_GetWWNInformation(String unitName) throws DiskArrayException;

  /**
   * Writes the host WWNs of every port.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param wwnInformation the WWNs
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code wwnInformation} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record
   *     argument cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_WWN}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_INVALID_WWN}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetWWNInformation(String unitName, WWNInformation wwnInformation) throws DiskArrayException;

  /**
   * Reads which host WWNs belong to which host groups.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the assignments
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native WWNHGInformation KX_GetWWNHGInformation(String unitName) throws DiskArrayException;

  /**
   * Writes which host WWNs belong to which host groups.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param wwnHgInformation the assignments
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code wwnHgInformation} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record
   *     argument cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_WWN}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_HOST_GROUP_NAME}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_INVALID_WWN}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetWWNHGInformation(
      String unitName, WWNHGInformation wwnHgInformation) throws DiskArrayException;

  /**
   * Reads the options of every host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native HGOption KX_GetHGOptionAll(String unitName) throws DiskArrayException;

  /**
   * Writes the options of every host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param hgOption the options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code hgOption} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetHGOptionAll(String unitName, HGOption hgOption) throws DiskArrayException;

  /**
   * Reads the options of one host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @param arg3 the host group's number
   * @return the group's options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native HGOptionInfo KX_GetHGOption(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  /**
   * Writes the options of one host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @param arg3 the host group's number
   * @param hgOptionInfo the options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code hgOptionInfo} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_NO_SUCH_PORT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetHGOption(
      String unitName, int arg1, int arg2, int arg3, HGOptionInfo hgOptionInfo) throws DiskArrayException;

  /**
   * Reads the options of every port.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native PortOption KX_GetPortOption(String unitName) throws DiskArrayException;

  /**
   * Writes the options of every port.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param portOption the options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code portOption} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetPortOption(String unitName, PortOption portOption) throws DiskArrayException;

  /**
   * Reads the LU mapping of every host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the mapping
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native LuMapping KX_GetLuMappingListAll(String unitName) throws DiskArrayException;

  /**
   * Writes the LU mapping of every host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param luMapping the mapping
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code luMapping} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_MAPPING}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link
   *     ErrorCodes#KXE_UNKNOWN_LU}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station
   *     operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetLuMappingListAll(String unitName, LuMapping luMapping) throws DiskArrayException;

  /**
   * Reads the LU mapping of one host group.
   *
   * <p>Returns the core's int value as element 0 and a {@link LuMappingHGInfo} as element 1.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @param arg3 the host group's number
   * @return the core's int value (an {@link Integer}) and the group's {@link LuMappingHGInfo}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native Object[] KX_GetLuMappingList(
      String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  /**
   * Writes the LU mapping of one host group.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the controller, 0 or 1
   * @param arg2 the port
   * @param arg3 the host group's number
   * @param arg4 passed to the core unchanged (0)
   * @param mapping the mapping
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code mapping} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_DUPLICATE_MAPPING}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_NO_SUCH_PORT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_HOST_GROUP}, {@link ErrorCodes#KXE_UNKNOWN_LU}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetLuMappingList(
      String unitName, int arg1, int arg2, int arg3, int arg4, LuMappingHGInfo mapping) throws DiskArrayException;

  /**
   * Turns LU mapping off or on for a unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg {@link DiskArrayConstants#KX_MAPPING_MODE_OFF} or
   *     {@link DiskArrayConstants#KX_MAPPING_MODE_ON}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_ChangeMappingMode(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the remote-verify source paths.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the paths
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native RvrfSrcInfo KX_GetRvrfSrcPath(String unitName) throws DiskArrayException;

  /**
   * Adds or replaces a remote-verify source path.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arrayUnit the path's entry
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code arrayUnit} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_PATH}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_RVRF_TABLE_FULL}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetRvrfSrcPath(String unitName, RvrfSrcArrayUnit arrayUnit) throws DiskArrayException;

  /**
   * Deletes the remote-verify source paths.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_DelRvrfSrcPath(String unitName) throws DiskArrayException;

  // Parameters: operating and drive parameters, unit identity, dumps, parameter files.

  /**
   * Reads the online system parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native OnlineSystemParam KX_GetOnlineSystemParam(String unitName) throws DiskArrayException;

  /**
   * Writes the online system parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param param the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code param} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_SYSTEM_PARAM}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME},
   *     {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetOnlineSystemParam(String unitName, OnlineSystemParam param) throws DiskArrayException;

  /**
   * Reads the online tuning parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native OnlineTuningParam KX_GetOnlineTuningParam(String unitName) throws DiskArrayException;

  /**
   * Writes the online tuning parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param param the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code param} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME},
   *     {@link ErrorCodes#KXE_TUNING_FOR_MISSING_LU}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetOnlineTuningParam(String unitName, OnlineTuningParam param) throws DiskArrayException;

  /**
   * Reads the per-LU tuning parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native TuningParam KX_GetTuningParam(String unitName) throws DiskArrayException;

  /**
   * Writes the per-LU tuning parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param param the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code param} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetTuningParam(String unitName, TuningParam param) throws DiskArrayException;

  /**
   * Reads the drive restoration settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native DiskDriveRestoration KX_GetDiskDriveRestoration(String unitName) throws DiskArrayException;

  /**
   * Writes the drive restoration settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param restoration the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code restoration} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_RESTORATION}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetDiskDriveRestoration(
      String unitName, DiskDriveRestoration restoration) throws DiskArrayException;

  /**
   * Reads the prefetch settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native PrefetchInformation KX_GetPrefetchInformation(String unitName) throws DiskArrayException;

  /**
   * Writes the prefetch settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param prefetch the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code prefetch} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_PREFETCH}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetPrefetchInformation(
      String unitName, PrefetchInformation prefetch) throws DiskArrayException;

  /**
   * Reads the online verify settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native OnlineVerify KX_GetOnlineVerify(String unitName) throws DiskArrayException;

  /**
   * Writes the online verify settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param verify the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code verify} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_VERIFY}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetOnlineVerify(String unitName, OnlineVerify verify) throws DiskArrayException;

  /**
   * Reads the warning thresholds.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the thresholds
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native Threshold KX_GetThreshold(String unitName) throws DiskArrayException;

  /**
   * Writes the warning thresholds.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param threshold the thresholds
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code threshold} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_THRESHOLD}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetThreshold(String unitName, Threshold threshold) throws DiskArrayException;

  /**
   * Reads the unit's equipment ID and controller names.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the identity
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native UnitIdentifier KX_GetUnitIdentifier(String unitName) throws DiskArrayException;

  /**
   * Writes the unit's equipment ID and controller names.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param identifier the identity
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code identifier} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument
   *     cannot be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_IDENTIFIER}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetUnitIdentifier(String unitName, UnitIdentifier identifier) throws DiskArrayException;

  /**
   * Reads the command device settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native CommandDevice KX_GetCommandDevice(String unitName) throws DiskArrayException;

  /**
   * Writes the command device settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param device the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code device} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_COMMAND_DEVICE_LU}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_COMMAND_DEVICE}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetCommandDevice(String unitName, CommandDevice device) throws DiskArrayException;

  /**
   * Reads the warning settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native WarningInfo KX_GetWarningInfo(String unitName) throws DiskArrayException;

  /**
   * Writes the warning settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param info the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code info} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_INVALID_WARNING_MODE}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetWarningInfo(String unitName, WarningInfo info) throws DiskArrayException;

  /**
   * Reads the state of a controller's automatic dump.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the dump's state
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native AutoDump KX_GetAutoDump(String unitName, int arg) throws DiskArrayException;

  /**
   * Writes a controller's automatic dump to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @param path the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_OutputAutoDump(String unitName, int arg, String path) throws DiskArrayException;

  /**
   * Reads how often the station checks for alerts.
   *
   * @return the interval in minutes ({@link DiskArrayConstants#KX_ALERT_INTERVAL_DEFAULT} until
   *     set)
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a code
   *     every station operation may give
   */
  public static native int KX_GetAlertInterval() throws DiskArrayException;

  /**
   * Sets how often the station checks for alerts.
   *
   * @param interval the new interval in minutes,
   *     {@link DiskArrayConstants#KX_ALERT_INTERVAL_MIN}..{@link
   *     DiskArrayConstants#KX_ALERT_INTERVAL_MAX}
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_INVALID_ALERT_INTERVAL}; or a
   *     code every station operation may give
   */
  public static native void KX_SetAlertInterval(int interval) throws DiskArrayException;

  /**
   * Writes the unit's parameters to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param path the file to write
   * @param arg1 which parameter groups to write: a bit mask of {@code KX_PARAM_} bits such as
   *     {@link DiskArrayConstants#KX_PARAM_ONLINE_SYSTEM}; 0 or
   *     {@link DiskArrayConstants#KX_PARAM_ALL_GROUPS} for all
   * @param arg2 1 replaces an existing file, 0 refuses it
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_FILE_EXISTS} (the file exists
   *     and arg2 is 0), {@link ErrorCodes#KXE_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_SystemParamExport(String unitName, String path, int arg1, int arg2) throws DiskArrayException;

  /**
   * Reads the unit's parameters from a file written by an export, and applies them.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param path the file to read
   * @param arg which parameter groups to apply: a bit mask of {@code KX_PARAM_} bits such as
   *     {@link DiskArrayConstants#KX_PARAM_TUNING}; 0 every group the file holds
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_FILE_DAMAGED}, {@link
   *     ErrorCodes#KXE_FILE_FOREIGN_MODEL}, {@link ErrorCodes#KXE_FILE_READ}, {@link
   *     ErrorCodes#KXE_FILE_VERSION}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_TEXT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_SystemParamImport(String unitName, String path, int arg) throws DiskArrayException;

  /**
   * Writes the unit's configuration to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param path the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY}, {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link
   *     ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link ErrorCodes#KXE_WIZARD_INQUIRY}, {@link
   *     ErrorCodes#KXE_WIZARD_LAN}, {@link ErrorCodes#KXE_WIZARD_MODE}, {@link
   *     ErrorCodes#KXE_WIZARD_OPTION}, {@link ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link
   *     ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every
   *     station operation may give
   */
  public static native void KX_ConfigExport(String unitName, String path) throws DiskArrayException;

  /**
   * Reads the unit's configuration from a file written by an export, and applies it.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param path the file to read
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_COMMAND_DEVICE_LU}, {@link
   *     ErrorCodes#KXE_FILE_DAMAGED}, {@link ErrorCodes#KXE_FILE_FOREIGN_MODEL}, {@link
   *     ErrorCodes#KXE_FILE_READ}, {@link ErrorCodes#KXE_FILE_VERSION}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_COMMAND_DEVICE}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_SYSTEM_PARAM}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_ONLINE_VERIFY},
   *     {@link ErrorCodes#KXE_INVALID_PREFETCH}, {@link ErrorCodes#KXE_INVALID_RESTORATION}, {@link
   *     ErrorCodes#KXE_INVALID_TEXT}, {@link ErrorCodes#KXE_INVALID_THRESHOLD}, {@link
   *     ErrorCodes#KXE_INVALID_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_UNIT_IDENTIFIER},
   *     {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_INVALID_WARNING_MODE},
   *     {@link ErrorCodes#KXE_TUNING_FOR_MISSING_LU}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY}, {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link
   *     ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link ErrorCodes#KXE_WIZARD_INQUIRY}, {@link
   *     ErrorCodes#KXE_WIZARD_LAN}, {@link ErrorCodes#KXE_WIZARD_MODE}, {@link
   *     ErrorCodes#KXE_WIZARD_OPTION}, {@link ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link
   *     ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every
   *     station operation may give
   */
  public static native void KX_ConfigImport(String unitName, String path) throws DiskArrayException;

  /**
   * Writes a raw mode page of a controller to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the page
   * @param arg2 the page control
   * @param arg3 the controller, 0 or 1
   * @param path the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_MODE_PAGE}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_ModeSense(
      String unitName, int arg1, int arg2, int arg3, String path) throws DiskArrayException;

  /**
   * Sets a raw mode page of a controller from a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the page
   * @param arg2 the page control
   * @param arg3 the controller, 0 or 1
   * @param path the file to read
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_COMMAND_DEVICE_LU}, {@link
   *     ErrorCodes#KXE_FILE_DAMAGED}, {@link ErrorCodes#KXE_FILE_FOREIGN_MODEL}, {@link
   *     ErrorCodes#KXE_FILE_READ}, {@link ErrorCodes#KXE_FILE_VERSION}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_COMMAND_DEVICE}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_SYSTEM_PARAM}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_ONLINE_VERIFY},
   *     {@link ErrorCodes#KXE_INVALID_PREFETCH}, {@link ErrorCodes#KXE_INVALID_RESTORATION}, {@link
   *     ErrorCodes#KXE_INVALID_TEXT}, {@link ErrorCodes#KXE_INVALID_THRESHOLD}, {@link
   *     ErrorCodes#KXE_INVALID_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_UNIT_IDENTIFIER},
   *     {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_INVALID_WARNING_MODE},
   *     {@link ErrorCodes#KXE_TUNING_FOR_MISSING_LU}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_MODE_PAGE}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_ModeSelect(
      String unitName, int arg1, int arg2, int arg3, String path) throws DiskArrayException;

  /**
   * Takes the drive in a slot out of service, or returns it.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the slot's port
   * @param arg2 the slot's row
   * @param arg3 the mode: {@link DiskArrayConstants#KX_DRIVE_MODE_BLOCK} blocks the drive,
   *     {@link DiskArrayConstants#KX_DRIVE_MODE_RESTORE} returns it (a member of a redundant group
   *     then rebuilds)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_DRIVE_NOT_MOUNTED}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_SetDriveMode(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  // Wizard: the set-up wizard's parameters, its target-ID import, the current parameters.

  /**
   * Reads the set-up wizard's parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param text the text the wizard reads them from
   * @param arg where they come from: {@link DiskArrayConstants#KX_WIZARD_CURRENT} (the unit's
   *     settings now) or {@link DiskArrayConstants#KX_WIZARD_DEFAULTS} (a new unit's)
   * @return the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code text} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY}, {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link
   *     ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link ErrorCodes#KXE_WIZARD_INQUIRY}, {@link
   *     ErrorCodes#KXE_WIZARD_LAN}, {@link ErrorCodes#KXE_WIZARD_MODE}, {@link
   *     ErrorCodes#KXE_WIZARD_OPTION}, {@link ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link
   *     ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native WizardParam KX_GetWizardParam(String unitName, String text, int arg) throws DiskArrayException;

  /**
   * Applies the set-up wizard's parameters.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param wizardParam the parameters
   * @param text the wizard's text
   * @param arg passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code wizardParam} or {@code text} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a
   *     record argument cannot be read whole; the station's {@link
   *     ErrorCodes#KXE_COMMAND_DEVICE_LU}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_COMMAND_DEVICE}, {@link ErrorCodes#KXE_INVALID_ONLINE_SYSTEM_PARAM},
   *     {@link ErrorCodes#KXE_INVALID_ONLINE_TUNING_PARAM}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_VERIFY}, {@link ErrorCodes#KXE_INVALID_PREFETCH}, {@link
   *     ErrorCodes#KXE_INVALID_RESTORATION}, {@link ErrorCodes#KXE_INVALID_THRESHOLD}, {@link
   *     ErrorCodes#KXE_INVALID_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_UNIT_IDENTIFIER},
   *     {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_INVALID_WARNING_MODE},
   *     {@link ErrorCodes#KXE_TUNING_FOR_MISSING_LU}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY}, {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link
   *     ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link ErrorCodes#KXE_WIZARD_INQUIRY}, {@link
   *     ErrorCodes#KXE_WIZARD_LAN}, {@link ErrorCodes#KXE_WIZARD_MODE}, {@link
   *     ErrorCodes#KXE_WIZARD_OPTION}, {@link ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link
   *     ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetWizardParam(
      String unitName, WizardParam wizardParam, String text, int arg) throws DiskArrayException;

  /**
   * Checks the set-up wizard's parameters without applying them.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param wizardParam the parameters
   * @param text the wizard's text
   * @param arg passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code wizardParam} or {@code text} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a
   *     record argument cannot be read whole; the station's {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}, {@link
   *     ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY},
   *     {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link
   *     ErrorCodes#KXE_WIZARD_INQUIRY}, {@link ErrorCodes#KXE_WIZARD_LAN}, {@link
   *     ErrorCodes#KXE_WIZARD_MODE}, {@link ErrorCodes#KXE_WIZARD_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link
   *     ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_TestWizardParam(
      String unitName, WizardParam wizardParam, String text, int arg) throws DiskArrayException;

  /**
   * Reads the wizard's target IDs from two texts.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param firstText controller 0's text
   * @param secondText controller 1's text
   * @param arg where the import starts
   * @return two entries, one per controller
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code firstText} or {@code secondText} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when
   *     the result cannot be built; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}, {@link ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY}, {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link
   *     ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link ErrorCodes#KXE_WIZARD_IMPORT_TEXT}, {@link
   *     ErrorCodes#KXE_WIZARD_INQUIRY}, {@link ErrorCodes#KXE_WIZARD_LAN}, {@link
   *     ErrorCodes#KXE_WIZARD_MODE}, {@link ErrorCodes#KXE_WIZARD_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link
   *     ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native WZTargetId[] KX_WZTargetIdImport(
      String unitName, String firstText, String secondText, int arg) throws DiskArrayException;

  /**
   * Reads the current wizard parameters of a controller.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}, {@link
   *     ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY},
   *     {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link
   *     ErrorCodes#KXE_WIZARD_INQUIRY}, {@link ErrorCodes#KXE_WIZARD_LAN}, {@link
   *     ErrorCodes#KXE_WIZARD_MODE}, {@link ErrorCodes#KXE_WIZARD_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link
   *     ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native NowWZParameter KX_GetNowWZParam(String unitName, int arg) throws DiskArrayException;

  /**
   * Writes the current wizard parameters of a controller.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @param param the parameters
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code param} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot
   *     be read whole; the station's {@link ErrorCodes#KXE_COMMAND_DEVICE_LU}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_COMMAND_DEVICE}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_SYSTEM_PARAM}, {@link
   *     ErrorCodes#KXE_INVALID_ONLINE_TUNING_PARAM}, {@link ErrorCodes#KXE_INVALID_ONLINE_VERIFY},
   *     {@link ErrorCodes#KXE_INVALID_PREFETCH}, {@link ErrorCodes#KXE_INVALID_RESTORATION}, {@link
   *     ErrorCodes#KXE_INVALID_THRESHOLD}, {@link ErrorCodes#KXE_INVALID_TUNING_PARAM}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_IDENTIFIER}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_INVALID_WARNING_MODE}, {@link ErrorCodes#KXE_TUNING_FOR_MISSING_LU}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}, {@link
   *     ErrorCodes#KXE_WIZARD_CONTROLLER_OPTION}, {@link ErrorCodes#KXE_WIZARD_DRIVE_CAPACITY},
   *     {@link ErrorCodes#KXE_WIZARD_DUAL_CONFIG}, {@link ErrorCodes#KXE_WIZARD_FD_BACKUP}, {@link
   *     ErrorCodes#KXE_WIZARD_INQUIRY}, {@link ErrorCodes#KXE_WIZARD_LAN}, {@link
   *     ErrorCodes#KXE_WIZARD_MODE}, {@link ErrorCodes#KXE_WIZARD_OPTION}, {@link
   *     ErrorCodes#KXE_WIZARD_PORT_TYPE}, {@link ErrorCodes#KXE_WIZARD_ROM_RESPONSE}, {@link
   *     ErrorCodes#KXE_WIZARD_SYNC_PORT}, {@link ErrorCodes#KXE_WIZARD_TARGET_ID}, {@link
   *     ErrorCodes#KXE_WIZARD_TARGET_LU}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetNowWZParam(String unitName, int arg, NowWZParameter param) throws DiskArrayException;

  // Statistics: the statistics record and performance samples.

  /**
   * Reads the unit's statistics.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg which statistics to read
   * @return the statistics
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native StatisticalInformation KX_GetStatisticalInformation(
      String unitName, int arg) throws DiskArrayException;

  /**
   * Takes a performance sample.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return two samples, one per controller
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native StatisticalCommand[] KX_GetPerformance(String unitName) throws DiskArrayException;

  /**
   * Writes performance figures computed from four samples to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param text the file to write
   * @param sample1 the first sample
   * @param sample2 the second sample
   * @param sample3 the third sample
   * @param sample4 the fourth sample
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code text}, {@code sample1}, {@code sample2}, {@code sample3} or {@code sample4} is null;
   *     2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot be read whole; the
   *     station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_TIME},
   *     {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_PERF_OUTPUT_FAILED}, {@link
   *     ErrorCodes#KXE_PERF_SAMPLES_OUT_OF_ORDER}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_PerformanceOutput(
      String unitName,
      String text,
      StatisticalCommand sample1,
      StatisticalCommand sample2,
      StatisticalCommand sample3,
      StatisticalCommand sample4) throws DiskArrayException;

  /**
   * Writes per-LU performance figures computed from four samples to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param text the file to write
   * @param sample1 the first sample
   * @param sample2 the second sample
   * @param sample3 the third sample
   * @param sample4 the fourth sample
   * @param arg1 the output mode: {@link DiskArrayConstants#KX_PERF_APPEND} or
   *     {@link DiskArrayConstants#KX_PERF_REPLACE} (start the file anew)
   * @param luList the LUs to report
   * @param arg2 passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName},
   *     {@code text}, {@code sample1}, {@code sample2}, {@code sample3}, {@code sample4} or {@code
   *     luList} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot be
   *     read whole; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_TIME}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_PERF_OUTPUT_FAILED}, {@link ErrorCodes#KXE_PERF_SAMPLES_OUT_OF_ORDER},
   *     {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_PerformanceOutputLU(
      String unitName,
      String text,
      StatisticalCommand sample1,
      StatisticalCommand sample2,
      StatisticalCommand sample3,
      StatisticalCommand sample4,
      int arg1,
      int[] luList,
      int arg2) throws DiskArrayException;

  /**
   * Converts a block count, given as two 32-bit halves, into bytes.
   *
   * @param arg1 the high 32 bits of the block count, unsigned
   * @param arg2 the low 32 bits of the block count, unsigned
   * @param arg3 the block size in bytes; 0 for {@value DiskArrayConstants#KX_BLOCK_BYTES}
   * @return the byte count as {@code r[0] * 2^64 + r[1] * 2^32 + r[2]}, each part an unsigned
   *     32-bit value carried in an int (read it with {@link Integer#toUnsignedLong(int)})
   * @throws DiskArrayException 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}
   */
  public static native int[] KX_BlockToByte(int arg1, int arg2, int arg3) throws DiskArrayException;

  // Services: alerts, e-mail, SNMP, external programs and logs.

  /**
   * Reads the station's e-mail settings.
   *
   * @return the settings
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link ErrorCodes#KXE_MAIL_INVALID_SETTING}; or a
   *     code every station operation may give
   */
  public static native EmailInfo KX_GetEmailInfo() throws DiskArrayException;

  /**
   * Writes the station's e-mail settings.
   *
   * @param settings the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code settings} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot be read whole;
   *     the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link ErrorCodes#KXE_MAIL_INVALID_SETTING}; or a
   *     code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetEmailInfo(EmailInfo settings) throws DiskArrayException;

  /**
   * Checks a unit for alerts: blocked and rebuilding drives, RAID groups degraded or failed,
   * formats that failed with their group, parts failed. Each kind is a bit: 0x01 drive blocked,
   * 0x02 drive rebuilding, 0x04 RAID group degraded, 0x08 RAID group failed, 0x10 format failed,
   * 0x20 part failed.
   *
   * <p>Mode 0 (check) remembers what it reports, in the station, in the same transaction, so
   * that two callers never both see one alert as new or one end of an alert as ended; mode 1
   * (peek) reports the same and remembers nothing.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the check's mode: 0 check, 1 peek
   * @return the kinds the unit has now in bits 0..15; the kinds with an alert no earlier check
   *     reported, shifted left by 16; the kinds with an alert an earlier check reported and that
   *     has ended since (a drive back in service or rebuilt, a group whole again), shifted left
   *     by 24
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native int KX_AlertCheck(String unitName, int arg) throws DiskArrayException;

  /**
   * Sets the text appended to a unit's alert mails.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param text the text
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code text} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_MAIL_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_SetMailAppendInfo(String unitName, String text) throws DiskArrayException;

  /**
   * Removes the text appended to a unit's alert mails.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_DelMailAppendInfo(String unitName) throws DiskArrayException;

  /**
   * Reads the text appended to a unit's alert mails.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the text
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native String KX_GetMailAppendInfo(String unitName) throws DiskArrayException;

  /**
   * Sends an alert mail with the station's stored e-mail settings, over SMTP to the configured
   * server, taking up STARTTLS when the server offers it (or requiring it, with {@code
   * KX_MAIL_TLS=required} in the environment). The call returns once the server has taken the
   * message or refused it; each message sent is a line in the application log, each failure a
   * line in the error log.
   *
   * <p>What delivery answers, besides the checks of the arguments and settings:
   *
   * <ul>
   *   <li>{@link ErrorCodes#KXE_MAIL_OFF}: mail is switched off; nothing is sent
   *   <li>{@link ErrorCodes#KXE_MAIL_SERVER_UNREACHABLE}: no such host, or nothing listens
   *   <li>{@link ErrorCodes#KXE_MAIL_TIMEOUT}: the server did not answer in time (30 s, or
   *       {@code KX_MAIL_TIMEOUT_SECONDS})
   *   <li>{@link ErrorCodes#KXE_MAIL_TLS_FAILED}: the TLS handshake failed, or TLS is required
   *       and the server offers none or its certificate does not verify
   *   <li>{@link ErrorCodes#KXE_MAIL_SENDER_REFUSED}: the server refused the sender
   *   <li>{@link ErrorCodes#KXE_MAIL_RECIPIENT_REFUSED}: the server refused a recipient
   *   <li>{@link ErrorCodes#KXE_MAIL_REJECTED}: the server refused anything else, the message
   *       itself included
   * </ul>
   *
   * <p>{@link ErrorCodes#KXE_MAIL_NOT_AVAILABLE} is kept for callers that know it; no build of
   * the station answers it.
   *
   * @param first the unit the mail is about (its append text ends the body), or null
   * @param second the subject
   * @param third the body
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code second} or
   *     {@code third} is null; a delivery code above; the station's {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_LOG_WRITE}, {@link ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_SETTING}, {@link ErrorCodes#KXE_MAIL_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_SendEmail(String first, String second, String third) throws DiskArrayException;

  /**
   * Sends a test mail with the settings given, switched on or not; nothing is stored. Delivery
   * answers as for {@link #KX_SendEmail}: {@link ErrorCodes#KXE_MAIL_SERVER_UNREACHABLE}, {@link
   * ErrorCodes#KXE_MAIL_TIMEOUT}, {@link ErrorCodes#KXE_MAIL_TLS_FAILED}, {@link
   * ErrorCodes#KXE_MAIL_SENDER_REFUSED}, {@link ErrorCodes#KXE_MAIL_RECIPIENT_REFUSED}, {@link
   * ErrorCodes#KXE_MAIL_REJECTED}; never {@link ErrorCodes#KXE_MAIL_OFF}.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed), or null
   * @param settings the e-mail settings to try
   * @param text the subject
   * @param longText the body
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code settings},
   *     {@code text} or {@code longText} is null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a
   *     record argument cannot be read whole; a delivery code above; the station's {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_LOG_WRITE}, {@link ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_SETTING}, {@link ErrorCodes#KXE_MAIL_INVALID_TEXT}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SendEmailTest(
      String unitName, EmailInfo settings, String text, String longText) throws DiskArrayException;

  /**
   * Reads the external program settings.
   *
   * @return the settings
   * @throws DiskArrayException 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a code every station
   *     operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native ExProgramInfo KX_GetExProgramInfo() throws DiskArrayException;

  /**
   * Writes the external program settings.
   *
   * @param settings the settings
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code settings} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot be read whole;
   *     the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link ErrorCodes#KXE_MAIL_INVALID_SETTING}; or a
   *     code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_SetExProgramInfo(ExProgramInfo settings) throws DiskArrayException;

  /**
   * Runs the external program with the settings given, as a test.
   *
   * @param settings the settings to try
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code settings} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when a record argument cannot be read whole;
   *     the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link ErrorCodes#KXE_MAIL_INVALID_SETTING}, {@link
   *     ErrorCodes#KXE_PROGRAM_OFF}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native void KX_ExecuteProgramTest(ExProgramInfo settings) throws DiskArrayException;

  /**
   * Runs the external program.
   *
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_MAIL_INVALID_ADDRESS}, {@link ErrorCodes#KXE_MAIL_INVALID_SETTING}, {@link
   *     ErrorCodes#KXE_PROGRAM_OFF}; or a code every station operation may give
   */
  public static native void KX_ExecuteProgram() throws DiskArrayException;

  /**
   * Checks the station's environment.
   *
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_ENV_DATABASE_DAMAGED}, {@link
   *     ErrorCodes#KXE_ENV_DIRECTORY_NOT_WRITABLE}, {@link ErrorCodes#KXE_ENV_LOW_DISK_SPACE}; or a
   *     code every station operation may give
   */
  public static native void KX_EnvironmentCheck() throws DiskArrayException;

  /**
   * Appends a line to the station's error log.
   *
   * @param text the line
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code text} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_LOG_WRITE}; or a code every station operation may give
   */
  public static native void KX_ErrLogPut(String text) throws DiskArrayException;

  /**
   * Empties the station's error log.
   *
   * @throws DiskArrayException the station's {@link ErrorCodes#KXE_LOG_WRITE}; or a code every
   *     station operation may give
   */
  public static native void KX_ErrLogDelete() throws DiskArrayException;

  /**
   * Appends a line to the station's application log.
   *
   * @param text the line
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code text} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_LOG_WRITE}; or a code every station operation may give
   */
  public static native void KX_AppLogPut(String text) throws DiskArrayException;

  /**
   * Checks that a Java version is one the station accepts.
   *
   * @param version the version
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code version} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_JAVA_VERSION_INVALID}, {@link ErrorCodes#KXE_JAVA_VERSION_UNSUPPORTED}; or a
   *     code every station operation may give
   */
  public static native void KX_JavaVersionCheck(String version) throws DiskArrayException;

  /**
   * Writes a unit's SNMP settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param first the managers
   * @param second the options
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 258 when {@code first} and {@code second} are both null or empty; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_SNMP_INVALID_MANAGER}, {@link ErrorCodes#KXE_SNMP_INVALID_SETTING}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native void KX_SetSnmpConfig(String unitName, String first, String second) throws DiskArrayException;

  /**
   * Writes a unit's SNMP settings to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param first the directory
   * @param second the file name
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 258 when {@code first} and {@code second} are both null or empty; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_SNMP_OUTPUT}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_SnmpConfigOutput(String unitName, String first, String second) throws DiskArrayException;

  // Maintenance: microcode replacement, traces, host files and unit control.

  /**
   * Adds one part of a microcode file to the microcode being assembled.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the part's file
   * @param arg the part's number
   * @return how many parts remain
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_MICRO_CANCELLED}, {@link
   *     ErrorCodes#KXE_MICRO_CRC_MISMATCH}, {@link ErrorCodes#KXE_MICRO_FILE_DAMAGED}, {@link
   *     ErrorCodes#KXE_MICRO_FILE_UNREADABLE}, {@link ErrorCodes#KXE_MICRO_PART_MISMATCH}, {@link
   *     ErrorCodes#KXE_MICRO_PART_MISSING}, {@link ErrorCodes#KXE_MICRO_PART_ORDER}, {@link
   *     ErrorCodes#KXE_MICRO_TOO_LARGE}, {@link ErrorCodes#KXE_MICRO_WRONG_MODEL}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native int KX_MicroFileConcat(String unitName, String fileName, int arg) throws DiskArrayException;

  /**
   * Adds a whole microcode file to the microcode being assembled.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param fileName the file
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code fileName} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_MICRO_CANCELLED}, {@link
   *     ErrorCodes#KXE_MICRO_CRC_MISMATCH}, {@link ErrorCodes#KXE_MICRO_FILE_DAMAGED}, {@link
   *     ErrorCodes#KXE_MICRO_FILE_UNREADABLE}, {@link ErrorCodes#KXE_MICRO_PART_MISMATCH}, {@link
   *     ErrorCodes#KXE_MICRO_PART_MISSING}, {@link ErrorCodes#KXE_MICRO_PART_ORDER}, {@link
   *     ErrorCodes#KXE_MICRO_TOO_LARGE}, {@link ErrorCodes#KXE_MICRO_WRONG_MODEL}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_MicroFileConcat2(String unitName, String fileName) throws DiskArrayException;

  /**
   * Discards the microcode being assembled.
   *
   * @throws DiskArrayException ; or a code every station operation may give
   */
  public static native void KX_CancelMicroFileConcat() throws DiskArrayException;

  /**
   * Reads how many portions the assembled microcode downloads in.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the number of portions
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_MICRO_NO_IMAGE}, {@link
   *     ErrorCodes#KXE_UNIT_NOT_READY}, {@link ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every
   *     station operation may give
   */
  public static native int KX_GetMicroDownloadCount(String unitName) throws DiskArrayException;

  /**
   * Downloads one portion of the assembled microcode to a unit.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the portion, from 1
   * @param arg2 the number of portions
   * @param arg3 passed to the core unchanged (0)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_MICRO_COUNT_MISMATCH}, {@link
   *     ErrorCodes#KXE_MICRO_NO_IMAGE}, {@link ErrorCodes#KXE_MICRO_PORTION_ORDER}, {@link
   *     ErrorCodes#KXE_MICRO_PORTION_REPEATED}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_MicroDownload(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  /**
   * Replaces a unit's microcode with the downloaded one.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the replacement mode, {@link DiskArrayConstants#KX_MICRO_REPLACE_RESTART} (the unit
   *     restarts)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_MICRO_NOT_DOWNLOADED}, {@link
   *     ErrorCodes#KXE_MICRO_NO_IMAGE}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_MicroReplace(String unitName, int arg) throws DiskArrayException;

  /**
   * Reads the revision of the assembled microcode.
   *
   * @return the revision
   * @throws DiskArrayException 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be
   *     built; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_MICRO_NO_IMAGE}; or a code every station operation may give
   */
  public static native String KX_GetNewMicroRevision() throws DiskArrayException;

  /**
   * Writes part of a unit's trace to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the trace categories
   * @param arg2 the first entry
   * @param arg3 the most entries
   * @param path the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_TRACE_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_CreateTraceFile(
      String unitName, int arg1, int arg2, int arg3, String path) throws DiskArrayException;

  /**
   * Writes a unit's whole trace to a file.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the trace categories: a bit mask of {@code KX_TRACE_} bits such as
   *     {@link DiskArrayConstants#KX_TRACE_DRIVES}; {@link DiskArrayConstants#KX_TRACE_ALL} for all
   * @param path the file to write
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} or
   *     {@code path} is null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_TRACE_FILE_WRITE}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_CreateTraceFile2(String unitName, int arg, String path) throws DiskArrayException;

  /**
   * Reads part of a unit's trace as text.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the trace categories: a bit mask of {@code KX_TRACE_} bits such as
   *     {@link DiskArrayConstants#KX_TRACE_FORMATS}; {@link DiskArrayConstants#KX_TRACE_ALL} for
   *     all
   * @param arg2 the first entry
   * @param arg3 the most entries
   * @return the trace text
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native String KX_GetTraceText(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  /**
   * Reads a unit's web trace.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @return the trace
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   * @throws OutOfMemoryError when the native heap cannot supply a buffer (65535)
   */
  public static native WebTrace KX_GetWebTrace(String unitName) throws DiskArrayException;

  /**
   * Reads a text file on the station's host.
   *
   * @param path the file
   * @return the file's text
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code path} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_FILE_NOT_FOUND}, {@link ErrorCodes#KXE_FILE_TOO_LARGE}, {@link
   *     ErrorCodes#KXE_FILE_UNREADABLE}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a code every
   *     station operation may give
   */
  public static native String KX_GetFileText(String path) throws DiskArrayException;

  /**
   * Reads the first line of a text file on the station's host.
   *
   * @param path the file
   * @param length the most bytes to read
   * @return the line
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code path} is
   *     null; 2817 ({@link ErrorCodes#ERR_MARSHAL}) when the result cannot be built; the station's
   *     {@link ErrorCodes#KXE_FILE_LINE_TOO_LONG}, {@link ErrorCodes#KXE_FILE_NOT_FOUND}, {@link
   *     ErrorCodes#KXE_FILE_UNREADABLE}, {@link ErrorCodes#KXE_INVALID_ARGUMENT}; or a code every
   *     station operation may give
   */
  public static native String KX_GetFileLine(String path, int length) throws DiskArrayException;

  /**
   * Asks whether a file exists on the station's host.
   *
   * @param path the file
   * @return {@link DiskArrayConstants#KX_PATH_MISSING}, {@link DiskArrayConstants#KX_PATH_FILE},
   *     {@link DiskArrayConstants#KX_PATH_DIRECTORY} or {@link DiskArrayConstants#KX_PATH_OTHER}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code path} is
   *     null; the station's {@link ErrorCodes#KXE_FILE_UNREADABLE}, {@link
   *     ErrorCodes#KXE_INVALID_ARGUMENT}; or a code every station operation may give
   */
  public static native int KX_ExistFile(String path) throws DiskArrayException;

  /**
   * Restarts a unit.
   *
   * @param unitName the name of the registered unit (up to 1023 bytes are passed)
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_UnitReboot(String unitName) throws DiskArrayException;

  /**
   * Writes the service processor settings.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg1 the link: {@link DiskArrayConstants#KX_SP_LINK_NONE},
   *     {@link DiskArrayConstants#KX_SP_LINK_LAN} or {@link DiskArrayConstants#KX_SP_LINK_SERIAL}
   * @param arg2 the interval
   * @param arg3 the port
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_SetSPinformation(String unitName, int arg1, int arg2, int arg3) throws DiskArrayException;

  /**
   * Tests a controller's diskette drive.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @return the test's result, {@link DiskArrayConstants#KX_FDD_PASSED}
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native int KX_FDDTest(String unitName, int arg) throws DiskArrayException;

  /**
   * Asks whether a controller is ready.
   *
   * @param unitName the name of the registered unit (at most 16 bytes are passed)
   * @param arg the controller, 0 or 1
   * @throws DiskArrayException 258 ({@link ErrorCodes#ERR_NULL_ARGUMENT}) when {@code unitName} is
   *     null; the station's {@link ErrorCodes#KXE_INVALID_ARGUMENT}, {@link
   *     ErrorCodes#KXE_INVALID_UNIT_NAME}, {@link ErrorCodes#KXE_UNIT_NOT_READY}, {@link
   *     ErrorCodes#KXE_UNKNOWN_UNIT}; or a code every station operation may give
   */
  public static native void KX_TestUnitReady(String unitName, int arg) throws DiskArrayException;
}
