// Record descriptions and the one builder and one reader that interpret them.
//
// Each C record is described once, as a constant table of fields: where the
// field lies in the record, what kind of value it holds, the Java field it
// maps to and whether a failure to set it aborts the builder or is skipped.
// The field helpers take their widths and counts from the C struct itself, so
// a table cannot disagree with the layout that the struct pins down.
#pragma once

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "bridge/lookups.h"

namespace kx {

enum class FieldKind : uint8_t {
  kInt,           // signed 32-bit int
  kSignedByte,    // one byte, sign-extended into a Java int
  kUnsignedByte,  // one byte, zero-extended into a Java int
  kText,          // NUL-terminated text within `count` bytes
  kByteList,      // `count` bytes <-> int[] (bytes sign-extended)
  kIntArray,      // `count` ints <-> int[]
  kByteArray,     // `count` bytes <-> the byte[] the object already holds
  kTextArray,     // `count` texts of `stride` bytes <-> String[]
  kRecord,        // a nested record
  kRecordArray,   // `count` nested records, `stride` bytes apart
  kIntMatrix,     // `count` rows of `stride` ints <-> int[][]
  kRecordMatrix,  // `count` rows of `columns` nested records <-> R[][]
};

// What a failure to set the field does to the builder.
enum class OnFailure : uint8_t { kAbort, kSkip };

struct RecordType;

struct FieldSpec {
  const char* name;       // Java field name
  const char* signature;  // JNI signature of the Java field
  FieldKind kind;
  OnFailure on_failure;
  uint32_t offset;  // bytes from the start of the record
  uint32_t count;   // text width, element count or row count
  uint32_t stride;  // text width in a text array, record size, row length
  const RecordType* nested;
  // For texts that must never be cut (credentials): a Java text longer than
  // the field fills it with no NUL, so the core sees a text that does not
  // fit and refuses it, instead of one cut to a different value.
  bool whole_or_unterminated = false;
  // For a record matrix: records per row (`count` is the number of rows).
  uint32_t columns = 0;
};

struct RecordType {
  const char* class_name;       // slash form; null if the class is unnamed
  const char* signature;        // "L<class_name>;"
  const char* array_signature;  // "[L<class_name>;"
  uint32_t size;                // bytes of one C record
  const FieldSpec* fields;
  size_t field_count;
  bool quiet;  // its builds leave standard output alone
};

// The class name of a record class of the package, with the signatures of
// the class and of an array of it.
#define KX_RECORD_CLASS(name)                                        \
  "korvane/str/diskarray/" name, "Lkorvane/str/diskarray/" name ";", \
      "[Lkorvane/str/diskarray/" name ";"

template <size_t N>
constexpr RecordType record_type(const char* class_name, const char* signature,
                                 const char* array_signature, size_t size,
                                 const FieldSpec (&fields)[N]) {
  return {class_name,
          signature,
          array_signature,
          static_cast<uint32_t>(size),
          fields,
          N,
          false};
}

// The same record, built without flushing standard output first.
constexpr RecordType without_flush(RecordType type) {
  type.quiet = true;
  return type;
}

// A record type whose Java class the reader does not name: fields are looked
// up on the object's own class.
template <size_t N>
constexpr RecordType unnamed_record_type(size_t size,
                                         const FieldSpec (&fields)[N]) {
  return {nullptr, nullptr, nullptr, static_cast<uint32_t>(size),
          fields,  N,       false};
}

namespace field {

template <typename M>
constexpr FieldSpec int32(const char* name, size_t offset) {
  static_assert(std::is_same_v<M, int32_t>, "int field must be int32_t");
  return {name,
          "I",
          FieldKind::kInt,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          1,
          0,
          nullptr};
}

template <typename M>
constexpr FieldSpec signed_byte(const char* name, size_t offset) {
  static_assert(std::is_same_v<M, int8_t>, "signed byte must be int8_t");
  return {name,
          "I",
          FieldKind::kSignedByte,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          1,
          0,
          nullptr};
}

template <typename M>
constexpr FieldSpec unsigned_byte(const char* name, size_t offset) {
  static_assert(std::is_same_v<M, uint8_t>, "unsigned byte must be uint8_t");
  return {name,
          "I",
          FieldKind::kUnsignedByte,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          1,
          0,
          nullptr};
}

template <typename M>
constexpr FieldSpec text(const char* name, size_t offset,
                         OnFailure on_failure = OnFailure::kSkip) {
  static_assert(
      std::is_array_v<M> && std::is_same_v<std::remove_extent_t<M>, char>,
      "text field must be a char array");
  return {name,
          "Ljava/lang/String;",
          FieldKind::kText,
          on_failure,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M>),
          0,
          nullptr};
}

// A text that is never cut: one too long for its field reaches the core
// unterminated, which the core refuses as not fitting.
template <typename M>
constexpr FieldSpec whole_text(const char* name, size_t offset) {
  FieldSpec field = text<M>(name, offset);
  field.whole_or_unterminated = true;
  return field;
}

template <typename M>
constexpr FieldSpec byte_list(const char* name, size_t offset) {
  static_assert(std::is_array_v<M> && sizeof(std::remove_extent_t<M>) == 1,
                "byte list must be a byte array");
  return {name,
          "[I",
          FieldKind::kByteList,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M>),
          0,
          nullptr};
}

template <typename M>
constexpr FieldSpec int_array(const char* name, size_t offset) {
  static_assert(
      std::is_array_v<M> && std::is_same_v<std::remove_extent_t<M>, int32_t>,
      "int array must be an int32_t array");
  return {name,
          "[I",
          FieldKind::kIntArray,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M>),
          0,
          nullptr};
}

template <typename M>
constexpr FieldSpec byte_array(const char* name, size_t offset) {
  static_assert(std::is_array_v<M> && sizeof(std::remove_extent_t<M>) == 1,
                "byte array must be a byte array");
  return {name,
          "[B",
          FieldKind::kByteArray,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M>),
          0,
          nullptr};
}

template <typename M>
constexpr FieldSpec text_array(const char* name, size_t offset) {
  static_assert(
      std::rank_v<M> == 2 && std::is_same_v<std::remove_all_extents_t<M>, char>,
      "text array must be a two-dimensional char array");
  return {name,
          "[Ljava/lang/String;",
          FieldKind::kTextArray,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M, 0>),
          static_cast<uint32_t>(std::extent_v<M, 1>),
          nullptr};
}

template <typename M>
constexpr FieldSpec record(const char* name, size_t offset,
                           const RecordType& nested) {
  return {name,
          nested.signature,
          FieldKind::kRecord,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          1,
          static_cast<uint32_t>(sizeof(M)),
          &nested};
}

template <typename M>
constexpr FieldSpec record_array(const char* name, size_t offset,
                                 const RecordType& nested) {
  static_assert(std::is_array_v<M>, "record array must be an array");
  return {name,
          nested.array_signature,
          FieldKind::kRecordArray,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M>),
          static_cast<uint32_t>(sizeof(std::remove_extent_t<M>)),
          &nested};
}

// Rows of nested records, the rows one after the other: record (j, i) lies
// at (j * columns + i) records from the field's start. The Java field is an
// array of arrays; `signature` is its JNI signature ("[[L...;").
template <typename M>
constexpr FieldSpec record_matrix(const char* name, size_t offset,
                                  const RecordType& nested,
                                  const char* signature) {
  static_assert(std::rank_v<M> == 2, "record matrix must have two extents");
  return {name,
          signature,
          FieldKind::kRecordMatrix,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M, 0>),
          static_cast<uint32_t>(sizeof(std::remove_all_extents_t<M>)),
          &nested,
          false,
          static_cast<uint32_t>(std::extent_v<M, 1>)};
}

template <typename M>
constexpr FieldSpec int_matrix(const char* name, size_t offset) {
  static_assert(std::rank_v<M> == 2 &&
                    std::is_same_v<std::remove_all_extents_t<M>, int32_t>,
                "int matrix must be a two-dimensional int32_t array");
  return {name,
          "[[I",
          FieldKind::kIntMatrix,
          OnFailure::kAbort,
          static_cast<uint32_t>(offset),
          static_cast<uint32_t>(std::extent_v<M, 0>),
          static_cast<uint32_t>(std::extent_v<M, 1>),
          nullptr};
}

}  // namespace field

// Field entries named after the C member, which carries the Java field's name.
#define KX_FIELD(kind, Record, member) \
  ::kx::field::kind<decltype(Record::member)>(#member, offsetof(Record, member))
#define KX_FIELD_AS(kind, Record, member, java_name)     \
  ::kx::field::kind<decltype(Record::member)>(java_name, \
                                              offsetof(Record, member))
#define KX_NESTED(kind, Record, member, type)          \
  ::kx::field::kind<decltype(Record::member)>(#member, \
                                              offsetof(Record, member), type)
#define KX_MATRIX(Record, member, type, signature)                       \
  ::kx::field::record_matrix<decltype(Record::member)>(                  \
      #member, offsetof(Record, member), type, signature)

// Creates a new object of the record's class from the C record and sets its
// fields in table order. Returns null when the object cannot be created or a
// field whose rule is kAbort cannot be set; fields with kSkip are passed over
// on failure, unless the failure left an exception pending (no JNI call may
// follow it). Flushes standard output first, once for the whole tree, unless
// the type is quiet. Classes and field IDs come from the call's lookups.
jobject build_record(Lookups& lookups, const RecordType& type,
                     const void* record);

// Fills the C record from the Java object, fields in table order. A null
// String field is an empty text; a null element of a String[] ends the list.
// Returns 0, -1 for a null object or record, or ERR_MARSHAL at the first
// field that cannot be read (later fields are left as they were).
[[nodiscard]] int32_t read_record(Lookups& lookups, const RecordType& type,
                                  jobject object, void* record);

// A new array of `length` elements of the record's class, all null.
jobjectArray new_record_array(Lookups& lookups, const RecordType& type,
                              jsize length);

// Builds `count` records lying `type.size` bytes apart into `array`. With
// stop_at_failure the first null element ends the loop, leaving the rest
// null; otherwise every element's result is stored, null or not, until a
// failure leaves an exception pending. Returns the number of elements built.
size_t fill_record_array(Lookups& lookups, jobjectArray array,
                         const RecordType& type, const void* records,
                         size_t count, bool stop_at_failure);

}  // namespace kx
