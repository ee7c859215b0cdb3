#include "model/compiled_files.h"

#include "model/byte_image.h"

namespace tracciato {
namespace {

enum PlanTag : std::uint16_t { empty_tag = 0, integer_tag = 2, double_tag = 5 };

void write_plan_value(ByteImage& out, const PlanValue& value) {
  if (const auto* i = std::get_if<std::int16_t>(&value)) {
    out.u16(integer_tag);
    out.i16(*i);
  } else if (const auto* d = std::get_if<double>(&value)) {
    out.u16(double_tag);
    out.f64(*d);
  } else {
    out.u16(empty_tag);
  }
}

void write_slot(ByteImage& out, const SlotRecord& s) {
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

void write_cell(ByteImage& out, const TrackCell& c) {
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

std::string line_file_image(const TrackPlan& plan) {
  ByteImage out;
  for (int column = 0; column < 2; ++column) {
    for (const PlanValue& value : plan.column(column)) write_plan_value(out, value);
  }
  return out.take();
}

std::string scenario_file_image(const SlotTable& slots) {
  ByteImage out;
  for (const SlotRecord& s : slots) write_slot(out, s);
  return out.take();
}

std::string track_file_image(const CellArray& cells) {
  ByteImage out;
  for (const TrackCell& c : cells.all()) write_cell(out, c);
  return out.take();
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
