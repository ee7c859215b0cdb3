#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// A text that diagnostics point into: its name, its bytes as read, and where
// each of its lines starts, found once when the text is kept. A place in it
// is then a line and a column; its line is looked up only when a diagnostic
// is shown, for the cost of that line, not of the text before it. A line
// ends at CR LF, LF or CR, as the description readers take it.
class SourceText {
 public:
  SourceText(std::string name, std::string bytes);

  const std::string& name() const { return name_; }
  std::string_view bytes() const { return bytes_; }
  // Line n (from 1) without its line end; empty for a line the text lacks.
  std::string_view line(int n) const;

 private:
  std::string name_;
  std::string bytes_;
  std::vector<std::size_t> line_starts_;  // the first byte of each line
};

}  // namespace tracciato
