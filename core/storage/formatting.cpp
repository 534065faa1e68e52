// Format jobs. A job is stored as its start and duration on the host's wall
// clock, so its progress is computed when read and every process sees the
// same. One job per LU is kept: the latest.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_storage.h"
#include "model/clock.h"
#include "model/events.h"
#include "model/format_jobs.h"
#include "model/registry.h"
#include "storage/storage.h"

namespace tesk740 {
namespace {

int64_t DurationMs(int64_t capacity_mb, int32_t mode) {
  const int64_t full = WorkDurationMs(capacity_mb);
  return mode == KX_FORMAT_QUICK ? full / KX_QUICK_FORMAT_DIVISOR : full;
}

// The batch a job started now joins: the running one, or a new one.
int64_t BatchForNewJob(Database& database, int64_t unit_id, int64_t now_ms) {
  Statement latest = database.Prepare(
      "SELECT coalesce(max(batch), 0),"
      " EXISTS (SELECT 1 FROM format_job WHERE unit_id = ?1"
      "   AND start_ms + duration_ms > ?2)"
      " FROM format_job WHERE unit_id = ?1");
  latest.Bind(1, unit_id).Bind(2, now_ms);
  latest.Step();
  return latest.Int(1) != 0 ? latest.Int(0) : latest.Int(0) + 1;
}

struct FormatRequest {
  int64_t lu_number;
  int32_t mode;
};

// Starts every job or, failing on one LU, none (the transaction rolls back).
void StartJobs(Database& database, int64_t unit_id,
               const std::vector<FormatRequest>& requests) {
  const int64_t now = NowMs();
  const int64_t batch = BatchForNewJob(database, unit_id, now);
  std::vector<int64_t> lus;
  for (const FormatRequest& request : requests) {
    lus.push_back(request.lu_number);
  }
  RequireWholeUnifiedLus(database, unit_id, lus);
  for (const FormatRequest& request : requests) {
    Statement lu = database.Prepare(
        "SELECT capacity_mb FROM logical_unit"
        " WHERE unit_id = ?1 AND lu_number = ?2");
    lu.Bind(1, unit_id).Bind(2, request.lu_number);
    if (!lu.Step()) Fail(KXE_UNKNOWN_LU);
    RequireNotFormatting(database, unit_id, request.lu_number);
    Statement start = database.Prepare(
        "INSERT OR REPLACE INTO format_job (unit_id, lu_number, mode, batch,"
        " start_ms, duration_ms) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    start.Bind(1, unit_id)
        .Bind(2, request.lu_number)
        .Bind(3, request.mode)
        .Bind(4, batch)
        .Bind(5, now)
        .Bind(6, DurationMs(lu.Int(0), request.mode));
    start.Run();
    RecordFormatStarted(database, unit_id, request.lu_number, request.mode);
  }
}

struct Job {
  int64_t lu_number;
  int64_t batch;
  int64_t start_ms;
  int64_t duration_ms;
};

std::vector<Job> LoadJobs(Database& database, int64_t unit_id) {
  std::vector<Job> jobs;
  Statement select = database.Prepare(
      "SELECT lu_number, batch, start_ms, duration_ms FROM format_job"
      " WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  while (select.Step()) {
    jobs.push_back({select.Int("lu_number"),
                    select.Int("batch"), select.Int("start_ms"),
                    select.Int("duration_ms")});
  }
  return jobs;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_LogicalUnitFormat(const char* unit, int32_t lu_number,
                                    int32_t mode) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (mode != KX_FORMAT_FULL && mode != KX_FORMAT_QUICK) {
      return KXE_INVALID_ARGUMENT;
    }
    tesk740::StartJobs(database, unit_id, {{lu_number, mode}});
    return KX_OK;
  });
}

KX_API int32_t KX_EntryFormatList(const char* unit,
                                  const FormatEntryListRecord* list) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (list == nullptr) return KXE_INVALID_ARGUMENT;
    std::vector<tesk740::FormatRequest> requests;
    for (int32_t lu = 0; lu < KX_LOGICAL_UNIT_COUNT; ++lu) {
      switch (list->lu[lu]) {
        case KX_ENTRY_NONE:
          break;
        case KX_ENTRY_FULL:
          requests.push_back({lu, KX_FORMAT_FULL});
          break;
        case KX_ENTRY_QUICK:
          requests.push_back({lu, KX_FORMAT_QUICK});
          break;
        default:
          return KXE_INVALID_ARGUMENT;
      }
    }
    if (requests.empty()) return KXE_INVALID_ARGUMENT;
    tesk740::StartJobs(database, unit_id, requests);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitFormatStatus(const char* unit, int32_t lu_number,
                                          int32_t* value) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (value == nullptr) return KXE_INVALID_ARGUMENT;
    Statement lu = database.Prepare(
        "SELECT 1 FROM logical_unit WHERE unit_id = ?1 AND lu_number = ?2");
    lu.Bind(1, unit_id).Bind(2, lu_number);
    if (!lu.Step()) return KXE_UNKNOWN_LU;
    *value = tesk740::LuFormatProgress(database, unit_id, lu_number,
                                       tesk740::NowMs())
                 .percent;
    return KX_OK;
  });
}

KX_API int32_t KX_GetFormatStatusList(const char* unit,
                                      FormatStatusListRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const std::vector<tesk740::Job> jobs = tesk740::LoadJobs(database, unit_id);
    int64_t latest_batch = 0;
    for (const tesk740::Job& job : jobs) {
      latest_batch = std::max(latest_batch, job.batch);
    }
    const int64_t now = tesk740::NowMs();
    auto list = std::make_unique<FormatStatusListRecord>();
    std::memset(list.get(), 0, sizeof *list);
    int64_t batch_total = 0;
    int64_t batch_done = 0;
    int64_t batch_end = now;
    for (const tesk740::Job& job : jobs) {
      const tesk740::FormatProgress progress =
          tesk740::ProgressOf(job.start_ms, job.duration_ms, now);
      FormatStatusRecord& entry = list->lu[job.lu_number];
      entry.status = progress.status;
      entry.percent = progress.percent;
      if (job.batch != latest_batch) continue;
      entry.entry = 1;
      batch_total += job.duration_ms;
      batch_done +=
          std::min(job.duration_ms, std::max<int64_t>(0, now - job.start_ms));
      batch_end = std::max(batch_end, job.start_ms + job.duration_ms);
    }
    const bool running = batch_end > now;
    list->mode = running ? KX_FORMAT_LIST_RUNNING : KX_FORMAT_LIST_IDLE;
    // No job yet: 0. A batch of zero-length jobs (a setting of 0) is done
    // as it starts.
    if (latest_batch > 0) {
      list->totalpercent = static_cast<int32_t>(
          running ? std::min<int64_t>(99, batch_done * 100 / batch_total)
                  : 100);
    }
    list->resttime = static_cast<int32_t>((batch_end - now + 999) / 1000);
    std::memcpy(record, list.get(), sizeof *list);
    return KX_OK;
  });
}

KX_API int32_t KX_LogicalUnitFormatStatusList(
    const char* unit, LuFormatStatusListRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const int64_t now = tesk740::NowMs();
    auto list = std::make_unique<LuFormatStatusListRecord>();
    std::memset(list.get(), 0, sizeof *list);
    for (const tesk740::Job& job : tesk740::LoadJobs(database, unit_id)) {
      const tesk740::FormatProgress progress =
          tesk740::ProgressOf(job.start_ms, job.duration_ms, now);
      list->lu[job.lu_number].status = progress.status;
      list->lu[job.lu_number].percent = progress.percent;
    }
    std::memcpy(record, list.get(), sizeof *list);
    return KX_OK;
  });
}
