// Files outside station.db: those a caller names for the station to read,
// and those the station writes (exports, traces, reports, SNMP files).
//
// A caller's file may be anything: a FIFO that never delivers a byte, a
// device, a file of many gigabytes. It is opened without blocking and read
// only when it is a regular file of a bounded size. Read it before the
// station's transaction begins, never inside one: what the caller names must
// not hold the station for other threads and processes.
//
// A file the station writes is never written through a name someone else
// could have prepared: it is created exclusively under a fresh, unpredictable
// name in the target's folder (a link planted there is never followed),
// written, synced, and renamed over the target, so readers see the old file
// or the new one and never a part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tesk740 {

// What became of reading a caller's file.
enum class FileRead {
  kRead,
  kMissing,     // nothing at the path (or a missing folder on the way)
  kNotRegular,  // a folder, FIFO, device, socket or pipe
  kTooLarge,    // more bytes than allowed
  kUnreadable,  // there, but it could not be opened or read
};

// The whole file, at most `max_bytes` of it; a larger one is kTooLarge.
FileRead ReadCallerFile(const std::filesystem::path& path, uint64_t max_bytes,
                        std::string* contents);

// The first `max_bytes` bytes of a regular file of any size (all of a
// shorter one).
FileRead ReadCallerFilePrefix(const std::filesystem::path& path,
                              uint64_t max_bytes, std::string* contents);

// Who may read a file the station writes.
enum class NewFileAccess {
  // Only the station's user (0600): files with the station's internals or
  // secrets in them, and anything the station keeps in its own folder.
  kOwnerOnly,
  // As the process's umask allows (0666 less the umask): exports written
  // where the caller says, for the caller to hand on.
  kCallerUmask,
};

// A file being written to replace `target` whole. Nothing appears at the
// target until Commit; a file never committed is removed when this ends.
class ReplacingFile {
 public:
  ReplacingFile(const std::filesystem::path& target, NewFileAccess access);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False when the fresh file could not be created (a missing or read-only
  // folder, for instance); every later call then fails too.
  bool ok() const { return handle_ != kNoHandle; }

  bool Write(std::string_view bytes);

  // Syncs the file and renames it over the target; with `replace` false an
  // existing target is kept and Commit fails. False on any failure, which
  // leaves the target as it was.
  bool Commit(bool replace = true);

 private:
  static constexpr intptr_t kNoHandle = -1;
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  intptr_t handle_ = kNoHandle;
  bool failed_ = false;
};

// Writes `contents` to replace `target` whole, as ReplacingFile does.
bool WriteFileReplacing(const std::filesystem::path& target,
                        std::string_view contents, NewFileAccess access,
                        bool replace = true);

// Appends to a caller's file in one write (several processes appending
// never interleave), only to a regular file and never through a link. A
// missing or empty file gets `heading` first; a missing one is created as
// WriteFileReplacing creates files, without replacing one that appears
// meanwhile.
bool AppendToCallerFile(const std::filesystem::path& target,
                        std::string_view heading, std::string_view bytes,
                        NewFileAccess access);

// Opens a file in the station's folder for appending (logs and their lock
// files), creating it owner-only when it is missing. Refuses a link or
// anything but a regular file at the path. Returns a descriptor (POSIX) or
// a HANDLE (Windows) as an integer, or -1. `lock_access` opens it for
// reading and writing, as a lock file needs.
intptr_t OpenStationFileForAppend(const std::filesystem::path& path,
                                  bool lock_access);
void CloseStationFile(intptr_t handle);

}  // namespace tesk740
