// The current field of the chosen moment: the whole pipeline from a moment
// to the drawn and the routing field on the built-in tide table and a small
// atlas of nine points, the pointer query, and (when the built-in stream
// atlas exists) the field of the default moment.

#include "analysis/current_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/run_conditions.h"
#include "core/constants.h"
#include "core/date_time.h"
#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "nine_point_atlas.h"

namespace corvane {
namespace {

using namespace nine_point_atlas;

class CurrentFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUpWorld(state_, currents_.PackageTides);
    state_.DateTimeGMT = kOnChart;
  }

  const TVektorCubeLight& Drawn() const { return state_.CubeLoRes.ListVektorCube[0]; }

  // 1 September 2016 13:46 GMT is the +90 minute chart of the high water at
  // 12:16 GMT: atlas field 16.
  const TDateTime kOnChart = At(2016, 9, 1, 13, 46);
  static constexpr int kOnChartField = 16;

  TInterfaceApplicationMobile state_;
  TPackageCurrents currents_;
};

TEST_F(CurrentFieldTest, OnAChartTimeTheDrawnFieldIsThatChartForTheDaysRange) {
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  ASSERT_TRUE(state_.TidesValid);
  EXPECT_EQ(state_.HoursToRefTideText, "01:30 after HW at 13:16");
  EXPECT_NEAR(static_cast<double>(state_.HoursToRefTide), 1.5, 1e-9);
  ASSERT_EQ(state_.ListDayTides.size(), 3u);
  EXPECT_EQ(state_.ListDayTides[1].Day, "01.09.2016");
  EXPECT_EQ(Drawn().TimeIntp, kOnChart);

  // The day's range 3.65 m between the table's neap (2.07 m) and spring
  // (3.86 m) ranges: the speed lies on the line through the two.
  const double range = 3.65;
  for (int p = 0; p < 9; ++p) {
    SCOPED_TRACE("point " + std::to_string(p));
    const double s = Spring(p) / 100.0;
    const double n = (Spring(p) / 2) / 100.0;
    const double speed = s + (range - 3.86) * (n - s) / (2.07 - 3.86);
    EXPECT_NEAR(static_cast<double>(Drawn().VektorPIntp[p].Betrag), speed, 1e-5);
    if (p != kSlackPoint) {
      EXPECT_NEAR(static_cast<double>(Drawn().VektorPIntp[p].Winkel * kRadiansToDegrees),
                  Direction(kOnChartField, p), 1e-4);
    }
  }
  // Labels at grid points 0 and 8, slack only where there is no stream.
  EXPECT_NEAR(static_cast<double>(state_.CubeLoRes.ValuePText[0].Betrag),
              static_cast<double>(Drawn().VektorPIntp[0].Betrag), 1e-12);
  EXPECT_NEAR(static_cast<double>(state_.CubeLoRes.ValuePText[1].Betrag),
              static_cast<double>(Drawn().VektorPIntp[8].Betrag), 1e-12);
  EXPECT_TRUE(state_.CubeLoRes.SlackB[0]);
  EXPECT_FALSE(state_.CubeLoRes.SlackB[1]);
  // The tide bar of the moment: falling from 4.4 m toward 0.8 m.
  EXPECT_NEAR(static_cast<double>(state_.TideLevelMin), 0.7, 1e-15);
  EXPECT_NEAR(static_cast<double>(state_.TideLevelMax), 4.4, 1e-15);
  EXPECT_LT(state_.TideLevel, 0);
}

TEST_F(CurrentFieldTest, TheSpeedCorrectionScalesEverySpeedAndKeepsTheDirections) {
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  const TListPolar unscaled = Drawn().VektorPIntp;
  struct Case {
    const char* name;
    int indexRangeShift;
    double factor;
  };
  const std::vector<Case> cases = {
      {"-100 %", 0, 0.0}, {"-50 %", 10, 0.5}, {"none", 20, 1.0}, {"+100 %", 40, 2.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.IndexRangeShift = c.indexRangeShift;
    state_.TideRangeShift = (c.indexRangeShift * 5 - 100) / 100.0;
    currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
    for (int p = 0; p < 9; ++p) {
      EXPECT_NEAR(static_cast<double>(Drawn().VektorPIntp[p].Betrag),
                  static_cast<double>(unscaled[p].Betrag) * c.factor, 1e-5);
      if (c.factor > 0 && p != kSlackPoint) {
        EXPECT_NEAR(static_cast<double>(Drawn().VektorPIntp[p].Winkel),
                    static_cast<double>(unscaled[p].Winkel), 1e-6);
      }
    }
  }
}

TEST_F(CurrentFieldTest, TheTimeCorrectionShiftsTheFieldButNotTheTideTexts) {
  // +10 minutes at 12:00 draws the field of 11:50.
  state_.DateTimeGMT = At(2016, 9, 1, 11, 50);
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  const std::vector<TCartesian> at1150 = Drawn().VektorCIntp;
  EXPECT_EQ(state_.HoursToRefTideText, "00:26 before HW at 13:16");

  state_.DateTimeGMT = At(2016, 9, 1, 12, 0);
  state_.IndexTideShift = 16;
  state_.TideTimeShift = 10;
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_EQ(state_.HoursToRefTideText, "00:16 before HW at 13:16");
  EXPECT_EQ(Drawn().TimeIntp, At(2016, 9, 1, 11, 50));
  for (int p = 0; p < 9; ++p) {
    EXPECT_NEAR(static_cast<double>(Drawn().VektorCIntp[p].x), static_cast<double>(at1150[p].x), 1e-12);
    EXPECT_NEAR(static_cast<double>(Drawn().VektorCIntp[p].y), static_cast<double>(at1150[p].y), 1e-12);
  }
  // The pointer query reads the same shifted moment.
  const TPolar pointer = currents_.GetCurrents(state_, GridPoint(1));
  EXPECT_NEAR(static_cast<double>(pointer.Betrag), static_cast<double>(Drawn().VektorPIntp[1].Betrag),
              1e-9);
}

TEST_F(CurrentFieldTest, HiddenCurrentsAreZeroWhileTheTideTextsAreComputed) {
  state_.HideCurrent = true;
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_TRUE(state_.TidesValid);
  EXPECT_EQ(state_.HoursToRefTideText, "01:30 after HW at 13:16");
  for (const TPolar& v : Drawn().VektorPIntp) EXPECT_EQ(v.Betrag, 0);
  for (const TPolar& v : state_.CubeLoRes.ValuePText) EXPECT_EQ(v.Betrag, 0);
  EXPECT_EQ(currents_.GetCurrents(state_, GridPoint(0)).Betrag, 0);
}

TEST_F(CurrentFieldTest, AMomentWhoseNeighbourDaysAreMissingKeepsThePreviousField) {
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  const std::vector<TCartesian> before = Drawn().VektorCIntp;
  state_.DateTimeGMT = At(2016, 1, 1, 12, 0);
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_FALSE(state_.TidesValid);
  EXPECT_EQ(state_.HoursToRefTideText, "");
  EXPECT_EQ(Drawn().TimeIntp, kOnChart);
  EXPECT_EQ(Drawn().VektorCIntp[3].x, before[3].x);
}

TEST_F(CurrentFieldTest, TheRoutingSourceUpdatesOnlyTheRoutingCube) {
  state_.TideLevel = 99;
  currents_.GetTidalCurrents(kCurrentsSourceRouting, state_);
  EXPECT_TRUE(state_.TidesValid);
  EXPECT_EQ(state_.CubeHiRes.ListVektorCube[0].TimeIntp, kOnChart);
  EXPECT_EQ(Drawn().TimeIntp, 0) << "the drawn cube is left alone";
  EXPECT_EQ(state_.TideLevel, 99) << "the tide bar belongs to the drawn field";
  EXPECT_FALSE(state_.CubeLoRes.SlackB[0]);
  // The routing stream at a grid point at the moment's chart time.
  const TCartesian v = state_.CubeHiRes.GetTINVektor(true, 0, GridPoint(2), kOnChart);
  EXPECT_NEAR(static_cast<double>(currents_.MathTools.CartesianToRadiant(v) * kRadiansToDegrees),
              Direction(kOnChartField, 2), 1e-4);
}

TEST_F(CurrentFieldTest, TheSimulatorDoesNotRunTheTidalModel) {
  state_.AppType = kAppTypeSimulator;
  state_.HoursToRefTideText = "kept";
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_EQ(state_.HoursToRefTideText, "kept");
  EXPECT_TRUE(state_.ListDayTides.empty());
}

TEST_F(CurrentFieldTest, TheGRIBWindOfTheMomentRunsForTheDrawnFieldOnly) {
  int calls = 0;
  currents_.GRIBWindOfMoment = [&calls](TInterfaceApplicationMobile&) { ++calls; };
  currents_.GetTidalCurrents(kCurrentsSourceRouting, state_);
  EXPECT_EQ(calls, 0);
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_EQ(calls, 1);
}

TEST_F(CurrentFieldTest, ALoadedGRIBCurrentIsInterpolatedWhereItCoversTheMoment) {
  TListVektorCubeLight& grib = state_.CubeTideTech;
  const int c = grib.AddCube();
  grib.AddPositions(c, 1);
  for (int f = 0; f < 2; ++f) {
    grib.AddField(c);
    grib.AddVektors(c, f, 1);
    grib.SetVektorPolar(c, f, TPolar{1.0 + f, kPi / 2}, 0);
  }
  grib.SetTimeField(0, IncHour(kOnChart, -1));
  grib.SetTimeField(1, IncHour(kOnChart, 1));

  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_EQ(grib.ListVektorCube[0].TimeIntp, 0) << "not loaded";

  state_.GRIBCurrentLoaded = true;
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_EQ(grib.ListVektorCube[0].TimeIntp, kOnChart);
  EXPECT_NEAR(static_cast<double>(grib.ListVektorCube[0].VektorPIntp[0].Betrag), 1.5, 1e-6);

  state_.DateTimeGMT = IncHour(kOnChart, 3);
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  EXPECT_EQ(grib.ListVektorCube[0].TimeIntp, kOnChart) << "the moment is past the last field";
}

TEST_F(CurrentFieldTest, ThePointerQueryIsZeroAshoreAndOutsideEveryCube) {
  currents_.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  struct Case {
    const char* name;
    TMinutes position;
    bool zero;
  };
  const std::vector<Case> cases = {
      {"on a grid point afloat", GridPoint(1), false},
      {"between grid points afloat", TMinutes{-80.3, 3045.4}, false},
      {"on a grid point ashore", GridPoint(7), true},
      {"afloat outside the cube's polygon", TMinutes{-85, 3045}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolar v = currents_.GetCurrents(state_, c.position);
    if (c.zero) {
      EXPECT_EQ(v.Betrag, 0);
    } else {
      EXPECT_GT(v.Betrag, 0);
    }
  }
  const TPolar onPoint = currents_.GetCurrents(state_, GridPoint(1));
  EXPECT_NEAR(static_cast<double>(onPoint.Betrag), static_cast<double>(Drawn().VektorPIntp[1].Betrag),
              1e-9);
  EXPECT_NEAR(static_cast<double>(onPoint.Winkel * kRadiansToDegrees), Direction(kOnChartField, 1),
              1e-4);
}

// The pointer's water test and a routing run's water are one answer.
TEST_F(CurrentFieldTest, TheWaterTestFollowsTheChosenDepthLine) {
  state_.ListDrafts.push_back(Square(-82, 3043, -78, 3047));
  state_.ListInvDrafts.push_back(TListPolygon{Square(-80.5f, 3044.5f, -79.5f, 3045.5f)});
  TMapTiles ignored;
  ignored.Typ = 1;
  ignored.InWaterLines.push_back(Square(-79.5f, 3040, -70, 3050));
  state_.ListMapTiles.push_back(ignored);
  struct Case {
    const char* name;
    int depthLine;
    TMinutes position;
    bool afloat;
  };
  const std::vector<Case> cases = {
      {"coast line, water", 0, GridPoint(0), true},
      {"coast line, only a tile of type 1 holds it", 0, GridPoint(7), false},
      {"depth line, inside", 1, GridPoint(7), true},
      {"depth line, in a hole", 1, GridPoint(4), false},
      {"depth line, outside", 1, TMinutes{-85, 3045}, false},
      {"no such depth line", 2, GridPoint(0), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.IndexDepthLine = c.depthLine;
    EXPECT_EQ(currents_.GetInWater(c.position, state_), c.afloat);
    const TRoutingConditions conditions = BuildRoutingConditions(state_, currents_);
    ASSERT_TRUE(conditions.Navigable);
    EXPECT_EQ(conditions.Navigable(c.position), c.afloat) << "a run's water";
  }
}

// ----------------------------------------------- the built-in stream atlas

// Loads the tide table and the low-resolution atlas of a store as the
// program does, computes the drawn field of the default moment and checks it
// against the atlas's packed bytes.
void CheckTheDrawnFieldOfTheDefaultMoment(const TResourceStore& store) {
  TInterfaceApplicationMobile state;
  TPackageCurrents currents;
  TPackageResourceLoader loader(store, TFileTools(std::filesystem::temp_directory_path()));
  loader.LoadListTides(state, currents.PackageTides);
  loader.LoadListCurrentsPositionsLight("STREAMG", state.CubeLoRes, currents.PackageTides);
  loader.LoadListCurrentsVektorsLight("STREAMF", currents.PackageTides, state.CubeLoRes);
  loader.LoadListCurrentsAreasLight(state.CubeLoRes);
  loader.LoadListCurrentsTextLight(state.CubeLoRes);
  loader.LoadListSlacks(state);
  state.DateTimeGMT = At(2016, 9, 1, 14, 0);
  currents.GetTidalCurrents(kCurrentsSourceDrawn, state);
  ASSERT_TRUE(state.TidesValid);
  EXPECT_EQ(state.HoursToRefTideText, "01:44 after HW at 13:16");

  // 14:00 GMT lies 14 of 30 minutes past the +90 chart (13:46) of the high
  // water at 12:16 GMT: fields 16 and 17 of the atlas. The expected stream
  // is computed here from the data set's packed bytes: each chart's speed on
  // the line through its spring and neap speeds at the day's range 3.65 m,
  // the direction of the time-weighted vector and the time-weighted speed.
  std::optional<TResourceStream> bytes = store.Open("STREAMF");
  ASSERT_TRUE(bytes.has_value());
  const int points = loader.ReadInt32(*bytes);
  ASSERT_EQ(points, static_cast<int>(state.CubeLoRes.ListVektorCube[0].CoordM.size()));
  std::vector<std::int32_t> field16(static_cast<std::size_t>(points));
  std::vector<std::int32_t> field17(static_cast<std::size_t>(points));
  bytes->Seek(4 + 16 * 4 * static_cast<std::int64_t>(points));
  for (auto& v : field16) v = loader.ReadInt32(*bytes);
  for (auto& v : field17) v = loader.ReadInt32(*bytes);

  const double springs = 3.86f;
  const double neaps = 2.07f;
  const double range = 3.65f;
  const auto unpack = [&](std::int32_t packed) {
    const double n = (packed % 1000) / 100.0;
    const double s = ((packed / 1000) % 1000) / 100.0;
    const double speed = s + (range - springs) * (n - s) / (neaps - springs);
    const double direction = (packed / 1000000) * static_cast<double>(kDegreesToRadians);
    return std::pair<double, double>{speed, direction};
  };
  const double wAfter = 14.0 / 30;
  const double wBefore = 16.0 / 30;
  for (int p : {0, points / 3, points / 2, points - 1}) {
    SCOPED_TRACE("point " + std::to_string(p));
    const auto [sb, db] = unpack(field16[static_cast<std::size_t>(p)]);
    const auto [sa, da] = unpack(field17[static_cast<std::size_t>(p)]);
    const double x = wBefore * sb * std::sin(db) + wAfter * sa * std::sin(da);
    const double y = wBefore * sb * std::cos(db) + wAfter * sa * std::cos(da);
    const TPolar drawn = state.CubeLoRes.ListVektorCube[0].VektorPIntp[static_cast<std::size_t>(p)];
    EXPECT_NEAR(static_cast<double>(drawn.Betrag), wBefore * sb + wAfter * sa, 1e-4);
    if (std::hypot(x, y) > 1e-3) {
      EXPECT_NEAR(std::remainder(static_cast<double>(drawn.Winkel) - std::atan2(x, y), 2 * static_cast<double>(kPi)), 0,
                  1e-4);
    }
  }
}

TEST(BuiltInCurrentFieldTest, TheDrawnFieldOfTheDefaultMomentBlendsTheTwoChartsAroundIt) {
  const TResourceStore store = BuiltInResourceStore();
  if (!store.FindResource("STREAMG") || !store.FindResource("STREAMF")) {
    GTEST_SKIP() << "the built-in stream atlas (STREAMG, STREAMF) is not generated yet";
  }
  CheckTheDrawnFieldOfTheDefaultMoment(store);
}

TEST(BuiltInCurrentFieldTest, TheCheckOfTheDefaultMomentHoldsForAPackedAtlas) {
  // The same check on an atlas written by the packer beside the built-in
  // tide table: a lattice of 40 points, 26 fields and one polygon.
  TResourceStore store = BuiltInResourceStore();
  TDataSetPacker packer;
  packer.PackModelFrame(TRectF{-82, 3047, -78, 3043}, "Model The Quarne test");
  packer.PackCount(40);
  for (int p = 0; p < 40; ++p) packer.PackCoord(TMinutes{-81.5 + 0.4 * (p / 8), 3043.5 + 0.5 * (p % 8)});
  store.Add("STREAMG", packer.Bytes());
  packer.PackReset();
  packer.PackCount(40);
  for (int f = 0; f < kFields; ++f) {
    for (int p = 0; p < 40; ++p) packer.PackVektor((13 * f + 7 * p) % 360, 50 + 11 * p, (50 + 11 * p) / 2);
  }
  store.Add("STREAMF", packer.Bytes());
  packer.PackReset();
  packer.PackCount(4);
  for (const TMinutes& m : {TMinutes{-82, 3043}, TMinutes{-82, 3047}, TMinutes{-78, 3047}, TMinutes{-78, 3043}}) {
    packer.PackCoord(m);
  }
  store.Add("AREAS", packer.Bytes());
  CheckTheDrawnFieldOfTheDefaultMoment(store);
}

}  // namespace
}  // namespace corvane
