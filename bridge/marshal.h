// Primitives that move one field between a Java object and a C record. Every
// class, field and method is looked up by name on each call; nothing is
// cached. A primitive that finds a Java exception already pending makes no
// JNI call and fails, so a failure that a caller passed over still ends the
// next checked step.
#pragma once

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct BrokenDownTime;

namespace kx {

// The text at `at`: up to its NUL, or `max_length` bytes when the core left
// no NUL within them. Text from a C record never reads past its slot.
std::string bounded_text(const void* at, size_t max_length);

// The bytes as valid modified UTF-8, fit for NewStringUTF: well-formed
// sequences are kept, a four-byte sequence becomes its surrogate pair, NUL
// becomes C0 80 and any other byte that is not part of a valid sequence
// becomes U+FFFD. Text from the core or a file can hold anything.
std::string modified_utf8(const std::string& bytes);

// Copies NUL-terminated modified UTF-8 into a buffer of `size` bytes: as many
// whole characters as fit in size - 1 bytes, the rest of the buffer zero, so
// a text cut to its field never ends inside a character.
void copy_text_whole(const char* text, char* buffer, size_t size);

// Creation and lookup: a new local reference, or null on failure.
jobject new_record(JNIEnv* env, const char* class_name);
jobjectArray new_record_array(JNIEnv* env, const char* class_name,
                              jsize length);
jobject get_object_field(JNIEnv* env, jobject object, const char* name,
                         const char* signature);

// Setting fields of a new object: 0, or ERR_MARSHAL.
[[nodiscard]] int32_t set_int_field(JNIEnv* env, jobject object,
                                    const char* name, jint value);
[[nodiscard]] int32_t set_object_field(JNIEnv* env, jobject object,
                                       const char* name, const char* signature,
                                       jobject value);
[[nodiscard]] int32_t set_string_field(JNIEnv* env, jobject object,
                                       const char* name, const char* text);

// Calendars: a new GregorianCalendar from a broken-down time whose year counts
// from 1900, and the reverse, which stores the calendar year itself.
jobject new_calendar(JNIEnv* env, const BrokenDownTime* time);
[[nodiscard]] int32_t read_calendar(JNIEnv* env, jobject calendar,
                                    BrokenDownTime* time);

}  // namespace kx
