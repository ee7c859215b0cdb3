#include "long_route.h"

#include <string_view>
#include <vector>

#include "describe/description_texts.h"

namespace tracciato::bench {
namespace {

constexpr long builtin_length = 68000;

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
  }
  return lines;
}

// The sections whose records are laid again along the longer line, with
// how many records each may hold in all (0: no limit).
struct Repeated {
  std::string_view section;
  int limit;
};
constexpr Repeated repeated[] = {{"[curve]", 0},    {"[pendenze]", 0},   {"[montagne]", 80},
                                 {"[cartelli]", 0}, {"[vel_limite]", 0}, {"[segnali]", 0}};

const Repeated* repeated_section(std::string_view header) {
  for (const Repeated& r : repeated) {
    if (r.section == header) return &r;
  }
  return nullptr;
}

// A record moved `offset` metres on: its first value is its position.
std::string moved(std::string_view record, long offset) {
  const std::size_t comma = record.find(',');
  std::size_t digits = record.find_first_not_of(' ', comma + 1);
  std::size_t end = record.find(',', digits);
  const long position = std::stol(std::string(record.substr(digits, end - digits)));
  return std::string(record.substr(0, comma + 1)) + " " + std::to_string(position + offset) +
         std::string(record.substr(end));
}

// Each section's records, followed by their copies every 68 km.
std::string lengthen(std::string_view text, long length) {
  const std::vector<std::string_view> lines = lines_of(text);
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.starts_with("lunghezza percorso")) {
      out += "lunghezza percorso, " + std::to_string(length) + "\r\n";
      continue;
    }
    out += line;
    out += "\r\n";
    const Repeated* section = repeated_section(line);
    if (section == nullptr) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !lines[end].starts_with("[")) ++end;
    int count = 0;
    for (long offset = 0; offset + builtin_length <= length; offset += builtin_length) {
      for (std::size_t k = i + 1; k < end; ++k) {
        if (section->limit != 0 && count == section->limit) break;
        out += offset == 0 ? std::string(lines[k]) : moved(lines[k], offset);
        out += "\r\n";
        ++count;
      }
    }
    i = end - 1;
  }
  return out;
}

}  // namespace

RouteTexts long_route(int km) {
  const long length = 1000L * km;
  return {lengthen(builtin_line_bytes(), length), lengthen(builtin_train_bytes(), length)};
}

}  // namespace tracciato::bench
