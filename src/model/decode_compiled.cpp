#include "model/decode_compiled.h"

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

PlanValue read_plan_value(ByteReader& in) {
  const std::size_t at = in.offset();
  switch (in.u16("a plan element's tag")) {
    case 0:
      return std::monostate{};
    case 2:
      return in.i16("a plan element's integer");
    case 5:
      return in.f64("a plan element's double");
    default:
      break;
  }
  in.fail(at, "a plan element's tag is neither 0, 2 nor 5");
}

// Steps over one element, checking its tag, without building its value.
void skip_plan_value(ByteReader& in) {
  const std::size_t at = in.offset();
  switch (in.u16("a plan element's tag")) {
    case 0:
      return;
    case 2:
      in.skip(2, "a plan element's integer");
      return;
    case 5:
      in.skip(8, "a plan element's double");
      return;
    default:
      break;
  }
  in.fail(at, "a plan element's tag is neither 0, 2 nor 5");
}

}  // namespace

SlotTable decode_scenario_file(std::string_view bytes, const std::string& file) {
  ByteReader in(bytes, file);
  SlotTable slots;
  for (SlotRecord& s : slots) s = read_slot(in);
  if (!in.at_end()) {
    in.fail(in.offset(), std::to_string(in.left()) + " bytes follow the " +
                             std::to_string(slot_count) + " slot records");
  }
  return slots;
}

CellArray decode_track_file(std::string_view bytes, const std::string& file) {
  ByteReader in(bytes, file);
  if (bytes.empty() || bytes.size() % cell_size != 0) {
    in.fail(bytes.size() - bytes.size() % cell_size,
            "a track file is whole 15-byte cells, but this one has " +
                std::to_string(bytes.size()) + " bytes");
  }
  CellArray cells(static_cast<std::int64_t>(bytes.size() / cell_size) - 1);
  for (std::int64_t i = 0; i <= cells.last(); ++i) *cells.find(i) = read_cell(in);
  return cells;
}

TrackPlan decode_line_file(std::string_view bytes, const std::string& file) {
  // A first pass counts the elements, checking every tag and length, so that
  // the plan is allocated once and filled in place by the second.
  ByteReader count_in(bytes, file);
  std::size_t count = 0;
  for (; !count_in.at_end(); ++count) skip_plan_value(count_in);
  if (count == 0 || count % 2 != 0) {
    count_in.fail(bytes.size(), "a line file holds two columns of equal length, but this one has " +
                                    std::to_string(count) + " elements");
  }
  const std::size_t rows = count / 2;
  TrackPlan plan(static_cast<std::int64_t>(rows) - 1);
  ByteReader in(bytes, file);
  for (int column = 0; column < 2; ++column) {
    for (std::size_t row = 0; row < rows; ++row) {
      plan.set(static_cast<std::int64_t>(row), column, read_plan_value(in));
    }
  }
  return plan;
}

void check_sizes(const CompiledScenario& scenario, const std::string& track_file,
                 const std::string& line_file) {
  const std::int64_t length = scenario.slots[slot::quantities].area_end;
  const std::int64_t last = last_cell_for_length(length);
  const std::string says =
      "the route length in the scenario file, " + std::to_string(length) + " m, makes ";
  if (scenario.cells.last() != last) {
    throw DecodeFailure(track_file, 0,
                        says + std::to_string(last + 1) + " cells, but the track file holds " +
                            std::to_string(scenario.cells.last() + 1));
  }
  if (scenario.plan && scenario.plan->last_row() != length + 7000) {
    throw DecodeFailure(line_file, 0,
                        says + std::to_string(length + 7001) +
                            " plan rows, but the line file "
                            "holds " +
                            std::to_string(scenario.plan->last_row() + 1));
  }
}

}  // namespace tracciato
