#include "station/station.h"

#include <chrono>
#include <cstring>
#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif
#include <exception>
#include <system_error>
#include <thread>

#include "kx_core.h"
#include "kx_errors.h"
#include "station/fixed_text.h"
#include "station/host_path.h"

namespace tesk740 {
namespace {

constexpr char kDatabaseFile[] = "station.db";
// The station's mutex already serialises every use of its connection, so
// SQLite's own per-call mutex on it would only be taken again and again.
constexpr int kConnectionMode = SQLITE_OPEN_NOMUTEX;
constexpr int kBusyTimeoutMs = 10000;
// PRAGMA application_id of a station's database ("KXST"): a database with
// another id, or with tables but no id, belongs to something else.
constexpr int64_t kApplicationId = 0x4B585354;

// Creates a missing station.db readable and writable by its owner only;
// SQLite gives its write-ahead log and index files the same permissions.
void CreatePrivately(const std::filesystem::path& file) {
#if !defined(_WIN32)
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd >= 0) ::close(fd);
#else
  static_cast<void>(file);
#endif
}

// Refuses a database that is not a station's: another application's, or a
// file that is no database at all (SQLite reports that at the first read).
void CheckIdentity(Database& database) {
  int64_t id = 0;
  {
    Statement read = database.Prepare("PRAGMA application_id");
    if (read.Step()) id = read.Int(0);
  }
  if (id == kApplicationId) return;
  if (id != 0) Fail(KXE_NOT_A_STATION);
  Statement tables = database.Prepare(
      "SELECT count(*), count(CASE WHEN name = 'unit' THEN 1 END)"
      " FROM sqlite_master WHERE type = 'table'");
  tables.Step();
  // Stations made before the id was set hold the unit table.
  if (tables.Int(0) != 0 && tables.Int(1) == 0) Fail(KXE_NOT_A_STATION);
}

// A cheap look at the database's structure when it is opened.
void CheckIntact(Database& database) {
  Statement check = database.Prepare("PRAGMA quick_check(1)");
  if (!check.Step() || check.Text(0) != "ok") Fail(KXE_STATION_DAMAGED);
}

// The code of a refusal by a trigger (KX_SQL_REFUSE), or 0 for any other
// message.
int32_t RefusalCode(const char* message) {
  static constexpr char kPrefix[] = "kx code ";
  if (message == nullptr ||
      std::strncmp(message, kPrefix, sizeof kPrefix - 1) != 0) {
    return 0;
  }
  int32_t code = 0;
  for (const char* digit = message + sizeof kPrefix - 1; *digit != ':';
       ++digit) {
    if (*digit < '0' || *digit > '9' || code > 0xFFFF) return 0;
    code = code * 10 + (*digit - '0');
  }
  return code <= 0xFFFF ? code : 0;
}

// Throws for any result but the expected ones.
void Check(int result) {
  if (result != SQLITE_OK) Fail(StorageCode(result));
}

// Turns WAL on. Switching the journal mode needs a lock that the busy
// handler does not always wait for, so a second process creating the same
// station at the same moment is retried here for as long as the busy timeout.
void EnableWriteAheadLog(Database& database) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(kBusyTimeoutMs);
  for (;;) {
    try {
      Statement pragma = database.Prepare("PRAGMA journal_mode=WAL");
      if (!pragma.Step() || pragma.Text(0) != "wal") Fail(KXE_STORAGE);
      return;
    } catch (const StationFailure& failure) {
      if (failure.code != KXE_STATION_BUSY ||
          std::chrono::steady_clock::now() > deadline) {
        throw;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

void Fail(int32_t code) { throw StationFailure{code}; }

std::filesystem::path StationDirectory(Database& database) {
  const char* file = sqlite3_db_filename(database.handle(), "main");
  if (file == nullptr || *file == '\0') Fail(KXE_INTERNAL);
  return std::filesystem::u8path(file).parent_path();
}

void FailAfterCommit(int32_t code) { throw CommittedFailure{code}; }

int32_t StorageCode(int sqlite_result) {
  switch (sqlite_result & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return KXE_STATION_BUSY;
    case SQLITE_NOMEM:
      return KXE_INTERNAL;
    case SQLITE_CORRUPT:
      return KXE_STATION_DAMAGED;
    case SQLITE_NOTADB:
      return KXE_NOT_A_STATION;
    case SQLITE_READONLY:
      return KXE_STATION_READ_ONLY;
    case SQLITE_FULL:
      return KXE_DISK_FULL;
    default:
      return KXE_STORAGE;
  }
}

namespace {

// More distinct texts than the core's queries: only SQL built at run time
// gets this far, and it is not kept.
constexpr size_t kMaxPreparedTexts = 1024;

std::unique_ptr<PreparedStatement> PrepareNew(sqlite3* db, const char* sql) {
  auto prepared = std::make_unique<PreparedStatement>();
  Check(sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT,
                           &prepared->statement, nullptr));
  const int count = sqlite3_column_count(prepared->statement);
  prepared->names.reserve(static_cast<size_t>(count));
  for (int column = 0; column < count; ++column) {
    const char* name = sqlite3_column_name(prepared->statement, column);
    prepared->names.emplace_back(name != nullptr ? name : "");
    // Null for an expression; the table and column it reads otherwise.
    const char* table =
        sqlite3_column_table_name(prepared->statement, column);
    const char* origin =
        sqlite3_column_origin_name(prepared->statement, column);
    if (table == nullptr || origin == nullptr) continue;
    if (const ColumnRule* rule = FindColumnRule(table, origin)) {
      prepared->checks.push_back({column, rule});
    }
  }
  return prepared;
}

}  // namespace

Statement Database::Prepare(const char* sql) {
  auto found = prepared_.find(sql);
  if (found == prepared_.end()) {
    if (prepared_.size() >= kMaxPreparedTexts) {
      std::unique_ptr<PreparedStatement> once = PrepareNew(db_, sql);
      PreparedStatement* lent = once.get();
      return Statement(db_, lent, std::move(once));
    }
    found = prepared_.emplace(sql, std::vector<std::unique_ptr<PreparedStatement>>())
                .first;
  }
  for (const std::unique_ptr<PreparedStatement>& kept : found->second) {
    if (!kept->in_use) return Statement(db_, kept.get());
  }
  found->second.push_back(PrepareNew(db_, sql));
  return Statement(db_, found->second.back().get());
}

Statement::Statement(sqlite3* db, PreparedStatement* prepared,
                     std::unique_ptr<PreparedStatement> owned)
    : db_(db),
      prepared_(prepared),
      owned_(std::move(owned)),
      statement_(prepared->statement) {
  prepared_->in_use = true;
}

Statement::~Statement() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  prepared_->in_use = false;
}

void Statement::CheckRow() const {
  for (const PreparedStatement::ColumnCheck& check : prepared_->checks) {
    const ColumnRule& rule = *check.rule;
    const int type = sqlite3_column_type(statement_, check.column);
    if (type == SQLITE_NULL) continue;
    if (rule.kind == ColumnRule::Kind::kInteger) {
      if (type != SQLITE_INTEGER) Fail(KXE_STATION_DAMAGED);
      const int64_t value = sqlite3_column_int64(statement_, check.column);
      if (value < rule.low || value > rule.high) Fail(KXE_STATION_DAMAGED);
      if (rule.values != 0 &&
          (value < 0 || value > 63 || ((rule.values >> value) & 1) == 0)) {
        Fail(KXE_STATION_DAMAGED);
      }
      continue;
    }
    if (type != SQLITE_TEXT && type != SQLITE_BLOB) Fail(KXE_STATION_DAMAGED);
    const auto* bytes = static_cast<const char*>(
        sqlite3_column_blob(statement_, check.column));
    const int size = sqlite3_column_bytes(statement_, check.column);
    if (size < rule.low || size > rule.high) Fail(KXE_STATION_DAMAGED);
    if (rule.kind == ColumnRule::Kind::kText && size > 0 &&
        std::memchr(bytes, '\0', static_cast<size_t>(size)) != nullptr) {
      Fail(KXE_STATION_DAMAGED);
    }
  }
}


Statement& Statement::Bind(int index, int64_t value) {
  Check(sqlite3_bind_int64(statement_, index, value));
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  // An empty view may carry a null pointer, which SQLite would store as NULL.
  const char* bytes = text.empty() ? "" : text.data();
  Check(sqlite3_bind_text(statement_, index, bytes,
                          static_cast<int>(text.size()), SQLITE_TRANSIENT));
  return *this;
}

bool Statement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) {
    CheckRow();
    return true;
  }
  if (result == SQLITE_DONE) return false;
  if ((result & 0xFF) == SQLITE_CONSTRAINT) {
    if (const int32_t code = RefusalCode(sqlite3_errmsg(db_))) Fail(code);
  }
  Fail(StorageCode(result));
}

void Statement::Run() {
  while (Step()) {
  }
}

void Statement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

Statement& Statement::BindBlob(int index, const void* bytes, size_t size) {
  static const char kEmpty = 0;
  Check(sqlite3_bind_blob(statement_, index, size == 0 ? &kEmpty : bytes,
                          static_cast<int>(size), SQLITE_TRANSIENT));
  return *this;
}

int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(statement_, column);
}

int Statement::ColumnIndex(std::string_view column) const {
  const std::vector<std::string>& names = prepared_->names;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == column) return static_cast<int>(i);
  }
  // A query that does not select the column is the code's fault.
  Fail(KXE_INTERNAL);
}

int64_t Statement::Int(std::string_view column) const {
  return Int(ColumnIndex(column));
}

std::string Statement::Text(std::string_view column) const {
  return Text(ColumnIndex(column));
}

int64_t Statement::IntIn(int column, int64_t low, int64_t high) const {
  if (sqlite3_column_type(statement_, column) != SQLITE_INTEGER) {
    Fail(KXE_STATION_DAMAGED);
  }
  const int64_t value = Int(column);
  if (value < low || value > high) Fail(KXE_STATION_DAMAGED);
  return value;
}

int64_t Statement::IntIn(std::string_view column, int64_t low,
                         int64_t high) const {
  return IntIn(ColumnIndex(column), low, high);
}

std::string Statement::Text(int column) const {
  const auto* bytes =
      static_cast<const char*>(sqlite3_column_blob(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  return bytes == nullptr ? std::string() : std::string(bytes, size);
}

Database::~Database() {
  // Every statement is finalized before the connection closes.
  prepared_.clear();
  sqlite3_close_v2(db_);
}

void Database::Exec(const char* sql) {
  Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

Station& Station::Get() {
  // Never destroyed: a thread still inside a KX_ call while the process
  // exits must not find the mutex gone. SQLite recovers an unclosed WAL.
  static Station* const station = new Station;
  return *station;
}

int32_t Station::Open(std::string_view directory) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::filesystem::path path;
  if (!ResolveDirectory(directory, &path)) {
    database_.reset();
    directory_.clear();
    return KXE_WORKING_DIRECTORY;
  }
  if (database_ && path == directory_) return KX_OK;

  database_.reset();
  directory_.clear();
  if (!MakeDirectories(path)) return KXE_WORKING_DIRECTORY;
  try {
    OpenLocked(path);
  } catch (const StationFailure& failure) {
    database_.reset();
    return failure.code;
  } catch (const std::exception&) {
    database_.reset();
    return KXE_INTERNAL;
  }
  directory_ = path;
  return KX_OK;
}

void Station::OpenLocked(const std::filesystem::path& directory) {
  const std::filesystem::path path = directory / kDatabaseFile;
  const std::string file = path.u8string();
  CreatePrivately(path);
  sqlite3* handle = nullptr;
  int opened =
      sqlite3_open_v2(file.c_str(), &handle,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | kConnectionMode,
                      nullptr);
  std::error_code ignored;
  if (opened != SQLITE_OK && std::filesystem::exists(path, ignored)) {
    // A station that cannot be written can still be read.
    sqlite3_close_v2(handle);
    handle = nullptr;
    opened =
        sqlite3_open_v2(file.c_str(), &handle,
                        SQLITE_OPEN_READONLY | kConnectionMode, nullptr);
  }
  // SQLite hands out a handle even on failure; it must still be closed.
  database_ = std::make_unique<Database>(handle);
  Check(opened);
  sqlite3_extended_result_codes(handle, 1);
  Check(sqlite3_busy_timeout(handle, kBusyTimeoutMs));
  CheckIdentity(*database_);
  CheckIntact(*database_);
  if (sqlite3_db_readonly(handle, "main") == 1) {
    database_->Exec("PRAGMA query_only=ON");
    return;
  }
  EnableWriteAheadLog(*database_);
  // Later areas hang their rows on a unit; deleting the unit removes them.
  database_->Exec("PRAGMA foreign_keys=ON");
  database_->Exec("BEGIN IMMEDIATE");
  try {
    MigrateSchema(*database_);
    const std::string set_id =
        "PRAGMA application_id=" + std::to_string(kApplicationId);
    database_->Exec(set_id.c_str());
    database_->Exec("COMMIT");
  } catch (...) {
    sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void Station::CloseAtExit() {
  // A thread still inside a call keeps the station; SQLite recovers an
  // unclosed write-ahead log at the next open.
  std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
  if (!lock.owns_lock() || !database_) return;
  // Closing the last connection checkpoints the log into station.db and
  // removes it, so the file alone holds every committed change.
  sqlite3_wal_checkpoint_v2(database_->handle(), nullptr,
                            SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  database_.reset();
  directory_.clear();
}

namespace {

// Closes the station when the process ends normally.
struct CloseStationAtExit {
  ~CloseStationAtExit() { Station::Get().CloseAtExit(); }
} close_station_at_exit;

}  // namespace

void Station::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  database_.reset();
  directory_.clear();
}

namespace {

// The read transaction this thread is running, if any: a read made inside it
// (the snapshot gathers every area's read into one) joins it instead of
// taking the station's mutex a second time.
thread_local Database* current_read = nullptr;

// Marks the thread as inside a read transaction for as long as it lives.
class ReadScope {
 public:
  explicit ReadScope(Database* database) { current_read = database; }
  ~ReadScope() { current_read = nullptr; }
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;
};

// Runs a read inside the enclosing read transaction: its failure is its own
// code; ending the transaction is left to the enclosing read.
int32_t JoinRead(Database& database, const StationWork& work) {
  try {
    return work(database);
  } catch (const StationFailure& failure) {
    return failure.code;
  } catch (const CommittedFailure& failure) {
    return failure.code;
  } catch (const std::exception&) {
    return KXE_INTERNAL;
  }
}

}  // namespace

int32_t Station::Read(const StationWork& work) {
  if (current_read != nullptr) return JoinRead(*current_read, work);
  return Transact("BEGIN", /*read_only=*/true, work);
}

int32_t Station::Write(const StationWork& work) {
  // A change made inside a read would be committed or lost with it, behind
  // the caller's back; no read does that.
  if (current_read != nullptr) return KXE_INTERNAL;
  return Transact("BEGIN IMMEDIATE", /*read_only=*/false, work);
}

void RunAfterCommit(Database& database, std::function<void()> action) {
  // A read commits nothing: an action queued there would never be due.
  if (current_read == &database) Fail(KXE_INTERNAL);
  database.after_commit().push_back(std::move(action));
}

int32_t Station::Transact(const char* begin, bool read_only,
                          const StationWork& work) {
  std::vector<std::function<void()>> committed_actions;
  const int32_t code = TransactLocked(begin, read_only, work,
                                      &committed_actions);
  for (const std::function<void()>& action : committed_actions) {
    try {
      action();
    } catch (...) {
    }
  }
  return code;
}

int32_t Station::TransactLocked(
    const char* begin, bool read_only, const StationWork& work,
    std::vector<std::function<void()>>* committed_actions) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!database_) return KXE_NOT_INITIALIZED;
  Database& database = *database_;
  int32_t code = KX_OK;
  try {
    database.Exec(begin);
  } catch (const StationFailure& failure) {
    return failure.code;
  }
  ReadScope scope(read_only ? &database : nullptr);
  std::vector<std::function<void()>>& queued = database.after_commit();
  queued.clear();
  try {
    code = work(database);
    if (code == KX_OK) {
      database.Exec("COMMIT");
      committed_actions->swap(queued);
      return KX_OK;
    }
  } catch (const CommittedFailure& failure) {
    try {
      database.Exec("COMMIT");
      committed_actions->swap(queued);
      return failure.code;
    } catch (const StationFailure& commit_failure) {
      code = commit_failure.code;
    }
  } catch (const StationFailure& failure) {
    code = failure.code;
  } catch (const std::exception&) {
    code = KXE_INTERNAL;
  }
  // A failed COMMIT can leave the transaction open; a rollback of nothing
  // is harmless.
  sqlite3_exec(database.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  queued.clear();
  return code;
}

}  // namespace tesk740

KX_API int32_t KX_GUIInitialize(const WorkingDirectoryRecord* directory) {
  std::string path;
  if (directory == nullptr ||
      !tesk740::ReadFixedText(directory->tesk_path, sizeof directory->tesk_path,
                              &path) ||
      path.empty()) {
    // A failed call leaves no station, whatever the reason.
    tesk740::Station::Get().Close();
    return KXE_INVALID_ARGUMENT;
  }
  // The path arrives in Java's modified UTF-8; the file system wants UTF-8,
  // and a NUL would end the path early.
  std::optional<std::string> decoded = tesk740::DecodeModifiedUtf8(path);
  if (!decoded) {
    tesk740::Station::Get().Close();
    return KXE_INVALID_TEXT;
  }
  return tesk740::Station::Get().Open(*decoded);
}
