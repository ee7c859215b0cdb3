#include "platform/diagnostic.h"

#include <algorithm>
#include <array>

#include "platform/code_page.h"
#include "platform/json.h"
#include "platform/terminal_text.h"

namespace tracciato {
namespace {

constexpr std::size_t excerpt_width = 40;
constexpr std::size_t window_width = 100;
constexpr std::size_t window_lead = 50;  // characters kept before the caret
constexpr std::string_view ellipsis = "...";

std::string place(const std::optional<SourceLocation>& at) {
  if (!at) return "tracciato";
  std::string text = at->file;
  if (at->line > 0) {
    text += ':';
    text += std::to_string(at->line);
    text += ':';
    text += std::to_string(at->column);
  }
  return text;
}

// The source line and a caret under the column; a long line is cut to a
// window around the caret, its cut ends marked "...". The line is shown in
// UTF-8, its control characters made harmless.
std::string source_and_caret(const SourceLocation& at) {
  const std::string_view line = at.line_text();
  const std::size_t caret = static_cast<std::size_t>(std::max(at.column, 1) - 1);
  std::size_t begin = 0;
  std::size_t end = line.size();
  if (line.size() > window_width) {
    begin = std::min(caret > window_lead ? caret - window_lead : 0, line.size() - window_width);
    end = begin + window_width;
  }
  std::string text = "  ";
  std::string under = "  ";
  if (begin > 0) {
    text += ellipsis;
    under.append(ellipsis.size(), ' ');
  }
  text += terminal_text(from_code_page(line.substr(begin, end - begin)));
  if (end < line.size()) text += ellipsis;
  for (std::size_t i = begin; i < caret; ++i) {
    under += i < line.size() && line[i] == '\t' ? '\t' : ' ';
  }
  return text + "\n" + under + "^\n";
}

std::string lines_of(const std::optional<SourceLocation>& at, const std::string& head) {
  std::string text = place(at) + ": " + head + "\n";
  if (at && at->line > 0) text += source_and_caret(*at);
  return text;
}

std::string location_json(const std::optional<SourceLocation>& at) {
  if (!at) return "null";
  return "{\"file\": " + json_string(at->file) + ", \"line\": " + std::to_string(at->line) +
         ", \"column\": " + std::to_string(at->column) + "}";
}

}  // namespace

std::string excerpt(std::string_view field) {
  if (field.size() <= excerpt_width) return std::string(field);
  return std::string(field.substr(0, excerpt_width)) + std::string(ellipsis) + " (" +
         std::to_string(field.size()) + " characters)";
}

std::string quoted_excerpt(std::string_view field) {
  if (field.size() <= excerpt_width) return "\"" + std::string(field) + "\"";
  return "\"" + std::string(field.substr(0, excerpt_width)) + std::string(ellipsis) + "\" (" +
         std::to_string(field.size()) + " characters)";
}

std::string format_diagnostic(const Diagnostic& d) {
  // A message may quote a field as written, control bytes and all.
  const std::string message = terminal_text(d.message);
  std::string head;
  switch (d.severity) {
    case Severity::error:
      head = "error " + std::to_string(d.code) + ": " + message;
      break;
    case Severity::warning:
      head = "warning: " + message + (d.name.empty() ? "" : " [-W" + d.name + "]");
      break;
    case Severity::note:
      head = "note: " + message;
      break;
  }
  std::string text = lines_of(d.at, head);
  for (const Note& note : d.notes) {
    text += lines_of(note.at, "note: " + terminal_text(note.message));
  }
  return text;
}

std::string notes_json(const std::vector<Note>& notes) {
  std::string json = "[";
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (i > 0) json += ", ";
    json += R"({"message": )" + json_string(notes[i].message) + R"(, "location": )" +
            location_json(notes[i].at) + "}";
  }
  return json + "]";
}

std::string diagnostic_fields_json(const Diagnostic& d) {
  return R"("message": )" + json_string(d.message) + R"(, "location": )" + location_json(d.at) +
         R"(, "notes": )" + notes_json(d.notes);
}

std::string diagnostic_json(const Diagnostic& d) {
  static constexpr std::array<const char*, 3> severities = {"error", "warning", "note"};
  std::string json = R"({"severity": ")" +
                     std::string(severities[static_cast<std::size_t>(d.severity)]) +
                     R"(", "code": )" + std::to_string(d.code);
  if (!d.name.empty()) json += R"(, "name": )" + json_string(d.name);
  return json + ", " + diagnostic_fields_json(d) + "}";
}

}  // namespace tracciato
