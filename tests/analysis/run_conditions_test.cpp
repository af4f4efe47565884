// The conditions of a routing run built from the state: the stream reads as
// the routing cube has always read it (the moment's charts, the day's range,
// the calibration, the leg's area), the wind comes from a GRIB field only
// where and when it covers a query, the simulator sails everywhere, and a
// day's atlas is unpacked once. (The water of the depth lines is checked
// with the pointer's water test, in the current field's tests.)

#include "analysis/run_conditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "nine_point_atlas.h"
#include "routing/routing_area.h"

namespace corvane {
namespace {

using namespace nine_point_atlas;

class RunConditionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUpWorld(state_, currents_.PackageTides);
    state_.DateTimeGMT = At(2016, 9, 1, 13, 46);
  }

  // What the routing cube itself reads at a position, hours after the
  // moment, within an area: the routing field of the moment, the cube's
  // routing index narrowed to the area, the moment shifted to whole minutes.
  TCartesian CubeReading(const TListMinutes& area, const TMinutes& position, double hours) {
    currents_.GetTidalCurrents(kCurrentsSourceRouting, state_);
    TListVektorCubeLight& cube = state_.CubeHiRes;
    cube.CloneRoutingArea(area);
    cube.GetIndexRoutingArea();
    const TDateTime shifted = IncMinute(state_.DateTimeGMT, -std::llround(state_.TideTimeShift));
    const TDateTime t = IncSecond(shifted, static_cast<std::int64_t>(std::trunc(hours * 3600)));
    return cube.GetTINVektor(true, cube.GetCubeIndex(position), position, t);
  }

  TInterfaceApplicationMobile state_;
  TPackageCurrents currents_;
  const TMathTools math_;
};

TEST_F(RunConditionsTest, TheStreamReadsAsTheRoutingCubeReadsIt) {
  // A northward track from grid point 0 to 1: its hexagon holds points 0, 1,
  // 3 and 4 and leaves the eastern column out.
  TRoutingData track;
  track.TrackStart = GridPoint(0);
  track.TrackFinish = GridPoint(1);
  track.TrackDistance = 1;
  const TListMinutes hexagon = GetRoutingHexagon(math_, track);
  const TListMinutes whole{{-82, 3043}, {-82, 3047}, {-78, 3047}, {-78, 3043}, {-82, 3043}};
  struct Case {
    const char* name;
    double shiftMinutes;
    double rangeShift;
    TMinutes position;
    double hours;
  };
  const std::vector<Case> cases = {
      {"on a grid point at the moment", 0, 0, GridPoint(1), 0},
      {"between points, later", 0, 0, TMinutes{-80.6, 3044.7}, 0.75},
      {"calibrated in time and speed", 40, 0.3, TMinutes{-80.3, 3045.2}, 1.2},
      {"a fraction of a second is dropped", -20, -0.2, TMinutes{-80.9, 3044.1}, 0.5 + 0.4 / 3600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.TideTimeShift = c.shiftMinutes;
    state_.TideRangeShift = c.rangeShift;
    const TRoutingConditions conditions = BuildRoutingConditions(state_, currents_);
    ASSERT_TRUE(conditions.Stream);
    for (const TListMinutes* area : {&hexagon, &whole}) {
      const TCartesian expected = CubeReading(*area, c.position, c.hours);
      const TCartesian read = conditions.StreamFor(*area)(c.position, c.hours);
      EXPECT_EQ(read.x, expected.x);
      EXPECT_EQ(read.y, expected.y);
    }
    const TCartesian everywhere = conditions.Stream(c.position, c.hours);
    const TCartesian expected = CubeReading(whole, c.position, c.hours);
    EXPECT_EQ(everywhere.x, expected.x);
    EXPECT_EQ(everywhere.y, expected.y);
  }
  // Outside the leg's area there is no stream, inside the atlas there is.
  const TRoutingConditions conditions = BuildRoutingConditions(state_, currents_);
  const TMinutes east = GridPoint(7);
  EXPECT_EQ(conditions.StreamFor(hexagon)(east, 0).x, 0);
  EXPECT_NE(conditions.Stream(east, 0).x, 0);
}

TEST_F(RunConditionsTest, NoStreamWhenHiddenOrWithoutTheTidesOfTheDays) {
  state_.HideCurrent = true;
  EXPECT_FALSE(BuildRoutingConditions(state_, currents_).Stream);
  state_.HideCurrent = false;
  // The built-in tide table begins in 2016: 1 January has no day before.
  state_.DateTimeGMT = At(2016, 1, 1, 12, 0);
  EXPECT_FALSE(BuildRoutingConditions(state_, currents_).Stream);
}

TEST_F(RunConditionsTest, ADaysAtlasIsUnpackedOnceForItsRangeAndCorrection) {
  const auto unpackedNow = [&] {
    TPackageTides& tides = currents_.PackageTides;
    const double range = tides.GetMeanTideRange(false, 0, state_.DateTimeGMT);
    return currents_.StreamAtlases.Get(state_.CubeHiRes, tides.MeanRangeNeaps, tides.MeanRangeSprings, range,
                                       state_.TideRangeShift);
  };
  BuildRoutingConditions(state_, currents_);
  const auto first = unpackedNow();
  BuildRoutingConditions(state_, currents_);
  EXPECT_EQ(unpackedNow(), first) << "the same day and correction: the same unpacked atlas";
  state_.TideRangeShift = 0.1;
  BuildRoutingConditions(state_, currents_);
  EXPECT_NE(unpackedNow(), first);
}

TEST_F(RunConditionsTest, TheWindIsTheGribFieldWhereAndWhenItCoversAQuery) {
  state_.Wind.TrueWind = TPolar{12, 0};
  EXPECT_FALSE(BuildRoutingConditions(state_, currents_).Wind) << "no GRIB wind: the true wind everywhere";

  // A GRIB wind of one cube over the lattice, two fields an hour apart
  // from the moment on, 20 knots from the east everywhere.
  TListVektorCubeLight& wind = state_.CubeWind;
  const int c = wind.AddCube();
  wind.AddFields(c, 2);
  wind.AddPositions(c, 9);
  for (int p = 0; p < 9; ++p) {
    wind.SetPosition(c, p, static_cast<float>(GridPoint(p).Lat), static_cast<float>(GridPoint(p).Lon));
  }
  for (int f = 0; f < 2; ++f) {
    wind.AddVektors(c, f, 9);
    for (int p = 0; p < 9; ++p) wind.SetVektorPolar(c, f, TPolar{20, kPi / 2}, p);
    wind.SetTimeField(f, IncMinute(state_.DateTimeGMT, 60 * f));
  }
  wind.SetDefaultRoutingArea(TRectF{-82, 3047, -78, 3043});
  state_.GRIBWindLoaded = true;
  const TRoutingConditions conditions = BuildRoutingConditions(state_, currents_);
  ASSERT_TRUE(conditions.Wind);
  const TPolar inside = math_.CartesianToPolar(conditions.Wind(TMinutes{-80.5, 3045.5}, 0.5));
  EXPECT_NEAR(inside.Betrag, 20, 1e-9);
  EXPECT_NEAR(inside.Winkel, kPi / 2, 1e-6);
  const TPolar later = math_.CartesianToPolar(conditions.Wind(TMinutes{-80.5, 3045.5}, 2));
  EXPECT_NEAR(later.Betrag, 12, 1e-9) << "past the last field: the true wind";
  EXPECT_NEAR(later.Winkel, 0, 1e-9);
  // The conditions keep their own copy: the state may move on.
  state_.CubeWind.ClrCubes();
  EXPECT_NEAR(math_.CartesianToPolar(conditions.Wind(TMinutes{-80.5, 3045.5}, 0.5)).Betrag, 20, 1e-9);
}

TEST_F(RunConditionsTest, TheSimulatorSailsEverywhere) {
  EXPECT_TRUE(BuildRoutingConditions(state_, currents_).Navigable);
  state_.AppType = kAppTypeSimulator;
  EXPECT_FALSE(BuildRoutingConditions(state_, currents_).Navigable);
}

}  // namespace
}  // namespace corvane
