#include "chart/boat_geometry.h"

#include <cmath>

namespace corvane {

namespace {

TPointF Ahead(const TPointF& p, double headingRad, double distance) {
  return TPointF{static_cast<float>(p.X + distance * std::sin(headingRad)),
                 static_cast<float>(p.Y - distance * std::cos(headingRad))};
}

}  // namespace

TPolygon GetBoatHull(const TPointF& p, double headingRad, double s) {
  const double cosA = std::cos(headingRad);
  const double sinA = std::sin(headingRad);
  TPolygon hull;
  hull.reserve(kBoatHull.size());
  for (const TPointF& h : kBoatHull) {
    hull.push_back(TPointF{static_cast<float>(p.X + s * (-h.X * cosA - h.Y * sinA)),
                           static_cast<float>(p.Y + s * (-h.X * sinA + h.Y * cosA))});
  }
  return hull;
}

TLineF GetBoatHeadingLine(const TPointF& p, double headingRad, double s) {
  return TLineF{p, Ahead(p, headingRad, 40 * s)};
}

TLineF GetBoatBoom(const TPointF& p, double headingRad, double s, std::uint8_t bug, int typeOfCourse) {
  double a = 3;
  double b = 15;
  if (typeOfCourse == 2) {
    a = 10;
    b = 13;
  } else if (typeOfCourse == 3) {
    a = 18;
    b = 5;
  }
  const double side = bug == 1 ? -1 : bug == 2 ? 1 : 0;  // upper sign for bug 1
  const double cosA = std::cos(headingRad);
  const double sinA = std::sin(headingRad);
  const TPointF mast = Ahead(p, headingRad, 5 * s);
  const TPointF end{static_cast<float>(mast.X + s * (side * a * cosA - b * sinA)),
                    static_cast<float>(mast.Y + s * (side * a * sinA + b * cosA))};
  return TLineF{mast, end};
}

TPointF GetBoatLabelPoint(const TPointF& p, double headingRad, double s) {
  return Ahead(p, headingRad, 50 * s);
}

}  // namespace corvane
