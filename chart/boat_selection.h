#pragma once
// Which boats of a routed track are drawn: markers spread along each leg
// between tacks, and the boat at the chosen moment.

#include <vector>

#include "core/math_tools.h"
#include "core/types.h"
#include "routing/routing_data.h"

namespace corvane {

// Boats to draw along the track, in order. pixels holds each boat's bitmap
// point (parallel to boats.Items), boatSpacing the pixels one marker needs
// (150 ScaleSizeBoats). The list is cut into legs at every boat whose Tack
// is set and at the last boat; a leg from boat j to boat k gets
// c = trunc(pixel distance j-k / boatSpacing) markers, evenly spaced by
// distance (nautical miles): the i-th marker (i = 1 ... c) is the first boat
// of the leg whose distance from boat j reaches i (distance j-k) / (c + 1).
std::vector<int> GetBoatsAlongTrack(const TListBoat& boats, const TPolygon& pixels,
                                    double boatSpacing, const TMathTools& mathTools);

// The boat at hours after the start: the one whose Time is nearest, where a
// boat must be nearer than timeBestCourse hours to replace the first boat.
// -1 for an empty list.
int GetBoatAtTime(const TListBoat& boats, double hours, double timeBestCourse);

}  // namespace corvane
