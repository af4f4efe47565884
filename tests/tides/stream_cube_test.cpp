// The stream cube: unpacking for the day's range, the chart rings, blending
// in time, the three-nearest search with inverse-distance weights, and the
// combined interpolation routing uses.

#include "tides/stream_cube.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"

namespace corvane {
namespace {

constexpr double kDeg = kDegreesToRadians;
constexpr TDateTime kHour = 1.0 / 24;
// A moment in the racing season; chart times are laid out from it.
const TDateTime kT0 = EncodeDateTime(2016, 6, 12, 6, 0, 0, 0);

// A cube list with one cube of the given points and `fields` fields, each
// field sized for the points.
TListVektorCubeLight OneCube(const TListMinutes& points, int fields) {
  TListVektorCubeLight list;
  const int c = list.AddCube();
  list.AddFields(c, fields);
  list.AddPositions(c, static_cast<int>(points.size()));
  for (std::size_t j = 0; j < points.size(); ++j) {
    list.SetPosition(c, static_cast<int>(j), points[j], list.MathTools.MinutesToBogen(points[j]));
  }
  for (int f = 0; f < fields; ++f) list.AddVektors(c, f, static_cast<int>(points.size()));
  return list;
}

// Every point of field f gets the same vector.
void FillField(TListVektorCubeLight& list, int cube, int field, const TPolar& polar) {
  for (int j = 0; j < list.GetCountVektors(cube); ++j) list.SetVektorPolar(cube, field, polar, j);
}

// Hourly ring without rotation: field i holds the chart at kT0 + i hours.
void SetHourlyTimes(TListVektorCubeLight& list) {
  list.Charts30 = false;
  list.iOffset = 0;
  for (int i = 0; i < 13; ++i) list.SetTimeField60Offset(i, kT0 + i * kHour);
}

// Five points around (-80', 3046') about half a mile apart, and the frame
// around them as routing area.
TListMinutes FivePoints() {
  return {{-80.0, 3046.0}, {-79.2, 3046.0}, {-80.0, 3046.5}, {-79.2, 3046.5},
          {-79.6, 3046.25}};
}

TRectF FrameAround() {
  TRectF frame;
  frame.Left = -81;
  frame.Right = -78;
  frame.Bottom = 3045;
  frame.Top = 3048;
  return frame;
}

// ------------------------------------------------------------------ unpacking

TEST(StreamCubeUnpackTest, TurnsSpringAndNeapIntoTheSpeedOfTheDay) {
  struct Case {
    const char* name;
    double range;
    double factor;
    double speed;
  };
  const Case cases[] = {
      {"spring range gives the spring speed", 3.6, 0, 2.38},
      {"neap range gives the neap speed", 1.8, 0, 1.19},
      {"halfway between", 2.7, 0, 1.785},
      {"beyond springs extrapolates", 4.5, 0, 2.975},
      {"a 20 % correction", 3.6, 0.2, 2.856},
      {"minus 100 % stops every stream", 2.7, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListVektorCubeLight list = OneCube({{0, 0}}, 1);
    list.SetVektorPacked(0, 0, 53238119, 0);
    // The mean ranges arrive as 32-bit floats from the tide table.
    list.GetUnpackCubes(1.8f, 3.6f, c.range, c.factor);
    const TPolar p = list.GetVektorPolar(0, 0, 0);
    EXPECT_NEAR(static_cast<double>(p.Betrag), static_cast<double>(c.speed), 1e-6);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Winkel), static_cast<double>(static_cast<float>(53 * kDeg)));
    const TCartesian v = list.GetVektorCartesian(0, 0, 0);
    EXPECT_NEAR(static_cast<double>(v.x), static_cast<double>(p.Betrag * std::sin(p.Winkel)), 1e-15);
    EXPECT_NEAR(static_cast<double>(v.y), static_cast<double>(p.Betrag * std::cos(p.Winkel)), 1e-15);
  }
}

TEST(StreamCubeUnpackTest, NoSpeedSouthAndEqualRangesUseTheSpringSpeed) {
  TListVektorCubeLight list = OneCube({{0, 0}, {1, 0}}, 1);
  list.SetVektorPacked(0, 0, 180000000, 0);
  list.SetVektorPacked(0, 0, 53238119, 1);
  // Equal mean ranges leave no line between spring and neap speeds.
  list.GetUnpackCubes(3.0f, 3.0f, 1.0, 0);
  EXPECT_EQ(list.GetVektorPolar(0, 0, 0).Betrag, 0);
  EXPECT_DOUBLE_EQ(static_cast<double>(list.GetVektorPolar(0, 0, 0).Winkel),
                   static_cast<double>(static_cast<float>(kPi)));
  EXPECT_NEAR(static_cast<double>(list.GetVektorPolar(0, 0, 1).Betrag), 2.38, 1e-6);
  EXPECT_TRUE(std::isfinite(list.GetVektorCartesian(0, 0, 1).x));
}

TEST(StreamCubeUnpackTest, RepeatedUnpackingStartsFromThePackedValues) {
  TListVektorCubeLight list = OneCube({{0, 0}}, 1);
  list.SetVektorPacked(0, 0, 53238119, 0);
  list.GetUnpackCubes(1.8f, 3.6f, 4.5, 1);
  list.GetUnpackCubes(1.8f, 3.6f, 3.6, 0);
  EXPECT_NEAR(static_cast<double>(list.GetVektorPolar(0, 0, 0).Betrag), 2.38, 1e-6);
  // The same day again finds the values as they are; a new packed value is
  // unpacked even for the same day.
  list.GetUnpackCubes(1.8f, 3.6f, 3.6, 0);
  EXPECT_NEAR(static_cast<double>(list.GetVektorPolar(0, 0, 0).Betrag), 2.38, 1e-6);
  list.SetVektorPacked(0, 0, 90150150, 0);
  list.GetUnpackCubes(1.8f, 3.6f, 3.6, 0);
  EXPECT_NEAR(static_cast<double>(list.GetVektorPolar(0, 0, 0).Betrag), 1.5, 1e-6);
  EXPECT_NEAR(static_cast<double>(list.GetVektorPolar(0, 0, 0).Winkel), kPi / 2, 1e-6);
}

// ------------------------------------------------------------------- blending

TEST(StreamCubeBlendTest, KeepsTheStrengthWhileTheStreamTurns) {
  TListVektorCubeLight list;
  const TMathTools& m = list.MathTools;
  struct Case {
    const char* name;
    TPolar before, after;
    TDateTime tB, tA, t;
    TPolar expected;
  };
  const Case cases[] = {
      {"quarter turn halfway", {2, 0}, {2, 90 * kDeg}, kT0, kT0 + kHour, kT0 + kHour / 2,
       {2, 45 * kDeg}},
      {"on the earlier chart", {1.5, 30 * kDeg}, {3, 200 * kDeg}, kT0, kT0 + kHour, kT0,
       {1.5, 30 * kDeg}},
      {"on the later chart", {1.5, 30 * kDeg}, {3, 200 * kDeg}, kT0, kT0 + kHour, kT0 + kHour,
       {3, 200 * kDeg}},
      {"a quarter of the way", {1, 90 * kDeg}, {2, 90 * kDeg}, kT0, kT0 + kHour,
       kT0 + kHour / 4, {1.25, 90 * kDeg}},
      {"equal times take the mean vector's direction and the mean speed", {1, 0},
       {3, 90 * kDeg}, kT0, kT0, kT0, {2, std::atan2(3.0, 1.0)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCartesian v = list.BlendVektors(m.PolarToCartesian(c.before), c.before, c.tB,
                                           m.PolarToCartesian(c.after), c.after, c.tA, c.t);
    const TCartesian expected = m.PolarToCartesian(c.expected);
    // The weights are 32-bit floats of days.
    EXPECT_NEAR(static_cast<double>(v.x), static_cast<double>(expected.x), 1e-6);
    EXPECT_NEAR(static_cast<double>(v.y), static_cast<double>(expected.y), 1e-6);
  }
  // Opposite streams cancel as vectors; the speed stays and the direction is
  // the one the zero vector has (north). Given exactly, since the sine of a
  // rounded pi would leave a sliver of east-west component.
  const TCartesian v = list.BlendVektors(TCartesian{0, 2}, TPolar{2, 0}, kT0, TCartesian{0, -2},
                                         TPolar{2, kPi}, kT0 + kHour, kT0 + kHour / 2);
  EXPECT_NEAR(static_cast<double>(v.x), 0, 1e-15);
  EXPECT_NEAR(static_cast<double>(v.y), 2, 1e-6);
}

// --------------------------------------------------------------- chart rings

TEST(StreamCubeRingTest, MapsWindowPositionsToAtlasFields) {
  struct Case {
    const char* name;
    bool charts30, overlap;
    int offset;
    std::vector<int> expected;  // fields of positions 0, 1, ...
  };
  const Case cases[] = {
      {"hourly, nearest chart +4 h", false, false, 4, {4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 1, 2, 3}},
      {"hourly, nearest chart -6 h", false, false, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"30 minutes, nearest chart -6 h 30 min",
       true,
       false,
       13,
       {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
        12}},
      {"30 minutes, 25 places",
       true,
       true,
       13,
       {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListVektorCubeLight list;
    list.Charts30 = c.charts30;
    list.OverlapCharts30 = c.overlap;
    list.iOffset = c.offset;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(list.GetFieldIndex(static_cast<int>(i)), c.expected[i]) << "position " << i;
    }
  }
}

TEST(StreamCubeRingTest, TheOverlappingRingNeverUsesTheFirstField) {
  TListVektorCubeLight list;
  list.Charts30 = true;
  list.OverlapCharts30 = true;
  for (int offset = -12; offset <= 13; ++offset) {
    list.iOffset = offset;
    for (int i = 0; i < 25; ++i) {
      const int f = list.GetFieldIndex(i);
      EXPECT_GE(f, 1) << "offset " << offset << " position " << i;
      EXPECT_LE(f, 25) << "offset " << offset << " position " << i;
    }
  }
}

TEST(StreamCubeRingTest, WindowTimesReadBackInChronologicalOrder) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  list.iOffset = 4;
  for (int i = 0; i < 13; ++i) list.SetTimeField60Offset(i, kT0 + i * kHour);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(list.GetFieldTime(i), kT0 + i * kHour);
  // The +4 h chart (field 4) is the first of the window.
  EXPECT_EQ(list.TimeField[4], kT0);
  EXPECT_EQ(list.TimeField[3], kT0 + 12 * kHour);
}

TEST(StreamCubeRingTest, FieldTimesPastTheLastFieldAreTheClock) {
  TListVektorCubeLight list = OneCube(FivePoints(), 2);
  list.SetTimeField(0, kT0);
  list.SetTimeField(1, kT0 + kHour);
  EXPECT_EQ(list.GetTimeFirstField(), kT0);
  EXPECT_EQ(list.GetTimeLastField(), kT0 + kHour);
  const TDateTime before = NowLocal();
  const TDateTime clock = list.GetTimeField(2);
  EXPECT_GE(clock, before);
  EXPECT_LE(clock, NowLocal());
  EXPECT_TRUE(list.GetDateTimeInCube(kT0 + kHour / 2));
  EXPECT_FALSE(list.GetDateTimeInCube(kT0 + 2 * kHour));
}

TEST(StreamCubeRingTest, AChartTimeBelongsToThePairThatEndsThere) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  SetHourlyTimes(list);
  struct Case {
    const char* name;
    TDateTime t;
    bool found;
    int before, after;
  };
  const Case cases[] = {
      {"first chart starts the first pair", kT0, true, 0, 1},
      {"inner chart ends its pair", kT0 + 3 * kHour, true, 2, 3},
      {"between charts", kT0 + 3.5 * kHour, true, 3, 4},
      {"last chart", kT0 + 12 * kHour, true, 11, 12},
      {"before the window", kT0 - kHour, false, 0, 0},
      {"after the window", kT0 + 12.5 * kHour, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto pair = list.GetFieldsAround(true, c.t);
    ASSERT_EQ(pair.has_value(), c.found);
    EXPECT_EQ(list.GetTimeInFields(true, c.t), c.found);
    if (!c.found) continue;
    EXPECT_EQ(pair->FieldBefore, c.before);
    EXPECT_EQ(pair->FieldAfter, c.after);
  }
}

// -------------------------------------------------------- time interpolation

TEST(StreamCubeFieldsIntpTest, InterpolatesEveryPointAndKeepsItOutsideTheWindow) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  SetHourlyTimes(list);
  for (int f = 0; f < 13; ++f) FillField(list, 0, f, TPolar{1 + f * 0.1, 90 * kDeg});

  list.GetFieldsIntp(true, kT0 + 2.25 * kHour);
  EXPECT_EQ(list.ListVektorCube[0].TimeIntp, kT0 + 2.25 * kHour);
  for (int j = 0; j < 5; ++j) {
    const TPolar p = list.GetVektorIntpPolar(0, j);
    EXPECT_NEAR(static_cast<double>(p.Betrag), 1.225, 1e-6);
    EXPECT_NEAR(static_cast<double>(p.Winkel), static_cast<double>(90 * kDeg), 1e-12);
  }

  // A moment on a chart time gives that chart's vectors.
  list.GetFieldsIntp(true, kT0 + 7 * kHour);
  EXPECT_NEAR(static_cast<double>(list.GetVektorIntpPolar(0, 3).Betrag), 1.7, 1e-12);

  // Outside the window the last interpolation stays.
  list.GetFieldsIntp(true, kT0 + 13 * kHour);
  EXPECT_EQ(list.ListVektorCube[0].TimeIntp, kT0 + 7 * kHour);
  EXPECT_NEAR(static_cast<double>(list.GetVektorIntpPolar(0, 3).Betrag), 1.7, 1e-12);

  list.ClrVektorFieldFixed();
  EXPECT_EQ(list.GetVektorIntpPolar(0, 3).Betrag, 0);
  EXPECT_NEAR(static_cast<double>(list.ListVektorCube[0].VektorCIntp[3].x), 1.7, 1e-12);
}

// ------------------------------------------------------------ nearest points

TEST(StreamCubeSearchTest, FindsTheThreeNearestNearestFirst) {
  TListVektorCubeLight list = OneCube(FivePoints(), 1);
  const TNearestPositions n = list.GetNearestPositions(0, TMinutes{-79.65, 3046.3});
  EXPECT_EQ(n[0].Point, 4);
  EXPECT_EQ(n[1].Point, 2);  // 0.35' of longitude west, 0.2' north: 0.30 nm
  EXPECT_EQ(n[2].Point, 3);  // 0.45' east, 0.2' north: 0.35 nm
  for (const TNearestPoint& p : n) {
    const double expected = list.MathTools.DistanceOfMinutes(TMinutes{-79.65, 3046.3},
                                                          list.GetVektorMinutes(0, p.Point));
    EXPECT_EQ(p.Distance, static_cast<float>(expected));
  }
  EXPECT_LT(n[0].Distance, n[1].Distance);
  EXPECT_LT(n[1].Distance, n[2].Distance);
}

TEST(StreamCubeSearchTest, EqualDistancesKeepTheRoutingIndexOrder) {
  // The nearest point east, two at equal distance north and south, and two
  // farther east and west.
  const TListMinutes points = {
      {0, 3046.4}, {0, 3045.6}, {0.7, 3046.0}, {-0.7, 3046.0}, {0.2, 3046.0}};
  TListVektorCubeLight list = OneCube(points, 1);
  const TNearestPositions n = list.GetNearestPositions(0, TMinutes{0, 3046.0});
  EXPECT_EQ(n[0].Point, 4);
  EXPECT_EQ(n[1].Point, 0);
  EXPECT_EQ(n[2].Point, 1);
  EXPECT_EQ(n[1].Distance, n[2].Distance);
  // With the two listed the other way round, the order follows.
  TListVektorCubeLight swapped = OneCube({points[1], points[0], points[2], points[3], points[4]}, 1);
  const TNearestPositions r = swapped.GetNearestPositions(0, TMinutes{0, 3046.0});
  EXPECT_EQ(r[1].Point, 0);
  EXPECT_EQ(r[1].Distance, n[1].Distance);
  EXPECT_EQ(r[2].Point, 1);
}

TEST(StreamCubeSearchTest, WidensTheSquareUntilThreePointsAreInside) {
  // Points 2' apart: the first square (half-width 1') holds one of them.
  const TListMinutes points = {{0, 3046}, {2, 3046}, {0, 3048}, {2, 3048}, {4, 3050}};
  TListVektorCubeLight list = OneCube(points, 1);
  const TNearestPositions n = list.GetNearestPositions(0, TMinutes{0.1, 3046.1});
  EXPECT_EQ(n[0].Point, 0);
  EXPECT_EQ(n[1].Point, 1);  // 1.9' of longitude is nearer than 1.9' of latitude
  EXPECT_EQ(n[2].Point, 2);
}

TEST(StreamCubeSearchTest, ANearerPointJustOutsideTheSquareIsNotConsidered) {
  // Three points inside the first square, each 0.85 to 0.9 nm away, and one
  // 1.1' of longitude east (about 0.7 nm at this latitude) outside it.
  const TListMinutes points = {
      {0, 3046.9}, {0, 3045.1}, {-0.95, 3046.6}, {1.1, 3046.0}};
  TListVektorCubeLight list = OneCube(points, 1);
  const TMinutes here{0, 3046};
  EXPECT_LT(list.MathTools.DistanceOfMinutes(here, points[3]),
            list.MathTools.DistanceOfMinutes(here, points[2]));
  const TNearestPositions n = list.GetNearestPositions(0, here);
  for (const TNearestPoint& p : n) EXPECT_NE(p.Point, 3);
}

TEST(StreamCubeSearchTest, TooFewPointsInTheRoutingIndexFindNothing) {
  TListVektorCubeLight list = OneCube(FivePoints(), 1);
  // A routing area around the two western points only.
  list.CloneRoutingArea({{-80.1, 3045.9}, {-80.1, 3046.6}, {-79.9, 3046.6},
                         {-79.9, 3045.9}, {-80.1, 3045.9}});
  list.GetIndexRoutingArea();
  EXPECT_EQ(list.ListVektorCube[0].IndexRoutingArea, (std::vector<std::uint32_t>{0, 2}));
  const TNearestPositions n = list.GetNearestPositions(0, TMinutes{-80, 3046.2});
  for (const TNearestPoint& p : n) EXPECT_EQ(p.Point, -1);
  list.ResetIndexRoutingArea();
  EXPECT_EQ(list.ListVektorCube[0].IndexRoutingArea, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
  EXPECT_NE(list.GetNearestPositions(0, TMinutes{-80, 3046.2})[2].Point, -1);
}

// ------------------------------------------------------- weighting in space

TEST(StreamCubeWeightingTest, InverseDistanceWeightsOfTheThreeNearest) {
  TListVektorCubeLight list;
  const TListCartesian values = {{1, 0}, {0, 2}, {-3, 3}};
  struct Case {
    const char* name;
    TNearestPositions nearest;
    TCartesian expected;
  };
  const Case cases[] = {
      // Weights 1/1, 1/2, 1/4 -> 4/7, 2/7, 1/7.
      {"distances 1, 2, 4", {{{0, 1}, {1, 2}, {2, 4}}}, {(4 - 3) / 7.0, (4 + 3) / 7.0}},
      {"on a grid point", {{{1, 0}, {0, 0.5f}, {2, 1}}}, {0, 2}},
      {"two points at the position", {{{0, 0}, {1, 0}, {2, 1}}}, {0, 0}},
      {"a slot left empty", {{{0, 1}, {1, 1}, {-1, 0}}}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCartesian v = list.GetWeightedVektor(c.nearest, values);
    EXPECT_NEAR(static_cast<double>(v.x), static_cast<double>(c.expected.x), 1e-15);
    EXPECT_NEAR(static_cast<double>(v.y), static_cast<double>(c.expected.y), 1e-15);
  }
}

TEST(StreamCubeWeightingTest, APositionOnAGridPointGetsItsInterpolatedVector) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  SetHourlyTimes(list);
  for (int f = 0; f < 13; ++f) {
    for (int j = 0; j < 5; ++j) list.SetVektorPolar(0, f, TPolar{0.3 * j + 0.01 * f, 0.7 * j}, j);
  }
  list.CloneVektorArea(0, {{-81, 3045}, {-81, 3048}, {-78, 3048}, {-78, 3045}});
  list.GetFieldsIntp(true, kT0 + 5.5 * kHour);
  for (int j = 0; j < 5; ++j) {
    const TPolar at = list.GetVektorIntpAtPosition(list.GetVektorMinutes(0, j));
    const TPolar expected = list.MathTools.CartesianToPolar(list.ListVektorCube[0].VektorCIntp[j]);
    // The spherical law of cosines may leave a point a few millionths of a
    // mile from itself, which lends its neighbours a weight of that order.
    EXPECT_NEAR(static_cast<double>(at.Betrag), static_cast<double>(expected.Betrag), 1e-5)
        << "point " << j;
    EXPECT_NEAR(static_cast<double>(at.Winkel), static_cast<double>(expected.Winkel), 1e-5)
        << "point " << j;
  }
}

TEST(StreamCubeWeightingTest, LabelValuesFollowTheInterpolatedField) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  SetHourlyTimes(list);
  for (int f = 0; f < 13; ++f) FillField(list, 0, f, TPolar{2, 135 * kDeg});
  list.AddPositionsText(2);
  list.SetPositionText(0, 3046.3f, -79.5f);
  list.SetPositionText(1, 3046.1f, -79.9f);
  list.GetFieldsIntp(true, kT0 + kHour);
  list.GetFieldsTextIntp(kT0 + kHour);
  // A uniform field is reproduced anywhere: the weights sum to one.
  for (const TPolar& p : list.ValuePText) {
    EXPECT_NEAR(static_cast<double>(p.Betrag), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(p.Winkel), static_cast<double>(135 * kDeg), 1e-12);
  }
}

// ------------------------------------------------------------ cube of a place

TEST(StreamCubeAreaTest, TheFirstPolygonThatHoldsThePositionChoosesTheCube) {
  TListVektorCubeLight list;
  for (int c = 0; c < 3; ++c) list.AddCube();
  list.CloneVektorArea(0, {{0, 0}, {0, 10}, {10, 10}, {10, 0}});
  list.CloneVektorArea(1, {{8, 8}, {8, 12}, {12, 12}, {12, 8}});
  list.CloneVektorArea(2, {{20, 0}, {20, 2}, {22, 2}, {22, 0}});
  struct Case {
    const char* name;
    TMinutes position;
    int cube;
  };
  const Case cases[] = {
      {"open water", {5, 5}, 0},
      {"overlap: cube 0 wins", {9, 9}, 0},
      {"sub-area only", {11, 11}, 1},
      {"last cube", {21, 1}, 2},
      {"outside every polygon", {30, 30}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(list.GetCubeIndex(c.position), c.cube);
  }
}

TEST(StreamCubeAreaTest, TheDefaultRoutingAreaIsTheFrame) {
  TListVektorCubeLight list;
  list.SetDefaultRoutingArea(FrameAround());
  const TListMinutes expected = {
      {-81, 3045}, {-81, 3048}, {-78, 3048}, {-78, 3045}, {-81, 3045}};
  ASSERT_EQ(list.ListRoutingArea.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(list.ListRoutingArea[k].Lon, expected[k].Lon);
    EXPECT_EQ(list.ListRoutingArea[k].Lat, expected[k].Lat);
  }
  TListMinutes copy;
  EXPECT_EQ(list.UncloneRoutingArea(copy), 5);
  EXPECT_EQ(copy.size(), 5u);
}

// ------------------------------------------------ interpolation for routing

TEST(StreamCubeTINTest, BlendsTheTwoChartsAroundTheMomentAtThePosition) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  list.SetDefaultRoutingArea(FrameAround());
  list.Charts30 = false;
  list.iOffset = 9;  // positions 0 ... 12 use fields 9 ... 12, 0 ... 8
  for (int i = 0; i < 13; ++i) list.SetTimeField60Offset(i, kT0 + i * kHour);
  for (int f = 0; f < 13; ++f) FillField(list, 0, f, TPolar{static_cast<double>(1 + f), 90 * kDeg});
  const TMinutes here{-79.5, 3046.2};

  struct Case {
    const char* name;
    TDateTime t;
    double speed;
  };
  const Case cases[] = {
      {"a quarter past position 1 (field 10)", kT0 + 1.25 * kHour, 11.25},
      {"across the ring's seam (fields 12 and 0)", kT0 + 3.5 * kHour, 7},
      {"on the last chart", kT0 + 12 * kHour, 9},
      {"after the window", kT0 + 12.1 * kHour, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCartesian v = list.GetTINVektor(true, 0, here, c.t);
    EXPECT_NEAR(static_cast<double>(v.x), static_cast<double>(c.speed), 1e-5);
    EXPECT_NEAR(static_cast<double>(v.y), 0, 1e-5);
  }
}

TEST(StreamCubeTINTest, ZeroOutsideTheRoutingAreaOrWithTooFewPoints) {
  TListVektorCubeLight list = OneCube(FivePoints(), 13);
  list.SetDefaultRoutingArea(FrameAround());
  SetHourlyTimes(list);
  for (int f = 0; f < 13; ++f) FillField(list, 0, f, TPolar{1, 0});
  const TDateTime t = kT0 + 2 * kHour;

  TCartesian v;
  EXPECT_TRUE(list.GetTINFieldVektor(0, 2, TMinutes{-79.5, 3046.2}, v));
  EXPECT_NEAR(static_cast<double>(v.y), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(list.GetTINVektor(true, 0, TMinutes{-79.5, 3046.2}, t).y), 1,
              1e-6);

  // West of the frame.
  EXPECT_FALSE(list.GetTINFieldVektor(0, 2, TMinutes{-81.5, 3046.2}, v));
  EXPECT_EQ(v.y, 0);
  EXPECT_EQ(list.GetTINVektor(true, 0, TMinutes{-81.5, 3046.2}, t).y, 0);

  // A routing area that holds two points of the cube.
  list.CloneRoutingArea({{-80.1, 3045.9}, {-80.1, 3046.6}, {-79.9, 3046.6},
                         {-79.9, 3045.9}, {-80.1, 3045.9}});
  list.GetIndexRoutingArea();
  EXPECT_FALSE(list.GetTINFieldVektor(0, 2, TMinutes{-80, 3046.2}, v));
  EXPECT_EQ(list.GetTINVektor(true, 0, TMinutes{-80, 3046.2}, t).y, 0);
  list.CloneVektorArea(0, {{-81, 3045}, {-81, 3048}, {-78, 3048}, {-78, 3045}});
  list.GetFieldsIntp(true, t);
  EXPECT_EQ(list.GetVektorIntpAtPosition(TMinutes{-80, 3046.2}).Betrag, 0);

  // A cube or field that does not exist.
  EXPECT_FALSE(list.GetTINFieldVektor(1, 0, TMinutes{-80, 3046.2}, v));
  EXPECT_FALSE(list.GetTINFieldVektor(0, 13, TMinutes{-80, 3046.2}, v));
}

TEST(StreamCubeTINTest, TINFieldFillsTheDrawnVectorsAtGivenPositions) {
  TListVektorCubeLight list = OneCube(FivePoints(), 1);
  list.SetDefaultRoutingArea(FrameAround());
  FillField(list, 0, 0, TPolar{0.8, 200 * kDeg});
  list.GetTINField(0, 0, {{-79.5, 3046.2}, {-90, 3046}});
  ASSERT_EQ(list.ListVektorCube[0].VektorPIntp.size(), 2u);
  EXPECT_NEAR(static_cast<double>(list.GetVektorIntpPolar(0, 0).Betrag), 0.8, 1e-12);
  EXPECT_EQ(list.GetVektorIntpPolar(0, 1).Betrag, 0);
}

// ---------------------------------------------------------------- read access

TEST(StreamCubeAccessTest, ReadsOutsideTheListsGiveZero) {
  TListVektorCubeLight list = OneCube(FivePoints(), 2);
  list.AddSlacks(1);
  list.SetSlackPosition(0, TMinutes{-79, 3046});
  list.SetSlack(0, true);
  EXPECT_EQ(list.GetCountCubes(), 1);
  EXPECT_EQ(list.GetCountFields(0), 2);
  EXPECT_EQ(list.GetCountFields(1), 0);
  EXPECT_EQ(list.GetCountVektors(0), 5);
  EXPECT_EQ(list.GetCountVektors(0, 1), 5);
  EXPECT_EQ(list.GetCountVektors(0, 2), 0);
  EXPECT_EQ(list.GetCountVektors(-1), 0);
  EXPECT_EQ(list.GetVektorMinutes(0, 5).Lon, 0);
  EXPECT_EQ(list.GetVektorBogen(2, 0).yRad, 0);
  EXPECT_EQ(list.GetVektorPolar(0, 2, 0).Betrag, 0);
  EXPECT_EQ(list.GetVektorCartesian(0, 0, -1).x, 0);
  EXPECT_EQ(list.GetVektorIntpPolar(0, 9).Betrag, 0);
  EXPECT_EQ(list.GetCountSlacks(), 1);
  EXPECT_TRUE(list.GetSlack(0));
  EXPECT_FALSE(list.GetSlack(1));
  EXPECT_EQ(list.GetSlackPosition(0).Lon, -79);
  EXPECT_EQ(list.GetSlackPosition(3).Lon, 0);
  // Writes outside the lists change nothing.
  list.SetVektorPacked(0, 0, 1, 5);
  list.SetPosition(0, 7, TMinutes{1, 1}, TBogen{});
  list.SetVektorArea(0, 0, 1, 1);
  EXPECT_EQ(list.GetCountVektors(0), 5);
  EXPECT_TRUE(list.ListVektorCube[0].VektorArea.empty());

  list.ClrCubes();
  EXPECT_EQ(list.GetCountCubes(), 0);
  EXPECT_TRUE(list.TimeField.empty());
  EXPECT_EQ(list.GetCountVektors(0), 0);
}

TEST(StreamCubeAccessTest, GribFieldsGrowFieldByField) {
  TListVektorCubeLight list;
  const int c = list.AddCube();
  list.AddPosition(c, TMinutes{0, 3000});
  list.AddPosition(c, TMinutes{1, 3000});
  list.AddPosition(c, TMinutes{0, 3001});
  list.ResetIndexRoutingArea();
  const int f = list.AddField(c);
  EXPECT_EQ(f, 0);
  list.SetTimeField(f, kT0);
  list.AddVektors(c, f, 3);
  list.SetVektorCartesianX(c, f, 3, 1);
  list.SetVektorCartesianY(c, f, 4, 1);
  list.SetVektorPolar(c, f, 1);
  EXPECT_NEAR(static_cast<double>(list.GetVektorPolar(c, f, 1).Betrag), 5, 1e-15);
  EXPECT_EQ(list.AddField(c), 1);
  EXPECT_EQ(list.TimeField.size(), 2u);
  EXPECT_EQ(list.TimeStamp.size(), 2u);
  EXPECT_EQ(list.ListVektorCube[0].IndexRoutingArea, (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(list.GetNearestPositions(c, TMinutes{0.9, 3000})[0].Point, 1);
}

}  // namespace
}  // namespace corvane
