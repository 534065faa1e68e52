#include "station/fixed_text.h"

#include <cstdint>

namespace tesk740 {
namespace {

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

std::optional<std::string> DecodeModifiedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* b = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  size_t i = 0;
  // Decodes the character at i, advancing i; nothing for a malformed one.
  auto next = [&]() -> std::optional<uint32_t> {
    const uint8_t lead = b[i];
    if (lead < 0x80) {
      ++i;
      return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      if (i + 1 >= n || !IsContinuation(b[i + 1])) return std::nullopt;
      uint32_t code = ((lead & 0x1Fu) << 6) | (b[i + 1] & 0x3Fu);
      i += 2;
      return code;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
      if (i + 2 >= n || !IsContinuation(b[i + 1]) ||
          !IsContinuation(b[i + 2])) {
        return std::nullopt;
      }
      uint32_t code = ((lead & 0x0Fu) << 12) | ((b[i + 1] & 0x3Fu) << 6) |
                      (b[i + 2] & 0x3Fu);
      if (code < 0x800) return std::nullopt;
      i += 3;
      return code;
    }
    // C0 80 (NUL), four-byte forms and stray bytes are not accepted.
    return std::nullopt;
  };
  while (i < n) {
    std::optional<uint32_t> code = next();
    if (!code) return std::nullopt;
    if (*code >= 0xD800 && *code <= 0xDBFF) {
      if (i >= n) return std::nullopt;
      std::optional<uint32_t> low = next();
      if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
      *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
    } else if (*code >= 0xDC00 && *code <= 0xDFFF) {
      return std::nullopt;
    }
    AppendUtf8(*code, &out);
  }
  return out;
}

}  // namespace tesk740
