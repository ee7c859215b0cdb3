#include "platform/terminal_text.h"

namespace tracciato {
namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

bool is_c0_or_delete(unsigned char b) {
  return (b < 0x20 && b != '\t') || b == 0x7F;
}

// U+0080 to U+009F, which UTF-8 writes as C2 80 to C2 9F.
bool is_c1(std::string_view text, std::size_t at) {
  if (static_cast<unsigned char>(text[at]) != 0xC2 || at + 1 >= text.size()) return false;
  const auto next = static_cast<unsigned char>(text[at + 1]);
  return next >= 0x80 && next <= 0x9F;
}

}  // namespace

std::string terminal_text(std::string_view utf8) {
  std::string safe;
  safe.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (is_c0_or_delete(static_cast<unsigned char>(utf8[i]))) {
      safe += replacement;
    } else if (is_c1(utf8, i)) {
      safe += replacement;
      ++i;
    } else {
      safe += utf8[i];
    }
  }
  return safe;
}

}  // namespace tracciato
