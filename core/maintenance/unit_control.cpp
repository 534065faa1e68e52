// Unit control: reboots and the restart period they start, the service
// processor settings and the unit tests; and the helpers the maintenance
// files share (restart state, events, the station directory).
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_maintenance.h"
#include "maintenance/maintenance.h"
#include "model/clock.h"
#include "model/events.h"
#include "model/registry.h"
#include "station/fixed_text.h"
#include "station/host_path.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

// The service processor settings as the settings store keeps them.
struct SPInformation {
  int32_t link;
  int32_t interval_minutes;
  int32_t port;
};
constexpr char kSPInformationSetting[] = "maintenance.sp_information";

bool IsSPInformation(int32_t link, int32_t interval, int32_t port) {
  if (interval < 0 || interval > KX_SP_MAX_INTERVAL_MINUTES) return false;
  switch (link) {
    case KX_SP_LINK_NONE:
      return interval == 0 && port == 0;
    case KX_SP_LINK_LAN:
      return port >= 1 && port <= 65535;
    case KX_SP_LINK_SERIAL:
      return port >= 1 && port <= KX_SP_MAX_COM_PORT;
    default:
      return false;
  }
}

}  // namespace

int64_t RestartDurationMs() {
  return std::llround(
      SecondsFromEnvironment("KX_RESTART_SECONDS", KX_RESTART_DEFAULT_SECONDS) *
      1000);
}

double SecondsFromEnvironment(const char* name, double fallback) {
  const char* setting = std::getenv(name);
  if (setting == nullptr || *setting == '\0') return fallback;
  char* end = nullptr;
  errno = 0;
  const double seconds = std::strtod(setting, &end);
  if (errno != 0 || *end != '\0' || !(seconds >= 0) || seconds > 86400) {
    return fallback;
  }
  return seconds;
}

void RestartUnit(Database& database, int64_t unit_id, int64_t duration_ms,
                 std::string_view reason) {
  Statement sessions = database.Prepare(
      "SELECT controller, user_name FROM login_session WHERE unit_id = ?1"
      " ORDER BY controller");
  sessions.Bind(1, unit_id);
  while (sessions.Step()) {
    RecordUnitEvent(database, unit_id, "logout",
                    static_cast<int32_t>(sessions.IntIn(0, 0, 1)),
                    KX_TRACE_SESSIONS,
                    "session of " + sessions.Text(1) + " ended");
  }
  database.Prepare("DELETE FROM login_session WHERE unit_id = ?1")
      .Bind(1, unit_id)
      .Run();
  database
      .Prepare(
          "INSERT OR REPLACE INTO unit_restart (unit_id, ready_at_ms, reason)"
          " VALUES (?1, ?2, ?3)")
      .Bind(1, unit_id)
      .Bind(2, NowMs() + duration_ms)
      .Bind(3, reason)
      .Run();
  RecordUnitEvent(database, unit_id, "restart", -1, KX_TRACE_UNIT_CONTROL,
                  "unit restarting (" + std::string(reason) + "), ready in " +
                      std::to_string((duration_ms + 999) / 1000) + " s");
}

void RecordUnitEvent(Database& database, int64_t unit_id, const char* kind,
                     int32_t controller, int32_t category,
                     std::string_view text) {
  Event event;
  event.kind = kind;
  event.controller = controller;
  event.category = category;
  event.text = std::string(text);
  if (controller >= 0) event.object = "controller " + std::to_string(controller);
  RecordEvent(database, unit_id, event);
}

std::filesystem::path HostPath(Database& database, const char* path) {
  if (path == nullptr) Fail(KXE_INVALID_ARGUMENT);
  size_t length = 0;
  while (length < kLongNameSize && path[length] != '\0') ++length;
  if (length == 0 || length == kLongNameSize) Fail(KXE_INVALID_ARGUMENT);
  // Java hands paths over in modified UTF-8; the file system wants UTF-8.
  const std::optional<std::string> decoded =
      DecodeModifiedUtf8(std::string_view(path, length));
  if (!decoded) Fail(KXE_INVALID_ARGUMENT);
  return CallerPath(*decoded, StationDirectory(database));
}

}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;

KX_API int32_t KX_UnitReboot(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kLongNameSize);
    tesk740::RecordUnitEvent(database, unit_id, "reboot-requested", -1,
                             KX_TRACE_UNIT_CONTROL, "reboot requested");
    tesk740::RestartUnit(database, unit_id, tesk740::RestartDurationMs(),
                         "reboot");
    return KX_OK;
  });
}

KX_API int32_t KX_TestUnitReady(const char* unit, int32_t controller) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    // Not RequireUnit: the answer "not ready" is this call's result.
    const int64_t unit_id =
        tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsController(controller)) return KXE_INVALID_ARGUMENT;
    return tesk740::UnitRestartEndMs(database, unit_id, tesk740::NowMs()) != 0
               ? KXE_UNIT_NOT_READY
               : KX_OK;
  });
}

KX_API int32_t KX_SetSPinformation(const char* unit, int32_t link,
                                   int32_t interval, int32_t port) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsSPInformation(link, interval, port)) {
      return KXE_INVALID_ARGUMENT;
    }
    tesk740::StoreSetting(database, unit_id, tesk740::kSPInformationSetting,
                          tesk740::SPInformation{link, interval, port});
    static const char* const kLinks[] = {"none", "LAN", "serial"};
    tesk740::RecordUnitEvent(database, unit_id, "service-processor-set", -1,
                             KX_TRACE_CONFIGURATION,
                             std::string("service processor set: link ") +
                                 kLinks[link] + ", report every " +
                                 std::to_string(interval) + " min, port " +
                                 std::to_string(port));
    return KX_OK;
  });
}

KX_API int32_t KX_FDDTest(const char* unit, int32_t controller,
                          int32_t* result) {
  const int32_t code = Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (!tesk740::IsController(controller) || result == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    tesk740::RecordUnitEvent(database, unit_id, "unit-test", controller,
                             KX_TRACE_UNIT_CONTROL,
                             "floppy disk drive test passed");
    return KX_OK;
  });
  if (code == KX_OK) *result = KX_FDD_PASSED;
  return code;
}
