// SNMP settings per unit (trap managers, community, trap switches) and the
// SNMP configuration file written from them.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_services.h"
#include "model/clock.h"
#include "model/registry.h"
#include "services/services.h"
#include "services/traps.h"
#include "station/files.h"

namespace tesk740 {
namespace {

struct Manager {
  std::string host;
  int port = KX_SNMP_DEFAULT_PORT;
};

struct SnmpSettings {
  std::string community = "public";
  bool traps = false;
  int32_t kinds = KX_ALERT_DRIVE_BLOCKED | KX_ALERT_DRIVE_REBUILDING |
                  KX_ALERT_GROUP_DEGRADED | KX_ALERT_GROUP_FAILED |
                  KX_ALERT_FORMAT_FAILED | KX_ALERT_PART_FAILED;
  std::vector<Manager> managers;
};

struct TrapKind {
  const char* name;
  int32_t kind;
};
constexpr TrapKind kTrapKinds[] = {
    {"drive_blocked", KX_ALERT_DRIVE_BLOCKED},
    {"drive_rebuilding", KX_ALERT_DRIVE_REBUILDING},
    {"group_degraded", KX_ALERT_GROUP_DEGRADED},
    {"group_failed", KX_ALERT_GROUP_FAILED},
    {"format_failed", KX_ALERT_FORMAT_FAILED},
    {"part_failed", KX_ALERT_PART_FAILED},
};
constexpr int32_t kAllKinds = 0x3F;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Words separated by blanks, commas or semicolons.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (IsBlank(c) || c == ',' || c == ';') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// The managers text: host[:port] words, or "none" for no manager.
int32_t ParseManagers(std::string_view text, std::vector<Manager>* managers) {
  const std::vector<std::string> words = Words(text);
  managers->clear();
  if (words.size() == 1 && words[0] == "none") return KX_OK;
  if (words.empty() || words.size() > static_cast<size_t>(KX_SNMP_MAX_MANAGERS)) {
    return KXE_SNMP_INVALID_MANAGER;
  }
  for (const std::string& word : words) {
    Manager manager;
    if (!ParseHostPort(word, KX_SNMP_DEFAULT_PORT, &manager.host,
                       &manager.port)) {
      return KXE_SNMP_INVALID_MANAGER;
    }
    managers->push_back(manager);
  }
  return KX_OK;
}

bool IsCommunity(std::string_view text) {
  if (text.empty() || text.size() > static_cast<size_t>(KX_SNMP_MAX_COMMUNITY)) {
    return false;
  }
  for (char c : text) {
    if (c <= 0x20 || c >= 0x7F || c == '#') return false;
  }
  return true;
}

// The options text: key=value words. community=NAME; traps=on|off; one
// switch per alert kind (drive_blocked=on ...). Keys not given keep their
// value.
int32_t ParseOptions(std::string_view text, SnmpSettings* settings) {
  for (const std::string& word : Words(text)) {
    const size_t equals = word.find('=');
    if (equals == std::string::npos) return KXE_SNMP_INVALID_SETTING;
    const std::string key = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    if (key == "community") {
      if (!IsCommunity(value)) return KXE_SNMP_INVALID_SETTING;
      settings->community = value;
      continue;
    }
    if (value != "on" && value != "off") return KXE_SNMP_INVALID_SETTING;
    const bool on = value == "on";
    if (key == "traps") {
      settings->traps = on;
      continue;
    }
    bool known = false;
    for (const TrapKind& kind : kTrapKinds) {
      if (key != kind.name) continue;
      settings->kinds = on ? (settings->kinds | kind.kind)
                           : (settings->kinds & ~kind.kind);
      known = true;
    }
    if (!known) return KXE_SNMP_INVALID_SETTING;
  }
  return KX_OK;
}

SnmpSettings LoadSnmp(Database& database, int64_t unit_id) {
  SnmpSettings settings;
  Statement select = database.Prepare(
      "SELECT community, traps, kinds FROM service_snmp WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (select.Step()) {
    settings.community = select.Text(0);
    const int64_t traps = select.Int(1);
    const int64_t kinds = select.Int(2);
    if (!IsCommunity(settings.community) || (traps != 0 && traps != 1) ||
        kinds < 0 || kinds > kAllKinds) {
      Fail(KXE_STATION_DAMAGED);
    }
    settings.traps = traps == 1;
    settings.kinds = static_cast<int32_t>(kinds);
  }
  Statement managers = database.Prepare(
      "SELECT host, port FROM service_snmp_manager WHERE unit_id = ?1"
      " ORDER BY position");
  managers.Bind(1, unit_id);
  while (managers.Step()) {
    Manager manager;
    std::string host;
    int port;
    const int64_t stored_port = managers.Int(1);
    if (!ParseHostPort(managers.Text(0), KX_SNMP_DEFAULT_PORT, &host, &port) ||
        stored_port < 1 || stored_port > 65535 ||
        settings.managers.size() >= static_cast<size_t>(KX_SNMP_MAX_MANAGERS)) {
      Fail(KXE_STATION_DAMAGED);
    }
    manager.host = host;
    manager.port = static_cast<int>(stored_port);
    settings.managers.push_back(manager);
  }
  return settings;
}

void StoreSnmp(Database& database, int64_t unit_id, const SnmpSettings& settings) {
  Statement store = database.Prepare(
      "INSERT INTO service_snmp (unit_id, community, traps, kinds)"
      " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (unit_id) DO UPDATE SET"
      " community = excluded.community, traps = excluded.traps,"
      " kinds = excluded.kinds");
  store.Bind(1, unit_id)
      .Bind(2, settings.community)
      .Bind(3, settings.traps ? 1 : 0)
      .Bind(4, settings.kinds)
      .Run();
  Statement erase =
      database.Prepare("DELETE FROM service_snmp_manager WHERE unit_id = ?1");
  erase.Bind(1, unit_id).Run();
  Statement insert = database.Prepare(
      "INSERT INTO service_snmp_manager (unit_id, position, host, port)"
      " VALUES (?1, ?2, ?3, ?4)");
  for (size_t i = 0; i < settings.managers.size(); ++i) {
    insert.Reset();
    insert.Bind(1, unit_id)
        .Bind(2, static_cast<int64_t>(i))
        .Bind(3, settings.managers[i].host)
        .Bind(4, settings.managers[i].port)
        .Run();
  }
}

std::string ConfigurationText(const std::string& unit,
                              const SnmpSettings& settings) {
  std::string text;
  text += "# SNMP settings of a disk-array unit, written by the management station.\n";
  text += "# One \"key = value\" per line; one manager line per trap destination.\n";
  text += "unit = " + unit + "\n";
  text += "community = " + settings.community + "\n";
  text += std::string("traps = ") + (settings.traps ? "on" : "off") + "\n";
  for (const TrapKind& kind : kTrapKinds) {
    text += std::string("trap.") + kind.name + " = " +
            ((settings.kinds & kind.kind) ? "on" : "off") + "\n";
  }
  for (const Manager& manager : settings.managers) {
    text += "manager = " + manager.host + ":" + std::to_string(manager.port) + "\n";
  }
  return text;
}

// A file name for the unit: bytes other than letters, digits, '.', '-' and
// '_' become '_'.
std::string DefaultFileName(const std::string& unit) {
  std::string name = "snmp-";
  for (char c : unit) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
    name.push_back(plain ? c : '_');
  }
  return name + ".conf";
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7F) {
      return false;
    }
  }
  return true;
}

// The event kinds that send a trap, each with the switches that allow it: a
// fault follows its own switch, its end the switch of the fault it ends. A
// restored drive ends a block and starts a rebuild.
struct TrapEventKind {
  const char* kind;
  int32_t switches;
};
constexpr TrapEventKind kTrapEventKinds[] = {
    {"drive-blocked", KX_ALERT_DRIVE_BLOCKED},
    {"drive-restored", KX_ALERT_DRIVE_BLOCKED | KX_ALERT_DRIVE_REBUILDING},
    {"drive-rebuilt", KX_ALERT_DRIVE_REBUILDING},
    {"group-degraded", KX_ALERT_GROUP_DEGRADED},
    {"group-failed", KX_ALERT_GROUP_FAILED},
    {"group-recovered", KX_ALERT_GROUP_DEGRADED | KX_ALERT_GROUP_FAILED},
    {"format-failed", KX_ALERT_FORMAT_FAILED},
};

int32_t TrapSwitches(const std::string& kind) {
  for (const TrapEventKind& entry : kTrapEventKinds) {
    if (kind == entry.kind) return entry.switches;
  }
  return 0;
}

// A trap variable is a DisplayString: at most 255 bytes, cut between
// characters.
std::string TrapText(const std::string& text) {
  return std::string(CutUtf8(text, 255));
}

// sysUpTime of the trap: the host's monotonic clock in hundredths of a
// second, wrapping as TimeTicks do.
uint32_t UptimeCentiseconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count() /
      10);
}

}  // namespace

void QueueEventTraps(Database& database, int64_t unit_id,
                     const TrapEvent& event) {
  const SnmpSettings settings = LoadSnmp(database, unit_id);
  if (!settings.traps || settings.managers.empty() ||
      (settings.kinds & TrapSwitches(event.kind)) == 0) {
    return;
  }
  TrapMessage message;
  message.community = settings.community;
  message.unit_name = TrapText(event.unit_name);
  message.kind = TrapText(event.kind);
  message.object = TrapText(event.object);
  message.time = UtcStamp(event.time_ms);
  message.uptime_centiseconds = UptimeCentiseconds();
  const std::string directory = StationDirectory(database).u8string();
  for (const Manager& manager : settings.managers) {
    const TrapManager destination{manager.host, manager.port};
    RunAfterCommit(database, [directory, destination, message] {
      const std::string where =
          destination.host + ":" + std::to_string(destination.port);
      const std::string what =
          message.unit_name + " " + message.kind + " (" + message.object + ")";
      if (SendTrap(destination, message)) {
        AppendLog(directory, LogKind::kApplication,
                  "SNMP trap to " + where + ": " + what);
      } else {
        AppendLog(
            directory, LogKind::kError,
            "SNMP trap to " + where + " not sent (no such host?): " + what);
      }
    });
  }
}

}  // namespace tesk740

using namespace tesk740;

// first: the managers ("none" clears them); second: options. An empty text
// leaves its part of the settings as it was.
KX_API int32_t KX_SetSnmpConfig(const char* unit, const char* first,
                                const char* second) {
  std::string managers_text, options_text;
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    if (int32_t code = TryReadText(first, kLongNameSize, &managers_text);
        code != KX_OK) {
      return code;
    }
    if (int32_t code = TryReadText(second, kLongNameSize, &options_text);
        code != KX_OK) {
      return code;
    }
    if (managers_text.empty() && options_text.empty()) return KXE_INVALID_ARGUMENT;
    SnmpSettings settings = LoadSnmp(database, unit_id);
    if (!managers_text.empty()) {
      if (int32_t code = ParseManagers(managers_text, &settings.managers);
          code != KX_OK) {
        return code;
      }
    }
    if (int32_t code = ParseOptions(options_text, &settings); code != KX_OK) {
      return code;
    }
    StoreSnmp(database, unit_id, settings);
    return KX_OK;
  });
}

// first: the directory (absolute, or relative to the station directory;
// empty: the station directory), which must exist; second: the file name
// (a plain name; empty: snmp-<unit>.conf). The file is replaced whole.
KX_API int32_t KX_SnmpConfigOutput(const char* unit, const char* first,
                                   const char* second) {
  std::string directory_text, file_name, contents, station_directory;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    if (int32_t invalid = TryReadText(first, kLongNameSize, &directory_text);
        invalid != KX_OK) {
      return invalid;
    }
    if (int32_t invalid = TryReadText(second, kLongNameSize, &file_name);
        invalid != KX_OK) {
      return invalid;
    }
    std::string name;
    ReadUnitName(unit, kUnitNameSize, &name);
    contents = ConfigurationText(name, LoadSnmp(database, unit_id));
    if (file_name.empty()) file_name = DefaultFileName(name);
    station_directory = StationDirectory(database).u8string();
    return KX_OK;
  });
  if (code != KX_OK) return code;
  if (!IsPlainFileName(file_name)) return KXE_SNMP_OUTPUT;
  namespace fs = std::filesystem;
  fs::path directory = fs::u8path(station_directory);
  if (!directory_text.empty()) directory /= fs::u8path(directory_text);
  std::error_code error;
  if (!fs::is_directory(directory, error)) return KXE_SNMP_OUTPUT;
  // Owner-only: the file holds the community string.
  return WriteFileReplacing(directory / fs::u8path(file_name), contents,
                            NewFileAccess::kOwnerOnly)
             ? KX_OK
             : KXE_SNMP_OUTPUT;
}
