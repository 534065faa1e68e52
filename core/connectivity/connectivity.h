// Host connectivity as the station keeps it, shared by the connectivity
// files and by the areas that must consult it: the unit condition shows the
// LAN settings, the unit information counts host groups and permissions,
// and an LU that hosts can reach may not be deleted. Everything here runs
// inside a station transaction.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kx_connectivity.h"
#include "kx_errors.h"
#include "station/station.h"

namespace tesk740 {

// --- Used by other areas ----------------------------------------------------

struct LanTexts {
  std::string ip_address;
  std::string subnet;
  std::string gateway;
};
// The LAN settings stored for a controller, if any were set.
std::optional<LanTexts> StoredLan(Database& database, int64_t unit_id,
                                  int controller);

// Host groups created on the unit (the default group of each port not
// counted), and host permissions of all ports.
int32_t CountHostGroups(Database& database, int64_t unit_id);
int32_t CountPermissions(Database& database, int64_t unit_id);

// SQL, for schema steps: refuses the change unless no host reaches LU `lu`
// of unit `unit` (SQL expressions over the trigger's row): KXE_LU_MAPPED
// while a host group maps it to a host LUN, KXE_LU_IN_PERMISSION while a
// host's permission bitmap (bit lu % 8 of byte lu / 8) names it. Part of
// released steps: never edited.
#define KX_SQL_REFUSE_REACHED_LU(unit, lu)                                   \
  "SELECT CASE WHEN EXISTS (SELECT 1 FROM conn_lu_map WHERE unit_id = " unit \
  " AND lu = " lu ") THEN " KX_SQL_REFUSE("4362", "hosts reach the LU")       \
  " WHEN EXISTS (SELECT 1 FROM conn_permission WHERE unit_id = " unit         \
  " AND ((((instr('0123456789ABCDEF', substr(hex(bitmap), (" lu               \
  ") / 8 * 2 + 1, 1)) - 1) * 16 + instr('0123456789ABCDEF',"                  \
  " substr(hex(bitmap), (" lu ") / 8 * 2 + 2, 1)) - 1) >> ((" lu              \
  ") % 8)) & 1) = 1) THEN " KX_SQL_REFUSE("4363", "a host may reach the LU") \
  " END;"

// The set-up wizard reads and writes the LAN settings, synchronous ports and
// target IDs of a controller through these, so its record and the
// connectivity natives always agree. The records are the ones
// KX_GetLANInformation, KX_GetSyncControl and KX_GetTargetId report; with
// `as_new`, what a unit reports before any of them was set.
LANInformationRecord ControllerLan(Database& database, int64_t unit_id,
                                   int controller, bool as_new = false);
SyncControlRecord ControllerSync(Database& database, int64_t unit_id,
                                 int controller, bool as_new = false);
TargetIdRecord ControllerTargetId(Database& database, int64_t unit_id,
                                  int controller, bool as_new = false);
// KX_OK, or the code the matching Set native refuses the record with (the
// LAN check leaves out the comparison with the other controller's address).
int32_t LanFault(const LANInformationRecord& lan);
int32_t SyncFault(const SyncControlRecord& sync);
int32_t TargetIdFault(const TargetIdRecord& target);
// Store a record that passed its check, as the Set natives do.
void StoreControllerLan(Database& database, int64_t unit_id, int controller,
                        const LANInformationRecord& lan);
void StoreControllerSync(Database& database, int64_t unit_id, int controller,
                         const SyncControlRecord& sync);
void StoreControllerTargetId(Database& database, int64_t unit_id,
                             int controller, const TargetIdRecord& target);

// --- Shared by the connectivity files ----------------------------------------

// A host port: controller 0..1, port 0..1. KXE_NO_SUCH_PORT otherwise.
bool IsHostPort(int64_t controller, int64_t port);
void RequireHostPort(int64_t controller, int64_t port);

// 16 hexadecimal digits (a WWN) or 6 (an N_Port ID); kept in lower case.
bool IsHex(std::string_view text, size_t digits);
std::string LowerCase(std::string_view text);

// Reads a text field of a record: fails the work with KXE_INVALID_ARGUMENT
// when it holds no NUL within its width.
std::string FieldText(const char* field, size_t width);
template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return FieldText(field, N);
}

bool LuExists(Database& database, int64_t unit_id, int64_t lu_number);

bool IsZero(const void* bytes, size_t size);

// One host permission of a port, as the station keeps it.
struct Permission {
  std::string node_name;  // 16 hex digits or empty
  std::string port_name;  // 16 hex digits
  std::string n_port_id;  // 6 hex digits or empty
  uint8_t bitmap[kLunBitmapBytes] = {};
};
// The permissions of a port by slot (0..127).
std::map<int, Permission> LoadPermissions(Database& database, int64_t unit_id,
                                          int controller, int port);
// Checks a port's whole table (WWNs, duplicates, LUs that exist) and
// replaces the stored one; fails the work without writing otherwise.
void ReplacePermissions(Database& database, int64_t unit_id, int controller,
                        int port, const std::map<int, Permission>& table);

// A line of an import file that is refused: the work fails with
// KXE_IMPORT_SYNTAX after the report names the file and the line.
struct ImportLine {
  int number;
  std::string text;  // without comment and surrounding blanks
};
// An import file, read before the import's transaction begins, so that a
// file that blocks (a FIFO) or a slow one never holds the station.
struct ImportFile {
  std::string path;
  int32_t code = KX_OK;  // KXE_IMPORT_FILE: not a regular file of 1 MB
  std::vector<ImportLine> lines;  // the lines that carry something
};
// Reads the file named in a 1024-byte field; a null name reads nothing (the
// import refuses it as an argument).
ImportFile ReadImportFile(const char* file_name);
// The file's lines; fails the work with its code when it was not read.
const std::vector<ImportLine>& ImportLines(const ImportFile& file);
// Writes the station's import report (import-errors.txt beside station.db)
// and fails the work with KXE_IMPORT_SYNTAX.
[[noreturn]] void RefuseImport(Database& database, const char* file_name,
                               int line, const std::string& message);
// RefuseImport for one line, as a callable the compiler knows never returns.
struct Refuser {
  Database& database;
  const char* file_name;
  int line;
  [[noreturn]] void operator()(const std::string& message) const {
    RefuseImport(database, file_name, line, message);
  }
  // The number in [low, high] that `text` holds, or the refusal.
  int64_t Number(const std::string& text, int64_t low, int64_t high,
                 const std::string& message) const;
};
// Removes the report after an import that succeeded.
void ClearImportReport(Database& database);
// Splits on blanks.
std::vector<std::string> Words(const std::string& text);
// A decimal number within [low, high], or nothing.
std::optional<int64_t> ParseNumber(const std::string& text, int64_t low,
                                   int64_t high);
// A list such as "0-7,12" of numbers within [low, high], or nothing.
std::optional<std::vector<int64_t>> ParseList(const std::string& text,
                                              int64_t low, int64_t high);

// Records a connectivity event of the unit (model/events.h): `kind` is
// connectivity-changed or host-mapping-changed, `text` what was set.
void RecordConnectivityEvent(Database& database, int64_t unit_id,
                             const char* kind, const char* text);

}  // namespace tesk740
