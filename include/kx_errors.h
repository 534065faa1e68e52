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
  // The unit has no account of that name.
  KXE_UNKNOWN_USER = 0x1011,
  // The unit already has an account of that name.
  KXE_DUPLICATE_USER = 0x1012,
  // The password is not the account's, or not the station password.
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
  // The unit is restarting after a reboot or a microcode replacement and
  // answers no request until it is ready again; retry in a few seconds.
  KXE_UNIT_NOT_READY = 0x1500,
  // The microcode file does not exist or cannot be read.
  KXE_MICRO_FILE_UNREADABLE = 0x1501,
  // The file is not a microcode part: wrong magic, unknown format version,
  // damaged header, or a length that disagrees with the file's size.
  KXE_MICRO_FILE_DAMAGED = 0x1502,
  // A microcode part's contents do not match its CRC-32: the part was
  // damaged on its way here; fetch it again.
  KXE_MICRO_CRC_MISMATCH = 0x1503,
  // The microcode is for another model than the unit's.
  KXE_MICRO_WRONG_MODEL = 0x1504,
  // The parts are in the wrong order: this part comes before the next one
  // expected, or was joined already.
  KXE_MICRO_PART_ORDER = 0x1505,
  // A microcode part is missing: the parts skip one or end before the last.
  KXE_MICRO_PART_MISSING = 0x1506,
  // The part belongs to another microcode release (revision, model or part
  // count differ from the parts joined before it).
  KXE_MICRO_PART_MISMATCH = 0x1507,
  // Joining the microcode was cancelled; nothing of it was kept.
  KXE_MICRO_CANCELLED = 0x1508,
  // No complete microcode image is prepared: join all its parts first.
  KXE_MICRO_NO_IMAGE = 0x1509,
  // A microcode portion arrived out of order: an earlier one is missing.
  KXE_MICRO_PORTION_ORDER = 0x150A,
  // The microcode portion was downloaded already.
  KXE_MICRO_PORTION_REPEATED = 0x150B,
  // The microcode image has not been downloaded completely to the unit.
  KXE_MICRO_NOT_DOWNLOADED = 0x150C,
  // The microcode part or image is larger than the station accepts
  // (16 MB per part, 64 MB per image).
  KXE_MICRO_TOO_LARGE = 0x150D,
  // The portion count given is not the prepared image's: the image was
  // prepared again since the count was read.
  KXE_MICRO_COUNT_MISMATCH = 0x150E,
  // No file or directory exists at that path on the station host.
  KXE_FILE_NOT_FOUND = 0x150F,
  // The file is larger than the station reads (1 MB); it was not read.
  KXE_FILE_TOO_LARGE = 0x1510,
  // The path names something that cannot be read as a file (a directory,
  // or a file without read permission).
  KXE_FILE_UNREADABLE = 0x1511,
  // The file's first line is longer than the length asked for.
  KXE_FILE_LINE_TOO_LONG = 0x1512,
  // The trace file could not be written (missing directory, no
  // permission, disk full); no partial file was left.
  KXE_TRACE_FILE_WRITE = 0x1513,

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
};

// 256, 258 and 2817 lie below the core's range and 65535 above it.
constexpr bool IsCoreCode(int32_t code) {
  return code >= 0x1001 && code <= 0x1FFF;
}
static_assert(IsCoreCode(KXE_NOT_INITIALIZED) && IsCoreCode(KXE_DRIVE_BLOCKED),
              "core codes stay in 0x1001..0x1FFF, clear of the bridge's");
