#include "compile/diagnostic.h"

#include <gtest/gtest.h>

#include "compile/errors.h"

namespace tracciato {
namespace {

TEST(Diagnostic, ACleanRecordHasNone) {
  EXPECT_FALSE(diagnose(ScenarioModel{}).has_value());
}

TEST(Diagnostic, AFaultFromALineNamesItAndPointsAtTheField) {
  ScenarioModel model;
  record_error(model, 16, 1600);
  model.error_source = ErrorSource{"t.txt", 36, 13, "segnale,    1600,   2"};
  EXPECT_EQ(format_diagnostic(*diagnose(model)),
            "t.txt:36:13: error 16: the signal's cell is already taken (at 1600 m)\n"
            "  segnale,    1600,   2\n"
            "              ^\n");
}

TEST(Diagnostic, APostPassFaultNamesThePositionAndTheCell) {
  ScenarioModel model;
  record_error(model, 12, 28000);
  EXPECT_EQ(format_diagnostic(*diagnose(model)),
            "tracciato: error 12: no free cell for an advance point before a slowdown start, "
            "the slowdown start's cell 560 (at 28000 m)\n");
}

TEST(Diagnostic, AFaultOfAWholeFileNamesOnlyTheFile) {
  ScenarioModel model;
  record_error(model, 101);
  model.error_source = ErrorSource{"missing.txt", 0, 0, {}};
  EXPECT_EQ(format_diagnostic(*diagnose(model)),
            "missing.txt: error 101: the line description does not exist\n");
}

}  // namespace
}  // namespace tracciato
