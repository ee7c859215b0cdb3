#include "check/check_report.h"

#include <algorithm>
#include <map>

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

std::string not_shown_line(const std::string& name, std::size_t n) {
  return std::to_string(n) + " more -W" + name + " warnings not shown (--max-warnings 0 shows all)";
}

// Of each name with warnings left out, the index of its last shown warning,
// after which the count of those left out is told.
std::map<std::size_t, std::string> last_shown_of_capped(const ShownFindings& shown) {
  std::map<std::string, std::size_t> last;
  for (std::size_t i = 0; i < shown.diagnostics.size(); ++i) {
    const Diagnostic& d = shown.diagnostics[i];
    if (d.severity == Severity::warning && shown.not_shown.contains(d.name)) last[d.name] = i;
  }
  std::map<std::size_t, std::string> after;
  for (const auto& [name, i] : last) after[i] = name;
  return after;
}

std::string diagnostic_object(const Diagnostic& d) {
  const bool error = d.severity == Severity::error;
  std::string json = R"({"severity": )" + json_string(error ? "error" : "warning");
  json += error ? R"(, "code": )" + std::to_string(d.code) : R"(, "name": )" + json_string(d.name);
  json += R"(, "file": )" + (d.at ? json_string(d.at->file) : std::string("null"));
  json += R"(, "line": )" + or_null(d.at, true) + R"(, "column": )" + or_null(d.at, false);
  json += R"(, "position_m": )" + (d.position_m ? std::to_string(*d.position_m) : "null");
  json += R"(, "message": )" + json_string(d.message) + R"(, "notes": )" + notes_json(d.notes);
  return json + "}";
}

std::string not_shown_object(const std::string& name, std::size_t n) {
  return R"({"severity": "note", "name": )" + json_string(name) +
         R"(, "file": null, "line": null, "column": null, "position_m": null, "message": )" +
         json_string(not_shown_line(name, n)) + R"(, "notes": [], "not_shown": )" +
         std::to_string(n) + "}";
}

// The diagnostics gathered, counted as the summary counts them.
ShownFindings all_shown(const std::vector<Diagnostic>& found) {
  ShownFindings shown{found, 0, 0, {}};
  shown.errors =
      static_cast<std::size_t>(std::count_if(found.begin(), found.end(), [](const Diagnostic& d) {
        return d.severity == Severity::error;
      }));
  shown.warnings = found.size() - shown.errors;
  return shown;
}

}  // namespace

void write_findings_text(const ShownFindings& shown, ByteSink& out, bool summary) {
  const auto after = last_shown_of_capped(shown);
  for (std::size_t i = 0; i < shown.diagnostics.size(); ++i) {
    out.write(format_diagnostic(shown.diagnostics[i]));
    if (const auto capped = after.find(i); capped != after.end()) {
      out.write(not_shown_line(capped->second, shown.not_shown.at(capped->second)) + "\n");
    }
  }
  if (summary) {
    out.write(counted(shown.errors, "error") + ", " + counted(shown.warnings, "warning") + "\n");
  }
}

void write_findings_json(const ShownFindings& shown, ByteSink& out) {
  const auto after = last_shown_of_capped(shown);
  const char* separator = "[\n  ";
  for (std::size_t i = 0; i < shown.diagnostics.size(); ++i) {
    out.write(separator);
    out.write(diagnostic_object(shown.diagnostics[i]));
    separator = ",\n  ";
    if (const auto capped = after.find(i); capped != after.end()) {
      out.write(separator);
      out.write(not_shown_object(capped->second, shown.not_shown.at(capped->second)));
    }
  }
  out.write(shown.diagnostics.empty() ? "[]\n" : "\n]\n");
}

std::string check_report_text(const std::vector<Diagnostic>& found) {
  StringSink text;
  write_findings_text(all_shown(found), text);
  return std::move(text.bytes());
}

std::string check_report_json(const std::vector<Diagnostic>& found) {
  StringSink json;
  write_findings_json(all_shown(found), json);
  return std::move(json.bytes());
}

}  // namespace tracciato
