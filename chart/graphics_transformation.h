#pragma once
// Conversions between positions (minutes of arc) and the pixels of the
// chart, the off-screen bitmap (origin top-left, y down) and the on-screen
// bitmap (origin top-left of the map image, y down).

#include "chart/graphics_projection.h"
#include "core/types.h"

namespace corvane {

class TMobileGraphicsTransformation : public TMobileGraphicsProjection {
 public:
  // Off-screen pixels of a longitude / latitude (minutes).
  double Longitude_to_xOffScreen(double longitude) const;
  double Latitude_to_yOffScreen(double latitude) const;
  // Off-screen pixels of a position; the TPointF form holds the longitude
  // in X and the latitude in Y (minutes).
  TPointF Minutes_to_OffScreen(const TPointF& minutes) const;
  TPointF Minutes_to_OffScreen(const TMinutes& minutes) const;

  // On-screen pixels and back; offset is the application state's Offset
  // (the map image's shift, (0, 0) on the desktop).
  TMinutes OnScreen_to_Minutes(const TPointF& point, const TPointF& offset) const;
  TPointF Minutes_to_OnScreen(const TMinutes& minutes, const TPointF& offset) const;

  // A polygon of positions (X longitude, Y latitude, minutes) converted
  // point by point to off-screen pixels.
  TPolygon ScaleToPix(const TPolygon& polygon) const;

  // Whether a position (X longitude, Y latitude, minutes) lies inside the
  // off-screen area (bounds inclusive): the layers skip everything else.
  bool GetInOffScreen(const TPointF& minutes) const;
  bool GetInOffScreen(const TMinutes& minutes) const;

  // The plain chart-pixel conversions.
  double xSeaMap_to_Longitude(double x) const;
  double ySeaMap_to_Latitude(double y) const;
  double Longitude_to_xSeaMap(double longitude) const;
  double Latitude_to_ySeaMap(double latitude) const;
};

}  // namespace corvane
