// The stream atlas loaders: grid positions, packed vectors, cube polygons,
// label and slack positions, and how data sets that disagree with the grid
// are fitted into the lists the grid sized.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "tides/package_tides.h"

namespace corvane {
namespace {

TPackageResourceLoader LoaderOf(TResourceStore store) {
  return TPackageResourceLoader(std::move(store),
                                TFileTools(std::filesystem::temp_directory_path()));
}

TPackageTides Atlas30() {
  TPackageTides tides;
  tides.TimeCharts30 = true;
  return tides;
}

TRectF Frame() {
  TRectF frame;
  frame.Left = -94.203f;
  frame.Bottom = 3041.13f;
  frame.Right = -62.8f;
  frame.Top = 3051.18f;
  return frame;
}

// A grid data set: the frame, the model name and one record per cube.
std::vector<std::uint8_t> PackGrid(const std::vector<TListMinutes>& cubes) {
  TDataSetPacker packer;
  packer.PackModelFrame(Frame(), "Model The Quarne 2016");
  for (const TListMinutes& points : cubes) {
    packer.PackCount(static_cast<std::int32_t>(points.size()));
    for (const TMinutes& p : points) packer.PackCoord(p);
  }
  return packer.Bytes();
}

// A five-point cube 0 and a two-point cube 1.
std::vector<TListMinutes> SmallGrid() {
  return {{{-80.0, 3046.0}, {-79.6, 3046.0}, {-80.0, 3046.5}, {-79.6, 3046.5},
           {-79.8, 3046.25}},
          {{-70.0, 3045.0}, {-69.9, 3045.1}}};
}

// A vector data set: per cube the block length k, then `fields` blocks of k
// packed vectors. Vector j of field f of cube c is (c, f, j) encoded so that
// a test can tell where a value came from.
std::int32_t Code(int c, int f, int j) {
  return (10 * c + f % 10) * 1000000 + (j + 1) * 1000 + f;
}

std::vector<std::uint8_t> PackVectors(const std::vector<int>& blockLengths, int fields) {
  TDataSetPacker packer;
  for (std::size_t c = 0; c < blockLengths.size(); ++c) {
    packer.PackCount(blockLengths[c]);
    for (int f = 0; f < fields; ++f) {
      for (int j = 0; j < blockLengths[c]; ++j) packer.PackCount(Code(static_cast<int>(c), f, j));
    }
  }
  return packer.Bytes();
}

std::vector<std::uint8_t> PackPositionList(const TListMinutes& positions, int count) {
  TDataSetPacker packer;
  packer.PackCount(count);
  for (const TMinutes& p : positions) packer.PackCoord(p);
  return packer.Bytes();
}

TListVektorCubeLight LoadedGrid(TPackageResourceLoader& loader, const TPackageTides& tides) {
  TListVektorCubeLight cube;
  loader.LoadListCurrentsPositionsLight("streamp", cube, tides);
  return cube;
}

// ---------------------------------------------------------------- positions

TEST(StreamAtlasLoaderTest, ReadsTheFrameTheNameAndEveryCubeOfTheGrid) {
  TResourceStore store;
  store.Add("STREAMP", PackGrid(SmallGrid()));
  auto loader = LoaderOf(std::move(store));
  const TPackageTides tides = Atlas30();
  const TListVektorCubeLight cube = LoadedGrid(loader, tides);

  EXPECT_EQ(cube.ModelName, "Model The Quarne 2016");
  EXPECT_EQ(cube.ModelFrame.Left, static_cast<float>(-94203 / 1000.0));
  EXPECT_EQ(cube.ModelFrame.Bottom, static_cast<float>(3041130 / 1000.0));
  EXPECT_EQ(cube.ModelFrame.Right, -62.8f);
  EXPECT_EQ(cube.ModelFrame.Top, 3051.18f);
  EXPECT_TRUE(cube.Charts30);
  ASSERT_EQ(cube.GetCountCubes(), 2);
  EXPECT_EQ(cube.GetCountVektors(0), 5);
  EXPECT_EQ(cube.GetCountVektors(1), 2);
  EXPECT_EQ(cube.GetCountFields(0), 26);
  EXPECT_EQ(cube.GetCountFields(1), 26);
  EXPECT_EQ(cube.TimeField.size(), 26u);
  EXPECT_EQ(cube.ListVektorCube[0].IndexRoutingArea, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
  // Coordinates are 32-bit floats of thousandths; radians follow from them.
  const TMinutes p = cube.GetVektorMinutes(0, 4);
  EXPECT_EQ(p.Lon, static_cast<float>(-79800 / 1000.0));
  EXPECT_EQ(p.Lat, static_cast<float>(3046250 / 1000.0));
  EXPECT_EQ(cube.GetVektorBogen(0, 4).yRad, cube.MathTools.MinutesToBogen(p).yRad);
  // The default routing area is the frame.
  ASSERT_EQ(cube.ListRoutingArea.size(), 5u);
  EXPECT_EQ(cube.ListRoutingArea[2].Lon, cube.ModelFrame.Right);
  EXPECT_EQ(cube.ListRoutingArea[2].Lat, cube.ModelFrame.Top);
}

TEST(StreamAtlasLoaderTest, TheHourlyAtlasGivesThirteenFields) {
  TResourceStore store;
  store.Add("STREAMG", PackGrid(SmallGrid()));
  auto loader = LoaderOf(std::move(store));
  TPackageTides tides;
  TListVektorCubeLight cube;
  loader.LoadListCurrentsPositionsLight("streamg", cube, tides);
  EXPECT_EQ(cube.GetCountFields(0), 13);
  EXPECT_FALSE(cube.Charts30);
}

TEST(StreamAtlasLoaderTest, AnEmptyGridGivesOneCubeWithEmptyFields) {
  TResourceStore store;
  store.Add("STREAMP", std::vector<std::uint8_t>{});
  auto loader = LoaderOf(std::move(store));
  const TListVektorCubeLight cube = LoadedGrid(loader, Atlas30());
  ASSERT_EQ(cube.GetCountCubes(), 1);
  EXPECT_EQ(cube.GetCountFields(0), 26);
  EXPECT_EQ(cube.GetCountVektors(0), 0);
  EXPECT_EQ(cube.GetCountVektors(0, 0), 0);
}

TEST(StreamAtlasLoaderTest, AMissingGridLeavesTheCubeAsItWas) {
  auto loader = LoaderOf(TResourceStore{});
  TListVektorCubeLight cube;
  cube.AddCube();
  cube.ModelName = "before";
  loader.LoadListCurrentsPositionsLight("streamp", cube, Atlas30());
  EXPECT_EQ(cube.GetCountCubes(), 1);
  EXPECT_EQ(cube.ModelName, "before");

  TListVektorCubeLight empty;
  loader.LoadListCurrentsPositionsLight("streamp", empty, Atlas30());
  EXPECT_EQ(empty.GetCountCubes(), 0);
}

TEST(StreamAtlasLoaderTest, ATruncatedGridKeepsTheWholePositions) {
  struct Case {
    const char* name;
    int dropBytes;  // cut from the end of the two-cube grid
    std::vector<int> points;
  };
  const Case cases[] = {
      {"last position cut in half", 4, {5, 1}},
      {"last count cut", 16 + 2, {5}},
      {"a count promising more than follows", 8, {5, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes = PackGrid(SmallGrid());
    bytes.resize(bytes.size() - static_cast<std::size_t>(c.dropBytes));
    TResourceStore store;
    store.Add("STREAMP", bytes);
    auto loader = LoaderOf(std::move(store));
    const TListVektorCubeLight cube = LoadedGrid(loader, Atlas30());
    ASSERT_EQ(cube.GetCountCubes(), static_cast<int>(c.points.size()));
    for (std::size_t k = 0; k < c.points.size(); ++k) {
      EXPECT_EQ(cube.GetCountVektors(static_cast<int>(k)), c.points[k]);
      EXPECT_EQ(cube.ListVektorCube[k].IndexRoutingArea.size(), static_cast<std::size_t>(c.points[k]));
    }
  }
}

TEST(StreamAtlasLoaderTest, ACountBeyondTheDataSetReservesNothing) {
  TDataSetPacker packer;
  packer.PackModelFrame(Frame(), "M");
  packer.PackCount(2000000000);
  packer.PackCoord(TMinutes{-80, 3046});
  TResourceStore store;
  store.Add("STREAMP", packer.Bytes());
  auto loader = LoaderOf(std::move(store));
  const TListVektorCubeLight cube = LoadedGrid(loader, Atlas30());
  ASSERT_EQ(cube.GetCountCubes(), 1);
  EXPECT_EQ(cube.GetCountVektors(0), 1);
}

// ------------------------------------------------------------------ vectors

TEST(StreamAtlasLoaderTest, ReadsEveryFieldOfEveryCube) {
  TResourceStore store;
  store.Add("STREAMP", PackGrid(SmallGrid()));
  store.Add("STREAMV", PackVectors({5, 2}, 26));
  auto loader = LoaderOf(std::move(store));
  const TPackageTides tides = Atlas30();
  TListVektorCubeLight cube = LoadedGrid(loader, tides);
  loader.LoadListCurrentsVektorsLight("streamv", tides, cube);
  for (int c = 0; c < 2; ++c) {
    for (int f = 0; f < 26; ++f) {
      const auto& field = cube.ListVektorCube[static_cast<std::size_t>(c)].ListVektorField[f];
      ASSERT_EQ(field.ValuePacked.size(), c == 0 ? 5u : 2u);
      for (int j = 0; j < cube.GetCountVektors(c); ++j) {
        EXPECT_EQ(field.ValuePacked[static_cast<std::size_t>(j)], Code(c, f, j));
      }
    }
  }
  EXPECT_EQ(cube.GetCountVektors(0, 25), 5);
  EXPECT_EQ(cube.ListVektorCube[0].VektorCIntp.size(), 5u);
  EXPECT_EQ(cube.ListVektorCube[1].VektorPIntp.size(), 2u);
}

TEST(StreamAtlasLoaderTest, VectorBlocksThatDisagreeWithTheGridAreFitted) {
  struct Case {
    const char* name;
    std::vector<int> blocks;  // block lengths in the data set, per cube
    int fields;               // fields per block in the data set
    // Expected packed value count read per cube (the rest stay 0).
    std::vector<int> read;
  };
  const Case cases[] = {
      {"shorter blocks leave the last points without stream", {3, 1}, 26, {3, 1}},
      {"longer blocks have their surplus stepped over", {7, 4}, 26, {5, 2}},
      {"more cubes than the grid has", {5, 2, 9}, 26, {5, 2}},
      {"fewer cubes than the grid has", {5}, 26, {5, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TResourceStore store;
    store.Add("STREAMP", PackGrid(SmallGrid()));
    store.Add("STREAMV", PackVectors(c.blocks, c.fields));
    auto loader = LoaderOf(std::move(store));
    const TPackageTides tides = Atlas30();
    TListVektorCubeLight cube = LoadedGrid(loader, tides);
    loader.LoadListCurrentsVektorsLight("streamv", tides, cube);
    ASSERT_EQ(cube.GetCountCubes(), 2);
    for (int k = 0; k < 2; ++k) {
      const auto& cubeK = cube.ListVektorCube[static_cast<std::size_t>(k)];
      for (int f = 0; f < 26; ++f) {
        const auto& packed = cubeK.ListVektorField[static_cast<std::size_t>(f)].ValuePacked;
        // Read cubes keep one vector per point in every field.
        if (c.read[static_cast<std::size_t>(k)] > 0) {
          ASSERT_EQ(packed.size(), cubeK.CoordM.size());
        }
        for (std::size_t j = 0; j < packed.size(); ++j) {
          const bool read = static_cast<int>(j) < c.read[static_cast<std::size_t>(k)];
          EXPECT_EQ(packed[j], read ? Code(k, f, static_cast<int>(j)) : 0)
              << "cube " << k << " field " << f << " point " << j;
        }
      }
    }
  }
}

TEST(StreamAtlasLoaderTest, AThirtyMinuteAtlasReadAsHourlyStaysInsideTheLists) {
  TResourceStore store;
  store.Add("STREAMG", PackGrid(SmallGrid()));
  store.Add("STREAMF", PackVectors({5, 2}, 26));
  auto loader = LoaderOf(std::move(store));
  const TPackageTides hourly;
  TListVektorCubeLight cube;
  loader.LoadListCurrentsPositionsLight("streamg", cube, hourly);
  loader.LoadListCurrentsVektorsLight("streamf", hourly, cube);
  // Cube 0 reads its first 13 fields correctly; cube 1 then takes the first
  // vector of cube 0's field 13 as its block length, is cut to its two
  // points, and the huge block runs to the end of the data set.
  EXPECT_EQ(cube.ListVektorCube[0].ListVektorField[12].ValuePacked[4], Code(0, 12, 4));
  ASSERT_EQ(cube.GetCountFields(1), 13);
  const auto& cube1 = cube.ListVektorCube[1];
  ASSERT_EQ(cube1.ListVektorField[0].ValuePacked.size(), 2u);
  EXPECT_EQ(cube1.ListVektorField[0].ValuePacked[0], Code(0, 13, 1));
  ASSERT_EQ(cube1.ListVektorField[12].ValuePacked.size(), 2u);
  EXPECT_EQ(cube1.ListVektorField[12].ValuePacked[1], 0);
}

TEST(StreamAtlasLoaderTest, UnpackedVectorsOfALoadedAtlas) {
  TDataSetPacker vectors;
  vectors.PackCount(2);
  for (int f = 0; f < 13; ++f) {
    vectors.PackVektor(53, 238, 119);
    vectors.PackVektor(180, 0, 0);
  }
  TResourceStore store;
  store.Add("STREAMG", PackGrid({{{-80, 3046}, {-79, 3046}}}));
  store.Add("STREAMF", vectors.Bytes());
  auto loader = LoaderOf(std::move(store));
  const TPackageTides hourly;
  TListVektorCubeLight cube;
  loader.LoadListCurrentsPositionsLight("streamg", cube, hourly);
  loader.LoadListCurrentsVektorsLight("streamf", hourly, cube);
  EXPECT_EQ(cube.ListVektorCube[0].ListVektorField[7].ValuePacked[0], 53238119);
  EXPECT_EQ(cube.ListVektorCube[0].ListVektorField[7].ValuePacked[1], 180000000);
  cube.GetUnpackCubes(1.8f, 3.6f, 3.6f, 0);
  EXPECT_NEAR(static_cast<double>(cube.GetVektorPolar(0, 7, 0).Betrag), 2.38, 1e-6);
  EXPECT_EQ(cube.GetVektorPolar(0, 7, 1).Betrag, 0);
}

// ------------------------------------------------ polygons, labels, slacks

TEST(StreamAtlasLoaderTest, PolygonsGoToTheCubesInOrderAndNoFurther) {
  TDataSetPacker areas;
  const std::vector<int> vertices = {4, 3, 5};  // three polygons, two cubes
  for (std::size_t k = 0; k < vertices.size(); ++k) {
    areas.PackCount(vertices[k]);
    for (int v = 0; v < vertices[k]; ++v) {
      areas.PackCoord(TMinutes{-80 + static_cast<double>(k), 3040 + static_cast<double>(v)});
    }
  }
  TResourceStore store;
  store.Add("STREAMP", PackGrid(SmallGrid()));
  store.Add("AREAS", areas.Bytes());
  auto loader = LoaderOf(std::move(store));
  TListVektorCubeLight cube = LoadedGrid(loader, Atlas30());
  loader.LoadListCurrentsAreasLight(cube);
  ASSERT_EQ(cube.GetCountCubes(), 2);
  ASSERT_EQ(cube.ListVektorCube[0].VektorArea.size(), 4u);
  ASSERT_EQ(cube.ListVektorCube[1].VektorArea.size(), 3u);
  EXPECT_EQ(cube.ListVektorCube[1].VektorArea[2].Lon, -79);
  EXPECT_EQ(cube.ListVektorCube[1].VektorArea[2].Lat, 3042);
}

TEST(StreamAtlasLoaderTest, LabelAndSlackPositionsAreCutToThePositionsPresent) {
  struct Case {
    const char* name;
    int count;
    int positions;
    std::size_t expected;
  };
  const Case cases[] = {
      {"count and positions agree", 3, 3, 3},
      {"count beyond the positions", 5, 2, 2},
      {"positions beyond the count", 1, 3, 1},
      {"negative count", -4, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListMinutes positions;
    for (int k = 0; k < c.positions; ++k) positions.push_back(TMinutes{-75.5 + k, 3047.25});
    TResourceStore store;
    store.Add("STREAMT", PackPositionList(positions, c.count));
    store.Add("SLACK", PackPositionList(positions, c.count));
    auto loader = LoaderOf(std::move(store));

    TListVektorCubeLight cube;
    loader.LoadListCurrentsTextLight(cube);
    ASSERT_EQ(cube.CoordMText.size(), c.expected);
    EXPECT_EQ(cube.ValuePText.size(), c.expected);

    TInterfaceApplicationMobile state;
    loader.LoadListSlacks(state);
    ASSERT_EQ(state.CubeLoRes.GetCountSlacks(), static_cast<int>(c.expected));
    EXPECT_EQ(state.CubeLoRes.SlackB.size(), c.expected);
    for (std::size_t k = 0; k < c.expected; ++k) {
      EXPECT_EQ(cube.CoordMText[k].Lon, positions[k].Lon);
      EXPECT_EQ(cube.CoordMText[k].Lat, positions[k].Lat);
      EXPECT_EQ(state.CubeLoRes.GetSlackPosition(static_cast<int>(k)).Lat, positions[k].Lat);
    }
    EXPECT_TRUE(state.CubeHiRes.SlackM.empty());
  }
}

}  // namespace
}  // namespace corvane
