// The unit clock natives: the host clock plus a per-unit offset in whole
// seconds, so it keeps running between calls and processes without anything
// ticking (model/clock.h).
#include <cstring>
#include <ctime>

#include "kx_clock.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_maintenance.h"
#include "model/clock.h"
#include "model/events.h"
#include "model/registry.h"

namespace tesk740 {
namespace {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  return month == 1 && IsLeapYear(year) ? 29 : kDays[month];
}

// The time a caller sets carries the calendar year itself in tm_year.
bool IsValidTime(const BrokenDownTime& time) {
  return time.tm_year >= KX_CLOCK_FIRST_YEAR &&
         time.tm_year <= KX_CLOCK_LAST_YEAR && time.tm_mon >= 0 &&
         time.tm_mon <= 11 && time.tm_mday >= 1 &&
         time.tm_mday <= DaysInMonth(time.tm_year, time.tm_mon) &&
         time.tm_hour >= 0 && time.tm_hour <= 23 && time.tm_min >= 0 &&
         time.tm_min <= 59 && time.tm_sec >= 0 && time.tm_sec <= 59;
}

void SetOffset(Database& database, int64_t unit_id, int64_t offset_seconds) {
  Statement store = database.Prepare(
      "INSERT OR REPLACE INTO unit_clock (unit_id, offset_seconds)"
      " VALUES (?1, ?2)");
  store.Bind(1, unit_id).Bind(2, offset_seconds);
  store.Run();
  Event event;
  event.kind = "clock-set";
  event.category = KX_TRACE_CONFIGURATION;
  event.text = "unit clock set: " + std::to_string(offset_seconds) +
               " s from the host";
  RecordEvent(database, unit_id, event);
}

}  // namespace

}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;

KX_API int32_t KX_GetUnitTime(const char* unit, BrokenDownTime* clock) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (clock == nullptr) return KXE_INVALID_ARGUMENT;
    const std::tm now =
        tesk740::LocalTime(tesk740::UnitClockSeconds(database, unit_id));
    clock->tm_sec = now.tm_sec;
    clock->tm_min = now.tm_min;
    clock->tm_hour = now.tm_hour;
    clock->tm_mday = now.tm_mday;
    clock->tm_mon = now.tm_mon;
    clock->tm_year = now.tm_year;
    clock->tm_wday = now.tm_wday;
    clock->tm_yday = now.tm_yday;
    clock->tm_isdst = now.tm_isdst > 0 ? 1 : 0;
    return KX_OK;
  });
}

KX_API int32_t KX_SetUnitTime(const char* unit, const BrokenDownTime* clock) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (clock == nullptr) return KXE_INVALID_ARGUMENT;
    if (!tesk740::IsValidTime(*clock)) return KXE_INVALID_TIME;
    std::tm wanted{};
    wanted.tm_sec = clock->tm_sec;
    wanted.tm_min = clock->tm_min;
    wanted.tm_hour = clock->tm_hour;
    wanted.tm_mday = clock->tm_mday;
    wanted.tm_mon = clock->tm_mon;
    wanted.tm_year = clock->tm_year - 1900;
    // Let the C library decide whether summer time applies then.
    wanted.tm_isdst = -1;
    const std::time_t moment = std::mktime(&wanted);
    if (moment == static_cast<std::time_t>(-1)) return KXE_INVALID_TIME;
    tesk740::SetOffset(database, unit_id,
                       static_cast<int64_t>(moment) - tesk740::NowMs() / 1000);
    return KX_OK;
  });
}

KX_API int32_t KX_SetUnitTimeNow(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::SetOffset(database, unit_id, 0);
    return KX_OK;
  });
}
