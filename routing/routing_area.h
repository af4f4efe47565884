#pragma once
// The area around a leg whose stream its beat or run reads: a hexagon that
// reaches a little behind the start, 0.8 track lengths to either side of it,
// and flares out beyond the finish.

#include "core/math_tools.h"
#include "core/types.h"
#include "routing/routing_data.h"

namespace corvane {

inline constexpr double kRoutingAreaBehindStart = 0.2;  // nautical miles
inline constexpr double kRoutingAreaWidthFactor = 0.8;  // x track length
// The flare of the two vertices ahead of the finish: about 340 and 110
// degrees, written as the 32-bit values the hexagon has always used.
inline constexpr float kRoutingAreaTurnRight = 5.934119f;  // radians, ~340 deg
inline constexpr float kRoutingAreaTurnLeft = 1.9198622f;  // radians, ~110 deg

// The hexagon: 0.2 nm behind the start, 0.8 x TrackDistance to either side
// of the start, and two vertices 0.8 x TrackDistance from the finish at
// TrackAngle + 70 and + 290 degrees, closed by a copy of the first vertex
// (six positions). Spherical direct problem from the start or the finish.
TListMinutes GetRoutingHexagon(const TMathTools& math, const TRoutingData& track);

}  // namespace corvane
