// The compile step on any pair of description texts, in memory, with the
// diagnostics and the report the commands print. A finding is an exception
// the commands do not handle, compiled bytes from a stopped build, a
// diagnostic that points outside its text, a report that is not JSON, a
// warning heard twice in one compile, or a limit of warnings shown that
// keeps other warnings than the first of each name, or counts otherwise.
#include <nlohmann/json.hpp>

#include <map>
#include <set>

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

// Tells two watches all that is heard, so that one compile feeds both.
class BothWatches final : public ReadingObserver {
 public:
  BothWatches(ReadingObserver& a, ReadingObserver& b) : a_(a), b_(b) {}
  void keyword(int text, LineColumn at, std::string_view field, KeywordPlace place,
               std::string_view record) override {
    a_.keyword(text, at, field, place, record);
    b_.keyword(text, at, field, place, record);
  }
  void values_unread(int text, LineColumn at) override {
    a_.values_unread(text, at);
    b_.values_unread(text, at);
  }
  void preamble(int text, LineColumn at, std::string_view field, bool opens) override {
    a_.preamble(text, at, field, opens);
    b_.preamble(text, at, field, opens);
  }
  void empty_value(int text, LineColumn at) override {
    a_.empty_value(text, at);
    b_.empty_value(text, at);
  }
  void curve(int text, LineColumn at, std::string_view field, int curve_class) override {
    a_.curve(text, at, field, curve_class);
    b_.curve(text, at, field, curve_class);
  }
  void curve_span(int text, LineColumn at, std::int64_t start, std::int64_t end) override {
    a_.curve_span(text, at, start, end);
    b_.curve_span(text, at, start, end);
  }
  void position(int text, LineColumn at, std::int64_t metres, std::int64_t cell,
                std::string_view what) override {
    a_.position(text, at, metres, cell, what);
    b_.position(text, at, metres, cell, what);
  }
  void signboard_text(int text, LineColumn at, std::string_view value) override {
    a_.signboard_text(text, at, value);
    b_.signboard_text(text, at, value);
  }
  void station_time(int text, LineColumn at, std::int64_t seconds) override {
    a_.station_time(text, at, seconds);
    b_.station_time(text, at, seconds);
  }
  void replaced(int text, LineColumn at, std::int64_t cell, std::string_view what,
                const std::optional<Note>& laid_by) override {
    a_.replaced(text, at, cell, what, laid_by);
    b_.replaced(text, at, cell, what, laid_by);
  }

 private:
  ReadingObserver& a_;
  ReadingObserver& b_;
};

// A warning's name, place and words: what makes two the same.
std::string said(const Diagnostic& d) {
  std::string key =
      d.name + ' ' +
      (d.at ? std::to_string(d.at->line) + ':' + std::to_string(d.at->column) + d.at->file
            : std::string());
  key += ' ' + d.message;
  for (const Note& note : d.notes) key += '\n' + note.message;
  return key;
}

constexpr std::size_t fuzz_limit = 2;

// `few`, kept under fuzz_limit, must be the first of each name of `every`.
void check_limit(const ShownFindings& every, const ShownFindings& few) {
  if (few.warnings != every.warnings) fuzz::broken("a limit changes the count of warnings");
  std::map<std::string, std::size_t> of_name;
  std::vector<std::string> first;
  for (const Diagnostic& d : every.diagnostics) {
    if (++of_name[d.name] <= fuzz_limit) first.push_back(said(d));
  }
  std::vector<std::string> kept;
  for (const Diagnostic& d : few.diagnostics) kept.push_back(said(d));
  if (kept != first) fuzz::broken("a limit keeps other warnings than the first of each name");
  for (const auto& [name, n] : of_name) {
    const auto left_out = few.not_shown.find(name);
    const std::size_t told = left_out == few.not_shown.end() ? 0 : left_out->second;
    if (told != (n > fuzz_limit ? n - fuzz_limit : 0)) {
      fuzz::broken("a limit tells a wrong count of warnings left out");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzTexts texts;
  if (!fuzz::split_input(data, size, texts)) return 0;
  TextLines lines(texts);
  ScenarioModel model = fuzz::fresh_model();
  const DescriptionSources sources = fuzz::sources_of(texts);
  SourceMap map;
  FindingTally all(0);
  FindingTally limited(fuzz_limit);
  WarningWatch watch(all, map);
  WarningWatch limited_watch(limited, map);
  BothWatches both(watch, limited_watch);
  BuildReport report;
  CountingSink compiled;
  try {
    compile_scenario(model, texts.line_file ? 1 : 0, sources, map, &both);
    for (const CompiledFile& file : compiled_files(model)) {
      file.write(compiled);
      report.files.push_back(file.name);
    }
    report.diagnostic = diagnose(model);
    watch.reading_done(model, model.error_code == 0);
    limited_watch.reading_done(model, model.error_code == 0);
    const ShownFindings every = all.take_shown();
    std::set<std::string> heard;
    for (const Diagnostic& w : every.diagnostics) {
      check_places(w, lines);
      if (!heard.insert(said(w)).second) fuzz::broken("one compile hears a warning twice");
    }
    check_limit(every, limited.take_shown());
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
