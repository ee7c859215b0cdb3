#include "model/decode_compiled.h"

#include <algorithm>

#include "model/scenario_model.h"

namespace tracciato {
namespace {

constexpr std::size_t cell_size = 15;

SlotRecord read_slot(ByteReader& in) {
  SlotRecord s;
  s.kind = in.u8("a slot's kind");
  s.area_start = in.i32("a slot's area start");
  s.area_end = in.i32("a slot's area end");
  s.position = in.i32("a slot's position");
  s.flag_a = in.u8("a slot's flag");
  s.name = in.text("a slot's name");
  s.num_a = in.i16("a slot's values");
  s.num_b = in.i16("a slot's values");
  s.num_c = in.i16("a slot's values");
  s.num_d = in.i16("a slot's values");
  s.num_e = in.i16("a slot's values");
  s.byte_a = in.u8("a slot's values");
  s.byte_b = in.u8("a slot's values");
  s.extend_end = in.u8("a slot's values");
  s.flag_b = in.u8("a slot's values");
  s.time_s = in.i32("a slot's time");
  return s;
}

TrackCell read_cell(ByteReader& in) {
  TrackCell c;
  c.kind = in.u8("a cell");
  c.value1 = in.i16("a cell");
  c.value2 = in.i16("a cell");
  c.value3 = in.i16("a cell");
  c.value4 = in.i16("a cell");
  c.timer = in.u8("a cell");
  c.approach = in.u8("a cell");
  c.montagna_type = in.u8("a cell");
  c.speed_limit = in.u8("a cell");
  c.gradient = in.u8("a cell");
  c.adhesion = in.u8("a cell");
  return c;
}

// A plan element: its tag, then an integer, a double or nothing.
constexpr std::size_t tag_size = 2;
constexpr std::size_t integer_element = tag_size + 2;
constexpr std::size_t double_element = tag_size + 8;

// A row takes two elements, of 2 bytes at the least and 10 at the most.
constexpr std::uint64_t least_row_bytes = 2 * tag_size;
constexpr std::uint64_t most_row_bytes = 2 * double_element;

constexpr std::uint16_t tag_of(PlanTag tag) {
  return static_cast<std::uint16_t>(tag);
}

// The tag at the start of an element of 2 bytes at least.
std::uint16_t tag_of(std::string_view element) {
  return ByteReader(element, std::string()).u16("a plan element's tag");
}

std::uint64_t rows_or_none(std::int64_t rows) {
  return rows > 0 ? static_cast<std::uint64_t>(rows) : 0;
}

std::string route_makes(std::int64_t route_length) {
  return "the route length in the scenario file, " + std::to_string(route_length) + " m, makes ";
}

// A track file that is not whole cells is refused where its last whole cell
// ends.
void check_whole_cells(std::uint64_t size, const std::string& file) {
  if (size == 0 || size % cell_size != 0) {
    throw DecodeFailure(
        file, size - size % cell_size,
        "a track file is whole 15-byte cells, but this one has " + std::to_string(size) + " bytes");
  }
}

void check_cell_count(std::int64_t cells, std::int64_t route_length, const std::string& file) {
  const std::int64_t last = last_cell_for_length(route_length);
  if (cells != last + 1) {
    throw DecodeFailure(file, 0,
                        route_makes(route_length) + std::to_string(last + 1) +
                            " cells, but the track file holds " + std::to_string(cells));
  }
}

}  // namespace

SlotTable decode_scenario_file(std::string_view bytes, const std::string& file,
                               std::uint64_t file_size) {
  ByteReader in(bytes, file);
  SlotTable slots;
  for (SlotRecord& s : slots) s = read_slot(in);
  if (file_size != in.offset()) {
    in.fail(in.offset(), std::to_string(file_size - in.offset()) + " bytes follow the " +
                             std::to_string(slot_count) + " slot records");
  }
  return slots;
}

CellArray decode_track_file(std::string_view bytes, const std::string& file) {
  check_whole_cells(bytes.size(), file);
  ByteReader in(bytes, file);
  CellArray cells(static_cast<std::int64_t>(bytes.size() / cell_size) - 1);
  for (std::int64_t i = 0; i <= cells.last(); ++i) *cells.find(i) = read_cell(in);
  return cells;
}

TrackPlan decode_line_file(std::string_view bytes, const std::string& file) {
  // A first pass counts the rows, checking every element, so that the plan
  // is allocated once and filled in place by the second.
  LineFileDecoder counting(file, 0, 0);
  counting.take(bytes);
  LineFileDecoder filling(file, counting.finish(), bytes.size());
  filling.take(bytes);
  (void)filling.finish();
  return std::move(filling).plan();
}

LineFileDecoder::LineFileDecoder(std::string file, std::int64_t rows, std::uint64_t file_size)
    : file_(std::move(file)),
      plan_(file_size / least_row_bytes >= rows_or_none(rows) ? rows - 1 : -1) {}

void LineFileDecoder::take(std::string_view bytes) {
  // First the element the last run left unfinished, a byte at a time: its
  // tag first, then what the tag says follows.
  while (carried_size_ > 0 && !bytes.empty()) {
    carried_[carried_size_++] = bytes.front();
    bytes.remove_prefix(1);
    const std::string_view carried(carried_.data(), carried_size_);
    if (carried_size_ >= tag_size && carried_size_ == element_size(carried)) {
      store(carried);
      carried_size_ = 0;
    }
  }
  while (bytes.size() >= tag_size) {
    const std::size_t size = element_size(bytes);
    if (bytes.size() < size) break;
    store(bytes.substr(0, size));
    bytes.remove_prefix(size);
  }
  std::copy(bytes.begin(), bytes.end(),
            carried_.begin() + static_cast<std::ptrdiff_t>(carried_size_));
  carried_size_ += bytes.size();
}

std::int64_t LineFileDecoder::finish() const {
  if (carried_size_ > 0) {
    const std::string_view carried(carried_.data(), carried_size_);
    if (carried_size_ < tag_size) {
      throw DecodeFailure(file_, offset_, "the file ends inside a plan element's tag");
    }
    throw DecodeFailure(file_, offset_ + tag_size,
                        element_size(carried) == integer_element
                            ? "the file ends inside a plan element's integer"
                            : "the file ends inside a plan element's double");
  }
  if (elements_ == 0 || elements_ % 2 != 0) {
    throw DecodeFailure(file_, offset_,
                        "a line file holds two columns of equal length, but this one has " +
                            std::to_string(elements_) + " elements");
  }
  return static_cast<std::int64_t>(elements_ / 2);
}

std::size_t LineFileDecoder::element_size(std::string_view element) const {
  switch (tag_of(element)) {
    case tag_of(PlanTag::empty):
      return tag_size;
    case tag_of(PlanTag::integer):
      return integer_element;
    case tag_of(PlanTag::real):
      return double_element;
    default:
      break;
  }
  throw DecodeFailure(file_, offset_, "a plan element's tag is neither 0, 2 nor 5");
}

// The element is whole and its tag known: no field can fail.
void LineFileDecoder::store(std::string_view element) {
  offset_ += element.size();
  ++elements_;
  if (column_ > 1 || plan_.last_row() < 0) return;
  ByteReader in(element.substr(tag_size), std::string());
  switch (tag_of(element)) {
    case tag_of(PlanTag::integer):
      (void)plan_.set(row_, column_, in.i16("a plan element's integer"));
      break;
    case tag_of(PlanTag::real):
      (void)plan_.set_number(row_, column_, in.f64("a plan element's double"));
      break;
    default:
      break;  // empty, as a fresh plan is
  }
  if (++row_ > plan_.last_row()) {
    row_ = 0;
    ++column_;
  }
}

std::int64_t route_length_of(const SlotTable& slots) {
  return slots[slot::quantities].area_end;
}

void check_track_file_size(std::uint64_t size, std::int64_t route_length, const std::string& file) {
  check_whole_cells(size, file);
  check_cell_count(static_cast<std::int64_t>(size / cell_size), route_length, file);
}

void check_line_file_size(std::uint64_t size, std::int64_t route_length, const std::string& file) {
  const std::int64_t rows = plan_rows_for(route_length);
  const std::uint64_t most = rows_or_none(rows) * most_row_bytes;
  if (size > most) {
    throw DecodeFailure(file, 0,
                        route_makes(route_length) + std::to_string(rows) +
                            " plan rows, which take at most " + std::to_string(most) +
                            " bytes, but the line file has " + std::to_string(size) + " bytes");
  }
}

void check_plan_rows(std::int64_t rows, std::int64_t route_length, const std::string& file) {
  if (rows != plan_rows_for(route_length)) {
    throw DecodeFailure(file, 0,
                        route_makes(route_length) + std::to_string(plan_rows_for(route_length)) +
                            " plan rows, but the line file holds " + std::to_string(rows));
  }
}

void check_sizes(const CompiledScenario& scenario, const std::string& track_file,
                 const std::string& line_file) {
  const std::int64_t length = route_length_of(scenario.slots);
  check_cell_count(scenario.cells.last() + 1, length, track_file);
  if (scenario.plan) check_plan_rows(scenario.plan->last_row() + 1, length, line_file);
}

}  // namespace tracciato
