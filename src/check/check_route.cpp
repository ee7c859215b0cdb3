#include "check/check_route.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_set>

#include "check/warning_watch.h"
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/error_record.h"
#include "platform/replace_file.h"

namespace tracciato {
namespace {

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

// One compile of the texts as they stand now: the fault it records, if any,
// and the record that fault stands at.
struct Round {
  std::optional<Diagnostic> fault;
  std::optional<SourceLocation> record;
  std::vector<Diagnostic> post_pass;  // every fault of the post-pass, not just the last
  std::size_t work = 0;               // as the request's reading budget counts it
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
  WarningWatch watch;
  ScenarioModel model;
  model.scenario_name = request.scenario;
  model.train_number = request.train_number;
  SourceMap map;
  const std::string& line = texts[0];
  const std::string& train = texts[1];
  DescriptionSources sources{request.line, request.train, false, &line, &train};
  Round round;
  round.work = line.size() + train.size();
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
  if (model.plan) round.work += static_cast<std::size_t>(model.plan->last_row() + 1) / 16;
  for (Diagnostic& w : watch.warnings(model, map, !round.fault, request.disabled_warnings)) {
    warnings.push_back(std::move(w));
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

// What makes two findings the same: kind, places and words. The source
// lines are left out, as they follow from the places; formatting them for
// every finding of every round cost more than the rounds themselves.
std::string finding_key(const Diagnostic& d) {
  std::string key =
      std::to_string(static_cast<int>(d.severity)) + ' ' + std::to_string(d.code) + ' ' + d.name;
  const auto said = [&key](const std::optional<SourceLocation>& at, const std::string& message) {
    key += '\n';
    if (at) key += at->file + ':' + std::to_string(at->line) + ':' + std::to_string(at->column);
    key += ' ';
    key += message;
  };
  said(d.at, d.message);
  for (const Note& note : d.notes) said(note.at, note.message);
  return key;
}

// Where docs/formats.md explains a finding.
std::string reference_hint(const Diagnostic& d) {
  static const std::map<std::string, std::string, std::less<>> sections = {
      {"off-grid", "1. Positions and cells"}, {"beyond-line-end", "1. Positions and cells"},
      {"curve-class", "3.2 Feature records"}, {"empty-text", "3.2 Feature records"},
      {"replaced", "4.2 Stations"},           {"order", "8. Warnings of check"},
  };
  std::string section = "7. Error codes";
  if (const auto found = sections.find(d.name); found != sections.end()) {
    section = found->second;
  } else if (!d.name.empty()) {
    section = "2. Reading a description text";
  }
  return "see docs/formats.md, " + section;
}

}  // namespace

std::vector<Diagnostic> check_route(const CheckRequest& request) {
  return check_texts(request, {read_file(request.line), read_file(request.train)});
}

std::vector<Diagnostic> check_texts(const CheckRequest& request, std::array<std::string, 2> texts) {
  // Reading stops at a fault that ends it; to see past it, the check
  // compiles again without that record, until no new fault stops it.
  std::vector<Diagnostic> found;
  std::unordered_set<std::string> seen;
  const auto add = [&found, &seen](Diagnostic d) {
    if (seen.insert(finding_key(d)).second) found.push_back(std::move(d));
  };
  constexpr int most_rounds = 1000;  // one per distinct fault
  std::size_t spent = 0;
  for (int n = 1; n <= most_rounds; ++n) {
    std::vector<Diagnostic> warnings;
    const Round round = compile_once(request, texts, warnings);
    for (Diagnostic& w : warnings) add(std::move(w));
    for (const Diagnostic& d : round.post_pass) add(d);
    if (!round.fault) break;
    const bool new_fault = seen.insert(finding_key(*round.fault)).second;
    if (new_fault) found.push_back(*round.fault);
    if (!new_fault || !round.record) break;
    spent += round.work;
    if (n == most_rounds || spent + round.work > request.reading_budget) {
      found.back().notes.push_back(
          {std::nullopt, "the check stops here, after compiling the texts " +
                             (n == 1 ? std::string("once") : std::to_string(n) + " times") +
                             ": mend this fault and check again to see past it"});
      break;
    }
    remove_record(texts[round.record->file == request.train.string() ? 1 : 0], *round.record);
  }
  sort_in_file_order(found, request);
  for (Diagnostic& d : found) d.notes.push_back({std::nullopt, reference_hint(d)});
  return found;
}

}  // namespace tracciato
