// Fibre Channel ports and their LUN security, in two views of the same
// state: FibreInformation per controller and the WWN LUN-security table.
// The settable fields of a controller are one settings record; the host
// permissions are rows of conn_permission (connectivity_common.cpp), so the
// LU area can see which LUs they name.
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_connectivity.h"
#include "model/registry.h"
#include "station/fixed_text.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

constexpr char kLunSecurityOptSetting[] = "connectivity.lun_security_opt";

void CheckLunSecurityOpt(int32_t option) {
  if (option != 0 && option != 1) Fail(KXE_INVALID_ARGUMENT);
}

std::string FibreSetting(int controller) {
  return "connectivity.fibre." + std::to_string(controller);
}

bool IsSpeed(int speed) {
  return speed == 0 || speed == 1 || speed == 2 || speed == 4;
}

std::string Hex(const char* format, int64_t unit_id, int controller, int port) {
  char text[17];
  std::snprintf(text, sizeof text, format,
                static_cast<unsigned long long>(unit_id & 0xFFFFFFFFLL),
                controller, port);
  return text;
}

// The fields the station reports and no write changes.
void FillStationFields(int64_t unit_id, int controller,
                       FibreInformationRecord* fibre) {
  for (int p = 0; p < static_cast<int>(kFibrePortCapacity); ++p) {
    FibreInformationPortRecord& port = fibre->port[p];
    FibreInformationSfcRecord& sfc = fibre->sfc[p];
    if (p >= KX_HOST_PORTS) {
      std::memset(&port, 0, sizeof port);
      std::memset(&sfc, 0, sizeof sfc);
      continue;
    }
    WriteFixedText(Hex("50000c%08llx%x%x", unit_id, controller, p),
                   port.port_name, sizeof port.port_name);
    WriteFixedText(Hex("50000c%08llx00", unit_id, 0, 0), port.node_name,
                   sizeof port.node_name);
    const std::string n_port_id = FieldText(port.n_port_id);
    char address[8];
    std::snprintf(address, sizeof address, "01%02x%02x", controller, p);
    WriteFixedText(n_port_id.empty() ? std::string(address) : n_port_id,
                   port.get_address, sizeof port.get_address);
    port.if_board = KX_BOARD_INSTALLED;
    port.refer_speed = port.set_speed == KX_SPEED_AUTO ? 4 : port.set_speed;
    WriteFixedText("BIU-4G", sfc.biu, sizeof sfc.biu);
    WriteFixedText("SEQ-0201", sfc.sequence, sizeof sfc.sequence);
    WriteFixedText("3.02.07", sfc.oper_firmware, sizeof sfc.oper_firmware);
    WriteFixedText("3.02.07", sfc.post_firmware, sizeof sfc.post_firmware);
    WriteFixedText("ENDEC-2", sfc.endec, sizeof sfc.endec);
    WriteFixedText("4.3", sfc.fc_ph, sizeof sfc.fc_ph);
  }
  fibre->topology_ref[0] = fibre->topology[0];
  fibre->topology_ref[1] = fibre->topology[1];
  WriteFixedText("FC4G", fibre->product_number, sizeof fibre->product_number);
}

void CheckStoredFibre(const FibreInformationRecord& stored);

// A controller's record as stored: the settable fields only, permissions
// empty (they live in their table). On the heap: the record is 54 KB.
std::unique_ptr<FibreInformationRecord> LoadStoredFibre(Database& database,
                                                        int64_t unit_id,
                                                        int controller) {
  auto fibre = std::make_unique<FibreInformationRecord>();
  std::memset(fibre.get(), 0, sizeof *fibre);
  const auto bytes =
      LoadSettingBytes(database, unit_id, FibreSetting(controller));
  if (!bytes) {
    for (int p = 0; p < KX_HOST_PORTS; ++p) {
      fibre->port[p].frame_size = KX_FRAME_SIZE_2048;
    }
    return fibre;
  }
  if (bytes->size() != sizeof *fibre) Fail(KXE_STATION_DAMAGED);
  std::memcpy(fibre.get(), bytes->data(), sizeof *fibre);
  RequireStoredValid(*fibre, CheckStoredFibre);
  return fibre;
}

void WritePermission(const Permission& permission, char* node_name,
                     char* port_name, uint8_t* bitmap) {
  WriteFixedText(permission.node_name, node_name, 17);
  WriteFixedText(permission.port_name, port_name, 17);
  std::memcpy(bitmap, permission.bitmap, kLunBitmapBytes);
}

void LoadFibre(Database& database, int64_t unit_id, int controller,
               FibreInformationRecord* fibre) {
  *fibre = *LoadStoredFibre(database, unit_id, controller);
  FillStationFields(unit_id, controller, fibre);
  for (int p = 0; p < KX_HOST_PORTS; ++p) {
    FibreInformationSecurityRecord& security = fibre->security[p];
    std::memset(security.permission, 0, sizeof security.permission);
    const auto table = LoadPermissions(database, unit_id, controller, p);
    for (const auto& [slot, permission] : table) {
      FibreInformationPermissionRecord& entry = security.permission[slot];
      WritePermission(permission, entry.node_name, entry.port_name,
                      entry.lun_security_bitmap);
      WriteFixedText(permission.n_port_id, entry.n_port_id,
                     sizeof entry.n_port_id);
    }
    security.permission_count = static_cast<int32_t>(table.size());
  }
}

// An entry is in use when it names a host port; an entry without one must
// be empty.
template <typename Entry>
bool ReadPermissionNames(const Entry& entry, Permission* permission) {
  permission->node_name = FieldText(entry.node_name);
  permission->port_name = FieldText(entry.port_name);
  std::memcpy(permission->bitmap, entry.lun_security_bitmap, kLunBitmapBytes);
  if (!permission->port_name.empty()) return true;
  if (!permission->node_name.empty() ||
      !IsZero(entry.lun_security_bitmap, kLunBitmapBytes)) {
    Fail(KXE_INVALID_WWN);
  }
  return false;
}

void CheckSecurityValues(int access_guard, int all_lun_security, int level) {
  if (access_guard < 0 || access_guard > 1 || all_lun_security < 0 ||
      all_lun_security > 1 || level < 0 || level > KX_SECURITY_LEVEL_MAX) {
    Fail(KXE_INVALID_ARGUMENT);
  }
}

// Checks the settable fields of host port `p` of `record` and copies them
// to `stored`, in the form they are kept (N_Port ID in lower case).
void KeepSettablePortFields(const FibreInformationRecord& record, int p,
                            FibreInformationRecord* stored) {
  const FibreInformationPortRecord& port = record.port[p];
  const FibreInformationSecurityRecord& security = record.security[p];
  const std::string n_port_id = FieldText(port.n_port_id);
  if (record.topology[p] != KX_TOPOLOGY_POINT_TO_POINT &&
      record.topology[p] != KX_TOPOLOGY_LOOP) {
    Fail(KXE_INVALID_ARGUMENT);
  }
  if (!n_port_id.empty() && !IsHex(n_port_id, 6)) Fail(KXE_INVALID_WWN);
  if (port.frame_size > 3 || !IsSpeed(port.set_speed)) {
    Fail(KXE_INVALID_ARGUMENT);
  }
  CheckSecurityValues(security.access_guard, security.all_lun_security,
                      security.security_chk_lv);
  stored->topology[p] = record.topology[p];
  WriteFixedText(LowerCase(n_port_id), stored->port[p].n_port_id,
                 sizeof stored->port[p].n_port_id);
  stored->port[p].frame_size = port.frame_size;
  stored->port[p].set_speed = port.set_speed;
  stored->security[p].access_guard = security.access_guard;
  stored->security[p].all_lun_security = security.all_lun_security;
  stored->security[p].security_chk_lv = security.security_chk_lv;
}

// A controller's record as StoreFibre leaves it: the settable fields pass
// its checks, and nothing else is set.
void CheckStoredFibre(const FibreInformationRecord& stored) {
  if (stored.lun_security != 0 && stored.lun_security != 1) {
    Fail(KXE_INVALID_ARGUMENT);
  }
  auto canonical = std::make_unique<FibreInformationRecord>();
  std::memset(canonical.get(), 0, sizeof *canonical);
  canonical->lun_security = stored.lun_security;
  for (int p = 0; p < KX_HOST_PORTS; ++p) {
    KeepSettablePortFields(stored, p, canonical.get());
  }
  if (std::memcmp(canonical.get(), &stored, sizeof stored) != 0) {
    Fail(KXE_INVALID_ARGUMENT);
  }
}

// Checks a controller's record and stores it, permissions included.
void StoreFibre(Database& database, int64_t unit_id, int controller,
                const FibreInformationRecord& record) {
  if (record.lun_security != 0 && record.lun_security != 1) {
    Fail(KXE_INVALID_ARGUMENT);
  }
  auto stored = std::make_unique<FibreInformationRecord>();
  std::memset(stored.get(), 0, sizeof *stored);
  stored->lun_security = record.lun_security;
  std::map<int, Permission> tables[KX_HOST_PORTS];
  for (int p = 0; p < static_cast<int>(kFibrePortCapacity); ++p) {
    const FibreInformationPortRecord& port = record.port[p];
    const FibreInformationSecurityRecord& security = record.security[p];
    const std::string n_port_id = FieldText(port.n_port_id);
    if (p >= KX_HOST_PORTS) {
      bool unused = record.topology[p] == 0 && n_port_id.empty() &&
                    port.frame_size == 0 && port.set_speed == 0 &&
                    security.access_guard == 0 &&
                    security.all_lun_security == 0 &&
                    security.security_chk_lv == 0;
      for (const auto& entry : security.permission) {
        unused = unused && entry.port_name[0] == '\0';
      }
      if (!unused) Fail(KXE_NO_SUCH_PORT);
      continue;
    }
    KeepSettablePortFields(record, p, stored.get());
    for (int slot = 0; slot < KX_HOST_GROUPS_PER_PORT; ++slot) {
      const FibreInformationPermissionRecord& entry = security.permission[slot];
      Permission permission;
      if (!ReadPermissionNames(entry, &permission)) continue;
      permission.n_port_id = FieldText(entry.n_port_id);
      tables[p][slot] = permission;
    }
  }
  for (int p = 0; p < KX_HOST_PORTS; ++p) {
    ReplacePermissions(database, unit_id, controller, p, tables[p]);
  }
  StoreSettingBytes(database, unit_id, FibreSetting(controller), stored.get(),
                    sizeof *stored);
}

// One line of a permission file: PORT_NAME NODE_NAME N_PORT_ID LUS, "-" for
// an empty name or ID, LUS "none" or a list of LUs; see docs/connectivity.md.
Permission ParsePermissionLine(Database& database, int64_t unit_id,
                               const char* file_name, const ImportLine& line) {
  const Refuser refuse{database, file_name, line.number};
  const std::vector<std::string> words = Words(line.text);
  if (words.size() != 4) refuse("expected: PORT_NAME NODE_NAME N_PORT_ID LUS");
  Permission permission;
  permission.port_name = LowerCase(words[0]);
  permission.node_name = words[1] == "-" ? "" : LowerCase(words[1]);
  permission.n_port_id = words[2] == "-" ? "" : LowerCase(words[2]);
  if (!IsHex(permission.port_name, 16)) {
    refuse("port name '" + words[0] + "' is not 16 hexadecimal digits");
  }
  if (!permission.node_name.empty() && !IsHex(permission.node_name, 16)) {
    refuse("node name '" + words[1] + "' is not 16 hexadecimal digits");
  }
  if (!permission.n_port_id.empty() && !IsHex(permission.n_port_id, 6)) {
    refuse("N_Port ID '" + words[2] + "' is not 6 hexadecimal digits");
  }
  if (words[3] == "none") return permission;
  const auto lus = ParseList(words[3], 0, KX_LOGICAL_UNIT_COUNT - 1);
  if (!lus) refuse("LUs must be 'none' or a list of 0..511");
  for (int64_t lu : *lus) {
    if (!LuExists(database, unit_id, lu)) {
      refuse("LU " + std::to_string(lu) + " does not exist");
    }
    permission.bitmap[lu / 8] |= static_cast<uint8_t>(1u << (lu % 8));
  }
  return permission;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Fail;
using tesk740::Station;

KX_API int32_t KX_GetFibreInformation(const char* unit,
                                      FibreInformationRecord* first,
                                      FibreInformationRecord* second) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (first == nullptr || second == nullptr) return KXE_INVALID_ARGUMENT;
    auto records = std::make_unique<FibreInformationRecord[]>(2);
    tesk740::LoadFibre(database, unit_id, 0, &records[0]);
    tesk740::LoadFibre(database, unit_id, 1, &records[1]);
    *first = records[0];
    *second = records[1];
    return KX_OK;
  });
}

KX_API int32_t KX_SetFibreInformation(const char* unit,
                                      const FibreInformationRecord* first,
                                      const FibreInformationRecord* second) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "Fibre Channel settings set");
    if (first == nullptr || second == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::StoreFibre(database, unit_id, 0, *first);
    tesk740::StoreFibre(database, unit_id, 1, *second);
    return KX_OK;
  });
}

KX_API int32_t KX_FibreInfoPermissionImport(
    const char* unit, const char* file_name, int32_t controller, int32_t port,
    int32_t* count, FibreInformationPermissionRecord* table) {
  const tesk740::ImportFile file = tesk740::ReadImportFile(file_name);
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "LUN security imported");
    if (file_name == nullptr || count == nullptr || table == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    tesk740::RequireHostPort(controller, port);
    const std::string& path = file.path;
    std::map<int, tesk740::Permission> permissions;
    std::map<std::string, int> seen;
    for (const tesk740::ImportLine& line : tesk740::ImportLines(file)) {
      tesk740::Permission permission =
          tesk740::ParsePermissionLine(database, unit_id, path.c_str(), line);
      const auto [previous, added] =
          seen.emplace(permission.port_name, line.number);
      if (!added) {
        tesk740::RefuseImport(database, path.c_str(), line.number,
                              "port name " + permission.port_name +
                                  " already on line " +
                                  std::to_string(previous->second));
      }
      if (permissions.size() == KX_HOST_GROUPS_PER_PORT) {
        tesk740::RefuseImport(database, path.c_str(), line.number,
                              "more than 128 permissions");
      }
      const int slot = static_cast<int>(permissions.size());
      permissions[slot] = permission;
    }
    tesk740::ReplacePermissions(database, unit_id, controller, port,
                                permissions);
    tesk740::ClearImportReport(database);
    std::memset(table, 0, sizeof(FibreInformationPermissionRecord) *
                              kHostGroupCapacity);
    for (const auto& [slot, permission] : permissions) {
      FibreInformationPermissionRecord& entry = table[slot];
      tesk740::WritePermission(permission, entry.node_name, entry.port_name,
                               entry.lun_security_bitmap);
      tesk740::WriteFixedText(permission.n_port_id, entry.n_port_id,
                              sizeof entry.n_port_id);
    }
    *count = static_cast<int32_t>(permissions.size());
    return KX_OK;
  });
}

KX_API int32_t KX_GetWWNInformation(const char* unit,
                                    WWNInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    auto information = std::make_unique<WWNInformationRecord>();
    std::memset(information.get(), 0, sizeof *information);
    information->lun_security_opt = tesk740::LoadSetting<int32_t>(
        database, unit_id, tesk740::kLunSecurityOptSetting, 0,
        tesk740::CheckLunSecurityOpt);
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      const auto fibre = tesk740::LoadStoredFibre(database, unit_id, c);
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        WWNPortInfoRecord& port = information->ctl[c].port[p];
        port.lun_security = fibre->security[p].all_lun_security;
        port.security_chk_lv = fibre->security[p].security_chk_lv;
        const auto table = tesk740::LoadPermissions(database, unit_id, c, p);
        for (const auto& [slot, permission] : table) {
          WWNPermInfoRecord& entry = port.permission[slot];
          tesk740::WritePermission(permission, entry.node_name,
                                   entry.port_name, entry.lun_security_bitmap);
        }
        port.permission_count = static_cast<int32_t>(table.size());
      }
    }
    *record = *information;
    return KX_OK;
  });
}

KX_API int32_t KX_SetWWNInformation(const char* unit,
                                    const WWNInformationRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "WWN settings set");
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    tesk740::CheckLunSecurityOpt(record->lun_security_opt);
    for (int c = 0; c < KX_HOST_CONTROLLERS; ++c) {
      const auto fibre = tesk740::LoadStoredFibre(database, unit_id, c);
      for (int p = 0; p < KX_HOST_PORTS; ++p) {
        const WWNPortInfoRecord& port = record->ctl[c].port[p];
        tesk740::CheckSecurityValues(0, port.lun_security,
                                     port.security_chk_lv);
        fibre->security[p].all_lun_security =
            static_cast<int8_t>(port.lun_security);
        fibre->security[p].security_chk_lv = port.security_chk_lv;
        // This view has no N_Port IDs: a host keeps the one it had.
        const auto current = tesk740::LoadPermissions(database, unit_id, c, p);
        std::map<int, tesk740::Permission> table;
        for (int slot = 0; slot < KX_HOST_GROUPS_PER_PORT; ++slot) {
          tesk740::Permission permission;
          if (!tesk740::ReadPermissionNames(port.permission[slot],
                                            &permission)) {
            continue;
          }
          for (const auto& [old_slot, old] : current) {
            if (old.port_name == tesk740::LowerCase(permission.port_name)) {
              permission.n_port_id = old.n_port_id;
            }
          }
          table[slot] = permission;
        }
        tesk740::ReplacePermissions(database, unit_id, c, p, table);
      }
      tesk740::StoreSettingBytes(database, unit_id, tesk740::FibreSetting(c),
                                 fibre.get(), sizeof *fibre);
    }
    tesk740::StoreSetting<int32_t>(database, unit_id,
                                   tesk740::kLunSecurityOptSetting,
                                   record->lun_security_opt);
    return KX_OK;
  });
}
