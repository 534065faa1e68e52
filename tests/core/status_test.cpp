// Unit condition, drives, unit information and the unit clock, and how they
// agree with the unit's registration and storage configuration.
#include <ctime>
#include <string>

#include "array_test_support.h"

namespace core_test {
namespace {

using StatusTest = ArrayTest;

std::vector<DiskDriveInformationRecord> DriveIdentities() {
  std::vector<DiskDriveInformationRecord> table(KX_DRIVE_SLOTS);
  EXPECT_EQ(KX_GetDriveInformationAll(kUnit, table.data()), KX_OK);
  return table;
}

std::vector<DiskDriveRecord> DriveStatus() {
  std::vector<DiskDriveRecord> table(KX_DRIVE_SLOTS);
  EXPECT_EQ(KX_GetDriveStatus(kUnit, table.data()), KX_OK);
  return table;
}

UnitInformationRecord Information() {
  UnitInformationRecord info;
  std::memset(&info, 0x55, sizeof info);
  EXPECT_EQ(KX_GetUnitInformation(kUnit, &info), KX_OK);
  return info;
}

int CountInstalled(const int8_t* parts, int size) {
  int installed = 0;
  for (int i = 0; i < size; ++i) installed += parts[i] == KX_PART_NORMAL;
  return installed;
}

TEST_F(StatusTest, TheDefaultDrivePopulation) {
  const auto identities = DriveIdentities();
  const auto status = DriveStatus();
  int mounted = 0;
  for (int port = 0; port < KX_DRIVE_PORTS; ++port) {
    for (int row = 0; row < KX_DRIVE_ROWS; ++row) {
      const int i = port * KX_DRIVE_ROWS + row;
      EXPECT_EQ(status[i].port_no, port);
      EXPECT_EQ(status[i].row_no, row);
      EXPECT_EQ(status[i].spare_of_disk_port, KX_DRIVE_NO_SPARE);
      EXPECT_EQ(status[i].attribute, KX_DRIVE_FREE);
      DiskDriveInformationRecord single{};
      const int32_t code = KX_GetDriveInformation(kUnit, port, row, &single);
      if (port < KX_MOUNTED_PORTS) {
        ++mounted;
        EXPECT_EQ(status[i].mount, 1);
        EXPECT_EQ(status[i].drv_state, KX_PART_NORMAL);
        EXPECT_EQ(identities[i].lastLBA,
                  port < 2 ? KX_SMALL_DRIVE_LAST_LBA : KX_LARGE_DRIVE_LAST_LBA);
        EXPECT_STRNE(identities[i].vendor, "");
        EXPECT_STRNE(identities[i].product, "");
        ASSERT_EQ(code, KX_OK);
        EXPECT_EQ(std::memcmp(&single, &identities[i], sizeof single), 0);
      } else {
        EXPECT_EQ(status[i].mount, 0);
        EXPECT_EQ(status[i].drv_state, KX_PART_NOT_INSTALLED);
        DiskDriveInformationRecord empty{};
        EXPECT_EQ(std::memcmp(&identities[i], &empty, sizeof empty), 0);
        EXPECT_EQ(code, KXE_DRIVE_NOT_MOUNTED);
      }
    }
  }
  EXPECT_EQ(mounted, Information().p_info.hdd_hdu_count);
  DiskDriveInformationRecord single{};
  EXPECT_EQ(KX_GetDriveInformation(kUnit, 15, 0, &single),
            KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetDriveInformation(kUnit, 0, -1, &single),
            KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetDriveInformation("nounit", 0, 0, &single), KXE_UNKNOWN_UNIT);
}

TEST_F(StatusTest, DrivesAndCountsFollowTheStorageConfiguration) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 1, 2, 3, 2)), KX_OK);
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_1, 0, 9, 2, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 100)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(1, 1, 100)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(2, 1, 100)), KX_OK);

  const auto status = DriveStatus();
  int members = 0;
  for (const DiskDriveRecord& slot : status) {
    const bool in_zero = slot.port_no >= 1 && slot.port_no <= 3 &&
                         slot.row_no >= 2 && slot.row_no <= 3;
    const bool in_one = slot.port_no <= 1 && slot.row_no == 9;
    EXPECT_EQ(slot.attribute,
              in_zero || in_one ? KX_DRIVE_RAID_GROUP : KX_DRIVE_FREE)
        << slot.port_no << "," << slot.row_no;
    members += slot.attribute == KX_DRIVE_RAID_GROUP;
  }
  EXPECT_EQ(members, 8);
  UnitInformationRecord info = Information();
  EXPECT_EQ(info.l_info.rg_count, 2);
  EXPECT_EQ(info.l_info.lu_count, 3);

  ASSERT_EQ(KX_LogicalUnitDeleteAll(kUnit), KX_OK);
  ASSERT_EQ(KX_RaidGroupDelete(kUnit, 0), KX_OK);
  info = Information();
  EXPECT_EQ(info.l_info.rg_count, 1);
  EXPECT_EQ(info.l_info.lu_count, 0);
  EXPECT_EQ(DriveStatus()[1 * KX_DRIVE_ROWS + 2].attribute, KX_DRIVE_FREE);
}

TEST_F(StatusTest, ConditionAgreesWithRegistrationAndInstalledParts) {
  UnitConditionRecord condition;
  std::memset(&condition, 0x55, sizeof condition);
  ASSERT_EQ(KX_GetUnitCondition(kUnit, 1, &condition), KX_OK);
  EXPECT_STREQ(condition.ctl0_ip, "10.0.0.1");
  EXPECT_STREQ(condition.ctl1_ip, "10.0.0.2");
  EXPECT_EQ(condition.max_slot, KX_DRIVE_SLOTS);
  EXPECT_EQ(condition.ctl_num, KX_CONTROLLER_COUNT);
  EXPECT_EQ(condition.controller_condition, KX_CONTROLLERS_NORMAL);
  EXPECT_STREQ(condition.micro, condition.micro_pair);

  const UnitInformationRecord info = Information();
  const PhysicalInformationRecord& p = info.p_info;
  EXPECT_EQ(CountInstalled(condition.ps, kPowerSupplyCount), p.ps_count);
  EXPECT_EQ(CountInstalled(condition.fan, kFanCount), p.fan_count);
  EXPECT_EQ(CountInstalled(condition.ac, kAcCount), p.ac_count);
  EXPECT_EQ(CountInstalled(condition.batt, kBatteryCount), p.batt_count);
  EXPECT_EQ(CountInstalled(condition.batt_bk, kBatteryCount), p.battbk_count);
  EXPECT_EQ(CountInstalled(condition.enclosure, kEnclosureCount), p.enc_count);
  EXPECT_EQ(CountInstalled(condition.loop, kLoopCount), p.loop_count);
  int caches = 0;
  for (uint32_t i = 0; i < kCacheStatusCount; ++i) {
    caches += condition.cache[i].condition == KX_PART_NORMAL;
    caches += condition.cache2[i].condition == KX_PART_NORMAL;
  }
  EXPECT_EQ(caches, p.cache_count);
  EXPECT_EQ(std::string(info.b_info.micro), condition.micro);
  EXPECT_EQ(info.b_info.kx_type, 2);  // as MakeUnit registers it
  EXPECT_EQ(info.b_info.unit_conf, 3);

  EXPECT_EQ(KX_GetUnitCondition(kUnit, 2, &condition), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetUnitCondition("nounit", 0, &condition), KXE_UNKNOWN_UNIT);
}

TEST_F(StatusTest, SerialNumbersAreStablePerUnit) {
  UnitConditionRecord first{};
  ASSERT_EQ(KX_GetUnitCondition(kUnit, 0, &first), KX_OK);
  KXUnitParamRecord other = MakeUnit("array2");
  ASSERT_EQ(KX_UnitAdd(&other), KX_OK);
  UnitConditionRecord second{};
  ASSERT_EQ(KX_GetUnitCondition("array2", 0, &second), KX_OK);
  EXPECT_STRNE(first.serial, second.serial);

  char old_name[kLongNameSize] = "array1";
  KXUnitParamRecord renamed = MakeUnit("renamed");
  ASSERT_EQ(KX_UnitChange(old_name, &renamed), KX_OK);
  UnitConditionRecord after{};
  ASSERT_EQ(KX_GetUnitCondition("renamed", 0, &after), KX_OK);
  EXPECT_STREQ(after.serial, first.serial);
}

TEST_F(StatusTest, SupportedLevelsAreTheOnesGroupsAccept) {
  const int32_t supported = Information().b_info.sup_rglevel;
  for (int32_t level = 0; level < 16; ++level) {
    // RAID 1 takes a pair; width 4 suits every other supported level.
    const int32_t width = level == KX_RAID_1 ? 2 : 4;
    RaidGroupRecord group = MakeRaidGroup(level, level, 0, level, width, 1);
    const int32_t code = AddRaidGroup(group);
    if (supported & (1 << level)) {
      EXPECT_EQ(code, KX_OK) << level;
    } else {
      EXPECT_EQ(code, KXE_INVALID_RAID_LEVEL) << level;
    }
  }
}

DriveReconstructInformationRecord Reconstruction(int32_t port, int32_t row) {
  DriveReconstructInformationRecord record;
  std::memset(&record, 0x55, sizeof record);
  EXPECT_EQ(KX_DriveReconstructInformation(kUnit, port, row, &record), KX_OK);
  return record;
}

TEST_F(StatusTest, ABlockedDriveIsRebuiltWhenReturned) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  DriveReconstructInformationRecord record = Reconstruction(3, 14);
  EXPECT_EQ(record.valid, 1);
  EXPECT_EQ(record.status_code, KX_RECONSTRUCT_NONE);
  EXPECT_EQ(record.hdu_no, 3);
  EXPECT_EQ(record.unit_no, 14);
  EXPECT_EQ(Reconstruction(4, 0).valid, 0);

  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 3, 14, KX_DRIVE_MODE_BLOCK), KX_OK);
  Reopen();
  EXPECT_EQ(DriveStatus()[1 * KX_DRIVE_ROWS].drv_state, KX_PART_FAILED);
  EXPECT_EQ(Reconstruction(1, 0).status_code, KX_RECONSTRUCT_BLOCKED);
  // A blocked drive joins no new group.
  const std::string before = StorageSnapshot();
  EXPECT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_1, 2, 14, 2, 1)),
            KXE_DRIVE_BLOCKED);
  EXPECT_EQ(StorageSnapshot(), before);

  // A free drive returns at once; a group's drive is rebuilt first, for as
  // long as a full format of its capacity takes.
  // The clock stands still unless the test moves it.
  SetFormatSecondsPerGb("0.005");
  TestClock clock(directory_);
  int64_t now_ms = clock.Stop();
  ASSERT_EQ(KX_SetDriveMode(kUnit, 3, 14, KX_DRIVE_MODE_RESTORE), KX_OK);
  EXPECT_EQ(DriveStatus()[3 * KX_DRIVE_ROWS + 14].drv_state, KX_PART_NORMAL);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  EXPECT_EQ(DriveStatus()[1 * KX_DRIVE_ROWS].drv_state, KX_PART_REBUILDING);
  // In tenths of a second of the station's clock, for at most ten seconds.
  int32_t previous = 0;
  for (int step = 0;; ++step) {
    record = Reconstruction(1, 0);
    if (record.status_code != KX_RECONSTRUCT_RUNNING) break;
    ASSERT_GE(record.progress_ratio, previous);
    ASSERT_LT(record.progress_ratio, 100);
    previous = record.progress_ratio;
    ASSERT_LT(step, 100) << "the rebuild never ended";
    now_ms += 100;
    clock.StandAt(now_ms);
  }
  EXPECT_GT(previous, 0) << "progress was seen between start and end";
  EXPECT_EQ(record.status_code, KX_RECONSTRUCT_NONE);
  EXPECT_EQ(DriveStatus()[1 * KX_DRIVE_ROWS].drv_state, KX_PART_NORMAL);

  EXPECT_EQ(KX_SetDriveMode(kUnit, 4, 0, KX_DRIVE_MODE_BLOCK),
            KXE_DRIVE_NOT_MOUNTED);
  EXPECT_EQ(KX_SetDriveMode(kUnit, 0, 15, KX_DRIVE_MODE_BLOCK),
            KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_SetDriveMode(kUnit, 0, 0, 2), KXE_INVALID_ARGUMENT);
}

// Seconds between two broken-down local times.
double Difference(const BrokenDownTime& a, const std::tm& b) {
  std::tm first{};
  first.tm_sec = a.tm_sec;
  first.tm_min = a.tm_min;
  first.tm_hour = a.tm_hour;
  first.tm_mday = a.tm_mday;
  first.tm_mon = a.tm_mon;
  first.tm_year = a.tm_year;
  first.tm_isdst = -1;
  std::tm second = b;
  second.tm_isdst = -1;
  return std::difftime(std::mktime(&first), std::mktime(&second));
}

TEST_F(StatusTest, TheUnitClockKeepsItsOffset) {
  // The caller hands the calendar year; the unit answers years since 1900.
  BrokenDownTime set{};
  set.tm_year = 2030;
  set.tm_mon = 5;
  set.tm_mday = 15;
  set.tm_hour = 12;
  ASSERT_EQ(KX_SetUnitTime(kUnit, &set), KX_OK);
  Reopen();
  BrokenDownTime read{};
  ASSERT_EQ(KX_GetUnitTime(kUnit, &read), KX_OK);
  std::tm expected{};
  expected.tm_year = 130;
  expected.tm_mon = 5;
  expected.tm_mday = 15;
  expected.tm_hour = 12;
  EXPECT_EQ(read.tm_year, 130);
  EXPECT_GE(Difference(read, expected), 0);
  EXPECT_LE(Difference(read, expected), 3);

  // Another unit keeps the host clock.
  KXUnitParamRecord other = MakeUnit("array2");
  ASSERT_EQ(KX_UnitAdd(&other), KX_OK);
  ASSERT_EQ(KX_GetUnitTime("array2", &read), KX_OK);
  const std::time_t now = std::time(nullptr);
  std::tm host = *std::localtime(&now);
  EXPECT_LE(std::abs(Difference(read, host)), 3);

  ASSERT_EQ(KX_SetUnitTimeNow(kUnit), KX_OK);
  ASSERT_EQ(KX_GetUnitTime(kUnit, &read), KX_OK);
  EXPECT_LE(std::abs(Difference(read, host)), 3);
}

TEST_F(StatusTest, ImpossibleTimesAreRefused) {
  BrokenDownTime good{};
  good.tm_year = 2024;
  good.tm_mon = 1;
  good.tm_mday = 29;  // a leap day
  ASSERT_EQ(KX_SetUnitTime(kUnit, &good), KX_OK);
  BrokenDownTime before{};
  ASSERT_EQ(KX_GetUnitTime(kUnit, &before), KX_OK);
  auto with = [&](void (*change)(BrokenDownTime&)) {
    BrokenDownTime time = good;
    change(time);
    return KX_SetUnitTime(kUnit, &time);
  };
  EXPECT_EQ(with([](BrokenDownTime& t) { t.tm_year = 2023; }),
            KXE_INVALID_TIME);  // 29 February 2023
  EXPECT_EQ(with([](BrokenDownTime& t) { t.tm_year = 1969; }),
            KXE_INVALID_TIME);
  EXPECT_EQ(with([](BrokenDownTime& t) { t.tm_year = 124; }),
            KXE_INVALID_TIME);  // years since 1900 are not what is set
  EXPECT_EQ(with([](BrokenDownTime& t) { t.tm_mon = 12; }), KXE_INVALID_TIME);
  EXPECT_EQ(with([](BrokenDownTime& t) { t.tm_hour = 24; }), KXE_INVALID_TIME);
  EXPECT_EQ(with([](BrokenDownTime& t) { t.tm_sec = -1; }), KXE_INVALID_TIME);
  BrokenDownTime after{};
  ASSERT_EQ(KX_GetUnitTime(kUnit, &after), KX_OK);
  EXPECT_EQ(after.tm_year, 124);
  EXPECT_EQ(after.tm_mon, 1);
  EXPECT_EQ(after.tm_mday, 29);
}

TEST_F(StatusTest, LoginTimesAreOnTheUnitClock) {
  BrokenDownTime set{};
  set.tm_year = 2031;
  set.tm_mon = 0;
  set.tm_mday = 2;
  set.tm_hour = 3;
  set.tm_min = 4;
  ASSERT_EQ(KX_SetUnitTime(kUnit, &set), KX_OK);
  char unit[kLongNameSize] = "array1";
  KXUserRegistRecord user{};
  std::strcpy(user.user, "op");
  std::strcpy(user.passwd, "pw");
  ASSERT_EQ(KX_RegistUser(unit, 0, &user), KX_OK);
  char result[kLoginResultSize] = {};
  ASSERT_EQ(KX_LoginKXUnit(unit, 0, &user, result), KX_OK);
  EXPECT_EQ(std::string(result + kLoginSecondTextOffset).substr(0, 12),
            "203101020304");
}

}  // namespace
}  // namespace core_test
