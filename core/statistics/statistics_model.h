// The workload model behind the statistics counters of a unit: the counters
// as the statistics record lays them out, brought up to a moment by adding
// what the unit's configuration did since their last update. What is
// counted, and at what rates, is documented in kx_station_statistics.h.
// Everything here runs inside a station write transaction.
#pragma once

#include <cstdint>

#include "kx_statistics.h"
#include "station/station.h"

namespace tesk740 {

// What the model remembers between updates besides the counters: when the
// unit's statistics began and were last brought up to date, which drives it
// last saw blocked, and which controller it last saw owning each LU. Stored
// in the settings store; validated when loaded.
struct StatisticsModelState {
  int64_t started_ms;
  int64_t accrued_ms;
  int8_t drive_blocked[225];  // 0 or 1
  int8_t lu_owner[512];       // -1 (no LU), 0 or 1
  int8_t unused[7];
};
static_assert(sizeof(StatisticsModelState) == 760, "stored model state size");

class StatisticsModel {
 public:
  // Loads the unit's counters and state. A unit seen for the first time
  // starts with every counter zero at `start_ms` or at the start of its
  // earliest LU format, whichever is earlier (a drive it finds blocked
  // counts its blocking at the first update).
  StatisticsModel(Database& database, int64_t unit_id, int64_t start_ms);

  // Adds everything from the last update up to `to_ms` (whole seconds are
  // counted; an earlier moment adds nothing), then stores the result.
  void AccrueTo(int64_t to_ms);

  const StatisticalInformationRecord& counters() const { return *counters_; }
  // The moment the counters stand at, in ms of the host clock.
  int64_t accrued_ms() const { return state_.accrued_ms; }

  StatisticsModel(const StatisticsModel&) = delete;
  StatisticsModel& operator=(const StatisticsModel&) = delete;
  ~StatisticsModel();

 private:
  Database& database_;
  int64_t unit_id_;
  StatisticsModelState state_{};
  bool unsaved_ = false;  // the counters or state differ from the stored ones
  bool fresh_state_ = false;  // no state was stored for the unit yet
  StatisticalInformationRecord* counters_;
};

// The unit's generator: a well-mixed 64-bit value for (stream, index).
uint64_t UnitDraw(int64_t unit_id, uint64_t stream, uint64_t index);

}  // namespace tesk740
