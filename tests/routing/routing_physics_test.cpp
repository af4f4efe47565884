// End-to-end checks of the dynamic grid against what the polar alone
// predicts: a beat straight into the wind, the symmetry of its laylines and
// of mirrored courses, a run carried by a uniform stream, a leg across a
// headland, and the default course of the built-in data.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "core/constants.h"
#include "routing/dynamic_grid.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::SetOpenWater;
using routing_test::StartBuiltIn;
using routing_test::TLand;
using routing_test::UniformStream;

constexpr double kWindSpeed = 12;
const TMinutes kStart{-80, 3040};

class RoutingPhysicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartBuiltIn(state_));
    SetOpenWater(state_);
    state_.HideCurrent = true;
    state_.MaxTimeToFinish = 5;
    SetWindFrom(0);
  }

  void SetWindFrom(double degrees) {
    state_.Wind.TrueWind = TPolar{kWindSpeed, degrees * kDegreesToRadians};
    grid_.PackagePolars.GetPolarData(state_);
  }

  // A track from kStart, `distance` nm on `bearing` degrees.
  TRoutingData& Track(double bearing, double distance) {
    list_.Clear();
    TRoutingData& track = routing_test::AddTrack(list_, kStart, bearing, distance);
    list_.SetRoutingDataByMarks();
    track.DateTimeStartGMT = state_.DateTimeGMT;
    track.DateTimeStartLOC = state_.DateTimeLOC;
    return track;
  }

  // The steps of one beat or run leg, silent, as the leg routing runs them.
  void Route(TRoutingData& track) {
    state_.RoutingValid = true;
    state_.AppMessage.clear();
    grid_.GetCourseInWater(track, state_);
    if (!state_.RoutingValid) return;
    track.TypeOfCourse = kCourseReach;
    if (grid_.GetFinishInLaylines(true, kCourseBeat, track, state_)) {
      track.TypeOfCourse = kCourseBeat;
    } else if (grid_.GetFinishInLaylines(true, kCourseRun, track, state_)) {
      track.TypeOfCourse = kCourseRun;
    }
    if (track.TypeOfCourse == kCourseReach) return;
    ASSERT_FALSE(state_.LowVMG);
    const int type = track.TypeOfCourse;
    grid_.GetDynamicGrid(true, type, track, state_);
    grid_.GetRoutingBestLine(true, type, track, state_);
    grid_.GetRoutingLaylineLeft(true, track, state_);
    grid_.GetRoutingLaylineRight(true, track, state_);
    grid_.GetLaylinesNoCurrents(type, track, state_);
    grid_.GetCurrentsWindShift(track, state_);
    grid_.GetTopMarkApproach(track, state_);
  }

  int Tacks(const TRoutingData& track) const {
    int tacks = 0;
    for (const TBoat& boat : track.ListBoat.Items) tacks += boat.Tack ? 1 : 0;
    return tacks;
  }

  TInterfaceApplicationMobile state_;
  TListRoutingData list_;
  TDynamicGrid grid_;
};

TEST_F(RoutingPhysicsTest, BeatIntoTheWindTakesTheDistanceOverTheBeatVMGPlusTheTacks) {
  const double distance = 3;
  TRoutingData& track = Track(0, distance);
  const auto begin = std::chrono::steady_clock::now();
  Route(track);
  const auto elapsed = std::chrono::steady_clock::now() - begin;
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  ASSERT_EQ(track.TypeOfCourse, kCourseBeat);

  const TPolars& polars = state_.Polars;
  const double vmg = polars.BeatSpeed * std::cos(polars.BeatAngle * kDegreesToRadians);
  const int tacks = Tacks(track);
  EXPECT_GE(tacks, 1);
  const double expected = distance / vmg + tacks * polars.BeatTackTime / 3600;
  EXPECT_NEAR(track.TimeBestCourse, expected, 0.03 * expected)
      << "beat " << polars.BeatSpeed << " kn at " << polars.BeatAngle << " deg, " << tacks
      << " tacks";
  // Straight into the wind neither side is favoured.
  EXPECT_TRUE(track.LayLinesValid);
  EXPECT_NEAR(track.TimeLaylineLeft, track.TimeLaylineRight, 0.01 * track.TimeBestCourse);
  EXPECT_LT(std::chrono::duration<double>(elapsed).count(), 1.0);
  // The best course runs from the finish back to the start.
  EXPECT_EQ(track.ListBestCourse.Count(), grid_.Grid.BestLine + 1);
  EXPECT_NEAR(track.ListBestCourse.Items.back().CoordM.Lat, kStart.Lat, 1e-9);
  EXPECT_EQ(track.ListBoat.Items.back().Time, 0);
}

// In a uniform wind every route on the two headings that reaches the mark
// with the same tacks takes the same time, so the grid's choice among them
// follows rounding; what must mirror are the times, the tack count, the
// laylines (each one edge of the grid and one tack) and their corners.
TEST_F(RoutingPhysicsTest, MirroringTheCourseAboutTheWindMirrorsTheResults) {
  TRoutingData& first = Track(15, 3);
  Route(first);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  TRoutingData right;
  right.Clone(first);

  TRoutingData& left = Track(360 - 15, 3);
  Route(left);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;

  EXPECT_NEAR(left.TimeBestCourse, right.TimeBestCourse, 1e-3 * right.TimeBestCourse);
  EXPECT_EQ(Tacks(left), Tacks(right));
  EXPECT_NEAR(left.TimeLaylineLeft, right.TimeLaylineRight, 1.0 / 3600);
  EXPECT_NEAR(left.TimeLaylineRight, right.TimeLaylineLeft, 1.0 / 3600);
  const auto mirrored = [](const TMinutes& a, const TMinutes& b) {
    return std::fabs((a.Lon - kStart.Lon) - (kStart.Lon - b.Lon)) < 1e-3 &&
           std::fabs(a.Lat - b.Lat) < 1e-3;
  };
  ASSERT_EQ(left.ListLaylineLeft.Count(), right.ListLaylineRight.Count());
  for (int i = 0; i < left.ListLaylineLeft.Count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(mirrored(left.ListLaylineLeft.Items[static_cast<std::size_t>(i)].CoordM,
                         right.ListLaylineRight.Items[static_cast<std::size_t>(i)].CoordM));
  }
  EXPECT_TRUE(mirrored(left.LayLineCrossLeft, right.LayLineCrossRight));
  EXPECT_TRUE(mirrored(left.LayLineCrossRight, right.LayLineCrossLeft));
  EXPECT_TRUE(mirrored(left.TrackFinish, right.TrackFinish));
}

// Two grid lines that straddle the finish alike leave almost no change of
// the best distance; the arrival, one point spacing from the mark, is still
// accepted at every angle of a beat.
TEST_F(RoutingPhysicsTest, BeatsAtEveryAngleInsideTheConeReachTheMark) {
  for (int bearing = -34; bearing <= 34; bearing += 2) {
    SCOPED_TRACE(bearing);
    TRoutingData& track = Track(bearing < 0 ? 360 + bearing : bearing, 2.5);
    Route(track);
    EXPECT_EQ(track.TypeOfCourse, kCourseBeat);
    EXPECT_TRUE(state_.RoutingValid) << state_.AppMessage;
  }
}

TEST_F(RoutingPhysicsTest, UniformStreamAlongARunShortensItByTheStreamsShare) {
  const double distance = 3;
  const double stream = 1;
  TRoutingData& still = Track(180, distance);
  Route(still);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  ASSERT_EQ(still.TypeOfCourse, kCourseRun);
  const double timeStill = still.TimeBestCourse;
  const int gybesStill = Tacks(still);

  state_.CubeHiRes = UniformStream(stream, 180, state_.DateTimeGMT);
  state_.HideCurrent = false;
  TRoutingData& carried = Track(180, distance);
  Route(carried);
  ASSERT_TRUE(state_.RoutingValid) << state_.AppMessage;
  ASSERT_EQ(carried.TypeOfCourse, kCourseRun);

  // On the water the boat feels the wind less the stream, and the stream
  // adds its whole speed to the velocity made good.
  const auto runVMG = [this](double windSpeed) {
    const TPolar wind{windSpeed, 0};
    const double speed = grid_.PackagePolars.GetRunSpeed(wind, state_.Polars);
    const double gybe = grid_.PackagePolars.GetGybeAngle(wind, state_.Polars);
    return speed * std::cos(kPi - gybe * kDegreesToRadians);
  };
  const double gybe = 2.0 / 3600;
  const double expectedStill = distance / runVMG(kWindSpeed) + gybesStill * gybe;
  const double expectedCarried = distance / (runVMG(kWindSpeed - stream) + stream) + Tacks(carried) * gybe;
  EXPECT_NEAR(timeStill, expectedStill, 0.03 * expectedStill);
  EXPECT_NEAR(carried.TimeBestCourse, expectedCarried, 0.03 * expectedCarried);
  EXPECT_LT(carried.TimeBestCourse, timeStill);
  // The mean stream on the track is the uniform stream.
  EXPECT_NEAR(carried.StreamOnTrack.x, 0, 1e-6);
  EXPECT_NEAR(carried.StreamOnTrack.y, -stream, 1e-3);
}

TEST_F(RoutingPhysicsTest, ALegAcrossAHeadlandIsRoutedAroundItNeverThroughIt) {
  const TLand headland{-95, -79.6, 3041.8, 3042.3};
  SetOpenWater(state_, headland);
  TRoutingData& track = Track(0, 4);
  Route(track);
  if (!state_.RoutingValid) {
    EXPECT_TRUE(state_.AppMessage == "Error: Routing across shallow waters!" ||
                state_.AppMessage == "Error: Mark not reached!")
        << state_.AppMessage;
    return;
  }
  ASSERT_GE(track.ListBestCourse.Count(), 2);
  const auto onLand = [&headland](const TMinutes& p) {
    return p.Lon >= headland.West && p.Lon <= headland.East && p.Lat >= headland.South &&
           p.Lat <= headland.North;
  };
  for (int i = 1; i < track.ListBestCourse.Count(); ++i) {
    const TMinutes& a = track.ListBestCourse.Items[static_cast<std::size_t>(i - 1)].CoordM;
    const TMinutes& b = track.ListBestCourse.Items[static_cast<std::size_t>(i)].CoordM;
    for (int j = 0; j <= 20; ++j) {
      const double f = j / 20.0;
      const TMinutes p{a.Lon + f * (b.Lon - a.Lon), a.Lat + f * (b.Lat - a.Lat)};
      ASSERT_FALSE(onLand(p)) << "segment " << i << " at " << p.Lon << ", " << p.Lat;
    }
  }
  // Rounding the headland's tip takes longer than the open beat would.
  const TPolars& polars = state_.Polars;
  const double vmg = polars.BeatSpeed * std::cos(polars.BeatAngle * kDegreesToRadians);
  EXPECT_GT(track.TimeBestCourse, 4 / vmg);
}

TEST_F(RoutingPhysicsTest, DetectionSortsLegsByTheirAngleToTheWind) {
  struct Case {
    const char* name;
    double bearing;
    int type;
  };
  const Case cases[] = {
      {"dead upwind", 0, kCourseBeat},
      {"dead downwind", 180, kCourseRun},
      {"across the wind", 90, kCourseReach},
      {"across the wind, other side", 270, kCourseReach},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRoutingData& track = Track(c.bearing, 3);
    int type = kCourseReach;
    if (grid_.GetFinishInLaylines(true, kCourseBeat, track, state_)) {
      type = kCourseBeat;
    } else if (grid_.GetFinishInLaylines(true, kCourseRun, track, state_)) {
      type = kCourseRun;
    }
    EXPECT_EQ(type, c.type);
  }
}

TEST(RoutingBuiltInTest, TheDefaultCourseIsABeatRoutedWithinTheWaters) {
  TInterfaceApplicationMobile state;
  ASSERT_TRUE(StartBuiltIn(state));
  state.HideCurrent = true;
  state.Wind.TrueWind = TPolar{7, kPi / 3};  // the default wind: 7 kn from 60 degrees
  // Every tile takes part, as when the leg's area covers the whole chart.
  for (TMapTiles& tile : state.ListMapTiles) tile.Routing = true;
  TListRoutingData list;
  TRoutingData& track = list.Add();
  track.TrackStart = state.ListBuoysPosition.at(183);
  track.TrackFinish = state.ListBuoysPosition.at(177);
  list.SetRoutingDataByMarks();
  EXPECT_EQ(track.TrackDistanceText, "2.99 nm");
  EXPECT_EQ(track.TrackAngleText, "60 deg");

  TDynamicGrid grid;
  state.RoutingValid = true;
  grid.GetCourseInWater(track, state);
  ASSERT_TRUE(state.RoutingValid) << state.AppMessage;
  ASSERT_TRUE(grid.GetFinishInLaylines(true, kCourseBeat, track, state));
  EXPECT_GT(state.ListDetection.Count(), 3);
  track.TypeOfCourse = kCourseBeat;
  grid.GetDynamicGrid(true, kCourseBeat, track, state);
  grid.GetRoutingBestLine(true, kCourseBeat, track, state);
  grid.GetRoutingLaylineLeft(true, track, state);
  grid.GetRoutingLaylineRight(true, track, state);
  ASSERT_TRUE(state.RoutingValid) << state.AppMessage;
  for (const TCoords& coords : track.ListBestCourse.Items) {
    EXPECT_TRUE(grid.GetInWater(coords.CoordM, state));
  }
  // 7 knots of wind: the polar's beat VMG sets the pace.
  const double vmg = state.Polars.BeatSpeed * std::cos(state.Polars.BeatAngle * kDegreesToRadians);
  EXPECT_GT(track.TimeBestCourse, 2.99 / vmg * 0.97);
  EXPECT_LT(track.TimeBestCourse, 2.99 / vmg * 1.2);
}

}  // namespace
}  // namespace corvane
