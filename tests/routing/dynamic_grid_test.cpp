#include "routing/dynamic_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::Rectangle;

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
    TGridPoint mirror;
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

// Records every progress report.
class TRecordingSink : public TProgressSink {
 public:
  void ShowProgress(const TInterfaceApplicationMobile& state) override {
    Texts.push_back(state.ProgressText);
    Values.push_back(state.ProgressValue);
  }
  std::vector<std::string> Texts;
  std::vector<float> Values;
};

class DynamicGridTest : public ::testing::Test {
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
    return track;
  }

  const TMinutes kStart{-80, 3040};
  TInterfaceApplicationMobile state_;
  TListRoutingData list_;
  TDynamicGrid routing_;
};

TEST_F(DynamicGridTest, LaylinesAreValidOnlyWellInsideTheBeatAndGybeAngles) {
  // The default class runs at the polar's limit of 175 degrees; a boat
  // that gybes at 150 leaves room for a run inside the gybe angle.
  for (double& angle : state_.Polars.GybeAngles) angle = 150;
  const double beat = routing_.PackagePolars.GetBeatAngle(state_.Wind.TrueWind, state_.Polars);
  const double gybe = routing_.PackagePolars.GetGybeAngle(state_.Wind.TrueWind, state_.Polars);
  ASSERT_EQ(gybe, 150);
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
    TRoutingData& track = Track(c.bearing, 2);
    track.LayLinesValid = !c.valid;
    routing_.GetDynamicGrid(true, c.type, track, state_);
    EXPECT_EQ(track.LayLinesValid, c.valid);
  }
}

TEST_F(DynamicGridTest, MarksOnLandFailTheRun) {
  TRoutingData& track = Track(0, 2);
  track.TrackFinish = TMinutes{-100, 3040};  // off the chart: no water
  routing_.GetCourseInWater(track, state_);
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_EQ(state_.AppMessage, "Error: Course marks in shallow waters!");
}

TEST_F(DynamicGridTest, AGridThatDriesOutFailsAcrossShallowWaters) {
  // Two ponds: the start's and the finish's, dry land between them.
  TMapTiles& tile = state_.ListMapTiles[0];
  tile.InWaterLines.clear();
  tile.InWaterLines.push_back(Rectangle(-80.3, -79.7, 3039.9, 3040.1));
  tile.InWaterLines.push_back(Rectangle(-80.3, -79.7, 3041.9, 3042.1));
  TRoutingData& track = Track(0, 2);
  routing_.GetCourseInWater(track, state_);
  ASSERT_TRUE(state_.RoutingValid);
  routing_.GetDynamicGrid(true, kCourseBeat, track, state_);
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_EQ(state_.AppMessage, "Error: Routing across shallow waters!");
}

TEST_F(DynamicGridTest, AGridThatNeedsTooManyLinesStopsAtTheLimit) {
  // The lines' time step comes from the boat's speed at the two marks, where
  // the water is slack; between them a foul stream almost as fast as the
  // beat holds the boat back, so the grid runs out of lines long before it
  // reaches the finish.
  TRoutingData& track = Track(0, 2);
  const double south = kStart.Lat + 0.4;
  const double north = track.TrackFinish.Lat - 0.4;
  state_.CubeHiRes = routing_test::FieldStream(
      [&](const TMinutes& p) { return std::pair<double, int>{p.Lat > south && p.Lat < north ? 4.0 : 0.0, 180}; },
      state_.DateTimeGMT);
  state_.HideCurrent = false;
  routing_.GetDynamicGrid(true, kCourseBeat, track, state_);
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_EQ(state_.AppMessage, "Error: Grid exceeds limits!");
  EXPECT_EQ(routing_.Grid.Count(), 120);
}

TEST_F(DynamicGridTest, TheGridKeepsEarliestTimesAndStopsPastTheFinish) {
  TRoutingData& track = Track(0, 2);
  routing_.GetDynamicGrid(true, kCourseBeat, track, state_);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  const TGrid& grid = routing_.Grid;
  EXPECT_EQ(grid.BestLine, grid.Count() - 1);
  EXPECT_GT(grid.Count(), 40);
  EXPECT_LT(grid.Count(), 120);
  // Line L holds L points; every inner point of a line is reached from both
  // sides, the edges from one.
  TGrid& g = routing_.Grid;
  for (int line = 2; line <= g.Count(); ++line) {
    ASSERT_EQ(g.GetLine(line)->Count(), line);
    EXPECT_TRUE(g.GetPoint(line, line)->BeforeLeftExists);
    EXPECT_FALSE(g.GetPoint(line, line)->BeforeRightExists);
    EXPECT_TRUE(g.GetPoint(line, 1)->BeforeRightExists);
    EXPECT_FALSE(g.GetPoint(line, 1)->BeforeLeftExists);
  }
  const TGridPoint& arrival = *g.GetPoint(grid.BestLine, grid.BestIndex);
  EXPECT_LE(arrival.DistanceToFinish, 2 * std::max(routing_.MinDistanceFinish, 2.0 / 60));
  EXPECT_EQ(track.TimeBestCourse, std::min(grid.TimeLeft, grid.TimeRight));
}

TEST_F(DynamicGridTest, ProgressIsReportedUnlessSilent) {
  TRecordingSink sink;
  routing_.HandleFormControls(&sink);
  state_.ProgressValue = 0;
  state_.ProgressMaxValue = 2 * kProgressK + 76;
  TRoutingData& track = Track(0, 2);

  ASSERT_TRUE(routing_.GetFinishInLaylines(false, kCourseBeat, track, state_));
  const int lines = routing_.Grid.Count();
  EXPECT_EQ(static_cast<int>(sink.Texts.size()), lines / 18);
  for (const std::string& text : sink.Texts) EXPECT_EQ(text, "Detecting course type");
  // The beat cone is kept for the chart.
  EXPECT_EQ(state_.ListDetection.Count(), 2 * lines);

  sink.Texts.clear();
  routing_.GetDynamicGrid(false, kCourseBeat, track, state_);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  ASSERT_EQ(static_cast<int>(sink.Texts.size()), routing_.Grid.Count());
  EXPECT_EQ(sink.Texts.front(), "Building dynamic grid beat");
  EXPECT_EQ(sink.Texts.back(), "Building dynamic grid Beat");
  EXPECT_EQ(sink.Values.back(), 80);
  for (float value : sink.Values) EXPECT_LE(value, state_.ProgressMaxValue);

  routing_.GetRoutingBestLine(false, kCourseBeat, track, state_);
  routing_.GetRoutingLaylineLeft(false, track, state_);
  routing_.GetRoutingLaylineRight(false, track, state_);
  EXPECT_EQ(sink.Texts.back(), "Processing results");
  EXPECT_EQ(sink.Values.back(), state_.ProgressMaxValue);

  // Silent work reports nothing; a run's cone does not replace the beat's.
  sink.Texts.clear();
  const int cone = state_.ListDetection.Count();
  EXPECT_FALSE(routing_.GetFinishInLaylines(true, kCourseRun, track, state_));
  routing_.GetDynamicGrid(true, kCourseBeat, track, state_);
  EXPECT_TRUE(sink.Texts.empty());
  EXPECT_EQ(state_.ListDetection.Count(), cone);
}

}  // namespace
}  // namespace corvane
