// User accounts, login sessions and the station password.
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "array_test_support.h"
#include "station/sha256.h"

namespace core_test {
namespace {

// The user and login calls take the unit name in a 1024-byte buffer.
struct LongName {
  explicit LongName(const std::string& name) {
    std::strncpy(text, name.c_str(), sizeof text - 1);
  }
  char text[kLongNameSize] = {};
};

KXUserRegistRecord User(const std::string& name, const std::string& password) {
  KXUserRegistRecord user{};
  std::strncpy(user.user, name.c_str(), sizeof user.user - 1);
  std::strncpy(user.passwd, password.c_str(), sizeof user.passwd - 1);
  return user;
}

struct Session {
  int32_t code;
  std::string user;
  std::string time;
};

Session Login(int32_t controller, const std::string& name,
              const std::string& password) {
  const LongName unit(kUnit);
  const KXUserRegistRecord user = User(name, password);
  char result[kLoginResultSize];
  std::memset(result, 0x55, sizeof result);
  const int32_t code = KX_LoginKXUnit(unit.text, controller, &user, result);
  if (code != KX_OK) return {code, "", ""};
  return {code, result, result + kLoginSecondTextOffset};
}

Session LoginUser(int32_t controller) {
  const LongName unit(kUnit);
  char result[kLoginUserResultSize];
  std::memset(result, 0x55, sizeof result);
  const int32_t code = KX_GetLoginUser(unit.text, controller, result);
  // The area is fully written: both texts end within it.
  EXPECT_EQ(result[kLoginSecondTextOffset - 1], '\0');
  EXPECT_EQ(result[kLoginUserResultSize - 1], '\0');
  return {code, result, result + kLoginSecondTextOffset};
}

int32_t CheckLogin(int32_t controller) {
  const LongName unit(kUnit);
  int32_t value = -100;
  EXPECT_EQ(KX_CheckLogin(unit.text, controller, &value), KX_OK);
  return value;
}

int32_t Register(const std::string& name, const std::string& password,
                 const std::string& unit_name = kUnit) {
  const LongName unit(unit_name);
  const KXUserRegistRecord user = User(name, password);
  return KX_RegistUser(unit.text, 0, &user);
}

KXUserInformationRecord Information() {
  const LongName unit(kUnit);
  KXUserInformationRecord info{-1, -1};
  EXPECT_EQ(KX_GetUserInformation(unit.text, 0, &info), KX_OK);
  return info;
}

int32_t PasswdChange(const std::string& text) {
  const LongName buffer(text);
  return KX_PasswdChange(buffer.text);
}

using UsersTest = ArrayTest;

TEST_F(UsersTest, LoginSessionIsReportedAndEndsWithLogout) {
  ASSERT_EQ(Register("alice", "pa55word"), KX_OK);
  EXPECT_EQ(CheckLogin(0), 0);

  const Session session = Login(0, "alice", "pa55word");
  ASSERT_EQ(session.code, KX_OK);
  EXPECT_EQ(session.user, "alice");
  ASSERT_EQ(session.time.size(), 14u);
  EXPECT_EQ(session.time.find_first_not_of("0123456789"), std::string::npos);

  EXPECT_EQ(CheckLogin(0), 1);
  EXPECT_EQ(CheckLogin(1), 0);  // sessions are per controller
  const Session reported = LoginUser(0);
  EXPECT_EQ(reported.user, "alice");
  EXPECT_EQ(reported.time, session.time);
  EXPECT_EQ(Information().num, 1);
  EXPECT_EQ(Information().option, 0x1);

  const LongName unit(kUnit);
  ASSERT_EQ(KX_LogoutKXUnit(unit.text, 0), KX_OK);
  EXPECT_EQ(CheckLogin(0), 0);
  EXPECT_EQ(LoginUser(0).user, "");
  EXPECT_EQ(KX_LogoutKXUnit(unit.text, 0), KXE_NOT_LOGGED_IN);
  EXPECT_EQ(Information().option, 0);
}

TEST_F(UsersTest, RefusedLoginsOpenNoSession) {
  ASSERT_EQ(Register("alice", "right"), KX_OK);
  ASSERT_EQ(Register("bob", "other"), KX_OK);
  EXPECT_EQ(Login(0, "alice", "wrong").code, KXE_WRONG_PASSWORD);
  // An unknown user is not told apart from a wrong password.
  EXPECT_EQ(Login(0, "nobody", "right").code, KXE_WRONG_PASSWORD);
  EXPECT_EQ(Login(2, "alice", "right").code, KXE_INVALID_ARGUMENT);
  EXPECT_EQ(Login(-1, "alice", "right").code, KXE_INVALID_ARGUMENT);
  EXPECT_EQ(CheckLogin(0), 0);

  // A session is not taken over by another user, but its own user renews it.
  ASSERT_EQ(Login(1, "alice", "right").code, KX_OK);
  EXPECT_EQ(Login(1, "bob", "other").code, KXE_SESSION_IN_USE);
  EXPECT_EQ(LoginUser(1).user, "alice");
  EXPECT_EQ(Login(1, "alice", "right").code, KX_OK);

  // A reset ends it whoever holds it, and is fine when there is none.
  const LongName unit(kUnit);
  EXPECT_EQ(KX_ResetLogin(unit.text, 1), KX_OK);
  EXPECT_EQ(CheckLogin(1), 0);
  EXPECT_EQ(KX_ResetLogin(unit.text, 1), KX_OK);
  EXPECT_EQ(Login(1, "bob", "other").code, KX_OK);
}

TEST_F(UsersTest, MalformedAccountsAndUnitsAreRefused) {
  EXPECT_EQ(Register("", "pw"), KXE_INVALID_CREDENTIAL);
  EXPECT_EQ(Register("name", ""), KXE_INVALID_CREDENTIAL);
  EXPECT_EQ(Register("two words", "pw"), KXE_INVALID_CREDENTIAL);
  EXPECT_EQ(Register("tab\tname", "pw"), KXE_INVALID_CREDENTIAL);
  KXUserRegistRecord unterminated{};
  std::memset(unterminated.user, 'u', sizeof unterminated.user);
  std::strcpy(unterminated.passwd, "pw");
  const LongName unit(kUnit);
  EXPECT_EQ(KX_RegistUser(unit.text, 0, &unterminated), KXE_INVALID_CREDENTIAL);
  EXPECT_EQ(KX_RegistUser(unit.text, 0, nullptr), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(Register("alice", "pw", "nounit"), KXE_UNKNOWN_UNIT);
  // A 16-byte name and password are whole.
  EXPECT_EQ(Register("ABCDEFGHIJKLMNOP", "0123456789abcdef"), KX_OK);
  EXPECT_EQ(Login(0, "ABCDEFGHIJKLMNOP", "0123456789abcdef").code, KX_OK);
  EXPECT_EQ(Register("ABCDEFGHIJKLMNOP", "again"), KXE_DUPLICATE_USER);
  EXPECT_EQ(Information().num, 1);
}

TEST_F(UsersTest, AUnitHoldsAtMostSixteenAccounts) {
  for (int i = 0; i < KX_MAX_USERS; ++i) {
    ASSERT_EQ(Register("user" + std::to_string(i), "pw"), KX_OK);
  }
  EXPECT_EQ(Register("one-too-many", "pw"), KXE_USER_LIST_FULL);
  EXPECT_EQ(Information().num, KX_MAX_USERS);
  // Accounts belong to their unit.
  KXUnitParamRecord other = MakeUnit("array2");
  ASSERT_EQ(KX_UnitAdd(&other), KX_OK);
  EXPECT_EQ(Register("one-too-many", "pw", "array2"), KX_OK);
}

TEST_F(UsersTest, ChangeNeedsTheOldPasswordAndTheSessionFollows) {
  ASSERT_EQ(Register("alice", "old"), KX_OK);
  ASSERT_EQ(Register("bob", "bobs"), KX_OK);
  ASSERT_EQ(Login(0, "alice", "old").code, KX_OK);
  const LongName unit(kUnit);

  const KXUserRegistRecord wrong = User("alice", "guess");
  const KXUserRegistRecord renamed = User("alicia", "new");
  EXPECT_EQ(KX_ChangeUser(unit.text, 0, &wrong, &renamed), KXE_WRONG_PASSWORD);
  const KXUserRegistRecord to_bob = User("bob", "new");
  const KXUserRegistRecord right = User("alice", "old");
  EXPECT_EQ(KX_ChangeUser(unit.text, 0, &right, &to_bob), KXE_DUPLICATE_USER);
  EXPECT_EQ(LoginUser(0).user, "alice");

  ASSERT_EQ(KX_ChangeUser(unit.text, 0, &right, &renamed), KX_OK);
  EXPECT_EQ(LoginUser(0).user, "alicia");
  EXPECT_EQ(Login(1, "alice", "old").code, KXE_WRONG_PASSWORD);
  EXPECT_EQ(Login(1, "alicia", "old").code, KXE_WRONG_PASSWORD);
  EXPECT_EQ(Login(1, "alicia", "new").code, KX_OK);
}

TEST_F(UsersTest, RepeatedFailuresSlowSignInDown) {
  // The clock stands still: however slow the hashing, the wait has not ended
  // until the test moves the clock.
  TestClock clock(directory_);
  const int64_t failed_at = clock.Stop();
  ASSERT_EQ(Register("alice", "right"), KX_OK);
  ASSERT_EQ(Register("bob", "other"), KX_OK);
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(Login(0, "alice", "wrong").code, KXE_WRONG_PASSWORD);
  }
  // The sixth attempt waits, right password or not; other users do not.
  EXPECT_EQ(Login(0, "alice", "right").code, KXE_SIGN_IN_DELAYED);
  EXPECT_EQ(Login(1, "bob", "other").code, KX_OK);
  // Reopening the station (as another process would) does not forget.
  Reopen();
  EXPECT_EQ(Login(0, "alice", "right").code, KXE_SIGN_IN_DELAYED);
  // The sixth attempt waits one second.
  clock.StandAt(failed_at + 999);
  EXPECT_EQ(Login(0, "alice", "right").code, KXE_SIGN_IN_DELAYED);
  clock.StandAt(failed_at + 1000);
  EXPECT_EQ(Login(0, "alice", "right").code, KX_OK);
  // A success clears the count.
  ASSERT_EQ(KX_LogoutKXUnit(LongName(kUnit).text, 0), KX_OK);
  EXPECT_EQ(Login(0, "alice", "wrong").code, KXE_WRONG_PASSWORD);
  EXPECT_EQ(Login(0, "alice", "right").code, KX_OK);
}

TEST_F(UsersTest, DeletingAccountsEndsTheirSessions) {
  ASSERT_EQ(Register("alice", "a"), KX_OK);
  ASSERT_EQ(Register("bob", "b"), KX_OK);
  ASSERT_EQ(Login(0, "alice", "a").code, KX_OK);
  ASSERT_EQ(Login(1, "bob", "b").code, KX_OK);
  const LongName unit(kUnit);

  const KXUserRegistRecord wrong = User("alice", "b");
  EXPECT_EQ(KX_DeleteUser(unit.text, 0, &wrong), KXE_WRONG_PASSWORD);
  EXPECT_EQ(Information().num, 2);
  const KXUserRegistRecord alice = User("alice", "a");
  ASSERT_EQ(KX_DeleteUser(unit.text, 0, &alice), KX_OK);
  EXPECT_EQ(CheckLogin(0), 0);
  EXPECT_EQ(CheckLogin(1), 1);
  EXPECT_EQ(KX_DeleteUser(unit.text, 0, &alice), KXE_WRONG_PASSWORD);

  ASSERT_EQ(KX_DeleteAllUser(unit.text, 1), KX_OK);
  EXPECT_EQ(CheckLogin(1), 0);
  EXPECT_EQ(Information().num, 0);
}

TEST_F(UsersTest, AccountsAndSessionsSurviveARestartAndGoWithTheUnit) {
  ASSERT_EQ(Register("alice", "secret"), KX_OK);
  ASSERT_EQ(Login(1, "alice", "secret").code, KX_OK);
  Reopen();
  EXPECT_EQ(CheckLogin(1), 1);
  EXPECT_EQ(LoginUser(1).user, "alice");
  EXPECT_EQ(Login(0, "alice", "secret").code, KX_OK);

  ASSERT_EQ(KX_UnitDelete(kUnit), KX_OK);
  KXUnitParamRecord again = MakeUnit(kUnit);
  ASSERT_EQ(KX_UnitAdd(&again), KX_OK);
  EXPECT_EQ(Information().num, 0);
  EXPECT_EQ(CheckLogin(1), 0);
}

TEST_F(UsersTest, StationPasswordIsCheckedAndChangedWithTheOldOne) {
  EXPECT_EQ(KX_PasswdCheck(""), 0);  // empty until set
  EXPECT_EQ(KX_PasswdCheck("anything"), -1);
  ASSERT_EQ(PasswdChange("first"), KX_OK);
  EXPECT_EQ(KX_PasswdCheck("first"), 0);
  EXPECT_EQ(KX_PasswdCheck(""), -1);
  EXPECT_EQ(KX_PasswdCheck("firs"), -1);

  EXPECT_EQ(PasswdChange("second"), KXE_WRONG_PASSWORD);
  EXPECT_EQ(PasswdChange("wrong second"), KXE_WRONG_PASSWORD);
  EXPECT_EQ(PasswdChange("first a b"), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(PasswdChange("first 01234567890123456"), KXE_INVALID_CREDENTIAL);
  EXPECT_EQ(KX_PasswdCheck("first"), 0);

  ASSERT_EQ(PasswdChange("  first   second "), KX_OK);
  Reopen();
  EXPECT_EQ(KX_PasswdCheck("second"), 0);
  EXPECT_EQ(KX_PasswdCheck("first"), -1);
  // A caller's text of any length is only compared.
  EXPECT_EQ(KX_PasswdCheck(std::string(5000, 'x').c_str()), -1);
}

// The station password was answered at full speed however often it was
// guessed wrong; it now waits as sign-in does, on the station's clock.
TEST_F(UsersTest, StationPasswordGuessesSlowDownAsSignInDoes) {
  const std::filesystem::path clock = directory_ / "clock";
  const auto set_clock = [&](int64_t ms) {
    std::ofstream(clock, std::ios::trunc) << ms << "\n";
  };
  set_clock(1800000000000);
  // Unset however the test ends, so later tests see the wall clock.
  struct ClockVariable {
    explicit ClockVariable(const std::filesystem::path& file) {
      setenv("KX_CLOCK_FILE", file.c_str(), 1);
    }
    ~ClockVariable() { unsetenv("KX_CLOCK_FILE"); }
  } clock_variable(clock);
  ASSERT_EQ(PasswdChange("secret"), KX_OK);
  // Wrong changes are guesses of the old password too.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(KX_PasswdCheck("guess"), -1);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(PasswdChange("guess other"), KXE_WRONG_PASSWORD);
  }
  // The sixth try waits, right or wrong, check or change.
  EXPECT_EQ(KX_PasswdCheck("secret"), KXE_SIGN_IN_DELAYED);
  EXPECT_EQ(PasswdChange("secret other"), KXE_SIGN_IN_DELAYED);
  // Another process (a reopened station) does not start afresh.
  Reopen();
  EXPECT_EQ(KX_PasswdCheck("secret"), KXE_SIGN_IN_DELAYED);
  set_clock(1800000000000 + 1000);
  EXPECT_EQ(KX_PasswdCheck("guess"), -1);
  // The wait doubles with each further failure.
  set_clock(1800000000000 + 2999);
  EXPECT_EQ(KX_PasswdCheck("secret"), KXE_SIGN_IN_DELAYED);
  set_clock(1800000000000 + 3000);
  EXPECT_EQ(KX_PasswdCheck("secret"), 0);
  // A success clears the count.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(KX_PasswdCheck("guess"), -1);
  EXPECT_EQ(KX_PasswdCheck("secret"), KXE_SIGN_IN_DELAYED);
}

TEST_F(UsersTest, EarlierHashesStillSignInAndAreUpgraded) {
  ASSERT_EQ(Register("alice", "new-form"), KX_OK);
  const std::string salt(32, 'a');
  // The earlier form: SHA-256 of salt and password, iterated 1000 times.
  std::array<uint8_t, 32> digest = tesk740::Sha256(salt + "old-form");
  for (int round = 1; round < 1000; ++round) {
    digest = tesk740::Sha256(
        std::string(reinterpret_cast<const char*>(digest.data()), 32) + salt);
  }
  const std::string legacy = tesk740::ToHex(digest.data(), digest.size());
  // The station file read and written behind the core's back.
  auto query = [&](const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open((directory_ / "station.db").string().c_str(), &db);
    std::string first;
    const int result = sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int, char** values, char**) {
          *static_cast<std::string*>(out) = values[0];
          return 0;
        },
        &first, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(result, SQLITE_OK) << sql;
    return first;
  };
  auto stored = [&] {
    return query("SELECT password_hash FROM unit_user WHERE user_name = 'alice'");
  };
  EXPECT_EQ(stored().rfind("$argon2id$v=19$m=19456,t=2,p=1$", 0), 0u);

  query("UPDATE unit_user SET password_salt = '" + salt +
        "', password_hash = '" + legacy + "' WHERE user_name = 'alice'");

  EXPECT_EQ(Login(0, "alice", "new-form").code, KXE_WRONG_PASSWORD);
  ASSERT_EQ(Login(0, "alice", "old-form").code, KX_OK);
  EXPECT_EQ(stored().rfind("$argon2id$", 0), 0u);
  ASSERT_EQ(KX_LogoutKXUnit(LongName(kUnit).text, 0), KX_OK);
  EXPECT_EQ(Login(0, "alice", "old-form").code, KX_OK);

  // The station password too, at its next successful check.
  const std::string station_legacy = salt + ":" + legacy;
  ASSERT_EQ(PasswdChange("station-pw"), KX_OK);
  query("UPDATE station_setting SET value = '" + station_legacy +
        "' WHERE name = 'station_password'");
  auto station_hash = [&] {
    return query(
        "SELECT value FROM station_setting WHERE name = 'station_password'");
  };
  ASSERT_EQ(station_hash(), station_legacy);
  EXPECT_EQ(KX_PasswdCheck("station-pw"), -1);
  EXPECT_EQ(station_hash(), station_legacy) << "a failed check changes nothing";
  EXPECT_EQ(KX_PasswdCheck("old-form"), 0);
  EXPECT_EQ(station_hash().rfind("$argon2id$", 0), 0u);
  EXPECT_EQ(KX_PasswdCheck("old-form"), 0);
}

TEST_F(UsersTest, NoPasswordIsStoredAsText) {
  ASSERT_EQ(Register("alice", "Xyzzy-pass-1"), KX_OK);
  ASSERT_EQ(PasswdChange("Plugh-pass-2"), KX_OK);
  // Two accounts with one password get different hashes (salted).
  ASSERT_EQ(Register("bob", "Xyzzy-pass-1"), KX_OK);

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
            SQLITE_OK);
  std::string everything;
  sqlite3_exec(
      db,
      "SELECT password_salt || password_hash FROM unit_user"
      " UNION ALL SELECT value FROM station_setting",
      [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) += std::string(values[0]) + "\n";
        return 0;
      },
      &everything, nullptr);
  sqlite3_stmt* hashes = nullptr;
  sqlite3_prepare_v2(db, "SELECT count(DISTINCT password_hash) FROM unit_user",
                     -1, &hashes, nullptr);
  ASSERT_EQ(sqlite3_step(hashes), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(hashes, 0), 2);
  sqlite3_finalize(hashes);
  sqlite3_close(db);

  EXPECT_FALSE(everything.empty());
  EXPECT_EQ(everything.find("Xyzzy"), std::string::npos);
  EXPECT_EQ(everything.find("Plugh"), std::string::npos);
}

// Known answers from FIPS 180-4: empty, one block, and a message whose
// padding spills into a second block.
TEST(PasswordHashTest, Sha256GivesTheStandardDigests) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc",
       "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
  };
  for (const auto& [message, digest] : cases) {
    const auto hash = tesk740::Sha256(message);
    EXPECT_EQ(tesk740::ToHex(hash.data(), hash.size()), digest) << message;
  }
}

}  // namespace
}  // namespace core_test
