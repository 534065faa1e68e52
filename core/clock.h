// The unit clock as the other areas read it: the host clock plus the unit's
// offset. Runs inside a station transaction.
#pragma once

#include <cstdint>
#include <ctime>

#include "station.h"

namespace tesk740 {

// Seconds since the epoch on the unit's clock.
int64_t UnitClockSeconds(Database& database, int64_t unit_id);
// Local broken-down time of a moment, as std::tm.
std::tm LocalTime(int64_t seconds);

}  // namespace tesk740
