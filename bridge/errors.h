// Error reporting to Java: the bridge's own codes, raise_error and the
// helpers it is built on.
#pragma once

#include <jni.h>

#include <cstddef>
#include <cstdint>

namespace kx {

// Codes the bridge uses itself; every other nonzero code comes from the core
// library and reaches Java unchanged.
enum : int32_t {
  ERR_SILENT = 256,         // failure without an exception
  ERR_NULL_ARGUMENT = 258,  // a required Java argument was null
  ERR_MARSHAL = 2817,       // a JNI step failed or a builder returned null
  ERR_NO_MEMORY = 65535,    // the C heap could not supply a buffer
};

inline constexpr const char kExceptionClass[] =
    "korvane/str/diskarray/DiskArrayException";

// Turns an error code into a pending Java exception. 0 is success and raises
// nothing; 256 raises nothing; 65535 raises OutOfMemoryError; anything else
// raises DiskArrayException(code). An exception already pending (left by a
// failed JNI step) is cleared and attached as the cause of the new one, so
// Java always sees the system's own exception.
void raise_error(JNIEnv* env, int32_t code);

// FindClass, throwing ClassNotFoundException(name) when the class is missing.
jclass find_class(JNIEnv* env, const char* name);

// Throws a new instance of class_name with the message; does nothing more if
// the class cannot be found (find_class has then thrown).
void throw_new(JNIEnv* env, const char* class_name, const char* message);

// Copies a Java string into a NUL-terminated buffer of `size` bytes: at most
// size - 1 bytes of its modified UTF-8 form, whole characters only,
// zero-filled after the text. Returns 0, or ERR_MARSHAL when the string is
// empty or its characters cannot be obtained; the buffer is then empty.
int32_t get_unit_name(JNIEnv* env, jstring string, char* buffer, size_t size);

}  // namespace kx
