#pragma once

#include <string>

#include "model/chainage.h"
#include "model/scenario_view.h"

namespace tracciato {

// The hover text of each drawn feature: its decoded record, with the cell,
// the route metres and the kilometre reading.
class FeatureRecords {
 public:
  explicit FeatureRecords(const Chainage& km) : km_(km) {}

  // "1600 m (km 1+600)"
  std::string at(std::int64_t metres) const;
  // "cell 33, 1600 m (km 1+600)"
  std::string cell_at(std::int64_t cell) const;

  std::string station(const StationView& s) const;
  std::string signal(const SignalView& g) const;
  std::string slowdown(const SlowdownView& w) const;
  std::string speed_board(const SpeedBoardView& b) const;
  std::string signboard(const SignboardView& b) const;
  std::string abbattimento(std::int64_t cell, const TrackCell& c) const;

 private:
  const Chainage& km_;
};

}  // namespace tracciato
