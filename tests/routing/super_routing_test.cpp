#include "routing/super_routing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::BeatAt;
using routing_test::kStart;
using routing_test::kWindSpeed;
using routing_test::TWorld;

constexpr double kDeg = kDegreesToRadians;

TEST(SuperRoutingTest, WindOnTheWaterAddsTheStreamToTheWindOverGround) {
  struct Case {
    const char* name;
    TCartesian stream;
    double speed;
    double directionDeg;
  };
  const Case cases[] = {
      {"no stream", {0, 0}, 10, 0},
      {"stream flowing into the wind", {0, 1}, 11, 0},
      {"stream flowing with the wind", {0, -1}, 9, 0},
      {"stream flowing east", {1, 0}, std::sqrt(101.0), std::atan(0.1) / kDeg},
  };
  TSuperRouting routing;
  const TCartesian windFromNorth = routing.MathTools.PolarToCartesian(TPolar{10, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolar w = routing.GetWindOnWater(windFromNorth, c.stream);
    EXPECT_NEAR(w.Betrag, c.speed, 1e-12);
    EXPECT_NEAR(w.Winkel / kDeg, c.directionDeg, 1e-9);
  }
  EXPECT_NEAR(routing.GetWindOnWater(windFromNorth, {1, 0}).Winkel / kDeg, 5.71, 0.01);
}

TEST(SuperRoutingTest, AttackAngleGoesToTheSideOfTheCourseWind) {
  TSuperRouting routing;
  TGridPoint point;
  point.Wind = routing.MathTools.PolarToCartesian(TPolar{10, 90 * kDeg});
  routing.SetAttackAngle(point, kPi, 40 * kDeg);
  EXPECT_EQ(point.Bug, 1);
  EXPECT_NEAR(point.SailingRight / kDeg, 130, 1e-9);
  EXPECT_EQ(point.SailingLeft, 0);

  TGridPoint other;
  other.Wind = point.Wind;
  routing.SetAttackAngle(other, kPi + 0.01, -40 * kDeg);
  EXPECT_EQ(other.Bug, 2);
  EXPECT_NEAR(other.SailingLeft / kDeg, 50, 1e-9);
  EXPECT_EQ(other.SailingRight, 0);
}

TEST(SuperRoutingTest, SlowPointsTakeLongerTimeSteps) {
  struct Case {
    const char* name;
    double vmg, stb, bbb;
    double factor;
  };
  const Case cases[] = {
      {"fast", 0, 4, 3, 1},
      {"just above the limit", 0, 0.51, -1, 1},
      {"one directional value 0.3", 0, 0.3, -1, 3},
      {"both directional values negative", 0, -0.2, -1, 6},
      {"isochronic VMG counts too", 0.8, -1, -1, 1},
  };
  TSuperRouting routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGridPoint point;
    point.VMG = c.vmg;
    point.VMG_STB = c.stb;
    point.VMG_BBB = c.bbb;
    EXPECT_NEAR(routing.GetTimeToNextLine(&point, 0.1), 0.1 * c.factor, 1e-15);
  }
  EXPECT_EQ(routing.GetTimeToNextLine(nullptr, 0.1), 0.1);
}

TEST(SuperRoutingTest, WindShiftOfTheStreamStaysWithinHalfATurn) {
  struct Case {
    const char* name;
    double windDeg;
    double combinedDeg;
    double shift;
  };
  const Case cases[] = {
      {"across north, veering", 350, 10, 20},
      {"across north, backing", 10, 350, -20},
      {"no stream", 200, 200, 0},
  };
  TSuperRouting routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld world;
    world.Conditions = routing_test::SteadyWind(c.windDeg, 10);
    TLegContext leg = world.Context(routing_test::Leg(0, 2));
    const TCartesian wind = leg.TrueWindVector;
    const TCartesian combined = routing.MathTools.PolarToCartesian(TPolar{10, c.combinedDeg * kDeg});
    leg.Track.StreamOnTrack = TCartesian{combined.x - wind.x, combined.y - wind.y};
    routing.GetCurrentsWindShift(leg);
    EXPECT_NEAR(leg.Track.CurrentsWindShift, c.shift, 1e-9);
    EXPECT_NEAR(leg.Track.CurrentsWind / kDeg, c.combinedDeg, 1e-9);
  }
  TWorld world;
  TLegContext failed = world.Context(routing_test::Leg(0, 2));
  failed.Track.CurrentsWindShift = 7;
  failed.Track.StreamOnTrack = TCartesian{1, 0};
  failed.Fail(TRoutingFailure::Failed, "Routing failed");
  routing.GetCurrentsWindShift(failed);
  EXPECT_EQ(failed.Track.CurrentsWindShift, 7);
}

TEST(SuperRoutingTest, GridPointsAreAfloatWhereTheConditionsSaySo) {
  std::vector<TMinutes> asked;
  TWorld world;
  world.Conditions.Navigable = [&](const TMinutes& p) {
    asked.push_back(p);
    return p.Lon < -79;
  };
  const TLegContext leg = world.Context(routing_test::Leg(0, 2));
  TSuperRouting routing;
  TGridPoint point;
  point.Position = routing.MathTools.MinutesToBogen(kStart);
  routing.GetInWater(point, leg);
  EXPECT_TRUE(point.InWater);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NEAR(asked[0].Lon, kStart.Lon, 1e-9);
  EXPECT_NEAR(asked[0].Lat, kStart.Lat, 1e-9);
  point.Position = routing.MathTools.MinutesToBogen(TMinutes{-78, 3040});
  routing.GetInWater(point, leg);
  EXPECT_FALSE(point.InWater);

  // Without a chart every position is afloat.
  TWorld open;
  const TLegContext anywhere = open.Context(routing_test::Leg(0, 2));
  routing.GetInWater(point, anywhere);
  EXPECT_TRUE(point.InWater);
}

TEST(SuperRoutingTest, BoatAnglesComeFromThePolarOrTheCourse) {
  struct Case {
    const char* name;
    int type;
    double bearing;
    TCartesian stream;
    double overGroundDeg;  // GetAngleBoatWindOverGround: the true wind
    double onWaterDeg;     // GetAngleBoatWindOnWater: the wind on the water
  };
  const Case cases[] = {
      {"beat", kCourseBeat, 0, {0, 0}, 38.4, 38.4},
      // A stream flowing into the wind freshens it to 13 knots on the water.
      {"beat in a stream", kCourseBeat, 0, {0, 1}, 38.4, BeatAt(13).AngleDeg},
      {"run", kCourseRun, 180, {0, 0}, 158, 158},
      {"run in a stream", kCourseRun, 180, {0, -1}, 158, routing_test::RunAt(11).AngleDeg},
      // A reach keeps the angle between its track and the true wind.
      {"reach", kCourseReach, 100, {0, 0}, 100, 100},
      {"reach in a stream", kCourseReach, 100, {1, 1}, 100, 100},
      {"reach with the wind on the other side", kCourseReach, 260, {0, 0}, 100, 100},
      {"no type", 0, 100, {0, 0}, 0, 0},
  };
  TSuperRouting routing;
  TWorld world;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRoutingData track = routing_test::Leg(c.bearing, 2);
    track.TrackAngle = c.bearing;
    const TLegContext leg = world.Context(track);
    EXPECT_NEAR(routing.GetAngleBoatWindOverGround(c.type, leg), c.overGroundDeg, 1e-9);
    EXPECT_NEAR(routing.GetAngleBoatWindOnWater(c.type, leg.TrueWindVector, c.stream, leg) / kDeg,
                c.onWaterDeg, 1e-6);
  }
}

TEST(SuperRoutingTest, VelocityMadeGoodTakesTheStreamAlongTheCourse) {
  TSuperRouting routing;
  const TPolars polars = routing_test::TestPolars();
  const TCartesian wind = routing.MathTools.PolarToCartesian(TPolar{kWindSpeed, 0});
  const double beat = 38.4 * kDeg;
  struct Case {
    const char* name;
    TCartesian stream;
    double vmg;
  };
  const Case cases[] = {
      {"still water", {0, 0}, 6.9 * std::cos(beat)},
      // The boat feels the wind less the stream and loses its speed.
      {"foul stream", {0, -1}, BeatAt(11).Speed * std::cos(beat) - 1},
      {"fair stream", {0, 1}, BeatAt(13).Speed * std::cos(beat) + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double stb = 0;
    double bbb = 0;
    routing.GetVMGOverGround(kCourseBeat, wind, c.stream, beat, 0, polars, stb, bbb);
    EXPECT_NEAR(stb, c.vmg, 1e-9);
    EXPECT_NEAR(bbb, c.vmg, 1e-9);
  }
  // Across the stream only the heading counts: 90 degrees off the course
  // makes nothing good on either side.
  double stb = 0;
  double bbb = 0;
  routing.GetVMGOverGround(kCourseReach, wind, TCartesian{0, 0}, 90 * kDeg, 90, polars, stb, bbb);
  EXPECT_NEAR(std::max(stb, bbb), 7.8, 1e-9);
  EXPECT_NEAR(std::min(stb, bbb), -7.8, 1e-9);
}

TEST(SuperRoutingTest, BoatVectorOverGroundAddsTheStreamToTheBoatsWay) {
  TSuperRouting routing;
  const TPolars polars = routing_test::TestPolars();
  TGridPoint point;
  point.Wind = routing.MathTools.PolarToCartesian(TPolar{kWindSpeed, 0});
  point.Stream = TCartesian{0.5, 0};
  const TPolar windOnWater = routing.GetWindOnWater(point.Wind, point.Stream);
  const double angle = routing.GetPolarBeatAngle(windOnWater, polars);
  const TPolar v = routing.GetBoatVektorOverGround(kCourseBeat, polars, point, angle);
  const double speed = routing.PackagePolars.GetBeatSpeed(windOnWater, polars);
  const double heading = windOnWater.Winkel + angle;
  EXPECT_NEAR(v.Betrag * std::sin(v.Winkel), speed * std::sin(heading) + 0.5, 1e-9);
  EXPECT_NEAR(v.Betrag * std::cos(v.Winkel), speed * std::cos(heading), 1e-9);
}

TEST(SuperRoutingTest, FirstEstimatesSailThePolarInTheTrueWind) {
  struct Case {
    const char* name;
    int type;
    double bearing;
    double hours;
  };
  const Case cases[] = {
      {"beat into the wind", kCourseBeat, 0, 3 / BeatAt(12).MadeGood()},
      // A course 20 degrees off the wind takes up part of the beat angle.
      {"beat 20 degrees off the wind", kCourseBeat, 20, 3 / std::cos(18.4 * kDeg) / 6.9},
      {"reach across the wind", kCourseReach, 90, 3 / 7.8},
  };
  TSuperRouting routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld world;
    // Neither a GRIB wind nor the stream changes the first estimate.
    world.Conditions.Wind = routing_test::GribWind(4, 90);
    world.Conditions.Stream = routing_test::UniformStream(2, 0);
    TLegContext leg = world.Context(routing_test::Leg(c.bearing, 3));
    EXPECT_NEAR(routing.GetTimeToFinishNoCurrents(c.type, leg), c.hours, 1e-4);
    EXPECT_FALSE(leg.LowVMG);
  }
}

// The grid's hours per line: the track over the mean of the best VMG at the
// start, now, and at the finish, when the first estimate says the boat gets
// there; both with the stream of that moment and the true wind.
TEST(SuperRoutingTest, GridTimeStepReadsTheStreamAtTheStartAndAtTheEstimatedFinish) {
  const double estimate = 3 / BeatAt(12).MadeGood();  // 0.555 h
  ASSERT_NEAR(estimate, 0.555, 0.001);
  // 1 knot foul (toward 180) on a beat north, then fair once it turns.
  const double foul = BeatAt(11).MadeGood() - 1;
  const double fair = BeatAt(13).MadeGood() + 1;
  struct Case {
    const char* name;
    double flipHours;
    double startHours;
    double startVMG, finishVMG;
  };
  const Case cases[] = {
      {"foul throughout", 2, 0, foul, foul},
      {"turns while the boat sails", 0.3, 0, foul, fair},
      {"turned before the leg starts", 0.3, 0.4, fair, fair},
      {"turns later in the day, leg started late", 2, 1.7, foul, fair},
  };
  TSuperRouting routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld world;
    world.Conditions.Stream = routing_test::ReversingStream(1, 180, c.flipHours);
    world.Conditions.Wind = routing_test::GribWind(4, 90);
    TLegContext leg = world.Context(routing_test::Leg(0, 3), c.startHours);
    const double hours = 3 / ((c.startVMG + c.finishVMG) / 2);
    EXPECT_NEAR(routing.GetGridTimeDefault(kCourseBeat, 60, leg), hours / 60, 1e-9);
    EXPECT_FALSE(leg.LowVMG);
  }
}

TEST(SuperRoutingTest, LegsLongerThanTheLimitRaiseLowVMGEvenWithoutGridLines) {
  struct Case {
    const char* name;
    double distance;
    double limit;
    int lines;
    bool lowVMG;
  };
  const Case cases[] = {
      {"60 miles", 60, 5, 0, true},
      {"3 miles", 3, 5, 1, false},
      {"3 miles under a limit of half an hour", 3, 0.5, 1, true},
  };
  TSuperRouting routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld world;
    world.Options.MaxHoursToFinish = c.limit;
    TLegContext leg = world.Context(routing_test::Leg(0, c.distance));
    const double step = routing.GetGridTimeDefault(kCourseBeat, c.lines, leg);
    if (c.lines == 0) {
      EXPECT_EQ(step, 0);
    } else {
      EXPECT_GT(step, 0);
    }
    EXPECT_EQ(leg.LowVMG, c.lowVMG);
  }
}

// The finish lies across the wind, at 90 degrees, where the boat sails 7.8
// knots, from a point `offsetLon` minutes east of it.
double SailingTimeToFinish(double offsetLon, double windSpeed = kWindSpeed) {
  TWorld world;
  const TLegContext leg = world.Context(routing_test::Leg(0, 3));
  TSuperRouting routing;
  const TMinutes finish = leg.Track.TrackFinish;
  TGridPoint point;
  point.Position = routing.MathTools.MinutesToBogen(TMinutes{finish.Lon + offsetLon, finish.Lat});
  point.Wind = routing.MathTools.PolarToCartesian(TPolar{windSpeed, 0});
  return routing.GetSailingTimeToFinish(point, leg);
}

double ReachTime(double offsetLon) {
  const TMathTools math;
  const TMinutes finish = routing_test::Leg(0, 3).TrackFinish;
  return math.DistanceOfMinutes(TMinutes{finish.Lon + offsetLon, finish.Lat}, finish) / 7.8;
}

TEST(SuperRoutingTest, SailingTimeToTheFinishUsesTheReachSpeedOnTheBearing) {
  // The finish to the west, the wind from the boat's right.
  EXPECT_NEAR(SailingTimeToFinish(3), ReachTime(3), 1e-3 * ReachTime(3));
  // Beyond the table's strongest wind the boat has no speed, and so no time.
  EXPECT_EQ(SailingTimeToFinish(3, 60), 0);
}

// With the finish to the east and the wind from the north the angle to the
// wind is 90 degrees, not the 270 of the wind's direction less the bearing,
// which the table would extrapolate past its run row to 1.5 knots.
TEST(SuperRoutingTest, SailingTimeToTheFinishIsTheSameWithTheWindOnEitherSide) {
  EXPECT_NEAR(SailingTimeToFinish(-3), ReachTime(-3), 1e-3 * ReachTime(-3));
}

}  // namespace
}  // namespace corvane
