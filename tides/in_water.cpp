#include "tides/in_water.h"

#include <cstddef>

namespace corvane {

bool GetInWaterLines(const TMathTools& mathTools, const TMinutes& position, const TListMapTiles& tiles) {
  for (const TMapTiles& tile : tiles) {
    if (tile.Typ == kTileTypeIgnoredWater) continue;
    for (const TPolygon& polygon : tile.InWaterLines) {
      if (mathTools.GetInPolygon(position, polygon)) return true;
    }
  }
  return false;
}

bool GetInNavigableWater(const TMathTools& mathTools, const TMinutes& position, const TListMapTiles& tiles,
                         const TListPolygon& drafts, const std::vector<TListPolygon>& holes, int depthLine) {
  if (depthLine == 0) return GetInWaterLines(mathTools, position, tiles);
  const int k = depthLine - 1;
  if (k < 0 || k >= static_cast<int>(drafts.size())) return false;
  if (!mathTools.GetInPolygon(position, drafts[static_cast<std::size_t>(k)])) return false;
  if (k < static_cast<int>(holes.size())) {
    for (const TPolygon& hole : holes[static_cast<std::size_t>(k)]) {
      if (mathTools.GetInPolygon(position, hole)) return false;
    }
  }
  return true;
}

namespace {

std::vector<const TPolygon*> WaterOfTiles(const TListMapTiles& tiles) {
  std::vector<const TPolygon*> polygons;
  for (const TMapTiles& tile : tiles) {
    if (tile.Typ == kTileTypeIgnoredWater) continue;
    for (const TPolygon& polygon : tile.InWaterLines) polygons.push_back(&polygon);
  }
  return polygons;
}

}  // namespace

TNavigableWater::TNavigableWater(const TListMapTiles& tiles, const TListPolygon& drafts,
                                 const std::vector<TListPolygon>& holes, int depthLine) {
  if (depthLine == 0) {
    water_ = TPolygonSetIndex(WaterOfTiles(tiles));
    return;
  }
  const int k = depthLine - 1;
  if (k < 0 || k >= static_cast<int>(drafts.size())) {
    known_ = false;
    return;
  }
  water_ = TPolygonSetIndex({&drafts[static_cast<std::size_t>(k)]});
  if (k < static_cast<int>(holes.size())) {
    std::vector<const TPolygon*> cut;
    for (const TPolygon& hole : holes[static_cast<std::size_t>(k)]) cut.push_back(&hole);
    holes_ = TPolygonSetIndex(cut);
  }
}

bool TNavigableWater::Contains(const TMinutes& position) const {
  return known_ && water_.Contains(position) && !holes_.Contains(position);
}

}  // namespace corvane
