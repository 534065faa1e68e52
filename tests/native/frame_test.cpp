// The frame variants, run with core calls written in the test.
#include <cstring>
#include <string>

#include "bridge/frame.h"
#include "tests/double/test_heap.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"
#include "units/unit_records.h"

namespace kxtest {
namespace {

using namespace kx;

class FrameTest : public JniTest {
 protected:
  int calls = 0;
  std::string unit_seen;
};

TEST_F(FrameTest, RecordReadBuildsWhatTheCoreFilled) {
  jobject unit = record_read<KXUnitParamRecord>(
      env, java_string("unit-a"), kUnitParamType,
      [&](const char* name, KXUnitParamRecord* record) {
        ++calls;
        unit_seen = name;
        std::strcpy(record->unit_name, "filled");
        record->alert = -3;
        return 0;
      });
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(unit_seen, "unit-a");
  EXPECT_EQ(get_string(unit, "unit_name"), "filled");
  EXPECT_EQ(get_int(unit, "alert"), -3);
  EXPECT_EQ(get_string(unit, "ctl1"), "");
}

TEST_F(FrameTest, RecordReadFailures) {
  auto read = [&](jstring name, int32_t code) {
    return record_read<KXUnitParamRecord>(
        env, name, kUnitParamType, [&](const char*, KXUnitParamRecord*) {
          ++calls;
          return code;
        });
  };
  EXPECT_EQ(read(nullptr, 0), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(calls, 0);

  fail_allocation_after(0);
  EXPECT_EQ(read(java_string("u"), 0), nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(calls, 0);
  stop_failing_allocations();

  EXPECT_EQ(read(java_string("u"), 4099), nullptr);
  EXPECT_TRUE(disk_array_exception(4099));
  EXPECT_EQ(read(java_string("u"), 256), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(read(java_string("u"), 65535), nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(calls, 3);
}

TEST_F(FrameTest, BuilderFailureIsAMarshalErrorWithItsCause) {
  jobject unit;
  {
    JniFaults faults({{Slot::kGetFieldID, "kx_type"}});
    unit = record_read<KXUnitParamRecord>(
        env, java_string("u"), kUnitParamType,
        [](const char*, KXUnitParamRecord*) { return 0; });
  }
  EXPECT_EQ(unit, nullptr);
  jthrowable thrown = take_exception();
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(get_int(thrown, "code"), 2817);
  EXPECT_EQ(message_of(cause_of(thrown)), "java.lang.NoSuchFieldError: kx_type");
}

TEST_F(FrameTest, TrailingTextFailureIsNotHandedOut) {
  // ctl1 is the record's last field: the builder returns the object, but the
  // frame sees the exception the failed text left.
  jobject unit;
  {
    JniFaults faults({{Slot::kGetFieldID, "ctl1"}});
    unit = record_read<KXUnitParamRecord>(
        env, java_string("u"), kUnitParamType,
        [](const char*, KXUnitParamRecord*) { return 0; });
  }
  EXPECT_EQ(unit, nullptr);
  EXPECT_TRUE(disk_array_exception(2817));
}

TEST_F(FrameTest, RecordWriteZeroFillsWhatTheReaderCouldNotRead) {
  jobject unit = new_object("korvane/str/diskarray/KXUnitParam");
  set_string(unit, "unit_name", "name");
  set_string(unit, "group_name", nullptr);  // the reader stops here
  set_int(unit, "alert", 9);
  std::string seen;
  record_write<KXUnitParamRecord>(
      env, java_string("u"), unit, kUnitParamType,
      [&](const char*, KXUnitParamRecord* record) {
        ++calls;
        seen.assign(reinterpret_cast<const char*>(record), sizeof(*record));
        return 0;
      });
  EXPECT_FALSE(env->ExceptionCheck());
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(seen, std::string("name", 4) + std::string(194, '\0'));
}

TEST_F(FrameTest, RecordWriteRefusesANullRecord) {
  auto call = [&](const char*, KXUnitParamRecord*) {
    ++calls;
    return 0;
  };
  record_write<KXUnitParamRecord>(env, java_string("u"), nullptr,
                                  kUnitParamType, call);
  EXPECT_TRUE(disk_array_exception(258));
  record_write<KXUnitParamRecord>(env, nullptr, new_object("korvane/str/diskarray/KXUnitParam"),
                                  kUnitParamType, call);
  EXPECT_TRUE(disk_array_exception(258));
  fail_allocation_after(0);
  record_write<KXUnitParamRecord>(env, java_string("u"),
                                  new_object("korvane/str/diskarray/KXUnitParam"),
                                  kUnitParamType, call);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(calls, 0);
}

TEST_F(FrameTest, RecordWriteReportsAReaderExceptionAfterTheCall) {
  jobject unit = new_object("korvane/str/diskarray/KXUnitParam");
  set_string(unit, "unit_name", "u");
  set_string(unit, "group_name", "g");
  {
    JniFaults faults({{Slot::kGetFieldID, "alert"}});
    record_write_no_unit<KXUnitParamRecord>(env, unit, kUnitParamType,
                                            [&](KXUnitParamRecord*) {
                                              ++calls;
                                              return 0;
                                            });
  }
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(disk_array_exception(2817));
}

TEST_F(FrameTest, ActionsAndIntResults) {
  action(env, java_string("u"), [&](const char* unit) {
    unit_seen = unit;
    return 0;
  });
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(unit_seen, "u");
  action(env, java_string("u"), [](const char*) { return 4100; });
  EXPECT_TRUE(disk_array_exception(4100));
  action(env, nullptr, [&](const char*) { return ++calls; });
  EXPECT_TRUE(disk_array_exception(258));
  action_no_unit(env, [] { return 7; });
  EXPECT_TRUE(disk_array_exception(7));
  action_no_unit(env, [] { return 256; });
  EXPECT_FALSE(env->ExceptionCheck());

  EXPECT_EQ(int_result(env, java_string("u"),
                       [](const char*, int32_t* value) {
                         *value = 42;
                         return 0;
                       }),
            42);
  EXPECT_EQ(int_result(env, java_string("u"),
                       [](const char*, int32_t* value) {
                         *value = 42;
                         return 5;
                       }),
            0);
  EXPECT_TRUE(disk_array_exception(5));
  EXPECT_EQ(int_result(env, nullptr, [&](const char*, int32_t*) { return ++calls; }), 0);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(calls, 0);
}

TEST_F(FrameTest, LongUnitNamesUseTheLongBuffer) {
  std::string name(1100, 'n');
  action<kLongNameSize>(env, java_string(name.c_str()), [&](const char* unit) {
    unit_seen = unit;
    return 0;
  });
  EXPECT_EQ(unit_seen.size(), 1023u);
}

TEST_F(FrameTest, RecordArrayStopsAtTheFirstFailedElement) {
  auto fill = [](const char*, KXUnitParamRecord* table) {
    for (int i = 0; i < 45; ++i) std::snprintf(table[i].unit_name, 17, "u%d", i);
    return 0;
  };
  // Forty-five elements within the sixteen references of a native method.
  env->PushLocalFrame(16);
  jobjectArray units = record_array<KXUnitParamRecord>(
      env, java_string("u"), kUnitParamType, 45, fill);
  units = static_cast<jobjectArray>(env->PopLocalFrame(units));
  ASSERT_NE(units, nullptr);
  ASSERT_EQ(env->GetArrayLength(units), 45);
  EXPECT_EQ(get_string(env->GetObjectArrayElement(units, 44), "unit_name"), "u44");

  {
    JniFaults faults({{Slot::kNewObjectV, "", 3, -1, false}});
    units = record_array<KXUnitParamRecord>(env, java_string("u"),
                                            kUnitParamType, 45, fill);
  }
  ASSERT_NE(units, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(get_string(env->GetObjectArrayElement(units, 2), "unit_name"), "u2");
  EXPECT_EQ(env->GetObjectArrayElement(units, 3), nullptr);
  EXPECT_EQ(env->GetObjectArrayElement(units, 44), nullptr);
}

TEST_F(FrameTest, RecordArrayFailures) {
  auto ok = [&](const char*, KXUnitParamRecord*) {
    ++calls;
    return 0;
  };
  fail_allocation_after(0);
  EXPECT_EQ(record_array<KXUnitParamRecord>(env, java_string("u"),
                                            kUnitParamType, 45, ok),
            nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  stop_failing_allocations();
  EXPECT_EQ(calls, 0);

  // The array cannot be made: the VM's exception stands, nothing is added.
  {
    JniFaults faults({{Slot::kNewObjectArray, ""}});
    EXPECT_EQ(record_array<KXUnitParamRecord>(env, java_string("u"),
                                              kUnitParamType, 45, ok),
              nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(record_array<KXUnitParamRecord>(
                env, java_string("u"), kUnitParamType, 45,
                [](const char*, KXUnitParamRecord*) { return 4101; }),
            nullptr);
  EXPECT_TRUE(disk_array_exception(4101));
}

}  // namespace
}  // namespace kxtest
