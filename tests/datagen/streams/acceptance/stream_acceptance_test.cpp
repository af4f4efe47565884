// The acceptance of the modelled streams: the model's tide at the
// reference port against its harmonic prediction, and the plausibility of
// the streams (their strength, their direction along the coast, their
// reversal in the cycle, the ratio of neap to spring speeds).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "../stream_atlas_fixture.h"

namespace corvane {
namespace {

using namespace stream_atlas_test;

TEST(StreamAtlasTest, TheStrongestSpringStreamIsBetweenTwoAndAHalfAndSixKnots) {
  TAtlas atlas;
  Load(atlas);
  const TListVektorCubeLight& hi = atlas.State.CubeHiRes;
  double strongest = 0;
  for (int f = 0; f < kCharts; ++f)
    for (int i = 0; i < hi.GetCountVektors(0); ++i) strongest = std::max(strongest, At(hi, 0, f, i).Spring);
  EXPECT_GE(strongest, 2.5);
  EXPECT_LE(strongest, 6.0);
}

TEST(StreamAtlasTest, NearTheCoastTheStreamRunsAlongIt) {
  TAtlas atlas;
  Load(atlas);
  std::string error;
  const auto mask = TLandMask::Load(CORVANE_LAND_MASK_FILE, error);
  ASSERT_TRUE(mask) << error;
  const TListVektorCubeLight& hi = atlas.State.CubeHiRes;
  constexpr double kCoastRange = 0.3;  // minutes of latitude (nautical miles)
  const double cell = static_cast<double>(mask->Cell());
  int nearCoast = 0, along = 0;
  for (int i = 0; i < hi.GetCountVektors(0); ++i) {
    const TMinutes p = hi.GetVektorMinutes(0, i);
    const double cosLat = std::cos(static_cast<double>(p.Lat) / 60 * std::numbers::pi / 180);
    // The coastline cells (land with a water neighbour) within range; their
    // principal axis is the coast's direction.
    const int c0 = mask->ColumnOf(p.Lon), r0 = mask->RowOf(p.Lat);
    const int dc = static_cast<int>(kCoastRange / cosLat / cell) + 1;
    const int dr = static_cast<int>(kCoastRange / cell) + 1;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    int n = 0;
    for (int r = r0 - dr; r <= r0 + dr; ++r) {
      for (int c = c0 - dc; c <= c0 + dc; ++c) {
        if (!mask->IsLandCell(c, r)) continue;
        if (mask->IsLandCell(c - 1, r) && mask->IsLandCell(c + 1, r) && mask->IsLandCell(c, r - 1) &&
            mask->IsLandCell(c, r + 1))
          continue;
        const double x = static_cast<double>(mask->CellCentreLon(c) - p.Lon) * cosLat;
        const double y = static_cast<double>(mask->CellCentreLat(r) - p.Lat);
        if (x * x + y * y > kCoastRange * kCoastRange) continue;
        sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
        ++n;
      }
    }
    if (n < 5) continue;
    const double mx = sx / n, my = sy / n;
    const double cxx = sxx / n - mx * mx, cyy = syy / n - my * my, cxy = sxy / n - mx * my;
    // Principal axis angle from east, turned into a bearing from north.
    const double axis = 90 - 0.5 * std::atan2(2 * cxy, cxx - cyy) * 180 / std::numbers::pi;
    bool fast = false, parallel = true;
    for (int f = 0; f < kCharts; ++f) {
      const TVector v = At(hi, 0, f, i);
      if (!(v.Spring > 0.5)) continue;
      fast = true;
      const double off = std::min(AngleBetween(v.Direction, axis), AngleBetween(v.Direction, axis + 180));
      // Every chart faster than 0.5 kn counts, those near the turn of the
      // stream included.
      if (off > 30) parallel = false;
    }
    if (!fast) continue;
    ++nearCoast;
    if (parallel) ++along;
  }
  ASSERT_GT(nearCoast, 100);
  EXPECT_GE(along, 0.9 * nearCoast) << along << " of " << nearCoast;
}

TEST(StreamAtlasTest, EveryWaterPointsStreamReversesInTheCycle) {
  TAtlas atlas;
  Load(atlas);
  for (const TListVektorCubeLight* cube : {&atlas.State.CubeLoRes, &atlas.State.CubeHiRes}) {
    for (int c = 0; c < cube->GetCountCubes(); ++c) {
      for (int i = 0; i < cube->GetCountVektors(c); ++i) {
        double turn = 0;
        for (int f = 0; f < kCharts; ++f) {
          const TVector a = At(*cube, c, f, i);
          if (!a.Stream || !(a.Spring > 0)) continue;
          for (int g = f + 1; g < kCharts; ++g) {
            const TVector b = At(*cube, c, g, i);
            if (b.Stream && b.Spring > 0) turn = std::max(turn, AngleBetween(a.Direction, b.Direction));
          }
        }
        EXPECT_GT(turn, 120) << "cube " << c << " point " << i;
      }
    }
  }
}

TEST(StreamAtlasTest, NeapStreamsAreAboutHalfTheSpringStreams) {
  TAtlas atlas;
  Load(atlas);
  const TListVektorCubeLight& hi = atlas.State.CubeHiRes;
  int points = 0, inRange = 0;
  for (int i = 0; i < hi.GetCountVektors(0); ++i) {
    double spring = 0, neap = 0;
    for (int f = 0; f < kCharts; ++f) {
      spring = std::max(spring, At(hi, 0, f, i).Spring);
      neap = std::max(neap, At(hi, 0, f, i).Neap);
    }
    if (!(spring > 0.2)) continue;
    ++points;
    const double ratio = neap / spring;
    if (ratio >= 0.35 && ratio <= 0.65) ++inRange;
  }
  ASSERT_GT(points, 1000);
  EXPECT_GE(inRange, 0.9 * points) << inRange << " of " << points;
}

TEST(StreamModelCalibrationTest, ThePortsTideMatchesItsPrediction) {
  const auto report = ReadReport();
  ASSERT_TRUE(report.count("m2_amplitude_ratio")) << CORVANE_STREAMS_CALIBRATION_REPORT;
  const double ratio = std::stod(report.at("m2_amplitude_ratio"));
  const double phase = std::stod(report.at("m2_phase_error_minutes"));
  const double highWater = std::stod(report.at("high_water_worst_error_minutes"));
  EXPECT_NEAR(ratio, 1.0, 0.15);
  EXPECT_LE(std::abs(phase), 15.0);
  EXPECT_LE(highWater, 20.0);
}

}  // namespace
}  // namespace corvane
