// End-to-end checks of routed legs against what the polar table and the
// stream alone predict: a beat straight into the wind, the symmetry of its
// laylines and of mirrored courses, beats carried across or held back by a
// stream that turns, a run carried by a uniform stream, a beat in a
// forecast wind, and a leg across a headland.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "core/constants.h"
#include "routing/route_leg.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::BeatAt;
using routing_test::kStart;
using routing_test::kWindSpeed;
using routing_test::Tacks;
using routing_test::TWorld;

constexpr double kDeg = kDegreesToRadians;
constexpr double kTackHours = 7.2 / 3600;  // the table's tack time at 12 knots
constexpr double kGybeHours = 2.0 / 3600;

TLegRouting Routed(const TWorld& world, double bearing, double distance, double startHours = 0) {
  TLegRouting result = world.Route(routing_test::Leg(bearing, distance), startHours);
  EXPECT_TRUE(result.Routed()) << result.Error->Message;
  return result;
}

TEST(RoutingPhysicsTest, BeatIntoTheWindTakesTheDistanceOverTheBeatVMGPlusTheTacks) {
  TWorld world;
  world.Options.TraceGrid = true;
  const double distance = 3;
  const auto begin = std::chrono::steady_clock::now();
  const TLegRouting result = Routed(world, 0, distance);
  const auto elapsed = std::chrono::steady_clock::now() - begin;
  ASSERT_EQ(result.Type(), TLegType::Beat);
  const TRoutingData& track = result.Track;

  const int tacks = Tacks(track);
  EXPECT_GE(tacks, 1);
  const double expected = distance / BeatAt(kWindSpeed).MadeGood() + tacks * kTackHours;
  EXPECT_NEAR(track.TimeBestCourse, expected, 0.03 * expected) << tacks << " tacks";
  // Straight into the wind neither side is favoured.
  EXPECT_TRUE(track.LayLinesValid);
  EXPECT_NEAR(track.TimeLaylineLeft, track.TimeLaylineRight, 0.01 * track.TimeBestCourse);
  EXPECT_LT(std::chrono::duration<double>(elapsed).count(), 1.0);
  // The best course runs from the finish back to the start.
  EXPECT_EQ(track.ListBestCourse.Count(), result.GridBestLine + 1);
  EXPECT_NEAR(track.ListBestCourse.Items.back().CoordM.Lat, kStart.Lat, 1e-9);
  EXPECT_EQ(track.ListBoat.Items.back().Time, 0);
  // The laylines start and end at the marks' side of the grid.
  EXPECT_EQ(track.ListLaylineLeft.Items.back().CoordM.Lat, kStart.Lat);
  EXPECT_EQ(track.ListLaylineRight.Items.back().CoordM.Lat, kStart.Lat);
}

TEST(RoutingPhysicsTest, TheTopMarkIsApproachedCloseHauledFromTheLastTack) {
  const TLegRouting result = Routed(TWorld{}, 0, 3);
  const TRoutingData& track = result.Track;
  // The boats run from the arrival back to the start: the first tacking one
  // is the last tack sailed.
  const TBoat* last = nullptr;
  for (const TBoat& boat : track.ListBoat.Items) {
    if (boat.Tack) {
      last = &boat;
      break;
    }
  }
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(track.FinalTack.Lon, last->CoordM.Lon);
  EXPECT_EQ(track.FinalTack.Lat, last->CoordM.Lat);
  // Without stream the course over ground is the heading: 38.4 degrees off
  // the wind on one tack or the other, within the grid's resolution.
  EXPECT_NEAR(std::fabs(std::remainder(track.FinalCourse, 360.0)), 38.4, 3);
  EXPECT_LT(track.FinalTack.Lat, track.TrackFinish.Lat);
}

TEST(RoutingPhysicsTest, TheCornersWithoutStreamLieAtTheBeatAngleFromBothMarks) {
  TWorld world;
  world.Conditions.Stream = routing_test::CrossStream(1, 0);
  const TLegRouting result = Routed(world, 0, 3);
  const TRoutingData& track = result.Track;
  const TMathTools math;
  const double side = 1.5 / std::cos(38.4 * kDeg);
  EXPECT_NEAR(math.DistanceOfMinutes(track.TrackStart, track.LayLineCrossRight), side, 1e-3);
  EXPECT_NEAR(math.DistanceOfMinutes(track.TrackFinish, track.LayLineCrossLeft), side, 1e-3);
  EXPECT_NEAR(math.DistanceOfMinutes(track.TrackFinish, track.LayLineCrossRight), side, 1e-3);
}

// In a uniform wind every route on the two headings that reaches the mark
// with the same tacks takes the same time, so the grid's choice among them
// follows rounding; what must mirror are the times, the tack count, the
// laylines (each one edge of the grid and one tack) and their corners.
TEST(RoutingPhysicsTest, MirroringTheCourseAndTheStreamAboutTheWindMirrorsTheResults) {
  struct Case {
    const char* name;
    double stream;
    double towardDeg;  // for the course 15 degrees right of the wind
  };
  const Case cases[] = {
      {"still water", 0, 0},
      {"stream setting east", 1, 90},
      {"stream setting north-east", 0.8, 45},
  };
  const auto mirrored = [](const TMinutes& a, const TMinutes& b) {
    return std::fabs((a.Lon - kStart.Lon) - (kStart.Lon - b.Lon)) < 1e-3 && std::fabs(a.Lat - b.Lat) < 1e-3;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld rightWorld;
    rightWorld.Conditions.Stream = routing_test::UniformStream(c.stream, c.towardDeg);
    const TLegRouting rightLeg = Routed(rightWorld, 15, 3);
    TWorld leftWorld;
    leftWorld.Conditions.Stream = routing_test::UniformStream(c.stream, 360 - c.towardDeg);
    const TLegRouting leftLeg = Routed(leftWorld, 360 - 15, 3);
    const TRoutingData& right = rightLeg.Track;
    const TRoutingData& left = leftLeg.Track;

    EXPECT_NEAR(left.TimeBestCourse, right.TimeBestCourse, 1e-3 * right.TimeBestCourse);
    EXPECT_EQ(Tacks(left), Tacks(right));
    EXPECT_NEAR(left.TimeLaylineLeft, right.TimeLaylineRight, 1.0 / 3600);
    EXPECT_NEAR(left.TimeLaylineRight, right.TimeLaylineLeft, 1.0 / 3600);
    EXPECT_NEAR(left.CurrentsWindShift, -right.CurrentsWindShift, 1e-6);
    ASSERT_EQ(left.ListLaylineLeft.Count(), right.ListLaylineRight.Count());
    for (int i = 0; i < left.ListLaylineLeft.Count(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_TRUE(mirrored(left.ListLaylineLeft.Items[static_cast<std::size_t>(i)].CoordM,
                           right.ListLaylineRight.Items[static_cast<std::size_t>(i)].CoordM));
    }
    EXPECT_TRUE(mirrored(left.LayLineCrossLeft, right.LayLineCrossRight));
    EXPECT_TRUE(mirrored(left.LayLineCrossRight, right.LayLineCrossLeft));
    EXPECT_TRUE(mirrored(left.TrackFinish, right.TrackFinish));
  }
}

// Two grid lines that straddle the finish alike leave almost no change of
// the best distance; the arrival, one point spacing from the mark, is still
// accepted at every angle of a beat.
TEST(RoutingPhysicsTest, BeatsAtEveryAngleInsideTheConeReachTheMark) {
  const TWorld world;
  for (int bearing = -34; bearing <= 34; bearing += 2) {
    SCOPED_TRACE(bearing);
    const TLegRouting result = Routed(world, bearing < 0 ? 360 + bearing : bearing, 2.5);
    EXPECT_EQ(result.Type(), TLegType::Beat);
  }
}

// Across the course the stream neither helps nor hinders directly, but it
// veers the wind on the water by atan(1/12) and sets both tacks east: the
// two legs over ground are the boat's velocities plus the stream, in
// whatever proportion closes the triangle to the mark.
TEST(RoutingPhysicsTest, ABeatAcrossAStreamSailsTheTriangleOfItsTwoTacksOverGround) {
  const double distance = 3;
  const double stream = 1;
  TWorld world;
  world.Conditions.Stream = routing_test::CrossStream(stream, 0);
  const TLegRouting result = Routed(world, 0, distance);
  ASSERT_EQ(result.Type(), TLegType::Beat);
  const TRoutingData& track = result.Track;

  const double windOnWater = std::hypot(kWindSpeed, stream);
  const double veer = std::atan2(stream, kWindSpeed);
  const routing_test::TOptimum beat = BeatAt(windOnWater);
  const double h1 = veer + beat.AngleDeg * kDeg;
  const double h2 = veer - beat.AngleDeg * kDeg;
  const double x1 = beat.Speed * std::sin(h1) + stream;
  const double y1 = beat.Speed * std::cos(h1);
  const double x2 = beat.Speed * std::sin(h2) + stream;
  const double y2 = beat.Speed * std::cos(h2);
  // t1 (x1, y1) + t2 (x2, y2) = (0, distance)
  const double det = x1 * y2 - x2 * y1;
  const double t1 = -distance * x2 / det;
  const double t2 = distance * x1 / det;
  ASSERT_GT(t1, 0);
  ASSERT_GT(t2, 0);
  const double expected = t1 + t2 + Tacks(track) * kTackHours;
  EXPECT_NEAR(track.TimeBestCourse, expected, 0.03 * expected);
  EXPECT_NEAR(track.StreamOnTrack.x, stream, 1e-9);
  EXPECT_NEAR(track.StreamOnTrack.y, 0, 1e-9);
  EXPECT_NEAR(track.CurrentsWindShift, veer / kDeg, 1e-6);
}

// 1 knot against the beat until the stream turns, 1 knot with it after; a
// stream that turns two hours into the day and a leg started at 1:45 meet
// the same water as a stream that turns after a quarter of an hour and a
// leg started at once.
TEST(RoutingPhysicsTest, AStreamThatTurnsMidLegIsSailedAtTheMomentsItFlows) {
  const double distance = 3;
  const double foul = BeatAt(kWindSpeed - 1).MadeGood() - 1;
  const double fair = BeatAt(kWindSpeed + 1).MadeGood() + 1;
  struct Case {
    const char* name;
    double flipHours;
    double startHours;
    double turnsAfter;  // hours into the leg
  };
  const Case cases[] = {
      {"turns a quarter of an hour after the start", 0.25, 0, 0.25},
      {"turns at 2:00, leg started at 1:45", 2, 1.75, 0.25},
      {"turns before the start", 0.25, 0.5, 0},
  };
  std::vector<double> times;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld world;
    world.Conditions.Stream = routing_test::ReversingStream(1, 180, c.flipHours);
    const TLegRouting result = Routed(world, 0, distance, c.startHours);
    ASSERT_EQ(result.Type(), TLegType::Beat);
    const double t = c.turnsAfter;
    const double expected = t + (distance - foul * t) / fair + Tacks(result.Track) * kTackHours;
    EXPECT_NEAR(result.Track.TimeBestCourse, expected, 0.03 * expected);
    times.push_back(result.Track.TimeBestCourse);
  }
  EXPECT_NEAR(times[1], times[0], 1e-6);
  EXPECT_LT(times[2], times[0]);
}

TEST(RoutingPhysicsTest, UniformStreamAlongARunShortensItByTheStreamsShare) {
  const double distance = 3;
  const double stream = 1;
  const TLegRouting still = Routed(TWorld{}, 180, distance);
  ASSERT_EQ(still.Type(), TLegType::Run);
  TWorld world;
  world.Conditions.Stream = routing_test::UniformStream(stream, 180);
  const TLegRouting carried = Routed(world, 180, distance);
  ASSERT_EQ(carried.Type(), TLegType::Run);

  // On the water the boat feels the wind less the stream, and the stream
  // adds its whole speed to the velocity made good.
  const double runStill = routing_test::RunAt(kWindSpeed).MadeGood();
  const double runCarried = routing_test::RunAt(kWindSpeed - stream).MadeGood() + stream;
  const double expectedStill = distance / runStill + Tacks(still.Track) * kGybeHours;
  const double expectedCarried = distance / runCarried + Tacks(carried.Track) * kGybeHours;
  EXPECT_NEAR(still.Track.TimeBestCourse, expectedStill, 0.03 * expectedStill);
  EXPECT_NEAR(carried.Track.TimeBestCourse, expectedCarried, 0.03 * expectedCarried);
  EXPECT_LT(carried.Track.TimeBestCourse, still.Track.TimeBestCourse);
  // The mean stream on the track is the uniform stream.
  EXPECT_NEAR(carried.Track.StreamOnTrack.x, 0, 1e-6);
  EXPECT_NEAR(carried.Track.StreamOnTrack.y, -stream, 1e-3);
}

// The grid sails the forecast's 14 knots while the leg type and the tack
// time follow the chosen 12.
TEST(RoutingPhysicsTest, AForecastWindSetsThePaceOfTheGrid) {
  const double distance = 3;
  TWorld world;
  world.Conditions.Wind = routing_test::GribWind(14, 0);
  const TLegRouting result = Routed(world, 0, distance);
  ASSERT_EQ(result.Type(), TLegType::Beat);
  const double expected = distance / BeatAt(14).MadeGood() + Tacks(result.Track) * kTackHours;
  EXPECT_NEAR(result.Track.TimeBestCourse, expected, 0.03 * expected);
  const TLegRouting chosen = Routed(TWorld{}, 0, distance);
  EXPECT_LT(result.Track.TimeBestCourse, chosen.Track.TimeBestCourse);
}

TEST(RoutingPhysicsTest, ALegAcrossAHeadlandIsRoutedAroundItNeverThroughIt) {
  const routing_test::TLand headland{-95, -79.6, 3041.8, 3042.3};
  TWorld world;
  world.Conditions.Navigable = routing_test::Headland(headland);
  const TLegRouting result = Routed(world, 0, 4);
  ASSERT_TRUE(result.Routed());
  const TRoutingData& track = result.Track;
  ASSERT_GE(track.ListBestCourse.Count(), 2);
  for (int i = 1; i < track.ListBestCourse.Count(); ++i) {
    const TMinutes& a = track.ListBestCourse.Items[static_cast<std::size_t>(i - 1)].CoordM;
    const TMinutes& b = track.ListBestCourse.Items[static_cast<std::size_t>(i)].CoordM;
    for (int j = 0; j <= 20; ++j) {
      const double f = j / 20.0;
      const TMinutes p{a.Lon + f * (b.Lon - a.Lon), a.Lat + f * (b.Lat - a.Lat)};
      ASSERT_FALSE(headland.Contains(p)) << "segment " << i << " at " << p.Lon << ", " << p.Lat;
    }
  }
  // Rounding the headland's tip takes longer than the open beat would.
  EXPECT_GT(track.TimeBestCourse, 4 / BeatAt(kWindSpeed).MadeGood());
}

}  // namespace
}  // namespace corvane
