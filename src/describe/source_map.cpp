#include "describe/source_map.h"

#include <utility>

namespace tracciato {

int SourceMap::add_text(std::string name, std::string bytes) {
  texts_.push_back(std::make_shared<const SourceText>(std::move(name), std::move(bytes)));
  return static_cast<int>(texts_.size()) - 1;
}

SourceLocation SourceMap::locate(int text, LineColumn at) const {
  const std::shared_ptr<const SourceText>& t = texts_[static_cast<std::size_t>(text)];
  return {t->name(), at.line, at.column, at.line > 0 ? t : nullptr};
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
