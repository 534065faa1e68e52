// The unit registry through its KX_ functions.
#include <cstring>
#include <string>
#include <vector>

#include "core_test_support.h"

namespace core_test {
namespace {

using RegistryTest = StationTest;

std::string NameOf(const KXUnitParamRecord& unit) {
  return std::string(unit.unit_name, strnlen(unit.unit_name, 17));
}

std::vector<std::string> TableNames(int32_t count) {
  std::vector<KXUnitParamRecord> table(count);
  EXPECT_EQ(KX_GetUnitParamTable(count, table.data()), KX_OK);
  std::vector<std::string> names;
  for (const auto& unit : table) names.push_back(NameOf(unit));
  return names;
}

TEST_F(RegistryTest, RoundTripKeepsEveryByteAndZeroFills) {
  KXUnitParamRecord unit = MakeUnit("ABCDEFGHIJKLMNOP", "group-of-16-byte");
  unit.connect_type = static_cast<int8_t>(200);  // stored as -56
  unit.kx_type = -128;
  unit.unit_conf = 127;
  unit.alert = -1;
  std::memset(unit.ctl0, 'x', 79);
  unit.ctl0[0] = static_cast<char>(0xC3);  // bytes kept, never re-encoded
  unit.ctl0[1] = static_cast<char>(0xA9);
  ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);

  KXUnitParamRecord read;
  std::memset(&read, 0xAA, sizeof read);
  ASSERT_EQ(KX_GetUnitParam("ABCDEFGHIJKLMNOP", &read), KX_OK);
  EXPECT_EQ(std::memcmp(&read, &unit, sizeof unit), 0);
  EXPECT_EQ(read.connect_type, -56);
  EXPECT_EQ(UnitCount(), 1);
}

TEST_F(RegistryTest, AddRejectsBadRecordsAndKeepsTheRegistry) {
  KXUnitParamRecord original = MakeUnit("unit1", "first");
  ASSERT_EQ(KX_UnitAdd(&original), KX_OK);

  KXUnitParamRecord duplicate = MakeUnit("unit1", "second");
  EXPECT_EQ(KX_UnitAdd(&duplicate), KXE_DUPLICATE_UNIT);
  KXUnitParamRecord read{};
  ASSERT_EQ(KX_GetUnitParam("unit1", &read), KX_OK);
  EXPECT_STREQ(read.group_name, "first");

  // Names differing only in case are different units.
  KXUnitParamRecord upper = MakeUnit("UNIT1");
  EXPECT_EQ(KX_UnitAdd(&upper), KX_OK);

  KXUnitParamRecord empty = MakeUnit("");
  EXPECT_EQ(KX_UnitAdd(&empty), KXE_INVALID_UNIT_NAME);
  KXUnitParamRecord unterminated = MakeUnit("");
  std::memset(unterminated.unit_name, 'n', sizeof unterminated.unit_name);
  EXPECT_EQ(KX_UnitAdd(&unterminated), KXE_INVALID_UNIT_NAME);
  KXUnitParamRecord control = MakeUnit("bad\tname");
  EXPECT_EQ(KX_UnitAdd(&control), KXE_INVALID_UNIT_NAME);
  KXUnitParamRecord bad_group = MakeUnit("unit2");
  std::memset(bad_group.group_name, 'g', sizeof bad_group.group_name);
  EXPECT_EQ(KX_UnitAdd(&bad_group), KXE_INVALID_ARGUMENT);
  KXUnitParamRecord bad_ctl1 = MakeUnit("unit3");
  std::memset(bad_ctl1.ctl1, 'c', sizeof bad_ctl1.ctl1);
  EXPECT_EQ(KX_UnitAdd(&bad_ctl1), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_UnitAdd(nullptr), KXE_INVALID_ARGUMENT);

  EXPECT_EQ(UnitCount(), 2);
}

TEST_F(RegistryTest, UnknownAndInvalidNamesOnLookup) {
  KXUnitParamRecord read{};
  EXPECT_EQ(KX_GetUnitParam("nobody", &read), KXE_UNKNOWN_UNIT);
  EXPECT_EQ(KX_UnitDelete("nobody"), KXE_UNKNOWN_UNIT);
  KXUnitParamRecord unit = MakeUnit("nobody2");
  char old_name[kLongNameSize] = "nobody";
  EXPECT_EQ(KX_UnitChange(old_name, &unit), KXE_UNKNOWN_UNIT);
  EXPECT_EQ(UnitCount(), 0);

  EXPECT_EQ(KX_GetUnitParam("", &read), KXE_INVALID_UNIT_NAME);
  EXPECT_EQ(KX_UnitDelete(""), KXE_INVALID_UNIT_NAME);
  EXPECT_EQ(KX_GetUnitParam(nullptr, &read), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetUnitParam("nobody", nullptr), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetUnitCount(nullptr), KXE_INVALID_ARGUMENT);
}

TEST_F(RegistryTest, ChangeRenamesInPlaceAllOrNothing) {
  for (const char* name : {"alpha", "beta", "gamma"}) {
    KXUnitParamRecord unit = MakeUnit(name);
    ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  }
  char old_name[kLongNameSize] = {};

  // Rename: same place in the table, new contents.
  std::strcpy(old_name, "beta");
  KXUnitParamRecord renamed = MakeUnit("delta", "moved", -5);
  ASSERT_EQ(KX_UnitChange(old_name, &renamed), KX_OK);
  EXPECT_EQ(TableNames(3),
            (std::vector<std::string>{"alpha", "delta", "gamma"}));
  KXUnitParamRecord read{};
  EXPECT_EQ(KX_GetUnitParam("beta", &read), KXE_UNKNOWN_UNIT);
  ASSERT_EQ(KX_GetUnitParam("delta", &read), KX_OK);
  EXPECT_EQ(std::memcmp(&read, &renamed, sizeof read), 0);

  // Keeping the name only updates the fields.
  std::strcpy(old_name, "alpha");
  KXUnitParamRecord updated = MakeUnit("alpha", "updated", 9);
  ASSERT_EQ(KX_UnitChange(old_name, &updated), KX_OK);
  ASSERT_EQ(KX_GetUnitParam("alpha", &read), KX_OK);
  EXPECT_EQ(std::memcmp(&read, &updated, sizeof read), 0);

  // Taking another unit's name changes nothing at all.
  std::strcpy(old_name, "gamma");
  KXUnitParamRecord collision = MakeUnit("alpha", "collide", 77);
  EXPECT_EQ(KX_UnitChange(old_name, &collision), KXE_DUPLICATE_UNIT);
  ASSERT_EQ(KX_GetUnitParam("gamma", &read), KX_OK);
  EXPECT_STREQ(read.group_name, "group");
  ASSERT_EQ(KX_GetUnitParam("alpha", &read), KX_OK);
  EXPECT_STREQ(read.group_name, "updated");

  // The old name comes in a 1024-byte buffer; past 16 bytes it names no unit.
  std::memset(old_name, 'o', 100);
  EXPECT_EQ(KX_UnitChange(old_name, &collision), KXE_INVALID_UNIT_NAME);
  std::memset(old_name, 'o', sizeof old_name);
  EXPECT_EQ(KX_UnitChange(old_name, &collision), KXE_INVALID_UNIT_NAME);
  EXPECT_EQ(UnitCount(), 3);
}

TEST_F(RegistryTest, DeleteFreesTheNameAndReAddGoesLast) {
  for (const char* name : {"u1", "u2", "u3"}) {
    KXUnitParamRecord unit = MakeUnit(name);
    ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  }
  ASSERT_EQ(KX_UnitDelete("u1"), KX_OK);
  EXPECT_EQ(KX_UnitDelete("u1"), KXE_UNKNOWN_UNIT);
  KXUnitParamRecord again = MakeUnit("u1");
  ASSERT_EQ(KX_UnitAdd(&again), KX_OK);
  EXPECT_EQ(TableNames(3), (std::vector<std::string>{"u2", "u3", "u1"}));
}

TEST_F(RegistryTest, TableFillsUpToCountAndZeroFillsTheRest) {
  for (const char* name : {"zeta", "eta", "theta"}) {
    KXUnitParamRecord unit = MakeUnit(name);
    ASSERT_EQ(KX_UnitAdd(&unit), KX_OK);
  }
  EXPECT_EQ(TableNames(2), (std::vector<std::string>{"zeta", "eta"}));

  std::vector<KXUnitParamRecord> table(5);
  std::memset(table.data(), 0xAA, sizeof(KXUnitParamRecord) * table.size());
  ASSERT_EQ(KX_GetUnitParamTable(5, table.data()), KX_OK);
  EXPECT_EQ(NameOf(table[2]), "theta");
  const KXUnitParamRecord zero{};
  EXPECT_EQ(std::memcmp(&table[3], &zero, sizeof zero), 0);
  EXPECT_EQ(std::memcmp(&table[4], &zero, sizeof zero), 0);

  EXPECT_EQ(KX_GetUnitParamTable(0, nullptr), KX_OK);
  EXPECT_EQ(KX_GetUnitParamTable(-1, table.data()), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_GetUnitParamTable(1, nullptr), KXE_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace core_test
