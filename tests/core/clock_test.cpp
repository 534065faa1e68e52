// The station's clock set through KX_CLOCK_FILE: time moves when the test
// says so, and every area follows it (formats, restart windows, the unit
// clock), so no test has to wait for the wall clock.
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "array_test_support.h"

namespace core_test {
namespace {

// 2031-03-04 05:06:07 UTC.
constexpr int64_t kMomentMs = 1930453567000;

class ClockTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    clock_file_ = (directory_ / "clock").string();
    SetClock(std::to_string(kMomentMs));
    setenv("KX_CLOCK_FILE", clock_file_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("KX_CLOCK_FILE");
    unsetenv("KX_RESTART_SECONDS");
    ArrayTest::TearDown();
  }
  void SetClock(const std::string& text) {
    std::ofstream(clock_file_, std::ios::trunc) << text << "\n";
  }
  // Seconds since the epoch on the unit's clock, as KX_GetUnitTime reads it.
  static int64_t UnitSeconds() {
    BrokenDownTime read{};
    EXPECT_EQ(KX_GetUnitTime(kUnit, &read), KX_OK);
    std::tm local{};
    local.tm_sec = read.tm_sec;
    local.tm_min = read.tm_min;
    local.tm_hour = read.tm_hour;
    local.tm_mday = read.tm_mday;
    local.tm_mon = read.tm_mon;
    local.tm_year = read.tm_year;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
  }
  static int32_t FormatPercent(int32_t lu) {
    int32_t percent = -1;
    EXPECT_EQ(KX_LogicalUnitFormatStatus(kUnit, lu, &percent), KX_OK);
    return percent;
  }

  std::string clock_file_;
};

TEST_F(ClockTest, FormatsAndRestartsMoveOnlyWithTheStationClock) {
  SetFormatSecondsPerGb("10");
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 10240)), KX_OK);  // 10 GB: 100 s to format
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_FULL), KX_OK);
  EXPECT_EQ(FormatPercent(0), 0);
  SetClock(std::to_string(kMomentMs + 50000));
  EXPECT_EQ(FormatPercent(0), 50);
  SetClock(std::to_string(kMomentMs + 99999));
  EXPECT_EQ(FormatPercent(0), 99);
  SetClock(std::to_string(kMomentMs + 100000));
  EXPECT_EQ(FormatPercent(0), 100);

  // A restart lasts until the station's clock passes its end, however long
  // the test takes in between.
  setenv("KX_RESTART_SECONDS", "30", 1);
  ASSERT_EQ(KX_UnitReboot(kUnit), KX_OK);
  SetClock(std::to_string(kMomentMs + 100000 + 29999));
  EXPECT_EQ(KX_UnitReboot(kUnit), KXE_UNIT_NOT_READY);
  SetClock(std::to_string(kMomentMs + 100000 + 30000));
  EXPECT_EQ(KX_UnitReboot(kUnit), KX_OK);
}

TEST_F(ClockTest, TheFileSetsAMomentOrAnOffsetAndAnythingElseLeavesTheWall) {
  EXPECT_EQ(UnitSeconds(), kMomentMs / 1000);
  SetClock(std::to_string(kMomentMs + 3600000));
  EXPECT_EQ(UnitSeconds(), kMomentMs / 1000 + 3600);

  // An offset moves the wall clock: a day ahead, within a minute's leeway
  // for the time the calls take.
  SetClock("+86400000");
  const int64_t wall = static_cast<int64_t>(std::time(nullptr));
  EXPECT_NEAR(static_cast<double>(UnitSeconds()),
              static_cast<double>(wall + 86400), 60);

  for (const char* nonsense : {"soon", "", "12x", "-", "+", "1e12",
                               "99999999999999999999"}) {
    SetClock(nonsense);
    EXPECT_NEAR(static_cast<double>(UnitSeconds()),
                static_cast<double>(std::time(nullptr)), 60)
        << "'" << nonsense << "'";
  }
#if !defined(_WIN32)
  // A FIFO is never opened: reading it would block every call.
  std::remove(clock_file_.c_str());
  ASSERT_EQ(mkfifo(clock_file_.c_str(), 0600), 0);
  EXPECT_NEAR(static_cast<double>(UnitSeconds()),
              static_cast<double>(std::time(nullptr)), 60);
#endif
}

}  // namespace
}  // namespace core_test
