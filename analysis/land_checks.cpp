#include "analysis/land_checks.h"

#include <algorithm>
#include <cstddef>

#include "tides/in_water.h"

namespace corvane {

namespace {

// Tile frames are 32-bit floats; a segment on a frame's edge belongs to it.
constexpr double kTileTolerance = 0.001;

// The coast polygons hold 32-bit floats; the segment is taken at the same
// precision so that a mark on a coast point meets it.
TPointF ToPointF(const TMinutes& minutes) {
  return TPointF{static_cast<float>(minutes.Lon), static_cast<float>(minutes.Lat)};
}

}  // namespace

bool GetMarkInWater(const TMathTools& MathTools, const TMinutes& Minutes,
                    const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  return GetInWaterLines(MathTools, Minutes, InterfaceApplicationMobile.ListMapTiles);
}

bool GetCourseAshore(const TMathTools& MathTools, const TRoutingData& RoutingData,
                     const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  const TPointF start = ToPointF(RoutingData.TrackStart);
  const TPointF finish = ToPointF(RoutingData.TrackFinish);
  TPointF crossing;
  // A coast of a tile whose frame the segment's box does not meet cannot
  // cross the segment.
  const double west = std::min(RoutingData.TrackStart.Lon, RoutingData.TrackFinish.Lon);
  const double east = std::max(RoutingData.TrackStart.Lon, RoutingData.TrackFinish.Lon);
  const double south = std::min(RoutingData.TrackStart.Lat, RoutingData.TrackFinish.Lat);
  const double north = std::max(RoutingData.TrackStart.Lat, RoutingData.TrackFinish.Lat);
  for (const TMapTiles& tile : InterfaceApplicationMobile.ListMapTiles) {
    if (tile.Typ == kTileTypeSimulator) continue;
    if (tile.P2.Lon < west - kTileTolerance || tile.P1.Lon > east + kTileTolerance ||
        tile.P2.Lat < south - kTileTolerance || tile.P1.Lat > north + kTileTolerance) {
      continue;
    }
    for (const TPolygon& coast : tile.CoastLines) {
      for (std::size_t j = 0; j + 1 < coast.size(); ++j) {
        if (MathTools.GetIntersection(start, finish, coast[j], coast[j + 1], crossing)) return true;
      }
    }
  }
  return false;
}

}  // namespace corvane
