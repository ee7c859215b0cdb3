#pragma once

#include <string_view>

namespace tracciato {

// A token names a record when it holds given fragments anywhere.
inline bool contains(std::string_view token, std::string_view fragment) {
  return token.find(fragment) != std::string_view::npos;
}

// The same, folding ASCII letters only: bytes of the code page above 127
// are compared as they stand.
bool contains_any_case(std::string_view token, std::string_view fragment);

}  // namespace tracciato
