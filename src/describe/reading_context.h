#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "describe/field_reader.h"
#include "describe/memorizza_dati.h"
#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/error_codes.h"
#include "model/scenario_model.h"

namespace tracciato {

// How a half of the reader ended: reading goes on, or the reader returns
// at once (a fault that ends the whole reading).
enum class ReadOutcome { go_on, returned };

// What both halves of the reader share: the model, the open text, the
// current record, the signboard slot that the stations must not reach, and
// the map from cells back to the records that laid them.
class ReadingContext {
 public:
  ReadingContext(ScenarioModel& model, const DescriptionSources& sources, SourceMap& map,
                 ReadingObserver* observer)
      : model_(model), sources_(sources), map_(map), observer_(observer) {}

  ScenarioModel& model() { return model_; }
  const DescriptionSources& sources() const { return sources_; }
  SourceMap& map() { return map_; }

  // Opens a text for field reading (throws IoFailure), and closes it,
  // deleting it when the build owns it.
  void open(const std::filesystem::path& path);
  void close_and_delete();
  // The failure path: every text the build owns is deleted where present.
  void delete_all_texts();
  int text() const { return text_; }

  FieldReader& fields() { return *fields_; }
  // Reads the next field as a keyword candidate.
  const std::string& read_token();
  // Reads a text value of a record (a signboard's text) into the token.
  const std::string& read_text_value();
  const std::string& token() const { return token_; }
  // Where the keyword of the record being read stands, in the open text.
  LineColumn keyword_at() const { return keyword_at_; }
  // Reads the next keyword candidate of the records into the token, past at
  // most two comment fields (fields holding a hyphen). False at the end of
  // the text: a field that is the text's very last is not acted upon.
  bool next_record_keyword();
  // Tells the observer, if any, which cell a record's position put it in.
  void position_read(LineColumn at, std::int64_t metres, std::int64_t cell, std::string_view what) {
    if (observer_ != nullptr) observer_->position(text_, at, metres, cell, what);
  }
  // Tells the observer, if any, of the field just read before [generale].
  void preamble_read(bool opens) {
    if (observer_ != nullptr) observer_->preamble(text_, keyword_at_, token_, opens);
  }
  // Tells the observer, if any, which class a curve keyword was read as and
  // the metres the curve runs over.
  void curve_read(std::string_view keyword, int curve_class, LineColumn at, std::int64_t start,
                  std::int64_t end) {
    if (observer_ == nullptr) return;
    observer_->curve(text_, keyword_at_, keyword, curve_class);
    observer_->curve_span(text_, at, start, end);
  }
  // Tells the observer, if any, which record the keyword just read named
  // ("" for none).
  void keyword_read(KeywordPlace place, std::string_view record) {
    if (observer_ != nullptr) observer_->keyword(text_, keyword_at_, token_, place, record);
  }
  // Tells the observer, if any, that the record just named is passed over
  // with its values unread.
  void values_unread() {
    if (observer_ != nullptr) observer_->values_unread(text_, keyword_at_);
  }
  // Tells the observer, if any, of a signboard's text, read last.
  void signboard_text_read(std::string_view value) {
    if (observer_ != nullptr) observer_->signboard_text(text_, fields_->last_field(), value);
  }
  // Tells the observer, if any, of a station's timetable time.
  void station_time_read(LineColumn at, std::int64_t seconds) {
    if (observer_ != nullptr) observer_->station_time(text_, at, seconds);
  }
  // Tells the observer, if any, that a station at `at` is about to lay its
  // stop cell over what another record laid there.
  void stop_cell_replaces(LineColumn at, std::int64_t cell);
  // Whether empty number fields are worth telling the observer about: not
  // where the format gives an empty value a meaning of its own.
  void tell_empty_values(bool tell);

  // The cells, which the route-length record must have created before any
  // record that uses them.
  CellArray& cells();
  std::int64_t last_cell() { return cells().last(); }
  // A record at p lies inside the track: (p + margin) / 50 <= U, exactly.
  bool within_track(std::int64_t p, std::int64_t margin = 100) {
    return p + margin <= 50 * last_cell();
  }

  // Records a fault at the field `at` of the open text.
  void record(ErrorCode code, std::int32_t position, LineColumn at);
  void record(ErrorCode code, LineColumn at);
  // Puts the fault a placement routine recorded at the field `at`, with a
  // note at the record that took the cell.
  void place_placement_fault(LineColumn at);
  // Marks a cell as laid by the record whose position field is at `at`.
  void lay(std::int64_t cell, LineColumn at, const char* what) {
    map_.lay(cell, {text_, at, what});
  }
  // A place in the open text.
  SourceLocation locate(LineColumn at) const { return map_.locate(text_, at); }

  // The progressive records as read, for error 2 after the train text: the
  // start and the offset of each, with where they stand in the line text.
  struct ProgressiveSource {
    std::int32_t start = 0;
    std::int32_t offset = 0;
    LineColumn start_at;
    LineColumn offset_at;
  };
  std::vector<ProgressiveSource>& progressives() { return progressives_; }
  const std::vector<ProgressiveSource>& progressives() const { return progressives_; }
  // The index of the line text in the map, once opened.
  int line_text() const { return line_text_; }
  void set_line_text(int text) { line_text_ = text; }

  // The slot for the next signboard text; the stations' floor.
  int signboard_slot() const { return signboard_slot_; }
  void set_signboard_slot(int slot) { signboard_slot_ = slot; }

 private:
  // Puts the fault just recorded at the field `at`, in the current record.
  void place(LineColumn at);

  ScenarioModel& model_;
  const DescriptionSources& sources_;
  SourceMap& map_;
  ReadingObserver* observer_;
  std::optional<FieldReader> fields_;
  std::filesystem::path current_;
  int text_ = -1;
  std::string token_;  // the field read last as a keyword, or a signboard text
  LineColumn keyword_at_;
  std::vector<ProgressiveSource> progressives_;
  int line_text_ = -1;
  int signboard_slot_ = 80;
};

}  // namespace tracciato
