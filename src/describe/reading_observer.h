#pragma once

#include <cstdint>
#include <string_view>

#include "describe/field_reader.h"

namespace tracciato {

// Told by the readers what they meet as they go, without changing a thing
// of what they read: the checker listens here, so that what it reports is
// what the compile step did.
class ReadingObserver {
 public:
  virtual ~ReadingObserver() = default;
  ReadingObserver() = default;
  ReadingObserver(const ReadingObserver&) = delete;
  ReadingObserver& operator=(const ReadingObserver&) = delete;
  ReadingObserver(ReadingObserver&&) = delete;
  ReadingObserver& operator=(ReadingObserver&&) = delete;

  // A field in a record keyword's place, in text `text` of the source map,
  // and whether it named a record.
  virtual void keyword(int text, LineColumn at, std::string_view field, bool known) = 0;
  // A field read while looking for the [generale] section, and whether it
  // opened it.
  virtual void preamble(int text, LineColumn at, std::string_view field, bool opens) = 0;
  // A curve keyword and the class it was read as.
  virtual void curve(int text, LineColumn at, std::string_view field, int curve_class) = 0;
  // A record's position, at the field `at`, the cell it was laid from, and
  // what the record is ("signal", "gradient", ...).
  virtual void position(int text, LineColumn at, std::int64_t metres, std::int64_t cell,
                        std::string_view what) = 0;
};

}  // namespace tracciato
