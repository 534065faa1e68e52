// User, login and password natives against the test double, byte for byte.
#include <cstring>
#include <string>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "tests/double/core_double.h"
#include "tests/double/test_heap.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

#define NATIVE(name) Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1##name

namespace kxtest {
namespace {

constexpr char kUserRegist[] = "korvane/str/diskarray/KXUserRegist";

std::vector<uint8_t> text_buffer(const std::string& text, size_t size) {
  std::vector<uint8_t> bytes(size, 0);
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), size - 1));
  return bytes;
}

// The 34-byte account: user name at 0, password at 17. A text longer than
// 16 bytes is never cut: it fills its 17 bytes with no NUL, which the core
// refuses as not fitting.
std::vector<uint8_t> account_bytes(const std::string& user,
                                   const std::string& passwd) {
  std::vector<uint8_t> bytes(34, 0);
  std::memcpy(&bytes[0], user.data(), std::min<size_t>(user.size(), 17));
  std::memcpy(&bytes[17], passwd.data(), std::min<size_t>(passwd.size(), 17));
  return bytes;
}

// A login result area of `size` bytes with texts at 0 and 17.
std::vector<uint8_t> login_area(size_t size, const std::string& first,
                                const std::string& second) {
  std::vector<uint8_t> bytes(size, 0);
  std::memcpy(&bytes[0], first.data(), first.size());
  std::memcpy(&bytes[17], second.data(), second.size());
  return bytes;
}

class UsersTest : public JniTest {
 protected:
  jobject account(const char* user, const char* passwd) {
    jobject object = new_object(kUserRegist);
    set_string(object, "user", user);
    set_string(object, "passwd", passwd);
    return object;
  }

  std::string element(jobjectArray array, jsize index) {
    auto string =
        static_cast<jstring>(env->GetObjectArrayElement(array, index));
    if (string == nullptr) return "<null>";
    const char* chars = env->GetStringUTFChars(string, nullptr);
    std::string copy(chars);
    env->ReleaseStringUTFChars(string, chars);
    return copy;
  }
};

TEST_F(UsersTest, LoginSendsTheAccountAndReturnsBothTexts) {
  std::string unit(1100, 'u');
  CoreDouble::set_output(2, login_area(36, "operator", "second-is-18-bytes"));
  jobjectArray result =
      NATIVE(LoginKXUnit)(env, nullptr, java_string(unit.c_str()), 7,
                          account("a-user-of-20-bytes!!", "pass-of-16-bytes"));
  ASSERT_NE(result, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  ASSERT_EQ(env->GetArrayLength(result), 2);
  EXPECT_EQ(element(result, 0), "operator");
  EXPECT_EQ(element(result, 1), "second-is-18-bytes");

  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.function, "KX_LoginKXUnit");
  EXPECT_EQ(call.buffers[0], text_buffer(unit, 1024));
  EXPECT_EQ(call.ints, std::vector<int32_t>{7});
  EXPECT_EQ(call.buffers[1],
            account_bytes("a-user-of-20-bytes!!", "pass-of-16-bytes"));
  EXPECT_EQ(call.buffers[2], std::vector<uint8_t>(36, 0));
}

TEST_F(UsersTest, LoginTextsAreCutWithinTheirWidths) {
  // No NUL anywhere: 16 bytes of the first text, 18 or 14 of the second.
  CoreDouble::set_output(2, std::vector<uint8_t>(36, 'x'));
  jobjectArray login =
      NATIVE(LoginKXUnit)(env, nullptr, java_string("u"), 0, account("a", "b"));
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(element(login, 0), std::string(16, 'x'));
  EXPECT_EQ(element(login, 1), std::string(18, 'x'));

  CoreDouble::reset();
  CoreDouble::set_output(1, std::vector<uint8_t>(32, 'y'));
  jobjectArray who = NATIVE(GetLoginUser)(env, nullptr, java_string("u"), 3);
  ASSERT_NE(who, nullptr);
  EXPECT_EQ(element(who, 0), std::string(16, 'y'));
  EXPECT_EQ(element(who, 1), std::string(14, 'y'));
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.function, "KX_GetLoginUser");
  EXPECT_EQ(call.ints, std::vector<int32_t>{3});
  EXPECT_EQ(call.buffers[0], text_buffer("u", 1024));
}

TEST_F(UsersTest, AnEmptyFirstTextIsAnEmptyAnswer) {
  CoreDouble::set_output(2, login_area(36, "", "ignored"));
  EXPECT_EQ(
      NATIVE(LoginKXUnit)(env, nullptr, java_string("u"), 0, account("a", "b")),
      nullptr);
  EXPECT_FALSE(env->ExceptionCheck());

  CoreDouble::set_output(1, login_area(32, "", "ignored"));
  EXPECT_EQ(NATIVE(GetLoginUser)(env, nullptr, java_string("u"), 0), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  // An empty second text is still an answer.
  CoreDouble::set_output(1, login_area(32, "admin", ""));
  jobjectArray who = NATIVE(GetLoginUser)(env, nullptr, java_string("u"), 0);
  ASSERT_NE(who, nullptr);
  EXPECT_EQ(element(who, 1), "");
}

TEST_F(UsersTest, LoginRefusals) {
  EXPECT_EQ(NATIVE(LoginKXUnit)(env, nullptr, nullptr, 0, account("a", "b")),
            nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(NATIVE(LoginKXUnit)(env, nullptr, java_string("u"), 0, nullptr),
            nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(NATIVE(GetLoginUser)(env, nullptr, nullptr, 0), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  CoreDouble::set_output(2, login_area(36, "x", "y"));
  CoreDouble::set_code(0x2001);
  EXPECT_EQ(NATIVE(LoginKXUnit)(env, nullptr, java_string("u"), 0,
                                account("a", "wrong")),
            nullptr);
  EXPECT_TRUE(disk_array_exception(0x2001));
  CoreDouble::set_code(256);
  EXPECT_EQ(NATIVE(GetLoginUser)(env, nullptr, java_string("u"), 0), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(UsersTest, LoginWithAnUnreadablePasswordSendsItEmpty) {
  // The reader stops at the null password; the account goes with the user
  // name and a zero password, as a write frame would send it.
  CoreDouble::set_output(2, login_area(36, "ok", "fine"));
  jobjectArray result = NATIVE(LoginKXUnit)(env, nullptr, java_string("u"), 1,
                                            account("someone", nullptr));
  ASSERT_NE(result, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(CoreDouble::last_call().buffers[1], account_bytes("someone", ""));
}

TEST_F(UsersTest, LoginTextsThatCannotBeMade) {
  CoreDouble::set_output(1, login_area(32, "admin", "console"));
  jstring unit = java_string("u");
  jobjectArray result;
  {
    // A text that fails quietly leaves its element null.
    JniFaults faults({{Slot::kNewStringUTF, "console", 0, -1, false}});
    result = NATIVE(GetLoginUser)(env, nullptr, unit, 0);
  }
  ASSERT_NE(result, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(element(result, 0), "admin");
  EXPECT_EQ(element(result, 1), "<null>");

  {
    // A failure the VM reports leaves no array to make.
    JniFaults faults({{Slot::kNewStringUTF, "admin"}});
    EXPECT_EQ(NATIVE(GetLoginUser)(env, nullptr, unit, 0), nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));

  {
    JniFaults faults({{Slot::kNewObjectArray, ""}});
    EXPECT_EQ(NATIVE(GetLoginUser)(env, nullptr, unit, 0), nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
}

TEST_F(UsersTest, UserInformationBuildsNumAndOption) {
  std::vector<uint8_t> info = {0xFE, 0xFF, 0xFF, 0xFF,   // num -2
                               0x04, 0x03, 0x02, 0x01};  // option 0x01020304
  CoreDouble::set_output(1, info);
  jobject result =
      NATIVE(GetUserInformation)(env, nullptr, java_string("u"), 11);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(class_name_of(result), "korvane.str.diskarray.KXUserRegist");
  EXPECT_EQ(get_int(result, "num"), -2);
  EXPECT_EQ(get_int(result, "option"), 0x01020304);
  EXPECT_EQ(get_string(result, "user"), "<null>");
  EXPECT_EQ(CoreDouble::last_call().buffers[0], text_buffer("u", 1024));
  EXPECT_EQ(CoreDouble::last_call().ints, std::vector<int32_t>{11});

  {
    JniFaults faults({{Slot::kGetFieldID, "option"}});
    EXPECT_EQ(NATIVE(GetUserInformation)(env, nullptr, java_string("u"), 0),
              nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
}

TEST_F(UsersTest, ChangeUserRefusesBeforeTheCore) {
  NATIVE(ChangeUser)
  (env, nullptr, java_string("unit"), 0, account("a", "b"), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  NATIVE(ChangeUser)
  (env, nullptr, nullptr, 0, account("a", "b"), account("c", "d"));
  EXPECT_TRUE(disk_array_exception(258));

  // The second allocation fails: OutOfMemoryError, the first is given back.
  reset_allocation_count();
  fail_allocation_after(1);
  NATIVE(ChangeUser)
  (env, nullptr, java_string("unit"), 0, account("a", "b"), account("c", "d"));
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(allocations_made(), 1);

  fail_allocation_after(0);
  NATIVE(ChangeUser)
  (env, nullptr, java_string("unit"), 0, account("a", "b"), account("c", "d"));
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

TEST_F(UsersTest, PasswdCheckAnswersAndFailures) {
  // 0 and -1 are answers; anything else also raises.
  for (int32_t answer : {0, -1}) {
    CoreDouble::set_code(answer);
    EXPECT_EQ(NATIVE(PasswdCheck)(env, nullptr, java_string("pw")), answer);
    EXPECT_FALSE(env->ExceptionCheck());
  }
  CoreDouble::set_code(5);
  EXPECT_EQ(NATIVE(PasswdCheck)(env, nullptr, java_string("pw")), 5);
  EXPECT_TRUE(disk_array_exception(5));

  // The password goes whole, without a length limit.
  std::string password(2000, 'k');
  CoreDouble::set_code(0);
  NATIVE(PasswdCheck)(env, nullptr, java_string(password.c_str()));
  std::vector<uint8_t> expected(password.begin(), password.end());
  expected.push_back(0);
  EXPECT_EQ(CoreDouble::last_call().buffers[0], expected);

  size_t calls = CoreDouble::call_count();
  EXPECT_EQ(NATIVE(PasswdCheck)(env, nullptr, nullptr), -1);
  EXPECT_TRUE(disk_array_exception(258));
  jstring pw = java_string("pw");
  {
    JniFaults faults({{Slot::kGetStringUTFChars, ""}});
    EXPECT_EQ(NATIVE(PasswdCheck)(env, nullptr, pw), 2817);
  }
  // The VM's own failure stands; nothing is raised over it.
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(CoreDouble::call_count(), calls);
}

}  // namespace
}  // namespace kxtest
