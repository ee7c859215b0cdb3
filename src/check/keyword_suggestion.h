#pragma once

#include <optional>
#include <string_view>

namespace tracciato {

// The record keyword of either description nearest to `field` (letter case
// and surrounding blanks aside), when it lies within two edits of it.
std::optional<std::string_view> nearest_keyword(std::string_view field);

}  // namespace tracciato
