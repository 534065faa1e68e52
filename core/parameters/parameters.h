// The operating parameters as the parameter, file and wizard areas share
// them: every group's stored value with its defaults, its range check, and
// the LUs that exist. Everything here runs inside a station transaction.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kx_errors.h"
#include "kx_parameters.h"
#include "kx_station.h"
#include "station/station.h"

namespace tesk740 {

// The LU numbers that exist on a unit.
using LuSet = std::bitset<KX_LOGICAL_UNIT_COUNT>;
LuSet LoadLuSet(Database& database, int64_t unit_id);
// Every LU number: what a stored value is checked against, since an LU may
// have been deleted after the value was set.
LuSet AnyLu();

// Text rules shared by the groups and the wizard.
// NUL-terminated within `width` bytes, every byte printable ASCII, and
// between min_length and width - 1 bytes long.
bool IsPrintableText(const char* field, size_t width, size_t min_length = 0);
bool IsSwitch(int64_t value);

// One group of operating parameters kept in the settings store. `load`
// gives the stored record (or the defaults), checked as stored data (damage
// fails the work with KXE_STATION_DAMAGED) with per-LU values of deleted LUs
// read back as their defaults; `check` gives 0 or the group's code for the
// first wrong value; `store` keeps a checked record.
struct ParameterGroup {
  const char* name;  // setting name and key in the parameter file
  int32_t bit;       // KX_PARAM_* selection bit
  size_t size;       // bytes of the record
  void (*load)(Database& database, int64_t unit_id, void* record);
  int32_t (*check)(const void* record, const LuSet& lus);
  void (*store)(Database& database, int64_t unit_id, const void* record);
};

// The groups of the parameter file, in file order.
const ParameterGroup* ParameterGroups(size_t* count);
const ParameterGroup* FindParameterGroup(std::string_view name);

// Typed access for the wizard, which owns some of these values jointly.
OnlineSystemParamRecord LoadOnlineSystem(Database& database, int64_t unit_id);
void StoreOnlineSystem(Database& database, int64_t unit_id,
                       const OnlineSystemParamRecord& record);
UnitIdentifierRecord LoadIdentifier(Database& database, int64_t unit_id);
void StoreIdentifier(Database& database, int64_t unit_id,
                     const UnitIdentifierRecord& record);
int32_t CheckOnlineSystem(const OnlineSystemParamRecord& record);
OnlineSystemParamRecord DefaultOnlineSystem();
UnitIdentifierRecord DefaultIdentifier(int64_t unit_id);
int32_t CheckIdentifier(const UnitIdentifierRecord& record);

// The unit's model: the unit type of its registration. Parameter files
// carry it, and a file for another model is refused.
int64_t UnitModel(Database& database, int64_t unit_id);

// The bytes of hex text (as ToHex of sha256.h writes it): false for a
// length other than 2 x size or a non-hex digit.
bool FromHex(std::string_view hex, void* bytes, size_t size);


// --- Parameter files ---------------------------------------------------------
// The station's parameter files: one text container shared by the parameter,
// configuration, mode-page and dump files (docs/parameters.md):
//
//   <KIND> <version>
//   model <unit model>
//   unit <unit name>
//   <key> <value>            one line per entry, keys unique
//   sha256 <hex>             of every byte before this line
//
// Lines end with LF. A reader checks the kind and version first, then the
// checksum, then the lines; the caller checks the model and the entries.


constexpr int kFileVersion = 1;

struct FileEntry {
  std::string key;
  std::string value;
};

struct StationFile {
  int64_t model = 0;
  std::string unit;
  std::vector<FileEntry> entries;

  // The value of a key, or null.
  const std::string* Find(std::string_view key) const;
};

// The path of a 1024-byte path buffer, decoded from modified UTF-8:
// KXE_INVALID_ARGUMENT when it is empty or not NUL-terminated within the
// buffer, KXE_INVALID_TEXT when it is not text or holds an encoded NUL.
int32_t ReadPathArgument(const char* buffer, std::string* path);

// The whole text of a file of `kind`, with its checksum line.
std::string ComposeStationFile(std::string_view kind, const StationFile& file);

// Writes through a fresh file in the same directory renamed into place, so
// a reader never sees half a file and nothing planted beside the target is
// written through. Without `overwrite` an existing file is refused. 0 or
// KXE_FILE_WRITE. Exports get the caller's umask.
int32_t WriteStationFile(const std::string& path, const std::string& text,
                         bool overwrite);

// A file a caller names in a 1024-byte path buffer, read before the call
// opens its transaction, so that a file that blocks (a FIFO) or a slow one
// never holds the station. The call answers the codes where it checks the
// path and the file.
struct FileArgument {
  int32_t path_code = KX_OK;  // ReadPathArgument's answer
  int32_t read_code = KX_OK;  // KXE_FILE_READ: not a regular file of 1 MiB
  std::string text;
};
FileArgument ReadFileArgument(const char* buffer);

// Checks the text of a file of `kind`: the file's read_code when it could
// not be read, KXE_FILE_VERSION for a newer version of the kind,
// KXE_FILE_DAMAGED for anything else that is not a well-formed file of the
// kind with a matching checksum.
int32_t ParseStationFile(const FileArgument& argument, std::string_view kind,
                         StationFile* file);

// Records a parameters-changed event of the unit (model/events.h) saying
// what was set.
void RecordParameterEvent(Database& database, int64_t unit_id,
                          const std::string& what);

}  // namespace tesk740
