#include "driver/identity.h"

#include "platform/code_page.h"

namespace tracciato {

std::optional<std::string> unfit_for_file_name(const std::string& value) {
  if (value.empty()) return "it is empty";
  if (value.size() > 200) return "it is longer than 200 bytes";
  if (value.find('/') != std::string::npos || value.find('\\') != std::string::npos) {
    return "it holds a path separator";
  }
  if (value.find("..") != std::string::npos) return "it holds \"..\"";
  for (char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) return "it holds a control character";
  }
  if (!holds_only_code_page_bytes(value)) return "it holds a byte the code page cannot hold";
  return std::nullopt;
}

}  // namespace tracciato
