// The compiled files of any pair of description texts, decoded and encoded
// again: a finding is a file whose records do not give back its bytes.
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "fuzz_input.h"
#include "model/compiled_files.h"
#include "model/decode_compiled.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tracciato;
  fuzz::FuzzTexts texts;
  if (!fuzz::split_input(data, size, texts)) return 0;
  ScenarioModel model = fuzz::fresh_model();
  SourceMap map;
  try {
    compile_scenario(model, texts.line_file ? 1 : 0, fuzz::sources_of(texts), map);
  } catch (const BuildStopped&) {
    return 0;
  } catch (const NoTrack&) {
    return 0;
  } catch (const EncodingError&) {
    return 0;
  }
  const std::string sim = scenario_file_image(model.slots);
  if (scenario_file_image(decode_scenario_file(sim, "f.sim")) != sim) {
    fuzz::broken("the scenario file does not come back");
  }
  const std::string dat = track_file_image(*model.cells);
  if (track_file_image(decode_track_file(dat, "f.dat")) != dat) {
    fuzz::broken("the track file does not come back");
  }
  if (texts.line_file && model.plan) {
    const std::string line = line_file_image(*model.plan);
    if (line_file_image(decode_line_file(line, "f_linea.dat")) != line) {
      fuzz::broken("the line file does not come back");
    }
  }
  return 0;
}
