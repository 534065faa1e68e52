// Timed work of the simulated array: format jobs and drive rebuilds, their
// duration and progress on the host clock. Everything here runs inside a
// station transaction.
#pragma once

#include <cstdint>
#include <map>

#include "station/station.h"

namespace tesk740 {

// How long formatting or rebuilding `capacity_mb` takes: the seconds per
// GB of KX_FORMAT_SECONDS_PER_GB when it is a decimal number >= 0 (read on
// every call, so a test or a demonstration can make it fast), else
// KX_FORMAT_DEFAULT_SECONDS_PER_GB.
int64_t WorkDurationMs(int64_t capacity_mb);

struct FormatProgress {
  int32_t status = 0;   // KX_FORMAT_NONE, _RUNNING or _DONE
  int32_t percent = 0;  // 0..100
};
FormatProgress ProgressOf(int64_t start_ms, int64_t duration_ms,
                          int64_t now_ms);
// The progress of the LU's latest job.
FormatProgress LuFormatProgress(Database& database, int64_t unit_id,
                                int64_t lu_number, int64_t now_ms);
// The progress of every LU of the unit that has a job, by LU number: one
// statement for readers that report many LUs.
std::map<int64_t, FormatProgress> UnitFormatProgress(Database& database,
                                                     int64_t unit_id,
                                                     int64_t now_ms);
// Fails the station work with KXE_LU_FORMATTING while the LU formats.
void RequireNotFormatting(Database& database, int64_t unit_id,
                          int64_t lu_number);

}  // namespace tesk740
