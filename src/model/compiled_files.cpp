#include "model/compiled_files.h"

#include <algorithm>
#include <bit>
#include <span>

#include "model/byte_writer.h"

namespace tracciato {
namespace {

void write_slot(ByteWriter& out, const SlotRecord& s) {
  out.u8(s.kind);
  out.i32(s.area_start);
  out.i32(s.area_end);
  out.i32(s.position);
  out.u8(s.flag_a);
  out.text(s.name);
  out.i16(s.num_a);
  out.i16(s.num_b);
  out.i16(s.num_c);
  out.i16(s.num_d);
  out.i16(s.num_e);
  out.u8(s.byte_a);
  out.u8(s.byte_b);
  out.u8(s.extend_end);
  out.u8(s.flag_b);
  out.i32(s.time_s);
}

void write_cell(ByteWriter& out, const TrackCell& c) {
  out.u8(c.kind);
  out.i16(c.value1);
  out.i16(c.value2);
  out.i16(c.value3);
  out.i16(c.value4);
  out.u8(c.timer);
  out.u8(c.approach);
  out.u8(c.montagna_type);
  out.u8(c.speed_limit);
  out.u8(c.gradient);
  out.u8(c.adhesion);
}

}  // namespace

// The plan's elements, a run of rows at a time: 2 bytes of tag, then 8 of a
// double or 2 of an integer, or nothing for an empty element.
void write_line_file(const TrackPlan& plan, ByteSink& sink) {
  constexpr std::size_t widest = 10;
  constexpr std::size_t rows_per_run = ByteWriter::capacity / widest;
  ByteWriter out(sink);
  for (int column = 0; column < 2; ++column) {
    const std::span<const PlanTag> tags = plan.tags(column);
    const std::span<const double> values = plan.values(column);
    for (std::size_t first = 0; first < tags.size(); first += rows_per_run) {
      const std::size_t end = std::min(tags.size(), first + rows_per_run);
      char* bytes = out.open_span((end - first) * widest);
      for (std::size_t row = first; row < end; ++row) {
        switch (tags[row]) {
          case PlanTag::real:
            ByteWriter::put<2>(bytes, static_cast<std::uint16_t>(PlanTag::real));
            ByteWriter::put<8>(bytes + 2, std::bit_cast<std::uint64_t>(values[row]));
            bytes += 10;
            break;
          case PlanTag::integer:
            ByteWriter::put<2>(bytes, static_cast<std::uint16_t>(PlanTag::integer));
            ByteWriter::put<2>(bytes + 2,
                               static_cast<std::uint16_t>(static_cast<std::int16_t>(values[row])));
            bytes += 4;
            break;
          case PlanTag::empty:
            ByteWriter::put<2>(bytes, static_cast<std::uint16_t>(PlanTag::empty));
            bytes += 2;
            break;
        }
      }
      out.close_span(bytes);
    }
  }
  out.finish();
}

void write_scenario_file(const SlotTable& slots, ByteSink& sink) {
  ByteWriter out(sink);
  for (const SlotRecord& s : slots) write_slot(out, s);
  out.finish();
}

void write_track_file(const CellArray& cells, ByteSink& sink) {
  ByteWriter out(sink);
  for (const TrackCell& c : cells.all()) write_cell(out, c);
  out.finish();
}

std::string line_file_image(const TrackPlan& plan) {
  StringSink image;
  write_line_file(plan, image);
  return std::move(image.bytes());
}

std::string scenario_file_image(const SlotTable& slots) {
  StringSink image;
  write_scenario_file(slots, image);
  return std::move(image.bytes());
}

std::string track_file_image(const CellArray& cells) {
  StringSink image;
  write_track_file(cells, image);
  return std::move(image.bytes());
}

std::string line_file_name(const ScenarioModel& model) {
  return model.scenario_name + "_linea.dat";
}
std::string scenario_file_name(const ScenarioModel& model) {
  return model.scenario_name + "_" + model.train_number + ".sim";
}
std::string track_file_name(const ScenarioModel& model) {
  return model.scenario_name + "_" + model.train_number + ".dat";
}

}  // namespace tracciato
