#include "readback/feature_matching.h"

#include <algorithm>
#include <iterator>

namespace tracciato::diff {

std::vector<Match> along_route(const std::vector<std::int64_t>& a,
                               const std::vector<std::int64_t>& b) {
  std::vector<Match> out;
  std::vector<std::size_t> only_a;
  std::vector<std::size_t> only_b;
  const auto pair_off = [&] {
    for (std::size_t k = 0; k < std::max(only_a.size(), only_b.size()); ++k) {
      out.push_back({k < only_a.size() ? std::optional(only_a[k]) : std::nullopt,
                     k < only_b.size() ? std::optional(only_b[k]) : std::nullopt});
    }
    only_a.clear();
    only_b.clear();
  };
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      pair_off();
      out.push_back({i++, j++});
    } else if (j == b.size() || (i < a.size() && a[i] < b[j])) {
      only_a.push_back(i++);
    } else {
      only_b.push_back(j++);
    }
  }
  pair_off();
  return out;
}

std::vector<Match> by_name(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<Match> out;
  std::vector<bool> taken(a.size(), false);
  for (std::size_t j = 0; j < b.size(); ++j) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < a.size() && !found; ++i) {
      if (!taken[i] && a[i] == b[j]) found = i;
    }
    if (found) taken[*found] = true;
    out.push_back({found, j});
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!taken[i]) out.push_back({i, std::nullopt});
  }
  return out;
}

CellSplit split(const std::vector<std::int64_t>& a, const std::vector<std::int64_t>& b) {
  CellSplit s;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(s.only_a));
  std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(s.only_b));
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(s.both));
  return s;
}

}  // namespace tracciato::diff
