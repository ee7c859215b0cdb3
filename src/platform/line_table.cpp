#include "platform/line_table.h"

#include <stdexcept>

#include "platform/code_page.h"
#include "platform/replace_file.h"

namespace tracciato {

LineTable LineTable::from_text(std::string_view text) {
  LineTable table;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    table.lines_.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  table.lines_.emplace_back(end_marker);
  if (table.lines_.size() > line_table_capacity) {
    throw std::length_error("a line table holds at most 1000 lines before its end marker");
  }
  return table;
}

std::string line_table_bytes(const LineTable& table, std::string_view where) {
  std::string bytes;
  for (const std::string& line : table.lines()) {
    if (line == end_marker) break;
    bytes += to_code_page(line, where);
    bytes += "\r\n";
  }
  return bytes;
}

void write_line_table(const std::filesystem::path& path, const LineTable& table) {
  replace_file(path, line_table_bytes(table, path.filename().string()));
}

void write_line_table(ByteSink& out, const LineTable& table, std::string_view where) {
  out.write(line_table_bytes(table, where));
}

}  // namespace tracciato
