// The best course, laylines and top-mark approach read out of small grids
// built by hand, so that every segment time and every tack is known.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "core/constants.h"
#include "core/date_time.h"
#include "routing/dynamic_grid.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::TWorld;

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
    TRoutingData track;
    track.TrackStart = TMinutes{-80, 3040};
    track.TrackFinish = kFinish;
    track.TrackAngle = 0;
    track.TypeOfCourse = kCourseBeat;
    track.DateTimeStartGMT = routing_test::kMoment;
    track.DateTimeStartLOC = routing_test::kMoment + 1.0 / 24;
    leg_.emplace(world_.Context(track));
    leg_->Polars.BeatTackTime = kTackSeconds;

    TGrid& grid = routing_.Grid;
    grid.Clear();
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
    routing_.GetRoutingBestLine(Track().TypeOfCourse, *leg_);
    routing_.GetRoutingLaylineLeft(*leg_);
    routing_.GetRoutingLaylineRight(*leg_);
    routing_.GetTopMarkApproach(*leg_);
  }
  TRoutingData& Track() { return leg_->Track; }
  const TBoat& Boat(int i) { return Track().ListBoat.Items[static_cast<std::size_t>(i)]; }

  TWorld world_;
  std::optional<TLegContext> leg_;
  TDynamicGrid routing_;
};

TEST_F(BestCourseTest, ACourseThatNeverChangesSideHasNoTack) {
  Arrive(3, 1);
  Track().FinalTack = TMinutes{1, 2};
  Track().FinalCourse = 33;
  Results();
  ASSERT_TRUE(leg_->Valid) << leg_->Message;
  EXPECT_TRUE(leg_->FinishTimed);
  const TRoutingData& track = Track();
  EXPECT_NEAR(track.TimeBestCourse, 0.2, 1e-15);
  ASSERT_EQ(track.ListBestCourse.Count(), 4);
  EXPECT_EQ(track.ListBestCourse.Items[0].CoordM.Lat, kFinish.Lat);
  ASSERT_EQ(track.ListBoat.Count(), 3);
  for (const TBoat& boat : track.ListBoat.Items) EXPECT_FALSE(boat.Tack);
  // From the start: 0, then the walk's totals in the order they were summed.
  EXPECT_EQ(Boat(2).Time, 0);
  EXPECT_NEAR(Boat(1).Time, 0.1, 1e-15);
  EXPECT_NEAR(Boat(0).Time, 0.2, 1e-15);
  // The start boat heads along the track; the others carry their heading,
  // side and the angle the stream sets them off it.
  EXPECT_EQ(Boat(2).Angle, 0);
  EXPECT_EQ(Boat(0).Bug, 1);
  EXPECT_NEAR(Boat(0).Attack, 10, 1e-9);
  // No tack: the top-mark approach stays as it was.
  EXPECT_EQ(track.FinalTack.Lon, 1);
  EXPECT_EQ(track.FinalCourse, 33);
  EXPECT_NEAR(track.TrackVMG, 4, 1e-15);
  EXPECT_EQ(track.TrackMinVMG, 4);
  // Mean of the streams of the three points walked.
  EXPECT_NEAR(track.StreamOnTrack.x, (0.6 + 0.4 + 0.2) / 3, 1e-15);
  EXPECT_EQ(track.DateTimeFinishGMT, IncSecond(track.DateTimeStartGMT, 720));
  EXPECT_EQ(leg_->Message, "");
}

TEST_F(BestCourseTest, ACourseThatChangesSideOnceCountsOneTack) {
  Arrive(3, 2);
  Results();
  ASSERT_TRUE(leg_->Valid) << leg_->Message;
  const TRoutingData& track = Track();
  EXPECT_NEAR(track.TimeBestCourse, 0.25 + kTack, 1e-15);
  ASSERT_EQ(track.ListBoat.Count(), 3);
  EXPECT_FALSE(Boat(0).Tack);
  EXPECT_TRUE(Boat(1).Tack);
  EXPECT_FALSE(Boat(2).Tack);
  EXPECT_EQ(Boat(0).Bug, 2);  // arrived from the left predecessor
  // The last tack before the windward mark is the turning boat, and the
  // approach is the course from there to the mark.
  const TMinutes tack = Boat(1).CoordM;
  EXPECT_NEAR(tack.Lon, -80.1, 1e-9);
  EXPECT_EQ(track.FinalTack.Lon, tack.Lon);
  EXPECT_EQ(track.FinalTack.Lat, tack.Lat);
  EXPECT_NEAR(track.FinalCourse, routing_.MathTools.AngleOfMinutes(tack, kFinish), 1e-12);
  // 0.1' of longitude east (0.063 nm at 50.7 N) and 0.15' north.
  EXPECT_NEAR(track.FinalCourse, 22.9, 0.1);
  // The left layline is the best course itself; the right one sails 0.01 h
  // more.
  EXPECT_EQ(track.TimeLaylineLeft, 0);
  EXPECT_NEAR(track.TimeLaylineRight, 0.01, 1e-12);
  EXPECT_EQ(track.ListLaylineLeft.Count(), 3);
  EXPECT_EQ(track.ListLaylineRight.Count(), 3);
  EXPECT_NEAR(track.ListLaylineRight.Items[1].CoordM.Lon, -79.9, 1e-9);
}

TEST_F(BestCourseTest, EqualSideTimesStartTheWalkTowardsTheRightPredecessor) {
  routing_.Grid.GetPoint(3, 2)->TimeFromRight = routing_.Grid.GetPoint(3, 2)->TimeFromLeft;
  Arrive(3, 2);
  Results();
  ASSERT_EQ(Track().ListBoat.Count(), 3);
  EXPECT_EQ(Boat(0).Bug, 1);
  EXPECT_NEAR(Boat(1).CoordM.Lon, -79.9, 1e-9);
  EXPECT_NEAR(Track().TimeBestCourse, 0.26 + kTack, 1e-15);
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
    EXPECT_NEAR(Track().TimeLaylineRight, c.loss, 1e-12);
  }
}

TEST_F(BestCourseTest, OnARunTheLossesSwapSidesAndEveryTackCostsTheTackTime) {
  Track().TypeOfCourse = kCourseRun;
  Arrive(3, 2);
  Results();
  ASSERT_TRUE(leg_->Valid) << leg_->Message;
  // The best course gybes in 2 seconds; the laylines count the tack time.
  EXPECT_NEAR(Track().TimeBestCourse, 0.25 + 2.0 / 3600, 1e-15);
  EXPECT_NEAR(Track().TimeLaylineRight, (kTackSeconds - 2) / 3600, 1e-12);
  EXPECT_NEAR(Track().TimeLaylineLeft, 0.01 + (kTackSeconds - 2) / 3600, 1e-12);
  // The top-mark approach belongs to beats only.
  EXPECT_EQ(Track().FinalCourse, 0);
}

TEST_F(BestCourseTest, LowMeanVMGWarnsOrFails) {
  struct Case {
    const char* name;
    double vmg;
    bool valid;
    const char* message;
  };
  const Case cases[] = {
      {"2.5 knots", 2.5, true, ""},
      {"1.5 knots", 1.5, true, "Low VMG - routing might fail!"},
      {"0.4 knots", 0.4, false, "Low VMG!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    for (int line = 1; line <= 3; ++line) {
      for (int k = 1; k <= line; ++k) routing_.Grid.GetPoint(line, k)->VMG_BBB = c.vmg;
    }
    Arrive(3, 1);
    Results();
    EXPECT_EQ(leg_->Valid, c.valid);
    EXPECT_EQ(leg_->Message, c.message);
    if (!c.valid) {
      EXPECT_EQ(leg_->FailureKind, TRoutingFailure::LowVMG);
    }
  }
}

TEST_F(BestCourseTest, AnArrivalOnTheFirstLineCountsNoVMGAndFails) {
  Arrive(1, 1);
  Track().ListLaylineLeft.Add(-1, -1);
  Results();
  EXPECT_FALSE(leg_->Valid);
  EXPECT_EQ(leg_->Message, "Low VMG!");
  EXPECT_EQ(Track().TrackVMG, 0);
  EXPECT_EQ(Track().TrackMinVMG, 255);
  // The later steps keep what the track held.
  ASSERT_EQ(Track().ListLaylineLeft.Count(), 1);
  EXPECT_EQ(Track().ListLaylineLeft.Items[0].CoordM.Lon, -1);
}

TEST_F(BestCourseTest, AFailedLegIsNotReadOut) {
  leg_->Fail(TRoutingFailure::MarkNotReached, "Error: Mark not reached!");
  Arrive(3, 2);
  Results();
  EXPECT_EQ(Track().ListBestCourse.Count(), 0);
  EXPECT_EQ(Track().ListLaylineLeft.Count(), 0);
  EXPECT_EQ(Track().TimeBestCourse, 0);
  EXPECT_FALSE(leg_->FinishTimed);
  EXPECT_EQ(leg_->Message, "Error: Mark not reached!");
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
    EXPECT_EQ(Track().DateTimeFinishGMT, IncSecond(Track().DateTimeStartGMT, c.finish));
    EXPECT_EQ(Track().DateTimeFinishLOC, IncSecond(Track().DateTimeStartLOC, c.finish));
  }
}

// The corners of the layline diamond follow from the true wind and the
// polar's angle alone: 38.4 degrees on the beat and 158 on the run at 12
// knots, whatever the stream.
TEST(LaylinesNoCurrentsTest, StraightIntoTheWindTheCornersLieAtThePolarAngle) {
  struct Case {
    const char* name;
    int type;
    double bearing;
    double angleDeg;  // of each corner off the track, seen from the start
  };
  const Case cases[] = {
      {"beat", kCourseBeat, 0, 38.4},
      {"run", kCourseRun, 180, 180 - 158},
  };
  TWorld world;
  world.Conditions.Stream = routing_test::UniformStream(2, 90);
  world.Conditions.Wind = routing_test::GribWind(20, 90);
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLegContext leg = world.Context(routing_test::Leg(c.bearing, 3));
    TDynamicGrid routing;
    routing.GetLaylinesNoCurrents(c.type, leg);
    const TRoutingData& track = leg.Track;
    const double side = 1.5 / std::cos(c.angleDeg * kDegreesToRadians);
    EXPECT_NEAR(math.DistanceOfMinutes(track.TrackStart, track.LayLineCrossRight), side, 1e-3);
    EXPECT_NEAR(math.DistanceOfMinutes(track.TrackFinish, track.LayLineCrossLeft), side, 1e-3);
    const double right = math.AngleOfMinutes(track.TrackStart, track.LayLineCrossRight);
    const double left = math.AngleOfMinutes(track.TrackStart, track.LayLineCrossLeft);
    // One corner on either side of the track.
    const double offRight = std::remainder(right - c.bearing, 360.0);
    const double offLeft = std::remainder(left - c.bearing, 360.0);
    EXPECT_NEAR(std::fabs(offRight), c.angleDeg, 0.05);
    EXPECT_NEAR(std::fabs(offLeft), c.angleDeg, 0.05);
    EXPECT_LT(offRight * offLeft, 0);
  }
}

}  // namespace
}  // namespace corvane
