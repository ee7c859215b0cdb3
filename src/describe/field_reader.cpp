#include "describe/field_reader.h"

#include "platform/diagnostic.h"

namespace tracciato {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool ends_line(char c) {
  return c == '\n' || c == '\r';
}

// No destination is wider than 32 bits: a longer number is refused whole.
constexpr std::int64_t saturated = 99'999'999'999;

}  // namespace

void FieldReader::skip_blanks() {
  while (next_ < bytes_.size() && is_blank(bytes_[next_])) ++next_;
}

bool FieldReader::at_line_end() const {
  return next_ < bytes_.size() && ends_line(bytes_[next_]);
}

void FieldReader::consume_line_end() {
  if (bytes_[next_] == '\r' && next_ + 1 < bytes_.size() && bytes_[next_ + 1] == '\n') ++next_;
  ++next_;
  ++line_;
  line_start_ = next_;
}

void FieldReader::start_field() {
  if (at_end()) fail("the text ends where a value was expected");
  skip_blanks();
  last_ = {line_, static_cast<int>(next_ - line_start_) + 1};
}

std::string_view FieldReader::written_from(std::size_t begin) const {
  std::size_t end = begin;
  while (end < bytes_.size() && bytes_[end] != ',' && !is_blank(bytes_[end]) &&
         !ends_line(bytes_[end])) {
    ++end;
  }
  return bytes_.substr(begin, end - begin);
}

void FieldReader::fail(const std::string& what) const {
  throw ReadFailure(what, last_);
}

std::string FieldReader::text() {
  start_field();
  const std::size_t begin = next_;
  while (next_ < bytes_.size() && bytes_[next_] != ',' && !at_line_end()) ++next_;
  if (next_ - begin > 65535) fail("a text field longer than 65535 bytes");
  std::string field(bytes_.substr(begin, next_ - begin));
  if (next_ < bytes_.size()) {
    if (bytes_[next_] == ',') {
      ++next_;
    } else {
      consume_line_end();
    }
  }
  return field;
}

std::int64_t FieldReader::number(std::int64_t low, std::int64_t high) {
  start_field();
  const std::size_t begin = next_;
  bool negative = false;
  if (next_ < bytes_.size() && (bytes_[next_] == '+' || bytes_[next_] == '-')) {
    negative = bytes_[next_] == '-';
    ++next_;
    if (next_ >= bytes_.size() || !is_digit(bytes_[next_])) {
      fail("expected a whole number, found " + quoted_excerpt(written_from(begin)));
    }
  }
  std::int64_t value = 0;
  while (next_ < bytes_.size() && is_digit(bytes_[next_])) {
    value = std::min(value * 10 + (bytes_[next_] - '0'), saturated);
    ++next_;
  }
  const bool empty = next_ == begin;
  end_number(begin);
  if (empty && on_empty_number_) on_empty_number_(last_);
  if (negative) value = -value;
  if (value < low || value > high) {
    const std::string shown = value == saturated || value == -saturated
                                  ? excerpt(written_from(begin))
                                  : std::to_string(value);
    fail(shown + " does not fit in " + std::to_string(low) + ".." + std::to_string(high));
  }
  return value;
}

void FieldReader::end_number(std::size_t begin) {
  if (next_ < bytes_.size() && is_blank(bytes_[next_])) {
    // Blanks end the number; a comma or line end right after them belongs
    // to the same delimiter.
    skip_blanks();
    if (next_ < bytes_.size() && bytes_[next_] == ',') {
      ++next_;
    } else if (at_line_end()) {
      consume_line_end();
    }
  } else if (next_ < bytes_.size() && bytes_[next_] == ',') {
    ++next_;
  } else if (at_line_end()) {
    consume_line_end();
  } else if (next_ < bytes_.size()) {
    const std::string_view written = written_from(begin);
    const std::size_t point = written.find('.');
    const bool decimal = next_ > begin && bytes_[next_] == '.' && point + 1 < written.size() &&
                         written.find_first_not_of("0123456789", point + 1) == std::string::npos;
    fail(decimal ? "decimal numbers are not allowed here, found " + quoted_excerpt(written)
                 : "expected a whole number, found " + quoted_excerpt(written));
  }
}

}  // namespace tracciato
