// The event record (events.h) and its schema area.
#include "model/events.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_maintenance.h"
#include "model/clock.h"
#include "model/drive_health.h"
#include "model/format_jobs.h"
#include "model/raid_geometry.h"
#include "model/slots.h"

namespace tesk740 {
namespace {

// Every kind an event may have. Names are part of the interface (the tool,
// SNMP traps and docs/services.md name them): never renamed, only added.
constexpr const char* kEventKinds[] = {
    // Sessions.
    "login", "logout",
    // Configuration.
    "group-created", "group-expanded", "group-deleted", "lu-created",
    "lu-expanded", "lu-changed", "lu-deleted", "clock-set",
    "connectivity-changed", "host-mapping-changed", "parameters-changed",
    "special-lu-changed", "service-processor-set",
    // Formats.
    "format-started", "format-done", "format-failed",
    // Drives and the redundancy of groups.
    "drive-blocked", "drive-restored", "drive-rebuilt", "group-degraded",
    "group-failed", "group-recovered",
    // Unit control and microcode.
    "restart", "reboot-requested", "unit-test", "microcode-prepared",
    "microcode-cancelled", "microcode-downloaded", "microcode-replaced",
    // Events recorded before kinds were (their trace text says what).
    "earlier"};

constexpr const char* kEventSteps[] = {
    // 1: the event record, the health it last recorded per object, and the
    // history kept until now (the maintenance area's unit_event, written by
    // triggers on the host clock) moved into it with the same numbers; the
    // triggers that wrote it are dropped, as every event now passes
    // RecordEvent.
    // Events have no foreign key, so the triggers below can keep the
    // newest KX_TRACE_EVENTS_KEPT of a unit and drop a deleted unit's.
    "CREATE TABLE station_event ("
    "  event_id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  unit_id INTEGER NOT NULL,"
    "  time_ms INTEGER NOT NULL,"
    "  controller INTEGER NOT NULL,"
    "  category INTEGER NOT NULL,"
    "  kind TEXT NOT NULL,"
    "  object TEXT NOT NULL,"
    "  number INTEGER NOT NULL,"
    "  text TEXT NOT NULL);"
    "CREATE INDEX station_event_by_unit ON station_event (unit_id, event_id);"
    "CREATE INDEX station_event_by_kind"
    "  ON station_event (unit_id, kind, event_id);"
    "CREATE TRIGGER station_event_follows_unit AFTER DELETE ON unit BEGIN"
    "  DELETE FROM station_event WHERE unit_id = old.unit_id;"
    "END;"
    "CREATE TRIGGER station_event_kept AFTER INSERT ON station_event BEGIN"
    "  DELETE FROM station_event WHERE unit_id = new.unit_id AND event_id <="
    "    (SELECT event_id FROM station_event WHERE unit_id = new.unit_id"
    "     ORDER BY event_id DESC LIMIT 1 OFFSET 10000);"
    "END;"
    // What the record last said of an object whose health is not normal:
    // a drive ('blocked', 'rebuilding'), a group ('degraded', 'failed'), an
    // LU's latest format ('formatting', 'format-failed').
    "CREATE TABLE event_state ("
    "  unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,"
    "  object TEXT NOT NULL,"
    "  number INTEGER NOT NULL,"
    "  state TEXT NOT NULL,"
    "  PRIMARY KEY (unit_id, object));"
    "INSERT INTO station_event (event_id, unit_id, time_ms, controller,"
    "  category, kind, object, number, text)"
    "  SELECT event_id, unit_id, max(time_ms, 0), controller, category,"
    "    CASE"
    "      WHEN category = 1 AND text LIKE 'login of %' THEN 'login'"
    "      WHEN category = 1 THEN 'logout'"
    "      WHEN category = 4 THEN 'format-started'"
    "      WHEN category = 8 AND text LIKE '% blocked' THEN 'drive-blocked'"
    "      WHEN category = 8 THEN 'drive-restored'"
    "      ELSE 'earlier' END,"
    "    '',"
    "    CASE WHEN category = 8 AND text LIKE 'drive at port % row %' THEN"
    "      min(max(CAST(substr(text, 15) AS INTEGER) * 15"
    "        + CAST(substr(text, instr(text, ' row ') + 5) AS INTEGER), -1),"
    "        224)"
    "    ELSE -1 END,"
    "    text"
    "  FROM unit_event WHERE controller BETWEEN -1 AND 1;"
    "DROP TRIGGER IF EXISTS event_login;"
    "DROP TRIGGER IF EXISTS event_logout;"
    "DROP TRIGGER IF EXISTS event_raid_group_added;"
    "DROP TRIGGER IF EXISTS event_raid_group_changed;"
    "DROP TRIGGER IF EXISTS event_raid_group_deleted;"
    "DROP TRIGGER IF EXISTS event_lu_added;"
    "DROP TRIGGER IF EXISTS event_lu_changed;"
    "DROP TRIGGER IF EXISTS event_lu_deleted;"
    "DROP TRIGGER IF EXISTS event_clock_set;"
    "DROP TRIGGER IF EXISTS event_clock_changed;"
    "DROP TRIGGER IF EXISTS event_format;"
    "DROP TRIGGER IF EXISTS event_drive;"
    "DROP TRIGGER IF EXISTS unit_event_follows_unit;"
    // The old table stays, empty: the maintenance area's released steps
    // name it.
    "DELETE FROM unit_event;",
    // 2: the ranges of the events' numbers, enforced by the database as well.
    KX_SQL_RANGE_TRIGGERS(
        "station_event",
        KX_SQL_INT_IN("controller", "-1", "1") " AND " KX_SQL_INT_IN(
            "number", "-1", "511") " AND " KX_SQL_INT_IN("time_ms", "0",
                                                         "253402300799999")),
};

void SetState(Database& database, int64_t unit_id, const std::string& object,
              int64_t number, const char* state) {
  database
      .Prepare(
          "INSERT INTO event_state (unit_id, object, number, state)"
          " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (unit_id, object)"
          " DO UPDATE SET number = excluded.number, state = excluded.state")
      .Bind(1, unit_id)
      .Bind(2, object)
      .Bind(3, number)
      .Bind(4, std::string_view(state))
      .Run();
}

void ClearState(Database& database, int64_t unit_id,
                const std::string& object) {
  database
      .Prepare("DELETE FROM event_state WHERE unit_id = ?1 AND object = ?2")
      .Bind(1, unit_id)
      .Bind(2, object)
      .Run();
}

struct RecordedState {
  int64_t number;
  std::string state;
};

// The recorded states by object key: "drive 3", "group 2", "lu 5" (the
// kind of object and its number), so that keys never depend on wording.
std::map<std::string, RecordedState> LoadStates(Database& database,
                                                int64_t unit_id) {
  std::map<std::string, RecordedState> states;
  Statement select = database.Prepare(
      "SELECT object, number, state FROM event_state WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  while (select.Step()) {
    states[select.Text(0)] = {select.IntIn(1, 0, KX_LOGICAL_UNIT_COUNT - 1),
                              select.Text(2)};
  }
  return states;
}

std::string DriveKey(int slot) { return "drive " + std::to_string(slot); }
std::string GroupKey(int64_t number) {
  return "group " + std::to_string(number);
}
std::string LuKey(int64_t number) { return "lu " + std::to_string(number); }

std::string DriveText(int slot, const char* what) {
  return "drive at port " + std::to_string(slot / KX_DRIVE_ROWS) + " row " +
         std::to_string(slot % KX_DRIVE_ROWS) + " " + what;
}

std::string DriveObjectIn(int slot, const std::vector<RaidGroup>& groups) {
  std::string object = "drive " + std::to_string(slot / KX_DRIVE_ROWS) + "/" +
                       std::to_string(slot % KX_DRIVE_ROWS);
  for (const RaidGroup& group : groups) {
    if (group.Holds(slot / KX_DRIVE_ROWS, slot % KX_DRIVE_ROWS)) {
      object += " of " + GroupObject(group.number);
    }
  }
  return object;
}

// A completion found late is dated when it happened, never in the future.
int64_t EndedAt(int64_t end_ms, int64_t now_ms) {
  return end_ms > 0 && end_ms < now_ms ? end_ms : now_ms;
}

void RecordDriveChanges(Database& database, int64_t unit_id,
                        const std::vector<RaidGroup>& groups,
                        const std::map<int, DriveHealth>& drives,
                        std::map<std::string, RecordedState>& recorded,
                        int64_t now_ms) {
  std::set<int> slots;
  for (const auto& [slot, drive] : drives) slots.insert(slot);
  for (const auto& [key, state] : recorded) {
    if (key.rfind("drive ", 0) == 0) slots.insert(static_cast<int>(state.number));
  }
  for (int slot : slots) {
    if (slot < 0 || slot >= KX_DRIVE_SLOTS) Fail(KXE_STATION_DAMAGED);
    const auto found = drives.find(slot);
    const DriveHealth drive =
        found == drives.end() ? DriveHealth{} : found->second;
    const char* now = drive.state == KX_PART_FAILED       ? "blocked"
                      : drive.state == KX_PART_REBUILDING ? "rebuilding"
                                                          : "";
    const auto before = recorded.find(DriveKey(slot));
    const std::string was =
        before == recorded.end() ? std::string() : before->second.state;
    if (was == now) continue;
    Event event;
    event.object = DriveObjectIn(slot, groups);
    event.number = slot;
    event.category = KX_TRACE_DRIVES;
    if (drive.state == KX_PART_FAILED) {
      event.kind = "drive-blocked";
      event.text = DriveText(slot, "blocked");
      RecordEvent(database, unit_id, event);
    } else if (was == "blocked") {
      event.kind = "drive-restored";
      event.text = DriveText(slot, "returned to service");
      RecordEvent(database, unit_id, event);
      // A rebuild that took no time at all is over as it starts.
      if (drive.state == KX_PART_NORMAL && drive.rebuild_end_ms > 0) {
        event.kind = "drive-rebuilt";
        event.text = DriveText(slot, "rebuilt");
        event.time_ms = EndedAt(drive.rebuild_end_ms, now_ms);
        RecordEvent(database, unit_id, event);
      }
    } else if (was == "rebuilding" && drive.rebuild_end_ms > 0) {
      event.kind = "drive-rebuilt";
      event.text = DriveText(slot, "rebuilt");
      event.time_ms = EndedAt(drive.rebuild_end_ms, now_ms);
      RecordEvent(database, unit_id, event);
    }
    // A rebuild whose group was deleted has nothing left to rebuild: no
    // event, the drive is simply in service.
    if (*now == '\0') {
      ClearState(database, unit_id, DriveKey(slot));
    } else {
      SetState(database, unit_id, DriveKey(slot), slot, now);
    }
  }
}

// Fails the formats running on a failed group: their LUs are left
// unformatted.
void FailFormatsOf(Database& database, int64_t unit_id, const RaidGroup& group,
                   int64_t now_ms) {
  Statement running = database.Prepare(
      "SELECT j.lu_number, j.start_ms, j.duration_ms FROM format_job j"
      " JOIN logical_unit l"
      "   ON l.unit_id = j.unit_id AND l.lu_number = j.lu_number"
      " WHERE j.unit_id = ?1 AND l.rg_number = ?2 ORDER BY j.lu_number");
  running.Bind(1, unit_id).Bind(2, group.number);
  std::vector<int64_t> failed;
  while (running.Step()) {
    if (ProgressOf(running.Int(1), running.Int(2), now_ms).status ==
        KX_FORMAT_RUNNING) {
      failed.push_back(running.IntIn(0, 0, KX_LOGICAL_UNIT_COUNT - 1));
    }
  }
  for (int64_t lu : failed) {
    database
        .Prepare("DELETE FROM format_job WHERE unit_id = ?1 AND lu_number = ?2")
        .Bind(1, unit_id)
        .Bind(2, lu)
        .Run();
    Event event;
    event.kind = "format-failed";
    event.object = LuObject(lu);
    event.number = lu;
    event.category = KX_TRACE_FORMATS;
    event.text = "format of LU " + std::to_string(lu) + " failed: " +
                 GroupObject(group.number) + " failed";
    RecordEvent(database, unit_id, event);
    SetState(database, unit_id, LuKey(lu), lu, "format-failed");
  }
}

void RecordGroupChanges(Database& database, int64_t unit_id,
                        const std::vector<RaidGroup>& groups,
                        const std::map<int, DriveHealth>& drives,
                        std::map<std::string, RecordedState>& recorded,
                        int64_t now_ms) {
  std::set<std::string> present;
  for (const RaidGroup& group : groups) {
    const GroupHealth health = GroupHealthOf(group, drives);
    present.insert(GroupKey(group.number));
    // Rebuilding members are still lost: the group is degraded until they
    // are done.
    const char* now = health.state == GroupState::kFailed ? "failed"
                      : health.Lost() > 0                 ? "degraded"
                                                          : "";
    if (health.state == GroupState::kFailed) {
      FailFormatsOf(database, unit_id, group, now_ms);
    }
    const auto before = recorded.find(GroupKey(group.number));
    const std::string was =
        before == recorded.end() ? std::string() : before->second.state;
    if (was == now) continue;
    Event event;
    event.object = GroupObject(group.number);
    event.number = group.number;
    event.category = KX_TRACE_DRIVES;
    const std::string counts = std::to_string(health.blocked) + " blocked, " +
                               std::to_string(health.rebuilding) +
                               " rebuilding";
    if (*now == '\0') {
      event.kind = "group-recovered";
      event.text = GroupObject(group.number) + " recovered";
      // The latest rebuild of its members that ended.
      int64_t ended = 0;
      for (const auto& [slot, drive] : drives) {
        if (group.Holds(slot / KX_DRIVE_ROWS, slot % KX_DRIVE_ROWS) &&
            drive.rebuild_end_ms <= now_ms) {
          ended = std::max(ended, drive.rebuild_end_ms);
        }
      }
      event.time_ms = EndedAt(ended, now_ms);
      ClearState(database, unit_id, GroupKey(group.number));
    } else {
      event.kind = *now == 'f' ? "group-failed" : "group-degraded";
      event.text = GroupObject(group.number) + " " + now + ": " + counts;
      SetState(database, unit_id, GroupKey(group.number), group.number, now);
    }
    RecordEvent(database, unit_id, event);
  }
  // A deleted group's state goes with it; its deletion is its event.
  for (const auto& [key, state] : recorded) {
    if (key.rfind("group ", 0) == 0 && present.count(key) == 0) {
      ClearState(database, unit_id, key);
    }
  }
}

void RecordFormatChanges(Database& database, int64_t unit_id,
                         const std::map<std::string, RecordedState>& recorded,
                         int64_t now_ms) {
  for (const auto& [key, state] : recorded) {
    if (key.rfind("lu ", 0) != 0) continue;
    const int64_t lu = state.number;
    Statement job = database.Prepare(
        "SELECT j.start_ms, j.duration_ms FROM logical_unit l"
        " LEFT JOIN format_job j"
        "   ON j.unit_id = l.unit_id AND j.lu_number = l.lu_number"
        " WHERE l.unit_id = ?1 AND l.lu_number = ?2");
    job.Bind(1, unit_id).Bind(2, lu);
    if (!job.Step()) {
      // The LU was deleted or renumbered: its own event said so.
      ClearState(database, unit_id, key);
      continue;
    }
    if (state.state != "formatting") continue;
    const int64_t start_ms = job.Int(0);
    const int64_t duration_ms = job.Int(1);
    if (duration_ms < 0) Fail(KXE_STATION_DAMAGED);
    if (ProgressOf(start_ms, duration_ms, now_ms).status ==
        KX_FORMAT_RUNNING) {
      continue;
    }
    ClearState(database, unit_id, key);
    if (start_ms == 0 && duration_ms == 0) continue;  // no job any more
    Event event;
    event.kind = "format-done";
    event.object = LuObject(lu);
    event.number = lu;
    event.category = KX_TRACE_FORMATS;
    event.text = "format of LU " + std::to_string(lu) + " done";
    event.time_ms = EndedAt(start_ms + duration_ms, now_ms);
    RecordEvent(database, unit_id, event);
  }
}

}  // namespace

namespace {

constexpr ColumnRule kEventColumns[] = {
    IntegerColumn("station_event", "time_ms", 0, INT64_C(253402300799999)),
    IntegerColumn("station_event", "controller", -1, 1),
    IntegerColumn("station_event", "category", 0, KX_TRACE_ALL),
    TextColumn("station_event", "kind", 1, 64),
    TextColumn("station_event", "object", 0, 255),
    IntegerColumn("station_event", "number", -1, KX_LOGICAL_UNIT_COUNT - 1),
    TextColumn("station_event", "text", 0, 4096),
    TextColumn("event_state", "object", 1, 64),
    IntegerColumn("event_state", "number", 0, KX_LOGICAL_UNIT_COUNT - 1),
    TextColumn("event_state", "state", 1, 32),
};

}  // namespace

const SchemaArea kEventSchema = {"events", kEventSteps, std::size(kEventSteps),
                                 kEventColumns, std::size(kEventColumns)};

bool IsEventKind(std::string_view kind) {
  for (const char* known : kEventKinds) {
    if (kind == known) return true;
  }
  return false;
}

int64_t RecordEvent(Database& database, int64_t unit_id, const Event& event) {
  // A kind outside the list is a mistake in the core, never the caller's.
  if (!IsEventKind(event.kind)) Fail(KXE_INTERNAL);
  const int64_t time_ms = event.time_ms > 0 ? event.time_ms : NowMs();
  Statement insert = database.Prepare(
      "INSERT INTO station_event (unit_id, time_ms, controller, category,"
      " kind, object, number, text) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  insert.Bind(1, unit_id)
      .Bind(2, time_ms)
      .Bind(3, event.controller)
      .Bind(4, event.category)
      .Bind(5, std::string_view(event.kind))
      .Bind(6, event.object)
      .Bind(7, event.number)
      .Bind(8, event.text)
      .Run();
  // Every event of every area passes here, inside its change's transaction:
  // what must follow an event outside the station (a notification) is queued
  // here, to run once the change commits (RunAfterCommit).
  return sqlite3_last_insert_rowid(database.handle());
}

std::string GroupObject(int64_t rg_number) {
  return "RAID group " + std::to_string(rg_number);
}

std::string LuObject(int64_t lu_number) {
  return "LU " + std::to_string(lu_number);
}

std::string DriveObject(Database& database, int64_t unit_id, int port,
                        int row) {
  return DriveObjectIn(SlotIndex(port, row), LoadRaidGroups(database, unit_id));
}

void RecordHealthChanges(Database& database, int64_t unit_id) {
  const int64_t now_ms = NowMs();
  const std::vector<RaidGroup> groups = LoadRaidGroups(database, unit_id);
  const std::map<int, DriveHealth> drives =
      LoadDriveHealth(database, unit_id, groups, now_ms);
  std::map<std::string, RecordedState> recorded =
      LoadStates(database, unit_id);
  // Formats first: one that ended before its group failed is done, not
  // failed.
  RecordFormatChanges(database, unit_id, recorded, now_ms);
  RecordDriveChanges(database, unit_id, groups, drives, recorded, now_ms);
  RecordGroupChanges(database, unit_id, groups, drives, recorded, now_ms);
}

void RecordFormatStarted(Database& database, int64_t unit_id,
                         int64_t lu_number, int32_t mode) {
  Event event;
  event.kind = "format-started";
  event.object = LuObject(lu_number);
  event.number = lu_number;
  event.category = KX_TRACE_FORMATS;
  event.text = "format of LU " + std::to_string(lu_number) +
               " started, mode " + std::to_string(mode);
  RecordEvent(database, unit_id, event);
  SetState(database, unit_id, LuKey(lu_number), lu_number, "formatting");
}

std::vector<int64_t> FailedFormats(Database& database, int64_t unit_id) {
  std::vector<int64_t> lus;
  Statement select = database.Prepare(
      "SELECT s.number FROM event_state s JOIN logical_unit l"
      "  ON l.unit_id = s.unit_id AND l.lu_number = s.number"
      " WHERE s.unit_id = ?1 AND s.object LIKE 'lu %'"
      "  AND s.state = 'format-failed' ORDER BY s.number");
  select.Bind(1, unit_id);
  while (select.Step()) {
    lus.push_back(select.IntIn(0, 0, KX_LOGICAL_UNIT_COUNT - 1));
  }
  return lus;
}

}  // namespace tesk740
