// The leg steps of the application services: start moments, whether the
// results are shown at the chosen time, the line styles, and what one routed
// leg writes into its track and the state.

#include "analysis/leg_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "routing_services_world.h"

namespace corvane {
namespace {

using services_test::TServicesWorld;

constexpr TDateTime kSecond = 1.0 / 86400;

class LegServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(world_.Started()); }

  TServicesWorld world_;
  TInterfaceApplicationMobile& state_ = world_.State;
  TPackageApps& apps_ = world_.Apps;
};

TEST_F(LegServicesTest, LegsStartWhenThePreviousOneFinishesUnlessRoutedAlone) {
  world_.SetCourse("183;177;113;88", 12, 200);
  TListRoutingData& tracks = state_.ListRoutingData;
  ASSERT_EQ(tracks.Count(), 3);
  tracks.GetItem(0)->DateTimeFinishGMT = state_.DateTimeGMT + 0.04;
  tracks.GetItem(0)->DateTimeFinishLOC = state_.DateTimeLOC + 0.04;
  tracks.GetItem(1)->DateTimeFinishGMT = state_.DateTimeGMT + 0.09;
  tracks.GetItem(1)->DateTimeFinishLOC = state_.DateTimeLOC + 0.09;
  struct Case {
    const char* name;
    int index;
    bool single;
    TDateTime startGMT;
    TDateTime startLOC;
  };
  const Case cases[] = {
      {"first track", 0, false, state_.DateTimeGMT, state_.DateTimeLOC},
      {"second track of a course", 1, false, state_.DateTimeGMT + 0.04, state_.DateTimeLOC + 0.04},
      {"third track of a course", 2, false, state_.DateTimeGMT + 0.09, state_.DateTimeLOC + 0.09},
      {"third track alone", 2, true, state_.DateTimeGMT, state_.DateTimeLOC},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    apps_.SetTrackStartTime(c.index, c.single, state_);
    EXPECT_EQ(tracks.GetItem(c.index)->DateTimeStartGMT, c.startGMT);
    EXPECT_EQ(tracks.GetItem(c.index)->DateTimeStartLOC, c.startLOC);
  }
  apps_.SetTrackStartTime(3, false, state_);  // outside the list: nothing
  apps_.SetTrackStartTime(-1, false, state_);
}

TEST_F(LegServicesTest, TheHighWaterTextIsThatOfTheLegsStart) {
  world_.SetCourse("183;177", 12, 200);
  TRoutingData& track = *state_.ListRoutingData.GetItem(0);
  track.DateTimeStartGMT = state_.DateTimeGMT;
  apps_.SetHoursToRefTideText(track, state_);
  // The default moment, 1 September 2016 14:00 GMT, lies after the high
  // water of 12:16 GMT (13:16 local).
  EXPECT_EQ(track.HoursToRefTideText, "01:44 after HW at 13:16");
  track.DateTimeStartGMT = state_.DateTimeGMT - 2.0 / 24;
  apps_.SetHoursToRefTideText(track, state_);
  EXPECT_EQ(track.HoursToRefTideText, "00:16 before HW at 13:16");
}

TEST_F(LegServicesTest, ResultsAreShownOnlyWhileTheyFitTheChosenTime) {
  world_.SetCourse("183;177;113", 12, 200);
  TListRoutingData& tracks = state_.ListRoutingData;
  const TDateTime start = state_.DateTimeGMT;
  const TDateTime finish = start + 0.05;
  struct Case {
    const char* name;
    bool boatsOnTrack;
    bool firstEnabled;
    bool secondEnabled;
    TDateTime moment;
    bool drawn;
  };
  const Case cases[] = {
      {"boats: at the start", true, true, true, start, true},
      {"boats: at the last finish", true, true, true, finish, true},
      {"boats: a second after the last finish", true, true, true, finish + kSecond, false},
      {"boats: before the start", true, true, true, start - kSecond, false},
      {"boats: only the second track routed", true, false, true, start + 0.03, true},
      {"boats: nothing routed", true, false, false, start, false},
      {"no boats: exactly the start of track 0", false, true, true, start, true},
      {"no boats: a second later", false, true, true, start + kSecond, false},
      {"no boats: track 0 not routed", false, false, true, start + 0.03, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.DrawBoatsOnTrack = c.boatsOnTrack;
    state_.RoutingValid = true;
    tracks.GetItem(0)->RoutingEnabled = c.firstEnabled;
    tracks.GetItem(0)->DateTimeStartGMT = start;
    tracks.GetItem(0)->DateTimeFinishGMT = start + 0.03;
    tracks.GetItem(1)->RoutingEnabled = c.secondEnabled;
    tracks.GetItem(1)->DateTimeStartGMT = start + 0.03;
    tracks.GetItem(1)->DateTimeFinishGMT = finish;
    state_.DateTimeGMT = c.moment;
    apps_.GetDrawRouting(state_);
    EXPECT_EQ(state_.DrawRouting, c.drawn);
    // Results not shown are discarded.
    EXPECT_EQ(state_.RoutingValid, c.drawn);
    if (!c.drawn) {
      EXPECT_FALSE(tracks.GetItem(0)->RoutingEnabled || tracks.GetItem(1)->RoutingEnabled);
    }
  }
}

TEST_F(LegServicesTest, LineStylesFollowTheCourseType) {
  world_.SetCourse("183;177;113", 12, 200);
  TListRoutingData& tracks = state_.ListRoutingData;
  struct Case {
    const char* name;
    int trackType;
    TStrokeDash first;
    TStrokeDash second;
    TAlphaColor secondColor;  // the second track is selected
  };
  const Case cases[] = {
      {"course of waypoints", 3, TStrokeDash::Solid, TStrokeDash::Solid, kColorTrackDefault},
      {"windward-leeward", 1, TStrokeDash::Solid, TStrokeDash::Dash, 0xFF000000},
      {"single track", 0, TStrokeDash::Solid, TStrokeDash::Dot, 0xFF000000},
      {"type 2", 2, TStrokeDash::Solid, TStrokeDash::Dot, 0xFF000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (auto& track : tracks.Items) {
      track->StrokeDash = TStrokeDash::Dot;
      track->ColorTrack = 0xFF000000;
    }
    tracks.IndexTrack = 1;
    state_.TrackType = c.trackType;
    apps_.SetRoutingLineStroke(state_);
    EXPECT_EQ(tracks.GetItem(0)->StrokeDash, c.first);
    EXPECT_EQ(tracks.GetItem(1)->StrokeDash, c.second);
    EXPECT_EQ(tracks.GetItem(1)->ColorTrack, c.secondColor);
  }
  tracks.Clear();
  state_.TrackType = 1;
  apps_.SetRoutingLineStroke(state_);  // no track: nothing to style
}

TEST_F(LegServicesTest, APolarThatCannotSailTheLegLeavesItUnroutedButTheRunValid) {
  struct Case {
    const char* name;
    double bearing;  // wind from north
    int type;
    const char* message;
  };
  const Case cases[] = {
      {"beat", 0, 1, "Polars not valid beat!"},
      {"reach", 90, 2, "Polars not valid reach!"},
      {"run", 180, 3, "Polars not valid run!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRoutingData& track = world_.SetOpenWaterTrack(c.bearing, 2);
    // The polar of a class whose speeds never pass 2 knots.
    TPolars polars = state_.Polars;
    for (auto& column : state_.Polars.Velocity) {
      for (auto& speed : column) speed = std::min<double>(speed, 1.5);
    }
    track.TimeBestCourse = 1.25;  // an earlier result
    state_.RoutingValid = true;
    state_.AppMessage.clear();
    EXPECT_FALSE(apps_.ApplyLegRouting(true, world_.RouteOne(track), track, state_));
    EXPECT_EQ(track.TypeOfCourse, c.type);
    EXPECT_EQ(state_.AppMessage, c.message);
    EXPECT_TRUE(state_.RoutingValid);
    EXPECT_EQ(track.TimeBestCourse, 1.25);
    state_.Polars = polars;
  }
}

TEST_F(LegServicesTest, TheGridIsLoggedOnlyWhenAsked) {
  TRoutingData& track = world_.SetOpenWaterTrack(0, 1);
  state_.RoutingValid = true;
  ASSERT_TRUE(apps_.ApplyLegRouting(true, world_.RouteOne(track), track, state_)) << state_.AppMessage;
  EXPECT_TRUE(apps_.GridLog.List.empty());

  apps_.DebugGrid = true;
  state_.RoutingValid = true;
  const TLegRouting routed = world_.RouteOne(track);
  ASSERT_TRUE(apps_.ApplyLegRouting(true, routed, track, state_)) << state_.AppMessage;
  const TStringList& log = apps_.GridLog.List;
  const auto lines = std::count_if(log.begin(), log.end(), [](const std::string& line) { return line.rfind("Line=", 0) == 0; });
  ASSERT_GT(routed.GridTrace.size(), 10u);
  EXPECT_EQ(static_cast<std::size_t>(lines), routed.GridTrace.size());
  EXPECT_NE(std::find(log.begin(), log.end(), "TypeOfCourse=1"), log.end());
}

TEST_F(LegServicesTest, ARoutedLegWritesItsResultsAndFinishFromItsStart) {
  TRoutingData& track = world_.SetOpenWaterTrack(0, 1);
  track.DateTimeStartGMT = state_.DateTimeGMT + 0.5;
  track.DateTimeStartLOC = state_.DateTimeLOC + 0.5;
  state_.RoutingValid = true;
  const TLegRouting routed = world_.RouteOne(track);
  ASSERT_TRUE(apps_.ApplyLegRouting(true, routed, track, state_)) << state_.AppMessage;
  EXPECT_EQ(track.TypeOfCourse, 1);
  EXPECT_GT(track.TimeBestCourse, 0);
  EXPECT_EQ(track.TimeBestCourse, routed.Track.TimeBestCourse);
  EXPECT_EQ(track.ListBestCourse.Count(), routed.Track.ListBestCourse.Count());
  const double seconds = std::nearbyint(track.TimeBestCourse * 3600);
  EXPECT_NEAR((track.DateTimeFinishGMT - track.DateTimeStartGMT) * 86400, seconds, 1e-3);
  EXPECT_NEAR((track.DateTimeFinishLOC - track.DateTimeStartLOC) * 86400, seconds, 1e-3);
  EXPECT_GT(state_.Polars.BeatAngle, 30) << "the polar's lookups for the true wind";
  EXPECT_GT(state_.ListDetection.Count(), 3) << "the beat's detection cone";
  EXPECT_TRUE(state_.DrawRouting);
}

TEST_F(LegServicesTest, MarksAshoreResetTheRoutingAndLeaveTheTrackAlone) {
  TRoutingData& track = world_.SetOpenWaterTrack(0, 1);
  state_.ListMapTiles[0].InWaterLines.clear();
  track.TimeBestCourse = 1.25;
  track.TypeOfCourse = 3;
  state_.RoutingValid = true;
  EXPECT_FALSE(apps_.ApplyLegRouting(false, world_.RouteOne(track), track, state_));
  EXPECT_EQ(state_.AppMessage, "Error: Course marks in shallow waters!");
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_FALSE(state_.DrawRouting);
  EXPECT_EQ(track.TimeBestCourse, 1.25);
  EXPECT_EQ(track.TypeOfCourse, 3);
}

}  // namespace
}  // namespace corvane
