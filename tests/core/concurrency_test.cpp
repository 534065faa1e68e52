// Many threads, and several processes, on one station.
#include <atomic>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "core_test_support.h"

namespace core_test {
namespace {

using ConcurrencyTest = StationTest;

constexpr int kThreads = 8;

// Every thread adds, renames and deletes units of its own while a reader
// checks that each table it sees is whole: filled records first, then only
// zero-filled ones.
TEST_F(ConcurrencyTest, ThreadsAddRenameAndDeleteWithoutLosingAnyChange) {
  constexpr int kUnitsPerThread = 30;
  std::atomic<bool> done{false};
  std::atomic<int> failures{0};
  std::thread reader([&] {
    std::vector<KXUnitParamRecord> table(kThreads * kUnitsPerThread + 1);
    while (!done) {
      if (KX_GetUnitParamTable(static_cast<int32_t>(table.size()),
                               table.data()) != KX_OK) {
        ++failures;
        continue;
      }
      size_t filled = 0;
      while (filled < table.size() && table[filled].unit_name[0] != '\0') {
        ++filled;
      }
      for (size_t i = filled; i < table.size(); ++i) {
        if (table[i].unit_name[0] != '\0') ++failures;
      }
    }
  });
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([t, &failures] {
      for (int k = 0; k < kUnitsPerThread; ++k) {
        const std::string suffix = std::to_string(t) + "-" + std::to_string(k);
        KXUnitParamRecord unit = MakeUnit("t" + suffix);
        if (KX_UnitAdd(&unit) != KX_OK) ++failures;
        char old_name[kLongNameSize] = {};
        std::strcpy(old_name, unit.unit_name);
        KXUnitParamRecord renamed =
            MakeUnit("r" + suffix, "g", static_cast<int8_t>(k));
        if (KX_UnitChange(old_name, &renamed) != KX_OK) ++failures;
        if (k % 2 == 0 && KX_UnitDelete(renamed.unit_name) != KX_OK) {
          ++failures;
        }
      }
    });
  }
  for (auto& writer : writers) writer.join();
  done = true;
  reader.join();

  EXPECT_EQ(failures, 0);
  EXPECT_EQ(UnitCount(), kThreads * kUnitsPerThread / 2);
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 1; k < kUnitsPerThread; k += 2) {
      const std::string name =
          "r" + std::to_string(t) + "-" + std::to_string(k);
      KXUnitParamRecord read{};
      ASSERT_EQ(KX_GetUnitParam(name.c_str(), &read), KX_OK) << name;
      EXPECT_EQ(read.connect_type, k);
    }
  }
}

// Check-then-act races: of threads adding the same name, or renaming the
// same unit, exactly one may succeed.
TEST_F(ConcurrencyTest, RacesForOneNameHaveOneWinner) {
  for (int round = 0; round < 10; ++round) {
    std::atomic<int> added{0};
    std::atomic<int> renamed{0};
    std::atomic<int> other{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        KXUnitParamRecord unit = MakeUnit("contested");
        const int32_t add = KX_UnitAdd(&unit);
        if (add == KX_OK)
          ++added;
        else if (add != KXE_DUPLICATE_UNIT)
          ++other;
        char old_name[kLongNameSize] = "contested";
        KXUnitParamRecord winner =
            MakeUnit("w" + std::to_string(round) + "-" + std::to_string(t));
        const int32_t change = KX_UnitChange(old_name, &winner);
        if (change == KX_OK)
          ++renamed;
        else if (change != KXE_UNKNOWN_UNIT)
          ++other;
      });
    }
    for (auto& thread : threads) thread.join();
    // A thread may rename "contested" away before another adds it again,
    // so adds and renames pair up one to one.
    EXPECT_GE(added, 1);
    EXPECT_EQ(added, renamed);
    EXPECT_EQ(other, 0);
    KXUnitParamRecord read{};
    EXPECT_EQ(KX_GetUnitParam("contested", &read), KXE_UNKNOWN_UNIT);
  }
}

TEST_F(ConcurrencyTest, ProcessesAndThreadsShareOneStation) {
  constexpr int kUnitsEach = 150;
  const std::string helper =
      std::string(KX_STATION_HELPER) + " '" + directory_.string() + "' ";
  auto run = [](std::string command) {
    return std::async(std::launch::async,
                      [command] { return std::system(command.c_str()); });
  };
  auto first = run(helper + "p1- " + std::to_string(kUnitsEach));
  auto second = run(helper + "p2- " + std::to_string(kUnitsEach));
  int failures = 0;
  for (int i = 0; i < kUnitsEach; ++i) {
    KXUnitParamRecord unit = MakeUnit("here" + std::to_string(i));
    if (KX_UnitAdd(&unit) != KX_OK) ++failures;
  }
  EXPECT_EQ(first.get(), 0);
  EXPECT_EQ(second.get(), 0);
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(UnitCount(), 3 * kUnitsEach);
}

}  // namespace
}  // namespace core_test
