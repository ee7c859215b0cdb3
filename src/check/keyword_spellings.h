#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "describe/reading_observer.h"

namespace tracciato {

// The readers know a record by fragments of its keyword; authors write the
// keywords whole. These are the keywords as the reference writes them.

// `field` as keywords are compared: without surrounding blanks, its ASCII
// letters in lower case.
std::string folded_keyword(std::string_view field);

// Whether `field`, letter case and surrounding blanks aside, is a keyword
// of `place` as written. A curve keyword is "curva", an optional "s" or
// "d", and digits; its class digit is judged apart.
bool written_as_keyword(std::string_view field, KeywordPlace place);

// The keyword of `place` nearest to `field` (letter case and surrounding
// blanks aside), when it lies within two edits of it.
std::optional<std::string_view> nearest_keyword(std::string_view field, KeywordPlace place);

// Whether `field` is "[generale]" misspelt by at most two edits.
bool near_general_header(std::string_view field);

}  // namespace tracciato
