// POSIX side of services_platform.h.
#if !defined(_WIN32)

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>

#include "services/platform.h"
#include "station/files.h"

extern char** environ;

namespace tesk740 {
namespace platform {
namespace {

// A file descriptor closed on every path.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { reset(); }
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// flock locks belong to the open file description, so two threads of one
// process exclude each other as two processes do.
bool LockExclusive(const Descriptor& lock) {
  int result;
  do {
    result = ::flock(lock.get(), LOCK_EX);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

int64_t ElapsedMs(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now() - start)
      .count();
}

// Waits for the child until the deadline; true when it has ended (or can
// no longer be waited for: *lost is then set).
bool WaitUntil(pid_t pid, int* status,
               std::chrono::steady_clock::time_point deadline,
               bool* lost = nullptr) {
  for (;;) {
    const pid_t result = ::waitpid(pid, status, WNOHANG);
    if (result == pid) return true;
    if (result < 0 && errno != EINTR) {
      if (lost != nullptr) *lost = true;
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

// The log and its lock file are the station's own: owner-only, and never
// opened through a link or as anything but a regular file.
int OpenLogFile(const std::string& path, bool lock_access) {
  return static_cast<int>(
      OpenStationFileForAppend(std::filesystem::u8path(path), lock_access));
}

bool AppendLocked(const std::string& path, const std::string& line,
                  int64_t rotate_bytes) {
  Descriptor lock(OpenLogFile(path + ".lock", true));
  if (!lock.ok() || !LockExclusive(lock)) return false;
  Descriptor log(OpenLogFile(path, false));
  if (!log.ok()) return false;
  struct stat info;
  if (::fstat(log.get(), &info) != 0) return false;
  if (info.st_size > 0 &&
      info.st_size + static_cast<int64_t>(line.size()) > rotate_bytes) {
    if (::rename(path.c_str(), (path + ".1").c_str()) != 0) return false;
    log.reset(OpenLogFile(path, false));
    if (!log.ok()) return false;
  }
  return WriteAll(log.get(), line);
}

bool ClearLocked(const std::string& path) {
  Descriptor lock(OpenLogFile(path + ".lock", true));
  if (!lock.ok() || !LockExclusive(lock)) return false;
  Descriptor log(OpenLogFile(path, false));
  if (!log.ok() || ::ftruncate(log.get(), 0) != 0) return false;
  const std::string old = path + ".1";
  return ::unlink(old.c_str()) == 0 || errno == ENOENT;
}

ProgramOutcome RunProgram(
    const std::vector<std::string>& argv,
    const std::vector<std::pair<std::string, std::string>>& environment,
    int timeout_seconds) {
  ProgramOutcome outcome;
  if (argv.empty()) return outcome;

  std::vector<char*> arguments;
  for (const std::string& argument : argv) {
    arguments.push_back(const_cast<char*>(argument.c_str()));
  }
  arguments.push_back(nullptr);

  // The process's environment, with the given variables replacing any of
  // the same name.
  std::set<std::string> replaced;
  std::vector<std::string> entries;
  for (const auto& [name, value] : environment) {
    replaced.insert(name);
    entries.push_back(name + "=" + value);
  }
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    const std::string name =
        equals ? std::string(*entry, equals - *entry) : std::string(*entry);
    if (replaced.count(name) == 0) entries.emplace_back(*entry);
  }
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  // A process group of its own, so a timeout stops what it started too; no
  // signal blocked or ignored by the host process (a Java VM) is inherited.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP |
                                            POSIX_SPAWN_SETSIGMASK |
                                            POSIX_SPAWN_SETSIGDEF);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int error = ::posix_spawnp(&pid, arguments[0], &actions, &attributes,
                                   arguments.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    switch (error) {
      case ENOENT:
      case ENOTDIR:
        outcome.kind = ProgramOutcome::kNotFound;
        break;
      case EACCES:
      case ENOEXEC:
      case EPERM:
      case EISDIR:
        outcome.kind = ProgramOutcome::kNotExecutable;
        break;
      default:
        outcome.kind = ProgramOutcome::kStartFailed;
    }
    outcome.status = error;
    return outcome;
  }

  int status = 0;
  bool lost = false;
  const auto deadline = start + std::chrono::seconds(timeout_seconds);
  if (!WaitUntil(pid, &status, deadline, &lost)) {
    ::kill(-pid, SIGTERM);
    if (!WaitUntil(pid, &status,
                   std::chrono::steady_clock::now() + std::chrono::seconds(2))) {
      ::kill(-pid, SIGKILL);
      WaitUntil(pid, &status,
                std::chrono::steady_clock::now() + std::chrono::seconds(10));
    }
    // Whatever the program left behind in its group goes too.
    ::kill(-pid, SIGKILL);
    outcome.kind = ProgramOutcome::kTimedOut;
    outcome.elapsed_ms = ElapsedMs(start);
    return outcome;
  }
  outcome.elapsed_ms = ElapsedMs(start);
  if (lost) {
    // Someone else reaped the child (SIGCHLD ignored by the host process).
    outcome.kind = ProgramOutcome::kStatusLost;
  } else if (WIFSIGNALED(status)) {
    outcome.kind = ProgramOutcome::kSignaled;
    outcome.status = WTERMSIG(status);
  } else {
    outcome.kind = ProgramOutcome::kExited;
    outcome.status = WEXITSTATUS(status);
  }
  return outcome;
}

int64_t ProcessId() { return static_cast<int64_t>(::getpid()); }

}  // namespace platform
}  // namespace tesk740

#endif  // !_WIN32
