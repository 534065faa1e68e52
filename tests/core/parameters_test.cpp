// Operating parameters: documented defaults, refused values that change
// nothing, per-LU values that follow the LUs, and the parameter, mode-page
// and dump files.
#include <fstream>
#include <iterator>
#include <sstream>

#include "array_test_support.h"
#include "kx_station_parameters.h"
#include "station/sha256.h"

namespace core_test {
namespace {

// Every parameter group of the unit as bytes, to prove a refusal changed
// nothing.
std::string ParameterSnapshot(const char* unit = kUnit) {
  std::string bytes;
  auto add = [&](const auto& record) {
    bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
  };
  OnlineSystemParamRecord system{};
  EXPECT_EQ(KX_GetOnlineSystemParam(unit, &system), KX_OK);
  add(system);
  OnlineTuningParamRecord online_tuning{};
  EXPECT_EQ(KX_GetOnlineTuningParam(unit, &online_tuning), KX_OK);
  add(online_tuning);
  TuningParamRecord tuning{};
  EXPECT_EQ(KX_GetTuningParam(unit, &tuning), KX_OK);
  add(tuning);
  DiskDriveRestorationRecord restoration{};
  EXPECT_EQ(KX_GetDiskDriveRestoration(unit, &restoration), KX_OK);
  add(restoration);
  PrefetchInformationRecord prefetch{};
  EXPECT_EQ(KX_GetPrefetchInformation(unit, &prefetch), KX_OK);
  add(prefetch);
  OnlineVerifyRecord verify{};
  EXPECT_EQ(KX_GetOnlineVerify(unit, &verify), KX_OK);
  add(verify);
  ThresholdRecord threshold{};
  EXPECT_EQ(KX_GetThreshold(unit, &threshold), KX_OK);
  add(threshold);
  UnitIdentifierRecord identifier{};
  EXPECT_EQ(KX_GetUnitIdentifier(unit, &identifier), KX_OK);
  add(identifier);
  CommandDeviceRecord device{};
  EXPECT_EQ(KX_GetCommandDevice(unit, &device), KX_OK);
  add(device);
  WarningInfoRecord warning{};
  EXPECT_EQ(KX_GetWarningInfo(unit, &warning), KX_OK);
  add(warning);
  return bytes;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Rewrites a station file's body and gives it a fresh, matching checksum,
// as a file that was edited by a program that knows the format.
void WriteSigned(const std::filesystem::path& path, const std::string& body) {
  const auto digest = tesk740::Sha256(body);
  std::ofstream(path, std::ios::binary)
      << body << "sha256 " << tesk740::ToHex(digest.data(), digest.size())
      << "\n";
}

std::string BodyOf(const std::string& text) {
  return text.substr(0, text.rfind("sha256 "));
}

class ParametersTest : public ArrayTest {
 protected:
  // RAID group 0 with LUs 0 and 1.
  void AddLus() {
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(1, 0, 1024)), KX_OK);
  }
  std::string File(const char* name) { return (directory_ / name).string(); }
};

TEST_F(ParametersTest, DefaultsAreTheDocumentedOnes) {
  OnlineSystemParamRecord system{};
  ASSERT_EQ(KX_GetOnlineSystemParam(kUnit, &system), KX_OK);
  EXPECT_EQ(system.warning_report, 1);
  EXPECT_EQ(system.command_que, 1);
  EXPECT_EQ(system.procom, 0);
  EXPECT_EQ(system.ctl[1].error_out, 1);
  EXPECT_STREQ(system.web_title, "");
  OnlineTuningParamRecord tuning{};
  ASSERT_EQ(KX_GetOnlineTuningParam(kUnit, &tuning), KX_OK);
  EXPECT_EQ(tuning.def_lun, KX_NO_LU);
  CommandDeviceRecord device{};
  ASSERT_EQ(KX_GetCommandDevice(kUnit, &device), KX_OK);
  EXPECT_EQ(device.valid[0], 0);
  EXPECT_EQ(device.lu[1], KX_NO_LU);
  UnitIdentifierRecord identifier{};
  ASSERT_EQ(KX_GetUnitIdentifier(kUnit, &identifier), KX_OK);
  EXPECT_EQ(std::strlen(identifier.equipment_id), 4u);
  EXPECT_STREQ(identifier.ctl[1].id_rear, "1");
  int32_t interval = 0;
  ASSERT_EQ(KX_GetAlertInterval(&interval), KX_OK);
  EXPECT_EQ(interval, KX_ALERT_INTERVAL_DEFAULT);
  EXPECT_EQ(KX_GetThreshold("nobody", nullptr), KXE_UNKNOWN_UNIT);
}

TEST_F(ParametersTest, OutOfRangeValuesAreRefusedWithTheirCodeAndChangeNothing) {
  const std::string before = ParameterSnapshot();

  OnlineSystemParamRecord system{};
  ASSERT_EQ(KX_GetOnlineSystemParam(kUnit, &system), KX_OK);
  system.procom = 1;
  system.ctl[1].write_verify = 2;
  EXPECT_EQ(KX_SetOnlineSystemParam(kUnit, &system),
            KXE_INVALID_ONLINE_SYSTEM_PARAM);
  system.ctl[1].write_verify = 0;
  std::memcpy(system.web_title, "tab\there", 9);
  EXPECT_EQ(KX_SetOnlineSystemParam(kUnit, &system),
            KXE_INVALID_ONLINE_SYSTEM_PARAM);
  std::memset(system.web_title, 'x', sizeof system.web_title);  // no NUL
  EXPECT_EQ(KX_SetOnlineSystemParam(kUnit, &system),
            KXE_INVALID_ONLINE_SYSTEM_PARAM);

  OnlineTuningParamRecord online_tuning{};
  ASSERT_EQ(KX_GetOnlineTuningParam(kUnit, &online_tuning), KX_OK);
  online_tuning.lu[5].pre_start = KX_PREFETCH_START_MAX + 1;
  EXPECT_EQ(KX_SetOnlineTuningParam(kUnit, &online_tuning),
            KXE_INVALID_ONLINE_TUNING_PARAM);
  online_tuning.lu[5].pre_start = 1;  // LU 5 does not exist
  EXPECT_EQ(KX_SetOnlineTuningParam(kUnit, &online_tuning),
            KXE_TUNING_FOR_MISSING_LU);

  TuningParamRecord tuning = {0, 40, 30};  // reserve above current
  EXPECT_EQ(KX_SetTuningParam(kUnit, &tuning), KXE_INVALID_TUNING_PARAM);
  DiskDriveRestorationRecord restoration = {1, 1, 1, 10, 0};
  EXPECT_EQ(KX_SetDiskDriveRestoration(kUnit, &restoration),
            KXE_INVALID_RESTORATION);
  PrefetchInformationRecord prefetch = {256, 256, -1, 128, 64};
  EXPECT_EQ(KX_SetPrefetchInformation(kUnit, &prefetch), KXE_INVALID_PREFETCH);
  OnlineVerifyRecord verify{};
  verify.test = -1;
  verify.idling_time = 60;
  EXPECT_EQ(KX_SetOnlineVerify(kUnit, &verify), KXE_INVALID_ONLINE_VERIFY);
  ThresholdRecord threshold{};
  threshold.uncorrectable_error = KX_THRESHOLD_MAX + 1;
  EXPECT_EQ(KX_SetThreshold(kUnit, &threshold), KXE_INVALID_THRESHOLD);

  UnitIdentifierRecord identifier{};
  ASSERT_EQ(KX_GetUnitIdentifier(kUnit, &identifier), KX_OK);
  std::strcpy(identifier.equipment_id, "ab1");  // lower case
  EXPECT_EQ(KX_SetUnitIdentifier(kUnit, &identifier),
            KXE_INVALID_UNIT_IDENTIFIER);

  CommandDeviceRecord device{};
  ASSERT_EQ(KX_GetCommandDevice(kUnit, &device), KX_OK);
  device.valid[0] = 1;
  device.lu[0] = 3;  // no such LU
  EXPECT_EQ(KX_SetCommandDevice(kUnit, &device), KXE_COMMAND_DEVICE_LU);
  WarningInfoRecord warning = {KX_WARNING_MODE_MAX + 1};
  EXPECT_EQ(KX_SetWarningInfo(kUnit, &warning), KXE_INVALID_WARNING_MODE);

  EXPECT_EQ(KX_SetAlertInterval(0), KXE_INVALID_ALERT_INTERVAL);
  EXPECT_EQ(KX_SetAlertInterval(KX_ALERT_INTERVAL_MAX + 1),
            KXE_INVALID_ALERT_INTERVAL);
  int32_t interval = 0;
  ASSERT_EQ(KX_GetAlertInterval(&interval), KX_OK);
  EXPECT_EQ(interval, KX_ALERT_INTERVAL_DEFAULT);

  EXPECT_EQ(ParameterSnapshot(), before);
}

TEST_F(ParametersTest, PerLuValuesFollowTheLusAndSurviveARestart) {
  AddLus();
  OnlineTuningParamRecord tuning{};
  ASSERT_EQ(KX_GetOnlineTuningParam(kUnit, &tuning), KX_OK);
  tuning.def_lun = 1;
  tuning.lu[0].pre_start = 8;
  tuning.lu[1].pre_start = 16;
  ASSERT_EQ(KX_SetOnlineTuningParam(kUnit, &tuning), KX_OK);
  CommandDeviceRecord device{};
  ASSERT_EQ(KX_GetCommandDevice(kUnit, &device), KX_OK);
  device.valid[0] = device.valid[1] = 1;
  device.lu[0] = device.lu[1] = 1;
  EXPECT_EQ(KX_SetCommandDevice(kUnit, &device), KXE_INVALID_COMMAND_DEVICE);
  device.lu[0] = 0;
  // The whole 8-byte field holds the sequence number: 7 bytes and a NUL.
  std::strcpy(device.sequence_no, "SEQ0042");
  ASSERT_EQ(KX_SetCommandDevice(kUnit, &device), KX_OK);
  ASSERT_EQ(KX_SetAlertInterval(30), KX_OK);

  Reopen();
  CommandDeviceRecord stored{};
  ASSERT_EQ(KX_GetCommandDevice(kUnit, &stored), KX_OK);
  EXPECT_STREQ(stored.sequence_no, "SEQ0042");
  EXPECT_EQ(stored.lu[0], 0);
  EXPECT_EQ(stored.lu[1], 1);
  int32_t interval = 0;
  ASSERT_EQ(KX_GetAlertInterval(&interval), KX_OK);
  EXPECT_EQ(interval, 30);

  // Deleting LU 1 takes its values with it.
  ASSERT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);
  OnlineTuningParamRecord after{};
  ASSERT_EQ(KX_GetOnlineTuningParam(kUnit, &after), KX_OK);
  EXPECT_EQ(after.def_lun, KX_NO_LU);
  EXPECT_EQ(after.lu[0].pre_start, 8);
  EXPECT_EQ(after.lu[1].pre_start, 0);
  ASSERT_EQ(KX_GetCommandDevice(kUnit, &stored), KX_OK);
  EXPECT_EQ(stored.valid[0], 1);
  EXPECT_EQ(stored.valid[1], 0);
  EXPECT_EQ(stored.lu[1], KX_NO_LU);
  // What was read back can be written back.
  EXPECT_EQ(KX_SetOnlineTuningParam(kUnit, &after), KX_OK);
  EXPECT_EQ(KX_SetCommandDevice(kUnit, &stored), KX_OK);
}

TEST_F(ParametersTest, ExportThenImportIntoAnotherStationGivesTheSameSettings) {
  AddLus();
  TuningParamRecord tuning = {2, 20, 80};
  ASSERT_EQ(KX_SetTuningParam(kUnit, &tuning), KX_OK);
  OnlineTuningParamRecord online{};
  ASSERT_EQ(KX_GetOnlineTuningParam(kUnit, &online), KX_OK);
  online.def_lun = 0;
  ASSERT_EQ(KX_SetOnlineTuningParam(kUnit, &online), KX_OK);
  UnitIdentifierRecord identifier{};
  ASSERT_EQ(KX_GetUnitIdentifier(kUnit, &identifier), KX_OK);
  std::strcpy(identifier.equipment_id, "Z9");
  std::strcpy(identifier.ctl[0].id_front, "FRONT-A");
  ASSERT_EQ(KX_SetUnitIdentifier(kUnit, &identifier), KX_OK);
  const std::string exported = ParameterSnapshot();
  const std::string file = File("params.txt");
  ASSERT_EQ(KX_SystemParamExport(kUnit, file.c_str(), 0, 0), KX_OK);
  EXPECT_EQ(KX_SystemParamExport(kUnit, file.c_str(), 0, 0), KXE_FILE_EXISTS);
  EXPECT_EQ(KX_SystemParamExport(kUnit, file.c_str(), 1 << 12, 1),
            KXE_INVALID_ARGUMENT);
  const std::string text = ReadText(file);
  EXPECT_EQ(text.rfind("KX-PARAMETERS 1\nmodel 2\nunit array1\n", 0), 0u);

  // A fresh station, a unit of the same model with the same LUs.
  const std::filesystem::path other = directory_ / "other";
  ASSERT_EQ(Initialize(other), KX_OK);
  KXUnitParamRecord unit = MakeUnit(kUnit);
  ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  const std::string fresh = ParameterSnapshot();
  // The file's per-LU values need the LUs: refused whole before them.
  EXPECT_EQ(KX_SystemParamImport(kUnit, file.c_str(), 0),
            KXE_TUNING_FOR_MISSING_LU);
  EXPECT_EQ(ParameterSnapshot(), fresh);
  AddLus();
  ASSERT_EQ(KX_SystemParamImport(kUnit, file.c_str(), 0), KX_OK);
  EXPECT_EQ(ParameterSnapshot(), exported);

  // Damaged, foreign, newer and missing files change nothing.
  const std::filesystem::path damaged = directory_ / "damaged.txt";
  std::string flipped = text;
  flipped[flipped.find("tuning ") + 8] ^= 1;
  std::ofstream(damaged, std::ios::binary) << flipped;
  EXPECT_EQ(KX_SystemParamImport(kUnit, damaged.string().c_str(), 0),
            KXE_FILE_DAMAGED);
  std::string body = BodyOf(text);
  body.replace(body.find("model 2"), 7, "model 7");
  WriteSigned(damaged, body);
  EXPECT_EQ(KX_SystemParamImport(kUnit, damaged.string().c_str(), 0),
            KXE_FILE_FOREIGN_MODEL);
  std::ofstream(damaged, std::ios::binary) << "KX-PARAMETERS 2\nanything\n";
  EXPECT_EQ(KX_SystemParamImport(kUnit, damaged.string().c_str(), 0),
            KXE_FILE_VERSION);
  EXPECT_EQ(KX_SystemParamImport(kUnit, File("missing.txt").c_str(), 0),
            KXE_FILE_READ);
  EXPECT_EQ(ParameterSnapshot(), exported);
  ForgetStation();
  std::error_code ignored;
  std::filesystem::remove_all(other, ignored);
  ASSERT_EQ(Initialize(directory_), KX_OK);
}

TEST_F(ParametersTest, ImportIsAllOrNothing) {
  const std::string file = File("params.txt");
  ASSERT_EQ(KX_SystemParamExport(kUnit, file.c_str(),
                                 KX_PARAM_TUNING | KX_PARAM_WARNING, 0),
            KX_OK);
  // A well-signed file whose tuning is valid but whose warning mode is not:
  // the tuning must not be applied either.
  TuningParamRecord tuning = {1, 5, 90};
  WarningInfoRecord warning = {7};
  std::ostringstream body;
  body << "KX-PARAMETERS 1\nmodel 2\nunit array1\n"
       << "tuning "
       << tesk740::ToHex(reinterpret_cast<uint8_t*>(&tuning), sizeof tuning)
       << "\nwarning "
       << tesk740::ToHex(reinterpret_cast<uint8_t*>(&warning), sizeof warning)
       << "\n";
  WriteSigned(file, body.str());
  const std::string before = ParameterSnapshot();
  EXPECT_EQ(KX_SystemParamImport(kUnit, file.c_str(), 0),
            KXE_INVALID_WARNING_MODE);
  EXPECT_EQ(ParameterSnapshot(), before);
  // Only the tuning asked for: applied.
  ASSERT_EQ(KX_SystemParamImport(kUnit, file.c_str(), KX_PARAM_TUNING), KX_OK);
  TuningParamRecord now{};
  ASSERT_EQ(KX_GetTuningParam(kUnit, &now), KX_OK);
  EXPECT_EQ(now.current_buf_size, 90);
  // A group asked for that the file lacks makes it unusable.
  EXPECT_EQ(KX_SystemParamImport(kUnit, file.c_str(), KX_PARAM_THRESHOLD),
            KXE_FILE_DAMAGED);
}

TEST_F(ParametersTest, ModeSelectAppliesOnlyChangeableBits) {
  const std::string sensed = File("pages.txt");
  ASSERT_EQ(KX_ModeSense(kUnit, KX_MODE_PAGE_CACHING, KX_MODE_CURRENT, 0,
                         sensed.c_str()),
            KX_OK);
  const std::string text = ReadText(sensed);
  // Write cache on (byte 2 bit 2), as force_write_through is off.
  ASSERT_NE(text.find("\npage.08 08120400ffff"), std::string::npos) << text;
  EXPECT_EQ(text.find("page.01"), std::string::npos);
  EXPECT_EQ(KX_ModeSense(kUnit, 0x05, 0, 0, sensed.c_str()),
            KXE_UNKNOWN_MODE_PAGE);

  // Turn the write cache off and write bytes 14..19, of which only 14 and 15
  // are changeable.
  std::string body = BodyOf(text);
  const size_t page = body.find("page.08 ") + 8;
  body.replace(page + 4, 2, "00");
  body.replace(page + 28, 12, "aaaaaaaaaaaa");
  WriteSigned(sensed, body);
  ASSERT_EQ(KX_ModeSelect(kUnit, KX_MODE_PAGE_ALL, 0, 1, sensed.c_str()),
            KX_OK);
  OnlineSystemParamRecord system{};
  ASSERT_EQ(KX_GetOnlineSystemParam(kUnit, &system), KX_OK);
  EXPECT_EQ(system.force_write_through, 1);
  ASSERT_EQ(KX_ModeSense(kUnit, KX_MODE_PAGE_ALL, KX_MODE_CURRENT, 1,
                         sensed.c_str()),
            KX_OK);
  const std::string after = ReadText(sensed);
  const std::string caching = after.substr(after.find("page.08 ") + 8, 40);
  EXPECT_EQ(caching.substr(0, 10), "08120000ff") << after;
  EXPECT_EQ(caching.substr(28), "aaaa00000000") << after;
  EXPECT_NE(after.find("page.1c "), std::string::npos);

  // A page of the wrong length, or one the file lacks, changes nothing.
  body = BodyOf(after);
  body.insert(body.find("page.0a ") + 8, "00");
  WriteSigned(sensed, body);
  EXPECT_EQ(KX_ModeSelect(kUnit, KX_MODE_PAGE_ALL, 0, 0, sensed.c_str()),
            KXE_FILE_DAMAGED);
}

TEST_F(ParametersTest, AutoDumpWritesWhatTheStationKnows) {
  AddLus();
  AutoDumpRecord dump{};
  ASSERT_EQ(KX_GetAutoDump(kUnit, 1, &dump), KX_OK);
  EXPECT_EQ(dump.flag, 0);
  EXPECT_EQ(KX_OutputAutoDump(kUnit, 1, File("no/such/dir/dump.txt").c_str()),
            KXE_FILE_WRITE);
  ASSERT_EQ(KX_GetAutoDump(kUnit, 1, &dump), KX_OK);
  EXPECT_EQ(dump.flag, 0) << "a dump that was not written is not recorded";
  EXPECT_EQ(KX_OutputAutoDump(kUnit, 2, File("dump.txt").c_str()),
            KXE_INVALID_ARGUMENT);
  // Paths arrive in Java's modified UTF-8: an encoded NUL would cut them.
  EXPECT_EQ(KX_OutputAutoDump(kUnit, 1, (File("cut") + "\xC0\x80.txt").c_str()),
            KXE_INVALID_TEXT);
  EXPECT_FALSE(std::filesystem::exists(File("cut")));

  ASSERT_EQ(KX_OutputAutoDump(kUnit, 1, File("dump.txt").c_str()), KX_OK);
  const std::string text = ReadText(File("dump.txt"));
  EXPECT_EQ(text.rfind("KX-AUTO-DUMP 1\nmodel 2\nunit array1\ncontroller 1\n", 0),
            0u);
  EXPECT_NE(text.find("\nraid_group.0 level=5 port=0 row=0 width=3 depth=1"),
            std::string::npos);
  EXPECT_NE(text.find("\nlu.1 rg=0 capacity_mb=1024"), std::string::npos);
  EXPECT_NE(text.find("\nparameter.threshold "), std::string::npos);
  ASSERT_EQ(KX_GetAutoDump(kUnit, 1, &dump), KX_OK);
  EXPECT_EQ(dump.flag, 1);
  EXPECT_GE(dump.year, 2024);
  EXPECT_TRUE(dump.month >= 1 && dump.month <= 12);
  ASSERT_EQ(KX_GetAutoDump(kUnit, 0, &dump), KX_OK);
  EXPECT_EQ(dump.flag, 0);
}

}  // namespace
}  // namespace core_test
