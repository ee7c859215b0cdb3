#include "model/error_record.h"

#include <gtest/gtest.h>

#include "support/track_fixture.h"

namespace tracciato {
namespace {

TEST(ErrorRecord, TheLastFaultWinsAndACodeWithoutPositionKeepsTheOldOne) {
  ScenarioModel model;
  record_fault(model, ErrorCode::no_cell_for_advance_point, 28000);
  record_fault(model, ErrorCode::no_cell_along_slowdown, 28800);
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 28800);
  record_fault(model, ErrorCode::too_many_stations);
  EXPECT_EQ(model.error_code, 10);
  EXPECT_EQ(model.error_position, 28800);
}

TEST(ErrorRecord, EveryCodeHasOneEntryUnderItsOwnNumber) {
  for (std::int32_t n = 0; n <= 1300; ++n) {
    const ErrorCodeInfo& info = error_code_info(n);
    if (info.code != ErrorCode::none) {
      EXPECT_EQ(number_of(info.code), n) << info.name;
    }
  }
  EXPECT_EQ(error_code_info(14).name, "unknown");
  EXPECT_EQ(error_code_info(ErrorCode::beyond_track).name, "beyond_track");
}

TEST(ErrorRecord, ClaimingATakenCellRecordsTheFaultAndNamesTheCell) {
  ScenarioModel model = testing::with_track();
  ASSERT_NE(claim_free_cell(model, 33, ErrorCode::signal_cell_taken, 1600), nullptr);
  model.cells->find(33)->kind = cell_kind::montagna_filler;
  EXPECT_NE(claim_free_cell(model, 33, ErrorCode::signal_cell_taken, 1600), nullptr);
  model.cells->find(33)->kind = cell_kind::stop;
  EXPECT_EQ(claim_free_cell(model, 33, ErrorCode::signal_cell_taken, 1600), nullptr);
  EXPECT_EQ(model.error_code, 16);
  EXPECT_EQ(model.error_position, 1600);
  EXPECT_EQ(model.fault.cell, 33);
  EXPECT_EQ(claim_free_cell(model, 1501, ErrorCode::slowdown_end_taken, 74000), nullptr);
  EXPECT_EQ(model.fault.cell, 1501);
}

TEST(ErrorRecord, TheDiagnosticSaysWhatTheCodeMeansWhereAndWhy) {
  ScenarioModel model;
  EXPECT_FALSE(diagnose(model).has_value());
  record_fault(model, ErrorCode::signal_cell_taken, 1600);
  model.fault.at = SourceLocation{"t.txt", 36, 13, nullptr};
  Diagnostic d = *diagnose(model);
  EXPECT_EQ(d.code, 16);
  EXPECT_EQ(d.message, "the signal's cell is already taken (at 1600 m)");
  ASSERT_TRUE(d.at.has_value());
  EXPECT_EQ(d.at->line, 36);

  record_fault(model, ErrorCode::no_cell_for_advance_point, 28000);
  EXPECT_EQ(diagnose(model)->message,
            "no free cell for an advance point before a slowdown start, the slowdown start's "
            "cell 560 (at 28000 m)");
  EXPECT_FALSE(diagnose(model)->at.has_value());

  record_fault(model, ErrorCode::unreadable);
  model.fault.reason = "expected a whole number, found \"12OOO\"";
  EXPECT_EQ(diagnose(model)->message, "expected a whole number, found \"12OOO\"");

  record_fault(model, ErrorCode::beyond_track, 75000);
  model.fault.reason = "the track's last cell is 1500";
  EXPECT_EQ(diagnose(model)->message,
            "the record lies beyond the end of the track: the track's last cell is 1500 (at "
            "75000 m)");
}

}  // namespace
}  // namespace tracciato
