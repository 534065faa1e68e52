// Result converters of the maintenance natives whose text does not fit the
// common ones: a trace text too large for the stack, a text the core
// allocates, and a line whose buffer the caller sizes. Every text reaches
// Java as valid modified UTF-8, whatever bytes the unit or the file held.
#pragma once

#include <jni.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "bridge/native.h"

namespace kx {

// A text the core writes into a zero-filled heap buffer of Width bytes. The
// string's creation is not checked: a failure leaves its exception pending.
template <size_t Width>
class HeapTextOut {
 public:
  static constexpr bool kResult = true;
  using Java = jstring;

  [[nodiscard]] bool prepare(CallContext& call) {
    buffer_ = heap_new<char>(Width);
    if (!buffer_) {
      raise_error(call.env, ERR_NO_MEMORY);
      return false;
    }
    return true;
  }
  std::tuple<char*> args() { return {buffer_.get()}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    const std::string text =
        modified_utf8(bounded_text(buffer_.get(), Width - 1));
    buffer_.reset();
    out = call.env->NewStringUTF(text.c_str());
    return true;
  }

 private:
  HeapPtr<char> buffer_;
};

// The NUL-terminated text the core allocates on the C runtime heap and hands
// over through a char**; it is released here with free(), which is why both
// libraries must use one C runtime (msvcrt.dll on Windows). The string's
// creation is not checked.
class CoreTextOut {
 public:
  static constexpr bool kResult = true;
  using Java = jstring;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<char**> args() { return {&text_}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    std::unique_ptr<char, CFree> owned(std::exchange(text_, nullptr));
    if (!owned) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    const std::string text = modified_utf8(std::string(owned.get()));
    owned.reset();
    out = call.env->NewStringUTF(text.c_str());
    return true;
  }

 private:
  struct CFree {
    void operator()(char* text) const { std::free(text); }
  };
  // Only a successful call hands a text over; a failed one leaves this null.
  char* text_ = nullptr;
};

// The core's (length, line) pair: a heap line buffer of length + 1 bytes. A
// negative length sizes no buffer and raises ERR_MARSHAL before anything is
// allocated. A string that cannot be made raises ERR_MARSHAL.
class FileLineOut {
 public:
  static constexpr bool kResult = true;
  using Java = jstring;

  explicit FileLineOut(jint length) : length_(length) {}
  [[nodiscard]] bool prepare(CallContext& call);
  std::tuple<int32_t, char*> args() { return {length_, line_.get()}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out);

 private:
  int32_t length_;
  size_t size_ = 0;
  HeapPtr<char> line_;
};

}  // namespace kx
