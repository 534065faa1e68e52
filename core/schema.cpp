// The schema of station.db. Each step takes the database from version N to
// N + 1 and is never edited once released: a later area appends its own step.
// PRAGMA user_version records how many steps a station has had.
#include <iterator>
#include <string>

#include "kx_errors.h"
#include "station.h"

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
};

}  // namespace

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
  if (version == SchemaVersion()) return;
  for (int step = version; step < SchemaVersion(); ++step) {
    database.Exec(kSteps[step]);
  }
  // PRAGMA takes no bound parameters.
  const std::string set_version =
      "PRAGMA user_version=" + std::to_string(SchemaVersion());
  database.Exec(set_version.c_str());
}

}  // namespace tesk740
