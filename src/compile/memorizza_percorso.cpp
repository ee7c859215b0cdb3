#include "compile/memorizza_percorso.h"

#include "compile/competition_codes.h"
#include "compile/errors.h"
#include "compile/post_pass.h"
#include "compile/write_compiled_files.h"
#include "describe/memorizza_dati.h"
#include "model/error_record.h"

namespace tracciato {

namespace {

constexpr std::int16_t scenario_mark = 610;
constexpr std::int16_t track_mark = 5121;

// A fault of the post-pass names a cell; the record that laid it is the
// place to look.
void note_post_pass_cell(ScenarioModel& model, const SourceMap& map) {
  if (!found_by_post_pass(static_cast<ErrorCode>(model.error_code))) return;
  if (auto note = map.cell_note(model.fault.position / 50, "holds")) {
    model.fault.notes.push_back(std::move(*note));
  }
}

// What already stands in cell 1, where the marks go.
std::vector<Note> cell_1_notes(const ScenarioModel& model, const SourceMap& map) {
  if (auto note = map.cell_note(1, "holds")) return {std::move(*note)};
  if (model.cells->has_kind(1, cell_kind::abbattimento)) {
    return {Note{std::nullopt, "cell 1 holds an abbattimento point laid by the track post-pass"}};
  }
  return {};
}

}  // namespace

void compile_scenario(ScenarioModel& model, std::int32_t write_line_file,
                      const DescriptionSources& sources, SourceMap& map,
                      ReadingObserver* observer) {
  model.write_line_file = write_line_file;
  model.error_code = 0;
  model.fault = {};
  model.fault_log.clear();
  for (SlotRecord& s : model.slots) s = SlotRecord{};
  memorizza_dati(model, sources, map, observer);
  // Without cell 1 there is nowhere for the marks and codes to go.
  if (!model.cells || model.cells->last() < 1) throw NoTrack();
  run_post_pass(model);
  note_post_pass_cell(model, map);

  SlotRecord& header = model.slots[slot::scenario_header];
  TrackCell& first = *model.cells->find(1);
  if (header.num_a != 0 || first.value1 != 0) {
    errore(ErrorCode::track_mark_place_taken, cell_1_notes(model, map));
  }
  header.num_a = scenario_mark;
  first.value1 = track_mark;
  if (header.time_s != 0 || first.value2 != 0) {
    errore(ErrorCode::competition_code_place_taken, cell_1_notes(model, map));
  }
  header.time_s = codice_gara_st(model);
  first.value2 = codice_gara_og(model);
}

std::vector<std::string> memorizza_percorso(ScenarioModel& model, std::int32_t write_line_file,
                                            const DescriptionSources& sources,
                                            const std::filesystem::path& folder,
                                            OutputTransaction& output) {
  SourceMap map;
  compile_scenario(model, write_line_file, sources, map);
  return write_compiled_files(model, folder, output);
}

}  // namespace tracciato
