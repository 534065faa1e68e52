// The station: initialisation, persistence, switching and its database.
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>

#include "core_test_support.h"

namespace core_test {
namespace {

using StationLifeTest = StationTest;

std::string ModifyInfo(const char* text, int32_t value, int32_t* code) {
  char in[kModifyInfoSize] = {};
  std::strncpy(in, text, sizeof in - 1);
  char out[kModifyInfoSize];
  *code = KX_ModifyInfo(in, value, out);
  return out;
}

// Runs one query on the station's database behind the core's back.
std::string QueryDatabase(const std::filesystem::path& directory,
                          const char* sql) {
  sqlite3* db = nullptr;
  std::string answer;
  if (sqlite3_open((directory / "station.db").string().c_str(), &db) ==
      SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW &&
        sqlite3_column_text(statement, 0) != nullptr) {
      answer = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return answer;
}

TEST_F(StationLifeTest, EveryStationCallFailsClearlyWithoutAStation) {
  ForgetStation();
  KXUnitParamRecord unit = MakeUnit("unit");
  char old_name[kLongNameSize] = "unit";
  KXUnitParamRecord table[2];
  int32_t count = 0;
  KXLabelRecord labels[kLabelListCapacity];
  EXPECT_EQ(KX_GetUnitParam("unit", &unit), KXE_NOT_INITIALIZED);
  EXPECT_EQ(KX_UnitAdd(&unit), KXE_NOT_INITIALIZED);
  EXPECT_EQ(KX_UnitDelete("unit"), KXE_NOT_INITIALIZED);
  EXPECT_EQ(KX_UnitChange(old_name, &unit), KXE_NOT_INITIALIZED);
  EXPECT_EQ(KX_GetUnitParamTable(2, table), KXE_NOT_INITIALIZED);
  EXPECT_EQ(KX_GetUnitCount(&count), KXE_NOT_INITIALIZED);
  EXPECT_EQ(KX_GetLabelList(labels, &count), KXE_NOT_INITIALIZED);
  int32_t code = 0;
  for (int32_t station_operation : {3, 4, 5}) {
    EXPECT_EQ(ModifyInfo("LU0 LUN0", station_operation, &code), "");
    EXPECT_EQ(code, KXE_NOT_INITIALIZED) << station_operation;
  }
  // Plain text conversions need no station.
  EXPECT_EQ(ModifyInfo(" x ", 0, &code), "x");
  EXPECT_EQ(code, KX_OK);
}

TEST_F(StationLifeTest, StateSurvivesReopenAndSwitching) {
  KXUnitParamRecord unit = MakeUnit("kept", "grp", -3);
  ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  int32_t code = 0;
  ModifyInfo("OLD NEW", 4, &code);
  ASSERT_EQ(code, KX_OK);

  const std::filesystem::path other = directory_ / "other";
  ASSERT_EQ(Initialize(other), KX_OK);
  EXPECT_EQ(UnitCount(), 0);
  ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);

  // The same directory spelled differently is the same station.
  ASSERT_EQ(Initialize(directory_ / "other" / ".." / "."), KX_OK);
  EXPECT_EQ(UnitCount(), 1);
  ForgetStation();
  ASSERT_EQ(Initialize(directory_), KX_OK);
  KXUnitParamRecord read{};
  ASSERT_EQ(KX_GetUnitParam("kept", &read), KX_OK);
  EXPECT_EQ(std::memcmp(&read, &unit, sizeof read), 0);
  EXPECT_EQ(ModifyInfo("OLD", 3, &code), "NEW");
  ASSERT_EQ(Initialize(other), KX_OK);
  EXPECT_EQ(UnitCount(), 1);
}

TEST_F(StationLifeTest, DatabaseIsWalAndVersioned) {
  EXPECT_EQ(QueryDatabase(directory_, "PRAGMA journal_mode"), "wal");
  EXPECT_EQ(QueryDatabase(directory_, "PRAGMA user_version"), "4");

  // A station written by a newer core is refused and left alone.
  ForgetStation();
  EXPECT_EQ(QueryDatabase(directory_, "PRAGMA user_version=99"), "");
  EXPECT_EQ(Initialize(directory_), KXE_SCHEMA_TOO_NEW);
  EXPECT_EQ(UnitCount(), -KXE_NOT_INITIALIZED);
  EXPECT_EQ(QueryDatabase(directory_, "PRAGMA user_version"), "99");
}

TEST_F(StationLifeTest, WorkingDirectoryIsCreatedOrRefused) {
  const std::filesystem::path nested = directory_ / "a" / "b" / "c";
  ASSERT_EQ(Initialize(nested), KX_OK);
  EXPECT_TRUE(std::filesystem::exists(nested / "station.db"));

  const std::filesystem::path file = directory_ / "plain-file";
  std::ofstream(file) << "not a directory";
  EXPECT_EQ(Initialize(file), KXE_WORKING_DIRECTORY);
  EXPECT_EQ(Initialize(file / "below"), KXE_WORKING_DIRECTORY);
  EXPECT_EQ(UnitCount(), -KXE_NOT_INITIALIZED);

  WorkingDirectoryRecord unterminated;
  std::memset(unterminated.tesk_path, 'p', sizeof unterminated.tesk_path);
  EXPECT_EQ(KX_GUIInitialize(&unterminated), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GUIInitialize(nullptr), KXE_INVALID_ARGUMENT);
}

// A second process is a restart as far as the database is concerned.
TEST_F(StationLifeTest, AnotherProcessSharesTheStation) {
  KXUnitParamRecord unit = MakeUnit("mine");
  ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  const std::string command = std::string(KX_STATION_HELPER) + " '" +
                              directory_.string() + "' theirs 5";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(UnitCount(), 6);
  KXUnitParamRecord read{};
  ASSERT_EQ(KX_GetUnitParam("theirs4", &read), KX_OK);
  EXPECT_EQ(read.connect_type, 4);
}

}  // namespace
}  // namespace core_test
