#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// The built-in route and train, as the description texts the build writes
// (UTF-8, one line per LF; each kept in data/ beside this file).
std::string_view builtin_line_text();
std::string_view builtin_train_text();

// The 13 station names, first to last, as the built-in train text gives
// them: the one place the documents take them from.
std::vector<std::string> builtin_station_names();

}  // namespace tracciato
