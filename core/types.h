#pragma once
// Value records shared by every subsystem. Positions are minutes of arc
// (east and north positive), angles radians clockwise from north, speeds knots.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// Extended (80-bit) precision, for the few computations that a test shows
// need it; everything else computes in double, whose sine, cosine and arc
// tangent cost a tenth of the extended ones.
using ext = long double;

// Days since 1899-12-30 00:00; the fraction is the time of day.
using TDateTime = double;

// ARGB colour, alpha in the top byte.
using TAlphaColor = std::uint32_t;

struct TMinutes {
  double Lon = 0;  // minutes of arc, east positive
  double Lat = 0;  // minutes of arc, north positive
};

struct TBogen {
  double xRad = 0;     // longitude, radians
  double yRad = 0;     // latitude, radians
  double yRadSin = 0;  // sin(yRad) where MinutesToBogen made the record
  double yRadCos = 0;  // cos(yRad) where MinutesToBogen made the record
};

// Plane vector: x east, y north.
struct TCartesian {
  double x = 0;
  double y = 0;
};

// Vector as magnitude and direction (radians clockwise from north); it points
// toward Winkel.
struct TPolar {
  double Betrag = 0;
  double Winkel = 0;
};

// A position as two display strings, e.g. "050:47:123N" and "001:17:500W".
struct TGeoPos {
  std::string Lon;
  std::string Lat;
};

using TListMinutes = std::vector<TMinutes>;
using TListBogen = std::vector<TBogen>;
using TListPolar = std::vector<TPolar>;
using TListCartesian = std::vector<TCartesian>;
using TListDateTime = std::vector<TDateTime>;
using TListSingle = std::vector<float>;
using TStringList = std::vector<std::string>;
using TIntegerArray = std::vector<int>;

// Screen point of 32-bit floats; in the polygon tests X holds longitude and
// Y latitude minutes.
struct TPointF {
  float X = 0;
  float Y = 0;
};

struct TRectF {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
};

using TPolygon = std::vector<TPointF>;
using TListPolygon = std::vector<TPolygon>;

// A chart rectangle: P1 south-west, P2 north-east, size in pixels.
struct TMapArea {
  TMinutes P1;
  TMinutes P2;
  TMinutes Center;
  double Width = 0;
  double Height = 0;
};

// The chosen true wind: Betrag knots, Winkel the direction it comes from.
struct TWind {
  int IndexSpeed = 0;
  int IndexDirection = 0;
  TPolar TrueWind;
};

}  // namespace corvane
