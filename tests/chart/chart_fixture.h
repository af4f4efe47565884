#pragma once
// A small chart for the chart tests: 40 minutes of longitude by 20 of
// latitude near 50 degrees north, one coast tile holding a square island,
// and a device of 400 x 300 pixels.

#include "core/types.h"
#include "state/application_state.h"

namespace corvane::testing_chart {

inline constexpr double kWest = -100;
inline constexpr double kEast = -60;
inline constexpr double kSouth = 3000;
inline constexpr double kNorth = 3020;
inline const TMinutes kIslandCentre{-80, 3010};
inline constexpr double kIslandHalf = 1;  // minutes

// Square polygon (X longitude, Y latitude) around a centre.
inline TPolygon Square(const TMinutes& centre, double half) {
  auto p = [](double lon, double lat) { return TPointF{static_cast<float>(lon), static_cast<float>(lat)}; };
  return {p(centre.Lon - half, centre.Lat - half), p(centre.Lon - half, centre.Lat + half),
          p(centre.Lon + half, centre.Lat + half), p(centre.Lon + half, centre.Lat - half)};
}

inline void FillSmallChart(TInterfaceApplicationMobile& state) {
  state.SeaMap.P1 = TMinutes{kWest, kSouth};
  state.SeaMap.P2 = TMinutes{kEast, kNorth};
  state.SeaMap.Center = TMinutes{(kWest + kEast) / 2, (kSouth + kNorth) / 2};
  state.DeviceWidth = 400;
  state.DeviceHeight = 300;
  state.DeviceZoom = 0;
  state.DeviceZoomMax = 25;
  state.DeviceCenter = state.SeaMap.Center;
  state.MaxCurrent = 4;
  state.DrawLatLonGrid = false;
  TMapTiles tile;
  tile.P1 = state.SeaMap.P1;
  tile.P2 = state.SeaMap.P2;
  tile.IndexH = 1;
  tile.IndexV = 1;
  tile.CoastLines.push_back(Square(kIslandCentre, kIslandHalf));
  state.ListMapTiles.push_back(tile);
}

}  // namespace corvane::testing_chart
