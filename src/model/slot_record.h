#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tracciato {

// One general-purpose record of the scenario file; the field names follow a
// station slot. `name` holds bytes as read, in the single-byte code page.
struct SlotRecord {
  std::uint8_t kind = 0;
  std::int32_t area_start = 0;
  std::int32_t area_end = 0;
  std::int32_t position = 0;
  std::uint8_t flag_a = 0;
  std::string name;
  std::int16_t num_a = 0;
  std::int16_t num_b = 0;
  std::int16_t num_c = 0;
  std::int16_t num_d = 0;
  std::int16_t num_e = 0;
  std::uint8_t byte_a = 0;
  std::uint8_t byte_b = 0;
  std::uint8_t extend_end = 0;
  std::uint8_t flag_b = 0;
  std::int32_t time_s = 0;

  friend bool operator==(const SlotRecord&, const SlotRecord&) = default;
};

// Slots 0 .. 86. Stations fill upward from 1, signboard texts downward from
// 80; 81 to 86 hold the progressives and the headers.
inline constexpr int slot_count = 87;
using SlotTable = std::array<SlotRecord, slot_count>;

namespace slot {
inline constexpr int first_station = 1;
inline constexpr int first_signboard = 80;
inline constexpr int progressive_tre = 81;
inline constexpr int progressive_due = 82;
inline constexpr int progressive_uno = 83;
inline constexpr int quantities = 84;
inline constexpr int scenario_header = 85;
inline constexpr int train_header = 86;
}  // namespace slot

}  // namespace tracciato
