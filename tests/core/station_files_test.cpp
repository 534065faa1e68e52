// The station's file as the operator meets it: private to its owner, whole
// after a clean exit, readable when it cannot be written, refused when it is
// someone else's, and the codes for a full disk and for paths that are not
// text.
#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core_test_support.h"

namespace core_test {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class StationFilesTest : public StationTest {
 protected:
  std::filesystem::path Fresh(const std::string& name) {
    std::filesystem::path path = directory_ / name;
    std::filesystem::create_directories(path);
    return path;
  }
  static bool Run(const std::string& command) {
    return std::system((command + " 2>/dev/null").c_str()) == 0;
  }
};

TEST_F(StationFilesTest, NewStationIsPrivateAndWholeAfterAnExit) {
  struct stat info {};
  ASSERT_EQ(::stat((directory_ / "station.db").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A process that registers units and exits leaves no write-ahead log
  // behind: station.db alone holds what it committed.
  const std::filesystem::path other = Fresh("other");
  ASSERT_TRUE(
      Run(std::string(KX_STATION_HELPER) + " " + other.string() + " unit 3"));
  const std::filesystem::path log = other / "station.db-wal";
  EXPECT_TRUE(!std::filesystem::exists(log) ||
              std::filesystem::file_size(log) == 0);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2((other / "station.db").c_str(), &db,
                            SQLITE_OPEN_READONLY, nullptr),
            SQLITE_OK);
  sqlite3_stmt* count = nullptr;
  ASSERT_EQ(
      sqlite3_prepare_v2(db, "SELECT count(*) FROM unit", -1, &count, nullptr),
      SQLITE_OK);
  ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(count, 0), 3);
  sqlite3_finalize(count);
  sqlite3_close(db);
}

TEST_F(StationFilesTest, SomeoneElsesFileIsRefusedAndLeftAlone) {
  const std::filesystem::path text = Fresh("text");
  { std::ofstream(text / "station.db") << std::string(4096, 'x'); }
  EXPECT_EQ(Initialize(text), KXE_NOT_A_STATION);
  EXPECT_EQ(ReadFile(text / "station.db"), std::string(4096, 'x'));

  const std::filesystem::path foreign = Fresh("foreign");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((foreign / "station.db").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE invoices (id INTEGER)", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  const std::string before = ReadFile(foreign / "station.db");
  EXPECT_EQ(Initialize(foreign), KXE_NOT_A_STATION);
  EXPECT_EQ(ReadFile(foreign / "station.db"), before);
  EXPECT_EQ(UnitCount(), -KXE_NOT_INITIALIZED);
}

TEST_F(StationFilesTest, ReadOnlyStationStillAnswersReads) {
  const KXUnitParamRecord unit = MakeUnit("kept");
  ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  ForgetStation();
  const std::string file = (directory_ / "station.db").string();
  // An immutable file cannot be written even by root.
  if (!Run("chattr +i " + file)) GTEST_SKIP() << "chattr is not available";
  const int32_t opened = Initialize(directory_);
  const int32_t count = UnitCount();
  const KXUnitParamRecord other = MakeUnit("other");
  const int32_t added = KX_UnitAdd(&other);
  ForgetStation();
  Run("chattr -i " + file);
  EXPECT_EQ(opened, KX_OK);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(added, KXE_STATION_READ_ONLY);
}

TEST_F(StationFilesTest, FullDiskHasItsOwnCode) {
  const std::filesystem::path small = Fresh("small");
  if (!Run("mount -t tmpfs -o size=96k tmpfs " + small.string())) {
    GTEST_SKIP() << "cannot mount a small file system here";
  }
  int32_t code = Initialize(small);
  for (int i = 0; code == KX_OK && i < 2000; ++i) {
    KXUnitParamRecord unit = MakeUnit("u" + std::to_string(i));
    std::memset(unit.ctl0, 'c', sizeof unit.ctl0 - 1);
    std::memset(unit.ctl1, 'd', sizeof unit.ctl1 - 1);
    code = KX_UnitAdd(&unit);
  }
  ForgetStation();
  Run("umount " + small.string());
  EXPECT_EQ(code, KXE_DISK_FULL);
}

TEST_F(StationFilesTest, PathsArriveAsJavaTextAndAreDecoded) {
  // "st-" and U+1F600 as Java sends it: two three-byte surrogates.
  const std::string modified =
      (directory_ / "st-").string() + "\xED\xA0\xBD\xED\xB8\x80";
  ASSERT_EQ(Initialize(modified), KX_OK);
  EXPECT_TRUE(std::filesystem::is_directory(
      directory_ / std::filesystem::u8path("st-\xF0\x9F\x98\x80")));

  // A NUL arrives as C0 80: refused, nothing created.
  const std::string with_nul = (directory_ / "a").string() + "\xC0\x80" + "b";
  EXPECT_EQ(Initialize(with_nul), KXE_INVALID_TEXT);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "a"));
  EXPECT_FALSE(std::filesystem::exists(
      std::filesystem::u8path((directory_ / "a").string() + "\xC0\x80" + "b")));
  EXPECT_EQ(Initialize((directory_ / "lone").string() + "\xED\xA0\xBD"),
            KXE_INVALID_TEXT);

  ASSERT_EQ(Initialize(directory_), KX_OK);
  const KXUnitParamRecord nul_name = MakeUnit(std::string("a\xC0\x80z"));
  EXPECT_EQ(KX_UnitAdd(&nul_name), KXE_INVALID_UNIT_NAME);
}

}  // namespace
}  // namespace core_test
