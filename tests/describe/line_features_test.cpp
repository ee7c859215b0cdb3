#include "describe/line_features.h"

#include <gtest/gtest.h>

#include "support/track_fixture.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "describe/field_reader.h"
#include "model/rounding.h"

namespace tracciato {
namespace {

using testing::with_track;

// Lays a structure as the reader does; gives back the type it was laid with.
std::int32_t lay(ScenarioModel& model, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
  MontagnaRecord r{inizio, fine, tipo};
  memo_montagna(model, r);
  return r.tipo;
}

TEST(MemoMontagna, LaysTheTypeAndEveryFourthFiller) {
  ScenarioModel model = with_track();
  std::int32_t tipo = 2;
  tipo = lay(model, 950, 1000, tipo);
  EXPECT_EQ(model.cells->find(19)->montagna_type, 2);
  EXPECT_EQ(model.cells->find(18)->montagna_type, 0);
  EXPECT_EQ(model.cells->find(20)->montagna_type, 0);

  tipo = 12;
  tipo = lay(model, 2100, 2250, tipo);  // fewer than four cells: no filler
  EXPECT_EQ(tipo, 2);
  for (int i = 42; i <= 44; ++i) EXPECT_EQ(model.cells->find(i)->kind, 0) << i;
  EXPECT_EQ(model.cells->find(44)->montagna_type, 2);

  model.cells->find(27)->kind = cell_kind::signal;
  tipo = 12;
  tipo = lay(model, 3000, 3400, tipo);
  const CellArray& cells = *model.cells;
  EXPECT_EQ(cells.find(63)->kind, cell_kind::montagna_filler);
  EXPECT_EQ(cells.find(67)->kind, cell_kind::montagna_filler);
  EXPECT_EQ(cells.find(67)->montagna_type, 2);
  EXPECT_EQ(model.montagna_count, 3);
  EXPECT_EQ(model.montagna_start[3], 3000);
  EXPECT_EQ(model.montagna_end[3], 3400);
}

TEST(MemoMontagna, FillersNeverReplaceAFeature) {
  ScenarioModel model = with_track();
  model.cells->find(23)->kind = cell_kind::signal;
  std::int32_t tipo = 12;
  tipo = lay(model, 1000, 1400, tipo);
  EXPECT_EQ(model.cells->find(23)->kind, cell_kind::signal);
  EXPECT_EQ(model.cells->find(27)->kind, cell_kind::montagna_filler);
}

TEST(MemoMontagna, AStructureWithin150mOfTheLastBecomesType3) {
  ScenarioModel model = with_track();
  std::int32_t tipo = 2;
  tipo = lay(model, 1000, 1100, tipo);
  tipo = 2;
  tipo = lay(model, 1250, 1300, tipo);
  EXPECT_EQ(tipo, 3);
  tipo = 12;
  tipo = lay(model, 1500, 1600, tipo);  // 200 m after: keeps its type
  EXPECT_EQ(tipo, 2);
}

TEST(MemoMontagna, RangesAreClippedToTheTrackAndThe81stFails) {
  ScenarioModel model;
  create_track(model, 0);  // cells 0 .. 140
  std::int32_t tipo = 12;
  tipo = lay(model, -100, 8000, tipo);
  EXPECT_EQ(model.cells->find(0)->montagna_type, 2);
  EXPECT_EQ(model.cells->find(140)->montagna_type, 2);
  EXPECT_EQ(model.cells->find(1)->kind, cell_kind::montagna_filler);  // 4th cell from -2
  for (int k = 2; k <= 80; ++k) {
    tipo = 2;
    tipo = lay(model, 1000 * k, 1000 * k + 50, tipo);
  }
  tipo = 2;
  EXPECT_THROW(lay(model, 90000, 90050, tipo), ReadFailure);
}

// The placement as a walk over every cell of the range, those before 0
// included, counting each for the filler: what memo_montagna must lay
// whatever its way of finding the filler phase.
std::vector<TrackCell> laid_by_walking(ScenarioModel model, std::int64_t inizio,
                                       std::int64_t fine) {
  CellArray& cells = *model.cells;
  const std::int64_t first = round_half_even_div(inizio, 50);
  const std::int64_t last = std::min(round_half_even_div(fine - 50, 50), cells.last());
  std::int64_t j = 0;
  for (std::int64_t i = first; i <= last; ++i) {
    ++j;
    TrackCell* cell = cells.find(i);
    if (cell == nullptr) continue;
    cell->montagna_type = 2;
    if (j % 4 == 0 && cell->kind == cell_kind::empty && (i - 4) * 50 < fine) {
      cell->kind = cell_kind::montagna_filler;
    }
  }
  return cells.all();
}

TEST(MemoMontagna, AStartBeforeTheTrackSetsTheFillerPhaseAsAWalkFromItWould) {
  ScenarioModel track;
  create_track(track, 0);  // cells 0 .. 140
  track.cells->find(6)->kind = cell_kind::signal;
  const auto compare = [&track](std::int32_t inizio, std::int32_t fine) {
    ScenarioModel model = track;
    std::int32_t tipo = 12;
    lay(model, inizio, fine, tipo);
    EXPECT_EQ(model.cells->all(), laid_by_walking(track, inizio, fine))
        << "from " << inizio << " to " << fine;
  };
  // Every phase of the first cell modulo 4, the halves that round to the
  // even cell, a start on the track and one past its end.
  for (const std::int32_t inizio :
       {-1000000, -1000050, -1000100, -1000150, -275, -250, -225, -200, -175, -150, -125, -100,
        -75,      -50,      -25,      -1,       0,    25,   75,   125,  200,  7000, 7100}) {
    for (const std::int32_t fine : {-50, 0, 150, 425, 1000, 6950, 8000}) compare(inizio, fine);
  }
  // The far end of 32 bits, each phase once: a walk from there takes 43
  // million cells, the placement only the cells of the track.
  for (const std::int32_t inizio :
       {std::numeric_limits<std::int32_t>::min(), -2147483600, -2147483550, -2147483500}) {
    compare(inizio, 1000);
  }
}

TEST(MemoIndicatoriVMax, StoresSpeedCodesAndStripes) {
  ScenarioModel model = with_track();
  memo_indicatori_v_max(model, {1300, 110, 120, 125, 0, 110, 120, 125, 0});
  const TrackCell& a = *model.cells->find(27);
  EXPECT_EQ(a.kind, cell_kind::speed_indicator);
  EXPECT_EQ((std::array<int, 4>{a.value1, a.value2, a.value3, a.value4}),
            (std::array<int, 4>{2222, 2424, 2525, 0}));
  memo_indicatori_v_max(model, {61350, 100, 105, 105, 2, 0, 0, 0, 0});
  const TrackCell& b = *model.cells->find(1228);
  EXPECT_EQ((std::array<int, 4>{b.value1, b.value2, b.value3, b.value4}),
            (std::array<int, 4>{2000, 2100, 2100, 20}));
  EXPECT_EQ(model.error_code, 0);
}

TEST(MemoIndicatoriVMax, ReplacesAFillerButNotAFeature) {
  ScenarioModel model = with_track();
  model.cells->find(10)->kind = cell_kind::montagna_filler;
  memo_indicatori_v_max(model, {450, 1, 1, 1, 0, 0, 0, 0, 0});
  EXPECT_EQ(model.cells->find(10)->kind, cell_kind::speed_indicator);
  model.cells->find(11)->kind = cell_kind::signboard;
  memo_indicatori_v_max(model, {500, 1, 1, 1, 0, 0, 0, 0, 0});
  EXPECT_EQ(model.error_code, 21);
  EXPECT_EQ(model.cells->find(11)->kind, cell_kind::signboard);
}

TEST(MemoIndicatoriVMax, ACodeOutside16BitsFailsAfterTheCodesBeforeIt) {
  ScenarioModel model = with_track();
  EXPECT_THROW(memo_indicatori_v_max(model, {500, 1, 2000, 1, 0, 0, 0, 0, 0}), ReadFailure);
  EXPECT_EQ(model.cells->find(11)->kind, cell_kind::speed_indicator);
  EXPECT_EQ(model.cells->find(11)->value1, 20);
}

TEST(ProgressiveOrdina, OrdersByStartOrByOffset) {
  using Triple = std::array<std::int32_t, 3>;
  struct Case {
    const char* name;
    std::array<Triple, 3> in;  // slots 81, 82, 83
    std::array<Triple, 3> out;
  };
  const Triple zero{0, 0, 0};
  const Case cases[] = {
      {"built-in", {zero, zero, Triple{12800, -12800, 0}}, {Triple{12800, -12800, 0}, zero, zero}},
      {"shared largest start", {Triple{5000, 1, 0}, Triple{5000, 2, 0}, zero}, {zero, zero, zero}},
      {"tie below the largest",
       {Triple{5000, 1, 0}, Triple{3000, 2, 0}, Triple{3000, 3, 0}},
       {Triple{5000, 1, 0}, Triple{3000, 3, 0}, Triple{3000, 2, 0}}},
      {"descending",
       {Triple{100, 1, 0}, Triple{300, 2, 0}, Triple{200, 3, 0}},
       {Triple{300, 2, 0}, Triple{200, 3, 0}, Triple{100, 1, 0}}},
      {"offset in 83",
       {Triple{0, 1, 0}, Triple{0, 2, 0}, Triple{0, 3, 0}},
       {Triple{0, 3, 0}, Triple{0, 2, 0}, Triple{0, 1, 0}}},
      {"offset in 82", {zero, Triple{0, 100, 0}, zero}, {Triple{0, 100, 0}, zero, zero}},
      {"offset in 81", {Triple{0, 100, 0}, zero, zero}, {Triple{0, 100, 0}, zero, zero}},
      {"no offset", {Triple{0, -5, 1}, zero, zero}, {zero, zero, zero}},
      {"flag adds 100", {Triple{900, 200, 1}, zero, zero}, {Triple{900, 300, 1}, zero, zero}},
  };
  for (const Case& c : cases) {
    ScenarioModel model;
    for (int k = 0; k < 3; ++k) {
      SlotRecord& s = model.slots[static_cast<std::size_t>(81 + k)];
      s.area_start = c.in[static_cast<std::size_t>(k)][0];
      s.area_end = c.in[static_cast<std::size_t>(k)][1];
      s.position = c.in[static_cast<std::size_t>(k)][2];
    }
    progressive_ordina(model);
    for (int k = 0; k < 3; ++k) {
      const SlotRecord& s = model.slots[static_cast<std::size_t>(81 + k)];
      EXPECT_EQ((Triple{s.area_start, s.area_end, s.position}), c.out[static_cast<std::size_t>(k)])
          << c.name << " slot " << 81 + k;
    }
  }
}

}  // namespace
}  // namespace tracciato
