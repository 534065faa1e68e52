// Move-only owners of borrowed JNI resources. Each releases what it holds on
// every path out of the scope that owns it, so no native method leaks a local
// reference, a UTF copy or pinned array elements.
#pragma once

#include <jni.h>

#include <utility>

namespace kx {

// A local reference, deleted when the owner goes out of scope.
template <typename T = jobject>
class LocalRef {
 public:
  LocalRef() = default;
  LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
  LocalRef(LocalRef&& other) noexcept
      : env_(other.env_), ref_(std::exchange(other.ref_, nullptr)) {}
  LocalRef& operator=(LocalRef&& other) noexcept {
    if (this != &other) {
      reset();
      env_ = other.env_;
      ref_ = std::exchange(other.ref_, nullptr);
    }
    return *this;
  }
  LocalRef(const LocalRef&) = delete;
  LocalRef& operator=(const LocalRef&) = delete;
  ~LocalRef() { reset(); }

  T get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }
  // Hands the reference to the caller, who becomes responsible for it.
  T release() { return std::exchange(ref_, nullptr); }
  void reset() {
    if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
    ref_ = nullptr;
  }

 private:
  JNIEnv* env_ = nullptr;
  T ref_ = nullptr;
};

// The modified UTF-8 characters of a Java string.
class UtfChars {
 public:
  UtfChars(JNIEnv* env, jstring string)
      : env_(env),
        string_(string),
        chars_(string != nullptr ? env->GetStringUTFChars(string, nullptr)
                                 : nullptr) {}
  UtfChars(const UtfChars&) = delete;
  UtfChars& operator=(const UtfChars&) = delete;
  ~UtfChars() {
    if (chars_ != nullptr) env_->ReleaseStringUTFChars(string_, chars_);
  }

  const char* get() const { return chars_; }
  explicit operator bool() const { return chars_ != nullptr; }

 private:
  JNIEnv* env_;
  jstring string_;
  const char* chars_;
};

}  // namespace kx
