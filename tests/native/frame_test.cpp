// The composed native frame, run with core calls written in the test.
#include <cstring>
#include <string>

#include "bridge/native.h"
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
  jobject unit = native(
      env,
      [&](const char* name, KXUnitParamRecord* record) {
        ++calls;
        unit_seen = name;
        std::strcpy(record->unit_name, "filled");
        record->alert = -3;
        return 0;
      },
      unit_name_arg(java_string("unit-a")),
      record_out<KXUnitParamRecord>(kUnitParamType));
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(unit_seen, "unit-a");
  EXPECT_EQ(get_string(unit, "unit_name"), "filled");
  EXPECT_EQ(get_int(unit, "alert"), -3);
  EXPECT_EQ(get_string(unit, "ctl1"), "");
}

TEST_F(FrameTest, RecordReadFailures) {
  auto read = [&](jstring name, int32_t code) {
    return native(
        env,
        [&](const char*, KXUnitParamRecord*) {
          ++calls;
          return code;
        },
        unit_name_arg(name), record_out<KXUnitParamRecord>(kUnitParamType));
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
    unit = native(
        env, [](const char*, KXUnitParamRecord*) { return 0; },
        unit_name_arg(java_string("u")),
        record_out<KXUnitParamRecord>(kUnitParamType));
  }
  EXPECT_EQ(unit, nullptr);
  jthrowable thrown = take_exception();
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(get_int(thrown, "code"), 2817);
  EXPECT_EQ(message_of(cause_of(thrown)),
            "java.lang.NoSuchFieldError: kx_type");
}

TEST_F(FrameTest, TrailingTextFailureIsNotHandedOut) {
  // ctl1 is the record's last field: the builder returns the object, but the
  // frame sees the exception the failed text left.
  jobject unit;
  {
    JniFaults faults({{Slot::kGetFieldID, "ctl1"}});
    unit = native(
        env, [](const char*, KXUnitParamRecord*) { return 0; },
        unit_name_arg(java_string("u")),
        record_out<KXUnitParamRecord>(kUnitParamType));
  }
  EXPECT_EQ(unit, nullptr);
  EXPECT_TRUE(disk_array_exception(2817));
}

TEST_F(FrameTest, RecordWriteStoresWhatWasSentOrNothing) {
  auto write = [&](jstring name, jobject unit) {
    native(
        env,
        [&](const char*, const KXUnitParamRecord* record) {
          ++calls;
          unit_seen.assign(reinterpret_cast<const char*>(record),
                           sizeof(*record));
          return 0;
        },
        unit_name_arg(name),
        record_in<KXUnitParamRecord>(unit, kUnitParamType));
  };
  // A null text is an empty text, and the fields after it still arrive.
  jobject unit = new_object("korvane/str/diskarray/KXUnitParam");
  set_string(unit, "unit_name", "name");
  set_string(unit, "group_name", nullptr);
  set_string(unit, "ctl0", "c0");
  set_string(unit, "ctl1", "c1");
  set_int(unit, "alert", 9);
  write(java_string("u"), unit);
  EXPECT_FALSE(env->ExceptionCheck());
  ASSERT_EQ(calls, 1);
  KXUnitParamRecord seen;
  std::memcpy(&seen, unit_seen.data(), sizeof(seen));
  EXPECT_STREQ(seen.unit_name, "name");
  EXPECT_STREQ(seen.group_name, "");
  EXPECT_EQ(seen.alert, 9);
  EXPECT_STREQ(seen.ctl1, "c1");

  // Any other field the reader cannot read refuses the write before the
  // core is called, with the reader's exception as the cause.
  {
    JniFaults faults({{Slot::kGetFieldID, "alert"}});
    write(java_string("u"), unit);
  }
  jthrowable thrown = take_exception();
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(get_int(thrown, "code"), 2817);
  EXPECT_EQ(message_of(cause_of(thrown)), "java.lang.NoSuchFieldError: alert");

  write(java_string("u"), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  write(nullptr, unit);
  EXPECT_TRUE(disk_array_exception(258));
  fail_allocation_after(0);
  write(java_string("u"), unit);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  stop_failing_allocations();
  EXPECT_EQ(calls, 1);
}

TEST_F(FrameTest, ActionsAndIntResults) {
  native(
      env,
      [&](const char* unit) {
        unit_seen = unit;
        return 0;
      },
      unit_name_arg(java_string("u")));
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(unit_seen, "u");
  native(
      env, [](const char*) { return 4100; }, unit_name_arg(java_string("u")));
  EXPECT_TRUE(disk_array_exception(4100));
  native(
      env, [&](const char*) { return ++calls; }, unit_name_arg(nullptr));
  EXPECT_TRUE(disk_array_exception(258));
  native(env, [] { return 7; });
  EXPECT_TRUE(disk_array_exception(7));
  native(env, [] { return 256; });
  EXPECT_FALSE(env->ExceptionCheck());

  auto answer = [](int32_t code) {
    return [code](const char*, int32_t* value) {
      *value = 42;
      return code;
    };
  };
  EXPECT_EQ(native(env, answer(0), unit_name_arg(java_string("u")), int_out()),
            42);
  EXPECT_EQ(native(env, answer(5), unit_name_arg(java_string("u")), int_out()),
            0);
  EXPECT_TRUE(disk_array_exception(5));
  EXPECT_EQ(
      native(env, answer(5), unit_name_arg(java_string("u")), int_out(-1)), -1);
  EXPECT_TRUE(disk_array_exception(5));
  EXPECT_EQ(native(
                env, [&](const char*, int32_t*) { return ++calls; },
                unit_name_arg(nullptr), int_out()),
            0);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(calls, 0);
}

TEST_F(FrameTest, TextsAreCutToWholeCharacters) {
  std::string name(1100, 'n');
  native(
      env,
      [&](const char* unit) {
        unit_seen = unit;
        return 0;
      },
      long_text_arg(java_string(name.c_str())));
  EXPECT_EQ(unit_seen.size(), 1023u);
  // Five euro signs are 15 bytes: the sixteenth byte would start a sixth.
  native(
      env,
      [&](const char* unit) {
        unit_seen = unit;
        return 0;
      },
      unit_name_arg(java_string("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82"
                                "\xAC\xE2\x82\xAC\xE2\x82\xAC")));
  EXPECT_EQ(unit_seen,
            "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC");
}

TEST_F(FrameTest, ResultTextsAreValidModifiedUtf8) {
  jstring text = native(
      env,
      [](char* out) {
        std::memcpy(out, "a\xFF\xF0\x9F\x98\x80", 6);
        return 0;
      },
      text_out<8>());
  ASSERT_NE(text, nullptr);
  const jchar* chars = env->GetStringChars(text, nullptr);
  std::u16string value(reinterpret_cast<const char16_t*>(chars),
                       static_cast<size_t>(env->GetStringLength(text)));
  env->ReleaseStringChars(text, chars);
  EXPECT_EQ(value, u"a\uFFFD\U0001F600");
}

TEST_F(FrameTest, RecordArrayStopsAtTheFirstFailedElement) {
  auto fill = [](const char*, KXUnitParamRecord* table) {
    for (int i = 0; i < 45; ++i)
      std::snprintf(table[i].unit_name, 17, "u%d", i);
    return 0;
  };
  // Forty-five elements within the sixteen references of a native method.
  env->PushLocalFrame(16);
  jobjectArray units =
      native(env, fill, unit_name_arg(java_string("u")),
             record_table<KXUnitParamRecord, 45>(kUnitParamType));
  units = static_cast<jobjectArray>(env->PopLocalFrame(units));
  ASSERT_NE(units, nullptr);
  ASSERT_EQ(env->GetArrayLength(units), 45);
  EXPECT_EQ(get_string(env->GetObjectArrayElement(units, 44), "unit_name"),
            "u44");

  {
    JniFaults faults({{Slot::kNewObjectV, "", 3, -1, false}});
    units = native(env, fill, unit_name_arg(java_string("u")),
                   record_table<KXUnitParamRecord, 45>(kUnitParamType));
  }
  ASSERT_NE(units, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(get_string(env->GetObjectArrayElement(units, 2), "unit_name"),
            "u2");
  EXPECT_EQ(env->GetObjectArrayElement(units, 3), nullptr);
  EXPECT_EQ(env->GetObjectArrayElement(units, 44), nullptr);
}

TEST_F(FrameTest, RecordArrayFailures) {
  auto ok = [&](const char*, KXUnitParamRecord*) {
    ++calls;
    return 0;
  };
  fail_allocation_after(0);
  EXPECT_EQ(native(env, ok, unit_name_arg(java_string("u")),
                   record_table<KXUnitParamRecord, 45>(kUnitParamType)),
            nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  stop_failing_allocations();
  EXPECT_EQ(calls, 0);

  // The array cannot be made: the VM's exception stands, nothing is added.
  {
    JniFaults faults({{Slot::kNewObjectArray, ""}});
    EXPECT_EQ(native(env, ok, unit_name_arg(java_string("u")),
                     record_table<KXUnitParamRecord, 45>(kUnitParamType)),
              nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(native(
                env, [](const char*, KXUnitParamRecord*) { return 4101; },
                unit_name_arg(java_string("u")),
                record_table<KXUnitParamRecord, 45>(kUnitParamType)),
            nullptr);
  EXPECT_TRUE(disk_array_exception(4101));
}

}  // namespace
}  // namespace kxtest
