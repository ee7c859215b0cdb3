#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_sink.h"

namespace tracciato {

// The end marker of a line table; it closes the table and is never written.
inline constexpr std::string_view end_marker = "riferimento fine del file";
inline constexpr std::size_t line_table_capacity = 1001;

// A text of the build as its table of lines: the lines in order, then the
// end marker. Filled from a data text (one line per LF).
class LineTable {
 public:
  // Splits `text` at its line feeds; a final line feed ends the last line.
  // Throws std::length_error when lines and marker exceed the capacity.
  static LineTable from_text(std::string_view text);

  const std::vector<std::string>& lines() const { return lines_; }  // ends with end_marker
  std::size_t line_count() const { return lines_.size() - 1; }

 private:
  std::vector<std::string> lines_;
};

// The bytes of a table as a file: every line before the first end marker,
// converted from UTF-8 to Windows-1252, followed by CR LF. Throws
// EncodingError for a character the code page cannot hold.
std::string line_table_bytes(const LineTable& table, std::string_view where = {});

// Writes the table into `path` through replace_file. Throws IoFailure or
// EncodingError; nothing is written in either case.
void write_line_table(const std::filesystem::path& path, const LineTable& table);
// Writes the table's bytes into `out`; `where` names the file in messages.
void write_line_table(ByteSink& out, const LineTable& table, std::string_view where);

}  // namespace tracciato
