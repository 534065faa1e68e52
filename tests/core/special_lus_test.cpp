// Unified LUs and the requests their members refuse, coupling pairs, turbo
// LUs, pinned data while a drive is out of service, and the RAID group and
// LU configuration files.
#include <fstream>
#include <memory>
#include <sstream>

#include "array_test_support.h"
#include "kx_special_lus.h"
#include "kx_station_special_lus.h"
#include "station/sha256.h"

namespace core_test {
namespace {

int32_t Request(int32_t operation, int32_t parent, int32_t child) {
  const UnifiedLuRequestRecord request{operation, parent, child};
  return KX_SetIntegrationLU(kUnit, &request);
}

std::unique_ptr<IntegrationLUInfoRecord> Unified() {
  auto info = std::make_unique<IntegrationLUInfoRecord>();
  EXPECT_EQ(KX_IntegrationLUInfo(kUnit, info.get()), KX_OK);
  return info;
}

CouplingInfoRecord Pairs() {
  CouplingInfoRecord info{};
  EXPECT_EQ(KX_GetCouplingInfo(kUnit, &info), KX_OK);
  return info;
}

int32_t Pinned(int32_t lu) {
  int32_t mb = -100;
  EXPECT_EQ(KX_GetPinInfo(kUnit, lu, &mb), KX_OK);
  return mb;
}

int32_t PinTime(int32_t part) {
  int32_t value = -100;
  EXPECT_EQ(KX_GetPinInfoGetTime(kUnit, part, &value), KX_OK);
  return value;
}

// Two RAID 5 groups and a RAID 1 group; LU 0 (100 MB) in group 0, LU 1
// (200 MB) in group 1, LU 2 (300 MB) in group 2, LU 3 (300 MB) in group 0.
class SpecialLuTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(1, KX_RAID_5, 0, 1, 3, 1)), KX_OK);
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(2, KX_RAID_1, 2, 2, 2, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 100)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(1, 1, 200)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(2, 2, 300)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(3, 0, 300)), KX_OK);
  }
};

TEST_F(SpecialLuTest, UnifiedLuSumsItsMembersAndRefusesTheirLoneChanges) {
  EXPECT_EQ(Request(KX_UNIFY_JOIN, 0, 2), KXE_RAID_LEVEL_MISMATCH);
  EXPECT_EQ(Request(KX_UNIFY_JOIN, 0, 0), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(Request(KX_UNIFY_JOIN, 0, 9), KXE_UNKNOWN_LU);
  EXPECT_EQ(Request(0, 0, 1), KXE_INVALID_ARGUMENT);
  ASSERT_EQ(Request(KX_UNIFY_JOIN, 0, 3), KX_OK);
  ASSERT_EQ(Request(KX_UNIFY_JOIN, 0, 1), KX_OK);
  // A child belongs to one unified LU, and a child parents none.
  EXPECT_EQ(Request(KX_UNIFY_JOIN, 1, 3), KXE_UNIFIED_MEMBER);

  auto info = Unified();
  EXPECT_EQ(info->integration_lu, 1);
  const UniteLURecord& parent = info->unite_info[0];
  EXPECT_EQ(parent.unite_info, KX_UNITE_PARENT);
  EXPECT_EQ(parent.capacity, 600);
  EXPECT_EQ(parent.status, KX_LU_UNFORMATTED);
  ASSERT_EQ(parent.child_lu_count, 2);
  EXPECT_EQ(parent.child_lun[0], 3);  // in the order they joined
  EXPECT_EQ(parent.child_lun[1], 1);
  EXPECT_EQ(parent.child_lun[2], KX_UNUSED_ENTRY);
  EXPECT_EQ(info->unite_info[1].unite_info, KX_UNITE_CHILD);
  EXPECT_EQ(info->unite_info[1].capacity, 200);
  EXPECT_EQ(info->unite_info[2].unite_info, KX_UNITE_SINGLE);
  EXPECT_EQ(info->unite_info[4].unite_info, KX_UNITE_NO_LU);

  // LU 3 is the last LU: a member is not deleted, resized, renumbered or
  // formatted alone, and nothing is changed by trying.
  const std::string before = StorageSnapshot();
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KXE_UNIFIED_MEMBER);
  EXPECT_EQ(KX_LogicalUnitDeleteAll(kUnit), KXE_UNIFIED_MEMBER);
  EXPECT_EQ(KX_LogicalUnitExpand(kUnit, 1, 250), KXE_UNIFIED_MEMBER);
  const LuReallocRequestRecord realloc{1, 0, 7};
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &realloc), KXE_UNIFIED_MEMBER);
  EXPECT_EQ(KX_LogicalUnitFormat(kUnit, 1, KX_FORMAT_QUICK),
            KXE_UNIFIED_MEMBER);
  EXPECT_EQ(KX_LogicalUnitFormat(kUnit, 0, KX_FORMAT_QUICK),
            KXE_UNIFIED_MEMBER);
  FormatEntryListRecord list{};
  list.lu[0] = KX_ENTRY_QUICK;
  list.lu[1] = KX_ENTRY_QUICK;
  EXPECT_EQ(KX_EntryFormatList(kUnit, &list), KXE_UNIFIED_MEMBER);
  EXPECT_EQ(StorageSnapshot(), before);

  // Formatted whole, it reads as formatted once every member is.
  SetFormatSecondsPerGb("0");
  list.lu[3] = KX_ENTRY_QUICK;
  ASSERT_EQ(KX_EntryFormatList(kUnit, &list), KX_OK);
  EXPECT_EQ(Unified()->unite_info[0].status, KX_LU_NORMAL);

  // The memberships survive a restart; after the split LU 3 goes again.
  Reopen();
  EXPECT_EQ(Unified()->unite_info[0].capacity, 600);
  EXPECT_EQ(Request(KX_UNIFY_SPLIT, 1, -1), KXE_NOT_UNIFIED);
  ASSERT_EQ(Request(KX_UNIFY_SPLIT, 0, -1), KX_OK);
  info = Unified();
  EXPECT_EQ(info->integration_lu, 0);
  EXPECT_EQ(info->unite_info[0].unite_info, KX_UNITE_SINGLE);
  EXPECT_EQ(info->unite_info[0].capacity, 100);
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);
}

TEST_F(SpecialLuTest, PairsNeedEqualCapacityAndHoldTheirLus) {
  EXPECT_EQ(Request(KX_PAIR_CREATE, 0, 1), KXE_CAPACITY_MISMATCH);
  ASSERT_EQ(Request(KX_UNIFY_JOIN, 0, 1), KX_OK);
  // A child is reached only through its parent, which counts 300 MB now.
  EXPECT_EQ(Request(KX_PAIR_CREATE, 1, 2), KXE_UNIFIED_MEMBER);
  ASSERT_EQ(Request(KX_PAIR_CREATE, 0, 2), KX_OK);
  EXPECT_EQ(Request(KX_PAIR_CREATE, 3, 2), KXE_LU_PAIRED);
  EXPECT_EQ(Request(KX_UNIFY_SPLIT, 0, -1), KXE_LU_PAIRED);
  EXPECT_EQ(Request(KX_UNIFY_JOIN, 2, 3), KXE_LU_PAIRED);

  CouplingInfoRecord pairs = Pairs();
  EXPECT_EQ(pairs.coupling_num, 1);
  EXPECT_EQ(pairs.quel_lite, 1);  // copying at 10 s per GB
  EXPECT_EQ(pairs.coupling[0].primary_lu, 0);
  EXPECT_EQ(pairs.coupling[0].second_lu, 2);
  EXPECT_EQ(pairs.coupling[0].primary_stat, KX_PAIR_COPYING);
  EXPECT_EQ(pairs.coupling[1].primary_lu, KX_UNUSED_ENTRY);

  EXPECT_EQ(Request(KX_PAIR_DELETE, 2, -1), KXE_NOT_PAIRED);
  ASSERT_EQ(Request(KX_PAIR_DELETE, 0, -1), KX_OK);
  EXPECT_EQ(Pairs().coupling_num, 0);
  EXPECT_EQ(Request(KX_UNIFY_SPLIT, 0, -1), KX_OK);
}

TEST_F(SpecialLuTest, TurboLusStayWithinTheCacheBudget) {
  ASSERT_EQ(AddLu(MakeLu(4, 2, KX_TURBO_CACHE_MB + 1)), KX_OK);
  TurboLuRecord turbo{};
  ASSERT_EQ(KX_GetTurboLU(kUnit, &turbo), KX_OK);
  EXPECT_EQ(turbo.option, KX_TURBO_OFF);
  EXPECT_EQ(turbo.ctl[0].current_status, KX_TURBO_NONE);
  EXPECT_EQ(turbo.ctl[0].reserve_lun, KX_UNUSED_ENTRY);

  turbo.option = KX_TURBO_ON;
  turbo.ctl[0].reserve_assign = KX_TURBO_ASSIGNED;
  turbo.ctl[0].reserve_lun = 4;
  EXPECT_EQ(KX_SetTurboLU(kUnit, &turbo), KXE_TURBO_CACHE_EXCEEDED);
  turbo.ctl[0].reserve_lun = 3;
  turbo.ctl[1].reserve_assign = KX_TURBO_ASSIGNED;
  turbo.ctl[1].reserve_lun = 3;
  EXPECT_EQ(KX_SetTurboLU(kUnit, &turbo), KXE_INVALID_ARGUMENT);
  turbo.ctl[1].reserve_lun = 1;
  ASSERT_EQ(KX_SetTurboLU(kUnit, &turbo), KX_OK);

  TurboLuRecord read{};
  ASSERT_EQ(KX_GetTurboLU(kUnit, &read), KX_OK);
  EXPECT_EQ(read.option, KX_TURBO_ON);
  EXPECT_EQ(read.ctl[0].current_status, KX_TURBO_RESIDENT);
  EXPECT_EQ(read.ctl[0].current_lun, 3);
  EXPECT_EQ(read.ctl[1].current_lun, 1);

  // LU 1 becomes a child: no longer resident, still asked for.
  ASSERT_EQ(Request(KX_UNIFY_JOIN, 0, 1), KX_OK);
  ASSERT_EQ(KX_GetTurboLU(kUnit, &read), KX_OK);
  EXPECT_EQ(read.ctl[1].current_status, KX_TURBO_SUSPENDED);
  EXPECT_EQ(read.ctl[1].current_lun, KX_UNUSED_ENTRY);
  EXPECT_EQ(read.ctl[1].reserve_lun, 1);
  EXPECT_EQ(KX_SetTurboLU(kUnit, &turbo), KXE_UNIFIED_MEMBER);

  turbo.option = KX_TURBO_OFF;
  ASSERT_EQ(KX_SetTurboLU(kUnit, &turbo), KX_OK);
  ASSERT_EQ(KX_GetTurboLU(kUnit, &read), KX_OK);
  EXPECT_EQ(read.ctl[0].reserve_assign, KX_TURBO_UNASSIGNED);
  EXPECT_EQ(read.ctl[0].current_status, KX_TURBO_NONE);
}

TEST_F(SpecialLuTest, DataIsPinnedFromTheBlockUntilTheRebuildEnds) {
  EXPECT_EQ(Pinned(0), 0);
  EXPECT_EQ(PinTime(KX_PIN_TIME_DATE), 0);
  ASSERT_EQ(Request(KX_UNIFY_JOIN, 0, 3), KX_OK);
  ASSERT_EQ(Request(KX_PAIR_CREATE, 1, 5), KXE_UNKNOWN_LU);
  ASSERT_EQ(AddLu(MakeLu(5, 2, 200)), KX_OK);
  ASSERT_EQ(Request(KX_PAIR_CREATE, 1, 5), KX_OK);

  // The unit clock says 2031-05-17 08:09:10 when the drive of group 0 at
  // port 1, row 0 is blocked.
  BrokenDownTime clock{};
  clock.tm_year = 2031;
  clock.tm_mon = 4;
  clock.tm_mday = 17;
  clock.tm_hour = 8;
  clock.tm_min = 9;
  clock.tm_sec = 10;
  ASSERT_EQ(KX_SetUnitTime(kUnit, &clock), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_BLOCK), KX_OK);
  EXPECT_EQ(Pinned(0), 64);  // min(100, 64)
  EXPECT_EQ(Pinned(3), 64);
  EXPECT_EQ(Pinned(1), 0);  // group 1 is untouched
  EXPECT_EQ(PinTime(KX_PIN_TIME_DATE), 20310517);
  const int32_t time_of_day = PinTime(KX_PIN_TIME_OF_DAY);
  EXPECT_GE(time_of_day, 80910);
  EXPECT_LE(time_of_day, 80912);

  int32_t list[kPerLuCapacity];
  ASSERT_EQ(KX_GetPinInfo2(kUnit, list), KX_OK);
  EXPECT_EQ(list[0], 64);
  EXPECT_EQ(list[2], 0);
  EXPECT_EQ(list[6], KX_UNUSED_ENTRY);
  PINInformationRecord pins{};
  ASSERT_EQ(KX_GetIntegrationPinInfo(kUnit, &pins), KX_OK);
  EXPECT_EQ(pins.unite_option, 1);
  EXPECT_EQ(pins.unite_lu[0], 128);  // parent and child together
  EXPECT_EQ(pins.unite_lu[3], KX_UNUSED_ENTRY);
  EXPECT_EQ(pins.single_lu[3], 64);

  // Blocking a drive of group 2 suspends the pair on it.
  ASSERT_EQ(KX_SetDriveMode(kUnit, 2, 2, KX_DRIVE_MODE_BLOCK), KX_OK);
  EXPECT_EQ(Pairs().coupling[0].second_stat, KX_PAIR_SUSPENDED);

  // Returned, the drives rebuild (about 1.4 s and 2.8 s at 0.01 s per GB);
  // the data stays pinned, with the time of the first block, until then.
  // The clock stands still until the test moves it past the rebuilds.
  SetFormatSecondsPerGb("0.01");
  TestClock station_clock(directory_);
  const int64_t restored = station_clock.Stop();
  ASSERT_EQ(KX_SetDriveMode(kUnit, 1, 0, KX_DRIVE_MODE_RESTORE), KX_OK);
  ASSERT_EQ(KX_SetDriveMode(kUnit, 2, 2, KX_DRIVE_MODE_RESTORE), KX_OK);
  EXPECT_EQ(Pinned(0), 64);
  EXPECT_EQ(PinTime(KX_PIN_TIME_DATE), 20310517);
  station_clock.StandAt(restored + 1000);
  EXPECT_EQ(Pinned(0), 64) << "still pinned while both drives rebuild";
  station_clock.StandAt(restored + 10000);
  EXPECT_EQ(Pinned(0), 0);
  EXPECT_EQ(Pinned(5), 0);
  EXPECT_EQ(PinTime(KX_PIN_TIME_DATE), 0);
  ASSERT_EQ(KX_GetIntegrationPinInfo(kUnit, &pins), KX_OK);
  EXPECT_EQ(pins.unite_option, 0);
  EXPECT_EQ(pins.unite_lu[0], 0);

  int32_t value = 0;
  EXPECT_EQ(KX_GetPinInfo(kUnit, 6, &value), KXE_UNKNOWN_LU);
  EXPECT_EQ(KX_GetPinInfo(kUnit, 512, &value), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetPinInfoGetTime(kUnit, 2, &value), KXE_INVALID_ARGUMENT);
}

// Configuration files.

class ConfigurationFileTest : public SpecialLuTest {
 protected:
  std::string Path(const std::string& name) {
    return (directory_ / name).string();
  }
  static std::string FileName(const std::string& path) {
    std::string buffer(kLongNameSize, '\0');
    buffer.replace(0, path.size(), path);
    return buffer;
  }
  int32_t Export(const std::string& path, bool output = false) {
    const std::string name = FileName(path);
    return output ? KX_RgLuFileOutput(kUnit, name.data())
                  : KX_RaidLuExport(kUnit, name.data());
  }
  int32_t Import(const std::string& path) {
    groups_.assign(KX_RAID_GROUP_COUNT, RaidGroupRecord{});
    lus_.assign(KX_LOGICAL_UNIT_COUNT, LogicalUnitRecord{});
    return KX_RaidLuImport(kUnit, FileName(path).data(), groups_.data(),
                           lus_.data());
  }
  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // The text with its checksum line made right again.
  static std::string Resealed(std::string text) {
    text.erase(text.rfind("checksum "));
    const auto digest = tesk740::Sha256(text);
    return text + "checksum " + tesk740::ToHex(digest.data(), digest.size()) +
           "\n";
  }

  std::vector<RaidGroupRecord> groups_;
  std::vector<LogicalUnitRecord> lus_;
};

TEST_F(ConfigurationFileTest, ExportThenImportGivesTheSameGroupsAndLus) {
  const std::string listed = StorageSnapshot();
  for (bool output : {false, true}) {
    SCOPED_TRACE(output ? "KX_RgLuFileOutput" : "KX_RaidLuExport");
    const std::string path = Path(output ? "output.txt" : "export.txt");
    ASSERT_EQ(Export(path, output), KX_OK);
    ASSERT_EQ(Import(path), KX_OK);
    const std::string imported =
        std::string(reinterpret_cast<const char*>(groups_.data()),
                    groups_.size() * sizeof groups_[0]) +
        std::string(reinterpret_cast<const char*>(lus_.data()),
                    lus_.size() * sizeof lus_[0]);
    EXPECT_EQ(imported, listed);
  }
  // Export replaces a file whole; import reads any unit's file.
  ASSERT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);
  ASSERT_EQ(Export(Path("export.txt")), KX_OK);
  ASSERT_EQ(Import(Path("export.txt")), KX_OK);
  EXPECT_EQ(lus_[3].luNumber, KX_UNUSED_ENTRY);
  EXPECT_EQ(lus_[2].capacity, 300);
}

TEST_F(ConfigurationFileTest, DamagedFilesAreRefusedWithWhatIsWrong) {
  const std::string path = Path("config.txt");
  ASSERT_EQ(Export(path), KX_OK);
  const std::string good = Read(path);
  std::string flipped = good;
  flipped[good.find("\nlu ") + 5] ^= 1;
  std::string other_version = good;
  other_version.replace(good.find(" 1\n"), 3, " 2\n");
  std::string unknown_line = good;
  unknown_line.insert(good.find("end "), "lun 1 2 3\n");
  std::string lost_group = good;
  lost_group.erase(good.find("rg 2 "), good.find('\n', good.find("rg 2 ")) -
                                           good.find("rg 2 ") + 1);
  lost_group.replace(lost_group.find("end 3"), 5, "end 2");

  const struct {
    const char* what;
    std::string text;
    int32_t code;
  } cases[] = {
      {"a byte changed", flipped, KXE_FILE_CHECKSUM},
      {"cut short", good.substr(0, good.size() - 20), KXE_FILE_CHECKSUM},
      {"not a configuration", "hello\n" + good, KXE_FILE_NOT_CONFIGURATION},
      {"another version", Resealed(other_version), KXE_RGLU_FILE_VERSION},
      {"unknown line", Resealed(unknown_line), KXE_FILE_MALFORMED},
      {"an LU without its group", Resealed(lost_group), KXE_FILE_MALFORMED},
      {"empty", "", KXE_FILE_NOT_CONFIGURATION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Write(path, c.text);
    groups_.assign(KX_RAID_GROUP_COUNT, RaidGroupRecord{});
    EXPECT_EQ(Import(path), c.code);
    // A refused file fills nothing.
    EXPECT_EQ(groups_[0].level, 0);
    EXPECT_EQ(lus_[0].capacity, 0);
  }
  Write(path, Resealed(good));
  EXPECT_EQ(Import(path), KX_OK);
  EXPECT_EQ(Import(Path("missing.txt")), KXE_RGLU_FILE_READ);
  EXPECT_EQ(Import(directory_.string()), KXE_RGLU_FILE_READ);
  // Names come as Java's modified UTF-8: U+1F600 as two surrogates is
  // written under its standard UTF-8 name; an encoded NUL is refused.
  ASSERT_EQ(Export(Path("smile-\xED\xA0\xBD\xED\xB8\x80.txt")), KX_OK);
  EXPECT_TRUE(std::filesystem::exists(Path("smile-\xF0\x9F\x98\x80.txt")));
  EXPECT_EQ(Export(Path("nul-\xC0\x80.txt")), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(Export(Path("no-such-directory/config.txt")), KXE_RGLU_FILE_WRITE);
  EXPECT_FALSE(std::filesystem::exists(Path("no-such-directory")));
}

}  // namespace
}  // namespace core_test
