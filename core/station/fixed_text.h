// Text fields of the core's C records: fixed-width byte buffers holding
// NUL-terminated text. The bytes are kept exactly as given; the core does not
// interpret their encoding.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <optional>
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

namespace tesk740 {

// Java hands the core text in modified UTF-8: NUL as C0 80 and characters
// outside the Basic Multilingual Plane as two three-byte surrogates. Returns
// the same text in standard UTF-8, which the file system expects, or nothing
// when it holds a NUL, a lone surrogate or a byte sequence that is not text.
std::optional<std::string> DecodeModifiedUtf8(std::string_view text);

// Whether modified UTF-8 text holds an encoded NUL (C0 80).
inline bool HoldsEncodedNul(std::string_view text) {
  return text.find("\xC0\x80") != std::string_view::npos;
}

}  // namespace tesk740
