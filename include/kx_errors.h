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

  // --- Users and login (meanings of the ints in kx_station.h) ---

  // A user name or password that is empty, longer than 16 bytes, not
  // NUL-terminated within its field, or holds a byte outside 0x21..0x7E.
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

  // --- RAID groups ---

  // No RAID group of that number on the unit.
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

  // --- Logical units ---

  // No LU of that number on the unit.
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

  // --- Unit clock ---

  // A broken-down time outside 1970..2099 or with a field out
  // of its range.
  KXE_INVALID_TIME = 0x1024,

  // A drive the RAID group would take is blocked (KX_SetDriveMode).
  KXE_DRIVE_BLOCKED = 0x1025,
  // The expanded RAID group is not deeper than the group is: a group grows
  // by whole rows below its last one.
  KXE_EXPAND_NOT_DEEPER = 0x1026,

  // Each further area numbers its codes in a block of its own, so that
  // areas grow independently. A code's comment is its meaning: the tool
  // shows it to the operator.

  // --- Host connectivity: 0x1100..0x11FF ---
  // An IP address, subnet mask or gateway is not a dotted quad; the mask is
  // not contiguous; the gateway lies outside the controller's subnet; or the
  // address is its subnet's network or broadcast address.
  KXE_INVALID_ADDRESS = 0x1100,
  // The address is already the other controller's.
  KXE_DUPLICATE_ADDRESS = 0x1101,
  // The controller or port does not exist: host ports are 0 and 1 of
  // controllers 0 and 1, and a port that is not installed takes no setting.
  KXE_NO_SUCH_PORT = 0x1102,
  // No host group of that number on the port.
  KXE_UNKNOWN_HOST_GROUP = 0x1103,
  // The host group number is taken, or another group of the port has the
  // name.
  KXE_DUPLICATE_HOST_GROUP = 0x1104,
  // A host group name or host nickname is longer than 8 bytes or holds a
  // byte outside 0x21..0x7E (a group name must also not be empty).
  KXE_INVALID_HOST_GROUP_NAME = 0x1105,
  // Host group 0 is the port's default group: it cannot be deleted.
  KXE_DEFAULT_HOST_GROUP = 0x1106,
  // All 128 host group numbers of the port are taken.
  KXE_HOST_GROUP_TABLE_FULL = 0x1107,
  // A WWN is not 16 hexadecimal digits, or an N_Port ID not 6.
  KXE_INVALID_WWN = 0x1108,
  // The same host WWN appears twice on one port.
  KXE_DUPLICATE_WWN = 0x1109,
  // The LU is mapped to a host group; unmap it first.
  KXE_LU_MAPPED = 0x110A,
  // A host permission names the LU; take it out of the permission first.
  KXE_LU_IN_PERMISSION = 0x110B,
  // One host group would map the same LU at two host LUNs.
  KXE_DUPLICATE_MAPPING = 0x110C,
  // The import file cannot be read, or is larger than 1 MB.
  KXE_IMPORT_FILE = 0x110D,
  // A line of the import file is malformed or names something that does
  // not exist; nothing was imported. import-errors.txt in the station's
  // directory names the line.
  KXE_IMPORT_SYNTAX = 0x110E,
  // The unit already has 8 remote-verify source units.
  KXE_RVRF_TABLE_FULL = 0x110F,
  // A remote-verify entry has no path, a path names a controller or port
  // that does not exist, or a serial number is malformed or the unit's own.
  KXE_INVALID_PATH = 0x1110,

  // --- Operating parameters and the set-up wizard: 0x1200..0x12FF ---
  // The values and ranges are those of kx_station_parameters.h.

  // The online system parameters hold a switch other than 0 or 1, or a web
  // title that is not printable ASCII within its 32 bytes.
  KXE_INVALID_ONLINE_SYSTEM_PARAM = 0x1200,
  // The online tuning parameters hold a default mode, sweep switch or LU
  // prefetch start outside its range.
  KXE_INVALID_ONLINE_TUNING_PARAM = 0x1201,
  // The default LU, or an LU given a prefetch start, does not exist on the
  // unit.
  KXE_TUNING_FOR_MISSING_LU = 0x1202,
  // The tuning parameters hold a default mode or buffer size outside its
  // range, or a reserved buffer larger than the current one.
  KXE_INVALID_TUNING_PARAM = 0x1203,
  // The drive restoration settings hold a mode, switch, interval or unit
  // size outside its range.
  KXE_INVALID_RESTORATION = 0x1204,
  // A prefetch staging amount is outside its range.
  KXE_INVALID_PREFETCH = 0x1205,
  // The online verify switch is not 0 or 1, or the idling time is outside
  // 1..3600 seconds.
  KXE_INVALID_ONLINE_VERIFY = 0x1206,
  // An error threshold is outside 0..65535.
  KXE_INVALID_THRESHOLD = 0x1207,
  // The equipment identifier is not 1..4 letters or digits, or a controller
  // entry has a name mode other than 0 or 1 or a name that is not printable
  // ASCII.
  KXE_INVALID_UNIT_IDENTIFIER = 0x1208,
  // The command device settings hold a switch other than 0 or 1, the same LU
  // twice, or a sequence number that is not printable ASCII.
  KXE_INVALID_COMMAND_DEVICE = 0x1209,
  // A valid command device entry names an LU that does not exist.
  KXE_COMMAND_DEVICE_LU = 0x120A,
  // The warning report mode is not 0, 1 or 2.
  KXE_INVALID_WARNING_MODE = 0x120B,
  // The alert interval is outside 1..1440 minutes.
  KXE_INVALID_ALERT_INTERVAL = 0x120C,
  // The file could not be written: the path is empty, its directory is
  // missing or not writable.
  KXE_FILE_WRITE = 0x120D,
  // The file could not be opened or read, or is larger than such a file can
  // be.
  KXE_FILE_READ = 0x120E,
  // The file is not a file of this kind, is malformed or its checksum does
  // not match: it was damaged or edited; nothing was applied.
  KXE_FILE_DAMAGED = 0x120F,
  // The file was written for a unit of another model; nothing was applied.
  KXE_FILE_FOREIGN_MODEL = 0x1210,
  // The file was written in a newer format version than this station reads;
  // nothing was applied.
  KXE_FILE_VERSION = 0x1211,
  // The unit keeps no mode page of that code, or the file does not hold it.
  KXE_UNKNOWN_MODE_PAGE = 0x1212,
  // A file already exists at that path and the call was not told to replace
  // it; nothing was written.
  KXE_FILE_EXISTS = 0x1213,
  // Wizard: fd_backup is not 0 or 1.
  KXE_WIZARD_FD_BACKUP = 0x1220,
  // Wizard: a dual-configuration value is outside its range.
  KXE_WIZARD_DUAL_CONFIG = 0x1221,
  // Wizard: the drive capacities are not those of the drives the unit holds.
  KXE_WIZARD_DRIVE_CAPACITY = 0x1222,
  // Wizard: an option word is outside 0..0xFFFF.
  KXE_WIZARD_OPTION = 0x1223,
  // Wizard: a target-ID mode, target number or multi-target switch is
  // outside its range, or an unused port slot is not all zero.
  KXE_WIZARD_TARGET_ID = 0x1224,
  // Wizard: a target's host-LUN flag is not 0 or 1, or a host LUN is beyond
  // 127.
  KXE_WIZARD_TARGET_LU = 0x1225,
  // Wizard: a mode setting is outside its range.
  KXE_WIZARD_MODE = 0x1226,
  // Wizard: an inquiry value is outside its range, or a vendor, product,
  // microcode or web title text is empty where required or not printable
  // ASCII.
  KXE_WIZARD_INQUIRY = 0x1227,
  // Wizard: a port type, port mode or port option is outside its range, or
  // an unused port slot is not zero.
  KXE_WIZARD_PORT_TYPE = 0x1228,
  // Wizard: a ROM response value is outside its range.
  KXE_WIZARD_ROM_RESPONSE = 0x1229,
  // Wizard: a controller option is outside its range or a controller name
  // is not printable ASCII.
  KXE_WIZARD_CONTROLLER_OPTION = 0x122A,
  // Wizard: a LAN setting that the LAN settings of host connectivity refuse
  // (flag, address, mask, gateway), or both controllers' same address.
  KXE_WIZARD_LAN = 0x122B,
  // Wizard: a synchronous port's rate is not one host connectivity takes.
  KXE_WIZARD_SYNC_PORT = 0x122C,
  // The target-ID import text is malformed or names a port or target outside
  // its range.
  KXE_WIZARD_IMPORT_TEXT = 0x122D,

  // --- Statistics and performance: 0x1300..0x13FF ---
  // The performance samples are not in time order: each sample must be taken
  // no earlier than the one before it.
  KXE_PERF_SAMPLES_OUT_OF_ORDER = 0x1300,
  // The performance file could not be written: check the path, the
  // permissions of its folder and the free space.
  KXE_PERF_OUTPUT_FAILED = 0x1301,

  // --- Notification and host services: 0x1400..0x14FF ---
  // E-mail notification is switched off in the station's e-mail settings.
  KXE_MAIL_OFF = 0x1400,
  // The e-mail settings are incomplete or malformed: the switch is not 0 or
  // 1, the recipient count is outside 0..20 or names an empty slot, the
  // domain or SMTP server is not a host name (SMTP: host or host:port), or
  // the switch is on without a server, a sender and a recipient.
  KXE_MAIL_INVALID_SETTING = 0x1401,
  // The sender or a recipient is not a plain mail address
  // (local-part@domain, no blanks, brackets or line breaks).
  KXE_MAIL_INVALID_ADDRESS = 0x1402,
  // The subject holds a line break or other control character, or a text of
  // the message is not valid UTF-8; nothing was sent.
  KXE_MAIL_INVALID_TEXT = 0x1403,
  // The SMTP server could not be reached: the name does not resolve, or
  // nothing accepts connections at that address and port.
  KXE_MAIL_SERVER_UNREACHABLE = 0x1404,
  // The SMTP server did not answer in time; the message may not have been
  // delivered.
  KXE_MAIL_TIMEOUT = 0x1405,
  // The SMTP server refused a recipient; the message was not sent.
  KXE_MAIL_RECIPIENT_REFUSED = 0x1406,
  // The SMTP server refused the sender address; the message was not sent.
  KXE_MAIL_SENDER_REFUSED = 0x1407,
  // The SMTP server refused the message or broke off the conversation.
  KXE_MAIL_REJECTED = 0x1408,
  // This build of the station cannot send mail (no SMTP client in it).
  KXE_MAIL_NOT_AVAILABLE = 0x1409,
  // TLS could not be used on the way to the SMTP server: it is required
  // (KX_MAIL_TLS=required) and the server offers no STARTTLS or its
  // certificate does not verify, or the TLS handshake failed; nothing was
  // sent.
  KXE_MAIL_TLS_FAILED = 0x140A,
  // The external program is switched off, or no program is configured.
  KXE_PROGRAM_OFF = 0x1410,
  // The external program settings are malformed: the switch is not 0 or 1,
  // the timeout is outside 0..86400 seconds, or the command line is empty,
  // has an unclosed quote or ends in a lone backslash.
  KXE_PROGRAM_INVALID_SETTING = 0x1411,
  // The external program does not exist.
  KXE_PROGRAM_NOT_FOUND = 0x1412,
  // The external program exists but cannot be executed (no permission, not
  // a program).
  KXE_PROGRAM_NOT_EXECUTABLE = 0x1413,
  // The external program did not finish within its timeout and was stopped.
  KXE_PROGRAM_TIMEOUT = 0x1414,
  // The external program ended with a nonzero exit status or was killed by
  // a signal; the application log has the details.
  KXE_PROGRAM_FAILED = 0x1415,
  // The external program could not be started for another reason (out of
  // processes or memory).
  KXE_PROGRAM_START_FAILED = 0x1416,
  // An SNMP manager is not a host name or address with an optional port
  // 1..65535, or more than 8 managers were given.
  KXE_SNMP_INVALID_MANAGER = 0x1420,
  // An SNMP option is unknown or malformed (community of 1..32 printable
  // characters, switches "on" or "off").
  KXE_SNMP_INVALID_SETTING = 0x1421,
  // The SNMP configuration file could not be written: the directory does
  // not exist or is not writable, or the file name is not a plain name.
  KXE_SNMP_OUTPUT = 0x1422,
  // A log file in the station directory could not be opened, locked or
  // written.
  KXE_LOG_WRITE = 0x1430,
  // The station directory is not writable.
  KXE_ENV_DIRECTORY_NOT_WRITABLE = 0x1431,
  // The disk of the station directory has less free space than the station
  // needs (16 MB).
  KXE_ENV_LOW_DISK_SPACE = 0x1432,
  // The station's database failed its integrity check.
  KXE_ENV_DATABASE_DAMAGED = 0x1433,
  // The Java version is older than the station supports (17).
  KXE_JAVA_VERSION_UNSUPPORTED = 0x1434,
  // The text is not a Java version string.
  KXE_JAVA_VERSION_INVALID = 0x1435,

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

  // --- Special LUs, configuration files, snapshot: 0x1600..0x16FF ---
  // The LU belongs to a unified LU: while unified it cannot be deleted,
  // renumbered, resized, formatted without the other members, paired (a
  // child), made a turbo LU (a child) or joined to another unified LU.
  KXE_UNIFIED_MEMBER = 0x1600,
  // The LU is in a coupling pair: while paired it cannot be deleted,
  // renumbered, resized, unified or split, or coupled a second time.
  KXE_LU_PAIRED = 0x1601,
  // The LUs to unify lie in RAID groups of different RAID levels.
  KXE_RAID_LEVEL_MISMATCH = 0x1602,
  // The LUs to couple differ in capacity (a unified LU counts with all its
  // members).
  KXE_CAPACITY_MISMATCH = 0x1603,
  // The LU is not the parent of a unified LU.
  KXE_NOT_UNIFIED = 0x1604,
  // The LU is not the primary LU of a coupling pair.
  KXE_NOT_PAIRED = 0x1605,
  // The LU is larger than the cache a controller sets aside for its turbo
  // LU (2048 MB).
  KXE_TURBO_CACHE_EXCEEDED = 0x1606,
  // The configuration file could not be created or written (no such
  // directory, no permission, disk full); no file was left behind.
  KXE_RGLU_FILE_WRITE = 0x1607,
  // The configuration file could not be opened or read, or it is larger
  // than any configuration file can be (1 MB).
  KXE_RGLU_FILE_READ = 0x1608,
  // The file is not a RAID group and LU configuration file: its first line
  // is not the format's header.
  KXE_FILE_NOT_CONFIGURATION = 0x1609,
  // The configuration file was written in a format version this station
  // does not read.
  KXE_RGLU_FILE_VERSION = 0x160A,
  // The configuration file is damaged: its checksum line is missing (the
  // file was cut short) or does not match the contents.
  KXE_FILE_CHECKSUM = 0x160B,
  // A line of the configuration file cannot be used although its checksum
  // matches: an unknown keyword, missing or extra numbers, a number out of
  // range, a RAID group or LU listed twice, or an LU of a RAID group the
  // file does not hold.
  KXE_FILE_MALFORMED = 0x160C,

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
