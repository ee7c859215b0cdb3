#include "compile/memorizza_percorso.h"

#include "compile/competition_codes.h"
#include "compile/errors.h"
#include "compile/post_pass.h"
#include "describe/memorizza_dati.h"
#include "model/compiled_files.h"

namespace tracciato {

namespace {
constexpr std::int16_t scenario_mark = 610;
constexpr std::int16_t track_mark = 5121;
}  // namespace

std::vector<std::string> memorizza_percorso(ScenarioModel& model, std::int32_t write_line_file,
                                            const DescriptionSources& sources,
                                            const std::filesystem::path& folder) {
  model.write_line_file = write_line_file;
  model.error_code = 0;
  for (SlotRecord& s : model.slots) s = SlotRecord{};
  memorizza_dati(model, sources);
  // Without cell 1 there is nowhere for the marks and codes to go.
  if (!model.cells || model.cells->last() < 1) throw NoTrack();
  run_post_pass(model);

  SlotRecord& header = model.slots[slot::scenario_header];
  TrackCell& first = *model.cells->find(1);
  if (header.num_a != 0 || first.value1 != 0) errore("1250");
  header.num_a = scenario_mark;
  first.value1 = track_mark;
  if (header.time_s != 0 || first.value2 != 0) errore("1251");
  header.time_s = codice_gara_st(model);
  first.value2 = codice_gara_og(model);
  return write_compiled_files(model, folder);
}

}  // namespace tracciato
