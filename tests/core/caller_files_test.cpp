// Files at the station's edge, as an attacker or an unlucky operator meets
// them: a FIFO named where a file is read must be refused rather than hang
// the caller (and the station with it); a link planted where the station
// writes must never be written through; and what the station creates is
// readable by its owner alone, exports excepted.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "array_test_support.h"
#include "kx_connectivity.h"
#include "kx_station_connectivity.h"
#include "kx_station_maintenance.h"
#include "kx_station_parameters.h"
#include "kx_station_services.h"
#include "kx_station_statistics.h"

namespace core_test {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A path in the 1024-byte field the core reads it from.
struct PathField {
  explicit PathField(const std::filesystem::path& path) {
    path.string().copy(text, sizeof text - 1);
  }
  char text[kLongNameSize] = {};
};

class CallerFilesTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    // Four samples 10 s apart with reads on LU 3: three rows a file.
    for (int k = 0; k < 4; ++k) {
      samples_[k].mtime.tm_year = 126;
      samples_[k].mtime.tm_mon = 4;
      samples_[k].mtime.tm_mday = 1;
      samples_[k].mtime.tm_hour = 10;
      samples_[k].mtime.tm_sec = 10 * k;
      samples_[k].lu[3].read_count = 100 * k;
    }
  }
  std::filesystem::path Fifo(const std::string& name) {
    const std::filesystem::path path = directory_ / name;
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    return path;
  }
  mode_t Mode(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
  }
  StatisticalCommandRecord samples_[4] = {};
};

// Each of these opened its file with a blocking open: a FIFO with no writer
// held the call (and, for the imports, the station's write lock) for ever.
TEST_F(CallerFilesTest, ReadersRefuseAFifoInsteadOfWaitingOnIt) {
  const PathField fifo(Fifo("blocks"));
  const auto targets = std::make_unique<TargetIdRecord[]>(2);
  const auto permissions =
      std::make_unique<FibreInformationPermissionRecord[]>(128);
  const auto groups = std::make_unique<RaidGroupRecord[]>(KX_RAID_GROUP_COUNT);
  const auto lus = std::make_unique<LogicalUnitRecord[]>(KX_LOGICAL_UNIT_COUNT);
  int32_t count = 0;
  char* text = nullptr;
  char line[16] = {};
  const struct {
    const char* call;
    std::function<int32_t()> read;
    int32_t refusal;
  } readers[] = {
      {"KX_ConfigImport", [&] { return KX_ConfigImport(kUnit, fifo.text); },
       KXE_FILE_READ},
      {"KX_SystemParamImport",
       [&] { return KX_SystemParamImport(kUnit, fifo.text, 0); },
       KXE_FILE_READ},
      {"KX_ModeSelect",
       [&] { return KX_ModeSelect(kUnit, KX_MODE_PAGE_ALL, 0, 0, fifo.text); },
       KXE_FILE_READ},
      {"KX_TargetIdImport",
       [&] {
         return KX_TargetIdImport(kUnit, fifo.text, &targets[0], &targets[1]);
       },
       KXE_IMPORT_FILE},
      {"KX_FibreInfoPermissionImport",
       [&] {
         return KX_FibreInfoPermissionImport(kUnit, fifo.text, 1, 1, &count,
                                             permissions.get());
       },
       KXE_IMPORT_FILE},
      {"KX_RaidLuImport",
       [&] {
         return KX_RaidLuImport(kUnit, fifo.text, groups.get(), lus.get());
       },
       KXE_RGLU_FILE_READ},
      {"KX_MicroFileConcat",
       [&] { return KX_MicroFileConcat(kUnit, fifo.text, 1, &count); },
       KXE_MICRO_FILE_UNREADABLE},
      {"KX_GetFileText", [&] { return KX_GetFileText(fifo.text, &text); },
       KXE_FILE_UNREADABLE},
      {"KX_GetFileLine",
       [&] { return KX_GetFileLine(fifo.text, sizeof line - 1, line); },
       KXE_FILE_UNREADABLE},
      // Appending opened the FIFO for writing, which waits for a reader.
      {"KX_PerformanceOutput",
       [&] {
         return KX_PerformanceOutput(kUnit, fifo.text, &samples_[0],
                                     &samples_[1], &samples_[2], &samples_[3]);
       },
       KXE_PERF_OUTPUT_FAILED},
  };
  for (const auto& reader : readers) {
    EXPECT_EQ(reader.read(), reader.refusal) << reader.call;
  }
  EXPECT_EQ(text, nullptr);
  // Still the FIFO: nothing was written in its place.
  struct stat info {};
  ASSERT_EQ(::lstat(fifo.text, &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// The trace went through "<target>.partial" and the SNMP file through
// "<target>.tmp<pid>": a link planted there made the station overwrite the
// file it pointed to. A link at the target itself is replaced, not followed.
TEST_F(CallerFilesTest, WritersNeverWriteThroughAPlantedLink) {
  const std::filesystem::path victim = directory_ / "victim.txt";
  std::ofstream(victim) << "precious\n";
  const auto plant = [&](const std::filesystem::path& target) {
    for (const std::string& suffix :
         {std::string(".partial"), ".tmp" + std::to_string(::getpid()),
          std::string("")}) {
      std::filesystem::create_symlink(victim, target.string() + suffix);
    }
  };
  const struct {
    const char* call;
    const char* file;
    std::function<int32_t(const PathField&)> write;
  } writers[] = {
      {"KX_CreateTraceFile2", "trace.txt",
       [](const PathField& path) {
         return KX_CreateTraceFile2(kUnit, KX_TRACE_ALL, path.text);
       }},
      {"KX_SnmpConfigOutput", "snmp.conf",
       [this](const PathField&) {
         return KX_SnmpConfigOutput(kUnit, directory_.string().c_str(),
                                    "snmp.conf");
       }},
      {"KX_SystemParamExport", "parameters.kx",
       [](const PathField& path) {
         return KX_SystemParamExport(kUnit, path.text, 0, 1);
       }},
      {"KX_ModeSense", "pages.kx",
       [](const PathField& path) {
         return KX_ModeSense(kUnit, KX_MODE_PAGE_ALL, KX_MODE_CURRENT, 0,
                             path.text);
       }},
      {"KX_ConfigExport", "config.kx",
       [](const PathField& path) { return KX_ConfigExport(kUnit, path.text); }},
      {"KX_OutputAutoDump", "dump.kx",
       [](const PathField& path) {
         return KX_OutputAutoDump(kUnit, 0, path.text);
       }},
      {"KX_RaidLuExport", "raidlu.txt",
       [](const PathField& path) { return KX_RaidLuExport(kUnit, path.text); }},
      {"KX_PerformanceOutputLU", "perf.csv",
       [this](const PathField& path) {
         uint8_t lus[KX_LOGICAL_UNIT_COUNT] = {1};
         return KX_PerformanceOutputLU(kUnit, path.text, &samples_[0],
                                       &samples_[1], &samples_[2], &samples_[3],
                                       KX_PERF_REPLACE, lus, 0);
       }},
  };
  for (const auto& writer : writers) {
    const std::filesystem::path target = directory_ / writer.file;
    plant(target);
    EXPECT_EQ(writer.write(PathField(target)), KX_OK) << writer.call;
    EXPECT_EQ(Contents(victim), "precious\n") << writer.call;
    EXPECT_TRUE(std::filesystem::is_regular_file(
        std::filesystem::symlink_status(target)))
        << writer.call;
    EXPECT_FALSE(Contents(target).empty()) << writer.call;
  }
  // Appending to a link is refused rather than followed.
  const std::filesystem::path appended = directory_ / "appended.csv";
  std::filesystem::create_symlink(victim, appended);
  EXPECT_EQ(KX_PerformanceOutput(kUnit, PathField(appended).text, &samples_[0],
                                 &samples_[1], &samples_[2], &samples_[3]),
            KXE_PERF_OUTPUT_FAILED);
  EXPECT_EQ(Contents(victim), "precious\n");
  // Nothing is left behind beside the targets.
  for (const auto& entry : std::filesystem::directory_iterator(directory_)) {
    EXPECT_EQ(entry.path().filename().string().rfind(".kx-", 0),
              std::string::npos)
        << entry.path();
  }
}

// Logs name mail servers and program command lines, reports quote the
// operator's files, traces hold the station's events and SNMP files the
// community: the station's user alone reads them. Exports go where the
// caller says, for the caller to hand on: the caller's umask decides.
TEST_F(CallerFilesTest, StationFilesAreOwnerOnlyAndExportsFollowTheUmask) {
  const mode_t saved = ::umask(002);
  ASSERT_EQ(KX_ErrLogPut("an error"), KX_OK);
  ASSERT_EQ(KX_AppLogPut("an event"), KX_OK);
  const std::filesystem::path bad = directory_ / "bad-targets.txt";
  std::ofstream(bad) << "nonsense\n";
  const auto targets = std::make_unique<TargetIdRecord[]>(2);
  EXPECT_EQ(
      KX_TargetIdImport(kUnit, PathField(bad).text, &targets[0], &targets[1]),
      KXE_IMPORT_SYNTAX);
  ASSERT_EQ(
      KX_CreateTraceFile2(kUnit, KX_TRACE_ALL, PathField("trace.txt").text),
      KX_OK);
  ASSERT_EQ(KX_SnmpConfigOutput(kUnit, "", "snmp.conf"), KX_OK);
  ASSERT_EQ(KX_EnvironmentCheck(), KX_OK);
  for (const char* name : {"error.log", "error.log.lock", "application.log",
                           "application.log.lock", "import-errors.txt",
                           "trace.txt", "snmp.conf"}) {
    EXPECT_EQ(Mode(directory_ / name), 0600u) << name;
  }

  const std::filesystem::path exported = directory_ / "parameters.kx";
  ASSERT_EQ(KX_SystemParamExport(kUnit, PathField(exported).text, 0, 1), KX_OK);
  EXPECT_EQ(Mode(exported), 0664u);
  const std::filesystem::path perf = directory_ / "perf.csv";
  ASSERT_EQ(KX_PerformanceOutput(kUnit, PathField(perf).text, &samples_[0],
                                 &samples_[1], &samples_[2], &samples_[3]),
            KX_OK);
  EXPECT_EQ(Mode(perf), 0664u);
  ::umask(saved);
}

// Appending keeps what the file held and adds the heading only to a new or
// empty file; an export that must not overwrite refuses an existing file.
TEST_F(CallerFilesTest, AppendingAndExclusiveExportsKeepWhatIsThere) {
  const std::filesystem::path perf = directory_ / "perf.csv";
  const PathField field(perf);
  ASSERT_EQ(KX_PerformanceOutput(kUnit, field.text, &samples_[0], &samples_[1],
                                 &samples_[2], &samples_[3]),
            KX_OK);
  const std::string first = Contents(perf);
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(KX_PerformanceOutput(kUnit, field.text, &samples_[0], &samples_[1],
                                 &samples_[2], &samples_[3]),
            KX_OK);
  EXPECT_EQ(Contents(perf), first + first.substr(first.find('\n') + 1));

  const std::filesystem::path exported = directory_ / "parameters.kx";
  std::ofstream(exported) << "mine\n";
  EXPECT_EQ(KX_SystemParamExport(kUnit, PathField(exported).text, 0, 0),
            KXE_FILE_EXISTS);
  EXPECT_EQ(Contents(exported), "mine\n");
}

}  // namespace
}  // namespace core_test
