// A stand-in for the core library in the native tests. Every call records
// what crossed the boundary (its int arguments and the bytes of every buffer
// it received, within the buffer's size) and answers with a programmed code
// and programmed bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kxtest {

struct CoreCall {
  std::string function;
  std::vector<int32_t> ints;
  // Bytes of each buffer argument, in argument order, as the core saw them
  // on entry.
  std::vector<std::vector<uint8_t>> buffers;
};

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

  // Used by the double's functions.
  class Scope {
   public:
    explicit Scope(const char* function);
    Scope& value(int32_t v);
    // Records `size` input bytes; output buffers also receive their program.
    Scope& in(const void* buffer, size_t size);
    Scope& inout(void* buffer, size_t size);
    Scope& out_int(int32_t* target);
    int32_t finish();

   private:
    CoreCall call_;
  };
};

// Bytes 0, 1, 2, ... (mod 251), distinct over any stretch of record.
std::vector<uint8_t> pattern_bytes(size_t size, uint8_t seed = 1);

}  // namespace kxtest
