#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "describe/field_reader.h"
#include "platform/diagnostic.h"

namespace tracciato {

// Where a keyword stands: the records of [generale] in the line text, the
// feature records after it, or the records of the train text.
enum class KeywordPlace { line_general, line_features, train };

// Told by the readers what they meet as they go, without changing a thing
// of what they read: the checker listens here, so that what it reports is
// what the compile step did. Every text is named by its index in the
// source map. An observer hears only what it overrides.
class ReadingObserver {
 public:
  virtual ~ReadingObserver() = default;
  ReadingObserver() = default;
  ReadingObserver(const ReadingObserver&) = delete;
  ReadingObserver& operator=(const ReadingObserver&) = delete;
  ReadingObserver(ReadingObserver&&) = delete;
  ReadingObserver& operator=(ReadingObserver&&) = delete;

  // A field in a record keyword's place, and the keyword of the record it
  // was read as ("pendenza", "stazione", ...), empty when it named none.
  virtual void keyword(int /*text*/, LineColumn /*at*/, std::string_view /*field*/,
                       KeywordPlace /*place*/, std::string_view /*record*/) {}
  // The record just named is passed over with its values unread, as the
  // format asks (a curve, when no line file is written): nothing on its
  // line is left over.
  virtual void values_unread(int /*text*/, LineColumn /*at*/) {}
  // A field read while looking for the [generale] section, and whether it
  // opened it.
  virtual void preamble(int /*text*/, LineColumn /*at*/, std::string_view /*field*/,
                        bool /*opens*/) {}
  // A number field left empty, which reads as 0.
  virtual void empty_value(int /*text*/, LineColumn /*at*/) {}
  // A curve keyword and the class it was read as.
  virtual void curve(int /*text*/, LineColumn /*at*/, std::string_view /*field*/,
                     int /*curve_class*/) {}
  // The metres a curve runs over, from its start field `at`.
  virtual void curve_span(int /*text*/, LineColumn /*at*/, std::int64_t /*start*/,
                          std::int64_t /*end*/) {}
  // A record's position, at the field `at`, the cell it was laid from, and
  // what the record is ("signal", "gradient", ...).
  virtual void position(int /*text*/, LineColumn /*at*/, std::int64_t /*metres*/,
                        std::int64_t /*cell*/, std::string_view /*what*/) {}
  // A signboard's text, as it is stored.
  virtual void signboard_text(int /*text*/, LineColumn /*at*/, std::string_view /*value*/) {}
  // A station's timetable time in seconds, at its hours field.
  virtual void station_time(int /*text*/, LineColumn /*at*/, std::int64_t /*seconds*/) {}
  // A station's stop cell took the place of what another record laid in
  // it (`what`, "a signal"); `laid_by` points at that record when known.
  virtual void replaced(int /*text*/, LineColumn /*at*/, std::int64_t /*cell*/,
                        std::string_view /*what*/, const std::optional<Note>& /*laid_by*/) {}
};

}  // namespace tracciato
