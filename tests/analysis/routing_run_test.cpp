// The routing run: the wind-speed check, the legs in order with their
// start moments, every message a run shows and when, the window's parts of
// the run, and the end state of windward-leeward courses.

#include "analysis/routing_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/date_time.h"
#include "routing_services_world.h"

namespace corvane {
namespace {

using services_test::TRecordingWindow;
using services_test::TServicesWorld;
using TShown = std::vector<std::pair<TMessageKind, std::string>>;

class RoutingRunTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(world_.Started()); }

  // A second track in open water, from the first one's finish.
  TRoutingData& AddOpenWaterTrack(double bearing, double distance) {
    TListRoutingData& tracks = state_.ListRoutingData;
    const TRoutingData& previous = *tracks.GetItem(tracks.Count() - 1);
    TRoutingData& track = test_support::AddTrack(tracks, previous.TrackFinish, bearing, distance);
    tracks.SetRoutingDataByMarks();
    return track;
  }

  TServicesWorld world_;
  TInterfaceApplicationMobile& state_ = world_.State;
};

TEST_F(RoutingRunTest, EveryMessageOfALegIsShownAfterIt) {
  using open_water::Rectangle;
  struct Case {
    const char* name;
    double bearing;  // of a 2 nm leg from the start, wind 12 knots from north
    std::function<void(TInterfaceApplicationMobile&, TRoutingData&)> arrange;
    TShown shown;
    bool valid;
  };
  const auto slowPolar = [](TInterfaceApplicationMobile& state, TRoutingData&) {
    for (auto& column : state.Polars.Velocity) {
      for (auto& speed : column) speed = std::min<double>(speed, 1.5);
    }
  };
  // Water only inside the given rectangles of the open-water tile.
  const auto waterOnly = [](TListPolygon water) {
    return [water](TInterfaceApplicationMobile& state, TRoutingData&) { state.ListMapTiles[0].InWaterLines = water; };
  };
  const Case cases[] = {
      {"a routed beat", 0, [](TInterfaceApplicationMobile&, TRoutingData&) {}, {}, true},
      {"wind below 6 knots", 0,
       [](TInterfaceApplicationMobile& state, TRoutingData&) { state.Wind.TrueWind.Betrag = 5.9; },
       {{TMessageKind::Information, "Low wind speed"}}, false},
      {"finish off the water", 0,
       [](TInterfaceApplicationMobile&, TRoutingData& track) { track.TrackFinish = TMinutes{-100, 3040}; },
       {{TMessageKind::Plain, "Error: Course marks in shallow waters!"}}, false},
      // A leg refused by its polar that was never routed holds no finish
      // time that covers the chosen moment: the results are not shown and
      // the routing is reset (a leg routed before keeps its old results,
      // see below).
      {"beat with a slow polar", 0, slowPolar, {{TMessageKind::Plain, "Polars not valid beat!"}}, false},
      {"reach with a slow polar", 90, slowPolar, {{TMessageKind::Plain, "Polars not valid reach!"}}, false},
      {"run with a slow polar", 180, slowPolar, {{TMessageKind::Plain, "Polars not valid run!"}}, false},
      {"beat longer than the time limit", 0,
       [](TInterfaceApplicationMobile& state, TRoutingData&) { state.MaxTimeToFinish = 0.05f; },
       {{TMessageKind::Plain, "Error: Low VMG!"}}, false},
      {"reach longer than the time limit", 90,
       [](TInterfaceApplicationMobile& state, TRoutingData&) { state.MaxTimeToFinish = 0.05f; },
       {{TMessageKind::Plain, "Error: Low VMG!"}}, false},
      {"beat between two ponds", 0,
       waterOnly({Rectangle(-80.3, -79.7, 3039.9, 3040.1), Rectangle(-80.3, -79.7, 3041.9, 3042.1)}),
       {{TMessageKind::Plain, "Error: Routing across shallow waters!"}}, false},
      {"reach from a pond", 90,
       waterOnly({Rectangle(-80.01, -79.99, 3039.99, 3040.01), Rectangle(-76.9, -76.7, 3039.9, 3040.1)}),
       {{TMessageKind::Plain, "Routing failed"}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Messages.Shown.clear();
    TRoutingData& track = world_.SetOpenWaterTrack(c.bearing, 2);
    TPolars polars = state_.Polars;
    const float maxTime = state_.MaxTimeToFinish;
    c.arrange(state_, track);
    const TRoutingRunResult result = world_.Run(false, false);
    EXPECT_EQ(world_.Messages.Shown, c.shown);
    EXPECT_EQ(state_.RoutingValid, c.valid);
    EXPECT_EQ(result.AllRouted(), c.shown.empty());
    state_.Polars = polars;
    state_.MaxTimeToFinish = maxTime;
  }
}

TEST_F(RoutingRunTest, AStreamAgainstTheLegWarnsOrFailsAfterIt) {
  // A uniform stream over open water. The simulator's application type
  // keeps the run from replacing it with the tidal atlas of the moment (and
  // counts every position afloat).
  struct Case {
    const char* name;
    double bearing;  // of a 1 nm leg, wind 12 knots from north
    double knots;    // stream flowing against the leg
    TShown shown;
    bool valid;
  };
  const Case cases[] = {
      {"beat, 1 knot", 0, 1, {}, true},
      // The tacks over ground open wide but still close on the mark.
      {"beat, 3 knots", 0, 3, {}, true},
      // The grid's lines are timed for the boat's own speed: against 4
      // knots it runs out of lines short of the mark.
      {"beat, 4 knots", 0, 4, {{TMessageKind::Plain, "Error: Mark not reached!"}}, false},
      {"reach, 4 knots", 90, 4, {}, true},
      // A mean VMG below 2 knots is routed with a warning.
      {"reach, 5.5 knots", 90, 5.5, {{TMessageKind::Plain, "Low VMG - routing might fail!"}}, true},
      {"run, 7 knots", 180, 7, {{TMessageKind::Plain, "Low VMG - routing might fail!"}}, true},
      // The isochrones no longer move away from the start.
      {"reach, 7 knots", 90, 7, {{TMessageKind::Plain, "Routing failed"}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.Messages.Shown.clear();
    world_.SetOpenWaterTrack(c.bearing, 1);
    state_.HideCurrent = false;
    state_.AppType = kAppTypeSimulator;
    state_.CubeHiRes = open_water::UniformStream(c.knots, static_cast<int>(c.bearing) + 180, state_.DateTimeGMT);
    world_.Run(false, false);
    EXPECT_EQ(world_.Messages.Shown, c.shown);
    EXPECT_EQ(state_.RoutingValid, c.valid);
    { const TRoutingData& t = *state_.ListRoutingData.Items[0]; printf("DBG %s time=%.4f h type=%d vmg=%.3f left=%.4f right=%.4f\n", c.name, t.TimeBestCourse, t.TypeOfCourse, t.TrackVMG, t.TimeLaylineLeft, t.TimeLaylineRight); }
  }
}

TEST_F(RoutingRunTest, ASilentRunRoutesAtAnyWindAndShowsNothing) {
  TRoutingData& track = world_.SetOpenWaterTrack(0, 2);
  state_.Wind.TrueWind.Betrag = 5.9;
  TRecordingWindow window;
  const TRoutingRunResult result = world_.Run(true, false, &window);
  EXPECT_TRUE(result.AllRouted()) << state_.AppMessage;
  EXPECT_TRUE(track.RoutingEnabled);
  EXPECT_GT(track.TimeBestCourse, 0);
  EXPECT_TRUE(state_.DrawRouting);
  EXPECT_TRUE(world_.Messages.Shown.empty());
  // Only the chart is drawn; no panel is touched.
  EXPECT_EQ(window.Calls, (std::vector<std::string>{"DrawOffScreen", "DrawOffScreen"}));
  EXPECT_EQ(state_.ProgressValue, 0);
}

TEST_F(RoutingRunTest, ARunBelowSixKnotsRoutesNothing) {
  TRoutingData& track = world_.SetOpenWaterTrack(0, 2);
  state_.Wind.TrueWind.Betrag = 5.9;
  TRecordingWindow window;
  const TRoutingRunResult result = world_.Run(false, false, &window);
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(result.LegsTried, 0);
  EXPECT_FALSE(track.RoutingEnabled);
  EXPECT_EQ(track.TypeOfCourse, 0);
  EXPECT_EQ(window.Calls, (std::vector<std::string>{"DrawOffScreen"}));
}

TEST_F(RoutingRunTest, TheWindowsPartsComeInTheOrderOfTheRun) {
  world_.SetOpenWaterTrack(0, 1);
  AddOpenWaterTrack(90, 1);
  TRecordingWindow window;
  ASSERT_TRUE(world_.Run(false, false, &window).AllRouted()) << state_.AppMessage;
  // The chart is drawn before the run and once more with the whole course.
  const std::vector<std::string> expected{"DrawOffScreen",  "ShowResultsTab", "SetControlsRouting(false)",
                                          "SetDataResults", "RepaintMap",     "DrawOffScreen",
                                          "RepaintMap",     "SetDataResults", "SetControlsRouting(true)",
                                          "SetTimeSteps"};
  EXPECT_EQ(window.Calls, expected);
}

TEST_F(RoutingRunTest, AMessageOfTheFirstLegIsShownAgainAfterTheSecond) {
  TRoutingData& beat = world_.SetOpenWaterTrack(0, 1);
  TRoutingData& reach = AddOpenWaterTrack(90, 1);
  ASSERT_TRUE(world_.Run(false, false).AllRouted()) << state_.AppMessage;
  world_.Messages.Shown.clear();
  const double beatTime = beat.TimeBestCourse;
  // Upwind speeds too low to route a beat: the beat is refused and keeps
  // its earlier results, which still cover the chosen moment, so the run
  // goes on and routes the reach.
  for (auto& column : state_.Polars.Velocity) column.front() = 1.5;
  const TRoutingRunResult result = world_.Run(false, false);
  EXPECT_EQ(world_.Messages.Texts(), (std::vector<std::string>{"Polars not valid beat!", "Polars not valid beat!"}));
  EXPECT_TRUE(state_.RoutingValid);
  EXPECT_EQ(result.LegsTried, 2);
  EXPECT_EQ(result.LegsRouted, 1);
  EXPECT_FALSE(result.AllRouted());
  EXPECT_EQ(beat.TypeOfCourse, 1);
  EXPECT_EQ(beat.TimeBestCourse, beatTime);
  EXPECT_EQ(reach.TypeOfCourse, 2);
  EXPECT_GT(reach.TimeBestCourse, 0);
}

TEST_F(RoutingRunTest, LegsFollowEachOtherAndAFailureStopsTheRun) {
  TRoutingData& first = world_.SetOpenWaterTrack(0, 1);
  TRoutingData& second = AddOpenWaterTrack(90, 1);
  TRoutingData& third = AddOpenWaterTrack(180, 1);
  ASSERT_TRUE(world_.Run(false, false).AllRouted()) << state_.AppMessage;
  EXPECT_EQ(first.DateTimeStartGMT, state_.DateTimeGMT);
  EXPECT_EQ(second.DateTimeStartGMT, first.DateTimeFinishGMT);
  EXPECT_EQ(third.DateTimeStartGMT, second.DateTimeFinishGMT);
  EXPECT_GT(third.DateTimeFinishGMT, third.DateTimeStartGMT);
  EXPECT_EQ(state_.ListRoutingData.IndexTrack, 2);

  // "Routing track" on the third leg starts it at the chosen time.
  state_.ListRoutingData.IndexTrack = 2;
  ASSERT_TRUE(world_.Run(false, true).AllRouted()) << state_.AppMessage;
  EXPECT_EQ(third.DateTimeStartGMT, state_.DateTimeGMT);
  EXPECT_FALSE(first.RoutingEnabled);

  // A failing second leg leaves the third untouched and nothing drawn.
  second.TrackFinish = TMinutes{-100, 3040};
  const TRoutingRunResult result = world_.Run(false, false);
  EXPECT_EQ(result.LegsTried, 2);
  EXPECT_FALSE(result.RoutingValid);
  EXPECT_FALSE(third.RoutingEnabled);
  EXPECT_FALSE(state_.DrawRouting);
  EXPECT_EQ(world_.Messages.Texts().back(), "Error: Course marks in shallow waters!");
}

TEST_F(RoutingRunTest, ACourseAcrossLandIsWarnedOfOnTheFirstRun) {
  // Orrasey Post to a mark on the far side of the island, right after the
  // start-up.
  world_.SetCourse("183;20", 12, 200);
  world_.Run(false, false);
  ASSERT_FALSE(world_.Messages.Shown.empty());
  EXPECT_EQ(world_.Messages.Shown.front(),
            std::make_pair(TMessageKind::Plain, std::string("Course ashore - routing might fail!")));

  // The default course lies in open water: no warning.
  world_.Messages.Shown.clear();
  world_.SetCourse("183;177", 12, 200);
  EXPECT_TRUE(world_.Run(false, false).AllRouted()) << state_.AppMessage;
  EXPECT_TRUE(world_.Messages.Shown.empty());
}

TEST_F(RoutingRunTest, AWindwardLeewardCourseEndsWithItsBeatSelected) {
  state_.TrackType = 1;
  state_.ListWayPoints = "0;1";
  world_.Apps.SetListRoutingData(state_);
  state_.Wind.TrueWind.Betrag = 12;
  ASSERT_EQ(state_.ListRoutingData.Count(), 2);
  struct Case {
    const char* name;
    bool single;
    int selected;
  };
  const Case cases[] = {{"routing all", false, 0}, {"routing the run alone", true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.ListRoutingData.IndexTrack = c.selected;
    const TRoutingRunResult result = world_.Run(false, c.single);
    EXPECT_TRUE(result.AllRouted()) << state_.AppMessage;
    EXPECT_EQ(state_.ListRoutingData.IndexTrack, 0);
    EXPECT_EQ(state_.ListRoutingData.GetItem(1)->StrokeDash, TStrokeDash::Dash);
  }
  EXPECT_EQ(state_.ListRoutingData.GetItem(0)->TypeOfCourse, 1);
  EXPECT_EQ(state_.ListRoutingData.GetItem(1)->TypeOfCourse, 3);
}

TEST_F(RoutingRunTest, TheInputsKeyChangesWithWhatARunIsPreparedFrom) {
  world_.SetCourse("183;177", 12, 60);
  const TDateTime moment = state_.DateTimeGMT;
  const std::string key = RoutingInputsKey(state_);
  EXPECT_EQ(RoutingInputsKey(state_), key);
  struct Case {
    const char* name;
    std::function<void(TInterfaceApplicationMobile&)> change;
  };
  const std::vector<Case> cases = {
      {"the moment", [](TInterfaceApplicationMobile& s) { s.DateTimeGMT = IncMinute(s.DateTimeGMT, 1); }},
      {"the wind", [](TInterfaceApplicationMobile& s) { s.Wind.TrueWind.Winkel += 0.01; }},
      {"the calibration", [](TInterfaceApplicationMobile& s) { s.TideTimeShift = 10; }},
      {"a mark", [](TInterfaceApplicationMobile& s) { s.ListRoutingData.GetItem(0)->TrackFinish.Lat += 0.01; }},
      {"the depth line", [](TInterfaceApplicationMobile& s) { s.IndexDepthLine = 2; }},
      {"the polar", [](TInterfaceApplicationMobile& s) { s.Polars.Velocity[3][4] += 0.1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world_.SetCourse("183;177", 12, 60);
    state_.DateTimeGMT = moment;
    state_.TideTimeShift = 0;
    state_.IndexDepthLine = 0;
    ASSERT_EQ(RoutingInputsKey(state_), key);
    const TPolars polars = state_.Polars;
    c.change(state_);
    EXPECT_NE(RoutingInputsKey(state_), key);
    state_.Polars = polars;
  }
}

}  // namespace
}  // namespace corvane
