#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "readback/diff_ledger.h"
#include "readback/feature_matching.h"
#include "readback/scenario_diff.h"

namespace tracciato::diff {

struct Profile;

// The differences from `a` to `b`: each family of features in turn, in the
// order run() takes them, claiming each side's raw fields for the features
// it finds; then the raw fields that no message accounts for.
class Comparison {
 public:
  Comparison(const CompiledScenario& a, const CompiledScenario& b) : a_(a), b_(b) {}
  Comparison(const CompiledScenario& a, ScenarioView a_view, const CompiledScenario& b)
      : a_(a, std::move(a_view)), b_(b) {}

  std::vector<Difference> run();

 private:
  void say(std::string_view what, std::optional<std::int64_t> at, std::string message) {
    out_.push_back({std::string(what), at, std::move(message)});
  }

  // The point features, paired one with one (diff_point_features.cpp).
  template <class Item, class Compare, class Claim>
  void settle(const std::vector<Match>& matches, const std::vector<Item>& xs,
              const std::vector<Item>& ys, Compare compare, Claim claim);
  template <class Item, class Compare, class Claim>
  void along(const std::vector<Item>& xs, const std::vector<Item>& ys,
             std::int64_t (*cell)(const Item&), Compare compare, Claim claim);
  void stations();
  void station(const StationView* x, const StationView* y);
  void signals();
  void signal(const SignalView* x, const SignalView* y);
  void slowdowns();
  void slowdown(const SlowdownView* x, const SlowdownView* y);
  void speed_boards();
  void speed_board(const SpeedBoardView* x, const SpeedBoardView* y);
  void signboards();
  void signboard(const SignboardView* x, const SignboardView* y);

  // The route, what is compared cell by cell, the geometry and the raw
  // fields left over (scenario_diff.cpp).
  void route();
  void points_added_or_removed(std::string_view what, const std::string& noun, const CellSplit& s);
  void abbattimento();
  void fillers();
  void profile(const Profile& p);
  void geometry();
  void cells();
  void slots();

  Side a_;
  Side b_;
  std::vector<Difference> out_;
};

}  // namespace tracciato::diff
