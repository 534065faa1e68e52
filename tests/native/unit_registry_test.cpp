// The unit registry natives against the test double, byte for byte.
#include <cstring>
#include <string>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "tests/double/core_double.h"
#include "tests/double/test_heap.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

constexpr char kUnitParam[] = "korvane/str/diskarray/KXUnitParam";

// A 198-byte unit record laid out by hand.
std::vector<uint8_t> unit_record(const char* name, const char* group,
                                 uint8_t connect, uint8_t kx, uint8_t conf,
                                 uint8_t alert, const char* ctl0,
                                 const char* ctl1) {
  std::vector<uint8_t> bytes(198, 0);
  std::memcpy(&bytes[0], name, std::strlen(name));
  std::memcpy(&bytes[17], group, std::strlen(group));
  bytes[34] = connect;
  bytes[35] = kx;
  bytes[36] = conf;
  bytes[37] = alert;
  std::memcpy(&bytes[38], ctl0, std::strlen(ctl0));
  std::memcpy(&bytes[118], ctl1, std::strlen(ctl1));
  return bytes;
}

std::vector<uint8_t> text_buffer(const std::string& text, size_t size) {
  std::vector<uint8_t> bytes(size, 0);
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), size - 1));
  return bytes;
}

class UnitRegistryTest : public JniTest {
 protected:
  jobject java_unit(const char* name, const char* group, jint connect, jint kx,
                    jint conf, jint alert, const char* ctl0, const char* ctl1) {
    jobject unit = new_object(kUnitParam);
    set_string(unit, "unit_name", name);
    set_string(unit, "group_name", group);
    set_int(unit, "connect_type", connect);
    set_int(unit, "kx_type", kx);
    set_int(unit, "unit_conf", conf);
    set_int(unit, "alert", alert);
    set_string(unit, "ctl0", ctl0);
    set_string(unit, "ctl1", ctl1);
    return unit;
  }
};

TEST_F(UnitRegistryTest, UnitAddRefusesANullRecordAndReportsTheCore) {
  Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitAdd(env, nullptr,
                                                             nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  CoreDouble::set_code(0x1004);
  Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitAdd(
      env, nullptr, java_unit("dup", "", 0, 0, 0, 0, "", ""));
  EXPECT_TRUE(disk_array_exception(0x1004));

  fail_allocation_after(0);
  Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitAdd(
      env, nullptr, java_unit("dup", "", 0, 0, 0, 0, "", ""));
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(CoreDouble::call_count(), 1u);
}

TEST_F(UnitRegistryTest, UnitParamTableBuildsCountRecords) {
  std::vector<uint8_t> table;
  for (const char* name : {"one", "two", "three"}) {
    std::vector<uint8_t> record =
        unit_record(name, "g", 1, 2, 3, 4, "c0", "c1");
    table.insert(table.end(), record.begin(), record.end());
  }
  CoreDouble::set_output(0, table);
  auto units =
      Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
          env, nullptr, 3);
  ASSERT_NE(units, nullptr);
  ASSERT_EQ(env->GetArrayLength(units), 3);
  EXPECT_EQ(get_string(env->GetObjectArrayElement(units, 2), "unit_name"),
            "three");
  EXPECT_EQ(CoreDouble::last_call().ints, std::vector<int32_t>{3});
  // The table the core receives is zero-filled.
  EXPECT_EQ(CoreDouble::last_call().buffers[0],
            std::vector<uint8_t>(3 * 198, 0));

  units = Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
      env, nullptr, 0);
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(env->GetArrayLength(units), 0);
  EXPECT_EQ(CoreDouble::last_call().ints, std::vector<int32_t>{0});
}

TEST_F(UnitRegistryTest, UnitParamTableFailures) {
  EXPECT_EQ(
      Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
          env, nullptr, -1),
      nullptr);
  EXPECT_TRUE(disk_array_exception(2817));
  // More than a station registers, or a count whose table would wrap a
  // 32-bit size: refused before anything is allocated.
  reset_allocation_count();
  for (jint count : {4097, 1062895947}) {
    EXPECT_EQ(
        Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
            env, nullptr, count),
        nullptr);
    EXPECT_TRUE(disk_array_exception(2817));
  }
  EXPECT_EQ(allocations_made(), 0);
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  fail_allocation_after(0);
  EXPECT_EQ(
      Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
          env, nullptr, 2),
      nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  stop_failing_allocations();

  CoreDouble::set_code(0x1001);
  EXPECT_EQ(
      Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
          env, nullptr, 2),
      nullptr);
  EXPECT_TRUE(disk_array_exception(0x1001));
  CoreDouble::set_code(0);

  // The array cannot be made: reported as -1, with the VM's error as cause.
  {
    JniFaults faults({{Slot::kNewObjectArray, ""}});
    EXPECT_EQ(
        Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
            env, nullptr, 2),
        nullptr);
  }
  jthrowable thrown = take_exception();
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(get_int(thrown, "code"), -1);
  EXPECT_EQ(class_name_of(cause_of(thrown)), "java.lang.OutOfMemoryError");

  // An element that cannot be built ends the loop; the rest stay null.
  jobjectArray units;
  {
    JniFaults faults({{Slot::kNewObjectV, "", 1, -1, false}});
    units =
        Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
            env, nullptr, 3);
  }
  ASSERT_NE(units, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_NE(env->GetObjectArrayElement(units, 0), nullptr);
  EXPECT_EQ(env->GetObjectArrayElement(units, 1), nullptr);
  EXPECT_EQ(env->GetObjectArrayElement(units, 2), nullptr);
}

TEST_F(UnitRegistryTest, LabelListTakesTheCountWithinItsCapacity) {
  std::vector<uint8_t> entries(20 * 14, 0);
  for (int i = 0; i < 20; ++i) {
    std::snprintf(reinterpret_cast<char*>(&entries[i * 14]), 7, "old%02d", i);
    std::snprintf(reinterpret_cast<char*>(&entries[i * 14 + 7]), 7, "new%02d",
                  i);
  }
  CoreDouble::set_output(0, entries);
  CoreDouble::set_out_int(2);
  auto labels = Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLabelList(
      env, nullptr);
  ASSERT_NE(labels, nullptr);
  ASSERT_EQ(env->GetArrayLength(labels), 2);
  jobject second = env->GetObjectArrayElement(labels, 1);
  EXPECT_EQ(get_string(second, "oldlabel"), "old01");
  EXPECT_EQ(get_string(second, "newlabel"), "new01");

  CoreDouble::set_out_int(1000);
  labels = Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLabelList(
      env, nullptr);
  ASSERT_NE(labels, nullptr);
  ASSERT_EQ(env->GetArrayLength(labels), 20);
  EXPECT_EQ(get_string(env->GetObjectArrayElement(labels, 19), "newlabel"),
            "new19");

  CoreDouble::set_out_int(-5);
  labels = Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLabelList(
      env, nullptr);
  ASSERT_NE(labels, nullptr);
  EXPECT_EQ(env->GetArrayLength(labels), 0);

  CoreDouble::set_code(0x1001);
  EXPECT_EQ(Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLabelList(
                env, nullptr),
            nullptr);
  EXPECT_TRUE(disk_array_exception(0x1001));
}

TEST_F(UnitRegistryTest, ModifyInfoConvertsBothWays) {
  std::string text(1500, 't');
  CoreDouble::set_output(1, text_buffer("converted", 1024));
  jstring result =
      Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(
          env, nullptr, java_string(text.c_str()), 7);
  ASSERT_NE(result, nullptr);
  const char* chars = env->GetStringUTFChars(result, nullptr);
  EXPECT_STREQ(chars, "converted");
  env->ReleaseStringUTFChars(result, chars);
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.buffers[0], text_buffer(text, 1024));
  EXPECT_EQ(call.ints, std::vector<int32_t>{7});

  // A result with no terminator is cut within its buffer.
  CoreDouble::set_output(1, std::vector<uint8_t>(1024, 'r'));
  result = Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(
      env, nullptr, java_string("x"), 0);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(env->GetStringUTFLength(result), 1023);

  EXPECT_EQ(Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(
                env, nullptr, nullptr, 0),
            nullptr);
  EXPECT_TRUE(disk_array_exception(258));

  CoreDouble::set_code(0x1002);
  EXPECT_EQ(Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(
                env, nullptr, java_string("x"), 99),
            nullptr);
  EXPECT_TRUE(disk_array_exception(0x1002));

  CoreDouble::set_code(0);
  jstring input = java_string("x");
  {
    JniFaults faults({{Slot::kNewStringUTF, ""}});
    EXPECT_EQ(Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(
                  env, nullptr, input, 0),
              nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
}

}  // namespace
}  // namespace kxtest
