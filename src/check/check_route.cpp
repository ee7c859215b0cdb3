#include "check/check_route.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>

#include "check/keyword_suggestion.h"
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/error_record.h"
#include "platform/replace_file.h"

namespace tracciato {
namespace {

// What the readers' observations say is almost certainly a mistake:
//   unknown-keyword  a field in a keyword's place names no record, so the
//                    record and its values are skipped (reported once per run
//                    of skipped fields: the values follow from it);
//   extra-value      a value left over on the line of a record that was read
//                    whole, as "2,5" read as 2 and then 5;
//   off-grid         a position not a multiple of 50, rounded to a cell.
class Watch : public ReadingObserver {
 public:
  struct Finding {
    const char* name;
    int text;
    LineColumn at;
    std::string field;
    std::int64_t metres = 0;  // off-grid: the position as written
    std::int64_t cell = 0;    // off-grid: the cell it was laid from
  };

  void keyword(int text, LineColumn at, std::string_view field, bool known) override {
    if (known) {
      in_run_ = false;
      last_record_ = {text, at.line};
      return;
    }
    if (field.find_first_not_of(" \t") == std::string_view::npos) return;
    if (last_record_ == std::pair{text, at.line} && !in_run_) {
      findings_.push_back({"extra-value", text, at, std::string(field)});
      return;
    }
    if (!looks_like_a_keyword(field) || in_run_) return;
    in_run_ = true;
    findings_.push_back({"unknown-keyword", text, at, std::string(field)});
  }

  void position(int text, LineColumn at, std::int64_t metres, std::int64_t cell) override {
    if (metres % 50 != 0) findings_.push_back({"off-grid", text, at, {}, metres, cell});
  }

  void preamble(int text, LineColumn at, std::string_view field, bool opens) override {
    opened_.resize(std::max(opened_.size(), static_cast<std::size_t>(text) + 1), false);
    if (opens) {
      opened_[static_cast<std::size_t>(text)] = true;
    } else if (field.find('[') != std::string_view::npos &&
               nearest_keyword(field) == "[generale]") {
      findings_.push_back({"unknown-keyword", text, at, std::string(field)});
    }
  }

  // A curve class is one digit from 1 to 6; others are read as the first of
  // 1 to 6 the keyword holds.
  void curve(int text, LineColumn at, std::string_view field, int curve_class) override {
    const auto digits =
        std::count_if(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (curve_class == 0 || digits <= 1) return;
    findings_.push_back({"curve-class", text, at, std::string(field), 0, curve_class});
  }

  // The texts searched for [generale] without finding it.
  std::vector<int> unopened() const {
    std::vector<int> texts;
    for (std::size_t t = 0; t < opened_.size(); ++t) {
      if (!opened_[t]) texts.push_back(static_cast<int>(t));
    }
    return texts;
  }

  const std::vector<Finding>& findings() const { return findings_; }

 private:
  // Section headers and bare numbers are not records that went astray.
  static bool looks_like_a_keyword(std::string_view field) {
    if (field.find_first_of("[]") != std::string_view::npos) return false;
    return std::any_of(field.begin(), field.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
  }

  std::vector<Finding> findings_;
  std::vector<bool> opened_;  // per text: whether its [generale] was found
  bool in_run_ = false;
  std::pair<int, int> last_record_{-1, 0};  // the text and line of the last record read
};

std::string shown_field(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  const std::size_t last = field.find_last_not_of(" \t");
  return "\"" + std::string(field.substr(first, last - first + 1)) + "\"";
}

Diagnostic warning(const SourceMap& map, const Watch::Finding& f) {
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

// Findings in file order (the line description first), then by place; those
// of the whole track last.
void sort_in_file_order(std::vector<Diagnostic>& found, const CheckRequest& request) {
  const auto key = [&request](const Diagnostic& d) {
    const int file = !d.at ? 2 : d.at->file == request.line.string() ? 0 : 1;
    return std::make_tuple(file, d.at ? d.at->line : 0, d.at ? d.at->column : 0);
  };
  std::stable_sort(found.begin(), found.end(),
                   [&key](const Diagnostic& a, const Diagnostic& b) { return key(a) < key(b); });
}

}  // namespace

const std::set<std::string>& warning_names() {
  static const std::set<std::string> names = {"unknown-keyword", "extra-value", "off-grid",
                                              "curve-class", "missing-section"};
  return names;
}

namespace {

// One compile of the texts as they stand now: the fault it records, if any,
// and the record that fault stands at.
struct Round {
  std::optional<Diagnostic> fault;
  std::optional<SourceLocation> record;
  std::vector<Diagnostic> post_pass;  // every fault of the post-pass, not just the last
};

// The post-pass goes on after a fault; the error record keeps only the last.
std::vector<Diagnostic> post_pass_faults(const ScenarioModel& model, const SourceMap& map) {
  std::vector<Diagnostic> faults;
  for (const auto& [code, position] : model.fault_log) {
    if (!found_by_post_pass(static_cast<ErrorCode>(code))) continue;
    ScenarioModel alone;
    record_fault(alone, static_cast<ErrorCode>(code), position);
    Diagnostic d = *diagnose(alone);
    if (auto note = map.cell_note(position / 50, "holds")) d.notes.push_back(std::move(*note));
    faults.push_back(std::move(d));
  }
  return faults;
}

Round compile_once(const CheckRequest& request, const std::array<std::string, 2>& texts,
                   std::vector<Diagnostic>& warnings) {
  Watch watch;
  ScenarioModel model;
  model.scenario_name = request.scenario;
  model.train_number = request.train_number;
  SourceMap map;
  const std::string& line = texts[0];
  const std::string& train = texts[1];
  DescriptionSources sources{request.line, request.train, false, &line, &train};
  Round round;
  try {
    compile_scenario(model, 1, sources, map, &watch);
    round.fault = diagnose(model);
    round.record = model.fault.record;
    round.post_pass = post_pass_faults(model, map);
  } catch (const BuildStopped& stop) {
    round.fault = stop.detail();
  } catch (const NoTrack& stop) {
    round.fault = diagnose(model);
    if (!round.fault) {
      round.fault.emplace();
      round.fault->message = stop.what();
    }
  }
  std::vector<Watch::Finding> findings = watch.findings();
  for (const int text : watch.unopened()) {
    findings.push_back({"missing-section",
                        text,
                        {},
                        "there is no [generale] section: no record of this description is read"});
  }
  if (!round.fault && model.cells) {
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
  for (const auto& f : findings) {
    if (!request.disabled_warnings.contains(f.name)) warnings.push_back(warning(map, f));
  }
  return round;
}

// Blanks a record out of its text, from its keyword to the end of its line,
// keeping every other line and column where it was.
void remove_record(std::string& text, const SourceLocation& record) {
  std::size_t at = 0;
  for (int line = 1; line < record.line && at < text.size(); ++line) {
    at = text.find_first_of("\r\n", at);
    if (at == std::string::npos) return;
    at += text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
  }
  for (at += static_cast<std::size_t>(record.column - 1);
       at < text.size() && text[at] != '\r' && text[at] != '\n'; ++at) {
    text[at] = ' ';
  }
}

}  // namespace

std::vector<Diagnostic> check_route(const CheckRequest& request) {
  // Reading stops at a fault that ends it; to see past it, the check
  // compiles again without that record, until no new fault stops it.
  std::array<std::string, 2> texts = {read_file(request.line), read_file(request.train)};
  std::vector<Diagnostic> found;
  std::set<std::string> seen;
  const auto add = [&found, &seen](Diagnostic d) {
    if (seen.insert(format_diagnostic(d)).second) found.push_back(std::move(d));
  };
  constexpr int most_rounds = 1000;
  for (int n = 0; n < most_rounds; ++n) {
    std::vector<Diagnostic> warnings;
    const Round round = compile_once(request, texts, warnings);
    for (Diagnostic& w : warnings) add(std::move(w));
    for (const Diagnostic& d : round.post_pass) add(d);
    if (!round.fault) break;
    const bool new_fault = seen.insert(format_diagnostic(*round.fault)).second;
    if (new_fault) found.push_back(*round.fault);
    if (!new_fault || !round.record) break;
    remove_record(texts[round.record->file == request.train.string() ? 1 : 0], *round.record);
  }
  sort_in_file_order(found, request);
  return found;
}

}  // namespace tracciato
