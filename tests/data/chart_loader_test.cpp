#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"

namespace corvane {
namespace {

// The chart loaders never touch the documents folder; it points into the
// test's temporary folder all the same.
TFileTools TempFileTools() {
  return TFileTools(std::filesystem::path(::testing::TempDir()) / "corvane_chart_loader_documents");
}

TPackageResourceLoader LoaderWith(TResourceStore store) {
  return TPackageResourceLoader(std::move(store), TempFileTools());
}

TPackageResourceLoader LoaderWith(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  TResourceStore store;
  store.Add(name, bytes);
  return LoaderWith(std::move(store));
}

TPolygon Square(float lon, float lat, float side) {
  return {{lon, lat}, {lon + side, lat}, {lon + side, lat + side}, {lon, lat + side}};
}

// A tile record as it stands in "TILES".
struct TileRecord {
  TMinutes p1;
  TMinutes p2;
  int indexH;
  int indexV;
  int typ;
  TListPolygon coast;
  TListPolygon shallow;
  TListPolygon inWater;
  TListPolygon waters;
};

void PackTile(TDataSetPacker& packer, const TileRecord& tile) {
  packer.PackCoord32(tile.p1.Lon);
  packer.PackCoord32(tile.p1.Lat);
  packer.PackCoord32(tile.p2.Lon);
  packer.PackCoord32(tile.p2.Lat);
  packer.PackCount(tile.indexH);
  packer.PackCount(tile.indexV);
  packer.PackCount(tile.typ);
  packer.PackPolygonGroup(tile.coast);
  packer.PackPolygonGroup(tile.shallow);
  packer.PackPolygonGroup(tile.inWater);
  packer.PackPolygonGroup(tile.waters);
}

// Two tiles side by side, 5' by 2', in row 1 of the racing area. The second
// is of Typ 1 (its water layers do not count), and the first holds a polygon
// of 0 points between two real ones.
std::vector<TileRecord> TwoTiles() {
  return {
      {{-100, 3050},
       {-95, 3052},
       1,
       1,
       0,
       {Square(-99.5f, 3050.5f, 0.5f)},
       {},
       {Square(-99, 3050.2f, 1), {}, Square(-97, 3051, 0.25f)},
       {Square(-98, 3050, 2)}},
      {{-95, 3050},
       {-90, 3052},
       2,
       1,
       1,
       {},
       {Square(-94, 3051, 0.1f)},
       {Square(-94.203f, 3050.1f, 1)},
       {}},
  };
}

std::vector<std::uint8_t> PackTiles(const std::vector<TileRecord>& tiles) {
  TDataSetPacker packer;
  packer.PackCount(static_cast<std::int32_t>(tiles.size()));
  for (const TileRecord& tile : tiles) PackTile(packer, tile);
  return packer.Bytes();
}

// The second layer of "TILESB" for tileCount tiles: tile i has i + 1 10 m
// lines, one 5 m line and no heights; then two draft polygons and two hole
// groups of one and two polygons.
std::vector<std::uint8_t> PackSecondLayer(int tileCount) {
  TDataSetPacker packer;
  packer.PackCount(tileCount);
  for (int i = 0; i < tileCount; ++i) {
    packer.PackPolygonGroup(TListPolygon(static_cast<std::size_t>(i + 1), Square(-96, 3051, 0.5f)));
    packer.PackPolygonGroup({Square(-97, 3051, 0.3f)});
    packer.PackPolygonGroup({});
  }
  packer.PackPolygonGroup({Square(-100, 3040, 10), Square(-100, 3042, 8)});
  packer.PackCount(2);
  packer.PackPolygonGroup({Square(-99, 3041, 1)});
  packer.PackPolygonGroup({Square(-98, 3041, 1), Square(-97, 3043, 1)});
  return packer.Bytes();
}

// Coordinates reach the tiles rounded to 32-bit floats.
void ExpectSamePolygons(const TListPolygon& actual, const TListPolygon& packed) {
  ASSERT_EQ(actual.size(), packed.size());
  for (std::size_t i = 0; i < packed.size(); ++i) {
    ASSERT_EQ(actual[i].size(), packed[i].size()) << "polygon " << i;
    for (std::size_t j = 0; j < packed[i].size(); ++j) {
      EXPECT_FLOAT_EQ(actual[i][j].X, packed[i][j].X) << "polygon " << i << " point " << j;
      EXPECT_FLOAT_EQ(actual[i][j].Y, packed[i][j].Y) << "polygon " << i << " point " << j;
    }
  }
}

// ------------------------------------------------------------------ MAPINI

TEST(ChartLoaderTest, ChartFrameSetsTheCornersAndTheMiddle) {
  struct Case {
    std::string name;
    std::string text;
    TMinutes p1;
    TMinutes p2;
  };
  const std::vector<Case> cases = {
      {"as supplied",
       "[SEACHART]\nLonW=001:40:000W\nLatS=050:32:000N\nLonE=001:00:000W\nLatN=050:52:000N\n",
       {-100, 3032},
       {-60, 3052}},
      {"without LatN the north edge is at 90 N",
       "[SEACHART]\r\nLonW=001:40:000W\r\nLatS=050:32:000N\r\nLonE=001:00:000W\r\n",
       {-100, 3032},
       {-60, 5400}},
      {"empty values and keys with blanks fall back to the defaults",
       "[SEACHART]\nLonW=\nLatS =050:32:000N\nLonE=001:00:000W\nLatN=050:52:500N\n",
       {-10800, -5400},
       {-60, 3052.5}},
      {"the first of two lines wins",
       "LonW=001:40:000W\nLonW=002:00:000W\nLatS=050:32:000N\nLonE=001:00:000E\nLatN=050:52:000N\n",
       {-100, 3032},
       {60, 3052}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TResourceStore store;
    store.Add("MAPINI", c.text);
    auto loader = LoaderWith(std::move(store));
    TInterfaceApplicationMobile state;
    state.SeaMap.Width = 640;
    state.SeaMap.Height = 480;
    loader.LoadSettingsMap(state);
    EXPECT_NEAR(state.SeaMap.P1.Lon, c.p1.Lon, 1e-9);
    EXPECT_NEAR(state.SeaMap.P1.Lat, c.p1.Lat, 1e-9);
    EXPECT_NEAR(state.SeaMap.P2.Lon, c.p2.Lon, 1e-9);
    EXPECT_NEAR(state.SeaMap.P2.Lat, c.p2.Lat, 1e-9);
    EXPECT_NEAR(state.SeaMap.Center.Lon, (c.p1.Lon + c.p2.Lon) / 2, 1e-9);
    EXPECT_NEAR(state.SeaMap.Center.Lat, (c.p1.Lat + c.p2.Lat) / 2, 1e-9);
    EXPECT_EQ(state.SeaMap.Width, 640);  // pixels are the projection's
    EXPECT_EQ(state.SeaMap.Height, 480);
  }
}

TEST(ChartLoaderTest, MissingChartDataSetsLeaveTheStateAsItWas) {
  auto loader = LoaderWith(TResourceStore());
  TInterfaceApplicationMobile state;
  state.SeaMap.P1 = {1, 2};
  state.ListMapTiles.resize(3);
  state.ListDrafts = {Square(0, 0, 1)};
  state.ListBuoysName = {"Keep"};
  state.ListTownsName = {"Keep"};
  state.ListFlatsName = {"Keep"};
  state.ListCoursesName = {"Keep"};

  loader.LoadSettingsMap(state);
  loader.LoadListMapTilesA(state);
  loader.LoadListMapTilesB(state);
  loader.LoadListBuoys(state);
  loader.LoadListTowns(state);
  loader.LoadListFlats(state);
  loader.LoadListCourses(state);

  EXPECT_EQ(state.SeaMap.P1.Lon, 1);
  EXPECT_EQ(state.ListMapTiles.size(), 3u);
  EXPECT_EQ(state.ListDrafts.size(), 1u);
  EXPECT_EQ(state.ListBuoysName, TStringList{"Keep"});
  EXPECT_EQ(state.ListTownsName, TStringList{"Keep"});
  EXPECT_EQ(state.ListFlatsName, TStringList{"Keep"});
  EXPECT_EQ(state.ListCoursesName, TStringList{"Keep"});
}

// ------------------------------------------------------------------- TILES

TEST(ChartLoaderTest, TilesReadEdgesIndicesTypeAndTheFourLayers) {
  const auto tiles = TwoTiles();
  auto loader = LoaderWith("TILES", PackTiles(tiles));
  TInterfaceApplicationMobile state;
  state.ListMapTiles.resize(5);  // an earlier chart is replaced
  loader.LoadListMapTilesA(state);

  ASSERT_EQ(state.ListMapTiles.size(), 2u);
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    SCOPED_TRACE("tile " + std::to_string(i));
    const TMapTiles& t = state.ListMapTiles[i];
    EXPECT_EQ(t.P1.Lon, static_cast<float>(tiles[i].p1.Lon));
    EXPECT_EQ(t.P1.Lat, static_cast<float>(tiles[i].p1.Lat));
    EXPECT_EQ(t.P2.Lon, static_cast<float>(tiles[i].p2.Lon));
    EXPECT_EQ(t.P2.Lat, static_cast<float>(tiles[i].p2.Lat));
    EXPECT_EQ(t.IndexH, tiles[i].indexH);
    EXPECT_EQ(t.IndexV, tiles[i].indexV);
    EXPECT_EQ(t.Typ, tiles[i].typ);
    ExpectSamePolygons(t.CoastLines, tiles[i].coast);
    ExpectSamePolygons(t.ShallowWaters, tiles[i].shallow);
    ExpectSamePolygons(t.InWaterLines, tiles[i].inWater);
    ExpectSamePolygons(t.Waters, tiles[i].waters);
    EXPECT_TRUE(t.Lines10m.empty());
  }
  // The polygon of 0 points keeps its place in the group.
  ASSERT_EQ(state.ListMapTiles[0].InWaterLines.size(), 3u);
  EXPECT_TRUE(state.ListMapTiles[0].InWaterLines[1].empty());
  // A tile of Typ 1 arrives with its in-water polygons; the afloat test is
  // the one that ignores them.
  EXPECT_EQ(state.ListMapTiles[1].Typ, 1);
  EXPECT_EQ(state.ListMapTiles[1].InWaterLines.size(), 1u);
  // The coordinate is the 32-bit float nearest to -94.203, not -94.203.
  EXPECT_EQ(state.ListMapTiles[1].InWaterLines[0][0].X, static_cast<float>(-94.203));
}

TEST(ChartLoaderTest, TruncatedTilesAreCompletedWithZerosWithoutTrustingTheirCounts) {
  // The data set ends inside the second point of the first tile's coast
  // polygon, which claims 4 points: the cut point gets latitude 0, and the
  // points, groups and tiles that would begin past the end are not made.
  TDataSetPacker full;
  full.PackCount(1000000);  // far more tiles than the data set holds
  PackTile(full, TwoTiles()[0]);
  // Tile count, tile header, group count, point count, a point and a half.
  const std::size_t cut = 4 + 28 + 4 + 4 + 8 + 4;
  std::vector<std::uint8_t> bytes(full.Bytes().begin(), full.Bytes().begin() + cut);

  auto loader = LoaderWith("TILES", bytes);
  TInterfaceApplicationMobile state;
  loader.LoadListMapTilesA(state);

  ASSERT_EQ(state.ListMapTiles.size(), 1u);
  const TMapTiles& t = state.ListMapTiles[0];
  EXPECT_EQ(t.IndexH, 1);
  ASSERT_EQ(t.CoastLines.size(), 1u);
  ASSERT_EQ(t.CoastLines[0].size(), 2u);
  EXPECT_FLOAT_EQ(t.CoastLines[0][1].X, -99.0f);
  EXPECT_EQ(t.CoastLines[0][1].Y, 0.0f);
  EXPECT_TRUE(t.ShallowWaters.empty());
  EXPECT_TRUE(t.InWaterLines.empty());
  EXPECT_TRUE(t.Waters.empty());
}

TEST(ChartLoaderTest, HugePolygonCountsInAShortDataSetMakeNoPolygons) {
  TDataSetPacker packer;
  packer.PackCount(1);
  packer.PackCoord(TMinutes{-100, 3050});
  packer.PackCoord(TMinutes{-95, 3052});
  packer.PackCount(1);
  packer.PackCount(1);
  packer.PackCount(0);
  packer.PackCount(0x7FFFFFFF);  // coast lines
  packer.PackCount(0x7FFFFFFF);  // the first polygon's points
  auto loader = LoaderWith("TILES", packer.Bytes());
  TInterfaceApplicationMobile state;
  loader.LoadListMapTilesA(state);

  ASSERT_EQ(state.ListMapTiles.size(), 1u);
  ASSERT_EQ(state.ListMapTiles[0].CoastLines.size(), 1u);
  EXPECT_TRUE(state.ListMapTiles[0].CoastLines[0].empty());
}

// ------------------------------------------------------------------ TILESB

TEST(ChartLoaderTest, SecondLayerGoesToTheTilesByPositionThenTheDraftAreas) {
  TResourceStore store;
  store.Add("TILES", PackTiles(TwoTiles()));
  store.Add("TILESB", PackSecondLayer(2));
  auto loader = LoaderWith(std::move(store));
  TInterfaceApplicationMobile state;
  state.ListInvDrafts.resize(7);
  loader.LoadListMapTilesA(state);
  loader.LoadListMapTilesB(state);

  ASSERT_EQ(state.ListMapTiles.size(), 2u);
  EXPECT_EQ(state.ListMapTiles[0].Lines10m.size(), 1u);
  EXPECT_EQ(state.ListMapTiles[1].Lines10m.size(), 2u);
  ExpectSamePolygons(state.ListMapTiles[1].Lines5m, {Square(-97, 3051, 0.3f)});
  EXPECT_TRUE(state.ListMapTiles[1].Heights.empty());
  // The first layer is untouched.
  ExpectSamePolygons(state.ListMapTiles[0].CoastLines, TwoTiles()[0].coast);

  ExpectSamePolygons(state.ListDrafts, {Square(-100, 3040, 10), Square(-100, 3042, 8)});
  ASSERT_EQ(state.ListInvDrafts.size(), 2u);
  ExpectSamePolygons(state.ListInvDrafts[0], {Square(-99, 3041, 1)});
  ExpectSamePolygons(state.ListInvDrafts[1], {Square(-98, 3041, 1), Square(-97, 3043, 1)});
}

TEST(ChartLoaderTest, SecondLayerNamingMoreTilesThanLoadedIsRejectedWhole) {
  struct Case {
    std::string name;
    std::vector<std::uint8_t> tilesB;
    bool accepted;
  };
  TDataSetPacker negative;
  negative.PackCount(-1);
  negative.PackPolygonGroup({Square(0, 0, 1)});
  negative.PackCount(0);
  const std::vector<Case> cases = {
      {"as many tiles as loaded", PackSecondLayer(2), true},
      {"fewer tiles than loaded", PackSecondLayer(1), true},
      {"one tile too many", PackSecondLayer(3), false},
      {"a negative tile count", negative.Bytes(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TResourceStore store;
    store.Add("TILES", PackTiles(TwoTiles()));
    store.Add("TILESB", c.tilesB);
    auto loader = LoaderWith(std::move(store));
    TInterfaceApplicationMobile state;
    loader.LoadListMapTilesA(state);
    // What an earlier, valid second layer left behind.
    state.ListMapTiles[1].Heights = {Square(1, 1, 1)};
    state.ListDrafts = {Square(2, 2, 2)};
    state.ListInvDrafts = {{Square(3, 3, 3)}};

    loader.LoadListMapTilesB(state);

    ASSERT_EQ(state.ListMapTiles.size(), 2u);
    if (c.accepted) {
      EXPECT_EQ(state.ListMapTiles[0].Lines10m.size(), 1u);
      EXPECT_EQ(state.ListDrafts.size(), 2u);
      EXPECT_EQ(state.ListInvDrafts.size(), 2u);
    } else {
      EXPECT_TRUE(state.ListMapTiles[0].Lines10m.empty());
      EXPECT_EQ(state.ListMapTiles[1].Heights.size(), 1u);
      ExpectSamePolygons(state.ListDrafts, {Square(2, 2, 2)});
      ASSERT_EQ(state.ListInvDrafts.size(), 1u);
      ExpectSamePolygons(state.ListInvDrafts[0], {Square(3, 3, 3)});
    }
  }
}

TEST(ChartLoaderTest, SecondLayerOfFewerTilesLeavesTheLaterTilesAlone) {
  TResourceStore store;
  store.Add("TILES", PackTiles(TwoTiles()));
  store.Add("TILESB", PackSecondLayer(1));
  auto loader = LoaderWith(std::move(store));
  TInterfaceApplicationMobile state;
  loader.LoadListMapTilesA(state);
  state.ListMapTiles[1].Heights = {Square(1, 1, 1)};
  loader.LoadListMapTilesB(state);
  EXPECT_EQ(state.ListMapTiles[0].Lines10m.size(), 1u);
  EXPECT_EQ(state.ListMapTiles[1].Heights.size(), 1u);
  EXPECT_TRUE(state.ListMapTiles[1].Lines10m.empty());
}

// ------------------------------------------------------------ named points

void PackBuoy(TDataSetPacker& packer, const TMinutes& position, const std::string& name,
              std::uint8_t align, std::uint8_t type, const std::string& shortCut) {
  packer.PackCoord(position);
  packer.PackString(name);
  packer.PackCount8(align);
  packer.PackCount8(type);
  packer.PackString(shortCut);
}

TEST(ChartLoaderTest, BuoysWithAShortcutAreListedWithIt) {
  TDataSetPacker packer;
  packer.PackCount(99);  // not used: the records run to the end
  PackBuoy(packer, {-76.063, 3049.406}, "Quarne Spit", 1, 7, "8N");
  PackBuoy(packer, {-80.5, 3045.25}, "Ketterholm Beacon", 2, 25, "");
  auto loader = LoaderWith("BUOYS", packer.Bytes());
  TInterfaceApplicationMobile state;
  state.ListBuoysName = {"old"};
  state.ListBuoysType = {1, 2, 3};
  loader.LoadListBuoys(state);

  EXPECT_EQ(state.ListBuoysName, (TStringList{"Quarne Spit - 8N", "Ketterholm Beacon"}));
  EXPECT_EQ(state.ListBuoysShortCut, (TStringList{"8N", ""}));
  EXPECT_EQ(state.ListBuoysAlign, (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(state.ListBuoysType, (std::vector<std::uint8_t>{7, 25}));
  ASSERT_EQ(state.ListBuoysPosition.size(), 2u);
  EXPECT_EQ(state.ListBuoysPosition[0].Lon, static_cast<float>(-76.063));
  EXPECT_EQ(state.ListBuoysPosition[0].Lat, static_cast<float>(3049.406));
}

TEST(ChartLoaderTest, TruncatedBuoyRecordIsCompletedWithZeros) {
  TDataSetPacker packer;
  packer.PackCount(2);
  PackBuoy(packer, {-76, 3049}, "Quarne Spit", 1, 7, "8N");
  packer.PackCoord(TMinutes{-80, 3045});
  packer.PackCount8(6);  // a name of 6 characters, of which 3 are present
  std::vector<std::uint8_t> bytes = packer.Bytes();
  bytes.push_back('O');
  bytes.push_back('r');
  bytes.push_back('e');
  auto loader = LoaderWith("BUOYS", bytes);
  TInterfaceApplicationMobile state;
  loader.LoadListBuoys(state);

  ASSERT_EQ(state.ListBuoysName.size(), 2u);
  EXPECT_EQ(state.ListBuoysName[1], std::string("Ore\0\0\0", 6));
  EXPECT_EQ(state.ListBuoysAlign[1], 0);
  EXPECT_EQ(state.ListBuoysType[1], 0);
  EXPECT_EQ(state.ListBuoysShortCut[1], "");
  EXPECT_EQ(state.ListBuoysPosition[1].Lat, 3045.0f);
}

TEST(ChartLoaderTest, TownsAndFlatsFillTheirThreeLists) {
  struct Case {
    std::string dataSet;
    void (TPackageResourceLoader::*load)(TInterfaceApplicationMobile&);
    TStringList TInterfaceApplicationMobile::*names;
    TListMinutes TInterfaceApplicationMobile::*positions;
    std::vector<std::uint8_t> TInterfaceApplicationMobile::*aligns;
  };
  const std::vector<Case> cases = {
      {"TOWNS", &TPackageResourceLoader::LoadListTowns, &TInterfaceApplicationMobile::ListTownsName,
       &TInterfaceApplicationMobile::ListTownsPosition,
       &TInterfaceApplicationMobile::ListTownsAlign},
      {"FLATS", &TPackageResourceLoader::LoadListFlats, &TInterfaceApplicationMobile::ListFlatsName,
       &TInterfaceApplicationMobile::ListFlatsPosition,
       &TInterfaceApplicationMobile::ListFlatsAlign},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dataSet);
    TDataSetPacker packer;
    packer.PackCount(0);  // not used
    for (const auto& [name, align] :
         {std::pair<std::string, int>{"Orvale", 0}, {"Brannock Sands", 2}, {"", 1}}) {
      packer.PackCoord(TMinutes{-90, 3040});
      packer.PackString(name);
      packer.PackCount8(static_cast<std::uint8_t>(align));
    }
    auto loader = LoaderWith(c.dataSet, packer.Bytes());
    TInterfaceApplicationMobile state;
    (state.*c.names) = {"old"};
    (loader.*c.load)(state);
    EXPECT_EQ(state.*c.names, (TStringList{"Orvale", "Brannock Sands", ""}));
    EXPECT_EQ(state.*c.aligns, (std::vector<std::uint8_t>{0, 2, 1}));
    EXPECT_EQ((state.*c.positions).size(), 3u);
  }
}

TEST(ChartLoaderTest, CoursesHaveNoCountAndADiameterInHundredths) {
  TDataSetPacker packer;
  packer.PackCoord(TMinutes{-80, 3045});
  packer.PackString("Inner");
  packer.PackCount8(150);
  packer.PackCoord(TMinutes{-70, 3046});
  packer.PackString("Outer");
  packer.PackCount8(5);
  auto loader = LoaderWith("courses", packer.Bytes());
  TInterfaceApplicationMobile state;
  loader.LoadListCourses(state);
  EXPECT_EQ(state.ListCoursesName, (TStringList{"Inner", "Outer"}));
  ASSERT_EQ(state.ListCoursesDiameter.size(), 2u);
  EXPECT_EQ(state.ListCoursesDiameter[0], 1.5);
  EXPECT_EQ(state.ListCoursesDiameter[1], 0.05);
  ASSERT_EQ(state.ListCoursesPosition.size(), 2u);
  EXPECT_EQ(state.ListCoursesPosition[1].Lon, -70.0f);
}

// ------------------------------------------------------ the built-in chart

class BuiltInChartTest : public ::testing::Test {
 protected:
  void RequireDataSets(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (!loader_.FindResource(name))
        GTEST_SKIP() << "data set " << name << " is not generated yet";
    }
  }
  TPackageResourceLoader loader_{BuiltInResourceStore(), TempFileTools()};
  TInterfaceApplicationMobile state_;
};

TEST_F(BuiltInChartTest, ChartFrame) {
  RequireDataSets({"mapini"});
  loader_.LoadSettingsMap(state_);
  EXPECT_NEAR(state_.SeaMap.P1.Lon, -100, 1e-9);
  EXPECT_NEAR(state_.SeaMap.P1.Lat, 3032, 1e-9);
  EXPECT_NEAR(state_.SeaMap.P2.Lon, -60, 1e-9);
  EXPECT_NEAR(state_.SeaMap.P2.Lat, 3052, 1e-9);
}

TEST_F(BuiltInChartTest, TilesAndTheirSecondLayer) {
  RequireDataSets({"tiles", "tilesb"});
  loader_.LoadListMapTilesA(state_);
  loader_.LoadListMapTilesB(state_);

  // 10 rows of 8 tiles of 5' by 2', row by row from the north-west corner.
  ASSERT_EQ(state_.ListMapTiles.size(), 80u);
  for (std::size_t i = 0; i < state_.ListMapTiles.size(); ++i) {
    SCOPED_TRACE("tile " + std::to_string(i));
    const TMapTiles& t = state_.ListMapTiles[i];
    const int column = static_cast<int>(i % 8) + 1;
    const int row = static_cast<int>(i / 8) + 1;
    EXPECT_EQ(t.IndexH, column);
    EXPECT_EQ(t.IndexV, row);
    EXPECT_EQ(t.P1.Lon, -100.0f + 5.0f * static_cast<float>(column - 1));
    EXPECT_EQ(t.P2.Lon, -95.0f + 5.0f * static_cast<float>(column - 1));
    EXPECT_EQ(t.P2.Lat, 3052.0f - 2.0f * static_cast<float>(row - 1));
    EXPECT_EQ(t.P1.Lat, 3050.0f - 2.0f * static_cast<float>(row - 1));
    EXPECT_TRUE(t.Typ == 0 || t.Typ == 1) << "Typ " << t.Typ;
    EXPECT_FALSE(t.Heights.empty());  // the second layer arrived
  }
  EXPECT_EQ(state_.ListDrafts.size(), 4u);
  EXPECT_EQ(state_.ListInvDrafts.size(), 4u);
}

TEST_F(BuiltInChartTest, NamedPoints) {
  RequireDataSets({"buoys", "towns", "flats"});
  loader_.LoadListBuoys(state_);
  loader_.LoadListTowns(state_);
  loader_.LoadListFlats(state_);

  ASSERT_EQ(state_.ListBuoysName.size(), 195u);
  EXPECT_EQ(state_.ListBuoysPosition.size(), 195u);
  EXPECT_EQ(state_.ListBuoysAlign.size(), 195u);
  EXPECT_EQ(state_.ListBuoysType.size(), 195u);
  ASSERT_EQ(state_.ListBuoysShortCut.size(), 195u);
  int withShortCut = 0;
  for (std::size_t i = 0; i < 195; ++i) {
    const std::string& shortCut = state_.ListBuoysShortCut[i];
    EXPECT_LE(state_.ListBuoysType[i], 25);
    if (shortCut.empty()) continue;
    ++withShortCut;
    EXPECT_EQ(shortCut.size(), 2u);
    const std::string& name = state_.ListBuoysName[i];
    EXPECT_EQ(name.substr(name.size() - shortCut.size() - 3), " - " + shortCut);
  }
  EXPECT_EQ(withShortCut, 175);
  EXPECT_EQ(state_.ListTownsName.size(), 12u);
  EXPECT_EQ(state_.ListTownsPosition.size(), 12u);
  EXPECT_EQ(state_.ListFlatsName.size(), 15u);
  EXPECT_EQ(state_.ListFlatsAlign.size(), 15u);
}

}  // namespace
}  // namespace corvane
