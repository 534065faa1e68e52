// Text from the core as JNI's NewStringUTF must receive it. The core's bytes
// may be anything (a file on the host can hold any byte), while NewStringUTF
// is defined only for modified UTF-8; this makes any bytes valid.
#pragma once

#include <jni.h>

#include <cstddef>
#include <string>

namespace kx {

// `length` bytes at `bytes` as valid modified UTF-8: well-formed sequences of
// one to three bytes are kept (C0 80, the encoded NUL, included), a four-byte
// UTF-8 sequence becomes its surrogate pair of two three-byte sequences, a NUL
// byte becomes C0 80, and every other byte is replaced by U+FFFD (EF BF BD).
// Returns false, leaving `out` empty, only when the result would not fit a
// std::string.
bool to_modified_utf8(const char* bytes, size_t length, std::string* out);

// A new Java string from the core's text at `text`: up to its NUL, or
// `max_length` bytes when there is none within them, made valid as above.
// Null with an exception pending when the string cannot be made (a text too
// large to convert raises OutOfMemoryError through raise_error).
jstring new_string_from_core(JNIEnv* env, const char* text, size_t max_length);

}  // namespace kx
