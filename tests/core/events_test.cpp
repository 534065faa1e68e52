// The event record: every change is recorded once, with its kind and object,
// in its own transaction; rebuilds and formats that end with the station's
// clock are recorded when the station next writes, dated when they ended;
// the alerts, the trace and the statistics' error counters agree with it.
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "array_test_support.h"
#include "kx_station_maintenance.h"
#include "kx_station_services.h"
#include "kx_station_statistics.h"

namespace core_test {
namespace {

struct RecordedEvent {
  std::string kind;
  std::string object;
  int64_t time_ms;
  std::string text;
};

inline void SetEnvironment(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  if (value.empty()) {
    unsetenv(name);
  } else {
    setenv(name, value.c_str(), 1);
  }
#endif
}

class EventsTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    clock_file_ = directory_ / "clock";
    SetClock(kStart);
    SetEnvironment("KX_CLOCK_FILE", clock_file_.string());
    // 1 GB takes 100 s to rebuild or fully format, 10 s to quick-format.
    SetFormatSecondsPerGb("100");
  }
  void TearDown() override {
    SetEnvironment("KX_CLOCK_FILE", "");
    ArrayTest::TearDown();
  }
  // The station's clock stands at `ms` since the epoch.
  void SetClock(int64_t ms) { std::ofstream(clock_file_) << ms << "\n"; }

  // The unit's events after `after`, oldest first, read from the station
  // file as another program would.
  std::vector<RecordedEvent> Events(int64_t after = 0) {
    sqlite3* db = nullptr;
    std::vector<RecordedEvent> events;
    EXPECT_EQ(sqlite3_open_v2((directory_ / "station.db").string().c_str(), &db,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* select = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT kind, object, time_ms, text FROM"
                                 " station_event WHERE event_id > ?1"
                                 " ORDER BY event_id",
                                 -1, &select, nullptr),
              SQLITE_OK);
    sqlite3_bind_int64(select, 1, after);
    while (sqlite3_step(select) == SQLITE_ROW) {
      auto text = [&](int column) {
        return std::string(
            reinterpret_cast<const char*>(sqlite3_column_text(select, column)));
      };
      events.push_back(
          {text(0), text(1), sqlite3_column_int64(select, 2), text(3)});
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    return events;
  }
  int64_t LastEventId() {
    sqlite3* db = nullptr;
    sqlite3_open_v2((directory_ / "station.db").string().c_str(), &db,
                    SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT coalesce(max(event_id), 0) FROM station_event",
                       -1, &select, nullptr);
    sqlite3_step(select);
    const int64_t id = sqlite3_column_int64(select, 0);
    sqlite3_finalize(select);
    sqlite3_close(db);
    return id;
  }
  static std::vector<std::string> Kinds(
      const std::vector<RecordedEvent>& events) {
    std::vector<std::string> kinds;
    for (const RecordedEvent& event : events) kinds.push_back(event.kind);
    return kinds;
  }
  int32_t Alerts(int32_t mode) {
    int32_t value = -1;
    EXPECT_EQ(KX_AlertCheck(kUnit, mode, &value), KX_OK);
    return value;
  }
  std::string Trace(int32_t categories) {
    std::vector<char> text(kTraceTextSize);
    EXPECT_EQ(KX_GetTraceText(kUnit, categories, 0, 0, text.data()), KX_OK);
    return text.data();
  }

  static constexpr int64_t kStart = INT64_C(1893456000000);  // 2030-01-01
  std::filesystem::path clock_file_;
};

TEST_F(EventsTest, ConfigurationChangesAreRecordedOnceWithKindAndObject) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  RaidGroupRecord deeper = RaidGroups()[0];
  deeper.depth = 2;
  ASSERT_EQ(KX_RaidGroupExpand(kUnit, &deeper), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  // Refused changes leave nothing behind.
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KXE_DUPLICATE_LU);
  ASSERT_EQ(KX_RaidGroupDelete(kUnit, 0), KXE_RAID_GROUP_IN_USE);
  ASSERT_EQ(KX_ChangeMappingMode(kUnit, 1), KX_OK);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_QUICK), KX_OK);

  const std::vector<RecordedEvent> events = Events();
  EXPECT_EQ(Kinds(events),
            (std::vector<std::string>{"group-created", "group-expanded",
                                      "lu-created", "host-mapping-changed",
                                      "format-started"}));
  EXPECT_EQ(events[0].object, "RAID group 0");
  EXPECT_EQ(events[2].object, "LU 0");
  EXPECT_EQ(events[4].object, "LU 0");
  for (const RecordedEvent& event : events) EXPECT_EQ(event.time_ms, kStart);

  // An expansion is no creation in the trace.
  const std::string configuration = Trace(KX_TRACE_CONFIGURATION);
  EXPECT_NE(configuration.find("RAID group 0 expanded: 3 x 2 drives"),
            std::string::npos)
      << configuration;
  EXPECT_EQ(configuration.find("created: level 5, 3 x 2"), std::string::npos);
  EXPECT_NE(configuration.find("LU mapping mode changed"), std::string::npos);
}

TEST_F(EventsTest, RebuildsAndFormatsThatEndAreRecordedAtTheNextWrite) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_QUICK), KX_OK);  // 10 s
  const int64_t before = LastEventId();

  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  std::vector<RecordedEvent> events = Events(before);
  ASSERT_EQ(Kinds(events),
            (std::vector<std::string>{"drive-blocked", "group-degraded"}));
  EXPECT_EQ(events[0].object, "drive 0/0 of RAID group 0");
  EXPECT_EQ(events[1].object, "RAID group 0");

  SetClock(kStart + 1000);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  EXPECT_EQ(Kinds(Events(before)).back(), "drive-restored");
  const int64_t restored = LastEventId();
  const int64_t rebuild_ms =
      std::llround(static_cast<double>(kSmallDriveMb) / 1024.0 * 100 * 1000);

  // Time alone ends the format and the rebuild; reads see it and record
  // nothing.
  SetClock(kStart + 1000 + rebuild_ms + 5000);
  EXPECT_EQ(Alerts(KX_ALERT_PEEK) & 0xFF, 0);
  EXPECT_TRUE(Events(restored).empty());

  // The next write records both, dated when they ended, before its own.
  EXPECT_EQ(Alerts(KX_ALERT_CHECK) & 0xFF, 0);
  events = Events(restored);
  ASSERT_EQ(Kinds(events), (std::vector<std::string>{"format-done",
                                                     "drive-rebuilt",
                                                     "group-recovered"}));
  EXPECT_EQ(events[0].time_ms, kStart + 10000);
  EXPECT_EQ(events[1].time_ms, kStart + 1000 + rebuild_ms);
  EXPECT_EQ(events[2].time_ms, kStart + 1000 + rebuild_ms);
  EXPECT_NE(Trace(KX_TRACE_DRIVES).find("drive at port 0 row 0 rebuilt"),
            std::string::npos);
  // Recorded once: another write finds nothing new.
  EXPECT_EQ(Alerts(KX_ALERT_CHECK), 0);
  EXPECT_EQ(Events(restored).size(), 3u);
}

TEST_F(EventsTest, AFormatFailsOnlyWhenItsGroupFailsWhileItRuns) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_1, 0, 1, 2, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(1, 1, 1024)), KX_OK);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_QUICK), KX_OK);
  SetClock(kStart + 60000);  // LU 0 formatted
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_FULL), KX_OK);  // 100 s

  // Group 0 loses its data after its LU formatted fine: no format failed.
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  EXPECT_EQ(Alerts(KX_ALERT_PEEK) & 0xFF,
            KX_ALERT_DRIVE_BLOCKED | KX_ALERT_GROUP_FAILED);
  EXPECT_EQ(LogicalUnits()[0].status, KX_LU_NORMAL);

  // Group 1 fails while LU 1 formats: that format fails and stops.
  const int64_t before = LastEventId();
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 1, KX_DRIVE_MODE_BLOCK), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 1, KX_DRIVE_MODE_BLOCK), KX_OK);
  EXPECT_EQ(Alerts(KX_ALERT_PEEK) & 0xFF, KX_ALERT_DRIVE_BLOCKED |
                                              KX_ALERT_GROUP_FAILED |
                                              KX_ALERT_FORMAT_FAILED);
  EXPECT_EQ(LogicalUnits()[1].status, KX_LU_UNFORMATTED);
  const std::vector<RecordedEvent> events = Events(before);
  ASSERT_EQ(Kinds(events),
            (std::vector<std::string>{"drive-blocked", "group-degraded",
                                      "drive-blocked", "format-failed",
                                      "group-failed"}));
  EXPECT_EQ(events[3].object, "LU 1");
  // Much later the format would have ended: it stays failed.
  SetClock(kStart + 600000);
  EXPECT_EQ(Alerts(KX_ALERT_CHECK) & KX_ALERT_FORMAT_FAILED,
            KX_ALERT_FORMAT_FAILED);

  // A new format clears the alert.
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_QUICK), KX_OK);
  EXPECT_EQ(Alerts(KX_ALERT_PEEK) & KX_ALERT_FORMAT_FAILED, 0);
}

TEST_F(EventsTest, ADriveBlockedAndReturnedBetweenTwoReadsStillCounts) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  auto counted = [](int port, int row) {
    auto stats = std::make_unique<StatisticalInformationRecord>();
    EXPECT_EQ(
        KX_GetStatisticalInformation(kUnit, KX_STATS_CUMULATIVE, stats.get()),
        KX_OK);
    return std::make_pair(stats->drive[0].drive[port][row].d_drive_urec,
                          stats->drive[1].drive[port][row].d_drive_urec);
  };
  EXPECT_EQ(counted(0, 0), std::make_pair(0, 0));
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  EXPECT_EQ(counted(0, 0), std::make_pair(2, 2));
  // Counted once: a later read adds nothing.
  SetClock(kStart + 5000);
  EXPECT_EQ(counted(0, 0), std::make_pair(2, 2));
}

}  // namespace
}  // namespace core_test
