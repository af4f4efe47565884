// The land checks of the course: a mark in water and a track across a coast,
// on a two-tile chart packed for the test and on the built-in chart.

#include "analysis/land_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "analysis/course_services.h"
#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "support/temp_folder.h"
#include "tides/in_water.h"

namespace corvane {
namespace {

// Two tiles of 5' x 2' side by side:
// - tile 1 (Typ 0, -100' to -95'): water west of -97', a land block
//   (-97' to -95') whose coast is an open "U" of three edges: south side
//   3050.5', east side -96', north side 3051.5', the west side at -97' left
//   open;
// - tile 2 (Typ 1, -95' to -90'): water polygons over the whole tile, which
//   the afloat test ignores, and one closed coast square -93' to -92',
//   3050.5' to 3051.5'.
TResourceStore TwoTileChart() {
  TDataSetPacker packer;
  const auto tile = [&packer](double west, int column, int typ, const TListPolygon& coast,
                              const TListPolygon& water) {
    packer.PackCoord32(west);
    packer.PackCoord32(3050);
    packer.PackCoord32(west + 5);
    packer.PackCoord32(3052);
    packer.PackCount(column);
    packer.PackCount(1);
    packer.PackCount(typ);
    packer.PackPolygonGroup(coast);
    packer.PackPolygonGroup({});  // shallow waters
    packer.PackPolygonGroup(water);
    packer.PackPolygonGroup({});  // waters
  };
  packer.PackCount(2);
  tile(-100, 1, 0, {{{-97, 3050.5f}, {-96, 3050.5f}, {-96, 3051.5f}, {-97, 3051.5f}}},
       {{}, {{-100, 3050}, {-97, 3050}, {-97, 3052}, {-100, 3052}}});
  tile(-95, 2, 1, {{{-93, 3050.5f}, {-92, 3050.5f}, {-92, 3051.5f}, {-93, 3051.5f}, {-93, 3050.5f}}},
       {{{-95, 3050}, {-90, 3050}, {-90, 3052}, {-95, 3052}}});
  TResourceStore store;
  store.Add("TILES", packer.Bytes());
  return store;
}

// The services over a state loaded from a store of data sets.
class LandChecksTest : public ::testing::Test {
 protected:
  explicit LandChecksTest(TResourceStore store) : loader_(std::move(store), TFileTools(documents_.path())) {}

  bool Ashore(const TMinutes& start, const TMinutes& finish) const {
    TRoutingData track;
    track.TrackStart = start;
    track.TrackFinish = finish;
    return services_.GetCourseAshore(track, state_);
  }

  TTempFolder documents_;
  TPackageResourceLoader loader_;
  TInterfaceApplicationMobile state_;
  TCourseServices services_;
};

class LandChecksFixtureTest : public LandChecksTest {
 protected:
  LandChecksFixtureTest() : LandChecksTest(TwoTileChart()) {}
  void SetUp() override {
    loader_.LoadListMapTilesA(state_);
    ASSERT_EQ(state_.ListMapTiles.size(), 2u);
  }
};

TEST_F(LandChecksFixtureTest, AMarkIsInWaterOnlyInsideTheWaterOfAnOrdinaryTile) {
  struct Case {
    std::string name;
    TMinutes position;
    bool inWater;
  };
  const std::vector<Case> cases = {
      {"water of tile 1", {-98.5, 3051}, true},
      {"land of tile 1", {-96.5, 3051}, false},
      {"water polygon of a Typ 1 tile", {-91, 3051}, false},
      {"outside every tile", {-80, 3051}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(services_.GetMarkInWater(c.position, state_), c.inWater);
  }
}

TEST_F(LandChecksFixtureTest, AMarkNeedsNoDepthForTheBoat) {
  // A depth line the chart does not have makes every position too shallow
  // for the boat, but a mark still floats.
  state_.IndexDepthLine = 1;
  const TMinutes water{-98.5, 3051};
  EXPECT_TRUE(services_.GetMarkInWater(water, state_));
  EXPECT_FALSE(GetInNavigableWater(TMathTools(), water, state_.ListMapTiles, state_.ListDrafts,
                                   state_.ListInvDrafts, state_.IndexDepthLine));
}

TEST_F(LandChecksFixtureTest, WithoutTilesNoMarkIsInWater) {
  state_.ListMapTiles.clear();
  EXPECT_FALSE(services_.GetMarkInWater(TMinutes{-98.5, 3051}, state_));
}

TEST_F(LandChecksFixtureTest, ACourseIsAshoreWhereItMeetsACoastEdge) {
  struct Case {
    std::string name;
    TMinutes start, finish;
    bool ashore;
  };
  const std::vector<Case> cases = {
      {"across the east side", {-98, 3051}, {-95.5, 3051}, true},
      {"across the south side", {-96.5, 3050.2}, {-96.5, 3050.8}, true},
      {"only across the open west side", {-98, 3051}, {-96.5, 3051}, false},
      {"ending on a coast point", {-98, 3052}, {-96, 3051.5}, true},
      {"in open water", {-99.5, 3050.2}, {-97.5, 3051.8}, false},
      {"across the coast of the Typ 1 tile", {-94, 3051}, {-91, 3051}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Ashore(c.start, c.finish), c.ashore);
  }
}

TEST_F(LandChecksFixtureTest, TilesBuiltBySimulatorDoNotCount) {
  const TMinutes start{-98, 3051};
  const TMinutes finish{-95.5, 3051};
  EXPECT_TRUE(Ashore(start, finish)) << "the same on every run, whatever was routed before";
  state_.ListMapTiles[0].Typ = kTileTypeSimulator;
  EXPECT_FALSE(Ashore(start, finish)) << "a simulator tile";
}

// The built-in chart: buoys float, towns stand on land, and a course
// between two channel buoys of the estuary cuts across its bend.
class LandChecksBuiltInTest : public LandChecksTest {
 protected:
  LandChecksBuiltInTest() : LandChecksTest(BuiltInResourceStore()) {}
  void SetUp() override {
    loader_.LoadListBuoys(state_);
    loader_.LoadListMapTilesA(state_);
    loader_.LoadListTowns(state_);
    ASSERT_EQ(state_.ListMapTiles.size(), 80u);
    ASSERT_EQ(state_.ListTownsName.size(), 12u);
  }

  // The position of the buoy of that name.
  TMinutes Buoy(const std::string& name) const {
    for (std::size_t i = 0; i < state_.ListBuoysName.size(); ++i) {
      if (state_.ListBuoysName[i] == name) return state_.ListBuoysPosition[i];
    }
    ADD_FAILURE() << "no buoy " << name;
    return TMinutes{};
  }
};

TEST_F(LandChecksBuiltInTest, CourseBuoysAreInWaterAndTownsAreNot) {
  for (const char* name :
       {"Orrasey Post - 7Y", "Fennick Post - 7S", "Kestrow Patch - 4P", "Estuary No 3", "Inner Sea Fort"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(services_.GetMarkInWater(Buoy(name), state_));
  }
  for (std::size_t i = 0; i < state_.ListTownsName.size(); ++i) {
    SCOPED_TRACE(state_.ListTownsName[i]);
    EXPECT_FALSE(services_.GetMarkInWater(state_.ListTownsPosition[i], state_));
  }
}

TEST_F(LandChecksBuiltInTest, AStraightCourseAcrossLandIsAshore) {
  EXPECT_TRUE(Ashore(Buoy("Estuary No 3"), Buoy("Estuary No 4")));
  EXPECT_TRUE(Ashore(Buoy("Inner Sea Fort"), Buoy("Harbour Mouth Port Hand")));
  EXPECT_FALSE(Ashore(Buoy("Orrasey Post - 7Y"), Buoy("Fennick Post - 7S")));
  EXPECT_FALSE(Ashore(Buoy("Kestrow Patch - 4P"), Buoy("Kestrow Knoll - 3V")));
}

// The check looks only at the tiles whose frame the course's box meets; on
// the built-in chart that loses no coast: every pair of marks answers as a
// walk over every coast edge of every tile.
TEST_F(LandChecksBuiltInTest, TheTilesAroundTheCourseHoldEveryCoastItMeets) {
  const TMathTools math;
  const auto everyEdge = [&](const TMinutes& start, const TMinutes& finish) {
    const TPointF a{static_cast<float>(start.Lon), static_cast<float>(start.Lat)};
    const TPointF b{static_cast<float>(finish.Lon), static_cast<float>(finish.Lat)};
    TPointF crossing;
    for (const TMapTiles& tile : state_.ListMapTiles) {
      for (const TPolygon& coast : tile.CoastLines) {
        for (std::size_t j = 0; j + 1 < coast.size(); ++j) {
          if (math.GetIntersection(a, b, coast[j], coast[j + 1], crossing)) return true;
        }
      }
    }
    return false;
  };
  int ashore = 0;
  const std::size_t marks = std::min<std::size_t>(state_.ListBuoysPosition.size(), 60);
  for (std::size_t i = 0; i < marks; ++i) {
    for (std::size_t j = i + 1; j < marks; j += 3) {
      const TMinutes& start = state_.ListBuoysPosition[i];
      const TMinutes& finish = state_.ListBuoysPosition[j];
      SCOPED_TRACE(state_.ListBuoysName[i] + " - " + state_.ListBuoysName[j]);
      const bool expected = everyEdge(start, finish);
      ashore += expected ? 1 : 0;
      EXPECT_EQ(Ashore(start, finish), expected);
    }
  }
  EXPECT_GT(ashore, 0) << "some of the pairs cross land";
}

}  // namespace
}  // namespace corvane
