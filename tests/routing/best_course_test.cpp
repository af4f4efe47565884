// The best course, laylines and top-mark approach read out of small grids
// built by hand, so that every segment time and every tack is known.

#include <gtest/gtest.h>

#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"
#include "routing/dynamic_grid.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

constexpr double kTackSeconds = 10;
constexpr double kTack = kTackSeconds / 3600;
const TMinutes kFinish{-80, 3040.25};

// Three lines: the start; the two edge points one segment away; three
// points of which the middle one is reached from both edge points.
//
//   line 3:  P31   P32   P33
//   line 2:     P21   P22
//   line 1:        P11
class BestCourseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_.RoutingValid = true;
    state_.Polars.BeatTackTime = kTackSeconds;
    state_.DateTimeGMT = EncodeDateTime(2016, 9, 1, 14, 0, 0, 0);
    track_.TrackStart = TMinutes{-80, 3040};
    track_.TrackFinish = kFinish;
    track_.TrackAngle = 0;
    track_.TypeOfCourse = kCourseBeat;
    track_.DateTimeStartGMT = state_.DateTimeGMT;
    track_.DateTimeStartLOC = state_.DateTimeGMT + 1.0 / 24;

    TGrid& grid = routing_.Grid;
    grid.AddLine(1);
    grid.AddLine(2);
    grid.AddLine(3);
    Place(1, 1, -80, 3040);
    Place(2, 1, -80.1, 3040.1);
    Place(2, 2, -79.9, 3040.1);
    Place(3, 1, -80.2, 3040.2);
    Place(3, 2, -80, 3040.2);
    Place(3, 3, -79.8, 3040.2);
    // The edges: sailing to the left (from the right predecessor) down the
    // left edge, to the right up the right edge, 0.1 h a segment.
    FromRight(2, 1, 0.1, 0.1, false);
    FromLeft(2, 2, 0.1, 0.1, false);
    FromRight(3, 1, 0.2, 0.1, false);
    FromLeft(3, 3, 0.2, 0.1, false);
    // The middle point: a tack at either edge point of line 2.
    FromLeft(3, 2, 0.1 + 0.15 + kTack, 0.15, true);
    FromRight(3, 2, 0.1 + 0.16 + kTack, 0.16, true);
    for (int line = 1; line <= 3; ++line) {
      for (int k = 1; k <= line; ++k) {
        grid.GetPoint(line, k)->VMG_STB = 4;
        grid.GetPoint(line, k)->VMG_BBB = 4;
      }
    }
  }

  void Place(int line, int k, double lon, double lat) {
    TGridPoint& point = *routing_.Grid.GetPoint(line, k);
    point.Position = routing_.MathTools.MinutesToBogen(TMinutes{lon, lat});
    point.InWater = true;
    point.Stream = TCartesian{0.2 * line, 0};
  }
  void FromLeft(int line, int k, double time, double segment, bool tack) {
    TGridPoint& point = *routing_.Grid.GetPoint(line, k);
    point.BeforeLeftExists = true;
    point.TimeFromLeft = time;
    point.TimeFromBeforeLeft = segment;
    point.FromLeftWithTack = tack;
    point.SailingLeft = 45 * kDegreesToRadians;
    point.SailingVektorLeft = TPolar{0.1, 50 * kDegreesToRadians};
  }
  void FromRight(int line, int k, double time, double segment, bool tack) {
    TGridPoint& point = *routing_.Grid.GetPoint(line, k);
    point.BeforeRightExists = true;
    point.TimeFromRight = time;
    point.TimeFromBeforeRight = segment;
    point.FromRightWithTack = tack;
    point.SailingRight = 315 * kDegreesToRadians;
    point.SailingVektorRight = TPolar{0.1, 305 * kDegreesToRadians};
  }
  // The arrival and its two side times, as the grid construction leaves them.
  void Arrive(int line, int k) {
    TGrid& grid = routing_.Grid;
    grid.BestLine = line;
    grid.BestIndex = k;
    const TGridPoint& arrival = *grid.GetPoint(line, k);
    grid.TimeLeft = arrival.TimeFromLeft != 0 ? arrival.TimeFromLeft : 2 * arrival.TimeFromRight;
    grid.TimeRight = arrival.TimeFromRight != 0 ? arrival.TimeFromRight : 2 * arrival.TimeFromLeft;
  }
  void Results() {
    routing_.GetRoutingBestLine(true, track_.TypeOfCourse, track_, state_);
    routing_.GetRoutingLaylineLeft(true, track_, state_);
    routing_.GetRoutingLaylineRight(true, track_, state_);
    routing_.GetTopMarkApproach(track_, state_);
  }

  TInterfaceApplicationMobile state_;
  TDynamicGrid routing_;
  TRoutingData track_;
};

TEST_F(BestCourseTest, ACourseThatNeverChangesSideHasNoTack) {
  Arrive(3, 1);
  track_.FinalTack = TMinutes{1, 2};
  track_.FinalCourse = 33;
  Results();
  ASSERT_TRUE(state_.RoutingValid);
  EXPECT_NEAR(track_.TimeBestCourse, 0.2, 1e-15);
  ASSERT_EQ(track_.ListBestCourse.Count(), 4);
  EXPECT_EQ(track_.ListBestCourse.Items[0].CoordM.Lat, kFinish.Lat);
  ASSERT_EQ(track_.ListBoat.Count(), 3);
  for (const TBoat& boat : track_.ListBoat.Items) EXPECT_FALSE(boat.Tack);
  // From the start: 0, then the walk's totals in the order they were summed.
  EXPECT_EQ(track_.ListBoat.Items[2].Time, 0);
  EXPECT_NEAR(track_.ListBoat.Items[1].Time, 0.1, 1e-15);
  EXPECT_NEAR(track_.ListBoat.Items[0].Time, 0.2, 1e-15);
  // The start boat heads along the track; the others carry their heading,
  // side and the angle the stream sets them off it.
  EXPECT_EQ(track_.ListBoat.Items[2].Angle, 0);
  EXPECT_EQ(track_.ListBoat.Items[0].Bug, 1);
  EXPECT_NEAR(track_.ListBoat.Items[0].Attack, 10, 1e-9);
  EXPECT_EQ(track_.FinalTack.Lon, 1);
  EXPECT_EQ(track_.FinalCourse, 33);
  EXPECT_NEAR(track_.TrackVMG, 4, 1e-15);
  EXPECT_EQ(track_.TrackMinVMG, 4);
  // Mean of the streams of the three points walked.
  EXPECT_NEAR(track_.StreamOnTrack.x, (0.6 + 0.4 + 0.2) / 3, 1e-15);
  EXPECT_EQ(track_.DateTimeFinishGMT, IncSecond(track_.DateTimeStartGMT, 720));
}

TEST_F(BestCourseTest, ACourseThatChangesSideOnceCountsOneTack) {
  Arrive(3, 2);
  Results();
  ASSERT_TRUE(state_.RoutingValid);
  EXPECT_NEAR(track_.TimeBestCourse, 0.25 + kTack, 1e-15);
  ASSERT_EQ(track_.ListBoat.Count(), 3);
  EXPECT_FALSE(track_.ListBoat.Items[0].Tack);
  EXPECT_TRUE(track_.ListBoat.Items[1].Tack);
  EXPECT_FALSE(track_.ListBoat.Items[2].Tack);
  EXPECT_EQ(track_.ListBoat.Items[0].Bug, 2);  // arrived from the left predecessor
  // The last tack before the windward mark is the turning boat.
  const TMinutes tack = track_.ListBoat.Items[1].CoordM;
  EXPECT_NEAR(tack.Lon, -80.1, 1e-9);
  EXPECT_EQ(track_.FinalTack.Lon, tack.Lon);
  EXPECT_NEAR(track_.FinalCourse, routing_.MathTools.AngleOfMinutes(tack, kFinish), 1e-12);
  // The left layline is the best course itself; the right one sails 0.01 h
  // more.
  EXPECT_EQ(track_.TimeLaylineLeft, 0);
  EXPECT_NEAR(track_.TimeLaylineRight, 0.01, 1e-12);
  EXPECT_EQ(track_.ListLaylineLeft.Count(), 3);
  EXPECT_EQ(track_.ListLaylineRight.Count(), 3);
  EXPECT_NEAR(track_.ListLaylineRight.Items[1].CoordM.Lon, -79.9, 1e-9);
}

TEST_F(BestCourseTest, EqualSideTimesStartTheWalkTowardsTheRightPredecessor) {
  routing_.Grid.GetPoint(3, 2)->TimeFromRight = routing_.Grid.GetPoint(3, 2)->TimeFromLeft;
  Arrive(3, 2);
  Results();
  ASSERT_EQ(track_.ListBoat.Count(), 3);
  EXPECT_EQ(track_.ListBoat.Items[0].Bug, 1);
  EXPECT_NEAR(track_.ListBoat.Items[1].CoordM.Lon, -79.9, 1e-9);
  EXPECT_NEAR(track_.TimeBestCourse, 0.26 + kTack, 1e-15);
}

TEST_F(BestCourseTest, SmallLaylineLossesCountAsNone) {
  struct Case {
    const char* name;
    double extraSeconds;
    double loss;
  };
  const Case cases[] = {
      {"3 seconds", 3, 0},
      {"5 seconds", 5, 5.0 / 3600},
      {"faster than the best course", -20, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    routing_.Grid.GetPoint(3, 2)->TimeFromBeforeRight = 0.15 + c.extraSeconds / 3600;
    Arrive(3, 2);
    Results();
    EXPECT_NEAR(track_.TimeLaylineRight, c.loss, 1e-12);
    routing_.Grid.Clear();
  }
}

TEST_F(BestCourseTest, OnARunTheLossesSwapSidesAndEveryTackCostsTheTackTime) {
  track_.TypeOfCourse = kCourseRun;
  Arrive(3, 2);
  Results();
  ASSERT_TRUE(state_.RoutingValid);
  // The best course gybes in 2 seconds; the laylines count the tack time.
  EXPECT_NEAR(track_.TimeBestCourse, 0.25 + 2.0 / 3600, 1e-15);
  EXPECT_NEAR(track_.TimeLaylineRight, (kTackSeconds - 2) / 3600, 1e-12);
  EXPECT_NEAR(track_.TimeLaylineLeft, 0.01 + (kTackSeconds - 2) / 3600, 1e-12);
  // The top-mark approach belongs to beats only.
  EXPECT_EQ(track_.FinalCourse, 0);
}

TEST_F(BestCourseTest, LowMeanVMGWarnsOrFails) {
  struct Case {
    const char* name;
    double vmg;
    bool valid;
    const char* message;
  };
  const Case cases[] = {
      {"1.5 knots", 1.5, true, "Low VMG - routing might fail!"},
      {"0.4 knots", 0.4, false, "Low VMG!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.RoutingValid = true;
    state_.AppMessage.clear();
    for (int line = 1; line <= 3; ++line) {
      for (int k = 1; k <= line; ++k) routing_.Grid.GetPoint(line, k)->VMG_BBB = c.vmg;
    }
    Arrive(3, 1);
    Results();
    EXPECT_EQ(state_.RoutingValid, c.valid);
    EXPECT_EQ(state_.AppMessage, c.message);
  }
}

TEST_F(BestCourseTest, AnArrivalOnTheFirstLineCountsNoVMGAndFails) {
  Arrive(1, 1);
  track_.ListLaylineLeft.Add(-1, -1);
  Results();
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_EQ(state_.AppMessage, "Low VMG!");
  EXPECT_EQ(track_.TrackVMG, 0);
  EXPECT_EQ(track_.TrackMinVMG, 255);
  // The later steps keep what the track held.
  ASSERT_EQ(track_.ListLaylineLeft.Count(), 1);
  EXPECT_EQ(track_.ListLaylineLeft.Items[0].CoordM.Lon, -1);
}

TEST_F(BestCourseTest, FinishTimeIsTheStartPlusWholeSeconds) {
  struct Case {
    const char* name;
    double seconds;
    std::int64_t finish;
  };
  const Case cases[] = {{"rounded down", 3600.4, 3600}, {"rounded up", 3601.6, 3602}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGridPoint& edge = *routing_.Grid.GetPoint(2, 2);
    edge.TimeFromBeforeLeft = c.seconds / 3600;
    edge.TimeFromLeft = edge.TimeFromBeforeLeft;
    Arrive(2, 2);
    Results();
    EXPECT_EQ(track_.DateTimeFinishGMT, IncSecond(track_.DateTimeStartGMT, c.finish));
    EXPECT_EQ(track_.DateTimeFinishLOC, IncSecond(track_.DateTimeStartLOC, c.finish));
  }
}

TEST(LaylinesNoCurrentsTest, StraightIntoTheWindTheCornersLieAtTheBeatAngle) {
  TInterfaceApplicationMobile state;
  ASSERT_TRUE(routing_test::StartBuiltIn(state));
  state.RoutingValid = true;
  state.Wind.TrueWind = TPolar{12, 0};
  TDynamicGrid routing;
  TRoutingData track;
  track.TrackStart = TMinutes{-80, 3040};
  track.TrackFinish = TMinutes{-80, 3043};
  track.TrackAngle = 0;
  routing.GetLaylinesNoCurrents(kCourseBeat, track, state);
  const double beat = routing.PackagePolars.GetBeatAngle(state.Wind.TrueWind, state.Polars);
  const TMathTools& math = routing.MathTools;
  EXPECT_NEAR(math.AngleOfMinutes(track.TrackStart, track.LayLineCrossRight), beat, 0.05);
  EXPECT_NEAR(math.AngleOfMinutes(track.TrackStart, track.LayLineCrossLeft), 360 - beat, 0.05);
  const double leg = 1.5 / std::cos(beat * kDegreesToRadians);
  EXPECT_NEAR(math.DistanceOfMinutes(track.TrackStart, track.LayLineCrossRight), leg, 1e-3);
  EXPECT_NEAR(math.DistanceOfMinutes(track.TrackFinish, track.LayLineCrossLeft), leg, 1e-3);

  // A run downwind mirrors the diamond below the finish.
  TRoutingData run;
  run.TrackStart = track.TrackFinish;
  run.TrackFinish = track.TrackStart;
  run.TrackAngle = 180;
  routing.GetLaylinesNoCurrents(kCourseRun, run, state);
  const double gybe = routing.PackagePolars.GetGybeAngle(state.Wind.TrueWind, state.Polars);
  const double runLeg = 1.5 / std::cos((180 - gybe) * kDegreesToRadians);
  EXPECT_NEAR(math.DistanceOfMinutes(run.TrackStart, run.LayLineCrossRight), runLeg, 1e-3);
  EXPECT_NEAR(math.DistanceOfMinutes(run.TrackFinish, run.LayLineCrossLeft), runLeg, 1e-3);
}

}  // namespace
}  // namespace corvane
