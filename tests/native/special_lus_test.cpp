// The irregular natives of the special LUs and configuration files against
// the test double: the RAID/LU import's one array of two tables, and the
// turbo-LU write that stops when its reader cannot read the record. The
// regular natives are covered by the contract rows.
#include <cstdint>
#include <cstring>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_special_lus.h"
#include "kx_storage.h"
#include "tests/double/core_double.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

constexpr auto kRaidLuImport =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidLuImport;
constexpr auto kSetTurboLU =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetTurboLU;

using Bytes = std::vector<uint8_t>;

template <typename Record>
Bytes table_of(size_t count, int32_t Record::*number, int32_t first) {
  std::vector<Record> records(count);
  for (size_t i = 0; i < count; ++i) {
    records[i].*number = first + static_cast<int32_t>(i);
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(records.data());
  return Bytes(bytes, bytes + count * sizeof(Record));
}

using SpecialLusNativeTest = JniTest;

TEST_F(SpecialLusNativeTest, RaidLuImportPlacesTheLogicalUnitsAfterEveryGroupSlot) {
  // Buffers: unit name, file name, RAID groups, logical units.
  CoreDouble::set_output(2, table_of<RaidGroupRecord>(
                                kRaidGroupCapacity, &RaidGroupRecord::rgnum, 100));
  CoreDouble::set_output(3, table_of<LogicalUnitRecord>(
                                kLogicalUnitCapacity,
                                &LogicalUnitRecord::luNumber, 1000));
  jobjectArray result =
      kRaidLuImport(env, nullptr, java_string("cfg-unit"), java_string("/tmp/rglu.txt"));
  ASSERT_EQ(take_exception(), nullptr);
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(env->GetArrayLength(result),
            static_cast<jsize>(kRaidGroupCapacity + kLogicalUnitCapacity));
  struct Slot {
    jsize index;
    const char* class_name;
    const char* field;
    jint value;
  };
  for (const Slot& slot : {Slot{0, "korvane.str.diskarray.RaidGroup", "rgnum", 100},
                           Slot{44, "korvane.str.diskarray.RaidGroup", "rgnum", 144},
                           Slot{45, "korvane.str.diskarray.LogicalUnit", "luNumber", 1000},
                           Slot{556, "korvane.str.diskarray.LogicalUnit", "luNumber", 1511}}) {
    LocalFrame frame(4);
    jobject element = env->GetObjectArrayElement(result, slot.index);
    ASSERT_NE(element, nullptr) << slot.index;
    EXPECT_EQ(class_name_of(element), slot.class_name) << slot.index;
    EXPECT_EQ(get_int(element, slot.field), slot.value) << slot.index;
  }
  // Both tables reach the core zero-filled.
  const CoreCall& call = CoreDouble::last_call();
  ASSERT_EQ(call.buffers.size(), 4u);
  EXPECT_EQ(call.buffers[2], Bytes(call.buffers[2].size(), 0));
  EXPECT_EQ(call.buffers[3], Bytes(call.buffers[3].size(), 0));
}

TEST_F(SpecialLusNativeTest, SetTurboLUSendsNothingItsReaderCannotRead) {
  // Without a ctl array the record cannot be read: ERR_MARSHAL, no core call.
  jobject turbo = new_object("korvane/str/diskarray/TurboLu");
  set_int(turbo, "option", 3);
  jfieldID ctl = env->GetFieldID(env->GetObjectClass(turbo), "ctl",
                                 "[Lkorvane/str/diskarray/TurboLu_info;");
  ASSERT_NE(ctl, nullptr);
  env->SetObjectField(turbo, ctl, nullptr);
  kSetTurboLU(env, nullptr, java_string("t-unit"), turbo);
  EXPECT_TRUE(disk_array_exception(2817));
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  // A single controller's entry: the second reaches the core as zeros.
  jclass info_class = env->FindClass("korvane/str/diskarray/TurboLu_info");
  ASSERT_NE(info_class, nullptr);
  jobject info = new_object("korvane/str/diskarray/TurboLu_info");
  set_int(info, "current_lun", 77);
  set_int(info, "reserve_lun", 78);
  jobjectArray one = env->NewObjectArray(1, info_class, info);
  env->SetObjectField(turbo, ctl, one);
  kSetTurboLU(env, nullptr, java_string("t-unit"), turbo);
  ASSERT_EQ(take_exception(), nullptr);
  ASSERT_EQ(CoreDouble::call_count(), 1u);
  const Bytes& sent = CoreDouble::last_call().buffers.at(1);
  ASSERT_EQ(sent.size(), sizeof(TurboLuRecord));
  TurboLuRecord record;
  std::memcpy(&record, sent.data(), sizeof(record));
  EXPECT_EQ(record.option, 3);
  EXPECT_EQ(record.ctl[0].current_lun, 77);
  EXPECT_EQ(record.ctl[0].reserve_lun, 78);
  EXPECT_EQ(record.ctl[1].current_lun, 0);
  EXPECT_EQ(record.ctl[1].reserve_lun, 0);
}

}  // namespace
}  // namespace kxtest
