// RAID groups and LUs changed by many threads and processes at once: every
// change either happens whole or is refused, and none is lost.
#include <array>
#include <atomic>
#include <cstdio>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "array_test_support.h"
#include "storage_report.h"

#if defined(_WIN32)
#define popen _popen
#define pclose _pclose
#endif

namespace core_test {
namespace {

using StorageConcurrencyTest = ArrayTest;

constexpr int kThreads = 8;

// Threads racing for the capacity of one group: exactly as many LUs fit as
// the capacity allows, each with its own number.
TEST_F(StorageConcurrencyTest, ThreadsFillOneGroupExactly) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_0, 0, 0, 2, 1)), KX_OK);
  constexpr int32_t kLuMb = 5000;
  const int64_t capacity = RaidGroups()[0].lastLBA;
  std::atomic<int> added{0};
  std::atomic<int> full{0};
  std::atomic<int> other{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int k = 0; k < 10; ++k) {
        const int32_t code = AddLu(MakeLu(KX_ANY_NUMBER, 0, kLuMb));
        if (code == KX_OK) {
          ++added;
        } else if (code == KXE_INSUFFICIENT_CAPACITY) {
          ++full;
        } else {
          ++other;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();

  EXPECT_EQ(other, 0);
  EXPECT_EQ(added, capacity / kLuMb);
  EXPECT_EQ(added + full, kThreads * 10);
  const auto lus = LogicalUnits();
  for (int i = 0; i < KX_LOGICAL_UNIT_COUNT; ++i) {
    EXPECT_EQ(lus[i].luNumber, i < added ? i : KX_UNUSED_ENTRY) << i;
  }
  EXPECT_EQ(RaidGroups()[0].lumaxcapa, capacity - int64_t{added} * kLuMb);
}

// Each thread owns one group and adds LUs to it while all threads delete
// the unit's last LU now and then; then all of them empty the unit.
TEST_F(StorageConcurrencyTest, ThreadsCreateAndDeleteGroupsAndLus) {
  std::atomic<int> adds{0};
  std::atomic<int> deletes{0};
  std::atomic<int> unexpected{0};
  auto run = [&](auto body) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back(body, t);
    for (auto& thread : threads) thread.join();
  };
  // Thread t's LUs are 10 + t MB, so every LU tells whose it is.
  run([&](int t) {
    const RaidGroupRecord group =
        MakeRaidGroup(t, KX_RAID_1, 2 * (t % 2), t / 2, 2, 1);
    if (AddRaidGroup(group) != KX_OK) ++unexpected;
    for (int k = 0; k < 24; ++k) {
      if (AddLu(MakeLu(KX_ANY_NUMBER, t, 10 + t)) == KX_OK) {
        ++adds;
      } else {
        ++unexpected;
      }
      if (k % 3 == 2) {
        const int32_t code = KX_LogicalUnitDelete(kUnit);
        if (code == KX_OK) {
          ++deletes;
        } else if (code != KXE_UNKNOWN_LU) {
          ++unexpected;
        }
      }
    }
  });
  ASSERT_EQ(unexpected, 0);
  const auto lus = LogicalUnits();
  const auto groups = RaidGroups();
  std::map<int32_t, int64_t> used;
  std::map<int32_t, int> last_flags;
  int count = 0;
  for (const LogicalUnitRecord& lu : lus) {
    if (lu.luNumber == KX_UNUSED_ENTRY) continue;
    ++count;
    EXPECT_EQ(lu.capacity, 10 + lu.rgNumber);
    used[lu.rgNumber] += lu.capacity;
    last_flags[lu.rgNumber] += lu.rg_last_lu;
  }
  EXPECT_EQ(count, adds - deletes);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(groups[t].lastLBA - groups[t].lumaxcapa, used[t]) << t;
    EXPECT_EQ(last_flags[t], used[t] > 0 ? 1 : 0) << t;
  }

  // Everyone deletes LUs until none is left, then its own group.
  std::atomic<int> emptied{0};
  run([&](int t) {
    for (;;) {
      const int32_t code = KX_LogicalUnitDelete(kUnit);
      if (code == KXE_UNKNOWN_LU) break;
      if (code == KX_OK) {
        ++emptied;
      } else {
        ++unexpected;
      }
    }
    if (KX_RaidGroupDelete(kUnit, t) != KX_OK) ++unexpected;
  });
  EXPECT_EQ(unexpected, 0);
  EXPECT_EQ(emptied, count);
  EXPECT_EQ(StorageReport(kUnit), "");
  UnitInformationRecord info{};
  ASSERT_EQ(KX_GetUnitInformation(kUnit, &info), KX_OK);
  EXPECT_EQ(info.l_info.rg_count, 0);
  EXPECT_EQ(info.l_info.lu_count, 0);
}

std::string RunHelper(const std::string& arguments, int* status) {
  const std::string command = std::string(KX_STORAGE_HELPER) + " " + arguments;
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    *status = -1;
    return output;
  }
  std::array<char, 256> buffer;
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
    output += buffer.data();
  }
  *status = pclose(pipe);
  return output;
}

TEST_F(StorageConcurrencyTest, ProcessesShareOneGroupAndSeeOneState) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_6, 0, 0, 4, 5)), KX_OK);
  const std::string directory = "'" + directory_.string() + "' ";
  constexpr int kEach = 60;
  auto helper = [&](const std::string& arguments) {
    return std::async(std::launch::async, [arguments] {
      int status = 0;
      RunHelper(arguments, &status);
      return status;
    });
  };
  auto first = helper(directory + "add-lus array1 0 60 7");
  auto second = helper(directory + "add-lus array1 0 60 7");
  int failures = 0;
  for (int i = 0; i < kEach; ++i) {
    if (AddLu(MakeLu(KX_ANY_NUMBER, 0, 7)) != KX_OK) ++failures;
  }
  EXPECT_EQ(first.get(), 0);
  EXPECT_EQ(second.get(), 0);
  EXPECT_EQ(failures, 0);
  const auto lus = LogicalUnits();
  for (int i = 0; i < KX_LOGICAL_UNIT_COUNT; ++i) {
    ASSERT_EQ(lus[i].luNumber, i < 3 * kEach ? i : KX_UNUSED_ENTRY) << i;
  }

  // A new process reads what this one has, formats included.
  SetFormatSecondsPerGb("0");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 5, KX_FORMAT_FULL), KX_OK);
  const LuReallocRequestRecord move{5, 0, 400};
  ASSERT_EQ(KX_LogicalUnitRealloc(kUnit, &move), KX_OK);
  int status = -1;
  const std::string seen = RunHelper(directory + "report array1", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(seen, StorageReport(kUnit));
  EXPECT_NE(seen.find("lu 400 rg 0 capacity 7 format 2\n"), std::string::npos);
}

}  // namespace
}  // namespace core_test
