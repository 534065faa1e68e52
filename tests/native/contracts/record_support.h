// Records as the contract tests see them, driven by the field tables alone:
// which bytes the fields cover, a pattern that fills every covered byte,
// building and reading objects, and comparisons that name the field at the
// first difference.
#pragma once

#include <gtest/gtest.h>
#include <jni.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/record.h"

namespace kxtest::records {

// The Java class of objects of the type: its own, or the carrier it was
// registered with. Null when an unnamed type has no registered carrier.
const char* class_of(const kx::RecordType& type);

// How many bytes of the record the field covers.
size_t field_extent(const kx::FieldSpec& field);

// Marks the bytes of the record that some field covers.
std::vector<bool> coverage(const kx::RecordType& type);

// A record whose covered bytes all vary with `seed`: ints, lists and arrays
// take a running sequence of bytes, every single-byte field has its top bit
// set (so that sign and zero extension differ), texts fill their width but
// one with letters and end in their NUL. Bytes no field covers hold 0xA5.
std::vector<uint8_t> pattern(const kx::RecordType& type, uint32_t seed);

// Builds an object of class_of(type) from `bytes` within a frame of sixteen
// local references, as a native method has; null on failure.
jobject build(JNIEnv* env, const kx::RecordType& type, const uint8_t* bytes);

// What the reader makes of `object` in a zero-filled record.
std::vector<uint8_t> read(JNIEnv* env, const kx::RecordType& type,
                          jobject object);

// Equal wherever a field lies; names the field at the first difference.
::testing::AssertionResult same_fields(const kx::RecordType& type,
                                       const uint8_t* expected,
                                       const uint8_t* actual);

// The field path at a byte of the record, such as "lu[3].status".
std::string field_at(const kx::RecordType& type, size_t offset);

// Every registered type and every type nested in one, each once.
std::vector<const kx::RecordType*> all_types();

}  // namespace kxtest::records
