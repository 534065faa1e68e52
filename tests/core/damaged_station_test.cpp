// A station whose database was edited by hand: numbers out of their range
// are refused by the database itself, and where they got in anyway (a station
// from before the ranges were enforced) they are reported as damage, never
// used as an index.
#include <sqlite3.h>

#include <string>
#include <utility>
#include <vector>

#include "array_test_support.h"

namespace core_test {
namespace {

class DamagedStationTest : public ArrayTest {
 protected:
  // Runs statements on station.db behind the core's back; the SQLite result
  // and its message.
  std::pair<int, std::string> Run(const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
              SQLITE_OK);
    char* error = nullptr;
    const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    return {result, message};
  }
  void Tamper(const std::string& sql) {
    const auto [result, message] = Run(sql);
    EXPECT_EQ(result, SQLITE_OK) << message;
  }
  void ExpectRefused(const std::string& sql) {
    const auto [result, message] = Run(sql);
    EXPECT_EQ(result, SQLITE_CONSTRAINT) << sql;
    EXPECT_NE(message.find("a number out of its range"), std::string::npos)
        << message;
  }
  // Drops the range triggers; with `as_before`, also puts every schema back
  // at the step before them, as a station from before the ranges were
  // enforced.
  void DropRangeTriggers(bool as_before) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
              SQLITE_OK);
    sqlite3_stmt* names = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT name FROM sqlite_master WHERE type ="
                                 " 'trigger' AND name LIKE '%\\_ranges\\_%'"
                                 " ESCAPE '\\'",
                                 -1, &names, nullptr),
              SQLITE_OK);
    std::vector<std::string> triggers;
    while (sqlite3_step(names) == SQLITE_ROW) {
      triggers.emplace_back(
          reinterpret_cast<const char*>(sqlite3_column_text(names, 0)));
    }
    sqlite3_finalize(names);
    sqlite3_close(db);
    EXPECT_EQ(triggers.size(), 2u * 18) << "two per table with ranges";
    std::string drop;
    for (const std::string& name : triggers) drop += "DROP TRIGGER " + name + ";";
    if (as_before) {
      drop += "PRAGMA user_version = 3; UPDATE schema_area SET version ="
              " version - 1 WHERE area <> 'credentials';";
    }
    Tamper(drop);
  }

  void SetUp() override {
    ArrayTest::SetUp();
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  }
};

TEST_F(DamagedStationTest, TheDatabaseRefusesNumbersOutOfRange) {
  const std::string unit = "(SELECT unit_id FROM unit)";
  ExpectRefused("UPDATE logical_unit SET lu_number = 5000");
  ExpectRefused("UPDATE raid_group SET rg_number = 100");
  ExpectRefused("UPDATE raid_group SET width = 16");  // 15 ports
  ExpectRefused("UPDATE raid_group SET first_port = 13");  // 3 wide: past 15
  ExpectRefused("UPDATE logical_unit SET controller = 2");
  ExpectRefused("UPDATE logical_unit SET capacity_mb = 'big'");
  ExpectRefused("PRAGMA foreign_keys=OFF; INSERT INTO format_job VALUES (" +
                unit + ", 9000, 0, 1, 0, 1000)");
  ExpectRefused("INSERT INTO drive_state VALUES (" + unit + ", 15, 0, 1, 0, 0)");
  ExpectRefused("INSERT INTO conn_lu_map VALUES (" + unit + ", 0, 0, 0, 256, 0)");
  ExpectRefused("INSERT INTO conn_host_group (unit_id, controller, port, hg,"
                " name) VALUES (" + unit + ", 0, 2, 1, 'x')");
  ExpectRefused("INSERT INTO pin_event VALUES (" + unit + ", 0, -1, 0)");
  ExpectRefused("INSERT INTO service_snmp_manager VALUES (" + unit +
                ", 8, 'host', 162)");
  ExpectRefused("INSERT INTO micro_assembly VALUES (" + unit +
                ", 1, 'r', 65, 1, x'')");
  // In range, the same kinds of rows go in.
  Tamper("INSERT INTO drive_state VALUES (" + unit + ", 14, 14, 1, 0, 0)");
  Tamper("UPDATE raid_group SET width = 3");
  RaidGroupRecord groups[KX_RAID_GROUP_COUNT];
  EXPECT_EQ(KX_GetRaidGroups(kUnit, groups), KX_OK);
}

// A station that took rows out of range before the database enforced the
// ranges still opens and takes the steps that enforce them; its reads then
// report the damage, and the database refuses new rows out of range.
TEST_F(DamagedStationTest, AStationWithOldRowsOutOfRangeUpgrades) {
  ForgetStation();
  DropRangeTriggers(true);
  Tamper("UPDATE logical_unit SET lu_number = 5000");
  ASSERT_EQ(Initialize(directory_), KX_OK);
  LogicalUnitRecord lus[KX_LOGICAL_UNIT_COUNT];
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KXE_STATION_DAMAGED);
  const auto [result, message] = Run(
      "SELECT 1 FROM sqlite_master WHERE name = 'logical_unit_ranges_update'");
  EXPECT_EQ(result, SQLITE_OK) << message;
  ExpectRefused("UPDATE logical_unit SET lu_number = 6000");
  // Mended by hand, the station reads again.
  ForgetStation();
  DropRangeTriggers(true);
  Tamper("UPDATE logical_unit SET lu_number = 0");
  ASSERT_EQ(Initialize(directory_), KX_OK);
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KX_OK);
}

// Rows out of range that got in anyway (the triggers dropped by hand).
TEST_F(DamagedStationTest, OutOfRangeNumbersAreDamageNotIndexes) {
  ForgetStation();
  DropRangeTriggers(false);
  ASSERT_EQ(Initialize(directory_), KX_OK);
  RaidGroupRecord groups[KX_RAID_GROUP_COUNT];
  LogicalUnitRecord lus[KX_LOGICAL_UNIT_COUNT];
  FormatStatusListRecord formats;

  // A format job for an LU the table has no room for.
  Tamper(
      "PRAGMA foreign_keys=OFF;"
      "INSERT INTO format_job VALUES ((SELECT unit_id FROM unit), 9000, 0,"
      " 1, 0, 1000)");
  EXPECT_EQ(KX_GetFormatStatusList(kUnit, &formats), KXE_STATION_DAMAGED);
  Tamper("DELETE FROM format_job WHERE lu_number = 9000");
  EXPECT_EQ(KX_GetFormatStatusList(kUnit, &formats), KX_OK);

  Tamper("UPDATE logical_unit SET lu_number = 5000");
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KXE_STATION_DAMAGED);
  Tamper("UPDATE logical_unit SET lu_number = 0");
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KX_OK);

  Tamper("PRAGMA foreign_keys=OFF; UPDATE raid_group SET rg_number = 100");
  EXPECT_EQ(KX_GetRaidGroups(kUnit, groups), KXE_STATION_DAMAGED);
  // Adding a group reads the others first: refused, nothing written.
  EXPECT_EQ(AddRaidGroup(MakeRaidGroup(KX_ANY_NUMBER, KX_RAID_1, 0, 1, 2, 1)),
            KXE_STATION_DAMAGED);

  Tamper("UPDATE raid_group SET rg_number = 0, width = 40");
  EXPECT_EQ(KX_GetRaidGroups(kUnit, groups), KXE_STATION_DAMAGED);
}

}  // namespace
}  // namespace core_test
