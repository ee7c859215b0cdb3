#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "check/finding_tally.h"
#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/scenario_model.h"
#include "platform/diagnostic.h"

namespace tracciato {

// What the readers' observations say is almost certainly a mistake. Each
// warning has a name, by which -Wno-NAME turns it off:
//   unknown-keyword  a field in a keyword's place names no record, so the
//                    record and its values are skipped (reported once per run
//                    of skipped fields: the values follow from it);
//   loose-keyword    a field read as a record only because it holds a
//                    keyword somewhere, as a comment that mentions one;
//   extra-value      a value left over on the line of a record that was read
//                    whole, as "2,5" read as 2 and then 5;
//   empty-value      a number field left empty, read as 0;
//   off-grid         a position not a multiple of 50, rounded to a cell;
//   curve-class      a curve keyword that is not one class digit;
//   beyond-line-end  a feature past the route length, in the track's tail;
//   replaced         a feature whose cell a station's stop cell takes over;
//   order            records of a kind not in rising order, overlapping curves;
//   encoding         a text in UTF-8, a byte the code page lacks, or a
//                    control character other than a tab or a line end;
//   empty-text       a signboard without text, or a board line too wide;
//   missing-section  no [generale], or a train without stations or signals.
class WarningWatch : public ReadingObserver {
 public:
  // Hands each warning to `tally` as it is heard, placed in the texts of
  // `map` (the map the compile reads into); keeps none itself.
  WarningWatch(FindingTally& tally, const SourceMap& map) : tally_(&tally), map_(&map) {}

  void keyword(int text, LineColumn at, std::string_view field, KeywordPlace place,
               std::string_view record) override;
  void values_unread(int text, LineColumn at) override;
  void preamble(int text, LineColumn at, std::string_view field, bool opens) override;
  void empty_value(int text, LineColumn at) override;
  void curve(int text, LineColumn at, std::string_view field, int curve_class) override;
  void curve_span(int text, LineColumn at, std::int64_t start, std::int64_t end) override;
  void position(int text, LineColumn at, std::int64_t metres, std::int64_t cell,
                std::string_view what) override;
  void signboard_text(int text, LineColumn at, std::string_view value) override;
  void station_time(int text, LineColumn at, std::int64_t seconds) override;
  void replaced(int text, LineColumn at, std::int64_t cell, std::string_view what,
                const std::optional<Note>& laid_by) override;

  // The warnings only the whole reading tells: features beyond the route's
  // end, missing sections, the texts' encoding; once, when the compile is
  // done. `read_clean`: the compile recorded no fault, so what the train
  // lacks is truly missing.
  void reading_done(const ScenarioModel& model, bool read_clean);

 private:
  // A feature's position, held until the route length is known.
  struct Feature {
    int text = 0;
    LineColumn at;
    const char* what = nullptr;  // one of feature_kinds
    std::int64_t metres = 0;
  };

  void add(const char* name, int text, LineColumn at, std::string message,
           std::optional<std::int64_t> position_m = std::nullopt, std::vector<Note> notes = {});

  FindingTally* tally_;
  const SourceMap* map_;
  std::vector<Feature> features_;
  std::map<std::string, std::int64_t, std::less<>> furthest_;  // of each kind of record, in m
  std::optional<std::int64_t> curve_end_;                      // of the last curve, in m
  std::optional<std::int64_t> latest_time_;                    // of the stations, in s
  std::vector<bool> opened_;                // per text: whether its [generale] was found
  bool in_run_ = false;                     // within a run of skipped fields
  std::pair<int, int> last_record_{-1, 0};  // the text and line of the last record read
};

// The names of the warnings there are.
const std::set<std::string>& warning_names();

}  // namespace tracciato
