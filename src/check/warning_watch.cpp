#include "check/warning_watch.h"

#include <algorithm>
#include <array>

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

// The features whose place is judged against the route length, once known.
constexpr std::array<const char*, 5> feature_kinds = {"station", "signal", "slowdown",
                                                      "speed-indicator board", "signboard"};

const char* feature_kind(std::string_view what) {
  const auto* kind = std::find_if(feature_kinds.begin(), feature_kinds.end(),
                                  [what](const char* k) { return what == k; });
  return kind == feature_kinds.end() ? nullptr : *kind;
}

}  // namespace

void WarningWatch::add(const char* name, int text, LineColumn at, std::string message,
                       std::optional<std::int64_t> position_m, std::vector<Note> notes) {
  tally_->add_warning({name, text, at, std::move(message), position_m, std::move(notes)}, *map_);
}

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
  if (const char* kind = feature_kind(what)) features_.push_back({text, at, kind, m});
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
  std::vector<Note> notes;
  if (laid_by) notes.push_back(*laid_by);
  add("replaced", text, at,
      "the station's stop cell, cell " + std::to_string(cell) + ", takes the place of " +
          std::string(what) + ", which is lost",
      std::nullopt, std::move(notes));
}

void WarningWatch::reading_done(const ScenarioModel& model, bool read_clean) {
  const std::int64_t length = model.slots[slot::quantities].area_end;
  for (const Feature& f : features_) {
    if (f.metres <= length) continue;
    add("beyond-line-end", f.text, f.at,
        "the " + std::string(f.what) + " at " + metres(f.metres) +
            " stands beyond the end of the line, in the track's 7000 m tail",
        f.metres);
  }
  for (std::size_t t = 0; t < opened_.size(); ++t) {
    if (opened_[t]) continue;
    add("missing-section", static_cast<int>(t), {},
        "there is no [generale] section: no record of this description is read");
  }
  if (read_clean && model.cells) {
    const int train_text = 1;  // the train description is the second text read
    const SlotRecord& first = model.slots[slot::first_station];
    if (first.name.empty() && first.kind == 0) {
      add("missing-section", train_text, {}, "the train description lays no station");
    }
    const auto& cells = model.cells->all();
    if (std::none_of(cells.begin(), cells.end(),
                     [](const TrackCell& c) { return c.kind == cell_kind::signal; })) {
      add("missing-section", train_text, {}, "the train description lays no signal");
    }
  }
  for (int t = 0; t < map_->text_count(); ++t) {
    scan_encoding(map_->bytes(t), [this, t](EncodingSlip slip) {
      add("encoding", t, slip.at, std::move(slip.message));
    });
  }
}

const std::set<std::string>& warning_names() {
  static const std::set<std::string> names = {
      "unknown-keyword", "loose-keyword", "extra-value",     "empty-value",
      "off-grid",        "curve-class",   "replaced",        "order",
      "encoding",        "empty-text",    "beyond-line-end", "missing-section"};
  return names;
}

}  // namespace tracciato
