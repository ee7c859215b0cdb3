#pragma once

#include <cstdint>

namespace tracciato {

// num / den rounded to the nearest integer, halves to the even neighbour,
// in exact integer arithmetic (den > 0).
constexpr std::int64_t round_half_even_div(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den;
  std::int64_t r = num % den;
  if (r < 0) {
    r += den;
    q -= 1;
  }
  if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
  return q;
}

// The cell that holds route position p: round(p / 50 + 1).
constexpr std::int64_t point_cell(std::int64_t p) {
  return round_half_even_div(p + 50, 50);
}

static_assert(round_half_even_div(75, 50) == 2 && round_half_even_div(25, 50) == 0);
static_assert(round_half_even_div(-25, 50) == 0 && round_half_even_div(-75, 50) == -2);
static_assert(round_half_even_div(7025, 50) == 140 && round_half_even_div(7075, 50) == 142);

}  // namespace tracciato
