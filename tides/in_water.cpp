#include "tides/in_water.h"

#include <cstddef>

namespace corvane {

bool GetInWaterLines(const TMathTools& mathTools, const TMinutes& position,
                     const TListMapTiles& tiles, bool routingTilesOnly) {
  for (const TMapTiles& tile : tiles) {
    if (tile.Typ == kTileTypeIgnoredWater) continue;
    if (routingTilesOnly && !tile.Routing) continue;
    for (const TPolygon& polygon : tile.InWaterLines) {
      if (mathTools.GetInPolygon(position, polygon)) return true;
    }
  }
  return false;
}

bool GetInNavigableWater(const TMathTools& mathTools, const TMinutes& position,
                         const TInterfaceApplicationMobile& state, bool routingTilesOnly) {
  if (state.IndexDepthLine == 0) {
    return GetInWaterLines(mathTools, position, state.ListMapTiles, routingTilesOnly);
  }
  const int k = state.IndexDepthLine - 1;
  if (k < 0 || k >= static_cast<int>(state.ListDrafts.size())) return false;
  if (!mathTools.GetInPolygon(position, state.ListDrafts[static_cast<std::size_t>(k)])) return false;
  if (k < static_cast<int>(state.ListInvDrafts.size())) {
    for (const TPolygon& hole : state.ListInvDrafts[static_cast<std::size_t>(k)]) {
      if (mathTools.GetInPolygon(position, hole)) return false;
    }
  }
  return true;
}

}  // namespace corvane
