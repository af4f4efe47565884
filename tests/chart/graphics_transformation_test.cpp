#include "chart/graphics_transformation.h"

#include <gtest/gtest.h>

#include "chart_fixture.h"

namespace corvane {
namespace {

using namespace testing_chart;

TEST(TransformationTest, OnScreenRoundTripAndOffScreenCorners) {
  TInterfaceApplicationMobile state;
  FillSmallChart(state);
  state.DeviceZoom = 6;
  TMobileGraphicsTransformation t;
  t.InitDeviceProjection(state);
  t.GetDeviceProjection(state);

  struct Case {
    const char* name;
    TPointF offset;
  };
  const Case cases[] = {{"no offset", {0, 0}}, {"shifted image", {12, -7}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (TPointF p : {TPointF{0, 0}, TPointF{123.5f, 77}, TPointF{399, 299}}) {
      const TMinutes m = t.OnScreen_to_Minutes(p, c.offset);
      const TPointF back = t.Minutes_to_OnScreen(m, c.offset);
      EXPECT_NEAR(back.X, p.X, 1e-3);
      EXPECT_NEAR(back.Y, p.Y, 1e-3);
    }
  }
  // The on-screen centre shows the device centre.
  const TPointF centre = t.Minutes_to_OnScreen(state.DeviceCenter, TPointF{});
  EXPECT_NEAR(centre.X, 200, 0.01);
  EXPECT_NEAR(centre.Y, 150, 0.01);

  // The off-screen area's south-west corner is its bottom-left pixel row.
  const TPointF sw = t.Minutes_to_OffScreen(t.OffScreen.MapArea.P1);
  EXPECT_NEAR(sw.X, 0, 1e-3);
  EXPECT_NEAR(sw.Y, t.OffScreen.MapArea.Height, 1e-2);
  EXPECT_TRUE(t.GetInOffScreen(t.OffScreen.MapArea.Center));
  EXPECT_FALSE(t.GetInOffScreen(TMinutes{kWest - 1, kSouth}));

  const TPolygon scaled = t.ScaleToPix(Square(state.DeviceCenter, 0.1));
  ASSERT_EQ(scaled.size(), 4u);
  EXPECT_LT(scaled[1].Y, scaled[0].Y);  // north is up
}

}  // namespace
}  // namespace corvane
