#pragma once
// Writers of the chart data sets (frame, the two tile layers, the named
// points) and a reader of the same layouts for the preview. The generator
// holds every polygon as 32-bit float minutes already rounded to thousandths,
// so writing and reading back give the same values.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/types.h"
#include "data/map_tiles.h"

namespace corvane {

// A town, a drying flat or a buoy. Type and ShortCut belong to buoys only.
struct TChartPoint {
  TMinutes Position;
  std::string Name;
  std::uint8_t Align = 0;  // 0 centred below, 1 right of, 2 left of the point
  std::uint8_t Type = 0;   // buoy symbol
  std::string ShortCut;    // two characters or empty
};

struct TChartSets {
  std::string MapIni;  // the chart frame text
  TListMapTiles Tiles;
  TListPolygon Drafts;                  // one polygon per depth line
  std::vector<TListPolygon> InvDrafts;  // per depth line, the polygons cut out
  std::vector<TChartPoint> Buoys;
  std::vector<TChartPoint> Towns;
  std::vector<TChartPoint> Flats;
};

// The chart frame text for the corners given (minutes of arc).
std::string ChartFrameText(const TMinutes& southWest, const TMinutes& northEast);

std::vector<std::uint8_t> PackTiles(const TListMapTiles& tiles);
std::vector<std::uint8_t> PackTilesB(const TListMapTiles& tiles, const TListPolygon& drafts,
                                     const std::vector<TListPolygon>& invDrafts);
// Towns and flats (buoyFields false) or buoys (true).
std::vector<std::uint8_t> PackChartPoints(const std::vector<TChartPoint>& points, bool buoyFields);

// Reads the data sets from files named MAPINI, TILES, TILESB, BUOYS, TOWNS,
// FLATS in folder; nothing, with the reason in error, when one is missing or
// does not parse to its end.
std::optional<TChartSets> ReadChartSets(const std::string& folder, std::string& error);

// Rounds a coordinate (minutes) to the thousandths the data sets store, as
// the 32-bit float the readers return.
float StoredCoordinate(double minutes);

}  // namespace corvane
