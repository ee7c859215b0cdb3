#include "model/error_record.h"

#include <cassert>

namespace tracciato {

void record_fault(ScenarioModel& model, ErrorCode code, std::int32_t position) {
  assert(error_code_info(code).has_position);
  model.error_code = number_of(code);
  model.error_position = position;
  model.fault = FaultDetail{};
  model.fault.position = position;
  model.fault_log.emplace_back(model.error_code, position);
}

void record_fault(ScenarioModel& model, ErrorCode code) {
  assert(!error_code_info(code).has_position);
  model.error_code = number_of(code);
  model.fault = FaultDetail{};
  model.fault.position = model.error_position;
  model.fault_log.emplace_back(model.error_code, model.error_position);
}

TrackCell* claim_free_cell(ScenarioModel& model, std::int64_t cell, ErrorCode code,
                           std::int32_t position) {
  if (model.cells->is_free(cell)) return model.cells->find(cell);
  record_fault(model, code, position);
  model.fault.cell = cell;
  return nullptr;
}

namespace {

// The post-pass names the cell its fault concerns, by its role.
std::string post_pass_cell(ErrorCode code, std::int32_t position) {
  const char* role = code == ErrorCode::no_cell_before_signal ? "the signal's cell"
                     : code == ErrorCode::no_cell_for_advance_point
                         ? "the slowdown start's cell"
                         : "the cell aimed at or the slowdown end's cell";
  return std::string(", ") + role + " " + std::to_string(position / 50);
}

}  // namespace

std::optional<Diagnostic> diagnose(const ScenarioModel& model) {
  if (model.error_code == 0) return std::nullopt;
  const ErrorCodeInfo& info = error_code_info(model.error_code);
  const FaultDetail& fault = model.fault;
  Diagnostic d;
  d.code = model.error_code;
  d.at = fault.at;
  d.notes = fault.notes;
  if (info.code == ErrorCode::unreadable && !fault.reason.empty()) {
    d.message = fault.reason;  // the reason says all there is to say
  } else {
    d.message = std::string(info.meaning);
    if (found_by_post_pass(info.code)) d.message += post_pass_cell(info.code, fault.position);
    if (!fault.reason.empty()) d.message += ": " + fault.reason;
  }
  if (info.has_position) {
    d.message += " (at " + std::to_string(fault.position) + " m)";
    d.position_m = fault.position;
  }
  return d;
}

}  // namespace tracciato
