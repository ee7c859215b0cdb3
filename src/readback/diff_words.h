#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tracciato::diff {

// The words the differences are told in.

// "a → b"
std::string change(const std::string& from, const std::string& to);
std::string change(std::int64_t from, std::int64_t to);

// "1600 m"
std::string metres(std::int64_t m);

// "cell 33 (1600 m)"
std::string cell_at(std::int64_t cell, std::int64_t m);
// The same for a point feature's cell, which stands at (cell − 1)·50; "none"
// for no cell.
std::string point_cell(std::int64_t cell);
std::string point_cell(const std::optional<std::int64_t>& cell);

// "from cell 33 to 35 (1600 m → 1700 m)", for a point feature.
std::string moved(std::int64_t from, std::int64_t to);

// Text as a slot holds it, in the code page, shown in quotes.
std::string quoted(const std::string& code_page_text);

// "1, 2, 3"
std::string numbers(std::initializer_list<std::int64_t> values);
// The same, or "none" for no cells.
std::string cell_list(const std::vector<std::int64_t>& cells);

// "cell 30 (1500 m)", "cells 30 (1500 m), 53 (2650 m)": cells of stretch
// features, which stand at cell·50.
std::string stretch_cells(const std::vector<std::int64_t>& cells);

}  // namespace tracciato::diff
