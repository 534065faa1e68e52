// RAID group, logical unit and formatting natives against the test double,
// byte for byte. Offsets are written out here by hand, not taken from the
// field tables, so a table that disagrees with the core's layout fails.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "tests/double/core_double.h"
#include "tests/double/test_heap.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

// The natives under test, by operation.
constexpr auto kEntryFormatList =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1EntryFormatList;
constexpr auto kGetFormatStatusList =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFormatStatusList;
constexpr auto kGetLogicalUnit =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLogicalUnit;
constexpr auto kGetLogicalUnit1 =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLogicalUnit1;
constexpr auto kGetRaidGroups =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetRaidGroups;
constexpr auto kLogicalUnitAdd =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitAdd;
constexpr auto kLogicalUnitFormatStatusList =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormatStatusList;
constexpr auto kRaidGroupAdd =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupAdd;
constexpr auto kRaidGroupExpand =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupExpand;

using Bytes = std::vector<uint8_t>;
using Layout = std::vector<std::pair<const char*, size_t>>;

const Layout kRaidGroupLayout = {
    {"rgnum", 0},    {"level", 4},   {"port", 8},          {"row", 12},
    {"width", 16},   {"depth", 20},  {"minimum_capa", 24}, {"lastLBASet", 28},
    {"lastLBA", 32}, {"rest_h", 36}, {"rest", 40},         {"lumaxcapa", 44}};

const Layout kLogicalUnitLayout = {
    {"luNumber", 0},   {"rgNumber", 4},    {"raid_level", 8},  {"staging", 12},
    {"capacity", 16},  {"defaultCTL", 20}, {"currentCTL", 24}, {"status", 28},
    {"hostblock", 32}, {"lu_valid", 36},   {"rg_last_lu", 40}};

// The int fields of both format status entries, after the `entry` byte of
// FormatStatus.
const Layout kFormatStatusInts = {{"status", 4},
                                  {"percent", 8},
                                  {"err_code_sense_key", 12},
                                  {"err_code_sense_code", 16}};
const Layout kLuFormatStatusLayout = {{"status", 0},
                                      {"percent", 4},
                                      {"err_code_sense_key", 8},
                                      {"err_code_sense_code", 12}};

void put_int(Bytes& bytes, size_t at, int32_t value) {
  std::memcpy(&bytes[at], &value, sizeof(value));
}

int32_t int_at(const Bytes& bytes, size_t at) {
  int32_t value;
  std::memcpy(&value, &bytes[at], sizeof(value));
  return value;
}

// A value distinct for every (entry, offset), negative for odd entries so
// that sign handling shows.
int32_t distinct(size_t entry, size_t offset) {
  int32_t value = static_cast<int32_t>(entry * 1000 + offset + 1);
  return entry % 2 != 0 ? -value : value;
}

// `used` records of `size` bytes with distinct ints, zeros after them.
Bytes table(size_t capacity, size_t size, const Layout& layout, size_t used) {
  Bytes bytes(capacity * size, 0);
  for (size_t i = 0; i < used; ++i) {
    for (const auto& [name, offset] : layout) {
      put_int(bytes, i * size + offset, distinct(i, offset));
    }
  }
  return bytes;
}

Bytes unit_buffer(const char* name) {
  Bytes bytes(17, 0);
  std::memcpy(bytes.data(), name, std::strlen(name));
  return bytes;
}

::testing::AssertionResult ints_match(jobject object, const Layout& layout,
                                      const Bytes& bytes, size_t base) {
  if (object == nullptr) return ::testing::AssertionFailure() << "null object";
  for (const auto& [name, offset] : layout) {
    jint expected = int_at(bytes, base + offset);
    jint actual = get_int(object, name);
    if (actual != expected) {
      return ::testing::AssertionFailure()
             << name << " at " << base + offset << ": " << actual
             << " != " << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

class StorageTest : public JniTest {
 protected:
  // Runs a native within the sixteen local references the VM gives one, so
  // a leak per element shows as a checked-VM report.
  template <typename T>
  T in_native_frame(const std::function<T()>& call) {
    env->PushLocalFrame(16);
    T result = call();
    return static_cast<T>(env->PopLocalFrame(result));
  }

  // Whether the elements in [from, to) are all null (null) or all objects.
  bool elements_null(jobjectArray array, jsize from, jsize to, bool null) {
    for (jsize i = from; i < to; ++i) {
      jobject element = env->GetObjectArrayElement(array, i);
      bool is_null = element == nullptr;
      env->DeleteLocalRef(element);
      if (is_null != null) return false;
    }
    return true;
  }

  jobject java_record(const char* class_name, const Layout& layout,
                      Bytes& expected, size_t entry) {
    jobject object = new_object(class_name);
    for (const auto& [name, offset] : layout) {
      set_int(object, name, distinct(entry, offset));
      put_int(expected, offset, distinct(entry, offset));
    }
    return object;
  }

  jobjectArray get_raid_groups() {
    return in_native_frame<jobjectArray>(
        [&] { return kGetRaidGroups(env, nullptr, java_string("rg-unit")); });
  }

  jobjectArray get_logical_units() {
    return in_native_frame<jobjectArray>(
        [&] { return kGetLogicalUnit(env, nullptr, java_string("lu-unit")); });
  }
};

TEST_F(StorageTest, RaidGroupsStopAtTheFirstEntryThatCannotBeBuilt) {
  CoreDouble::set_output(1, table(45, 48, kRaidGroupLayout, 45));
  jobjectArray groups;
  {
    // Entry 7 cannot be made: it and every later entry stay null.
    JniFaults faults({{Slot::kNewObjectV, "", 7, 1, false}});
    groups = get_raid_groups();
  }
  ASSERT_NE(groups, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_TRUE(elements_null(groups, 0, 7, false));
  EXPECT_TRUE(elements_null(groups, 7, 45, true));

  CoreDouble::set_code(0x3001);
  EXPECT_EQ(get_raid_groups(), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3001));
  EXPECT_EQ(kGetRaidGroups(env, nullptr, nullptr), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 2u);
}

TEST_F(StorageTest, RaidGroupReaderStopsAtAnUnreadableField) {
  Bytes ignored(48, 0);
  jobject group = java_record("korvane/str/diskarray/RaidGroup",
                              kRaidGroupLayout, ignored, 2);
  {
    JniFaults faults({{Slot::kGetFieldID, "lastLBA"}});
    kRaidGroupAdd(env, nullptr, java_string("u"), group);
  }
  // A group that cannot be read whole never reaches the core.
  EXPECT_TRUE(disk_array_exception(2817));
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  kRaidGroupExpand(env, nullptr, java_string("u"), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

TEST_F(StorageTest, LogicalUnitsConvertAll512SlotsPastTheLastUsedOne) {
  Bytes bytes = table(512, 44, kLogicalUnitLayout, 300);
  CoreDouble::set_output(1, bytes);
  jobjectArray units = get_logical_units();
  ASSERT_NE(units, nullptr);
  ASSERT_EQ(env->GetArrayLength(units), 512);
  for (jsize i = 0; i < 512; ++i) {
    LocalFrame frame(16);
    EXPECT_TRUE(ints_match(env->GetObjectArrayElement(units, i),
                           kLogicalUnitLayout, bytes, 44 * i))
        << "entry " << i;
  }
  EXPECT_EQ(CoreDouble::last_call().buffers[0], unit_buffer("lu-unit"));
  EXPECT_EQ(CoreDouble::last_call().buffers[1], Bytes(22528, 0));

  {
    JniFaults faults({{Slot::kNewObjectV, "", 300, 1, false}});
    units = get_logical_units();
  }
  ASSERT_NE(units, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_TRUE(elements_null(units, 0, 300, false));
  EXPECT_TRUE(elements_null(units, 300, 512, true));
}

TEST_F(StorageTest, OneLogicalUnitTravelsBackUnchanged) {
  Bytes bytes = table(1, 44, kLogicalUnitLayout, 1);
  put_int(bytes, 40, INT32_MIN);
  CoreDouble::set_output(1, bytes);
  jobject unit = kGetLogicalUnit1(env, nullptr, java_string("u"), 17);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(CoreDouble::last_call().ints, std::vector<int32_t>{17});
  EXPECT_TRUE(ints_match(unit, kLogicalUnitLayout, bytes, 0));
  kLogicalUnitAdd(env, nullptr, java_string("u"), unit);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(CoreDouble::last_call().function, "KX_LogicalUnitAdd");
  EXPECT_EQ(CoreDouble::last_call().buffers[1], bytes);

  Bytes expected(44, 0);
  unit = java_record("korvane/str/diskarray/LogicalUnit", kLogicalUnitLayout,
                     expected, 5);
  kLogicalUnitAdd(env, nullptr, java_string("u"), unit);
  EXPECT_EQ(CoreDouble::last_call().buffers[1], expected);

  {
    JniFaults faults({{Slot::kGetFieldID, "rg_last_lu", 0, 1, false}});
    EXPECT_EQ(kGetLogicalUnit1(env, nullptr, java_string("u"), 1), nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
}

TEST_F(StorageTest, FormatEntryListTakesExactly512Bytes) {
  auto entry_list = [&](jsize length) {
    jobject list = new_object("korvane/str/diskarray/FormatEntryList");
    jbyteArray lu = env->NewByteArray(length);
    Bytes bytes(static_cast<size_t>(length));
    for (size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    env->SetByteArrayRegion(lu, 0, length,
                            reinterpret_cast<jbyte*>(bytes.data()));
    jfieldID field = env->GetFieldID(env->GetObjectClass(list), "lu", "[B");
    env->SetObjectField(list, field, lu);
    return list;
  };
  Bytes expected(512);
  for (size_t i = 0; i < 512; ++i)
    expected[i] = static_cast<uint8_t>(i * 7 + 1);

  kEntryFormatList(env, nullptr, java_string("u"), entry_list(512));
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(CoreDouble::last_call().function, "KX_EntryFormatList");
  EXPECT_EQ(CoreDouble::last_call().buffers[1], expected);
  // A longer array is cut to the list.
  kEntryFormatList(env, nullptr, java_string("u"), entry_list(600));
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(CoreDouble::last_call().buffers[1], expected);

  // A shorter one is refused before the core is called.
  size_t calls = CoreDouble::call_count();
  kEntryFormatList(env, nullptr, java_string("u"), entry_list(511));
  EXPECT_TRUE(disk_array_exception(2817));
  EXPECT_EQ(CoreDouble::call_count(), calls);

  kEntryFormatList(env, nullptr, java_string("u"), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 2u);
}

// A 10252-byte format status list: mode 0xFF, unused bytes 0xEE, entry
// bytes running through 0x80..0xFF.
Bytes format_status_list() {
  Bytes bytes(10252, 0xEE);
  bytes[0] = 0xFF;
  put_int(bytes, 4, 73);
  put_int(bytes, 8, -3600);
  for (size_t i = 0; i < 512; ++i) {
    size_t base = 12 + 20 * i;
    bytes[base] = static_cast<uint8_t>(0x80 + i % 128);
    for (const auto& [name, offset] : kFormatStatusInts) {
      put_int(bytes, base + offset, distinct(i, offset));
    }
  }
  return bytes;
}

TEST_F(StorageTest, OneFailedEntryFailsAFormatStatusList) {
  CoreDouble::set_output(1, format_status_list());
  {
    // Entry 300 of the list cannot be made.
    JniFaults faults({{Slot::kNewObjectV, "", 301, 1, false}});
    EXPECT_EQ(in_native_frame<jobject>([&] {
                return kGetFormatStatusList(env, nullptr, java_string("u"));
              }),
              nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));

  CoreDouble::set_code(0x3004);
  EXPECT_EQ(kGetFormatStatusList(env, nullptr, java_string("u")), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3004));
  EXPECT_EQ(kGetFormatStatusList(env, nullptr, nullptr), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 2u);
}

TEST_F(StorageTest, LuFormatStatusListCarries512EntriesOrNothing) {
  Bytes bytes = table(512, 16, kLuFormatStatusLayout, 512);
  CoreDouble::set_output(1, bytes);
  auto call = [&] {
    return in_native_frame<jobject>([&] {
      return kLogicalUnitFormatStatusList(env, nullptr, java_string("lu-unit"));
    });
  };
  jobject list = call();
  ASSERT_NE(list, nullptr);
  auto entries = static_cast<jobjectArray>(
      get_object(list, "lu", "[Lkorvane/str/diskarray/LuFormatStatus;"));
  ASSERT_NE(entries, nullptr);
  ASSERT_EQ(env->GetArrayLength(entries), 512);
  for (jsize i = 0; i < 512; ++i) {
    LocalFrame frame(16);
    ASSERT_TRUE(ints_match(env->GetObjectArrayElement(entries, i),
                           kLuFormatStatusLayout, bytes, 16 * i))
        << i;
  }
  EXPECT_EQ(CoreDouble::last_call().buffers[0], unit_buffer("lu-unit"));
  EXPECT_EQ(CoreDouble::last_call().buffers[1], Bytes(8192, 0));

  // The last entry fails: the whole list is a plain null, nothing raised.
  {
    JniFaults faults({{Slot::kNewObjectV, "", 1 + 511, 1, false}});
    EXPECT_EQ(call(), nullptr);
  }
  EXPECT_FALSE(env->ExceptionCheck());

  CoreDouble::set_code(0x3005);
  EXPECT_EQ(call(), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3005));
  EXPECT_EQ(kLogicalUnitFormatStatusList(env, nullptr, nullptr), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 3u);
}

}  // namespace
}  // namespace kxtest
