#pragma once

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tracciato {

// Appends fields in the compiled files' encoding: little-endian integers of
// their exact width, IEEE binary64 doubles, counted byte texts.
class ByteImage {
 public:
  void u8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void i16(std::int16_t v) { little(static_cast<std::uint16_t>(v), 2); }
  void u16(std::uint16_t v) { little(v, 2); }
  void i32(std::int32_t v) { little(static_cast<std::uint32_t>(v), 4); }
  void f64(double v) { little(std::bit_cast<std::uint64_t>(v), 8); }
  // A text: 16-bit byte count, then the bytes, no terminator. The readers
  // refuse longer texts, so a longer one here is a fault of the program.
  void text(std::string_view bytes) {
    if (bytes.size() > 0xFFFF) throw std::length_error("a text longer than 65535 bytes");
    u16(static_cast<std::uint16_t>(bytes.size()));
    bytes_.append(bytes.data(), bytes.size());
  }

  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }

 private:
  void little(std::uint64_t v, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  std::string bytes_;
};

}  // namespace tracciato
