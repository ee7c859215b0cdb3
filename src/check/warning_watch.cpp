#include "check/warning_watch.h"

#include <algorithm>
#include <tuple>

#include "check/encoding_scan.h"
#include "check/keyword_spellings.h"

namespace tracciato {
namespace {

std::string trimmed(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = field.find_last_not_of(" \t");
  return std::string(field.substr(first, last - first + 1));
}

std::string quoted(std::string_view field) {
  return quoted_excerpt(trimmed(field));
}

// Section headers and bare numbers are not records that went astray.
bool looks_like_a_keyword(std::string_view field) {
  if (field.find_first_of("[]") != std::string_view::npos) return false;
  return std::any_of(field.begin(), field.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

std::string metres(std::int64_t m) {
  return std::to_string(m) + " m";
}

std::string clock_time(std::int64_t seconds) {
  if (seconds < 0) return std::to_string(seconds) + " s";
  const auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return std::to_string(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

// A board line is at most 16 characters between its parentheses.
constexpr std::size_t widest_board_line = 16;

}  // namespace

void WarningWatch::keyword(int text, LineColumn at, std::string_view field, KeywordPlace place,
                           std::string_view record) {
  if (!record.empty()) {
    in_run_ = false;
    last_record_ = {text, at.line};
    if (!written_as_keyword(field, place)) {
      add("loose-keyword", text, at,
          quoted(field) + " is read as a \"" + std::string(record) +
              "\" record because it holds that keyword: a keyword stands alone in its field, "
              "and a comment needs a hyphen (-) to be skipped");
    }
    return;
  }
  if (trimmed(field).empty()) return;
  if (last_record_ == std::pair{text, at.line} && !in_run_) {
    add("extra-value", text, at,
        quoted(field) +
            " is left over after the record's values and is skipped: a decimal comma, or a "
            "value too many?");
    return;
  }
  if (!looks_like_a_keyword(field) || in_run_) return;
  in_run_ = true;
  std::string message = quoted(field) + " names no record: it and the values after it are skipped";
  if (const auto keyword = nearest_keyword(field, place)) {
    message += "; did you mean \"" + std::string(*keyword) + "\"?";
    if (folded_keyword(field) == *keyword) message += " (letter case counts here)";
  }
  add("unknown-keyword", text, at, std::move(message));
}

void WarningWatch::values_unread(int /*text*/, LineColumn /*at*/) {
  last_record_ = {-1, 0};  // its values are not left over: the record reads none
}

void WarningWatch::preamble(int text, LineColumn at, std::string_view field, bool opens) {
  opened_.resize(std::max(opened_.size(), static_cast<std::size_t>(text) + 1), false);
  if (opens) {
    opened_[static_cast<std::size_t>(text)] = true;
  } else if (field.find('[') != std::string_view::npos && near_general_header(field)) {
    add("unknown-keyword", text, at,
        quoted(field) +
            " names no record: it and the values after it are skipped; did you "
            "mean \"[generale]\"?");
  }
}

void WarningWatch::empty_value(int text, LineColumn at) {
  add("empty-value", text, at, "an empty value is read as 0: write 0 where 0 is meant");
}

// A curve class is one digit from 1 to 6; others are read as the first of
// 1 to 6 the keyword holds.
void WarningWatch::curve(int text, LineColumn at, std::string_view field, int curve_class) {
  const auto digits =
      std::count_if(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (curve_class == 0 || digits <= 1) return;
  add("curve-class", text, at,
      "the curve keyword " + quoted(field) + " is read as class " + std::to_string(curve_class) +
          ": a class is one digit from 1 to 6");
}

// A curve that starts before the last one ended bends the track twice over.
void WarningWatch::curve_span(int text, LineColumn at, std::int64_t start, std::int64_t end) {
  if (curve_end_ && start < *curve_end_) {
    add("order", text, at,
        "the curve from " + metres(start) + " starts before the curve before it ends, at " +
            metres(*curve_end_) + ": curves must follow one another without overlapping",
        start);
  }
  curve_end_ = std::max(end, curve_end_.value_or(end));
}

void WarningWatch::position(int text, LineColumn at, std::int64_t m, std::int64_t cell,
                            std::string_view what) {
  if (m % 50 != 0) {
    add("off-grid", text, at,
        metres(m) + " is not a multiple of 50: the record is laid from cell " +
            std::to_string(cell) + ", which holds metres " + std::to_string((cell - 1) * 50) +
            " to " + std::to_string(cell * 50),
        m);
  }
  // Profiles, gradients and stations are laid in the order written: one
  // going back takes effect where the author did not mean it to.
  if (what == "gradient" || what == "speed limit" || what == "adhesion" || what == "station") {
    const auto [furthest, first] = furthest_.try_emplace(std::string(what), m);
    if (!first && m < furthest->second) {
      add("order", text, at,
          "the " + std::string(what) + " at " + metres(m) + " comes after one at " +
              metres(furthest->second) +
              ": records of a kind must be written in rising order of position",
          m);
    }
    furthest->second = std::max(furthest->second, m);
  }
  if (what == "station" || what == "signal" || what == "slowdown" ||
      what == "speed-indicator board" || what == "signboard") {
    features_.push_back({text, at, std::string(what), m});
  }
}

void WarningWatch::signboard_text(int text, LineColumn at, std::string_view value) {
  if (trimmed(value).empty()) {
    add("empty-text", text, at, "the signboard has no text: its board stays blank");
    return;
  }
  for (std::size_t open = value.find('('); open != std::string_view::npos;
       open = value.find('(', open + 1)) {
    const std::size_t close = value.find(')', open);
    if (close == std::string_view::npos) break;
    const std::size_t width = close - open - 1;
    if (width <= widest_board_line) continue;
    add("empty-text", text, {at.line, at.column + static_cast<int>(open)},
        "the board line " + quoted_excerpt(value.substr(open, close - open + 1)) + " holds " +
            std::to_string(width) + " characters between its parentheses; a board line shows " +
            std::to_string(widest_board_line));
    return;
  }
}

// Times of 0 are those of stations passed without a stop.
void WarningWatch::station_time(int text, LineColumn at, std::int64_t seconds) {
  if (seconds == 0) return;
  if (latest_time_ && seconds < *latest_time_) {
    add("order", text, at,
        "the station time " + clock_time(seconds) + " comes after one of " +
            clock_time(*latest_time_) + ": stations must be written in the order of the timetable");
  }
  latest_time_ = std::max(seconds, latest_time_.value_or(seconds));
}

void WarningWatch::replaced(int text, LineColumn at, std::int64_t cell, std::string_view what,
                            const std::optional<Note>& laid_by) {
  add("replaced", text, at,
      "the station's stop cell, cell " + std::to_string(cell) + ", takes the place of " +
          std::string(what) + ", which is lost");
  if (laid_by) findings_.back().notes.push_back(*laid_by);
}

std::vector<Diagnostic> WarningWatch::warnings(const ScenarioModel& model, const SourceMap& map,
                                               bool read_clean,
                                               const std::set<std::string>& disabled) {
  // Handed over, not copied: a text of a megabyte can raise tens of
  // thousands of findings.
  std::vector<Finding> findings = std::move(findings_);
  findings_.clear();
  const std::int64_t length = model.slots[slot::quantities].area_end;
  for (const Feature& f : features_) {
    if (f.metres <= length) continue;
    findings.push_back({"beyond-line-end",
                        f.text,
                        f.at,
                        "the " + f.what + " at " + metres(f.metres) +
                            " stands beyond the end of the line, in the track's 7000 m tail",
                        f.metres,
                        {}});
  }
  for (std::size_t t = 0; t < opened_.size(); ++t) {
    if (opened_[t]) continue;
    findings.push_back({"missing-section",
                        static_cast<int>(t),
                        {},
                        "there is no [generale] section: no record of this description is read",
                        std::nullopt,
                        {}});
  }
  if (read_clean && model.cells) {
    const int train_text = 1;  // the train description is the second text read
    const SlotRecord& first = model.slots[slot::first_station];
    if (first.name.empty() && first.kind == 0) {
      findings.push_back({"missing-section",
                          train_text,
                          {},
                          "the train description lays no station",
                          std::nullopt,
                          {}});
    }
    const auto& cells = model.cells->all();
    if (std::none_of(cells.begin(), cells.end(),
                     [](const TrackCell& c) { return c.kind == cell_kind::signal; })) {
      findings.push_back({"missing-section",
                          train_text,
                          {},
                          "the train description lays no signal",
                          std::nullopt,
                          {}});
    }
  }
  for (int t = 0; t < map.text_count(); ++t) {
    for (EncodingSlip& slip : encoding_slips(map.bytes(t))) {
      findings.push_back({"encoding", t, slip.at, std::move(slip.message), std::nullopt, {}});
    }
  }
  // In the order of the texts, then of their lines and columns.
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.text, a.at.line, a.at.column) < std::tie(b.text, b.at.line, b.at.column);
  });
  std::vector<Diagnostic> warnings;
  warnings.reserve(findings.size());
  for (Finding& f : findings) {
    if (disabled.contains(f.name)) continue;
    warnings.push_back({Severity::warning, 0, f.name, map.locate(f.text, f.at),
                        std::move(f.message), std::move(f.notes), f.position_m});
  }
  return warnings;
}

const std::set<std::string>& warning_names() {
  static const std::set<std::string> names = {
      "unknown-keyword", "loose-keyword", "extra-value",     "empty-value",
      "off-grid",        "curve-class",   "replaced",        "order",
      "encoding",        "empty-text",    "beyond-line-end", "missing-section"};
  return names;
}

}  // namespace tracciato
