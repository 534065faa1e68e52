// raise_error, find_class and get_unit_name.
#include <cstring>
#include <string>

#include "bridge/errors.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

using kx::raise_error;

class RaiseErrorTest : public JniTest {};

TEST_F(RaiseErrorTest, SuccessAndSilentCodesRaiseNothing) {
  raise_error(env, 0);
  EXPECT_FALSE(env->ExceptionCheck());
  raise_error(env, 256);
  EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(RaiseErrorTest, CodesBecomeDiskArrayExceptions) {
  for (jint code : {258, 2817, 4099, -1, 1, 65534, 65536}) {
    raise_error(env, code);
    EXPECT_TRUE(disk_array_exception(code)) << "code " << code;
  }
}

TEST_F(RaiseErrorTest, ExhaustedHeapIsOutOfMemoryWithEmptyMessage) {
  raise_error(env, 65535);
  jthrowable thrown = env->ExceptionOccurred();
  ASSERT_NE(thrown, nullptr);
  env->ExceptionClear();
  EXPECT_EQ(class_name_of(thrown), "java.lang.OutOfMemoryError");
  EXPECT_EQ(message_of(thrown), "java.lang.OutOfMemoryError: ");
}

TEST_F(RaiseErrorTest, PendingExceptionBecomesTheCause) {
  jclass state = env->FindClass("java/lang/IllegalStateException");
  env->ThrowNew(state, "left by a failed step");
  raise_error(env, 2817);
  jthrowable thrown = take_exception();
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(class_name_of(thrown), "korvane.str.diskarray.DiskArrayException");
  EXPECT_EQ(get_int(thrown, "code"), 2817);
  jthrowable cause = cause_of(thrown);
  ASSERT_NE(cause, nullptr);
  EXPECT_EQ(message_of(cause),
            "java.lang.IllegalStateException: left by a failed step");

  env->ThrowNew(state, "again");
  raise_error(env, 65535);
  thrown = take_exception();
  EXPECT_EQ(class_name_of(thrown), "java.lang.OutOfMemoryError");
  EXPECT_EQ(message_of(cause_of(thrown)), "java.lang.IllegalStateException: again");
}

TEST_F(RaiseErrorTest, SilentCodeLeavesAPendingExceptionAlone) {
  jclass state = env->FindClass("java/lang/IllegalStateException");
  env->ThrowNew(state, "stands");
  raise_error(env, 256);
  EXPECT_TRUE(exception_of("java.lang.IllegalStateException"));
}

TEST_F(RaiseErrorTest, MissingExceptionClassIsReportedByName) {
  {
    JniFaults faults({{Slot::kFindClass, kx::kExceptionClass}});
    raise_error(env, 4099);
  }
  jthrowable thrown = take_exception();
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(message_of(thrown),
            "java.lang.ClassNotFoundException: "
            "korvane/str/diskarray/DiskArrayException");
}

TEST_F(RaiseErrorTest, MissingConstructorOrFailedAllocationLeavesTheVmError) {
  {
    JniFaults faults({{Slot::kGetMethodID, "<init>"}});
    raise_error(env, 4099);
  }
  EXPECT_TRUE(exception_of("java.lang.NoSuchMethodError"));
  {
    JniFaults faults({{Slot::kNewObjectV, ""}});
    raise_error(env, 4099);
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
}

TEST_F(RaiseErrorTest, FindClassStopsAtClassNotFoundItself) {
  JniFaults faults({{Slot::kFindClass, "", 0, -1, false}});
  EXPECT_EQ(kx::find_class(env, "java/lang/ClassNotFoundException"), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  // Neither the class nor its fallback can be found: nothing is thrown
  // twice and the call returns.
  EXPECT_EQ(kx::find_class(env, "korvane/str/diskarray/Missing"), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
}

class UnitNameTest : public JniTest {
 protected:
  // Converts `text` into a 17-byte buffer prefilled with 0xEE.
  std::string convert(const char* text, int32_t* status) {
    std::memset(buffer, 0xEE, sizeof(buffer));
    *status = kx::get_unit_name(env, java_string(text), buffer, sizeof(buffer));
    return std::string(buffer, sizeof(buffer));
  }
  char buffer[17];
};

TEST_F(UnitNameTest, CutsToSixteenBytesAndZeroFills) {
  int32_t status = -1;
  EXPECT_EQ(convert("ABCDEFGHIJKLMNOP", &status),
            std::string("ABCDEFGHIJKLMNOP\0", 17));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(convert("ABCDEFGHIJKLMNOPQ", &status),
            std::string("ABCDEFGHIJKLMNOP\0", 17));
  EXPECT_EQ(convert("ABCDEFGHIJKLMNOPQRST", &status),
            std::string("ABCDEFGHIJKLMNOP\0", 17));
  EXPECT_EQ(convert("unit1", &status), std::string("unit1", 5) + std::string(12, '\0'));
}

TEST_F(UnitNameTest, CutsAtTheLastWholeCharacter) {
  int32_t status = -1;
  // Fifteen ASCII bytes and a two-byte character: only its first byte would
  // fit, so the character is left out whole.
  std::string result = convert("ABCDEFGHIJKLMNO\xC3\xA9", &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(result, std::string("ABCDEFGHIJKLMNO\0\0", 17));
  EXPECT_EQ(convert("ABCDEFGHIJKLMN\xC3\xA9", &status),
            std::string("ABCDEFGHIJKLMN\xC3\xA9\0", 17));
}

TEST_F(UnitNameTest, EmptyNameIsAnEmptyBufferAndAFailureStatus) {
  int32_t status = 0;
  EXPECT_EQ(convert("", &status), std::string(17, '\0'));
  EXPECT_EQ(status, kx::ERR_MARSHAL);
}

TEST_F(UnitNameTest, UnobtainableCharactersLeaveTheBufferEmpty) {
  int32_t status = 0;
  std::string result;
  {
    JniFaults faults({{Slot::kGetStringUTFChars, "", 0, -1, false}});
    result = convert("unit1", &status);
  }
  EXPECT_EQ(status, kx::ERR_MARSHAL);
  EXPECT_EQ(result, std::string(17, '\0'));
}

TEST_F(UnitNameTest, LongBuffersTakeLongNames) {
  std::string name(1030, 'x');
  char long_buffer[1024];
  EXPECT_EQ(kx::get_unit_name(env, java_string(name.c_str()), long_buffer, 1024), 0);
  EXPECT_EQ(std::strlen(long_buffer), 1023u);
}

}  // namespace
}  // namespace kxtest
