#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// A JSON string literal of `text`, quotes included. `text` need not be valid
// UTF-8: a byte that does not belong to a well-formed UTF-8 character
// becomes U+FFFD, so the literal always is.
std::string json_string(std::string_view text);

}  // namespace tracciato
