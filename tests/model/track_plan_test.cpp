#include "model/track_plan.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace tracciato {
namespace {

// Rows from a small plan and from one large enough to be mapped from the
// system in huge pages: both start empty and keep what is set, bit for bit.
TEST(TrackPlan, StartsEmptyAndKeepsEachKindOfElement) {
  for (const std::int64_t last : {std::int64_t{4}, std::int64_t{1007000}}) {
    TrackPlan plan(last);
    EXPECT_EQ(plan.last_row(), last);
    for (const std::int64_t row : {std::int64_t{0}, last / 2, last}) {
      EXPECT_EQ(plan.at(row, 0), PlanValue{}) << row;
      EXPECT_EQ(plan.at(row, 1), PlanValue{}) << row;
      EXPECT_EQ(plan.number(row, 1), 0.0) << row;
    }
    EXPECT_TRUE(plan.set(0, 0, std::int16_t{-32768}));
    EXPECT_TRUE(plan.set(last, 1, -0.0));
    EXPECT_TRUE(plan.set_number(1, 0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(plan.at(0, 0), PlanValue(std::int16_t{-32768}));
    EXPECT_EQ(plan.tag(0, 0), PlanTag::integer);
    EXPECT_TRUE(std::signbit(std::get<double>(plan.at(last, 1))));
    EXPECT_TRUE(std::isnan(std::get<double>(plan.at(1, 0))));
    // Setting an element empty again forgets its value.
    EXPECT_TRUE(plan.set(0, 0, std::monostate{}));
    EXPECT_EQ(plan.at(0, 0), PlanValue{});
    EXPECT_EQ(plan.number(0, 0), 0.0);
  }
}

// A large plan's block is kept for the next one when released: the next
// plan must still start all empty, however the last one was written.
TEST(TrackPlan, APlanAfterALargeOneStartsEmpty) {
  for (const std::int64_t last : {std::int64_t{75000}, std::int64_t{75000}, std::int64_t{90000}}) {
    TrackPlan plan(last);
    for (std::int64_t row = 0; row <= last; row += 997) {
      EXPECT_EQ(plan.at(row, 0), PlanValue{}) << last << " " << row;
      EXPECT_EQ(plan.at(row, 1), PlanValue{}) << last << " " << row;
      EXPECT_EQ(plan.number(row, 1), 0.0) << last << " " << row;
    }
    for (std::int64_t row = 0; row <= last; ++row) {
      plan.set_number(row, 0, 1.5);
      plan.set(row, 1, std::int16_t{7});
    }
  }
}

TEST(TrackPlan, RefusesWritesOutsideItsRowsAndColumns) {
  TrackPlan plan(2);
  EXPECT_FALSE(plan.set(3, 0, 1.0));
  EXPECT_FALSE(plan.set(-1, 1, 1.0));
  EXPECT_FALSE(plan.set_number(0, 2, 1.0));
  EXPECT_EQ(plan.number(3, 0), 0.0);
  EXPECT_EQ(plan.tag(-1, 0), PlanTag::empty);
  // A route length of -7000 m makes a plan of the single row 0.
  TrackPlan single(0);
  EXPECT_TRUE(single.set(0, 1, std::int16_t{0}));
  EXPECT_FALSE(single.set(1, 1, std::int16_t{1}));
}

TEST(TrackPlan, CopiesAreDeepAndAMovedPlanIsLeftWithNoRows) {
  TrackPlan plan(3);
  plan.set(2, 1, 2.5);
  TrackPlan copy = plan;
  copy.set(2, 1, 7.0);
  EXPECT_EQ(plan.at(2, 1), PlanValue(2.5));
  TrackPlan moved = std::move(plan);
  EXPECT_EQ(moved.at(2, 1), PlanValue(2.5));
  EXPECT_EQ(plan.last_row(), -1);  // NOLINT(bugprone-use-after-move): what is left is defined
  EXPECT_FALSE(plan.set(0, 0, 1.0));
  copy = moved;
  EXPECT_EQ(copy.at(2, 1), PlanValue(2.5));
}

}  // namespace
}  // namespace tracciato
