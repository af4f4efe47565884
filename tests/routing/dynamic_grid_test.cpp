#include "routing/dynamic_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::kStart;
using routing_test::TRecordingProgress;
using routing_test::TWorld;

TEST(DynamicGridArrivalTest, ArrivalTimesIncludeATackOnlyWhenItPays) {
  struct Case {
    const char* name;
    bool leftExists, rightExists;
    double timeLeft, timeRight, q;
    bool tack;
    double arrival;
  };
  const Case cases[] = {
      {"both sides, equal times, tack time above 0", true, true, 1, 1, 0.01, false, 1.1},
      {"both sides, equal times, no tack time", true, true, 1, 1, 0, true, 1.1},
      {"both sides, other side faster by more than a tack", true, true, 1.2, 1, 0.1, true, 1.2},
      {"both sides, other side faster by less than a tack", true, true, 1.05, 1, 0.1, false, 1.15},
      {"reached only on the same side", true, false, 1, 0, 0.1, false, 1.1},
      {"reached only on the other side", false, true, 0, 1, 0.1, true, 1.2},
  };
  TDynamicGrid routing;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGridPoint v;
    v.BeforeLeftExists = c.leftExists;
    v.BeforeRightExists = c.rightExists;
    v.TimeFromLeft = c.timeLeft;
    v.TimeFromRight = c.timeRight;
    TGridPoint point;
    routing.ArriveFromLeft(v, 0.1, c.q, point);
    EXPECT_EQ(point.FromLeftWithTack, c.tack);
    EXPECT_NEAR(point.TimeFromLeft, c.arrival, 1e-15);

    // The mirror image from the right predecessor.
    std::swap(v.BeforeLeftExists, v.BeforeRightExists);
    std::swap(v.TimeFromLeft, v.TimeFromRight);
    TGridPoint mirrored;
    routing.ArriveFromRight(v, 0.1, c.q, mirrored);
    EXPECT_EQ(mirrored.FromRightWithTack, c.tack);
    EXPECT_NEAR(mirrored.TimeFromRight, c.arrival, 1e-15);
  }
}

TEST(DynamicGridArrivalTest, ArrivalOnTheEdgeOfTheAfloatStretchMustLieNearTheFinish) {
  TGrid grid;
  grid.AddLine(5);
  for (int k = 1; k <= 5; ++k) {
    grid.GetPoint(1, k)->InWater = k >= 2 && k <= 4;
    grid.GetPoint(1, k)->DistanceToFinish = 0.05;
  }
  grid.BestLine = 1;
  struct Case {
    const char* name;
    int index;
    double m;
    bool valid;
    bool distanceValid;
  };
  const Case cases[] = {
      {"left edge within m", 2, 0.06, true, true},
      {"left edge beyond m", 2, 0.03, false, true},
      {"right edge beyond m", 4, 0.03, false, true},
      {"inside the stretch", 3, 0.01, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    grid.BestIndex = c.index;
    EXPECT_EQ(grid.GetBestPointValid(c.m), c.valid);
    EXPECT_EQ(grid.GetBestPointDistanceValid(c.m), c.distanceValid);
  }
}

class DynamicGridTest : public ::testing::Test {
 protected:
  TLegContext Context(double bearing, double distance, double startHours = 0,
                      TRoutingProgress* progress = nullptr) const {
    return world_.Context(routing_test::Leg(bearing, distance), startHours, progress);
  }

  TWorld world_;
  TDynamicGrid grid_;
};

TEST_F(DynamicGridTest, LaylinesAreValidOnlyWellInsideTheBeatAndGybeAngles) {
  const double beat = 38.4;  // at 12 knots
  const double gybe = 158;
  struct Case {
    const char* name;
    int type;
    double bearing;
    bool valid;
  };
  const Case cases[] = {
      {"beat 4.5 degrees inside", kCourseBeat, beat - 4.5, false},
      {"beat 6 degrees inside", kCourseBeat, beat - 6, true},
      {"run 4.5 degrees inside", kCourseRun, gybe + 4.5, false},
      {"run 6 degrees inside", kCourseRun, gybe + 6, true},
      {"reach", kCourseReach, 90, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLegContext leg = Context(c.bearing, 2);
    leg.Track.LayLinesValid = !c.valid;
    grid_.GetDynamicGrid(c.type, leg);
    EXPECT_EQ(leg.Track.LayLinesValid, c.valid);
  }
}

TEST_F(DynamicGridTest, MarksOnLandFailTheLeg) {
  const TMinutes finish = routing_test::Leg(0, 2).TrackFinish;
  struct Case {
    const char* name;
    routing_test::TLand land;
    bool valid;
  };
  const Case cases[] = {
      {"start ashore", {-80.1, -79.9, 3039.9, 3040.1}, false},
      {"finish ashore", {-80.1, -79.9, finish.Lat - 0.1, finish.Lat + 0.1}, false},
      {"land between the marks", {-80.1, -79.9, 3040.5, 3041.5}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Conditions.Navigable = routing_test::Headland(c.land);
    TLegContext leg = Context(0, 2);
    grid_.GetCourseInWater(leg);
    EXPECT_EQ(leg.Valid, c.valid);
    if (!c.valid) {
      EXPECT_EQ(leg.Message, "Error: Course marks in shallow waters!");
      EXPECT_EQ(leg.FailureKind, TRoutingFailure::MarksAshore);
    }
  }
}

TEST_F(DynamicGridTest, AGridThatDriesOutFailsAcrossShallowWaters) {
  // Two ponds, the start's and the finish's, with dry land between them.
  world_.Conditions.Navigable = [](const TMinutes& p) {
    const bool nearMarks = p.Lon > -80.3 && p.Lon < -79.7;
    return nearMarks && ((p.Lat > 3039.9 && p.Lat < 3040.1) || (p.Lat > 3041.9 && p.Lat < 3042.1));
  };
  TLegContext leg = Context(0, 2);
  grid_.GetCourseInWater(leg);
  ASSERT_TRUE(leg.Valid);
  grid_.GetDynamicGrid(kCourseBeat, leg);
  EXPECT_FALSE(leg.Valid);
  EXPECT_EQ(leg.Message, "Error: Routing across shallow waters!");
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::Shallows);
}

TEST_F(DynamicGridTest, AGridThatNeedsTooManyLinesStopsAtTheLimit) {
  // The lines' time step comes from the boat's speed at the two marks, where
  // the water is slack; between them a foul stream almost as fast as the
  // beat holds the boat back, so the grid runs out of lines long before it
  // reaches the finish.
  const double south = kStart.Lat + 0.4;
  const double north = kStart.Lat + 1.6;
  world_.Conditions.Stream = [=](const TMinutes& p, double) {
    return TCartesian{0, p.Lat > south && p.Lat < north ? -4.0 : 0.0};
  };
  TLegContext leg = Context(0, 2);
  grid_.GetDynamicGrid(kCourseBeat, leg);
  EXPECT_FALSE(leg.Valid);
  EXPECT_EQ(leg.Message, "Error: Grid exceeds limits!");
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::GridLimits);
  EXPECT_EQ(grid_.Grid.Count(), 120);
}

TEST_F(DynamicGridTest, TheGridKeepsEarliestTimesAndStopsPastTheFinish) {
  TLegContext leg = Context(0, 2);
  grid_.GetDynamicGrid(kCourseBeat, leg);
  ASSERT_TRUE(leg.Valid) << leg.Message;
  TGrid& grid = grid_.Grid;
  EXPECT_EQ(grid.BestLine, grid.Count() - 1);
  EXPECT_GT(grid.Count(), 40);
  EXPECT_LT(grid.Count(), 120);
  // Line L holds L points; the edges are reached from one side only.
  for (int line = 2; line <= grid.Count(); ++line) {
    ASSERT_EQ(grid.GetLine(line)->Count(), line);
    EXPECT_TRUE(grid.GetPoint(line, line)->BeforeLeftExists);
    EXPECT_FALSE(grid.GetPoint(line, line)->BeforeRightExists);
    EXPECT_TRUE(grid.GetPoint(line, 1)->BeforeRightExists);
    EXPECT_FALSE(grid.GetPoint(line, 1)->BeforeLeftExists);
  }
  const TGridPoint& arrival = *grid.GetPoint(grid.BestLine, grid.BestIndex);
  EXPECT_LE(arrival.DistanceToFinish, 2 * std::max(grid_.MinDistanceFinish, 2.0 / 60));
  EXPECT_EQ(leg.Track.TimeBestCourse, std::min(grid.TimeLeft, grid.TimeRight));
  // The tack time is the polar's for the true wind.
  EXPECT_EQ(leg.Polars.BeatTackTime, 7.2);
}

// Detection decides the leg type in the chosen true wind whatever the
// forecast says; the grid sails the conditions' wind at each point and
// moment.
TEST_F(DynamicGridTest, DetectionSailsTheTrueWindAndTheGridTheConditionsWind) {
  TLegContext plain = Context(0, 2);
  ASSERT_TRUE(grid_.GetFinishInLaylines(kCourseBeat, plain));
  const TListCoords cone = plain.Detection;

  // An easterly in the forecast would make a northward leg a reach.
  world_.Conditions.Wind = routing_test::GribWind(14, 90);
  TLegContext forecast = Context(0, 2);
  ASSERT_TRUE(grid_.GetFinishInLaylines(kCourseBeat, forecast));
  ASSERT_EQ(forecast.Detection.Count(), cone.Count());
  for (int i = 0; i < cone.Count(); ++i) {
    EXPECT_EQ(forecast.Detection.Items[static_cast<std::size_t>(i)].CoordM.Lon,
              cone.Items[static_cast<std::size_t>(i)].CoordM.Lon);
  }
  const TGridPoint& edge = *grid_.Grid.GetPoint(grid_.Grid.Count(), 1);
  EXPECT_EQ(edge.Wind.x, forecast.TrueWindVector.x);
  EXPECT_EQ(edge.Wind.y, forecast.TrueWindVector.y);

  // The grid asks for the wind at the leg's start hour and later.
  std::vector<double> hours;
  world_.Conditions.Wind = [&hours](const TMinutes&, double h) {
    hours.push_back(h);
    return TCartesian{0, 14};
  };
  TLegContext leg = Context(0, 2, 2.0);
  grid_.GetDynamicGrid(kCourseBeat, leg);
  ASSERT_TRUE(leg.Valid) << leg.Message;
  ASSERT_FALSE(hours.empty());
  EXPECT_EQ(hours.front(), 2.0);
  EXPECT_EQ(*std::min_element(hours.begin(), hours.end()), 2.0);
  EXPECT_LT(*std::max_element(hours.begin(), hours.end()), 2.0 + 2 * leg.Track.TimeBestCourse);
  for (int line = 1; line < grid_.Grid.Count(); ++line) {
    for (const TGridPoint& point : grid_.Grid.GetLine(line)->Points) {
      if (!point.InWater) continue;
      EXPECT_EQ(point.Wind.y, 14);
    }
  }
}

TEST_F(DynamicGridTest, DetectionFlagsLegsLongerThanTheLimit) {
  struct Case {
    const char* name;
    double limit;
    bool lowVMG;
  };
  const Case cases[] = {{"within 5 hours", 5, false}, {"beyond 0.3 hours", 0.3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Options.MaxHoursToFinish = c.limit;
    TLegContext leg = Context(0, 3);
    EXPECT_TRUE(grid_.GetFinishInLaylines(kCourseBeat, leg));
    EXPECT_EQ(leg.LowVMG, c.lowVMG);
  }
}

TEST_F(DynamicGridTest, ProgressIsReportedAndTheBeatConeKept) {
  TRecordingProgress progress;
  TLegContext leg = Context(0, 2, 0, &progress);

  ASSERT_TRUE(grid_.GetFinishInLaylines(kCourseBeat, leg));
  const int lines = grid_.Grid.Count();
  EXPECT_EQ(static_cast<int>(progress.Texts.size()), lines / 18);
  for (const std::string& text : progress.Texts) EXPECT_EQ(text, "Detecting course type");
  // The beat cone is kept for the chart: down one edge, up the other, closed.
  EXPECT_EQ(leg.Detection.Count(), 2 * lines);
  EXPECT_TRUE(leg.Detection.GetInPolygon(leg.Track.TrackFinish, false));

  progress.Texts.clear();
  progress.Values.clear();
  grid_.GetDynamicGrid(kCourseBeat, leg);
  ASSERT_TRUE(leg.Valid) << leg.Message;
  ASSERT_EQ(static_cast<int>(progress.Texts.size()), grid_.Grid.Count());
  EXPECT_EQ(progress.Texts.front(), "Building dynamic grid beat");
  EXPECT_EQ(progress.Texts.back(), "Building dynamic grid Beat");
  EXPECT_EQ(progress.Values.back(), 2 * kProgressK + 70);

  grid_.GetRoutingBestLine(kCourseBeat, leg);
  grid_.GetRoutingLaylineLeft(leg);
  grid_.GetRoutingLaylineRight(leg);
  EXPECT_EQ(progress.Texts.back(), "Processing results");
  EXPECT_EQ(progress.Values.back(), kLegProgressEnd);
  for (float value : progress.Values) EXPECT_LE(value, kLegProgressEnd);

  // A run's cone does not replace the beat's.
  const int cone = leg.Detection.Count();
  EXPECT_FALSE(grid_.GetFinishInLaylines(kCourseRun, leg));
  EXPECT_EQ(leg.Detection.Count(), cone);
}

// Whether every point reached from both predecessors lies ahead of each of
// them on its course over ground, so no boat is credited with sailing
// backwards to it.
bool NoPointLiesBehindAPredecessor(TGrid& grid) {
  TMathTools math;
  auto ahead = [&](const TGridPoint& from, const TPolar& course, const TGridPoint& point) {
    if (math.DistanceOfBogen(from.Position, point.Position) < 1e-6) return true;
    return std::fabs(std::remainder(math.AngleOfBogen(from.Position, point.Position) - course.Winkel, 2 * kPi)) <
           kPi / 2;
  };
  bool sound = true;
  for (int line = 3; line <= grid.Count(); ++line) {
    for (int k = 2; k < line; ++k) {
      const TGridPoint& point = *grid.GetPoint(line, k);
      if (!point.BeforeLeftExists || !point.BeforeRightExists) continue;
      if (!ahead(*grid.GetPoint(line - 1, k - 1), point.SailingVektorLeft, point) ||
          !ahead(*grid.GetPoint(line - 1, k), point.SailingVektorRight, point)) {
        ADD_FAILURE() << "line " << line << " point " << k << " lies behind a predecessor";
        sound = false;
      }
    }
  }
  return sound;
}

// A foul stream as strong as the beat's speed over ground on one side of the
// leg and slack on the other turns the two tacks over ground away from each
// other; their courses then meet behind a boat, not ahead of it.
TEST_F(DynamicGridTest, AShearedFoulStreamNeverPutsAPointBehindABoat) {
  struct Case {
    const char* name;
    double windKnots, widthMinutes, side;
  };
  const Case cases[] = {
      {"7 knots, slack half a mile to the west", 7, 0.5, -1},
      {"7 knots, slack half a mile to the east", 7, 0.5, +1},
      {"8 knots, slack a mile to the west", 8, 1.0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Conditions = routing_test::SteadyWind(0, c.windKnots);
    const double slackEdge = kStart.Lon + c.side * c.widthMinutes;
    world_.Conditions.Stream = [=](const TMinutes& p, double) {
      const double share = std::clamp((p.Lon - slackEdge) / (kStart.Lon - slackEdge), 0.0, 1.0);
      return TCartesian{0, -3.0 * share};
    };
    TLegContext leg = Context(0, 3);
    grid_.GetDynamicGrid(kCourseBeat, leg);
    EXPECT_TRUE(leg.Valid) << leg.Message;
    EXPECT_TRUE(NoPointLiesBehindAPredecessor(grid_.Grid));
  }
}

TEST_F(DynamicGridTest, AStopRequestEndsTheGridAtTheNextLine) {
  TRecordingProgress progress;
  progress.StopAfter = 5;  // reports of lines 2 to 6
  TLegContext leg = Context(0, 2, 0, &progress);
  grid_.GetDynamicGrid(kCourseBeat, leg);
  EXPECT_FALSE(leg.Valid);
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::Cancelled);
  // The arrival of a cancelled grid is not judged again.
  EXPECT_EQ(leg.Message, "Routing cancelled");
  EXPECT_EQ(grid_.Grid.Count(), 7);
}

}  // namespace
}  // namespace corvane
