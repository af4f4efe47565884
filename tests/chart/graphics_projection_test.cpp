#include "chart/graphics_projection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart_fixture.h"

namespace corvane {
namespace {

using namespace testing_chart;

class ProjectionTest : public ::testing::Test {
 protected:
  void SetUp() override { FillSmallChart(state); }
  void Project() {
    projection.InitDeviceProjection(state);
    projection.GetDeviceProjection(state);
  }
  TInterfaceApplicationMobile state;
  TMobileGraphicsProjection projection;
};

TEST_F(ProjectionTest, ZoomZeroChartFitsTheDevicesLongerSide) {
  projection.InitDeviceProjection(state);
  // Landscape chart: its height is the device's longer side, 400 pixels.
  EXPECT_EQ(projection.SeaMapOrientationHome, 1);
  EXPECT_EQ(projection.OffScreenDimensionHome, 400);
  EXPECT_EQ(state.SeaMap.Height, 400);
  const double homeWidth = state.SeaMap.Width;
  EXPECT_GT(homeWidth, 400);
  projection.GetDeviceProjection(state);
  // Zoom 0 sizes the chart from pixels per minute, (width - 1) / 40: the
  // chart comes out a pixel or two smaller than at the start, never
  // smaller than the device.
  EXPECT_NEAR(static_cast<double>(projection.SeaMapPixPerSm),
              static_cast<double>((homeWidth - 1) / 40), 1e-9);
  EXPECT_EQ(state.SeaMap.Width, homeWidth - 1);
  EXPECT_NEAR(static_cast<double>(state.SeaMap.Height), 400, 2);
  // The whole chart fits into three device lengths.
  EXPECT_EQ(projection.OffScreen.BitMap->Width(), RoundPixels(state.SeaMap.Width));
  EXPECT_EQ(projection.OffScreen.Offset.X, 0);
  EXPECT_EQ(projection.OnScreen.BitMap->Width(), 400);
  EXPECT_EQ(projection.OnScreen.BitMap->Height(), 300);
}

TEST_F(ProjectionTest, ZoomZeroChartIsEnlargedToTheImage) {
  // A portrait chart (40' x 40' near 50 N) on a wide image: at zoom 0 its
  // width is the image's 1000 pixels; sizing by pixels per minute alone
  // gives one pixel less (the first pixel sits on the corner), and the
  // minimum of the image restores it.
  state.DeviceWidth = 1000;
  state.DeviceHeight = 200;
  state.SeaMap.P2.Lat = 3040;
  projection.InitDeviceProjection(state);
  EXPECT_EQ(projection.SeaMapOrientationHome, 2);
  EXPECT_LT(std::trunc(projection.SeaMapPixPerSmHome * 40), 1000);
  projection.GetDeviceProjection(state);
  EXPECT_EQ(state.SeaMap.Width, 1000);
}

TEST_F(ProjectionTest, CentreOutsideTheChartFallsBackToItsMiddle) {
  state.DeviceCenter = TMinutes{0, 0};
  Project();
  EXPECT_NEAR(static_cast<double>(projection.OnScreen.MapArea.Center.Lon), -80, 0.05);
  EXPECT_NEAR(static_cast<double>(projection.OnScreen.MapArea.Center.Lat), 3010, 0.05);
}

TEST_F(ProjectionTest, OffScreenWindowStaysInsideTheChart) {
  state.DeviceZoom = 10;
  state.DeviceCenter = TMinutes{kWest + 0.1, kNorth - 0.1};  // the north-west corner
  Project();
  EXPECT_EQ(projection.OffScreen.BitMap->Width(), 1200);
  EXPECT_EQ(projection.OffScreen.BitMap->Height(), 1200);
  EXPECT_EQ(projection.OffScreen.Offset.X, 0);
  EXPECT_EQ(projection.OffScreen.Offset.Y, static_cast<float>(state.SeaMap.Height - 1200));
  // The on-screen window sits in the off-screen bitmap's top-left corner.
  EXPECT_EQ(projection.OnScreen.Offset.X, 0);
  EXPECT_EQ(projection.OnScreen.Offset.Y, 1200 - 300);
  EXPECT_NEAR(static_cast<double>(projection.OffScreen.MapArea.P2.Lat), kNorth, 1e-6);
  EXPECT_NEAR(static_cast<double>(projection.OffScreen.MapArea.P1.Lon), kWest, 1e-6);
}

TEST_F(ProjectionTest, TilesAroundTheOffScreenAreaAreMarked) {
  // A 3 x 3 grid of tiles over the chart; IndexV grows southward.
  state.ListMapTiles.clear();
  for (int v = 1; v <= 3; ++v) {
    for (int h = 1; h <= 3; ++h) {
      TMapTiles tile;
      tile.IndexH = h;
      tile.IndexV = v;
      tile.P1 = TMinutes{kWest + (h - 1) * 40.0 / 3, kNorth - v * 20.0 / 3};
      tile.P2 = TMinutes{kWest + h * 40.0 / 3, kNorth - (v - 1) * 20.0 / 3};
      state.ListMapTiles.push_back(tile);
    }
  }
  state.DeviceZoom = 10;
  state.DeviceCenter = TMinutes{kWest + 1, kNorth - 1};
  Project();
  for (const TMapTiles& tile : state.ListMapTiles) {
    SCOPED_TRACE(std::to_string(tile.IndexH) + "," + std::to_string(tile.IndexV));
    EXPECT_EQ(tile.Draw, tile.IndexH == 1 && tile.IndexV == 1);
  }
  state.DeviceZoom = 0;
  Project();
  for (const TMapTiles& tile : state.ListMapTiles) EXPECT_TRUE(tile.Draw);
}

TEST_F(ProjectionTest, ScaleFactorThresholds) {
  struct Case {
    const char* name;
    double pixPerSm;
    bool buoys;
    bool boats;
    bool courseName;
  };
  const Case cases[] = {
      {"45", 45, false, false, true},     {"45.01", 45.01, true, false, true},
      {"150", 150, true, false, true},    {"150.01", 150.01, true, true, true},
      {"399.99", 399.99, true, true, true}, {"400", 400, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    projection.SeaMapPixPerSm = c.pixPerSm;
    projection.GetScaleFactors(state);
    EXPECT_EQ(projection.ScaleShowBuoys, c.buoys);
    EXPECT_EQ(projection.ScaleShowBoats, c.boats);
    EXPECT_EQ(projection.ScaleShowCourseName, c.courseName);
  }
  projection.SeaMapPixPerSm = 240;
  projection.GetScaleFactors(state);
  EXPECT_NEAR(static_cast<double>(projection.ScaleArrowCurrents), 10, 1e-12);  // 240 / (6 * 4)
  EXPECT_NEAR(static_cast<double>(projection.ScaleSizeBoats), 0.8, 1e-12);
  EXPECT_NEAR(static_cast<double>(projection.ScaleSizeCourseMarks), 8, 1e-12);
  EXPECT_NEAR(static_cast<double>(projection.ScaleSizeCourseGesture), 30, 1e-12);
  EXPECT_NEAR(static_cast<double>(projection.ScaleLineLaylines), 240.0 / 140, 1e-12);
}

TEST_F(ProjectionTest, PanningStopsAtTheChartEdgeAndRespondsAtOnceBack) {
  state.DeviceZoom = 0;
  Project();  // the whole chart is in the off-screen bitmap
  projection.GesturePanStart(TPointF{200, 150});
  // Drag far to the right: the window would leave the chart's west edge.
  auto result = projection.GesturePanWindow(state, TPointF{200 + 5000, 150});
  EXPECT_FALSE(result.OffScreenMoved);
  EXPECT_EQ(projection.OnScreen.Offset.X, 0);
  EXPECT_FALSE(projection.ValidDragRight);
  // Moving back by 10 pixels moves the window by 10 pixels at once.
  result = projection.GesturePanWindow(state, TPointF{200 + 5000 - 10, 150});
  EXPECT_EQ(projection.OnScreen.Offset.X, 10);
  EXPECT_TRUE(result.Valid);
  // The device centre follows the window.
  EXPECT_NEAR(static_cast<double>(state.DeviceCenter.Lon),
              static_cast<double>(projection.OnScreen.MapArea.Center.Lon), 1e-9);
}

TEST_F(ProjectionTest, PanningPastTheOffScreenEdgeRecentresIt) {
  state.DeviceZoom = 10;
  Project();
  const float offX = projection.OffScreen.Offset.X;
  projection.GesturePanStart(TPointF{200, 150});
  const auto result = projection.GesturePanWindow(state, TPointF{200 - 1000, 150});
  EXPECT_TRUE(result.OffScreenMoved);
  EXPECT_TRUE(projection.ValidDragLeft);
  EXPECT_GT(projection.OffScreen.Offset.X, offX);
  // The window is centred again, inside the moved bitmap.
  EXPECT_GE(projection.OnScreen.Offset.X, 0);
  EXPECT_LE(projection.OnScreen.Offset.X, 1200 - 400);
}

TEST_F(ProjectionTest, GotoTrackZoomsToShowTheTrack) {
  state.DeviceWidth = 800;
  state.DeviceHeight = 600;
  Project();
  TRoutingData track;
  track.TrackDistance = 0.5;
  track.TrackCenter = TMinutes{-80, 3010};
  projection.GetGotoTrack(track, state);
  // 0.5 * 600 / 0.5 nm = 600 pixels per minute, below the maximum zoom.
  EXPECT_NEAR(static_cast<double>(projection.SeaMapPixPerSm), 600, 1e-6);

  state.DeviceZoomMax = 5;
  projection.GetGotoTrack(track, state);
  EXPECT_EQ(state.DeviceZoom, 5);

  TRoutingData point;
  point.TrackCenter = TMinutes{-70, 3005};
  projection.GetGotoTrack(point, state);
  EXPECT_EQ(state.DeviceZoom, 5);
  EXPECT_EQ(state.DeviceCenter.Lon, -70);
}

}  // namespace
}  // namespace corvane
