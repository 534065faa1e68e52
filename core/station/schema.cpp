// The schema of station.db. The base steps (registry, users, arrays, RAID
// groups, LUs, formats) take the database from version N to N + 1, recorded
// in PRAGMA user_version. Every further area keeps its own numbered steps
// (SchemaArea, applied in the order kAreas gives), recorded per area in the
// table schema_area, so areas grow their tables independently. No released step is ever edited.
#include <iterator>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "kx_errors.h"
#include "kx_station.h"
#include "station/station.h"

namespace tesk740 {
namespace {

constexpr const char* kSteps[] = {
    // 1: the unit registry and the label renames.
    // unit_id is the key per-unit data of later areas refers to, so renaming
    // a unit keeps its data; AUTOINCREMENT so a deleted unit's id is never
    // handed to a new one. Text columns hold the record's bytes unchanged.
    R"sql(
      CREATE TABLE unit (
        unit_id INTEGER PRIMARY KEY AUTOINCREMENT,
        unit_name TEXT NOT NULL UNIQUE,
        group_name TEXT NOT NULL,
        connect_type INTEGER NOT NULL,
        kx_type INTEGER NOT NULL,
        unit_conf INTEGER NOT NULL,
        alert INTEGER NOT NULL,
        ctl0 TEXT NOT NULL,
        ctl1 TEXT NOT NULL
      );
      CREATE TABLE label (
        label_id INTEGER PRIMARY KEY AUTOINCREMENT,
        old_label TEXT NOT NULL UNIQUE,
        new_label TEXT NOT NULL
      );
    )sql",
    // 2: the simulated arrays: user accounts and login sessions, the
    // station password, unit clocks, drives out of the ordinary, RAID
    // groups, LUs and format jobs.
    // Everything per unit hangs on unit_id and goes with the unit. An LU
    // keeps its RAID group from being deleted (no cascade there), and a
    // format job follows its LU when the LU is renumbered.
    R"sql(
      CREATE TABLE station_setting (
        name TEXT PRIMARY KEY,
        value TEXT NOT NULL
      );
      CREATE TABLE unit_user (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        user_name TEXT NOT NULL,
        password_salt TEXT NOT NULL,
        password_hash TEXT NOT NULL,
        PRIMARY KEY (unit_id, user_name)
      );
      CREATE TABLE login_session (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        controller INTEGER NOT NULL,
        user_name TEXT NOT NULL,
        login_time INTEGER NOT NULL,
        PRIMARY KEY (unit_id, controller),
        FOREIGN KEY (unit_id, user_name) REFERENCES unit_user(unit_id, user_name)
          ON DELETE CASCADE ON UPDATE CASCADE
      );
      CREATE TABLE unit_clock (
        unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,
        offset_seconds INTEGER NOT NULL
      );
      CREATE TABLE drive_state (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        port INTEGER NOT NULL,
        row INTEGER NOT NULL,
        blocked INTEGER NOT NULL,
        rebuild_start_ms INTEGER NOT NULL,
        rebuild_duration_ms INTEGER NOT NULL,
        PRIMARY KEY (unit_id, port, row)
      );
      CREATE TABLE raid_group (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        rg_number INTEGER NOT NULL,
        level INTEGER NOT NULL,
        first_port INTEGER NOT NULL,
        first_row INTEGER NOT NULL,
        width INTEGER NOT NULL,
        depth INTEGER NOT NULL,
        limit_set INTEGER NOT NULL,
        limit_mb INTEGER NOT NULL,
        PRIMARY KEY (unit_id, rg_number)
      );
      CREATE TABLE logical_unit (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        lu_number INTEGER NOT NULL,
        rg_number INTEGER NOT NULL,
        staging INTEGER NOT NULL,
        capacity_mb INTEGER NOT NULL,
        controller INTEGER NOT NULL,
        valid INTEGER NOT NULL,
        PRIMARY KEY (unit_id, lu_number),
        FOREIGN KEY (unit_id, rg_number) REFERENCES raid_group(unit_id, rg_number)
      );
      CREATE INDEX logical_unit_by_group ON logical_unit (unit_id, rg_number);
      CREATE TABLE format_job (
        unit_id INTEGER NOT NULL,
        lu_number INTEGER NOT NULL,
        mode INTEGER NOT NULL,
        batch INTEGER NOT NULL,
        start_ms INTEGER NOT NULL,
        duration_ms INTEGER NOT NULL,
        PRIMARY KEY (unit_id, lu_number),
        FOREIGN KEY (unit_id, lu_number)
          REFERENCES logical_unit(unit_id, lu_number)
          ON DELETE CASCADE ON UPDATE CASCADE
      );
    )sql",
    // 3: the versions of the areas' own steps, and the settings store:
    // validated fixed-layout records kept per unit (unit_id > 0) or for the
    // whole station (unit_id 0), each under a name its area chooses.
    R"sql(
      CREATE TABLE schema_area (
        area TEXT PRIMARY KEY,
        version INTEGER NOT NULL CHECK (version >= 0)
      );
      CREATE TABLE setting (
        unit_id INTEGER NOT NULL,
        name TEXT NOT NULL,
        value BLOB NOT NULL,
        PRIMARY KEY (unit_id, name)
      );
      CREATE TRIGGER setting_follows_unit AFTER DELETE ON unit
      BEGIN
        DELETE FROM setting WHERE unit_id = old.unit_id;
      END;
    )sql",
    // 4: the ranges of the numbers that become table indexes, slots, counts
    // and sizes (kx_station.h), enforced by the database as well.
    KX_SQL_RANGE_TRIGGERS(
        "raid_group",
        KX_SQL_INT_IN("rg_number", "0", "44") " AND "
        KX_SQL_INT_IN("first_port", "0", "14") " AND "
        KX_SQL_INT_IN("first_row", "0", "14") " AND "
        KX_SQL_INT_IN("width", "1", "15 - new.first_port") " AND "
        KX_SQL_INT_IN("depth", "1", "15 - new.first_row") " AND "
        KX_SQL_INT_IN("limit_mb", "0", "2147483647"))
    KX_SQL_RANGE_TRIGGERS(
        "logical_unit",
        KX_SQL_INT_IN("lu_number", "0", "511") " AND "
        KX_SQL_INT_IN("rg_number", "0", "44") " AND "
        KX_SQL_INT_IN("capacity_mb", "0", "2147483647") " AND "
        KX_SQL_INT_IN("controller", "0", "1"))
    KX_SQL_RANGE_TRIGGERS(
        "format_job",
        KX_SQL_INT_IN("lu_number", "0", "511") " AND "
        KX_SQL_INT_IN("duration_ms", "0", "9223372036854775807"))
    KX_SQL_RANGE_TRIGGERS(
        "drive_state",
        KX_SQL_INT_IN("port", "0", "14") " AND " KX_SQL_INT_IN("row", "0", "14"))
    KX_SQL_RANGE_TRIGGERS("login_session",
                          KX_SQL_INT_IN("controller", "0", "1")),
};
static_assert(KX_RAID_GROUP_COUNT == 45 && KX_LOGICAL_UNIT_COUNT == 512,
              "step 4 writes the table sizes as numbers");

// What the base tables' columns may hold: the ranges the core checks before
// it writes (kx_station.h), so a station the core wrote always passes.
constexpr int64_t kMaxInt32 = 2147483647;
constexpr ColumnRule kBaseColumns[] = {
    TextColumn("unit", "unit_name", 1, 16),
    TextColumn("unit", "group_name", 0, 16),
    IntegerColumn("unit", "connect_type", -128, 127),
    IntegerColumn("unit", "kx_type", -128, 127),
    IntegerColumn("unit", "unit_conf", -128, 127),
    IntegerColumn("unit", "alert", -128, 127),
    TextColumn("unit", "ctl0", 0, 79),
    TextColumn("unit", "ctl1", 0, 79),
    TextColumn("label", "old_label", 1, 6),
    TextColumn("label", "new_label", 1, 6),
    TextColumn("unit_user", "user_name", 1, 16),
    IntegerColumn("login_session", "controller", 0, 1),
    TextColumn("login_session", "user_name", 1, 16),
    IntegerColumn("login_session", "login_time", 0, kAnyInteger),
    IntegerColumn("drive_state", "port", 0, 14),
    IntegerColumn("drive_state", "row", 0, 14),
    IntegerColumn("drive_state", "blocked", 0, 1),
    IntegerColumn("drive_state", "rebuild_start_ms", 0, kAnyInteger),
    IntegerColumn("drive_state", "rebuild_duration_ms", 0, kAnyInteger),
    IntegerColumn("raid_group", "rg_number", 0, KX_RAID_GROUP_COUNT - 1),
    IntegerColumn("raid_group", "level", 0, 63, KX_SUPPORTED_RAID_LEVELS),
    IntegerColumn("raid_group", "first_port", 0, KX_DRIVE_PORTS - 1),
    IntegerColumn("raid_group", "first_row", 0, KX_DRIVE_ROWS - 1),
    IntegerColumn("raid_group", "width", 1, KX_DRIVE_PORTS),
    IntegerColumn("raid_group", "depth", 1, KX_DRIVE_ROWS),
    IntegerColumn("raid_group", "limit_set", 0, 1),
    IntegerColumn("raid_group", "limit_mb", 0, kMaxInt32),
    IntegerColumn("logical_unit", "lu_number", 0, KX_LOGICAL_UNIT_COUNT - 1),
    IntegerColumn("logical_unit", "rg_number", 0, KX_RAID_GROUP_COUNT - 1),
    IntegerColumn("logical_unit", "staging", KX_STAGING_NORMAL, KX_STAGING_OFF),
    IntegerColumn("logical_unit", "capacity_mb", 0, kMaxInt32),
    IntegerColumn("logical_unit", "controller", 0, KX_CONTROLLER_COUNT - 1),
    IntegerColumn("logical_unit", "valid", 0, 1),
    IntegerColumn("format_job", "lu_number", 0, KX_LOGICAL_UNIT_COUNT - 1),
    IntegerColumn("format_job", "mode", KX_FORMAT_FULL, KX_FORMAT_QUICK),
    IntegerColumn("format_job", "batch", 0, kAnyInteger),
    IntegerColumn("format_job", "start_ms", 0, kAnyInteger),
    IntegerColumn("format_job", "duration_ms", 0, kAnyInteger),
};

// The order in which the areas' steps are applied. An area's steps may
// refer to the base tables and to the tables of the areas listed before it.
// Stations made before this list existed applied the areas in another
// order; no area's released steps refer to another area's tables, so the
// order they were applied in does not matter for them.
const SchemaArea* const kAreas[] = {
    &kCredentialSchema, &kConnectivitySchema, &kSpecialLuSchema,
    &kServicesSchema,   &kMaintenanceSchema, &kEventSchema,
};

// Brings one area from the version recorded for it to its newest.
void MigrateArea(Database& database, const SchemaArea& area) {
  int64_t version = 0;
  {
    Statement read =
        database.Prepare("SELECT version FROM schema_area WHERE area = ?1");
    read.Bind(1, std::string_view(area.name));
    if (read.Step()) version = read.Int(0);
  }
  if (version < 0) Fail(KXE_STORAGE);
  if (version > static_cast<int64_t>(area.step_count)) Fail(KXE_SCHEMA_TOO_NEW);
  if (version == static_cast<int64_t>(area.step_count)) return;
  for (size_t step = static_cast<size_t>(version); step < area.step_count;
       ++step) {
    database.Exec(area.steps[step]);
  }
  Statement record = database.Prepare(
      "INSERT INTO schema_area (area, version) VALUES (?1, ?2) "
      "ON CONFLICT (area) DO UPDATE SET version = excluded.version");
  record.Bind(1, std::string_view(area.name))
      .Bind(2, static_cast<int64_t>(area.step_count))
      .Run();
}

}  // namespace

const ColumnRule* FindColumnRule(std::string_view table,
                                 std::string_view column) {
  // Read by every statement prepared; built once, never changed.
  static const std::map<std::pair<std::string_view, std::string_view>,
                        const ColumnRule*>
      rules = [] {
        std::map<std::pair<std::string_view, std::string_view>,
                 const ColumnRule*>
            all;
        for (const ColumnRule& rule : kBaseColumns) {
          all[{rule.table, rule.column}] = &rule;
        }
        for (const SchemaArea* area : kAreas) {
          for (size_t i = 0; i < area->rule_count; ++i) {
            all[{area->rules[i].table, area->rules[i].column}] =
                &area->rules[i];
          }
        }
        return all;
      }();
  const auto found = rules.find({table, column});
  return found == rules.end() ? nullptr : found->second;
}

int SchemaVersion() { return static_cast<int>(std::size(kSteps)); }

// Runs inside the caller's BEGIN IMMEDIATE, so two processes opening a new
// station at once apply each step once.
void MigrateSchema(Database& database) {
  int version = 0;
  {
    // Finished before any step runs: DDL waits for no open statement.
    Statement read_version = database.Prepare("PRAGMA user_version");
    if (read_version.Step()) version = static_cast<int>(read_version.Int(0));
  }
  if (version > SchemaVersion()) Fail(KXE_SCHEMA_TOO_NEW);
  if (version < SchemaVersion()) {
    for (int step = version; step < SchemaVersion(); ++step) {
      database.Exec(kSteps[step]);
    }
    // PRAGMA takes no bound parameters.
    const std::string set_version =
        "PRAGMA user_version=" + std::to_string(SchemaVersion());
    database.Exec(set_version.c_str());
  }
  for (const SchemaArea* area : kAreas) MigrateArea(database, *area);
}

}  // namespace tesk740
