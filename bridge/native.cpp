#include "bridge/native.h"

namespace kx {

bool WholeTextArg::prepare(CallContext& call) {
  JNIEnv* env = call.env;
  size_t length = 0;
  if (string_ == nullptr) {
    if (!optional_) {
      raise_error(env, ERR_NULL_ARGUMENT);
      return false;
    }
  } else {
    jsize utf_length = env->GetStringUTFLength(string_);
    length = utf_length > 0 ? static_cast<size_t>(utf_length) : 0;
  }
  // text + extra room + NUL, computed without wrapping on a 32-bit size_t.
  if (extra_ > std::numeric_limits<size_t>::max() - 1 - length) {
    raise_error(env, ERR_NO_MEMORY);
    return false;
  }
  buffer_ = heap_new<char>(length + extra_ + 1);
  if (!buffer_) {
    raise_error(env, ERR_NO_MEMORY);
    return false;
  }
  if (string_ == nullptr || length == 0) return true;
  UtfChars chars(env, string_);
  if (!chars) {
    raise_error(env, ERR_MARSHAL);
    return false;
  }
  std::memcpy(buffer_.get(), chars.get(), length);
  return true;
}

}  // namespace kx
