#include "describe/signal_placement.h"

#include <gtest/gtest.h>

#include "support/track_fixture.h"

namespace tracciato {
namespace {

using testing::with_track;

// Lays a signal as the reader does; gives back the tempo as the record holds it after.
std::int32_t lay(ScenarioModel& model, SignalRecord r) {
  memo_segnale(model, r);
  return r.tempo;
}

TEST(MemoSegnale, LaysTheSignalAndItsFourBoards) {
  ScenarioModel model = with_track();
  std::int32_t tempo = 0;
  lay(model, {1600, 2, 5, 6, 0, 0, 1, 3, 1, 0, tempo});
  const CellArray& cells = *model.cells;
  const TrackCell& s = *cells.find(33);
  EXPECT_EQ(s.kind, cell_kind::signal);
  EXPECT_EQ(s.value1, 53);
  EXPECT_EQ(s.value2, 61);
  EXPECT_EQ(s.value3, 0);
  EXPECT_EQ(s.value4, 7);
  EXPECT_EQ(s.timer, 0);
  EXPECT_EQ(cells.find(31)->approach, 71);
  EXPECT_EQ(cells.find(29)->approach, 72);
  EXPECT_EQ(cells.find(27)->approach, 73);
  EXPECT_EQ(cells.find(25)->approach, 74);
  EXPECT_EQ(cells.find(31)->kind, 0);
}

TEST(MemoSegnale, TempoGivesTheTimerOnlyForSx2) {
  struct Case {
    std::int32_t sx;
    std::int32_t tempo;
    std::uint8_t timer;
  };
  for (const Case c : {Case{2, 215, 215}, Case{2, 50, 101}, Case{2, 300, 44}, Case{1, 50, 0},
                       Case{1, 205, 0}, Case{2, 0, 0}, Case{2, -3, 253}}) {
    ScenarioModel model = with_track();
    std::int32_t tempo = c.tempo;
    const std::int32_t raised = lay(model, {7350, c.sx, 3, 1, 0, 0, 0, 0, 0, 0, tempo});
    EXPECT_EQ(raised, c.tempo >= 1 && c.tempo <= 100 ? 101 : c.tempo);
    EXPECT_EQ(model.cells->find(148)->timer, c.timer) << c.sx << " " << c.tempo;
  }
}

TEST(MemoSegnale, RefusedOnATakenCellAcceptedOnAFiller) {
  ScenarioModel model = with_track();
  std::int32_t tempo = 0;
  model.cells->find(33)->kind = cell_kind::stop;
  lay(model, {1600, 2, 5, 6, 0, 0, 1, 3, 1, 0, tempo});
  EXPECT_EQ(model.error_code, 16);
  EXPECT_EQ(model.cells->find(31)->approach, 0);
  model.error_code = 0;
  model.cells->find(35)->kind = cell_kind::montagna_filler;
  lay(model, {1700, 1, 4, 0, 0, 0, 0, 0, 0, 0, tempo});
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.cells->find(35)->kind, cell_kind::signal);
}

TEST(MemoSegnale, BoardsOnAnEarlierSignalOnlyChangeItsApproach) {
  ScenarioModel model = with_track();
  std::int32_t tempo = 0;
  lay(model, {1600, 2, 5, 6, 0, 0, 1, 3, 1, 0, tempo});
  lay(model, {1700, 1, 4, 0, 0, 0, 0, 0, 0, 0, tempo});
  EXPECT_EQ(model.cells->find(33)->kind, cell_kind::signal);
  EXPECT_EQ(model.cells->find(33)->approach, 31);
}

TEST(MemoSegnale, BoardsBeforeCellZeroAreDropped) {
  ScenarioModel model = with_track();
  std::int32_t tempo = 0;
  lay(model, {150, 1, 4, 0, 0, 0, 0, 0, 0, 0, tempo});  // cell 4
  EXPECT_EQ(model.cells->find(4)->kind, cell_kind::signal);
  EXPECT_EQ(model.cells->find(2)->approach, 31);
  EXPECT_EQ(model.cells->find(0)->approach, 32);
}

TEST(MemoRallentamento, LaysWarningStartEndAndPreWarningCells) {
  ScenarioModel model = with_track();
  memo_rallentamento(model, {27950, 30, 800, 0, 1, 0});
  const CellArray& cells = *model.cells;
  EXPECT_EQ(cells.find(536)->kind, cell_kind::slowdown_warning);
  EXPECT_EQ(cells.find(536)->value1, 30);
  EXPECT_EQ(cells.find(560)->kind, cell_kind::slowdown_start);
  EXPECT_EQ(cells.find(576)->kind, cell_kind::slowdown_end);
  EXPECT_EQ(cells.find(576)->value1, 30);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(cells.find(535 - k)->kind, cell_kind::pre_warning);
    EXPECT_EQ(cells.find(535 - k)->value1, k + 1);
    EXPECT_EQ(cells.find(535 - k)->value2, 0);  // d_v 0 leaves value2 alone
  }

  memo_rallentamento(model, {32150, 100, 200, 7, 1, 100});
  for (int i : {620, 644, 648}) {
    EXPECT_EQ(cells.find(i)->value1, 100) << i;
    EXPECT_EQ(cells.find(i)->value2, 100) << i;
  }
  EXPECT_EQ(cells.find(644)->value3, 7);
  EXPECT_EQ(cells.find(620)->value3, 0);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(cells.find(619 - k)->value2, k + 1);
  EXPECT_EQ(model.error_code, 0);
}

TEST(MemoRallentamento, NoWarningUpTo1500m) {
  ScenarioModel at1500 = with_track();
  memo_rallentamento(at1500, {1500, 30, 400, 0, 1, 0});
  EXPECT_EQ(at1500.cells->find(31)->kind, cell_kind::slowdown_start);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(at1500.cells->find(i)->kind, 0) << i;

  ScenarioModel at1550 = with_track();
  memo_rallentamento(at1550, {1550, 30, 400, 0, 1, 0});
  EXPECT_EQ(at1550.cells->find(8)->kind, cell_kind::slowdown_warning);
  for (int i = 4; i <= 7; ++i) EXPECT_EQ(at1550.cells->find(i)->kind, cell_kind::pre_warning);
}

TEST(MemoRallentamento, RefusalsNameTheTakenCell) {
  struct Case {
    int taken;
    std::int32_t code;
    bool points_left;
  };
  for (const Case c :
       {Case{536, 17, false}, Case{560, 18, false}, Case{576, 19, false}, Case{533, 20, true}}) {
    ScenarioModel model = with_track();
    model.cells->find(c.taken)->kind = cell_kind::signboard;
    memo_rallentamento(model, {27950, 30, 800, 0, 1, 0});
    EXPECT_EQ(model.error_code, c.code) << c.taken;
    EXPECT_EQ(model.cells->find(560)->kind == cell_kind::slowdown_start, c.points_left) << c.taken;
  }
  ScenarioModel beyond = with_track();
  memo_rallentamento(beyond, {74400, 30, 800, 0, 1, 0});
  EXPECT_EQ(beyond.error_code, 19);
}

TEST(MemoRallentamento, StartAndEndInOneCellEndAsTheStart) {
  ScenarioModel model = with_track();
  memo_rallentamento(model, {5000, 60, 10, 4, 0, 9});
  const TrackCell& c = *model.cells->find(101);
  EXPECT_EQ(c.kind, cell_kind::slowdown_start);
  EXPECT_EQ(c.value1, 60);
  EXPECT_EQ(c.value2, 9);
  EXPECT_EQ(c.value3, 4);
}

}  // namespace
}  // namespace tracciato
