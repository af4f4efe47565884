#include "chart/arrow_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/constants.h"

namespace corvane {
namespace {

TEST(ArrowGeometryTest, ArrowShape) {
  EXPECT_TRUE(GetArrowPolygon(TPointF{10, 10}, 0, 90).empty());
  EXPECT_TRUE(GetArrowPolygon(TPointF{10, 10}, -3, 90).empty());

  // Angle 90 points to the right of the screen.
  const TPolygon arrow = GetArrowPolygon(TPointF{100, 50}, 30, 90);
  ASSERT_EQ(arrow.size(), 8u);
  EXPECT_NEAR(arrow[0].X, 130, 1e-4);
  EXPECT_NEAR(arrow[0].Y, 50, 1e-4);
  EXPECT_EQ(arrow[7].X, arrow[0].X);
  EXPECT_EQ(arrow[7].Y, arrow[0].Y);
  // Head L/2 wide each side at the centre (y down: bearing 180 is below).
  EXPECT_NEAR(arrow[1].X, 100, 1e-4);
  EXPECT_NEAR(arrow[1].Y, 65, 1e-4);
  EXPECT_NEAR(arrow[6].Y, 35, 1e-4);
  // Neck L/6 ahead of the centre and L/6 across; shaft end L behind.
  EXPECT_NEAR(arrow[2].X, 105, 0.01);
  EXPECT_NEAR(arrow[2].Y, 55, 0.01);
  EXPECT_NEAR(arrow[3].X, 70, 0.01);
  EXPECT_NEAR(arrow[3].Y, 55, 0.01);
  EXPECT_NEAR(arrow[4].X, 70, 0.01);
  EXPECT_NEAR(arrow[4].Y, 45, 0.01);
  EXPECT_EQ(GetArrowWidth(30), 60);
  EXPECT_EQ(GetArrowHeight(30), 30);
}

// Wind direction north: the shaft runs straight up from the anchor and the
// barbs slant from it to the right and up.
TEST(WindBarbTest, BarbsBySpeed) {
  struct Case {
    const char* name;
    double speed;
    int full;
    int half;
    int halfIndex;  // -1 when no half barb
  };
  const Case cases[] = {
      {"calm", 0, 0, 0, -1},           {"2.4 kn", 2.4, 0, 0, -1},
      {"7.4 kn", 7.4, 0, 1, 2},       {"7.5 kn", 7.5, 1, 0, -1},
      {"12.5 kn", 12.5, 1, 1, 1},     {"22.5 kn", 22.5, 2, 1, 2},
      {"37.5 kn", 37.5, 4, 0, -1},    {"45 kn", 45, 4, 1, 4},
  };
  const double scale = 0.1;  // shaft 6 pixels up to 10 kn, + 4 per 10 kn
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPointF p{50, 50};
    const std::vector<TLineF> lines = GetWindBarbLines(p, TPolar{c.speed, 0}, scale);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(1 + c.full + c.half));
    const double shaft = std::trunc(c.speed * scale) * 4 + 6;
    EXPECT_EQ(lines[0].To.Y, static_cast<float>(50 - shaft));
    EXPECT_EQ(lines[0].To.X, 50);
    const double e = c.speed < 0.1 ? 0 : shaft / 5;
    for (int i = 1; i < static_cast<int>(lines.size()); ++i) {
      const bool isHalf = i == static_cast<int>(lines.size()) - 1 && c.half == 1;
      const int index = isHalf ? c.halfIndex : i - 1;
      const double along = shaft - index * shaft / 8;
      const double length = isHalf ? 0.65 * e : e;
      EXPECT_EQ(lines[i].From.Y, static_cast<float>(50 - std::nearbyint(static_cast<double>(along))));
      EXPECT_EQ(lines[i].To.X, static_cast<float>(50 + std::nearbyint(static_cast<double>(
                                                          length * std::sin(50 * kDegreesToRadians)))));
    }
  }
  // A calm shows a bare shaft of 6 pixels.
  const std::vector<TLineF> calm = GetWindBarbLines(TPointF{0, 0}, TPolar{0, kPi / 2}, 1);
  ASSERT_EQ(calm.size(), 1u);
  EXPECT_EQ(calm[0].To.X, 6);
  EXPECT_EQ(calm[0].To.Y, 0);
}

}  // namespace
}  // namespace corvane
