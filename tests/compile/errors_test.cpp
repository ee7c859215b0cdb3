#include "compile/errors.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Minimo, ReturnsTheSmallerAndAOnATie) {
  EXPECT_EQ(minimo(180, 180), 180);
  EXPECT_EQ(minimo(180, 75), 75);
  EXPECT_EQ(minimo(180, 270), 180);
}

TEST(Errore, StopsWithTheMessageAndItsLeadingBlank) {
  try {
    errore("1251");
    FAIL() << "errore returned";
  } catch (const BuildStopped& stop) {
    EXPECT_STREQ(stop.what(), " Errore n. 1251");
    EXPECT_EQ(stop.code(), "1251");
  }
}

TEST(ErrorRecord, TheLastFaultWinsAndACodeWithoutPositionKeepsTheOldOne) {
  ScenarioModel model;
  record_error(model, 12, 28000);
  record_error(model, 13, 28800);
  EXPECT_EQ(model.error_code, 13);
  EXPECT_EQ(model.error_position, 28800);
  record_error(model, 10);
  EXPECT_EQ(model.error_code, 10);
  EXPECT_EQ(model.error_position, 28800);
}

}  // namespace
}  // namespace tracciato
