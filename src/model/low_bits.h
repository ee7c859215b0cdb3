#pragma once

#include <cstdint>

namespace tracciato {

// The stores a cell takes "as its low bits": they wrap, by design of the
// track file, where every other conversion is checked.
constexpr std::uint8_t low_8(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}
constexpr std::int16_t low_16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

static_assert(low_8(300) == 44 && low_8(-3) == 253 && low_16(65535) == -1);

}  // namespace tracciato
