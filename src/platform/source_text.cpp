#include "platform/source_text.h"

#include <utility>

namespace tracciato {
namespace {

bool ends_line(char c) {
  return c == '\n' || c == '\r';
}

}  // namespace

SourceText::SourceText(std::string name, std::string bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {
  line_starts_.push_back(0);
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    if (!ends_line(bytes_[i])) continue;
    if (bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n') ++i;
    line_starts_.push_back(i + 1);
  }
}

std::string_view SourceText::line(int n) const {
  const auto index = static_cast<std::size_t>(n);
  if (n < 1 || index > line_starts_.size()) return {};
  const std::size_t begin = line_starts_[index - 1];
  // The line ends where the next begins, less its line end: a place on a
  // long line costs no scan of it.
  std::size_t end = bytes_.size();
  if (index < line_starts_.size()) {
    end = line_starts_[index] - 1;
    if (bytes_[end] == '\n' && end > begin && bytes_[end - 1] == '\r') --end;
  }
  return std::string_view(bytes_).substr(begin, end - begin);
}

}  // namespace tracciato
