// SHA-256 (FIPS 180-4), for the station's password hashes. Small and
// self-contained so the core needs no cryptography library.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tesk740 {

std::array<uint8_t, 32> Sha256(std::string_view data);
// Lower-case hexadecimal of any bytes.
std::string ToHex(const uint8_t* bytes, size_t size);

}  // namespace tesk740
