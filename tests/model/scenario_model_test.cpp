#include "model/scenario_model.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(ScenarioModel, LastCellRoundsHalvesToEven) {
  struct Case {
    std::int64_t length;
    std::int64_t last;
  };
  for (const Case c : {Case{0, 140}, Case{25, 140}, Case{75, 142}, Case{68000, 1500},
                       Case{1000000, 20140}, Case{-6975, 0}}) {
    EXPECT_EQ(last_cell_for_length(c.length), c.last) << c.length;
  }
}

TEST(ScenarioModel, CreateTrackSizesCellsAndPlan) {
  ScenarioModel model;
  model.write_line_file = 1;
  create_track(model, 68000);
  EXPECT_EQ(model.cells->last(), 1500);
  EXPECT_EQ(model.plan->last_row(), 75000);

  model.write_line_file = 0;
  create_track(model, 0);
  EXPECT_EQ(model.cells->last(), 140);
  EXPECT_FALSE(model.plan.has_value());
}

TEST(CellArray, CellsOutsideTheArrayAreNeverFreeNorWritable) {
  CellArray cells(3);
  EXPECT_TRUE(cells.is_free(0));
  EXPECT_TRUE(cells.is_free(3));
  EXPECT_FALSE(cells.is_free(-1));
  EXPECT_FALSE(cells.is_free(4));
  EXPECT_EQ(cells.find(4), nullptr);
  cells.find(2)->kind = cell_kind::montagna_filler;
  EXPECT_TRUE(cells.is_free(2));
  cells.find(2)->kind = cell_kind::signboard;
  EXPECT_FALSE(cells.is_free(2));
}

}  // namespace
}  // namespace tracciato
