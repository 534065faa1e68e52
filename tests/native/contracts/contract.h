// Contract rows: one per native, saying what crosses the boundary.
//
// A row names the native (and so its C entry point and the core function it
// must call, of the same name) and lists the core function's arguments in
// declaration order, each with its kind and width:
//
//   KX_CONTRACT(GetUnitParam, unit(), record_out(kUnitParamType)),
//   KX_CONTRACT(UnitChange, unit(kLongNameSize), record_in(kUnitParamType)),
//   KX_CONTRACT(GetUnitCount, int_out()).fails_with(-1),
//
// Java arguments are matched to the core arguments that consume them by kind,
// in order: strings to unit/text arguments, ints to int_in/count_in, objects
// to record_in/object_in. Every Java reference argument is refused with 258
// when null unless its core argument says otherwise (optional_text).
//
// The double takes every pointer's width from the rows; the generic contract
// test runs each row (contract_test.cpp). Each area's rows live in
// <area>_contracts.cpp inside one KX_CONTRACTS block.
#pragma once

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

#include "bridge/record.h"

namespace kxtest::contract {

enum class JavaKind : uint8_t { kVoid, kInt, kString, kObject };

enum class Core : uint8_t {
  kUnit,          // Java string -> unit name buffer of `width` bytes
  kText,          // Java string -> text buffer of `width` bytes
  kOptionalText,  // the same, a null string passed as empty
  kWholeText,     // Java string -> its whole modified UTF-8 text and NUL
  kOptionalWhole, // the same, a null string passed as empty
  kInt,           // Java int -> int
  kCount,         // Java int -> int that sizes a table argument
  kIntOut,        // int out-parameter -> the native's int result
  kRecordIn,      // Java record -> `type` as the reader fills it
  kRecordOut,     // `type` -> the native's object result, built
  kTableOut,      // `width` records of `type` -> the native's array result
  kCountedTable,  // up to `width` records, as many as the next kIntOut says
  kSizedTable,    // as many records as the int `int_index` says
  kTextOut,       // `width` bytes -> the native's String result
  kIntsOut,       // `width` ints -> the native's int[] result
  kIntElement,    // one int -> element `int_index` of the int[] result
  kRecordElement, // one `type` -> element `int_index` of the array result
  kTextPairOut,   // `width` bytes holding texts at 0 and `second` -> String[2]
  kObjectIn,      // Java object of `carrier` -> `width` bytes, not compared
  kBytesOut,      // `width` bytes, not compared
  kHeapTextOut,   // a text the core allocates and hands over through a char**
  kLineOut,       // int `int_index` + 1 bytes -> the native's String result
};

struct CoreArgument {
  Core kind;
  uint32_t width = 0;
  const kx::RecordType* type = nullptr;
  int int_index = -1;
  uint32_t second = 0;
  const char* carrier = nullptr;
};

inline CoreArgument unit(uint32_t width = 17) { return {Core::kUnit, width}; }
inline CoreArgument text(uint32_t width) { return {Core::kText, width}; }
inline CoreArgument optional_text(uint32_t width) {
  return {Core::kOptionalText, width};
}
inline CoreArgument whole_text() { return {Core::kWholeText}; }
inline CoreArgument optional_whole_text() { return {Core::kOptionalWhole}; }
inline CoreArgument int_in() { return {Core::kInt}; }
inline CoreArgument count_in() { return {Core::kCount}; }
inline CoreArgument int_out() { return {Core::kIntOut}; }
inline CoreArgument record_in(const kx::RecordType& type) {
  return {Core::kRecordIn, type.size, &type};
}
inline CoreArgument record_out(const kx::RecordType& type) {
  return {Core::kRecordOut, type.size, &type};
}
inline CoreArgument table_out(const kx::RecordType& type, uint32_t entries) {
  return {Core::kTableOut, entries, &type};
}
inline CoreArgument counted_table_out(const kx::RecordType& type,
                                      uint32_t capacity) {
  return {Core::kCountedTable, capacity, &type};
}
// A table of as many records as the call's int `int_index` (counted among the
// core function's ints) says.
inline CoreArgument sized_table_out(const kx::RecordType& type, int int_index) {
  return {Core::kSizedTable, 0, &type, int_index};
}
inline CoreArgument text_out(uint32_t width) { return {Core::kTextOut, width}; }
inline CoreArgument ints_out(uint32_t count) { return {Core::kIntsOut, 4 * count}; }
// One pointer of a split result: element `index` of the native's int[] or
// record array, each element through a pointer of its own.
inline CoreArgument int_element_out(int index) {
  return {Core::kIntElement, 4, nullptr, index};
}
inline CoreArgument record_element_out(const kx::RecordType& type, int index) {
  return {Core::kRecordElement, type.size, &type, index};
}
inline CoreArgument text_pair_out(uint32_t width, uint32_t second) {
  return {Core::kTextPairOut, width, nullptr, -1, second};
}
// An object the bridge converts by hand (a calendar): its width is checked,
// its bytes are left to hand-written tests. The carrier is made with its no-arg
// constructor; "[I" is an int[] of `width` elements.
inline CoreArgument object_in(uint32_t width, const char* carrier) {
  return {Core::kObjectIn, width, nullptr, -1, 0, carrier};
}
inline CoreArgument bytes_out(uint32_t width) { return {Core::kBytesOut, width}; }
// A NUL-terminated text the core allocates with malloc and the bridge frees.
inline CoreArgument heap_text_out() { return {Core::kHeapTextOut}; }
// A text buffer of as many bytes as the call's int `int_index` (counted among
// the core function's ints) says, and one more for the NUL.
inline CoreArgument line_out(int int_index) {
  return {Core::kLineOut, 0, nullptr, int_index};
}

// Calls the native's C entry point with Java values in parameter order.
using Invoker = std::function<jvalue(JNIEnv*, const std::vector<jvalue>&)>;

struct Row {
  const char* native = nullptr;  // "KX_GetUnitParam"
  Invoker invoke;
  std::vector<JavaKind> java;  // parameter kinds
  JavaKind result = JavaKind::kVoid;
  std::vector<CoreArgument> core;
  // An int result after a core failure; with failure_is_code the result is
  // the core's code itself.
  jint failure_value = 0;
  bool failure_is_code = false;
  // Texts all empty are refused with 258 before the core is called.
  bool empty_texts_refused = false;
  // The code a null record argument raises; the core is not called.
  jint null_record_code = 258;

  Row& fails_with(jint value) {
    failure_value = value;
    return *this;
  }
  Row& returns_core_code() {
    failure_is_code = true;
    return *this;
  }
  Row& refuses_empty_texts() {
    empty_texts_refused = true;
    return *this;
  }
  // For a native whose reader refuses a null record like any record it
  // cannot read.
  Row& refuses_null_record_with(jint code) {
    null_record_code = code;
    return *this;
  }
};

namespace detail {

template <typename T>
constexpr JavaKind kind_of() {
  if constexpr (std::is_same_v<T, void>) {
    return JavaKind::kVoid;
  } else if constexpr (std::is_same_v<T, jint>) {
    return JavaKind::kInt;
  } else if constexpr (std::is_same_v<T, jstring>) {
    return JavaKind::kString;
  } else {
    static_assert(std::is_convertible_v<T, jobject>, "unexpected JNI type");
    return JavaKind::kObject;
  }
}

template <typename T>
T from_value(const jvalue& value) {
  if constexpr (std::is_same_v<T, jint>) {
    return value.i;
  } else {
    return static_cast<T>(value.l);
  }
}

template <typename R, typename... A, size_t... I>
jvalue call(R (*entry)(JNIEnv*, jclass, A...), JNIEnv* env,
            const std::vector<jvalue>& values, std::index_sequence<I...>) {
  jvalue result{};
  if constexpr (std::is_same_v<R, void>) {
    entry(env, nullptr, from_value<A>(values[I])...);
  } else if constexpr (std::is_same_v<R, jint>) {
    result.i = entry(env, nullptr, from_value<A>(values[I])...);
  } else {
    result.l = entry(env, nullptr, from_value<A>(values[I])...);
  }
  return result;
}

}  // namespace detail

template <typename R, typename... A>
Row make_row(const char* native, R (*entry)(JNIEnv*, jclass, A...),
             std::vector<CoreArgument> core) {
  Row row;
  row.native = native;
  row.invoke = [entry](JNIEnv* env, const std::vector<jvalue>& values) {
    return detail::call(entry, env, values, std::index_sequence_for<A...>{});
  };
  row.java = {detail::kind_of<A>()...};
  row.result = detail::kind_of<R>();
  row.core = std::move(core);
  return row;
}

// Rows of one area, registered when the test program starts.
using RowSource = std::vector<Row> (*)();
struct Registrar {
  explicit Registrar(RowSource source);
};

// Every registered row, the areas' rows in registration order.
const std::vector<Row>& rows();

}  // namespace kxtest::contract

#define KX_CONTRACT(name, ...)                                      \
  ::kxtest::contract::make_row(                                     \
      "KX_" #name, &Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1##name, \
      {__VA_ARGS__})

// KX_CONTRACTS(area) { return { KX_CONTRACT(...), ... }; }
#define KX_CONTRACTS(area)                                              \
  static std::vector<::kxtest::contract::Row> area##_contract_rows();    \
  static const ::kxtest::contract::Registrar area##_contract_registrar( \
      &area##_contract_rows);                                           \
  static std::vector<::kxtest::contract::Row> area##_contract_rows()
