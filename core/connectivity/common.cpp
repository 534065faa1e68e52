// Host connectivity: the area's tables, what other areas consult, the
// permission table shared by the Fibre Channel and WWN views, and the
// reading of import files.
#include <iterator>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>

#include "connectivity/connectivity.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_connectivity.h"
#include "kx_station_maintenance.h"
#include "model/events.h"
#include "station/files.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

// Per unit: host groups with their options, host WWNs, LU mappings, host
// permissions, and per port the host-group security switch. The record-
// shaped settings (LAN, ports, target IDs, Fibre Channel, remote verify)
// live in the settings store.
constexpr const char* kConnectivitySteps[] = {
    R"sql(
      CREATE TABLE conn_host_group (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        controller INTEGER NOT NULL,
        port INTEGER NOT NULL,
        hg INTEGER NOT NULL,
        name TEXT NOT NULL,
        option1 INTEGER NOT NULL DEFAULT 0,
        option2a INTEGER NOT NULL DEFAULT 0,
        option2b INTEGER NOT NULL DEFAULT 0,
        option3 INTEGER NOT NULL DEFAULT 0,
        PRIMARY KEY (unit_id, controller, port, hg)
      );
      CREATE TABLE conn_host_wwn (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        controller INTEGER NOT NULL,
        port INTEGER NOT NULL,
        slot INTEGER NOT NULL,
        node_name TEXT NOT NULL,
        port_name TEXT NOT NULL,
        hostflag INTEGER NOT NULL,
        hg INTEGER NOT NULL,
        nickname TEXT NOT NULL,
        PRIMARY KEY (unit_id, controller, port, slot)
      );
      CREATE TABLE conn_lu_map (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        controller INTEGER NOT NULL,
        port INTEGER NOT NULL,
        hg INTEGER NOT NULL,
        host_lun INTEGER NOT NULL,
        lu INTEGER NOT NULL,
        PRIMARY KEY (unit_id, controller, port, hg, host_lun)
      );
      CREATE INDEX conn_lu_map_lu ON conn_lu_map (unit_id, lu);
      CREATE TABLE conn_permission (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        controller INTEGER NOT NULL,
        port INTEGER NOT NULL,
        slot INTEGER NOT NULL,
        node_name TEXT NOT NULL,
        port_name TEXT NOT NULL,
        n_port_id TEXT NOT NULL,
        bitmap BLOB NOT NULL,
        PRIMARY KEY (unit_id, controller, port, slot)
      );
      CREATE TABLE conn_port (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        controller INTEGER NOT NULL,
        port INTEGER NOT NULL,
        hg_security INTEGER NOT NULL,
        PRIMARY KEY (unit_id, controller, port)
      );
    )sql",
    // 2: the ranges of controllers, ports, host groups, slots, host LUNs
    // and LUs, enforced by the database as well.
    KX_SQL_RANGE_TRIGGERS(
        "conn_host_group",
        KX_SQL_INT_IN("controller", "0", "1") " AND "
        KX_SQL_INT_IN("port", "0", "1") " AND "
        KX_SQL_INT_IN("hg", "0", "127"))
    KX_SQL_RANGE_TRIGGERS(
        "conn_host_wwn",
        KX_SQL_INT_IN("controller", "0", "1") " AND "
        KX_SQL_INT_IN("port", "0", "1") " AND "
        KX_SQL_INT_IN("slot", "0", "127") " AND "
        KX_SQL_INT_IN("hg", "0", "127"))
    KX_SQL_RANGE_TRIGGERS(
        "conn_lu_map",
        KX_SQL_INT_IN("controller", "0", "1") " AND "
        KX_SQL_INT_IN("port", "0", "1") " AND "
        KX_SQL_INT_IN("hg", "0", "127") " AND "
        KX_SQL_INT_IN("host_lun", "0", "255") " AND "
        KX_SQL_INT_IN("lu", "0", "511"))
    KX_SQL_RANGE_TRIGGERS(
        "conn_permission",
        KX_SQL_INT_IN("controller", "0", "1") " AND "
        KX_SQL_INT_IN("port", "0", "1") " AND "
        KX_SQL_INT_IN("slot", "0", "127") " AND length(new.bitmap) = 64")
    KX_SQL_RANGE_TRIGGERS("conn_port",
                          KX_SQL_INT_IN("controller", "0", "1") " AND "
                          KX_SQL_INT_IN("port", "0", "1")),
    // 3: an LU that hosts reach keeps its existence and its number, whatever
    // deletes or renumbers it. Deleting the unit takes its mappings with
    // it: the unit row is gone when the cascade reaches its LUs.
    "CREATE TRIGGER conn_reached_lu_kept BEFORE DELETE ON logical_unit"
    " WHEN EXISTS (SELECT 1 FROM unit WHERE unit_id = old.unit_id) BEGIN "
    KX_SQL_REFUSE_REACHED_LU("old.unit_id", "old.lu_number") " END;"
    "CREATE TRIGGER conn_reached_lu_keeps_number"
    " BEFORE UPDATE OF lu_number ON logical_unit"
    " WHEN new.lu_number <> old.lu_number BEGIN "
    KX_SQL_REFUSE_REACHED_LU("old.unit_id", "old.lu_number") " END;",
};
static_assert(KXE_LU_MAPPED == 4362 && KXE_LU_IN_PERMISSION == 4363,
              "step 3 writes the codes as numbers");
static_assert(KX_HOST_CONTROLLERS == 2 && KX_HOST_PORTS == 2 &&
                  kHostGroupCapacity == 128 && kHostLunCapacity == 256 &&
                  kLunBitmapBytes == 64 && KX_LOGICAL_UNIT_COUNT == 512,
              "step 2 writes the ranges as numbers");
constexpr ColumnRule kConnectivityColumns[] = {
    IntegerColumn("conn_host_group", "controller", 0, 1),
    IntegerColumn("conn_host_group", "port", 0, 1),
    IntegerColumn("conn_host_group", "hg", 0, 127),
    TextColumn("conn_host_group", "name", 0, 8),
    IntegerColumn("conn_host_group", "option1", 0, KX_HG_OPTION_MASK),
    IntegerColumn("conn_host_group", "option2a", 0, KX_HG_OPTION_MASK),
    IntegerColumn("conn_host_group", "option2b", 0, KX_HG_OPTION_MASK),
    IntegerColumn("conn_host_group", "option3", 0, KX_HG_RESPONSE_MODE_MAX),
    IntegerColumn("conn_host_wwn", "controller", 0, 1),
    IntegerColumn("conn_host_wwn", "port", 0, 1),
    IntegerColumn("conn_host_wwn", "slot", 0, 127),
    TextColumn("conn_host_wwn", "node_name", 0, 16),
    TextColumn("conn_host_wwn", "port_name", 0, 16),
    IntegerColumn("conn_host_wwn", "hostflag", 0, 1),
    IntegerColumn("conn_host_wwn", "hg", 0, 127),
    TextColumn("conn_host_wwn", "nickname", 0, 8),
    IntegerColumn("conn_lu_map", "controller", 0, 1),
    IntegerColumn("conn_lu_map", "port", 0, 1),
    IntegerColumn("conn_lu_map", "hg", 0, 127),
    IntegerColumn("conn_lu_map", "host_lun", 0, 255),
    IntegerColumn("conn_lu_map", "lu", 0, 511),
    IntegerColumn("conn_permission", "controller", 0, 1),
    IntegerColumn("conn_permission", "port", 0, 1),
    IntegerColumn("conn_permission", "slot", 0, 127),
    TextColumn("conn_permission", "node_name", 0, 16),
    TextColumn("conn_permission", "port_name", 0, 16),
    TextColumn("conn_permission", "n_port_id", 0, 6),
    BytesColumn("conn_permission", "bitmap", 64, 64),
    IntegerColumn("conn_port", "controller", 0, 1),
    IntegerColumn("conn_port", "port", 0, 1),
    IntegerColumn("conn_port", "hg_security", 0, 1),
};

}  // namespace

const SchemaArea kConnectivitySchema = {"connectivity", kConnectivitySteps, std::size(kConnectivitySteps),
                            kConnectivityColumns, std::size(kConnectivityColumns)};

namespace {

constexpr uintmax_t kMaxImportBytes = 1024 * 1024;

std::filesystem::path ImportReportPath(Database& database) {
  const char* db_file = sqlite3_db_filename(database.handle(), "main");
  if (db_file == nullptr || *db_file == '\0') Fail(KXE_INTERNAL);
  return std::filesystem::u8path(db_file).parent_path() / "import-errors.txt";
}

}  // namespace

std::optional<LanTexts> StoredLan(Database& database, int64_t unit_id,
                                  int controller) {
  const std::string name = "connectivity.lan." + std::to_string(controller);
  if (!LoadSettingBytes(database, unit_id, name)) return std::nullopt;
  const auto lan = LoadSetting<LANInformationRecord>(
      database, unit_id, name, {},
      [](const LANInformationRecord& stored) { RequireOk(LanFault(stored)); });
  return LanTexts{FieldText(lan.ip_address), FieldText(lan.subnet),
                  FieldText(lan.gateway)};
}

int32_t CountHostGroups(Database& database, int64_t unit_id) {
  Statement count = database.Prepare(
      "SELECT count(*) FROM conn_host_group WHERE unit_id = ?1 AND hg <> 0");
  count.Bind(1, unit_id);
  count.Step();
  return static_cast<int32_t>(count.Int(0));
}

int32_t CountPermissions(Database& database, int64_t unit_id) {
  Statement count = database.Prepare(
      "SELECT count(*) FROM conn_permission WHERE unit_id = ?1");
  count.Bind(1, unit_id);
  count.Step();
  return static_cast<int32_t>(count.Int(0));
}

bool IsHostPort(int64_t controller, int64_t port) {
  return controller >= 0 && controller < KX_HOST_CONTROLLERS && port >= 0 &&
         port < KX_HOST_PORTS;
}

void RequireHostPort(int64_t controller, int64_t port) {
  if (!IsHostPort(controller, port)) Fail(KXE_NO_SUCH_PORT);
}

bool IsHex(std::string_view text, size_t digits) {
  if (text.size() != digits) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return lower;
}

std::string FieldText(const char* field, size_t width) {
  const void* end = std::memchr(field, '\0', width);
  if (end == nullptr) Fail(KXE_INVALID_ARGUMENT);
  return std::string(field, static_cast<const char*>(end) - field);
}

bool LuExists(Database& database, int64_t unit_id, int64_t lu_number) {
  Statement select = database.Prepare(
      "SELECT 1 FROM logical_unit WHERE unit_id = ?1 AND lu_number = ?2");
  select.Bind(1, unit_id).Bind(2, lu_number);
  return select.Step();
}

bool IsZero(const void* bytes, size_t size) {
  const auto* at = static_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < size; ++i) {
    if (at[i] != 0) return false;
  }
  return true;
}

std::map<int, Permission> LoadPermissions(Database& database, int64_t unit_id,
                                          int controller, int port) {
  Statement select = database.Prepare(
      "SELECT slot, node_name, port_name, n_port_id, bitmap"
      " FROM conn_permission WHERE unit_id = ?1 AND controller = ?2"
      " AND port = ?3");
  select.Bind(1, unit_id).Bind(2, controller).Bind(3, port);
  std::map<int, Permission> table;
  while (select.Step()) {
    const int64_t slot = select.Int(0);
    const std::string bitmap = select.Text(4);
    Permission& permission = table[static_cast<int>(slot)];
    permission.node_name = select.Text(1);
    permission.port_name = select.Text(2);
    permission.n_port_id = select.Text(3);
    std::memcpy(permission.bitmap, bitmap.data(), kLunBitmapBytes);
  }
  return table;
}

void ReplacePermissions(Database& database, int64_t unit_id, int controller,
                        int port, const std::map<int, Permission>& table) {
  std::set<std::string> port_names;
  for (const auto& [slot, permission] : table) {
    if (slot < 0 || slot >= KX_HOST_GROUPS_PER_PORT) Fail(KXE_INVALID_ARGUMENT);
    if (!IsHex(permission.port_name, 16) ||
        (!permission.node_name.empty() && !IsHex(permission.node_name, 16)) ||
        (!permission.n_port_id.empty() && !IsHex(permission.n_port_id, 6))) {
      Fail(KXE_INVALID_WWN);
    }
    if (!port_names.insert(LowerCase(permission.port_name)).second) {
      Fail(KXE_DUPLICATE_WWN);
    }
    for (int lu = 0; lu < KX_LOGICAL_UNIT_COUNT; ++lu) {
      if (((permission.bitmap[lu / 8] >> (lu % 8)) & 1) &&
          !LuExists(database, unit_id, lu)) {
        Fail(KXE_UNKNOWN_LU);
      }
    }
  }
  Statement erase = database.Prepare(
      "DELETE FROM conn_permission WHERE unit_id = ?1 AND controller = ?2"
      " AND port = ?3");
  erase.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Run();
  Statement insert = database.Prepare(
      "INSERT INTO conn_permission (unit_id, controller, port, slot,"
      " node_name, port_name, n_port_id, bitmap)"
      " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  for (const auto& [slot, permission] : table) {
    insert.Bind(1, unit_id).Bind(2, controller).Bind(3, port).Bind(4, slot);
    insert.Bind(5, LowerCase(permission.node_name))
        .Bind(6, LowerCase(permission.port_name))
        .Bind(7, LowerCase(permission.n_port_id))
        .BindBlob(8, permission.bitmap, kLunBitmapBytes);
    insert.Run();
    insert.Reset();
  }
}

ImportFile ReadImportFile(const char* file_name) {
  ImportFile file;
  if (file_name == nullptr) return file;
  file.path = FieldText(file_name, 1024);
  std::string text;
  if (ReadCallerFile(std::filesystem::u8path(file.path), kMaxImportBytes,
                     &text) != FileRead::kRead) {
    file.code = KXE_IMPORT_FILE;
    return file;
  }
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const size_t comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const size_t last = line.find_last_not_of(" \t\r");
    file.lines.push_back({number, line.substr(first, last - first + 1)});
  }
  return file;
}

const std::vector<ImportLine>& ImportLines(const ImportFile& file) {
  if (file.code != KX_OK) Fail(file.code);
  return file.lines;
}

void RefuseImport(Database& database, const char* file_name, int line,
                  const std::string& message) {
  // The report is a courtesy to the operator: failing to write it must not
  // hide the refusal itself. It quotes the operator's file, so it is theirs
  // alone.
  WriteFileReplacing(ImportReportPath(database),
                     std::string(file_name) + ": line " + std::to_string(line) +
                         ": " + message + "\n",
                     NewFileAccess::kOwnerOnly);
  Fail(KXE_IMPORT_SYNTAX);
}

int64_t Refuser::Number(const std::string& text, int64_t low, int64_t high,
                        const std::string& message) const {
  const std::optional<int64_t> value = ParseNumber(text, low, high);
  if (!value) (*this)(message);
  return *value;
}

void RecordConnectivityEvent(Database& database, int64_t unit_id,
                             const char* kind, const char* text) {
  Event event;
  event.kind = kind;
  event.category = KX_TRACE_CONFIGURATION;
  event.text = text;
  RecordEvent(database, unit_id, event);
}

void ClearImportReport(Database& database) {
  std::error_code ignored;
  std::filesystem::remove(ImportReportPath(database), ignored);
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

std::optional<int64_t> ParseNumber(const std::string& text, int64_t low,
                                   int64_t high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<std::vector<int64_t>> ParseList(const std::string& text,
                                              int64_t low, int64_t high) {
  std::vector<int64_t> values;
  std::stringstream items(text);
  std::string item;
  while (std::getline(items, item, ',')) {
    const size_t dash = item.find('-');
    const auto first = ParseNumber(item.substr(0, dash), low, high);
    const auto last = dash == std::string::npos
                          ? first
                          : ParseNumber(item.substr(dash + 1), low, high);
    if (!first || !last || *last < *first) return std::nullopt;
    for (int64_t v = *first; v <= *last; ++v) values.push_back(v);
  }
  if (values.empty() || text.back() == ',') return std::nullopt;
  return values;
}

}  // namespace tesk740
