#include "model/decode_compiled.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/compiled_files.h"

namespace tracciato {
namespace {

// A small scenario of every record type: a 1000 m route (cells 0..160), a
// named slot and a plan of all three element tags.
CompiledScenario small_scenario() {
  CompiledScenario s;
  s.slots[slot::quantities].area_end = 1000;
  s.slots[1].name = "ST\xC0ZIONE";
  s.slots[1].time_s = -5;
  s.cells = CellArray(160);
  s.cells.find(3)->kind = 200;  // no record lays it: shown, not refused
  s.cells.find(3)->value4 = -2;
  s.plan.emplace(8000);
  s.plan->set(0, 0, std::int16_t{-7});
  s.plan->set(1, 1, 0.1);
  return s;
}

TEST(DecodeCompiled, DecodingAndEncodingGiveBackTheBytes) {
  const CompiledScenario s = small_scenario();
  const std::string sim = scenario_file_image(s.slots);
  const std::string dat = track_file_image(s.cells);
  const std::string line = line_file_image(*s.plan);
  EXPECT_TRUE(scenario_file_image(decode_scenario_file(sim, "s.sim")) == sim);
  EXPECT_TRUE(track_file_image(decode_track_file(dat, "s.dat")) == dat);
  EXPECT_TRUE(line_file_image(decode_line_file(line, "l.dat")) == line);
  CompiledScenario back{decode_scenario_file(sim, "s.sim"), decode_track_file(dat, "s.dat"),
                        decode_line_file(line, "l.dat")};
  EXPECT_NO_THROW(check_sizes(back, "s.dat", "l.dat"));
}

TEST(DecodeCompiled, EveryCorruptFileIsRefusedWithItsNameAndOffset) {
  const CompiledScenario s = small_scenario();
  const std::string sim = scenario_file_image(s.slots);
  const std::string dat = track_file_image(s.cells);
  const std::string line = line_file_image(*s.plan);
  std::string long_name = sim;
  long_name[14] = '\xFF';  // slot 0's name count: 0xFF of 0x..FF bytes
  long_name[15] = '\xFF';
  std::string bad_tag = line;
  bad_tag[0] = '\x03';
  struct Case {
    const char* name;
    std::function<void()> decode;
    const char* message;
  };
  const Case cases[] = {
      {"empty scenario", [] { decode_scenario_file("", "s.sim"); },
       "s.sim: byte 0: the file ends inside a slot's kind"},
      {"scenario cut in a slot", [&] { decode_scenario_file(sim.substr(0, 40), "s.sim"); },
       "s.sim: byte 39: the file ends inside a slot's area end"},
      {"scenario cut in a name",
       [&] { decode_scenario_file(sim.substr(0, 52), "s.sim"); },  // slot 1's name at 50
       "s.sim: byte 48: a slot's name counts 8 bytes, but only 2 remain"},
      {"name count past the end", [&] { decode_scenario_file(long_name, "s.sim"); },
       "s.sim: byte 14: a slot's name counts 65535 bytes, but only 2950 remain"},
      {"bytes after the slots", [&] { decode_scenario_file(sim + "xy", "s.sim"); },
       "s.sim: byte 2966: 2 bytes follow the 87 slot records"},
      {"track not whole cells", [&] { decode_track_file(dat.substr(0, 100), "s.dat"); },
       "s.dat: byte 90: a track file is whole 15-byte cells, but this one has 100 bytes"},
      {"empty track", [] { decode_track_file("", "s.dat"); },
       "s.dat: byte 0: a track file is whole 15-byte cells, but this one has 0 bytes"},
      {"plan tag", [&] { decode_line_file(bad_tag, "l.dat"); },
       "l.dat: byte 0: a plan element's tag is neither 0, 2 nor 5"},
      {"plan cut in a double", [&] { decode_line_file(line.substr(0, 8003 * 2 + 4), "l.dat"); },
       "l.dat: byte 16008: the file ends inside a plan element's double"},
      {"plan of odd length", [&] { decode_line_file(line.substr(0, 4), "l.dat"); },
       "l.dat: byte 4: a line file holds two columns of equal length, but this one has 1 "
       "elements"},
      {"cells against the route length",
       [&] {
         CompiledScenario other = s;
         other.cells = CellArray(159);
         check_sizes(other, "s.dat", "l.dat");
       },
       "s.dat: byte 0: the route length in the scenario file, 1000 m, makes 161 cells, but the "
       "track file holds 160"},
      {"plan rows against the route length",
       [&] {
         CompiledScenario other = s;
         other.plan.emplace(10);
         check_sizes(other, "s.dat", "l.dat");
       },
       "l.dat: byte 0: the route length in the scenario file, 1000 m, makes 8001 plan rows, "
       "but the line file holds 11"},
      {"bytes after the slots, counted", [&] { decode_scenario_file(sim, "s.sim", 1 << 30); },
       "s.sim: byte 2966: 1073738858 bytes follow the 87 slot records"},
      // The sizes alone, before a file is read: the messages of its decoding.
      {"track size not whole cells", [] { check_track_file_size(2416, 1000, "s.dat"); },
       "s.dat: byte 2415: a track file is whole 15-byte cells, but this one has 2416 bytes"},
      {"track size against the route length", [] { check_track_file_size(2400, 1000, "s.dat"); },
       "s.dat: byte 0: the route length in the scenario file, 1000 m, makes 161 cells, but the "
       "track file holds 160"},
      {"line size past every double", [] { check_line_file_size(160021, 1000, "l.dat"); },
       "l.dat: byte 0: the route length in the scenario file, 1000 m, makes 8001 plan rows, "
       "which take at most 160020 bytes, but the line file has 160021 bytes"},
      {"line size for no rows", [] { check_line_file_size(2, -7001, "l.dat"); },
       "l.dat: byte 0: the route length in the scenario file, -7001 m, makes 0 plan rows, which "
       "take at most 0 bytes, but the line file has 2 bytes"},
  };
  for (const Case& c : cases) {
    try {
      c.decode();
      ADD_FAILURE() << c.name << ": decoded";
    } catch (const DecodeFailure& failure) {
      EXPECT_EQ(std::string(failure.what()), c.message) << c.name;
    }
  }
}

// The line file read a run at a time, as readback reads it, split
// anywhere: inside a tag, inside a value, between elements.
std::string decode_in_runs(const std::string& bytes, std::size_t run, std::int64_t rows,
                           TrackPlan* plan) {
  try {
    LineFileDecoder decoder("l.dat", rows, bytes.size());
    for (std::size_t at = 0; at < bytes.size(); at += run) decoder.take(bytes.substr(at, run));
    check_plan_rows(decoder.finish(), rows - 7001, "l.dat");
    *plan = std::move(decoder).plan();
    return "";
  } catch (const DecodeFailure& failure) {
    return failure.what();
  }
}

std::string decode_whole(const std::string& bytes, std::int64_t rows) {
  try {
    check_plan_rows(decode_line_file(bytes, "l.dat").last_row() + 1, rows - 7001, "l.dat");
    return "";
  } catch (const DecodeFailure& failure) {
    return failure.what();
  }
}

TEST(DecodeCompiled, ALineFileInRunsOfAnySizeDecodesAsWhole) {
  const std::string line = line_file_image(*small_scenario().plan);
  for (const std::size_t run : {1U, 2U, 3U, 7U, 9U, 10U, 11U, 4096U}) {
    TrackPlan plan(-1);
    EXPECT_EQ(decode_in_runs(line, run, 8001, &plan), "") << run;
    EXPECT_TRUE(line_file_image(plan) == line) << run;
  }
  // Every way to end a file or misplace a tag, in a plan of all three tags.
  TrackPlan small(2);
  small.set(0, 0, std::int16_t{-7});
  small.set(1, 0, 0.25);
  small.set(0, 1, 1.5);
  small.set(2, 1, std::int16_t{3});
  const std::string bytes = line_file_image(small);
  std::vector<std::string> faulty;
  for (std::size_t size = 0; size < bytes.size(); ++size) faulty.push_back(bytes.substr(0, size));
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    std::string bad_tag = bytes;
    bad_tag[at] = '\x03';
    faulty.push_back(bad_tag);
  }
  faulty.push_back(bytes + bytes);  // another route's rows
  for (const std::string& file : faulty) {
    const std::string whole = decode_whole(file, 3);
    for (const std::size_t run : {1U, 2U, 3U, 5U, 64U}) {
      TrackPlan plan(-1);
      EXPECT_EQ(decode_in_runs(file, run, 3, &plan), whole) << file.size() << " in " << run;
    }
  }
  EXPECT_EQ(decode_whole(bytes.substr(0, 13), 3),
            "l.dat: byte 6: the file ends inside a plan element's double");
  EXPECT_EQ(decode_whole(bytes + bytes, 3),
            "l.dat: byte 0: the route length in the scenario file, -6998 m, makes 3 plan rows, "
            "but the line file holds 6");
}

}  // namespace
}  // namespace tracciato
