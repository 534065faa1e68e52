// Text files on the station host, read by path. A relative path is taken
// from the station's working directory. File bytes are handed over as they
// are, except that a NUL byte becomes C0 80 (the encoded NUL of Java's
// modified UTF-8), so that a NUL-terminated text keeps all of the file.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_maintenance.h"
#include "maintenance/maintenance.h"

namespace tesk740 {
namespace {

namespace fs = std::filesystem;

int32_t ResolvePath(const char* path, fs::path* resolved) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    *resolved = HostPath(database, path);
    return KX_OK;
  });
}

// KX_OK for a regular file; the code that says why anything else is not one.
int32_t RequireRegularFile(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return KXE_FILE_NOT_FOUND;
  if (error || status.type() != fs::file_type::regular) {
    return KXE_FILE_UNREADABLE;
  }
  return KX_OK;
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
  code = tesk740::RequireRegularFile(file);
  if (code != KX_OK) return code;
  std::ifstream in(file, std::ios::binary);
  if (!in) return KXE_FILE_UNREADABLE;
  // One byte more than the cap tells a file at the cap from a larger one,
  // also when the file grows while it is read.
  std::string bytes(size_t{KX_FILE_TEXT_MAX_BYTES} + 1, '\0');
  in.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return KXE_FILE_UNREADABLE;
  const size_t size = static_cast<size_t>(in.gcount());
  if (size > static_cast<size_t>(KX_FILE_TEXT_MAX_BYTES)) {
    return KXE_FILE_TOO_LARGE;
  }
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
  code = tesk740::RequireRegularFile(file);
  if (code != KX_OK) return code;
  std::ifstream in(file, std::ios::binary);
  if (!in) return KXE_FILE_UNREADABLE;
  // The first line, without its LF or CR LF: at most length bytes of text,
  // so length + 2 bytes read tell whether it fits.
  const int64_t limit = int64_t{length} + 2;
  std::string raw;
  bool ended = false;
  for (int64_t read = 0; read < limit; ++read) {
    const int c = in.get();
    if (c == std::char_traits<char>::eof()) {
      ended = true;
      break;
    }
    if (c == '\n') {
      ended = true;
      break;
    }
    raw.push_back(static_cast<char>(c));
  }
  if (in.bad()) return KXE_FILE_UNREADABLE;
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
