// Statistics and performance collection: the counters of the workload model
// agree with each other and with the storage configuration as time passes,
// performance samples line up, performance files parse to what the samples
// say, and the block conversion is exact.
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "array_test_support.h"
#include "kx_station_statistics.h"

namespace core_test {
namespace {

using Stats = std::unique_ptr<StatisticalInformationRecord>;

Stats ReadStats() {
  Stats stats(new StatisticalInformationRecord);
  EXPECT_EQ(KX_GetStatisticalInformation(kUnit, KX_STATS_CUMULATIVE, stats.get()),
            KX_OK);
  return stats;
}

uint32_t U(int32_t counter) { return static_cast<uint32_t>(counter); }

class StatisticsTest : public ArrayTest {
 protected:
  // RAID 5 group 0 over ports 0-3, rows 0-1, holding LU 0 (controller 0) and
  // LU 1 (controller 1); RAID 1 group 1 over ports 0-1, row 2, holding LU 2
  // (controller 0, formatted) and LU 3 (never formatted).
  void SetUp() override {
    ArrayTest::SetUp();
    clock_ = std::make_unique<TestClock>(directory_);
    SetFormatSecondsPerGb("0");
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 4, 2)), KX_OK);
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_1, 0, 2, 2, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 1024, 0)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(1, 0, 1024, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(2, 1, 1024, 0)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(3, 1, 1024, 0)), KX_OK);
    for (int lu = 0; lu < 3; ++lu) {
      ASSERT_EQ(KX_LogicalUnitFormat(kUnit, lu, KX_FORMAT_FULL), KX_OK);
    }
  }

  // The counters accrue with the station's clock, which the tests move.
  std::unique_ptr<TestClock> clock_;
};

uint64_t HostCommands(const StatisticalInformationRecord& s, int lu) {
  uint64_t total = 0;
  for (int c = 0; c < 2; ++c) {
    total += U(s.h_command[c].lu[lu].read_count) +
             U(s.h_command[c].lu[lu].write_count);
  }
  return total;
}

// Every roll-up the station documents holds exactly.
void ExpectConsistent(const StatisticalInformationRecord& s) {
  for (int c = 0; c < 2; ++c) {
    SCOPED_TRACE("controller " + std::to_string(c));
    uint32_t write_hits = 0, write_through = 0, commands = 0;
    for (int lu = 0; lu < 512; ++lu) {
      const auto& host = s.h_command[c].lu[lu];
      const auto& status = s.com_status[c].lu[lu];
      EXPECT_EQ(U(status.r_cache) + U(status.rd_miss), U(host.read_count)) << lu;
      EXPECT_EQ(U(status.w_cache) + U(status.w_through), U(host.write_count))
          << lu;
      EXPECT_LE(U(status.seq_r), U(host.read_count)) << lu;
      write_hits += U(status.w_cache);
      write_through += U(status.w_through);
      commands += U(host.read_count) + U(host.write_count);
    }
    EXPECT_EQ(U(s.cache[c].wrt_inhcnt), write_hits);
    EXPECT_EQ(U(s.cache[c].wrt_outhcnt), write_through);
    EXPECT_EQ(U(s.fibre[c].Install[0].trs) + U(s.fibre[c].Install[1].trs),
              commands);
    uint32_t processed = 0;
    for (int32_t k : s.controller[c].procnt_time) processed += U(k);
    EXPECT_EQ(processed, commands);
    EXPECT_EQ(0, std::memcmp(&s.h_command[c], &s.h_command_unite[c],
                             sizeof s.h_command[c]));
    EXPECT_EQ(0, std::memcmp(&s.com_status[c], &s.com_status_unite[c],
                             sizeof s.com_status[c]));

    const auto& after = s.writeafter[c];
    uint32_t raid0 = 0, raid5 = 0, retries = 0, loop_errors = 0;
    for (int p = 0; p < 15; ++p) {
      for (int r = 0; r < 15; ++r) {
        raid0 += U(after.raid0_stripe_job[p][r]);
        raid5 += U(after.raid5_stripe_job[p][r]);
        EXPECT_LE(U(after.stripe_job_rmw[p][r]), U(after.raid5_stripe_job[p][r]));
        EXPECT_EQ(U(after.pdev[p][r].gather_cnt),
                  U(after.raid0_stripe_job[p][r]) +
                      U(after.raid5_stripe_job[p][r]));
        retries += U(s.drive[c].drive[p][r].drv_port_err[0]);
      }
    }
    EXPECT_EQ(U(after.raid0_stripe_cnt), raid0);
    EXPECT_EQ(U(after.raid5_stripe_cnt), raid5);
    EXPECT_EQ(U(s.drive[c].err_rtry), retries);
    for (int32_t loop : s.d_spc[c].err_count) loop_errors += U(loop);
    EXPECT_EQ(U(s.d_spc[c].retry), loop_errors);
    EXPECT_EQ(loop_errors, retries);
  }
}

TEST_F(StatisticsTest, CountersRollUpAndFollowTheConfiguration) {
  const Stats before = ReadStats();
  clock_->Advance(2100);
  const Stats after = ReadStats();
  ExpectConsistent(*before);
  ExpectConsistent(*after);

  // Host commands go to formatted LUs through their own controller only.
  for (int lu = 0; lu < 3; ++lu) {
    EXPECT_GT(HostCommands(*after, lu), HostCommands(*before, lu)) << lu;
  }
  EXPECT_EQ(after->h_command[1].lu[0].read_count, 0);
  EXPECT_EQ(after->h_command[0].lu[1].read_count, 0);
  EXPECT_GT(after->h_command[1].lu[1].read_count, 0);
  for (int lu = 3; lu < 512; ++lu) EXPECT_EQ(HostCommands(*after, lu), 0u) << lu;

  // Two seconds of load lie within the documented rates (with a second of
  // slack for where the readings fall).
  const uint64_t commands = HostCommands(*after, 2) - HostCommands(*before, 2);
  const double peak = (KX_STAT_READ_IOPS_MAX + KX_STAT_WRITE_IOPS_MAX) *
                      (1 + KX_STAT_SWING_PERCENT_MAX / 100.0);
  EXPECT_LE(commands, static_cast<uint64_t>(4 * peak));

  // Drive work lands on the members of the groups, by level, and nowhere
  // else; the RAID 5 members work for both controllers.
  for (int p = 0; p < 15; ++p) {
    for (int r = 0; r < 15; ++r) {
      SCOPED_TRACE(std::to_string(p) + "," + std::to_string(r));
      const bool raid5 = p < 4 && r < 2;
      const bool raid1 = p < 2 && r == 2;
      for (int c = 0; c < 2; ++c) {
        const auto& w = after->writeafter[c];
        EXPECT_EQ(U(w.raid5_stripe_job[p][r]) > 0, raid5);
        EXPECT_EQ(U(w.raid0_stripe_job[p][r]) > 0, raid1 && c == 0);
      }
    }
  }

  // Only installed parts count or carry limits.
  for (int c = 0; c < 2; ++c) {
    for (int p = 0; p < 15; ++p) {
      for (int r = 0; r < 15; ++r) {
        const auto& drive = after->drive_err[c].drive[p][r];
        EXPECT_EQ(drive.had_rec_limit,
                  p < KX_MOUNTED_PORTS ? KX_STAT_LIMIT_RECOVERABLE : 0);
        if (p >= KX_MOUNTED_PORTS) {
          const StatisticalDriveInfoRecord empty{};
          EXPECT_EQ(0, std::memcmp(&after->drive[c].drive[p][r], &empty,
                                   sizeof empty));
        }
      }
    }
    for (int i = KX_STAT_HOST_PORTS; i < 4; ++i) {
      EXPECT_EQ(after->h_spc[c].port[i].err_threshold, 0);
    }
    for (int m = KX_STAT_CACHE_MODULES; m < 32; ++m) {
      EXPECT_EQ(after->cache_mem[c].correct_err[m], 0);
    }
    EXPECT_EQ(after->controller[c].power_on, 1);
  }
}

TEST_F(StatisticsTest, ABlockedDriveStopsWorkingAndCountsItsFailure) {
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  const Stats before = ReadStats();
  clock_->Advance(1100);
  const Stats after = ReadStats();
  ExpectConsistent(*after);
  for (int c = 0; c < 2; ++c) {
    const auto& b = before->writeafter[c];
    const auto& a = after->writeafter[c];
    // The blocked member does no more work; the group's others do, partially.
    EXPECT_EQ(a.raid5_stripe_job[0][0], b.raid5_stripe_job[0][0]);
    EXPECT_GT(U(a.raid5_stripe_job[1][0]), U(b.raid5_stripe_job[1][0]));
    EXPECT_GT(U(a.stripe_job_partial[1][0]), U(b.stripe_job_partial[1][0]));
    // Its blocking is counted once, by both controllers.
    EXPECT_EQ(after->drive[c].drive[0][0].d_drive_urec, 1);
    EXPECT_EQ(after->drive[c].drive[0][0].link_failre[0], 1);
    EXPECT_EQ(after->d_fpc[c].fpc[0].normal_link_fail, 1);
  }
  // The degraded RAID 5 group still serves its LUs.
  EXPECT_GT(HostCommands(*after, 0), HostCommands(*before, 0));

  // A second blocked member takes the RAID 5 group's data: its LUs stop.
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  const Stats failed = ReadStats();
  clock_->Advance(1100);
  const Stats later = ReadStats();
  EXPECT_EQ(HostCommands(*later, 0), HostCommands(*failed, 0));
  EXPECT_EQ(HostCommands(*later, 1), HostCommands(*failed, 1));
  EXPECT_GT(HostCommands(*later, 2), HostCommands(*failed, 2));
  for (int c = 0; c < 2; ++c) {
    EXPECT_EQ(later->drive[c].drive[0][0].d_drive_urec, 1);
    EXPECT_EQ(later->drive[c].drive[1][0].d_drive_urec, 1);
  }
}

TEST_F(StatisticsTest, CountersSurviveTheProcessAndNeverGoBack) {
  const Stats before = ReadStats();
  Reopen();
  clock_->Advance(1100);
  const Stats after = ReadStats();
  for (int lu = 0; lu < 3; ++lu) {
    EXPECT_GT(HostCommands(*after, lu), HostCommands(*before, lu));
  }
  // A moved LU counts as a change for the controller that takes it.
  ASSERT_EQ(KX_LogicalUnitChangeCtl(kUnit, 0), KX_OK);
  EXPECT_EQ(ReadStats()->controller[1].lu_change, 1);

  StatisticalInformationRecord record{};
  EXPECT_EQ(KX_GetStatisticalInformation(kUnit, 1, &record), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetStatisticalInformation("nobody", 0, &record), KXE_UNKNOWN_UNIT);
}

TEST_F(StatisticsTest, PerformanceSamplesAreContiguous) {
  StatisticalCommandRecord first{}, second{};
  ASSERT_EQ(KX_GetPerformance(kUnit, &first, &second), KX_OK);
  // The unit's first sample comes with one taken a second earlier.
  const auto seconds_of = [](const BrokenDownTime& t) {
    return t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
  };
  EXPECT_EQ((seconds_of(second.mtime) - seconds_of(first.mtime) + 86400) % 86400,
            KX_PERF_FIRST_INTERVAL_SECONDS);
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  EXPECT_EQ(second.mtime.tm_year, local.tm_year);

  clock_->Advance(1100);
  StatisticalCommandRecord third{}, fourth{};
  ASSERT_EQ(KX_GetPerformance(kUnit, &third, &fourth), KX_OK);
  EXPECT_EQ(0, std::memcmp(&third, &second, sizeof third));
  EXPECT_GT(U(fourth.lu[0].read_count), U(third.lu[0].read_count));

  // A sample is the statistics' counters summed over both controllers.
  const Stats stats = ReadStats();
  for (int lu = 0; lu < 3; ++lu) {
    EXPECT_LE(U(fourth.lu[lu].read_count),
              U(stats->h_command[0].lu[lu].read_count) +
                  U(stats->h_command[1].lu[lu].read_count));
    EXPECT_LE(U(fourth.lu[lu].read_cache), U(fourth.lu[lu].read_count));
    EXPECT_LE(U(fourth.lu[lu].write_cache), U(fourth.lu[lu].write_count));
  }
}

// --- Performance files: made from samples written here -------------------

StatisticalCommandRecord SampleAt(int hour, int minute, int second) {
  StatisticalCommandRecord sample{};
  sample.mtime.tm_year = 126;  // 2026
  sample.mtime.tm_mon = 4;
  sample.mtime.tm_mday = 31;
  sample.mtime.tm_hour = hour;
  sample.mtime.tm_min = minute;
  sample.mtime.tm_sec = second;
  return sample;
}

std::vector<std::vector<std::string>> ReadCsv(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(file, line)) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    while (std::getline(stream, cell, ',')) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    rows.push_back(cells);
  }
  return rows;
}

TEST_F(StatisticsTest, PerformanceFilesHoldTheIntervalsOfTheSamples) {
  // LU 7: 100 reads (80 hits) and 50 writes every 10 s, across a counter
  // wrap; LU 9 idle; the last interval is empty and gives no rows.
  StatisticalCommandRecord s[4] = {SampleAt(23, 59, 50), SampleAt(0, 0, 0),
                                   SampleAt(0, 0, 10), SampleAt(0, 0, 10)};
  for (int k = 1; k < 4; ++k) s[k].mtime.tm_mday = 1, s[k].mtime.tm_mon = 5;
  for (int k = 0; k < 4; ++k) {
    const int n = k < 3 ? k : 2;
    s[k].lu[7] = {static_cast<int32_t>(0xFFFFFFC0u + 100u * n), 50 * n, 80 * n,
                  0};
  }
  const std::filesystem::path path = directory_ / "perf.csv";
  const std::string text = path.string();
  ASSERT_EQ(KX_PerformanceOutput(kUnit, text.c_str(), &s[0], &s[1], &s[2], &s[3]),
            KX_OK);
  auto rows = ReadCsv(path);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"time", "interval_s", "lu",
                                               "read_iops", "write_iops",
                                               "read_hit_ratio",
                                               "write_hit_ratio"}));
  EXPECT_EQ(rows[1][0], "2026-06-01 00:00:00");
  EXPECT_EQ(rows[1][1], "10");
  EXPECT_EQ(rows[1][2], "7");
  EXPECT_DOUBLE_EQ(std::stod(rows[1][3]), 10.0);
  EXPECT_DOUBLE_EQ(std::stod(rows[1][4]), 5.0);
  EXPECT_DOUBLE_EQ(std::stod(rows[1][5]), 0.8);
  EXPECT_DOUBLE_EQ(std::stod(rows[1][6]), 0.0);
  EXPECT_EQ(rows[2][0], "2026-06-01 00:00:10");

  // The LU variant writes the selected LUs, idle or not; appending adds no
  // second header, replacing starts anew.
  uint8_t selection[512] = {};
  selection[9] = 1;
  ASSERT_EQ(KX_PerformanceOutputLU(kUnit, text.c_str(), &s[0], &s[1], &s[2],
                                   &s[3], KX_PERF_APPEND, selection, 0),
            KX_OK);
  rows = ReadCsv(path);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[3][2], "9");
  EXPECT_DOUBLE_EQ(std::stod(rows[3][3]), 0.0);
  EXPECT_EQ(rows[3][5], "");  // no reads: no hit ratio
  ASSERT_EQ(KX_PerformanceOutputLU(kUnit, text.c_str(), &s[0], &s[1], &s[2],
                                   &s[3], KX_PERF_REPLACE, selection, 0),
            KX_OK);
  EXPECT_EQ(ReadCsv(path).size(), 3u);

  // Refusals write nothing.
  const auto untouched = ReadCsv(path);
  EXPECT_EQ(KX_PerformanceOutput(kUnit, text.c_str(), &s[1], &s[0], &s[2], &s[3]),
            KXE_PERF_SAMPLES_OUT_OF_ORDER);
  s[2].mtime.tm_mday = 31;  // June has 30 days
  EXPECT_EQ(KX_PerformanceOutput(kUnit, text.c_str(), &s[0], &s[1], &s[2], &s[3]),
            KXE_INVALID_TIME);
  EXPECT_EQ(KX_PerformanceOutputLU(kUnit, text.c_str(), &s[0], &s[1], &s[1],
                                   &s[1], 2, selection, 0),
            KXE_INVALID_ARGUMENT);
  EXPECT_EQ(ReadCsv(path), untouched);
  const std::string unwritable = (directory_ / "no" / "such" / "dir.csv").string();
  EXPECT_EQ(KX_PerformanceOutput(kUnit, unwritable.c_str(), &s[0], &s[1], &s[1],
                                 &s[1]),
            KXE_PERF_OUTPUT_FAILED);
}

TEST(BlockToByteTest, ConvertsWithoutOverflow) {
  auto convert = [](int32_t high, int32_t low, int32_t size) {
    int32_t r[3] = {7, 7, 7};
    EXPECT_EQ(KX_BlockToByte(high, low, size, &r[0], &r[1], &r[2]), KX_OK);
    return (static_cast<unsigned __int128>(static_cast<uint32_t>(r[0])) << 64) |
           (static_cast<unsigned __int128>(static_cast<uint32_t>(r[1])) << 32) |
           static_cast<uint32_t>(r[2]);
  };
  EXPECT_TRUE(convert(0, 1, 0) == 512);
  EXPECT_TRUE(convert(0, 0x800000, 0) == (static_cast<unsigned __int128>(1) << 32));
  EXPECT_TRUE(convert(1, 0, 4096) == (static_cast<unsigned __int128>(4096) << 32));
  const unsigned __int128 largest =
      static_cast<unsigned __int128>(UINT64_MAX) * 0x7FFFFFFFu;
  EXPECT_TRUE(convert(-1, -1, 0x7FFFFFFF) == largest);
  int32_t r[3];
  EXPECT_EQ(KX_BlockToByte(0, 1, -512, &r[0], &r[1], &r[2]), KXE_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace core_test
