// RAID groups and logical units: creation within the drives and capacity
// there are, refused requests that change nothing, and the tables.
#include <sqlite3.h>

#include <string>

#include "array_test_support.h"

namespace core_test {
namespace {

using RaidGroupTest = ArrayTest;
using LogicalUnitTest = ArrayTest;

TEST_F(RaidGroupTest, CapacitiesComeFromTheMemberDrives) {
  // Ports 0..4, but port 4 holds no drives.
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 5, 1)),
            KXE_DRIVE_NOT_MOUNTED);
  // RAID 5 over 3 x 2 small drives: 2 data drives in each of 2 rows.
  RaidGroupRecord raid5 = MakeRaidGroup(3, KX_RAID_5, 0, 0, 3, 2);
  ASSERT_EQ(KX_RaidGroupAdd(kUnit, &raid5), KX_OK);
  // RAID 0 across small and large drives: the smallest member counts.
  RaidGroupRecord raid0 = MakeRaidGroup(KX_ANY_NUMBER, KX_RAID_0, 1, 5, 3, 10);
  ASSERT_EQ(KX_RaidGroupAdd(kUnit, &raid0), KX_OK);

  const auto table = RaidGroups();
  const RaidGroupRecord& five = table[3];
  EXPECT_EQ(five.rgnum, 3);
  EXPECT_EQ(five.level, KX_RAID_5);
  EXPECT_EQ(five.width, 3);
  EXPECT_EQ(five.depth, 2);
  EXPECT_EQ(five.minimum_capa, kSmallDriveMb);
  EXPECT_EQ(five.lastLBASet, 0);
  EXPECT_EQ(five.lastLBA, 2 * 2 * kSmallDriveMb);
  EXPECT_EQ(five.lumaxcapa, five.lastLBA);
  EXPECT_EQ(FreeBlocks(five), int64_t{five.lastLBA} * KX_BLOCKS_PER_MB);

  // The lowest free number; 30 drives of 139236 MB exceed 2^32 blocks, so
  // the free capacity needs rest_h.
  const RaidGroupRecord& zero = table[0];
  EXPECT_EQ(zero.rgnum, 0);
  EXPECT_EQ(zero.minimum_capa, kSmallDriveMb);
  EXPECT_EQ(zero.lastLBA, 30 * kSmallDriveMb);
  EXPECT_GT(zero.rest_h, 0);
  EXPECT_EQ(FreeBlocks(zero), 30 * kSmallDriveMb * KX_BLOCKS_PER_MB);

  for (int i = 0; i < KX_RAID_GROUP_COUNT; ++i) {
    if (i == 0 || i == 3) continue;
    RaidGroupRecord unused{};
    unused.rgnum = KX_UNUSED_ENTRY;
    EXPECT_EQ(std::memcmp(&table[i], &unused, sizeof unused), 0) << i;
  }
}

TEST_F(RaidGroupTest, WidthsFollowTheLevel) {
  struct Case {
    int32_t level, width;
    int32_t code;
    int64_t data_drives;
  };
  const Case cases[] = {
      {KX_RAID_1, 2, KX_OK, 1},
      {KX_RAID_1, 3, KXE_INVALID_GEOMETRY, 0},
      {KX_RAID_5, 3, KX_OK, 2},
      {KX_RAID_5, 2, KXE_INVALID_GEOMETRY, 0},
      {KX_RAID_6, 4, KX_OK, 2},
      {KX_RAID_6, 3, KXE_INVALID_GEOMETRY, 0},
      {KX_RAID_10, 4, KX_OK, 2},
      {KX_RAID_0, 1, KXE_INVALID_GEOMETRY, 0},
      {KX_RAID_0, 2, KX_OK, 2},
      {3, 3, KXE_INVALID_RAID_LEVEL, 0},
      {-1, 3, KXE_INVALID_RAID_LEVEL, 0},
  };
  int32_t row = 0;
  for (const Case& c : cases) {
    RaidGroupRecord group = MakeRaidGroup(row, c.level, 0, row, c.width, 1);
    ASSERT_EQ(KX_RaidGroupAdd(kUnit, &group), c.code)
        << "level " << c.level << " width " << c.width;
    if (c.code == KX_OK) {
      EXPECT_EQ(RaidGroups()[row].lastLBA, c.data_drives * kSmallDriveMb);
      ++row;
    }
  }
  // RAID 1+0 needs an even width.
  RaidGroupRecord odd = MakeRaidGroup(20, KX_RAID_10, 0, 14, 3, 1);
  EXPECT_EQ(KX_RaidGroupAdd(kUnit, &odd), KXE_INVALID_GEOMETRY);
}

TEST_F(RaidGroupTest, RefusedAddsChangeNothing) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 4, 3)), KX_OK);
  const std::string before = StorageSnapshot();
  struct Case {
    RaidGroupRecord group;
    int32_t code;
  };
  RaidGroupRecord too_big_cut = MakeRaidGroup(1, KX_RAID_1, 0, 5, 2, 1);
  too_big_cut.lastLBASet = 1;
  too_big_cut.lastLBA = kSmallDriveMb + 1;
  const Case cases[] = {
      {MakeRaidGroup(0, KX_RAID_1, 0, 5, 2, 1), KXE_DUPLICATE_RAID_GROUP},
      {MakeRaidGroup(45, KX_RAID_1, 0, 5, 2, 1), KXE_INVALID_ARGUMENT},
      {MakeRaidGroup(1, KX_RAID_1, 3, 2, 2, 1), KXE_DRIVE_IN_USE},
      {MakeRaidGroup(1, KX_RAID_1, 4, 0, 2, 1), KXE_DRIVE_NOT_MOUNTED},
      {MakeRaidGroup(1, KX_RAID_1, 14, 0, 2, 1), KXE_INVALID_GEOMETRY},
      {MakeRaidGroup(1, KX_RAID_1, 0, 14, 2, 2), KXE_INVALID_GEOMETRY},
      {MakeRaidGroup(1, KX_RAID_1, 0, 5, 2, 0), KXE_INVALID_GEOMETRY},
      {MakeRaidGroup(1, KX_RAID_1, -1, 5, 2, 1), KXE_INVALID_GEOMETRY},
      {too_big_cut, KXE_INSUFFICIENT_CAPACITY},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KX_RaidGroupAdd(kUnit, &c.group), c.code)
        << "port " << c.group.port << " row " << c.group.row;
  }
  EXPECT_EQ(KX_RaidGroupAdd("nounit", &cases[0].group), KXE_UNKNOWN_UNIT);
  EXPECT_EQ(KX_RaidGroupAdd(kUnit, nullptr), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(StorageSnapshot(), before);
}

TEST_F(RaidGroupTest, ACutLimitsWhatLusCanTake) {
  RaidGroupRecord cut = MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1);
  cut.lastLBASet = 1;
  cut.lastLBA = 1000;
  ASSERT_EQ(KX_RaidGroupAdd(kUnit, &cut), KX_OK);
  RaidGroupRecord read = RaidGroups()[0];
  EXPECT_EQ(read.lastLBASet, 1);
  EXPECT_EQ(read.lastLBA, 1000);
  EXPECT_EQ(AddLu(MakeLu(0, 0, 1001)), KXE_INSUFFICIENT_CAPACITY);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 600)), KX_OK);

  // Expanding may lift or move the cut, never below what LUs use.
  read.depth = 2;
  read.lastLBA = 599;
  EXPECT_EQ(KX_RaidGroupExpand(kUnit, &read), KXE_INSUFFICIENT_CAPACITY);
  read.lastLBASet = 0;
  ASSERT_EQ(KX_RaidGroupExpand(kUnit, &read), KX_OK);
  EXPECT_EQ(RaidGroups()[0].lastLBA, 2 * kSmallDriveMb);
  EXPECT_EQ(RaidGroups()[0].lumaxcapa, 2 * kSmallDriveMb - 600);
}

TEST_F(RaidGroupTest, ExpandGrowsByFreeRows) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_6, 0, 0, 4, 1)), KX_OK);
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_1, 2, 3, 2, 1)), KX_OK);
  RaidGroupRecord grow = RaidGroups()[0];
  const std::string before = StorageSnapshot();
  grow.depth = 4;  // rows 0..3; row 3 of ports 2-3 is group 1's
  EXPECT_EQ(KX_RaidGroupExpand(kUnit, &grow), KXE_DRIVE_IN_USE);
  grow.depth = 1;
  EXPECT_EQ(KX_RaidGroupExpand(kUnit, &grow), KXE_EXPAND_NOT_DEEPER);
  grow.depth = 16;
  EXPECT_EQ(KX_RaidGroupExpand(kUnit, &grow), KXE_INVALID_GEOMETRY);
  grow.rgnum = 7;
  grow.depth = 3;
  EXPECT_EQ(KX_RaidGroupExpand(kUnit, &grow), KXE_UNKNOWN_RAID_GROUP);
  EXPECT_EQ(StorageSnapshot(), before);

  grow.rgnum = 0;
  ASSERT_EQ(KX_RaidGroupExpand(kUnit, &grow), KX_OK);
  EXPECT_EQ(RaidGroups()[0].depth, 3);
  EXPECT_EQ(RaidGroups()[0].lastLBA, 3 * 2 * kSmallDriveMb);
}

TEST_F(RaidGroupTest, GroupsHoldingLusAreNotDeleted) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1)), KX_OK);
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_1, 0, 1, 2, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 1, 100)), KX_OK);
  const std::string before = StorageSnapshot();
  EXPECT_EQ(KX_RaidGroupDelete(kUnit, 1), KXE_RAID_GROUP_IN_USE);
  EXPECT_EQ(KX_RaidGroupAllDelete(kUnit), KXE_RAID_GROUP_IN_USE);
  EXPECT_EQ(KX_RaidGroupDelete(kUnit, 2), KXE_UNKNOWN_RAID_GROUP);
  EXPECT_EQ(StorageSnapshot(), before);

  ASSERT_EQ(KX_RaidGroupDelete(kUnit, 0), KX_OK);
  EXPECT_EQ(RaidGroups()[0].rgnum, KX_UNUSED_ENTRY);
  // The freed drives can be used again.
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(2, KX_RAID_1, 0, 0, 2, 1)), KX_OK);
  ASSERT_EQ(KX_LogicalUnitDeleteAll(kUnit), KX_OK);
  ASSERT_EQ(KX_RaidGroupAllDelete(kUnit), KX_OK);
  for (const RaidGroupRecord& group : RaidGroups()) {
    EXPECT_EQ(group.rgnum, KX_UNUSED_ENTRY);
  }
}

TEST_F(LogicalUnitTest, LusTakeCapacityFromTheirGroup) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(2, KX_RAID_5, 1, 0, 3, 1)), KX_OK);
  const int64_t capacity = RaidGroups()[2].lastLBA;
  LogicalUnitRecord first = MakeLu(KX_ANY_NUMBER, 2, 1000, 1);
  first.staging = KX_STAGING_SEQUENTIAL;
  ASSERT_EQ(KX_LogicalUnitAdd(kUnit, &first), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(7, 2, 2000)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(KX_ANY_NUMBER, 2, 3000)), KX_OK);

  const auto lus = LogicalUnits();
  const LogicalUnitRecord& lu0 = lus[0];
  EXPECT_EQ(lu0.luNumber, 0);
  EXPECT_EQ(lu0.rgNumber, 2);
  EXPECT_EQ(lu0.raid_level, KX_RAID_5);
  EXPECT_EQ(lu0.staging, KX_STAGING_SEQUENTIAL);
  EXPECT_EQ(lu0.capacity, 1000);
  EXPECT_EQ(lu0.defaultCTL, 1);
  EXPECT_EQ(lu0.currentCTL, 1);
  EXPECT_EQ(lu0.status, KX_LU_UNFORMATTED);
  EXPECT_EQ(lu0.hostblock, KX_HOST_BLOCK_BYTES);
  EXPECT_EQ(lu0.lu_valid, 1);
  EXPECT_EQ(lu0.rg_last_lu, 0);
  EXPECT_EQ(lus[1].luNumber, 1);  // the lowest free number
  EXPECT_EQ(lus[7].rg_last_lu, 1);
  for (int i = 2; i < KX_LOGICAL_UNIT_COUNT; ++i) {
    if (i == 7) continue;
    LogicalUnitRecord unused{};
    unused.luNumber = KX_UNUSED_ENTRY;
    ASSERT_EQ(std::memcmp(&lus[i], &unused, sizeof unused), 0) << i;
  }
  EXPECT_EQ(RaidGroups()[2].lumaxcapa, capacity - 6000);

  int32_t last = -100;
  ASSERT_EQ(KX_GetLastLogicalUnit(kUnit, &last), KX_OK);
  EXPECT_EQ(last, 7);
  LogicalUnitRecord one{};
  ASSERT_EQ(KX_GetLogicalUnit1(kUnit, 7, &one), KX_OK);
  EXPECT_EQ(std::memcmp(&one, &lus[7], sizeof one), 0);
  EXPECT_EQ(KX_GetLogicalUnit1(kUnit, 8, &one), KXE_UNKNOWN_LU);
}

TEST_F(LogicalUnitTest, RefusedAddsChangeNothing) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, kSmallDriveMb - 10)), KX_OK);
  const std::string before = StorageSnapshot();
  struct Case {
    LogicalUnitRecord lu;
    int32_t code;
  };
  LogicalUnitRecord bad_staging = MakeLu(1, 0, 5);
  bad_staging.staging = 3;
  LogicalUnitRecord bad_block = MakeLu(1, 0, 5);
  bad_block.hostblock = 520;
  const Case cases[] = {
      {MakeLu(1, 0, 11), KXE_INSUFFICIENT_CAPACITY},
      {MakeLu(1, 5, 1), KXE_UNKNOWN_RAID_GROUP},
      {MakeLu(0, 0, 1), KXE_DUPLICATE_LU},
      {MakeLu(512, 0, 1), KXE_INVALID_ARGUMENT},
      {MakeLu(1, 0, 0), KXE_INVALID_ARGUMENT},
      {MakeLu(1, 0, 1, 2), KXE_INVALID_ARGUMENT},
      {bad_staging, KXE_INVALID_ARGUMENT},
      {bad_block, KXE_INVALID_ARGUMENT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KX_LogicalUnitAdd(kUnit, &c.lu), c.code) << c.lu.luNumber;
  }
  EXPECT_EQ(StorageSnapshot(), before);
  // The last 10 MB still fit.
  EXPECT_EQ(AddLu(MakeLu(1, 0, 10)), KX_OK);
}

TEST_F(LogicalUnitTest, AListedLuAddsBackUnchanged) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(4, KX_RAID_10, 0, 0, 4, 1)), KX_OK);
  LogicalUnitRecord lu = MakeLu(9, 4, 4321, 1);
  lu.staging = KX_STAGING_OFF;
  ASSERT_EQ(KX_LogicalUnitAdd(kUnit, &lu), KX_OK);
  LogicalUnitRecord listed{};
  ASSERT_EQ(KX_GetLogicalUnit1(kUnit, 9, &listed), KX_OK);
  ASSERT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);
  ASSERT_EQ(KX_LogicalUnitAdd(kUnit, &listed), KX_OK);
  LogicalUnitRecord again{};
  ASSERT_EQ(KX_GetLogicalUnit1(kUnit, 9, &again), KX_OK);
  EXPECT_EQ(std::memcmp(&again, &listed, sizeof again), 0);
}

TEST_F(LogicalUnitTest, DeleteTakesTheLastLu) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1)), KX_OK);
  for (int32_t number : {3, 10, 5}) {
    ASSERT_EQ(AddLu(MakeLu(number, 0, 100)), KX_OK);
  }
  ASSERT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);
  int32_t last = -100;
  ASSERT_EQ(KX_GetLastLogicalUnit(kUnit, &last), KX_OK);
  EXPECT_EQ(last, 5);
  EXPECT_EQ(LogicalUnits()[5].rg_last_lu, 1);
  ASSERT_EQ(KX_LogicalUnitDeleteAll(kUnit), KX_OK);
  ASSERT_EQ(KX_GetLastLogicalUnit(kUnit, &last), KX_OK);
  EXPECT_EQ(last, -1);
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KXE_UNKNOWN_LU);
  EXPECT_EQ(RaidGroups()[0].lumaxcapa, kSmallDriveMb);
}

TEST_F(LogicalUnitTest, ChangesApplyToOneLu) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1000)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(1, 0, 1000)), KX_OK);

  ASSERT_EQ(KX_LogicalUnitExpand(kUnit, 0, 1500), KX_OK);
  EXPECT_EQ(KX_LogicalUnitExpand(kUnit, 0, 1500), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_LogicalUnitExpand(kUnit, 0, kSmallDriveMb),
            KXE_INSUFFICIENT_CAPACITY);
  EXPECT_EQ(KX_LogicalUnitExpand(kUnit, 2, 5000), KXE_UNKNOWN_LU);
  ASSERT_EQ(KX_LogicalUnitChangeStaging(kUnit, 0, KX_STAGING_OFF), KX_OK);
  EXPECT_EQ(KX_LogicalUnitChangeStaging(kUnit, 0, 7), KXE_INVALID_ARGUMENT);
  ASSERT_EQ(KX_LogicalUnitChangeCtl(kUnit, 0), KX_OK);
  ASSERT_EQ(KX_LogicalUnitInvalid(kUnit, 0), KX_OK);
  EXPECT_EQ(KX_LogicalUnitInvalid(kUnit, 9), KXE_UNKNOWN_LU);

  auto lus = LogicalUnits();
  EXPECT_EQ(lus[0].capacity, 1500);
  EXPECT_EQ(lus[0].staging, KX_STAGING_OFF);
  EXPECT_EQ(lus[0].defaultCTL, 1);
  EXPECT_EQ(lus[0].currentCTL, 1);
  EXPECT_EQ(lus[0].lu_valid, 0);
  EXPECT_EQ(lus[1].capacity, 1000);
  EXPECT_EQ(lus[1].staging, KX_STAGING_NORMAL);
  EXPECT_EQ(lus[1].defaultCTL, 0);
  EXPECT_EQ(lus[1].lu_valid, 1);
  EXPECT_EQ(RaidGroups()[0].lumaxcapa, kSmallDriveMb - 2500);

  ASSERT_EQ(KX_LogicalUnitChangeCtl(kUnit, 0), KX_OK);
  ASSERT_EQ(KX_LogicalUnitRestore(kUnit, 0), KX_OK);
  lus = LogicalUnits();
  EXPECT_EQ(lus[0].defaultCTL, 0);
  EXPECT_EQ(lus[0].lu_valid, 1);
}

TEST_F(LogicalUnitTest, ReallocMovesAndResizes) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1000)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(1, 0, 1000)), KX_OK);
  const std::string before = StorageSnapshot();
  LuReallocRequestRecord request{0, 0, 1};
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &request), KXE_DUPLICATE_LU);
  request = {0, kSmallDriveMb, 0};
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &request), KXE_INSUFFICIENT_CAPACITY);
  request = {4, 0, 5};
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &request), KXE_UNKNOWN_LU);
  request = {0, 0, 512};
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &request), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(StorageSnapshot(), before);

  request = {0, 300, 20};
  ASSERT_EQ(KX_LogicalUnitRealloc(kUnit, &request), KX_OK);
  const auto lus = LogicalUnits();
  EXPECT_EQ(lus[0].luNumber, KX_UNUSED_ENTRY);
  EXPECT_EQ(lus[20].luNumber, 20);
  EXPECT_EQ(lus[20].capacity, 300);
  EXPECT_EQ(lus[20].rg_last_lu, 1);
  EXPECT_EQ(RaidGroups()[0].lumaxcapa, kSmallDriveMb - 1300);
}

TEST_F(LogicalUnitTest, ConfigurationSurvivesARestartAndGoesWithTheUnit) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_6, 0, 0, 4, 2)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(3, 0, 777)), KX_OK);
  const std::string before = StorageSnapshot();
  Reopen();
  EXPECT_EQ(StorageSnapshot(), before);

  // A rename keeps the array, a deletion removes it.
  char old_name[kLongNameSize] = "array1";
  KXUnitParamRecord renamed = MakeUnit("renamed");
  ASSERT_EQ(KX_UnitChange(old_name, &renamed), KX_OK);
  EXPECT_EQ(StorageSnapshot("renamed"), before);
  ASSERT_EQ(KX_UnitDelete("renamed"), KX_OK);
  KXUnitParamRecord fresh = MakeUnit("renamed");
  ASSERT_EQ(KX_UnitAdd(&fresh), KX_OK);
  EXPECT_EQ(RaidGroups("renamed")[0].rgnum, KX_UNUSED_ENTRY);
  EXPECT_EQ(LogicalUnits("renamed")[3].luNumber, KX_UNUSED_ENTRY);
}

// A station written before arrays were modelled (schema version 1) keeps
// its units and gains their arrays.
TEST(StationUpgradeTest, AVersionOneStationGainsArrays) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() /
      ("tesk740-upgrade-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(directory);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((directory / "station.db").string().c_str(), &db),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, R"sql(
      CREATE TABLE unit (
        unit_id INTEGER PRIMARY KEY AUTOINCREMENT,
        unit_name TEXT NOT NULL UNIQUE, group_name TEXT NOT NULL,
        connect_type INTEGER NOT NULL, kx_type INTEGER NOT NULL,
        unit_conf INTEGER NOT NULL, alert INTEGER NOT NULL,
        ctl0 TEXT NOT NULL, ctl1 TEXT NOT NULL);
      CREATE TABLE label (
        label_id INTEGER PRIMARY KEY AUTOINCREMENT,
        old_label TEXT NOT NULL UNIQUE, new_label TEXT NOT NULL);
      INSERT INTO unit (unit_name, group_name, connect_type, kx_type,
        unit_conf, alert, ctl0, ctl1) VALUES ('old', 'g', 0, 0, 0, 0, '', '');
      PRAGMA user_version=1;
    )sql",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);

  ASSERT_EQ(Initialize(directory), KX_OK);
  EXPECT_EQ(UnitCount(), 1);
  RaidGroupRecord group = MakeRaidGroup(0, KX_RAID_1, 0, 0, 2, 1);
  EXPECT_EQ(KX_RaidGroupAdd("old", &group), KX_OK);
  ForgetStation();
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
}

}  // namespace
}  // namespace core_test
