// A station whose database was edited by hand: numbers out of their range
// are reported as damage, never used as an index.
#include <sqlite3.h>

#include <string>

#include "array_test_support.h"

namespace core_test {
namespace {

class DamagedStationTest : public ArrayTest {
 protected:
  // Runs one statement on station.db behind the core's back.
  void Tamper(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
              SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error),
              SQLITE_OK)
        << (error != nullptr ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
  }

  void SetUp() override {
    ArrayTest::SetUp();
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  }
};

TEST_F(DamagedStationTest, OutOfRangeNumbersAreDamageNotIndexes) {
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
