// Alerts, external programs, logs, SNMP settings and the environment checks.
#include <sys/stat.h>

#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "kx_snapshot.h"
#include "kx_station_snapshot.h"
#include "services_test_support.h"

namespace core_test {
namespace {

// Whether the process ends (or is left a zombie) within `limit`.
bool EndsWithin(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const std::filesystem::path stat = "/proc/" + std::to_string(pid) + "/stat";
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string text = ReadFile(stat);
    const size_t name_end = text.rfind(')');
    if (text.empty() || name_end == std::string::npos ||
        text.compare(name_end, 4, ") Z ") == 0) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

class HostServicesTest : public ArrayTest {
 protected:
  std::string Log(const char* name) { return ReadFile(directory_ / name); }
  int32_t Check(int32_t mode = KX_ALERT_CHECK) {
    int32_t value = -1;
    const int32_t code = KX_AlertCheck(kUnit, mode, &value);
    return code == KX_OK ? value : -code;
  }
};

constexpr int32_t New(int32_t kinds) { return kinds << KX_ALERT_NEW_SHIFT; }
constexpr int32_t Cleared(int32_t kinds) {
  return kinds << KX_ALERT_CLEARED_SHIFT;
}

TEST_F(HostServicesTest, AlertsFollowTheArrayAndNewAndEndedOnesStandOut) {
  TestClock clock(directory_);
  EXPECT_EQ(Check(), 0);
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1000)), KX_OK);
  // The format still runs when the group fails below.
  SetFormatSecondsPerGb("1000");
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, 1), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_BLOCK), KX_OK);

  const int32_t degraded = KX_ALERT_DRIVE_BLOCKED | KX_ALERT_GROUP_DEGRADED;
  EXPECT_EQ(Check(KX_ALERT_PEEK), degraded | New(degraded));
  EXPECT_EQ(Check(), degraded | New(degraded)) << "a peek is not remembered";
  EXPECT_EQ(Check(), degraded) << "reported alerts are not new again";

  // A second drive of the same kind is a new alert; the group is now lost,
  // and with it the format of its LU.
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  const int32_t failed = KX_ALERT_DRIVE_BLOCKED | KX_ALERT_GROUP_FAILED |
                         KX_ALERT_FORMAT_FAILED;
  EXPECT_EQ(Check(), failed | New(failed) | Cleared(KX_ALERT_GROUP_DEGRADED))
      << "degraded has ended in failed";

  // Returned drives rebuild: the group is degraded until they are done.
  SetFormatSecondsPerGb("1000");
  ASSERT_EQ(KX_SetDriveMode(kUnit, 0, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  const int32_t rebuilding = KX_ALERT_DRIVE_REBUILDING | KX_ALERT_GROUP_FAILED |
                             KX_ALERT_FORMAT_FAILED;
  EXPECT_EQ(Check(KX_ALERT_PEEK), rebuilding | New(KX_ALERT_DRIVE_REBUILDING) |
                                      Cleared(KX_ALERT_DRIVE_BLOCKED));
  // The snapshot keeps standing and new kinds apart from ended ones.
  auto snapshot = std::make_unique<ArrayAllInformationRecord>();
  ASSERT_EQ(KX_GetAllInformation(kUnit, snapshot.get()), KX_OK);
  EXPECT_EQ(snapshot->alert[KX_SNAPSHOT_ALERT_KINDS], rebuilding);
  EXPECT_EQ(snapshot->alert[KX_SNAPSHOT_ALERT_NEW], KX_ALERT_DRIVE_REBUILDING);
  EXPECT_EQ(Check(), rebuilding | New(KX_ALERT_DRIVE_REBUILDING) |
                         Cleared(KX_ALERT_DRIVE_BLOCKED))
      << "the blocks ended: the drives are back, rebuilding";
  EXPECT_EQ(Check(), rebuilding) << "an end is reported once";

  // The rebuilds end: the group is whole again; the LU stays unformatted.
  clock.Advance(INT64_C(48) * 3600 * 1000);
  EXPECT_EQ(Check(), KX_ALERT_FORMAT_FAILED |
                         Cleared(KX_ALERT_DRIVE_REBUILDING |
                                 KX_ALERT_GROUP_FAILED));
  EXPECT_EQ(Check(), KX_ALERT_FORMAT_FAILED);
  ASSERT_EQ(KX_LogicalUnitFormat(kUnit, 0, 1), KX_OK);
  EXPECT_EQ(Check(), Cleared(KX_ALERT_FORMAT_FAILED));
  EXPECT_EQ(Check(), 0);

  EXPECT_EQ(Check(7), -KXE_INVALID_ARGUMENT);
  int32_t value;
  EXPECT_EQ(KX_AlertCheck("nobody", KX_ALERT_CHECK, &value), KXE_UNKNOWN_UNIT);
}

class ProgramTest : public HostServicesTest {
 protected:
  void SetUp() override {
    HostServicesTest::SetUp();
    // A directory with a blank in its name, holding a script that writes
    // each argument and the alert variables into the file named first.
    bin_ = directory_ / "my programs";
    std::filesystem::create_directories(bin_);
    script_ = bin_ / "record args.sh";
    WriteFile(script_,
              "#!/bin/sh\nout=\"$1\"; shift\n: > \"$out\"\n"
              "for a in \"$@\"; do printf '[%s]\\n' \"$a\" >> \"$out\"; done\n"
              "printf 'unit=%s test=%s value=%s details=%s cleared=%s\\n' "
              "\"$KX_ALERT_UNIT\" \"$KX_ALERT_TEST\" \"$KX_ALERT_VALUE\" "
              "\"$KX_ALERT_DETAILS\" \"$KX_ALERT_CLEARED\" >> \"$out\"\n"
              "exit \"${KX_TEST_EXIT:-0}\"\n");
    chmod(script_.c_str(), 0755);
    out_ = directory_ / "out.txt";
  }
  // The command line that runs the script with `arguments` after the output
  // file.
  std::string Line(const std::string& arguments) {
    return "'" + script_.string() + "' '" + out_.string() + "' " + arguments;
  }

  std::filesystem::path bin_, script_, out_;
};

TEST_F(ProgramTest, ArgumentsReachTheProgramExactlyWithoutAShell) {
  const ExProgramInfoRecord settings = MakeProgram(
      Line("\"two words\" 'it'\\''s' \"say \\\"hi\\\"\" '$HOME;ls|x' `id` \"\" a\\ b"));
  ASSERT_EQ(KX_ExecuteProgramTest(&settings), KX_OK);
  EXPECT_EQ(ReadFile(out_),
            "[two words]\n[it's]\n[say \"hi\"]\n[$HOME;ls|x]\n[`id`]\n[]\n[a b]\n"
            "unit= test=1 value=0 details= cleared=\n");
  EXPECT_NE(Log("application.log").find("exit status 0"), std::string::npos);

  for (const char* bad : {"'unclosed", "\"unclosed", "trailing\\"}) {
    const ExProgramInfoRecord malformed = MakeProgram(bad);
    EXPECT_EQ(KX_ExecuteProgramTest(&malformed), KXE_PROGRAM_INVALID_SETTING) << bad;
    EXPECT_EQ(KX_SetExProgramInfo(&malformed), KXE_PROGRAM_INVALID_SETTING) << bad;
  }
}

TEST_F(ProgramTest, StoredProgramRunsForTheLatestAlert) {
  const ExProgramInfoRecord off = MakeProgram(Line("x"), 0, KX_SERVICE_OFF);
  ASSERT_EQ(KX_SetExProgramInfo(&off), KX_OK);
  EXPECT_EQ(KX_ExecuteProgram(), KXE_PROGRAM_OFF);

  const ExProgramInfoRecord settings = MakeProgram(Line("alert"), 5);
  ASSERT_EQ(KX_SetExProgramInfo(&settings), KX_OK);
  ExProgramInfoRecord stored;
  std::memset(&stored, 0x55, sizeof stored);
  ASSERT_EQ(KX_GetExProgramInfo(&stored), KX_OK);
  EXPECT_EQ(std::memcmp(&stored, &settings, sizeof stored), 0);

  ASSERT_EQ(KX_SetDriveMode(kUnit, 2, 4, KX_DRIVE_MODE_BLOCK), KX_OK);
  ASSERT_EQ(Check(), KX_ALERT_DRIVE_BLOCKED | New(KX_ALERT_DRIVE_BLOCKED));
  ASSERT_EQ(KX_ExecuteProgram(), KX_OK);
  EXPECT_EQ(ReadFile(out_), "[alert]\nunit=array1 test=0 value=" +
                                std::to_string(KX_ALERT_DRIVE_BLOCKED |
                                               New(KX_ALERT_DRIVE_BLOCKED)) +
                                " details=drive 2/4 blocked cleared=\n");

  // The end of an alert runs it too, with what ended.
  ASSERT_EQ(KX_SetDriveMode(kUnit, 2, 4, KX_DRIVE_MODE_RESTORE), KX_OK);
  ASSERT_EQ(Check(), Cleared(KX_ALERT_DRIVE_BLOCKED));
  ASSERT_EQ(KX_ExecuteProgram(), KX_OK);
  EXPECT_EQ(ReadFile(out_), "[alert]\nunit=array1 test=0 value=" +
                                std::to_string(Cleared(KX_ALERT_DRIVE_BLOCKED)) +
                                " details= cleared=drive 2/4 blocked\n");
}

TEST_F(ProgramTest, FailuresHaveTheirOwnCodesAndAreLogged) {
  SetEnv("KX_TEST_EXIT", "3");
  const ExProgramInfoRecord failing = MakeProgram(Line("x"));
  EXPECT_EQ(KX_ExecuteProgramTest(&failing), KXE_PROGRAM_FAILED);
  SetEnv("KX_TEST_EXIT", nullptr);
  EXPECT_NE(Log("application.log").find("exit status 3"), std::string::npos);
  EXPECT_NE(Log("error.log").find("exit status 3"), std::string::npos);

  const ExProgramInfoRecord missing = MakeProgram("/nonexistent/program arg");
  EXPECT_EQ(KX_ExecuteProgramTest(&missing), KXE_PROGRAM_NOT_FOUND);
  const ExProgramInfoRecord not_on_path = MakeProgram("no-such-program-here");
  EXPECT_EQ(KX_ExecuteProgramTest(&not_on_path), KXE_PROGRAM_NOT_FOUND);
  chmod(script_.c_str(), 0644);
  EXPECT_EQ(KX_ExecuteProgramTest(&failing), KXE_PROGRAM_NOT_EXECUTABLE);
  const ExProgramInfoRecord directory = MakeProgram("'" + bin_.string() + "'");
  EXPECT_EQ(KX_ExecuteProgramTest(&directory), KXE_PROGRAM_NOT_EXECUTABLE);

  // A program that outlives its timeout is stopped, with what it started:
  // its background job would otherwise run on for a minute.
  const std::filesystem::path job = directory_ / "job.pid";
  const ExProgramInfoRecord slow = MakeProgram(
      "/bin/sh -c 'sleep 60 & echo $! > \"$0\"; wait' '" + job.string() + "'",
      1);
  EXPECT_EQ(KX_ExecuteProgramTest(&slow), KXE_PROGRAM_TIMEOUT);
  // (On a machine too slow to start the job within the second, nothing is
  // left to stop.)
  const std::string pid = ReadFile(job);
  if (!pid.empty()) {
    EXPECT_TRUE(EndsWithin(std::stoi(pid), std::chrono::seconds(30)));
  }
  EXPECT_NE(Log("application.log").find("still running after 1 s, stopped"),
            std::string::npos);
}

TEST_F(HostServicesTest, LogLinesAreStampedEscapedClearedAndRotated) {
  ASSERT_EQ(KX_AppLogPut("two\nlines and a \\ backslash"), KX_OK);
  ASSERT_EQ(KX_ErrLogPut("disk failed"), KX_OK);
  const std::vector<std::string> lines = SplitLines(Log("application.log"));
  ASSERT_EQ(lines.size(), 1u);
  // 2026-12-07T23:15:00.123Z [pid] text
  ASSERT_GT(lines[0].size(), 26u);
  EXPECT_EQ(lines[0][10], 'T');
  EXPECT_EQ(lines[0].substr(23, 3), "Z [");
  EXPECT_EQ(lines[0].substr(lines[0].find("] ") + 2),
            "two\\nlines and a \\\\ backslash");
  ASSERT_EQ(KX_ErrLogDelete(), KX_OK);
  EXPECT_EQ(Log("error.log"), "");
  EXPECT_EQ(Log("application.log").empty(), false);

  char unterminated[kLongNameSize];
  std::memset(unterminated, 'a', sizeof unterminated);
  EXPECT_EQ(KX_AppLogPut(unterminated), KXE_INVALID_ARGUMENT);

  const std::string text(1000, 'r');
  for (int i = 0; i < 1100; ++i) ASSERT_EQ(KX_ErrLogPut(text.c_str()), KX_OK);
  const auto size = std::filesystem::file_size(directory_ / "error.log");
  const auto old_size = std::filesystem::file_size(directory_ / "error.log.1");
  EXPECT_LE(old_size, static_cast<uintmax_t>(KX_LOG_ROTATE_BYTES));
  EXPECT_EQ(SplitLines(Log("error.log")).size() +
                SplitLines(Log("error.log.1")).size(),
            1100u);
  EXPECT_LT(size, old_size);
  ASSERT_EQ(KX_ErrLogDelete(), KX_OK);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "error.log.1"));
}

TEST_F(HostServicesTest, SeveralProcessesAppendWithoutLosingOrTearingLines) {
  // Four writers of 300 lines of 1000 bytes: 1.2 MB, so the log rotates
  // once while they write.
  constexpr int kWriters = 4, kLines = 300;
  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back(Spawn({KX_LOG_HELPER, directory_.string(),
                             std::to_string(w), std::to_string(kLines), "1000"}));
  }
  for (pid_t pid : writers) EXPECT_EQ(WaitExit(pid), 0);
  std::map<int, std::set<int>> seen;
  size_t count = 0;
  for (const char* name : {"application.log.1", "application.log"}) {
    for (const std::string& line : SplitLines(Log(name))) {
      ++count;
      int writer = -1, index = -1;
      const size_t at = line.find("] writer ");
      ASSERT_NE(at, std::string::npos) << "torn line: " << line.substr(0, 80);
      ASSERT_EQ(std::sscanf(line.c_str() + at, "] writer %d line %d", &writer, &index), 2);
      EXPECT_EQ(line.size() - at - 2, 1000u) << "torn line";
      EXPECT_TRUE(seen[writer].insert(index).second) << "line written twice";
    }
  }
  EXPECT_EQ(count, static_cast<size_t>(kWriters * kLines));
  for (int w = 0; w < kWriters; ++w) EXPECT_EQ(seen[w].size(), static_cast<size_t>(kLines));
}

TEST_F(HostServicesTest, SnmpSettingsAreKeptAndWrittenToTheirFile) {
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "192.0.2.10, nms.example.test:1162",
                             "community=ops traps=on part_failed=off"),
            KX_OK);
  // An empty text keeps its part.
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "", "drive_rebuilding=off"), KX_OK);
  ASSERT_EQ(KX_SnmpConfigOutput(kUnit, "", "snmp.conf"), KX_OK);
  EXPECT_EQ(Log("snmp.conf"),
            "# SNMP settings of a disk-array unit, written by the management station.\n"
            "# One \"key = value\" per line; one manager line per trap destination.\n"
            "unit = array1\ncommunity = ops\ntraps = on\n"
            "trap.drive_blocked = on\ntrap.drive_rebuilding = off\n"
            "trap.group_degraded = on\ntrap.group_failed = on\n"
            "trap.format_failed = on\ntrap.part_failed = off\n"
            "manager = 192.0.2.10:162\nmanager = nms.example.test:1162\n");

  const std::string before = Log("snmp.conf");
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "bad host!", ""), KXE_SNMP_INVALID_MANAGER);
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "a b c d e f g h i", ""), KXE_SNMP_INVALID_MANAGER);
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "h:70000", ""), KXE_SNMP_INVALID_MANAGER);
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "", "traps=maybe"), KXE_SNMP_INVALID_SETTING);
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "", "colour=on"), KXE_SNMP_INVALID_SETTING);
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "", "community=has#hash"), KXE_SNMP_INVALID_SETTING);
  EXPECT_EQ(KX_SetSnmpConfig(kUnit, "", ""), KXE_INVALID_ARGUMENT);
  ASSERT_EQ(KX_SnmpConfigOutput(kUnit, "", "snmp.conf"), KX_OK);
  EXPECT_EQ(Log("snmp.conf"), before) << "a refused change left something behind";

  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "none", ""), KX_OK);
  std::filesystem::create_directories(directory_ / "out");
  ASSERT_EQ(KX_SnmpConfigOutput(kUnit, "out", ""), KX_OK);
  EXPECT_EQ(Log("out/snmp-array1.conf").find("\nmanager ="), std::string::npos);
  EXPECT_EQ(KX_SnmpConfigOutput(kUnit, "missing", "x.conf"), KXE_SNMP_OUTPUT);
  EXPECT_EQ(KX_SnmpConfigOutput(kUnit, "", "../x.conf"), KXE_SNMP_OUTPUT);
  EXPECT_EQ(KX_SnmpConfigOutput("nobody", "", "x.conf"), KXE_UNKNOWN_UNIT);
}

TEST_F(HostServicesTest, EnvironmentAndJavaVersionChecks) {
  EXPECT_EQ(KX_EnvironmentCheck(), KX_OK);
  SetEnv("KX_MIN_FREE_MB", "1099511627776");
  EXPECT_EQ(KX_EnvironmentCheck(), KXE_ENV_LOW_DISK_SPACE);
  SetEnv("KX_MIN_FREE_MB", nullptr);

  const std::map<std::string, int32_t> versions = {
      {"17", KX_OK},
      {"17.0.9+9-Debian-1deb12u1", KX_OK},
      {"21-ea", KX_OK},
      {"11.0.20", KXE_JAVA_VERSION_UNSUPPORTED},
      {"1.8.0_292", KXE_JAVA_VERSION_UNSUPPORTED},
      {"", KXE_JAVA_VERSION_INVALID},
      {"java17", KXE_JAVA_VERSION_INVALID},
      {"17x", KXE_JAVA_VERSION_INVALID},
  };
  for (const auto& [version, code] : versions) {
    EXPECT_EQ(KX_JavaVersionCheck(version.c_str()), code) << version;
  }
}

}  // namespace
}  // namespace core_test
