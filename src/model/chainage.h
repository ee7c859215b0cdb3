#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/slot_record.h"

namespace tracciato {

// Route metres as the line's own kilometre reading: from the start of each
// kilometric progressive in use (slots 81 to 83, a record of zeros is not),
// the reading is the route position plus that progressive's offset; before
// the first start it is the route position itself.
class Chainage {
 public:
  explicit Chainage(const SlotTable& slots);

  // The reading at route metre `metres`, in metres.
  std::int64_t reading(std::int64_t metres) const;
  // The same as "km+mmm": 15100 → "15+100", -500 → "-0+500".
  std::string at(std::int64_t metres) const;

 private:
  struct Progressive {
    std::int64_t start = 0;
    std::int64_t offset = 0;
  };
  std::array<Progressive, 3> in_use_{};
  int count_ = 0;
};

}  // namespace tracciato
