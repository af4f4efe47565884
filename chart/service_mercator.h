#pragma once
// Mercator projection of the chart rectangle onto chart pixels: the origin
// at the south-west corner, x east, y north. Positions are minutes of arc
// (east and north positive), sizes pixels.

#include "core/math_tools.h"
#include "core/types.h"

namespace corvane {

// Meridional part of a latitude (minutes of arc), in minutes:
// MP(L) = 7915.7 log10(tan(L/120 + 45 deg)), the spherical Mercator ordinate
// with the earth's radius of 10800/pi minutes written as 7915.7 / ln 10
// (the constant is kept at 7915.7, not 7915.7045, so that chart pixels of
// stored layouts stay where they were).
double MeridionalPart(double latitude);
// Inverse of MeridionalPart: L = (atan(10^(y/7915.7)) - 45 deg) * 120.
double MeridionalPartInverse(double meridionalPart);

class TServiceMercator {
 public:
  double ScaleLon = 0;    // minutes of longitude per chart pixel
  double ScaleLat = 0;    // meridional parts per chart pixel
  double MINtoP1Lon = 0;  // corners in use (the longitudes may be widened)
  double MINtoP1Lat = 0;
  double MINtoP2Lon = 0;
  double MINtoP2Lat = 0;
  double ExtLat1 = 0;   // MeridionalPart(MINtoP1Lat)
  double PixPerSM = 0;  // chart pixels per minute of latitude at the southern edge
  TMathTools MathTools;

  // Prepares the conversions for a chart area of mapArea.Width x
  // mapArea.Height pixels between its corners P1 (south-west) and P2
  // (north-east). Pixel 0 is P1, pixel Width - 1 (Height - 1) is P2; an
  // area of one pixel or less uses scale 1. When a pixel would span fewer
  // minutes of longitude than meridional parts, the longitudes are widened
  // on both sides so that the chart keeps Mercator's equal scales; the area
  // itself keeps its corners.
  void GetServiceMercator(const TMapArea& mapArea);

  // Chart pixels of a longitude / latitude (minutes); 0 when the respective
  // scale is 0.
  double GetLonToPix(double lon) const;
  double GetLatToPix(double lat) const;
  // Minutes of a chart pixel x / y.
  double GetPixToLon(double x) const;
  double GetPixToLat(double y) const;

  // Chart sizing; every size is cut to whole pixels toward zero. The ratio
  // is the area's meridional parts per minute of latitude.
  //
  // Width = max(trunc(zoom dLon), minArea.Width) with zoom in pixels per
  // minute of longitude, Height = max(trunc(ratio dLat Width / dLon),
  // minArea.Height): a chart never smaller than minArea. The corners must
  // differ in longitude.
  void GetDimensionMapArea(TMapArea& mapArea, const TMapArea& minArea, double zoom) const;
  // Width from Height (0 when the corners share a latitude), then ScaleLon
  // for the area.
  void GetWidthMapArea(TMapArea& mapArea);
  // Height from Width (0 when the corners share a latitude), then ScaleLon.
  void GetHeightMapArea(TMapArea& mapArea);
  // 2 (portrait) when the area, 1000 pixels high, would be narrower than
  // high; 1 (landscape) otherwise. Sets ScaleLon as GetWidthMapArea does.
  int GetOrientation(TMapArea mapArea);

  // Meridional parts per minute of latitude between the stored corners (or
  // the corners of mapArea); 1 when the two latitudes are equal.
  double GetRatio() const;
  double GetRatio(const TMapArea& mapArea) const;
  double GetScale() const { return ScaleLon; }
  double GetPixSM() const { return PixPerSM; }

 private:
  void SetScaleLon(const TMapArea& mapArea);
};

}  // namespace corvane
