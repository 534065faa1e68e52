// Format jobs and rebuilds on the host clock (format_jobs.h).
#include "model/format_jobs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "kx_errors.h"
#include "kx_station.h"
#include "model/clock.h"

namespace tesk740 {

namespace {

double SecondsPerGb() {
  const char* setting = std::getenv("KX_FORMAT_SECONDS_PER_GB");
  if (setting != nullptr && *setting != '\0') {
    char* end = nullptr;
    const double value = std::strtod(setting, &end);
    if (*end == '\0' && value >= 0 && std::isfinite(value)) return value;
  }
  return KX_FORMAT_DEFAULT_SECONDS_PER_GB;
}

}  // namespace

int64_t WorkDurationMs(int64_t capacity_mb) {
  return static_cast<int64_t>(std::llround(static_cast<double>(capacity_mb) /
                                           1024.0 * SecondsPerGb() * 1000));
}

FormatProgress ProgressOf(int64_t start_ms, int64_t duration_ms,
                          int64_t now_ms) {
  const int64_t elapsed = std::max<int64_t>(0, now_ms - start_ms);
  if (elapsed >= duration_ms) return {KX_FORMAT_DONE, 100};
  // Below 100 until the very end, so 100 always means done.
  return {KX_FORMAT_RUNNING, static_cast<int32_t>(std::min<int64_t>(
                                 99, elapsed * 100 / duration_ms))};
}

FormatProgress LuFormatProgress(Database& database, int64_t unit_id,
                                int64_t lu_number, int64_t now_ms) {
  Statement select = database.Prepare(
      "SELECT start_ms, duration_ms FROM format_job"
      " WHERE unit_id = ?1 AND lu_number = ?2");
  select.Bind(1, unit_id).Bind(2, lu_number);
  if (!select.Step()) return {};
  return ProgressOf(select.Int(0), select.Int(1), now_ms);
}

std::map<int64_t, FormatProgress> UnitFormatProgress(Database& database,
                                                     int64_t unit_id,
                                                     int64_t now_ms) {
  Statement select = database.Prepare(
      "SELECT lu_number, start_ms, duration_ms FROM format_job"
      " WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  std::map<int64_t, FormatProgress> progress;
  while (select.Step()) {
    progress[select.Int(0)] =
        ProgressOf(select.Int(1), select.Int(2), now_ms);
  }
  return progress;
}

void RequireNotFormatting(Database& database, int64_t unit_id,
                          int64_t lu_number) {
  if (LuFormatProgress(database, unit_id, lu_number, NowMs()).status ==
      KX_FORMAT_RUNNING) {
    Fail(KXE_LU_FORMATTING);
  }
}

}  // namespace tesk740
