#include "routing/grid.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RoutingGridTest, LinesAndPointsAreNumberedFromOne) {
  TGrid grid;
  grid.AddLine(3);
  EXPECT_EQ(grid.AddLine(), 2);
  EXPECT_NE(grid.GetPoint(1, 1), nullptr);
  EXPECT_NE(grid.GetPoint(1, 3), nullptr);
  EXPECT_EQ(grid.GetPoint(1, 4), nullptr);
  EXPECT_EQ(grid.GetPoint(1, 0), nullptr);
  EXPECT_EQ(grid.GetPoint(0, 1), nullptr);
  EXPECT_EQ(grid.GetPoint(2, 1), nullptr);
  EXPECT_EQ(grid.GetLine(3), nullptr);
  EXPECT_EQ(grid.AddPoint(3), nullptr);
  TGridPoint* p = grid.AddPoint(2);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(grid.GetPoint(2, 1), p);
  EXPECT_FALSE(p->InWater);
  EXPECT_EQ(p->TimeFromLeft, 0);

  grid.EndBuildGrid = true;
  grid.Clear();
  EXPECT_EQ(grid.Count(), 0);
  EXPECT_FALSE(grid.EndBuildGrid);
}

}  // namespace
}  // namespace corvane
