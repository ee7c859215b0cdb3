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

// Converts UTF-8 to Windows-1252, one byte per character (the C1 controls
// U+0081, U+008D, U+008F, U+0090 and U+009D to their own bytes). Throws
// EncodingError naming the character (and `where`) when one has no byte.
std::string to_code_page(std::string_view utf8, std::string_view where = {});

// What becomes of the five bytes Windows-1252 leaves unassigned (81 8D 8F 90
// 9D): U+FFFD, for a person, or the C1 control of the same number, which
// to_code_page turns back into the byte, for a program.
enum class Unassigned { replaced, kept };

// Converts Windows-1252 bytes to UTF-8; the result is always valid UTF-8.
std::string from_code_page(std::string_view bytes, Unassigned unassigned = Unassigned::replaced);

// True when every byte of `bytes` is a character of Windows-1252 (the five
// unassigned bytes 81 8D 8F 90 9D are not).
bool holds_only_code_page_bytes(std::string_view bytes);

}  // namespace tracciato
