#include "app/services/land_checks.h"

#include <cstddef>

#include "tides/in_water.h"

namespace corvane {

namespace {

// The coast polygons hold 32-bit floats; the segment is taken at the same
// precision so that a mark on a coast point meets it.
TPointF ToPointF(const TMinutes& minutes) {
  return TPointF{static_cast<float>(minutes.Lon), static_cast<float>(minutes.Lat)};
}

}  // namespace

bool GetMarkInWater(const TMathTools& MathTools, const TMinutes& Minutes,
                    const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  return GetInWaterLines(MathTools, Minutes, InterfaceApplicationMobile.ListMapTiles, false);
}

bool GetCourseAshore(const TMathTools& MathTools, const TRoutingData& RoutingData,
                     const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  const TPointF start = ToPointF(RoutingData.TrackStart);
  const TPointF finish = ToPointF(RoutingData.TrackFinish);
  TPointF crossing;
  for (const TMapTiles& tile : InterfaceApplicationMobile.ListMapTiles) {
    if (!tile.Routing || tile.Typ == kTileTypeSimulator) continue;
    for (const TPolygon& coast : tile.CoastLines) {
      for (std::size_t j = 0; j + 1 < coast.size(); ++j) {
        if (MathTools.GetIntersection(start, finish, coast[j], coast[j + 1], crossing)) return true;
      }
    }
  }
  return false;
}

}  // namespace corvane
