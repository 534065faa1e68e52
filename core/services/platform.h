// What the notification and host services need from the operating system:
// appending to a log file shared by several processes, and running a
// program with an argument vector. Kept apart from the records and the
// station so that platform headers never meet them (windows.h defines
// macros such as ctl1). Paths and texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tesk740 {
namespace platform {

// Appends `line` (which ends in a newline) to the file at `path` in one write,
// holding an exclusive lock on `path`.lock so that several threads and
// processes never interleave, and rotating first: a file that would grow
// past `rotate_bytes` is renamed to `path`.1 (replacing it) and a new one is
// begun. False if the file could not be locked, opened or written.
bool AppendLocked(const std::string& path, const std::string& line,
                  int64_t rotate_bytes);

// Empties the file at `path` and removes `path`.1, under the same lock.
bool ClearLocked(const std::string& path);

struct ProgramOutcome {
  enum Kind {
    kExited,         // status: the exit status
    kSignaled,       // status: the signal (POSIX only)
    kTimedOut,       // stopped after the timeout
    kNotFound,       // no such program
    kNotExecutable,  // exists but cannot be run
    kStartFailed,    // any other failure to start
    kStatusLost,     // ran, but its exit status could not be collected
  };
  Kind kind = kStartFailed;
  int status = 0;
  int64_t elapsed_ms = 0;
};

// Runs argv[0] with the arguments argv[1..] as they are (no shell, no
// expansion), its environment the process's own plus `environment`
// (replacing variables of the same name), standard input, output and error
// on the null device. Waits at most `timeout_seconds`; a program still
// running then is stopped, with the processes it started.
ProgramOutcome RunProgram(
    const std::vector<std::string>& argv,
    const std::vector<std::pair<std::string, std::string>>& environment,
    int timeout_seconds);

// The id of this process, for log lines and unique file names.
int64_t ProcessId();

}  // namespace platform
}  // namespace tesk740
