// The hand-written steps of the maintenance natives, against the test double:
// the line buffer the caller sizes, the text the core allocates, and texts
// from the unit or a file that are not valid modified UTF-8. Widths, nulls
// and core codes are covered by the contract rows.
#include <string>
#include <vector>

#include "bridge/errors.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "tests/double/core_double.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

#define NATIVE(name) Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1##name

namespace kxtest {
namespace {

std::vector<uint8_t> bytes_of(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::string text_of(JNIEnv* env, jstring string) {
  if (string == nullptr) return "<null>";
  const char* chars = env->GetStringUTFChars(string, nullptr);
  std::string copy(chars);
  env->ReleaseStringUTFChars(string, chars);
  return copy;
}

class MaintenanceNativeTest : public JniTest {
 protected:
  void SetUp() override {
    JniTest::SetUp();
    CoreDouble::reset();
  }
};

TEST_F(MaintenanceNativeTest, FileLineIsSizedByTheCallersLength) {
  // A negative length sizes nothing: the call ends before the core.
  jstring line = NATIVE(GetFileLine)(env, nullptr, java_string("/f"), -1);
  EXPECT_EQ(line, nullptr);
  EXPECT_TRUE(disk_array_exception(kx::ERR_MARSHAL));
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  // Length 0 still gives the core a byte for its NUL, and the line is empty
  // whatever the core left there.
  CoreDouble::set_output(1, bytes_of("Z"));
  line = NATIVE(GetFileLine)(env, nullptr, java_string("/f"), 0);
  ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
  EXPECT_EQ(text_of(env, line), "");
  ASSERT_EQ(CoreDouble::call_count(), 1u);
  EXPECT_EQ(CoreDouble::last_call().ints, std::vector<int32_t>{0});
  EXPECT_EQ(CoreDouble::last_call().buffers[1], std::vector<uint8_t>{0});

  // A string that cannot be made is reported, unlike the other texts.
  CoreDouble::reset();
  CoreDouble::set_output(1, bytes_of("abc"));
  jstring path = java_string("/f");
  {
    JniFaults faults({{Slot::kNewStringUTF, ""}});
    line = NATIVE(GetFileLine)(env, nullptr, path, 8);
  }
  EXPECT_EQ(line, nullptr);
  EXPECT_TRUE(disk_array_exception(kx::ERR_MARSHAL));
}

TEST_F(MaintenanceNativeTest, FileTextIsTakenFromTheCoresAllocation) {
  // A successful call that hands no text over is a marshalling failure.
  jstring text = NATIVE(GetFileText)(env, nullptr, java_string("/f"));
  EXPECT_EQ(text, nullptr);
  EXPECT_TRUE(disk_array_exception(kx::ERR_MARSHAL));
  ASSERT_EQ(CoreDouble::call_count(), 1u);

  // A text longer than any fixed buffer arrives whole; the double's copy is
  // released by the bridge (the sanitizer build reports a leak otherwise).
  std::string long_text(70000, 'q');
  long_text += "end";
  CoreDouble::reset();
  CoreDouble::set_output(1, bytes_of(long_text));
  text = NATIVE(GetFileText)(env, nullptr, java_string("/f"));
  ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
  EXPECT_EQ(text_of(env, text), long_text);
}

// Bytes that are not modified UTF-8 become U+FFFD, a four-byte sequence its
// surrogate pair; well-formed text is kept.
TEST_F(MaintenanceNativeTest, TextsFromTheUnitOrAFileBecomeModifiedUtf8) {
  const std::string raw = "a\xFF" "b\xC3\xA9" "\xF0\x9F\x98\x80" "\xE2\x82";
  const std::string expected =
      "a\xEF\xBF\xBD" "b\xC3\xA9" "\xED\xA0\xBD\xED\xB8\x80" "\xEF\xBF\xBD\xEF\xBF\xBD";

  CoreDouble::set_output(1, bytes_of(raw));
  jstring text = NATIVE(GetFileText)(env, nullptr, java_string("/f"));
  ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
  EXPECT_EQ(text_of(env, text), expected) << "file text";

  CoreDouble::reset();
  CoreDouble::set_output(1, bytes_of(raw));
  text = NATIVE(GetFileLine)(env, nullptr, java_string("/f"),
                             static_cast<jint>(raw.size()));
  ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
  EXPECT_EQ(text_of(env, text), expected) << "file line";

  CoreDouble::reset();
  CoreDouble::set_output(1, bytes_of(raw));
  text = NATIVE(GetTraceText)(env, nullptr, java_string("u"), 1, 2, 3);
  ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
  EXPECT_EQ(text_of(env, text), expected) << "trace text";
}

}  // namespace
}  // namespace kxtest
