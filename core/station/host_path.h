// Directories that callers name (UTF-8, already decoded from Java's modified
// UTF-8), resolved and created the way the host's file system wants them.
//
// On Windows the standard library's path class knows drive letters only: it
// reads \\server\share\dir as a path on the current drive and \\?\C:\dir as
// one with no drive at all. The Windows side therefore resolves and creates
// directories with the wide Win32 API, which knows every form a user may
// type: C:\dir, C:/dir, relative ones, \\server\share\dir, and the verbatim
// \\?\C:\dir and \\?\UNC\server\share\dir (taken as their ordinary forms).
// Elsewhere the standard library does the work.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace tesk740 {

// The absolute form of the directory, without "." and "..". On POSIX
// systems symbolic links of its existing part are resolved too. False when
// it cannot be resolved.
bool ResolveDirectory(std::string_view utf8, std::filesystem::path* resolved);

// Creates a resolved directory and its missing parents. True when it is a
// directory afterwards.
bool MakeDirectories(const std::filesystem::path& directory);

// A file path a caller names (UTF-8): taken as it is when absolute, else
// relative to `base`. On Windows a UNC path (\\server\share\file) counts as
// absolute, and a verbatim one (\\?\C:\file, \\?\UNC\server\share\file)
// is taken in its ordinary form.
std::filesystem::path CallerPath(std::string_view utf8,
                                 const std::filesystem::path& base);

// Bytes this process may still write on the directory's volume. False when
// it cannot be told.
bool AvailableBytes(const std::filesystem::path& directory, uint64_t* bytes);

}  // namespace tesk740
