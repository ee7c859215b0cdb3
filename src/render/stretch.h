#pragma once

#include <cstdint>

namespace tracciato {

// The route metres a page draws, and where they fall across the profile:
// every band shares this one horizontal axis.
struct Stretch {
  std::int64_t from = 0;
  std::int64_t to = 0;

  static constexpr double plot_left = 150.0;
  static constexpr double plot_width = 1320.0;
  static constexpr double page_width = plot_left + plot_width + 20.0;

  bool holds(std::int64_t metres) const { return metres >= from && metres <= to; }
  bool overlaps(std::int64_t a, std::int64_t b) const { return a <= to && b >= from; }
  // The x of route metre `metres` before any zoom.
  double x(double metres) const {
    return plot_left +
           (metres - static_cast<double>(from)) * plot_width / static_cast<double>(to - from);
  }
};

}  // namespace tracciato
