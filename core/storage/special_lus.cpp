// Unified LUs (a parent LU and children that hosts see as one LU), coupling
// pairs (a secondary LU that copies its primary), turbo LUs (one LU per
// controller kept in its cache) and pinned data (writes the cache cannot
// put on the drives while a member drive of the LU's group is out of
// service). The numbers mean what kx_station_special_lus.h says.
//
// Only the memberships, the pairs, the moments drives were blocked and the
// turbo settings are stored; capacities, states and pinned data are worked
// out from the LUs, format jobs and drives whenever they are read, so every
// answer agrees with the storage and status calls.
#include "storage/storage.h"

#include <iterator>
#include <algorithm>
#include <climits>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_special_lus.h"
#include "kx_station_maintenance.h"
#include "model/clock.h"
#include "model/events.h"
#include "model/drive_health.h"
#include "model/format_jobs.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

// Memberships and pairs hang on their LUs: an LU that goes takes them with
// it (the calls that delete or renumber LUs refuse members and pairs, so
// this only happens with the unit). A drive's block moment is kept until
// the drive is blocked again.
constexpr const char* kSpecialLuSteps[] = {
    R"sql(
      CREATE TABLE unified_lu_member (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        child_lu INTEGER NOT NULL,
        parent_lu INTEGER NOT NULL,
        position INTEGER NOT NULL,
        PRIMARY KEY (unit_id, child_lu),
        FOREIGN KEY (unit_id, child_lu)
          REFERENCES logical_unit(unit_id, lu_number)
          ON DELETE CASCADE ON UPDATE CASCADE,
        FOREIGN KEY (unit_id, parent_lu)
          REFERENCES logical_unit(unit_id, lu_number)
          ON DELETE CASCADE ON UPDATE CASCADE
      );
      CREATE TABLE lu_pair (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        primary_lu INTEGER NOT NULL,
        secondary_lu INTEGER NOT NULL,
        copy_start_ms INTEGER NOT NULL,
        copy_duration_ms INTEGER NOT NULL,
        PRIMARY KEY (unit_id, primary_lu),
        UNIQUE (unit_id, secondary_lu),
        FOREIGN KEY (unit_id, primary_lu)
          REFERENCES logical_unit(unit_id, lu_number)
          ON DELETE CASCADE ON UPDATE CASCADE,
        FOREIGN KEY (unit_id, secondary_lu)
          REFERENCES logical_unit(unit_id, lu_number)
          ON DELETE CASCADE ON UPDATE CASCADE
      );
      CREATE TABLE pin_event (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        port INTEGER NOT NULL,
        row INTEGER NOT NULL,
        since_s INTEGER NOT NULL,
        PRIMARY KEY (unit_id, port, row)
      );
    )sql",
    // 2: the ranges of LU numbers, positions and drive slots, enforced by
    // the database as well.
    KX_SQL_RANGE_TRIGGERS(
        "unified_lu_member",
        KX_SQL_INT_IN("child_lu", "0", "511") " AND "
        KX_SQL_INT_IN("parent_lu", "0", "511") " AND "
        KX_SQL_INT_IN("position", "1", "512"))
    KX_SQL_RANGE_TRIGGERS(
        "lu_pair",
        KX_SQL_INT_IN("primary_lu", "0", "511") " AND "
        KX_SQL_INT_IN("secondary_lu", "0", "511") " AND "
        KX_SQL_INT_IN("copy_duration_ms", "0", "9223372036854775807"))
    KX_SQL_RANGE_TRIGGERS("pin_event", KX_SQL_INT_IN("port", "0", "14") " AND "
                                           KX_SQL_INT_IN("row", "0", "14")),
    // 3: hosts reach a unified LU through its parent only, so no host may
    // reach an LU directly when it becomes a child.
    "CREATE TRIGGER unified_child_unreached BEFORE INSERT ON unified_lu_member"
    " BEGIN " KX_SQL_REFUSE_REACHED_LU("new.unit_id", "new.child_lu") " END;",
};
static_assert(KX_LOGICAL_UNIT_COUNT == 512,
              "step 2 writes the LU numbers' range as numbers");
constexpr ColumnRule kSpecialLuColumns[] = {
    IntegerColumn("unified_lu_member", "child_lu", 0, 511),
    IntegerColumn("unified_lu_member", "parent_lu", 0, 511),
    IntegerColumn("unified_lu_member", "position", 1, 512),
    IntegerColumn("lu_pair", "primary_lu", 0, 511),
    IntegerColumn("lu_pair", "secondary_lu", 0, 511),
    IntegerColumn("lu_pair", "copy_start_ms", 0, kAnyInteger),
    IntegerColumn("lu_pair", "copy_duration_ms", 0, kAnyInteger),
    IntegerColumn("pin_event", "port", 0, 14),
    IntegerColumn("pin_event", "row", 0, 14),
};

}  // namespace

const SchemaArea kSpecialLuSchema = {"special_lus", kSpecialLuSteps, std::size(kSpecialLuSteps),
                            kSpecialLuColumns, std::size(kSpecialLuColumns)};

namespace {

// The turbo settings of a unit, in the settings store: the record as
// KX_SetTurboLU accepted it, with only `option` and the reserve fields set.
constexpr char kTurboSetting[] = "turbo_lu";

constexpr int64_t kLastLu = KX_LOGICAL_UNIT_COUNT - 1;

struct Lu {
  int64_t number;
  int64_t rg;
  int64_t capacity_mb;
  int64_t level;
};

struct Pair {
  int64_t primary;
  int64_t secondary;
  int64_t start_ms;
  int64_t duration_ms;
};

// One consistent view of a unit's LUs and their roles.
struct Layout {
  std::map<int64_t, Lu> lus;
  std::map<int64_t, std::vector<int64_t>> children;  // parent: in join order
  std::map<int64_t, int64_t> parent_of;              // child: its parent
  std::vector<Pair> pairs;                           // by primary

  bool IsParent(int64_t lu) const { return children.count(lu) != 0; }
  bool IsChild(int64_t lu) const { return parent_of.count(lu) != 0; }
  bool IsMember(int64_t lu) const { return IsParent(lu) || IsChild(lu); }
  const Pair* PairOf(int64_t lu) const {
    for (const Pair& pair : pairs) {
      if (pair.primary == lu || pair.secondary == lu) return &pair;
    }
    return nullptr;
  }
  // The LU and, for a parent, its children.
  std::vector<int64_t> Members(int64_t lu) const {
    std::vector<int64_t> members{lu};
    const auto found = children.find(lu);
    if (found != children.end()) {
      members.insert(members.end(), found->second.begin(), found->second.end());
    }
    return members;
  }
  // What a host sees: a parent counts with its children.
  int64_t HostCapacityMb(int64_t lu) const {
    int64_t total = 0;
    for (int64_t member : Members(lu)) total += lus.at(member).capacity_mb;
    return total;
  }
};

Layout LoadLayout(Database& database, int64_t unit_id) {
  Layout layout;
  Statement lus = database.Prepare(
      "SELECT l.lu_number, l.rg_number, l.capacity_mb, g.level,"
      " g.rg_number IS NULL AS orphan"
      " FROM logical_unit l LEFT JOIN raid_group g"
      "   ON g.unit_id = l.unit_id AND g.rg_number = l.rg_number"
      " WHERE l.unit_id = ?1");
  lus.Bind(1, unit_id);
  while (lus.Step()) {
    // An LU whose RAID group is gone is damage, not an LU that is not there.
    if (lus.Int("orphan") != 0) Fail(KXE_STATION_DAMAGED);
    const int64_t number = lus.Int("lu_number");
    layout.lus[number] = {number, lus.Int("rg_number"),
                          lus.Int("capacity_mb"),
                          lus.Int("level")};
  }
  Statement members = database.Prepare(
      "SELECT child_lu, parent_lu FROM unified_lu_member WHERE unit_id = ?1"
      " ORDER BY parent_lu, position");
  members.Bind(1, unit_id);
  while (members.Step()) {
    const int64_t child = members.Int("child_lu");
    const int64_t parent = members.Int("parent_lu");
    if (!layout.lus.count(child) || !layout.lus.count(parent)) {
      Fail(KXE_STATION_DAMAGED);
    }
    layout.children[parent].push_back(child);
    layout.parent_of[child] = parent;
  }
  Statement pairs = database.Prepare(
      "SELECT primary_lu, secondary_lu, copy_start_ms, copy_duration_ms"
      " FROM lu_pair WHERE unit_id = ?1 ORDER BY primary_lu");
  pairs.Bind(1, unit_id);
  while (pairs.Step()) {
    const Pair pair{pairs.Int("primary_lu"),
                    pairs.Int("secondary_lu"),
                    pairs.Int("copy_start_ms"),
                    pairs.Int("copy_duration_ms")};
    if (!layout.lus.count(pair.primary) || !layout.lus.count(pair.secondary)) {
      Fail(KXE_STATION_DAMAGED);
    }
    layout.pairs.push_back(pair);
  }
  return layout;
}

// The RAID groups whose LUs hold pinned data, and since when.
struct Pins {
  std::set<int64_t> groups;
  std::optional<int64_t> oldest_s;  // unit clock
};

int64_t BlockedSinceSeconds(Database& database, int64_t unit_id, int port,
                            int row) {
  Statement select = database.Prepare(
      "SELECT since_s FROM pin_event"
      " WHERE unit_id = ?1 AND port = ?2 AND row = ?3");
  select.Bind(1, unit_id).Bind(2, port).Bind(3, row);
  // A drive blocked before the station kept block moments: from now.
  return select.Step() ? select.Int(0) : UnitClockSeconds(database, unit_id);
}

Pins LoadPins(Database& database, int64_t unit_id, const Layout& layout) {
  std::set<int64_t> groups_with_lus;
  for (const auto& entry : layout.lus) groups_with_lus.insert(entry.second.rg);
  const std::vector<RaidGroup> groups = LoadRaidGroups(database, unit_id);
  Pins pins;
  for (const auto& [slot, drive] :
       LoadDriveHealth(database, unit_id, groups, NowMs())) {
    if (drive.state != KX_PART_FAILED && drive.state != KX_PART_REBUILDING) {
      continue;
    }
    const int port = slot / KX_DRIVE_ROWS;
    const int row = slot % KX_DRIVE_ROWS;
    for (const RaidGroup& group : groups) {
      if (!group.Holds(port, row) || !groups_with_lus.count(group.number)) {
        continue;
      }
      pins.groups.insert(group.number);
      const int64_t since = BlockedSinceSeconds(database, unit_id, port, row);
      pins.oldest_s = pins.oldest_s ? std::min(*pins.oldest_s, since) : since;
    }
  }
  return pins;
}

int64_t PinnedMb(const Layout& layout, const Pins& pins, int64_t lu) {
  const Lu& found = layout.lus.at(lu);
  if (!pins.groups.count(found.rg)) return 0;
  return std::min<int64_t>(found.capacity_mb, KX_PIN_MB_PER_LU);
}

// The pinned data of the LU and, for a parent, of its children.
int64_t HostPinnedMb(const Layout& layout, const Pins& pins, int64_t lu) {
  int64_t total = 0;
  for (int64_t member : layout.Members(lu)) {
    total += PinnedMb(layout, pins, member);
  }
  return total;
}

int32_t ToInt32(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

// An LU number of a request: in the table's range, and defined.
void RequireLu(const Layout& layout, int64_t lu) {
  if (lu < 0 || lu > kLastLu) Fail(KXE_INVALID_ARGUMENT);
  if (!layout.lus.count(lu)) Fail(KXE_UNKNOWN_LU);
}

int32_t LuStatus(const std::map<int64_t, FormatProgress>& progress,
                 int64_t lu) {
  const auto found = progress.find(lu);
  switch (found == progress.end() ? KX_FORMAT_NONE : found->second.status) {
    case KX_FORMAT_RUNNING:
      return KX_LU_FORMATTING;
    case KX_FORMAT_DONE:
      return KX_LU_NORMAL;
    default:
      return KX_LU_UNFORMATTED;
  }
}

void Join(Database& database, int64_t unit_id, const Layout& layout,
          int64_t parent, int64_t child) {
  RequireLu(layout, parent);
  RequireLu(layout, child);
  if (parent == child) Fail(KXE_INVALID_ARGUMENT);
  if (layout.IsMember(child) || layout.IsChild(parent)) {
    Fail(KXE_UNIFIED_MEMBER);
  }
  if (layout.PairOf(parent) || layout.PairOf(child)) Fail(KXE_LU_PAIRED);
  if (layout.lus.at(parent).level != layout.lus.at(child).level) {
    Fail(KXE_RAID_LEVEL_MISMATCH);
  }
  RequireNotFormatting(database, unit_id, parent);
  RequireNotFormatting(database, unit_id, child);
  Statement insert = database.Prepare(
      "INSERT INTO unified_lu_member (unit_id, child_lu, parent_lu, position)"
      " VALUES (?1, ?2, ?3, (SELECT coalesce(max(position), 0) + 1"
      "   FROM unified_lu_member WHERE unit_id = ?1 AND parent_lu = ?3))");
  insert.Bind(1, unit_id).Bind(2, child).Bind(3, parent).Run();
}

void Split(Database& database, int64_t unit_id, const Layout& layout,
           int64_t parent) {
  RequireLu(layout, parent);
  if (!layout.IsParent(parent)) Fail(KXE_NOT_UNIFIED);
  if (layout.PairOf(parent)) Fail(KXE_LU_PAIRED);
  for (int64_t member : layout.Members(parent)) {
    RequireNotFormatting(database, unit_id, member);
  }
  Statement remove = database.Prepare(
      "DELETE FROM unified_lu_member WHERE unit_id = ?1 AND parent_lu = ?2");
  remove.Bind(1, unit_id).Bind(2, parent).Run();
}

void MakePair(Database& database, int64_t unit_id, const Layout& layout,
              int64_t primary, int64_t secondary) {
  RequireLu(layout, primary);
  RequireLu(layout, secondary);
  if (primary == secondary) Fail(KXE_INVALID_ARGUMENT);
  if (layout.IsChild(primary) || layout.IsChild(secondary)) {
    Fail(KXE_UNIFIED_MEMBER);
  }
  if (layout.PairOf(primary) || layout.PairOf(secondary)) Fail(KXE_LU_PAIRED);
  const int64_t capacity = layout.HostCapacityMb(primary);
  if (capacity != layout.HostCapacityMb(secondary)) {
    Fail(KXE_CAPACITY_MISMATCH);
  }
  for (int64_t lu : {primary, secondary}) {
    for (int64_t member : layout.Members(lu)) {
      RequireNotFormatting(database, unit_id, member);
    }
  }
  Statement insert = database.Prepare(
      "INSERT INTO lu_pair (unit_id, primary_lu, secondary_lu, copy_start_ms,"
      " copy_duration_ms) VALUES (?1, ?2, ?3, ?4, ?5)");
  insert.Bind(1, unit_id)
      .Bind(2, primary)
      .Bind(3, secondary)
      .Bind(4, NowMs())
      .Bind(5, WorkDurationMs(capacity))
      .Run();
}

void DeletePair(Database& database, int64_t unit_id, const Layout& layout,
                int64_t primary) {
  RequireLu(layout, primary);
  const Pair* pair = layout.PairOf(primary);
  if (pair == nullptr || pair->primary != primary) Fail(KXE_NOT_PAIRED);
  Statement remove = database.Prepare(
      "DELETE FROM lu_pair WHERE unit_id = ?1 AND primary_lu = ?2");
  remove.Bind(1, unit_id).Bind(2, primary).Run();
}

TurboLuRecord UnassignedTurbo() {
  TurboLuRecord turbo{};
  turbo.option = KX_TURBO_OFF;
  for (TurboLuInfoRecord& entry : turbo.ctl) {
    entry.current_lun = KX_UNUSED_ENTRY;
    entry.reserve_assign = KX_TURBO_UNASSIGNED;
    entry.reserve_lun = KX_UNUSED_ENTRY;
  }
  return turbo;
}

TurboLuRecord LoadTurbo(Database& database, int64_t unit_id) {
  // As KX_SetTurboLu stores it: the switch, and per controller no LU or
  // one LU number.
  return LoadSetting(
      database, unit_id, kTurboSetting, UnassignedTurbo(),
      [](const TurboLuRecord& stored) {
        if (stored.option != KX_TURBO_OFF && stored.option != KX_TURBO_ON) {
          Fail(KXE_INVALID_ARGUMENT);
        }
        for (const TurboLuInfoRecord& entry : stored.ctl) {
          const bool assigned = entry.reserve_assign == KX_TURBO_ASSIGNED;
          if ((!assigned && (entry.reserve_assign != KX_TURBO_UNASSIGNED ||
                             entry.reserve_lun != KX_UNUSED_ENTRY)) ||
              (assigned &&
               (entry.reserve_lun < 0 || entry.reserve_lun > kLastLu))) {
            Fail(KXE_INVALID_ARGUMENT);
          }
        }
      });
}

// Whether the LU can be kept in a controller's cache now.
bool FitsTurboCache(const Layout& layout, int64_t lu) {
  return layout.lus.count(lu) != 0 && !layout.IsChild(lu) &&
         layout.HostCapacityMb(lu) <= KX_TURBO_CACHE_MB;
}

}  // namespace

void RequireFreeStandingLu(Database& database, int64_t unit_id,
                           int64_t lu_number) {
  Statement unified = database.Prepare(
      "SELECT EXISTS (SELECT 1 FROM unified_lu_member WHERE unit_id = ?1"
      "   AND (child_lu = ?2 OR parent_lu = ?2)),"
      " EXISTS (SELECT 1 FROM lu_pair WHERE unit_id = ?1"
      "   AND (primary_lu = ?2 OR secondary_lu = ?2))");
  unified.Bind(1, unit_id).Bind(2, lu_number);
  unified.Step();
  if (unified.Int(0) != 0) Fail(KXE_UNIFIED_MEMBER);
  if (unified.Int(1) != 0) Fail(KXE_LU_PAIRED);
}

void RequireWholeUnifiedLus(Database& database, int64_t unit_id,
                            const std::vector<int64_t>& lu_numbers) {
  const std::set<int64_t> listed(lu_numbers.begin(), lu_numbers.end());
  const Layout layout = LoadLayout(database, unit_id);
  for (int64_t lu : listed) {
    const auto parent = layout.parent_of.find(lu);
    const int64_t head = parent != layout.parent_of.end() ? parent->second : lu;
    if (!layout.IsParent(head)) continue;
    for (int64_t member : layout.Members(head)) {
      if (!listed.count(member)) Fail(KXE_UNIFIED_MEMBER);
    }
  }
}

void RequireNotUnifiedChild(Database& database, int64_t unit_id,
                            int64_t lu_number) {
  Statement child = database.Prepare(
      "SELECT 1 FROM unified_lu_member WHERE unit_id = ?1 AND child_lu = ?2");
  child.Bind(1, unit_id).Bind(2, lu_number);
  if (child.Step()) Fail(KXE_UNIFIED_MEMBER);
}

// Unified and turbo LU changes are configuration events of the unit.
void RecordSpecialLuEvent(Database& database, int64_t unit_id,
                          const char* text) {
  Event event;
  event.kind = "special-lu-changed";
  event.category = KX_TRACE_CONFIGURATION;
  event.text = text;
  RecordEvent(database, unit_id, event);
}

void NoteDriveBlocked(Database& database, int64_t unit_id, int port, int row) {
  Statement note = database.Prepare(
      "INSERT OR REPLACE INTO pin_event (unit_id, port, row, since_s)"
      " VALUES (?1, ?2, ?3, ?4)");
  note.Bind(1, unit_id)
      .Bind(2, port)
      .Bind(3, row)
      .Bind(4, UnitClockSeconds(database, unit_id))
      .Run();
}

}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;

KX_API int32_t KX_SetIntegrationLU(const char* unit,
                                   const UnifiedLuRequestRecord* request) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordSpecialLuEvent(database, unit_id, "unified LU set");
    if (request == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    switch (request->operation) {
      case KX_UNIFY_JOIN:
        tesk740::Join(database, unit_id, layout, request->parent_lun,
                      request->child_lun);
        return KX_OK;
      case KX_UNIFY_SPLIT:
        tesk740::Split(database, unit_id, layout, request->parent_lun);
        return KX_OK;
      case KX_PAIR_CREATE:
        tesk740::MakePair(database, unit_id, layout, request->parent_lun,
                          request->child_lun);
        return KX_OK;
      case KX_PAIR_DELETE:
        tesk740::DeletePair(database, unit_id, layout, request->parent_lun);
        return KX_OK;
      default:
        return KXE_INVALID_ARGUMENT;
    }
  });
}

KX_API int32_t KX_IntegrationLUInfo(const char* unit,
                                    IntegrationLUInfoRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    const std::map<int64_t, tesk740::FormatProgress> progress =
        tesk740::UnitFormatProgress(database, unit_id, tesk740::NowMs());
    auto info = std::make_unique<IntegrationLUInfoRecord>();
    std::memset(info.get(), 0, sizeof *info);
    info->integration_lu = static_cast<int32_t>(layout.children.size());
    for (int64_t lu = 0; lu < KX_LOGICAL_UNIT_COUNT; ++lu) {
      UniteLURecord& entry = info->unite_info[lu];
      std::fill(std::begin(entry.child_lun), std::end(entry.child_lun),
                KX_UNUSED_ENTRY);
      if (!layout.lus.count(lu)) {
        entry.unite_info = KX_UNITE_NO_LU;
        continue;
      }
      entry.unite_info = layout.IsParent(lu)  ? KX_UNITE_PARENT
                         : layout.IsChild(lu) ? KX_UNITE_CHILD
                                              : KX_UNITE_SINGLE;
      // A parent stands for the whole unified LU.
      const std::vector<int64_t> members =
          layout.IsParent(lu) ? layout.Members(lu) : std::vector<int64_t>{lu};
      bool formatting = false;
      bool unformatted = false;
      for (int64_t member : members) {
        const int32_t status = tesk740::LuStatus(progress, member);
        formatting = formatting || status == KX_LU_FORMATTING;
        unformatted = unformatted || status == KX_LU_UNFORMATTED;
      }
      entry.status = formatting    ? KX_LU_FORMATTING
                     : unformatted ? KX_LU_UNFORMATTED
                                   : KX_LU_NORMAL;
      int64_t capacity = 0;
      for (int64_t member : members) {
        capacity += layout.lus.at(member).capacity_mb;
      }
      entry.capacity = tesk740::ToInt32(capacity);
      entry.child_lu_count = static_cast<int32_t>(members.size() - 1);
      for (size_t i = 1; i < members.size(); ++i) {
        entry.child_lun[i - 1] = static_cast<int32_t>(members[i]);
      }
    }
    std::memcpy(record, info.get(), sizeof *info);
    return KX_OK;
  });
}

KX_API int32_t KX_GetCouplingInfo(const char* unit,
                                  CouplingInfoRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    const tesk740::Pins pins = tesk740::LoadPins(database, unit_id, layout);
    const int64_t now = tesk740::NowMs();
    auto info = std::make_unique<CouplingInfoRecord>();
    std::memset(info.get(), 0, sizeof *info);
    for (CouplingLURecord& entry : info->coupling) {
      entry.primary_lu = KX_UNUSED_ENTRY;
      entry.second_lu = KX_UNUSED_ENTRY;
    }
    size_t index = 0;
    for (const tesk740::Pair& pair : layout.pairs) {
      int32_t state = KX_PAIR_SYNCHRONIZED;
      if (tesk740::HostPinnedMb(layout, pins, pair.primary) != 0 ||
          tesk740::HostPinnedMb(layout, pins, pair.secondary) != 0) {
        state = KX_PAIR_SUSPENDED;
      } else if (tesk740::ProgressOf(pair.start_ms, pair.duration_ms, now)
                     .status == KX_FORMAT_RUNNING) {
        state = KX_PAIR_COPYING;
        ++info->quel_lite;
      }
      CouplingLURecord& entry = info->coupling[index++];
      entry.primary_stat = state;
      entry.second_stat = state;
      entry.primary_lu = static_cast<int32_t>(pair.primary);
      entry.second_lu = static_cast<int32_t>(pair.secondary);
    }
    info->coupling_num = static_cast<int32_t>(index);
    std::memcpy(record, info.get(), sizeof *info);
    return KX_OK;
  });
}

KX_API int32_t KX_GetTurboLU(const char* unit, TurboLuRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    TurboLuRecord turbo = tesk740::LoadTurbo(database, unit_id);
    for (TurboLuInfoRecord& entry : turbo.ctl) {
      entry.current_status = KX_TURBO_NONE;
      entry.current_assign = KX_TURBO_UNASSIGNED;
      entry.current_lun = KX_UNUSED_ENTRY;
      if (entry.reserve_assign != KX_TURBO_ASSIGNED) continue;
      if (!tesk740::FitsTurboCache(layout, entry.reserve_lun)) {
        entry.current_status = KX_TURBO_SUSPENDED;
        continue;
      }
      entry.current_status = KX_TURBO_RESIDENT;
      entry.current_assign = KX_TURBO_ASSIGNED;
      entry.current_lun = entry.reserve_lun;
    }
    *record = turbo;
    return KX_OK;
  });
}

KX_API int32_t KX_SetTurboLU(const char* unit, const TurboLuRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordSpecialLuEvent(database, unit_id, "turbo LU set");
    if (record == nullptr ||
        (record->option != KX_TURBO_OFF && record->option != KX_TURBO_ON)) {
      return KXE_INVALID_ARGUMENT;
    }
    TurboLuRecord turbo = tesk740::UnassignedTurbo();
    if (record->option == KX_TURBO_ON) {
      const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
      turbo.option = KX_TURBO_ON;
      for (size_t n = 0; n < kTurboControllerCapacity; ++n) {
        const TurboLuInfoRecord& asked = record->ctl[n];
        if (asked.reserve_assign == KX_TURBO_UNASSIGNED) continue;
        if (asked.reserve_assign != KX_TURBO_ASSIGNED) {
          return KXE_INVALID_ARGUMENT;
        }
        tesk740::RequireLu(layout, asked.reserve_lun);
        if (layout.IsChild(asked.reserve_lun)) return KXE_UNIFIED_MEMBER;
        if (layout.HostCapacityMb(asked.reserve_lun) > KX_TURBO_CACHE_MB) {
          return KXE_TURBO_CACHE_EXCEEDED;
        }
        turbo.ctl[n].reserve_assign = KX_TURBO_ASSIGNED;
        turbo.ctl[n].reserve_lun = asked.reserve_lun;
      }
      if (turbo.ctl[0].reserve_assign == KX_TURBO_ASSIGNED &&
          turbo.ctl[1].reserve_assign == KX_TURBO_ASSIGNED &&
          turbo.ctl[0].reserve_lun == turbo.ctl[1].reserve_lun) {
        return KXE_INVALID_ARGUMENT;
      }
    }
    tesk740::StoreSetting(database, unit_id, tesk740::kTurboSetting, turbo);
    return KX_OK;
  });
}

KX_API int32_t KX_GetPinInfo(const char* unit, int32_t lu_number,
                             int32_t* value) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (value == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    tesk740::RequireLu(layout, lu_number);
    const tesk740::Pins pins = tesk740::LoadPins(database, unit_id, layout);
    *value = static_cast<int32_t>(tesk740::PinnedMb(layout, pins, lu_number));
    return KX_OK;
  });
}

KX_API int32_t KX_GetPinInfo2(const char* unit, int32_t* pin_list) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (pin_list == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    const tesk740::Pins pins = tesk740::LoadPins(database, unit_id, layout);
    std::vector<int32_t> list(KX_LOGICAL_UNIT_COUNT, KX_UNUSED_ENTRY);
    for (const auto& entry : layout.lus) {
      list[entry.first] =
          static_cast<int32_t>(tesk740::PinnedMb(layout, pins, entry.first));
    }
    std::memcpy(pin_list, list.data(), list.size() * sizeof list[0]);
    return KX_OK;
  });
}

KX_API int32_t KX_GetPinInfoGetTime(const char* unit, int32_t part,
                                    int32_t* value) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (value == nullptr ||
        (part != KX_PIN_TIME_DATE && part != KX_PIN_TIME_OF_DAY)) {
      return KXE_INVALID_ARGUMENT;
    }
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    const tesk740::Pins pins = tesk740::LoadPins(database, unit_id, layout);
    if (!pins.oldest_s) {
      *value = 0;
      return KX_OK;
    }
    const std::tm moment = tesk740::LocalTime(*pins.oldest_s);
    *value = part == KX_PIN_TIME_DATE
                 ? (moment.tm_year + 1900) * 10000 + (moment.tm_mon + 1) * 100 +
                       moment.tm_mday
                 : moment.tm_hour * 10000 + moment.tm_min * 100 + moment.tm_sec;
    return KX_OK;
  });
}

KX_API int32_t KX_GetIntegrationPinInfo(const char* unit,
                                        PINInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::Layout layout = tesk740::LoadLayout(database, unit_id);
    const tesk740::Pins pins = tesk740::LoadPins(database, unit_id, layout);
    PINInformationRecord information{};
    std::fill(std::begin(information.single_lu),
              std::end(information.single_lu), KX_UNUSED_ENTRY);
    std::fill(std::begin(information.unite_lu), std::end(information.unite_lu),
              KX_UNUSED_ENTRY);
    for (const auto& entry : layout.lus) {
      information.single_lu[entry.first] =
          static_cast<int32_t>(tesk740::PinnedMb(layout, pins, entry.first));
    }
    for (const auto& entry : layout.children) {
      const int64_t pinned = tesk740::HostPinnedMb(layout, pins, entry.first);
      information.unite_lu[entry.first] = tesk740::ToInt32(pinned);
      if (pinned != 0) ++information.unite_option;
    }
    std::memcpy(record, &information, sizeof information);
    return KX_OK;
  });
}
