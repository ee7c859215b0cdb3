#include "model/compiled_files.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "model/decode_compiled.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::read_bytes;
using testing::TempFolder;

std::string hex(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

TEST(ScenarioFile, EmptyNameSlotIs34BytesWithZeroCount) {
  SlotTable slots{};
  slots[3].kind = 12;
  slots[3].area_start = -700;
  const std::string image = scenario_file_image(slots);
  ASSERT_EQ(image.size(), 87u * 34u);
  const std::string_view slot3 = std::string_view(image).substr(3 * 34, 34);
  EXPECT_EQ(hex(slot3.substr(0, 5)), "0C 44 FD FF FF");
  EXPECT_EQ(hex(slot3.substr(14, 2)), "00 00");
}

TEST(ScenarioFile, NamesAreCountedBytesAndShiftTheFieldsAfterThem) {
  SlotTable slots{};
  slots[85].name = "Lindra_Kestova";
  slots[85].num_a = 610;
  slots[85].time_s = 82875;
  slots[86].name = "31407";
  const std::string image = scenario_file_image(slots);
  ASSERT_EQ(image.size(), 87u * 34u + 14u + 5u);
  const std::string_view s85 = std::string_view(image).substr(85 * 34, 34 + 14);
  EXPECT_EQ(hex(s85.substr(14, 2)), "0E 00");
  EXPECT_EQ(s85.substr(16, 14), "Lindra_Kestova");
  EXPECT_EQ(hex(s85.substr(30, 2)), "62 02");        // num_a 610
  EXPECT_EQ(hex(s85.substr(44, 4)), "BB 43 01 00");  // time_s 82875
  EXPECT_EQ(std::string_view(image).substr(86 * 34 + 14 + 16, 5), "31407");
}

TEST(TrackFile, CellsAre15BytesLittleEndian) {
  CellArray cells(4);
  cells.find(1)->value1 = -1;
  TrackCell& stop = *cells.find(3);
  stop.kind = cell_kind::stop;
  stop.value1 = 3;
  stop.speed_limit = 24;
  stop.gradient = 100;
  stop.adhesion = 100;
  const std::string image = track_file_image(cells);
  ASSERT_EQ(image.size(), 5u * 15u);
  EXPECT_EQ(hex(std::string_view(image).substr(15 + 1, 2)), "FF FF");
  EXPECT_EQ(hex(std::string_view(image).substr(45, 15)),
            "0A 03 00 00 00 00 00 00 00 00 00 00 18 64 64");
}

TEST(LineFile, ElementsAreTaggedColumnByColumn) {
  TrackPlan plan(4);
  plan.set(0, 0, std::int16_t{0});
  plan.set(0, 1, std::int16_t{0});
  plan.set(1, 0, std::int16_t{0});
  plan.set(1, 1, std::int16_t{1});
  plan.set(2, 0, 0.0);
  plan.set(2, 1, 2.0);
  const std::string image = line_file_image(plan);
  // Per column: two integers (4 bytes each), one double (10), two empty (2).
  ASSERT_EQ(image.size(), 2u * (4 + 4 + 10 + 2 + 2));
  EXPECT_EQ(hex(std::string_view(image).substr(0, 8)), "02 00 00 00 02 00 00 00");
  EXPECT_EQ(hex(std::string_view(image).substr(22, 8)), "02 00 00 00 02 00 01 00");
  EXPECT_EQ(hex(std::string_view(image).substr(30, 10)), "05 00 00 00 00 00 00 00 00 40");
  EXPECT_EQ(hex(std::string_view(image).substr(40, 4)), "00 00 00 00");
}

// Records the parts the writer hands over.
class PartsSink final : public ByteSink {
 public:
  void write(std::string_view bytes) override { parts.emplace_back(bytes); }
  std::vector<std::string> parts;
};

// A file larger than the writer's buffer reaches the sink in parts, and
// elements and texts that straddle a part's end arrive whole and in order.
TEST(CompiledFiles, AFileLargerThanTheBufferArrivesInPartsThatJoinUp) {
  TrackPlan plan(19999);
  for (std::int64_t row = 0; row <= plan.last_row(); ++row) {
    plan.set_number(row, 0, static_cast<double>(row) + 0.5);
  }
  PartsSink line;
  write_line_file(plan, line);
  ASSERT_GT(line.parts.size(), 1u);
  std::string joined;
  for (const std::string& part : line.parts) joined += part;
  ASSERT_EQ(joined.size(), 20000u * 10 + 20000u * 2);
  EXPECT_TRUE(joined == line_file_image(plan));
  const TrackPlan back = decode_line_file(joined, "l.dat");
  for (const std::int64_t row : {std::int64_t{0}, std::int64_t{13107}, std::int64_t{19999}}) {
    EXPECT_EQ(back.at(row, 0), PlanValue(static_cast<double>(row) + 0.5)) << row;
    EXPECT_EQ(back.at(row, 1), PlanValue{}) << row;
  }

  SlotTable slots{};
  slots[1].name = std::string(65535, 'a');
  slots[2].name = std::string(65535, 'b');
  slots[3].name = "c";
  PartsSink scenario;
  write_scenario_file(slots, scenario);
  ASSERT_GT(scenario.parts.size(), 1u);
  std::string sim;
  for (const std::string& part : scenario.parts) sim += part;
  EXPECT_TRUE(decode_scenario_file(sim, "s.sim") == slots);
}

TEST(CompiledFiles, SizesFollowTheRouteLength) {
  struct Case {
    std::int64_t length;
    std::size_t track_bytes;
  };
  for (const Case c : {Case{0, 2115}, Case{68000, 22515}}) {
    ScenarioModel model;
    model.write_line_file = 1;
    create_track(model, c.length);
    EXPECT_EQ(track_file_image(*model.cells).size(), c.track_bytes) << c.length;
    // An unread plan is all empty: 2 tag bytes per element.
    EXPECT_EQ(line_file_image(*model.plan).size(),
              2u * 2u * static_cast<std::size_t>(c.length + 7001))
        << c.length;
  }
}

}  // namespace
}  // namespace tracciato
