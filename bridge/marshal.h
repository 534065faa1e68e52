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

// Creation and lookup: a new local reference, or null on failure.
jobject new_record(JNIEnv* env, const char* class_name);
jobjectArray new_record_array(JNIEnv* env, const char* class_name,
                              jsize length);
jobject get_object_field(JNIEnv* env, jobject object, const char* name,
                         const char* signature);

// Setting fields of a new object: 0, or ERR_MARSHAL.
int32_t set_int_field(JNIEnv* env, jobject object, const char* name,
                      jint value);
int32_t set_object_field(JNIEnv* env, jobject object, const char* name,
                         const char* signature, jobject value);
int32_t set_string_field(JNIEnv* env, jobject object, const char* name,
                         const char* text);
// Sets a String[] of `stride` elements whose first `count` hold the texts at
// base, base + stride, ...; the later elements stay null.
int32_t set_string_array_field(JNIEnv* env, jobject object, const char* name,
                               const char* base, int count, int stride);
int32_t set_int_array_field(JNIEnv* env, jobject object, const char* name,
                            const int32_t* source, int count);
// A new int[] of `count` elements, each byte sign-extended; null on failure.
jintArray new_int_array_from_bytes(JNIEnv* env, const uint8_t* source,
                                   int count);
// Copies into the byte[] that the field already holds.
int32_t set_byte_array_region(JNIEnv* env, jobject object, const char* name,
                              const uint8_t* source, int count);

// Reading fields of an existing object. get_int_field returns the value, or
// -1 with an exception pending when the field cannot be read.
jint get_int_field(JNIEnv* env, jobject object, const char* name);
int32_t get_string_field(JNIEnv* env, jobject object, const char* name,
                         char* buffer, size_t size);
// Copies the strings of a String[] into buffers of `stride` bytes; an array
// longer than `capacity` is cut to it.
int32_t get_string_array_field(JNIEnv* env, jobject object, const char* name,
                               char* base, size_t stride, size_t capacity);
int32_t get_int_array_field(JNIEnv* env, jobject object, const char* name,
                            int32_t* target, int count);
int32_t get_int_matrix_field(JNIEnv* env, jobject object, const char* name,
                             int32_t* target, int rows, int columns);
// Stores the low 8 bits of each element; an empty array writes one 0 byte and
// an array longer than `capacity` is cut to it.
int32_t get_bytes_from_int_array_field(JNIEnv* env, jobject object,
                                       const char* name, uint8_t* target,
                                       size_t capacity);
int32_t get_byte_array_field(JNIEnv* env, jobject object, const char* name,
                             uint8_t* target, int count);

// Calendars: a new GregorianCalendar from a broken-down time whose year counts
// from 1900, and the reverse, which stores the calendar year itself.
jobject new_calendar(JNIEnv* env, const BrokenDownTime* time);
int32_t read_calendar(JNIEnv* env, jobject calendar, BrokenDownTime* time);

}  // namespace kx
