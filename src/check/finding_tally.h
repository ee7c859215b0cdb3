#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "describe/field_reader.h"
#include "describe/source_map.h"
#include "platform/diagnostic.h"

namespace tracciato {

// How many warnings of each name check and compile show unless told.
constexpr std::size_t default_max_warnings = 50;

// A warning as the watch hears it, before it is placed in its text: the
// place is looked up only for a warning that is kept.
struct HeardWarning {
  const char* name;
  int text;
  LineColumn at;  // {0, 0}: the text as a whole
  std::string message;
  std::optional<std::int64_t> position_m;
  std::vector<Note> notes;
};

// The warning as a diagnostic, at its place in a text of `map`.
Diagnostic placed_warning(HeardWarning heard, const SourceMap& map);

// What a run shows of its findings, in the order they are printed.
struct ShownFindings {
  std::vector<Diagnostic> diagnostics;  // every error, and the warnings kept
  std::size_t errors = 0;
  std::size_t warnings = 0;  // shown or not
  // Of each warning name with more than the limit, how many are left out.
  std::map<std::string, std::size_t> not_shown;
};

// Counts every finding of a run and keeps what is printed: every error, and
// of each warning name the first `max_warnings` in printed order (0: all).
// The others are only counted, so that a text with a million warnings costs
// the memory of the few shown. The printed order is that of the files, then
// of lines and columns, then of arrival.
class FindingTally {
 public:
  // `disabled`: warning names neither kept nor counted (-Wno-NAME).
  explicit FindingTally(std::size_t max_warnings = default_max_warnings,
                        const std::set<std::string>& disabled = {});

  // The rank in the printed order of the files of the texts, by the texts'
  // index in the source map; without one, a text's rank is its index.
  void rank_texts(std::vector<int> ranks) { text_ranks_ = std::move(ranks); }

  // From now on, a warning heard in an earlier compile (see end_compile) is
  // not counted again: check compiles the same texts once per fault. Each
  // warning counted costs a 64-bit fingerprint until the tally ends.
  void remember_warnings() { remembering_ = true; }
  // Ends a compile: what it heard is, when remembered, heard before.
  void end_compile();

  // A warning heard in a text of `map`, placed in it only when kept.
  void add_warning(HeardWarning heard, const SourceMap& map);
  // An error; `file_rank` places its file among those of the texts.
  void add_error(Diagnostic error, int file_rank);

  // How many warnings are kept now, of every name: at most the limit of each.
  std::size_t warnings_kept() const;
  // Hands over everything kept, sorted into the printed order, with the
  // counts; once, as the run ends.
  ShownFindings take_shown();

 private:
  // Where a finding stands in the printed order.
  struct Order {
    int file_rank = 0;
    int line = 0;
    int column = 0;
    std::uint64_t arrival = 0;
    friend bool operator<(const Order& a, const Order& b) {
      return std::tie(a.file_rank, a.line, a.column, a.arrival) <
             std::tie(b.file_rank, b.line, b.column, b.arrival);
    }
  };
  struct Kept {
    Order order;
    Diagnostic diagnostic;
  };
  // Of one warning name: how many were counted, and the first kept.
  struct Shelf {
    std::size_t counted = 0;
    std::vector<Kept> kept;  // with a limit: a heap, the last in order on top
  };
  bool heard_before(const HeardWarning& heard);
  void keep(Shelf& shelf, Order order, HeardWarning& heard, const SourceMap& map) const;

  std::size_t max_warnings_;
  std::set<std::string, std::less<>> disabled_;
  std::vector<int> text_ranks_;
  std::map<std::string, Shelf, std::less<>> shelves_;
  std::vector<Kept> errors_;
  std::uint64_t arrivals_ = 0;
  bool remembering_ = false;
  std::vector<std::uint64_t> heard_earlier_;  // sorted fingerprints of ended compiles
  std::vector<std::uint64_t> heard_now_;      // of the compile under way
};

}  // namespace tracciato
