// A minimal Java VM seen through JNI, for calling the bridge's natives in a
// Windows process that has no JVM.
//
// It holds strings (UTF-16, as Java does), instances of a few declared
// classes, object and int arrays, local references and one pending
// exception. The JNI functions the unit natives use are implemented with the
// checks a JVM run with -Xcheck:jni makes: a JNI call other than the
// exception and release functions while an exception is pending, a deleted
// or foreign reference, a field of another class or type, text that is not
// valid modified UTF-8, UTF characters never released, local references left
// behind or more of them alive at once than the frame's capacity. Each such
// fault is recorded and reported by EndCall. Every other function slot is a
// trap: calling it prints its name and ends the process with exit code 3,
// since its arguments cannot be taken off the stack.
#pragma once

#include <jni.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kxw {

class FakeVm {
 public:
  FakeVm();
  ~FakeVm();
  FakeVm(const FakeVm&) = delete;
  FakeVm& operator=(const FakeVm&) = delete;

  JNIEnv* env();

  // What Java code would hand to a native. References made here belong to
  // the caller's frame, not to any native call.
  jclass UtilityClass();
  jstring NewString(const std::u16string& text);
  // A new instance of a declared class, built by its no-argument
  // constructor: reference fields null, int fields 0.
  jobject NewInstance(const char* class_name);
  void SetStringField(jobject object, const char* field,
                      const std::u16string* text);  // null text: null field
  void SetIntField(jobject object, const char* field, jint value);
  // A new String[length] holding `texts` first (null after them), stored in
  // the String[] field.
  void SetStringArrayField(jobject object, const char* field,
                           const std::vector<std::u16string>& texts,
                           size_t length);

  // What Java code sees of a native's result. Failures are recorded.
  bool IsInstanceOf(jobject object, const char* class_name);
  // The string field's text; false when the field is null.
  bool StringField(jobject object, const char* field, std::u16string* text);
  jint IntField(jobject object, const char* field);
  std::u16string Text(jstring string);
  jsize ArrayLength(jobject array);
  jobject ArrayElement(jobject array, jsize index);

  // The pending exception: its class name (empty when none), the code of a
  // DiskArrayException, its cause's class name. TakeException clears it.
  std::string PendingClass() const;
  jint PendingCode() const;
  std::string PendingCauseClass() const;
  void TakeException();

  // Around each native call: BeginCall opens the native's frame, EndCall
  // closes it and returns every fault seen since BeginCall (also faults of
  // the accessors above), with `result` the reference the native returned.
  void BeginCall();
  std::vector<std::string> EndCall(jobject result);

  // Names of the JNI functions called since BeginCall, in first-call order.
  const std::vector<std::string>& CalledFunctions() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

// Java's own conversions between UTF-16 and modified UTF-8 (NUL as C0 80,
// a character outside the BMP as two three-byte surrogates).
std::string ToModifiedUtf8(const std::u16string& text);
// False for bytes that are not valid modified UTF-8.
bool FromModifiedUtf8(const char* bytes, std::u16string* text);

}  // namespace kxw
