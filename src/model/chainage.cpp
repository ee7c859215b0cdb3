#include "model/chainage.h"

#include <algorithm>
#include <cstdlib>

namespace tracciato {

Chainage::Chainage(const SlotTable& slots) {
  for (const int s : {slot::progressive_tre, slot::progressive_due, slot::progressive_uno}) {
    const SlotRecord& p = slots[static_cast<std::size_t>(s)];
    if (p.area_start == 0 && p.area_end == 0 && p.position == 0) continue;
    in_use_[static_cast<std::size_t>(count_++)] = {p.area_start, p.area_end};
  }
}

std::int64_t Chainage::reading(std::int64_t metres) const {
  const Progressive* applies = nullptr;
  for (int i = 0; i < count_; ++i) {
    const Progressive& p = in_use_[static_cast<std::size_t>(i)];
    if (p.start <= metres && (applies == nullptr || p.start > applies->start)) applies = &p;
  }
  return applies == nullptr ? metres : metres + applies->offset;
}

std::string Chainage::at(std::int64_t metres) const {
  const std::int64_t r = reading(metres);
  const std::int64_t a = std::abs(r);
  std::string m = std::to_string(a % 1000);
  m.insert(0, 3 - m.size(), '0');
  return (r < 0 ? "-" : "") + std::to_string(a / 1000) + "+" + m;
}

}  // namespace tracciato
