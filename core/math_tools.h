#pragma once
// Conversions and geometry on the value records of types.h: angles, positions
// in minutes of arc and radians, plane vectors, speed units, spherical
// distances and courses, point-in-area tests, intersections, interpolation
// and rotation.
//
// The earth is a sphere on which one minute of arc of a great circle is one
// nautical mile. Every computation runs in double; a 32-bit float
// appears only where the behaviour rounds to one deliberately, and the
// function says so. No function reports an error: arguments of arccos and
// arcsin are clamped and every degenerate input has a defined answer. All
// functions are pure; an instance may be used from any thread.

#include <cstdint>
#include <string>

#include "core/string_tools.h"
#include "core/types.h"

namespace corvane {

class TMathTools {
 public:
  // ---------------------------------------------------------------- angles

  // arccos of value after clamping it to [-1, 1], in radians [0, pi]. The
  // clamp absorbs rounding just past +-1 (which would otherwise give NaN); a
  // NaN argument still gives NaN.
  double SecureArcCos(double value) const;
  // arcsin of value after clamping it to [-1, 1], in radians [-pi/2, pi/2].
  // A NaN argument gives NaN.
  double SecureArcSin(double value) const;

  // Sum of two directions in degrees, brought back by at most one turn each
  // way: s = deg1 + deg2; s > 360 gives s - 360; then s < 0 gives s + 360.
  // Exactly 360 stays 360, and sums beyond one extra turn stay out of range
  // (callers pass directions in [0, 360] and offsets of less than a turn).
  double AddDeg(double deg1, double deg2) const;
  // The same in radians with 2 pi in place of 360.
  double AddRad(double rad1, double rad2) const;
  // A direction (radians) brought into one turn, [0, 2 pi), however many
  // turns it holds: the angle tests of the routing and the charts assume
  // that range. NaN and the infinities give NaN.
  double ReduceRad(double rad) const;
  // Unsigned difference of two directions (radians, each in [0, 2 pi]), in
  // [0, pi]: d = |rad1 - rad2|, and 2 pi - d when d > pi.
  double AngleRad180(double rad1, double rad2) const;

  // ---------------------------------------------------- position conversions

  // Minutes of arc (east and north positive) of one coordinate text such as
  // "050.47.123N" or "050:47:123N", read by TStringTools::GeoPosToMinutes:
  // negative for W and S, 0 for a text without a hemisphere letter.
  double GeoPosToMinutes(const std::string& geoPos) const;
  // Both coordinates of a text position: Lon from geoPos.Lon, Lat from
  // geoPos.Lat.
  TMinutes GeoPosToMinutes(const TGeoPos& geoPos) const;

  // Minutes of arc to radians (xRad longitude, yRad latitude); yRadSin and
  // yRadCos are filled with sin and cos of yRad.
  TBogen MinutesToBogen(const TMinutes& minutes) const;
  // Radians to minutes of arc; yRadSin and yRadCos are not read.
  TMinutes BogenToMinutes(const TBogen& bogen) const;

  // One coordinate (minutes of arc) as "DDD.MM.TTTH": whole degrees as three
  // digits with leading zeros (only the last three digits of larger values
  // are kept), whole minutes as two digits, thousandths of a minute as three
  // digits rounded to nearest with ties to even, then the hemisphere letter:
  // xp for zero and positive values, xn for negative ones. A rounding to
  // 1000 thousandths carries into the minutes and on into the degrees, so
  // 59.9996 gives "001.00.000" and -0.0001 gives "000.00.000" with xn. A
  // non-finite value prints as zero with the letter its sign selects.
  std::string MinutesToGeoPos(double minutes, char xn, char xp) const;
  // Longitude text (letters W/E), two blanks, latitude text (letters S/N),
  // for example "001.17.500W  050.47.123N".
  std::string MinutesToGeoPos(const TMinutes& minutes) const;

  // ----------------------------------------------------------------- vectors

  // Length sqrt(x^2 + y^2) of a plane vector, in the vector's unit.
  double BetragOfCartesian(const TCartesian& cartesian) const;
  // Direction of a plane vector (x east, y north) in degrees clockwise from
  // north, in [0, 360): the zero vector gives 0, (1, 0) gives 90, (0, -1)
  // gives 180, (-1, 0) gives 270. Held as a double, so a direction a hair
  // west of north may round to exactly 360.
  double WinkelOfCartesian(const TCartesian& cartesian) const;
  // WinkelOfCartesian in radians, [0, 2 pi).
  double CartesianToRadiant(const TCartesian& cartesian) const;
  // Length and direction (radians clockwise from north) of a plane vector;
  // the zero vector gives (0, 0).
  TPolar CartesianToPolar(const TCartesian& cartesian) const;
  // Components of a vector given by length and direction (radians clockwise
  // from north): x = Betrag sin(Winkel) east, y = Betrag cos(Winkel) north.
  TCartesian PolarToCartesian(const TPolar& polar) const;
  // Component-wise sum.
  TCartesian AddCartesian(const TCartesian& vektor1, const TCartesian& vektor2) const;

  // ------------------------------------------------------------- speed units

  // Knots to metres per minute (kn * 1852 / 60).
  double KnToMMin(double kn) const;
  // Metres per minute to knots (mMin * 60 / 1852).
  double MMinToKn(double mMin) const;
  // Metres per second to knots (ms * 3600 / 1852).
  double MsToKn(double ms) const;
  // value / 10^count truncated toward zero, for unpacking scaled integers;
  // counts of 10 and more give 0 since no int has that many digits.
  int Shr10(int value, std::uint8_t count) const;

  // ------------------------------------------- spherical distances, courses

  // Great-circle distance in nautical miles between two positions in
  // radians; 0 for equal points, at most 10800 (half a great circle).
  // Haversine formula.
  double DistanceOfBogen(const TBogen& p1, const TBogen& p2) const;
  // The same from two positions in minutes of arc.
  double DistanceOfMinutes(const TMinutes& p1, const TMinutes& p2) const;

  // Course from p1 to p2 in radians clockwise from north, [0, 2 pi]. It is
  // built from the meridian arc between the two latitudes and the arc between
  // the two longitudes along the latitude of p2, not the initial great-circle
  // bearing; over the short legs of a race the two differ little (about
  // 1e-3 rad for 5 nm east at latitude 50 degrees). Points on the same latitude give exactly pi/2 (east, also for two
  // equal points) or 3 pi/2 (west); points on the same meridian exactly 0 or
  // pi.
  double AngleOfBogen(const TBogen& p1, const TBogen& p2) const;
  // AngleOfBogen from two positions in minutes of arc, in degrees [0, 360].
  double AngleOfMinutes(const TMinutes& pos1, const TMinutes& pos2) const;

  // The position reached from `from` after sailing weg.Betrag nautical miles
  // on course weg.Winkel (radians clockwise from north, any multiple of 2 pi
  // added). Fills to.xRad and to.yRad only; to.yRadSin and to.yRadCos keep
  // what they held. When the start or the end lies on a pole the longitude
  // is set to 0; a course along a meridian keeps the longitude exactly.
  // Direct problem on the sphere by the spherical law of cosines (latitude
  // first, then the longitude difference).
  void GetOrtWegOrt(const TBogen& from, const TPolar& weg, TBogen& to) const;

  // --------------------------------------------------------- area tests

  // True when p1.Lon - quality <= pLon <= p2.Lon + quality and
  // p1.Lat - quality <= pLat <= p2.Lat + quality; all in minutes of arc, p1
  // the south-west and p2 the north-east corner. The margin is a 32-bit float
  // as the callers hand it over.
  bool GetInSquare(double pLon, double pLat, const TMinutes& p1, const TMinutes& p2,
                   float quality) const;

  // Whether a position lies inside a polygon whose points hold longitude
  // minutes in X and latitude minutes in Y. The polygon closes on itself (a
  // repeated first point is harmless); fewer than 3 points is never inside.
  // A point on an edge counts that edge, so for an axis-aligned rectangle the
  // east and north sides are inside and the west and south sides outside.
  // Even-odd (crossing number) rule.
  bool GetInPolygon(const TMinutes& minutes, const TPolygon& polygon) const;
  // The same for a position in radians.
  bool GetInPolygon(const TBogen& bogen, const TPolygon& polygon) const;
  // The same for a polygon of positions in minutes of arc, after rejecting
  // points outside the polygon's bounding box. The box is held in 32-bit
  // floats, so a point within float rounding of an extreme vertex may be
  // rejected although the exact test would accept it.
  bool GetInPolygon(const TMinutes& minutes, const TListMinutes& polygon) const;

  // ----------------------------------------------------------- intersections

  // Where the course line leaving point1 on vektor1.Winkel meets the course
  // line through point2 on vektor2.Winkel (radians clockwise from north; the
  // lengths are not used). typeOfCourse 1 (beat) and 3 (run) fix how the
  // interior angles of the triangle point1-point2-crossing are read from the
  // courses; any other value returns point1. The reading suits the routing
  // grid, where two neighbours sail on toward a common point (for a beat
  // heading north, point1 the western one); where the courses could only
  // meet behind point1 the law of sines yields a negative distance and the
  // result is no crossing. The distance from point1 is limited to a quarter
  // of a great circle; a degenerate triangle (zero sine at the crossing)
  // gives distance 0, i.e. point1. Only xRad and yRad of the result are set;
  // yRadSin and yRadCos are 0.
  // Spherical triangle: law of cosines for angles, then the law of sines.
  TBogen GetIntersection(int typeOfCourse, const TBogen& point1, const TBogen& point2,
                         const TPolar& vektor1, const TPolar& vektor2) const;
  // The same triangle with the interior angles at point1 and point2 given
  // directly (radians); the result lies on the course AngleOfBogen(point1,
  // point2) + angle1 from point1.
  TBogen GetIntersection(const TBogen& point1, const TBogen& point2, double angle1,
                         double angle2) const;
  // Whether the plane segments a1-a2 and b1-b2 meet; touching end points
  // count. Parallel and collinear segments, and zero-length ones, never
  // meet. When they meet, p is set to the meeting point with each coordinate
  // rounded to the nearest whole number (ties to even), as the callers work
  // in whole screen units; otherwise p is left unchanged.
  bool GetIntersection(const TPointF& a1, const TPointF& a2, const TPointF& b1,
                       const TPointF& b2, TPointF& p) const;

  // ------------------------------------------------ interpolation, rotation

  // Straight line through (x1, y1) and (x2, y2) evaluated at x, without
  // clamping (x outside [x1, x2] extrapolates). When x1 == x2 the line is
  // undefined and the mean of y1 and y2 is returned.
  double LinearFunction(double x, double x1, double y1, double x2, double y2) const;
  // X coordinate of a chart-symbol point (x, y) turned by angle (radians) in
  // the symbol drawing's own convention: -x cos(angle) + y sin(angle).
  double RotateX(double x, double y, double angle) const;
  // Y coordinate of the same turn: y cos(angle) + x sin(angle).
  double RotateY(double x, double y, double angle) const;

 private:
  TStringTools StringTools;
};

}  // namespace corvane
