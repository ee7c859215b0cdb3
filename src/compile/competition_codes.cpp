#include "compile/competition_codes.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tracciato {
namespace {

constexpr std::string_view identity_padding = "qqrrssttuuvvwwxxyyzzqqrrss";
constexpr std::size_t counted_characters = 25;

char lower_ascii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The codes a(1) .. a(25) of the identity string.
std::array<std::uint8_t, counted_characters> identity_codes(const ScenarioModel& model) {
  std::string identity =
      model.slots[slot::train_header].name + model.slots[slot::scenario_header].name;
  for (char& c : identity) c = lower_ascii(c);
  identity += identity_padding;  // at least 26 characters from here on
  std::array<std::uint8_t, counted_characters> codes{};
  for (std::size_t k = 0; k < counted_characters; ++k) {
    codes[k] = static_cast<std::uint8_t>(identity[k]);
  }
  return codes;
}

}  // namespace

std::int32_t codice_gara_st(const ScenarioModel& model) {
  std::int32_t code = 0;
  std::int32_t weight = 0;
  for (std::uint8_t a : identity_codes(model)) code += ++weight * a;
  return code;
}

std::int16_t codice_gara_og(const ScenarioModel& model) {
  std::int32_t code = 0;
  for (std::uint8_t a : identity_codes(model)) code += a;
  return static_cast<std::int16_t>(code);
}

}  // namespace tracciato
