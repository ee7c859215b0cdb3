#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace tracciato {
namespace {

// The characters Windows-1252 puts in bytes 80..9F; 0 where the byte is unassigned.
constexpr std::array<char32_t, 32> high_controls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool unassigned(char32_t b) {
  return b >= 0x80 && b <= 0x9F && high_controls[b - 0x80] == 0;
}

std::optional<unsigned char> byte_for(char32_t c) {
  // An unassigned byte comes back from the control of its own number.
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || unassigned(c)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < high_controls.size(); ++i) {
    if (high_controls[i] != 0 && high_controls[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// U+ and at least four upper-case hex digits.
std::string code_point_name(char32_t c) {
  static constexpr std::string_view hex = "0123456789ABCDEF";
  std::string digits;
  for (int shift = 20; shift >= 0; shift -= 4) {
    const auto digit = static_cast<std::size_t>((c >> shift) & 0xF);
    if (digit != 0 || !digits.empty() || shift < 16) digits += hex[digit];
  }
  return "U+" + digits;
}

[[noreturn]] void refuse(std::string_view what, std::string_view where) {
  std::string message(what);
  if (!where.empty()) message += " in " + std::string(where);
  throw EncodingError(message);
}

// The character at the start of `utf8` and its length in bytes.
std::pair<char32_t, std::size_t> decode_utf8(std::string_view utf8, std::string_view where) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  const int extra = lead < 0x80           ? 0
                    : (lead >> 5) == 0x6  ? 1
                    : (lead >> 4) == 0xE  ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
  if (extra < 0 || static_cast<std::size_t>(extra) >= utf8.size()) refuse("invalid UTF-8", where);
  char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
  for (std::size_t k = 1; k <= static_cast<std::size_t>(extra); ++k) {
    const auto next = static_cast<unsigned char>(utf8[k]);
    if ((next & 0xC0) != 0x80) refuse("invalid UTF-8", where);
    c = (c << 6) | (next & 0x3F);
  }
  return {c, static_cast<std::size_t>(extra) + 1};
}

}  // namespace

std::string to_code_page(std::string_view utf8, std::string_view where) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto [c, length] = decode_utf8(utf8.substr(i), where);
    const auto byte = byte_for(c);
    if (!byte) {
      refuse("character " + std::string(utf8.substr(i, length)) + " (" + code_point_name(c) +
                 ") has no byte in the Windows-1252 code page",
             where);
    }
    out.push_back(static_cast<char>(*byte));
    i += length;
  }
  return out;
}

std::string from_code_page(std::string_view bytes, Unassigned unassigned_bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    char32_t c = b;
    if (unassigned(b)) {
      c = unassigned_bytes == Unassigned::replaced ? 0xFFFD : b;
    } else if (b >= 0x80 && b <= 0x9F) {
      c = high_controls[b - 0x80];
    }
    append_utf8(out, c);
  }
  return out;
}

bool holds_only_code_page_bytes(std::string_view bytes) {
  return std::ranges::all_of(bytes, [](char ch) {
    const auto b = static_cast<unsigned char>(ch);
    return b < 0x80 || b > 0x9F || high_controls[b - 0x80] != 0;
  });
}

}  // namespace tracciato
