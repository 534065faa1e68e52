// User accounts of a unit, login sessions per controller, and the station
// password. Passwords are kept only as Argon2id hashes (PHC string form,
// t=2, m=19 MiB, p=1, 16-byte random salt, 32-byte hash). Hashes of the
// earlier salted, iterated SHA-256 form still verify and are replaced by
// Argon2id at the account's next successful sign-in.
#include <iterator>
#include <argon2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kx_station_maintenance.h"
#include "model/clock.h"
#include "model/events.h"
#include "station/fixed_text.h"

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_users.h"
#include "model/registry.h"
#include "station/sha256.h"

namespace tesk740 {
namespace {

// Records the end of the unit's sessions that are about to be deleted: those
// of `user` (every user when empty) on `controller` (every controller when
// -1).
void RecordSessionEnds(Database& database, int64_t unit_id,
                       const std::string& user, int32_t controller) {
  Statement sessions = database.Prepare(
      "SELECT controller, user_name FROM login_session WHERE unit_id = ?1"
      " AND (?2 = '' OR user_name = ?2) AND (?3 = -1 OR controller = ?3)"
      " ORDER BY controller");
  sessions.Bind(1, unit_id).Bind(2, user).Bind(3, controller);
  while (sessions.Step()) {
    Event event;
    event.kind = "logout";
    event.controller = static_cast<int32_t>(sessions.IntIn(0, 0, 1));
    event.object = "controller " + std::to_string(event.controller);
    event.category = KX_TRACE_SESSIONS;
    event.text = "session of " + sessions.Text(1) + " ended";
    RecordEvent(database, unit_id, event);
  }
}

constexpr size_t kMaxCredentialLength = 16;
constexpr int kHashRounds = 1000;
constexpr size_t kSaltBytes = 16;
constexpr uint32_t kArgon2Passes = 2;
constexpr uint32_t kArgon2MemoryKiB = 19 * 1024;
constexpr uint32_t kArgon2Lanes = 1;
constexpr uint32_t kArgon2HashBytes = 32;
constexpr char kStationPasswordSetting[] = "station_password";
constexpr int64_t kFreeFailures = 5;
constexpr int64_t kLongestWaitMs = 5 * 60 * 1000;

// Failed sign-ins per unit and user name.
constexpr const char* kCredentialSteps[] = {
    R"sql(
      CREATE TABLE sign_in_failure (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        user_name TEXT NOT NULL,
        failures INTEGER NOT NULL CHECK (failures >= 0),
        last_ms INTEGER NOT NULL,
        PRIMARY KEY (unit_id, user_name)
      );
    )sql",
    // Failed checks of the station password in a row: one row at most.
    R"sql(
      CREATE TABLE station_password_failure (
        only_row INTEGER PRIMARY KEY CHECK (only_row = 1),
        failures INTEGER NOT NULL CHECK (failures >= 0),
        last_ms INTEGER NOT NULL
      );
    )sql",
};
constexpr ColumnRule kCredentialColumns[] = {
    TextColumn("sign_in_failure", "user_name", 0, 16),
    IntegerColumn("sign_in_failure", "failures", 0, 2147483647),
    IntegerColumn("sign_in_failure", "last_ms", 0, kAnyInteger),
};

}  // namespace

const SchemaArea kCredentialSchema = {"credentials", kCredentialSteps, std::size(kCredentialSteps),
                            kCredentialColumns, std::size(kCredentialColumns)};

namespace {

bool IsCredential(const std::string& text) {
  if (text.empty() || text.size() > kMaxCredentialLength) return false;
  for (const char byte : text) {
    if (byte < 0x21 || byte > 0x7E) return false;
  }
  return true;
}

struct Credential {
  std::string user;
  std::string password;
};

// Fails the work with KXE_INVALID_CREDENTIAL unless both texts are good.
Credential ReadCredential(const KXUserRegistRecord* record) {
  if (record == nullptr) Fail(KXE_INVALID_ARGUMENT);
  Credential credential;
  if (!ReadFixedText(record->user, sizeof record->user, &credential.user) ||
      !ReadFixedText(record->passwd, sizeof record->passwd,
                     &credential.password) ||
      !IsCredential(credential.user) || !IsCredential(credential.password)) {
    Fail(KXE_INVALID_CREDENTIAL);
  }
  return credential;
}

// A new Argon2id hash of the password, with its parameters and salt, in the
// PHC string form ("$argon2id$v=19$m=...,t=...,p=...$salt$hash").
std::string HashPassword(const std::string& password) {
  std::random_device random;
  uint8_t salt[kSaltBytes];
  for (uint8_t& byte : salt) byte = static_cast<uint8_t>(random());
  const size_t length =
      argon2_encodedlen(kArgon2Passes, kArgon2MemoryKiB, kArgon2Lanes,
                        kSaltBytes, kArgon2HashBytes, Argon2_id);
  std::string encoded(length, '\0');
  if (argon2id_hash_encoded(kArgon2Passes, kArgon2MemoryKiB, kArgon2Lanes,
                            password.data(), password.size(), salt, sizeof salt,
                            kArgon2HashBytes, encoded.data(),
                            encoded.size()) != ARGON2_OK) {
    Fail(KXE_INTERNAL);
  }
  encoded.resize(std::strlen(encoded.c_str()));
  return encoded;
}

// The earlier form: salted SHA-256, iterated.
std::string LegacyHash(const std::string& salt, const std::string& password) {
  std::array<uint8_t, 32> digest = Sha256(salt + password);
  for (int round = 1; round < kHashRounds; ++round) {
    std::string input(reinterpret_cast<const char*>(digest.data()),
                      digest.size());
    digest = Sha256(input + salt);
  }
  return ToHex(digest.data(), digest.size());
}

bool IsArgon2Hash(const std::string& stored) {
  return stored.rfind("$argon2id$", 0) == 0;
}

// Compares two hashes in time that does not depend on where they differ.
bool SameHash(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  unsigned char difference = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    difference |= static_cast<unsigned char>(a[i] ^ b[i]);
  }
  return difference == 0;
}

// Whether the password matches a stored hash of either form; `legacy` tells
// which form it was.
bool VerifyPassword(const std::string& salt, const std::string& stored,
                    const std::string& password, bool* legacy) {
  *legacy = !IsArgon2Hash(stored);
  if (*legacy) return SameHash(LegacyHash(salt, password), stored);
  return argon2id_verify(stored.c_str(), password.data(), password.size()) ==
         ARGON2_OK;
}

// A hash to verify against when the user is unknown, so that an unknown
// user costs as much as a wrong password.
const std::string& DecoyHash() {
  static const std::string decoy = HashPassword("decoy-password");
  return decoy;
}

bool UserExists(Database& database, int64_t unit_id, const std::string& user) {
  Statement select = database.Prepare(
      "SELECT 1 FROM unit_user WHERE unit_id = ?1 AND user_name = ?2");
  select.Bind(1, unit_id).Bind(2, user);
  return select.Step();
}

// How long sign-in waits after `failures` wrong passwords in a row: nothing
// for the first kFreeFailures, then 1 s doubling up to kLongestWaitMs.
int64_t SignInWaitMs(int64_t failures) {
  if (failures < kFreeFailures) return 0;
  const int64_t doublings = std::min<int64_t>(failures - kFreeFailures, 16);
  return std::min<int64_t>(int64_t{1000} << doublings, kLongestWaitMs);
}

// Checks the account's password. Fails with KXE_WRONG_PASSWORD when the user
// or the password is wrong (the two are not told apart, and an unknown user
// costs a hash as well), and with KXE_SIGN_IN_DELAYED while the user waits
// after repeated failures. Failures are counted in the station, so another
// process cannot start afresh; a success clears the count.
void RequirePassword(Database& database, int64_t unit_id,
                     const Credential& credential) {
  const int64_t now = NowMs();
  Statement failures = database.Prepare(
      "SELECT failures, last_ms FROM sign_in_failure"
      " WHERE unit_id = ?1 AND user_name = ?2");
  failures.Bind(1, unit_id).Bind(2, credential.user);
  int64_t count = 0;
  if (failures.Step()) {
    count = failures.Int("failures");
    const int64_t last = failures.Int("last_ms");
    if (now < last + SignInWaitMs(count)) Fail(KXE_SIGN_IN_DELAYED);
  }
  Statement select = database.Prepare(
      "SELECT password_salt, password_hash FROM unit_user"
      " WHERE unit_id = ?1 AND user_name = ?2");
  select.Bind(1, unit_id).Bind(2, credential.user);
  const bool known = select.Step();
  bool legacy = false;
  bool matches = false;
  if (known) {
    matches = VerifyPassword(select.Text(0), select.Text(1),
                             credential.password, &legacy);
  } else {
    // Same cost as a wrong password; the answer is no either way.
    static_cast<void>(
        VerifyPassword("", DecoyHash(), credential.password, &legacy));
  }
  if (matches) {
    Statement clear = database.Prepare(
        "DELETE FROM sign_in_failure WHERE unit_id = ?1 AND user_name = ?2");
    clear.Bind(1, unit_id).Bind(2, credential.user).Run();
    if (legacy) {
      Statement upgrade = database.Prepare(
          "UPDATE unit_user SET password_salt = '', password_hash = ?3"
          " WHERE unit_id = ?1 AND user_name = ?2");
      upgrade.Bind(1, unit_id)
          .Bind(2, credential.user)
          .Bind(3, HashPassword(credential.password))
          .Run();
    }
    return;
  }
  // Counts older than the longest wait are forgotten, so names tried once
  // do not pile up.
  Statement forget = database.Prepare(
      "DELETE FROM sign_in_failure WHERE unit_id = ?1 AND last_ms < ?2");
  forget.Bind(1, unit_id).Bind(2, now - 2 * kLongestWaitMs).Run();
  Statement record = database.Prepare(
      "INSERT INTO sign_in_failure (unit_id, user_name, failures, last_ms)"
      " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (unit_id, user_name)"
      " DO UPDATE SET failures = excluded.failures, last_ms = "
      "excluded.last_ms");
  record.Bind(1, unit_id)
      .Bind(2, credential.user)
      .Bind(3, count + 1)
      .Bind(4, now)
      .Run();
  FailAfterCommit(KXE_WRONG_PASSWORD);
}

// The station password is guessed at the pace of a user's sign-in: after
// kFreeFailures wrong ones in a row every check waits as sign-in does
// (KXE_SIGN_IN_DELAYED, nothing checked). The count is in the station, so
// another process cannot start afresh.
void RequireStationPasswordTurn(Database& database, int64_t now) {
  Statement select = database.Prepare(
      "SELECT failures, last_ms FROM station_password_failure");
  if (!select.Step()) return;
  const int64_t count = select.IntIn("failures", 0, INT32_MAX);
  if (now < select.Int("last_ms") + SignInWaitMs(count)) {
    Fail(KXE_SIGN_IN_DELAYED);
  }
}

void CountStationPasswordCheck(Database& database, bool matched, int64_t now) {
  if (matched) {
    database.Exec("DELETE FROM station_password_failure");
    return;
  }
  Statement record = database.Prepare(
      "INSERT INTO station_password_failure (only_row, failures, last_ms)"
      " VALUES (1, 1, ?1) ON CONFLICT (only_row) DO UPDATE SET"
      " failures = min(failures + 1, 2147483647), last_ms = excluded.last_ms");
  record.Bind(1, now).Run();
}

void StorePassword(Database& database, int64_t unit_id,
                   const std::string& old_user, const Credential& credential) {
  Statement update = database.Prepare(
      "UPDATE unit_user SET user_name = ?3, password_salt = '',"
      " password_hash = ?4 WHERE unit_id = ?1 AND user_name = ?2");
  update.Bind(1, unit_id)
      .Bind(2, old_user)
      .Bind(3, credential.user)
      .Bind(4, HashPassword(credential.password));
  update.Run();
}

void RequireController(int32_t controller) {
  if (!IsController(controller)) Fail(KXE_INVALID_ARGUMENT);
}

// The unit and controller of a user or login call, checked in that order.
int64_t RequireUnitAndController(Database& database, const char* unit,
                                 int32_t controller) {
  const int64_t unit_id = RequireUnit(database, unit, kLongNameSize);
  RequireController(controller);
  return unit_id;
}

std::string LoginTimeText(int64_t seconds) {
  const std::tm time = LocalTime(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d",
                time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
                time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

// Writes the session into a login result of `size` bytes: the user at
// offset 0, the login time at offset 17; all zero without a session.
void WriteSession(Database& database, int64_t unit_id, int32_t controller,
                  char* result, size_t size) {
  std::vector<char> area(size, '\0');
  Statement select = database.Prepare(
      "SELECT user_name, login_time FROM login_session"
      " WHERE unit_id = ?1 AND controller = ?2");
  select.Bind(1, unit_id).Bind(2, controller);
  if (select.Step()) {
    WriteFixedText(select.Text(0), area.data(), kLoginSecondTextOffset);
    WriteFixedText(LoginTimeText(select.Int(1)),
                   area.data() + kLoginSecondTextOffset,
                   size - kLoginSecondTextOffset);
  }
  std::memcpy(result, area.data(), size);
}

// The station password's hash: an Argon2id string, or "salt:hash" of the
// earlier form.
std::string StationPasswordHash(Database& database, std::string* salt) {
  Statement select =
      database.Prepare("SELECT value FROM station_setting WHERE name = ?1");
  select.Bind(1, std::string_view(kStationPasswordSetting));
  if (!select.Step()) return std::string();
  const std::string value = select.Text(0);
  if (IsArgon2Hash(value)) return value;
  const size_t colon = value.find(':');
  *salt = value.substr(0, colon);
  return colon == std::string::npos ? std::string() : value.substr(colon + 1);
}

// Whether `text` is the station password; `legacy` tells whether the stored
// hash is of the earlier form (false when no password is set).
bool IsStationPassword(Database& database, const std::string& text,
                       bool* legacy = nullptr) {
  bool earlier_form = false;
  std::string salt;
  const std::string hash = StationPasswordHash(database, &salt);
  const bool matches = hash.empty()
                           ? text.empty()
                           : VerifyPassword(salt, hash, text, &earlier_form);
  if (legacy != nullptr) *legacy = !hash.empty() && earlier_form;
  return matches;
}

void StoreStationPassword(Database& database, const std::string& text) {
  Statement store = database.Prepare(
      "INSERT OR REPLACE INTO station_setting (name, value) VALUES (?1, ?2)");
  store.Bind(1, std::string_view(kStationPasswordSetting))
      .Bind(2, HashPassword(text));
  store.Run();
}

std::vector<std::string> SplitBlanks(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t begin = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > begin) words.push_back(text.substr(begin, i - begin));
  }
  return words;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Fail;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_RegistUser(const char* unit, int32_t controller,
                             const KXUserRegistRecord* user) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    const tesk740::Credential credential = tesk740::ReadCredential(user);
    if (tesk740::UserExists(database, unit_id, credential.user)) {
      return KXE_DUPLICATE_USER;
    }
    Statement count =
        database.Prepare("SELECT count(*) FROM unit_user WHERE unit_id = ?1");
    count.Bind(1, unit_id);
    count.Step();
    if (count.Int(0) >= KX_MAX_USERS) return KXE_USER_LIST_FULL;
    Statement insert = database.Prepare(
        "INSERT INTO unit_user (unit_id, user_name, password_salt,"
        " password_hash) VALUES (?1, ?2, '', ?3)");
    insert.Bind(1, unit_id)
        .Bind(2, credential.user)
        .Bind(3, tesk740::HashPassword(credential.password));
    insert.Run();
    return KX_OK;
  });
}

KX_API int32_t KX_ChangeUser(const char* unit, int32_t controller,
                             const KXUserRegistRecord* old_user,
                             const KXUserRegistRecord* new_user) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    const tesk740::Credential old_credential =
        tesk740::ReadCredential(old_user);
    const tesk740::Credential new_credential =
        tesk740::ReadCredential(new_user);
    tesk740::RequirePassword(database, unit_id, old_credential);
    if (new_credential.user != old_credential.user &&
        tesk740::UserExists(database, unit_id, new_credential.user)) {
      return KXE_DUPLICATE_USER;
    }
    // The session's user name follows through ON UPDATE CASCADE.
    tesk740::StorePassword(database, unit_id, old_credential.user,
                           new_credential);
    return KX_OK;
  });
}

KX_API int32_t KX_DeleteUser(const char* unit, int32_t controller,
                             const KXUserRegistRecord* user) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    const tesk740::Credential credential = tesk740::ReadCredential(user);
    tesk740::RequirePassword(database, unit_id, credential);
    // Its sessions go with it (ON DELETE CASCADE).
    tesk740::RecordSessionEnds(database, unit_id, credential.user, -1);
    Statement remove = database.Prepare(
        "DELETE FROM unit_user WHERE unit_id = ?1 AND user_name = ?2");
    remove.Bind(1, unit_id).Bind(2, credential.user);
    remove.Run();
    return KX_OK;
  });
}

KX_API int32_t KX_DeleteAllUser(const char* unit, int32_t controller) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    tesk740::RecordSessionEnds(database, unit_id, "", -1);
    Statement remove =
        database.Prepare("DELETE FROM unit_user WHERE unit_id = ?1");
    remove.Bind(1, unit_id);
    remove.Run();
    return KX_OK;
  });
}

KX_API int32_t KX_LoginKXUnit(const char* unit, int32_t controller,
                              const KXUserRegistRecord* user, char* result) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    const tesk740::Credential credential = tesk740::ReadCredential(user);
    if (result == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::RequirePassword(database, unit_id, credential);
    Statement holder = database.Prepare(
        "SELECT user_name FROM login_session"
        " WHERE unit_id = ?1 AND controller = ?2");
    holder.Bind(1, unit_id).Bind(2, controller);
    if (holder.Step() && holder.Text(0) != credential.user) {
      return KXE_SESSION_IN_USE;
    }
    Statement open = database.Prepare(
        "INSERT OR REPLACE INTO login_session"
        " (unit_id, controller, user_name, login_time)"
        " VALUES (?1, ?2, ?3, ?4)");
    open.Bind(1, unit_id)
        .Bind(2, controller)
        .Bind(3, credential.user)
        .Bind(4, tesk740::UnitClockSeconds(database, unit_id));
    open.Run();
    tesk740::Event event;
    event.kind = "login";
    event.controller = controller;
    event.object = "controller " + std::to_string(controller);
    event.category = KX_TRACE_SESSIONS;
    event.text = "login of " + credential.user;
    tesk740::RecordEvent(database, unit_id, event);
    tesk740::WriteSession(database, unit_id, controller, result,
                          kLoginResultSize);
    return KX_OK;
  });
}

KX_API int32_t KX_GetLoginUser(const char* unit, int32_t controller,
                               char* result) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    if (result == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::WriteSession(database, unit_id, controller, result,
                          kLoginUserResultSize);
    return KX_OK;
  });
}

namespace {

// Ends the session of a controller; true if there was one.
bool CloseSession(Database& database, const char* unit, int32_t controller) {
  const int64_t unit_id =
      tesk740::RequireUnitAndController(database, unit, controller);
  tesk740::RecordSessionEnds(database, unit_id, "", controller);
  Statement close = database.Prepare(
      "DELETE FROM login_session WHERE unit_id = ?1 AND controller = ?2");
  close.Bind(1, unit_id).Bind(2, controller);
  close.Run();
  return sqlite3_changes(database.handle()) != 0;
}

}  // namespace

KX_API int32_t KX_LogoutKXUnit(const char* unit, int32_t controller) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    return CloseSession(database, unit, controller) ? KX_OK : KXE_NOT_LOGGED_IN;
  });
}

// Unlike a logout, a reset succeeds whether or not a session was open.
KX_API int32_t KX_ResetLogin(const char* unit, int32_t controller) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    CloseSession(database, unit, controller);
    return KX_OK;
  });
}

KX_API int32_t KX_CheckLogin(const char* unit, int32_t controller,
                             int32_t* value) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    if (value == nullptr) return KXE_INVALID_ARGUMENT;
    Statement select = database.Prepare(
        "SELECT 1 FROM login_session WHERE unit_id = ?1 AND controller = ?2");
    select.Bind(1, unit_id).Bind(2, controller);
    *value = select.Step() ? 1 : 0;
    return KX_OK;
  });
}

KX_API int32_t KX_GetUserInformation(const char* unit, int32_t controller,
                                     KXUserInformationRecord* info) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id =
        tesk740::RequireUnitAndController(database, unit, controller);
    if (info == nullptr) return KXE_INVALID_ARGUMENT;
    Statement count =
        database.Prepare("SELECT count(*) FROM unit_user WHERE unit_id = ?1");
    count.Bind(1, unit_id);
    count.Step();
    int32_t sessions = 0;
    Statement select = database.Prepare(
        "SELECT controller FROM login_session WHERE unit_id = ?1");
    select.Bind(1, unit_id);
    while (select.Step()) sessions |= 1 << select.Int("controller");
    info->num = static_cast<int32_t>(count.Int(0));
    info->option = sessions;
    return KX_OK;
  });
}

KX_API int32_t KX_PasswdCheck(const char* password) {
  if (password == nullptr) return KXE_INVALID_ARGUMENT;
  bool matches = false;
  // One write: the wait is checked, the password compared and the outcome
  // counted under the write lock, so guesses from several processes at once
  // are counted as one series.
  int32_t code = Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t now = tesk740::NowMs();
    tesk740::RequireStationPasswordTurn(database, now);
    bool legacy = false;
    matches = tesk740::IsStationPassword(database, password, &legacy);
    tesk740::CountStationPasswordCheck(database, matches, now);
    // A hash of the earlier form is replaced now that the password is known.
    if (matches && legacy) tesk740::StoreStationPassword(database, password);
    return KX_OK;
  });
  if (code == KXE_STATION_READ_ONLY) {
    // A station that cannot be written still answers; it cannot count, but
    // a wait counted before it became read-only still holds.
    code = Station::Get().Read([&](Database& database) -> int32_t {
      tesk740::RequireStationPasswordTurn(database, tesk740::NowMs());
      matches = tesk740::IsStationPassword(database, password);
      return KX_OK;
    });
  }
  if (code != KX_OK) return code;
  return matches ? 0 : -1;
}

KX_API int32_t KX_PasswdChange(const char* text) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    std::string request;
    if (text == nullptr ||
        !tesk740::ReadFixedText(text, kLongNameSize, &request)) {
      return KXE_INVALID_ARGUMENT;
    }
    const std::vector<std::string> words = tesk740::SplitBlanks(request);
    if (words.empty() || words.size() > 2) return KXE_INVALID_ARGUMENT;
    const std::string old_password = words.size() == 2 ? words[0] : "";
    const std::string& new_password = words.back();
    if (!tesk740::IsCredential(new_password)) return KXE_INVALID_CREDENTIAL;
    // A change is a guess of the old password too.
    const int64_t now = tesk740::NowMs();
    tesk740::RequireStationPasswordTurn(database, now);
    const bool matches = tesk740::IsStationPassword(database, old_password);
    tesk740::CountStationPasswordCheck(database, matches, now);
    if (!matches) tesk740::FailAfterCommit(KXE_WRONG_PASSWORD);
    tesk740::StoreStationPassword(database, new_password);
    return KX_OK;
  });
}
