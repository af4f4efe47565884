#pragma once
// The two land checks of the course: whether a mark the user places lies in
// water, and whether the straight line of a track crosses a coast. Both read
// the chart tiles of the application state (positions and polygon points in
// minutes of arc, x longitude and y latitude).

#include "core/math_tools.h"
#include "core/types.h"
#include "routing/routing_data.h"
#include "state/application_state.h"

namespace corvane {

// Tiles the simulator builds at run time; the course-ashore check skips them.
inline constexpr int kTileTypeSimulator = 2;

// Whether a position (minutes of arc) lies in water: inside one of the
// InWaterLines polygons of a tile whose Typ is not 1, every tile examined
// whatever its Routing flag. The boat's depth line is not considered: a mark
// only has to float. False when no tiles are loaded.
bool GetMarkInWater(const TMathTools& MathTools, const TMinutes& Minutes,
                    const TInterfaceApplicationMobile& InterfaceApplicationMobile);

// Whether the straight track from TrackStart to TrackFinish (as 32-bit
// float points) meets a coast line: the segment is tested against every
// edge of every CoastLines polygon of the tiles whose frame meets the
// segment's box (0.001' tolerance) and whose Typ is not 2, with touching
// counted as meeting. The edges run from each point to the next; the closing
// edge from the last point back to the first is not tested (the built-in
// coast rings repeat their first point, so their last edge closes them).
// Coast polygons must lie within their tile's frame, as the chart's do.
bool GetCourseAshore(const TMathTools& MathTools, const TRoutingData& RoutingData,
                     const TInterfaceApplicationMobile& InterfaceApplicationMobile);

}  // namespace corvane
