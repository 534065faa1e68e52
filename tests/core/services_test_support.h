// Helpers of the notification and host service tests: files, child
// processes, a loopback SMTP server, e-mail records.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "array_test_support.h"
#include "kx_services.h"
#include "kx_station_services.h"

extern char** environ;

namespace core_test {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::filesystem::path& path,
                      const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) {
    return -1;
  }
  return pid;
}

inline int WaitExit(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The loopback SMTP server of smtp_sink.py, stopped when destroyed. Message
// n (from 1) lands in `directory`/n.eml (envelope and raw message) and n.txt
// (decoded subject, newline, decoded body). `options` go to smtp_sink.py
// (--tls-cert, --tls-key: STARTTLS offered).
class SmtpSink {
 public:
  explicit SmtpSink(const std::filesystem::path& directory,
                    const std::vector<std::string>& options = {})
      : directory_(directory) {
    std::filesystem::create_directories(directory_);
    const std::string script =
        (std::filesystem::path(__FILE__).parent_path() / "smtp_sink.py").string();
    std::vector<std::string> argv = {
        "/usr/bin/python3", script,
        "--port-file",      (directory_ / "port").string(),
        "--out-dir",        directory_.string()};
    argv.insert(argv.end(), options.begin(), options.end());
    pid_ = Spawn(argv);
    // A loaded machine may take many seconds to start Python.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (port_ == 0 && std::chrono::steady_clock::now() < deadline) {
      const std::string text = ReadFile(directory_ / "port");
      if (!text.empty()) port_ = std::stoi(text);
      else std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  ~SmtpSink() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      WaitExit(pid_);
    }
  }
  int port() const { return port_; }
  std::string server() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string Raw(int n) const {
    return ReadFile(directory_ / (std::to_string(n) + ".eml"));
  }
  std::string Decoded(int n) const {
    return ReadFile(directory_ / (std::to_string(n) + ".txt"));
  }
  bool Has(int n) const {
    return std::filesystem::exists(directory_ / (std::to_string(n) + ".eml"));
  }

 private:
  std::filesystem::path directory_;
  pid_t pid_ = -1;
  int port_ = 0;
};

inline EmailInfoRecord MakeEmail(const std::string& server,
                                 const std::string& from,
                                 const std::vector<std::string>& to,
                                 int32_t on = KX_SERVICE_ON,
                                 const std::string& domain = "station.test") {
  EmailInfoRecord record{};
  record.on_off = on;
  std::strncpy(record.domain, domain.c_str(), sizeof record.domain - 1);
  std::strncpy(record.smtp, server.c_str(), sizeof record.smtp - 1);
  std::strncpy(record.from, from.c_str(), sizeof record.from - 1);
  record.tonum = static_cast<int32_t>(to.size());
  for (size_t i = 0; i < to.size() && i < kEmailRecipientSlots; ++i) {
    std::strncpy(record.to[i], to[i].c_str(), sizeof record.to[i] - 1);
  }
  return record;
}

inline ExProgramInfoRecord MakeProgram(const std::string& line,
                                       int32_t timeout = 0,
                                       int32_t on = KX_SERVICE_ON) {
  ExProgramInfoRecord record{};
  record.on_off = on;
  record.exec_mode = timeout;
  std::strncpy(record.program_name, line.c_str(), sizeof record.program_name - 1);
  return record;
}

inline void SetEnv(const char* name, const char* value) {
  if (value) setenv(name, value, 1);
  else unsetenv(name);
}

}  // namespace core_test
