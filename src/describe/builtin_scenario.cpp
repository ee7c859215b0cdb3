#include "describe/builtin_scenario.h"

namespace tracciato {
namespace data {
extern const std::string_view describe_linea;
extern const std::string_view describe_treno;
}  // namespace data

std::string_view builtin_line_text() {
  return data::describe_linea;
}
std::string_view builtin_train_text() {
  return data::describe_treno;
}

std::vector<std::string> builtin_station_names() {
  // A station line ends with its name, after the last comma.
  std::vector<std::string> names;
  std::string_view text = builtin_train_text();
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.starts_with("stazione,")) continue;
    std::string_view name = line.substr(line.rfind(',') + 1);
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    names.emplace_back(name);
  }
  return names;
}

}  // namespace tracciato
