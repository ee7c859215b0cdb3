#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "platform/byte_sink.h"

namespace tracciato {

// Writes fields in the compiled files' encoding: little-endian integers of
// their exact width, IEEE binary64 doubles, counted byte texts. The bytes
// pass through a fixed buffer to the sink, so a file of any size costs the
// same 64 KB of memory. finish() hands over what is left; a writer dropped
// without it (a failure on the way) hands over nothing more.
class ByteWriter {
 public:
  // The buffer is filled before it is read, so it starts unset.
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-member-init)
  explicit ByteWriter(ByteSink& sink) : sink_(sink) {}
  ~ByteWriter() = default;
  ByteWriter(const ByteWriter&) = delete;
  ByteWriter& operator=(const ByteWriter&) = delete;
  ByteWriter(ByteWriter&&) = delete;
  ByteWriter& operator=(ByteWriter&&) = delete;

  void u8(std::uint8_t v) { little<1>(v); }
  void i16(std::int16_t v) { little<2>(static_cast<std::uint16_t>(v)); }
  void u16(std::uint16_t v) { little<2>(v); }
  void i32(std::int32_t v) { little<4>(static_cast<std::uint32_t>(v)); }
  void f64(double v) { little<8>(std::bit_cast<std::uint64_t>(v)); }
  // A text: 16-bit byte count, then the bytes, no terminator. The readers
  // refuse longer texts, so a longer one here is a fault of the program.
  void text(std::string_view bytes) {
    if (bytes.size() > 0xFFFF) throw std::length_error("a text longer than 65535 bytes");
    u16(static_cast<std::uint16_t>(bytes.size()));
    room(bytes.size());  // the longest text fits the buffer whole
    bytes.copy(buffer_.data() + used_, bytes.size());
    used_ += bytes.size();
  }

  // The most bytes one claim or span may take.
  static constexpr std::size_t capacity = std::size_t{1} << 16;

  // Room for n more bytes, handed out to be filled in place with put<>().
  char* claim(std::size_t n) {
    room(n);
    char* out = buffer_.data() + used_;
    used_ += n;
    return out;
  }
  // Room for up to n more bytes, for a run of fields whose widths vary:
  // fill them in place with put<>(), then close_span(end) keeps the bytes
  // up to `end`. One test of the room for a whole run, not one per field.
  char* open_span(std::size_t n) {
    room(n);
    return buffer_.data() + used_;
  }
  void close_span(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  template <int width>
  static void put(char* out, std::uint64_t v) {
    if constexpr (std::endian::native == std::endian::little) {
      // The value's own bytes are already in file order: one store.
      std::memcpy(out, &v, width);
    } else {
      for (int i = 0; i < width; ++i) out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
  }

  void finish() { flush(); }

 private:
  void room(std::size_t n) {
    if (capacity - used_ < n) flush();
  }
  void flush() {
    sink_.write(std::string_view(buffer_.data(), used_));
    used_ = 0;
  }
  template <int width>
  void little(std::uint64_t v) {
    put<width>(claim(width), v);
  }

  ByteSink& sink_;
  std::size_t used_ = 0;
  std::array<char, capacity> buffer_;
};

}  // namespace tracciato
