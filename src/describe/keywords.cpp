#include "describe/keywords.h"

namespace tracciato {
namespace {

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool contains_any_case(std::string_view token, std::string_view fragment) {
  if (fragment.empty()) return true;
  for (std::size_t start = 0; start + fragment.size() <= token.size(); ++start) {
    std::size_t k = 0;
    while (k < fragment.size() && fold(token[start + k]) == fold(fragment[k])) ++k;
    if (k == fragment.size()) return true;
  }
  return false;
}

}  // namespace tracciato
