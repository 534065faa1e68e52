// KX_EnvironmentCheck (what the station needs to work: a writable
// directory, free space, a healthy database) and KX_JavaVersionCheck.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_services.h"
#include "services/platform.h"
#include "services/services.h"
#include "station/files.h"
#include "station/host_path.h"

namespace tesk740 {
namespace {

// KX_MIN_FREE_MB from the environment when it is a decimal number, else
// the documented minimum.
int64_t MinimumFreeBytes() {
  int64_t megabytes = KX_MIN_FREE_MB;
  if (const char* text = std::getenv("KX_MIN_FREE_MB")) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end != text && *end == '\0' && value >= 0 && value <= (1LL << 40)) {
      megabytes = value;
    }
  }
  return megabytes * 1024 * 1024;
}

bool DirectoryWritable(const std::string& directory) {
  const std::string probe =
      StationFile(directory, (".write-check-" +
                              std::to_string(platform::ProcessId())).c_str());
  if (!WriteFileReplacing(std::filesystem::u8path(probe), "ok\n",
                          NewFileAccess::kOwnerOnly)) {
    return false;
  }
  std::error_code error;
  std::filesystem::remove(std::filesystem::u8path(probe), error);
  return true;
}

}  // namespace
}  // namespace tesk740

using namespace tesk740;

KX_API int32_t KX_EnvironmentCheck() {
  std::string directory;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    directory = StationDirectory(database).u8string();
    Statement check = database.Prepare("PRAGMA quick_check");
    if (!check.Step() || check.Text(0) != "ok") return KXE_ENV_DATABASE_DAMAGED;
    return KX_OK;
  });
  if (code != KX_OK) {
    // SQLite's own verdict on a file that is not a database.
    return code == KXE_STORAGE ? KXE_ENV_DATABASE_DAMAGED : code;
  }
  if (!DirectoryWritable(directory)) return KXE_ENV_DIRECTORY_NOT_WRITABLE;
  uint64_t available = 0;
  if (!AvailableBytes(std::filesystem::u8path(directory), &available)) {
    return KXE_ENV_DIRECTORY_NOT_WRITABLE;
  }
  if (available < static_cast<uint64_t>(MinimumFreeBytes())) {
    return KXE_ENV_LOW_DISK_SPACE;
  }
  return KX_OK;
}

// Accepts "17", "17.0.2", "21-ea", "17.0.9+9-Debian-1" and the like; the
// old form "1.8.0_292" names release 8. Feature releases below
// KX_MIN_JAVA_FEATURE are refused. Needs no station.
KX_API int32_t KX_JavaVersionCheck(const char* version) {
  std::string text;
  if (int32_t code = TryReadText(version, kLongNameSize, &text); code != KX_OK) {
    return code;
  }
  size_t at = 0;
  auto number = [&](long* value) {
    const size_t start = at;
    *value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' &&
           at - start < 6) {
      *value = *value * 10 + (text[at] - '0');
      ++at;
    }
    return at > start;
  };
  long feature = 0;
  if (!number(&feature)) return KXE_JAVA_VERSION_INVALID;
  if (feature == 1 && at < text.size() && text[at] == '.') {
    ++at;
    if (!number(&feature)) return KXE_JAVA_VERSION_INVALID;
  }
  if (at < text.size() && std::string("._-+").find(text[at]) == std::string::npos) {
    return KXE_JAVA_VERSION_INVALID;
  }
  if (feature < 1) return KXE_JAVA_VERSION_INVALID;
  return feature < KX_MIN_JAVA_FEATURE ? KXE_JAVA_VERSION_UNSUPPORTED : KX_OK;
}
