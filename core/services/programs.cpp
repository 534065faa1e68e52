// The external program run on alerts: its settings, and running it with an
// argument vector (never a shell), the alert in its environment, a timeout,
// and its outcome in the application log.
#include <string>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_services.h"
#include "services/platform.h"
#include "services/services.h"
#include "station/fixed_text.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

constexpr char kProgramSetting[] = "external_program";

struct ProgramSettings {
  bool on = false;
  int timeout_seconds = KX_PROGRAM_DEFAULT_TIMEOUT_SECONDS;
  std::vector<std::string> argv;
};

// Splits a command line into words. Blanks (space, tab) separate words.
// Inside single quotes every byte is literal; inside double quotes a
// backslash escapes only '"' and '\'; elsewhere a backslash makes the next
// byte literal. Quotes join with the text around them ("a"b is ab), and ""
// is an empty word. No other byte is special: $, *, ;, | and the like reach
// the program as they are. False for an unclosed quote or a lone backslash
// at the end.
bool SplitCommandLine(std::string_view line, std::vector<std::string>* words) {
  words->clear();
  std::string word;
  bool in_word = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ' || c == '\t') {
      if (in_word) words->push_back(word);
      word.clear();
      in_word = false;
      continue;
    }
    in_word = true;
    if (c == '\'') {
      const size_t close = line.find('\'', i + 1);
      if (close == std::string_view::npos) return false;
      word.append(line.substr(i + 1, close - i - 1));
      i = close;
    } else if (c == '"') {
      for (++i;; ++i) {
        if (i >= line.size()) return false;
        if (line[i] == '"') break;
        if (line[i] == '\\' && i + 1 < line.size() &&
            (line[i + 1] == '"' || line[i + 1] == '\\')) {
          ++i;
        }
        word.push_back(line[i]);
      }
    } else if (c == '\\') {
      if (++i >= line.size()) return false;
      word.push_back(line[i]);
    } else {
      word.push_back(c);
    }
  }
  if (in_word) words->push_back(word);
  return true;
}

// Checks a record and turns it into settings; KX_OK or
// KXE_PROGRAM_INVALID_SETTING (KXE_INVALID_ARGUMENT for an unterminated
// text).
int32_t ParseSettings(const ExProgramInfoRecord& record,
                      ProgramSettings* settings) {
  if (record.on_off != KX_SERVICE_OFF && record.on_off != KX_SERVICE_ON) {
    return KXE_PROGRAM_INVALID_SETTING;
  }
  if (record.exec_mode < 0 ||
      record.exec_mode > KX_PROGRAM_MAX_TIMEOUT_SECONDS) {
    return KXE_PROGRAM_INVALID_SETTING;
  }
  std::string line;
  if (!ReadFixedText(record.program_name, sizeof record.program_name, &line)) {
    return KXE_INVALID_ARGUMENT;
  }
  settings->on = record.on_off == KX_SERVICE_ON;
  settings->timeout_seconds = record.exec_mode == KX_PROGRAM_DEFAULT_TIMEOUT
                                  ? KX_PROGRAM_DEFAULT_TIMEOUT_SECONDS
                                  : record.exec_mode;
  if (!SplitCommandLine(line, &settings->argv)) {
    return KXE_PROGRAM_INVALID_SETTING;
  }
  // Switched on, there must be a program to run.
  if (settings->on && settings->argv.empty()) return KXE_PROGRAM_INVALID_SETTING;
  return KX_OK;
}

ExProgramInfoRecord LoadProgramRecord(Database& database) {
  return LoadSetting(database, kStationWide, kProgramSetting,
                     ExProgramInfoRecord{},
                     [](const ExProgramInfoRecord& record) {
                       ProgramSettings unused;
                       RequireOk(ParseSettings(record, &unused));
                     });
}

std::string Describe(const std::vector<std::string>& argv) {
  std::string text;
  for (const std::string& argument : argv) {
    if (!text.empty()) text += ' ';
    text += '"' + argument + '"';
  }
  return text;
}

// Runs the program and records its outcome in the application log (and
// failures in the error log too).
int32_t Run(const ProgramSettings& settings, const AlertEvent& alert,
            bool test, const std::string& directory) {
  const std::vector<std::pair<std::string, std::string>> environment = {
      {"KX_ALERT_TEST", test ? "1" : "0"},
      {"KX_ALERT_UNIT", alert.unit},
      {"KX_ALERT_TIME", alert.unit.empty() ? "" : FormatLocalTime(alert.time_ms)},
      {"KX_ALERT_VALUE", std::to_string(alert.value)},
      {"KX_ALERT_DETAILS", alert.details},
      {"KX_ALERT_CLEARED", alert.cleared},
      {"KX_STATION_DIR", directory},
  };
  const platform::ProgramOutcome outcome =
      platform::RunProgram(settings.argv, environment, settings.timeout_seconds);
  std::string what = std::string(test ? "test run of " : "alert run of ") +
                     Describe(settings.argv) + ": ";
  int32_t code = KX_OK;
  switch (outcome.kind) {
    case platform::ProgramOutcome::kExited:
      what += "exit status " + std::to_string(outcome.status);
      if (outcome.status != 0) code = KXE_PROGRAM_FAILED;
      break;
    case platform::ProgramOutcome::kSignaled:
      what += "killed by signal " + std::to_string(outcome.status);
      code = KXE_PROGRAM_FAILED;
      break;
    case platform::ProgramOutcome::kTimedOut:
      what += "still running after " + std::to_string(settings.timeout_seconds) +
              " s, stopped";
      code = KXE_PROGRAM_TIMEOUT;
      break;
    case platform::ProgramOutcome::kNotFound:
      what += "program not found";
      code = KXE_PROGRAM_NOT_FOUND;
      break;
    case platform::ProgramOutcome::kNotExecutable:
      what += "program not executable";
      code = KXE_PROGRAM_NOT_EXECUTABLE;
      break;
    case platform::ProgramOutcome::kStartFailed:
      what += "could not be started (error " + std::to_string(outcome.status) + ")";
      code = KXE_PROGRAM_START_FAILED;
      break;
    case platform::ProgramOutcome::kStatusLost:
      what += "exit status could not be collected";
      code = KXE_PROGRAM_FAILED;
      break;
  }
  if (outcome.kind != platform::ProgramOutcome::kNotFound &&
      outcome.kind != platform::ProgramOutcome::kNotExecutable &&
      outcome.kind != platform::ProgramOutcome::kStartFailed) {
    what += " after " + std::to_string(outcome.elapsed_ms) + " ms";
  }
  // The program's outcome stands even when a log cannot be written.
  AppendLog(directory, LogKind::kApplication, what);
  if (code != KX_OK) AppendLog(directory, LogKind::kError, what);
  return code;
}

}  // namespace
}  // namespace tesk740

using namespace tesk740;

KX_API int32_t KX_GetExProgramInfo(ExProgramInfoRecord* settings) {
  if (settings == nullptr) return KXE_INVALID_ARGUMENT;
  ExProgramInfoRecord record{};
  const int32_t code = Station::Get().Read([&record](Database& database) -> int32_t {
    record = LoadProgramRecord(database);
    return KX_OK;
  });
  if (code == KX_OK) *settings = record;
  return code;
}

KX_API int32_t KX_SetExProgramInfo(const ExProgramInfoRecord* settings) {
  if (settings == nullptr) return KXE_INVALID_ARGUMENT;
  return Station::Get().Write([settings](Database& database) -> int32_t {
    ProgramSettings parsed;
    if (int32_t code = ParseSettings(*settings, &parsed); code != KX_OK) {
      return code;
    }
    // Stored with the bytes after the command line zeroed.
    ExProgramInfoRecord record = *settings;
    std::string line;
    ReadFixedText(settings->program_name, sizeof settings->program_name, &line);
    WriteFixedText(line, record.program_name, sizeof record.program_name);
    StoreSetting(database, kStationWide, kProgramSetting, record);
    return KX_OK;
  });
}

// Runs the given settings' program at once, whether they are switched on or
// not, with KX_ALERT_TEST=1 and the latest alert.
KX_API int32_t KX_ExecuteProgramTest(const ExProgramInfoRecord* settings) {
  if (settings == nullptr) return KXE_INVALID_ARGUMENT;
  std::string directory;
  AlertEvent alert;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    directory = StationDirectory(database).u8string();
    alert = LoadLatestAlert(database);
    return KX_OK;
  });
  if (code != KX_OK) return code;
  ProgramSettings parsed;
  if (int32_t invalid = ParseSettings(*settings, &parsed); invalid != KX_OK) {
    return invalid;
  }
  if (parsed.argv.empty()) return KXE_PROGRAM_OFF;
  return Run(parsed, alert, true, directory);
}

// Runs the stored program for the latest alert. The station is not held
// while the program runs.
KX_API int32_t KX_ExecuteProgram() {
  std::string directory;
  AlertEvent alert;
  ExProgramInfoRecord record{};
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    directory = StationDirectory(database).u8string();
    alert = LoadLatestAlert(database);
    record = LoadProgramRecord(database);
    return KX_OK;
  });
  if (code != KX_OK) return code;
  ProgramSettings parsed;
  ParseSettings(record, &parsed);
  if (!parsed.on || parsed.argv.empty()) return KXE_PROGRAM_OFF;
  return Run(parsed, alert, false, directory);
}
