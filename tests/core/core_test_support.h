// Shared fixture of the core tests: each test gets a fresh working directory
// and an initialised station in it.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "kx_core.h"
#include "kx_errors.h"

namespace core_test {

inline WorkingDirectoryRecord DirectoryRecord(const std::string& path) {
  WorkingDirectoryRecord record{};
  std::strncpy(record.tesk_path, path.c_str(), sizeof record.tesk_path - 1);
  return record;
}

inline int32_t Initialize(const std::filesystem::path& directory) {
  const WorkingDirectoryRecord record = DirectoryRecord(directory.string());
  return KX_GUIInitialize(&record);
}

// Leaves the process with no station: a failed KX_GUIInitialize does that.
inline void ForgetStation() {
  const WorkingDirectoryRecord empty{};
  ASSERT_EQ(KX_GUIInitialize(&empty), KXE_INVALID_ARGUMENT);
}

inline KXUnitParamRecord MakeUnit(const std::string& name,
                                  const std::string& group = "group",
                                  int8_t connect_type = 1) {
  KXUnitParamRecord unit{};
  std::memcpy(unit.unit_name, name.data(), name.size());
  std::memcpy(unit.group_name, group.data(), group.size());
  unit.connect_type = connect_type;
  unit.kx_type = 2;
  unit.unit_conf = 3;
  unit.alert = 4;
  std::strcpy(unit.ctl0, "10.0.0.1");
  std::strcpy(unit.ctl1, "10.0.0.2");
  return unit;
}

inline int32_t UnitCount() {
  int32_t count = -100;
  const int32_t code = KX_GetUnitCount(&count);
  return code == KX_OK ? count : -code;
}

class StationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    std::random_device random;
    directory_ = std::filesystem::temp_directory_path() /
                 ("tesk740-test-" + std::to_string(random()) + "-" +
                  std::to_string(serial++));
    ASSERT_EQ(Initialize(directory_), KX_OK);
  }
  void TearDown() override {
    ForgetStation();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  std::filesystem::path directory_;
};

// The station's clock while the object lives: KX_CLOCK_FILE names a file in
// `directory`, so a test moves the time instead of waiting for it to pass.
class TestClock {
 public:
  explicit TestClock(const std::filesystem::path& directory)
      : file_(directory / "clock.ms") {
    setenv("KX_CLOCK_FILE", file_.c_str(), 1);
  }
  TestClock(const TestClock&) = delete;
  TestClock& operator=(const TestClock&) = delete;
  ~TestClock() { unsetenv("KX_CLOCK_FILE"); }

  // Stops the clock at the present moment; returns it in ms since the epoch.
  int64_t Stop() {
    const int64_t now = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    StandAt(now);
    return now;
  }
  void StandAt(int64_t ms) { Write(std::to_string(ms)); }
  // Moves the running clock ms further ahead of the wall clock.
  void Advance(int64_t ms) {
    offset_ms_ += ms;
    Write("+" + std::to_string(offset_ms_));
  }

 private:
  // Renamed into place: the core never reads half a number.
  void Write(const std::string& setting) {
    const std::filesystem::path fresh = file_.string() + ".new";
    std::ofstream(fresh) << setting;
    std::filesystem::rename(fresh, file_);
  }

  std::filesystem::path file_;
  int64_t offset_ms_ = 0;
};

}  // namespace core_test
