// Maintenance as the other areas see it: restarting a unit, the microcode
// revision it runs, and its event history. Everything here runs
// inside a station transaction.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "station/station.h"

namespace tesk740 {

// Ends the unit's login sessions and makes it not ready for `duration_ms`.
void RestartUnit(Database& database, int64_t unit_id, int64_t duration_ms,
                 std::string_view reason);

// How long a restart keeps a unit not ready, from KX_RESTART_SECONDS.
int64_t RestartDurationMs();

// The microcode revision the unit runs.
std::string UnitMicrocodeRevision(Database& database, int64_t unit_id);

// Adds an event of `kind` (model/events.h) to the unit's record.
// `controller` is 0 or 1 for an event of one controller (its object), -1 for
// the unit as a whole; `category` one of the KX_TRACE_ bits of
// kx_station_maintenance.h.
void RecordUnitEvent(Database& database, int64_t unit_id, const char* kind,
                     int32_t controller, int32_t category,
                     std::string_view text);

// A host path taken relative to the station's working directory.
// Reads a path argument (1..1023 bytes of modified UTF-8, NUL-terminated
// within 1024) and resolves it against the station's directory;
// KXE_INVALID_ARGUMENT for a null, empty, unterminated or undecodable path,
// or one holding an encoded NUL.
std::filesystem::path HostPath(Database& database, const char* path);

// Seconds from a decimal environment variable (>= 0, at most a day), read on
// every call, or `fallback`.
double SecondsFromEnvironment(const char* name, double fallback);

}  // namespace tesk740
