// The host clock and the unit clock (clock.h).
#include "model/clock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "station/files.h"

namespace tesk740 {
namespace {

int64_t WallMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// The setting in the clock file: a moment, or an offset from the wall clock.
struct ClockSetting {
  bool offset = false;
  int64_t ms = 0;
};

std::optional<ClockSetting> ReadClockFile(const std::string& path) {
  // Never a FIFO or a device: the clock must not block its caller. The
  // first line is all that counts.
  std::string text;
  if (ReadCallerFilePrefix(std::filesystem::path(path), 64, &text) !=
      FileRead::kRead) {
    return std::nullopt;
  }
  text.erase(std::min(text.find('\n'), text.size()));
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  ClockSetting setting;
  size_t start = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    setting.offset = true;
    start = text[0] == '+' ? 1 : 0;
  }
  if (text.size() <= start || text.size() - start > 19) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str() + start, &end, 10);
  if (errno != 0 || *end != '\0' || (!setting.offset && value < 0)) {
    return std::nullopt;
  }
  setting.ms = value;
  return setting;
}

}  // namespace

int64_t NowMs() {
  const int64_t wall = WallMs();
  const char* path = std::getenv("KX_CLOCK_FILE");
  if (path == nullptr || *path == '\0') return wall;
  const std::optional<ClockSetting> setting = ReadClockFile(path);
  if (!setting) return wall;
  if (!setting->offset) return setting->ms;
  // An offset that would leave the years the clock can show is ignored.
  constexpr int64_t kTenThousandYearsMs = 315569520000000;
  if (setting->ms > kTenThousandYearsMs || setting->ms < -wall) return wall;
  return wall + setting->ms;
}

int64_t UnitClockSeconds(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT offset_seconds FROM unit_clock WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  const int64_t offset = select.Step() ? select.Int(0) : 0;
  return NowMs() / 1000 + offset;
}

std::tm LocalTime(int64_t seconds) {
  const std::time_t moment = static_cast<std::time_t>(seconds);
  std::tm broken_down{};
#if defined(_WIN32)
  localtime_s(&broken_down, &moment);
#else
  localtime_r(&moment, &broken_down);
#endif
  return broken_down;
}

std::tm UtcTime(int64_t seconds) {
  const std::time_t moment = static_cast<std::time_t>(seconds);
  std::tm broken_down{};
#if defined(_WIN32)
  gmtime_s(&broken_down, &moment);
#else
  gmtime_r(&moment, &broken_down);
#endif
  return broken_down;
}

// By the civil calendar: no time-zone or thread-unsafe C library call.
std::string UtcStamp(int64_t ms) {
  const int64_t days = ms / 86400000;
  const int64_t in_day = ms % 86400000;
  const int64_t z = days + 719468;
  const int64_t era = z / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[96];
  std::snprintf(
      text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.%03lldZ",
      static_cast<long long>(year), static_cast<long long>(month),
      static_cast<long long>(day), static_cast<long long>(in_day / 3600000),
      static_cast<long long>(in_day / 60000 % 60),
      static_cast<long long>(in_day / 1000 % 60),
      static_cast<long long>(in_day % 1000));
  return text;
}

}  // namespace tesk740
