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

}  // namespace
}  // namespace tracciato
