// The set-up wizard: the wizard parameter record read, tested and written
// whole, the target-ID import, the current wizard parameters and the
// configuration file.
//
// The record is composed from the places that own its values, so it always
// agrees with the individual areas: command_que, web_title, add_bat_unit and
// the controllers' error_out/write_verify switches belong to the online
// system parameters, the controller names and name modes to the unit
// identifier, the drive capacities to the drives of the unit, the LAN
// settings, target IDs and synchronous ports to host connectivity (checked
// by connectivity's own rules). Everything else (port types, options, mode
// and inquiry settings) is kept in the wizard's own setting. A set checks the
// whole record first and then writes every owner in one transaction.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "connectivity/connectivity.h"
#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_parameters.h"
#include "kx_wizard.h"
#include "model/registry.h"
#include "model/slots.h"
#include "parameters/parameters.h"
#include "station/fixed_text.h"
#include "station/settings.h"
#include "station/sha256.h"

namespace tesk740 {
namespace {

constexpr const char kWizardSetting[] = "wizard.record";
constexpr const char kConfigurationFileKind[] = "KX-CONFIGURATION";

// The wizard's target-ID and synchronous-port parts are byte for byte the
// records of host connectivity, so they are copied whole.
static_assert(sizeof(WZTargetIdRecord) == sizeof(TargetIdRecord) &&
                  offsetof(WZTargetIdRecord, target_config) ==
                      offsetof(TargetIdRecord, target_config) &&
                  sizeof(WZTargetConfigRecord) == sizeof(TargetConfigRecord) &&
                  offsetof(WZTargetConfigRecord, mapping) ==
                      offsetof(TargetConfigRecord, mapping),
              "target-ID layouts");
static_assert(sizeof(WZSyncControlRecord) == sizeof(SyncControlRecord),
              "synchronous-port layouts");

// A record copied into the other area's type of the same layout.
template <typename To, typename From>
To SameLayout(const From& from) {
  static_assert(sizeof(To) == sizeof(From), "same layout");
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}
TargetIdRecord ToConnectivity(const WZTargetIdRecord& wizard) {
  return SameLayout<TargetIdRecord>(wizard);
}
WZTargetIdRecord FromConnectivity(const TargetIdRecord& target) {
  return SameLayout<WZTargetIdRecord>(target);
}
SyncControlRecord ToConnectivity(const WZSyncControlRecord& wizard) {
  return SameLayout<SyncControlRecord>(wizard);
}
WZSyncControlRecord FromConnectivity(const SyncControlRecord& sync) {
  return SameLayout<WZSyncControlRecord>(sync);
}
// The LAN parts hold the same fields in another order (docs/parameters.md).
LANInformationRecord ToConnectivity(const WZLanConfigRecord& wizard) {
  LANInformationRecord lan{};
  lan.dhcp = static_cast<int8_t>(wizard.dhcp_mode);
  std::memcpy(lan.ip_address, wizard.ip_address, sizeof lan.ip_address);
  std::memcpy(lan.subnet, wizard.subnet, sizeof lan.subnet);
  std::memcpy(lan.gateway, wizard.gateway, sizeof lan.gateway);
  std::memcpy(lan.ether, wizard.ether, sizeof lan.ether);
  lan.lan_connect = static_cast<int8_t>(wizard.lan_connect);
  return lan;
}
WZLanConfigRecord FromConnectivity(const LANInformationRecord& lan) {
  WZLanConfigRecord wizard{};
  wizard.lan_connect = static_cast<uint8_t>(lan.lan_connect);
  wizard.dhcp_mode = static_cast<uint8_t>(lan.dhcp);
  std::memcpy(wizard.ip_address, lan.ip_address, sizeof wizard.ip_address);
  std::memcpy(wizard.subnet, lan.subnet, sizeof wizard.subnet);
  std::memcpy(wizard.gateway, lan.gateway, sizeof wizard.gateway);
  std::memcpy(wizard.ether, lan.ether, sizeof wizard.ether);
  return wizard;
}

bool InRange(int64_t value, int64_t low, int64_t high) {
  return value >= low && value <= high;
}

void Text(char* field, size_t width, std::string_view text) {
  WriteFixedText(text, field, width);
}

template <size_t N>
void CanonicalText(char (&field)[N]) {
  const void* end = std::memchr(field, '\0', N);
  const size_t length =
      end ? static_cast<size_t>(static_cast<const char*>(end) - field) : N - 1;
  std::memset(field + length, 0, N - length);
}

// --- Defaults and composition --------------------------------------------

WizardParamRecord WizardDefaults(int64_t unit_id) {
  WizardParamRecord record{};
  WZDualConfigRecord& dual = record.dual_conf;
  dual.data_share = KX_SWITCH_ON;
  dual.id_taking_over = KX_SWITCH_ON;
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08lld",
                static_cast<long long>(unit_id % 100000000));
  Text(dual.serial, sizeof dual.serial, serial);
  for (WZPortTypeRecord& port : record.port_type) {
    port.port_mode[0] = port.port_mode[1] = 1;
  }
  record.mode_param.striping = 1;
  record.mode_param.buzzer = KX_SWITCH_ON;
  WZInquiryRecord& inquiry = record.inquiry;
  inquiry.ansi_version = 3;
  inquiry.cache_mode = 1;
  Text(inquiry.vendor, sizeof inquiry.vendor, "KORVANE");
  Text(inquiry.product, sizeof inquiry.product, "KX-ARRAY");
  Text(inquiry.rom_micro, sizeof inquiry.rom_micro, "01");
  Text(inquiry.ram_micro, sizeof inquiry.ram_micro, "01");
  return record;
}

// The capacities the unit's drives give: row 0 counts the 146 GB drives,
// row 1 the 300 GB drives.
WZDriveCapacityRecord DriveCapacities() {
  WZDriveCapacityRecord capacity{};
  for (int port = 0; port < KX_DRIVE_PORTS; ++port) {
    for (int row = 0; row < KX_DRIVE_ROWS; ++row) {
      const std::optional<int32_t> last_lba = DriveLastLba(port, row);
      if (!last_lba) continue;
      ++capacity.row[*last_lba == KX_SMALL_DRIVE_LAST_LBA ? 0 : 1];
    }
  }
  return capacity;
}

// Copies the values that other areas own into the record; with `as_new`,
// connectivity's values of a unit on which nothing was set.
void Overlay(Database& database, int64_t unit_id, bool as_new,
             const OnlineSystemParamRecord& system,
             const UnitIdentifierRecord& identifier,
             WizardParamRecord* record) {
  record->drive_capacity = DriveCapacities();
  record->inquiry.command_que = system.command_que;
  std::memcpy(record->inquiry.web_title, system.web_title,
              sizeof record->inquiry.web_title);
  record->dual_conf.add_bat_unit = system.add_bat_unit;
  for (int i = 0; i < 2; ++i) {
    WZControllerOptionRecord& option = record->ctl_opt[i];
    option.error_out_mode = system.ctl[i].error_out;
    option.write_verify_mode = system.ctl[i].write_verify;
    option.id_mode = identifier.ctl[i].ctrl_name_mode;
    std::memcpy(option.id_front, identifier.ctl[i].id_front,
                sizeof option.id_front);
    std::memcpy(option.id_rear, identifier.ctl[i].id_rear,
                sizeof option.id_rear);
    record->lan_conf[i] =
        FromConnectivity(ControllerLan(database, unit_id, i, as_new));
    record->target_id[i] =
        FromConnectivity(ControllerTargetId(database, unit_id, i, as_new));
    record->sync_control[i] =
        FromConnectivity(ControllerSync(database, unit_id, i, as_new));
  }
}

int32_t CheckWizard(const WizardParamRecord& record,
                    const WizardParamRecord& current);

// The wizard's own setting. Stations written before connectivity owned the
// LAN, target-ID and synchronous-port parts hold copies of them there; those
// bytes are never read (connectivity's values replace them) and are stored
// as zeros from the next set on, so the setting keeps its size and layout.
// The stored part is checked whole once composed with the values the other
// areas keep, as Set checks it (ComposeWizard).
WizardParamRecord StoredWizard(Database& database, int64_t unit_id) {
  const WizardParamRecord record =
      LoadSetting(database, unit_id, kWizardSetting, WizardDefaults(unit_id),
                  [](const WizardParamRecord&) {});
  return record;
}

WizardParamRecord ComposeWizard(Database& database, int64_t unit_id) {
  WizardParamRecord record = StoredWizard(database, unit_id);
  Overlay(database, unit_id, false, LoadOnlineSystem(database, unit_id),
          LoadIdentifier(database, unit_id), &record);
  // A stored value outside its range was not written by this station.
  if (CheckWizard(record, record) != KX_OK) Fail(KXE_STATION_DAMAGED);
  return record;
}

// --- Checks ---------------------------------------------------------------

bool IsOptionWord(int32_t value) {
  return InRange(value, 0, KX_OPTION_WORD_MAX);
}

bool IsOption(const WZOptionRecord& option) {
  return IsOptionWord(option.common) && IsOptionWord(option.scsi) &&
         IsOptionWord(option.fibre);
}

template <typename T>
bool AllZero(const T& value) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
  for (size_t i = 0; i < sizeof value; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// Target IDs follow connectivity's rules (KX_SetTargetId); a fault that
// goes away with the LUN lists cleared is in the lists.
int32_t CheckTargetId(const WZTargetIdRecord& target) {
  TargetIdRecord checked = ToConnectivity(target);
  if (TargetIdFault(checked) == KX_OK) return KX_OK;
  for (TargetConfigRecord& config : checked.target_config) {
    std::memset(config.mapping, 0, sizeof config.mapping);
  }
  return TargetIdFault(checked) == KX_OK ? KXE_WIZARD_TARGET_LU
                                         : KXE_WIZARD_TARGET_ID;
}

std::string_view FieldView(const char* field, size_t width) {
  const void* end = std::memchr(field, '\0', width);
  return std::string_view(
      field, end ? static_cast<size_t>(static_cast<const char*>(end) - field)
                 : width);
}

// LAN settings follow connectivity's rules (KX_SetLANInformation), which
// also keeps the two controllers' addresses apart. A controller's part that
// is what the unit reports now is taken as it is:
// a unit registered under a name rather than an address reports no address
// until one is set, and its own record must still pass.
int32_t CheckLan(const WizardParamRecord& record,
                 const WizardParamRecord& current) {
  bool changed = false;
  for (int i = 0; i < 2; ++i) {
    if (std::memcmp(&record.lan_conf[i], &current.lan_conf[i],
                    sizeof record.lan_conf[i]) == 0) {
      continue;
    }
    changed = true;
    if (LanFault(ToConnectivity(record.lan_conf[i])) != KX_OK) {
      return KXE_WIZARD_LAN;
    }
  }
  if (changed &&
      FieldView(record.lan_conf[0].ip_address,
                sizeof record.lan_conf[0].ip_address) ==
          FieldView(record.lan_conf[1].ip_address,
                    sizeof record.lan_conf[1].ip_address)) {
    return KXE_WIZARD_LAN;
  }
  return KX_OK;
}

// The first wrong part in the order of the record's fields; `current` is the
// unit's record now.
int32_t CheckWizard(const WizardParamRecord& record,
                    const WizardParamRecord& current) {
  if (!IsSwitch(record.fd_backup)) return KXE_WIZARD_FD_BACKUP;

  const WZDualConfigRecord& dual = record.dual_conf;
  bool dual_ok = IsSwitch(dual.startup_attr) && IsSwitch(dual.data_share) &&
                 dual.spare_disk == 0 &&
                 InRange(dual.connection_mode, 0, 2) &&
                 IsPrintableText(dual.serial, sizeof dual.serial) &&
                 IsSwitch(dual.id_taking_over) &&
                 InRange(dual.delay_time, 0, 60) &&
                 IsSwitch(dual.hp2_support) && IsSwitch(dual.add_bat_unit);
  for (int8_t port : dual.port_d_ctl) dual_ok = dual_ok && IsSwitch(port);
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) {
      dual_ok = dual_ok && InRange(dual.port_cnnct_mode1[r][c], 0, 2) &&
                InRange(dual.port_cnnct_mode2[r][c], 0, 2);
    }
  }
  if (!dual_ok) return KXE_WIZARD_DUAL_CONFIG;

  const WZDriveCapacityRecord expected = DriveCapacities();
  if (std::memcmp(&record.drive_capacity, &expected, sizeof expected) != 0) {
    return KXE_WIZARD_DRIVE_CAPACITY;
  }
  if (!IsOption(record.option) || !IsOption(record.e_option) ||
      !IsOption(record.e_option2)) {
    return KXE_WIZARD_OPTION;
  }
  for (const WZTargetIdRecord& target : record.target_id) {
    if (const int32_t code = CheckTargetId(target)) return code;
  }

  const WZModeParamRecord& mode = record.mode_param;
  if (!InRange(mode.striping, 0, 3) || !IsSwitch(mode.buzzer) ||
      !IsSwitch(mode.lu_size_report) || !IsSwitch(mode.reset) ||
      !InRange(mode.failures, 0, 2)) {
    return KXE_WIZARD_MODE;
  }

  const WZInquiryRecord& inquiry = record.inquiry;
  if (!IsSwitch(inquiry.command_que) || !InRange(inquiry.ansi_version, 2, 5) ||
      !InRange(inquiry.cache_mode, 0, 2) ||
      !IsPrintableText(inquiry.vendor, sizeof inquiry.vendor, 1) ||
      !IsPrintableText(inquiry.product, sizeof inquiry.product, 1) ||
      !IsPrintableText(inquiry.rom_micro, sizeof inquiry.rom_micro) ||
      !IsPrintableText(inquiry.ram_micro, sizeof inquiry.ram_micro) ||
      !IsPrintableText(inquiry.web_title, sizeof inquiry.web_title) ||
      !IsSwitch(inquiry.link_separation)) {
    return KXE_WIZARD_INQUIRY;
  }

  for (const WZPortTypeRecord& port : record.port_type) {
    if (!IsSwitch(port.port_type)) return KXE_WIZARD_PORT_TYPE;
    for (int p = 0; p < static_cast<int>(kWizardPortOptions); ++p) {
      const bool used = p < KX_WIZARD_HOST_PORTS;
      if (used ? !InRange(port.port_mode[p], 0, 3) || !IsOption(port.port_option[p])
               : port.port_mode[p] != 0 || !AllZero(port.port_option[p])) {
        return KXE_WIZARD_PORT_TYPE;
      }
    }
  }
  for (const WZRomResponseRecord& rom : record.rom_response) {
    if (!IsSwitch(rom.mode)) return KXE_WIZARD_ROM_RESPONSE;
    for (int32_t value : rom.port_save_data) {
      if (!IsOptionWord(value)) return KXE_WIZARD_ROM_RESPONSE;
    }
  }
  for (const WZControllerOptionRecord& option : record.ctl_opt) {
    if (!IsSwitch(option.id_mode) ||
        !IsPrintableText(option.id_front, sizeof option.id_front) ||
        !IsPrintableText(option.id_rear, sizeof option.id_rear) ||
        !IsSwitch(option.error_out_mode) ||
        !IsSwitch(option.write_verify_mode)) {
      return KXE_WIZARD_CONTROLLER_OPTION;
    }
  }
  if (const int32_t code = CheckLan(record, current)) return code;
  // Synchronous ports follow connectivity's rules (KX_SetSyncControl).
  for (const WZSyncControlRecord& sync : record.sync_control) {
    if (SyncFault(ToConnectivity(sync)) != KX_OK) return KXE_WIZARD_SYNC_PORT;
  }
  return KX_OK;
}

// --- Applying ---------------------------------------------------------------

void CanonicalWizard(WizardParamRecord* record) {
  CanonicalText(record->dual_conf.serial);
  std::memset(record->dual_conf.unused_29, 0,
              sizeof record->dual_conf.unused_29);
  WZInquiryRecord& inquiry = record->inquiry;
  CanonicalText(inquiry.vendor);
  CanonicalText(inquiry.product);
  CanonicalText(inquiry.rom_micro);
  CanonicalText(inquiry.ram_micro);
  CanonicalText(inquiry.web_title);
  std::memset(inquiry.unused_77, 0, sizeof inquiry.unused_77);
  for (int i = 0; i < 2; ++i) {
    CanonicalText(record->ctl_opt[i].id_front);
    CanonicalText(record->ctl_opt[i].id_rear);
    WZLanConfigRecord& lan = record->lan_conf[i];
    CanonicalText(lan.ip_address);
    CanonicalText(lan.subnet);
    CanonicalText(lan.gateway);
    CanonicalText(lan.ether);
  }
}

// Writes a checked record to every owner of its values; `current` is the
// unit's record it was checked against.
void ApplyWizard(Database& database, int64_t unit_id,
                 const WizardParamRecord& given,
                 const WizardParamRecord& current) {
  WizardParamRecord record = given;
  CanonicalWizard(&record);
  for (int i = 0; i < 2; ++i) {
    // A LAN part the unit already reports is left as it is stored (or not).
    if (std::memcmp(&given.lan_conf[i], &current.lan_conf[i],
                    sizeof given.lan_conf[i]) != 0) {
      StoreControllerLan(database, unit_id, i,
                         ToConnectivity(record.lan_conf[i]));
    }
    StoreControllerTargetId(database, unit_id, i,
                            ToConnectivity(record.target_id[i]));
    StoreControllerSync(database, unit_id, i,
                        ToConnectivity(record.sync_control[i]));
  }
  WizardParamRecord own = record;
  std::memset(own.target_id, 0, sizeof own.target_id);
  std::memset(own.lan_conf, 0, sizeof own.lan_conf);
  std::memset(own.sync_control, 0, sizeof own.sync_control);
  StoreSetting(database, unit_id, kWizardSetting, own);

  OnlineSystemParamRecord system = LoadOnlineSystem(database, unit_id);
  system.command_que = static_cast<uint8_t>(record.inquiry.command_que);
  std::memcpy(system.web_title, record.inquiry.web_title,
              sizeof system.web_title);
  system.add_bat_unit = static_cast<uint8_t>(record.dual_conf.add_bat_unit);
  UnitIdentifierRecord identifier = LoadIdentifier(database, unit_id);
  for (int i = 0; i < 2; ++i) {
    const WZControllerOptionRecord& option = record.ctl_opt[i];
    system.ctl[i].error_out = static_cast<uint8_t>(option.error_out_mode);
    system.ctl[i].write_verify = static_cast<uint8_t>(option.write_verify_mode);
    identifier.ctl[i].ctrl_name_mode = option.id_mode;
    std::memcpy(identifier.ctl[i].id_front, option.id_front,
                sizeof identifier.ctl[i].id_front);
    std::memcpy(identifier.ctl[i].id_rear, option.id_rear,
                sizeof identifier.ctl[i].id_rear);
  }
  StoreOnlineSystem(database, unit_id, system);
  StoreIdentifier(database, unit_id, identifier);
}

int32_t RequireText(const char* text) {
  if (text == nullptr || std::memchr(text, '\0', kLongNameSize) == nullptr) {
    return KXE_INVALID_ARGUMENT;
  }
  return KX_OK;
}

// --- Target-ID import text ---------------------------------------------------

bool ParseNumber(std::string_view text, int64_t low, int64_t high,
                 int64_t* value) {
  if (text.empty() || text.size() > 4) return false;
  int64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  if (result < low || result > high) return false;
  *value = result;
  return true;
}

// Applies one import text to a controller's target IDs.
int32_t ImportTargetText(std::string_view text, WZTargetIdRecord* target) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find_first_of(" \t\r\n;", at);
    const std::string_view item =
        text.substr(at, end == std::string_view::npos ? end : end - at);
    at = end == std::string_view::npos ? text.size() : end + 1;
    if (item.empty()) continue;
    const size_t equals = item.find('=');
    if (equals == std::string_view::npos) return KXE_WIZARD_IMPORT_TEXT;
    const std::string_view key = item.substr(0, equals);
    const std::string_view value = item.substr(equals + 1);
    if (key == "mode") {
      if (value == "single") {
        target->target_id_mode = 0;
      } else if (value == "multi") {
        target->target_id_mode = 1;
      } else {
        return KXE_WIZARD_IMPORT_TEXT;
      }
      continue;
    }
    int64_t number = 0;
    if (key == "flag") {
      if (!ParseNumber(value, 0, 1, &number)) return KXE_WIZARD_IMPORT_TEXT;
      target->ctrl_flag = static_cast<int32_t>(number);
      continue;
    }
    const size_t dot = key.find('.');
    int64_t port = 0;
    if (dot == std::string_view::npos ||
        !ParseNumber(key.substr(0, dot), 0, KX_WIZARD_HOST_PORTS - 1, &port)) {
      return KXE_WIZARD_IMPORT_TEXT;
    }
    WZTargetConfigRecord& config = target->target_config[port];
    const std::string_view what = key.substr(dot + 1);
    if (what == "single") {
      if (!ParseNumber(value, 0, KX_WIZARD_TARGET_MAX, &number)) {
        return KXE_WIZARD_IMPORT_TEXT;
      }
      config.single = static_cast<int8_t>(number);
      continue;
    }
    int64_t target_number = 0;
    if (!ParseNumber(what, 0, KX_WIZARD_TARGET_MAX, &target_number)) {
      return KXE_WIZARD_IMPORT_TEXT;
    }
    WZTargetLunListRecord list{};
    size_t from = 0;
    while (from <= value.size()) {
      const size_t comma = value.find(',', from);
      const std::string_view range = value.substr(
          from, comma == std::string_view::npos ? comma : comma - from);
      from = comma == std::string_view::npos ? value.size() + 1 : comma + 1;
      const size_t dash = range.find('-');
      int64_t first = 0;
      int64_t last = 0;
      if (!ParseNumber(range.substr(0, dash), 0, 9999, &first) ||
          (dash == std::string_view::npos
               ? (last = first, false)
               : !ParseNumber(range.substr(dash + 1), first, 9999, &last))) {
        return KXE_WIZARD_IMPORT_TEXT;
      }
      // One byte per host LUN, as in connectivity's target IDs.
      if (last >= static_cast<int64_t>(sizeof list.lun)) {
        return KXE_WIZARD_TARGET_LU;
      }
      for (int64_t n = first; n <= last; ++n) list.lun[n] = 1;
    }
    config.multi[target_number] = KX_SWITCH_ON;
    config.mapping[target_number] = list;
  }
  return KX_OK;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;

KX_API int32_t KX_GetWizardParam(const char* unit, const char* text,
                                 int32_t source, WizardParamRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (const int32_t code = tesk740::RequireText(text)) return code;
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    if (source == KX_WIZARD_CURRENT) {
      *record = tesk740::ComposeWizard(database, unit_id);
    } else if (source == KX_WIZARD_DEFAULTS) {
      WizardParamRecord defaults = tesk740::WizardDefaults(unit_id);
      tesk740::Overlay(database, unit_id, true, tesk740::DefaultOnlineSystem(),
                       tesk740::DefaultIdentifier(unit_id), &defaults);
      *record = defaults;
    } else {
      return KXE_INVALID_ARGUMENT;
    }
    return KX_OK;
  });
}

KX_API int32_t KX_TestWizardParam(const char* unit,
                                  const WizardParamRecord* record,
                                  const char* text, int32_t arg) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (const int32_t code = tesk740::RequireText(text)) return code;
    if (record == nullptr || arg != 0) return KXE_INVALID_ARGUMENT;
    return tesk740::CheckWizard(*record,
                                tesk740::ComposeWizard(database, unit_id));
  });
}

KX_API int32_t KX_SetWizardParam(const char* unit,
                                 const WizardParamRecord* record,
                                 const char* text, int32_t arg) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordParameterEvent(database, unit_id, "set-up wizard applied");
    if (const int32_t code = tesk740::RequireText(text)) return code;
    if (record == nullptr || arg != 0) return KXE_INVALID_ARGUMENT;
    const WizardParamRecord current = tesk740::ComposeWizard(database, unit_id);
    if (const int32_t code = tesk740::CheckWizard(*record, current)) {
      return code;
    }
    tesk740::ApplyWizard(database, unit_id, *record, current);
    return KX_OK;
  });
}

KX_API int32_t KX_WZTargetIdImport(const char* unit, const char* first_text,
                                   const char* second_text, int32_t start,
                                   WZTargetIdRecord* first,
                                   WZTargetIdRecord* second) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (const int32_t code = tesk740::RequireText(first_text)) return code;
    if (const int32_t code = tesk740::RequireText(second_text)) return code;
    if (first == nullptr || second == nullptr) return KXE_INVALID_ARGUMENT;
    WZTargetIdRecord targets[2] = {};
    if (start == KX_IMPORT_FROM_UNIT) {
      const WizardParamRecord current =
          tesk740::ComposeWizard(database, unit_id);
      targets[0] = current.target_id[0];
      targets[1] = current.target_id[1];
    } else if (start != KX_IMPORT_FROM_EMPTY) {
      return KXE_INVALID_ARGUMENT;
    }
    const char* texts[2] = {first_text, second_text};
    for (int i = 0; i < 2; ++i) {
      if (const int32_t code =
              tesk740::ImportTargetText(texts[i], &targets[i])) {
        return code;
      }
    }
    *first = targets[0];
    *second = targets[1];
    return KX_OK;
  });
}

KX_API int32_t KX_GetNowWZParam(const char* unit, int32_t controller,
                                NowWZParameterRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr || !tesk740::IsController(controller)) {
      return KXE_INVALID_ARGUMENT;
    }
    const WizardParamRecord wizard = tesk740::ComposeWizard(database, unit_id);
    const UnitIdentifierRecord identifier =
        tesk740::LoadIdentifier(database, unit_id);
    NowWZParameterRecord now{};
    now.fd_backup = wizard.fd_backup;
    const WZPortTypeRecord& port = wizard.port_type[controller];
    for (int c = 0; c < KX_WIZARD_HOST_PORTS; ++c) {
      now.port_option.mode[0][c] = port.port_option[c].common;
      now.port_option.mode[1][c] = port.port_option[c].scsi;
      now.port_option.mode[2][c] = port.port_option[c].fibre;
    }
    now.port_option.hp2_support = wizard.dual_conf.hp2_support;
    const ControllerInfoRecord& ctl = identifier.ctl[controller];
    std::memcpy(now.ctrl_id.id_front, ctl.id_front, sizeof now.ctrl_id.id_front);
    std::memcpy(now.ctrl_id.id_rear, ctl.id_rear, sizeof now.ctrl_id.id_rear);
    now.ctrl_id.ctrl_name_mode = ctl.ctrl_name_mode;
    *record = now;
    return KX_OK;
  });
}

KX_API int32_t KX_SetNowWZParam(const char* unit, int32_t controller,
                                const NowWZParameterRecord* record) {
  // The settings go into a copy of the wizard record, which is then checked
  // and applied like a full wizard record.
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordParameterEvent(database, unit_id, "set-up wizard applied");
    if (record == nullptr || !tesk740::IsController(controller)) {
      return KXE_INVALID_ARGUMENT;
    }
    const WizardParamRecord current = tesk740::ComposeWizard(database, unit_id);
    WizardParamRecord wizard = current;
    wizard.fd_backup = record->fd_backup;
    WZPortTypeRecord& port = wizard.port_type[controller];
    for (int c = 0; c < KX_WIZARD_HOST_PORTS; ++c) {
      port.port_option[c].common = record->port_option.mode[0][c];
      port.port_option[c].scsi = record->port_option.mode[1][c];
      port.port_option[c].fibre = record->port_option.mode[2][c];
    }
    wizard.dual_conf.hp2_support = record->port_option.hp2_support;
    WZControllerOptionRecord& option = wizard.ctl_opt[controller];
    option.id_mode = record->ctrl_id.ctrl_name_mode;
    std::memcpy(option.id_front, record->ctrl_id.id_front,
                sizeof option.id_front);
    std::memcpy(option.id_rear, record->ctrl_id.id_rear, sizeof option.id_rear);
    if (const int32_t code = tesk740::CheckWizard(wizard, current)) {
      return code;
    }
    tesk740::ApplyWizard(database, unit_id, wizard, current);
    return KX_OK;
  });
}

KX_API int32_t KX_ConfigExport(const char* unit, const char* path) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    std::string file_path;
    if (const int32_t code = tesk740::ReadPathArgument(path, &file_path)) {
      return code;
    }
    const WizardParamRecord wizard = tesk740::ComposeWizard(database, unit_id);
    tesk740::StationFile file;
    file.model = tesk740::UnitModel(database, unit_id);
    tesk740::Statement name =
        database.Prepare("SELECT unit_name FROM unit WHERE unit_id = ?1");
    name.Bind(1, unit_id);
    if (!name.Step()) return KXE_UNKNOWN_UNIT;
    file.unit = name.Text(0);
    file.entries.push_back(
        {"wizard", tesk740::ToHex(reinterpret_cast<const uint8_t*>(&wizard),
                                  sizeof wizard)});
    return tesk740::WriteStationFile(
        file_path,
        tesk740::ComposeStationFile(tesk740::kConfigurationFileKind, file),
        true);
  });
}

KX_API int32_t KX_ConfigImport(const char* unit, const char* path) {
  // Read before the transaction: the caller's file never holds the station.
  const tesk740::FileArgument argument = tesk740::ReadFileArgument(path);
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordParameterEvent(database, unit_id, "configuration imported");
    if (argument.path_code != KX_OK) return argument.path_code;
    tesk740::StationFile file;
    if (const int32_t code = tesk740::ParseStationFile(
            argument, tesk740::kConfigurationFileKind, &file)) {
      return code;
    }
    if (file.model != tesk740::UnitModel(database, unit_id)) {
      return KXE_FILE_FOREIGN_MODEL;
    }
    const std::string* hex = file.Find("wizard");
    WizardParamRecord wizard;
    if (hex == nullptr || file.entries.size() != 1 ||
        !tesk740::FromHex(*hex, &wizard, sizeof wizard)) {
      return KXE_FILE_DAMAGED;
    }
    const WizardParamRecord current = tesk740::ComposeWizard(database, unit_id);
    if (const int32_t code = tesk740::CheckWizard(wizard, current)) {
      return code;
    }
    tesk740::ApplyWizard(database, unit_id, wizard, current);
    return KX_OK;
  });
}
