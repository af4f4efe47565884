#include "core/math_tools.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <utility>

#include "core/constants.h"

namespace corvane {

namespace {

// Round to the nearest whole number, halves to the even neighbour. Written
// out rather than left to std::nearbyint so the result does not depend on the
// floating-point rounding mode of the calling thread.
double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double above = value - lower;
  if (above > 0.5) return lower + 1;
  if (above < 0.5) return lower;
  return std::fmod(lower, 2) == 0 ? lower : lower + 1;
}

// Even-odd rule over a closed ring of n vertices; vertexAt(k) yields the
// (longitude, latitude) minutes of vertex k as double. The walk starts with the
// closing edge (last -> first), then 0 -> 1, 1 -> 2, ...
template <typename VertexAt>
bool EvenOddInside(std::size_t n, VertexAt vertexAt, double lon, double lat) {
  if (n < 3) return false;
  bool inside = false;
  std::size_t i = n - 1;
  for (std::size_t j = 0; j < n; i = j++) {
    const auto [xi, yi] = vertexAt(i);
    const auto [xj, yj] = vertexAt(j);
    // Only an edge with exactly one end at or north of the point can cross
    // the point's parallel; this also leaves out horizontal edges, so the
    // division below never sees yj == yi.
    if ((yi >= lat) == (yj >= lat)) continue;
    const double crossLon = (xi * yj + lat * (xj - xi) - yi * xj) / (yj - yi);
    if (lon <= crossLon) inside = !inside;
  }
  return inside;
}

// The apex of the spherical triangle point1-point2-apex with interior angles
// alpha1 at point1 and alpha2 at point2, reached by sailing from point1 on
// `course`.
TBogen SailToApex(const TMathTools& math, const TBogen& point1, const TBogen& point2,
                  double alpha1, double alpha2, double course) {
  // Side point1-point2 as an angle.
  const double side = math.DistanceOfBogen(point1, point2) * kMinutesToRadians;
  // Angle at the apex (spherical law of cosines for angles).
  const double gamma = math.SecureArcCos(std::sin(alpha1) * std::sin(alpha2) * std::cos(side) -
                                      std::cos(alpha1) * std::cos(alpha2));
  // Side point1-apex by the law of sines. arcsin cannot tell a side from its
  // supplement, hence the quarter-globe limit.
  const double sinGamma = std::sin(gamma);
  const double q = sinGamma != 0 ? std::sin(side) * std::sin(alpha2) / sinGamma : 0;
  const TPolar weg{math.SecureArcSin(q) * kRadiansToMinutes, course};
  TBogen apex;
  math.GetOrtWegOrt(point1, weg, apex);
  return apex;
}

}  // namespace

// ------------------------------------------------------------------ angles

double TMathTools::SecureArcCos(double value) const {
  if (value > 1) value = 1;
  if (value < -1) value = -1;
  return std::acos(value);
}

double TMathTools::SecureArcSin(double value) const {
  if (value > 1) value = 1;
  if (value < -1) value = -1;
  return std::asin(value);
}

double TMathTools::AddDeg(double deg1, double deg2) const {
  double sum = deg1 + deg2;
  if (sum > 360) sum -= 360;
  if (sum < 0) sum += 360;
  return sum;
}

double TMathTools::AddRad(double rad1, double rad2) const {
  double sum = rad1 + rad2;
  if (sum > kTwoPi) sum -= kTwoPi;
  if (sum < 0) sum += kTwoPi;
  return sum;
}

double TMathTools::ReduceRad(double rad) const {
  double reduced = std::fmod(rad, kTwoPi);
  if (reduced < 0) reduced += kTwoPi;
  // A tiny negative remainder plus 2 pi rounds to 2 pi itself.
  return reduced >= kTwoPi ? 0 : reduced;
}

double TMathTools::AngleRad180(double rad1, double rad2) const {
  const double d = std::fabs(rad1 - rad2);
  return d > kPi ? kTwoPi - d : d;
}

// ---------------------------------------------------- position conversions

double TMathTools::GeoPosToMinutes(const std::string& geoPos) const {
  return StringTools.GeoPosToMinutes(geoPos);
}

TMinutes TMathTools::GeoPosToMinutes(const TGeoPos& geoPos) const {
  return TMinutes{GeoPosToMinutes(geoPos.Lon), GeoPosToMinutes(geoPos.Lat)};
}

TBogen TMathTools::MinutesToBogen(const TMinutes& minutes) const {
  TBogen bogen;
  bogen.xRad = minutes.Lon * kMinutesToRadians;
  bogen.yRad = minutes.Lat * kMinutesToRadians;
  bogen.yRadSin = std::sin(bogen.yRad);
  bogen.yRadCos = std::cos(bogen.yRad);
  return bogen;
}

TMinutes TMathTools::BogenToMinutes(const TBogen& bogen) const {
  return TMinutes{bogen.xRad * kRadiansToMinutes, bogen.yRad * kRadiansToMinutes};
}

std::string TMathTools::MinutesToGeoPos(double minutes, char xn, char xp) const {
  const char hemisphere = minutes >= 0 ? xp : xn;
  if (!std::isfinite(minutes)) minutes = 0;

  double degrees = std::fabs(std::trunc(minutes / 60));
  // Can come out a hair below zero when minutes / 60 rounds up to a whole
  // degree; the thousandths then round to 0 and nothing shows of it.
  double m = std::fabs(minutes) - 60 * degrees;
  // Far beyond any coordinate (a corrupt chart frame or settings file) 60
  // times the degrees misses the value by more than a degree, or overflows,
  // and the difference would not fit the two digits of minutes; the
  // remainder, exact for any finite double, does.
  if (!(m > -1 && m < 60)) m = std::fmod(std::fabs(minutes), 60);
  double wholeMinutes = std::trunc(m);
  double thousandths = RoundHalfEven((m - wholeMinutes) * 1000);
  if (thousandths == 1000) {
    thousandths = 0;
    wholeMinutes += 1;
    if (wholeMinutes == 60) {
      wholeMinutes = 0;
      degrees += 1;
    }
  }

  // Three digits of degrees are all a coordinate needs; larger values keep
  // their last three so the text keeps its fixed width.
  const int d = static_cast<int>(std::fmod(degrees, 1000));
  const int mm = static_cast<int>(wholeMinutes);
  const int t = static_cast<int>(thousandths);
  char text[16];
  std::snprintf(text, sizeof text, "%03d.%02d.%03d%c", d, mm, t, hemisphere);
  return text;
}

std::string TMathTools::MinutesToGeoPos(const TMinutes& minutes) const {
  return MinutesToGeoPos(minutes.Lon, 'W', 'E') + "  " + MinutesToGeoPos(minutes.Lat, 'S', 'N');
}

// ----------------------------------------------------------------- vectors

double TMathTools::BetragOfCartesian(const TCartesian& cartesian) const {
  return std::sqrt(cartesian.x * cartesian.x + cartesian.y * cartesian.y);
}

double TMathTools::WinkelOfCartesian(const TCartesian& cartesian) const {
  const double x = cartesian.x;
  const double y = cartesian.y;
  if (y == 0) {
    if (x == 0) return 0;
    return x > 0 ? 90 : 270;
  }
  // arctan gives (-90, 90) degrees; the quadrant comes from the signs.
  const double a = std::atan(x / y) * kRadiansToDegrees;
  double degrees;
  if (y > 0 && x >= 0) {
    degrees = a;
  } else if (y < 0) {
    degrees = a + 180;
  } else {
    degrees = a + 360;
  }
  return static_cast<double>(degrees);
}

double TMathTools::CartesianToRadiant(const TCartesian& cartesian) const {
  return static_cast<double>(WinkelOfCartesian(cartesian)) * kDegreesToRadians;
}

TPolar TMathTools::CartesianToPolar(const TCartesian& cartesian) const {
  return TPolar{BetragOfCartesian(cartesian), CartesianToRadiant(cartesian)};
}

TCartesian TMathTools::PolarToCartesian(const TPolar& polar) const {
  return TCartesian{std::sin(polar.Winkel) * polar.Betrag, polar.Betrag * std::cos(polar.Winkel)};
}

TCartesian TMathTools::AddCartesian(const TCartesian& vektor1, const TCartesian& vektor2) const {
  return TCartesian{vektor1.x + vektor2.x, vektor1.y + vektor2.y};
}

// ------------------------------------------------------------- speed units

double TMathTools::KnToMMin(double kn) const { return kn * kMetresPerNauticalMile / 60; }

double TMathTools::MMinToKn(double mMin) const { return mMin * 60 / kMetresPerNauticalMile; }

double TMathTools::MsToKn(double ms) const { return ms * 3600 / kMetresPerNauticalMile; }

int TMathTools::Shr10(int value, std::uint8_t count) const {
  // Dividing by 10 once per digit truncates toward zero at each step, which
  // equals one truncating division by 10^count and cannot overflow.
  for (int k = 0; k < count && value != 0; ++k) value /= 10;
  return value;
}

// --------------------------------------------- spherical distances, courses

double TMathTools::DistanceOfBogen(const TBogen& p1, const TBogen& p2) const {
  // Haversine: the law of cosines gives the same arc, but in double its
  // arccos of a number next to 1 loses about half the digits of a short
  // arc and turns an arc of 0 into some 1e-8 rad.
  const double sinHalfLat = std::sin((p2.yRad - p1.yRad) / 2);
  const double sinHalfLon = std::sin((p2.xRad - p1.xRad) / 2);
  const double h =
      sinHalfLat * sinHalfLat + std::cos(p1.yRad) * std::cos(p2.yRad) * sinHalfLon * sinHalfLon;
  return 2 * SecureArcSin(std::sqrt(h)) * kRadiansToMinutes;
}

double TMathTools::DistanceOfMinutes(const TMinutes& p1, const TMinutes& p2) const {
  return DistanceOfBogen(MinutesToBogen(p1), MinutesToBogen(p2));
}

double TMathTools::AngleOfBogen(const TBogen& p1, const TBogen& p2) const {
  // North-south arc: the meridian arc between the two latitudes. East-west
  // arc: the great-circle arc between the two longitudes along the latitude
  // of p2 (haversine of two points on one parallel). Both are exactly 0 when
  // their coordinates are equal, so a point to itself heads east and courses
  // along a meridian or a parallel come out exact.
  const double dN = std::fabs(p1.yRad - p2.yRad);
  const double dE =
      2 * SecureArcSin(std::cos(p2.yRad) * std::fabs(std::sin((p1.xRad - p2.xRad) / 2)));
  const bool eastward = p2.xRad >= p1.xRad;
  if (dN == 0) return eastward ? kPi / 2 : 3 * kPi / 2;

  const double r = std::atan(dE / dN);  // [0, pi/2] since both arcs are >= 0
  if (p1.yRad > p2.yRad) return eastward ? kPi - r : kPi + r;
  return eastward ? r : kTwoPi - r;
}

double TMathTools::AngleOfMinutes(const TMinutes& pos1, const TMinutes& pos2) const {
  return AngleOfBogen(MinutesToBogen(pos1), MinutesToBogen(pos2)) * kRadiansToDegrees;
}

void TMathTools::GetOrtWegOrt(const TBogen& from, const TPolar& weg, TBogen& to) const {
  const double course = weg.Winkel;
  const double d = weg.Betrag * kMinutesToRadians;

  const double sinPhi1 = std::sin(from.yRad);
  const double cosPhi1 = std::cos(from.yRad);
  const double sinPhi2 = cosPhi1 * std::sin(d) * std::cos(course) + sinPhi1 * std::cos(d);
  to.yRad = SecureArcSin(sinPhi2);

  const double cosPhi2 = std::cos(to.yRad);
  if (cosPhi1 == 0 || cosPhi2 == 0) {
    // Every longitude meets at a pole.
    to.xRad = 0;
    return;
  }
  // Along a meridian the longitude stays as it is; the arccos below would
  // turn the rounding of its argument into some 1e-8 rad off the meridian.
  double c = std::fmod(course, kTwoPi);
  if (c < 0) c += kTwoPi;
  if (c == 0 || c == kPi) {
    to.xRad = from.xRad;
    return;
  }
  // The size of the longitude change by the law of cosines; the course says
  // which way it goes. The atan2 form of the change is better conditioned,
  // but the routing grid is sensitive to it: measured on a calibrated beat
  // (shift 60 min, range +30 %), it moved the leg's time by 5 s and a
  // layline's loss by 25 min, so the grid keeps the form it was tuned with.
  const double westSign = c <= kPi ? -1 : 1;
  const double dLambda = SecureArcCos((std::cos(d) - sinPhi1 * sinPhi2) / (cosPhi1 * cosPhi2));
  to.xRad = from.xRad - westSign * dLambda;
}

// ------------------------------------------------------------- area tests

bool TMathTools::GetInSquare(double pLon, double pLat, const TMinutes& p1, const TMinutes& p2,
                             float quality) const {
  const double margin = quality;
  return p1.Lon - margin <= pLon && pLon <= p2.Lon + margin && p1.Lat - margin <= pLat &&
         pLat <= p2.Lat + margin;
}

bool TMathTools::GetInPolygon(const TMinutes& minutes, const TPolygon& polygon) const {
  return EvenOddInside(
      polygon.size(),
      [&polygon](std::size_t k) {
        return std::pair<double, double>{polygon[k].X, polygon[k].Y};
      },
      minutes.Lon, minutes.Lat);
}

bool TMathTools::GetInPolygon(const TBogen& bogen, const TPolygon& polygon) const {
  return GetInPolygon(BogenToMinutes(bogen), polygon);
}

bool TMathTools::GetInPolygon(const TMinutes& minutes, const TListMinutes& polygon) const {
  if (polygon.size() < 3) return false;
  // The box is kept in 32-bit floats on purpose: it is a cheap pre-test and
  // its float rounding is part of how borderline points are decided.
  float minLon = 65535;
  float maxLon = -65535;
  float minLat = 65535;
  float maxLat = -65535;
  for (const TMinutes& vertex : polygon) {
    const float lon = static_cast<float>(vertex.Lon);
    const float lat = static_cast<float>(vertex.Lat);
    if (lon < minLon) minLon = lon;
    if (lon > maxLon) maxLon = lon;
    if (lat < minLat) minLat = lat;
    if (lat > maxLat) maxLat = lat;
  }
  if (minutes.Lon < minLon || minutes.Lon > maxLon || minutes.Lat < minLat ||
      minutes.Lat > maxLat) {
    return false;
  }
  return EvenOddInside(
      polygon.size(),
      [&polygon](std::size_t k) { return std::pair<double, double>{polygon[k].Lon, polygon[k].Lat}; },
      minutes.Lon, minutes.Lat);
}

// ---------------------------------------------------------- intersections

TBogen TMathTools::GetIntersection(int typeOfCourse, const TBogen& point1, const TBogen& point2,
                                   const TPolar& vektor1, const TPolar& vektor2) const {
  const double a = AngleOfBogen(point1, point2);
  const double w1 = vektor1.Winkel;
  const double w2 = vektor2.Winkel;
  // Interior angles at point1 and point2 as the layline construction of a
  // beat or a run sets them up; only their sines and cosines enter, so they
  // are not reduced into a range.
  double alpha1 = 0;
  double alpha2 = 0;
  if (typeOfCourse == 1) {
    alpha1 = a - w1;
    alpha2 = kPi + w2 - a;
  } else if (typeOfCourse == 3) {
    alpha1 = w1 - a;
    alpha2 = kPi - w2 + a;
  }
  return SailToApex(*this, point1, point2, alpha1, alpha2, w1);
}

TBogen TMathTools::GetIntersection(const TBogen& point1, const TBogen& point2, double angle1,
                                   double angle2) const {
  const double a = AngleOfBogen(point1, point2);
  return SailToApex(*this, point1, point2, angle1, angle2, a + angle1);
}

bool TMathTools::GetIntersection(const TPointF& a1, const TPointF& a2, const TPointF& b1,
                                 const TPointF& b2, TPointF& p) const {
  // a1 + t (a2 - a1) = b1 + u (b2 - b1), solved with 2-D cross products.
  const double rx = static_cast<double>(a2.X) - a1.X;
  const double ry = static_cast<double>(a2.Y) - a1.Y;
  const double sx = static_cast<double>(b2.X) - b1.X;
  const double sy = static_cast<double>(b2.Y) - b1.Y;
  const double qx = static_cast<double>(b1.X) - a1.X;
  const double qy = static_cast<double>(b1.Y) - a1.Y;
  const double c = rx * sy - ry * sx;
  if (c == 0) return false;  // parallel, collinear or zero length

  const double u = (qx * ry - qy * rx) / c;
  if (!(u >= 0 && u <= 1)) return false;
  const double t = (qx * sy - qy * sx) / c;
  if (!(t >= 0 && t <= 1)) return false;

  p.X = static_cast<float>(RoundHalfEven(b1.X + u * sx));
  p.Y = static_cast<float>(RoundHalfEven(b1.Y + u * sy));
  return true;
}

// ------------------------------------------------ interpolation, rotation

double TMathTools::LinearFunction(double x, double x1, double y1, double x2, double y2) const {
  if (x1 == x2) return (y1 + y2) / 2;
  return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

double TMathTools::RotateX(double x, double y, double angle) const {
  return -x * std::cos(angle) + y * std::sin(angle);
}

double TMathTools::RotateY(double x, double y, double angle) const {
  return y * std::cos(angle) + x * std::sin(angle);
}

}  // namespace corvane
