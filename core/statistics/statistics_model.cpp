// The workload model: how a unit's configuration turns into counters as
// wall time passes. Every increment over an interval (a, b] is the
// difference of a cumulative function of time at b and at a, so the counters
// do not depend on how often they are read, only on the configuration seen
// when they are brought up to date.
#include "statistics/statistics_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_statistics.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "model/slots.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

constexpr char kCountersSetting[] = "statistics.counters";
constexpr char kStateSetting[] = "statistics.model";
// The number of the last drive-blocked event the counters took.
constexpr char kEventsSetting[] = "statistics.events";

// Cumulative functions count from here, which keeps their magnitude (and
// the rounding of doubles) small: 2020-01-01T00:00:00Z.
constexpr int64_t kModelEpochMs = INT64_C(1577836800000);

// Generator streams.
enum : uint64_t {
  kStreamLuLoad = 1,
  kStreamDrivePhase = 2,
  kStreamPortPhase = 3,
  kStreamCachePhase = 4,
  kStreamVerifyPhase = 5,
};

uint64_t Mix(uint64_t x) {
  x += UINT64_C(0x9E3779B97F4A7C15);
  x = (x ^ (x >> 30)) * UINT64_C(0xBF58476D1CE4E5B9);
  x = (x ^ (x >> 27)) * UINT64_C(0x94D049BB133111EB);
  return x ^ (x >> 31);
}

// A value in [low, high) from a draw.
int64_t Between(uint64_t draw, int64_t low, int64_t high) {
  return low + static_cast<int64_t>(draw % static_cast<uint64_t>(high - low));
}

// 32-bit counters wrap, as a real array's do.
void Add(int32_t& counter, int64_t amount) {
  const uint32_t sum = static_cast<uint32_t>(counter) +
                       static_cast<uint32_t>(static_cast<uint64_t>(amount));
  counter = static_cast<int32_t>(sum);
}

// Events every `period_s` seconds at a fixed phase: how many fall in (a, b].
int64_t PeriodicEvents(int64_t a_ms, int64_t b_ms, int64_t period_s,
                       uint64_t phase_draw) {
  const int64_t period_ms = period_s * 1000;
  const int64_t phase = static_cast<int64_t>(phase_draw % period_ms);
  auto floor_div = [](int64_t x, int64_t y) {
    return x >= 0 ? x / y : -((-x + y - 1) / y);
  };
  return floor_div(b_ms - kModelEpochMs + phase, period_ms) -
         floor_div(a_ms - kModelEpochMs + phase, period_ms);
}

// Work at a constant rate that started at `start_ms`: units in (a, b].
int64_t RateWork(int64_t a_ms, int64_t b_ms, int64_t start_ms, int64_t end_ms,
                 int64_t per_second) {
  const int64_t from = std::max(a_ms, start_ms);
  const int64_t to = std::min(b_ms, end_ms);
  if (to <= from) return 0;
  return (to - start_ms) * per_second / 1000 -
         (from - start_ms) * per_second / 1000;
}

// The host load of one LU number of a unit.
struct LuLoad {
  double read_per_s;
  double write_per_s;
  double swing;  // 0..0.8 of the mean
  double period_s;
  double phase;
  int64_t read_hit_pm;
  int64_t write_hit_pm;
  int64_t sequential_pm;
};

LuLoad LoadOf(int64_t unit_id, int64_t lu) {
  auto draw = [&](uint64_t k) {
    return UnitDraw(unit_id, kStreamLuLoad, static_cast<uint64_t>(lu) * 16 + k);
  };
  LuLoad load;
  load.read_per_s = static_cast<double>(
      Between(draw(0), KX_STAT_READ_IOPS_MIN, KX_STAT_READ_IOPS_MAX + 1));
  load.write_per_s = static_cast<double>(
      Between(draw(1), KX_STAT_WRITE_IOPS_MIN, KX_STAT_WRITE_IOPS_MAX + 1));
  load.swing =
      static_cast<double>(Between(draw(2), 0, KX_STAT_SWING_PERCENT_MAX + 1)) /
      100.0;
  load.period_s = static_cast<double>(Between(
      draw(3), KX_STAT_PERIOD_SECONDS_MIN, KX_STAT_PERIOD_SECONDS_MAX + 1));
  load.phase = static_cast<double>(draw(4) % 6283) / 1000.0;
  load.read_hit_pm = Between(draw(5), KX_STAT_READ_HIT_PERMILLE_MIN,
                             KX_STAT_READ_HIT_PERMILLE_MAX + 1);
  load.write_hit_pm = Between(draw(6), KX_STAT_WRITE_HIT_PERMILLE_MIN,
                              KX_STAT_WRITE_HIT_PERMILLE_MAX + 1);
  load.sequential_pm = Between(draw(7), KX_STAT_SEQUENTIAL_PERMILLE_MIN,
                               KX_STAT_SEQUENTIAL_PERMILLE_MAX + 1);
  return load;
}

// Commands up to `ms` at `mean` per second swinging by a sine: the integral
// of mean * (1 + swing * sin(2 pi t / period + phase)), never decreasing.
double Cumulative(double mean, const LuLoad& load, int64_t ms) {
  const double t = static_cast<double>(ms - kModelEpochMs) / 1000.0;
  const double omega = 2.0 * 3.14159265358979323846 / load.period_s;
  return mean * (t - load.swing / omega * std::cos(omega * t + load.phase));
}

int64_t Commands(double mean, const LuLoad& load, int64_t a_ms, int64_t b_ms) {
  return static_cast<int64_t>(std::floor(Cumulative(mean, load, b_ms))) -
         static_cast<int64_t>(std::floor(Cumulative(mean, load, a_ms)));
}

bool IsParityLevel(int64_t level) {
  return level == KX_RAID_5 || level == KX_RAID_6;
}

struct LuRow {
  int64_t number;
  int64_t rg_number;
  int64_t staging;
  int64_t controller;
  int64_t valid;
  bool has_job;
  int64_t job_start_ms;
  int64_t job_duration_ms;
};

std::vector<LuRow> LoadLuRows(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT l.lu_number, l.rg_number, l.staging, l.controller, l.valid,"
      " j.start_ms IS NOT NULL, coalesce(j.start_ms, 0),"
      " coalesce(j.duration_ms, 0)"
      " FROM logical_unit l LEFT JOIN format_job j"
      "   ON j.unit_id = l.unit_id AND j.lu_number = l.lu_number"
      " WHERE l.unit_id = ?1 ORDER BY l.lu_number");
  select.Bind(1, unit_id);
  std::vector<LuRow> rows;
  while (select.Step()) {
    LuRow row{select.Int(0), select.Int(1), select.Int(2), select.Int(3),
              select.Int(4), select.Int(5) != 0, select.Int(6), select.Int(7)};
    if (row.number < 0 || row.number >= kStatLuCapacity ||
        !IsController(row.controller) || row.job_duration_ms < 0) {
      Fail(KXE_STATION_DAMAGED);
    }
    rows.push_back(row);
  }
  return rows;
}

struct DriveRow {
  int port;
  int row;
  bool blocked;
  int64_t rebuild_start_ms;
  int64_t rebuild_duration_ms;
};

std::vector<DriveRow> LoadDriveRows(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT port, row, blocked, rebuild_start_ms, rebuild_duration_ms"
      " FROM drive_state WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  std::vector<DriveRow> rows;
  while (select.Step()) {
    if (!IsSlot(select.Int(0), select.Int(1)) || select.Int(4) < 0) {
      Fail(KXE_STATION_DAMAGED);
    }
    rows.push_back({static_cast<int>(select.Int(0)),
                    static_cast<int>(select.Int(1)), select.Int(2) != 0,
                    select.Int(3), select.Int(4)});
  }
  return rows;
}

// Stripe jobs on one drive, counted by one controller.
void CountJobs(StatisticalWriteAfterRecord& counters, int port, int row,
               int64_t level, int64_t jobs, int64_t read_modify_write,
               bool partial) {
  if (jobs <= 0) return;
  if (IsParityLevel(level)) {
    Add(counters.raid5_stripe_job[port][row], jobs);
    Add(counters.raid5_stripe_cnt, jobs);
    Add(counters.stripe_job_rmw[port][row], read_modify_write);
    if (partial) Add(counters.stripe_job_partial[port][row], jobs);
  } else {
    Add(counters.raid0_stripe_job[port][row], jobs);
    Add(counters.raid0_stripe_cnt, jobs);
  }
  StatisticalWriteAfterPDEVInfoRecord& gather = counters.pdev[port][row];
  const int64_t runs = (jobs + KX_STAT_GATHER_RUN - 1) / KX_STAT_GATHER_RUN;
  const int32_t largest =
      static_cast<int32_t>(std::min<int64_t>(jobs, KX_STAT_GATHER_RUN));
  const int32_t smallest = static_cast<int32_t>(
      jobs % KX_STAT_GATHER_RUN == 0 ? int64_t{KX_STAT_GATHER_RUN}
                                     : jobs % KX_STAT_GATHER_RUN);
  Add(gather.gather_prc_cnt, runs);
  Add(gather.gather_cnt, jobs);
  gather.gather_max = std::max(gather.gather_max, largest);
  gather.gather_min =
      gather.gather_min == 0 ? smallest : std::min(gather.gather_min, smallest);
}

// Fields that state what is installed and its limits rather than count.
void WriteFixedFields(StatisticalInformationRecord& counters,
                      const bool (&mounted)[KX_DRIVE_PORTS][KX_DRIVE_ROWS]) {
  counters.unite_option = 0;
  for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
    counters.controller[c].power_on = 1;
    for (int i = 0; i < KX_STAT_HOST_PORTS; ++i) {
      counters.h_spc[c].port[i].err_threshold = KX_STAT_PORT_ERROR_THRESHOLD;
      counters.fibre[c].Install[i].tbl_id = i;
      counters.fibre[c].Install[i].lup = 1;
    }
    counters.d_spc[c].err_threshold = KX_STAT_PORT_ERROR_THRESHOLD;
    counters.cache_mem[c].threshold = KX_STAT_CACHE_ERROR_THRESHOLD;

    StatisticalDriveErrorLimitInfoRecord& limit = counters.drive_err[c].limit;
    int32_t* limits = &limit.limit_had_rec;
    // Recoverable and unrecoverable limits alternate for the six error
    // kinds, then the online-verify and port limits follow.
    for (int k = 0; k < 12; ++k) {
      limits[k] = k % 2 == 0 ? KX_STAT_LIMIT_RECOVERABLE
                             : KX_STAT_LIMIT_UNRECOVERABLE;
    }
    limit.limit_ov_corerr = KX_STAT_LIMIT_VERIFY_CORRECTED;
    limit.limit_ov_ucorerr = KX_STAT_LIMIT_VERIFY_UNCORRECTED;
    limit.limit_drive_port = KX_STAT_LIMIT_DRIVE_PORT;
    for (int p = 0; p < KX_DRIVE_PORTS; ++p) {
      for (int r = 0; r < KX_DRIVE_ROWS; ++r) {
        StatisticalDriveErrorInfoRecord& drive = counters.drive_err[c].drive[p][r];
        if (!mounted[p][r]) continue;
        int32_t* drive_limits = &drive.had_rec_limit;
        for (int k = 0; k < 14; ++k) drive_limits[k] = limits[k];
        for (int side = 0; side < 2; ++side) {
          drive.drive_port_limit1[side] = KX_STAT_LIMIT_DRIVE_PORT;
          drive.drive_port_limit2[side] = 2 * KX_STAT_LIMIT_DRIVE_PORT;
          drive.drive_port_limit3[side] = 4 * KX_STAT_LIMIT_DRIVE_PORT;
        }
      }
    }
  }
}

}  // namespace

uint64_t UnitDraw(int64_t unit_id, uint64_t stream, uint64_t index) {
  return Mix(Mix(static_cast<uint64_t>(unit_id)) ^
             Mix(stream * UINT64_C(0x100000000) + index));
}

StatisticsModel::StatisticsModel(Database& database, int64_t unit_id,
                                 int64_t start_ms)
    : database_(database),
      unit_id_(unit_id),
      counters_(static_cast<StatisticalInformationRecord*>(
          std::calloc(1, sizeof(StatisticalInformationRecord)))) {
  if (counters_ == nullptr) Fail(KXE_INTERNAL);
  // A unit's statistics begin with its first recorded activity: the
  // earliest format of its LUs, since no LU serves commands before that.
  Statement first_job = database.Prepare(
      "SELECT min(start_ms) FROM format_job WHERE unit_id = ?1"
      " AND start_ms IS NOT NULL");
  first_job.Bind(1, unit_id);
  if (first_job.Step() && first_job.Int(0) > 0) {
    start_ms = std::min(start_ms, first_job.Int(0));
  }
  StatisticsModelState fresh{};
  fresh.started_ms = start_ms - start_ms % 1000;
  fresh.accrued_ms = fresh.started_ms;
  std::memset(fresh.lu_owner, -1, sizeof fresh.lu_owner);
  fresh_state_ = !LoadSettingBytes(database, unit_id, kStateSetting);
  state_ = LoadSetting(
      database, unit_id, kStateSetting, fresh,
      [](const StatisticsModelState& state) {
        bool valid = state.started_ms <= state.accrued_ms;
        for (int8_t blocked : state.drive_blocked) {
          valid = valid && (blocked == 0 || blocked == 1);
        }
        for (int8_t owner : state.lu_owner) {
          valid = valid && owner >= -1 && owner <= 1;
        }
        if (!valid) Fail(KXE_STATION_DAMAGED);
      });
  std::optional<std::string> bytes =
      LoadSettingBytes(database, unit_id, kCountersSetting);
  if (bytes) {
    if (bytes->size() != sizeof(StatisticalInformationRecord)) {
      Fail(KXE_STATION_DAMAGED);
    }
    std::memcpy(counters_, bytes->data(), bytes->size());
  } else {
    unsaved_ = true;
  }
}

StatisticsModel::~StatisticsModel() { std::free(counters_); }

void StatisticsModel::AccrueTo(int64_t to_ms) {
  const int64_t a = state_.accrued_ms;
  const int64_t b = to_ms - to_ms % 1000;
  StatisticalInformationRecord& counters = *counters_;

  // What is installed and how it is used now.
  bool mounted[KX_DRIVE_PORTS][KX_DRIVE_ROWS] = {};
  for (int p = 0; p < KX_DRIVE_PORTS; ++p) {
    for (int r = 0; r < KX_DRIVE_ROWS; ++r) {
      mounted[p][r] = DriveLastLba(p, r).has_value();
    }
  }
  bool blocked[KX_DRIVE_PORTS][KX_DRIVE_ROWS] = {};
  const std::vector<DriveRow> drive_rows = LoadDriveRows(database_, unit_id_);
  for (const DriveRow& drive : drive_rows) {
    blocked[drive.port][drive.row] = drive.blocked && mounted[drive.port][drive.row];
  }
  const std::vector<RaidGroup> groups = LoadRaidGroups(database_, unit_id_);
  const std::vector<LuRow> lus = LoadLuRows(database_, unit_id_);
  WriteFixedFields(counters, mounted);

  auto blocked_members = [&](const RaidGroup& group) {
    int64_t count = 0;
    for (int64_t p = group.port; p < group.port + group.width; ++p) {
      for (int64_t r = group.row; r < group.row + group.depth; ++r) {
        if (IsSlot(p, r) && blocked[p][r]) ++count;
      }
    }
    return count;
  };
  auto find_group = [&](int64_t number) -> const RaidGroup* {
    for (const RaidGroup& group : groups) {
      if (group.number == number) return &group;
    }
    return nullptr;
  };
  // Jobs on every working member of a group.
  auto count_on_members = [&](const RaidGroup& group, int controller,
                              int64_t jobs, int64_t read_modify_write) {
    const bool partial = blocked_members(group) > 0;
    for (int64_t p = group.port; p < group.port + group.width; ++p) {
      for (int64_t r = group.row; r < group.row + group.depth; ++r) {
        if (!IsSlot(p, r) || !mounted[p][r] || blocked[p][r]) continue;
        CountJobs(counters.writeafter[controller], static_cast<int>(p),
                  static_cast<int>(r), group.level, jobs, read_modify_write,
                  partial);
      }
    }
  };

  // LU ownership moves count for the controller that takes the LU.
  int8_t owners[kStatLuCapacity];
  std::memset(owners, -1, sizeof owners);
  for (const LuRow& lu : lus) {
    const int8_t owner = static_cast<int8_t>(lu.controller);
    const int8_t before = state_.lu_owner[lu.number];
    if (before != -1 && before != owner) Add(counters.controller[owner].lu_change, 1);
    owners[lu.number] = owner;
  }
  if (std::memcmp(state_.lu_owner, owners, sizeof owners) != 0) unsaved_ = true;
  std::memcpy(state_.lu_owner, owners, sizeof owners);

  if (b > a) {
    // Host commands of every LU that can serve them.
    for (const LuRow& lu : lus) {
      const RaidGroup* group = find_group(lu.rg_number);
      if (group == nullptr || !lu.has_job) continue;
      const int controller = static_cast<int>(lu.controller);
      const int64_t job_end = lu.job_start_ms + lu.job_duration_ms;
      // A running format writes the whole LU; host commands begin when it ends.
      count_on_members(*group, controller,
                       RateWork(a, b, lu.job_start_ms, job_end,
                                KX_STAT_FORMAT_JOBS_PER_SECOND),
                       0);
      if (lu.valid == 0 ||
          blocked_members(*group) > FaultTolerance(group->level)) {
        continue;
      }
      const int64_t from = std::max(a, job_end);
      if (b <= from) continue;
      const LuLoad load = LoadOf(unit_id_, lu.number);
      const int64_t reads = Commands(load.read_per_s, load, from, b);
      const int64_t writes = Commands(load.write_per_s, load, from, b);
      int64_t sequential_pm = load.sequential_pm;
      if (lu.staging == KX_STAGING_SEQUENTIAL) {
        sequential_pm += KX_STAT_SEQUENTIAL_STAGING_PERMILLE;
      }
      const int64_t read_hits = reads * load.read_hit_pm / 1000;
      const int64_t write_hits = writes * load.write_hit_pm / 1000;
      const int64_t sequential_reads = reads * sequential_pm / 1000;
      const int64_t sequential_writes = writes * sequential_pm / 1000;

      StatisticalHostCommandInfoRecord& host =
          counters.h_command[controller].lu[lu.number];
      Add(host.read_count, reads);
      Add(host.write_count, writes);
      StatisticalCommandStatusInfoRecord& status =
          counters.com_status[controller].lu[lu.number];
      Add(status.r_cache, read_hits);
      Add(status.rd_miss, reads - read_hits);
      Add(status.w_cache, write_hits);
      Add(status.w_through, writes - write_hits);
      Add(status.seq_r, sequential_reads);
      Add(status.seq_w, sequential_writes);
      if (lu.staging != KX_STAGING_OFF) {
        Add(status.pre_exec, sequential_reads / KX_STAT_READS_PER_PREFETCH);
      }
      Add(status.wr_spl, writes / KX_STAT_WRITES_PER_SPLIT);

      StatisticalCacheRecord& cache = counters.cache[controller];
      Add(cache.wrt_inhcnt, write_hits);
      Add(cache.wrt_outhcnt, writes - write_hits);
      Add(cache.seqwr_bufcnt, sequential_writes);
      Add(cache.seg_lock_cnt, writes / KX_STAT_WRITES_PER_SEGMENT_LOCK);

      Add(counters.fibre[controller].Install[lu.number % KX_STAT_HOST_PORTS].trs,
          reads + writes);
      Add(counters.controller[controller]
              .procnt_time[lu.number % KX_STAT_PROCESSORS],
          reads + writes);

      count_on_members(*group, controller, writes, writes - sequential_writes);
    }

    // Rebuilds write the drive being rebuilt.
    for (const DriveRow& drive : drive_rows) {
      if (drive.blocked || !mounted[drive.port][drive.row]) continue;
      for (const RaidGroup& group : groups) {
        if (!group.Holds(drive.port, drive.row)) continue;
        CountJobs(counters.writeafter[0], drive.port, drive.row, group.level,
                  RateWork(a, b, drive.rebuild_start_ms,
                           drive.rebuild_start_ms + drive.rebuild_duration_ms,
                           KX_STAT_REBUILD_JOBS_PER_SECOND),
                  0, false);
      }
    }

    // Running times.
    const int64_t minutes = (b - state_.started_ms) / 60000;
    for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
      StatisticalControllerRecord& controller = counters.controller[c];
      controller.total_time = static_cast<int32_t>(minutes);
      controller.on_time = static_cast<int32_t>(minutes);
      controller.total_time_rap_cnt = static_cast<int32_t>(minutes / 1440);
      controller.total_time_rap_cnt_work = controller.total_time_rap_cnt;
    }

    // Drives: running time, background errors, and the retries of the
    // blocked ones.
    for (int p = 0; p < KX_DRIVE_PORTS; ++p) {
      for (int r = 0; r < KX_DRIVE_ROWS; ++r) {
        if (!mounted[p][r]) continue;
        const uint64_t slot = static_cast<uint64_t>(SlotIndex(p, r));
        if (blocked[p][r]) {
          const int64_t retries = PeriodicEvents(
              a, b, KX_STAT_BLOCKED_RETRY_SECONDS, 0);
          for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
            Add(counters.drive[c].drive[p][r].drv_port_err[0], retries);
            Add(counters.drive[c].err_rtry, retries);
            Add(counters.d_spc[c].err_count[p % KX_STAT_DRIVE_LOOPS], retries);
            Add(counters.d_spc[c].retry, retries);
          }
          continue;
        }
        const int64_t on_minutes = b / 60000 - a / 60000;
        for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
          Add(counters.drive_err[c].drive[p][r].drv_on_time, on_minutes);
        }
        const int owner = p % KX_CONTROLLER_COUNT;
        StatisticalDriveInfoRecord& errors = counters.drive[owner].drive[p][r];
        Add(errors.d_med_rec,
            PeriodicEvents(a, b, KX_STAT_MEDIA_ERROR_SECONDS,
                           UnitDraw(unit_id_, kStreamDrivePhase, slot)));
        Add(errors.ov_correct_err,
            PeriodicEvents(a, b, KX_STAT_VERIFY_ERROR_SECONDS,
                           UnitDraw(unit_id_, kStreamVerifyPhase, slot)));
      }
    }

    // Host ports and cache modules.
    for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
      for (int i = 0; i < KX_STAT_HOST_PORTS; ++i) {
        const int64_t crc = PeriodicEvents(
            a, b, KX_STAT_LINK_ERROR_SECONDS,
            UnitDraw(unit_id_, kStreamPortPhase,
                     static_cast<uint64_t>(c * KX_STAT_HOST_PORTS + i)));
        Add(counters.fibre[c].Install[i].bad_crc, crc);
        Add(counters.h_spc[c].port[i].err_count, crc);
        Add(counters.h_spc[c].port[i].retry, crc);
      }
      for (int m = 0; m < KX_STAT_CACHE_MODULES; ++m) {
        Add(counters.cache_mem[c].correct_err[m],
            PeriodicEvents(a, b, KX_STAT_CACHE_ERROR_SECONDS,
                           UnitDraw(unit_id_, kStreamCachePhase,
                                    static_cast<uint64_t>(c * 2 + m))));
      }
    }
    state_.accrued_ms = b;
    unsaved_ = true;
  }

  // Every drive blocked since the last update, from the event record, so a
  // drive blocked and returned between two updates still counts: both
  // controllers lose it. A unit seen for the first time takes every
  // blocking in its record; a model stored before the counters followed the
  // record starts from its newest event.
  int64_t last_counted = 0;
  if (std::optional<std::string> stored =
          LoadSettingBytes(database_, unit_id_, kEventsSetting)) {
    last_counted = LoadSetting<int64_t>(
        database_, unit_id_, kEventsSetting, 0, [](int64_t event_id) {
          if (event_id < 0) Fail(KXE_STATION_DAMAGED);
        });
  } else if (fresh_state_ == false) {
    Statement newest = database_.Prepare(
        "SELECT coalesce(max(event_id), 0) FROM station_event"
        " WHERE unit_id = ?1");
    newest.Bind(1, unit_id_);
    newest.Step();
    last_counted = newest.Int(0);
  }
  Statement blockings = database_.Prepare(
      "SELECT event_id, number FROM station_event"
      " WHERE unit_id = ?1 AND kind = 'drive-blocked' AND event_id > ?2"
      " ORDER BY event_id");
  blockings.Bind(1, unit_id_).Bind(2, last_counted);
  int64_t counted = last_counted;
  while (blockings.Step()) {
    counted = blockings.Int(0);
    const int64_t slot = blockings.IntIn(1, -1, KX_DRIVE_SLOTS - 1);
    if (slot < 0) continue;  // an earlier event that named no slot
    const int p = static_cast<int>(slot / KX_DRIVE_ROWS);
    const int r = static_cast<int>(slot % KX_DRIVE_ROWS);
    for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
      Add(counters.drive[c].drive[p][r].d_drive_urec, 1);
      Add(counters.drive[c].drive[p][r].link_failre[0], 1);
      Add(counters.d_fpc[c].fpc[0].normal_link_fail, 1);
    }
  }
  if (counted != last_counted || fresh_state_) {
    StoreSetting<int64_t>(database_, unit_id_, kEventsSetting, counted);
    unsaved_ = true;
  }
  fresh_state_ = false;
  // What was blocked at this update, kept in the stored state as before.
  for (int p = 0; p < KX_DRIVE_PORTS; ++p) {
    for (int r = 0; r < KX_DRIVE_ROWS; ++r) {
      int8_t& seen = state_.drive_blocked[SlotIndex(p, r)];
      if (seen != (blocked[p][r] ? 1 : 0)) unsaved_ = true;
      seen = blocked[p][r] ? 1 : 0;
    }
  }

  // The station has no unified LUs: each LU is its own.
  for (int c = 0; c < KX_CONTROLLER_COUNT; ++c) {
    counters.h_command_unite[c] = counters.h_command[c];
    counters.com_status_unite[c] = counters.com_status[c];
    // The station never power-cycles a controller: its counters since
    // power-on are its counters since installation.
    for (int i = 0; i < 2; ++i) counters.fibre[c].Pson[i] = counters.fibre[c].Install[i];
  }

  // Calls within one second change nothing: the station is not written.
  if (!unsaved_) return;
  unsaved_ = false;
  StoreSetting(database_, unit_id_, kStateSetting, state_);
  StoreSettingBytes(database_, unit_id_, kCountersSetting, counters_,
                    sizeof(StatisticalInformationRecord));
}

}  // namespace tesk740
