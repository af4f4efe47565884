#include "routing/super_routing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::Rectangle;

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
  TInterfaceApplicationMobile state;
  state.RoutingValid = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state.Wind.TrueWind = TPolar{10, c.windDeg * kDeg};
    const TCartesian wind = routing.MathTools.PolarToCartesian(state.Wind.TrueWind);
    const TCartesian combined = routing.MathTools.PolarToCartesian(TPolar{10, c.combinedDeg * kDeg});
    TRoutingData track;
    track.StreamOnTrack = TCartesian{combined.x - wind.x, combined.y - wind.y};
    routing.GetCurrentsWindShift(track, state);
    EXPECT_NEAR(track.CurrentsWindShift, c.shift, 1e-9);
    EXPECT_NEAR(track.CurrentsWind / kDeg, c.combinedDeg, 1e-9);
  }
  state.RoutingValid = false;
  TRoutingData untouched;
  untouched.CurrentsWindShift = 7;
  routing.GetCurrentsWindShift(untouched, state);
  EXPECT_EQ(untouched.CurrentsWindShift, 7);
}

TEST(SuperRoutingTest, WaterTestLooksAtTheRightTilesAndDepthLines) {
  TSuperRouting routing;
  TInterfaceApplicationMobile state;
  const TMinutes inside{-80, 3040};
  TGridPoint point;
  point.Position = routing.MathTools.MinutesToBogen(inside);

  TMapTiles tile;
  tile.InWaterLines.push_back(Rectangle(-81, -79, 3039, 3041));
  state.ListMapTiles.push_back(tile);
  // Not flagged for routing: afloat on the chart, dry for the grid.
  EXPECT_TRUE(routing.GetInWater(inside, state));
  routing.GetInWater(point, state);
  EXPECT_FALSE(point.InWater);
  state.ListMapTiles[0].Routing = true;
  routing.GetInWater(point, state);
  EXPECT_TRUE(point.InWater);
  EXPECT_FALSE(routing.GetInWater(TMinutes{-78, 3040}, state));
  // A tile of type 1 holds water layers the test ignores.
  state.ListMapTiles[0].Typ = 1;
  EXPECT_FALSE(routing.GetInWater(inside, state));
  routing.GetInWater(point, state);
  EXPECT_FALSE(point.InWater);
  // The simulator sails anywhere.
  state.AppType = 4;
  routing.GetInWater(point, state);
  EXPECT_TRUE(point.InWater);
  EXPECT_FALSE(routing.GetInWater(inside, state));
  state.AppType = 0;

  // Depth line 1: inside the deep area and outside its holes.
  state.IndexDepthLine = 1;
  state.ListDrafts.push_back(Rectangle(-82, -78, 3038, 3042));
  state.ListInvDrafts.push_back({Rectangle(-79.5, -78.5, 3039.5, 3040.5)});
  EXPECT_TRUE(routing.GetInWater(inside, state));
  EXPECT_FALSE(routing.GetInWater(TMinutes{-79, 3040}, state));
  EXPECT_FALSE(routing.GetInWater(TMinutes{-83, 3040}, state));
  state.IndexDepthLine = 2;  // no such depth line
  EXPECT_FALSE(routing.GetInWater(inside, state));
}

TEST(SuperRoutingTest, StreamIsReadInsideTheAtlasAtTheShiftedMoment) {
  TSuperRouting routing;
  TInterfaceApplicationMobile state;
  state.DateTimeGMT = EncodeDateTime(2016, 9, 1, 14, 0, 0, 0);
  state.CubeHiRes = routing_test::UniformStream(1.5, 90, state.DateTimeGMT);
  const TMinutes inside{-80, 3040};

  const TCartesian stream = routing.GetCurrentsLight(state, 0, inside);
  EXPECT_NEAR(stream.x, 1.5, 1e-6);
  EXPECT_NEAR(stream.y, 0, 1e-6);
  EXPECT_NEAR(routing.GetCurrentsLight(state, 2, routing.MathTools.MinutesToBogen(inside)).x, 1.5, 1e-6);
  // Outside every validity polygon, beyond the atlas's charts, or hidden.
  EXPECT_EQ(routing.GetCurrentsLight(state, 0, TMinutes{-100, 3040}).x, 0);
  EXPECT_EQ(routing.GetCurrentsLight(state, 10, inside).x, 0);
  state.TideTimeShift = 7 * 60;
  EXPECT_EQ(routing.GetCurrentsLight(state, 0, inside).x, 0);
  state.TideTimeShift = 0;
  state.HideCurrent = true;
  EXPECT_EQ(routing.GetCurrentsLight(state, 0, inside).x, 0);
  state.HideCurrent = false;

  // The pointer readout uses the drawn atlas and only afloat positions.
  state.CubeLoRes = routing_test::UniformStream(0.5, 180, state.DateTimeGMT);
  EXPECT_EQ(routing.GetCurrentsLight(state, inside).Betrag, 0);
  routing_test::SetOpenWater(state);
  const TPolar readout = routing.GetCurrentsLight(state, inside);
  EXPECT_NEAR(readout.Betrag, 0.5, 1e-6);
  EXPECT_NEAR(readout.Winkel, kPi, 1e-6);
  // A GRIB current moves routing onto the same atlas.
  state.GRIBCurrentLoaded = true;
  EXPECT_NEAR(routing.GetCurrentsLight(state, 0, inside).y, -0.5, 1e-6);
}

TEST(SuperRoutingTest, WindIsTheDefaultUnlessAGribWindCoversTheMoment) {
  TSuperRouting routing;
  TInterfaceApplicationMobile state;
  const TCartesian fallback{3, 4};
  const TBogen position = routing.MathTools.MinutesToBogen(TMinutes{-80, 3040});
  const TCartesian wind = routing.GetWind(state, 0, position, fallback);
  EXPECT_EQ(wind.x, 3);
  EXPECT_EQ(wind.y, 4);
}

// A GRIB wind of two fields an hour apart, from the chosen moment on, on a
// cross of five grid points 1' apart around (-80', 3040'): 10 knots toward
// north in the first field, 10 knots toward east in the second (vectors
// point where the wind comes from, as the GRIB reader stores them).
TListVektorCubeLight VeeringGribWind(TDateTime first) {
  TListVektorCubeLight list;
  const int cube = list.AddCube();
  const TMinutes points[] = {{-80, 3040}, {-81, 3040}, {-79, 3040}, {-80, 3039}, {-80, 3041}};
  for (const TMinutes& p : points) list.AddPosition(cube, p);
  list.ResetIndexRoutingArea();
  const TCartesian fields[] = {{0, 10}, {10, 0}};
  for (int field = 0; field < 2; ++field) {
    list.AddField(cube);
    list.SetTimeField(field, IncHour(first, field));
    list.AddVektors(cube, field, 5);
    for (int point = 0; point < 5; ++point) {
      list.SetVektorCartesianX(cube, field, fields[field].x, point);
      list.SetVektorCartesianY(cube, field, fields[field].y, point);
      list.SetVektorPolar(cube, field, point);
    }
  }
  list.CloneRoutingArea({{-82, 3038}, {-82, 3042}, {-78, 3042}, {-78, 3038}, {-82, 3038}});
  return list;
}

TEST(SuperRoutingTest, AGribWindIsReadAtThePositionAndTheMomentOfTheQuery) {
  struct Case {
    const char* name;
    bool loaded;
    int minutesBeforeFirstField;  // the chosen moment against the first field
    double elapsed;                  // hours
    TMinutes position;
    TCartesian expected;
  };
  const TCartesian fallback{3, 4};
  const double half = 10 / std::sqrt(2.0);
  const Case cases[] = {
      {"a GRIB wind not loaded", false, 0, 0, {-80, 3040}, fallback},
      {"the first field", true, 0, 0, {-80, 3040}, {0, 10}},
      {"an hour on: the second field", true, 0, 1, {-80, 3040}, {10, 0}},
      {"half an hour on: turned, not weakened", true, 0, 0.5, {-80, 3040}, {half, half}},
      {"elapsed time is the moment plus the time sailed", true, 30, 0.5, {-80, 3040}, {0, 10}},
      {"after the last field", true, 0, 1.5, {-80, 3040}, fallback},
      {"before the first field", true, 1, 0, {-80, 3040}, fallback},
      // Inside the file's times the file answers everywhere: outside its
      // grid there is no wind in it.
      {"outside the grid", true, 0, 0, {-70, 3040}, {0, 0}},
  };
  TSuperRouting routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInterfaceApplicationMobile state;
    const TDateTime first = EncodeDateTime(2016, 6, 12, 6, 0, 0, 0);
    state.DateTimeGMT = IncMinute(first, -c.minutesBeforeFirstField);
    state.CubeWind = VeeringGribWind(first);
    state.GRIBWindLoaded = c.loaded;
    const TCartesian wind =
        routing.GetWind(state, c.elapsed, routing.MathTools.MinutesToBogen(c.position), fallback);
    EXPECT_NEAR(wind.x, c.expected.x, 1e-5);
    EXPECT_NEAR(wind.y, c.expected.y, 1e-5);
  }

  // A file of a single field serves no moment.
  TInterfaceApplicationMobile state;
  state.DateTimeGMT = EncodeDateTime(2016, 6, 12, 6, 0, 0, 0);
  state.CubeWind = VeeringGribWind(state.DateTimeGMT);
  state.CubeWind.TimeField.resize(1);
  state.GRIBWindLoaded = true;
  const TCartesian wind =
      routing.GetWind(state, 0, routing.MathTools.MinutesToBogen(TMinutes{-80, 3040}), fallback);
  EXPECT_EQ(wind.x, 3);
  EXPECT_EQ(wind.y, 4);
}

class SuperRoutingPolarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(routing_test::StartBuiltIn(state_));
    routing_test::SetOpenWater(state_);
    state_.HideCurrent = true;
    state_.Wind.TrueWind = TPolar{12, 0};
    routing_.PackagePolars.GetPolarData(state_);
    track_.TrackStart = TMinutes{-80, 3040};
    track_.TrackFinish = TMinutes{-80, 3043};
    track_.TrackAngle = 0;
    track_.TrackDistance = 3;
  }

  TInterfaceApplicationMobile state_;
  TSuperRouting routing_;
  TRoutingData track_;
};

TEST_F(SuperRoutingPolarTest, EstimatesOfABeatFollowTheBeatVMG) {
  const TPolars& polars = state_.Polars;
  const double vmg = polars.BeatSpeed * std::cos(polars.BeatAngle * kDeg);
  EXPECT_NEAR(routing_.GetTimeToFinishNoCurrents(kCourseBeat, track_, state_), 3 / vmg, 1e-9);
  EXPECT_FALSE(state_.LowVMG);
  EXPECT_NEAR(routing_.GetGridTimeDefault(kCourseBeat, 60, track_, state_), 3 / vmg / 60, 1e-9);

  double stb = 0;
  double bbb = 0;
  const TCartesian wind = routing_.MathTools.PolarToCartesian(state_.Wind.TrueWind);
  routing_.GetVMGOverGround(kCourseBeat, wind, TCartesian{}, polars.BeatAngle * kDeg, 0, polars,
                            stb, bbb);
  EXPECT_NEAR(stb, vmg, 1e-9);
  EXPECT_NEAR(bbb, vmg, 1e-9);
  // A stream against the course takes its speed off both, and the boat
  // feels the wind less the stream.
  routing_.GetVMGOverGround(kCourseBeat, wind, TCartesian{0, -1}, polars.BeatAngle * kDeg, 0,
                            polars, stb, bbb);
  const double vmgStream = routing_.PackagePolars.GetBeatSpeed(TPolar{11, 0}, polars) *
                            std::cos(polars.BeatAngle * kDeg) -
                        1;
  EXPECT_NEAR(stb, vmgStream, 1e-9);
  EXPECT_NEAR(bbb, vmgStream, 1e-9);
}

TEST_F(SuperRoutingPolarTest, BoatVectorOverGroundAddsTheStreamToTheBoatsWay) {
  const TPolars& polars = state_.Polars;
  TGridPoint point;
  point.Wind = routing_.MathTools.PolarToCartesian(state_.Wind.TrueWind);
  point.Stream = TCartesian{0.5, 0};
  const TPolar windOnWater = routing_.GetWindOnWater(point.Wind, point.Stream);
  const double angle = routing_.GetPolarBeatAngle(windOnWater, polars);
  const TPolar v = routing_.GetBoatVektorOverGround(kCourseBeat, polars, point, angle);
  const double speed = routing_.PackagePolars.GetBeatSpeed(windOnWater, polars);
  const double heading = windOnWater.Winkel + angle;
  EXPECT_NEAR(v.Betrag * std::sin(v.Winkel), speed * std::sin(heading) + 0.5, 1e-9);
  EXPECT_NEAR(v.Betrag * std::cos(v.Winkel), speed * std::cos(heading), 1e-9);
}

TEST_F(SuperRoutingPolarTest, LongLegsRaiseLowVMGEvenWithoutGridLines) {
  track_.TrackDistance = 60;
  EXPECT_EQ(routing_.GetGridTimeDefault(kCourseBeat, 0, track_, state_), 0);
  EXPECT_TRUE(state_.LowVMG);
  track_.TrackDistance = 3;
  EXPECT_GT(routing_.GetGridTimeDefault(kCourseBeat, 1, track_, state_), 0);
  EXPECT_FALSE(state_.LowVMG);
}

TEST_F(SuperRoutingPolarTest, SailingTimeToTheFinishUsesTheReachSpeedOnTheBearing) {
  TGridPoint point;
  point.Position = routing_.MathTools.MinutesToBogen(TMinutes{-83, 3043});
  point.Wind = routing_.MathTools.PolarToCartesian(state_.Wind.TrueWind);
  const double bearing = routing_.MathTools.AngleOfBogen(
      point.Position, routing_.MathTools.MinutesToBogen(track_.TrackFinish));
  const double speed = routing_.PackagePolars.GetReachSpeed(state_.Wind.TrueWind,
                                                        routing_.MathTools.AddRad(0, -bearing),
                                                        state_.Polars);
  ASSERT_GT(speed, 0);
  const double distance = routing_.MathTools.DistanceOfMinutes(TMinutes{-83, 3043}, track_.TrackFinish);
  EXPECT_NEAR(routing_.GetSailingTimeToFinish(point, track_, state_), distance / speed, 1e-12);
}

}  // namespace
}  // namespace corvane
