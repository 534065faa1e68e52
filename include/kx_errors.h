// Result codes of the core library tesk740.
//
// 0 is success. The bridge reserves 256, 258, 2817 and 65535 for its own
// use, so the core never returns them for its own failures; nor does it
// return -1, which the bridge's callers read as "no answer". Every core code
// lies in 0x1001..0x1FFF.
#pragma once

#include <cstdint>

enum KxResult : int32_t {
  KX_OK = 0,

  // The station has no working directory: KX_GUIInitialize was not called,
  // or its last call failed.
  KXE_NOT_INITIALIZED = 0x1001,
  // An argument is outside the range the operation accepts: a null pointer,
  // a negative count, text not NUL-terminated within its field, an unknown
  // operation selector.
  KXE_INVALID_ARGUMENT = 0x1002,
  // No unit of that name is registered.
  KXE_UNKNOWN_UNIT = 0x1003,
  // A unit of that name is already registered.
  KXE_DUPLICATE_UNIT = 0x1004,
  // The unit name is empty, longer than 16 bytes, not NUL-terminated within
  // its buffer, or holds a control character.
  KXE_INVALID_UNIT_NAME = 0x1005,
  // The station's database could not be opened, read or written.
  KXE_STORAGE = 0x1006,
  // The station does not model this operation yet.
  KXE_NOT_SUPPORTED = 0x1007,
  // The working directory is not a directory and could not be created.
  KXE_WORKING_DIRECTORY = 0x1008,
  // Another process kept the station's database locked for longer than the
  // station waits (10 seconds); nothing was changed.
  KXE_STATION_BUSY = 0x1009,
  // The station's database was written by a newer core whose schema this
  // core does not know; it is left untouched.
  KXE_SCHEMA_TOO_NEW = 0x100A,
  // A label is empty, longer than 6 bytes, or holds a byte other than
  // A-Z, a-z, 0-9 and '_'; or the text naming labels is malformed.
  KXE_INVALID_LABEL = 0x100B,
  // The station keeps no label rename for that label.
  KXE_UNKNOWN_LABEL = 0x100C,
  // The station already keeps 20 label renames.
  KXE_LABEL_LIST_FULL = 0x100D,
  // The result of a text conversion is longer than 1023 bytes.
  KXE_TEXT_TOO_LONG = 0x100E,
  // An unexpected failure inside the core, such as exhausted memory.
  KXE_INTERNAL = 0x100F,

  // Users and login (kx_station.h): a user name or password that is empty,
  // longer than 16 bytes, not NUL-terminated within its field, or holds a
  // byte outside 0x21..0x7E.
  KXE_INVALID_CREDENTIAL = 0x1010,
  // The unit has no account of that name. (A failed sign-in never says so:
  // it answers KXE_WRONG_PASSWORD whichever part was wrong.)
  KXE_UNKNOWN_USER = 0x1011,
  // The unit already has an account of that name.
  KXE_DUPLICATE_USER = 0x1012,
  // The user name or the password is wrong, or the password is not the
  // station password.
  KXE_WRONG_PASSWORD = 0x1013,
  // The unit already holds 16 accounts.
  KXE_USER_LIST_FULL = 0x1014,
  // Logout from a controller with no session.
  KXE_NOT_LOGGED_IN = 0x1015,
  // Another user holds the controller's session.
  KXE_SESSION_IN_USE = 0x1016,

  // RAID groups: no RAID group of that number on the unit.
  KXE_UNKNOWN_RAID_GROUP = 0x1017,
  // The RAID group number is taken.
  KXE_DUPLICATE_RAID_GROUP = 0x1018,
  // All 45 RAID group numbers are taken.
  KXE_RAID_GROUP_TABLE_FULL = 0x1019,
  // The RAID level is not one the unit supports.
  KXE_INVALID_RAID_LEVEL = 0x101A,
  // The width does not suit the level, or the width x depth rectangle of
  // slots does not fit the 15 x 15 drive slots.
  KXE_INVALID_GEOMETRY = 0x101B,
  // A slot the group would take holds no drive.
  KXE_DRIVE_NOT_MOUNTED = 0x101C,
  // A drive the group would take belongs to another RAID group.
  KXE_DRIVE_IN_USE = 0x101D,
  // The RAID group holds LUs (or, for deleting all groups, the unit does).
  KXE_RAID_GROUP_IN_USE = 0x101E,

  // Logical units: no LU of that number on the unit.
  KXE_UNKNOWN_LU = 0x101F,
  // The LU number is taken.
  KXE_DUPLICATE_LU = 0x1020,
  // All 512 LU numbers are taken.
  KXE_LU_TABLE_FULL = 0x1021,
  // The RAID group has too little free capacity, or a capacity would fall
  // below what is in use.
  KXE_INSUFFICIENT_CAPACITY = 0x1022,
  // The LU is busy formatting.
  KXE_LU_FORMATTING = 0x1023,

  // Unit clock: a broken-down time outside 1970..2099 or with a field out
  // of its range.
  KXE_INVALID_TIME = 0x1024,

  // A drive the RAID group would take is blocked (KX_SetDriveMode).
  KXE_DRIVE_BLOCKED = 0x1025,

  // Each further area numbers its codes in a block of its own, so that
  // areas grow independently. A code's comment is its meaning: the tool
  // shows it to the operator.

  // --- Host connectivity: 0x1100..0x11FF ---

  // --- Operating parameters and the set-up wizard: 0x1200..0x12FF ---

  // --- Statistics and performance: 0x1300..0x13FF ---

  // --- Notification and host services: 0x1400..0x14FF ---

  // --- Maintenance: 0x1500..0x15FF ---

  // --- Unified, turbo and paired LUs, configuration files, snapshot:
  // 0x1600..0x16FF ---

  // --- Station integrity and credentials: 0x1700..0x17FF ---
  // The station's database holds a value outside its documented range (it
  // was damaged, or edited by hand); nothing was changed.
  KXE_STATION_DAMAGED = 0x1700,
  // station.db in the working directory is not a station's database (it
  // holds other data); it is left untouched.
  KXE_NOT_A_STATION = 0x1701,
  // The station can only be read: its directory or database file is not
  // writable, or the file system is mounted read-only. Reads still work.
  KXE_STATION_READ_ONLY = 0x1702,
  // The disk holding the station is full; nothing was changed.
  KXE_DISK_FULL = 0x1703,
  // A path or name holds a NUL character, or is not valid text.
  KXE_INVALID_TEXT = 0x1704,
  // The station already registers its most units (4096).
  KXE_UNIT_TABLE_FULL = 0x1705,
  // Too many wrong passwords for this user in a row: sign-in is refused
  // until the wait has passed (1 s after the fifth failure, doubling up to
  // 5 minutes); nothing was checked.
  KXE_SIGN_IN_DELAYED = 0x1706,
};

// 256, 258 and 2817 lie below the core's range and 65535 above it.
constexpr bool IsCoreCode(int32_t code) {
  return code >= 0x1001 && code <= 0x1FFF;
}
static_assert(IsCoreCode(KXE_NOT_INITIALIZED) && IsCoreCode(KXE_DRIVE_BLOCKED),
              "core codes stay in 0x1001..0x1FFF, clear of the bridge's");
