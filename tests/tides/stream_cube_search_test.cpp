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
