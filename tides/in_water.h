#pragma once
// Whether a position is afloat or navigable on the chart: the one test shared
// by the stream readout, the routing conditions and the mark editor. It reads
// only chart polygons (minutes of arc as 32-bit floats).

#include <vector>

#include "core/math_tools.h"
#include "core/polygon_set_index.h"
#include "core/types.h"
#include "data/map_tiles.h"

namespace corvane {

// Tiles of this type keep water layers that the afloat test ignores.
inline constexpr int kTileTypeIgnoredWater = 1;

// Whether a position (minutes of arc) lies inside one of the InWaterLines
// polygons of a tile whose Typ is not 1 (even-odd rule on the 32-bit float
// polygons). False for an empty tile list.
bool GetInWaterLines(const TMathTools& mathTools, const TMinutes& position, const TListMapTiles& tiles);

// Whether a position is navigable for a depth line, as TNavigableWater
// answers it, by walking the polygons once: for a single question.
bool GetInNavigableWater(const TMathTools& mathTools, const TMinutes& position, const TListMapTiles& tiles,
                         const TListPolygon& drafts, const std::vector<TListPolygon>& holes, int depthLine);

// The water a boat may sail for a depth line, indexed for many queries from
// any thread: with depth line 0 the InWaterLines of the tiles whose Typ is
// not 1; with depth line k the deep area drafts[k - 1] less the holes
// holes[k - 1]; nowhere for a depth line the chart does not have.
class TNavigableWater {
 public:
  TNavigableWater(const TListMapTiles& tiles, const TListPolygon& drafts,
                  const std::vector<TListPolygon>& holes, int depthLine);
  bool Contains(const TMinutes& position) const;

 private:
  bool known_ = true;  // the depth line exists
  TPolygonSetIndex water_;
  TPolygonSetIndex holes_;
};

}  // namespace corvane
