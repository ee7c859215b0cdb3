#include "compile/post_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace tracciato {
namespace {

using Cells = std::vector<std::int64_t>;

// A model whose track runs from cell 0 to cell `last`, all cells empty.
ScenarioModel track(std::int64_t last) {
  ScenarioModel model;
  model.cells.emplace(last);
  return model;
}

TrackCell& cell(ScenarioModel& model, std::int64_t i) {
  return *model.cells->find(i);
}

void put(ScenarioModel& model, std::int64_t i, std::uint8_t kind, std::int16_t value1 = 0) {
  cell(model, i).kind = kind;
  cell(model, i).value1 = value1;
}

// Takes a cell with a feature that is neither free nor an abbattimento point.
void take(ScenarioModel& model, std::int64_t i) {
  put(model, i, cell_kind::stop);
}

void slowdown(ScenarioModel& model, std::int64_t start, std::int16_t speed, std::int64_t end) {
  put(model, start, cell_kind::slowdown_start, speed);
  put(model, end, cell_kind::slowdown_end);
}

// The cells holding an abbattimento point, in increasing order; every one of
// them must carry `value`.
Cells points(const ScenarioModel& model, std::int16_t value = 180) {
  Cells found;
  const std::vector<TrackCell>& all = model.cells->all();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].kind != cell_kind::abbattimento) continue;
    found.push_back(static_cast<std::int64_t>(i));
    EXPECT_EQ(all[i].value1, value) << "cell " << i;
  }
  return found;
}

// --- Rule B1 to B3: advance points ---------------------------------------

TEST(PostPass, AdvancePointsDependOnTheStartCell) {
  struct Case {
    std::int64_t start;
    Cells expected;
  };
  const Case cases[] = {
      {1, {}},      {3, {}},       {7, {}},           {8, {3}},           {13, {8}},
      {14, {9, 3}}, {20, {15, 9}}, {21, {3, 10, 16}}, {40, {22, 29, 35}},
  };
  for (const Case& c : cases) {
    // Speed 120 and no end: no walk and no look-ahead, only B1 to B3.
    ScenarioModel model = track(100);
    put(model, c.start, cell_kind::slowdown_start, 120);
    run_post_pass(model);
    Cells expected = c.expected;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(points(model), expected) << "start " << c.start;
    EXPECT_EQ(model.error_code, 0) << "start " << c.start;
  }
}

TEST(PostPass, AdvancePointMovesBackWhenItsCellsAreTaken) {
  ScenarioModel model = track(100);
  put(model, 40, cell_kind::slowdown_start, 120);
  take(model, 35);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{22, 29, 34}));

  model = track(100);
  put(model, 40, cell_kind::slowdown_start, 120);
  take(model, 35);
  take(model, 34);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{22, 29, 33}));
  EXPECT_EQ(model.error_code, 0);
}

TEST(PostPass, AFullNearGroupRecordsError12AndTheLaterGroupsAreStillLaid) {
  ScenarioModel model = track(100);
  model.error_position = 777;
  put(model, 40, cell_kind::slowdown_start, 120);
  take(model, 35);
  take(model, 34);
  take(model, 33);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{22, 29}));
  EXPECT_EQ(model.error_code, 12);
  EXPECT_EQ(model.error_position, 40 * 50);
}

TEST(PostPass, AFullFarGroupRecordsError12AtTheStart) {
  ScenarioModel model = track(100);
  put(model, 40, cell_kind::slowdown_start, 120);
  take(model, 22);
  take(model, 21);
  take(model, 20);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{29, 35}));
  EXPECT_EQ(model.error_code, 12);
  EXPECT_EQ(model.error_position, 2000);
}

TEST(PostPass, AMontagnaFillerIsFreeAndBecomesThePoint) {
  ScenarioModel model = track(100);
  put(model, 40, cell_kind::slowdown_start, 120);
  put(model, 35, cell_kind::montagna_filler, 7);
  cell(model, 35).montagna_type = 3;
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{22, 29, 35}));
  EXPECT_EQ(cell(model, 35).value1, 180);
  EXPECT_EQ(cell(model, 35).montagna_type, 3);  // only kind and value1 are written
}

TEST(PostPass, AnExistingPointIsNotFreeForAnAdvanceGroup) {
  ScenarioModel model = track(100);
  put(model, 40, cell_kind::slowdown_start, 120);
  put(model, 35, cell_kind::abbattimento, 60);
  run_post_pass(model);
  EXPECT_EQ(cell(model, 35).value1, 60);
  EXPECT_EQ(cell(model, 34).kind, cell_kind::abbattimento);
  EXPECT_EQ(cell(model, 34).value1, 180);
}

// --- Rule A: signals before a warning point ------------------------------

TEST(PostPass, LookBackWindowIsTwentyCellsAndStopsBelowCellThree) {
  struct Case {
    std::int64_t warning;
    std::int64_t signal;
    Cells expected;
  };
  const Case cases[] = {
      {50, 49, {48}},  // k = 1
      {50, 30, {29}},  // k = 20, the last one examined
      {50, 29, {}},    // k = 21
      {10, 3, {2}},    // i - k = 3 is examined
      {10, 2, {}},     // i - k = 2 is not
      {4, 3, {2}},    {3, 2, {}},
  };
  for (const Case& c : cases) {
    ScenarioModel model = track(100);
    put(model, c.signal, cell_kind::signal);
    put(model, c.warning, cell_kind::slowdown_warning);
    run_post_pass(model);
    EXPECT_EQ(points(model), c.expected) << "warning " << c.warning << " signal " << c.signal;
    EXPECT_EQ(model.error_code, 0);
  }
}

TEST(PostPass, TwoSignalsInTheWindowAreBothServed) {
  ScenarioModel model = track(100);
  put(model, 60, cell_kind::slowdown_warning);
  put(model, 55, cell_kind::signal);
  put(model, 45, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{44, 54}));
}

TEST(PostPass, LookBackUsesTheSecondCellWhenTheFirstIsTaken) {
  ScenarioModel model = track(100);
  put(model, 60, cell_kind::slowdown_warning);
  put(model, 50, cell_kind::signal);
  take(model, 49);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{48}));
}

TEST(PostPass, LookBackLowersAnExistingPointWithMinimo) {
  struct Case {
    std::int64_t point_cell;  // 49 or 48; the other one is taken
    std::int16_t before;
    std::int16_t after;
  };
  for (const Case c : {Case{49, 120, 120}, Case{49, 250, 180}, Case{49, 180, 180},
                       Case{48, 120, 120}, Case{48, 250, 180}}) {
    ScenarioModel model = track(100);
    put(model, 60, cell_kind::slowdown_warning);
    put(model, 50, cell_kind::signal);
    take(model, c.point_cell == 49 ? 48 : 49);
    put(model, c.point_cell, cell_kind::abbattimento, c.before);
    run_post_pass(model);
    EXPECT_EQ(cell(model, c.point_cell).kind, cell_kind::abbattimento);
    EXPECT_EQ(cell(model, c.point_cell).value1, c.after) << c.point_cell << " " << c.before;
    EXPECT_EQ(model.error_code, 0);
  }
}

TEST(PostPass, TheNearerPointIsLoweredFirst) {
  ScenarioModel model = track(100);
  put(model, 60, cell_kind::slowdown_warning);
  put(model, 50, cell_kind::signal);
  put(model, 49, cell_kind::abbattimento, 250);
  put(model, 48, cell_kind::abbattimento, 300);
  run_post_pass(model);
  EXPECT_EQ(cell(model, 49).value1, 180);
  EXPECT_EQ(cell(model, 48).value1, 300);
}

TEST(PostPass, LookBackRecordsError11AndGoesOn) {
  ScenarioModel model = track(100);
  put(model, 60, cell_kind::slowdown_warning);
  put(model, 55, cell_kind::signal);
  put(model, 54, cell_kind::abbattimento_without_value, 250);  // kind 13 does not count
  take(model, 53);
  put(model, 45, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(cell(model, 54).value1, 250);
  EXPECT_EQ(points(model), (Cells{44}));  // the farther signal is still served
  EXPECT_EQ(model.error_code, 11);
  EXPECT_EQ(model.error_position, 55 * 50);
}

// --- Rule B4: the walk along a slow slowdown -----------------------------

TEST(PostPass, WalkAlongASpeed30SlowdownAndLookAheadWindow) {
  // Start in 560, end in 576: the walk lays 568, then the turn at 576 meets
  // the end cell and uses 575; the look-ahead covers cells 576 to 588.
  for (const std::int64_t signal : {580, 588, 589}) {
    ScenarioModel model = track(700);
    slowdown(model, 560, 30, 576);
    put(model, signal, cell_kind::signal);
    run_post_pass(model);
    Cells expected{542, 549, 555, 568, 575};
    if (signal <= 588) expected.push_back(signal - 1);
    EXPECT_EQ(points(model), expected) << "signal " << signal;
    EXPECT_EQ(model.error_code, 0);
  }
}

TEST(PostPass, WalkShiftsTheAimedCellBackOrForward) {
  struct Case {
    Cells taken;
    Cells walk_points;
  };
  const Case cases[] = {
      {{}, {568, 576, 584, 592, 599}},
      {{568}, {567, 575, 583, 591, 599}},  // j - 1, and n counts from there
      {{567, 568}, {569, 577, 585, 593}},  // j + 1
  };
  for (const Case& c : cases) {
    ScenarioModel model = track(700);
    slowdown(model, 560, 30, 600);
    for (std::int64_t t : c.taken) take(model, t);
    run_post_pass(model);
    Cells expected{542, 549, 555};
    expected.insert(expected.end(), c.walk_points.begin(), c.walk_points.end());
    EXPECT_EQ(points(model), expected);
    EXPECT_EQ(model.error_code, 0);
  }
}

TEST(PostPass, WalkError13StopsFurtherWalkPointsButNotTheLookAhead) {
  ScenarioModel model = track(700);
  slowdown(model, 560, 30, 600);
  take(model, 567);
  take(model, 568);
  take(model, 569);
  put(model, 605, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{542, 549, 555, 604}));
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 568 * 50);
}

TEST(PostPass, AShortSlowdownGetsNoWalkPointButTheLookAheadRuns) {
  ScenarioModel model = track(200);
  slowdown(model, 100, 30, 107);  // the turn at 107 has n = 7
  put(model, 110, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{82, 89, 95, 109}));
}

TEST(PostPass, ASlowdownOf110HasNoWalkAndLooksAheadFromItsOwnEnd) {
  ScenarioModel model = track(200);
  slowdown(model, 100, 110, 130);
  put(model, 142, cell_kind::signal);  // 130 + 12: inside the window
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{82, 89, 95, 141}));  // nothing in 101 .. 129
  EXPECT_EQ(model.error_code, 0);

  model = track(200);
  slowdown(model, 100, 110, 130);
  put(model, 143, cell_kind::signal);  // 130 + 13: outside
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{82, 89, 95}));
}

TEST(PostPass, TheSpeedTestIsSigned) {
  for (const std::int16_t speed : {std::int16_t{109}, std::int16_t{-5}}) {
    ScenarioModel model = track(200);
    slowdown(model, 100, speed, 130);
    run_post_pass(model);
    EXPECT_EQ(points(model), (Cells{82, 89, 95, 108, 116, 124}));  // 132 is past the end
  }
}

TEST(PostPass, ASlowdownOf110WithoutAnEndSkipsTheLookAhead) {
  ScenarioModel model = track(200);
  put(model, 100, cell_kind::slowdown_start, 110);
  put(model, 105, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{82, 89, 95}));
  EXPECT_EQ(model.error_code, 0);
}

// --- Rule B5: the look-ahead ---------------------------------------------

TEST(PostPass, LookAheadUsesTheSecondCellThenRecords13AtTheEnd) {
  ScenarioModel model = track(700);
  slowdown(model, 560, 30, 576);
  put(model, 580, cell_kind::signal);
  take(model, 579);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{542, 549, 555, 568, 575, 578}));

  // An abbattimento point before the signal is not reused.
  model = track(700);
  slowdown(model, 560, 30, 576);
  put(model, 580, cell_kind::signal);
  put(model, 579, cell_kind::abbattimento, 120);
  take(model, 578);
  run_post_pass(model);
  EXPECT_EQ(cell(model, 579).value1, 120);
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 576 * 50);
}

TEST(PostPass, LookAheadServesOnlyTheFirstSignal) {
  ScenarioModel model = track(700);
  slowdown(model, 560, 120, 576);
  put(model, 580, cell_kind::signal);
  put(model, 584, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{542, 549, 555, 579}));
}

TEST(PostPass, ALaterErrorReplacesAnEarlierOnePositionIncluded) {
  ScenarioModel model = track(700);
  slowdown(model, 560, 30, 576);
  take(model, 555);
  take(model, 554);
  take(model, 553);  // error 12 at 28000
  put(model, 580, cell_kind::signal);
  take(model, 579);
  take(model, 578);  // then error 13 at 28800
  run_post_pass(model);
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 28800);
}

// --- The end of the track ------------------------------------------------

TEST(PostPass, AWalkWithoutAnEndStopsAtUWithError13AndSkipsTheLookAhead) {
  ScenarioModel model = track(600);
  put(model, 590, cell_kind::slowdown_start, 30);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{572, 579, 585, 598}));
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 600 * 50);
}

TEST(PostPass, AWalkThatWouldAimBeyondUStopsAtU) {
  // The point after 593 would be aimed at 601: the walk stops at 600 and
  // lays nothing on 600 either.
  ScenarioModel model = track(600);
  put(model, 585, cell_kind::slowdown_start, 30);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{567, 574, 580, 593}));
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 600 * 50);
}

TEST(PostPass, TheCellAfterUIsNotFreeForTheWalk) {
  // End in U: the turn at 600 has n = 8; 600 is the end, 599 is taken and
  // 601 does not exist.
  ScenarioModel model = track(600);
  slowdown(model, 584, 30, 600);
  take(model, 599);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{566, 573, 579, 592}));
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 600 * 50);
  EXPECT_EQ(model.cells->last(), 600);
}

TEST(PostPass, TheLookAheadStopsAtU) {
  ScenarioModel model = track(600);
  slowdown(model, 590, 120, 595);
  put(model, 600, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{572, 579, 585, 599}));
}

TEST(PostPass, CellsUMinusOneAndUAreNeverCurrent) {
  ScenarioModel model = track(100);
  put(model, 99, cell_kind::slowdown_start, 120);
  put(model, 100, cell_kind::slowdown_warning);
  put(model, 95, cell_kind::signal);
  run_post_pass(model);
  EXPECT_EQ(points(model), Cells{});

  model = track(100);
  put(model, 98, cell_kind::slowdown_start, 120);
  run_post_pass(model);
  EXPECT_EQ(points(model), (Cells{80, 87, 93}));
}

TEST(PostPass, ATinyTrackIsLeftAlone) {
  for (const std::int64_t last : {0, 1, 2}) {
    ScenarioModel model = track(last);
    run_post_pass(model);
    EXPECT_EQ(points(model), Cells{});
  }
}

TEST(PostPass, ACleanPassKeepsTheErrorRecord) {
  ScenarioModel model = track(700);
  slowdown(model, 560, 30, 576);
  model.error_code = 7;
  model.error_position = 1234;
  run_post_pass(model);
  EXPECT_EQ(model.error_code, 7);
  EXPECT_EQ(model.error_position, 1234);
}

TEST(PostPass, APointLaidAheadIsSeenByTheLaterCells) {
  // The walk of the first slowdown lays a point on 108; the second
  // slowdown's near group then finds 108 taken and uses 107.
  ScenarioModel model = track(200);
  slowdown(model, 100, 30, 120);
  put(model, 113, cell_kind::slowdown_start, 120);
  put(model, 125, cell_kind::slowdown_end);
  run_post_pass(model);
  EXPECT_EQ(cell(model, 108).kind, cell_kind::abbattimento);
  EXPECT_EQ(cell(model, 107).kind, cell_kind::abbattimento);
}

TEST(PostPass, NeedsTheCells) {
  ScenarioModel model;
  EXPECT_THROW(run_post_pass(model), std::bad_optional_access);
}

TEST(Minimo, ReturnsTheSmallerAndAOnATie) {
  EXPECT_EQ(minimo(180, 180), 180);
  EXPECT_EQ(minimo(180, 75), 75);
  EXPECT_EQ(minimo(180, 270), 180);
}

}  // namespace
}  // namespace tracciato
