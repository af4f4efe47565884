#include "routing/isochronic_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"
#include "routing/package_routing.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::kStart;
using routing_test::TRecordingProgress;
using routing_test::TWorld;

constexpr double kDeg = kDegreesToRadians;
constexpr double kReachSpeed = 7.8;  // at 90 degrees in 12 knots

class IsochronicGridTest : public ::testing::Test {
 protected:
  TLegContext& Leg(double bearing, double distance, TRoutingProgress* progress = nullptr) {
    leg_.emplace(world_.Context(routing_test::Leg(bearing, distance), 0, progress));
    return *leg_;
  }

  // The steps of a reach leg as the leg routing runs them.
  void Route(TLegContext& leg) {
    TRoutingData& track = leg.Track;
    routing_.GetStripesReach(track.TrackStart, track.TrackFinish, kCountStripes, track.ListLaylineLeft,
                             track.ListLaylineRight, track);
    routing_.GetGridTimeDefaultReach(leg);
    ASSERT_FALSE(leg.LowVMG);
    routing_.GetIsochronicGrid(leg);
    routing_.GetRoutingBestLine(leg);
  }

  // The signed angles of a fan from a predecessor at the start.
  std::vector<double> Fan(double beta, double gamma, double a0, double a1, double side) {
    TLegContext& leg = Leg(90, 3);
    TGridPoint before;
    before.Position = routing_.MathTools.MinutesToBogen(kStart);
    before.Wind = leg.TrueWindVector;
    routing_.Grid.Clear();
    routing_.Grid.AddLine(1);
    routing_.Grid.AddLine();
    routing_.AddFan(2, before, 1, beta * kDeg, gamma * kDeg, a0 * kDeg, a1 * kDeg, 0.1f, 0.1f, side, leg);
    std::vector<double> angles;
    for (const TGridPoint& point : routing_.Grid.GetLine(2)->Points) {
      EXPECT_EQ(point.IndexBefore, 1);
      angles.push_back(std::round(point.PolarAngle / kDeg * 1000) / 1000);
    }
    return angles;
  }

  TWorld world_;
  std::optional<TLegContext> leg_;
  TIsochronicGrid routing_;
};

TEST_F(IsochronicGridTest, ShortTracksGetTheCorridorOfHalfAMile) {
  const TRoutingData track = routing_test::Leg(90, 0.3);
  TListCoords starts;
  TListCoords finishes;
  const TListMinutes outline =
      routing_.GetStripesReach(track.TrackStart, track.TrackFinish, 41, starts, finishes, track);
  EXPECT_NEAR(routing_.WidthStripes, 0.5 / 82, 1e-15);
  ASSERT_EQ(starts.Count(), 42);
  ASSERT_EQ(finishes.Count(), 42);
  EXPECT_EQ(routing_.ListStripes.Count(), 42);
  const TMathTools& math = routing_.MathTools;
  EXPECT_NEAR(math.DistanceOfMinutes(kStart, starts.Items[0].CoordM), 0.125, 1e-9);
  EXPECT_NEAR(math.DistanceOfMinutes(starts.Items[0].CoordM, starts.Items[41].CoordM), 0.25, 1e-6);
  EXPECT_NEAR(math.DistanceOfMinutes(starts.Items[0].CoordM, finishes.Items[0].CoordM), 0.3 + 0.1, 1e-4);
  // The corridor's outline, closed, is the area whose stream the reach reads.
  ASSERT_EQ(outline.size(), 5u);
  EXPECT_EQ(outline[0].Lon, starts.Items[0].CoordM.Lon);
  EXPECT_EQ(outline[2].Lat, finishes.Items[41].CoordM.Lat);
  EXPECT_EQ(outline[4].Lon, outline[0].Lon);
  EXPECT_EQ(outline[4].Lat, outline[0].Lat);
  EXPECT_TRUE(math.GetInPolygon(track.TrackFinish, outline));
  // The corridor holds the track; a stripe holds its own slice only.
  EXPECT_TRUE(routing_.ListStripes.Items[0].ListCoords.GetInPolygon(track.TrackFinish, false));
  EXPECT_TRUE(routing_.ListStripes.Items[21].ListCoords.GetInPolygon(
      TMinutes{kStart.Lon + 0.01, kStart.Lat - 0.001}, false));
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

// Angles that were never reduced to one turn (a wind direction of 700
// radians read as degrees off the wind) must not make a fan of thousands of
// headings: it stops after half a turn of them.
TEST_F(IsochronicGridTest, AFanHandedAnglesOfManyTurnsStopsAfterHalfATurn) {
  struct Case {
    const char* name;
    double beta, gamma, a0, a1;
  };
  const double turns = 700 / kDeg;
  const Case cases[] = {
      {"gybe angle of many turns", 40, turns, 40, turns},
      {"both limits of many turns", turns, 2 * turns, turns, 2 * turns},
      {"first heading many turns below zero", 40, turns, -turns, turns},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> angles = Fan(c.beta, c.gamma, c.a0, c.a1, kPi / 2);
    EXPECT_GE(angles.size(), 1u);
    EXPECT_LE(angles.size(), 37u);
  }
  const std::vector<double> widest = Fan(40, turns, 40, turns, kPi / 2);
  ASSERT_EQ(widest.size(), 37u);
  EXPECT_EQ(widest.front(), -40);
  EXPECT_EQ(widest[1], -45);
  EXPECT_EQ(widest.back(), -220);
}

TEST_F(IsochronicGridTest, FanPointsOnLandAreDropped) {
  // Land to the north of the start: only headings south of east survive.
  world_.Conditions.Navigable = [](const TMinutes& p) { return p.Lat <= kStart.Lat; };
  const std::vector<double> angles = Fan(40, 150, 40, 150, kPi / 2);
  ASSERT_FALSE(angles.empty());
  for (double angle : angles) EXPECT_LE(angle, -90);
}

// A reach west across a northerly at 7.8 knots through the water; a uniform
// stream adds its speed along the track, or makes the boat crab across it.
TEST_F(IsochronicGridTest, AReachSailsStraightAtThePolarSpeedPlusTheStream) {
  struct Case {
    const char* name;
    double stream;
    double towardDeg;
    double madeGood;  // knots along the track
  };
  const Case cases[] = {
      {"still water", 0, 0, kReachSpeed},
      {"stream along the track", 1, 270, kReachSpeed + 1},
      {"stream against the track", 1, 90, kReachSpeed - 1},
      {"stream across the track", 1, 0, std::sqrt(kReachSpeed * kReachSpeed - 1)},
  };
  const double distance = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Conditions.Stream = routing_test::UniformStream(c.stream, c.towardDeg);
    TLegContext& leg = Leg(270, distance);
    Route(leg);
    ASSERT_TRUE(leg.Valid) << leg.Message;
    const TRoutingData& track = leg.Track;
    // The leg lasts until the arrival plus the straight run on to the finish.
    const TGridPoint& arrival = *routing_.Grid.GetPoint(routing_.Grid.BestLine, routing_.Grid.BestIndex);
    ASSERT_LE(arrival.DistanceToStart, distance);
    EXPECT_NEAR(track.TimeBestCourse, arrival.TimeFromLeft + routing_.GetSailingTimeToFinish(arrival, leg), 1e-6);
    const double expected = distance / c.madeGood;
    EXPECT_NEAR(track.TimeBestCourse, expected, 0.03 * expected);
    EXPECT_TRUE(leg.FinishTimed);
    ASSERT_GE(track.ListBoat.Count(), 3);
    // No tacks; every boat but the start's with the wind on its right.
    for (int i = 0; i + 1 < track.ListBoat.Count(); ++i) {
      EXPECT_FALSE(track.ListBoat.Items[static_cast<std::size_t>(i)].Tack);
      EXPECT_EQ(track.ListBoat.Items[static_cast<std::size_t>(i)].Bug, 1);
    }
    EXPECT_EQ(track.ListBoat.Items.back().Bug, 0);
    EXPECT_EQ(track.ListBoat.Items.back().Time, 0);
    // The best course stays near the straight line, and the mean stream on
    // it is the stream.
    for (const TCoords& coords : track.ListBestCourse.Items) {
      EXPECT_NEAR(coords.CoordM.Lat, kStart.Lat, 0.15);
    }
    const TCartesian stream = routing_test::UniformStream(c.stream, c.towardDeg)(kStart, 0);
    EXPECT_NEAR(track.StreamOnTrack.x, stream.x, 1e-9);
    EXPECT_NEAR(track.StreamOnTrack.y, stream.y, 1e-9);
  }
}

// The run on from the arrival to the finish reads the reach speed by the
// size of the angle to the wind, so a reach with the wind on its left takes
// the polar's time as one with the wind on its right does.
TEST_F(IsochronicGridTest, AReachWithTheWindOnItsLeftTakesThePolarTime) {
  TLegContext& leg = Leg(90, 3);
  Route(leg);
  ASSERT_TRUE(leg.Valid) << leg.Message;
  EXPECT_NEAR(leg.Track.TimeBestCourse, 3 / kReachSpeed, 0.03 * 3 / kReachSpeed);
  for (int i = 0; i + 1 < leg.Track.ListBoat.Count(); ++i) {
    EXPECT_EQ(leg.Track.ListBoat.Items[static_cast<std::size_t>(i)].Bug, 2);
  }
}

TEST_F(IsochronicGridTest, AFirstIsochroneOnLandFailsTheRouting) {
  world_.Conditions.Navigable = [](const TMinutes& p) {
    return std::fabs(p.Lon - kStart.Lon) < 0.01 && std::fabs(p.Lat - kStart.Lat) < 0.01;
  };
  TLegContext& leg = Leg(90, 3);
  Route(leg);
  EXPECT_FALSE(leg.Valid);
  EXPECT_EQ(leg.Message, "Routing failed");
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::Failed);
  EXPECT_EQ(routing_.Grid.Count(), 36);
  EXPECT_FALSE(leg.FinishTimed);
}

TEST_F(IsochronicGridTest, AStopRequestEndsTheIsochronesAtTheNextLine) {
  TRecordingProgress progress;
  progress.StopAfter = 3;  // the grid's first report and those of lines 3 and 4
  TLegContext& leg = Leg(90, 3, &progress);
  Route(leg);
  EXPECT_FALSE(leg.Valid);
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::Cancelled);
  EXPECT_EQ(leg.Message, "Routing cancelled");
  EXPECT_EQ(routing_.Grid.Count(), 4);
  for (const std::string& text : progress.Texts) EXPECT_EQ(text, "Building isochronic grid reach");
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
    const TCartesian wind = routing_.MathTools.PolarToCartesian(world_.Conditions.TrueWind);
    const auto place = [&](int line, int k, double lon, int before, double vmg, double time, double fromStart) {
      TGridPoint& point = *grid.GetPoint(line, k);
      point.Position = routing_.MathTools.MinutesToBogen(TMinutes{lon, kStart.Lat});
      point.Wind = wind;
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
  TLegContext& leg = Leg(90, 2);
  Build(1);
  leg.Track.TimeBestCourse = 0.3;
  routing_.GetRoutingBestLine(leg);
  ASSERT_TRUE(leg.Valid) << leg.Message;
  const TRoutingData& track = leg.Track;
  // Finish, C, A, S.
  ASSERT_EQ(track.ListBestCourse.Count(), 4);
  EXPECT_NEAR(track.ListBestCourse.Items[1].CoordM.Lon, -78.5, 1e-9);
  EXPECT_NEAR(track.ListBestCourse.Items[2].CoordM.Lon, -79.5, 1e-9);
  const TGridPoint& c = *routing_.Grid.GetPoint(3, 1);
  // The leg ends with C's own time and the run on from C, not the last
  // line's time.
  EXPECT_NEAR(track.TimeBestCourse, 0.2 + routing_.GetSailingTimeToFinish(c, leg), 1e-6);
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
  EXPECT_EQ(leg.Message, "");
  EXPECT_TRUE(leg.FinishTimed);
  const auto seconds = static_cast<std::int64_t>(std::nearbyint(track.TimeBestCourse * 3600));
  EXPECT_EQ(track.DateTimeFinishGMT, IncSecond(track.DateTimeStartGMT, seconds));
}

TEST_F(IsochronicBestCourseTest, ABrokenPredecessorChainFailsTheRouting) {
  TLegContext& leg = Leg(90, 2);
  Build(7);
  routing_.GetRoutingBestLine(leg);
  EXPECT_FALSE(leg.Valid);
  // The walk ends at C; with nothing counted behind it the mean VMG is 0,
  // whose message is the last one set.
  EXPECT_EQ(leg.Track.ListBestCourse.Count(), 2);
  EXPECT_EQ(leg.Track.TrackVMG, 0);
  EXPECT_EQ(leg.Message, "Low VMG!");
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::LowVMG);
}

}  // namespace
}  // namespace corvane
