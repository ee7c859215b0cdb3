#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// UTF-8 text as it may safely reach a terminal: every control character
// but the tab (C0, DEL and C1) becomes U+FFFD. A name read from a file
// shared by someone else could otherwise retitle or clear the terminal,
// move the cursor back and print one word over another. The rest of the
// text, tabs and all, is kept as it is.
std::string terminal_text(std::string_view utf8);

}  // namespace tracciato
