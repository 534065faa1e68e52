// The marshalling primitives and the calendar converters.
#include <cstring>
#include <vector>

#include "bridge/errors.h"
#include "bridge/marshal.h"
#include "kx_clock.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

using namespace kx;

constexpr char kSample[] = "korvane/str/diskarray/testing/Sample";

class MarshalTest : public JniTest {
 protected:
  void SetUp() override {
    JniTest::SetUp();
    sample = new_object(kSample);
  }
  jintArray int_array(std::vector<jint> values) {
    jintArray array = env->NewIntArray(static_cast<jsize>(values.size()));
    env->SetIntArrayRegion(array, 0, static_cast<jsize>(values.size()),
                           values.data());
    return array;
  }
  std::vector<jint> ints_of(jobject array) {
    auto ints = static_cast<jintArray>(array);
    std::vector<jint> values(env->GetArrayLength(ints));
    env->GetIntArrayRegion(ints, 0, static_cast<jsize>(values.size()),
                           values.data());
    return values;
  }
  jobject sample = nullptr;
};

TEST_F(MarshalTest, TextFieldsAreCutToTheirBuffer) {
  char buffer[17];
  set_string(sample, "label", "ABCDEFGHIJKLMNOPQRST");
  std::memset(buffer, 0xEE, sizeof(buffer));
  EXPECT_EQ(get_string_field(env, sample, "label", buffer, 17), 0);
  EXPECT_EQ(std::string(buffer, 17), std::string("ABCDEFGHIJKLMNOP\0", 17));

  set_string(sample, "label", "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(get_string_field(env, sample, "label", buffer, 17), 0);
  EXPECT_EQ(std::string(buffer, 17), std::string("ABCDEFGHIJKLMNOP\0", 17));

  set_string(sample, "label", "");
  EXPECT_EQ(get_string_field(env, sample, "label", buffer, 17), 0);
  EXPECT_EQ(std::string(buffer, 17), std::string(17, '\0'));

  // A null string fails and leaves the buffer as it was.
  set_string(sample, "label", nullptr);
  std::memset(buffer, 0xEE, sizeof(buffer));
  EXPECT_EQ(get_string_field(env, sample, "label", buffer, 17), ERR_MARSHAL);
  EXPECT_EQ(static_cast<uint8_t>(buffer[0]), 0xEE);
  EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(MarshalTest, IntFieldsReadAndMissingFieldsFail) {
  set_int(sample, "number", -123456);
  EXPECT_EQ(get_int_field(env, sample, "number"), -123456);
  EXPECT_EQ(get_int_field(env, sample, "no_such_field"), -1);
  EXPECT_TRUE(exception_of("java.lang.NoSuchFieldError"));

  EXPECT_EQ(set_int_field(env, sample, "small", 77), 0);
  EXPECT_EQ(get_int(sample, "small"), 77);
  EXPECT_EQ(set_int_field(env, sample, "no_such_field", 1), ERR_MARSHAL);
  EXPECT_TRUE(exception_of("java.lang.NoSuchFieldError"));
}

TEST_F(MarshalTest, NothingRunsWhileAnExceptionIsPending) {
  env->ThrowNew(env->FindClass("java/lang/IllegalStateException"), "pending");
  char buffer[8] = {};
  EXPECT_EQ(set_int_field(env, sample, "number", 5), ERR_MARSHAL);
  EXPECT_EQ(set_string_field(env, sample, "label", "x"), ERR_MARSHAL);
  EXPECT_EQ(get_int_field(env, sample, "number"), -1);
  EXPECT_EQ(get_string_field(env, sample, "label", buffer, 8), ERR_MARSHAL);
  EXPECT_EQ(new_record(env, kSample), nullptr);
  EXPECT_EQ(new_int_array_from_bytes(env, reinterpret_cast<const uint8_t*>("a"), 1),
            nullptr);
  // The exception is the one first thrown, untouched.
  EXPECT_TRUE(exception_of("java.lang.IllegalStateException"));
  EXPECT_EQ(get_int(sample, "number"), 0);
}

TEST_F(MarshalTest, BytesFromIntArrays) {
  uint8_t target[4];
  std::memset(target, 0xEE, sizeof(target));
  env->SetObjectField(sample, env->GetFieldID(env->GetObjectClass(sample), "levels", "[I"),
                      int_array({}));
  EXPECT_EQ(get_bytes_from_int_array_field(env, sample, "levels", target, 4), 0);
  EXPECT_EQ(target[0], 0);
  EXPECT_EQ(target[1], 0xEE);

  env->SetObjectField(sample, env->GetFieldID(env->GetObjectClass(sample), "levels", "[I"),
                      int_array({300, -1}));
  EXPECT_EQ(get_bytes_from_int_array_field(env, sample, "levels", target, 4), 0);
  EXPECT_EQ(target[0], 0x2C);
  EXPECT_EQ(target[1], 0xFF);

  // Longer than the record's room: cut to it.
  env->SetObjectField(sample, env->GetFieldID(env->GetObjectClass(sample), "levels", "[I"),
                      int_array({1, 2, 3, 4, 5, 6}));
  uint8_t guarded[6] = {0, 0, 0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_EQ(get_bytes_from_int_array_field(env, sample, "levels", guarded, 2), 0);
  EXPECT_EQ(guarded[1], 2);
  EXPECT_EQ(guarded[2], 0xEE);

  env->SetObjectField(sample, env->GetFieldID(env->GetObjectClass(sample), "levels", "[I"),
                      nullptr);
  EXPECT_EQ(get_bytes_from_int_array_field(env, sample, "levels", target, 4),
            ERR_MARSHAL);
}

TEST_F(MarshalTest, IntArraysFromBytesAreSignExtended) {
  const uint8_t bytes[] = {0x7F, 0x80, 0xFF, 0x00};
  jintArray array = new_int_array_from_bytes(env, bytes, 4);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(ints_of(array), (std::vector<jint>{127, -128, -1, 0}));
}

TEST_F(MarshalTest, IntArrayFromBytesFailsCleanly) {
  const uint8_t bytes[] = {1, 2};
  {
    JniFaults faults({{Slot::kNewIntArray, ""}});
    EXPECT_EQ(new_int_array_from_bytes(env, bytes, 2), nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  {
    JniFaults faults({{Slot::kGetIntArrayElements, ""}});
    EXPECT_EQ(new_int_array_from_bytes(env, bytes, 2), nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
}

TEST_F(MarshalTest, IntArraysBothWays) {
  const int32_t source[3] = {5, -6, 7};
  EXPECT_EQ(set_int_array_field(env, sample, "counters", source, 3), 0);
  EXPECT_EQ(ints_of(get_object(sample, "counters", "[I")),
            (std::vector<jint>{5, -6, 7}));
  int32_t target[3] = {};
  EXPECT_EQ(get_int_array_field(env, sample, "counters", target, 3), 0);
  EXPECT_EQ(target[1], -6);
  // Shorter than the record needs: the copy fails.
  int32_t four[4];
  EXPECT_EQ(get_int_array_field(env, sample, "counters", four, 4), ERR_MARSHAL);
  EXPECT_TRUE(exception_of("java.lang.ArrayIndexOutOfBoundsException"));
}

TEST_F(MarshalTest, StringArraysHaveTheStrideAsLength) {
  char texts[2][100] = {"first", "second"};
  EXPECT_EQ(set_string_array_field(env, sample, "names", &texts[0][0], 2, 100), 0);
  auto names = static_cast<jobjectArray>(
      get_object(sample, "names", "[Ljava/lang/String;"));
  ASSERT_EQ(env->GetArrayLength(names), 100);
  EXPECT_NE(env->GetObjectArrayElement(names, 1), nullptr);
  for (jsize i = 2; i < 100; ++i) {
    jobject element = env->GetObjectArrayElement(names, i);
    ASSERT_EQ(element, nullptr) << i;
  }

  char back[3][8];
  std::memset(back, 0xEE, sizeof(back));
  // 100 strings come back, but only the room of three is written.
  env->SetObjectArrayElement(names, 2, java_string("third"));
  env->SetObjectArrayElement(names, 3, java_string("fourth"));
  EXPECT_EQ(get_string_array_field(env, sample, "names", &back[0][0], 8, 3), 0);
  EXPECT_STREQ(back[0], "first");
  EXPECT_STREQ(back[2], "third");

  // A null element stops the copy after the earlier ones.
  env->SetObjectArrayElement(names, 1, nullptr);
  std::memset(back, 0xEE, sizeof(back));
  EXPECT_EQ(get_string_array_field(env, sample, "names", &back[0][0], 8, 3),
            ERR_MARSHAL);
  EXPECT_STREQ(back[0], "first");
  EXPECT_EQ(static_cast<uint8_t>(back[1][0]), 0xEE);
}

TEST_F(MarshalTest, ByteArraysUseThePreallocatedArray) {
  const uint8_t source[8] = {1, 2, 3, 0x80, 0xFF, 6, 7, 8};
  EXPECT_EQ(set_byte_array_region(env, sample, "raw", source, 8), 0);
  uint8_t back[8] = {};
  EXPECT_EQ(get_byte_array_field(env, sample, "raw", back, 8), 0);
  EXPECT_EQ(std::memcmp(source, back, 8), 0);
  // The preallocated array is 8 bytes: more does not fit either way.
  uint8_t nine[9] = {};
  EXPECT_EQ(set_byte_array_region(env, sample, "raw", nine, 9), ERR_MARSHAL);
  EXPECT_TRUE(exception_of("java.lang.ArrayIndexOutOfBoundsException"));
  EXPECT_EQ(get_byte_array_field(env, sample, "raw", nine, 9), ERR_MARSHAL);
  EXPECT_TRUE(exception_of("java.lang.ArrayIndexOutOfBoundsException"));
}

TEST_F(MarshalTest, IntMatrixRowsAreCheckedOneByOne) {
  jclass int_array_class = env->FindClass("[I");
  jobjectArray grid = env->NewObjectArray(2, int_array_class, nullptr);
  env->SetObjectArrayElement(grid, 0, int_array({1, 2, 3}));
  env->SetObjectArrayElement(grid, 1, int_array({4, 5, 6}));
  env->SetObjectField(sample, env->GetFieldID(env->GetObjectClass(sample), "grid", "[[I"),
                      grid);
  int32_t target[3][3];
  std::memset(target, 0x7F, sizeof(target));
  EXPECT_EQ(get_int_matrix_field(env, sample, "grid", &target[0][0], 2, 3), 0);
  EXPECT_EQ(target[1][2], 6);
  // More rows than the Java matrix has: refused before any row is read.
  EXPECT_EQ(get_int_matrix_field(env, sample, "grid", &target[0][0], 3, 3),
            ERR_MARSHAL);
  EXPECT_FALSE(env->ExceptionCheck());
  // A null row fails after the earlier rows were copied.
  env->SetObjectArrayElement(grid, 1, nullptr);
  std::memset(target, 0, sizeof(target));
  EXPECT_EQ(get_int_matrix_field(env, sample, "grid", &target[0][0], 2, 3),
            ERR_MARSHAL);
  EXPECT_EQ(target[0][2], 3);
}

TEST_F(MarshalTest, CalendarsBothWays) {
  jclass cls = env->FindClass("java/util/GregorianCalendar");
  jobject calendar = env->NewObject(cls, env->GetMethodID(cls, "<init>", "(IIIIII)V"),
                                    2024, 11, 31, 23, 59, 58);
  BrokenDownTime time;
  std::memset(&time, 0x7F, sizeof(time));
  ASSERT_EQ(read_calendar(env, calendar, &time), 0);
  EXPECT_EQ(time.tm_year, 2024);
  EXPECT_EQ(time.tm_mon, 11);
  EXPECT_EQ(time.tm_mday, 31);
  EXPECT_EQ(time.tm_hour, 23);
  EXPECT_EQ(time.tm_min, 59);
  EXPECT_EQ(time.tm_sec, 58);
  EXPECT_EQ(time.tm_wday, 0);
  EXPECT_EQ(time.tm_yday, 0);
  EXPECT_EQ(time.tm_isdst, 0);

  time.tm_year = 124;
  jobject rebuilt = new_calendar(env, &time);
  ASSERT_NE(rebuilt, nullptr);
  // A year near the int limit is no reason for undefined behaviour.
  BrokenDownTime far = time;
  far.tm_year = 2147483647;
  jobject wrapped = new_calendar(env, &far);
  ASSERT_NE(wrapped, nullptr);
  jmethodID equals = env->GetMethodID(cls, "equals", "(Ljava/lang/Object;)Z");
  jboolean same = env->CallBooleanMethod(rebuilt, equals, calendar);
  ASSERT_FALSE(env->ExceptionCheck());
  EXPECT_TRUE(same);
}

TEST_F(MarshalTest, UnreadableCalendarLeavesTheTimeZero) {
  jclass cls = env->FindClass("java/util/GregorianCalendar");
  jobject calendar = env->NewObject(cls, env->GetMethodID(cls, "<init>", "()V"));
  BrokenDownTime time;
  std::memset(&time, 0x7F, sizeof(time));
  {
    JniFaults faults({{Slot::kGetStaticFieldID, "SECOND"}});
    EXPECT_EQ(read_calendar(env, calendar, &time), ERR_MARSHAL);
  }
  EXPECT_TRUE(exception_of("java.lang.NoSuchFieldError"));
  BrokenDownTime zero{};
  EXPECT_EQ(std::memcmp(&time, &zero, sizeof(time)), 0);
  {
    JniFaults faults({{Slot::kFindClass, "java/util/GregorianCalendar"}});
    EXPECT_EQ(new_calendar(env, &zero), nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.ClassNotFoundException"));
}

}  // namespace
}  // namespace kxtest
