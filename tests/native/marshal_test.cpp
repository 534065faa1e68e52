// The marshalling primitives and the calendar converters.
#include <cstring>

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
  jobject sample = nullptr;
};

TEST_F(MarshalTest, FieldsAreSetByNameAndMissingFieldsFail) {
  EXPECT_EQ(set_int_field(env, sample, "small", 77), 0);
  EXPECT_EQ(get_int(sample, "small"), 77);
  EXPECT_EQ(set_int_field(env, sample, "no_such_field", 1), ERR_MARSHAL);
  EXPECT_TRUE(exception_of("java.lang.NoSuchFieldError"));

  // Text from the core becomes valid modified UTF-8 on its way in.
  EXPECT_EQ(set_string_field(env, sample, "label", "a\xFF"), 0);
  EXPECT_EQ(get_string(sample, "label"), "a\xEF\xBF\xBD");
  EXPECT_EQ(set_string_field(env, sample, "no_such_field", "x"), ERR_MARSHAL);
  EXPECT_TRUE(exception_of("java.lang.NoSuchFieldError"));
}

TEST_F(MarshalTest, NothingRunsWhileAnExceptionIsPending) {
  env->ThrowNew(env->FindClass("java/lang/IllegalStateException"), "pending");
  EXPECT_EQ(set_int_field(env, sample, "number", 5), ERR_MARSHAL);
  EXPECT_EQ(set_string_field(env, sample, "label", "x"), ERR_MARSHAL);
  EXPECT_EQ(get_object_field(env, sample, "label", "Ljava/lang/String;"), nullptr);
  EXPECT_EQ(new_record(env, kSample), nullptr);
  // The exception is the one first thrown, untouched.
  EXPECT_TRUE(exception_of("java.lang.IllegalStateException"));
  EXPECT_EQ(get_int(sample, "number"), 0);
  EXPECT_EQ(get_string(sample, "label"), "<null>");
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
