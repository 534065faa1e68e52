// A stand-in for the core library in the native tests. Every core function is
// generated from its declaration (generate_double.py) and records what crossed
// the boundary: its int arguments in order, its pointers, and the bytes of
// every buffer it received, within the buffer's width. The widths come from
// the contract rows of the native tests, the one place that says what each
// pointer carries. Each call answers with a programmed code and programmed
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace kxtest {

struct CoreCall {
  std::string function;
  std::vector<int32_t> ints;
  // Every pointer argument, in argument order.
  std::vector<const void*> pointers;
  // Bytes of each buffer argument (pointers other than int out-parameters),
  // in argument order, as the core saw them on entry.
  std::vector<std::vector<uint8_t>> buffers;
};

// One argument of a core call, as the generated functions pass it.
struct CoreArg {
  enum Kind : uint8_t {
    kValue,       // int32_t by value
    kInput,       // pointer the core only reads
    kOutput,      // pointer the core may write through
    kPointerOut,  // pointer through which the core hands out a heap buffer
  };
  Kind kind;
  int32_t number;
  void* pointer;

  static CoreArg value(int32_t v) { return {kValue, v, nullptr}; }
  static CoreArg input(const void* p) {
    return {kInput, 0, const_cast<void*>(p)};
  }
  static CoreArg output(void* p) { return {kOutput, 0, p}; }
  static CoreArg pointer_out(void** p) { return {kPointerOut, 0, p}; }
};

// What lies behind one pointer argument.
struct PointerWidth {
  enum Kind : uint8_t {
    kBytes,    // `bytes` bytes
    kPerInt,   // bytes * (int `int_index` of the call) + extra
    kCString,  // a NUL-terminated text of any length, NUL included
    kOutInt,   // an int32_t out-parameter: not a buffer
    kHeapOut,  // char**: receives a malloc'd copy of its program on success
  };
  Kind kind;
  size_t bytes = 0;
  int int_index = 0;
  size_t extra = 0;
};

// The widths of `function`'s pointer arguments in order, or null when no
// contract row names the function (its pointers are then recorded without
// bytes). Defined by the contract rows.
const std::vector<PointerWidth>* pointer_widths(const std::string& function);

// A core function's declared arguments: one letter each, 'i' int, 'c'
// read-only pointer, 'm' writable pointer, 'p' pointer to pointer.
struct CoreDeclaration {
  const char* function;
  const char* arguments;
};
extern const CoreDeclaration kCoreDeclarations[];
extern const size_t kCoreDeclarationCount;

class CoreDouble {
 public:
  // Forgets every call and program.
  static void reset();

  // The code the next calls return (0 unless programmed).
  static void set_code(int32_t code);
  // Bytes written into output buffer `index` (counted among the buffers the
  // function receives) before returning; shorter programs leave the rest of
  // the buffer as it was.
  static void set_output(size_t index, std::vector<uint8_t> bytes);
  // Value stored through an int out-parameter.
  static void set_out_int(int32_t value);

  static const std::vector<CoreCall>& calls();
  static const CoreCall& last_call();
  static size_t call_count();

  // Used by the generated functions.
  static int32_t record_call(const char* function,
                             std::initializer_list<CoreArg> args);
};

// Bytes 0, 1, 2, ... (mod 251), distinct over any stretch of record.
std::vector<uint8_t> pattern_bytes(size_t size, uint8_t seed = 1);

}  // namespace kxtest
