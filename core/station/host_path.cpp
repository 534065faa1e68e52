#include "station/host_path.h"

#include <string>
#include <system_error>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace tesk740 {

#if defined(_WIN32)
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// \\?\C:\dir -> C:\dir, \\?\UNC\server\share\dir -> \\server\share\dir.
// Other verbatim forms (\\?\Volume{...}\dir) stay as they are.
std::wstring OrdinaryForm(const std::wstring& path) {
  if (path.compare(0, 4, L"\\\\?\\") != 0) return path;
  const std::wstring rest = path.substr(4);
  if (rest.size() >= 2 && IsDriveLetter(rest[0]) && rest[1] == L':') {
    return rest.size() == 2 ? rest + L'\\' : rest;
  }
  if (rest.size() >= 4 && _wcsnicmp(rest.c_str(), L"UNC", 3) == 0 &&
      rest[3] == L'\\') {
    return L"\\\\" + rest.substr(4);
  }
  return path;
}

// Length of the root of a full path: "C:\" or "\\server\share\"; 0 when
// the path has neither.
size_t RootLength(const std::wstring& path) {
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' &&
      IsSeparator(path[2])) {
    return 3;
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // Past the server and the share name.
    size_t at = 2;
    for (int part = 0; part < 2; ++part) {
      while (at < path.size() && !IsSeparator(path[at])) ++at;
      if (part == 0 && at == path.size()) return 0;
      if (at < path.size()) ++at;
    }
    return at;
  }
  return 0;
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool ResolveDirectory(std::string_view utf8, std::filesystem::path* resolved) {
  std::wstring given;
  try {
    given = OrdinaryForm(std::filesystem::u8path(utf8).wstring());
  } catch (const std::exception&) {
    return false;
  }
  if (given.empty()) return false;
  // GetFullPathNameW makes the path absolute against the working directory
  // (or the named drive's), turns '/' into '\' and removes "." and "..".
  const DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::wstring full(needed, L'\0');
  const DWORD length =
      GetFullPathNameW(given.c_str(), needed, &full[0], nullptr);
  if (length == 0 || length >= needed) return false;
  full.resize(length);
  if (RootLength(full) == 0) return false;
  // One spelling per directory: no trailing separator past the root.
  while (full.size() > RootLength(full) && IsSeparator(full.back())) {
    full.pop_back();
  }
  *resolved = std::filesystem::path(full);
  return true;
}

bool MakeDirectories(const std::filesystem::path& directory) {
  const std::wstring path = directory.wstring();
  const size_t root = RootLength(path);
  if (root == 0) return false;
  // Each missing level from the root down; one that another process makes
  // at the same moment counts as made.
  for (size_t at = root; at <= path.size(); ++at) {
    if (at != path.size() && !IsSeparator(path[at])) continue;
    const std::wstring level = path.substr(0, at);
    if (level.size() <= root || IsDirectory(level)) continue;
    if (!CreateDirectoryW(level.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  return IsDirectory(path);
}

std::filesystem::path CallerPath(std::string_view utf8,
                                 const std::filesystem::path& base) {
  const std::wstring given =
      OrdinaryForm(std::filesystem::u8path(utf8).wstring());
  // The library knows drive roots only; a share is a root too.
  if (RootLength(given) != 0) return std::filesystem::path(given);
  return base / std::filesystem::path(given);
}

bool AvailableBytes(const std::filesystem::path& directory, uint64_t* bytes) {
  // A share's root needs its closing separator.
  std::wstring path = directory.wstring();
  if (path.empty()) return false;
  if (!IsSeparator(path.back())) path.push_back(L'\\');
  ULARGE_INTEGER available = {};
  if (!GetDiskFreeSpaceExW(path.c_str(), &available, nullptr, nullptr)) {
    return false;
  }
  *bytes = available.QuadPart;
  return true;
}
#else
bool ResolveDirectory(std::string_view utf8, std::filesystem::path* resolved) {
  std::error_code error;
  std::filesystem::path path =
      std::filesystem::absolute(std::filesystem::u8path(utf8), error);
  if (!error) path = std::filesystem::weakly_canonical(path, error);
  if (error) return false;
  *resolved = path;
  return true;
}

bool MakeDirectories(const std::filesystem::path& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  return !error && std::filesystem::is_directory(directory, error);
}

std::filesystem::path CallerPath(std::string_view utf8,
                                 const std::filesystem::path& base) {
  const std::filesystem::path given = std::filesystem::u8path(utf8);
  return given.is_absolute() ? given : base / given;
}

bool AvailableBytes(const std::filesystem::path& directory, uint64_t* bytes) {
  std::error_code error;
  const std::filesystem::space_info space =
      std::filesystem::space(directory, error);
  if (error) return false;
  *bytes = space.available;
  return true;
}
#endif

}  // namespace tesk740
