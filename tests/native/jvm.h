// One Java VM per test process, created with -Xcheck:jni, and helpers to work
// with Java objects from the tests.
#pragma once

#include <gtest/gtest.h>
#include <jni.h>

#include <string>

namespace kxtest {

JNIEnv* jni();

// Native methods run with a local frame that the VM pops when they return;
// a test pushes one around each call so its references are freed likewise.
class LocalFrame {
 public:
  explicit LocalFrame(int capacity = 64);
  ~LocalFrame();
};

// Base fixture: a local frame, a reset double, and no exception left pending
// at the end of the test.
class JniTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  JNIEnv* env = nullptr;

 private:
  LocalFrame* frame_ = nullptr;
};

// Java objects by name.
jobject new_object(const char* class_name);
void set_int(jobject object, const char* field, jint value);
jint get_int(jobject object, const char* field);
void set_string(jobject object, const char* field, const char* value);
// The field's value as modified UTF-8, or "<null>".
std::string get_string(jobject object, const char* field);
jobject get_object(jobject object, const char* field, const char* signature);
jstring java_string(const char* text);
std::string class_name_of(jobject object);

// The pending exception, taken and cleared; null if none.
jthrowable take_exception();
// Checks that a DiskArrayException with `code` is pending and clears it.
::testing::AssertionResult disk_array_exception(jint code);
// Checks that an exception of `class_name` (dotted) is pending; clears it.
::testing::AssertionResult exception_of(const char* class_name);
std::string message_of(jthrowable throwable);
jthrowable cause_of(jthrowable throwable);

}  // namespace kxtest
