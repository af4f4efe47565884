// The bucket search over the routing index must give exactly what walking the
// whole index pass after pass gives: the same three points, the same
// distances, the same order, for positions on, between, around and far from
// the grid, and after every change of the routing index.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/tides/synthetic_stream_cube.h"
#include "tides/stream_cube.h"

namespace corvane {
namespace {

using synthetic::kHalfHour;
using synthetic::kSyntheticFirstChart;

::testing::AssertionResult SameNearest(const TNearestPositions& indexed,
                                       const TNearestPositions& scanned) {
  for (int k = 0; k < 3; ++k) {
    if (indexed[k].Point != scanned[k].Point || indexed[k].Distance != scanned[k].Distance) {
      return ::testing::AssertionFailure()
             << "slot " << k << ": buckets give point " << indexed[k].Point << " at "
             << indexed[k].Distance << " nm, the scan point " << scanned[k].Point << " at "
             << scanned[k].Distance << " nm";
    }
  }
  return ::testing::AssertionSuccess();
}

// Positions of every kind the searches meet: drawn over the frame and a
// margin around it, exactly on grid points, halfway between neighbours (where
// distances tie), and a few far outside the grid.
std::vector<TMinutes> ProbePositions(const TListVektorCubeLight& list, int cube, int random,
                                     std::mt19937& generator) {
  std::vector<TMinutes> positions;
  std::uniform_real_distribution<double> lon(-96, -61);
  std::uniform_real_distribution<double> lat(3039, 3053);
  for (int k = 0; k < random; ++k) positions.push_back(TMinutes{lon(generator), lat(generator)});
  const int points = list.GetCountVektors(cube);
  for (int j = 0; j + 1 < points; j += 7) {
    const TMinutes a = list.GetVektorMinutes(cube, j);
    const TMinutes b = list.GetVektorMinutes(cube, j + 1);
    positions.push_back(a);
    positions.push_back(TMinutes{(a.Lon + b.Lon) / 2, (a.Lat + b.Lat) / 2});
  }
  positions.push_back(TMinutes{-200, 2900});
  positions.push_back(TMinutes{30, 3046});
  positions.push_back(TMinutes{-78, 3200});
  return positions;
}

void ExpectBucketsMatchScan(const TListVektorCubeLight& list, const std::string& stage,
                            int random) {
  std::mt19937 generator(7);
  for (int c = 0; c < list.GetCountCubes(); ++c) {
    SCOPED_TRACE(stage + ", cube " + std::to_string(c));
    int compared = 0;
    for (const TMinutes& p : ProbePositions(list, c, c == 0 ? random : random / 10, generator)) {
      ASSERT_TRUE(SameNearest(list.GetNearestPositions(c, p), list.GetNearestPositionsByScan(c, p)))
          << "at " << static_cast<double>(p.Lon) << ", " << static_cast<double>(p.Lat);
      ++compared;
    }
    EXPECT_GT(compared, 0);
  }
}

TEST(StreamCubeSearchIndexTest, TheSyntheticGridHasTheSizeOfTheHighResolutionAtlas) {
  const TListVektorCubeLight list = synthetic::MakeSyntheticHiResCube();
  EXPECT_EQ(list.GetCountCubes(), 8);
  EXPECT_NEAR(list.GetCountVektors(0), 4956, 300);
}

TEST(StreamCubeSearchIndexTest, BucketsGiveTheScansResultThroughEveryIndexChange) {
  TListVektorCubeLight list = synthetic::MakeSyntheticHiResCube();
  ExpectBucketsMatchScan(list, "all points", 3000);

  list.CloneRoutingArea(synthetic::RoutingHexagon(list.MathTools, synthetic::LegStart(),
                                                  synthetic::kLegCourseDeg,
                                                  synthetic::kLegDistance));
  list.GetIndexRoutingArea();
  ASSERT_GT(list.ListVektorCube[0].IndexRoutingArea.size(), 500u);
  ASSERT_LT(list.ListVektorCube[0].IndexRoutingArea.size(), list.ListVektorCube[0].CoordM.size());
  ExpectBucketsMatchScan(list, "routing hexagon", 3000);

  list.ResetIndexRoutingArea();
  ExpectBucketsMatchScan(list, "index reset", 300);

  // A point moved after the buckets were built is found where it now is.
  const TMinutes moved{-70.0001, 3046.0};
  list.SetPosition(0, 5, moved, list.MathTools.MinutesToBogen(moved));
  EXPECT_EQ(list.GetNearestPositions(0, moved)[0].Point, 5);
  ExpectBucketsMatchScan(list, "a point moved", 300);
}

// A grid as the GRIB reader lays it out: ni x nj points between two corners
// (minutes), steps in 32-bit floats, the points for which `keep` is true.
template <typename Keep>
TListVektorCubeLight RegularGrid(int ni, int nj, TMinutes first, TMinutes last, Keep keep) {
  TListVektorCubeLight list;
  list.AddCube();
  const float stepLon = ni > 1 ? static_cast<float>(last.Lon - first.Lon) / static_cast<float>(ni - 1) : 0.0f;
  const float stepLat = nj > 1 ? static_cast<float>(last.Lat - first.Lat) / static_cast<float>(nj - 1) : 0.0f;
  for (int j = 0; j < nj; ++j) {
    for (int i = 0; i < ni; ++i) {
      if (keep(i, j)) list.AddPosition(0, TMinutes{first.Lon + i * stepLon, first.Lat + j * stepLat});
    }
  }
  list.ResetIndexRoutingArea();
  return list;
}

// Regular grids, whole or with points left out by a bit map, thin ones among
// them (one column of points a few metres apart, positions half a degree
// away), are searched on their lattice, with the scan's result.
TEST(StreamCubeSearchIndexTest, RegularGridsGiveTheScansResultOnTheirLattice) {
  struct Case {
    const char* name;
    TListVektorCubeLight list;
  };
  const auto all = [](int, int) { return true; };
  Case cases[] = {
      {"one dense column", RegularGrid(1, 3000, {-105, 3054}, {-105, 3027}, all)},
      {"sixteen dense columns", RegularGrid(16, 400, {-105, 3054}, {-30, 3027}, all)},
      {"square grid", RegularGrid(30, 20, {-105, 3054}, {-30, 3027}, all)},
      {"bit map", RegularGrid(30, 20, {-105, 3054}, {-30, 3027}, [](int i, int j) { return (i + 2 * j) % 3 != 0; })},
      {"one row, west to east", RegularGrid(500, 1, {-30, 3040}, {-105, 3040}, all)},
  };
  std::mt19937 generator(11);
  std::uniform_real_distribution<double> lon(-150, 15);
  std::uniform_real_distribution<double> lat(3000, 3080);
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TMinutes> positions;
    for (int k = 0; k < 300; ++k) positions.push_back(TMinutes{lon(generator), lat(generator)});
    const int points = c.list.GetCountVektors(0);
    for (int j = 0; j + 1 < points; j += 37) {
      const TMinutes a = c.list.GetVektorMinutes(0, j);
      const TMinutes b = c.list.GetVektorMinutes(0, j + 1);
      positions.push_back(a);
      positions.push_back(TMinutes{(a.Lon + b.Lon) / 2, (a.Lat + b.Lat) / 2});
      positions.push_back(TMinutes{a.Lon + 33, a.Lat});
    }
    positions.push_back(TMinutes{-5000, 9000});
    for (const TMinutes& p : positions) {
      ASSERT_TRUE(SameNearest(c.list.GetNearestPositions(0, p), c.list.GetNearestPositionsByScan(0, p)))
          << "at " << p.Lon << ", " << p.Lat;
    }
    EXPECT_TRUE(c.list.ListVektorCube[0].Buckets.IsLattice);
  }
}

// Scattered points form no lattice; the buckets serve them.
TEST(StreamCubeSearchIndexTest, ScatteredPointsAreNoLattice) {
  TListVektorCubeLight list;
  list.AddCube();
  std::mt19937 generator(3);
  std::uniform_real_distribution<double> lon(-100, -40);
  std::uniform_real_distribution<double> lat(3020, 3060);
  for (int k = 0; k < 200; ++k) list.AddPosition(0, TMinutes{lon(generator), lat(generator)});
  list.ResetIndexRoutingArea();
  const TMinutes p{-70, 3040};
  EXPECT_TRUE(SameNearest(list.GetNearestPositions(0, p), list.GetNearestPositionsByScan(0, p)));
  EXPECT_FALSE(list.ListVektorCube[0].Buckets.IsLattice);
}

TEST(StreamCubeSearchIndexTest, RoutingStreamIsBothChartsWeightedInSpaceThenBlended) {
  TListVektorCubeLight list = synthetic::MakeSyntheticHiResCube();
  const TListMinutes hexagon = synthetic::RoutingHexagon(
      list.MathTools, synthetic::LegStart(), synthetic::kLegCourseDeg, synthetic::kLegDistance);
  list.CloneRoutingArea(hexagon);
  list.GetIndexRoutingArea();
  std::mt19937 generator(11);
  std::uniform_real_distribution<double> offset(0, 25 * kHalfHour);
  for (int k = 0; k < 500; ++k) {
    const TMinutes p = synthetic::RandomPositionIn(list.MathTools, hexagon, generator);
    const TDateTime t = kSyntheticFirstChart + offset(generator);
    const auto pair = list.GetFieldsAround(true, t);
    ASSERT_TRUE(pair.has_value());
    TCartesian cb, ca;
    ASSERT_TRUE(list.GetTINFieldVektor(0, pair->FieldBefore, p, cb));
    ASSERT_TRUE(list.GetTINFieldVektor(0, pair->FieldAfter, p, ca));
    const TCartesian expected =
        list.BlendVektors(cb, list.MathTools.CartesianToPolar(cb), pair->TimeBefore, ca,
                          list.MathTools.CartesianToPolar(ca), pair->TimeAfter, t);
    const TCartesian v = list.GetTINVektor(true, 0, p, t);
    EXPECT_EQ(v.x, expected.x);
    EXPECT_EQ(v.y, expected.y);
  }
}

}  // namespace
}  // namespace corvane
