#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/byte_reader.h"
#include "model/scenario_model.h"

namespace tracciato {

// The three compiled files read back into the records they were written
// from. Each decoder takes the bytes and the file's name (for its
// failures) and throws DecodeFailure on bytes it cannot take: it never
// reads past them. Encoding the result gives back the same bytes.

// The most bytes a scenario file can hold: 87 records of 34 bytes, each
// with a name of at most 65535.
inline constexpr std::uint64_t largest_scenario_file = std::uint64_t{slot_count} * (34 + 65535);

// The scenario file: exactly 87 slot records. `bytes` may be the first
// bytes alone of a file of `file_size` bytes: those that follow the records
// are then counted, not read.
SlotTable decode_scenario_file(std::string_view bytes, const std::string& file,
                               std::uint64_t file_size);
inline SlotTable decode_scenario_file(std::string_view bytes, const std::string& file) {
  return decode_scenario_file(bytes, file, bytes.size());
}
// The track file: 15-byte cells, at least one.
CellArray decode_track_file(std::string_view bytes, const std::string& file);
// The line file: tagged elements, column 0 for every row, then column 1.
TrackPlan decode_line_file(std::string_view bytes, const std::string& file);

// A line file decoded as its bytes come, a run at a time, so that a long
// route's file is never held whole beside its plan. It fills a plan of the
// rows it is made for, and checks and counts every element, however many
// there are: the count tells a file made for another route.
class LineFileDecoder {
 public:
  // Fills a plan of `rows` rows when `file_size` bytes can hold that many
  // (4 bytes a row at the least); otherwise it only checks and counts.
  LineFileDecoder(std::string file, std::int64_t rows, std::uint64_t file_size);

  // The file's next bytes; an element may be split between two runs.
  void take(std::string_view bytes);
  // Once every byte is taken, the rows the file holds. Throws DecodeFailure
  // when the file ends inside an element or its columns are not of equal
  // length.
  std::int64_t finish() const;
  // The plan, once finish() has counted the rows it was made for.
  TrackPlan plan() && { return std::move(plan_); }

 private:
  // The size of the element at the start of `element`, known from its tag
  // (2 bytes at least); throws DecodeFailure for an unknown tag.
  std::size_t element_size(std::string_view element) const;
  void store(std::string_view element);

  std::string file_;
  TrackPlan plan_;
  std::uint64_t offset_ = 0;  // where the next whole element starts
  std::uint64_t elements_ = 0;
  std::int64_t row_ = 0;  // where the next element goes in the plan
  int column_ = 0;
  std::array<char, 10> carried_{};  // an element begun in the last run
  std::size_t carried_size_ = 0;
};

// A compiled scenario as files hold it; the line file is optional.
struct CompiledScenario {
  SlotTable slots;
  CellArray cells{0};
  std::optional<TrackPlan> plan;
};

// The route length L the scenario file states in slot 84. It fixes the
// other two files: cells 0 to U = round((L + 7000) / 50), plan rows 0 to
// L + 7000. Each check throws DecodeFailure naming the file that disagrees.
std::int64_t route_length_of(const SlotTable& slots);
inline std::int64_t plan_rows_for(std::int64_t route_length) {
  return route_length + 7001;
}

// Before a track file is read: whole 15-byte cells, as many as L makes.
void check_track_file_size(std::uint64_t size, std::int64_t route_length, const std::string& file);
// Before a line file is read: no more bytes than L's rows can take.
void check_line_file_size(std::uint64_t size, std::int64_t route_length, const std::string& file);
// Once a line file is read: the rows L makes.
void check_plan_rows(std::int64_t rows, std::int64_t route_length, const std::string& file);

// All the files at once, decoded.
void check_sizes(const CompiledScenario& scenario, const std::string& track_file,
                 const std::string& line_file);

}  // namespace tracciato
