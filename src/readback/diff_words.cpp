#include "readback/diff_words.h"

#include "model/scenario_view.h"
#include "platform/code_page.h"

namespace tracciato::diff {

std::string change(const std::string& from, const std::string& to) {
  return from + " → " + to;
}

std::string change(std::int64_t from, std::int64_t to) {
  return std::to_string(from) + " → " + std::to_string(to);
}

std::string metres(std::int64_t m) {
  return std::to_string(m) + " m";
}

std::string cell_at(std::int64_t cell, std::int64_t m) {
  return "cell " + std::to_string(cell) + " (" + metres(m) + ")";
}

std::string point_cell(std::int64_t cell) {
  return cell_at(cell, point_metres(cell));
}

std::string point_cell(const std::optional<std::int64_t>& cell) {
  return cell ? point_cell(*cell) : "none";
}

std::string moved(std::int64_t from, std::int64_t to) {
  return "from cell " + std::to_string(from) + " to " + std::to_string(to) + " (" +
         change(metres(point_metres(from)), metres(point_metres(to))) + ")";
}

std::string quoted(const std::string& code_page_text) {
  return "\"" + from_code_page(code_page_text) + "\"";
}

std::string numbers(std::initializer_list<std::int64_t> values) {
  std::string text;
  for (const std::int64_t v : values) text += (text.empty() ? "" : ", ") + std::to_string(v);
  return text;
}

std::string cell_list(const std::vector<std::int64_t>& cells) {
  std::string text;
  for (const std::int64_t c : cells) text += (text.empty() ? "" : ", ") + std::to_string(c);
  return text.empty() ? "none" : text;
}

std::string stretch_cells(const std::vector<std::int64_t>& cells) {
  std::string text = cells.size() == 1 ? "cell " : "cells ";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(cells[i]) + " (" +
            metres(profile_metres(cells[i])) + ")";
  }
  return text;
}

}  // namespace tracciato::diff
