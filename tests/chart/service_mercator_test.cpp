#include "chart/service_mercator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane {
namespace {

TMapArea Area(double west, double south, double east, double north, double width, double height) {
  TMapArea area;
  area.P1 = TMinutes{west, south};
  area.P2 = TMinutes{east, north};
  area.Width = width;
  area.Height = height;
  return area;
}

TEST(MeridionalPartTest, InverseReturnsTheLatitude) {
  for (double lat : {-3000.0, 0.0, 1.5, 3000.0, 3046.475, 4200.0}) {
    SCOPED_TRACE(static_cast<double>(lat));
    EXPECT_NEAR(static_cast<double>(MeridionalPartInverse(MeridionalPart(lat))),
                static_cast<double>(lat), 1e-9);
  }
  EXPECT_NEAR(static_cast<double>(MeridionalPart(0)), 0, 1e-12);
  // 7915.7 log10(tan(60 deg)) at 30 degrees north.
  EXPECT_NEAR(static_cast<double>(MeridionalPart(1800)), 1888.37, 0.01);
}

TEST(ServiceMercatorTest, CornersMapToTheFirstAndLastPixel) {
  TServiceMercator mercator;
  mercator.GetServiceMercator(Area(-100, 3000, -60, 3020, 1200, 950));
  EXPECT_NEAR(static_cast<double>(mercator.GetLatToPix(3000)), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(mercator.GetLatToPix(3020)), 949, 1e-9);
  for (double y : {0.0, 17.25, 500.0, 949.0}) {
    SCOPED_TRACE(static_cast<double>(y));
    EXPECT_NEAR(static_cast<double>(mercator.GetLatToPix(mercator.GetPixToLat(y))),
                static_cast<double>(y), 1e-7);
  }
  for (double x : {0.0, 3.5, 1199.0}) {
    EXPECT_NEAR(static_cast<double>(mercator.GetLonToPix(mercator.GetPixToLon(x))),
                static_cast<double>(x), 1e-9);
  }
  // Pixels per minute of latitude at the southern edge.
  EXPECT_NEAR(static_cast<double>(mercator.GetPixSM()),
              static_cast<double>(mercator.GetLatToPix(3001)), 1e-9);
}

TEST(ServiceMercatorTest, ANarrowChartIsWidenedToEqualScales) {
  // 10 minutes of longitude over 1000 pixels but 20 minutes of latitude
  // over 500: a pixel would span fewer minutes of longitude than
  // meridional parts, so the longitudes are widened symmetrically.
  TServiceMercator mercator;
  const TMapArea area = Area(-10, 3000, 0, 3020, 1000, 500);
  mercator.GetServiceMercator(area);
  EXPECT_LT(mercator.MINtoP1Lon, -10);
  EXPECT_GT(mercator.MINtoP2Lon, 0);
  EXPECT_NEAR(static_cast<double>(mercator.MINtoP1Lon + mercator.MINtoP2Lon), -10, 1e-9);
  EXPECT_EQ(area.P1.Lon, -10);  // the area keeps its corners
}

TEST(ServiceMercatorTest, DivisionGuards) {
  TServiceMercator mercator;
  mercator.GetServiceMercator(Area(-10, 3000, 0, 3020, 1, 0));
  EXPECT_EQ(mercator.ScaleLat, 1);
  TServiceMercator unset;
  EXPECT_EQ(unset.GetLonToPix(5), 0);
  EXPECT_EQ(unset.GetLatToPix(5), 0);
  EXPECT_EQ(mercator.GetRatio(Area(0, 3000, 10, 3000, 10, 10)), 1);
}

TEST(ServiceMercatorTest, OrientationAndSizing) {
  TServiceMercator mercator;
  // 40' x 20' near 50 N: landscape.
  EXPECT_EQ(mercator.GetOrientation(Area(-100, 3000, -60, 3020, 0, 0)), 1);
  EXPECT_EQ(mercator.GetOrientation(Area(-100, 3000, -95, 3040, 0, 0)), 2);

  TMapArea area = Area(-100, 3000, -60, 3020, 0, 1000);
  mercator.GetWidthMapArea(area);
  const double ratio = mercator.GetRatio(area);
  EXPECT_EQ(area.Width, std::trunc(40 * 1000 / 20 / ratio));
  mercator.GetHeightMapArea(area);
  EXPECT_NEAR(static_cast<double>(area.Height), 1000, 1);

  // The chart is never smaller than the device.
  TMapArea minArea;
  minArea.Width = 3000;
  minArea.Height = 2500;
  TMapArea chart = Area(-100, 3000, -60, 3020, 0, 0);
  mercator.GetDimensionMapArea(chart, minArea, 10);
  EXPECT_EQ(chart.Width, 3000);
  EXPECT_EQ(chart.Height, 2500);
  mercator.GetDimensionMapArea(chart, minArea, 100);
  EXPECT_EQ(chart.Width, 4000);
  EXPECT_EQ(chart.Height, std::trunc(ratio * 20 * 4000 / 40));
}

}  // namespace
}  // namespace corvane
