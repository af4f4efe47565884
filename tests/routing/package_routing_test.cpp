#include "routing/package_routing.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::TWorld;

class PackageRoutingTest : public ::testing::Test {
 protected:
  TLegContext& Leg(double bearing, double distance) {
    leg_.emplace(world_.Context(routing_test::Leg(bearing, distance)));
    return *leg_;
  }

  // One leg through the facade, as RouteLeg drives it.
  void Route(TLegContext& leg) {
    routing_.GetCourseInWater(leg);
    if (!leg.Valid) return;
    routing_.GetTypeOfCourse(leg);
    if (leg.Track.TypeOfCourse == kCourseReach) {
      routing_.GetStripesReach(leg);
      routing_.GetIsochronicGridRouting(leg);
    } else {
      routing_.GetDynamicGridRouting(leg.Track.TypeOfCourse, leg);
    }
  }

  TWorld world_;
  std::optional<TLegContext> leg_;
  TPackageRouting routing_;
};

TEST_F(PackageRoutingTest, TheLegTypeFollowsTheConesOverGround) {
  struct Case {
    const char* name;
    double bearing;
    double streamTowardDeg;  // 1 knot; no stream when negative
    int type;
  };
  const Case cases[] = {
      {"dead upwind", 0, -1, kCourseBeat},
      {"dead downwind", 180, -1, kCourseRun},
      {"across the wind", 90, -1, kCourseReach},
      {"across the wind, other side", 270, -1, kCourseReach},
      // 45 degrees lies outside the beat angle of 38.4 in still water; a
      // stream setting east widens the starboard side of the cone to about
      // 49 degrees over ground, one setting west narrows it to 26.
      {"just outside the beat angle", 45, -1, kCourseReach},
      {"just outside the beat angle, stream setting east", 45, 90, kCourseBeat},
      {"just outside the beat angle, stream setting west", 45, 270, kCourseReach},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Conditions.Stream =
        c.streamTowardDeg < 0 ? TStreamField{} : routing_test::UniformStream(1, c.streamTowardDeg);
    TLegContext& leg = Leg(c.bearing, 3);
    routing_.GetTypeOfCourse(leg);
    EXPECT_EQ(leg.Track.TypeOfCourse, c.type);
    EXPECT_TRUE(leg.Valid);
  }
}

TEST_F(PackageRoutingTest, EachLegTypeIsRoutedOnItsGrid) {
  struct Case {
    const char* name;
    double bearing;
    int type;
  };
  const Case cases[] = {
      {"beat", 10, kCourseBeat},
      {"run", 175, kCourseRun},
      {"reach", 260, kCourseReach},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLegContext& leg = Leg(c.bearing, 2.5);
    Route(leg);
    const TRoutingData& track = leg.Track;
    EXPECT_EQ(track.TypeOfCourse, c.type);
    EXPECT_TRUE(leg.Valid) << leg.Message;
    EXPECT_GT(track.TimeBestCourse, 0.2);
    EXPECT_LT(track.TimeBestCourse, 1);
    EXPECT_GT(track.ListBestCourse.Count(), 3);
    EXPECT_GT(track.DateTimeFinishGMT, track.DateTimeStartGMT);
    EXPECT_TRUE(leg.FinishTimed);
    // Without stream the wind does not shift.
    EXPECT_NEAR(track.CurrentsWindShift, 0, 1e-9);
  }
}

TEST_F(PackageRoutingTest, LegsTooLongForTheTimeLimitAreRefused) {
  world_.Options.MaxHoursToFinish = 0.1;
  for (double bearing : {0.0, 180.0, 260.0}) {
    SCOPED_TRACE(bearing);
    TLegContext& leg = Leg(bearing, 2.5);
    Route(leg);
    EXPECT_TRUE(leg.LowVMG);
    EXPECT_FALSE(leg.Valid);
    EXPECT_EQ(leg.Message, "Error: Low VMG!");
    EXPECT_EQ(leg.FailureKind, TRoutingFailure::LowVMGEstimate);
    EXPECT_EQ(leg.Track.TimeBestCourse, 0);
    EXPECT_FALSE(leg.FinishTimed);
  }
}

TEST_F(PackageRoutingTest, TheReachCorridorIsTheAreaWhoseStreamTheReachReads) {
  std::vector<TListMinutes> areas;
  world_.Conditions.Stream = routing_test::UniformStream(9, 0);
  world_.Conditions.StreamWithin = [&areas](const TListMinutes& area) {
    areas.push_back(area);
    return routing_test::UniformStream(2, 180);
  };
  TLegContext& leg = Leg(100, 2.5);
  routing_.GetStripesReach(leg);
  EXPECT_EQ(leg.Track.ListLaylineLeft.Count(), kCountStripes + 1);
  EXPECT_EQ(leg.Track.ListLaylineRight.Count(), kCountStripes + 1);
  ASSERT_EQ(areas.size(), 1u);
  ASSERT_EQ(areas[0].size(), 5u);
  const TMathTools math;
  // The start lies on its near edge; the track's middle and the finish inside.
  const TMinutes& start = leg.Track.TrackStart;
  const TMinutes& finish = leg.Track.TrackFinish;
  EXPECT_TRUE(math.GetInPolygon(TMinutes{(start.Lon + finish.Lon) / 2, (start.Lat + finish.Lat) / 2}, areas[0]));
  EXPECT_TRUE(math.GetInPolygon(leg.Track.TrackFinish, areas[0]));
  // Its corners are the corridor's outer stripe corners.
  EXPECT_EQ(areas[0][0].Lon, leg.Track.ListLaylineLeft.Items.front().CoordM.Lon);
  EXPECT_EQ(areas[0][1].Lat, leg.Track.ListLaylineLeft.Items.back().CoordM.Lat);
  EXPECT_NEAR(leg.StreamAt(leg.Track.TrackStart, 0).y, -2, 1e-12);
}

}  // namespace
}  // namespace corvane
