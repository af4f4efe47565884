#pragma once
// A stream atlas of the size and spacing of the high-resolution grid, for
// checking the position search against the plain scan and for measuring it:
// cube 0 a staggered lattice of about 5000 points 0.12' by 0.15' apart along
// a winding channel of the model frame, cubes 1-7 small sub-areas; 26 fields
// of a 30-minute atlas without rotation, one chart every 30 minutes from
// kSyntheticFirstChart. Also the routing hexagon around a leg, built as the
// routing run builds it. Shared by the tests and the benchmark.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"
#include "core/math_tools.h"
#include "tides/stream_cube.h"

namespace corvane::synthetic {

inline constexpr TDateTime kHalfHour = 1.0 / 48;
inline const TDateTime kSyntheticFirstChart = EncodeDateTime(2016, 6, 12, 3, 0, 0, 0);

// Model frame of the high-resolution grid, minutes of arc.
inline constexpr double kFrameWest = -94.203;
inline constexpr double kFrameEast = -62.8;
inline constexpr double kFrameSouth = 3041.13;
inline constexpr double kFrameNorth = 3051.18;

// Middle of the channel at a longitude: it winds once across the frame.
inline double ChannelMiddle(double lon) {
  return 3046.15 + 3.0 * std::sin(2 * kPi * (lon - kFrameWest) / (kFrameEast - kFrameWest));
}

// Half-width of the channel in minutes of latitude: the grid covers it.
inline constexpr double kChannelHalfWidth = 1.4;

// A coordinate as a data set delivers it: thousandths of a minute, read as a
// 32-bit float.
inline double AsStored(double minutes) {
  return static_cast<float>(std::round(minutes * 1000) / 1000);
}

// Cube 0 plus seven small cubes, 26 fields with random packed vectors
// unpacked for a mean range, and field times 30 minutes apart.
inline TListVektorCubeLight MakeSyntheticHiResCube(std::uint32_t seed = 2016) {
  TListVektorCubeLight list;
  TRectF frame;
  frame.Left = static_cast<float>(kFrameWest);
  frame.Right = static_cast<float>(kFrameEast);
  frame.Bottom = static_cast<float>(kFrameSouth);
  frame.Top = static_cast<float>(kFrameNorth);
  list.ModelFrame = frame;
  list.SetDefaultRoutingArea(frame);

  std::vector<TListMinutes> cubes(1);
  for (int column = 0; column < 262; ++column) {
    const double lon = kFrameWest + 0.12 * column;
    const double shift = column % 2 == 1 ? 0.075 : 0;
    for (int row = 0; row < 68; ++row) {
      const double lat = kFrameSouth + shift + 0.15 * row;
      if (std::fabs(lat - ChannelMiddle(lon)) <= kChannelHalfWidth) {
        cubes[0].push_back(TMinutes{AsStored(lon), AsStored(lat)});
      }
    }
  }
  // Sub-areas: small clusters of 7, 10, 2, 2, 2, 6 and 4 points.
  const int sizes[] = {7, 10, 2, 2, 2, 6, 4};
  for (int k = 0; k < 7; ++k) {
    TListMinutes points;
    const double lon0 = -90 + 4.0 * k;
    for (int j = 0; j < sizes[k]; ++j) {
      const double lon = lon0 + 0.05 * j;
      points.push_back(TMinutes{AsStored(lon), AsStored(ChannelMiddle(lon) + 0.03 * (j % 3))});
    }
    cubes.push_back(points);
  }

  std::mt19937 random(seed);
  std::uniform_int_distribution<int> direction(0, 359);
  std::uniform_int_distribution<int> spring(0, 539);
  for (const TListMinutes& points : cubes) {
    const int c = list.AddCube();
    list.AddFields(c, 26);
    list.AddPositions(c, static_cast<int>(points.size()));
    for (std::size_t j = 0; j < points.size(); ++j) {
      list.SetPosition(c, static_cast<int>(j), points[j], list.MathTools.MinutesToBogen(points[j]));
    }
    for (int f = 0; f < 26; ++f) {
      list.AddVektors(c, f, static_cast<int>(points.size()));
      for (std::size_t j = 0; j < points.size(); ++j) {
        const int s = spring(random);
        list.SetVektorPacked(c, f, direction(random) * 1000000 + s * 1000 + s / 2,
                             static_cast<int>(j));
      }
    }
  }
  list.Charts30 = true;
  list.iOffset = 0;
  for (int i = 0; i < 26; ++i) list.SetTimeField30Offset(i, kSyntheticFirstChart + i * kHalfHour);
  list.GetUnpackCubes(1.8f, 3.6f, 2.9, 0);
  return list;
}

// The routing hexagon around the leg from `start` on course `courseDeg` for
// `distance` nautical miles: 0.2 nm behind the start, 0.8 x distance to
// either side of the start, flared out ahead of the finish.
inline TListMinutes RoutingHexagon(const TMathTools& math, const TMinutes& start, double courseDeg,
                                   double distance) {
  const double a = courseDeg * kDegreesToRadians;
  const TBogen s = math.MinutesToBogen(start);
  TBogen f;
  math.GetOrtWegOrt(s, TPolar{distance, a}, f);
  auto from = [&math](const TBogen& p, double d, double direction) {
    TBogen to;
    math.GetOrtWegOrt(p, TPolar{d, direction}, to);
    return math.BogenToMinutes(to);
  };
  const double side = 0.8 * distance;
  TListMinutes hexagon = {
      from(s, 0.2, math.AddRad(a, kPi)),
      from(s, side, math.AddRad(a, kPi / 2)),
      from(f, side, math.AddRad(math.AddRad(a, kPi / 2), 5.934119f)),
      from(f, side, math.AddRad(math.AddRad(a, kPi), 1.9198622f)),
      from(s, side, math.AddRad(a, 3 * kPi / 2)),
  };
  hexagon.push_back(hexagon[0]);
  return hexagon;
}

// The start of the 3 nm leg the measurements route: mid-channel, heading
// along it.
inline TMinutes LegStart() { return TMinutes{-80.0, ChannelMiddle(-80.0)}; }
inline constexpr double kLegCourseDeg = 70;
inline constexpr double kLegDistance = 3;

inline bool InChannel(const TMinutes& p) {
  return std::fabs(p.Lat - ChannelMiddle(p.Lon)) <= kChannelHalfWidth;
}

// A position drawn evenly from the polygon's bounding box until one lies
// inside the polygon (and, when waterOnly, inside the channel, where boats
// are routed).
inline TMinutes RandomPositionIn(const TMathTools& math, const TListMinutes& polygon,
                                 std::mt19937& random, bool waterOnly = false) {
  double west = polygon[0].Lon, east = west, south = polygon[0].Lat, north = south;
  for (const TMinutes& p : polygon) {
    west = std::min(west, p.Lon);
    east = std::max(east, p.Lon);
    south = std::min(south, p.Lat);
    north = std::max(north, p.Lat);
  }
  std::uniform_real_distribution<double> lon(static_cast<double>(west), static_cast<double>(east));
  std::uniform_real_distribution<double> lat(static_cast<double>(south), static_cast<double>(north));
  for (;;) {
    const TMinutes p{lon(random), lat(random)};
    if (math.GetInPolygon(p, polygon) && (!waterOnly || InChannel(p))) return p;
  }
}

}  // namespace corvane::synthetic
