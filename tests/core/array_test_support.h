// Fixture and helpers for the tests of the simulated array: a station with
// one registered unit, and short ways to build and read the storage records.
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core_test_support.h"
#include "kx_station.h"
#include "kx_status.h"
#include "kx_storage.h"
#include "kx_users.h"

namespace core_test {

constexpr char kUnit[] = "array1";
// Capacity of one default drive in MB: 146 GB on ports 0-1, 300 GB on 2-3.
constexpr int64_t kSmallDriveMb = 139236;
constexpr int64_t kLargeDriveMb = 286102;

// How long formats take; restored by the fixture.
inline void SetFormatSecondsPerGb(const std::string& value) {
#if defined(_WIN32)
  _putenv_s("KX_FORMAT_SECONDS_PER_GB", value.c_str());
#else
  setenv("KX_FORMAT_SECONDS_PER_GB", value.c_str(), 1);
#endif
}

inline RaidGroupRecord MakeRaidGroup(int32_t number, int32_t level,
                                     int32_t port, int32_t row, int32_t width,
                                     int32_t depth) {
  RaidGroupRecord group{};
  group.rgnum = number;
  group.level = level;
  group.port = port;
  group.row = row;
  group.width = width;
  group.depth = depth;
  return group;
}

inline LogicalUnitRecord MakeLu(int32_t number, int32_t rg, int32_t capacity,
                                int32_t controller = 0) {
  LogicalUnitRecord lu{};
  lu.luNumber = number;
  lu.rgNumber = rg;
  lu.capacity = capacity;
  lu.defaultCTL = controller;
  lu.staging = KX_STAGING_NORMAL;
  lu.hostblock = KX_HOST_BLOCK_BYTES;
  return lu;
}

inline int32_t AddRaidGroup(const RaidGroupRecord& group) {
  return KX_RaidGroupAdd(kUnit, &group);
}

inline int32_t AddLu(const LogicalUnitRecord& lu) {
  return KX_LogicalUnitAdd(kUnit, &lu);
}

inline std::vector<RaidGroupRecord> RaidGroups(const char* unit = kUnit) {
  std::vector<RaidGroupRecord> table(KX_RAID_GROUP_COUNT);
  EXPECT_EQ(KX_GetRaidGroups(unit, table.data()), KX_OK);
  return table;
}

inline std::vector<LogicalUnitRecord> LogicalUnits(const char* unit = kUnit) {
  std::vector<LogicalUnitRecord> table(KX_LOGICAL_UNIT_COUNT);
  EXPECT_EQ(KX_GetLogicalUnit(unit, table.data()), KX_OK);
  return table;
}

// The whole storage configuration as bytes, to prove a refused request
// changed nothing.
inline std::string StorageSnapshot(const char* unit = kUnit) {
  const auto groups = RaidGroups(unit);
  const auto lus = LogicalUnits(unit);
  return std::string(reinterpret_cast<const char*>(groups.data()),
                     groups.size() * sizeof groups[0]) +
         std::string(reinterpret_cast<const char*>(lus.data()),
                     lus.size() * sizeof lus[0]);
}

inline int64_t FreeBlocks(const RaidGroupRecord& group) {
  return static_cast<int64_t>((static_cast<uint64_t>(group.rest_h) << 32) |
                              static_cast<uint32_t>(group.rest));
}

class ArrayTest : public StationTest {
 protected:
  void SetUp() override {
    StationTest::SetUp();
    KXUnitParamRecord unit = MakeUnit(kUnit);
    ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  }
  void TearDown() override {
    SetFormatSecondsPerGb(std::to_string(KX_FORMAT_DEFAULT_SECONDS_PER_GB));
    StationTest::TearDown();
  }
  // Closes and reopens the station, as a restarted process would.
  void Reopen() {
    ForgetStation();
    ASSERT_EQ(Initialize(directory_), KX_OK);
  }
};

}  // namespace core_test
