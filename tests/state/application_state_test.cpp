#include "state/application_state.h"

#include <gtest/gtest.h>

#include "core/constants.h"
#include "core/date_time.h"
#include "state/settings_quarne.h"

namespace corvane {
namespace {

TEST(ApplicationStateTest, ConstructionDefaultsBeforeRegionSetup) {
  TInterfaceApplicationMobile state;
  EXPECT_EQ(state.Version, ".1");
  EXPECT_EQ(state.AppName, "CORVANE ANALYZER - The Quarne 2016.1");
  EXPECT_EQ(state.MaxCurrent, 2);
  EXPECT_EQ(state.DeviceZoomMax, 5);
  EXPECT_EQ(state.DeviceZoomStep, 1);
  EXPECT_EQ(state.ScaleModel, 1);
  EXPECT_EQ(state.AppScaleBuoys, 1);
  EXPECT_FALSE(state.DrawLatLonGrid);
  EXPECT_EQ(state.IndexPosition, -1);
  EXPECT_TRUE(state.ListRoutingData.Count() == 0);
  EXPECT_EQ(state.ListRoutingData.IndexTopMark, 10);
  EXPECT_EQ(state.Polars.nCols, 9);
  EXPECT_EQ(state.Polars.nRows, 10);
  EXPECT_EQ(state.Polars.GybeAngleMax, 175);
}

TEST(ApplicationStateTest, RegionSetupOnTheDesktop) {
  TInterfaceApplicationMobile state;
  TSettingsQuarne().Setup(2, 0, state);

  EXPECT_EQ(state.AppName, "CORVANE ANALYZER - The Quarne 2016.4");
  EXPECT_EQ(state.IniName, "TheQuarne2016.ini");
  EXPECT_EQ(state.MaxCurrent, 4);
  EXPECT_EQ(state.AppScaleBuoys, 0.8);
  EXPECT_EQ(state.ScaleModel, 1.175);
  EXPECT_TRUE(state.DrawLatLonGrid);
  // The zoom buttons reach the top in eight steps from the whole chart.
  EXPECT_EQ(state.DeviceZoomMax, 25);
  EXPECT_EQ(state.DeviceZoomStep, 3.125);

  // The default moment, course, boat, wind and calibration.
  EXPECT_EQ(state.DateTimeGMT, EncodeDateTime(2016, 9, 1, 14, 0, 0, 0));
  EXPECT_EQ(state.ListWayPoints, "183;177");
  EXPECT_EQ(state.BoatClass, "GRAND-SOLEIL39-NEW-C");
  EXPECT_EQ(state.Wind.IndexSpeed, 2);
  EXPECT_NEAR(static_cast<double>(state.Wind.TrueWind.Winkel * kRadiansToDegrees), 60.0, 1e-12);
  EXPECT_EQ(state.IndexTideShift, 15);
  EXPECT_EQ(state.IndexRangeShift, 20);
  EXPECT_EQ(state.TrackType, 3);

  EXPECT_EQ(state.DateTimeMinLOC, EncodeDateTime(2016, 1, 2, 1, 0, 0, 0));
  EXPECT_EQ(state.DateTimeMaxLOC, EncodeDateTime(2016, 12, 29, 23, 0, 0, 0));
}

TEST(ApplicationStateTest, LatLonGridOnlyOnTheDesktop) {
  TInterfaceApplicationMobile state;
  TSettingsQuarne().Setup(1, 0, state);
  EXPECT_FALSE(state.DrawLatLonGrid);
}

TEST(ApplicationStateTest, LocalTimeFollowsTheTimeZoneSettings) {
  TInterfaceApplicationMobile state;
  state.TimeZone = 0;
  state.TimeZoneOffset = 0;
  state.DateTimeGMT = EncodeDateTime(2016, 7, 1, 12, 0, 0, 0);
  SetDateTimeLOC(state);
  EXPECT_EQ(state.DateTimeLOC, EncodeDateTime(2016, 7, 1, 13, 0, 0, 0));

  state.DateTimeLOC = EncodeDateTime(2016, 1, 15, 12, 0, 0, 0);
  state.TimeZone = 5;  // no summer-time rule
  state.TimeZoneOffset = 1;
  SetDateTimeGMT(state);
  EXPECT_EQ(state.DateTimeGMT, EncodeDateTime(2016, 1, 15, 11, 0, 0, 0));
}

}  // namespace
}  // namespace corvane
