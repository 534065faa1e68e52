// What the notification and host service files of the core share: the
// station directory, the logs, text and host-name checks, and the latest
// alert. docs/services.md describes the behaviour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "station/station.h"

namespace tesk740 {

// `name` inside the station directory.
std::string StationFile(const std::string& directory, const char* name);

// --- Logs ------------------------------------------------------------------

enum class LogKind { kError, kApplication };
// Appends one time-stamped line to the log in `directory`; KX_OK or
// KXE_LOG_WRITE.
int32_t AppendLog(const std::string& directory, LogKind kind,
                  std::string_view text);
// The line as it is written (without its time stamp and process id): every
// control byte and backslash escaped, so a text is always one line.
std::string EscapeLogText(std::string_view text);

// --- Texts -----------------------------------------------------------------

// The text before the first NUL of a `width`-byte argument; fails the work
// (or returns KXE_INVALID_ARGUMENT from TryReadText) for a null pointer or a
// text with no NUL within the width.
int32_t TryReadText(const char* field, size_t width, std::string* text);
// Java's modified UTF-8 (NUL as C0 80, characters beyond the BMP as two
// three-byte surrogates) as standard UTF-8. False for malformed text or a
// NUL.
bool ToStandardUtf8(std::string_view text, std::string* utf8);
// The longest start of a valid UTF-8 text that fits `limit` bytes, never
// cutting a character.
std::string_view CutUtf8(std::string_view text, size_t limit);

// A DNS host name: labels of letters, digits and '-' (not first or last),
// 1..63 bytes each, separated by dots, 1..253 bytes in all.
bool IsHostName(std::string_view text);
// A host name, an IPv4 address, or an IPv6 address in brackets; with an
// optional ":port" (1..65535, else `default_port`).
bool ParseHostPort(std::string_view text, int default_port, std::string* host,
                   int* port);

// --- Alerts ----------------------------------------------------------------

// The latest KX_AlertCheck that found an alert new or one ended, handed to
// the external program. Empty unit: no alert yet.
struct AlertEvent {
  std::string unit;
  int64_t time_ms = 0;
  int32_t value = 0;
  std::string details;  // the unit's alerts then, "; " between them
  std::string cleared;  // the alerts that had ended
};
AlertEvent LoadLatestAlert(Database& database);
// Local time of a moment as YYYY-MM-DDThh:mm:ss.
std::string FormatLocalTime(int64_t time_ms);

// --- SNMP traps ------------------------------------------------------------

// An event of a unit as its trap carries it: kind a stable lower-case name
// ("drive-blocked"), object what it concerns ("drive 0/3 of RAID group 2"),
// time_ms the station's clock.
struct TrapEvent {
  std::string unit_name;
  std::string kind;
  std::string object;
  int64_t time_ms;
};
// Inside a write transaction: when the unit's traps are on and the kind's
// switch allows it, queues one SNMPv2c trap per configured manager, sent
// after the commit outside the station lock (RunAfterCommit); nothing when
// the transaction rolls back. Kinds with no trap switch send nothing.
void QueueEventTraps(Database& database, int64_t unit_id,
                     const TrapEvent& event);

}  // namespace tesk740
