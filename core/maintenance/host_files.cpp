// Text files on the station host, read by path. A relative path is taken
// from the station's working directory. File bytes are handed over as they
// are, except that a NUL byte becomes C0 80 (the encoded NUL of Java's
// modified UTF-8), so that a NUL-terminated text keeps all of the file.
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_maintenance.h"
#include "maintenance/maintenance.h"
#include "station/files.h"

namespace tesk740 {
namespace {

namespace fs = std::filesystem;

int32_t ResolvePath(const char* path, fs::path* resolved) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    *resolved = HostPath(database, path);
    return KX_OK;
  });
}

// KX_OK when the file was read; the code that says why it was not.
int32_t FileTextCode(FileRead read) {
  switch (read) {
    case FileRead::kRead:
      return KX_OK;
    case FileRead::kMissing:
      return KXE_FILE_NOT_FOUND;
    case FileRead::kTooLarge:
      return KXE_FILE_TOO_LARGE;
    default:
      return KXE_FILE_UNREADABLE;
  }
}

void AppendWithEncodedNul(const char* bytes, size_t size, std::string* out) {
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] == '\0') {
      out->append("\xC0\x80", 2);
    } else {
      out->push_back(bytes[i]);
    }
  }
}

}  // namespace
}  // namespace tesk740

KX_API int32_t KX_GetFileText(const char* path, char** text) {
  namespace fs = std::filesystem;
  fs::path file;
  int32_t code = tesk740::ResolvePath(path, &file);
  if (code != KX_OK) return code;
  if (text == nullptr) return KXE_INVALID_ARGUMENT;
  std::string bytes;
  code = tesk740::FileTextCode(
      tesk740::ReadCallerFile(file, KX_FILE_TEXT_MAX_BYTES, &bytes));
  if (code != KX_OK) return code;
  const size_t size = bytes.size();
  std::string contents;
  tesk740::AppendWithEncodedNul(bytes.data(), size, &contents);
  // From the C runtime heap the bridge frees it on.
  char* buffer = static_cast<char*>(std::malloc(contents.size() + 1));
  if (buffer == nullptr) return KXE_INTERNAL;
  std::memcpy(buffer, contents.data(), contents.size());
  buffer[contents.size()] = '\0';
  *text = buffer;
  return KX_OK;
}

KX_API int32_t KX_GetFileLine(const char* path, int32_t length, char* line) {
  namespace fs = std::filesystem;
  fs::path file;
  int32_t code = tesk740::ResolvePath(path, &file);
  if (code != KX_OK) return code;
  if (length < 0 || line == nullptr) return KXE_INVALID_ARGUMENT;
  // The first line, without its LF or CR LF: at most length bytes of text,
  // so length + 2 bytes read tell whether it fits.
  std::string head;
  code = tesk740::FileTextCode(tesk740::ReadCallerFilePrefix(
      file, static_cast<uint64_t>(length) + 2, &head));
  if (code != KX_OK) return code;
  const size_t newline = head.find('\n');
  const bool ended = newline != std::string::npos ||
                     head.size() < static_cast<uint64_t>(length) + 2;
  std::string raw = head.substr(0, newline);
  if (!ended) return KXE_FILE_LINE_TOO_LONG;
  if (!raw.empty() && raw.back() == '\r') raw.pop_back();
  std::string text;
  tesk740::AppendWithEncodedNul(raw.data(), raw.size(), &text);
  if (text.size() > static_cast<size_t>(length)) return KXE_FILE_LINE_TOO_LONG;
  std::memcpy(line, text.data(), text.size());
  line[text.size()] = '\0';
  return KX_OK;
}

KX_API int32_t KX_ExistFile(const char* path, int32_t* value) {
  namespace fs = std::filesystem;
  fs::path file;
  const int32_t code = tesk740::ResolvePath(path, &file);
  if (code != KX_OK) return code;
  if (value == nullptr) return KXE_INVALID_ARGUMENT;
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  switch (status.type()) {
    case fs::file_type::not_found:
      *value = KX_PATH_MISSING;
      return KX_OK;
    case fs::file_type::regular:
      *value = KX_PATH_FILE;
      return KX_OK;
    case fs::file_type::directory:
      *value = KX_PATH_DIRECTORY;
      return KX_OK;
    default:
      // The path could not be looked at (a parent without permission).
      if (error) return KXE_FILE_UNREADABLE;
      *value = KX_PATH_OTHER;
      return KX_OK;
  }
}
