#include "routing/package_routing.h"

#include <gtest/gtest.h>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

const TMinutes kStart{-80, 3040};

class PackageRoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(routing_test::StartBuiltIn(state_));
    routing_test::SetOpenWater(state_);
    state_.HideCurrent = true;
    state_.Wind.TrueWind = TPolar{12, 0};
  }

  TRoutingData& Track(double bearing, double distance) {
    TListRoutingData& list = state_.ListRoutingData;
    list.Clear();
    TRoutingData& track = routing_test::AddTrack(list, kStart, bearing, distance);
    list.SetRoutingDataByMarks();
    track.DateTimeStartGMT = state_.DateTimeGMT;
    track.DateTimeStartLOC = state_.DateTimeLOC;
    return track;
  }

  // One leg through the facade, silent.
  void Route(TRoutingData& track) {
    state_.RoutingValid = true;
    state_.AppMessage.clear();
    routing_.GetCourseInWater(track, state_);
    if (!state_.RoutingValid) return;
    routing_.GetTypeOfCourse(true, track, state_);
    if (track.TypeOfCourse == kCourseReach) {
      routing_.GetStripesReach(track, state_);
      routing_.GetIsochronicGridRouting(true, kCourseReach, track, state_);
    } else {
      routing_.GetDynamicGridRouting(true, track.TypeOfCourse, track, state_);
    }
  }

  TInterfaceApplicationMobile state_;
  TPackageRouting routing_;
};

TEST_F(PackageRoutingTest, EachLegTypeIsRoutedOnItsGrid) {
  struct Case {
    const char* name;
    double bearing;
    int type;
  };
  const Case cases[] = {
      {"beat", 10, kCourseBeat},
      {"run", 175, kCourseRun},
      {"reach", 100, kCourseReach},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRoutingData& track = Track(c.bearing, 2.5);
    Route(track);
    EXPECT_EQ(track.TypeOfCourse, c.type);
    EXPECT_TRUE(state_.RoutingValid) << state_.AppMessage;
    EXPECT_GT(track.TimeBestCourse, 0.2);
    EXPECT_LT(track.TimeBestCourse, 1);
    EXPECT_GT(track.ListBestCourse.Count(), 3);
    EXPECT_GT(track.DateTimeFinishGMT, track.DateTimeStartGMT);
    // Without stream the wind does not shift.
    EXPECT_NEAR(track.CurrentsWindShift, 0, 1e-9);
  }
}

TEST_F(PackageRoutingTest, LegsTooLongForTheTimeLimitAreRefused) {
  state_.MaxTimeToFinish = 0.1f;
  for (double bearing : {0.0, 100.0}) {
    SCOPED_TRACE(static_cast<double>(bearing));
    TRoutingData& track = Track(bearing, 2.5);
    Route(track);
    EXPECT_FALSE(state_.RoutingValid);
    EXPECT_EQ(state_.AppMessage, "Error: Low VMG!");
  }
}

TEST_F(PackageRoutingTest, ResetDisablesEveryTrackButKeepsTheResults) {
  TRoutingData& track = Track(10, 2.5);
  Route(track);
  ASSERT_TRUE(state_.RoutingValid);
  track.RoutingEnabled = true;
  state_.DrawRouting = true;
  const int points = track.ListBestCourse.Count();
  routing_.Reset(state_);
  EXPECT_FALSE(track.RoutingEnabled);
  EXPECT_FALSE(state_.RoutingValid);
  EXPECT_FALSE(state_.DrawRouting);
  EXPECT_EQ(track.ListBestCourse.Count(), points);
}

TEST_F(PackageRoutingTest, TheReachCorridorBecomesTheAtlasRoutingArea) {
  TRoutingData& track = Track(100, 2.5);
  state_.GRIBCurrentLoaded = true;
  // The high-resolution atlas keeps whatever area it had (the start-up may
  // have set one): with a GRIB current only the low-resolution one routes.
  const std::size_t hiResArea = state_.CubeHiRes.ListRoutingArea.size();
  routing_.GetStripesReach(track, state_);
  EXPECT_EQ(state_.CubeLoRes.ListRoutingArea.size(), 5u);
  EXPECT_EQ(state_.CubeHiRes.ListRoutingArea.size(), hiResArea);
  EXPECT_EQ(track.ListLaylineLeft.Count(), kCountStripes + 1);
  EXPECT_EQ(track.ListLaylineRight.Count(), kCountStripes + 1);
}

}  // namespace
}  // namespace corvane
