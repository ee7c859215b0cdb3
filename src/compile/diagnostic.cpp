#include "compile/diagnostic.h"

namespace tracciato {
namespace {

struct Meaning {
  std::int32_t code;
  bool has_position;
  const char* message;
};

// What each code of the error record means to a route author.
constexpr Meaning meanings[] = {
    {1, false, "the route length is greater than 1000000 m"},
    {2, false, "a kilometric progressive's start or offset is not a multiple of 50"},
    {3, false, "the start of the cab-signal repetition zone is not a multiple of 50"},
    {4, false, "the end of the cab-signal repetition zone is not a multiple of 50"},
    {5, false, "the cab-signal repetition keyword holds neither 4 nor 9"},
    {6, true, "the signboard's cell is already taken"},
    {7, true, "the abbattimento point's cell is already taken"},
    {8, true, "the station's position is not a multiple of 50"},
    {9, true, "the station's length is not a multiple of 100"},
    {10, false, "too many stations: the next one would take a signboard text's slot"},
    {11, true,
     "no free cell for the abbattimento point before a signal ahead of a slowdown warning"},
    {12, true, "no free cell for an advance point before a slowdown start"},
    {13, true, "no free cell for an abbattimento point along or after a slowdown"},
    {15, true, "the record lies beyond the end of the track"},
    {16, true, "the signal's cell is already taken"},
    {17, true, "the slowdown's warning point cell is already taken"},
    {18, true, "the slowdown's start cell is already taken"},
    {19, true, "the slowdown's end cell is taken or lies beyond the track"},
    {20, true, "one of the four pre-warning cells before the slowdown's warning point is taken"},
    {21, true, "the speed-indicator board's cell is already taken"},
    {22, true, "the station starts less than 350 m after the end of the station before it"},
    {24, false, "the station's stop cell would not lie beyond cell 1"},
    {25, false, "the description cannot be read here"},
    {101, false, "the line description does not exist"},
    {102, false, "the line description has no [generale] section"},
    {103, false, "a curve has no class digit 1 to 6, or the track plan runs past its end"},
};

bool from_post_pass(std::int32_t code) {
  return code >= 11 && code <= 13;
}

}  // namespace

std::optional<Diagnostic> diagnose(const ScenarioModel& model) {
  if (model.error_code == 0) return std::nullopt;
  Diagnostic d;
  d.code = model.error_code;
  d.position = model.error_position;
  d.source = model.error_source;
  d.message = "unknown fault";
  for (const Meaning& m : meanings) {
    if (m.code == d.code) {
      d.message = m.message;
      d.has_position = m.has_position;
    }
  }
  if (from_post_pass(d.code)) {
    static const char* const cell_role[] = {"the signal's cell", "the slowdown start's cell",
                                            "the cell aimed at or the slowdown end's cell"};
    d.message += std::string(", ") + cell_role[d.code - 11] + " " + std::to_string(d.position / 50);
  }
  return d;
}

std::string format_diagnostic(const Diagnostic& d) {
  std::string text;
  if (d.source) {
    text += d.source->file;
    if (d.source->line > 0) {
      text += ":" + std::to_string(d.source->line) + ":" + std::to_string(d.source->column);
    }
    text += ": ";
  } else {
    text += "tracciato: ";  // a fault of the track as a whole, from no single line
  }
  text += "error " + std::to_string(d.code) + ": " + d.message;
  if (d.has_position) text += " (at " + std::to_string(d.position) + " m)";
  text += "\n";
  if (d.source && d.source->line > 0) {
    text += "  " + d.source->text + "\n";
    // Tabs stay tabs, so the caret stands under the field in any terminal.
    std::string under;
    for (int i = 0; i + 1 < d.source->column && i < static_cast<int>(d.source->text.size()); ++i) {
      under += d.source->text[static_cast<std::size_t>(i)] == '\t' ? '\t' : ' ';
    }
    text += "  " + under + "^\n";
  }
  return text;
}

}  // namespace tracciato
