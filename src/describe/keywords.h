#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>

namespace tracciato {

// A token names a record when it holds given fragments anywhere.
inline bool contains(std::string_view token, std::string_view fragment) {
  return token.find(fragment) != std::string_view::npos;
}

// The same, folding ASCII letters only: bytes of the code page above 127
// are compared as they stand.
bool contains_any_case(std::string_view token, std::string_view fragment);

// The keyword of the first record a token named, in reading order, or ""
// when it named none: what an observer is told.
inline std::string_view first_named(
    std::initializer_list<std::pair<bool, std::string_view>> records) {
  for (const auto& [named, keyword] : records) {
    if (named) return keyword;
  }
  return {};
}

}  // namespace tracciato
