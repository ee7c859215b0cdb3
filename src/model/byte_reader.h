#pragma once

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tracciato {

// A compiled file that cannot be decoded: the file's name, the byte offset
// where decoding failed, and why.
class DecodeFailure : public std::runtime_error {
 public:
  DecodeFailure(const std::string& file, std::size_t offset, const std::string& why)
      : std::runtime_error(file + ": byte " + std::to_string(offset) + ": " + why),
        offset_(offset) {}
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Takes fields back out of a compiled file's bytes, in the encoding
// ByteWriter writes; never reads past the end, but fails there, naming the
// field it wanted.
class ByteReader {
 public:
  ByteReader(std::string_view bytes, std::string file) : bytes_(bytes), file_(std::move(file)) {}

  bool at_end() const { return next_ == bytes_.size(); }
  std::size_t offset() const { return next_; }
  std::size_t left() const { return bytes_.size() - next_; }

  std::uint8_t u8(const char* what) { return static_cast<std::uint8_t>(little(1, what)); }
  std::int16_t i16(const char* what) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(little(2, what)));
  }
  std::uint16_t u16(const char* what) { return static_cast<std::uint16_t>(little(2, what)); }
  std::int32_t i32(const char* what) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(little(4, what)));
  }
  double f64(const char* what) { return std::bit_cast<double>(little(8, what)); }
  // Steps over `width` bytes of a field.
  void skip(std::size_t width, const char* what) {
    if (left() < width) fail(next_, std::string("the file ends inside ") + what);
    next_ += width;
  }
  // A text: a 16-bit byte count, then the bytes.
  std::string text(const char* what) {
    const std::size_t start = next_;
    const std::uint16_t count = u16(what);
    if (count > left()) {
      fail(start, std::string(what) + " counts " + std::to_string(count) + " bytes, but only " +
                      std::to_string(left()) + " remain");
    }
    std::string out(bytes_.substr(next_, count));
    next_ += count;
    return out;
  }

  [[noreturn]] void fail(std::size_t offset, const std::string& why) const {
    throw DecodeFailure(file_, offset, why);
  }

 private:
  std::uint64_t little(int width, const char* what) {
    if (left() < static_cast<std::size_t>(width)) {
      fail(next_, std::string("the file ends inside ") + what);
    }
    std::uint64_t v = 0;
    for (int i = 0; i < width; ++i) {
      v |= std::uint64_t{static_cast<std::uint8_t>(bytes_[next_ + static_cast<std::size_t>(i)])}
           << (8 * i);
    }
    next_ += static_cast<std::size_t>(width);
    return v;
  }

  std::string_view bytes_;
  std::string file_;
  std::size_t next_ = 0;
};

}  // namespace tracciato
