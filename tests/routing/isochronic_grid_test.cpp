#include "routing/isochronic_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::Rectangle;

constexpr double kDeg = kDegreesToRadians;
const TMinutes kStart{-80, 3040};

class IsochronicGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(routing_test::StartBuiltIn(state_));
    routing_test::SetOpenWater(state_);
    state_.HideCurrent = true;
    state_.Wind.TrueWind = TPolar{12, 0};
    state_.RoutingValid = true;
    routing_.PackagePolars.GetPolarData(state_);
  }

  TRoutingData& Track(double bearing, double distance) {
    list_.Clear();
    TRoutingData& track = routing_test::AddTrack(list_, kStart, bearing, distance);
    list_.SetRoutingDataByMarks();
    track.DateTimeStartGMT = state_.DateTimeGMT;
    track.DateTimeStartLOC = state_.DateTimeLOC;
    return track;
  }

  // The steps of a reach leg, silent, as the leg routing runs them.
  void Route(TRoutingData& track) {
    routing_.GetStripesReach(track.TrackStart, track.TrackFinish, 41, track.ListLaylineLeft,
                             track.ListLaylineRight, state_.CubeHiRes, track);
    routing_.GetGridTimeDefaultReach(track, state_);
    ASSERT_FALSE(state_.LowVMG);
    routing_.GetIsochronicGrid(true, track, state_);
    routing_.GetRoutingBestLine(track, state_);
  }

  // The signed angles of a fan from a predecessor at the start.
  std::vector<double> Fan(double beta, double gamma, double a0, double a1, double side) {
    TRoutingData& track = Track(90, 3);
    TGridPoint before;
    before.Position = routing_.MathTools.MinutesToBogen(kStart);
    before.Wind = routing_.MathTools.PolarToCartesian(state_.Wind.TrueWind);
    routing_.Grid.Clear();
    routing_.Grid.AddLine(1);
    routing_.Grid.AddLine();
    routing_.AddFan(2, before, 1, beta * kDeg, gamma * kDeg, a0 * kDeg, a1 * kDeg, 0.1f, 0.1f,
                    side, track, state_);
    std::vector<double> angles;
    for (int k = 1; k <= routing_.Grid.GetLine(2)->Count(); ++k) {
      const TGridPoint& point = *routing_.Grid.GetPoint(2, k);
      EXPECT_EQ(point.IndexBefore, 1);
      angles.push_back(std::round(point.PolarAngle / kDeg * 1000) / 1000);
    }
    return angles;
  }

  TInterfaceApplicationMobile state_;
  TListRoutingData list_;
  TIsochronicGrid routing_;
};

TEST_F(IsochronicGridTest, ShortTracksGetTheCorridorOfHalfAMile) {
  TRoutingData& track = Track(90, 0.3);
  TListCoords starts;
  TListCoords finishes;
  routing_.GetStripesReach(track.TrackStart, track.TrackFinish, 41, starts, finishes,
                           state_.CubeHiRes, track);
  EXPECT_NEAR(routing_.WidthStripes, 0.5 / 82, 1e-15);
  ASSERT_EQ(starts.Count(), 42);
  ASSERT_EQ(finishes.Count(), 42);
  EXPECT_EQ(routing_.ListStripes.Count(), 42);
  const TMathTools& math = routing_.MathTools;
  EXPECT_NEAR(math.DistanceOfMinutes(kStart, starts.Items[0].CoordM), 0.125, 1e-9);
  EXPECT_NEAR(math.DistanceOfMinutes(starts.Items[0].CoordM, starts.Items[41].CoordM), 0.25, 1e-6);
  EXPECT_NEAR(math.DistanceOfMinutes(starts.Items[0].CoordM, finishes.Items[0].CoordM), 0.3 + 0.1, 1e-4);
  EXPECT_EQ(state_.CubeHiRes.ListRoutingArea.size(), 5u);
  // The corridor holds the track; a stripe holds its own slice only.
  EXPECT_TRUE(routing_.ListStripes.Items[0].ListCoords.GetInPolygon(track.TrackFinish, false));
  EXPECT_TRUE(routing_.ListStripes.Items[21].ListCoords.GetInPolygon(TMinutes{kStart.Lon + 0.01, kStart.Lat - 0.001}, false));
  EXPECT_FALSE(routing_.ListStripes.Items[1].ListCoords.GetInPolygon(track.TrackFinish, false));
}

TEST_F(IsochronicGridTest, FansStepFiveDegreesWithinTheBeatAndGybeAngles) {
  struct Case {
    const char* name;
    double a0, a1, side;
    std::vector<double> angles;
  };
  std::vector<double> first;
  for (int a = 40; a <= 150; a += 5) first.push_back(-a);
  const Case cases[] = {
      {"first isochrone", 40, 150, kPi / 2, first},
      {"later point at 60 degrees", 55, 65, kPi / 2, {-55, -60, -65}},
      {"predecessor at the beat angle", 40, 45, kPi / 2, {-40, -45}},
      {"wind on the other side", 55, 65, 3 * kPi / 2, {55, 60, 65}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Fan(40, 150, c.a0, c.a1, c.side), c.angles);
  }
}

TEST_F(IsochronicGridTest, AReachInOpenWaterSailsStraightAtThePolarSpeed) {
  const double distance = 3;
  TRoutingData& track = Track(90, distance);
  Route(track);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  const double speed = routing_.PackagePolars.GetReachSpeed(state_.Wind.TrueWind, kPi / 2, state_.Polars);
  // The leg's duration is the arrival's own time plus the straight run on
  // to the finish, and that is the polar's time.
  const TGridPoint& arrival = *routing_.Grid.GetPoint(routing_.Grid.BestLine, routing_.Grid.BestIndex);
  ASSERT_LE(arrival.DistanceToStart, distance);
  const double onward = routing_.GetSailingTimeToFinish(arrival, track, state_);
  EXPECT_NEAR(track.TimeBestCourse, arrival.TimeFromLeft + onward, 1e-6);
  EXPECT_NEAR(track.TimeBestCourse, distance / speed, 0.03 * distance / speed);
  ASSERT_GE(track.ListBoat.Count(), 3);
  // No tacks; every boat but the start's on the side the wind blows from.
  for (int i = 0; i + 1 < track.ListBoat.Count(); ++i) {
    EXPECT_FALSE(track.ListBoat.Items[static_cast<std::size_t>(i)].Tack);
    EXPECT_EQ(track.ListBoat.Items[static_cast<std::size_t>(i)].Bug, 2);
  }
  EXPECT_EQ(track.ListBoat.Items.back().Bug, 0);
  EXPECT_EQ(track.ListBoat.Items.back().Time, 0);
  EXPECT_NEAR(track.TrackVMG, speed, 0.05 * speed);
  // The best course stays near the straight line.
  for (const TCoords& coords : track.ListBestCourse.Items) {
    EXPECT_NEAR(coords.CoordM.Lat, kStart.Lat, 0.15);
  }
}

TEST_F(IsochronicGridTest, AFirstIsochroneOnLandFailsTheRouting) {
  TMapTiles& tile = state_.ListMapTiles[0];
  tile.InWaterLines.clear();
  tile.InWaterLines.push_back(Rectangle(-80.01, -79.99, 3039.99, 3040.01));
  TRoutingData& track = Track(90, 3);
  Route(track);
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_EQ(state_.AppMessage, "Routing failed");
  EXPECT_EQ(routing_.Grid.Count(), 36);
}

// A hand-made grid of four lines: S; A, B; C, D; E, where E overshoots
// the finish.
class IsochronicBestCourseTest : public IsochronicGridTest {
 protected:
  void Build(int indexBeforeC) {
    TGrid& grid = routing_.Grid;
    grid.Clear();
    grid.AddLine(1);
    grid.AddLine(2);
    grid.AddLine(2);
    grid.AddLine(1);
    const auto place = [&](int line, int k, double lon, int before, double vmg, double time, double fromStart) {
      TGridPoint& point = *grid.GetPoint(line, k);
      point.Position = routing_.MathTools.MinutesToBogen(TMinutes{lon, kStart.Lat});
      point.Wind = routing_.MathTools.PolarToCartesian(state_.Wind.TrueWind);
      point.Stream = TCartesian{0.1 * line, 0};
      point.IndexBefore = before;
      point.VMG = vmg;
      point.TimeFromLeft = time;
      point.DistanceToStart = fromStart;
      point.Bug = line > 1 ? 2 : 0;
      point.SailingLeft = 80 * kDegreesToRadians;
      point.SailingVektor = TPolar{0.5, 90 * kDegreesToRadians};
    };
    place(1, 1, -80, 0, 0, 0, 0);
    place(2, 1, -79.5, 1, 4, 0.1, 0.5);
    place(2, 2, -79.5, 1, 1, 0.1, 0.5);
    place(3, 1, -78.5, indexBeforeC, 6, 0.2, 1.5);
    place(3, 2, -78.5, 2, 6, 0.2, 1.5);
    place(4, 1, -77.8, 1, 6, 0.3, 2.2);
    grid.GetLine(3)->BestIndex = 1;
    grid.BestLine = 4;
    grid.BestIndex = 1;
  }
};

TEST_F(IsochronicBestCourseTest, AnArrivalPastTheFinishFallsBackToTheLineBefore) {
  TRoutingData& track = Track(90, 2);
  Build(1);
  state_.RoutingValid = true;
  track.TimeBestCourse = 0.3;
  routing_.GetRoutingBestLine(track, state_);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  // Finish, C, A, S.
  ASSERT_EQ(track.ListBestCourse.Count(), 4);
  EXPECT_NEAR(track.ListBestCourse.Items[1].CoordM.Lon, -78.5, 1e-9);
  EXPECT_NEAR(track.ListBestCourse.Items[2].CoordM.Lon, -79.5, 1e-9);
  const TGridPoint& c = *routing_.Grid.GetPoint(3, 1);
  // The leg ends with C's own time and the run on from C, not the last
  // line's time.
  EXPECT_NEAR(track.TimeBestCourse, 0.2 + routing_.GetSailingTimeToFinish(c, track, state_), 1e-6);
  // Only A lies strictly between the arrival and the start.
  EXPECT_EQ(track.TrackVMG, 4);
  EXPECT_EQ(track.TrackMinVMG, 4);
  EXPECT_NEAR(track.StreamOnTrack.x, 0.2, 1e-15);
  ASSERT_EQ(track.ListBoat.Count(), 3);
  EXPECT_EQ(track.ListBoat.Items[0].Time, 0.2);
  EXPECT_EQ(track.ListBoat.Items[0].Bug, 2);
  EXPECT_NEAR(track.ListBoat.Items[0].Attack, 10, 1e-9);
  EXPECT_FALSE(track.ListBoat.Items[0].Tack);
  EXPECT_EQ(track.ListBoat.Items[2].Bug, 0);
  EXPECT_NEAR(track.ListBoat.Items[2].Angle, track.TrackAngle * kDegreesToRadians, 1e-15);
  EXPECT_EQ(state_.AppMessage, "");
}

TEST_F(IsochronicBestCourseTest, ABrokenPredecessorChainFailsTheRouting) {
  TRoutingData& track = Track(90, 2);
  Build(7);
  state_.RoutingValid = true;
  routing_.GetRoutingBestLine(track, state_);
  EXPECT_FALSE(state_.RoutingValid);
  // The walk ends at C; with nothing counted behind it the mean VMG is 0,
  // whose message is the last one set.
  EXPECT_EQ(track.ListBestCourse.Count(), 2);
  EXPECT_EQ(track.TrackVMG, 0);
  EXPECT_EQ(state_.AppMessage, "Low VMG!");
}

}  // namespace
}  // namespace corvane
