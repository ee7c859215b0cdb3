#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "check/keyword_suggestion.h"
#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/scenario_model.h"
#include "platform/diagnostic.h"

namespace tracciato {

// What the readers' observations say is almost certainly a mistake:
//   unknown-keyword  a field in a keyword's place names no record, so the
//                    record and its values are skipped (reported once per run
//                    of skipped fields: the values follow from it);
//   extra-value      a value left over on the line of a record that was read
//                    whole, as "2,5" read as 2 and then 5;
//   off-grid         a position not a multiple of 50, rounded to a cell;
//   curve-class      a curve keyword that is not one class digit;
//   missing-section  no [generale], or a train without stations or signals.
class WarningWatch : public ReadingObserver {
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

  void position(int text, LineColumn at, std::int64_t metres, std::int64_t cell,
                std::string_view what) override {
    if (metres % 50 != 0) findings_.push_back({"off-grid", text, at, {}, metres, cell});
    // Profiles, gradients and stations are laid in the order written: one
    // going back takes effect where the author did not mean it to.
    if (what == "gradient" || what == "speed limit" || what == "adhesion" || what == "station") {
      const auto [last, inserted] = last_position_.try_emplace(std::string(what), metres);
      if (!inserted && metres < last->second) {
        findings_.push_back({"order", text, at, std::string(what), metres, last->second});
      }
      last->second = std::max(last->second, metres);
    }
    if (what == "station" || what == "signal" || what == "slowdown" ||
        what == "speed-indicator board" || what == "signboard") {
      features_.push_back({"beyond-line-end", text, at, std::string(what), metres, cell});
    }
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

  // What was heard, as warnings, less the `disabled` names. `read_clean`:
  // the compile recorded no fault, so what the train lacks is truly missing.
  std::vector<Diagnostic> warnings(const ScenarioModel& model, const SourceMap& map,
                                   bool read_clean, const std::set<std::string>& disabled) const;

 private:
  // Section headers and bare numbers are not records that went astray.
  static bool looks_like_a_keyword(std::string_view field) {
    if (field.find_first_of("[]") != std::string_view::npos) return false;
    return std::any_of(field.begin(), field.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
  }

  std::vector<Finding> findings_;
  std::vector<Finding> features_;                      // checked against the route length
  std::map<std::string, std::int64_t> last_position_;  // the furthest one of each kind
  std::vector<bool> opened_;                           // per text: whether its [generale] was found
  bool in_run_ = false;
  std::pair<int, int> last_record_{-1, 0};  // the text and line of the last record read
};

// The names of the warnings there are.
const std::set<std::string>& warning_names();

}  // namespace tracciato
