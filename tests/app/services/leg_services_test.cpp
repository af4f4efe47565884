// The leg steps of the application services: start moments, whether the
// results are shown at the chosen time, the tiles flagged for a leg's area,
// the line styles, and one leg routed with its polar checks.

#include "app/services/leg_services.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Six tiles of 5' x 2' in three columns and two rows (row 1 north) on a
// chart frame of exactly their extent.
class TileMarkingTest : public LegServicesTest {
 protected:
  void SetUp() override {
    LegServicesTest::SetUp();
    state_.ListMapTiles.clear();
    for (int v = 1; v <= 2; ++v) {
      for (int h = 1; h <= 3; ++h) {
        TMapTiles tile;
        tile.IndexH = h;
        tile.IndexV = v;
        tile.P1 = TMinutes{kWest + (h - 1) * 5, kNorth - v * 2};
        tile.P2 = TMinutes{kWest + h * 5, kNorth - (v - 1) * 2};
        state_.ListMapTiles.push_back(tile);
      }
    }
    state_.SeaMap.P1 = TMinutes{kWest, kNorth - 4};
    state_.SeaMap.P2 = TMinutes{kWest + 15, kNorth};
  }

  std::vector<std::string> Flagged() const {
    std::vector<std::string> flagged;
    for (const TMapTiles& tile : state_.ListMapTiles) {
      if (tile.Routing) flagged.push_back(std::to_string(tile.IndexH) + "," + std::to_string(tile.IndexV));
    }
    return flagged;
  }

  static constexpr double kWest = -100;
  static constexpr double kNorth = 3050;
};

TEST_F(TileMarkingTest, TheTilesUnderTheRoutingAreaAreFlaggedAndStaySo) {
  struct Case {
    const char* name;
    TListMinutes area;
    std::vector<std::string> flagged;
  };
  const Case cases[] = {
      {"inside the middle north tile", {{-94, 3049}, {-92, 3049}, {-93, 3048.5}}, {"2,1"}},
      {"on the edge of a tile, within the tolerance",
       {{-94.9995, 3049}, {-94, 3049}, {-94.5, 3048.5}},
       {"1,1", "2,1"}},
      {"across the middle from the west north tile to the east south tile",
       {{-99, 3049}, {-86, 3047}, {-99, 3047}},
       {"1,1", "2,1", "3,1", "1,2", "2,2", "3,2"}},
      {"reaching beyond the frame to the south", {{-89, 3049}, {-88, 3040}, {-87, 3049}}, {"3,1", "3,2"}},
      {"beyond the frame to the west", {{-104, 3049}, {-96, 3049}, {-96, 3048.5}}, {"1,1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (TMapTiles& tile : state_.ListMapTiles) tile.Routing = false;
    state_.CubeHiRes.ListRoutingArea = c.area;
    apps_.SetTilesOnRoutingArea(state_);
    EXPECT_EQ(Flagged(), c.flagged);
  }
  // A later area adds its tiles; none is cleared.
  state_.CubeHiRes.ListRoutingArea = {{-84, 3047}, {-86, 3047}, {-85, 3046.5}};
  apps_.SetTilesOnRoutingArea(state_);
  EXPECT_EQ(Flagged(), (std::vector<std::string>{"1,1", "3,2"}));
}

TEST_F(TileMarkingTest, AGRIBCurrentMarksTheTilesOfTheLowResolutionCube) {
  state_.GRIBCurrentLoaded = true;
  state_.CubeLoRes.ListRoutingArea = {{-94, 3049}, {-92, 3049}, {-93, 3048.5}};
  state_.CubeHiRes.ListRoutingArea = {{-89, 3047}, {-87, 3047}, {-88, 3046.5}};
  apps_.SetTilesOnRoutingArea(state_);
  EXPECT_EQ(Flagged(), (std::vector<std::string>{"2,1"}));
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
    EXPECT_FALSE(apps_.GetRouting(true, track, state_));
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
  ASSERT_TRUE(apps_.GetRouting(true, track, state_)) << state_.AppMessage;
  EXPECT_TRUE(apps_.GridLog.List.empty());

  apps_.DebugGrid = true;
  state_.RoutingValid = true;
  ASSERT_TRUE(apps_.GetRouting(true, track, state_)) << state_.AppMessage;
  const TStringList& log = apps_.GridLog.List;
  const auto lines = std::count_if(log.begin(), log.end(), [](const std::string& line) { return line.rfind("Line=", 0) == 0; });
  EXPECT_EQ(lines, apps_.PackageRouting.DynamicGrid.Grid.Count());
  EXPECT_NE(std::find(log.begin(), log.end(), "TypeOfCourse=1"), log.end());
}

}  // namespace
}  // namespace corvane
