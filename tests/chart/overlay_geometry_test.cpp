#include "chart/overlay_geometry.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(OverlayGeometryTest, CurrentScaleTakesTheLargestArrowThatFits) {
  struct Case {
    const char* name;
    double w;
    double s;
    int unit;
    double value;
    const char* label;
  };
  const Case cases[] = {
      {"knots, 1.25 fits", 100, 40, 0, 1.25, "1.25 kts"},  // 2 * 1.25 * 40 = 100
      {"knots, capped at 2", 1000, 40, 0, 2, "2.00 kts"},
      {"knots, nothing fits", 10, 40, 0, 0, "0.00 kts"},
      // 30 m/min = 0.972 kn -> 77.8 px; 40 m/min -> 103.7 px.
      {"metres per minute", 100, 40, 1, 30, "30 m/min"},
  };
  TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCurrentScale scale = GetCurrentScale(c.w, c.s, c.unit, math);
    EXPECT_EQ(scale.Value, c.value);
    EXPECT_EQ(scale.Label, c.label);
  }
}

TEST(OverlayGeometryTest, DistanceScaleCandidates) {
  struct Case {
    const char* name;
    double room;
    double pixPerSM;
    double miles;
    int decimals;
  };
  const Case cases[] = {
      {"none fits", 10, 100, 0, 0},     {"quarter mile", 30, 100, 0.25, 2},
      {"half mile", 99, 100, 0.5, 1},  {"2.5 nm", 400, 100, 2.5, 1},
      {"5 nm", 999, 100, 5, 0},         {"25 nm", 260, 10, 25, 0},
      {"no scale", 1000, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TDistanceScale scale = GetDistanceScale(c.room, c.pixPerSM);
    EXPECT_EQ(scale.Miles, c.miles);
    EXPECT_EQ(scale.Decimals, c.decimals);
    EXPECT_EQ(scale.Pixels, c.miles * c.pixPerSM);
  }
}

TEST(OverlayGeometryTest, TideBarLayout) {
  EXPECT_FALSE(GetTideBar(800, 600, 1, 0.5, 0, 18, 16).Visible);

  const TTideBar bar = GetTideBar(800, 600, -1.5, 0.4, 4.3, 18, 16);
  ASSERT_TRUE(bar.Visible);
  EXPECT_EQ(bar.Metres, 5);
  const double height = 5 * 18 + 9;
  EXPECT_EQ(bar.Left, 800 - 36);
  EXPECT_EQ(bar.Bottom, 600 - 0.75 * height);
  EXPECT_EQ(bar.Top, bar.Bottom - height);
  EXPECT_EQ(bar.ColumnTop, bar.Bottom - 27);  // |level| 1.5 m
  EXPECT_EQ(bar.LineMax, bar.Bottom - 4.3 * 18);
  EXPECT_EQ(bar.ChevronRise, -3);  // falling below datum: chevrons point down
  EXPECT_EQ(GetTideBarMetreY(bar, 2, 18), bar.Bottom - 36);
}

TEST(OverlayGeometryTest, ProgressFraction) {
  EXPECT_EQ(GetProgressFraction(3, 0), 1);
  EXPECT_EQ(GetProgressFraction(3, -1), 1);
  EXPECT_EQ(GetProgressFraction(1, 4), 0.25);
  EXPECT_EQ(GetProgressFraction(9, 4), 1);
}

}  // namespace
}  // namespace corvane
