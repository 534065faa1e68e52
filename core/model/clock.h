// The clocks of the simulated array. Every reading of the wall clock in the
// core goes through NowMs(), so the station's time can be set for a test or a
// demonstration (KX_CLOCK_FILE, below) and every area sees the same time:
// format and rebuild progress, restart windows, statistics intervals, log
// and mail time stamps, events. Timeouts that measure elapsed time on a
// monotonic clock (lock waits, program runs) do not use it.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "station/station.h"

namespace tesk740 {

// Milliseconds since the epoch on the station's host clock: the wall clock,
// unless the environment variable KX_CLOCK_FILE names a file holding one
// decimal number (both read on every call, so every process started with the
// variable sees the same time, and a test moves it by rewriting the file):
//   N    the clock stands at N ms since the epoch until the file changes;
//   +N   the wall clock N ms ahead (-N: behind).
// A file that is missing or holds anything else leaves the wall clock.
int64_t NowMs();

// Seconds since the epoch on the unit's clock: the host clock plus the
// unit's offset. Runs inside a station transaction.
int64_t UnitClockSeconds(Database& database, int64_t unit_id);
// Local and UTC broken-down time of a moment in seconds since the epoch.
std::tm LocalTime(int64_t seconds);
std::tm UtcTime(int64_t seconds);
// Milliseconds since the epoch as UTC "YYYY-MM-DDThh:mm:ss.mmmZ".
std::string UtcStamp(int64_t ms);

}  // namespace tesk740
