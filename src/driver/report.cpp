#include "driver/report.h"

#include "platform/json.h"

namespace tracciato {

std::string report_json(const BuildReport& report) {
  std::string json = "{\"error_code\": " + std::to_string(report.error_code) +
                     ", \"error_position\": " + std::to_string(report.error_position) +
                     ", \"stopped\": " + (report.stopped ? json_string(*report.stopped) : "null") +
                     ", \"files\": [";
  for (std::size_t i = 0; i < report.files.size(); ++i) {
    if (i > 0) json += ", ";
    json += json_string(report.files[i]);
  }
  json += "], ";
  if (report.diagnostic) {
    json += diagnostic_fields_json(*report.diagnostic);
  } else {
    json += R"("message": null, "location": null, "notes": [])";
  }
  return json + "}\n";
}

}  // namespace tracciato
