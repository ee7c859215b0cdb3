#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tracciato::diff {

// How the features of two versions of a scenario pair up: by position in
// the first and second list, either empty for a feature in one version only.
struct Match {
  std::optional<std::size_t> a;
  std::optional<std::size_t> b;
};

// Features of one kind paired along the route, given their cells, which rise
// strictly: a feature in the same cell in both is the same feature; between
// two of those, the others pair off in order, and the ones left over were
// added or removed.
std::vector<Match> along_route(const std::vector<std::int64_t>& a,
                               const std::vector<std::int64_t>& b);

// Stations by name: the k-th of a name in one with the k-th in the other.
std::vector<Match> by_name(const std::vector<std::string>& a, const std::vector<std::string>& b);

// Cells in a only, in b only, and in both; each list rises.
struct CellSplit {
  std::vector<std::int64_t> only_a;
  std::vector<std::int64_t> only_b;
  std::vector<std::int64_t> both;
};

// The cells of two rising lists, split that way.
CellSplit split(const std::vector<std::int64_t>& a, const std::vector<std::int64_t>& b);

}  // namespace tracciato::diff
