#include "describe/memorizza_dati.h"

#include "compile/errors.h"
#include "describe/line_reader.h"
#include "describe/reading_context.h"
#include "describe/train_reader.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

// The progressives' starts and offsets lie on the 50 m grid.
bool progressives_on_grid(const ScenarioModel& model) {
  for (int i : {slot::progressive_tre, slot::progressive_due, slot::progressive_uno}) {
    const SlotRecord& s = model.slots[static_cast<std::size_t>(i)];
    if (s.area_start % 50 != 0 || s.area_end % 50 != 0) return false;
  }
  return true;
}

}  // namespace

void memorizza_dati(ScenarioModel& model, const DescriptionSources& sources) {
  model.slots[slot::scenario_header].name = model.scenario_name;
  model.slots[slot::train_header].name = model.train_number;
  if (!std::filesystem::exists(sources.line_text)) {
    record_error(model, 101);
    model.error_source = ErrorSource{sources.line_text.string(), 0, 0, {}};
    return;
  }
  ReadingContext context(model, sources);
  try {
    context.open(sources.line_text);
    if (read_line_description(context) == ReadOutcome::returned) return;
    if (read_train_description(context) == ReadOutcome::returned) return;
    if (!progressives_on_grid(model)) {
      record_error(model, 2);
      model.error_source = ErrorSource{sources.line_text.string(), 0, 0, {}};
    }
  } catch (const ReadFailure& failure) {
    SourceLocation at = failure.where();
    if (at.line == 0) at = context.fields().last_field();
    context.record(25, at);
    context.delete_all_texts();
  } catch (const IoFailure& failure) {
    context.delete_all_texts();
    record_error(model, 25);
    model.error_source = ErrorSource{failure.path().string(), 0, 0, {}};
  }
}

}  // namespace tracciato
