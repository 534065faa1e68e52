// What the ints of the notification and host services mean: the e-mail and
// external program switches, the alert check and the limits of the station's
// logs. docs/services.md describes the behaviour around them.
#pragma once

#include <cstdint>

// EmailInfoRecord.on_off and ExProgramInfoRecord.on_off.
enum : int32_t {
  KX_SERVICE_OFF = 0,
  KX_SERVICE_ON = 1,
};

// ExProgramInfoRecord.exec_mode: how long the station waits for the
// program, in seconds; 0 picks the default. A program still running then is
// stopped (KXE_PROGRAM_TIMEOUT).
enum : int32_t {
  KX_PROGRAM_DEFAULT_TIMEOUT = 0,
  KX_PROGRAM_DEFAULT_TIMEOUT_SECONDS = 60,
  KX_PROGRAM_MAX_TIMEOUT_SECONDS = 86400,
};

// KX_AlertCheck(unit, mode, &value).
// mode KX_ALERT_CHECK remembers the alerts it reports, so that the next
// check reports only later ones as new; KX_ALERT_PEEK reports without
// remembering.
enum : int32_t {
  KX_ALERT_CHECK = 0,
  KX_ALERT_PEEK = 1,
};
// value: the kinds of alert the unit has now in its low 16 bits; the kinds
// with an alert not reported by an earlier KX_ALERT_CHECK (kind <<
// KX_ALERT_NEW_SHIFT); and the kinds with an alert that an earlier check
// reported and that has ended since (kind << KX_ALERT_CLEARED_SHIFT), so a
// recovery is reported once, as a fault is. 0: nothing to report.
enum : int32_t {
  KX_ALERT_DRIVE_BLOCKED = 0x01,     // a drive is blocked (failed)
  KX_ALERT_DRIVE_REBUILDING = 0x02,  // a drive is being rebuilt
  KX_ALERT_GROUP_DEGRADED = 0x04,    // a RAID group runs without redundancy
                                     // it is built for (a member blocked or
                                     // rebuilding, within what it tolerates)
  KX_ALERT_GROUP_FAILED = 0x08,      // a RAID group lost more members than
                                     // its level tolerates
  KX_ALERT_FORMAT_FAILED = 0x10,     // an LU formatted or formatting on a
                                     // failed RAID group
  KX_ALERT_PART_FAILED = 0x20,       // a part other than a drive is not
                                     // normal (never in the simulation)
  KX_ALERT_NEW_SHIFT = 16,
  KX_ALERT_CLEARED_SHIFT = 24,
};

// Logs: error.log and application.log in the station directory. A log that
// would grow past KX_LOG_ROTATE_BYTES is renamed to <name>.1 (replacing the
// previous one) before the line is written to a new file.
enum : int32_t {
  KX_LOG_ROTATE_BYTES = 1024 * 1024,
};

// KX_EnvironmentCheck: the free space the station directory's disk must
// offer, and KX_JavaVersionCheck: the oldest Java feature release accepted.
enum : int32_t {
  KX_MIN_FREE_MB = 16,
  KX_MIN_JAVA_FEATURE = 17,
  // SNMP settings: managers per unit, community length.
  KX_SNMP_MAX_MANAGERS = 8,
  KX_SNMP_MAX_COMMUNITY = 32,
  KX_SNMP_DEFAULT_PORT = 162,
  KX_SMTP_DEFAULT_PORT = 25,
};
