#include "chart/track_line.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TPolygon Straight(int count, float step) {
  TPolygon points;
  for (int i = 0; i < count; ++i) points.push_back(TPointF{i * step, 0});
  return points;
}

TEST(TrackLineTest, PointsCloserThanTheLineWidthAreSkipped) {
  // Steps of 1 pixel with a 3-pixel line: every third point ends a segment.
  const auto segments = GetTrackSegments(Straight(10, 1), 3, TStrokeDash::Solid);
  ASSERT_EQ(segments.size(), 3u);
  EXPECT_EQ(segments[0].Line.To.X, 3);
  EXPECT_EQ(segments[2].Line.To.X, 9);
  // The last point always ends the line.
  const auto tail = GetTrackSegments(Straight(5, 1), 3, TStrokeDash::Solid);
  ASSERT_EQ(tail.size(), 2u);
  EXPECT_EQ(tail[1].Line.To.X, 4);
}

TEST(TrackLineTest, DashesOnShortAndLongSegments) {
  struct Case {
    const char* name;
    float step;
    TStrokeDash dash;
    std::size_t drawn;  // of 8 segments
    TStrokeDash style;
  };
  const Case cases[] = {
      {"short dashed: three of four", 5, TStrokeDash::Dash, 6, TStrokeDash::Solid},
      {"long dashed: all dashed", 20, TStrokeDash::Dash, 8, TStrokeDash::Dash},
      {"short solid: all", 5, TStrokeDash::Solid, 8, TStrokeDash::Solid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto segments = GetTrackSegments(Straight(9, c.step), 1, c.dash);
    ASSERT_EQ(segments.size(), c.drawn);
    for (const TTrackSegment& s : segments) EXPECT_EQ(s.Dash, c.style);
  }
  // The left-out segments are the 1st and the 5th (n = 0 and 4).
  const auto segments = GetTrackSegments(Straight(9, 5), 1, TStrokeDash::Dash);
  EXPECT_EQ(segments[0].Line.From.X, 5);
  EXPECT_EQ(segments[3].Line.From.X, 25);
  EXPECT_TRUE(GetTrackSegments(Straight(1, 5), 1, TStrokeDash::Solid).empty());
}

}  // namespace
}  // namespace corvane
