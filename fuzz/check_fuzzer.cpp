// check on any pair of description texts, with the limit of warnings shown
// the command line has. A finding is a crash, a check that runs on without
// end (the fuzzer's timeout), a check whose errors leave out the fault the
// compile step records for the same texts, or counts that disagree with
// what is shown (every error, and at most the limit of each warning name).
#include <map>

#include "check/check_route.h"
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "fuzz_input.h"
#include "model/error_record.h"
#include "platform/code_page.h"

namespace {

using namespace tracciato;

// The fault the compile step records, as check compiles: with the line file.
std::optional<Diagnostic> compile_fault(const fuzz::FuzzTexts& texts) {
  ScenarioModel model = fuzz::fresh_model();
  SourceMap map;
  try {
    compile_scenario(model, 1, fuzz::sources_of(texts), map);
  } catch (const BuildStopped& stop) {
    return stop.detail();
  } catch (const NoTrack&) {
  }
  return diagnose(model);
}

// The same place: each compile reads the texts anew, so the texts the two
// locations show their lines from are copies, not one.
bool same_place(const std::optional<SourceLocation>& a, const std::optional<SourceLocation>& b) {
  if (!a || !b) return !a && !b;
  return a->file == b->file && a->line == b->line && a->column == b->column;
}

bool same_fault(const Diagnostic& a, const Diagnostic& b) {
  return a.severity == b.severity && a.code == b.code && same_place(a.at, b.at) &&
         a.message == b.message;
}

void check_counts(const ShownFindings& found, std::size_t limit) {
  std::size_t errors = 0;
  std::map<std::string, std::size_t> of_name;
  for (const Diagnostic& d : found.diagnostics) {
    if (d.severity == Severity::error) {
      ++errors;
    } else if (++of_name[d.name] > limit) {
      fuzz::broken("check shows more warnings of a name than its limit");
    }
  }
  if (errors != found.errors) fuzz::broken("check leaves out an error it counts");
  std::size_t warnings = 0;
  for (const auto& [name, n] : of_name) {
    const auto left_out = found.not_shown.find(name);
    warnings += n + (left_out == found.not_shown.end() ? 0 : left_out->second);
  }
  if (warnings != found.warnings) fuzz::broken("check counts other warnings than it tells of");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzTexts texts;
  if (!fuzz::split_input(data, size, texts)) return 0;
  try {
    const std::optional<Diagnostic> fault = compile_fault(texts);
    CheckRequest request;
    request.line = fuzz::line_name;
    request.train = fuzz::train_name;
    request.max_warnings = default_max_warnings;
    const ShownFindings found = check_text_findings(request, {texts.line, texts.train});
    check_counts(found, request.max_warnings);
    if (!fault) return 0;
    for (const Diagnostic& d : found.diagnostics) {
      if (same_fault(d, *fault)) return 0;
    }
    fuzz::broken("check leaves out the fault the compile step records");
  } catch (const EncodingError&) {
    return 0;  // the commands report it as an input failure
  }
}
