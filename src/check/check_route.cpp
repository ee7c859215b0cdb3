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
int file_rank(const Diagnostic& d, const CheckRequest& request) {
  return !d.at ? 2 : d.at->file == request.line.string() ? 0 : 1;
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
                   FindingTally& tally) {
  ScenarioModel model;
  model.scenario_name = request.scenario;
  model.train_number = request.train_number;
  SourceMap map;
  WarningWatch watch(tally, map);
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
  watch.reading_done(model, !round.fault);
  tally.end_compile();
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

ShownFindings check_route_findings(const CheckRequest& request) {
  return check_text_findings(request, {read_file(request.line), read_file(request.train)});
}

ShownFindings check_text_findings(const CheckRequest& request, std::array<std::string, 2> texts) {
  FindingTally tally(request.max_warnings, request.disabled_warnings);
  // The train's findings follow the line's, unless both are one file.
  tally.rank_texts({0, request.train.string() == request.line.string() ? 0 : 1});
  // A second compile needs a budget of twice the texts (see the stop below):
  // only then are warnings heard again, and worth remembering.
  if (2 * (texts[0].size() + texts[1].size()) <= request.reading_budget) {
    tally.remember_warnings();
  }
  // Reading stops at a fault that ends it; to see past it, the check
  // compiles again without that record, until no new fault stops it.
  std::unordered_set<std::string> seen;  // of the errors
  const auto add = [&](Diagnostic d) {
    if (seen.insert(finding_key(d)).second) {
      const int rank = file_rank(d, request);
      tally.add_error(std::move(d), rank);
    }
  };
  constexpr int most_rounds = 1000;  // one per distinct fault
  std::size_t spent = 0;
  for (int n = 1; n <= most_rounds; ++n) {
    Round round = compile_once(request, texts, tally);
    for (Diagnostic& d : round.post_pass) add(std::move(d));
    if (!round.fault || !seen.insert(finding_key(*round.fault)).second) break;
    Diagnostic& fault = *round.fault;
    bool last = !round.record;
    if (!last) {
      spent += round.work;
      last = n == most_rounds || spent + round.work > request.reading_budget;
      if (last) {
        fault.notes.push_back(
            {std::nullopt, "the check stops here, after compiling the texts " +
                               (n == 1 ? std::string("once") : std::to_string(n) + " times") +
                               ": mend this fault and check again to see past it"});
      }
    }
    const int rank = file_rank(fault, request);
    tally.add_error(std::move(fault), rank);
    if (last) break;
    remove_record(texts[round.record->file == request.train.string() ? 1 : 0], *round.record);
  }
  ShownFindings shown = tally.take_shown();
  for (Diagnostic& d : shown.diagnostics) d.notes.push_back({std::nullopt, reference_hint(d)});
  return shown;
}

std::vector<Diagnostic> check_route(const CheckRequest& request) {
  return check_route_findings(request).diagnostics;
}

std::vector<Diagnostic> check_texts(const CheckRequest& request, std::array<std::string, 2> texts) {
  return check_text_findings(request, std::move(texts)).diagnostics;
}

}  // namespace tracciato
