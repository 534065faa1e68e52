// Text fields of the core's C records: fixed-width byte buffers holding
// NUL-terminated text. The bytes are kept exactly as given; the core does not
// interpret their encoding.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tesk740 {

// Reads the text before the first NUL of a `width`-byte field. False when
// the field holds no NUL, so at most width - 1 bytes of text are accepted.
inline bool ReadFixedText(const char* field, size_t width, std::string* text) {
  const void* end = std::memchr(field, '\0', width);
  if (end == nullptr) return false;
  text->assign(field, static_cast<const char*>(end) - field);
  return true;
}

// Writes text into a `width`-byte field, cut to width - 1 bytes, and
// zero-fills the rest so no stale byte of the caller's buffer survives.
inline void WriteFixedText(std::string_view text, char* field, size_t width) {
  const size_t size = text.size() < width ? text.size() : width - 1;
  std::memcpy(field, text.data(), size);
  std::memset(field + size, 0, width - size);
}

}  // namespace tesk740
