#include "describe/memorizza_dati.h"

#include <optional>

#include "compile/errors.h"
#include "describe/line_reader.h"
#include "describe/reading_context.h"
#include "describe/train_reader.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

// Where a progressive off the 50 m grid was written: the first record whose
// start or offset is not a multiple of 50. The offset of a flagged record
// has had 100 added, which keeps it on or off the grid alike.
std::optional<ErrorSource> progressive_off_grid(const ReadingContext& context,
                                                const ScenarioModel& model) {
  bool off_grid = false;
  for (int i : {slot::progressive_tre, slot::progressive_due, slot::progressive_uno}) {
    const SlotRecord& s = model.slots[static_cast<std::size_t>(i)];
    off_grid = off_grid || s.area_start % 50 != 0 || s.area_end % 50 != 0;
  }
  if (!off_grid) return std::nullopt;
  for (const auto& record : context.progressives) {
    if (record.start % 50 != 0) return record.start_at;
    if (record.offset % 50 != 0) return record.offset_at;
  }
  return ErrorSource{context.sources().line_text.string(), 0, 0, {}};
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
    if (const auto where = progressive_off_grid(context, model)) {
      record_error(model, 2);
      model.error_source = where;
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
