#include "describe/source_map.h"

namespace tracciato {

int SourceMap::add_text(std::string name, std::string bytes) {
  texts_.push_back({std::move(name), std::move(bytes)});
  return static_cast<int>(texts_.size()) - 1;
}

SourceLocation SourceMap::locate(int text, LineColumn at) const {
  const Text& t = texts_[static_cast<std::size_t>(text)];
  SourceLocation location{t.name, at.line, at.column, {}};
  if (at.line > 0) location.line_text = std::string(line_in(t.bytes, at.line));
  return location;
}

const SourceMap::Origin* SourceMap::origin(std::int64_t cell) const {
  const auto found = origins_.find(cell);
  return found == origins_.end() ? nullptr : &found->second;
}

std::optional<Note> SourceMap::cell_note(std::int64_t cell, std::string_view verb) const {
  const Origin* o = origin(cell);
  if (o == nullptr) return std::nullopt;
  return Note{locate(o->text, o->at), "cell " + std::to_string(cell) + " " + std::string(verb) +
                                          " " + o->what + ", laid by this record"};
}

}  // namespace tracciato
