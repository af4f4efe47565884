#pragma once
// The boat symbol as point lists in bitmap pixels (origin top-left, y
// down): hull, heading line, boom and the place of the attack-angle label.

#include <array>
#include <cstdint>

#include "chart/arrow_geometry.h"
#include "core/types.h"

namespace corvane {

// The hull outline in hull units, bow first (bow at y = -17, transom at
// y = 17, beam 12).
inline constexpr int kBoatHullPoints = 20;
inline constexpr std::array<TPointF, kBoatHullPoints> kBoatHull{{
    {0, -17}, {-1, -15}, {-2, -13}, {-3, -10}, {-4, -7}, {-5, -3}, {-6, 2},
    {-6, 11}, {-5, 15},  {-4, 17},  {4, 17},   {5, 15},  {6, 11},  {6, 2},
    {5, -3},  {4, -7},   {3, -10},  {2, -13},  {1, -15}, {0, -17},
}};
static_assert(kBoatHull.size() == 20);

// The boat at p heading headingRad (radians clockwise from up) drawn at
// scale s (pixels per hull unit): each hull point (hx, hy) becomes
// p + s (-hx cos A - hy sin A, -hx sin A + hy cos A).
TPolygon GetBoatHull(const TPointF& p, double headingRad, double s);

// The heading line from p, 40 s pixels ahead.
TLineF GetBoatHeadingLine(const TPointF& p, double headingRad, double s);

// The boom from the mast 5 s ahead of p, to the side the wind comes from:
// bug 1 and 2 are the two sides of the wind; (a, b) = (3, 15) on a beat
// (typeOfCourse 1 and any unknown type), (10, 13) on a reach (2), (18, 5)
// on a run (3). Any other bug value draws the boom along the centre line.
TLineF GetBoatBoom(const TPointF& p, double headingRad, double s, std::uint8_t bug, int typeOfCourse);

// Where the attack-angle label is centred: 50 s pixels ahead of p.
TPointF GetBoatLabelPoint(const TPointF& p, double headingRad, double s);

}  // namespace corvane
