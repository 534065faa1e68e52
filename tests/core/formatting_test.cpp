// Format jobs: started singly or by the entry list, progressing on the
// station's clock for a time set by capacity, mode and
// KX_FORMAT_SECONDS_PER_GB. The clock stands still unless a test moves it, so
// what a test reads while a job runs does not depend on the machine's speed.
#include <cstdint>
#include <memory>

#include "array_test_support.h"

namespace core_test {
namespace {

class FormattingTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    clock_ = std::make_unique<TestClock>(directory_);
    now_ms_ = clock_->Stop();
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 1, 0, 3, 2)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(1, 0, 3072)), KX_OK);
  }

  static int32_t Percent(int32_t lu) {
    int32_t value = -100;
    EXPECT_EQ(KX_LogicalUnitFormatStatus(kUnit, lu, &value), KX_OK);
    return value;
  }
  static int32_t LuStatus(int32_t lu) {
    LogicalUnitRecord record{};
    EXPECT_EQ(KX_GetLogicalUnit1(kUnit, lu, &record), KX_OK);
    return record.status;
  }
  static FormatStatusListRecord StatusList() {
    FormatStatusListRecord list;
    std::memset(&list, 0x55, sizeof list);
    EXPECT_EQ(KX_GetFormatStatusList(kUnit, &list), KX_OK);
    return list;
  }
  static LuFormatStatusListRecord LuStatusList() {
    LuFormatStatusListRecord list;
    std::memset(&list, 0x55, sizeof list);
    EXPECT_EQ(KX_LogicalUnitFormatStatusList(kUnit, &list), KX_OK);
    return list;
  }
  static int32_t EntryList(std::initializer_list<std::pair<int, uint8_t>> lus) {
    FormatEntryListRecord list{};
    for (const auto& [lu, mode] : lus) list.lu[lu] = mode;
    return KX_EntryFormatList(kUnit, &list);
  }
  // Moves the clock on in tenths of a second until the LU's format is done,
  // at most `limit_ms`; its progress never goes back.
  void RunUntilDone(int32_t lu, int64_t limit_ms) {
    int32_t previous = 0;
    for (int64_t elapsed = 0; elapsed <= limit_ms; elapsed += 100) {
      const int32_t percent = Percent(lu);
      ASSERT_GE(percent, previous);
      previous = percent;
      if (percent == 100) return;
      now_ms_ += 100;
      clock_->StandAt(now_ms_);
    }
    FAIL() << "format of LU " << lu << " did not finish";
  }

  std::unique_ptr<TestClock> clock_;
  int64_t now_ms_ = 0;
};

TEST_F(FormattingTest, AJobRunsToCompletionAndBlocksChangesMeanwhile) {
  EXPECT_EQ(LuStatus(0), KX_LU_UNFORMATTED);
  EXPECT_EQ(Percent(0), 0);
  SetFormatSecondsPerGb("1.5");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_FULL), KX_OK);

  EXPECT_EQ(LuStatus(0), KX_LU_FORMATTING);
  EXPECT_LT(Percent(0), 100);
  FormatStatusListRecord list = StatusList();
  EXPECT_EQ(list.mode, KX_FORMAT_LIST_RUNNING);
  EXPECT_EQ(list.lu[0].entry, 1);
  EXPECT_EQ(list.lu[0].status, KX_FORMAT_RUNNING);
  EXPECT_EQ(list.lu[1].entry, 0);
  EXPECT_EQ(list.lu[1].status, KX_FORMAT_NONE);
  EXPECT_EQ(list.resttime, 2);  // 1.5 s, rounded up
  EXPECT_LT(list.totalpercent, 100);
  EXPECT_EQ(LuStatusList().lu[0].status, KX_FORMAT_RUNNING);

  // A busy LU keeps its place, its size and its job.
  const std::string before = StorageSnapshot();
  LuReallocRequestRecord move{0, 0, 9};
  EXPECT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_QUICK), KXE_LU_FORMATTING);
  EXPECT_EQ(KX_LogicalUnitExpand(kUnit, 0, 2048), KXE_LU_FORMATTING);
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &move), KXE_LU_FORMATTING);
  EXPECT_EQ(KX_LogicalUnitDeleteAll(kUnit), KXE_LU_FORMATTING);
  ASSERT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);  // LU 1 is idle
  ASSERT_EQ(AddLu(MakeLu(1, 0, 3072)), KX_OK);
  EXPECT_EQ(StorageSnapshot(), before);

  RunUntilDone(0, 1600);
  EXPECT_EQ(LuStatus(0), KX_LU_NORMAL);
  list = StatusList();
  EXPECT_EQ(list.mode, KX_FORMAT_LIST_IDLE);
  EXPECT_EQ(list.totalpercent, 100);
  EXPECT_EQ(list.resttime, 0);
  EXPECT_EQ(list.lu[0].status, KX_FORMAT_DONE);
  EXPECT_EQ(list.lu[0].percent, 100);
  EXPECT_EQ(KX_LogicalUnitExpand(kUnit, 0, 2048), KX_OK);
}

TEST_F(FormattingTest, DurationFollowsCapacityModeAndSetting) {
  // Long jobs, read at once: resttime is the batch's end, rounded up.
  SetFormatSecondsPerGb("100");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_QUICK), KX_OK);
  EXPECT_EQ(StatusList().resttime, 10);
  ASSERT_EQ(AddLu(MakeLu(2, 0, 1024)), KX_OK);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 2, KX_FORMAT_FULL), KX_OK);
  EXPECT_EQ(StatusList().resttime, 100);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_FULL), KX_OK);
  const FormatStatusListRecord list = StatusList();
  EXPECT_EQ(list.resttime, 300);
  EXPECT_EQ(list.mode, KX_FORMAT_LIST_RUNNING);
  // All three joined one batch.
  EXPECT_EQ(list.lu[0].entry + list.lu[1].entry + list.lu[2].entry, 3);
  EXPECT_EQ(KX_LogicalUnitFormat(kUnit, 3, KX_FORMAT_FULL), KXE_UNKNOWN_LU);
  EXPECT_EQ(KX_LogicalUnitFormat(kUnit, 2, 2), KXE_INVALID_ARGUMENT);
}

TEST_F(FormattingTest, UnusableSettingsFallBackToTenSecondsPerGb) {
  for (const char* setting : {"abc", "-1", "", "5s"}) {
    SetFormatSecondsPerGb(setting);
    ASSERT_EQ(AddLu(MakeLu(KX_ANY_NUMBER, 0, 1024)), KX_OK);
    int32_t lu = -1;
    ASSERT_EQ(KX_GetLastLogicalUnit(kUnit, &lu), KX_OK);
    ASSERT_EQ(KX_LogicalUnitFormat(kUnit, lu, KX_FORMAT_FULL), KX_OK);
    EXPECT_EQ(StatusList().resttime, 10) << setting;
  }
  // 0 is allowed: formats finish as they start.
  SetFormatSecondsPerGb("0");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_FULL), KX_OK);
  EXPECT_EQ(Percent(1), 100);
  EXPECT_EQ(LuStatus(1), KX_LU_NORMAL);
}

TEST_F(FormattingTest, AnEntryListStartsAllItsJobsOrNone) {
  SetFormatSecondsPerGb("100");
  EXPECT_EQ(EntryList({}), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(EntryList({{0, KX_ENTRY_FULL}, {1, 3}}), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(EntryList({{0, KX_ENTRY_FULL}, {5, KX_ENTRY_FULL}}),
            KXE_UNKNOWN_LU);
  EXPECT_EQ(LuStatus(0), KX_LU_UNFORMATTED);
  EXPECT_EQ(StatusList().lu[0].entry, 0);

  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_FULL), KX_OK);
  EXPECT_EQ(EntryList({{0, KX_ENTRY_QUICK}, {1, KX_ENTRY_QUICK}}),
            KXE_LU_FORMATTING);
  EXPECT_EQ(LuStatus(0), KX_LU_UNFORMATTED);

  ASSERT_EQ(AddLu(MakeLu(2, 0, 1024)), KX_OK);
  ASSERT_EQ(EntryList({{0, KX_ENTRY_QUICK}, {2, KX_ENTRY_FULL}}), KX_OK);
  const LuFormatStatusListRecord list = LuStatusList();
  for (int lu = 0; lu < 3; ++lu) {
    EXPECT_EQ(list.lu[lu].status, KX_FORMAT_RUNNING) << lu;
    EXPECT_LT(list.lu[lu].percent, 100);
    EXPECT_EQ(list.lu[lu].err_code_sense_key, 0);
  }
  for (int lu = 3; lu < KX_LOGICAL_UNIT_COUNT; ++lu) {
    LuFormatStatusRecord unused{};
    ASSERT_EQ(std::memcmp(&list.lu[lu], &unused, sizeof unused), 0) << lu;
  }
}

TEST_F(FormattingTest, ANewBatchBeginsWhenTheLastOneEnded) {
  SetFormatSecondsPerGb("0.3");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_FULL), KX_OK);
  RunUntilDone(0, 400);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_FULL), KX_OK);
  const FormatStatusListRecord list = StatusList();
  EXPECT_EQ(list.lu[0].entry, 0);
  EXPECT_EQ(list.lu[0].status, KX_FORMAT_DONE);
  EXPECT_EQ(list.lu[1].entry, 1);
  EXPECT_EQ(list.lu[1].status, KX_FORMAT_RUNNING);
  EXPECT_EQ(list.mode, KX_FORMAT_LIST_RUNNING);
  // The total covers only the new batch.
  EXPECT_LT(list.totalpercent, 100);
  RunUntilDone(1, 1000);
  EXPECT_EQ(StatusList().totalpercent, 100);
}

TEST_F(FormattingTest, ReallocKeepsTheJobUnlessTheSizeChanges) {
  SetFormatSecondsPerGb("0");
  ASSERT_EQ(EntryList({{0, KX_ENTRY_FULL}, {1, KX_ENTRY_FULL}}), KX_OK);
  LuReallocRequestRecord move{0, 0, 40};
  ASSERT_EQ(KX_LogicalUnitRealloc(kUnit, &move), KX_OK);
  EXPECT_EQ(LuStatus(40), KX_LU_NORMAL);
  EXPECT_EQ(LuStatusList().lu[0].status, KX_FORMAT_NONE);
  LuReallocRequestRecord resize{1, 2000, 1};
  ASSERT_EQ(KX_LogicalUnitRealloc(kUnit, &resize), KX_OK);
  EXPECT_EQ(LuStatus(1), KX_LU_UNFORMATTED);
  EXPECT_EQ(Percent(1), 0);
}

TEST_F(FormattingTest, ProgressIsDurable) {
  SetFormatSecondsPerGb("100");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_FULL), KX_OK);
  Reopen();
  EXPECT_EQ(LuStatus(1), KX_LU_FORMATTING);
  const FormatStatusListRecord list = StatusList();
  EXPECT_EQ(list.lu[1].entry, 1);
  EXPECT_GE(list.resttime, 299);
  EXPECT_EQ(KX_LogicalUnitDeleteAll(kUnit), KXE_LU_FORMATTING);
}

}  // namespace
}  // namespace core_test
