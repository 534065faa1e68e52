// The error log and the application log: text files in the station
// directory, one time-stamped line per entry, shared by every process of the
// station and rotated at KX_LOG_ROTATE_BYTES.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_services.h"
#include "model/clock.h"
#include "services/platform.h"
#include "services/services.h"

namespace tesk740 {
namespace {

constexpr char kErrorLog[] = "error.log";
constexpr char kApplicationLog[] = "application.log";

const char* LogName(LogKind kind) {
  return kind == LogKind::kError ? kErrorLog : kApplicationLog;
}

int32_t WithDirectory(std::string* directory) {
  return Station::Get().Read([directory](Database& database) -> int32_t {
    *directory = StationDirectory(database).u8string();
    return KX_OK;
  });
}

int32_t PutLine(const char* text, LogKind kind) {
  std::string line;
  std::string directory;
  if (int32_t code = WithDirectory(&directory); code != KX_OK) return code;
  if (int32_t code = TryReadText(text, kLongNameSize, &line); code != KX_OK) {
    return code;
  }
  return AppendLog(directory, kind, line);
}

}  // namespace

std::string EscapeLogText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", byte);
          escaped += hex;
        } else {
          escaped.push_back(c);
        }
    }
  }
  return escaped;
}

int32_t AppendLog(const std::string& directory, LogKind kind,
                  std::string_view text) {
  const std::string line = UtcStamp(NowMs()) + " [" +
                           std::to_string(platform::ProcessId()) + "] " +
                           EscapeLogText(text) + "\n";
  return platform::AppendLocked(StationFile(directory, LogName(kind)), line,
                                KX_LOG_ROTATE_BYTES)
             ? KX_OK
             : KXE_LOG_WRITE;
}

}  // namespace tesk740

using namespace tesk740;

KX_API int32_t KX_ErrLogPut(const char* text) {
  return PutLine(text, LogKind::kError);
}

KX_API int32_t KX_AppLogPut(const char* text) {
  return PutLine(text, LogKind::kApplication);
}

KX_API int32_t KX_ErrLogDelete() {
  std::string directory;
  if (int32_t code = WithDirectory(&directory); code != KX_OK) return code;
  return platform::ClearLocked(StationFile(directory, kErrorLog)) ? KX_OK
                                                                 : KXE_LOG_WRITE;
}
