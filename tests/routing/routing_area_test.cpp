// The area whose stream a beat or run reads: a hexagon around the track.

#include "routing/routing_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"

namespace corvane {
namespace {

TEST(RoutingAreaTest, IsAHexagonAroundTheTrack) {
  const TMathTools math;
  struct Case {
    const char* name;
    TMinutes start;
    double angle;  // degrees
  };
  const std::vector<Case> cases = {
      {"north", TMinutes{-80, 3045}, 0},
      {"south-west", TMinutes{-70, 3048}, 225},
      {"almost north-west", TMinutes{-90, 3042}, 350},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRoutingData track;
    track.TrackStart = c.start;
    TBogen finish;
    math.GetOrtWegOrt(math.MinutesToBogen(c.start), TPolar{4, c.angle * kDegreesToRadians}, finish);
    track.TrackFinish = math.BogenToMinutes(finish);
    track.TrackAngle = c.angle;
    track.TrackDistance = 4;
    const TListMinutes area = GetRoutingHexagon(math, track);
    ASSERT_EQ(area.size(), 6u);

    struct Vertex {
      TMinutes from;
      double distance, turn;  // nautical miles, degrees from the track
    };
    const Vertex expected[5] = {{c.start, 0.2, 180},
                                {c.start, 3.2, 90},
                                {track.TrackFinish, 3.2, 70},
                                {track.TrackFinish, 3.2, 290},
                                {c.start, 3.2, 270}};
    for (int v = 0; v < 5; ++v) {
      SCOPED_TRACE("vertex " + std::to_string(v));
      EXPECT_NEAR(math.DistanceOfMinutes(expected[v].from, area[v]), expected[v].distance, 1e-5);
      const double bearing = math.AngleOfMinutes(expected[v].from, area[v]);
      const double wanted = std::fmod(c.angle + expected[v].turn, 360.0);
      // AngleOfMinutes is a rhumb-like course, within 0.1 degrees of the
      // great-circle bearing over these distances.
      EXPECT_NEAR(std::remainder(bearing - wanted, 360.0), 0, 0.1);
    }
    EXPECT_EQ(area[5].Lon, area[0].Lon);
    EXPECT_EQ(area[5].Lat, area[0].Lat);
    // The track itself lies inside.
    EXPECT_TRUE(math.GetInPolygon(c.start, area));
    EXPECT_TRUE(math.GetInPolygon(track.TrackFinish, area));
  }
}

}  // namespace
}  // namespace corvane
