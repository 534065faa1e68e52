// The unit registry as the other areas see it: every per-unit operation
// starts by checking its unit-name argument and finding the unit's id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "station/station.h"

namespace tesk740 {

// A unit name is 1 to 16 bytes, none of them a control character.
constexpr size_t kMaxUnitNameLength = 16;

// Reads a unit name from a `width`-byte buffer (17, or 1024 for the calls
// that take a long one). KXE_INVALID_ARGUMENT for a null buffer,
// KXE_INVALID_UNIT_NAME for a name that breaks the rule above or has no NUL
// within the buffer.
int32_t ReadUnitName(const char* buffer, size_t width, std::string* name);

// The id of the named unit, if it is registered.
std::optional<int64_t> FindUnitId(Database& database, std::string_view name);

// As FindUnitId, but fails the station work with KXE_UNKNOWN_UNIT.
int64_t RequireUnitId(Database& database, std::string_view name);

// Reads a unit name and finds the unit, failing the work with the name's
// code, KXE_UNKNOWN_UNIT, or the code of a unit that is restarting.
int64_t RequireUnit(Database& database, const char* unit, size_t width);
// Finds a unit by a name in a `width`-byte buffer whether or not it is ready:
// for station-side work that needs no answer from the unit.
int64_t RequireKnownUnit(Database& database, const char* unit, size_t width);
// Whether a controller number names one of the unit's controllers.
bool IsController(int64_t controller);

// A unit restarts (after KX_UnitReboot or KX_MicroReplace; the maintenance
// area starts it) until the moment kept in unit_restart.
// When the unit's restart ends, in ms since the epoch; 0 when it is ready.
int64_t UnitRestartEndMs(Database& database, int64_t unit_id, int64_t now_ms);
// Fails the station work with KXE_UNIT_NOT_READY while the unit restarts.
void RequireUnitReady(Database& database, int64_t unit_id);

}  // namespace tesk740
