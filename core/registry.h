// The unit registry as the other areas see it: every per-unit operation
// starts by checking its unit-name argument and finding the unit's id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "station.h"

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
// Whether a controller number names one of the unit's controllers.
bool IsController(int64_t controller);

}  // namespace tesk740
