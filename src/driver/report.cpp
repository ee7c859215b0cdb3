#include "driver/report.h"

#include <cstdio>

namespace tracciato {
namespace {

std::string json_string(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

}  // namespace

std::string report_json(const BuildReport& report) {
  std::string json = "{\"error_code\": " + std::to_string(report.error_code) +
                     ", \"error_position\": " + std::to_string(report.error_position) +
                     ", \"stopped\": " + (report.stopped ? json_string(*report.stopped) : "null") +
                     ", \"files\": [";
  for (std::size_t i = 0; i < report.files.size(); ++i) {
    if (i > 0) json += ", ";
    json += json_string(report.files[i]);
  }
  return json + "]}\n";
}

}  // namespace tracciato
