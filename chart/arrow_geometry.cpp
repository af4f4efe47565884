#include "chart/arrow_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/constants.h"

namespace corvane {

namespace {

struct TArrowCorner {
  double Bearing;  // degrees relative to the arrow's angle
  double Radius;   // fraction of the length
};

// Bearings and radii of the arrow's corners around its centre, tip first.
// The shaft corners behind the centre: the point (L/6 across, L behind) lies
// at radius sqrt(1 + 1/36) L = 1.0138 L, bearing 180 -+ atan(1/6) =
// 180 -+ 9.4623 degrees; the neck (L/6 across, L/6 ahead) at radius
// sqrt(2)/6 L = 0.2357 L and bearing 45.
constexpr std::array<TArrowCorner, 7> kArrowCorners{{
    {0, 1},
    {90, 0.5},
    {45, 0.2357},
    {-189.4623, 1.0138},
    {-170.5377, 1.0138},
    {-45, 0.2357},
    {-90, 0.5},
}};

double RoundHalfEven(double value) { return std::nearbyint(static_cast<double>(value)); }

}  // namespace

double GetArrowWidth(double length) { return 2 * length; }
double GetArrowHeight(double length) { return length; }

TPolygon GetArrowPolygon(const TPointF& p, double length, double angleDegrees) {
  TPolygon polygon;
  if (!(length > 0)) return polygon;
  polygon.reserve(kArrowCorners.size() + 1);
  for (const TArrowCorner& corner : kArrowCorners) {
    const double a = (angleDegrees + corner.Bearing) * kDegreesToRadians;
    const double r = corner.Radius * length;
    polygon.push_back(TPointF{static_cast<float>(p.X + r * std::sin(a)),
                              static_cast<float>(p.Y - r * std::cos(a))});
  }
  polygon.push_back(polygon.front());
  return polygon;
}

std::vector<TLineF> GetWindBarbLines(const TPointF& p, const TPolar& wind, double windFieldScale) {
  const double v = wind.Betrag;
  const double theta = wind.Winkel;
  const double sinT = std::sin(theta);
  const double cosT = std::cos(theta);
  // A point at (along, across) in the barb's frame; the offset is rounded to
  // whole pixels before it is added, so barbs sit on the pixel grid.
  auto at = [&](double along, double across) {
    const double dx = RoundHalfEven(along * sinT - across * cosT);
    const double dy = RoundHalfEven(-(along * cosT + across * sinT));
    return TPointF{static_cast<float>(p.X + dx), static_cast<float>(p.Y + dy)};
  };

  const double c = std::trunc(v * windFieldScale) * 4 + 6;
  const double e = v < 0.1 ? 0 : c / 5;
  const double d = c / 8;
  const double cos50 = std::cos(50 * kDegreesToRadians);
  const double sin50 = std::sin(50 * kDegreesToRadians);

  std::vector<TLineF> lines;
  lines.push_back(TLineF{at(0, 0), at(c, 0)});
  auto barb = [&](int index, double length) {
    const double along = c - index * d;
    lines.push_back(TLineF{at(along, 0), at(along + length * cos50, -length * sin50)});
  };
  auto full = [&](int index) { barb(index, e); };
  auto half = [&](int index) { barb(index, 0.65 * e); };

  if (v < 2.5) return lines;
  if (v < 7.5) {
    half(2);
    return lines;
  }
  // From 7.5 knots: one full barb per 10 knots (at most four), and a half
  // barb after them for an odd 5.
  const int fulls = std::min(4, static_cast<int>(std::floor((v - 7.5) / 10)) + 1);
  for (int i = 0; i < fulls; ++i) full(i);
  const bool withHalf = fulls < 4 ? std::fmod(v - 7.5, 10) >= 5 : v >= 42.5;
  if (withHalf) half(fulls);
  return lines;
}

}  // namespace corvane
