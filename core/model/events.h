// The station's event record: every change that matters to a unit, written
// once, in the transaction of the change, with the unit, the station's time
// (NowMs), a stable kind, the object it concerns and a sentence for the
// trace. The trace, the alert state, the statistics' error counters and the
// notifications are all read from it, so they agree.
//
// Health that changes with time alone (a rebuild or a format that ends) is
// recorded when the station next looks: every write that names a unit first
// brings the unit's record up to date (RecordHealthChanges), with the moment
// the rebuild or format ended as the event's time. Reads never write; they
// compute the same health from the same state (drive_health.h).
// Everything here runs inside a station transaction.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "station/station.h"

namespace tesk740 {

// One event. `kind` is one of the stable lower-case names of kEventKinds in
// events.cpp (the tool, the traps and the documentation use them); `object`
// names what the event concerns ("drive 0/3 of RAID group 2", "RAID group
// 2", "LU 5", "controller 1"), empty for the unit as a whole; `number` is
// the object's number (a drive's slot index port * 15 + row, a group's or an
// LU's number), -1 for none.
struct Event {
  const char* kind = "";
  std::string object;
  int64_t number = -1;
  int32_t category = 0;    // one KX_TRACE_ bit
  int32_t controller = -1;  // 0 or 1 for a controller's event
  std::string text;         // the trace's sentence
  int64_t time_ms = 0;      // 0: now
};

// Records the event; the single place every event passes. Returns its
// number.
int64_t RecordEvent(Database& database, int64_t unit_id, const Event& event);

// Whether an event kind is one of the documented ones.
bool IsEventKind(std::string_view kind);

// What events name: "drive 0/3", "drive 0/3 of RAID group 2", "RAID group
// 2", "LU 5".
std::string DriveObject(Database& database, int64_t unit_id, int port,
                        int row);
std::string GroupObject(int64_t rg_number);
std::string LuObject(int64_t lu_number);

// Compares the unit's drive, group and format health now with what its
// record last said, and records the difference: drives blocked, restored and
// rebuilt; groups degraded, failed and recovered; formats done, and formats
// failed because their group failed (such a format is stopped: its LU is
// left unformatted). Called by every write that names a unit before its
// change (model/registry.cpp) and by the writes that change health, after
// it.
void RecordHealthChanges(Database& database, int64_t unit_id);

// A format job was started on the LU: records format-started and makes the
// LU's latest format the running one.
void RecordFormatStarted(Database& database, int64_t unit_id,
                         int64_t lu_number, int32_t mode);

// The LUs whose latest format failed and that were not formatted since.
std::vector<int64_t> FailedFormats(Database& database, int64_t unit_id);

}  // namespace tesk740
