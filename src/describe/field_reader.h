#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace tracciato {

// Where a field starts in a description text; both count from 1, the column
// in characters (one byte each in the code page).
struct LineColumn {
  int line = 0;
  int column = 0;

  friend bool operator==(const LineColumn&, const LineColumn&) = default;
};

// A field that cannot be read: the text ended, or a number field holds
// something else or does not fit its destination. `what` says why, naming
// the field as written; the reader turns it into error 25.
class ReadFailure : public std::runtime_error {
 public:
  // Without a position the failure lies at the field read last; at {0, 0}
  // it concerns the text as a whole.
  explicit ReadFailure(const std::string& what, std::optional<LineColumn> where = std::nullopt)
      : std::runtime_error(what), where_(where) {}
  std::optional<LineColumn> where() const { return where_; }

 private:
  std::optional<LineColumn> where_;
};

// Reads a description text as one stream of fields regardless of lines. A
// field ends at a comma or a line end (CR LF, LF or CR), which it consumes;
// blanks before it are skipped. A number field also ends at a blank. The
// text must outlive the reader.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  // No byte remains after the last field and its delimiter.
  bool at_end() const { return next_ == bytes_.size(); }

  // A text field: its bytes as they stand, trailing blanks kept.
  std::string text();
  // A number field: an optionally signed decimal integer within low..high;
  // an empty field reads 0.
  std::int64_t number(std::int64_t low, std::int64_t high);
  // Calls `listener` with the start of each number field read empty from
  // now on; an empty function stops the calls.
  void on_empty_number(std::function<void(LineColumn)> listener) {
    on_empty_number_ = std::move(listener);
  }

  std::uint8_t u8() { return static_cast<std::uint8_t>(number(0, 255)); }
  std::int16_t i16() { return static_cast<std::int16_t>(number(-32768, 32767)); }
  std::int32_t i32() {
    return static_cast<std::int32_t>(
        number(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  }

  // The start of the field read last.
  LineColumn last_field() const { return last_; }
  std::string_view bytes() const { return bytes_; }

 private:
  void skip_blanks();
  bool at_line_end() const;
  void consume_line_end();
  void start_field();
  // Consumes the delimiter after a number's digits, or refuses the field
  // that started at `begin` when something else follows them.
  void end_number(std::size_t begin);
  // The field from its start as written: up to a comma, a blank or a line end.
  std::string_view written_from(std::size_t begin) const;
  [[noreturn]] void fail(const std::string& what) const;

  std::string_view bytes_;
  std::size_t next_ = 0;
  int line_ = 1;
  std::size_t line_start_ = 0;
  LineColumn last_;
  std::function<void(LineColumn)> on_empty_number_;
};

}  // namespace tracciato
