// Maintenance on the stand-in core: microcode parts joined, downloaded and
// activated; restarts seen by the other areas; the event history as trace
// text, web trace and trace file; files read on the station host.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "array_test_support.h"
#include "kx_maintenance.h"
#include "kx_station_maintenance.h"

namespace core_test {
namespace {

void SetEnvironment(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

// CRC-32 written out bit by bit, independently of the core's zlib.
uint32_t BitwiseCrc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void PutLittle(std::string* out, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    (*out)[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

struct Part {
  int32_t model = 2;  // MakeUnit registers kx_type 2
  std::string revision = "0910/C0";
  int number = 1;
  int count = 1;
  std::string payload;
};

// A microcode part in the documented file format.
std::string PartBytes(const Part& part) {
  std::string out(40, '\0');
  out.replace(0, 4, "KXMC");
  PutLittle(&out, 4, 1, 2);
  PutLittle(&out, 6, 40, 2);
  PutLittle(&out, 8, static_cast<uint32_t>(part.model), 4);
  out.replace(12, part.revision.size(), part.revision);
  PutLittle(&out, 20, static_cast<uint32_t>(part.number), 2);
  PutLittle(&out, 22, static_cast<uint32_t>(part.count), 2);
  PutLittle(&out, 24, static_cast<uint32_t>(part.payload.size()), 4);
  PutLittle(&out, 28, BitwiseCrc32(part.payload), 4);
  PutLittle(&out, 36, BitwiseCrc32(out.substr(0, 36)), 4);
  return out + part.payload;
}

std::string Payload(size_t size, char seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
  }
  return bytes;
}

std::string Revision() {
  char revision[kMicroRevisionSize] = {};
  const int32_t code = KX_GetNewMicroRevision(revision);
  return code == KX_OK ? std::string(revision) : "code " + std::to_string(code);
}

std::string UnitMicro() {
  UnitInformationRecord information{};
  const int32_t code = KX_GetUnitInformation(kUnit, &information);
  return code == KX_OK ? std::string(information.b_info.micro)
                       : "code " + std::to_string(code);
}

std::string Trace(int32_t categories = KX_TRACE_ALL, int32_t first = 0,
                  int32_t max_events = 0) {
  std::vector<char> text(kTraceTextSize, 'x');
  const int32_t code =
      KX_GetTraceText(kUnit, categories, first, max_events, text.data());
  return code == KX_OK ? std::string(text.data())
                       : "code " + std::to_string(code);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

class MaintenanceTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    clock_ = std::make_unique<TestClock>(directory_);
    SetEnvironment("KX_MICROCODE_SECONDS_PER_MB", "0");
    // Long enough that a loaded machine never sees a restart end early;
    // PassTheRestart moves the clock past it.
    SetEnvironment("KX_RESTART_SECONDS", "60");
  }
  void TearDown() override {
    SetEnvironment("KX_MICROCODE_SECONDS_PER_MB", "");
    SetEnvironment("KX_RESTART_SECONDS", "");
    ArrayTest::TearDown();
  }

  // Writes bytes to a file in the station directory; returns its path.
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = directory_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  int32_t Concat(const std::string& file, int32_t part,
                 int32_t* remaining = nullptr) {
    char name[kLongNameSize] = {};
    file.copy(name, sizeof name - 1);
    int32_t left = -1;
    const int32_t code = KX_MicroFileConcat(kUnit, name, part, &left);
    if (remaining != nullptr) *remaining = left;
    return code;
  }
  int32_t Concat2(const std::string& file, const char* unit = kUnit) {
    char name[kLongNameSize] = {};
    file.copy(name, sizeof name - 1);
    return KX_MicroFileConcat2(unit, name);
  }
  void PassTheRestart() {
    clock_->Advance(60 * 1000);
    ASSERT_EQ(KX_TestUnitReady(kUnit, 0), KX_OK);
  }

  std::unique_ptr<TestClock> clock_;
};

TEST_F(MaintenanceTest, MicrocodeIsJoinedDownloadedInOrderAndActivated) {
  const std::string payloads[] = {Payload(100000, 1), Payload(70000, 2),
                                  Payload(5, 3)};
  std::vector<std::string> files;
  for (int i = 0; i < 3; ++i) {
    Part part;
    part.number = i + 1;
    part.count = 3;
    part.payload = payloads[i];
    files.push_back(WriteFile("part" + std::to_string(i + 1), PartBytes(part)));
  }
  int32_t remaining = -1;
  ASSERT_EQ(Concat(files[0], 1, &remaining), KX_OK);
  EXPECT_EQ(remaining, 2);
  int32_t count = -1;
  // Half an image is never offered.
  EXPECT_EQ(KX_GetMicroDownloadCount(kUnit, &count), KXE_MICRO_NO_IMAGE);
  EXPECT_EQ(Revision(), "code " + std::to_string(KXE_MICRO_NO_IMAGE));
  ASSERT_EQ(Concat(files[1], 2, &remaining), KX_OK);
  EXPECT_EQ(remaining, 1);
  ASSERT_EQ(Concat(files[2], 3, &remaining), KX_OK);
  EXPECT_EQ(remaining, 0);
  EXPECT_EQ(Revision(), "0910/C0");
  EXPECT_EQ(UnitMicro(), "0850/A");

  ASSERT_EQ(KX_GetMicroDownloadCount(kUnit, &count), KX_OK);
  EXPECT_EQ(count, 3);  // 170005 bytes in 64 KiB portions
  EXPECT_EQ(KX_MicroDownload(kUnit, 2, 3, 0), KXE_MICRO_PORTION_ORDER);
  EXPECT_EQ(KX_MicroDownload(kUnit, 1, 4, 0), KXE_MICRO_COUNT_MISMATCH);
  EXPECT_EQ(KX_MicroDownload(kUnit, 1, 3, 1), KXE_INVALID_ARGUMENT);
  ASSERT_EQ(KX_MicroDownload(kUnit, 1, 3, 0), KX_OK);
  EXPECT_EQ(KX_MicroDownload(kUnit, 1, 3, 0), KXE_MICRO_PORTION_REPEATED);
  EXPECT_EQ(KX_MicroReplace(kUnit, KX_MICRO_REPLACE_RESTART),
            KXE_MICRO_NOT_DOWNLOADED);
  ASSERT_EQ(KX_MicroDownload(kUnit, 2, 3, 0), KX_OK);
  ASSERT_EQ(KX_MicroDownload(kUnit, 3, 3, 0), KX_OK);
  EXPECT_EQ(KX_MicroReplace(kUnit, 1), KXE_INVALID_ARGUMENT);
  ASSERT_EQ(KX_MicroReplace(kUnit, KX_MICRO_REPLACE_RESTART), KX_OK);

  // The unit restarts: requests that need it are refused meanwhile.
  EXPECT_EQ(KX_TestUnitReady(kUnit, 1), KXE_UNIT_NOT_READY);
  EXPECT_EQ(UnitMicro(), "code " + std::to_string(KXE_UNIT_NOT_READY));
  PassTheRestart();
  EXPECT_EQ(UnitMicro(), "0910/C0");
  UnitConditionRecord condition{};
  ASSERT_EQ(KX_GetUnitCondition(kUnit, 0, &condition), KX_OK);
  EXPECT_STREQ(condition.micro, "0910/C0");
  // The image was used up.
  EXPECT_EQ(KX_GetMicroDownloadCount(kUnit, &count), KXE_MICRO_NO_IMAGE);

  const std::string trace = Trace(KX_TRACE_MICROCODE | KX_TRACE_UNIT_CONTROL);
  EXPECT_NE(
      trace.find("micro microcode 0910/C0 prepared: 3 parts, 170005 bytes"),
      std::string::npos)
      << trace;
  EXPECT_NE(trace.find("micro microcode replaced: 0850/A -> 0910/C0"),
            std::string::npos)
      << trace;
  EXPECT_NE(trace.find("control unit restarting (microcode replacement)"),
            std::string::npos)
      << trace;
}

TEST_F(MaintenanceTest, DamagedOrMisplacedPartsAreRefusedWithTheirOwnCodes) {
  Part good;
  good.count = 2;
  good.payload = Payload(3000, 9);
  std::string bad_crc = PartBytes(good);
  bad_crc[40 + 1234] ^= 0x10;
  Part other_model = good;
  other_model.model = 7;
  std::string bad_magic = PartBytes(good);
  bad_magic[0] = 'Q';
  std::string bad_header = PartBytes(good);
  bad_header[14] ^= 0x01;  // the revision, under the header's own CRC
  const std::string truncated = PartBytes(good).substr(0, 40 + 2999);
  Part second = good;
  second.number = 2;
  Part other_release = second;
  other_release.revision = "0911/A";

  EXPECT_EQ(Concat(WriteFile("crc", bad_crc), 1), KXE_MICRO_CRC_MISMATCH);
  EXPECT_EQ(Concat(WriteFile("model", PartBytes(other_model)), 1),
            KXE_MICRO_WRONG_MODEL);
  EXPECT_EQ(Concat(WriteFile("magic", bad_magic), 1), KXE_MICRO_FILE_DAMAGED);
  EXPECT_EQ(Concat(WriteFile("header", bad_header), 1), KXE_MICRO_FILE_DAMAGED);
  EXPECT_EQ(Concat(WriteFile("short", truncated), 1), KXE_MICRO_FILE_DAMAGED);
  EXPECT_EQ(Concat((directory_ / "absent").string(), 1),
            KXE_MICRO_FILE_UNREADABLE);
  // The second part first: the first is missing; the first again after the
  // second: wrong order.
  EXPECT_EQ(Concat(WriteFile("second", PartBytes(second)), 1),
            KXE_MICRO_PART_MISSING);
  EXPECT_EQ(Concat(WriteFile("second", PartBytes(second)), 2),
            KXE_MICRO_PART_MISSING);
  ASSERT_EQ(Concat(WriteFile("first", PartBytes(good)), 1), KX_OK);
  EXPECT_EQ(Concat(WriteFile("first", PartBytes(good)), 1 + 1),
            KXE_MICRO_PART_ORDER);
  EXPECT_EQ(Concat(WriteFile("other", PartBytes(other_release)), 2),
            KXE_MICRO_PART_MISMATCH);
  EXPECT_EQ(Revision(), "code " + std::to_string(KXE_MICRO_NO_IMAGE));

  // The same checks over a file holding the parts back to back.
  const std::string one = PartBytes(good);
  const std::string two = PartBytes(second);
  EXPECT_EQ(Concat2(WriteFile("b1", one)), KXE_MICRO_PART_MISSING);
  EXPECT_EQ(Concat2(WriteFile("b2", two + one)), KXE_MICRO_PART_MISSING);
  EXPECT_EQ(Concat2(WriteFile("b3", one + one)), KXE_MICRO_PART_ORDER);
  EXPECT_EQ(Concat2(WriteFile("b4", one + two + "x")), KXE_MICRO_FILE_DAMAGED);
  EXPECT_EQ(Concat2(WriteFile("b5", one + two.substr(0, 100))),
            KXE_MICRO_FILE_DAMAGED);
  EXPECT_EQ(Revision(), "code " + std::to_string(KXE_MICRO_NO_IMAGE));
  ASSERT_EQ(Concat2(WriteFile("b6", one + two)), KX_OK);
  EXPECT_EQ(Revision(), "0910/C0");
}

TEST_F(MaintenanceTest, CancelStopsAJoinInAnotherThreadAndKeepsNothing) {
  // One part of 2 MB at 2 s per MB: the join runs for about 4 s.
  SetEnvironment("KX_MICROCODE_SECONDS_PER_MB", "2");
  Part big;
  big.payload = Payload(2 * 1024 * 1024, 4);
  const std::string file = WriteFile("big", PartBytes(big));
  std::future<int32_t> join =
      std::async(std::launch::async, [&] { return Concat2(file); });
  // A cancel counts once the join has begun, which a loaded machine may
  // delay: cancel until the join ends (it would run 4 s uncancelled).
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(60);
  do {
    ASSERT_EQ(KX_CancelMicroFileConcat(), KX_OK);
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "never cancelled";
  } while (join.wait_for(std::chrono::milliseconds(50)) !=
           std::future_status::ready);
  EXPECT_EQ(join.get(), KXE_MICRO_CANCELLED);
  EXPECT_EQ(Revision(), "code " + std::to_string(KXE_MICRO_NO_IMAGE));

  // A cancel between parts drops the parts joined so far.
  SetEnvironment("KX_MICROCODE_SECONDS_PER_MB", "0");
  Part first;
  first.count = 2;
  first.payload = Payload(10, 1);
  Part second = first;
  second.number = 2;
  ASSERT_EQ(Concat(WriteFile("p1", PartBytes(first)), 1), KX_OK);
  ASSERT_EQ(KX_CancelMicroFileConcat(), KX_OK);
  EXPECT_EQ(Concat(WriteFile("p2", PartBytes(second)), 2),
            KXE_MICRO_PART_MISSING);
  EXPECT_EQ(Revision(), "code " + std::to_string(KXE_MICRO_NO_IMAGE));
}

TEST_F(MaintenanceTest, RebootEndsSessionsAndRefusesRequestsUntilReady) {
  char long_unit[kLongNameSize] = {};
  std::strcpy(long_unit, kUnit);
  const KXUserRegistRecord user = {"admin", "Secret-1"};
  ASSERT_EQ(KX_RegistUser(long_unit, 0, &user), KX_OK);
  char result[kLoginResultSize] = {};
  ASSERT_EQ(KX_LoginKXUnit(long_unit, 1, &user, result), KX_OK);

  ASSERT_EQ(KX_UnitReboot(long_unit), KX_OK);
  EXPECT_EQ(KX_TestUnitReady(kUnit, 0), KXE_UNIT_NOT_READY);
  EXPECT_EQ(KX_UnitReboot(long_unit), KXE_UNIT_NOT_READY);
  EXPECT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 4, 1)),
            KXE_UNIT_NOT_READY);
  EXPECT_EQ(KX_LoginKXUnit(long_unit, 1, &user, result), KXE_UNIT_NOT_READY);
  EXPECT_EQ(KX_SetSPinformation(kUnit, KX_SP_LINK_LAN, 60, 8080),
            KXE_UNIT_NOT_READY);
  // The registry and the history stay readable meanwhile.
  KXUnitParamRecord unit{};
  EXPECT_EQ(KX_GetUnitParam(kUnit, &unit), KX_OK);
  EXPECT_NE(Trace().find("reboot requested"), std::string::npos);
  PassTheRestart();

  int32_t logged_in = -1;
  ASSERT_EQ(KX_CheckLogin(long_unit, 1, &logged_in), KX_OK);
  EXPECT_EQ(logged_in, 0);
  EXPECT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 4, 1)), KX_OK);
  // Names are at most 16 bytes, also in the reboot's long buffer.
  std::strcpy(long_unit, "a-twenty-byte-name-x");
  EXPECT_EQ(KX_UnitReboot(long_unit), KXE_INVALID_UNIT_NAME);
  EXPECT_EQ(KX_TestUnitReady(kUnit, 2), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_SetSPinformation(kUnit, KX_SP_LINK_SERIAL, 10, 17),
            KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_SetSPinformation(kUnit, KX_SP_LINK_NONE, 5, 0),
            KXE_INVALID_ARGUMENT);
  ASSERT_EQ(KX_SetSPinformation(kUnit, KX_SP_LINK_SERIAL, 10, 2), KX_OK);
  int32_t fdd = -1;
  ASSERT_EQ(KX_FDDTest(kUnit, 1, &fdd), KX_OK);
  EXPECT_EQ(fdd, KX_FDD_PASSED);
}

TEST_F(MaintenanceTest, EventsOfEveryAreaReachTheTraceNewestKept) {
  char long_unit[kLongNameSize] = {};
  std::strcpy(long_unit, kUnit);
  const KXUserRegistRecord user = {"operator", "Secret-2"};
  ASSERT_EQ(KX_RegistUser(long_unit, 0, &user), KX_OK);
  char result[kLoginResultSize] = {};
  ASSERT_EQ(KX_LoginKXUnit(long_unit, 1, &user, result), KX_OK);
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 4, 1)), KX_OK);
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  // A refused change records nothing.
  ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KXE_DUPLICATE_LU);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 3, 5, KX_DRIVE_MODE_BLOCK), KX_OK);

  const std::vector<std::string> lines = Lines(Trace());
  ASSERT_EQ(lines.size(), 4u) << Trace();
  EXPECT_NE(lines[0].find(" ctl1 session login of operator"),
            std::string::npos);
  EXPECT_NE(lines[1].find(" unit config RAID group 0 created: level 5, 4 x 1 "
                          "drives from port 0 row 0"),
            std::string::npos);
  EXPECT_NE(lines[2].find(" unit config LU 0 created in RAID group 0: 1024 MB"),
            std::string::npos);
  EXPECT_NE(lines[3].find(" unit drive drive at port 3 row 5 blocked"),
            std::string::npos);
  // <number> <UTC time> ...
  EXPECT_EQ(lines[0].find(" "), lines[0].find(" 20"));
  EXPECT_EQ(lines[0][lines[0].find(' ') + 24], 'Z') << lines[0];

  EXPECT_EQ(Lines(Trace(KX_TRACE_CONFIGURATION)).size(), 2u);
  const std::vector<std::string> newest = Lines(Trace(KX_TRACE_ALL, 0, 2));
  ASSERT_EQ(newest.size(), 3u);
  EXPECT_EQ(newest[0], "... 2 earlier events not shown");
  EXPECT_EQ(newest[2], lines[3]);
  const int64_t third = std::stoll(lines[2]);
  EXPECT_EQ(Lines(Trace(KX_TRACE_ALL, static_cast<int32_t>(third))).size(), 2u);
  EXPECT_EQ(Trace(0), "code " + std::to_string(KXE_INVALID_ARGUMENT));
  EXPECT_EQ(Trace(0x40), "code " + std::to_string(KXE_INVALID_ARGUMENT));

  auto web = std::make_unique<WebTraceRecord>();
  ASSERT_EQ(KX_GetWebTrace(kUnit, web.get()), KX_OK);
  EXPECT_EQ(web->ctl0_len, 0);
  EXPECT_EQ(std::string(web->ctl1), lines[0] + "\n");
  EXPECT_EQ(web->ctl1_len, static_cast<int32_t>(lines[0].size() + 1));
  EXPECT_EQ(Lines(web->common).size(), 3u);

  // Many events: the text keeps the newest that fit its 144000 bytes.
  for (int i = 0; i < 1500; ++i) {
    ASSERT_EQ(KX_SetSPinformation(kUnit, KX_SP_LINK_LAN, i % 1441, 1 + i),
              KX_OK);
  }
  const std::string full = Trace();
  EXPECT_LT(full.size(), size_t{kTraceTextSize});
  EXPECT_GT(full.size(), size_t{kTraceTextSize} - 200);
  EXPECT_EQ(full.rfind("... ", 0), 0u);
  EXPECT_NE(full.find("port 1500\n"), std::string::npos);

  // The unit's history goes with it.
  ASSERT_EQ(KX_UnitDelete(kUnit), KX_OK);
  KXUnitParamRecord again = MakeUnit(kUnit);
  ASSERT_EQ(KX_UnitAdd(&again), KX_OK);
  EXPECT_EQ(Trace(), "");
}

TEST_F(MaintenanceTest, TraceFilesAreWrittenWholeOrNotAtAll) {
  ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_1, 2, 0, 2, 1)), KX_OK);
  char path[kLongNameSize] = "traces.txt";  // relative: in the station
  ASSERT_EQ(KX_CreateTraceFile2(kUnit, KX_TRACE_ALL, path), KX_OK);
  std::ifstream in(directory_ / "traces.txt");
  std::string header;
  std::string event;
  std::getline(in, header);
  std::getline(in, event);
  EXPECT_EQ(
      header.rfind("# trace of unit array1, categories 0x3F, written ", 0), 0u);
  EXPECT_NE(event.find("RAID group 0 created"), std::string::npos);

  std::strcpy(path, "missing/dir/trace.txt");
  EXPECT_EQ(KX_CreateTraceFile(kUnit, KX_TRACE_ALL, 0, 0, path),
            KXE_TRACE_FILE_WRITE);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "missing"));
  EXPECT_EQ(KX_CreateTraceFile(kUnit, KX_TRACE_ALL, -1, 0, path),
            KXE_INVALID_ARGUMENT);
}

TEST_F(MaintenanceTest, HostFilesAreReadWholeWithinTheCap) {
  const auto text_of = [](const std::string& file) {
    char path[kLongNameSize] = {};
    file.copy(path, sizeof path - 1);
    char* text = nullptr;
    const int32_t code = KX_GetFileText(path, &text);
    if (code != KX_OK) return "code " + std::to_string(code);
    std::string copy(text);
    std::free(text);
    return copy;
  };
  const auto line_of = [](const std::string& file, int32_t length) {
    char path[kLongNameSize] = {};
    file.copy(path, sizeof path - 1);
    std::vector<char> line(static_cast<size_t>(length < 0 ? 0 : length) + 1,
                           'x');
    const int32_t code = KX_GetFileLine(path, length, line.data());
    return code == KX_OK ? std::string(line.data())
                         : "code " + std::to_string(code);
  };
  const auto exists = [](const std::string& file) {
    char path[kLongNameSize] = {};
    file.copy(path, sizeof path - 1);
    int32_t value = -1;
    const int32_t code = KX_ExistFile(path, &value);
    return code == KX_OK ? value : -code;
  };

  WriteFile("notes.txt", "first line\r\nsecond\n");
  WriteFile("empty.txt", "");
  WriteFile("binary.bin", std::string("\x01\x00\xFF\n", 4));
  EXPECT_EQ(text_of("notes.txt"), "first line\r\nsecond\n");
  EXPECT_EQ(text_of((directory_ / "notes.txt").string()),
            "first line\r\nsecond\n");
  EXPECT_EQ(text_of("empty.txt"), "");
  EXPECT_EQ(text_of("binary.bin"), std::string("\x01\xC0\x80\xFF\n"));
  EXPECT_EQ(text_of("absent.txt"),
            "code " + std::to_string(KXE_FILE_NOT_FOUND));
  EXPECT_EQ(text_of("."), "code " + std::to_string(KXE_FILE_UNREADABLE));
  WriteFile("cap.txt", std::string(KX_FILE_TEXT_MAX_BYTES, 'a'));
  EXPECT_EQ(text_of("cap.txt").size(), size_t{KX_FILE_TEXT_MAX_BYTES});
  WriteFile("over.txt", std::string(KX_FILE_TEXT_MAX_BYTES + 1, 'a'));
  EXPECT_EQ(text_of("over.txt"), "code " + std::to_string(KXE_FILE_TOO_LARGE));

  EXPECT_EQ(line_of("notes.txt", 10), "first line");
  EXPECT_EQ(line_of("notes.txt", 9),
            "code " + std::to_string(KXE_FILE_LINE_TOO_LONG));
  EXPECT_EQ(line_of("notes.txt", 0),
            "code " + std::to_string(KXE_FILE_LINE_TOO_LONG));
  EXPECT_EQ(line_of("empty.txt", 0), "");
  EXPECT_EQ(line_of("binary.bin", 4), std::string("\x01\xC0\x80\xFF"));
  EXPECT_EQ(line_of("binary.bin", 3),
            "code " + std::to_string(KXE_FILE_LINE_TOO_LONG));
  EXPECT_EQ(line_of("notes.txt", -1),
            "code " + std::to_string(KXE_INVALID_ARGUMENT));
  EXPECT_EQ(line_of("absent.txt", 5),
            "code " + std::to_string(KXE_FILE_NOT_FOUND));

  EXPECT_EQ(exists("notes.txt"), KX_PATH_FILE);
  EXPECT_EQ(exists("."), KX_PATH_DIRECTORY);
  EXPECT_EQ(exists("absent.txt"), KX_PATH_MISSING);
  EXPECT_EQ(exists(""), -KXE_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace core_test
