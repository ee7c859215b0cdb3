#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tracciato {

// A character of the program's own texts that the Western single-byte code
// page (Windows-1252) cannot hold. The build refuses it rather than mangle it.
class EncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Converts UTF-8 to Windows-1252, one byte per character. Throws
// EncodingError naming the character (and `where`) when one has no byte.
std::string to_code_page(std::string_view utf8, std::string_view where = {});

// Converts Windows-1252 bytes to UTF-8; the five unassigned bytes become
// U+FFFD, so the result is always valid UTF-8.
std::string from_code_page(std::string_view bytes);

// True when every byte of `bytes` is a character of Windows-1252 (the five
// unassigned bytes 81 8D 8F 90 9D are not).
bool holds_only_code_page_bytes(std::string_view bytes);

}  // namespace tracciato
