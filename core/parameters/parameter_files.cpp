// Parameter files, raw mode pages and automatic dumps: the files the station
// writes and reads for the operating parameters, in the container of
// parameter_files.h. An import checks the whole file and every value in it
// before the first change, and applies everything in one transaction.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <system_error>

#include "model/clock.h"
#include "model/drive_health.h"
#include "station/files.h"
#include "station/fixed_text.h"

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_parameters.h"
#include "model/raid_geometry.h"
#include "model/registry.h"
#include "parameters/parameters.h"
#include "station/settings.h"
#include "station/sha256.h"

namespace tesk740 {

namespace {

// No file of the station is larger; a bigger one is not read at all.
constexpr size_t kMaxFileBytes = 1 << 20;

std::filesystem::path PathOf(const std::string& text) {
  return std::filesystem::u8path(text);
}

bool ParseInt(std::string_view text, int64_t* value) {
  if (text.empty() || text.size() > 18) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '-') {
    negative = true;
    i = 1;
    if (text.size() == 1) return false;
  }
  int64_t result = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    result = result * 10 + (text[i] - '0');
  }
  *value = negative ? -result : result;
  return true;
}

}  // namespace

const std::string* StationFile::Find(std::string_view key) const {
  for (const FileEntry& entry : entries) {
    if (entry.key == key) return &entry.value;
  }
  return nullptr;
}

int32_t ReadPathArgument(const char* buffer, std::string* path) {
  if (buffer == nullptr) return KXE_INVALID_ARGUMENT;
  const void* end = std::memchr(buffer, '\0', kLongNameSize);
  if (end == nullptr || end == buffer) return KXE_INVALID_ARGUMENT;
  // The path arrives in Java's modified UTF-8; the file system wants UTF-8,
  // and an encoded NUL would end the path early.
  std::optional<std::string> decoded = DecodeModifiedUtf8(
      std::string_view(buffer, static_cast<size_t>(
                                   static_cast<const char*>(end) - buffer)));
  if (!decoded) return KXE_INVALID_TEXT;
  *path = std::move(*decoded);
  return KX_OK;
}

std::string ComposeStationFile(std::string_view kind, const StationFile& file) {
  std::string text;
  text.append(kind).append(" ").append(std::to_string(kFileVersion));
  text.append("\nmodel ").append(std::to_string(file.model));
  text.append("\nunit ").append(file.unit).append("\n");
  for (const FileEntry& entry : file.entries) {
    text.append(entry.key).append(" ").append(entry.value).append("\n");
  }
  const auto digest = Sha256(text);
  text.append("sha256 ").append(ToHex(digest.data(), digest.size()));
  text.append("\n");
  return text;
}

int32_t WriteStationFile(const std::string& path, const std::string& text,
                         bool overwrite) {
  // Refused before anything is written, with its own reason.
  std::error_code error;
  if (!overwrite && std::filesystem::exists(PathOf(path), error)) {
    return KXE_FILE_EXISTS;
  }
  return WriteFileReplacing(PathOf(path), text, NewFileAccess::kCallerUmask,
                            overwrite)
             ? KX_OK
             : KXE_FILE_WRITE;
}

FileArgument ReadFileArgument(const char* buffer) {
  FileArgument argument;
  std::string path;
  argument.path_code = ReadPathArgument(buffer, &path);
  if (argument.path_code != KX_OK) return argument;
  if (ReadCallerFile(PathOf(path), kMaxFileBytes, &argument.text) !=
      FileRead::kRead) {
    argument.read_code = KXE_FILE_READ;
  }
  return argument;
}

int32_t ParseStationFile(const FileArgument& argument, std::string_view kind,
                         StationFile* file) {
  if (argument.read_code != KX_OK) return argument.read_code;
  const std::string& text = argument.text;
  // The first line names the kind and the version.
  const size_t first_end = text.find('\n');
  if (first_end == std::string::npos) return KXE_FILE_DAMAGED;
  const std::string_view first(text.data(), first_end);
  const size_t blank = first.find(' ');
  if (blank == std::string_view::npos || first.substr(0, blank) != kind) {
    return KXE_FILE_DAMAGED;
  }
  int64_t version = 0;
  if (!ParseInt(first.substr(blank + 1), &version) || version < 1) {
    return KXE_FILE_DAMAGED;
  }
  if (version > kFileVersion) return KXE_FILE_VERSION;

  // The last line is the checksum of everything before it.
  if (text.back() != '\n') return KXE_FILE_DAMAGED;
  const size_t last_start = text.rfind('\n', text.size() - 2) + 1;
  const std::string_view last(text.data() + last_start,
                              text.size() - 1 - last_start);
  if (last.substr(0, 7) != "sha256 ") return KXE_FILE_DAMAGED;
  const auto digest = Sha256(std::string_view(text.data(), last_start));
  if (last.substr(7) != ToHex(digest.data(), digest.size())) {
    return KXE_FILE_DAMAGED;
  }

  // The lines between: model, unit, then unique keys.
  StationFile parsed;
  std::set<std::string> keys;
  size_t at = first_end + 1;
  int line = 0;
  while (at < last_start) {
    const size_t end = text.find('\n', at);
    const std::string_view row(text.data() + at, end - at);
    at = end + 1;
    const size_t space = row.find(' ');
    if (space == std::string_view::npos || space == 0) return KXE_FILE_DAMAGED;
    const std::string_view key = row.substr(0, space);
    const std::string_view value = row.substr(space + 1);
    if (line == 0) {
      if (key != "model" || !ParseInt(value, &parsed.model)) {
        return KXE_FILE_DAMAGED;
      }
    } else if (line == 1) {
      if (key != "unit") return KXE_FILE_DAMAGED;
      parsed.unit = std::string(value);
    } else {
      if (!keys.insert(std::string(key)).second) return KXE_FILE_DAMAGED;
      parsed.entries.push_back({std::string(key), std::string(value)});
    }
    ++line;
  }
  if (line < 2) return KXE_FILE_DAMAGED;
  *file = std::move(parsed);
  return KX_OK;
}

namespace {

constexpr const char kParameterFileKind[] = "KX-PARAMETERS";
constexpr const char kModePageFileKind[] = "KX-MODE-PAGES";
constexpr const char kDumpFileKind[] = "KX-AUTO-DUMP";

std::string UnitNameOf(Database& database, int64_t unit_id) {
  Statement select =
      database.Prepare("SELECT unit_name FROM unit WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) Fail(KXE_UNKNOWN_UNIT);
  return select.Text(0);
}

bool IsGroupMask(int32_t groups) {
  return (groups & ~KX_PARAM_ALL_GROUPS) == 0;
}

// The entries of the parameter groups in `groups`, in file order.
std::vector<FileEntry> ParameterEntries(Database& database, int64_t unit_id,
                                        int32_t groups) {
  std::vector<FileEntry> entries;
  size_t count = 0;
  const ParameterGroup* all = ParameterGroups(&count);
  for (size_t i = 0; i < count; ++i) {
    if ((groups & all[i].bit) == 0) continue;
    std::string bytes(all[i].size, '\0');
    all[i].load(database, unit_id, bytes.data());
    entries.push_back(
        {all[i].name,
         ToHex(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())});
  }
  return entries;
}

std::string FormatTime(int64_t seconds) {
  const std::tm time = LocalTime(seconds);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d",
                time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
                time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

// --- Mode pages ---------------------------------------------------------

// The pages the station keeps, in code order. Each page starts with its code
// and the number of bytes that follow.
struct ModePagesRecord {
  uint8_t error_recovery[12];
  uint8_t caching[20];
  uint8_t control[12];
  uint8_t exceptions[12];
};

struct ModePage {
  int32_t code;
  size_t offset;  // in ModePagesRecord
  size_t size;
  uint8_t defaults[20];
  uint8_t changeable[20];
};

const ModePage kModePages[] = {
    {KX_MODE_PAGE_ERROR_RECOVERY,
     offsetof(ModePagesRecord, error_recovery),
     12,
     {0x01, 0x0A, 0xC0, 0x08, 0, 0, 0, 0, 0x08, 0, 0x00, 0x00},
     {0, 0, 0xC4, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF}},
    {KX_MODE_PAGE_CACHING,
     offsetof(ModePagesRecord, caching),
     20,
     {0x08, 0x12, 0x04, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
      0x80, 0x20, 0, 0, 0, 0, 0, 0},
     {0, 0, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xA0,
      0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
    {KX_MODE_PAGE_CONTROL,
     offsetof(ModePagesRecord, control),
     12,
     {0x0A, 0x0A, 0x02, 0x10, 0, 0, 0, 0, 0, 0, 0x00, 0x1E},
     {0, 0, 0x02, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {KX_MODE_PAGE_EXCEPTIONS,
     offsetof(ModePagesRecord, exceptions),
     12,
     {0x1C, 0x0A, 0x08, 0x04, 0, 0, 0x0E, 0x10, 0, 0, 0, 0x01},
     {0, 0, 0x8C, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
};

// The caching page's write-cache bit is the online system parameter
// force_write_through turned around: the two never disagree.
constexpr size_t kCachingFlags = 2;
constexpr uint8_t kWriteCacheEnable = 0x04;

constexpr const char kModePagesSetting[] = "parameters.mode_pages";

ModePagesRecord DefaultModePages() {
  ModePagesRecord pages{};
  for (const ModePage& page : kModePages) {
    std::memcpy(reinterpret_cast<uint8_t*>(&pages) + page.offset,
                page.defaults, page.size);
  }
  return pages;
}

ModePagesRecord LoadModePages(Database& database, int64_t unit_id) {
  // Headers and bytes that cannot change are as the defaults, as a select
  // leaves them, or the value was not written by this station.
  ModePagesRecord pages = LoadSetting(
      database, unit_id, kModePagesSetting, DefaultModePages(),
      [](const ModePagesRecord& stored) {
        for (const ModePage& page : kModePages) {
          const uint8_t* bytes =
              reinterpret_cast<const uint8_t*>(&stored) + page.offset;
          for (size_t i = 0; i < page.size; ++i) {
            if ((bytes[i] & ~page.changeable[i]) !=
                (page.defaults[i] & ~page.changeable[i])) {
              Fail(KXE_STATION_DAMAGED);
            }
          }
        }
      });
  const OnlineSystemParamRecord system = LoadOnlineSystem(database, unit_id);
  uint8_t& flags = pages.caching[kCachingFlags];
  flags = static_cast<uint8_t>(system.force_write_through
                                   ? flags & ~kWriteCacheEnable
                                   : flags | kWriteCacheEnable);
  return pages;
}

const ModePage* FindModePage(int64_t code) {
  for (const ModePage& page : kModePages) {
    if (page.code == code) return &page;
  }
  return nullptr;
}

std::string PageKey(int32_t code) {
  char key[16];
  std::snprintf(key, sizeof key, "page.%02x", static_cast<unsigned>(code));
  return key;
}

// --- Automatic dumps ------------------------------------------------------

std::string DumpSetting(int32_t controller) {
  return "parameters.auto_dump." + std::to_string(controller);
}

AutoDumpRecord LoadAutoDump(Database& database, int64_t unit_id,
                            int32_t controller) {
  // What a dump records: none yet, or a time on the unit's clock.
  const AutoDumpRecord dump = LoadSetting(
      database, unit_id, DumpSetting(controller), AutoDumpRecord{},
      [](const AutoDumpRecord& stored) {
        if (stored.flag != 0 &&
            (stored.flag != 1 || stored.month < 1 || stored.month > 12 ||
             stored.date < 1 || stored.date > 31 || stored.hours < 0 ||
             stored.hours > 23 || stored.minutes < 0 || stored.minutes > 59 ||
             stored.seconds < 0 || stored.seconds > 60)) {
          Fail(KXE_STATION_DAMAGED);
        }
      });
  return dump;
}

// What the station knows of the unit, as the entries of a dump file.
std::vector<FileEntry> DumpEntries(Database& database, int64_t unit_id,
                                   int32_t controller, int64_t now_seconds) {
  std::vector<FileEntry> entries;
  entries.push_back({"controller", std::to_string(controller)});
  entries.push_back({"taken", FormatTime(now_seconds)});

  const std::vector<RaidGroup> groups = LoadRaidGroups(database, unit_id);
  for (const RaidGroup& group : groups) {
    std::ostringstream value;
    value << "level=" << group.level << " port=" << group.port
          << " row=" << group.row << " width=" << group.width
          << " depth=" << group.depth
          << " capacity_mb=" << UsableCapacityMb(group);
    entries.push_back(
        {"raid_group." + std::to_string(group.number), value.str()});
  }
  Statement lus = database.Prepare(
      "SELECT lu_number, rg_number, capacity_mb, controller, valid"
      " FROM logical_unit WHERE unit_id = ?1 ORDER BY lu_number");
  lus.Bind(1, unit_id);
  while (lus.Step()) {
    std::ostringstream value;
    value << "rg=" << lus.Int(1) << " capacity_mb=" << lus.Int(2)
          << " controller=" << lus.Int(3) << " valid=" << lus.Int(4);
    entries.push_back({"lu." + std::to_string(lus.Int(0)), value.str()});
  }
  const int64_t now_ms = NowMs();
  for (const auto& [slot, health] :
       LoadDriveHealth(database, unit_id, groups, now_ms)) {
    std::ostringstream value;
    value << (health.state == KX_PART_FAILED ? "blocked" : "rebuilding")
          << " percent=" << health.rebuild_percent;
    entries.push_back({"drive." + std::to_string(slot / KX_DRIVE_ROWS) + "." +
                           std::to_string(slot % KX_DRIVE_ROWS),
                       value.str()});
  }
  for (const FileEntry& entry :
       ParameterEntries(database, unit_id, KX_PARAM_ALL_GROUPS)) {
    entries.push_back({"parameter." + entry.key, entry.value});
  }

  // Recent events: the formats started and the dumps taken before.
  int event = 0;
  Statement formats = database.Prepare(
      "SELECT lu_number, mode, start_ms, duration_ms FROM format_job"
      " WHERE unit_id = ?1 ORDER BY start_ms, lu_number");
  formats.Bind(1, unit_id);
  while (formats.Step()) {
    std::ostringstream value;
    value << "format lu=" << formats.Int(0) << " mode=" << formats.Int(1)
          << " started=" << FormatTime(formats.Int(2) / 1000)
          << " duration_ms=" << formats.Int(3);
    entries.push_back({"event." + std::to_string(event++), value.str()});
  }
  for (int32_t ctl = 0; ctl < KX_CONTROLLER_COUNT; ++ctl) {
    const AutoDumpRecord dump = LoadAutoDump(database, unit_id, ctl);
    if (dump.flag == 0) continue;
    char taken[96];
    std::snprintf(taken, sizeof taken, "%04d-%02d-%02dT%02d:%02d:%02d",
                  dump.year, dump.month, dump.date, dump.hours, dump.minutes,
                  dump.seconds);
    entries.push_back({"event." + std::to_string(event++),
                       "dump controller=" + std::to_string(ctl) +
                           " taken=" + taken});
  }
  return entries;
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::FileEntry;
using tesk740::Station;
using tesk740::StationFile;

KX_API int32_t KX_SystemParamExport(const char* unit, const char* path,
                                    int32_t groups, int32_t overwrite) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    std::string file_path;
    if (const int32_t code = tesk740::ReadPathArgument(path, &file_path)) {
      return code;
    }
    if (!tesk740::IsGroupMask(groups) || !tesk740::IsSwitch(overwrite)) {
      return KXE_INVALID_ARGUMENT;
    }
    StationFile file;
    file.model = tesk740::UnitModel(database, unit_id);
    file.unit = tesk740::UnitNameOf(database, unit_id);
    file.entries = tesk740::ParameterEntries(
        database, unit_id, groups == 0 ? KX_PARAM_ALL_GROUPS : groups);
    return tesk740::WriteStationFile(
        file_path,
        tesk740::ComposeStationFile(tesk740::kParameterFileKind, file),
        overwrite == 1);
  });
}

KX_API int32_t KX_SystemParamImport(const char* unit, const char* path,
                                    int32_t groups) {
  const tesk740::FileArgument argument = tesk740::ReadFileArgument(path);
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (argument.path_code != KX_OK) return argument.path_code;
    if (!tesk740::IsGroupMask(groups)) return KXE_INVALID_ARGUMENT;
    StationFile file;
    if (const int32_t code = tesk740::ParseStationFile(
            argument, tesk740::kParameterFileKind, &file)) {
      return code;
    }
    if (file.model != tesk740::UnitModel(database, unit_id)) {
      return KXE_FILE_FOREIGN_MODEL;
    }
    // Every entry must be a group with a record of its size.
    struct Decoded {
      const tesk740::ParameterGroup* group;
      std::string bytes;
    };
    std::vector<Decoded> decoded;
    int32_t present = 0;
    for (const FileEntry& entry : file.entries) {
      const tesk740::ParameterGroup* group =
          tesk740::FindParameterGroup(entry.key);
      if (group == nullptr) return KXE_FILE_DAMAGED;
      std::string bytes(group->size, '\0');
      if (!tesk740::FromHex(entry.value, bytes.data(), bytes.size())) {
        return KXE_FILE_DAMAGED;
      }
      present |= group->bit;
      decoded.push_back({group, std::move(bytes)});
    }
    const int32_t wanted = groups == 0 ? present : groups;
    if ((wanted & present) != wanted) return KXE_FILE_DAMAGED;
    // Every value is checked before the first is stored.
    const tesk740::LuSet lus = tesk740::LoadLuSet(database, unit_id);
    for (const Decoded& entry : decoded) {
      if ((wanted & entry.group->bit) == 0) continue;
      if (const int32_t code = entry.group->check(entry.bytes.data(), lus)) {
        return code;
      }
    }
    for (const Decoded& entry : decoded) {
      if ((wanted & entry.group->bit) == 0) continue;
      entry.group->store(database, unit_id, entry.bytes.data());
    }
    return KX_OK;
  });
}

KX_API int32_t KX_ModeSense(const char* unit, int32_t page_code,
                            int32_t control, int32_t controller,
                            const char* path) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    std::string file_path;
    if (const int32_t code = tesk740::ReadPathArgument(path, &file_path)) {
      return code;
    }
    if (control < KX_MODE_CURRENT || control > KX_MODE_SAVED ||
        !tesk740::IsController(controller)) {
      return KXE_INVALID_ARGUMENT;
    }
    if (page_code != KX_MODE_PAGE_ALL &&
        tesk740::FindModePage(page_code) == nullptr) {
      return KXE_UNKNOWN_MODE_PAGE;
    }
    const tesk740::ModePagesRecord pages =
        tesk740::LoadModePages(database, unit_id);
    StationFile file;
    file.model = tesk740::UnitModel(database, unit_id);
    file.unit = tesk740::UnitNameOf(database, unit_id);
    file.entries.push_back({"control", std::to_string(control)});
    for (const tesk740::ModePage& page : tesk740::kModePages) {
      if (page_code != KX_MODE_PAGE_ALL && page.code != page_code) continue;
      const uint8_t* bytes =
          control == KX_MODE_CHANGEABLE ? page.changeable
          : control == KX_MODE_DEFAULT
              ? page.defaults
              : reinterpret_cast<const uint8_t*>(&pages) + page.offset;
      file.entries.push_back(
          {tesk740::PageKey(page.code), tesk740::ToHex(bytes, page.size)});
    }
    return tesk740::WriteStationFile(
        file_path,
        tesk740::ComposeStationFile(tesk740::kModePageFileKind, file), true);
  });
}

KX_API int32_t KX_ModeSelect(const char* unit, int32_t page_code,
                             int32_t control, int32_t controller,
                             const char* path) {
  const tesk740::FileArgument argument = tesk740::ReadFileArgument(path);
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    tesk740::RecordParameterEvent(database, unit_id, "mode pages selected");
    if (argument.path_code != KX_OK) return argument.path_code;
    if (!tesk740::IsSwitch(control) || !tesk740::IsController(controller)) {
      return KXE_INVALID_ARGUMENT;
    }
    if (page_code != KX_MODE_PAGE_ALL &&
        tesk740::FindModePage(page_code) == nullptr) {
      return KXE_UNKNOWN_MODE_PAGE;
    }
    StationFile file;
    if (const int32_t code = tesk740::ParseStationFile(
            argument, tesk740::kModePageFileKind, &file)) {
      return code;
    }
    if (file.model != tesk740::UnitModel(database, unit_id)) {
      return KXE_FILE_FOREIGN_MODEL;
    }
    tesk740::ModePagesRecord pages = tesk740::LoadModePages(database, unit_id);
    auto* base = reinterpret_cast<uint8_t*>(&pages);
    bool found = false;
    for (const FileEntry& entry : file.entries) {
      if (entry.key == "control") continue;
      const tesk740::ModePage* page = nullptr;
      for (const tesk740::ModePage& candidate : tesk740::kModePages) {
        if (entry.key == tesk740::PageKey(candidate.code)) page = &candidate;
      }
      uint8_t given[sizeof page->defaults];
      if (page == nullptr ||
          !tesk740::FromHex(entry.value, given, page->size) ||
          given[0] != page->defaults[0] || given[1] != page->defaults[1]) {
        return KXE_FILE_DAMAGED;
      }
      if (page_code != KX_MODE_PAGE_ALL && page->code != page_code) continue;
      found = true;
      // Only the changeable bits take the file's values.
      uint8_t* current = base + page->offset;
      for (size_t i = 0; i < page->size; ++i) {
        current[i] = static_cast<uint8_t>((current[i] & ~page->changeable[i]) |
                                          (given[i] & page->changeable[i]));
      }
    }
    if (page_code != KX_MODE_PAGE_ALL && !found) return KXE_UNKNOWN_MODE_PAGE;
    OnlineSystemParamRecord system =
        tesk740::LoadOnlineSystem(database, unit_id);
    system.force_write_through =
        (pages.caching[tesk740::kCachingFlags] & tesk740::kWriteCacheEnable)
            ? KX_SWITCH_OFF
            : KX_SWITCH_ON;
    tesk740::StoreOnlineSystem(database, unit_id, system);
    tesk740::StoreSetting(database, unit_id, tesk740::kModePagesSetting,
                          pages);
    return KX_OK;
  });
}

KX_API int32_t KX_GetAutoDump(const char* unit, int32_t controller,
                              AutoDumpRecord* dump) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (dump == nullptr || !tesk740::IsController(controller)) {
      return KXE_INVALID_ARGUMENT;
    }
    *dump = tesk740::LoadAutoDump(database, unit_id, controller);
    return KX_OK;
  });
}

KX_API int32_t KX_OutputAutoDump(const char* unit, int32_t controller,
                                 const char* path) {
  // The dump is recorded in the same transaction that writes the file: a
  // file that cannot be written leaves no dump behind.
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    std::string file_path;
    if (const int32_t code = tesk740::ReadPathArgument(path, &file_path)) {
      return code;
    }
    if (!tesk740::IsController(controller)) return KXE_INVALID_ARGUMENT;
    const int64_t now = tesk740::UnitClockSeconds(database, unit_id);
    StationFile file;
    file.model = tesk740::UnitModel(database, unit_id);
    file.unit = tesk740::UnitNameOf(database, unit_id);
    file.entries = tesk740::DumpEntries(database, unit_id, controller, now);
    const std::tm time = tesk740::LocalTime(now);
    const AutoDumpRecord dump = {time.tm_year + 1900, time.tm_mon + 1,
                                 time.tm_mday,        time.tm_hour,
                                 time.tm_min,         time.tm_sec,
                                 1};
    tesk740::StoreSetting(database, unit_id, tesk740::DumpSetting(controller),
                          dump);
    return tesk740::WriteStationFile(
        file_path, tesk740::ComposeStationFile(tesk740::kDumpFileKind, file),
        true);
  });
}
