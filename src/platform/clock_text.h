#pragma once

#include <cstdint>
#include <string>

namespace tracciato {

// A time of day in seconds as "hh:mm:ss" ("08:05:00"); a negative time,
// which no timetable means, as its seconds ("-5 s").
inline std::string clock_text(std::int64_t seconds) {
  if (seconds < 0) return std::to_string(seconds) + " s";
  const auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return two(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

}  // namespace tracciato
