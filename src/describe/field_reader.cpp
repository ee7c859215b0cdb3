#include "describe/field_reader.h"

namespace tracciato {
namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

FieldReader::FieldReader(std::string bytes) : bytes_(std::move(bytes)) {}

void FieldReader::skip_blanks() {
  while (next_ < bytes_.size() && is_blank(bytes_[next_])) ++next_;
}

bool FieldReader::at_line_end() const {
  return next_ < bytes_.size() && (bytes_[next_] == '\n' || bytes_[next_] == '\r');
}

void FieldReader::consume_line_end() {
  if (bytes_[next_] == '\r' && next_ + 1 < bytes_.size() && bytes_[next_ + 1] == '\n') ++next_;
  ++next_;
  ++line_;
  line_start_ = next_;
}

void FieldReader::start_field() {
  if (at_end()) fail("the text ends where a field was expected");
  skip_blanks();
  last_ = {line_, static_cast<int>(next_ - line_start_) + 1};
}

void FieldReader::fail(const std::string& what) const {
  throw ReadFailure(what, last_);
}

std::string FieldReader::text() {
  start_field();
  const std::size_t begin = next_;
  while (next_ < bytes_.size() && bytes_[next_] != ',' && !at_line_end()) ++next_;
  std::string field = bytes_.substr(begin, next_ - begin);
  if (field.size() > 65535) fail("a text field longer than 65535 bytes");
  if (next_ < bytes_.size()) {
    if (bytes_[next_] == ',') {
      ++next_;
    } else {
      consume_line_end();
    }
  }
  return field;
}

std::int64_t FieldReader::number() {
  start_field();
  bool negative = false;
  if (next_ < bytes_.size() && (bytes_[next_] == '+' || bytes_[next_] == '-')) {
    negative = bytes_[next_] == '-';
    ++next_;
    if (next_ >= bytes_.size() || !is_digit(bytes_[next_])) fail("a sign without digits");
  }
  std::int64_t value = 0;
  while (next_ < bytes_.size() && is_digit(bytes_[next_])) {
    value = value * 10 + (bytes_[next_] - '0');
    if (value > 99'999'999'999) fail("a number too large for any field");
    ++next_;
  }
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
    fail(std::string("'") + bytes_[next_] + "' in a number field");
  }
  return negative ? -value : value;
}

std::string_view FieldReader::line_text(int line) const {
  std::size_t begin = 0;
  for (int l = 1; l < line && begin < bytes_.size(); ++l) {
    while (begin < bytes_.size() && bytes_[begin] != '\n' && bytes_[begin] != '\r') ++begin;
    if (begin < bytes_.size() && bytes_[begin] == '\r' && begin + 1 < bytes_.size() &&
        bytes_[begin + 1] == '\n') {
      ++begin;
    }
    if (begin < bytes_.size()) ++begin;
  }
  std::size_t end = begin;
  while (end < bytes_.size() && bytes_[end] != '\n' && bytes_[end] != '\r') ++end;
  return std::string_view(bytes_).substr(begin, end - begin);
}

}  // namespace tracciato
