#include "render/label_rows.h"

namespace tracciato {

double label_width(std::string_view text) {
  double characters = 0.0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) characters += 1.0;
  }
  return characters * 6.2 + 4.0;
}

std::optional<std::size_t> LabelRows::place(double from_x, double width) {
  for (std::size_t row = 0; row < ends_.size(); ++row) {
    if (from_x > ends_[row]) {
      ends_[row] = from_x + width;
      return row;
    }
  }
  return std::nullopt;
}

bool LabelBoxes::place(double x, double y, double width, double height) {
  for (const Box& b : boxes_) {
    if (x < b.x + b.width && b.x < x + width && y < b.y + b.height && b.y < y + height) {
      return false;
    }
  }
  boxes_.push_back({x, y, width, height});
  return true;
}

}  // namespace tracciato
