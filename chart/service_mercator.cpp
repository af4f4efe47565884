#include "chart/service_mercator.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"

namespace corvane {

namespace {

// Earth's radius in minutes over ln 10, rounded as the charts were drawn.
constexpr double kMeridionalFactor = 7915.7;

double RatioOf(double lat1, double lat2) {
  if (lat2 == lat1) return 1;
  return (MeridionalPart(lat2) - MeridionalPart(lat1)) / (lat2 - lat1);
}

}  // namespace

double MeridionalPart(double latitude) {
  return kMeridionalFactor * std::log10(std::tan((latitude / 120 + 45) * kDegreesToRadians));
}

double MeridionalPartInverse(double meridionalPart) {
  return (std::atan(std::pow(10.0, meridionalPart / kMeridionalFactor)) * kRadiansToDegrees - 45) *
         120;
}

void TServiceMercator::GetServiceMercator(const TMapArea& mapArea) {
  MINtoP1Lon = mapArea.P1.Lon;
  MINtoP1Lat = mapArea.P1.Lat;
  MINtoP2Lon = mapArea.P2.Lon;
  MINtoP2Lat = mapArea.P2.Lat;
  ScaleLon = mapArea.Width <= 1 ? 1 : (MINtoP2Lon - MINtoP1Lon) / (mapArea.Width - 1);
  ScaleLat = mapArea.Height <= 1
                 ? 1
                 : (MeridionalPart(MINtoP2Lat) - MeridionalPart(MINtoP1Lat)) / (mapArea.Height - 1);
  if (std::fabs(ScaleLon) < std::fabs(ScaleLat)) {
    const double d = (std::fabs(ScaleLat) - std::fabs(ScaleLon)) * mapArea.Width / 120;
    MINtoP1Lon = mapArea.P1.Lon - d;
    MINtoP2Lon = mapArea.P2.Lon + d;
    ScaleLon = mapArea.Width <= 1 ? 1 : (MINtoP2Lon - MINtoP1Lon) / (mapArea.Width - 1);
  }
  ExtLat1 = MeridionalPart(MINtoP1Lat);
  PixPerSM = std::fabs(GetLatToPix(MINtoP1Lat + 1) - GetLatToPix(MINtoP1Lat));
}

double TServiceMercator::GetLonToPix(double lon) const {
  if (ScaleLon == 0) return 0;
  return (lon - MINtoP1Lon) / ScaleLon;
}

double TServiceMercator::GetLatToPix(double lat) const {
  if (ScaleLat == 0) return 0;
  return (MeridionalPart(lat) - ExtLat1) / ScaleLat;
}

double TServiceMercator::GetPixToLon(double x) const { return x * ScaleLon + MINtoP1Lon; }

double TServiceMercator::GetPixToLat(double y) const {
  return MeridionalPartInverse(y * ScaleLat + ExtLat1);
}

void TServiceMercator::GetDimensionMapArea(TMapArea& mapArea, const TMapArea& minArea,
                                           double zoom) const {
  const double dLon = std::fabs(mapArea.P2.Lon - mapArea.P1.Lon);
  const double dLat = std::fabs(mapArea.P2.Lat - mapArea.P1.Lat);
  const double ratio = GetRatio(mapArea);
  mapArea.Width = std::max(std::trunc(zoom * dLon), minArea.Width);
  mapArea.Height = std::max(std::trunc(ratio * dLat * mapArea.Width / dLon), minArea.Height);
}

void TServiceMercator::SetScaleLon(const TMapArea& mapArea) {
  ScaleLon = mapArea.Width <= 1 ? 1 : (mapArea.P2.Lon - mapArea.P1.Lon) / (mapArea.Width - 1);
}

void TServiceMercator::GetWidthMapArea(TMapArea& mapArea) {
  const double dLon = std::fabs(mapArea.P2.Lon - mapArea.P1.Lon);
  const double dLat = std::fabs(mapArea.P2.Lat - mapArea.P1.Lat);
  const double ratio = GetRatio(mapArea);
  mapArea.Width = dLat == 0 || !(ratio > 0) ? 0 : std::trunc(dLon * mapArea.Height / dLat / ratio);
  SetScaleLon(mapArea);
}

void TServiceMercator::GetHeightMapArea(TMapArea& mapArea) {
  const double dLon = std::fabs(mapArea.P2.Lon - mapArea.P1.Lon);
  const double dLat = std::fabs(mapArea.P2.Lat - mapArea.P1.Lat);
  const double ratio = dLat == 0 ? 0 : GetRatio(mapArea);
  mapArea.Height = dLon == 0 ? 0 : std::trunc(ratio * dLat * mapArea.Width / dLon);
  SetScaleLon(mapArea);
}

int TServiceMercator::GetOrientation(TMapArea mapArea) {
  mapArea.Height = 1000;
  GetWidthMapArea(mapArea);
  return mapArea.Width < mapArea.Height ? 2 : 1;
}

double TServiceMercator::GetRatio() const { return RatioOf(MINtoP1Lat, MINtoP2Lat); }

double TServiceMercator::GetRatio(const TMapArea& mapArea) const {
  return RatioOf(mapArea.P1.Lat, mapArea.P2.Lat);
}

}  // namespace corvane
