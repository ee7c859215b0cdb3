#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "describe/field_reader.h"
#include "describe/memorizza_dati.h"
#include "model/scenario_model.h"

namespace tracciato {

// How a half of the reader ended: reading goes on, or the reader returns
// at once (a fault that ends the whole reading).
enum class ReadOutcome { go_on, returned };

// What both halves of the reader share: the model, the open text, the
// signboard slot that the stations must not reach.
class ReadingContext {
 public:
  ReadingContext(ScenarioModel& model, const DescriptionSources& sources)
      : model_(model), sources_(sources) {}

  ScenarioModel& model() { return model_; }
  const DescriptionSources& sources() const { return sources_; }

  // Opens a text for field reading (throws IoFailure), and closes it,
  // deleting it when the build owns it.
  void open(const std::filesystem::path& path);
  void close_and_delete();
  // The failure path: every text the build owns is deleted where present.
  void delete_all_texts();

  FieldReader& fields() { return *fields_; }
  // Reads the next field into the model's token.
  const std::string& read_token();
  // Reads the next keyword candidate of the records into the token, past at
  // most two comment fields (fields holding a hyphen). False at the end of
  // the text: a field that is the text's very last is not acted upon.
  bool next_record_keyword();

  // The cells, which the route-length record must have created.
  CellArray& cells();
  std::int64_t last_cell() { return cells().last(); }
  // A record at p lies inside the track: (p + margin) / 50 <= U, exactly.
  bool within_track(std::int64_t p, std::int64_t margin = 100) {
    return p + margin <= 50 * last_cell();
  }

  // Records a fault at the start of the field `at` of the open text.
  void record(std::int32_t code, std::int32_t position, SourceLocation at);
  void record(std::int32_t code, SourceLocation at);

  // Where a field of the open text stands, kept for a fault found later.
  ErrorSource source_of(SourceLocation at) const;
  // The progressive records as read, for error 2 after the train text: the
  // start and the offset of each, with where they stand.
  struct ProgressiveSource {
    std::int32_t start;
    std::int32_t offset;
    ErrorSource start_at;
    ErrorSource offset_at;
  };
  std::vector<ProgressiveSource> progressives;

  int signboard_slot = 80;  // the slot for the next signboard text; the stations' floor

 private:
  void attach_source(SourceLocation at);

  ScenarioModel& model_;
  const DescriptionSources& sources_;
  std::optional<FieldReader> fields_;
  std::filesystem::path current_;
};

}  // namespace tracciato
