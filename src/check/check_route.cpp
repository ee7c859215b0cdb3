#include "check/check_route.h"

#include <algorithm>
#include <tuple>

#include "check/keyword_suggestion.h"
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/error_record.h"

namespace tracciato {
namespace {

// A keyword field naming no record: the record and its values are skipped.
// Values skipped with it are read as keywords too; only the first unknown
// field of a run is reported, the rest follow from it.
class UnknownKeywords : public ReadingObserver {
 public:
  struct Finding {
    int text;
    LineColumn at;
    std::string field;
  };

  void keyword(int text, LineColumn at, std::string_view field, bool known) override {
    if (known) {
      in_run_ = false;
      return;
    }
    if (!looks_like_a_keyword(field) || in_run_) return;
    in_run_ = true;
    findings_.push_back({text, at, std::string(field)});
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
  bool in_run_ = false;
};

Diagnostic unknown_keyword(const SourceMap& map, const UnknownKeywords::Finding& f) {
  Diagnostic d;
  d.severity = Severity::warning;
  d.name = "unknown-keyword";
  d.at = map.locate(f.text, f.at);
  d.message = "\"" + f.field + "\" names no record: it and the values after it are skipped";
  if (const auto keyword = nearest_keyword(f.field)) {
    d.message += "; did you mean \"" + std::string(*keyword) + "\"?";
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
  static const std::set<std::string> names = {"unknown-keyword"};
  return names;
}

std::vector<Diagnostic> check_route(const CheckRequest& request) {
  ScenarioModel model;
  model.scenario_name = request.scenario;
  model.train_number = request.train_number;
  SourceMap map;
  UnknownKeywords unknown;
  std::vector<Diagnostic> found;
  try {
    compile_scenario(model, 1, {request.line, request.train, false}, map, &unknown);
    if (auto d = diagnose(model)) found.push_back(std::move(*d));
  } catch (const BuildStopped& stop) {
    found.push_back(stop.detail());
  } catch (const NoTrack& stop) {
    if (auto d = diagnose(model)) found.push_back(std::move(*d));
    Diagnostic d;
    d.message = stop.what();
    found.push_back(std::move(d));
  }
  if (!request.disabled_warnings.contains("unknown-keyword")) {
    for (const auto& f : unknown.findings()) found.push_back(unknown_keyword(map, f));
  }
  sort_in_file_order(found, request);
  return found;
}

}  // namespace tracciato
