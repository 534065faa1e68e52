// KX_AlertCheck: a unit's alerts from the simulated array (blocked and
// rebuilding drives, RAID groups without their redundancy or lost, formats
// that failed because their group was lost), with the alerts already
// reported remembered per unit so that new ones, and ended ones, stand out.
// The drive and group alerts are the health the event record is written from
// (model/drive_health.h); failed formats are what the record last said of
// each LU (model/events.h), so alerts and events agree.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_services.h"
#include "model/clock.h"
#include "model/drive_health.h"
#include "model/events.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "services/services.h"

namespace tesk740 {
namespace {

struct Alerts {
  // Each alert by a key naming what it is about ("drive-blocked 0/3"), with
  // its kind.
  std::map<std::string, int32_t> items;
  int32_t Kinds() const {
    int32_t kinds = 0;
    for (const auto& [key, kind] : items) kinds |= kind;
    return kinds;
  }
};

Alerts CurrentAlerts(Database& database, int64_t unit_id) {
  Alerts alerts;
  const std::vector<RaidGroup> groups = LoadRaidGroups(database, unit_id);
  const std::map<int, DriveHealth> health =
      LoadDriveHealth(database, unit_id, groups, NowMs());
  for (const auto& [slot, drive] : health) {
    if (slot < 0 || slot >= KX_DRIVE_SLOTS) Fail(KXE_STATION_DAMAGED);
    const std::string where = std::to_string(slot / KX_DRIVE_ROWS) + "/" +
                              std::to_string(slot % KX_DRIVE_ROWS);
    if (drive.state == KX_PART_FAILED) {
      alerts.items["drive " + where + " blocked"] = KX_ALERT_DRIVE_BLOCKED;
    } else if (drive.state == KX_PART_REBUILDING) {
      alerts.items["drive " + where + " rebuilding"] = KX_ALERT_DRIVE_REBUILDING;
    }
  }
  for (const RaidGroup& group : groups) {
    const GroupHealth group_health = GroupHealthOf(group, health);
    if (group_health.Lost() == 0) continue;
    const std::string name = GroupObject(group.number);
    if (group_health.state == GroupState::kFailed) {
      alerts.items[name + " failed"] = KX_ALERT_GROUP_FAILED;
    } else {
      alerts.items[name + " degraded"] = KX_ALERT_GROUP_DEGRADED;
    }
  }
  for (int64_t lu : FailedFormats(database, unit_id)) {
    alerts.items["format of " + LuObject(lu) + " failed"] =
        KX_ALERT_FORMAT_FAILED;
  }
  return alerts;
}

// The kind of an item as CurrentAlerts names it, to tell what a check
// remembered and no longer finds; 0 for a name it does not give.
int32_t KindOfItem(const std::string& item) {
  auto ends_with = [&](std::string_view end) {
    return item.size() > end.size() &&
           item.compare(item.size() - end.size(), end.size(), end) == 0;
  };
  if (item.rfind("drive ", 0) == 0) {
    if (ends_with(" blocked")) return KX_ALERT_DRIVE_BLOCKED;
    if (ends_with(" rebuilding")) return KX_ALERT_DRIVE_REBUILDING;
  } else if (item.rfind("RAID group ", 0) == 0) {
    if (ends_with(" degraded")) return KX_ALERT_GROUP_DEGRADED;
    if (ends_with(" failed")) return KX_ALERT_GROUP_FAILED;
  } else if (item.rfind("format of ", 0) == 0 && ends_with(" failed")) {
    return KX_ALERT_FORMAT_FAILED;
  }
  return 0;
}

// The items for the program's environment, "; " between them, within what
// the record's column holds (kAlertItemsBytes): whole items, then "; ..."
// for those left out.
constexpr size_t kAlertItemsBytes = 4096;
constexpr std::string_view kMoreItems = "; ...";

std::string JoinItems(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) {
    const size_t added = (joined.empty() ? 0 : 2) + item.size();
    if (joined.size() + added + kMoreItems.size() > kAlertItemsBytes) {
      joined += joined.empty() ? kMoreItems.substr(2) : kMoreItems;
      break;
    }
    if (!joined.empty()) joined += "; ";
    joined += item;
  }
  return joined;
}

}  // namespace

AlertEvent LoadLatestAlert(Database& database) {
  AlertEvent event;
  Statement select = database.Prepare(
      "SELECT unit_name, time_ms, value, details, cleared"
      " FROM service_alert_event"
      " WHERE event_id = 1");
  if (select.Step()) {
    event.unit = select.Text(0);
    event.time_ms = select.Int(1);
    const int64_t value = select.Int(2);
    if (value < INT32_MIN || value > INT32_MAX) Fail(KXE_STATION_DAMAGED);
    event.value = static_cast<int32_t>(value);
    event.details = select.Text(3);
    event.cleared = select.Text(4);
  }
  return event;
}

}  // namespace tesk740

using namespace tesk740;

KX_API int32_t KX_AlertCheck(const char* unit, int32_t mode, int32_t* value) {
  if (value == nullptr) return KXE_INVALID_ARGUMENT;
  if (mode != KX_ALERT_CHECK && mode != KX_ALERT_PEEK) {
    return KXE_INVALID_ARGUMENT;
  }
  int32_t result = 0;
  auto work = [&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    const Alerts alerts = CurrentAlerts(database, unit_id);
    std::set<std::string> seen;
    Statement select = database.Prepare(
        "SELECT item FROM service_alert_seen WHERE unit_id = ?1");
    select.Bind(1, unit_id);
    while (select.Step()) seen.insert(select.Text(0));
    int32_t fresh = 0;
    std::vector<std::string> present;
    for (const auto& [key, kind] : alerts.items) {
      present.push_back(key);
      if (seen.count(key) == 0) fresh |= kind;
    }
    // What an earlier check reported and is gone now has ended: reported
    // once, by the check that first finds it gone.
    int32_t cleared = 0;
    std::vector<std::string> ended;
    for (const std::string& key : seen) {
      if (alerts.items.count(key) != 0) continue;
      cleared |= KindOfItem(key);
      ended.push_back(key);
    }
    result = alerts.Kinds() | (fresh << KX_ALERT_NEW_SHIFT) |
             (cleared << KX_ALERT_CLEARED_SHIFT);
    if (mode == KX_ALERT_PEEK) return KX_OK;
    // What is reported now is what the next check compares with; an alert
    // that cleared and comes back is new again.
    Statement erase =
        database.Prepare("DELETE FROM service_alert_seen WHERE unit_id = ?1");
    erase.Bind(1, unit_id).Run();
    Statement insert = database.Prepare(
        "INSERT INTO service_alert_seen (unit_id, item) VALUES (?1, ?2)");
    for (const auto& [key, kind] : alerts.items) {
      insert.Reset();
      insert.Bind(1, unit_id).Bind(2, key).Run();
    }
    if (fresh != 0 || !ended.empty()) {
      std::string name;
      ReadUnitName(unit, kUnitNameSize, &name);
      Statement event = database.Prepare(
          "INSERT INTO service_alert_event (event_id, unit_name, time_ms,"
          " value, details, cleared) VALUES (1, ?1, ?2, ?3, ?4, ?5)"
          " ON CONFLICT (event_id) DO UPDATE SET"
          " unit_name = excluded.unit_name, time_ms = excluded.time_ms,"
          " value = excluded.value,"
          " details = excluded.details, cleared = excluded.cleared");
      event.Bind(1, name)
          .Bind(2, NowMs())
          .Bind(3, result)
          .Bind(4, JoinItems(present))
          .Bind(5, JoinItems(ended))
          .Run();
    }
    return KX_OK;
  };
  const int32_t code = mode == KX_ALERT_PEEK ? Station::Get().Read(work)
                                             : Station::Get().Write(work);
  if (code == KX_OK) *value = result;
  return code;
}
