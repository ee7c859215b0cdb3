#include "check/finding_tally.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace tracciato {
namespace {

// FNV-1a over the parts that make two warnings the same: name, place,
// words, and the notes' places and words. Among the few hundred thousand
// warnings a check can remember (it remembers only for texts under half
// its reading budget), two different ones share a fingerprint with a
// chance of a few in a billion.
class Fingerprint {
 public:
  Fingerprint& add(std::string_view bytes) {
    for (const char c : bytes) mix(static_cast<unsigned char>(c));
    mix(0);  // so that "ab" + "c" differs from "a" + "bc"
    return *this;
  }
  Fingerprint& add(std::int64_t n) { return add(std::to_string(n)); }
  std::uint64_t value() const { return hash_; }

 private:
  void mix(unsigned char byte) {
    hash_ ^= byte;
    hash_ *= 0x100000001B3;
  }
  std::uint64_t hash_ = 0xCBF29CE484222325;
};

std::uint64_t fingerprint(const HeardWarning& heard) {
  Fingerprint print;
  print.add(heard.name).add(heard.text).add(heard.at.line).add(heard.at.column);
  print.add(heard.message);
  for (const Note& note : heard.notes) {
    if (note.at) print.add(note.at->file).add(note.at->line).add(note.at->column);
    print.add(note.message);
  }
  return print.value();
}

}  // namespace

Diagnostic placed_warning(HeardWarning heard, const SourceMap& map) {
  return {Severity::warning,
          0,
          heard.name,
          map.locate(heard.text, heard.at),
          std::move(heard.message),
          std::move(heard.notes),
          heard.position_m};
}

FindingTally::FindingTally(std::size_t max_warnings, const std::set<std::string>& disabled)
    : max_warnings_(max_warnings), disabled_(disabled.begin(), disabled.end()) {}

void FindingTally::end_compile() {
  if (heard_now_.empty()) return;
  std::sort(heard_now_.begin(), heard_now_.end());
  const auto middle = static_cast<std::ptrdiff_t>(heard_earlier_.size());
  heard_earlier_.insert(heard_earlier_.end(), heard_now_.begin(), heard_now_.end());
  std::inplace_merge(heard_earlier_.begin(), heard_earlier_.begin() + middle, heard_earlier_.end());
  heard_earlier_.erase(std::unique(heard_earlier_.begin(), heard_earlier_.end()),
                       heard_earlier_.end());
  heard_now_.clear();
}

// Only earlier compiles count: one compile hears each warning once.
bool FindingTally::heard_before(const HeardWarning& heard) {
  if (!remembering_) return false;
  const std::uint64_t print = fingerprint(heard);
  if (std::binary_search(heard_earlier_.begin(), heard_earlier_.end(), print)) return true;
  heard_now_.push_back(print);
  return false;
}

void FindingTally::add_warning(HeardWarning heard, const SourceMap& map) {
  if (disabled_.contains(std::string_view(heard.name))) return;
  if (heard_before(heard)) return;
  auto shelf = shelves_.find(std::string_view(heard.name));
  if (shelf == shelves_.end()) shelf = shelves_.emplace(heard.name, Shelf{}).first;
  ++shelf->second.counted;
  const auto text = static_cast<std::size_t>(heard.text);
  const int rank = text < text_ranks_.size() ? text_ranks_[text] : heard.text;
  keep(shelf->second, {rank, heard.at.line, heard.at.column, arrivals_++}, heard, map);
}

// With a limit, the shelf is a heap whose top is the last kept in printed
// order: a warning that comes before it takes its place.
void FindingTally::keep(Shelf& shelf, Order order, HeardWarning& heard,
                        const SourceMap& map) const {
  const auto later = [](const Kept& a, const Kept& b) { return a.order < b.order; };
  std::vector<Kept>& kept = shelf.kept;
  if (max_warnings_ != 0 && kept.size() == max_warnings_) {
    if (!(order < kept.front().order)) return;
    std::pop_heap(kept.begin(), kept.end(), later);
    kept.pop_back();
  }
  kept.push_back({order, placed_warning(std::move(heard), map)});
  if (max_warnings_ != 0) std::push_heap(kept.begin(), kept.end(), later);
}

void FindingTally::add_error(Diagnostic error, int file_rank) {
  const int line = error.at ? error.at->line : 0;
  const int column = error.at ? error.at->column : 0;
  errors_.push_back({{file_rank, line, column, arrivals_++}, std::move(error)});
}

std::size_t FindingTally::warnings_kept() const {
  std::size_t kept = 0;
  for (const auto& [name, shelf] : shelves_) kept += shelf.kept.size();
  return kept;
}

// Without a limit the shelves hold every warning: the largest is taken over
// whole rather than copied, and each is let go once drained.
ShownFindings FindingTally::take_shown() {
  ShownFindings shown;
  shown.errors = errors_.size();
  for (const auto& [name, shelf] : shelves_) {
    shown.warnings += shelf.counted;
    if (shelf.counted > shelf.kept.size()) {
      shown.not_shown[name] = shelf.counted - shelf.kept.size();
    }
  }
  std::vector<Kept> all;
  const auto largest = std::max_element(shelves_.begin(), shelves_.end(), [](auto& a, auto& b) {
    return a.second.kept.size() < b.second.kept.size();
  });
  if (largest != shelves_.end()) all = std::move(largest->second.kept);
  const auto drain = [&all](std::vector<Kept>& kept) {
    std::move(kept.begin(), kept.end(), std::back_inserter(all));
    kept = {};
  };
  for (auto& [name, shelf] : shelves_) drain(shelf.kept);
  drain(errors_);
  shelves_.clear();
  std::sort(all.begin(), all.end(), [](const Kept& a, const Kept& b) { return a.order < b.order; });
  shown.diagnostics.reserve(all.size());
  for (Kept& k : all) shown.diagnostics.push_back(std::move(k.diagnostic));
  return shown;
}

}  // namespace tracciato
