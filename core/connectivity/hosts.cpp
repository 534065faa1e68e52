// Host groups, host WWNs, host-group and port options, and LU mapping.
// Every port has host group 0, its default group, from the start; its row
// is written the first time anything of the unit's host groups changes.
// Each operation is one transaction, so a refusal part-way leaves nothing.
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_connectivity.h"
#include "model/registry.h"
#include "station/fixed_text.h"
#include "station/settings.h"
#include "storage/storage.h"

namespace tesk740 {
namespace {

constexpr char kDefaultGroupName[] = "default";
constexpr char kMappingModeSetting[] = "connectivity.mapping_mode";
constexpr char kPortOptionSetting[] = "connectivity.port_options";

// What KX_SetPortOption accepts: per port a LIP mode of 0 or 1 and options
// within the mask.
void CheckPortOption(const PortOptionRecord& record) {
  for (const PortOptionCtlInfoRecord& controller : record.ctl) {
    for (int p = 0; p < KX_HOST_PORTS; ++p) {
      if ((controller.lip_mode[p] != 0 && controller.lip_mode[p] != 1) ||
          controller.port_common_opt[p] < 0 ||
          controller.port_common_opt[p] > KX_PORT_OPTION_MASK) {
        Fail(KXE_INVALID_ARGUMENT);
      }
    }
  }
}
constexpr int32_t kControllerFlags = 0x3;  // bit n for controller n

struct HostGroup {
  std::string name;
  int32_t option = 0;
  int32_t option2[2] = {0, 0};
  int32_t option3 = 0;
};
using PortGroups = std::map<int, HostGroup>;

PortGroups LoadGroups(Database& database, int64_t unit_id, int controller,
                      int port) {
  Statement select = database.Prepare(
      "SELECT hg, name, option1, option2a, option2b, option3"
      " FROM conn_host_group WHERE unit_id = ?1 AND controller = ?2"
      " AND port = ?3");
  select.Bind(1, unit_id).Bind(2, controller).Bind(3, port);
  PortGroups groups;
  while (select.Step()) {
    const int64_t hg = select.Int(0);
    HostGroup& group = groups[static_cast<int>(hg)];
    group.name = select.Text(1);
    group.option = static_cast<int32_t>(select.Int(2));
    group.option2[0] = static_cast<int32_t>(select.Int(3));
    group.option2[1] = static_cast<int32_t>(select.Int(4));
    group.option3 = static_cast<int32_t>(select.Int(5));
  }
  if (groups.count(KX_DEFAULT_HOST_GROUP) == 0) {
    groups[KX_DEFAULT_HOST_GROUP].name = kDefaultGroupName;
  }
  return groups;
}

void EnsureDefaultGroups(Database& database, int64_t unit_id) {
  Statement insert = database.Prepare(
      "INSERT OR IGNORE INTO conn_host_group (unit_id, controller, port, hg,"
      " name) VALUES (?1, ?2, ?3, 0, ?4)");
  for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
    for (int p = 0; p < KX_HOST_PORTS; ++p) {
      insert.Bind(1, unit_id).Bind(2, c).Bind(3, p).Bind(4, kDefaultGroupName);
      insert.Run();
      insert.Reset();
    }
  }
}

void RequireGroup(const PortGroups& groups, int64_t hg) {
  if (hg < 0 || hg >= KX_HOST_GROUPS_PER_PORT ||
      groups.count(static_cast<int>(hg)) == 0) {
    Fail(KXE_UNKNOWN_HOST_GROUP);
  }
}

// 1..8 (a nickname 0..8) bytes from 0x21 to 0x7E.
bool IsName(const std::string& name, bool may_be_empty) {
  if (name.size() > KX_HOST_GROUP_NAME_MAX || (name.empty() && !may_be_empty)) {
    return false;
  }
  for (char c : name) {
    if (c < 0x21 || c > 0x7E) return false;
  }
  return true;
}

int32_t HgSecurity(Database& database, int64_t unit_id, int controller,
                   int port) {
  Statement select = database.Prepare(
      "SELECT hg_security FROM conn_port WHERE unit_id = ?1"
      " AND controller = ?2 AND port = ?3");
  select.Bind(1, unit_id).Bind(2, controller).Bind(3, port);
  if (!select.Step()) return 0;
  const int64_t security = select.Int(0);
  return static_cast<int32_t>(security);
}

void SetHgSecurity(Database& database, int64_t unit_id, int controller,
                   int port, int64_t security) {
  if (security != 0 && security != 1) Fail(KXE_INVALID_ARGUMENT);
  Statement upsert = database.Prepare(
      "INSERT INTO conn_port (unit_id, controller, port, hg_security)"
      " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (unit_id, controller, port)"
      " DO UPDATE SET hg_security = excluded.hg_security");
  upsert.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, security);
  upsert.Run();
}

void CheckMappingMode(int32_t mode) {
  if (mode != KX_MAPPING_MODE_OFF && mode != KX_MAPPING_MODE_ON) {
    Fail(KXE_INVALID_ARGUMENT);
  }
}

int32_t MappingMode(Database& database, int64_t unit_id) {
  return LoadSetting<int32_t>(database, unit_id, kMappingModeSetting,
                              KX_MAPPING_MODE_OFF, CheckMappingMode);
}

void SetMappingMode(Database& database, int64_t unit_id, int32_t mode) {
  CheckMappingMode(mode);
  StoreSetting<int32_t>(database, unit_id, kMappingModeSetting, mode);
}

// --- Options ------------------------------------------------------------------

bool IsOptionBits(int32_t value) {
  return value >= 0 && value <= KX_HG_OPTION_MASK;
}

void CheckOptions(const HGOptionInfoRecord& entry) {
  if (!IsOptionBits(entry.option) || !IsOptionBits(entry.option2[0]) ||
      !IsOptionBits(entry.option2[1]) || entry.option3 < 0 ||
      entry.option3 > KX_HG_RESPONSE_MODE_MAX) {
    Fail(KXE_INVALID_ARGUMENT);
  }
}

HGOptionInfoRecord OptionsOf(const HostGroup& group) {
  return {group.option, {group.option2[0], group.option2[1]}, group.option3};
}

void StoreOptions(Database& database, int64_t unit_id, int controller,
                  int port, int hg, const HGOptionInfoRecord& entry) {
  CheckOptions(entry);
  Statement update = database.Prepare(
      "UPDATE conn_host_group SET option1 = ?5, option2a = ?6, option2b = ?7,"
      " option3 = ?8 WHERE unit_id = ?1 AND controller = ?2 AND port = ?3"
      " AND hg = ?4");
  update.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, hg);
  update.Bind(5, entry.option)
      .Bind(6, entry.option2[0])
      .Bind(7, entry.option2[1])
      .Bind(8, entry.option3);
  update.Run();
}

// --- LU mapping -------------------------------------------------------------------

void LoadMapping(Database& database, int64_t unit_id, int controller, int port,
                 int hg, LuMappingHGInfoRecord* mapping, int32_t* count) {
  for (int32_t& lu : mapping->lu) lu = KX_UNMAPPED;
  Statement select = database.Prepare(
      "SELECT host_lun, lu FROM conn_lu_map WHERE unit_id = ?1"
      " AND controller = ?2 AND port = ?3 AND hg = ?4");
  select.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, hg);
  int32_t mapped = 0;
  while (select.Step()) {
    const int64_t host_lun = select.Int(0);
    const int64_t lu = select.Int(1);
    mapping->lu[host_lun] = static_cast<int32_t>(lu);
    ++mapped;
  }
  if (count != nullptr) *count = mapped;
}

void StoreMapping(Database& database, int64_t unit_id, int controller,
                  int port, int hg, const LuMappingHGInfoRecord& mapping) {
  std::set<int32_t> mapped;
  for (int32_t lu : mapping.lu) {
    if (lu == KX_UNMAPPED) continue;
    if (lu < 0 || lu >= KX_LOGICAL_UNIT_COUNT) Fail(KXE_INVALID_ARGUMENT);
    if (!LuExists(database, unit_id, lu)) Fail(KXE_UNKNOWN_LU);
    // Hosts reach a unified LU through its parent only.
    RequireNotUnifiedChild(database, unit_id, lu);
    if (!mapped.insert(lu).second) Fail(KXE_DUPLICATE_MAPPING);
  }
  Statement erase = database.Prepare(
      "DELETE FROM conn_lu_map WHERE unit_id = ?1 AND controller = ?2"
      " AND port = ?3 AND hg = ?4");
  erase.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, hg).Run();
  Statement insert = database.Prepare(
      "INSERT INTO conn_lu_map (unit_id, controller, port, hg, host_lun, lu)"
      " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  for (int host_lun = 0; host_lun < static_cast<int>(kHostLunCapacity);
       ++host_lun) {
    if (mapping.lu[host_lun] == KX_UNMAPPED) continue;
    insert.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, hg);
    insert.Bind(5, host_lun).Bind(6, mapping.lu[host_lun]);
    insert.Run();
    insert.Reset();
  }
}

// --- Selections ---------------------------------------------------------------

// Calls act(controller, port, hg) for every host group picked; a byte other
// than 0 or 1, or a group that does not exist, fails the work.
template <typename Act>
void ForEachSelected(Database& database, int64_t unit_id,
                     const HostGroupSelectionRecord& selection, Act&& act) {
  for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
    for (int p = 0; p < KX_HOST_PORTS; ++p) {
      const PortGroups groups = LoadGroups(database, unit_id, c, p);
      const uint8_t* picked = selection.ctl[c].port[p].hg;
      for (int hg = 0; hg < KX_HOST_GROUPS_PER_PORT; ++hg) {
        if (picked[hg] > 1) Fail(KXE_INVALID_ARGUMENT);
        if (picked[hg] == 0) continue;
        RequireGroup(groups, hg);
        act(c, p, hg);
      }
    }
  }
}

void RunForGroup(Database& database, const char* sql, int64_t unit_id,
                 int controller, int port, int hg) {
  Statement statement = database.Prepare(sql);
  statement.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, hg);
  statement.Run();
}

std::string GroupName(const HostGroupNameRecord* name) {
  if (name == nullptr) Fail(KXE_INVALID_ARGUMENT);
  const std::string text = FieldText(name->hgname);
  if (!IsName(text, false)) Fail(KXE_INVALID_HOST_GROUP_NAME);
  return text;
}

void RequireUniqueName(const PortGroups& groups, const std::string& name,
                       int except) {
  for (const auto& [hg, group] : groups) {
    if (hg != except && group.name == name) Fail(KXE_DUPLICATE_HOST_GROUP);
  }
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Fail;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_GetHGList(const char* unit, HGListRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    HGListRecord list{};
    list.lun_manage =
        static_cast<uint8_t>(tesk740::MappingMode(database, unit_id));
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        HGPortInfoRecord& port = list.ctl[c].port[p];
        port.security = static_cast<uint8_t>(
            tesk740::HgSecurity(database, unit_id, c, p));
        for (const auto& [hg, group] :
             tesk740::LoadGroups(database, unit_id, c, p)) {
          port.hg[hg].valid = 1;
          tesk740::WriteFixedText(group.name, port.hg[hg].hgname,
                                  sizeof port.hg[hg].hgname);
        }
      }
    }
    *record = list;
    return KX_OK;
  });
}

KX_API int32_t KX_CreateHG(const char* unit, int32_t controller, int32_t port,
                           int32_t hg, const HostGroupNameRecord* name) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "host group created");
    tesk740::RequireHostPort(controller, port);
    const std::string text = tesk740::GroupName(name);
    tesk740::EnsureDefaultGroups(database, unit_id);
    const tesk740::PortGroups groups =
        tesk740::LoadGroups(database, unit_id, controller, port);
    int32_t number = hg;
    if (hg == KX_ANY_HOST_GROUP) {
      number = 1;
      while (number < KX_HOST_GROUPS_PER_PORT && groups.count(number) != 0) {
        ++number;
      }
      if (number == KX_HOST_GROUPS_PER_PORT) return KXE_HOST_GROUP_TABLE_FULL;
    } else if (hg < 0 || hg >= KX_HOST_GROUPS_PER_PORT) {
      return KXE_INVALID_ARGUMENT;
    } else if (groups.count(hg) != 0) {
      return KXE_DUPLICATE_HOST_GROUP;
    }
    tesk740::RequireUniqueName(groups, text, number);
    Statement insert = database.Prepare(
        "INSERT INTO conn_host_group (unit_id, controller, port, hg, name)"
        " VALUES (?1, ?2, ?3, ?4, ?5)");
    insert.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, number);
    insert.Bind(5, text).Run();
    return KX_OK;
  });
}

KX_API int32_t KX_ChangeHG(const char* unit, int32_t controller, int32_t port,
                           int32_t hg, const HostGroupNameRecord* name) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "host group changed");
    tesk740::RequireHostPort(controller, port);
    const std::string text = tesk740::GroupName(name);
    tesk740::EnsureDefaultGroups(database, unit_id);
    const tesk740::PortGroups groups =
        tesk740::LoadGroups(database, unit_id, controller, port);
    tesk740::RequireGroup(groups, hg);
    tesk740::RequireUniqueName(groups, text, hg);
    Statement update = database.Prepare(
        "UPDATE conn_host_group SET name = ?5 WHERE unit_id = ?1"
        " AND controller = ?2 AND port = ?3 AND hg = ?4");
    update.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, hg);
    update.Bind(5, text).Run();
    return KX_OK;
  });
}

// A deleted group takes its mappings along; its hosts fall back to the
// port's default group.
KX_API int32_t KX_DeleteHGList(const char* unit,
                               const HostGroupSelectionRecord* selection) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "host groups deleted");
    if (selection == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::ForEachSelected(
        database, unit_id, *selection, [&](int c, int p, int hg) {
          if (hg == KX_DEFAULT_HOST_GROUP) Fail(KXE_DEFAULT_HOST_GROUP);
          tesk740::RunForGroup(database,
                               "DELETE FROM conn_host_group WHERE unit_id = ?1"
                               " AND controller = ?2 AND port = ?3 AND hg = ?4",
                               unit_id, c, p, hg);
          tesk740::RunForGroup(database,
                               "DELETE FROM conn_lu_map WHERE unit_id = ?1"
                               " AND controller = ?2 AND port = ?3 AND hg = ?4",
                               unit_id, c, p, hg);
          tesk740::RunForGroup(database,
                               "UPDATE conn_host_wwn SET hg = 0"
                               " WHERE unit_id = ?1 AND controller = ?2"
                               " AND port = ?3 AND hg = ?4",
                               unit_id, c, p, hg);
        });
    return KX_OK;
  });
}

// An initialised group keeps its name and hosts; its options and mappings
// are cleared.
KX_API int32_t KX_InitHGList(const char* unit,
                             const HostGroupSelectionRecord* selection) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "host groups initialised");
    if (selection == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::EnsureDefaultGroups(database, unit_id);
    tesk740::ForEachSelected(
        database, unit_id, *selection, [&](int c, int p, int hg) {
          tesk740::StoreOptions(database, unit_id, c, p, hg,
                                HGOptionInfoRecord{});
          tesk740::RunForGroup(database,
                               "DELETE FROM conn_lu_map WHERE unit_id = ?1"
                               " AND controller = ?2 AND port = ?3 AND hg = ?4",
                               unit_id, c, p, hg);
        });
    return KX_OK;
  });
}

KX_API int32_t KX_GetWWNHGInformation(const char* unit,
                                      WWNHGInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    auto information = std::make_unique<WWNHGInformationRecord>();
    std::memset(information.get(), 0, sizeof *information);
    information->lun_manage =
        static_cast<uint8_t>(tesk740::MappingMode(database, unit_id));
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        WWNHGPortInfoRecord& port = information->ctl[c].port[p];
        port.security = static_cast<uint8_t>(
            tesk740::HgSecurity(database, unit_id, c, p));
        Statement select = database.Prepare(
            "SELECT slot, node_name, port_name, hostflag, hg, nickname"
            " FROM conn_host_wwn WHERE unit_id = ?1 AND controller = ?2"
            " AND port = ?3");
        select.Bind(1, unit_id).Bind(2, c).Bind(3, p);
        while (select.Step()) {
          const int64_t slot = select.Int(0);
          const int64_t hostflag = select.Int(3);
          const int64_t hg = select.Int(4);
          WWNHostInfoRecord& entry = port.wwn[slot];
          tesk740::WriteFixedText(select.Text(1), entry.node_name,
                                  sizeof entry.node_name);
          tesk740::WriteFixedText(select.Text(2), entry.port_name,
                                  sizeof entry.port_name);
          entry.hostflag = static_cast<uint8_t>(hostflag);
          entry.hg_number = static_cast<int32_t>(hg);
          tesk740::WriteFixedText(select.Text(5), entry.wname,
                                  sizeof entry.wname);
          ++port.wwn_count;
        }
      }
    }
    *record = *information;
    return KX_OK;
  });
}

KX_API int32_t KX_SetWWNHGInformation(const char* unit,
                                      const WWNHGInformationRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "host group WWNs set");
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        const WWNHGPortInfoRecord& port = record->ctl[c].port[p];
        tesk740::SetHgSecurity(database, unit_id, c, p, port.security);
        const tesk740::PortGroups groups =
            tesk740::LoadGroups(database, unit_id, c, p);
        Statement erase = database.Prepare(
            "DELETE FROM conn_host_wwn WHERE unit_id = ?1 AND controller = ?2"
            " AND port = ?3");
        erase.Bind(1, unit_id).Bind(2, c).Bind(3, p).Run();
        Statement insert = database.Prepare(
            "INSERT INTO conn_host_wwn (unit_id, controller, port, slot,"
            " node_name, port_name, hostflag, hg, nickname)"
            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
        std::set<std::string> port_names;
        for (int slot = 0; slot < KX_HOST_GROUPS_PER_PORT; ++slot) {
          const WWNHostInfoRecord& entry = port.wwn[slot];
          const std::string node_name = tesk740::FieldText(entry.node_name);
          const std::string port_name = tesk740::FieldText(entry.port_name);
          const std::string nickname = tesk740::FieldText(entry.wname);
          if (port_name.empty()) {
            if (!node_name.empty() || !nickname.empty() ||
                entry.hostflag != 0 || entry.hg_number != 0) {
              return KXE_INVALID_WWN;
            }
            continue;
          }
          if (!tesk740::IsHex(port_name, 16) ||
              (!node_name.empty() && !tesk740::IsHex(node_name, 16))) {
            return KXE_INVALID_WWN;
          }
          if (!port_names.insert(tesk740::LowerCase(port_name)).second) {
            return KXE_DUPLICATE_WWN;
          }
          if (entry.hostflag > 1) return KXE_INVALID_ARGUMENT;
          tesk740::RequireGroup(groups, entry.hg_number);
          if (!tesk740::IsName(nickname, true)) {
            return KXE_INVALID_HOST_GROUP_NAME;
          }
          insert.Bind(1, unit_id).Bind(2, c).Bind(3, p).Bind(4, slot);
          insert.Bind(5, tesk740::LowerCase(node_name))
              .Bind(6, tesk740::LowerCase(port_name))
              .Bind(7, entry.hostflag)
              .Bind(8, entry.hg_number)
              .Bind(9, nickname);
          insert.Run();
          insert.Reset();
        }
      }
    }
    return KX_OK;
  });
}

KX_API int32_t KX_GetHGOptionAll(const char* unit, HGOptionRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    HGOptionRecord options{};
    options.HostGroupValid = 1;
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        HGOptionPortInfoRecord& port = options.ctl[c].port[p];
        port.security = static_cast<uint8_t>(
            tesk740::HgSecurity(database, unit_id, c, p));
        for (const auto& [hg, group] :
             tesk740::LoadGroups(database, unit_id, c, p)) {
          port.hg[hg] = tesk740::OptionsOf(group);
        }
      }
    }
    *record = options;
    return KX_OK;
  });
}

KX_API int32_t KX_SetHGOptionAll(const char* unit,
                                 const HGOptionRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "host group options set");
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::EnsureDefaultGroups(database, unit_id);
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        const HGOptionPortInfoRecord& port = record->ctl[c].port[p];
        tesk740::SetHgSecurity(database, unit_id, c, p, port.security);
        const tesk740::PortGroups groups =
            tesk740::LoadGroups(database, unit_id, c, p);
        for (int hg = 0; hg < KX_HOST_GROUPS_PER_PORT; ++hg) {
          if (groups.count(hg) != 0) {
            tesk740::StoreOptions(database, unit_id, c, p, hg, port.hg[hg]);
          } else if (!tesk740::IsZero(&port.hg[hg], sizeof port.hg[hg])) {
            return KXE_UNKNOWN_HOST_GROUP;
          }
        }
      }
    }
    return KX_OK;
  });
}

KX_API int32_t KX_GetHGOption(const char* unit, int32_t controller,
                              int32_t port, int32_t hg,
                              HGOptionInfoRecord* entry) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RequireHostPort(controller, port);
    if (entry == nullptr) return KXE_INVALID_ARGUMENT;
    const tesk740::PortGroups groups =
        tesk740::LoadGroups(database, unit_id, controller, port);
    tesk740::RequireGroup(groups, hg);
    *entry = tesk740::OptionsOf(groups.at(hg));
    return KX_OK;
  });
}

KX_API int32_t KX_SetHGOption(const char* unit, int32_t controller,
                              int32_t port, int32_t hg,
                              const HGOptionInfoRecord* entry) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "host group options set");
    tesk740::RequireHostPort(controller, port);
    if (entry == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::EnsureDefaultGroups(database, unit_id);
    tesk740::RequireGroup(
        tesk740::LoadGroups(database, unit_id, controller, port), hg);
    tesk740::StoreOptions(database, unit_id, controller, port, hg, *entry);
    return KX_OK;
  });
}

KX_API int32_t KX_GetPortOption(const char* unit, PortOptionRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    *record = tesk740::LoadSetting(database, unit_id,
                                   tesk740::kPortOptionSetting,
                                   PortOptionRecord{}, tesk740::CheckPortOption);
    return KX_OK;
  });
}

KX_API int32_t KX_SetPortOption(const char* unit,
                                const PortOptionRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "port options set");
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::CheckPortOption(*record);
    tesk740::StoreSetting(database, unit_id, tesk740::kPortOptionSetting,
                          *record);
    return KX_OK;
  });
}

KX_API int32_t KX_GetLuMappingListAll(const char* unit,
                                      LuMappingRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    record->HostGroupValid = 1;
    record->ctrl_flag = tesk740::kControllerFlags;
    record->mapping_mode = tesk740::MappingMode(database, unit_id);
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        LuMappingPortInfoRecord& port = record->ctl[c].port[p];
        port.security = static_cast<uint8_t>(
            tesk740::HgSecurity(database, unit_id, c, p));
        std::memset(port.unused_1, 0, sizeof port.unused_1);
        for (LuMappingHGInfoRecord& hg : port.hg) {
          for (int32_t& lu : hg.lu) lu = KX_UNMAPPED;
        }
      }
    }
    // The whole unit in one statement; the column rules keep controller,
    // port, host group and host LUN inside the record's tables.
    Statement select = database.Prepare(
        "SELECT controller, port, hg, host_lun, lu FROM conn_lu_map"
        " WHERE unit_id = ?1");
    select.Bind(1, unit_id);
    while (select.Step()) {
      record->ctl[select.Int(0)]
          .port[select.Int(1)]
          .hg[select.Int(2)]
          .lu[select.Int(3)] = static_cast<int32_t>(select.Int(4));
    }
    return KX_OK;
  });
}

KX_API int32_t KX_SetLuMappingListAll(const char* unit,
                                      const LuMappingRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "LU mapping set");
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::SetMappingMode(database, unit_id, record->mapping_mode);
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        const LuMappingPortInfoRecord& port = record->ctl[c].port[p];
        tesk740::SetHgSecurity(database, unit_id, c, p, port.security);
        const tesk740::PortGroups groups =
            tesk740::LoadGroups(database, unit_id, c, p);
        for (int hg = 0; hg < KX_HOST_GROUPS_PER_PORT; ++hg) {
          if (groups.count(hg) != 0) {
            tesk740::StoreMapping(database, unit_id, c, p, hg, port.hg[hg]);
            continue;
          }
          for (int32_t lu : port.hg[hg].lu) {
            if (lu != KX_UNMAPPED) return KXE_UNKNOWN_HOST_GROUP;
          }
        }
      }
    }
    return KX_OK;
  });
}

KX_API int32_t KX_GetLuMappingList(const char* unit, int32_t controller,
                                   int32_t port, int32_t hg, int32_t* count,
                                   LuMappingHGInfoRecord* mapping) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RequireHostPort(controller, port);
    if (count == nullptr || mapping == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::RequireGroup(
        tesk740::LoadGroups(database, unit_id, controller, port), hg);
    tesk740::LoadMapping(database, unit_id, controller, port, hg, mapping,
                         count);
    return KX_OK;
  });
}

KX_API int32_t KX_SetLuMappingList(const char* unit, int32_t controller,
                                   int32_t port, int32_t hg, int32_t reserved,
                                   const LuMappingHGInfoRecord* mapping) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "LU mapping set");
    tesk740::RequireHostPort(controller, port);
    if (reserved != 0 || mapping == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::RequireGroup(
        tesk740::LoadGroups(database, unit_id, controller, port), hg);
    tesk740::StoreMapping(database, unit_id, controller, port, hg, *mapping);
    return KX_OK;
  });
}

KX_API int32_t KX_ChangeMappingMode(const char* unit, int32_t mode) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "host-mapping-changed",
                                     "LU mapping mode changed");
    tesk740::SetMappingMode(database, unit_id, mode);
    return KX_OK;
  });
}
