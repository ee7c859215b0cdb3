#pragma once

#include <cstdint>

#include "model/scenario_model.h"

namespace tracciato {

// The two competition codes, derived from the scenario identity. The identity is slot 86's name
// (the train number) followed by slot 85's name (the scenario name), with the ASCII letters A-Z
// lower-cased (other bytes unchanged), followed by the padding "qqrrssttuuvvwwxxyyzzqqrrss"; only
// its first 25 bytes count, each as its unsigned 8-bit code a(1) .. a(25).

// The weighted code: 1 x a(1) + 2 x a(2) + ... + 25 x a(25); at most 82875.
std::int32_t codice_gara_st(const ScenarioModel& model);

// The plain code: a(1) + a(2) + ... + a(25); at most 6375.
std::int16_t codice_gara_og(const ScenarioModel& model);

}  // namespace tracciato
