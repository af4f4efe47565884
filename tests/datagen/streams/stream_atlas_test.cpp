// Checks of the built-in tidal stream atlas (STREAMG, STREAMP, STREAMF,
// STREAMV, AREAS, STREAMT, SLACK) as the analyzer loads it: both grids and
// their sub-areas, the points inside their polygons, labels and slacks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "stream_atlas_fixture.h"

namespace corvane {
namespace {

using namespace stream_atlas_test;

TEST(StreamAtlasTest, BothGridsLoadWithTwentySixChartsAndShareTheirSubAreas) {
  TAtlas atlas;
  Load(atlas);
  const TListVektorCubeLight& lo = atlas.State.CubeLoRes;
  const TListVektorCubeLight& hi = atlas.State.CubeHiRes;
  ASSERT_TRUE(atlas.Tides.TimeCharts30);
  ASSERT_EQ(lo.GetCountCubes(), 8);
  ASSERT_EQ(hi.GetCountCubes(), 8);
  EXPECT_EQ(lo.ModelName, "Model The Quarne 2016");
  EXPECT_EQ(hi.ModelName, "Model The Quarne 2016");
  EXPECT_FLOAT_EQ(lo.ModelFrame.Left, -94.203f);
  EXPECT_FLOAT_EQ(lo.ModelFrame.Top, 3051.18f);
  EXPECT_GT(lo.GetCountVektors(0), 300);
  EXPECT_GT(hi.GetCountVektors(0), 3000);
  for (int c = 0; c < 8; ++c) {
    SCOPED_TRACE("cube " + std::to_string(c));
    ASSERT_EQ(lo.GetCountFields(c), kCharts);
    ASSERT_EQ(hi.GetCountFields(c), kCharts);
    for (int f = 0; f < kCharts; ++f) {
      ASSERT_EQ(lo.GetCountVektors(c, f), lo.GetCountVektors(c));
      ASSERT_EQ(hi.GetCountVektors(c, f), hi.GetCountVektors(c));
    }
    if (c == 0) continue;
    ASSERT_GE(lo.GetCountVektors(c), 3);
    ASSERT_EQ(lo.GetCountVektors(c), hi.GetCountVektors(c));
    for (int i = 0; i < lo.GetCountVektors(c); ++i) {
      EXPECT_EQ(lo.GetVektorMinutes(c, i).Lon, hi.GetVektorMinutes(c, i).Lon);
      EXPECT_EQ(lo.GetVektorMinutes(c, i).Lat, hi.GetVektorMinutes(c, i).Lat);
      for (int f = 0; f < kCharts; ++f) {
        EXPECT_EQ(lo.ListVektorCube[c].ListVektorField[f].ValuePacked[i],
                  hi.ListVektorCube[c].ListVektorField[f].ValuePacked[i]);
      }
    }
  }
}

TEST(StreamAtlasTest, EachPointLiesInItsOwnCubesPolygon) {
  TAtlas atlas;
  Load(atlas);
  for (const TListVektorCubeLight* cube : {&atlas.State.CubeLoRes, &atlas.State.CubeHiRes}) {
    for (int c = 1; c < cube->GetCountCubes(); ++c) {
      for (int i = 0; i < cube->GetCountVektors(c); ++i) {
        EXPECT_EQ(cube->GetCubeIndex(cube->GetVektorMinutes(c, i)), c) << "cube " << c << " point " << i;
      }
    }
    // Open water of the frame is served by cube 0.
    int inSubAreas = 0;
    for (int i = 0; i < cube->GetCountVektors(0); ++i) {
      if (cube->GetCubeIndex(cube->GetVektorMinutes(0, i)) != 0) ++inSubAreas;
    }
    EXPECT_LT(inSubAreas, cube->GetCountVektors(0) / 20);
  }
}

TEST(StreamAtlasTest, LabelsAndSlacksLieOnWaterInsideTheFrame) {
  TAtlas atlas;
  Load(atlas);
  std::string error;
  const auto mask = TLandMask::Load(CORVANE_LAND_MASK_FILE, error);
  ASSERT_TRUE(mask) << error;
  const TListVektorCubeLight& lo = atlas.State.CubeLoRes;
  struct Case {
    const char* name;
    const TListMinutes* positions;
    std::size_t least, most;
  };
  const Case cases[] = {{"labels", &lo.CoordMText, 200, 900}, {"slacks", &lo.SlackM, 10, 80}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_GE(c.positions->size(), c.least);
    EXPECT_LE(c.positions->size(), c.most);
    for (const TMinutes& p : *c.positions) {
      EXPECT_FALSE(mask->IsLand(p.Lon, p.Lat));
      EXPECT_GE(p.Lon, lo.ModelFrame.Left);
      EXPECT_LE(p.Lon, lo.ModelFrame.Right);
      EXPECT_GE(p.Lat, lo.ModelFrame.Bottom);
      EXPECT_LE(p.Lat, lo.ModelFrame.Top);
    }
  }
}

}  // namespace
}  // namespace corvane
