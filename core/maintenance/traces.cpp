// The event history of a unit as trace text, trace files and the web trace.
//
// One line per event, oldest first:
//   <number> <YYYY-MM-DDThh:mm:ss.mmmZ> <unit|ctl0|ctl1> <category> <text>
// Event numbers grow with every event of the station (the gaps are other
// units' events); categories are session, config, format, drive, control
// and micro. When not every chosen event fits, the newest are kept and a
// first line "... N earlier events not shown" says how many were left out.
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_maintenance.h"
#include "maintenance/maintenance.h"
#include "model/clock.h"
#include "model/registry.h"
#include "station/files.h"
#include "station/fixed_text.h"

namespace tesk740 {
namespace {

const char* CategoryName(int64_t category) {
  switch (category) {
    case KX_TRACE_SESSIONS:
      return "session";
    case KX_TRACE_CONFIGURATION:
      return "config";
    case KX_TRACE_FORMATS:
      return "format";
    case KX_TRACE_DRIVES:
      return "drive";
    case KX_TRACE_UNIT_CONTROL:
      return "control";
    case KX_TRACE_MICROCODE:
      return "micro";
    default:
      return nullptr;
  }
}

// Which controller's events a trace takes.
enum class Side { kAll, kUnit, kController0, kController1 };

struct TraceRequest {
  int32_t categories = KX_TRACE_ALL;
  int64_t first = 0;       // lowest event number taken
  int64_t max_events = 0;  // 0: no limit
  Side side = Side::kAll;
  size_t budget = 0;  // bytes of text at most; 0: no limit
};

bool IsTraceRequest(int32_t categories, int32_t first, int32_t max_events) {
  return categories > 0 && (categories & ~KX_TRACE_ALL) == 0 && first >= 0 &&
         max_events >= 0;
}

std::string OmittedLine(int64_t omitted) {
  return "... " + std::to_string(omitted) + " earlier events not shown\n";
}

// The unit's chosen events as trace lines, the newest kept.
std::string RenderTrace(Database& database, int64_t unit_id,
                        const TraceRequest& request) {
  Statement select = database.Prepare(
      "SELECT event_id, time_ms, controller, category, text FROM station_event"
      " WHERE unit_id = ?1 AND event_id >= ?2 AND (category & ?3) != 0"
      " ORDER BY event_id DESC");
  select.Bind(1, unit_id).Bind(2, request.first).Bind(3, request.categories);
  std::vector<std::string> lines;  // newest first
  size_t used = 0;
  int64_t omitted = 0;
  while (select.Step()) {
    const int64_t controller = select.Int(2);
    const char* category = CategoryName(select.Int(3));
    const int64_t time_ms = select.Int(1);
    if (controller < -1 || controller > 1 || category == nullptr ||
        time_ms < 0 || time_ms > int64_t{253402300799999}) {
      Fail(KXE_STATION_DAMAGED);
    }
    const bool wanted =
        request.side == Side::kAll ||
        (request.side == Side::kUnit && controller == -1) ||
        (request.side == Side::kController0 && controller == 0) ||
        (request.side == Side::kController1 && controller == 1);
    if (!wanted) continue;
    if (omitted > 0 ||
        (request.max_events > 0 &&
         static_cast<int64_t>(lines.size()) >= request.max_events)) {
      ++omitted;
      continue;
    }
    std::string text = select.Text(4);
    // One line per event, whatever bytes a name carried.
    for (char& c : text) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    static const char* const kSides[] = {"unit", "ctl0", "ctl1"};
    std::string line = std::to_string(select.Int(0)) + " " + UtcStamp(time_ms) +
                       " " + kSides[controller + 1] + " " + category + " " +
                       text + "\n";
    if (request.budget > 0 && used + line.size() > request.budget) {
      ++omitted;
      continue;
    }
    used += line.size();
    lines.push_back(std::move(line));
  }
  if (omitted > 0 && request.budget > 0) {
    // Room for the line that says how many were left out.
    while (!lines.empty() &&
           used + OmittedLine(omitted).size() > request.budget) {
      used -= lines.back().size();
      lines.pop_back();
      ++omitted;
    }
  }
  std::string trace = omitted > 0 ? OmittedLine(omitted) : std::string();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    trace += *line;
  }
  return trace;
}

// Replaces the trace file whole, so a failure never leaves half a file.
// Owner-only: a trace holds the station's events, mail subjects and
// program command lines among them.
int32_t WriteTraceFile(const std::filesystem::path& path,
                       const std::string& text) {
  return WriteFileReplacing(path, text, NewFileAccess::kOwnerOnly)
             ? KX_OK
             : KXE_TRACE_FILE_WRITE;
}

int32_t CreateTraceFile(const char* unit, const TraceRequest& request,
                        const char* path) {
  std::string text;
  std::filesystem::path file;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireKnownUnit(database, unit, kUnitNameSize);
    file = HostPath(database, path);
    char categories[8];
    std::snprintf(categories, sizeof categories, "0x%02X",
                  static_cast<unsigned>(request.categories));
    // The name was checked: NUL-terminated within its buffer.
    text = std::string("# trace of unit ") + unit + ", categories " +
           categories + ", written " + UtcStamp(NowMs()) + "\n" +
           RenderTrace(database, unit_id, request);
    return KX_OK;
  });
  if (code != KX_OK) return code;
  return WriteTraceFile(file, text);
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;
using tesk740::TraceRequest;

KX_API int32_t KX_CreateTraceFile(const char* unit, int32_t categories,
                                  int32_t first, int32_t max_events,
                                  const char* path) {
  if (!tesk740::IsTraceRequest(categories, first, max_events)) {
    return Station::Get().Read([&](Database& database) -> int32_t {
      tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
      return KXE_INVALID_ARGUMENT;
    });
  }
  TraceRequest request;
  request.categories = categories;
  request.first = first;
  request.max_events = max_events;
  return tesk740::CreateTraceFile(unit, request, path);
}

KX_API int32_t KX_CreateTraceFile2(const char* unit, int32_t categories,
                                   const char* path) {
  if (!tesk740::IsTraceRequest(categories, 0, 0)) {
    return Station::Get().Read([&](Database& database) -> int32_t {
      tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
      return KXE_INVALID_ARGUMENT;
    });
  }
  TraceRequest request;
  request.categories = categories;
  return tesk740::CreateTraceFile(unit, request, path);
}

KX_API int32_t KX_GetTraceText(const char* unit, int32_t categories,
                               int32_t first, int32_t max_events, char* text) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsTraceRequest(categories, first, max_events) ||
        text == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    TraceRequest request;
    request.categories = categories;
    request.first = first;
    request.max_events = max_events;
    request.budget = kTraceTextSize - 1;
    tesk740::WriteFixedText(tesk740::RenderTrace(database, unit_id, request),
                            text, kTraceTextSize);
    return KX_OK;
  });
}

KX_API int32_t KX_GetWebTrace(const char* unit, WebTraceRecord* trace) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
    if (trace == nullptr) return KXE_INVALID_ARGUMENT;
    const auto section = [&](tesk740::Side side, size_t width) {
      TraceRequest request;
      request.side = side;
      request.budget = width - 1;
      return tesk740::RenderTrace(database, unit_id, request);
    };
    // Everything is rendered before the record is touched.
    WebTraceRecord& record = *trace;
    const std::string common =
        section(tesk740::Side::kUnit, sizeof record.common);
    const std::string ctl0 =
        section(tesk740::Side::kController0, sizeof record.ctl0);
    const std::string ctl1 =
        section(tesk740::Side::kController1, sizeof record.ctl1);
    tesk740::WriteFixedText(common, record.common, sizeof record.common);
    tesk740::WriteFixedText(ctl0, record.ctl0, sizeof record.ctl0);
    tesk740::WriteFixedText(ctl1, record.ctl1, sizeof record.ctl1);
    record.common_len = static_cast<int32_t>(common.size());
    record.ctl0_len = static_cast<int32_t>(ctl0.size());
    record.ctl1_len = static_cast<int32_t>(ctl1.size());
    return KX_OK;
  });
}
