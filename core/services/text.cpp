// Texts, host names and the station directory for the notification and host
// services.
#include <sqlite3.h>

#include <cstring>
#include <ctime>
#include <filesystem>

#include "kx_errors.h"
#include "model/clock.h"
#include "services/services.h"

namespace tesk740 {
namespace {

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool IsIpv4(std::string_view text) {
  int parts = 0;
  while (!text.empty()) {
    const size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    if (!IsDigits(part) || part.size() > 3 || std::stoi(std::string(part)) > 255) {
      return false;
    }
    ++parts;
    if (dot == std::string_view::npos) break;
    text.remove_prefix(dot + 1);
    if (text.empty()) return false;
  }
  return parts == 4;
}

bool IsIpv6(std::string_view text) {
  if (text.size() < 2 || text.size() > 45) return false;
  for (char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') ||
                     (c >= 'A' && c <= 'F');
    if (!hex && c != ':' && c != '.') return false;
  }
  return text.find(':') != std::string_view::npos;
}

}  // namespace

std::string StationFile(const std::string& directory, const char* name) {
  return (std::filesystem::u8path(directory) / name).u8string();
}

int32_t TryReadText(const char* field, size_t width, std::string* text) {
  if (field == nullptr) return KXE_INVALID_ARGUMENT;
  const void* end = std::memchr(field, '\0', width);
  if (end == nullptr) return KXE_INVALID_ARGUMENT;
  text->assign(field, static_cast<const char*>(end) - field);
  return KX_OK;
}

bool ToStandardUtf8(std::string_view text, std::string* utf8) {
  utf8->clear();
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t i = 0;
  // Decodes one sequence of 1..3 bytes (modified UTF-8 has no four-byte
  // form, standard UTF-8 does: both are accepted).
  auto decode = [&](uint32_t* code) -> bool {
    const unsigned char lead = bytes[i];
    size_t length;
    uint32_t value;
    if (lead < 0x80) {
      length = 1, value = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, value = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > size) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
      value = (value << 6) | (bytes[i + k] & 0x3F);
    }
    // Overlong forms are malformed, except Java's C0 80 for NUL, which is
    // refused below as a NUL.
    static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kMinimum[length] && !(length == 2 && value == 0)) return false;
    if (value > 0x10FFFF) return false;
    i += length;
    *code = value;
    return true;
  };
  auto append = [&](uint32_t code) {
    if (code < 0x80) {
      utf8->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      utf8->push_back(static_cast<char>(0xC0 | (code >> 6)));
      utf8->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      utf8->push_back(static_cast<char>(0xE0 | (code >> 12)));
      utf8->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      utf8->push_back(static_cast<char>(0xF0 | (code >> 18)));
      utf8->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      utf8->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  };
  while (i < size) {
    uint32_t code;
    if (!decode(&code) || code == 0) return false;
    if (code >= 0xD800 && code <= 0xDBFF) {
      // A high surrogate must be followed by a low one: Java's form of a
      // character beyond the BMP.
      uint32_t low;
      if (i >= size || !decode(&low) || low < 0xDC00 || low > 0xDFFF) {
        return false;
      }
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    } else if (code >= 0xDC00 && code <= 0xDFFF) {
      return false;
    }
    append(code);
  }
  return true;
}

std::string_view CutUtf8(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t end = limit;
  // Step back over continuation bytes to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  return text.substr(0, end);
}

bool IsHostName(std::string_view text) {
  if (text.empty() || text.size() > 253) return false;
  while (true) {
    const size_t dot = text.find('.');
    const std::string_view label = text.substr(0, dot);
    if (label.empty() || label.size() > 63 || label.front() == '-' ||
        label.back() == '-') {
      return false;
    }
    for (char c : label) {
      const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                      (c >= '0' && c <= '9') || c == '-';
      if (!ok) return false;
    }
    // An all-digit top label would be a malformed address, not a name.
    if (dot == std::string_view::npos) return !IsDigits(label);
    text.remove_prefix(dot + 1);
  }
}

bool ParseHostPort(std::string_view text, int default_port, std::string* host,
                   int* port) {
  std::string_view name = text;
  std::string_view port_text;
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    name = text.substr(1, close - 1);
    if (!IsIpv6(name)) return false;
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return false;
      port_text = rest.substr(1);
      if (port_text.empty()) return false;
    }
    *host = "[" + std::string(name) + "]";
  } else {
    const size_t colon = text.find(':');
    if (colon != std::string_view::npos) {
      name = text.substr(0, colon);
      port_text = text.substr(colon + 1);
      if (port_text.empty()) return false;
    }
    if (!IsIpv4(name) && !IsHostName(name)) return false;
    *host = std::string(name);
  }
  *port = default_port;
  if (!port_text.empty()) {
    if (!IsDigits(port_text) || port_text.size() > 5) return false;
    *port = std::stoi(std::string(port_text));
    if (*port < 1 || *port > 65535) return false;
  }
  return true;
}

std::string FormatLocalTime(int64_t time_ms) {
  const std::tm local = LocalTime(time_ms / 1000);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

}  // namespace tesk740
