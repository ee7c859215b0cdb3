#pragma once

#include <cstdint>
#include <optional>

#include "model/error_codes.h"
#include "model/scenario_model.h"
#include "platform/diagnostic.h"

namespace tracciato {

// Records a fault in the error record, replacing the one before; its detail
// starts afresh. The first form is for codes that carry a position, the
// second for codes that leave the recorded position as it was.
void record_fault(ScenarioModel& model, ErrorCode code, std::int32_t position);
void record_fault(ScenarioModel& model, ErrorCode code);

// A cell a feature may be laid on. When the cell is taken (or lies outside
// the track) it records `code` at `position`, names the cell in the fault's
// detail, and gives nullptr.
TrackCell* claim_free_cell(ScenarioModel& model, std::int64_t cell, ErrorCode code,
                           std::int32_t position);

// The error record as a diagnostic for the author; nullopt when it is clean.
std::optional<Diagnostic> diagnose(const ScenarioModel& model);

}  // namespace tracciato
