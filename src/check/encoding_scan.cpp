#include "check/encoding_scan.h"

#include <cstdint>

#include "platform/code_page.h"

namespace tracciato {
namespace {

std::uint8_t byte_at(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

// The length of the UTF-8 sequence of two to four bytes at `i`, or 0. The
// lead bytes C2..F4 with their continuations are letters of the code page
// that seldom stand together in a text written in it ("Ã¨" for "è").
std::size_t utf8_sequence(std::string_view bytes, std::size_t i) {
  const std::uint8_t lead = byte_at(bytes, i);
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte_at(bytes, i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

std::string hex(std::string_view bytes) {
  constexpr std::string_view digits = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// Tab, CR and LF are the only controls a description holds.
bool is_control(std::uint8_t b) {
  return (b < 0x20 && b != '\t' && b != '\r' && b != '\n') || b == 0x7F;
}

std::string slip_at(std::string_view bytes, std::size_t i) {
  if (is_control(byte_at(bytes, i))) {
    return "byte " + hex(bytes.substr(i, 1)) +
           " is a control character, not text: it would be stored as it stands and printed "
           "raw";
  }
  if (byte_at(bytes, i) < 0x80) return {};
  if (const std::size_t length = utf8_sequence(bytes, i)) {
    const std::string_view sequence = bytes.substr(i, length);
    return "\"" + std::string(sequence) + "\" is written in UTF-8 (bytes " + hex(sequence) +
           "); the descriptions are read as Windows-1252, which takes these bytes for \"" +
           from_code_page(sequence) + "\"";
  }
  if (!holds_only_code_page_bytes(bytes.substr(i, 1))) {
    return "byte " + hex(bytes.substr(i, 1)) +
           " is no character of Windows-1252, in which the descriptions are read";
  }
  return {};
}

}  // namespace

void scan_encoding(std::string_view bytes, const std::function<void(EncodingSlip)>& slip) {
  int line = 1;
  std::size_t line_start = 0;
  bool slipped = false;  // this line has had its slip
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      ++line;
      line_start = i + 1;
      slipped = false;
      continue;
    }
    const std::uint8_t b = byte_at(bytes, i);
    if (slipped || (b >= 0x20 && b < 0x7F)) continue;  // printable ASCII is always fine
    std::string message = slip_at(bytes, i);
    if (message.empty()) continue;
    slip({{line, static_cast<int>(i - line_start) + 1}, std::move(message)});
    slipped = true;
  }
}

std::vector<EncodingSlip> encoding_slips(std::string_view bytes) {
  std::vector<EncodingSlip> slips;
  scan_encoding(bytes, [&slips](EncodingSlip s) { slips.push_back(std::move(s)); });
  return slips;
}

}  // namespace tracciato
