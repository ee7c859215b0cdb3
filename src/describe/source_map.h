#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "describe/field_reader.h"
#include "platform/diagnostic.h"
#include "platform/source_text.h"

namespace tracciato {

// The description texts a build has read, and the record behind each cell
// it laid, so that a fault found later (in another record, by the track
// post-pass or by the compile step) can point at the record that took a cell.
class SourceMap {
 public:
  // Keeps a text read from the file `name`; its bytes stay put for the
  // life of the map, and of every place located in it. Returns the text's
  // index.
  int add_text(std::string name, std::string bytes);
  std::string_view bytes(int text) const { return texts_[static_cast<std::size_t>(text)]->bytes(); }
  int text_count() const { return static_cast<int>(texts_.size()); }

  // A place in a text, sharing the text for its source line; a text as a
  // whole when `at` is {0, 0}.
  SourceLocation locate(int text, LineColumn at) const;

  // Which record laid a cell: the start of its position field and what it
  // laid there ("a signal", "a slowdown start point").
  struct Origin {
    int text = 0;
    LineColumn at;
    const char* what = "";
  };
  void lay(std::int64_t cell, Origin origin) { origins_[cell] = origin; }
  void forget_cells() { origins_.clear(); }
  const Origin* origin(std::int64_t cell) const;

  // "cell N <verb> <what>, laid by this record", at the record that laid the
  // cell; nullopt when no record did.
  std::optional<Note> cell_note(std::int64_t cell, std::string_view verb) const;

 private:
  std::vector<std::shared_ptr<const SourceText>> texts_;
  std::unordered_map<std::int64_t, Origin> origins_;
};

}  // namespace tracciato
