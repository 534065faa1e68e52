#include "maintenance/modified_utf8.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "bridge/errors.h"

namespace kx {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

void AppendThreeByte(uint32_t unit, std::string* out) {
  out->push_back(static_cast<char>(0xE0 | (unit >> 12)));
  out->push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
  out->push_back(static_cast<char>(0x80 | (unit & 0x3F)));
}

// Length of the well-formed modified UTF-8 sequence at `at` (1..3 bytes),
// or 0 when the bytes there start none. `left` bytes are readable.
size_t ModifiedSequenceLength(const uint8_t* at, size_t left) {
  const uint8_t lead = at[0];
  if (lead >= 0x01 && lead <= 0x7F) return 1;
  if (lead == 0xC0) return left >= 2 && at[1] == 0x80 ? 2 : 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    return left >= 2 && IsContinuation(at[1]) ? 2 : 0;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (left < 3 || !IsContinuation(at[1]) || !IsContinuation(at[2])) return 0;
    // Overlong three-byte forms are not modified UTF-8; encoded surrogates
    // (ED A0..BF) are, since Java strings are UTF-16.
    if (lead == 0xE0 && at[1] < 0xA0) return 0;
    return 3;
  }
  return 0;
}

// The code point of a well-formed four-byte UTF-8 sequence at `at`, or 0.
uint32_t FourByteCodePoint(const uint8_t* at, size_t left) {
  const uint8_t lead = at[0];
  if (lead < 0xF0 || lead > 0xF4 || left < 4) return 0;
  if (!IsContinuation(at[1]) || !IsContinuation(at[2]) ||
      !IsContinuation(at[3])) {
    return 0;
  }
  const uint32_t code_point = (static_cast<uint32_t>(lead & 0x07) << 18) |
                              (static_cast<uint32_t>(at[1] & 0x3F) << 12) |
                              (static_cast<uint32_t>(at[2] & 0x3F) << 6) |
                              static_cast<uint32_t>(at[3] & 0x3F);
  return code_point >= 0x10000 && code_point <= 0x10FFFF ? code_point : 0;
}

}  // namespace

bool to_modified_utf8(const char* bytes, size_t length, std::string* out) {
  out->clear();
  // Every input byte becomes at most three output bytes.
  if (length > std::numeric_limits<size_t>::max() / 3 ||
      length * 3 > out->max_size()) {
    return false;
  }
  out->reserve(length);
  const uint8_t* at = reinterpret_cast<const uint8_t*>(bytes);
  size_t left = length;
  while (left > 0) {
    if (at[0] == 0x00) {
      out->append("\xC0\x80", 2);
      ++at;
      --left;
      continue;
    }
    const size_t sequence = ModifiedSequenceLength(at, left);
    if (sequence > 0) {
      out->append(reinterpret_cast<const char*>(at), sequence);
      at += sequence;
      left -= sequence;
      continue;
    }
    const uint32_t code_point = FourByteCodePoint(at, left);
    if (code_point != 0) {
      const uint32_t offset = code_point - 0x10000;
      AppendThreeByte(0xD800 | (offset >> 10), out);
      AppendThreeByte(0xDC00 | (offset & 0x3FF), out);
      at += 4;
      left -= 4;
      continue;
    }
    out->append(kReplacement, 3);
    ++at;
    --left;
  }
  return true;
}

jstring new_string_from_core(JNIEnv* env, const char* text,
                             size_t max_length) {
  size_t length = 0;
  while (length < max_length && text[length] != '\0') ++length;
  std::string safe;
  if (!to_modified_utf8(text, length, &safe)) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  return env->NewStringUTF(safe.c_str());
}

}  // namespace kx
