#include "chart/mobile_graphics.h"
#include "chart/overlay_geometry.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "chart_fixture.h"
#include "core/constants.h"

namespace corvane {
namespace {

using namespace testing_chart;

// Rendering needs a QGuiApplication for its fonts; the offscreen platform
// runs without a display. One per test suite.
class RenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  static void TearDownTestSuite() { app_.reset(); }

  void SetUp() override {
    FillSmallChart(state);
    state.DeviceZoom = 4;
    state.DeviceCenter = kIslandCentre;
    state.TidesValid = true;
    graphics.InitDeviceProjection(state);
    graphics.GetDeviceProjection(state);
  }

  QRgb OffScreenPixel(const TMinutes& m) {
    const TPointF p = graphics.Minutes_to_OffScreen(m);
    return graphics.OffScreenImage()->pixel(static_cast<int>(p.X), static_cast<int>(p.Y));
  }

  // One stream arrow of a cube at a position.
  void AddCurrent(const TMinutes& position, double speed, double direction) {
    TVektorCubeLight& cube = state.CubeLoRes.ListVektorCube.emplace_back();
    cube.CoordM.push_back(position);
    cube.VektorPIntp.push_back(TPolar{speed, direction});
  }

  TInterfaceApplicationMobile state;
  TMobileGraphics graphics;

 private:
  static inline int argc_ = 1;
  static inline char arg0_[] = "chart_tests";
  static inline char* argv_[] = {arg0_, nullptr};
  static inline std::unique_ptr<QGuiApplication> app_;
};

constexpr QRgb kSea = 0xFFB4D6F1;
constexpr QRgb kLand = 0xFFFFCD65;

TEST_F(RenderTest, OpenWaterLandAndIslandEdge) {
  graphics.DrawOffScreen(state);
  EXPECT_EQ(OffScreenPixel(TMinutes{kIslandCentre.Lon + 2, kIslandCentre.Lat}), kSea);
  EXPECT_EQ(OffScreenPixel(kIslandCentre), kLand);
  EXPECT_EQ(OffScreenPixel(TMinutes{kIslandCentre.Lon + 0.9, kIslandCentre.Lat - 0.9}), kLand);
  EXPECT_EQ(OffScreenPixel(TMinutes{kIslandCentre.Lon + 1.1, kIslandCentre.Lat - 0.9}), kSea);
}

TEST_F(RenderTest, CurrentArrowIsDrawnAroundItsPosition) {
  state.DeviceZoom = 20;
  graphics.GetDeviceProjection(state);
  const TMinutes at{kIslandCentre.Lon - 1.5, kIslandCentre.Lat};
  AddCurrent(at, 2, kPi / 2);  // 2 kn toward east
  graphics.DrawOffScreen(state);
  const TPointF p = graphics.Minutes_to_OffScreen(at);
  const double length = 2 * graphics.ScaleArrowCurrents;
  ASSERT_GT(length, 20);
  const QImage& image = *graphics.OffScreenImage();
  // Blue fill on the shaft behind the centre and in the head ahead of it;
  // sea above and below the shaft's end, and beyond the tip.
  EXPECT_EQ(image.pixel(static_cast<int>(p.X - length / 2), static_cast<int>(p.Y)), 0xFF0000FFu);
  EXPECT_EQ(image.pixel(static_cast<int>(p.X + length / 3), static_cast<int>(p.Y)), 0xFF0000FFu);
  EXPECT_EQ(image.pixel(static_cast<int>(p.X - length / 2), static_cast<int>(p.Y - length / 3)), kSea);
  EXPECT_EQ(image.pixel(static_cast<int>(p.X + length + 3), static_cast<int>(p.Y)), kSea);

  // No arrow without a valid tide, nor at or below the minimum speed.
  for (bool valid : {false, true}) {
    state.TidesValid = valid;
    state.CubeLoRes.ListVektorCube.back().VektorPIntp[0].Betrag = valid ? state.CurrentsMin : 2;
    graphics.DrawOffScreen(state);
    EXPECT_EQ(graphics.OffScreenImage()->pixel(static_cast<int>(p.X - length / 2),
                                               static_cast<int>(p.Y)),
              kSea);
  }
}

TEST_F(RenderTest, PrimitivesThatDrawNothing) {
  QImage& image = *graphics.OffScreenImage();
  image.fill(QColor::fromRgba(kSea));
  TCanvas canvas(image);
  ASSERT_TRUE(canvas.BeginScene());
  graphics.Canvas = &canvas;
  graphics.DrawArrow(kColorBlack, 0, 90, TPointF{50, 50}, kColorRed);
  graphics.DrawScaledPolygon(kColorRed, TPolygon{{-80, 3010}, {-79, 3011}});
  graphics.DrawText(TPointF{50, 50}, "TEXT", TTextAlign::Center, kColorRed, 5.4);
  graphics.Canvas = nullptr;
  canvas.EndScene();
  EXPECT_TRUE(image == [&] {
    QImage sea(image.size(), image.format());
    sea.fill(QColor::fromRgba(kSea));
    return sea;
  }());
}

TEST_F(RenderTest, ItemsOutsideTheOffScreenAreaAreSkippedAndNothingLeaksOut) {
  // A buoy just outside the off-screen area with a huge symbol would reach
  // into it if it were drawn.
  state.DeviceZoom = 12;
  graphics.GetDeviceProjection(state);
  const TMapArea& area = graphics.OffScreen.MapArea;
  state.ListBuoysName = {"OUTSIDE"};
  state.ListBuoysPosition = {TMinutes{area.P2.Lon + 0.01, (area.P1.Lat + area.P2.Lat) / 2}};
  state.ListBuoysType = {12};
  state.ListBuoysAlign = {0};
  state.AppScaleBuoys = 20;
  graphics.GetScaleFactors(state);
  graphics.DrawOffScreen(state);
  const QImage& image = *graphics.OffScreenImage();
  for (int y = 0; y < image.height(); y += 7) {
    EXPECT_EQ(image.pixel(image.width() - 1, y), kSea) << "row " << y;
  }
}

TEST_F(RenderTest, PanCopiesTheWindowOutOfTheOffScreenBitmap) {
  graphics.DrawOffScreen(state);
  graphics.GesturePanStart(TPointF{200, 150});
  graphics.GesturePan(state, TPointF{170, 140});
  graphics.CopyOffScreenToOnScreen();
  const QImage& off = *graphics.OffScreenImage();
  const QImage& on = *graphics.OnScreenImage();
  const int left = static_cast<int>(graphics.OnScreen.Offset.X);
  const int top = off.height() - static_cast<int>(graphics.OnScreen.Offset.Y) - on.height();
  EXPECT_TRUE(on == off.copy(left, top, on.width(), on.height()));
  // The island centre appears where the on-screen conversion puts it.
  const TPointF c = graphics.Minutes_to_OnScreen(kIslandCentre, TPointF{});
  EXPECT_EQ(on.pixel(static_cast<int>(c.X), static_cast<int>(c.Y)), kLand);
}

TEST_F(RenderTest, TideBarOnlyWithADayRange) {
  graphics.DrawOffScreen(state);
  QImage window(400, 300, QImage::Format_ARGB32_Premultiplied);
  const TRectF rect{0, 0, 400, 300};
  const TTideBar bar = GetTideBar(400, 300, 2, 0.5, 4, graphics.ScaleTidesBarMeter,
                                  graphics.ScaleTidesBarWidth);
  const int x = static_cast<int>(bar.Left + bar.Width / 2);
  const int y = static_cast<int>(bar.Bottom - 5);
  for (double levelMax : {0.0, 4.0}) {
    SCOPED_TRACE(static_cast<double>(levelMax));
    state.TideLevel = 2;
    state.TideLevelMin = 0.5;
    state.TideLevelMax = levelMax;
    window.fill(Qt::white);
    QPainter painter(&window);
    graphics.DrawOnScreen(painter, rect, state);
    painter.end();
    // The red column at the bar's foot, or the chart where there is none.
    EXPECT_EQ(window.pixel(x, y) == 0xFFFF0000u, levelMax != 0);
  }
}

}  // namespace
}  // namespace corvane
