#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace tracciato {

// The width a label takes at the page's small type, from its characters
// (UTF-8 continuation bytes do not count).
double label_width(std::string_view text);

// Staggers labels along one line: each goes into the first row where it
// clears the label before it, or nowhere (left to hover) when all rows
// are taken there.
class LabelRows {
 public:
  explicit LabelRows(std::size_t rows) : ends_(rows, -1e9) {}
  std::optional<std::size_t> place(double from_x, double width);

 private:
  std::vector<double> ends_;
};

// Labels anywhere on a plane, each kept only where it overlaps none before it.
class LabelBoxes {
 public:
  bool place(double x, double y, double width, double height);

 private:
  struct Box {
    double x, y, width, height;
  };
  std::vector<Box> boxes_;
};

}  // namespace tracciato
