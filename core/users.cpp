// User accounts of a unit, login sessions per controller, and the station
// password. Passwords are kept only as salted, iterated SHA-256 hashes.
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fixed_text.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_users.h"
#include "model.h"
#include "registry.h"
#include "sha256.h"

namespace tesk740 {
namespace {

constexpr size_t kMaxCredentialLength = 16;
constexpr int kHashRounds = 1000;
constexpr size_t kSaltBytes = 16;
constexpr char kStationPasswordSetting[] = "station_password";

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

std::string NewSalt() {
  std::random_device random;
  uint8_t salt[kSaltBytes];
  for (uint8_t& byte : salt) byte = static_cast<uint8_t>(random());
  return ToHex(salt, sizeof salt);
}

// Iterated so that a stolen station.db does not give up short passwords
// cheaply.
std::string HashPassword(const std::string& salt, const std::string& password) {
  std::array<uint8_t, 32> digest = Sha256(salt + password);
  for (int round = 1; round < kHashRounds; ++round) {
    std::string input(reinterpret_cast<const char*>(digest.data()),
                      digest.size());
    digest = Sha256(input + salt);
  }
  return ToHex(digest.data(), digest.size());
}

bool UserExists(Database& database, int64_t unit_id, const std::string& user) {
  Statement select = database.Prepare(
      "SELECT 1 FROM unit_user WHERE unit_id = ?1 AND user_name = ?2");
  select.Bind(1, unit_id).Bind(2, user);
  return select.Step();
}

// Fails with KXE_UNKNOWN_USER or KXE_WRONG_PASSWORD unless the account
// exists with that password.
void RequirePassword(Database& database, int64_t unit_id,
                     const Credential& credential) {
  Statement select = database.Prepare(
      "SELECT password_salt, password_hash FROM unit_user"
      " WHERE unit_id = ?1 AND user_name = ?2");
  select.Bind(1, unit_id).Bind(2, credential.user);
  if (!select.Step()) Fail(KXE_UNKNOWN_USER);
  if (HashPassword(select.Text(0), credential.password) != select.Text(1)) {
    Fail(KXE_WRONG_PASSWORD);
  }
}

void StorePassword(Database& database, int64_t unit_id,
                   const std::string& old_user, const Credential& credential) {
  const std::string salt = NewSalt();
  Statement update = database.Prepare(
      "UPDATE unit_user SET user_name = ?3, password_salt = ?4,"
      " password_hash = ?5 WHERE unit_id = ?1 AND user_name = ?2");
  update.Bind(1, unit_id)
      .Bind(2, old_user)
      .Bind(3, credential.user)
      .Bind(4, salt)
      .Bind(5, HashPassword(salt, credential.password));
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

std::string StationPasswordHash(Database& database, std::string* salt) {
  Statement select =
      database.Prepare("SELECT value FROM station_setting WHERE name = ?1");
  select.Bind(1, std::string_view(kStationPasswordSetting));
  if (!select.Step()) return std::string();
  // Stored as "salt:hash".
  const std::string value = select.Text(0);
  const size_t colon = value.find(':');
  *salt = value.substr(0, colon);
  return value.substr(colon + 1);
}

bool IsStationPassword(Database& database, const std::string& text) {
  std::string salt;
  const std::string hash = StationPasswordHash(database, &salt);
  if (hash.empty()) return text.empty();
  return HashPassword(salt, text) == hash;
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
    const std::string salt = tesk740::NewSalt();
    Statement insert = database.Prepare(
        "INSERT INTO unit_user (unit_id, user_name, password_salt,"
        " password_hash) VALUES (?1, ?2, ?3, ?4)");
    insert.Bind(1, unit_id)
        .Bind(2, credential.user)
        .Bind(3, salt)
        .Bind(4, tesk740::HashPassword(salt, credential.password));
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
    while (select.Step()) sessions |= 1 << select.IntIn("controller", 0, 1);
    info->num = static_cast<int32_t>(count.Int(0));
    info->option = sessions;
    return KX_OK;
  });
}

KX_API int32_t KX_PasswdCheck(const char* password) {
  if (password == nullptr) return KXE_INVALID_ARGUMENT;
  bool matches = false;
  const int32_t code = Station::Get().Read([&](Database& database) {
    matches = tesk740::IsStationPassword(database, password);
    return int32_t{KX_OK};
  });
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
    if (!tesk740::IsStationPassword(database, old_password)) {
      return KXE_WRONG_PASSWORD;
    }
    const std::string salt = tesk740::NewSalt();
    Statement store = database.Prepare(
        "INSERT OR REPLACE INTO station_setting (name, value) VALUES (?1, ?2)");
    store.Bind(1, std::string_view(tesk740::kStationPasswordSetting))
        .Bind(2, salt + ":" + tesk740::HashPassword(salt, new_password));
    store.Run();
    return KX_OK;
  });
}
