// The station: the working directory handed over by KX_GUIInitialize and the
// SQLite database `station.db` in it, which holds the state of every area.
//
// One station per process. Every KX_ function that needs it runs its work
// through Station::Read or Station::Write, which hold the station's mutex for
// the whole call (threads of this process) and wrap the work in one SQLite
// transaction (other processes on the same directory: WAL, a busy timeout,
// and BEGIN IMMEDIATE for every change). See README.md for the behaviour.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <climits>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tesk740 {

// Thrown inside station work to abandon it with a result code; the
// transaction is rolled back and the code is what the KX_ function returns.
struct StationFailure {
  int32_t code;
};
[[noreturn]] void Fail(int32_t code);
// Fails the work with `code` unless it is KX_OK (0).
inline void RequireOk(int32_t code) {
  if (code != 0) Fail(code);
}

// Thrown inside write work to end it with a failure code while keeping what
// it wrote (for example a count of failed sign-ins): the transaction is
// committed and the code is what the KX_ function returns.
struct CommittedFailure {
  int32_t code;
};
[[noreturn]] void FailAfterCommit(int32_t code);

// Maps an SQLite result to the core's code: KXE_STATION_BUSY for a lock that
// outlasted the busy timeout, KXE_STORAGE for everything else.
int32_t StorageCode(int sqlite_result);

// What a column of the station may hold. Every statement that reads a
// table's column checks each row it returns against the column's rule, so a
// value a hand edit or a damaged file put there fails the work with
// KXE_STATION_DAMAGED wherever it is read, the same for every reader. A NULL
// (a LEFT JOIN that found no row) passes: the tables' columns are NOT NULL.
struct ColumnRule {
  enum class Kind {
    kInteger,  // an integer within [low, high] (and in `values` if given)
    kText,     // text or bytes of [low, high] bytes, no NUL among them
    kBytes,    // text or bytes of [low, high] bytes, any bytes
  };
  const char* table;
  const char* column;
  Kind kind;
  int64_t low;
  int64_t high;
  // For kInteger: when not 0, the value must also be one whose bit is set
  // here (an enumeration of small numbers, such as the RAID levels).
  uint64_t values = 0;
};
constexpr int64_t kAnyInteger = INT64_MAX;
constexpr ColumnRule IntegerColumn(const char* table, const char* column,
                                   int64_t low, int64_t high,
                                   uint64_t values = 0) {
  return {table, column, ColumnRule::Kind::kInteger, low, high, values};
}
constexpr ColumnRule TextColumn(const char* table, const char* column,
                                int64_t min_bytes, int64_t max_bytes) {
  return {table, column, ColumnRule::Kind::kText, min_bytes, max_bytes, 0};
}
constexpr ColumnRule BytesColumn(const char* table, const char* column,
                                 int64_t min_bytes, int64_t max_bytes) {
  return {table, column, ColumnRule::Kind::kBytes, min_bytes, max_bytes, 0};
}
// The rule of a table's column, or null when it has none.
const ColumnRule* FindColumnRule(std::string_view table,
                                 std::string_view column);

// A statement prepared on the station's connection and kept there for every
// later use of the same SQL text: SQLite parses each text once per
// connection, and the column rules it reads are looked up once.
struct PreparedStatement {
  PreparedStatement() = default;
  PreparedStatement(const PreparedStatement&) = delete;
  PreparedStatement& operator=(const PreparedStatement&) = delete;
  ~PreparedStatement() { sqlite3_finalize(statement); }

  sqlite3_stmt* statement = nullptr;
  // The result columns that come straight from a table column with a rule.
  struct ColumnCheck {
    int column;
    const ColumnRule* rule;
  };
  std::vector<ColumnCheck> checks;
  // The result columns' names, read once so that reading a row by column
  // name asks SQLite nothing.
  std::vector<std::string> names;
  // Lent to a Statement; a second use of the same text meanwhile (a query
  // run inside a loop over the same query) gets a statement of its own.
  bool in_use = false;
};

// A prepared statement in use. Every SQLite failure throws StationFailure, so
// area code reads as the queries it runs; every row it returns has been
// checked against the rules of the columns it reads (ColumnRule). When it
// goes, the statement is reset and handed back to its connection.
class Statement {
 public:
  // `prepared` is lent by the connection's cache, or owned by the statement
  // (`owned`) when the cache is full.
  Statement(sqlite3* db, PreparedStatement* prepared,
            std::unique_ptr<PreparedStatement> owned = nullptr);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters are numbered from 1, as in SQLite.
  Statement& Bind(int index, int64_t value);
  // Binds the bytes as they are: no encoding check, no NUL needed.
  Statement& Bind(int index, std::string_view text);
  // Binds bytes as a BLOB.
  Statement& BindBlob(int index, const void* bytes, size_t size);

  // Advances to the next row; false when there is none.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();
  // Makes the statement ready to run again with new bindings.
  void Reset();

  // Columns are numbered from 0, as in SQLite.
  int64_t Int(int column) const;
  std::string Text(int column) const;
  // Columns by name, as the query's SELECT list names them.
  int64_t Int(std::string_view column) const;
  std::string Text(std::string_view column) const;
  // A number checked before it is used as an index, a count or a size where
  // no column rule covers it (an expression, or a bound that depends on
  // another column): a value outside [low, high] means the file was damaged
  // or edited by hand, and the work fails with KXE_STATION_DAMAGED.
  int64_t IntIn(int column, int64_t low, int64_t high) const;
  int64_t IntIn(std::string_view column, int64_t low, int64_t high) const;

 private:
  int ColumnIndex(std::string_view column) const;
  void CheckRow() const;

  sqlite3* db_;
  PreparedStatement* prepared_;
  std::unique_ptr<PreparedStatement> owned_;
  sqlite3_stmt* statement_;
};

// The open station.db, handed to area code inside a transaction.
class Database {
 public:
  explicit Database(sqlite3* db) : db_(db) {}
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  // The statement for `sql`, prepared at its first use on this connection.
  Statement Prepare(const char* sql);
  // Runs one or more statements that return no rows.
  void Exec(const char* sql);
  sqlite3* handle() const { return db_; }

  // RunAfterCommit's queue: filled by the write's work, run or dropped by
  // the station when the transaction ends.
  std::vector<std::function<void()>>& after_commit() { return after_commit_; }

 private:
  sqlite3* db_;
  // Keyed by the SQL text. Bounded: texts built at run time beyond the
  // bound are prepared for their one use.
  std::unordered_map<std::string,
                     std::vector<std::unique_ptr<PreparedStatement>>>
      prepared_;
  std::vector<std::function<void()>> after_commit_;
};

// Work done inside a transaction: returns KX_OK to commit, any other code to
// roll back and return it; may also throw StationFailure.
using StationWork = std::function<int32_t(Database&)>;

class Station {
 public:
  // The station of this process; lives until the process ends.
  static Station& Get();

  // KX_GUIInitialize: `directory` is UTF-8. Switches to that directory's
  // station, or keeps the open one when it is the same directory. Any
  // failure leaves the process with no station.
  int32_t Open(std::string_view directory);
  // Leaves the process with no station, as a failed KX_GUIInitialize does.
  void Close();
  // At the end of the process: checkpoints and closes the database unless a
  // call is still running.
  void CloseAtExit();

  // A read-only transaction: the work sees one consistent state. A read
  // made by work already inside a read on the same thread joins it.
  int32_t Read(const StationWork& work);
  // A write transaction: BEGIN IMMEDIATE, so the write lock is taken before
  // anything is read and another process can never invalidate what was read.
  // Refused with KXE_INTERNAL inside a read.
  int32_t Write(const StationWork& work);

 private:
  Station() = default;
  int32_t Transact(const char* begin, bool read_only, const StationWork& work);
  int32_t TransactLocked(const char* begin, bool read_only,
                         const StationWork& work,
                         std::vector<std::function<void()>>* committed_actions);
  void OpenLocked(const std::filesystem::path& directory);

  std::mutex mutex_;
  std::unique_ptr<Database> database_;
  std::filesystem::path directory_;
};

// Runs `action` once the write transaction that `database` is in has
// committed, after the station's lock is released: for work that must not
// hold the station while it waits on the outside world (notifications sent
// over the network), and must happen only for a change that was kept. Dropped
// when the transaction rolls back. Actions run in the order they were added,
// on the thread that made the change; an exception from one is swallowed.
void RunAfterCommit(Database& database, std::function<void()> action);

// The directory of the open station (where station.db lies).
std::filesystem::path StationDirectory(Database& database);

// The schema of station.db, applied step by step from the version recorded
// in PRAGMA user_version. schema.cpp holds the base steps.
int SchemaVersion();
void MigrateSchema(Database& database);

// The SQL of a schema step that keeps the numbers of a table's rows within
// their ranges (see README.md, "Ranges in the database"): two triggers,
// before every insert and every update, that abort the statement unless
// `condition` (an SQL expression over `new.<column>`, in the form
// KX_SQL_INT_IN gives) holds. Triggers look at the rows written, never at the
// rows already there, so a station with old rows out of range still takes
// the step. Steps are never edited once released, so neither are these
// expansions.
#define KX_SQL_INT_IN(column, low, high)                                \
  "(typeof(new." column ") = 'integer' AND new." column " BETWEEN " low \
  " AND " high ")"
#define KX_SQL_RANGE_TRIGGERS(table, condition)                          \
  "CREATE TRIGGER " table "_ranges_insert BEFORE INSERT ON " table        \
  " WHEN NOT (" condition ") BEGIN SELECT RAISE(ABORT, '" table           \
  ": a number out of its range'); END;"                                   \
  "CREATE TRIGGER " table "_ranges_update BEFORE UPDATE ON " table        \
  " WHEN NOT (" condition ") BEGIN SELECT RAISE(ABORT, '" table           \
  ": a number out of its range'); END;"

// A rule the schema keeps across areas: a trigger refuses the change with
// KX_SQL_REFUSE("4362", "why") (a KXE_ code in decimal), and the statement
// fails the work with that code, as the area's own check would. Like the
// range triggers, the expansion is part of released steps: never edited.
#define KX_SQL_REFUSE(code, why) "RAISE(ABORT, 'kx code " code ": " why "')"

// The tables of one further area: its steps, applied in order from the
// version recorded for the area in schema_area, each never edited once
// released. An area defines its own, declared below:
//   constexpr const char* kConnectivitySteps[] = {R"sql(CREATE TABLE ...)sql"};
//   constexpr ColumnRule kConnectivityColumns[] = {IntegerColumn(...), ...};
//   const SchemaArea kConnectivitySchema = {
//       "connectivity", kConnectivitySteps, std::size(kConnectivitySteps),
//       kConnectivityColumns, std::size(kConnectivityColumns)};
// `rules` are what its tables' columns may hold (ColumnRule).
struct SchemaArea {
  const char* name;
  const char* const* steps;
  size_t step_count;
  const ColumnRule* rules;
  size_t rule_count;
};

// The areas with tables of their own. Every station is brought up to date
// when it is opened: the base steps first, then these areas in the order
// schema.cpp lists them (an area may refer to the tables of the areas
// before it).
extern const SchemaArea kCredentialSchema;    // units/users.cpp
extern const SchemaArea kConnectivitySchema;  // connectivity/common.cpp
extern const SchemaArea kSpecialLuSchema;     // storage/special_lus.cpp
extern const SchemaArea kServicesSchema;      // services/schema.cpp
extern const SchemaArea kMaintenanceSchema;   // maintenance/schema.cpp
extern const SchemaArea kEventSchema;         // model/events.cpp

}  // namespace tesk740
