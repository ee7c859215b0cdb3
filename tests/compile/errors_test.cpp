#include "compile/errors.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(Errore, StopsWithTheMessageAndItsLeadingBlank) {
  try {
    errore("1251");
    FAIL() << "errore returned";
  } catch (const BuildStopped& stop) {
    EXPECT_STREQ(stop.what(), " Errore n. 1251");
    EXPECT_EQ(stop.code(), "1251");
  }
}

}  // namespace
}  // namespace tracciato
