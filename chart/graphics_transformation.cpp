#include "chart/graphics_transformation.h"

namespace corvane {

double TMobileGraphicsTransformation::Longitude_to_xOffScreen(double longitude) const {
  return ServiceMercator->GetLonToPix(longitude) - OffScreen.Offset.X;
}

double TMobileGraphicsTransformation::Latitude_to_yOffScreen(double latitude) const {
  return OffScreen.MapArea.Height - (ServiceMercator->GetLatToPix(latitude) - OffScreen.Offset.Y);
}

TPointF TMobileGraphicsTransformation::Minutes_to_OffScreen(const TPointF& minutes) const {
  return TPointF{static_cast<float>(Longitude_to_xOffScreen(minutes.X)),
                 static_cast<float>(Latitude_to_yOffScreen(minutes.Y))};
}

TPointF TMobileGraphicsTransformation::Minutes_to_OffScreen(const TMinutes& minutes) const {
  return TPointF{static_cast<float>(Longitude_to_xOffScreen(minutes.Lon)),
                 static_cast<float>(Latitude_to_yOffScreen(minutes.Lat))};
}

TMinutes TMobileGraphicsTransformation::OnScreen_to_Minutes(const TPointF& point,
                                                            const TPointF& offset) const {
  const TChartPixel pixel = OnScreenToChartPixel(point, offset);
  return ChartPixelToMinutes(pixel.X, pixel.Y);
}

TPointF TMobileGraphicsTransformation::Minutes_to_OnScreen(const TMinutes& minutes,
                                                           const TPointF& offset) const {
  const double x = ServiceMercator->GetLonToPix(minutes.Lon);
  const double y = ServiceMercator->GetLatToPix(minutes.Lat);
  return TPointF{
      static_cast<float>(x - OffScreen.Offset.X - OnScreen.Offset.X + offset.X),
      static_cast<float>(OnScreen.MapArea.Height + offset.Y -
                         (y - OffScreen.Offset.Y - OnScreen.Offset.Y))};
}

TPolygon TMobileGraphicsTransformation::ScaleToPix(const TPolygon& polygon) const {
  TPolygon result(polygon.size());
  for (std::size_t i = 0; i < polygon.size(); ++i) result[i] = Minutes_to_OffScreen(polygon[i]);
  return result;
}

bool TMobileGraphicsTransformation::GetInOffScreen(const TPointF& minutes) const {
  return GetInOffScreen(TMinutes{minutes.X, minutes.Y});
}

bool TMobileGraphicsTransformation::GetInOffScreen(const TMinutes& minutes) const {
  const TMapArea& area = OffScreen.MapArea;
  return area.P1.Lon <= minutes.Lon && minutes.Lon <= area.P2.Lon && area.P1.Lat <= minutes.Lat &&
         minutes.Lat <= area.P2.Lat;
}

double TMobileGraphicsTransformation::xSeaMap_to_Longitude(double x) const {
  return ServiceMercator->GetPixToLon(x);
}

double TMobileGraphicsTransformation::ySeaMap_to_Latitude(double y) const {
  return ServiceMercator->GetPixToLat(y);
}

double TMobileGraphicsTransformation::Longitude_to_xSeaMap(double longitude) const {
  return ServiceMercator->GetLonToPix(longitude);
}

double TMobileGraphicsTransformation::Latitude_to_ySeaMap(double latitude) const {
  return ServiceMercator->GetLatToPix(latitude);
}

}  // namespace corvane
