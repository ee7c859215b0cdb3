#include "describe/memorizza_dati.h"

#include <optional>

#include "describe/line_reader.h"
#include "describe/reading_context.h"
#include "describe/train_reader.h"
#include "model/error_record.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

// Where a progressive off the 50 m grid was written: the first record whose
// start or offset is not a multiple of 50. The offset of a flagged record
// has had 100 added, which keeps it on or off the grid alike.
std::optional<LineColumn> progressive_off_grid(const ReadingContext& context,
                                               const ScenarioModel& model) {
  bool off_grid = false;
  for (int i : {slot::progressive_tre, slot::progressive_due, slot::progressive_uno}) {
    const SlotRecord& s = model.slots[static_cast<std::size_t>(i)];
    off_grid = off_grid || s.area_start % 50 != 0 || s.area_end % 50 != 0;
  }
  if (!off_grid) return std::nullopt;
  for (const auto& record : context.progressives()) {
    if (record.start % 50 != 0) return record.start_at;
    if (record.offset % 50 != 0) return record.offset_at;
  }
  return LineColumn{};
}

// Error 25 with the reason the field could not be read. When the record
// being read took its values from a later line, or ran into the end of the
// text, a note at its keyword says so: a value or a comma is missing there.
void record_unreadable(ReadingContext& context, const ReadFailure& failure) {
  const LineColumn at = failure.where().value_or(context.fields().last_field());
  context.record(ErrorCode::unreadable, at);
  ScenarioModel& model = context.model();
  model.fault.reason = failure.what();
  const LineColumn keyword = context.keyword_at();
  if (keyword.line == 0 || at.line == 0) return;
  if (at.line > keyword.line) {
    model.fault.notes.push_back(
        {context.locate(keyword), "the record on line " + std::to_string(keyword.line) +
                                      " took this field as its value: a value or a comma may be "
                                      "missing there"});
  } else if (std::string_view(failure.what()).starts_with("the text ends")) {
    model.fault.notes.push_back(
        {context.locate(keyword), "the text ends inside this record: a value may be missing"});
  }
}

}  // namespace

void memorizza_dati(ScenarioModel& model, const DescriptionSources& sources) {
  SourceMap map;
  memorizza_dati(model, sources, map);
}

void memorizza_dati(ScenarioModel& model, const DescriptionSources& sources, SourceMap& map,
                    ReadingObserver* observer) {
  model.slots[slot::scenario_header].name = model.scenario_name;
  model.slots[slot::train_header].name = model.train_number;
  if (sources.line_bytes == nullptr && !std::filesystem::exists(sources.line_text)) {
    record_fault(model, ErrorCode::line_description_missing);
    model.fault.at = SourceLocation{sources.line_text.string(), 0, 0, {}};
    return;
  }
  ReadingContext context(model, sources, map, observer);
  try {
    context.open(sources.line_text);
    context.set_line_text(context.text());
    if (read_line_description(context) == ReadOutcome::returned) return;
    if (read_train_description(context) == ReadOutcome::returned) return;
    if (const auto where = progressive_off_grid(context, model)) {
      record_fault(model, ErrorCode::progressive_off_grid);
      model.fault.at = map.locate(context.line_text(), *where);
      model.fault.record = map.locate(context.line_text(), {where->line, 1});
    }
  } catch (const ReadFailure& failure) {
    record_unreadable(context, failure);
    context.delete_all_texts();
  } catch (const IoFailure& failure) {
    context.delete_all_texts();
    record_fault(model, ErrorCode::unreadable);
    model.fault.at = SourceLocation{failure.path().string(), 0, 0, {}};
    const bool train = failure.path() == sources.train_text;
    model.fault.reason =
        std::string(failure.action() == "cannot open" ? "cannot open" : "cannot read") +
        (train ? " the train description: " : " the line description: ") + failure.cause();
  }
}

}  // namespace tracciato
