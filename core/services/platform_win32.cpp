// Windows side of services_platform.h.
#if defined(_WIN32)

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <cwctype>
#include <filesystem>
#include <map>
#include <string>

#include "services/platform.h"
#include "station/files.h"

namespace tesk740 {
namespace platform {
namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                      &wide[0], length);
  return wide;
}

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { reset(); }
  HANDLE get() const { return handle_; }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  void reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (ok()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

// Holds an exclusive lock on the whole lock file until destroyed.
class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : file_(reinterpret_cast<HANDLE>(
            OpenStationFileForAppend(std::filesystem::u8path(path), true))) {
    if (!file_.ok()) return;
    OVERLAPPED at = {};
    locked_ = LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD,
                         MAXDWORD, &at) != 0;
  }
  ~FileLock() {
    if (locked_) {
      OVERLAPPED at = {};
      UnlockFileEx(file_.get(), 0, MAXDWORD, MAXDWORD, &at);
    }
  }
  bool locked() const { return locked_; }

 private:
  Handle file_;
  bool locked_ = false;
};

// Never through a link, and only a disk file.
HANDLE OpenForAppend(const std::string& path) {
  return reinterpret_cast<HANDLE>(
      OpenStationFileForAppend(std::filesystem::u8path(path), false));
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(
        bytes.size() - done > 0x40000000 ? 0x40000000 : bytes.size() - done);
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
      return false;
    }
    done += written;
  }
  return true;
}

// One argument quoted so that the C runtime's command-line parser (and
// CommandLineToArgvW) gives it back unchanged: backslashes are literal
// except before a quote, where they and the quote are escaped.
std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() &&
      argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      quoted.append(backslashes * 2 + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted.push_back(c);
  }
  // Backslashes before the closing quote are doubled.
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

struct CaseInsensitive {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  }
};

// The process's environment with the given variables replacing those of the
// same name (names compare without case), as a sorted Unicode block.
std::wstring EnvironmentBlock(
    const std::vector<std::pair<std::string, std::string>>& environment) {
  std::map<std::wstring, std::wstring, CaseInsensitive> variables;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry != L'\0';
         entry += wcslen(entry) + 1) {
      const wchar_t* equals = wcschr(entry + 1, L'=');  // "=C:" entries
      if (equals == nullptr) continue;
      variables[std::wstring(entry, equals)] = std::wstring(equals + 1);
    }
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [name, value] : environment) variables[Wide(name)] = Wide(value);
  std::wstring result;
  for (const auto& [name, value] : variables) {
    result += name;
    result += L'=';
    result += value;
    result.push_back(L'\0');
  }
  result.push_back(L'\0');
  return result;
}

}  // namespace

bool AppendLocked(const std::string& path, const std::string& line,
                  int64_t rotate_bytes) {
  FileLock lock(path + ".lock");
  if (!lock.locked()) return false;
  Handle log(OpenForAppend(path));
  if (!log.ok()) return false;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(log.get(), &size)) return false;
  if (size.QuadPart > 0 &&
      size.QuadPart + static_cast<int64_t>(line.size()) > rotate_bytes) {
    log.reset();
    if (!MoveFileExW(Wide(path).c_str(), Wide(path + ".1").c_str(),
                     MOVEFILE_REPLACE_EXISTING)) {
      return false;
    }
    log.reset(OpenForAppend(path));
    if (!log.ok()) return false;
  }
  return WriteAll(log.get(), line);
}

bool ClearLocked(const std::string& path) {
  FileLock lock(path + ".lock");
  if (!lock.locked()) return false;
  Handle log(CreateFileW(Wide(path).c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log.ok()) return false;
  return DeleteFileW(Wide(path + ".1").c_str()) ||
         GetLastError() == ERROR_FILE_NOT_FOUND;
}

ProgramOutcome RunProgram(
    const std::vector<std::string>& argv,
    const std::vector<std::pair<std::string, std::string>>& environment,
    int timeout_seconds) {
  ProgramOutcome outcome;
  if (argv.empty()) return outcome;
  std::wstring command_line;
  for (const std::string& argument : argv) {
    if (!command_line.empty()) command_line.push_back(L' ');
    command_line += QuoteArgument(Wide(argument));
  }
  std::wstring block = EnvironmentBlock(environment);

  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  Handle null_in(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, OPEN_EXISTING, 0, nullptr));
  Handle null_out(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              &inherit, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null_in.get();
  startup.hStdOutput = null_out.get();
  startup.hStdError = null_out.get();

  // A job holds the program and whatever it starts, so a timeout stops all.
  Handle job(CreateJobObjectW(nullptr, nullptr));
  PROCESS_INFORMATION process = {};
  const auto start = std::chrono::steady_clock::now();
  // The program is the first, quoted word of the command line: CreateProcess
  // searches for it as the C runtime would, never splitting it at a blank.
  if (!CreateProcessW(nullptr, &command_line[0], nullptr, nullptr, TRUE,
                      CREATE_SUSPENDED | CREATE_NO_WINDOW |
                          CREATE_UNICODE_ENVIRONMENT,
                      &block[0], nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    switch (error) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_NAME:
        outcome.kind = ProgramOutcome::kNotFound;
        break;
      case ERROR_ACCESS_DENIED:
      case ERROR_BAD_EXE_FORMAT:
      case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        outcome.kind = ProgramOutcome::kNotExecutable;
        break;
      default:
        outcome.kind = ProgramOutcome::kStartFailed;
    }
    outcome.status = static_cast<int>(error);
    return outcome;
  }
  Handle process_handle(process.hProcess);
  Handle thread_handle(process.hThread);
  if (job.ok()) AssignProcessToJobObject(job.get(), process.hProcess);
  ResumeThread(process.hThread);

  const DWORD waited = WaitForSingleObject(
      process.hProcess, static_cast<DWORD>(timeout_seconds) * 1000u);
  outcome.elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
  if (waited != WAIT_OBJECT_0) {
    if (job.ok()) TerminateJobObject(job.get(), 1);
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
    outcome.kind = ProgramOutcome::kTimedOut;
    return outcome;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process.hProcess, &code)) {
    outcome.kind = ProgramOutcome::kStatusLost;
    return outcome;
  }
  outcome.kind = ProgramOutcome::kExited;
  outcome.status = static_cast<int>(code);
  return outcome;
}

int64_t ProcessId() { return static_cast<int64_t>(GetCurrentProcessId()); }

}  // namespace platform
}  // namespace tesk740

#endif  // _WIN32
