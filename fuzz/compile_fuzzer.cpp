// The compile step on any pair of description texts, in memory, with the
// diagnostics and the report the commands print. A finding is an exception
// the commands do not handle, compiled bytes from a stopped build, a
// diagnostic that points outside its text, or a report that is not JSON.
#include <nlohmann/json.hpp>

#include "check/warning_watch.h"
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "driver/report.h"
#include "fuzz_input.h"
#include "model/error_record.h"
#include "platform/code_page.h"

namespace {

using namespace tracciato;

// Takes the compiled bytes as the writer streams them, and keeps their count.
class CountingSink final : public ByteSink {
 public:
  void write(std::string_view bytes) override { count += bytes.size(); }
  std::size_t count = 0;
};

// The lines of a text as the field reader counts them: a line ends at
// "\r\n", "\r" or "\n".
std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// The lines of both texts, split on the first location to check: most
// inputs have none, and splitting costs as much as reading.
class TextLines {
 public:
  explicit TextLines(const fuzz::FuzzTexts& texts) : texts_(texts) {}
  const std::vector<std::string_view>& of(const std::string& file) {
    if (!split_) {
      line_ = lines_of(texts_.line);
      train_ = lines_of(texts_.train);
      split_ = true;
    }
    return file == fuzz::line_name ? line_ : train_;
  }

 private:
  const fuzz::FuzzTexts& texts_;
  bool split_ = false;
  std::vector<std::string_view> line_;
  std::vector<std::string_view> train_;
};

void check_location(const SourceLocation& at, TextLines& texts) {
  if (at.file != fuzz::line_name && at.file != fuzz::train_name) {
    fuzz::broken("a location names no text");
  }
  if (at.line == 0 && at.column == 0) return;  // the text as a whole
  const auto& lines = texts.of(at.file);
  if (at.line < 1 || static_cast<std::size_t>(at.line) > lines.size()) {
    fuzz::broken("a location's line lies outside its text");
  }
  const std::string_view line = lines[static_cast<std::size_t>(at.line - 1)];
  if (at.column < 1 || static_cast<std::size_t>(at.column) > line.size() + 1) {
    fuzz::broken("a location's column lies outside its line");
  }
}

void check_places(const Diagnostic& d, TextLines& texts) {
  if (d.at) check_location(*d.at, texts);
  for (const Note& note : d.notes) {
    if (note.at) check_location(*note.at, texts);
  }
  (void)format_diagnostic(d);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzTexts texts;
  if (!fuzz::split_input(data, size, texts)) return 0;
  TextLines lines(texts);
  ScenarioModel model = fuzz::fresh_model();
  const DescriptionSources sources = fuzz::sources_of(texts);
  SourceMap map;
  WarningWatch watch;
  BuildReport report;
  CountingSink compiled;
  try {
    compile_scenario(model, texts.line_file ? 1 : 0, sources, map, &watch);
    for (const CompiledFile& file : compiled_files(model)) {
      file.write(compiled);
      report.files.push_back(file.name);
    }
    report.diagnostic = diagnose(model);
    for (const Diagnostic& w : watch.warnings(model, map, model.error_code == 0, {})) {
      check_places(w, lines);
    }
  } catch (const BuildStopped& stop) {
    report.stopped = stop.code();
    report.diagnostic = stop.detail();
  } catch (const NoTrack&) {
    report.stopped = "no track";
    report.diagnostic = diagnose(model);
  } catch (const EncodingError&) {
    return 0;  // the commands report it as an input failure
  }
  if (report.stopped && compiled.count != 0)
    fuzz::broken("a stopped build produced compiled bytes");
  report.error_code = model.error_code;
  report.error_position = model.error_position;
  if (report.diagnostic) check_places(*report.diagnostic, lines);
  if (!nlohmann::json::accept(report_json(report))) fuzz::broken("the report is not JSON");
  return 0;
}
