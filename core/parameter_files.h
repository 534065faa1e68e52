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
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tesk740 {

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

// Writes through a temporary file in the same directory and renames it into
// place, so a reader never sees half a file. Without `overwrite` an existing
// file is refused. 0 or KXE_FILE_WRITE.
int32_t WriteStationFile(const std::string& path, const std::string& text,
                         bool overwrite);

// Reads and checks a file of `kind`: KXE_FILE_READ when it cannot be read,
// KXE_FILE_VERSION for a newer version of the kind, KXE_FILE_DAMAGED for
// anything else that is not a well-formed file of the kind with a matching
// checksum.
int32_t ReadStationFile(const std::string& path, std::string_view kind,
                        StationFile* file);

}  // namespace tesk740
