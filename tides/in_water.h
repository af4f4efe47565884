#pragma once
// The one test of whether a position is afloat, shared by the stream
// readout, the routing grids and the mark editor. It lives with the tidal
// model because that is the lowest library all three link; it reads only
// the chart tiles and depth areas of the application state.

#include "core/math_tools.h"
#include "core/types.h"
#include "data/map_tiles.h"
#include "state/application_state.h"

namespace corvane {

// Tiles of this type keep water layers that the afloat test ignores.
inline constexpr int kTileTypeIgnoredWater = 1;

// Whether a position (minutes of arc) lies inside one of the InWaterLines
// polygons of a tile whose Typ is not 1, the tiles examined in order and the
// first containing polygon deciding. With routingTilesOnly only tiles
// flagged for routing (TMapTiles::Routing) are examined. False for an empty
// tile list. Even-odd point-in-polygon test on the 32-bit float polygons.
bool GetInWaterLines(const TMathTools& mathTools, const TMinutes& position,
                     const TListMapTiles& tiles, bool routingTilesOnly);

// Whether a position is navigable for the boat's draft: with no depth line
// chosen (IndexDepthLine 0) as GetInWaterLines on the state's tiles; with
// depth line k inside ListDrafts[k - 1] and inside none of
// ListInvDrafts[k - 1], and false when the state has no such depth line.
// routingTilesOnly applies to the tile test only: the depth areas are not
// split into tiles.
bool GetInNavigableWater(const TMathTools& mathTools, const TMinutes& position,
                         const TInterfaceApplicationMobile& state, bool routingTilesOnly);

}  // namespace corvane
