// The course services on the built-in buoys: the waypoint text and its
// edits, the tracks built from it, the movable marks and the shortcut text.

#include "analysis/course_services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

// Buoys of the built-in data set used below.
constexpr int kMark1 = 0;           // movable mark 1
constexpr int kMark2 = 1;           // movable mark 2
constexpr int kOrraseyPost = 183;   // the default course's start
constexpr int kFennickPost = 177;   // the default course's finish
constexpr int kKestrowKnoll = 88;   // shortcut 3V
constexpr int kKestrowPatch = 113;  // shortcut 4P

class CourseServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loader_.LoadListBuoys(state_);
    ASSERT_EQ(state_.ListBuoysPosition.size(), 195u);
    ASSERT_EQ(state_.ListBuoysName[kKestrowPatch], "Kestrow Patch - 4P");
    ASSERT_EQ(state_.ListBuoysName[kKestrowKnoll], "Kestrow Knoll - 3V");
  }

  const TRoutingData& Track(int i) const { return *state_.ListRoutingData.GetItem(i); }
  int Tracks() const { return state_.ListRoutingData.Count(); }

  TTempFolder documents_;
  TPackageResourceLoader loader_{BuiltInResourceStore(), TFileTools(documents_.path())};
  TInterfaceApplicationMobile state_;
  TCourseServices services_;
};

TEST_F(CourseServicesTest, CountWaypointsKeepsEmptyItemsButNotOneTrailingSemicolon) {
  struct Case {
    std::string text;
    int count;
  };
  const std::vector<Case> cases = {
      {"183;177", 2}, {"183;177;", 2}, {"183;;177", 3}, {"183", 1}, {"", 0}, {";", 0}, {";;", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    state_.ListWayPoints = c.text;
    EXPECT_EQ(services_.GetCountWaypoints(state_), c.count);
  }
}

TEST_F(CourseServicesTest, IndexBuoyIsMinusOneForAnythingThatNamesNoBuoy) {
  struct Case {
    std::string text;
    int index;
    int buoy;
  };
  const std::vector<Case> cases = {
      {"183;;177", 0, kOrraseyPost},
      {"183;;177", 1, -1},  // empty item
      {"183;;177", 2, kFennickPost},
      {"183;;177", 3, -1},   // beyond the list
      {"183;;177", -1, -1},  // negative
      {"183;abc;177", 1, -1},
      {"183; 177", 1, -1},  // no trimming
      {"183;195", 1, -1},   // one past the last buoy
      {"183;-4", 1, -1},
      {"0;194", 1, 194},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " @" + std::to_string(c.index));
    state_.ListWayPoints = c.text;
    EXPECT_EQ(services_.GetIndexBuoy(c.index, state_), c.buoy);
  }
}

TEST_F(CourseServicesTest, TheDefaultCourseIsOneTrackBetweenItsBuoys) {
  ASSERT_EQ(state_.ListWayPoints, "183;177");
  state_.ListRoutingData.IndexTrack = 3;
  services_.SetListRoutingData(state_);

  ASSERT_EQ(Tracks(), 1);
  EXPECT_EQ(state_.ListRoutingData.IndexTrack, 0);
  const TRoutingData& track = Track(0);
  EXPECT_EQ(track.IndexStart, kOrraseyPost);
  EXPECT_EQ(track.IndexFinish, kFennickPost);
  EXPECT_EQ(track.BuoyStart, "Orrasey Post - 7Y");
  EXPECT_EQ(track.BuoyFinish, "Fennick Post - 7S");
  EXPECT_EQ(track.TrackStart.Lon, state_.ListBuoysPosition[kOrraseyPost].Lon);
  EXPECT_EQ(track.TrackFinish.Lat, state_.ListBuoysPosition[kFennickPost].Lat);
  EXPECT_TRUE(track.DrawGesture);
  // The derived geometry is there: 4.1' of longitude east (2.6 nm at this
  // latitude) and 1.5' north.
  EXPECT_NEAR(track.TrackDistance, 2.99, 0.02);
  EXPECT_FALSE(track.TrackAngleText.empty());
  EXPECT_FALSE(track.TrackDistanceText.empty());
  EXPECT_EQ(track.TrackWindward.Lon, track.TrackFinish.Lon);
}

TEST_F(CourseServicesTest, TracksSkipEmptyAndForeignItems) {
  struct Case {
    std::string text;
    std::vector<std::pair<int, int>> tracks;
  };
  const std::vector<Case> cases = {
      {"183;177;", {{183, 177}}},
      {"183;;177", {{183, 177}}},
      {";183;;;177;;", {{183, 177}}},
      // A settings file edited by hand: what names no buoy is left out.
      {"183;abc;195;-4;177", {{183, 177}}},
      {"183;177;88", {{183, 177}, {177, 88}}},
      {"183", {}},
      {"183;;abc", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    state_.ListWayPoints = c.text;
    services_.SetListRoutingData(state_);
    ASSERT_EQ(Tracks(), static_cast<int>(c.tracks.size()));
    for (int i = 0; i < Tracks(); ++i) {
      EXPECT_EQ(Track(i).IndexStart, c.tracks[static_cast<std::size_t>(i)].first);
      EXPECT_EQ(Track(i).IndexFinish, c.tracks[static_cast<std::size_t>(i)].second);
    }
    // The text itself is not rewritten by the track builder.
    EXPECT_EQ(state_.ListWayPoints, c.text);
  }
}

TEST_F(CourseServicesTest, WindwardLeewardAddsTheReturnTrackAndTurnsTheWind) {
  // The two movable marks lie on one parallel, mark 2 east of mark 1.
  state_.ListBuoysPosition[kMark1] = TMinutes{-77.3, 3046.9};
  state_.ListBuoysPosition[kMark2] = TMinutes{-75.9, 3046.9};
  state_.TrackType = 1;
  state_.ListWayPoints = "0;1";
  state_.Wind.TrueWind.Winkel = 0;

  services_.SetListRoutingData(state_);

  ASSERT_EQ(Tracks(), 2);
  EXPECT_EQ(Track(0).IndexStart, kMark1);
  EXPECT_EQ(Track(0).IndexFinish, kMark2);
  EXPECT_TRUE(Track(0).DrawGesture);
  EXPECT_EQ(Track(1).IndexStart, kMark2);
  EXPECT_EQ(Track(1).IndexFinish, kMark1);
  EXPECT_EQ(Track(1).BuoyStart, Track(0).BuoyFinish);
  EXPECT_EQ(Track(1).BuoyFinish, Track(0).BuoyStart);
  EXPECT_EQ(Track(1).TrackStart.Lon, Track(0).TrackFinish.Lon);
  EXPECT_FALSE(Track(1).DrawGesture);
  EXPECT_NEAR(Track(0).TrackAngle, 90, 0.1);
  EXPECT_NEAR(Track(1).TrackAngle, 270, 0.1);
  // The wind blows from the windward mark: from the east.
  EXPECT_NEAR(state_.Wind.TrueWind.Winkel, kPi / 2, 0.002);

  // With a top-mark offset of 5 degrees (IndexTopMark 15) the wind comes
  // from 5 degrees left of the first track's bearing.
  state_.ListRoutingData.IndexTopMark = 15;
  services_.SetListRoutingData(state_);
  EXPECT_NEAR(state_.Wind.TrueWind.Winkel, 85 * kDegreesToRadians, 0.002);
}

TEST_F(CourseServicesTest, WindwardLeewardMirrorsTheLastTrack) {
  state_.TrackType = 1;
  state_.ListWayPoints = "183;177;88";
  services_.SetListRoutingData(state_);
  ASSERT_EQ(Tracks(), 3);
  EXPECT_EQ(Track(2).IndexStart, kKestrowKnoll);
  EXPECT_EQ(Track(2).IndexFinish, kFennickPost);
  EXPECT_NEAR(state_.Wind.TrueWind.Winkel, Track(0).TrackAngle * kDegreesToRadians, 1e-9);
}

TEST_F(CourseServicesTest, WindwardLeewardWithoutATrackLeavesTheWind) {
  state_.TrackType = 1;
  state_.ListWayPoints = "183";
  state_.Wind.TrueWind.Winkel = 1.25;
  services_.SetListRoutingData(state_);
  EXPECT_EQ(Tracks(), 0);
  EXPECT_EQ(state_.Wind.TrueWind.Winkel, 1.25);
}

TEST_F(CourseServicesTest, AddingStopsAtTwelveWaypoints) {
  state_.ListWayPoints = "183;177";
  services_.AddListWaypoints(state_);
  EXPECT_EQ(state_.ListWayPoints, "183;177;0");

  const std::string twelve = "1;2;3;4;5;6;7;8;9;10;11;12";
  state_.ListWayPoints = twelve;
  services_.AddListWaypoints(state_);
  EXPECT_EQ(state_.ListWayPoints, twelve);
}

TEST_F(CourseServicesTest, DeletingKeepsTwoWaypoints) {
  struct Case {
    std::string text;
    int index;
    bool removed;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"183;177", 0, false, "183;177"},
      {"183;177;88", 1, true, "183;88"},
      {"183;177;88;", 2, true, "183;177"},
      {"183;;88", 1, true, "183;88"},
      {"183;177;88", 3, false, "183;177;88"},
      {"183;177;88", -1, false, "183;177;88"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " @" + std::to_string(c.index));
    state_.ListWayPoints = c.text;
    EXPECT_EQ(services_.DeleteAndMoveListWaypoints(c.index, state_), c.removed);
    EXPECT_EQ(state_.ListWayPoints, c.after);
  }
}

TEST_F(CourseServicesTest, ModifyingStoresTheBuoyAtTheSelectedRow) {
  struct Case {
    std::string text;
    int row;
    int buoy;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"183;177", 1, 88, "183;88"},
      {"183;177;", 0, 5, "5;177"},
      {"183;177", 2, 88, "183;177;88"},
      {"183;177", 4, 88, "183;177;;;88"},  // rows in between stay empty
      {"", 0, 7, "7"},
      {"183;177", -1, 88, "183;177"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " @" + std::to_string(c.row));
    state_.ListWayPoints = c.text;
    services_.SetIndexWaypointByIndex(c.row, state_);
    services_.ModifyListWaypoints(c.buoy, state_);
    EXPECT_EQ(state_.ListWayPoints, c.after);
  }
}

TEST_F(CourseServicesTest, TheRowOfTheSenderBecomesTheWaypointIndex) {
  services_.SetIndexWaypointByIndex(3, state_);
  EXPECT_EQ(state_.IndexWaypoint, 3);
  services_.SetIndexWaypointByIndex(-1, state_);
  EXPECT_EQ(state_.IndexWaypoint, -1);
  services_.SetIndexWaypointByIndex(-7, state_);
  EXPECT_EQ(state_.IndexWaypoint, -1);
}

TEST_F(CourseServicesTest, MovingAWaypointToAnotherRow) {
  struct Case {
    std::string name;
    std::string text;
    int from;
    int to;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"down", "1;2;3;4", 0, 2, "2;3;1;4"},
      {"up", "1;2;3;4", 3, 1, "1;4;2;3"},
      {"to the last row", "1;2;3;4", 1, 3, "1;3;4;2"},
      {"same row", "1;2;3;4", 2, 2, "1;2;3;4"},
      {"negative source", "1;2;3;4", -1, 2, "1;2;3;4"},
      {"negative target", "1;2;3;4", 1, -1, "1;2;3;4"},
      {"beyond the list: appended, old row emptied", "1;2;3", 0, 5, ";2;3;1"},
      {"source beyond the list", "1;2;3", 4, 0, "1;2;3"},
      {"trailing semicolon", "1;2;3;", 2, 0, "3;1;2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.ListWayPoints = c.text;
    services_.MoveListWaypoints(c.from, c.to, state_);
    EXPECT_EQ(state_.ListWayPoints, c.after);
  }
}

TEST_F(CourseServicesTest, MovingAMarkMovesEveryTrackEndAtIt) {
  state_.ListWayPoints = "0;183;0";
  services_.SetListRoutingData(state_);
  ASSERT_EQ(Tracks(), 2);
  const TMinutes moved{-80.2, 3047.5};  // 1 nm north of Orrasey Post

  EXPECT_TRUE(services_.GetMovableMarkIsWaypoint(kMark1, moved, state_));
  EXPECT_EQ(Track(0).TrackStart.Lat, moved.Lat);
  EXPECT_EQ(Track(1).TrackFinish.Lat, moved.Lat);
  // The geometry follows the new position.
  EXPECT_NEAR(Track(0).TrackDistance, 1, 1e-3);
  EXPECT_NEAR(Track(0).TrackAngle, 180, 1e-3);
  EXPECT_NEAR(std::remainder(Track(1).TrackAngle, 360.0), 0, 1e-3);  // north
}

TEST_F(CourseServicesTest, MovingAMarkThatIsNoTrackEndChangesNothing) {
  services_.SetListRoutingData(state_);  // 183 to 177
  ASSERT_EQ(Tracks(), 1);
  const TRoutingData before = Track(0);

  EXPECT_FALSE(services_.GetMovableMarkIsWaypoint(kMark2, TMinutes{-70, 3040}, state_));
  EXPECT_EQ(Track(0).TrackStart.Lon, before.TrackStart.Lon);
  EXPECT_EQ(Track(0).TrackFinish.Lat, before.TrackFinish.Lat);
  EXPECT_EQ(Track(0).TrackAngle, before.TrackAngle);
  EXPECT_EQ(Track(0).TrackDistance, before.TrackDistance);
}

TEST_F(CourseServicesTest, ShortCutsMakeTheCourse) {
  struct Case {
    std::string text;
    bool accepted;
    std::string course;
  };
  const std::vector<Case> cases = {
      {"4P 3V", true, "113;88"},
      {"4P", false, "183;177"},
      {"4P 3V ", true, "113;88"},
      {"4P   3V", true, "113;88"},
      {"4P XX 3V", true, "113;88"},    // a code no buoy carries is skipped
      {"4P 3VV 3V", true, "113;88"},   // so is an item of another length
      {"3V 4P 3V", true, "88;113;88"},  // the same buoy twice
      {"4p 3v", false, "183;177"},     // codes are upper case
      {"XX YY", false, "183;177"},
      {"", false, "183;177"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    state_.ListWayPoints = "183;177";
    EXPECT_EQ(services_.GetShortCutWaypoints(c.text, state_), c.accepted);
    EXPECT_EQ(state_.ListWayPoints, c.course);
  }
}

TEST_F(CourseServicesTest, AShortCutCourseNamesWhatItSkipped) {
  const TShortCutCourse course = services_.GetShortCutCourse("4P  XX 3V ABC", state_);
  EXPECT_EQ(course.Buoys, (TIntegerArray{kKestrowPatch, kKestrowKnoll}));
  EXPECT_EQ(course.Skipped, (TStringList{"XX", "ABC"}));
  // Buoys without a code are not found by the empty text.
  EXPECT_EQ(services_.GetIndexBuoyOfShortCut("", state_), -1);
}

}  // namespace
}  // namespace corvane
