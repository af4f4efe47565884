#pragma once
// The stream arrow and the wind barb as point lists in bitmap pixels
// (origin top-left, y down). Angles on the screen are clockwise from north
// (up); a screen direction a is the unit vector (sin a, -cos a).

#include <vector>

#include "core/types.h"

namespace corvane {

// Extent of an arrow of length L (pixels): 2L long, L wide.
double GetArrowWidth(double length);
double GetArrowHeight(double length);

// The closed arrow polygon (8 points, the last repeating the tip) of length
// L pixels, centred on p and pointing to angleDegrees (clockwise from up):
// a head L/2 wide each side from the tip back to p, a shaft L/3 wide from
// L/6 before p to L behind it. Empty when L <= 0 (or NaN).
TPolygon GetArrowPolygon(const TPointF& p, double length, double angleDegrees);

struct TLineF {
  TPointF From;
  TPointF To;
};

// The wind barb at p for a wind of speed knots and direction radians (the
// shaft points from p toward that direction): the shaft first, then the
// barbs, whole pixels. windFieldScale is the renderer's ScaleArrowWindField:
// the shaft is trunc(speed windFieldScale) * 4 + 6 pixels long. Barbs (a
// half barb is 0.65 of a full one) by speed, lower bound inclusive:
// < 2.5 none; half barb at index 2 to 7.5; then one full barb per 10 knots
// from index 0 with a half barb after them for the odd 5 knots, up to four
// full barbs and a half at index 4 from 42.5 knots.
std::vector<TLineF> GetWindBarbLines(const TPointF& p, const TPolar& wind, double windFieldScale);

}  // namespace corvane
