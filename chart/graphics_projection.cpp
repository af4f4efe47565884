#include "chart/graphics_projection.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// Containment tolerance of a corner in a coast tile, minutes.
constexpr double kTileTolerance = 0.001;

bool InSeaMap(const TMinutes& p, const TMapArea& seaMap) {
  return p.Lon >= seaMap.P1.Lon && p.Lon <= seaMap.P2.Lon && p.Lat >= seaMap.P1.Lat &&
         p.Lat <= seaMap.P2.Lat;
}

TMinutes ClampIntoSeaMap(TMinutes p, const TMapArea& seaMap) {
  p.Lon = std::clamp(p.Lon, std::min(seaMap.P1.Lon, seaMap.P2.Lon),
                     std::max(seaMap.P1.Lon, seaMap.P2.Lon));
  p.Lat = std::clamp(p.Lat, std::min(seaMap.P1.Lat, seaMap.P2.Lat),
                     std::max(seaMap.P1.Lat, seaMap.P2.Lat));
  return p;
}

// The first tile that contains the position (with the tolerance).
const TMapTiles* TileAt(const TListMapTiles& tiles, double lon, double lat) {
  for (const TMapTiles& tile : tiles) {
    if (lon >= tile.P1.Lon - kTileTolerance && lon <= tile.P2.Lon + kTileTolerance &&
        lat >= tile.P1.Lat - kTileTolerance && lat <= tile.P2.Lat + kTileTolerance) {
      return &tile;
    }
  }
  return nullptr;
}

// Offset clamped first to >= 0, then to <= room (room may be negative when
// the window is larger than what holds it).
float ClampOffset(double value, double room) {
  value = std::max<double>(value, 0);
  value = std::min(value, room);
  return static_cast<float>(value);
}

}  // namespace

int RoundPixels(double size) { return static_cast<int>(std::nearbyint(static_cast<double>(size))); }

TMobileGraphicsProjection::TMobileGraphicsProjection()
    : ServiceMercator(std::make_unique<TServiceMercator>()) {}

std::unique_ptr<TBitMap> TMobileGraphicsProjection::NewBitMap(int width, int height) const {
  return std::make_unique<TBitMapSize>(width, height);
}

TMinutes TMobileGraphicsProjection::ChartPixelToMinutes(double x, double y) const {
  return TMinutes{ServiceMercator->GetPixToLon(x), ServiceMercator->GetPixToLat(y)};
}

void TMobileGraphicsProjection::InitDeviceProjection(TInterfaceApplicationMobile& state) {
  const int width = RoundPixels(state.DeviceWidth);
  const int height = RoundPixels(state.DeviceHeight);
  OnScreen.BitMap = NewBitMap(width, height);
  OnScreen.MapArea.Width = width;
  OnScreen.MapArea.Height = height;
  OnScreen.MapArea.Center = state.DeviceCenter;
  if (!InSeaMap(state.DeviceCenter, state.SeaMap)) {
    OnScreen.MapArea.Center = TMinutes{(state.SeaMap.P1.Lon + state.SeaMap.P2.Lon) / 2,
                                       (state.SeaMap.P1.Lat + state.SeaMap.P2.Lat) / 2};
  }

  OffScreenDimensionHome = std::max(state.DeviceWidth, state.DeviceHeight);
  SeaMapOrientationHome = ServiceMercator->GetOrientation(state.SeaMap);
  if (SeaMapOrientationHome == 1) {
    state.SeaMap.Height = OffScreenDimensionHome;
    ServiceMercator->GetWidthMapArea(state.SeaMap);
  } else {
    state.SeaMap.Width = OffScreenDimensionHome;
    ServiceMercator->GetHeightMapArea(state.SeaMap);
  }
  ServiceMercator->GetServiceMercator(state.SeaMap);
  const double scale = ServiceMercator->ScaleLon;
  SeaMapPixPerSmHome = scale > 0 ? 1 / scale : 1;
}

void TMobileGraphicsProjection::GetDeviceProjection(TInterfaceApplicationMobile& state) {
  SeaMapPixPerSm = (state.DeviceZoom + 1) * SeaMapPixPerSmHome;
  ServiceMercator->GetDimensionMapArea(state.SeaMap, OnScreen.MapArea, SeaMapPixPerSm);
  ServiceMercator->GetServiceMercator(state.SeaMap);
  state.MapRatio = ServiceMercator->GetRatio();

  const double limit = state.OffScreenDimension * OffScreenDimensionHome;
  const int width = RoundPixels(std::min(limit, state.SeaMap.Width));
  const int height = RoundPixels(std::min(limit, state.SeaMap.Height));
  OffScreen.BitMap = NewBitMap(width, height);
  OffScreen.MapArea.Width = width;
  OffScreen.MapArea.Height = height;

  // The off-screen window around the on-screen centre, kept inside the chart.
  OffScreen.MapArea.Center = OnScreen.MapArea.Center;
  const double centerX = ServiceMercator->GetLonToPix(OffScreen.MapArea.Center.Lon);
  const double centerY = ServiceMercator->GetLatToPix(OffScreen.MapArea.Center.Lat);
  OffScreen.Offset.X = static_cast<float>(centerX - OffScreen.MapArea.Width / 2);
  OffScreen.Offset.Y = static_cast<float>(centerY - OffScreen.MapArea.Height / 2);
  PlaceOffScreen(state);

  // The on-screen window around its centre, kept inside the off-screen bitmap.
  const double onX = ServiceMercator->GetLonToPix(OnScreen.MapArea.Center.Lon);
  const double onY = ServiceMercator->GetLatToPix(OnScreen.MapArea.Center.Lat);
  OnScreen.Offset.X = ClampOffset(onX - OnScreen.MapArea.Width / 2 - OffScreen.Offset.X,
                                  OffScreen.MapArea.Width - OnScreen.MapArea.Width);
  OnScreen.Offset.Y = ClampOffset(onY - OnScreen.MapArea.Height / 2 - OffScreen.Offset.Y,
                                  OffScreen.MapArea.Height - OnScreen.MapArea.Height);
  SetOnScreenCenter();

  GetScaleFactors(state);
}

void TMobileGraphicsProjection::PlaceOffScreen(TInterfaceApplicationMobile& state) {
  OffScreen.Offset.X =
      ClampOffset(OffScreen.Offset.X, state.SeaMap.Width - OffScreen.MapArea.Width);
  OffScreen.Offset.Y =
      ClampOffset(OffScreen.Offset.Y, state.SeaMap.Height - OffScreen.MapArea.Height);
  const double centerX = OffScreen.Offset.X + OffScreen.MapArea.Width / 2;
  const double centerY = OffScreen.Offset.Y + OffScreen.MapArea.Height / 2;
  OffScreen.Center = TPointF{static_cast<float>(centerX), static_cast<float>(centerY)};
  OffScreen.MapArea.Center = ChartPixelToMinutes(centerX, centerY);
  OffScreen.MapArea.P1 =
      ClampIntoSeaMap(ChartPixelToMinutes(OffScreen.Offset.X, OffScreen.Offset.Y), state.SeaMap);
  OffScreen.MapArea.P2 = ClampIntoSeaMap(
      ChartPixelToMinutes(OffScreen.Offset.X + OffScreen.MapArea.Width,
                          OffScreen.Offset.Y + OffScreen.MapArea.Height),
      state.SeaMap);
  MarkTiles(state);
}

void TMobileGraphicsProjection::MarkTiles(TInterfaceApplicationMobile& state) const {
  const TMapArea& area = OffScreen.MapArea;
  // IndexV grows southward: the north-west corner gives both lower bounds.
  int minH = 0;
  int minV = 0;
  int maxH = 0;
  int maxV = 0;
  if (const TMapTiles* nw = TileAt(state.ListMapTiles, area.P1.Lon, area.P2.Lat)) {
    minH = nw->IndexH;
    minV = nw->IndexV;
  }
  if (const TMapTiles* ne = TileAt(state.ListMapTiles, area.P2.Lon, area.P2.Lat)) {
    maxH = ne->IndexH;
  }
  if (const TMapTiles* sw = TileAt(state.ListMapTiles, area.P1.Lon, area.P1.Lat)) {
    maxV = sw->IndexV;
  }
  for (TMapTiles& tile : state.ListMapTiles) {
    tile.Draw = tile.IndexH >= minH && tile.IndexH <= maxH && tile.IndexV >= minV &&
                tile.IndexV <= maxV;
  }
}

void TMobileGraphicsProjection::SetOnScreenCenter() {
  const double x = OnScreen.MapArea.Width / 2 + OffScreen.Offset.X + OnScreen.Offset.X;
  const double y = OnScreen.MapArea.Height / 2 + OffScreen.Offset.Y + OnScreen.Offset.Y;
  OnScreen.Center = TPointF{static_cast<float>(x), static_cast<float>(y)};
  OnScreen.MapArea.Center = ChartPixelToMinutes(x, y);
}

void TMobileGraphicsProjection::GetScaleFactors(const TInterfaceApplicationMobile& state) {
  const double a = SeaMapPixPerSm;
  ScaleLineArrow = std::max<double>(1, a / 400);
  ScaleArrowCurrents = state.MaxCurrent > 0 ? a / (6 * state.MaxCurrent) : 0;
  ScaleArrowWinds = std::min<double>(50, a / 10 * state.AppScaleWinds);
  ScaleArrowWindField = ScaleArrowCurrents / 25;
  ScaleTextSizeMin = a / 25;
  ScaleTextSizeTiny = std::min<double>(20, a / 24 * state.AppScaleTextSizeTiny);
  ScaleTextSizeSmall = std::min<double>(35, a / 18 * state.AppScaleTextSizeSmall);
  ScaleTextSizeCourse = std::min<double>(35, a / 18 * state.AppScaleTextSizeCourse);
  ScaleTextSizeMedium = std::min<double>(45, a / 14 * state.AppScaleTextSizeMedium);
  ScaleTextSizeLarge = std::min<double>(40, a / 11 + 6);
  ScaleTextSizeTidesBar = 12;
  ScaleSizeBuoys = a / 24 * state.AppScaleBuoys;
  ScaleShowBuoys = a > 45;
  ScaleSizeCourseLine = 1;
  const double r = std::max<double>(1.3, a / 30) * state.AppScaleCourseBuoys;
  ScaleSizeCourseMarks = r;
  ScaleSizeCourseGesture = std::max<double>(30, 2 * r + 5);
  ScaleSizeMovableMarks = 1.1 * r;
  const double p = std::min<double>(5, std::max<double>(1, a / 70) * state.AppScaleLines);
  ScaleLineRouting = p;
  ScaleLineLaylines = std::min<double>(2.5, std::max<double>(1, p / 2) * state.AppScaleLines);
  ScaleRoutingBestLineDetail = std::max<double>(1, std::max<double>(1, a / 50) / 2) * state.AppScaleLines;
  ScaleRoutingApproachLineLength = a / 5;
  ScaleGPSLocation = 3;
  ScaleGPSLocationRadius = 10;
  ScaleTidesBarMeter = 18;
  ScaleTidesBarWidth = 16;
  ScaleSizeBoats = std::min<double>(1.4, a / 300 * state.AppScaleSizeBoats);
  ScaleShowBoats = a > 150;
  ScaleShowCourseName = a < 400;
}

void TMobileGraphicsProjection::GesturePanStart(const TPointF& location) {
  PanOffset.X = OnScreen.Offset.X + location.X;
  PanOffset.Y = static_cast<float>(OnScreen.MapArea.Height - location.Y + OnScreen.Offset.Y);
}

TMobileGraphicsProjection::TPanResult TMobileGraphicsProjection::GesturePanWindow(TInterfaceApplicationMobile& state,
                                                 const TPointF& location) {
  const double onW = OnScreen.MapArea.Width;
  const double onH = OnScreen.MapArea.Height;
  OnScreen.Offset.X = PanOffset.X - location.X;
  OnScreen.Offset.Y = static_cast<float>(PanOffset.Y - (onH - location.Y));
  SetOnScreenCenter();

  ValidDragRight = OnScreen.Offset.X >= 0;
  ValidDragLeft = OffScreen.MapArea.Width - onW >= OnScreen.Offset.X;
  ValidDragDown = OffScreen.MapArea.Height - onH >= OnScreen.Offset.Y;
  ValidDragUp = OnScreen.Offset.Y >= 0;

  bool moved = false;
  auto recentre = [&](bool& flag) {
    OffScreen.Center = OnScreen.Center;
    OffScreen.Offset.X = static_cast<float>(OffScreen.Center.X - OffScreen.MapArea.Width / 2);
    OffScreen.Offset.Y = static_cast<float>(OffScreen.Center.Y - OffScreen.MapArea.Height / 2);
    PlaceOffScreen(state);
    OnScreen.Offset.X = static_cast<float>(OnScreen.Center.X - onW / 2 - OffScreen.Offset.X);
    OnScreen.Offset.Y = static_cast<float>(OnScreen.Center.Y - onH / 2 - OffScreen.Offset.Y);
    GesturePanStart(location);
    flag = true;
    moved = true;
  };
  if (!ValidDragDown && state.SeaMap.Height > OffScreen.MapArea.Height + OffScreen.Offset.Y) {
    recentre(ValidDragDown);
  }
  if (!ValidDragUp && OffScreen.Offset.Y > 0) recentre(ValidDragUp);
  if (!ValidDragRight && OffScreen.Offset.X > 0) recentre(ValidDragRight);
  if (!ValidDragLeft && state.SeaMap.Width - OffScreen.MapArea.Width > OffScreen.Offset.X) {
    recentre(ValidDragLeft);
  }

  // At the chart's edge the window stops; the pan origin follows the mouse
  // so that moving back responds at once.
  if (!ValidDragRight) {
    OnScreen.Offset.X = 0;
    PanOffset.X = location.X;
  }
  if (!ValidDragLeft) {
    OnScreen.Offset.X = static_cast<float>(OffScreen.MapArea.Width - onW);
    PanOffset.X = static_cast<float>(location.X + OnScreen.Offset.X);
  }
  if (!ValidDragDown) {
    OnScreen.Offset.Y = static_cast<float>(OffScreen.MapArea.Height - onH);
    PanOffset.Y = static_cast<float>(onH - location.Y + OnScreen.Offset.Y);
  }
  if (!ValidDragUp) {
    OnScreen.Offset.Y = 0;
    PanOffset.Y = static_cast<float>(onH - location.Y);
  }
  // The centre of the window where it stopped, so that the next sizing of
  // the viewport starts from what the user sees.
  SetOnScreenCenter();
  state.DeviceCenter = OnScreen.MapArea.Center;
  TPanResult result;
  result.Valid = ValidDragRight || ValidDragLeft || ValidDragUp || ValidDragDown;
  result.OffScreenMoved = moved;
  return result;
}

double TMobileGraphicsProjection::ZoomedBySteps(const TInterfaceApplicationMobile& state, double steps) {
  const double max = state.DeviceZoomMax;
  if (max <= 0 || state.DeviceZoomStep <= 0) return 0;
  // The scale is (zoom + 1) times the whole chart's.
  const double factor = std::pow(max + 1, state.DeviceZoomStep / max);
  return std::clamp((state.DeviceZoom + 1) * std::pow(factor, steps) - 1, 0.0, max);
}

TMobileGraphicsProjection::TChartPixel TMobileGraphicsProjection::OnScreenToChartPixel(const TPointF& point,
                                                                                    const TPointF& offset) const {
  return TChartPixel{static_cast<double>(point.X) + OffScreen.Offset.X + OnScreen.Offset.X - offset.X,
                     OnScreen.MapArea.Height + offset.Y - point.Y + OffScreen.Offset.Y + OnScreen.Offset.Y};
}

void TMobileGraphicsProjection::CentreZoomAbout(TInterfaceApplicationMobile& state, double zoom,
                                                const TPointF& point, const TPointF& offset) {
  // Chart pixels grow with zoom + 1 about any fixed point: the new centre is
  // the old one drawn towards the point by the inverse growth.
  const double growth = (zoom + 1) / (state.DeviceZoom + 1);
  const TChartPixel fixed = OnScreenToChartPixel(point, offset);
  const double x = fixed.X + (OnScreen.Center.X - fixed.X) / growth;
  const double y = fixed.Y + (OnScreen.Center.Y - fixed.Y) / growth;
  OnScreen.MapArea.Center = ChartPixelToMinutes(x, y);
  state.DeviceCenter = OnScreen.MapArea.Center;
}

void TMobileGraphicsProjection::GetGotoTrack(const TRoutingData& routingData,
                                             TInterfaceApplicationMobile& state) {
  if (routingData.TrackDistance > 0) {
    const double s =
        0.5 * std::min(state.DeviceWidth, state.DeviceHeight) / routingData.TrackDistance;
    const double zoom = SeaMapPixPerSmHome > 0 ? s / SeaMapPixPerSmHome - 1 : 0;
    state.DeviceZoom = std::min(state.DeviceZoomMax, std::max<double>(0, zoom));
  }
  state.DeviceCenter = routingData.TrackCenter;
  InitDeviceProjection(state);
  GetDeviceProjection(state);
}

}  // namespace corvane
