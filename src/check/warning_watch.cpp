#include "check/warning_watch.h"

#include <algorithm>

namespace tracciato {
namespace {

std::string shown_field(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  const std::size_t last = field.find_last_not_of(" \t");
  return "\"" + std::string(field.substr(first, last - first + 1)) + "\"";
}

Diagnostic warning(const SourceMap& map, const WarningWatch::Finding& f) {
  Diagnostic d;
  d.severity = Severity::warning;
  d.name = f.name;
  d.at = map.locate(f.text, f.at);
  const std::string name = f.name;
  if (name == "unknown-keyword") {
    d.message = shown_field(f.field) + " names no record: it and the values after it are skipped";
    if (const auto keyword = nearest_keyword(f.field)) {
      d.message += "; did you mean \"" + std::string(*keyword) + "\"?";
    }
  } else if (name == "order") {
    d.message = "the " + f.field + " at " + std::to_string(f.metres) + " m comes after one at " +
                std::to_string(f.cell) +
                " m: records of a kind must be written in rising order of position";
    d.position_m = f.metres;
  } else if (name == "beyond-line-end") {
    d.message = "the " + f.field + " at " + std::to_string(f.metres) +
                " m stands beyond the end of the line, in the track's 7000 m tail";
    d.position_m = f.metres;
  } else if (name == "curve-class") {
    d.message = "the curve keyword " + shown_field(f.field) + " is read as class " +
                std::to_string(f.cell) + ": a class is one digit from 1 to 6";
  } else if (name == "missing-section") {
    d.message = f.field;
  } else if (name == "extra-value") {
    d.message = shown_field(f.field) +
                " is left over after the record's values and is skipped: a decimal comma, or "
                "a value too many?";
  } else {
    d.message = std::to_string(f.metres) +
                " m is not a multiple of 50: the record is laid from cell " +
                std::to_string(f.cell) + ", which holds metres " +
                std::to_string((f.cell - 1) * 50) + " to " + std::to_string(f.cell * 50);
    d.position_m = f.metres;
  }
  return d;
}

}  // namespace

std::vector<Diagnostic> WarningWatch::warnings(const ScenarioModel& model, const SourceMap& map,
                                               bool read_clean,
                                               const std::set<std::string>& disabled) const {
  std::vector<Finding> findings = findings_;
  const std::int64_t length = model.slots[slot::quantities].area_end;
  for (const Finding& f : features_) {
    if (f.metres > length) findings.push_back(f);
  }
  for (const int text : unopened()) {
    findings.push_back({"missing-section",
                        text,
                        {},
                        "there is no [generale] section: no record of this description is read"});
  }
  if (read_clean && model.cells) {
    const int train_text = 1;  // the train description is the second text read
    const SlotRecord& first = model.slots[slot::first_station];
    if (first.name.empty() && first.kind == 0) {
      findings.push_back(
          {"missing-section", train_text, {}, "the train description lays no station"});
    }
    const auto& cells = model.cells->all();
    if (std::none_of(cells.begin(), cells.end(),
                     [](const TrackCell& c) { return c.kind == cell_kind::signal; })) {
      findings.push_back(
          {"missing-section", train_text, {}, "the train description lays no signal"});
    }
  }
  std::vector<Diagnostic> warnings;
  for (const auto& f : findings) {
    if (!disabled.contains(f.name)) warnings.push_back(warning(map, f));
  }
  return warnings;
}

const std::set<std::string>& warning_names() {
  static const std::set<std::string> names = {"unknown-keyword", "extra-value",     "off-grid",
                                              "curve-class",     "missing-section", "order",
                                              "beyond-line-end"};
  return names;
}

}  // namespace tracciato
