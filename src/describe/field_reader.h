#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tracciato {

// Where a field starts in a description text; both count from 1, the column
// in characters (one byte each in the code page).
struct SourceLocation {
  int line = 0;
  int column = 0;
};

// A field that cannot be read: the text ended, or a number field holds
// something else or does not fit its destination. The reader turns it into
// error 25.
class ReadFailure : public std::runtime_error {
 public:
  // Without a location the failure lies at the field read last.
  ReadFailure(const std::string& what, SourceLocation where = {})
      : std::runtime_error(what), where_(where) {}
  SourceLocation where() const { return where_; }

 private:
  SourceLocation where_;
};

// Reads a description text as one stream of fields regardless of lines. A
// field ends at a comma or a line end (CR LF, LF or CR), which it consumes;
// blanks before it are skipped. A number field also ends at a blank.
class FieldReader {
 public:
  explicit FieldReader(std::string bytes);

  // No byte remains after the last field and its delimiter.
  bool at_end() const { return next_ == bytes_.size(); }

  // A text field: its bytes as they stand, trailing blanks kept.
  std::string text();
  // A number field: an optionally signed decimal integer; empty reads 0.
  std::int64_t number();

  std::uint8_t u8() { return checked<std::uint8_t>(0, 255, "an unsigned 8-bit"); }
  std::int16_t i16() { return checked<std::int16_t>(-32768, 32767, "a 16-bit"); }
  std::int32_t i32() { return checked<std::int32_t>(INT32_MIN, INT32_MAX, "a 32-bit"); }

  // The start of the field read last.
  SourceLocation last_field() const { return last_; }
  // The whole line a location lies on, without its line end.
  std::string_view line_text(int line) const;

 private:
  template <typename T>
  T checked(std::int64_t low, std::int64_t high, const char* what) {
    const std::int64_t value = number();
    if (value < low || value > high) {
      throw ReadFailure(std::to_string(value) + " does not fit " + what + " field", last_);
    }
    return static_cast<T>(value);
  }
  void skip_blanks();
  bool at_line_end() const;
  void consume_line_end();
  void start_field();
  [[noreturn]] void fail(const std::string& what) const;

  std::string bytes_;
  std::size_t next_ = 0;
  int line_ = 1;
  std::size_t line_start_ = 0;
  SourceLocation last_;
};

}  // namespace tracciato
