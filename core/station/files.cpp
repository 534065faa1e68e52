#include "station/files.h"

#include <cstdio>
#include <random>
#include <system_error>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tesk740 {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;
// Fresh names that are all taken in a row mean someone is filling the
// folder with them; give up rather than loop.
constexpr int kNameAttempts = 16;

// ".kx-<16 hex digits>.tmp": unpredictable, and of a fixed length whatever
// the target's name, so it never runs past the file system's name limit.
std::filesystem::path FreshName(const std::filesystem::path& folder) {
  std::random_device random;
  const uint64_t value =
      (static_cast<uint64_t>(random()) << 32) ^ static_cast<uint64_t>(random());
  char name[32];
  std::snprintf(name, sizeof name, ".kx-%016llx.tmp",
                static_cast<unsigned long long>(value));
  return folder / name;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

#if defined(_WIN32)

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

void CloseHandleOf(intptr_t handle) {
  if (handle != -1) CloseHandle(AsHandle(handle));
}

// An open caller's file: only a disk file passes (GetFileType tells pipes
// and character devices such as CON apart); a folder cannot be opened
// without FILE_FLAG_BACKUP_SEMANTICS.
FileRead OpenCallerFile(const std::filesystem::path& path, intptr_t* opened,
                        uint64_t* size) {
  const HANDLE file =
      CreateFileW(path.wstring().c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return FileRead::kMissing;
    }
    const DWORD attributes = GetFileAttributesW(path.wstring().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return FileRead::kNotRegular;
    }
    // A pipe with no free instance, or a device that refuses readers.
    if (error == ERROR_PIPE_BUSY) return FileRead::kNotRegular;
    return FileRead::kUnreadable;
  }
  LARGE_INTEGER length = {};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return FileRead::kNotRegular;
  }
  if (!GetFileSizeEx(file, &length) || length.QuadPart < 0) {
    CloseHandle(file);
    return FileRead::kUnreadable;
  }
  *opened = reinterpret_cast<intptr_t>(file);
  *size = static_cast<uint64_t>(length.QuadPart);
  return FileRead::kRead;
}

// Bytes read into `buffer`, 0 at the end, -1 on failure.
int64_t ReadSome(intptr_t handle, char* buffer, size_t size) {
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle), buffer, static_cast<DWORD>(size), &got,
                nullptr)) {
    return -1;
  }
  return got;
}

bool WriteAllTo(intptr_t handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(
        bytes.size() > kChunkBytes ? kChunkBytes : bytes.size());
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle), bytes.data(), chunk, &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// CREATE_NEW fails on anything already at the name, a link included. The
// file inherits its folder's permissions.
intptr_t CreateFresh(const std::filesystem::path& name, NewFileAccess) {
  const HANDLE file =
      CreateFileW(name.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_EXISTS ? -2 : -1;
  }
  return reinterpret_cast<intptr_t>(file);
}

bool Sync(intptr_t handle) { return FlushFileBuffers(AsHandle(handle)) != 0; }

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to,
            bool replace) {
  return MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                     MOVEFILE_WRITE_THROUGH |
                         (replace ? MOVEFILE_REPLACE_EXISTING : 0)) != 0;
}

void Remove(const std::filesystem::path& name) {
  DeleteFileW(name.wstring().c_str());
}

#else

void CloseHandleOf(intptr_t handle) {
  if (handle >= 0) ::close(static_cast<int>(handle));
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Opened with O_NONBLOCK, so that a FIFO without a writer or a device never
// holds the caller; fstat then tells what it is. A regular file ignores
// the flag.
FileRead OpenCallerFile(const std::filesystem::path& path, intptr_t* opened,
                        uint64_t* size) {
  const int fd = OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return FileRead::kMissing;
    // A socket, or a FIFO or device that refuses to be opened.
    if (errno == ENXIO || errno == EWOULDBLOCK || errno == ENODEV) {
      return FileRead::kNotRegular;
    }
    return FileRead::kUnreadable;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return FileRead::kUnreadable;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return FileRead::kNotRegular;
  }
  *opened = fd;
  *size = static_cast<uint64_t>(info.st_size);
  return FileRead::kRead;
}

int64_t ReadSome(intptr_t handle, char* buffer, size_t size) {
  ssize_t got;
  do {
    got = ::read(static_cast<int>(handle), buffer, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

bool WriteAllTo(intptr_t handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written =
        ::write(static_cast<int>(handle), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// O_EXCL fails on anything already at the name, a link included; O_NOFOLLOW
// says so again for systems that would follow one. -2 when the name is
// taken.
intptr_t CreateFresh(const std::filesystem::path& name, NewFileAccess access) {
  const mode_t mode = access == NewFileAccess::kOwnerOnly ? 0600 : 0666;
  const int fd = OpenRetrying(
      name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY, mode);
  if (fd < 0) return errno == EEXIST ? -2 : -1;
  return fd;
}

bool Sync(intptr_t handle) { return ::fsync(static_cast<int>(handle)) == 0; }

// Without `replace` the new file is linked in, which fails on an existing
// target; a file system without hard links gets a check and a rename.
bool Rename(const std::filesystem::path& from, const std::filesystem::path& to,
            bool replace) {
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0;
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return false;
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0 || errno != ENOENT) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::filesystem::path& name) { ::unlink(name.c_str()); }

// The rename itself reaches the disk with the folder.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

#endif

// Reads up to `max_bytes` + 1 bytes: one more than allowed tells a file at
// the limit from a larger one, also when it grows while it is read.
FileRead ReadOpened(intptr_t handle, uint64_t max_bytes, bool prefix,
                    std::string* contents) {
  std::string bytes;
  const uint64_t wanted = prefix ? max_bytes : max_bytes + 1;
  char chunk[kChunkBytes];
  while (bytes.size() < wanted) {
    const uint64_t left = wanted - bytes.size();
    const int64_t got =
        ReadSome(handle, chunk, left < sizeof chunk ? left : sizeof chunk);
    if (got < 0) return FileRead::kUnreadable;
    if (got == 0) break;
    bytes.append(chunk, static_cast<size_t>(got));
  }
  if (!prefix && bytes.size() > max_bytes) return FileRead::kTooLarge;
  *contents = std::move(bytes);
  return FileRead::kRead;
}

FileRead Read(const std::filesystem::path& path, uint64_t max_bytes,
              bool prefix, std::string* contents) {
  intptr_t handle = -1;
  uint64_t size = 0;
  const FileRead opened = OpenCallerFile(path, &handle, &size);
  if (opened != FileRead::kRead) return opened;
  const FileRead result = !prefix && size > max_bytes
                              ? FileRead::kTooLarge
                              : ReadOpened(handle, max_bytes, prefix, contents);
  CloseHandleOf(handle);
  return result;
}

}  // namespace

FileRead ReadCallerFile(const std::filesystem::path& path, uint64_t max_bytes,
                        std::string* contents) {
  return Read(path, max_bytes, /*prefix=*/false, contents);
}

FileRead ReadCallerFilePrefix(const std::filesystem::path& path,
                              uint64_t max_bytes, std::string* contents) {
  return Read(path, max_bytes, /*prefix=*/true, contents);
}

ReplacingFile::ReplacingFile(const std::filesystem::path& target,
                             NewFileAccess access)
    : target_(target) {
  const std::filesystem::path folder = FolderOf(target);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path name = FreshName(folder);
    const intptr_t created = CreateFresh(name, access);
    if (created == -2) continue;
    handle_ = created;
    temporary_ = name;
    return;
  }
}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
  if (handle_ == kNoHandle) return;
  CloseHandleOf(handle_);
  handle_ = kNoHandle;
  Remove(temporary_);
}

bool ReplacingFile::Write(std::string_view bytes) {
  if (!ok() || failed_) return false;
  if (!WriteAllTo(handle_, bytes)) failed_ = true;
  return !failed_;
}

bool ReplacingFile::Commit(bool replace) {
  if (!ok() || failed_ || !Sync(handle_)) {
    Discard();
    return false;
  }
  CloseHandleOf(handle_);
  handle_ = kNoHandle;
  if (!Rename(temporary_, target_, replace)) {
    Remove(temporary_);
    return false;
  }
#if !defined(_WIN32)
  SyncFolder(FolderOf(target_));
#endif
  return true;
}

bool WriteFileReplacing(const std::filesystem::path& target,
                        std::string_view contents, NewFileAccess access,
                        bool replace) {
  ReplacingFile file(target, access);
  return file.Write(contents) && file.Commit(replace);
}

namespace {

// Opens a regular file for appending (or, for a lock, reading and writing),
// never through a link; -1 for anything else.
intptr_t OpenForAppending(const std::filesystem::path& path, bool lock_access,
                          bool create) {
#if defined(_WIN32)
  // The link itself is opened, never its target, and then refused.
  const HANDLE file = CreateFileW(
      path.wstring().c_str(),
      lock_access ? GENERIC_READ | GENERIC_WRITE : FILE_APPEND_DATA,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      create ? OPEN_ALWAYS : OPEN_EXISTING,
      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  BY_HANDLE_FILE_INFORMATION info = {};
  if (GetFileType(file) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes &
       (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    CloseHandle(file);
    return -1;
  }
  return reinterpret_cast<intptr_t>(file);
#else
  const int fd = OpenRetrying(path.c_str(),
                              (lock_access ? O_RDWR : O_WRONLY | O_APPEND) |
                                  (create ? O_CREAT : 0) | O_NOFOLLOW |
                                  O_NONBLOCK | O_NOCTTY,
                              0600);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  // Writes to a regular file never block; the flag only kept the open from
  // waiting on a FIFO.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
#endif
}

bool IsMissing(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status =
      std::filesystem::symlink_status(path, error);
  return status.type() == std::filesystem::file_type::not_found;
}

bool IsEmpty(intptr_t handle) {
#if defined(_WIN32)
  LARGE_INTEGER size = {};
  return GetFileSizeEx(AsHandle(handle), &size) && size.QuadPart == 0;
#else
  struct stat info {};
  return ::fstat(static_cast<int>(handle), &info) == 0 && info.st_size == 0;
#endif
}

}  // namespace

bool AppendToCallerFile(const std::filesystem::path& target,
                        std::string_view heading, std::string_view bytes,
                        NewFileAccess access) {
  // A file created by another process between the look and the creation is
  // appended to on the second round.
  for (int round = 0; round < 2; ++round) {
    if (IsMissing(target)) {
      std::string whole(heading);
      whole.append(bytes);
      if (WriteFileReplacing(target, whole, access, /*replace=*/false)) {
        return true;
      }
      if (IsMissing(target)) return false;
      continue;
    }
    const intptr_t file = OpenForAppending(target, false, /*create=*/false);
    if (file == -1) return false;
    std::string whole;
    if (IsEmpty(file)) whole.assign(heading);
    whole.append(bytes);
    const bool written = WriteAllTo(file, whole);
    CloseHandleOf(file);
    return written;
  }
  return false;
}

intptr_t OpenStationFileForAppend(const std::filesystem::path& path,
                                  bool lock_access) {
  return OpenForAppending(path, lock_access, /*create=*/true);
}

void CloseStationFile(intptr_t handle) { CloseHandleOf(handle); }

}  // namespace tesk740
