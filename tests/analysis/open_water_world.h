#pragma once
// Open water for the tests of the routing services: a chart of open water
// (optionally with one rectangular headland) and, when asked, a stream atlas
// that holds a given stream over the whole area. Legs lie around 50.7 N
// 1.33 W, inside the racing area, but the chart and the stream are the
// test's own so that the expected times follow from the polar alone.

#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"
#include "routing/routing_data.h"
#include "support/track_legs.h"
#include "tides/stream_cube.h"
#include "state/application_state.h"

namespace corvane::open_water {

// Corners of the test chart, minutes of arc.
inline constexpr double kWest = -95;
inline constexpr double kEast = -65;
inline constexpr double kSouth = 3030;
inline constexpr double kNorth = 3055;

// A rectangle of land, minutes of arc.
struct TLand {
  double West, East, South, North;
};

inline TPolygon Rectangle(double west, double east, double south, double north) {
  const auto point = [](double lon, double lat) {
    return TPointF{static_cast<float>(lon), static_cast<float>(lat)};
  };
  return {point(west, south), point(west, north), point(east, north), point(east, south),
          point(west, south)};
}

// A chart of open water, or of water around one land rectangle. The rectangles overlap so that no seam is dry.
inline void SetOpenWater(TInterfaceApplicationMobile& state, std::optional<TLand> land = {}) {
  TMapTiles tile;
  tile.P1 = TMinutes{kWest, kSouth};
  tile.P2 = TMinutes{kEast, kNorth};
  tile.IndexH = 1;
  tile.IndexV = 1;
  if (!land) {
    tile.InWaterLines.push_back(Rectangle(kWest, kEast, kSouth, kNorth));
  } else {
    tile.InWaterLines.push_back(Rectangle(kWest, kEast, kSouth, land->South));
    tile.InWaterLines.push_back(Rectangle(kWest, kEast, land->North, kNorth));
    tile.InWaterLines.push_back(Rectangle(land->East, kEast, land->South - 0.01, land->North + 0.01));
    tile.InWaterLines.push_back(Rectangle(kWest, land->West, land->South - 0.01, land->North + 0.01));
  }
  state.ListMapTiles.clear();
  state.ListMapTiles.push_back(tile);
  state.IndexDepthLine = 0;
}

// A stream whose speed (knots) and direction (degrees toward which it flows)
// a function gives for each position, the same at every moment within 6
// hours of `moment`: a lattice of points every half mile over the test
// chart, 26 half-hourly charts.
template <typename StreamAt>
inline TListVektorCubeLight FieldStream(StreamAt streamAt, TDateTime moment) {
  TListVektorCubeLight list;
  TRectF frame;
  frame.Left = static_cast<float>(kWest);
  frame.Right = static_cast<float>(kEast);
  frame.Bottom = static_cast<float>(kSouth);
  frame.Top = static_cast<float>(kNorth);
  list.ModelFrame = frame;
  list.SetDefaultRoutingArea(frame);
  const int cube = list.AddCube();
  constexpr int kFields = 26;
  list.AddFields(cube, kFields);
  const int columns = static_cast<int>((kEast - kWest) * 2) + 1;
  const int rows = static_cast<int>((kNorth - kSouth) * 2) + 1;
  list.AddPositions(cube, columns * rows);
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      const TMinutes p{kWest + i * 0.5, kSouth + j * 0.5};
      list.SetPosition(cube, i * rows + j, p, list.MathTools.MinutesToBogen(p));
    }
  }
  // Packed as direction (degrees) x 1e6 + spring x 1000 + neap, speeds in
  // hundredths of a knot; equal spring and neap speeds need no tide range.
  std::vector<std::int32_t> packed(static_cast<std::size_t>(columns * rows));
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      const auto [speed, directionDeg] = streamAt(TMinutes{kWest + i * 0.5, kSouth + j * 0.5});
      const auto hundredths = static_cast<std::int32_t>(std::lround(speed * 100));
      packed[static_cast<std::size_t>(i * rows + j)] = directionDeg * 1000000 + hundredths * 1000 + hundredths;
    }
  }
  for (int f = 0; f < kFields; ++f) {
    list.AddVektors(cube, f, columns * rows);
    for (int k = 0; k < columns * rows; ++k) list.SetVektorPacked(cube, f, packed[static_cast<std::size_t>(k)], k);
  }
  list.AddVektorArea(cube, 5);
  const float lats[] = {static_cast<float>(kSouth), static_cast<float>(kNorth),
                        static_cast<float>(kNorth), static_cast<float>(kSouth),
                        static_cast<float>(kSouth)};
  const float lons[] = {static_cast<float>(kWest), static_cast<float>(kWest),
                        static_cast<float>(kEast), static_cast<float>(kEast),
                        static_cast<float>(kWest)};
  for (int v = 0; v < 5; ++v) list.SetVektorArea(cube, v, lats[v], lons[v]);
  list.Charts30 = true;
  list.iOffset = 0;
  for (int i = 0; i < kFields; ++i) {
    list.SetTimeField30Offset(i, moment - 0.25 + i * (1.0 / 48));
  }
  list.GetUnpackCubes(1.8f, 3.6f, 2.9, 0);
  return list;
}

// A stream of `speed` knots flowing toward `directionDeg` everywhere.
inline TListVektorCubeLight UniformStream(double speed, int directionDeg, TDateTime moment) {
  return FieldStream([=](const TMinutes&) { return std::pair<double, int>{speed, directionDeg}; }, moment);
}

}  // namespace corvane::open_water
