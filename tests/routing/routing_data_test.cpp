#include "routing/routing_data.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/constants.h"
#include "support/locale_guard.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::AddTrack;

TEST(RoutingDataTest, NewTrackHasDefaultStyleAndStableAddress) {
  TListRoutingData list;
  TRoutingData& first = list.Add();
  for (int i = 0; i < 20; ++i) list.Add();
  EXPECT_EQ(list.GetItem(0), &first);
  EXPECT_EQ(list.GetItem(21), nullptr);
  EXPECT_EQ(list.GetItem(-1), nullptr);
  EXPECT_EQ(first.ColorTrack, 0xFFFF0000u);
  EXPECT_EQ(first.ColorLaylines, 0xFF008000u);
  EXPECT_EQ(first.ColorLaylinesNoCurrents, 0xFFFFFF00u);
  EXPECT_TRUE(first.DrawLaylines);
  EXPECT_EQ(first.StrokeDash, TStrokeDash::Solid);
  EXPECT_EQ(first.TypeOfCourse, 0);
}

TEST(RoutingDataTest, WithoutTopMarkOffsetTheWindwardPointIsTheFinish) {
  TListRoutingData list;
  TRoutingData& track = list.Add();
  track.TrackStart = TMinutes{-80, 3040};
  track.TrackFinish = TMinutes{-78, 3042};
  list.SetRoutingDataByMarks();
  EXPECT_EQ(track.TrackWindward.Lon, track.TrackFinish.Lon);
  EXPECT_EQ(track.TrackWindward.Lat, track.TrackFinish.Lat);
  EXPECT_EQ(track.TrackCenter.Lon, -79);
  EXPECT_EQ(track.TrackCenter.Lat, 3041);
  EXPECT_NEAR(track.TrackDistance, list.MathTools.DistanceOfMinutes(track.TrackStart, track.TrackFinish), 1e-15);
  EXPECT_NEAR(track.TrackAngle, list.MathTools.AngleOfMinutes(track.TrackStart, track.TrackFinish), 1e-15);
}

TEST(RoutingDataTest, TopMarkOffsetTurnsTheWindwardPointAndTheImpliedWind) {
  TListRoutingData list;
  list.IndexTopMark = 15;
  const TMinutes start{-80, 3040};
  TRoutingData& track = AddTrack(list, start, 0, 1);
  list.SetRoutingDataByMarks();
  EXPECT_NEAR(track.TrackAngle, 0, 1e-9);
  EXPECT_NEAR(list.MathTools.DistanceOfMinutes(start, track.TrackWindward), 1, 1e-9);
  EXPECT_NEAR(list.MathTools.AngleOfMinutes(start, track.TrackWindward), 355, 1e-4);
  EXPECT_NEAR(list.GetTrueWindAngle(), 355 * kDegreesToRadians, 1e-9);
  EXPECT_EQ(TListRoutingData().GetTrueWindAngle(), 0);
}

TEST(RoutingDataTest, TextsRoundAndFollowTheLocaleSeparator) {
  struct Case {
    const char* name;
    char separator;
    const char* distance;
  };
  const Case cases[] = {{"point", '.', "1.23 nm"}, {"comma", ',', "1,23 nm"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TLocaleGuard guard(testing::MakeDecimalLocale(c.separator));
    TListRoutingData list;
    TRoutingData& track = AddTrack(list, TMinutes{-80, 3040}, 44.6, 1.234);
    list.SetRoutingDataByMarks();
    EXPECT_EQ(track.TrackAngleText, "45 deg");
    EXPECT_EQ(track.TrackDistanceText, c.distance);
  }
}

TEST(RoutingDataTest, WindwardLeewardPairIsLaidAroundTheBeatsCentre) {
  TListRoutingData list;
  list.IndexTopMark = 5;  // the windward mark 5 degrees left of the wind
  TRoutingData& beat = AddTrack(list, TMinutes{-80, 3040}, 30, 2);
  TRoutingData& run = list.Add();
  list.SetRoutingDataByMarks();
  const TMinutes center = beat.TrackCenter;
  const double wind = 200 * kDegreesToRadians;
  list.SetRoutingDataByWind(beat, run, wind);
  EXPECT_EQ(beat.TrackStart.Lat, run.TrackFinish.Lat);
  EXPECT_EQ(beat.TrackFinish.Lon, run.TrackStart.Lon);
  // The direct problem's arccos leaves micrometres of a mile in double.
  EXPECT_NEAR(list.MathTools.DistanceOfMinutes(center, beat.TrackStart), 1, 1e-7);
  EXPECT_NEAR(list.MathTools.AngleOfMinutes(center, beat.TrackStart), 20, 1e-3);
  EXPECT_NEAR(list.MathTools.DistanceOfMinutes(beat.TrackStart, beat.TrackFinish), 2, 1e-7);
  EXPECT_NEAR(list.MathTools.AngleOfMinutes(beat.TrackStart, beat.TrackFinish), 195, 1e-3);
}

TEST(RoutingDataTest, PolygonOfFewerThanThreePositionsReturnsTheFault) {
  TListCoords list;
  list.Add(-80, 3040);
  list.Add(TMinutes{-78, 3040});
  EXPECT_TRUE(list.GetInPolygon(TMinutes{-79, 3041}, true));
  EXPECT_FALSE(list.GetInPolygon(TMinutes{-79, 3041}, false));
  list.Add(-79, 3042);
  EXPECT_TRUE(list.GetInPolygon(TMinutes{-79, 3041}, false));
  EXPECT_TRUE(list.GetInPolygon(list.MathTools.MinutesToBogen(TMinutes{-79, 3041}), false));
  EXPECT_FALSE(list.GetInPolygon(TMinutes{-79, 3043}, true));
  list.Add("001:20:000W", "050:40:000N");
  EXPECT_NEAR(list.Items.back().CoordM.Lon, -80, 1e-9);
  EXPECT_NEAR(list.Items.back().CoordM.Lat, 3040, 1e-9);
  TListCoords copy;
  copy.Add();
  copy.Clone(list);
  EXPECT_EQ(copy.Count(), 4);
}

TEST(RoutingDataTest, CloneTakesResultsButNotTheDisplayOfTheSource) {
  TListRoutingData source;
  TRoutingData& track = source.Add();
  track.BuoyStart = "Kestrel";
  track.ColorTrack = 0xFF000000;
  track.DrawLaylines = false;
  track.StrokeDash = TStrokeDash::Dash;
  track.TimeBestCourse = 1.25;
  track.ListBestCourse.Add(-80, 3040);
  TBoat& boat = track.ListBoat.Add();
  boat.Tack = true;
  boat.Angle = 1;
  boat.Bug = 2;
  boat.Attack = 12;
  boat.Time = 0.5;
  source.IndexTrack = 0;

  TListRoutingData copy;
  copy.Clone(source);
  ASSERT_EQ(copy.Count(), 1);
  const TRoutingData& cloned = *copy.GetItem(0);
  EXPECT_EQ(cloned.ColorTrack, kColorTrackDefault);
  EXPECT_TRUE(cloned.DrawLaylines);
  EXPECT_EQ(cloned.BuoyStart, "");
  EXPECT_EQ(cloned.StrokeDash, TStrokeDash::Dash);
  EXPECT_EQ(cloned.TimeBestCourse, 1.25);
  EXPECT_EQ(cloned.ListBestCourse.Count(), 1);
  ASSERT_EQ(cloned.ListBoat.Count(), 1);
  const TBoat& b = cloned.ListBoat.Items[0];
  EXPECT_TRUE(b.Tack);
  EXPECT_EQ(b.Angle, 1);
  EXPECT_EQ(b.Bug, 2);
  EXPECT_EQ(b.Time, 0.5);
  EXPECT_EQ(b.Attack, 0);  // not carried over

  // The spare record round-trips a track.
  copy.Store(track);
  TRoutingData restored;
  copy.Restore(restored);
  EXPECT_EQ(restored.TimeBestCourse, 1.25);
  EXPECT_EQ(restored.ColorTrack, kColorTrackDefault);
}

TEST(RoutingDataTest, OnlyTheSelectedWaypointTrackKeepsItsColours) {
  TListRoutingData list;
  for (int i = 0; i < 3; ++i) list.Add().StrokeDash = TStrokeDash::Dash;
  list.IndexTrack = 1;
  list.SetRoutingLineStroke();
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TRoutingData& track = *list.GetItem(i);
    EXPECT_EQ(track.StrokeDash, TStrokeDash::Solid);
    EXPECT_EQ(track.DrawLaylines, i == 1);
    EXPECT_EQ(track.ColorTrack, i == 1 ? kColorTrackDefault : 0xFF000000u);
    EXPECT_EQ(track.ColorLaylines, i == 1 ? kColorLaylinesDefault : 0xFF000000u);
    EXPECT_EQ(track.ColorLaylinesNoCurrents, i == 1 ? kColorLaylinesNoCurrentsDefault : 0xFF000000u);
  }
}

}  // namespace
}  // namespace corvane
