#include "platform/json.h"

#include <string_view>

namespace tracciato {
namespace {

// The length of the well-formed UTF-8 character at the start of `s`, or 0.
std::size_t utf8_length(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  std::size_t n = 0;
  char32_t low = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
    low = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    low = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    low = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  char32_t c = lead & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    const auto next = static_cast<unsigned char>(s[k]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  return c < low || c > 0x10FFFF || surrogate ? 0 : n;
}

}  // namespace

std::string json_string(std::string_view text) {
  std::string out = "\"";
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      static constexpr std::string_view hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 0xF];
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (const std::size_t n = utf8_length(text.substr(i)); n > 0) {
      out += text.substr(i, n);
      i += n;
      continue;
    } else {
      out += "\xEF\xBF\xBD";
    }
    ++i;
  }
  return out + "\"";
}

}  // namespace tracciato
