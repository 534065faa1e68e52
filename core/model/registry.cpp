// The unit registry as the other areas see it (registry.h).
#include "model/registry.h"

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "model/clock.h"
#include "model/events.h"
#include "station/fixed_text.h"

namespace tesk740 {

int32_t ReadUnitName(const char* buffer, size_t width, std::string* name) {
  if (buffer == nullptr) return KXE_INVALID_ARGUMENT;
  if (!ReadFixedText(buffer, width, name) || name->empty() ||
      name->size() > kMaxUnitNameLength) {
    return KXE_INVALID_UNIT_NAME;
  }
  for (const char byte : *name) {
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x20 || value == 0x7F) return KXE_INVALID_UNIT_NAME;
  }
  // A NUL from Java arrives encoded (C0 80); it is a control character too.
  if (HoldsEncodedNul(*name)) return KXE_INVALID_UNIT_NAME;
  return KX_OK;
}

std::optional<int64_t> FindUnitId(Database& database, std::string_view name) {
  Statement find =
      database.Prepare("SELECT unit_id FROM unit WHERE unit_name = ?1");
  find.Bind(1, name);
  if (!find.Step()) return std::nullopt;
  return find.Int(0);
}

int64_t RequireUnitId(Database& database, std::string_view name) {
  const std::optional<int64_t> id = FindUnitId(database, name);
  if (!id) Fail(KXE_UNKNOWN_UNIT);
  return *id;
}

namespace {

// A write that names a unit first records what time alone changed since the
// station last looked (rebuilds and formats that ended), so its own events
// come after them. Reads leave the record as it is.
void CatchUpEvents(Database& database, int64_t unit_id) {
  if (sqlite3_txn_state(database.handle(), "main") == SQLITE_TXN_WRITE) {
    RecordHealthChanges(database, unit_id);
  }
}

}  // namespace

int64_t RequireUnit(Database& database, const char* unit, size_t width) {
  std::string name;
  const int32_t code = ReadUnitName(unit, width, &name);
  if (code != KX_OK) Fail(code);
  const int64_t unit_id = RequireUnitId(database, name);
  // A unit that is restarting answers no request.
  RequireUnitReady(database, unit_id);
  CatchUpEvents(database, unit_id);
  return unit_id;
}

bool IsController(int64_t controller) {
  return controller >= 0 && controller < KX_CONTROLLER_COUNT;
}

int64_t RequireKnownUnit(Database& database, const char* unit, size_t width) {
  std::string name;
  const int32_t code = ReadUnitName(unit, width, &name);
  if (code != KX_OK) Fail(code);
  const int64_t unit_id = RequireUnitId(database, name);
  CatchUpEvents(database, unit_id);
  return unit_id;
}

int64_t UnitRestartEndMs(Database& database, int64_t unit_id, int64_t now_ms) {
  Statement select = database.Prepare(
      "SELECT ready_at_ms FROM unit_restart WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) return 0;
  const int64_t ready_at_ms = select.Int(0);
  // A restart never lasts longer than a day; anything else is damage.
  if (ready_at_ms < 0 || ready_at_ms > now_ms + 86400000) {
    Fail(KXE_STATION_DAMAGED);
  }
  return ready_at_ms > now_ms ? ready_at_ms : 0;
}

void RequireUnitReady(Database& database, int64_t unit_id) {
  if (UnitRestartEndMs(database, unit_id, NowMs()) != 0) {
    Fail(KXE_UNIT_NOT_READY);
  }
}

}  // namespace tesk740
