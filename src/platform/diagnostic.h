#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/source_text.h"

namespace tracciato {

// Where a diagnostic points: a file, and within it a line and a character
// column counted from 1 (0 when it concerns the file as a whole). It shares
// the text it lies in rather than copying its line, so that many places on
// one long line cost no more than one: the line is looked up when shown.
struct SourceLocation {
  std::string file;
  int line = 0;
  int column = 0;
  std::shared_ptr<const SourceText> text;  // none: no line to show

  // The line as it stands in the text, in the code page, for the caret
  // display; empty without a text or a line.
  std::string_view line_text() const {
    return text && line > 0 ? text->line(line) : std::string_view{};
  }

  friend bool operator==(const SourceLocation&, const SourceLocation&) = default;
};

enum class Severity { error, warning, note };

// A remark attached to a diagnostic, pointing at a place of its own.
struct Note {
  std::optional<SourceLocation> at;
  std::string message;

  friend bool operator==(const Note&, const Note&) = default;
};

// One finding about an input, as data. An error carries the code of the
// error record; a warning carries a name by which it can be turned off.
struct Diagnostic {
  Severity severity = Severity::error;
  int code = 0;
  std::string name;
  std::optional<SourceLocation> at;  // none: a fault of the scenario as a whole
  std::string message;
  std::vector<Note> notes;
  std::optional<std::int64_t> position_m;  // the route position it concerns, in metres
};

// A field of a text as a message names it: whole up to 40 characters, and
// a longer one by its first 40, "..." and its length, so that a message
// stays one line whatever the field holds. The second form is in double
// quotes: "12OOO", or "xxx...x"... (50000001 characters).
std::string excerpt(std::string_view field);
std::string quoted_excerpt(std::string_view field);

// The one text form of a diagnostic, as compilers print it:
//   FILE:LINE:COL: error N: message
//     the source line
//     ^
//   FILE:LINE:COL: note: message
// A diagnostic without a place starts with "tracciato:". Source lines are
// shown in UTF-8 as a window of about 100 columns around the caret.
std::string format_diagnostic(const Diagnostic& diagnostic);

// The diagnostic as one JSON object: "severity", "code", "message",
// "location" ({"file", "line", "column"} or null) and "notes".
std::string diagnostic_json(const Diagnostic& diagnostic);
// Its last three members alone, without braces, for an object of its own:
// "message": ..., "location": ..., "notes": [...].
std::string diagnostic_fields_json(const Diagnostic& diagnostic);
// The notes alone, as a JSON array of {"message", "location"}.
std::string notes_json(const std::vector<Note>& notes);

}  // namespace tracciato
