#include "check/check_report.h"

#include <algorithm>

#include "platform/json.h"

namespace tracciato {
namespace {

std::string counted(std::size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

std::string or_null(const std::optional<SourceLocation>& at, bool line) {
  if (!at || (line ? at->line : at->column) == 0) return "null";
  return std::to_string(line ? at->line : at->column);
}

}  // namespace

std::string check_report_text(const std::vector<Diagnostic>& found) {
  std::string text;
  for (const Diagnostic& d : found) text += format_diagnostic(d);
  const auto errors =
      static_cast<std::size_t>(std::count_if(found.begin(), found.end(), [](const Diagnostic& d) {
        return d.severity == Severity::error;
      }));
  return text + counted(errors, "error") + ", " + counted(found.size() - errors, "warning") + "\n";
}

std::string check_report_json(const std::vector<Diagnostic>& found) {
  std::string json = "[";
  for (std::size_t i = 0; i < found.size(); ++i) {
    const Diagnostic& d = found[i];
    const bool error = d.severity == Severity::error;
    json += i == 0 ? "\n  " : ",\n  ";
    json += R"({"severity": )" + json_string(error ? "error" : "warning");
    json +=
        error ? R"(, "code": )" + std::to_string(d.code) : R"(, "name": )" + json_string(d.name);
    json += R"(, "file": )" + (d.at ? json_string(d.at->file) : std::string("null"));
    json += R"(, "line": )" + or_null(d.at, true) + R"(, "column": )" + or_null(d.at, false);
    json += R"(, "position_m": )" + (d.position_m ? std::to_string(*d.position_m) : "null");
    json += R"(, "message": )" + json_string(d.message) + R"(, "notes": )" + notes_json(d.notes);
    json += "}";
  }
  return json + (found.empty() ? "]\n" : "\n]\n");
}

}  // namespace tracciato
