// Controller LAN settings, synchronous ports and target IDs, with the
// target-ID import. Each is one settings record per controller; what the
// station reports in the read-only fields is filled in on every read.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_connectivity.h"
#include "model/registry.h"
#include "station/fixed_text.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

std::string SettingName(const char* kind, int controller) {
  return std::string("connectivity.") + kind + "." + std::to_string(controller);
}

void RequireController(int64_t controller) {
  if (!IsController(controller)) Fail(KXE_NO_SUCH_PORT);
}

// --- LAN ----------------------------------------------------------------------

std::optional<uint32_t> ParseQuad(const std::string& text) {
  uint32_t address = 0;
  int parts = 0;
  size_t at = 0;
  while (parts < 4) {
    const size_t dot = text.find('.', at);
    const std::string part =
        text.substr(at, dot == std::string::npos ? std::string::npos : dot - at);
    const auto value = ParseNumber(part, 0, 255);
    if (!value || part.size() > 3) return std::nullopt;
    address = (address << 8) | static_cast<uint32_t>(*value);
    ++parts;
    if (dot == std::string::npos) break;
    at = dot + 1;
  }
  if (parts != 4 || text.back() == '.') return std::nullopt;
  return address;
}

std::string RegisteredAddress(Database& database, int64_t unit_id,
                              int controller) {
  Statement select = database.Prepare(
      controller == 0 ? "SELECT ctl0 FROM unit WHERE unit_id = ?1"
                      : "SELECT ctl1 FROM unit WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) Fail(KXE_UNKNOWN_UNIT);
  const std::string text = select.Text(0);
  return ParseQuad(text) ? text : std::string();
}

// The station's hardware address of a controller's LAN port.
std::string EtherAddress(int64_t unit_id, int controller) {
  char ether[18];
  std::snprintf(ether, sizeof ether, "00:00:87:%02x:%02x:%02x",
                static_cast<unsigned>((unit_id >> 8) & 0xFF),
                static_cast<unsigned>(unit_id & 0xFF),
                static_cast<unsigned>(controller));
  return ether;
}

void CheckLan(const LANInformationRecord& lan);
SyncControlRecord CheckSync(const SyncControlRecord& record);
void CheckTargetId(const TargetIdRecord& target);

// Until set, a controller has the address it was registered with (when that
// is a dotted quad), a /24 subnet and no gateway.
LANInformationRecord LoadLan(Database& database, int64_t unit_id,
                             int controller, bool as_new = false) {
  LANInformationRecord defaults{};
  WriteFixedText(RegisteredAddress(database, unit_id, controller),
                 defaults.ip_address, sizeof defaults.ip_address);
  WriteFixedText("255.255.255.0", defaults.subnet, sizeof defaults.subnet);
  WriteFixedText("0.0.0.0", defaults.gateway, sizeof defaults.gateway);
  defaults.lan_connect = 1;
  LANInformationRecord lan =
      as_new ? defaults
             : LoadSetting(database, unit_id, SettingName("lan", controller),
                           defaults, CheckLan);
  WriteFixedText(EtherAddress(unit_id, controller), lan.ether,
                 sizeof lan.ether);
  return lan;
}

void CheckLan(const LANInformationRecord& lan) {
  if ((lan.dhcp != 0 && lan.dhcp != 1) ||
      (lan.lan_connect != 0 && lan.lan_connect != 1)) {
    Fail(KXE_INVALID_ARGUMENT);
  }
  FieldText(lan.ether);
  const auto ip = ParseQuad(FieldText(lan.ip_address));
  const auto mask = ParseQuad(FieldText(lan.subnet));
  const auto gateway = ParseQuad(FieldText(lan.gateway));
  if (!ip || !mask || !gateway) Fail(KXE_INVALID_ADDRESS);
  // A contiguous mask of 1 to 30 bits leaves room for hosts.
  const uint32_t host_bits = ~*mask;
  if ((host_bits & (host_bits + 1)) != 0 || *mask == 0 || host_bits < 3) {
    Fail(KXE_INVALID_ADDRESS);
  }
  const auto is_host = [&](uint32_t address) {
    const uint32_t host = address & host_bits;
    return host != 0 && host != host_bits;
  };
  if (!is_host(*ip)) Fail(KXE_INVALID_ADDRESS);
  if (*gateway != 0 && ((*gateway & *mask) != (*ip & *mask) ||
                        !is_host(*gateway) || *gateway == *ip)) {
    Fail(KXE_INVALID_ADDRESS);
  }
}

// --- Synchronous ports ----------------------------------------------------------

bool IsRate(int rate) { return rate == 0 || rate == 1 || rate == 2 || rate == 4; }

SyncControlRecord LoadSync(Database& database, int64_t unit_id,
                           int controller, bool as_new = false) {
  SyncControlRecord sync =
      as_new ? SyncControlRecord{}
             : LoadSetting(database, unit_id, SettingName("sync", controller),
                           SyncControlRecord{}, CheckSync);
  for (int i = 0; i < static_cast<int>(kSyncPortCapacity); ++i) {
    sync.port_val[i].board_type =
        i < KX_HOST_PORTS ? KX_BOARD_INSTALLED : KX_BOARD_NONE;
  }
  return sync;
}

// The rates of a record as the station keeps them (the board types are the
// station's); fails the work with the code of the first fault.
SyncControlRecord CheckSync(const SyncControlRecord& record) {
  SyncControlRecord sync{};
  for (int i = 0; i < static_cast<int>(kSyncPortCapacity); ++i) {
    const uint8_t rate = record.port_val[i].rate;
    if (i >= KX_HOST_PORTS && rate != 0) Fail(KXE_NO_SUCH_PORT);
    if (!IsRate(rate)) Fail(KXE_INVALID_ARGUMENT);
    sync.port_val[i].rate = rate;
  }
  return sync;
}

// --- Target IDs ---------------------------------------------------------------

TargetIdRecord LoadTargetId(Database& database, int64_t unit_id,
                            int controller, bool as_new = false) {
  TargetIdRecord target =
      as_new ? TargetIdRecord{}
             : LoadSetting(database, unit_id, SettingName("target", controller),
                           TargetIdRecord{}, CheckTargetId);
  target.ctrl_flag = 1;
  return target;
}

// Fails the work with the code of the first fault.
void CheckTargetId(const TargetIdRecord& target) {
  if (target.target_id_mode != KX_TARGET_MODE_SINGLE &&
      target.target_id_mode != KX_TARGET_MODE_MULTI) {
    Fail(KXE_INVALID_ARGUMENT);
  }
  for (int p = 0; p < static_cast<int>(kTargetConfigCapacity); ++p) {
    const TargetConfigRecord& config = target.target_config[p];
    if (p >= KX_HOST_PORTS) {
      if (!IsZero(&config, sizeof config)) Fail(KXE_NO_SUCH_PORT);
      continue;
    }
    if (config.single < 0 || config.single >= KX_TARGET_IDS) {
      Fail(KXE_INVALID_ARGUMENT);
    }
    for (int t = 0; t < KX_TARGET_IDS; ++t) {
      if (config.multi[t] > 1) Fail(KXE_INVALID_ARGUMENT);
      for (uint8_t flag : config.mapping[t].lun) {
        if (flag > 1) Fail(KXE_INVALID_ARGUMENT);
      }
    }
  }
}

void StoreTargetId(Database& database, int64_t unit_id, int controller,
                   TargetIdRecord target) {
  CheckTargetId(target);
  target.ctrl_flag = 1;
  StoreSetting(database, unit_id, SettingName("target", controller), target);
}

// One line of a target-ID file; see docs/connectivity.md.
void ApplyTargetLine(Database& database, const char* file_name,
                     const ImportLine& line, TargetIdRecord (&targets)[2]) {
  const std::vector<std::string> words = Words(line.text);
  const Refuser refuse{database, file_name, line.number};
  const std::string& keyword = words[0];
  if (keyword != "mode" && keyword != "single" && keyword != "multi" &&
      keyword != "luns") {
    refuse("unknown keyword '" + keyword + "'");
  }
  const size_t expected = keyword == "luns" ? 5 : keyword == "mode" ? 3 : 4;
  if (words.size() != expected) {
    refuse(keyword == "luns"   ? "expected: luns CONTROLLER PORT ID LUNS"
           : keyword == "mode" ? "expected: mode CONTROLLER single|multi"
                               : "expected: " + keyword +
                                     " CONTROLLER PORT ID");
  }
  const int64_t controller =
      refuse.Number(words[1], 0, 1, "controller must be 0 or 1");
  if (keyword == "mode") {
    if (words[2] != "single" && words[2] != "multi") {
      refuse("mode must be single or multi");
    }
    targets[controller].target_id_mode =
        words[2] == "multi" ? KX_TARGET_MODE_MULTI : KX_TARGET_MODE_SINGLE;
    return;
  }
  const int64_t port =
      refuse.Number(words[2], 0, KX_HOST_PORTS - 1, "port must be 0 or 1");
  TargetConfigRecord& config = targets[controller].target_config[port];
  if (keyword == "multi") {
    const auto ids = ParseList(words[3], 0, KX_TARGET_IDS - 1);
    if (!ids) refuse("target IDs must be a list of 0..15");
    for (int64_t id : *ids) config.multi[id] = 1;
    return;
  }
  const int64_t id = refuse.Number(words[3], 0, KX_TARGET_IDS - 1,
                                   "target ID must be 0..15");
  if (keyword == "single") {
    config.single = static_cast<int8_t>(id);
    return;
  }
  const auto luns = ParseList(words[4], 0, kTargetLunCapacity - 1);
  if (!luns) refuse("host LUNs must be a list of 0..127");
  for (int64_t lun : *luns) config.mapping[id].lun[lun] = 1;
}

}  // namespace

// --- Used by the set-up wizard ---------------------------------------------------

namespace {
// The code a check fails the work with, or KX_OK. The checks read nothing
// from the database, so catching their failure leaves no work half done.
template <typename Check>
int32_t FaultOf(const Check& check) {
  try {
    check();
  } catch (const StationFailure& failure) {
    return failure.code;
  }
  return KX_OK;
}
}  // namespace

LANInformationRecord ControllerLan(Database& database, int64_t unit_id,
                                   int controller, bool as_new) {
  return LoadLan(database, unit_id, controller, as_new);
}
SyncControlRecord ControllerSync(Database& database, int64_t unit_id,
                                 int controller, bool as_new) {
  return LoadSync(database, unit_id, controller, as_new);
}
TargetIdRecord ControllerTargetId(Database& database, int64_t unit_id,
                                  int controller, bool as_new) {
  return LoadTargetId(database, unit_id, controller, as_new);
}

int32_t LanFault(const LANInformationRecord& lan) {
  return FaultOf([&] { CheckLan(lan); });
}
int32_t SyncFault(const SyncControlRecord& sync) {
  return FaultOf([&] { CheckSync(sync); });
}
int32_t TargetIdFault(const TargetIdRecord& target) {
  return FaultOf([&] { CheckTargetId(target); });
}

void StoreControllerLan(Database& database, int64_t unit_id, int controller,
                        const LANInformationRecord& record) {
  LANInformationRecord lan = record;
  WriteFixedText(EtherAddress(unit_id, controller), lan.ether,
                 sizeof lan.ether);
  StoreSetting(database, unit_id, SettingName("lan", controller), lan);
}
void StoreControllerSync(Database& database, int64_t unit_id, int controller,
                         const SyncControlRecord& sync) {
  StoreSetting(database, unit_id, SettingName("sync", controller),
               CheckSync(sync));
}
void StoreControllerTargetId(Database& database, int64_t unit_id,
                             int controller, const TargetIdRecord& target) {
  StoreTargetId(database, unit_id, controller, target);
}

}  // namespace tesk740

using tesk740::Database;
using tesk740::Fail;
using tesk740::Station;

KX_API int32_t KX_GetLANInformation(const char* unit, int32_t controller,
                                    LANInformationRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RequireController(controller);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    *record = tesk740::LoadLan(database, unit_id, controller);
    return KX_OK;
  });
}

KX_API int32_t KX_SetLANInformation(const char* unit, int32_t controller,
                                    const LANInformationRecord* record,
                                    int32_t reserved) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "LAN settings set");
    tesk740::RequireController(controller);
    if (record == nullptr || reserved != 0) return KXE_INVALID_ARGUMENT;
    tesk740::CheckLan(*record);
    const LANInformationRecord other =
        tesk740::LoadLan(database, unit_id, 1 - controller);
    if (tesk740::FieldText(other.ip_address) ==
        tesk740::FieldText(record->ip_address)) {
      return KXE_DUPLICATE_ADDRESS;
    }
    tesk740::StoreControllerLan(database, unit_id, controller, *record);
    return KX_OK;
  });
}

KX_API int32_t KX_GetSyncControl(const char* unit, int32_t controller,
                                 SyncControlRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RequireController(controller);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    *record = tesk740::LoadSync(database, unit_id, controller);
    return KX_OK;
  });
}

KX_API int32_t KX_SetSyncControl(const char* unit, int32_t controller,
                                 const SyncControlRecord* record,
                                 int32_t reserved) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "sync control set");
    tesk740::RequireController(controller);
    if (record == nullptr || reserved != 0) return KXE_INVALID_ARGUMENT;
    tesk740::StoreSetting(database, unit_id,
                          tesk740::SettingName("sync", controller),
                          tesk740::CheckSync(*record));
    return KX_OK;
  });
}

KX_API int32_t KX_GetTargetId(const char* unit, int32_t reserved,
                              TargetIdRecord* first, TargetIdRecord* second) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (reserved != 0 || first == nullptr || second == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    *first = tesk740::LoadTargetId(database, unit_id, 0);
    *second = tesk740::LoadTargetId(database, unit_id, 1);
    return KX_OK;
  });
}

KX_API int32_t KX_SetTargetId(const char* unit, int32_t controller,
                              const TargetIdRecord* record, int32_t reserved) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "target IDs set");
    tesk740::RequireController(controller);
    if (record == nullptr || reserved != 0) return KXE_INVALID_ARGUMENT;
    tesk740::StoreTargetId(database, unit_id, controller, *record);
    return KX_OK;
  });
}

KX_API int32_t KX_TargetIdImport(const char* unit, const char* file_name,
                                 TargetIdRecord* first,
                                 TargetIdRecord* second) {
  const tesk740::ImportFile file = tesk740::ReadImportFile(file_name);
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordConnectivityEvent(database, unit_id, "connectivity-changed",
                                     "target IDs imported");
    if (file_name == nullptr || first == nullptr || second == nullptr) {
      return KXE_INVALID_ARGUMENT;
    }
    const std::string& path = file.path;
    // The file describes the whole configuration: everything it does not
    // set is back to the defaults.
    TargetIdRecord targets[2] = {};
    for (const tesk740::ImportLine& line : tesk740::ImportLines(file)) {
      tesk740::ApplyTargetLine(database, path.c_str(), line, targets);
    }
    for (int controller = 0; controller < 2; ++controller) {
      tesk740::StoreTargetId(database, unit_id, controller,
                             targets[controller]);
    }
    tesk740::ClearImportReport(database);
    *first = tesk740::LoadTargetId(database, unit_id, 0);
    *second = tesk740::LoadTargetId(database, unit_id, 1);
    return KX_OK;
  });
}
