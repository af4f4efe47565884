#pragma once
// A routed track line thinned to the line width, with dashes that still
// show on tracks of many short steps.

#include <vector>

#include "chart/arrow_geometry.h"
#include "core/types.h"
#include "routing/routing_data.h"

namespace corvane {

struct TTrackSegment {
  TLineF Line;
  TStrokeDash Dash = TStrokeDash::Solid;  // how this segment is stroked
};

// The segments to draw for a track of pixel points with line width W:
// starting at point 0, the next points are taken until one lies W pixels or
// more from the segment's start (or the last point is reached); that point
// ends the segment and starts the next, so points closer than W are skipped.
// Solid: every segment solid. Dashed or dotted: a segment of 15 pixels or
// more keeps the style; a shorter one is drawn solid, except every fourth
// (n mod 4 = 0, n counting every segment from 0) which is left out, so
// that short steps still show gaps.
std::vector<TTrackSegment> GetTrackSegments(const TPolygon& pixels, double lineWidth,
                                            TStrokeDash dash);

}  // namespace corvane
