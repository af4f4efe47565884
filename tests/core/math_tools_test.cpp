#include "core/math_tools.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/constants.h"

namespace corvane {
namespace {

// EXPECT_NEAR compares in double; this keeps the comparison in double so that
// tolerances below double precision mean something.
::testing::AssertionResult ExtNear(const char* actualText, const char* expectedText,
                                   const char* toleranceText, double actual, double expected,
                                   double tolerance) {
  const double difference = std::fabs(actual - expected);
  if (difference <= tolerance) return ::testing::AssertionSuccess();
  std::ostringstream message;
  message.precision(21);
  message << actualText << " = " << actual << " and " << expectedText << " = " << expected
          << " differ by " << difference << ", more than " << toleranceText;
  return ::testing::AssertionFailure() << message.str();
}
#define EXPECT_EXT_NEAR(actual, expected, tolerance) \
  EXPECT_PRED_FORMAT3(ExtNear, actual, expected, tolerance)

// A position inside the racing area, in minutes of arc.
constexpr double kAreaLat = 3040;
constexpr double kAreaLon = -80;

TBogen Bogen(double lonMinutes, double latMinutes) {
  return TMathTools().MinutesToBogen(TMinutes{lonMinutes, latMinutes});
}

// ------------------------------------------------------------------ angles

TEST(MathToolsAngles, SecureArcFunctionsClampTheirArgument) {
  struct Case {
    const char* name;
    double value;
    double arcCos;
    double arcSin;
  };
  const Case cases[] = {
      {"just above 1", 1 + 1e-15, 0, kPi / 2},
      {"just below -1", -1 - 1e-15, kPi, -kPi / 2},
      {"far out", 5, 0, kPi / 2},
      {"inside", 0.5, kPi / 3, kPi / 6},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.SecureArcCos(c.value), c.arcCos, 1e-15);
    EXPECT_EXT_NEAR(math.SecureArcSin(c.value), c.arcSin, 1e-15);
  }
}

TEST(MathToolsAngles, AddDegCorrectsOnceEachWay) {
  struct Case {
    const char* name;
    double deg1;
    double deg2;
    double sum;
  };
  const Case cases[] = {
      {"past north", 350, 20, 10},
      {"below zero", 10, -20, 350},
      {"exactly 360 stays", 180, 180, 360},
      {"zero", 0, 0, 0},
      {"two turns over: one correction only", 400, 400, 440},
      {"more than a turn below: one correction only", -400, 0, -40},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.AddDeg(c.deg1, c.deg2), c.sum, 1e-15);
  }
}

TEST(MathToolsAngles, AddRadCorrectsOnceEachWay) {
  struct Case {
    const char* name;
    double rad1;
    double rad2;
    double sum;
  };
  const Case cases[] = {
      {"past north", kTwoPi - 0.1, 0.3, 0.2},
      {"below zero", 0.1, -0.3, kTwoPi - 0.2},
      {"exactly 2 pi stays", kPi, kPi, kTwoPi},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.AddRad(c.rad1, c.rad2), c.sum, 1e-15);
  }
}

TEST(MathToolsAngles, ReduceRadBringsAnyNumberOfTurnsIntoOne) {
  struct Case {
    const char* name;
    double rad;
    double reduced;
  };
  const Case cases[] = {
      {"within the turn", 1.25, 1.25},
      {"one turn on", kTwoPi + 1.25, 1.25},
      {"settings value of 700", 700, 700 - 111 * kTwoPi},
      {"below zero", -0.5, kTwoPi - 0.5},
      {"many turns below zero", -700, 112 * kTwoPi - 700},
      {"exactly one turn", kTwoPi, 0},
      {"a hair below zero", -1e-300, 0},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double reduced = math.ReduceRad(c.rad);
    EXPECT_NEAR(reduced, c.reduced, 1e-12);
    EXPECT_GE(reduced, 0);
    EXPECT_LT(reduced, kTwoPi);
  }
  for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    SCOPED_TRACE(bad);
    EXPECT_TRUE(std::isnan(math.ReduceRad(bad)));
  }
}

TEST(MathToolsAngles, AngleRad180TakesTheShorterWayRound) {
  struct Case {
    const char* name;
    double rad1;
    double rad2;
    double difference;
  };
  const Case cases[] = {
      {"across north", 0.1, kTwoPi - 0.1, 0.2},
      {"across north, swapped", kTwoPi - 0.1, 0.1, 0.2},
      {"plain", 1, 2.5, 1.5},
      {"opposite", 0, kPi, kPi},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.AngleRad180(c.rad1, c.rad2), c.difference, 1e-15);
  }
}

// ---------------------------------------------------- position conversions

TEST(MathToolsPositions, MinutesAndBogenConvertBothWays) {
  const TMathTools math;
  const TBogen bogen = math.MinutesToBogen(TMinutes{-60, 5400});
  EXPECT_EXT_NEAR(bogen.xRad, -kPi / 180, 1e-18);
  EXPECT_EXT_NEAR(bogen.yRad, kPi / 2, 1e-18);
  EXPECT_EXT_NEAR(bogen.yRadSin, 1, 1e-18);
  EXPECT_EXT_NEAR(bogen.yRadCos, 0, 1e-16);

  const TMinutes back = math.BogenToMinutes(math.MinutesToBogen(TMinutes{kAreaLon, kAreaLat}));
  EXPECT_EXT_NEAR(back.Lon, kAreaLon, 1e-12);
  EXPECT_EXT_NEAR(back.Lat, kAreaLat, 1e-12);
}

TEST(MathToolsPositions, MinutesToGeoPosFormatsOneCoordinate) {
  struct Case {
    const char* name;
    double minutes;
    std::string text;
  };
  const Case cases[] = {
      {"north", 3047.1234, "050.47.123N"},
      {"negative gets the other letter", -77.5, "001.17.500S"},
      {"zero is positive", 0, "000.00.000N"},
      {"thousandths carry into minutes and degrees", 59.9996, "001.00.000N"},
      {"carry up to 180 degrees", 10799.9999, "180.00.000N"},
      {"tiny negative keeps its letter", -0.0001, "000.00.000S"},
      {"half a thousandth rounds down to even", 0.0625, "000.00.062N"},
      {"half a thousandth rounds up to even", 0.1875, "000.00.188N"},
      {"only the last three digits of degrees", 1001 * 60 + 1, "001.01.000N"},
      // A chart frame text with a run of digits reads as such a value; 60
      // times its degrees misses it by 2^70 minutes.
      {"far beyond any coordinate keeps two digits of minutes", -9.9999999999999984e+36, "688.48.000S"},
      {"the largest double, whose degrees times 60 overflow", std::numeric_limits<double>::max(), "456.08.000N"},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(math.MinutesToGeoPos(c.minutes, 'S', 'N'), c.text);
  }
}

TEST(MathToolsPositions, MinutesToGeoPosOfAPositionUsesBothLetterPairs) {
  const TMathTools math;
  EXPECT_EQ(math.MinutesToGeoPos(TMinutes{-77.5, 3047.1234}), "001.17.500W  050.47.123N");
  EXPECT_EQ(math.MinutesToGeoPos(TMinutes{77.5, -3047.1234}), "001.17.500E  050.47.123S");
}

TEST(MathToolsPositions, GeoPosToMinutesReadsLongitudeAndLatitude) {
  const TMathTools math;
  const TMinutes minutes = math.GeoPosToMinutes(TGeoPos{"001:02:800W", "050.05.550N"});
  EXPECT_EXT_NEAR(minutes.Lon, -62.8, 1e-9);
  EXPECT_EXT_NEAR(minutes.Lat, 3005.55, 1e-9);
}

TEST(MathToolsPositions, GeoPosTextRoundTripsToTheThousandth) {
  const TMathTools math;
  for (const double minutes : {3047.123, -77.5, -0.001, 10799.999}) {
    SCOPED_TRACE(std::to_string(static_cast<double>(minutes)));
    EXPECT_EXT_NEAR(math.GeoPosToMinutes(math.MinutesToGeoPos(minutes, 'W', 'E')), minutes, 1e-9);
  }
}

// ----------------------------------------------------------------- vectors

TEST(MathToolsVectors, WinkelOfCartesianIsClockwiseFromNorth) {
  struct Case {
    const char* name;
    TCartesian vector;
    double degrees;
  };
  const Case cases[] = {
      {"zero vector", {0, 0}, 0},     {"north", {0, 1}, 0},       {"north-east", {1, 1}, 45},
      {"east", {1, 0}, 90},           {"south-east", {1, -1}, 135}, {"south", {0, -1}, 180},
      {"south-west", {-1, -1}, 225},  {"west", {-1, 0}, 270},     {"north-west", {-1, 1}, 315},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.WinkelOfCartesian(c.vector), c.degrees, 1e-12);
    EXPECT_EXT_NEAR(math.CartesianToRadiant(c.vector), c.degrees * kDegreesToRadians, 1e-12);
  }
}

TEST(MathToolsVectors, PolarAndCartesianConvertBothWays) {
  const TMathTools math;
  const TPolar polar = math.CartesianToPolar(TCartesian{-3, 4});
  EXPECT_EXT_NEAR(polar.Betrag, 5, 1e-15);
  EXPECT_EXT_NEAR(polar.Winkel, kTwoPi - std::atan(0.75), 1e-12);

  const TCartesian east = math.PolarToCartesian(TPolar{2, kPi / 2});
  EXPECT_EXT_NEAR(east.x, 2, 1e-15);
  EXPECT_EXT_NEAR(east.y, 0, 1e-15);

  const TCartesian back = math.PolarToCartesian(polar);
  EXPECT_EXT_NEAR(back.x, -3, 1e-12);
  EXPECT_EXT_NEAR(back.y, 4, 1e-12);
}

// ------------------------------------------------------------- speed units

TEST(MathToolsSpeeds, ConvertBetweenKnotsAndMetricUnits) {
  const TMathTools math;
  EXPECT_EXT_NEAR(math.KnToMMin(3), 92.6, 1e-15);
  EXPECT_EXT_NEAR(math.MMinToKn(92.6), 3, 1e-15);
  EXPECT_EXT_NEAR(math.MsToKn(1852.0 / 3600), 1, 1e-15);
}

TEST(MathToolsSpeeds, Shr10TruncatesTowardZero) {
  struct Case {
    const char* name;
    int value;
    std::uint8_t count;
    int result;
  };
  const Case cases[] = {
      {"no shift", 1234, 0, 1234},
      {"positive", 12345, 2, 123},
      {"negative truncates toward zero", -12345, 2, -123},
      {"small negative becomes zero", -5, 1, 0},
      {"int minimum", INT_MIN, 9, -2},
      {"more digits than an int holds", INT_MAX, 10, 0},
      {"largest count", -1, 255, 0},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(math.Shr10(c.value, c.count), c.result);
  }
}

// ------------------------------------------------- distances and courses

TEST(MathToolsSphere, DistanceIsInNauticalMiles) {
  struct Case {
    const char* name;
    TMinutes p1;
    TMinutes p2;
    double distance;
    double tolerance;
  };
  const Case cases[] = {
      {"one minute of latitude", {kAreaLon, kAreaLat}, {kAreaLon, kAreaLat + 1}, 1, 1e-9},
      {"same point", {kAreaLon, kAreaLat}, {kAreaLon, kAreaLat}, 0, 1e-6},
      {"along the equator", {0, 0}, {60, 0}, 60, 1e-9},
      {"one minute of longitude shrinks with latitude",
       {kAreaLon, kAreaLat},
       {kAreaLon + 1, kAreaLat},
       std::cos(kAreaLat * kMinutesToRadians),
       1e-6},
      {"antipodes", {0, 0}, {10800, 0}, 10800, 1e-9},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.DistanceOfMinutes(c.p1, c.p2), c.distance, c.tolerance);
  }
}

TEST(MathToolsSphere, AngleOfBogenCoversAllQuadrants) {
  struct Case {
    const char* name;
    TMinutes to;  // offset from the start in minutes
    double course;
  };
  const Case cases[] = {
      {"same point", {0, 0}, kPi / 2},   {"due north", {0, 5}, 0},
      {"due east", {5, 0}, kPi / 2},     {"due south", {0, -5}, kPi},
      {"due west", {-5, 0}, 3 * kPi / 2}, {"north-east", {1, 1}, kPi / 4},
      {"south-east", {1, -1}, 3 * kPi / 4}, {"south-west", {-1, -1}, 5 * kPi / 4},
      {"north-west", {-1, 1}, 7 * kPi / 4},
  };
  const TMathTools math;
  // On the equator a minute of longitude is a minute of latitude, so the
  // diagonals are exact; the other latitudes are where sin^2 + cos^2 does
  // not round to exactly 1.
  for (const double lat : {0.0, 3005.0, kAreaLat, 3047.1234}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " at latitude " + std::to_string(double(lat)));
      const bool diagonal = c.to.Lon != 0 && c.to.Lat != 0;
      if (diagonal && lat != 0) continue;
      const TBogen p1 = Bogen(kAreaLon, lat);
      const TBogen p2 = Bogen(kAreaLon + c.to.Lon, lat + c.to.Lat);
      EXPECT_EXT_NEAR(math.AngleOfBogen(p1, p2), c.course, 1e-3);
      if (!diagonal) {
        EXPECT_EXT_NEAR(math.AngleOfBogen(p1, p2), c.course, 1e-15);
      }
    }
  }
  EXPECT_EXT_NEAR(math.AngleOfMinutes(TMinutes{0, 10}, TMinutes{0, 0}), 180, 1e-12);
}

TEST(MathToolsSphere, GetOrtWegOrtSailsDistanceAndCourse) {
  const TMathTools math;
  const TBogen start = Bogen(kAreaLon, kAreaLat);
  for (const double course : {0.0, 0.3, kPi / 2, 2.0, kPi, 4.0, 3 * kPi / 2, 6.0}) {
    SCOPED_TRACE("course " + std::to_string(double(course)));
    TBogen to;
    math.GetOrtWegOrt(start, TPolar{2, course}, to);
    EXPECT_EXT_NEAR(math.DistanceOfBogen(start, to), 2, 1e-6);
    // AngleOfBogen is not the great-circle bearing; over 2 nm at this
    // latitude the two differ by a few 1e-4 rad.
    EXPECT_EXT_NEAR(math.AngleRad180(math.AngleOfBogen(start, to), course), 0, 1e-3);
  }
}

TEST(MathToolsSphere, GetOrtWegOrtEdges) {
  const TMathTools math;
  const TBogen start = Bogen(kAreaLon, kAreaLat);
  const double tolerance = 1e-5 * kMinutesToRadians;  // about 2 cm

  TBogen stay;
  stay.yRadSin = 7;
  stay.yRadCos = 8;
  math.GetOrtWegOrt(start, TPolar{0, 1.0}, stay);
  EXPECT_EXT_NEAR(stay.xRad, start.xRad, tolerance);
  EXPECT_EXT_NEAR(stay.yRad, start.yRad, tolerance);
  EXPECT_EQ(stay.yRadSin, 7);  // left to the caller
  EXPECT_EQ(stay.yRadCos, 8);

  TBogen reduced;
  TBogen plain;
  math.GetOrtWegOrt(start, TPolar{12, 0.1}, plain);
  for (const double course : {kTwoPi + 0.1, 0.1 - kTwoPi, 0.1 + 3 * kTwoPi}) {
    SCOPED_TRACE("course " + std::to_string(double(course)));
    math.GetOrtWegOrt(start, TPolar{12, course}, reduced);
    EXPECT_EXT_NEAR(reduced.xRad, plain.xRad, tolerance);
    EXPECT_EXT_NEAR(reduced.yRad, plain.yRad, tolerance);
  }

  TBogen north;
  math.GetOrtWegOrt(Bogen(0, 0), TPolar{60, 0}, north);
  EXPECT_EXT_NEAR(math.BogenToMinutes(north).Lat, 60, 1e-9);
  EXPECT_EXT_NEAR(math.BogenToMinutes(north).Lon, 0, 1e-5);
}

// -------------------------------------------------------------- area tests

TEST(MathToolsAreas, GetInSquareWithMargin) {
  struct Case {
    const char* name;
    TMinutes point;
    float quality;
    bool inside;
  };
  const TMinutes p1{-100, 3030};
  const TMinutes p2{-60, 3050};
  const Case cases[] = {
      {"centre", {-80, 3040}, 0, true},
      {"south-west corner", {-100, 3030}, 0, true},
      {"north-east corner", {-60, 3050}, 0, true},
      {"west of the box", {-100.4, 3040}, 0, false},
      {"west but within the margin", {-100.4, 3040}, 0.5f, true},
      {"west beyond the margin", {-100.6, 3040}, 0.5f, false},
      {"north within the margin", {-80, 3050.5}, 0.5f, true},
      {"south beyond the margin", {-80, 3029.4}, 0.5f, false},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(math.GetInSquare(c.point.Lon, c.point.Lat, p1, p2, c.quality), c.inside);
  }
}

struct PolygonCase {
  const char* name;
  TMinutes point;
  bool inside;
};

// Runs the cases through all three polygon forms.
void CheckAllPolygonForms(const TListMinutes& vertices, const std::vector<PolygonCase>& cases) {
  const TMathTools math;
  TPolygon polygon;
  for (const TMinutes& v : vertices) {
    polygon.push_back(TPointF{static_cast<float>(v.Lon), static_cast<float>(v.Lat)});
  }
  for (const PolygonCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(math.GetInPolygon(c.point, polygon), c.inside) << "TPolygon";
    EXPECT_EQ(math.GetInPolygon(math.MinutesToBogen(c.point), polygon), c.inside) << "TBogen";
    EXPECT_EQ(math.GetInPolygon(c.point, vertices), c.inside) << "TListMinutes";
  }
}

TEST(MathToolsAreas, GetInPolygonSquareEdgesAndCorners) {
  const std::vector<PolygonCase> cases = {
      {"centre", {5, 5}, true},
      {"east side", {10, 5}, true},
      {"north side", {5, 10}, true},
      {"west side", {0, 5}, false},
      {"south side", {5, 0}, false},
      {"north-east corner", {10, 10}, true},
      {"south-west corner", {0, 0}, false},
      {"south-east corner", {10, 0}, false},
      {"north-west corner", {0, 10}, false},
      {"outside east", {11, 5}, false},
      {"outside north", {5, 10.5}, false},
  };
  const TListMinutes square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  CheckAllPolygonForms(square, cases);
  SCOPED_TRACE("closed with a repeated first vertex");
  TListMinutes closed = square;
  closed.push_back(square.front());
  CheckAllPolygonForms(closed, cases);
}

TEST(MathToolsAreas, GetInPolygonConcaveNotch) {
  // A U shape open to the north: the notch between the arms is outside,
  // although a ray east from it crosses two edges.
  const TListMinutes u = {{0, 0}, {9, 0}, {9, 9}, {6, 9}, {6, 3}, {3, 3}, {3, 9}, {0, 9}};
  CheckAllPolygonForms(u, {
                              {"west arm", {1.5, 6}, true},
                              {"notch", {4.5, 6}, false},
                              {"east arm", {7.5, 6}, true},
                              {"base", {4.5, 1.5}, true},
                              {"above the notch", {4.5, 9.5}, false},
                          });
}

TEST(MathToolsAreas, GetInPolygonNeedsThreeVertices) {
  CheckAllPolygonForms({{0, 0}, {10, 10}}, {{"on the segment", {5, 5}, false},
                                             {"beside it", {6, 5}, false}});
  CheckAllPolygonForms({}, {{"empty", {0, 0}, false}});
}

TEST(MathToolsAreas, GetInPolygonBoundingBoxIsHeldInFloats) {
  // 0.7 rounds down as a float, so the box's east edge lies a hair inside
  // the exact east side and rejects a point the exact test would accept.
  const TListMinutes square = {{0, 0}, {0.7, 0}, {0.7, 1}, {0, 1}};
  const TMinutes point{0.6999999999, 0.5};
  ASSERT_LT(static_cast<float>(0.7), point.Lon);
  EXPECT_FALSE(TMathTools().GetInPolygon(point, square));
  EXPECT_TRUE(TMathTools().GetInPolygon(TMinutes{0.6999, 0.5}, square));
}

// ---------------------------------------------------------- intersections

TEST(MathToolsIntersection, CoursesMeetWhereBothLinesCross) {
  struct Case {
    const char* name;
    int typeOfCourse;
    TMinutes point1;  // offsets from a position in the area, minutes
    TMinutes point2;
    double winkel1;  // degrees
    double winkel2;
  };
  const Case cases[] = {
      {"beat, both sailing on", 1, {0, 0}, {10, 0}, 45, 315},
      {"beat, uneven tacks", 1, {0, 0}, {10, 0}, 30, 300},
      {"beat, second course into point2", 1, {0, 0}, {0, 10}, 45, 315},
      {"run, both sailing on", 3, {0, 0}, {10, 0}, 135, 225},
      {"run, uneven gybes", 3, {0, 0}, {10, 0}, 150, 240},
      {"run, second course into point2", 3, {0, 10}, {0, 0}, 135, 225},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TBogen p1 = Bogen(kAreaLon + c.point1.Lon, kAreaLat + c.point1.Lat);
    const TBogen p2 = Bogen(kAreaLon + c.point2.Lon, kAreaLat + c.point2.Lat);
    const double w1 = c.winkel1 * kDegreesToRadians;
    const double w2 = c.winkel2 * kDegreesToRadians;
    const TBogen x = math.GetIntersection(c.typeOfCourse, p1, p2, TPolar{5, w1}, TPolar{9, w2});
    // On the course out of point1, and on the line through point2 (either
    // way along it). The tolerance covers the difference between
    // AngleOfBogen and the great-circle bearing over a few miles.
    EXPECT_GT(math.DistanceOfBogen(p1, x), 1);
    EXPECT_EXT_NEAR(math.AngleRad180(math.AngleOfBogen(p1, x), w1), 0, 1e-2);
    const double offLine = math.AngleRad180(math.AngleOfBogen(p2, x), w2);
    EXPECT_EXT_NEAR(std::fmin(offLine, kPi - offLine), 0, 1e-2);
    EXPECT_EQ(x.yRadSin, 0);
    EXPECT_EQ(x.yRadCos, 0);
  }
}

TEST(MathToolsIntersection, RightAngleTriangleOnTheEquator) {
  const TMathTools math;
  const TBogen p1 = Bogen(0, 0);
  const TBogen p2 = Bogen(10, 0);
  const TMinutes beat = math.BogenToMinutes(
      math.GetIntersection(1, p1, p2, TPolar{0, kPi / 4}, TPolar{0, 7 * kPi / 4}));
  EXPECT_EXT_NEAR(beat.Lon, 5, 1e-4);
  EXPECT_EXT_NEAR(beat.Lat, 5, 1e-4);
  const TMinutes run = math.BogenToMinutes(
      math.GetIntersection(3, p1, p2, TPolar{0, 3 * kPi / 4}, TPolar{0, 5 * kPi / 4}));
  EXPECT_EXT_NEAR(run.Lon, 5, 1e-4);
  EXPECT_EXT_NEAR(run.Lat, -5, 1e-4);

  // Course from p1 is AngleOfBogen (east) + 45 degrees: the corner south
  // of the line.
  const TMinutes byAngles =
      math.BogenToMinutes(math.GetIntersection(p1, p2, kPi / 4, kPi / 4));
  EXPECT_EXT_NEAR(byAngles.Lon, 5, 1e-4);
  EXPECT_EXT_NEAR(byAngles.Lat, -5, 1e-4);
}

TEST(MathToolsIntersection, OtherLegTypesReturnPoint1) {
  const TMathTools math;
  const TBogen p1 = Bogen(kAreaLon, kAreaLat);
  const TBogen p2 = Bogen(kAreaLon + 3, kAreaLat + 8);
  for (const int typeOfCourse : {0, 2, 4, -1}) {
    SCOPED_TRACE("type " + std::to_string(typeOfCourse));
    const TBogen x =
        math.GetIntersection(typeOfCourse, p1, p2, TPolar{1, 0.5}, TPolar{1, 5.5});
    EXPECT_EXT_NEAR(x.xRad, p1.xRad, 1e-9);
    EXPECT_EXT_NEAR(x.yRad, p1.yRad, 1e-9);
  }
}

TEST(MathToolsIntersection, PlaneSegments) {
  struct Case {
    const char* name;
    TPointF a1, a2, b1, b2;
    bool meet;
    TPointF p;
  };
  const TPointF untouched{-99, -99};
  const Case cases[] = {
      {"crossing diagonals", {0, 0}, {10, 10}, {0, 10}, {10, 0}, true, {5, 5}},
      {"touching end points", {0, 0}, {5, 5}, {5, 5}, {10, 0}, true, {5, 5}},
      {"end point on the other segment", {0, 0}, {10, 0}, {4, 0}, {4, 6}, true, {4, 0}},
      {"half rounds down to even", {0, 0}, {5, 5}, {0, 5}, {5, 0}, true, {2, 2}},
      {"half rounds up to even", {0, 0}, {7, 7}, {0, 7}, {7, 0}, true, {4, 4}},
      {"rounded to whole numbers", {0, 0}, {10, 4}, {0, 3}, {10, 0}, true, {4, 2}},
      {"parallel", {0, 0}, {10, 0}, {0, 1}, {10, 1}, false, untouched},
      {"collinear overlapping", {0, 0}, {10, 0}, {5, 0}, {15, 0}, false, untouched},
      {"zero length", {3, 3}, {3, 3}, {0, 0}, {10, 10}, false, untouched},
      {"lines cross beyond b", {0, 0}, {10, 10}, {0, 10}, {4, 6}, false, untouched},
      {"lines cross beyond a", {0, 0}, {4, 4}, {0, 10}, {10, 0}, false, untouched},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPointF p = untouched;
    EXPECT_EQ(math.GetIntersection(c.a1, c.a2, c.b1, c.b2, p), c.meet);
    EXPECT_EQ(p.X, c.p.X);
    EXPECT_EQ(p.Y, c.p.Y);
  }
}

// ------------------------------------------------------------ interpolation

TEST(MathToolsInterpolation, LinearFunction) {
  struct Case {
    const char* name;
    double x, x1, y1, x2, y2;
    double y;
  };
  const Case cases[] = {
      {"at x1", 2, 2, 10, 6, 30, 10},
      {"at x2", 6, 2, 10, 6, 30, 30},
      {"between", 3, 2, 10, 6, 30, 15},
      {"beyond x2 extrapolates", 8, 2, 10, 6, 30, 40},
      {"before x1 extrapolates", 0, 2, 10, 6, 30, 0},
      {"coincident x gives the mean", 7, 4, 10, 4, 30, 20},
  };
  const TMathTools math;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXT_NEAR(math.LinearFunction(c.x, c.x1, c.y1, c.x2, c.y2), c.y, 1e-15);
  }
}

}  // namespace
}  // namespace corvane
