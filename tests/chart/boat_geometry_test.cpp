#include "chart/boat_geometry.h"

#include <gtest/gtest.h>

#include "core/constants.h"

namespace corvane {
namespace {

TEST(BoatGeometryTest, HullFollowsTheHeading) {
  const TPointF p{100, 100};
  // Heading north: the table scaled, bow up.
  const TPolygon north = GetBoatHull(p, 0, 2);
  ASSERT_EQ(north.size(), 20u);
  EXPECT_NEAR(north[0].X, 100, 1e-4);
  EXPECT_NEAR(north[0].Y, 66, 1e-4);
  // The table's x = -6 side lies on the screen's right: -hx cos A.
  EXPECT_NEAR(north[6].X, 112, 1e-4);
  EXPECT_NEAR(north[6].Y, 104, 1e-4);
  // Heading east: bow to the right.
  const TPolygon east = GetBoatHull(p, kPi / 2, 1);
  EXPECT_NEAR(east[0].X, 117, 1e-4);
  EXPECT_NEAR(east[0].Y, 100, 1e-4);

  const TLineF heading = GetBoatHeadingLine(p, kPi / 2, 0.5);
  EXPECT_NEAR(heading.To.X, 120, 1e-4);
  const TPointF label = GetBoatLabelPoint(p, 0, 1);
  EXPECT_NEAR(label.Y, 50, 1e-4);
}

TEST(BoatGeometryTest, BoomSideAndLengthByCourse) {
  struct Case {
    const char* name;
    std::uint8_t bug;
    int typeOfCourse;
    float endX;  // heading north at (0, 0), scale 1: mast at (0, -5)
    float endY;
  };
  const Case cases[] = {
      {"beat, bug 1", 1, 1, -3, 10}, {"beat, bug 2", 2, 1, 3, 10},
      {"reach, bug 1", 1, 2, -10, 8}, {"run, bug 2", 2, 3, 18, 0},
      {"unknown side", 0, 1, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TLineF boom = GetBoatBoom(TPointF{0, 0}, 0, 1, c.bug, c.typeOfCourse);
    EXPECT_NEAR(boom.From.X, 0, 1e-4);
    EXPECT_NEAR(boom.From.Y, -5, 1e-4);
    EXPECT_NEAR(boom.To.X, c.endX, 1e-4);
    EXPECT_NEAR(boom.To.Y, c.endY, 1e-4);
  }
}

}  // namespace
}  // namespace corvane
