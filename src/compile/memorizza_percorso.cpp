#include "compile/memorizza_percorso.h"

#include "describe/memorizza_dati.h"
#include "model/compiled_files.h"

namespace tracciato {

std::vector<std::string> memorizza_percorso(ScenarioModel& model, std::int32_t write_line_file,
                                            const DescriptionSources& sources,
                                            const std::filesystem::path& folder) {
  model.write_line_file = write_line_file;
  model.error_code = 0;
  for (SlotRecord& s : model.slots) s = SlotRecord{};
  memorizza_dati(model, sources);
  return write_compiled_files(model, folder);
}

}  // namespace tracciato
