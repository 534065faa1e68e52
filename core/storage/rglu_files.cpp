// RAID group and LU configuration files: KX_RaidLuExport and
// KX_RgLuFileOutput write a unit's RAID group and LU tables to a text file,
// KX_RaidLuImport reads one back into the two tables. The format (version 1,
// docs/special-lus.md):
//
//   KX-RGLU-CONFIGURATION 1
//   unit <unit name>
//   written <YYYY-MM-DD hh:mm:ss on the unit clock>
//   rg <the 12 ints of a RaidGroupRecord>          one line per group
//   lu <the 11 ints of a LogicalUnitRecord>        one line per LU
//   end <number of rg lines> <number of lu lines>
//   checksum <SHA-256 of every byte before this line, 64 hex digits>
//
// Lines end with a line feed; numbers are decimal. Lines starting with '#'
// are comments (KX_RgLuFileOutput writes column headings that way; that is
// all that differs between the two writers). A file is refused as a whole:
// import fills the caller's tables only when every line was read.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_special_lus.h"
#include "model/clock.h"
#include "model/registry.h"
#include "station/files.h"
#include "station/fixed_text.h"
#include "station/sha256.h"

namespace tesk740 {
namespace {

constexpr char kHeader[] = "KX-RGLU-CONFIGURATION ";
constexpr char kChecksumKey[] = "checksum ";
constexpr size_t kChecksumDigits = 64;
// The list calls run in transactions of their own; a file is written from
// two tables read while nothing changed in between, tried this many times.
constexpr int kConsistentReadAttempts = 5;

struct Tables {
  std::vector<RaidGroupRecord> groups =
      std::vector<RaidGroupRecord>(KX_RAID_GROUP_COUNT);
  std::vector<LogicalUnitRecord> lus =
      std::vector<LogicalUnitRecord>(KX_LOGICAL_UNIT_COUNT);
};

bool SameGroups(const std::vector<RaidGroupRecord>& a,
                const std::vector<RaidGroupRecord>& b) {
  return std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

// The unit's tables exactly as KX_GetRaidGroups and KX_GetLogicalUnit give
// them, so a file holds what the list calls show. The group table carries
// the LUs' use of each group, so equal group tables before and after the LU
// table was read mean the two belong together.
int32_t ReadTables(const char* unit, Tables* tables) {
  std::vector<RaidGroupRecord> again(KX_RAID_GROUP_COUNT);
  for (int attempt = 0; attempt < kConsistentReadAttempts; ++attempt) {
    int32_t code = KX_GetRaidGroups(unit, tables->groups.data());
    if (code == KX_OK) code = KX_GetLogicalUnit(unit, tables->lus.data());
    if (code == KX_OK) code = KX_GetRaidGroups(unit, again.data());
    if (code != KX_OK) return code;
    if (SameGroups(tables->groups, again)) return KX_OK;
  }
  return KXE_STATION_BUSY;
}

// The file name arrives as Java's modified UTF-8; the file system gets the
// same name in standard UTF-8. An empty name, or one holding a NUL or bytes
// that are not text, is refused.
int32_t ReadFileName(const char* file_name, std::string* name) {
  std::string text;
  if (file_name == nullptr || !ReadFixedText(file_name, kLongNameSize, &text) ||
      text.empty()) {
    return KXE_INVALID_ARGUMENT;
  }
  std::optional<std::string> decoded = DecodeModifiedUtf8(text);
  if (!decoded) return KXE_INVALID_ARGUMENT;
  *name = std::move(*decoded);
  return KX_OK;
}

std::string UnitClockText(const char* unit) {
  std::string text;
  Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    const std::tm now = LocalTime(UnitClockSeconds(database, unit_id));
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d",
                  now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour,
                  now.tm_min, now.tm_sec);
    text = buffer;
    return KX_OK;
  });
  return text;
}

template <typename Record>
void AppendInts(std::string* out, const char* key, const Record& record) {
  static_assert(sizeof(Record) % sizeof(int32_t) == 0, "ints only");
  int32_t values[sizeof(Record) / sizeof(int32_t)];
  std::memcpy(values, &record, sizeof record);
  *out += key;
  for (int32_t value : values) *out += " " + std::to_string(value);
  *out += "\n";
}

std::string Compose(const std::string& unit_name, const std::string& written,
                    const Tables& tables, bool headings) {
  std::string text = std::string(kHeader) +
                     std::to_string(KX_RGLU_FILE_VERSION) + "\n" + "unit " +
                     unit_name + "\n" + "written " + written + "\n";
  if (headings) {
    text +=
        "# rg rgnum level port row width depth minimum_capa lastLBASet"
        " lastLBA rest_h rest lumaxcapa\n";
  }
  size_t group_count = 0;
  for (const RaidGroupRecord& group : tables.groups) {
    if (group.rgnum == KX_UNUSED_ENTRY) continue;
    AppendInts(&text, "rg", group);
    ++group_count;
  }
  if (headings) {
    text +=
        "# lu luNumber rgNumber raid_level staging capacity defaultCTL"
        " currentCTL status hostblock lu_valid rg_last_lu\n";
  }
  size_t lu_count = 0;
  for (const LogicalUnitRecord& lu : tables.lus) {
    if (lu.luNumber == KX_UNUSED_ENTRY) continue;
    AppendInts(&text, "lu", lu);
    ++lu_count;
  }
  text += "end " + std::to_string(group_count) + " " +
          std::to_string(lu_count) + "\n";
  const auto digest = Sha256(text);
  text += kChecksumKey + ToHex(digest.data(), digest.size()) + "\n";
  return text;
}

// Replaces the target whole, so a failed write leaves no half file.
int32_t WriteWhole(const std::string& name, const std::string& text) {
  return WriteFileReplacing(std::filesystem::u8path(name), text,
                            NewFileAccess::kCallerUmask)
             ? KX_OK
             : KXE_RGLU_FILE_WRITE;
}

int32_t WriteConfiguration(const char* unit, const char* file_name,
                           bool headings) {
  std::string name;
  Tables tables;
  int32_t code = ReadTables(unit, &tables);
  if (code != KX_OK) return code;
  code = ReadFileName(file_name, &name);
  if (code != KX_OK) return code;
  const std::string written = UnitClockText(unit);
  // The unit name was checked by the list calls.
  std::string unit_name;
  ReadFixedText(unit, kUnitNameSize, &unit_name);
  return WriteWhole(name, Compose(unit_name, written, tables, headings));
}

// Reading a file.

// Splits the text into lines; false when the last line lacks its line feed.
bool SplitLines(std::string_view text, std::vector<std::string_view>* lines) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;
    lines->push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Exactly `count` decimal ints after the keyword, each within int32.
bool ParseInts(std::string_view line, size_t keyword, size_t count,
               std::vector<int32_t>* values) {
  std::string rest(line.substr(keyword));
  std::istringstream stream(rest);
  values->clear();
  std::string word;
  while (stream >> word) {
    size_t used = 0;
    long long value = 0;
    try {
      value = std::stoll(word, &used, 10);
    } catch (const std::exception&) {
      return false;
    }
    if (used != word.size() || value < INT32_MIN || value > INT32_MAX) {
      return false;
    }
    values->push_back(static_cast<int32_t>(value));
  }
  return values->size() == count;
}

int32_t Parse(std::string_view text, RaidGroupRecord* raid_groups,
              LogicalUnitRecord* logical_units) {
  const size_t header_end = text.find('\n');
  if (!StartsWith(text, kHeader) || header_end == std::string_view::npos) {
    return KXE_FILE_NOT_CONFIGURATION;
  }
  const std::string version(
      text.substr(sizeof kHeader - 1, header_end - (sizeof kHeader - 1)));
  if (version.empty() ||
      version.find_first_not_of("0123456789") != std::string::npos) {
    return KXE_FILE_NOT_CONFIGURATION;
  }
  if (version != std::to_string(KX_RGLU_FILE_VERSION)) return KXE_RGLU_FILE_VERSION;

  // The checksum line is the last one and covers everything before it.
  const size_t checksum_line_length =
      sizeof kChecksumKey - 1 + kChecksumDigits + 1;
  if (text.size() < checksum_line_length) return KXE_FILE_CHECKSUM;
  const std::string_view body =
      text.substr(0, text.size() - checksum_line_length);
  const std::string_view checksum_line =
      text.substr(text.size() - checksum_line_length);
  if ((!body.empty() && body.back() != '\n') ||
      !StartsWith(checksum_line, kChecksumKey) ||
      checksum_line.back() != '\n') {
    return KXE_FILE_CHECKSUM;
  }
  const auto digest = Sha256(body);
  if (checksum_line.substr(sizeof kChecksumKey - 1, kChecksumDigits) !=
      ToHex(digest.data(), digest.size())) {
    return KXE_FILE_CHECKSUM;
  }

  std::vector<std::string_view> lines;
  if (!SplitLines(body, &lines) || lines.size() < 4 ||
      !StartsWith(lines[1], "unit ") || !StartsWith(lines[2], "written ")) {
    return KXE_FILE_MALFORMED;
  }
  std::vector<RaidGroupRecord> groups(KX_RAID_GROUP_COUNT, RaidGroupRecord{});
  std::vector<LogicalUnitRecord> lus(KX_LOGICAL_UNIT_COUNT,
                                     LogicalUnitRecord{});
  for (RaidGroupRecord& group : groups) group.rgnum = KX_UNUSED_ENTRY;
  for (LogicalUnitRecord& lu : lus) lu.luNumber = KX_UNUSED_ENTRY;
  std::set<int32_t> group_numbers;
  std::vector<int32_t> lu_groups;
  size_t lu_count = 0;
  std::vector<int32_t> values;
  for (size_t i = 3; i + 1 < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (StartsWith(line, "#")) continue;
    if (StartsWith(line, "rg ")) {
      if (!ParseInts(line, 3, sizeof(RaidGroupRecord) / 4, &values)) {
        return KXE_FILE_MALFORMED;
      }
      const int32_t number = values[0];
      if (number < 0 || number >= KX_RAID_GROUP_COUNT ||
          !group_numbers.insert(number).second) {
        return KXE_FILE_MALFORMED;
      }
      std::memcpy(&groups[number], values.data(), sizeof(RaidGroupRecord));
    } else if (StartsWith(line, "lu ")) {
      if (!ParseInts(line, 3, sizeof(LogicalUnitRecord) / 4, &values)) {
        return KXE_FILE_MALFORMED;
      }
      const int32_t number = values[0];
      if (number < 0 || number >= KX_LOGICAL_UNIT_COUNT ||
          lus[number].luNumber != KX_UNUSED_ENTRY) {
        return KXE_FILE_MALFORMED;
      }
      std::memcpy(&lus[number], values.data(), sizeof(LogicalUnitRecord));
      lu_groups.push_back(values[1]);
      ++lu_count;
    } else {
      return KXE_FILE_MALFORMED;
    }
  }
  for (int32_t group : lu_groups) {
    if (!group_numbers.count(group)) return KXE_FILE_MALFORMED;
  }
  if (!StartsWith(lines.back(), "end ") ||
      !ParseInts(lines.back(), 4, 2, &values) ||
      values[0] != static_cast<int32_t>(group_numbers.size()) ||
      values[1] != static_cast<int32_t>(lu_count)) {
    return KXE_FILE_MALFORMED;
  }
  std::memcpy(raid_groups, groups.data(), groups.size() * sizeof groups[0]);
  std::memcpy(logical_units, lus.data(), lus.size() * sizeof lus[0]);
  return KX_OK;
}

int32_t ReadWhole(const std::string& name, std::string* text) {
  return ReadCallerFile(std::filesystem::u8path(name), KX_RGLU_FILE_MAX_BYTES,
                        text) == FileRead::kRead
             ? KX_OK
             : KXE_RGLU_FILE_READ;
}

}  // namespace
}  // namespace tesk740

KX_API int32_t KX_RaidLuExport(const char* unit, const char* file_name) {
  return tesk740::WriteConfiguration(unit, file_name, false);
}

KX_API int32_t KX_RgLuFileOutput(const char* unit, const char* file_name) {
  return tesk740::WriteConfiguration(unit, file_name, true);
}

KX_API int32_t KX_RaidLuImport(const char* unit, const char* file_name,
                               RaidGroupRecord* raid_groups,
                               LogicalUnitRecord* logical_units) {
  const int32_t code =
      tesk740::Station::Get().Read([&](tesk740::Database& database) {
        tesk740::RequireUnit(database, unit, kUnitNameSize);
        return KX_OK;
      });
  if (code != KX_OK) return code;
  std::string name;
  if (tesk740::ReadFileName(file_name, &name) != KX_OK ||
      raid_groups == nullptr || logical_units == nullptr) {
    return KXE_INVALID_ARGUMENT;
  }
  std::string text;
  const int32_t read = tesk740::ReadWhole(name, &text);
  if (read != KX_OK) return read;
  return tesk740::Parse(text, raid_groups, logical_units);
}
