#include "chart/graphics_transformation.h"

namespace corvane {

ext TMobileGraphicsTransformation::Longitude_to_xOffScreen(ext longitude) const {
  return ServiceMercator->GetLonToPix(longitude) - OffScreen.Offset.X;
}

ext TMobileGraphicsTransformation::Latitude_to_yOffScreen(ext latitude) const {
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
  const ext x = static_cast<ext>(point.X) + OffScreen.Offset.X + OnScreen.Offset.X - offset.X;
  const ext y = OnScreen.MapArea.Height + offset.Y - point.Y + OffScreen.Offset.Y +
                OnScreen.Offset.Y;
  return TMinutes{ServiceMercator->GetPixToLon(x), ServiceMercator->GetPixToLat(y)};
}

TPointF TMobileGraphicsTransformation::Minutes_to_OnScreen(const TMinutes& minutes,
                                                           const TPointF& offset) const {
  const ext x = ServiceMercator->GetLonToPix(minutes.Lon);
  const ext y = ServiceMercator->GetLatToPix(minutes.Lat);
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

ext TMobileGraphicsTransformation::xSeaMap_to_Longitude(ext x) const {
  return ServiceMercator->GetPixToLon(x);
}

ext TMobileGraphicsTransformation::ySeaMap_to_Latitude(ext y) const {
  return ServiceMercator->GetPixToLat(y);
}

ext TMobileGraphicsTransformation::Longitude_to_xSeaMap(ext longitude) const {
  return ServiceMercator->GetLonToPix(longitude);
}

ext TMobileGraphicsTransformation::Latitude_to_ySeaMap(ext latitude) const {
  return ServiceMercator->GetLatToPix(latitude);
}

}  // namespace corvane
