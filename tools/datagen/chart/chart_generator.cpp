// Builds the chart data sets of the racing area from the full-resolution
// shoreline and the land mask rasterised from it:
//   chart_generator <shoreline.txt> <landmask.i8> <land_mask.bin> <datasets folder>
// shoreline.txt: shoreline polylines in degrees as dumped by the coast tool;
// landmask.i8: one signed byte per cell (1 land, 0 water), rows from the
// north, over the mask grid below. Writes the compact land mask and the data
// sets MAPINI, TILES, TILESB, BUOYS, TOWNS and FLATS. The output depends on
// the inputs only (no clock, no unseeded randomness).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <numbers>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/math_tools.h"
#include "data/map_tiles.h"
#include "tools/datagen/bathymetry/depth_model.h"
#include "tools/datagen/bathymetry/land_mask.h"
#include "tools/datagen/chart/chart_catalogue.h"
#include "tools/datagen/chart/chart_sets.h"
#include "tools/datagen/chart/geos_tools.h"

namespace corvane {
namespace {

// The mask grid: 2' wider than the chart frame on every side, so that the
// distances to the coast near the frame see the land beyond it. Thousandths
// of a minute of arc.
constexpr int kMaskWestT = -102000;
constexpr int kMaskSouthT = 3030000;
constexpr int kCellT = 10;  // 0.01' = 18.5 m of latitude
constexpr int kMaskColumns = 4400;
constexpr int kMaskRows = 2400;

// The chart frame and its tiles.
constexpr double kFrameWest = -100, kFrameEast = -60, kFrameSouth = 3032, kFrameNorth = 3052;
constexpr int kTileColumns = 8, kTileRows = 10;
constexpr int kTileWidthT = 5000, kTileHeightT = 2000;

// Simplification tolerances (minutes): the shoreline keeps its detail within
// about 5 m; the depth and height areas, traced along the cell edges of the
// mask grid, lose their stair steps within about 11 m.
constexpr double kCoastTolerance = 0.003;
constexpr double kRasterTolerance = 0.006;
// Polygons and holes smaller than this (square minutes, about 70 m2) are
// slivers of the clipping, not features.
constexpr double kMinArea = 2e-5;

// Depth areas of the chart (m below chart datum) and of the draft lines.
constexpr double kDeepLine = 10, kShallowLine = 5;
constexpr std::array<double, 4> kDraftDepths = {0.0, 2.0, 3.5, 5.0};
// Land heights. The chart colours Heights polygon i by its index in four
// steps (0-2, 3-5, 6-7, 8 and on), so the land is cut at four heights (m above
// the shoreline) and the parts of each level fill that level's slots, lowest
// level first; unused slots hold empty polygons. Joining several parts into
// one polygon would draw its bridges across lower land, so that is done only
// when a level has more parts in a tile than slots (the smallest are joined).
constexpr std::array<double, 4> kHeightLevels = {20, 60, 110, 160};
constexpr std::array<std::size_t, 4> kHeightSlots = {3, 3, 2, 1};

constexpr std::uint32_t kRacingMarkSeed = 20160601;
constexpr int kRacingMarks = 175;
constexpr int kNavigationMarks = 18;
constexpr int kFirstRacingMark = 2 + kNavigationMarks;
constexpr int kDefaultStartIndex = 183, kDefaultTopIndex = 177;
constexpr int kTowns = 12, kFlats = 15;

double LonOf(int column) { return (kMaskWestT + column * kCellT) / 1000.0; }
double LatOf(int row) { return (kMaskSouthT + row * kCellT) / 1000.0; }
int ColumnOfT(int lonT) { return (lonT - kMaskWestT) / kCellT; }
int RowOfT(int latT) { return (latT - kMaskSouthT) / kCellT; }

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

TLandMask MaskFromRaw(const std::vector<std::uint8_t>& raw) {
  const std::size_t expected = static_cast<std::size_t>(kMaskColumns) * kMaskRows;
  if (raw.size() != expected) {
    throw std::runtime_error("land mask raster has " + std::to_string(raw.size()) +
                             " bytes, expected " + std::to_string(expected));
  }
  TLandMask mask(kMaskWestT / 1000.0L, kMaskSouthT / 1000.0L, kCellT / 1000.0L, kMaskColumns,
                 kMaskRows);
  for (int fileRow = 0; fileRow < kMaskRows; ++fileRow) {
    const int row = kMaskRows - 1 - fileRow;  // the raster starts in the north
    for (int column = 0; column < kMaskColumns; ++column) {
      mask.SetLandCell(column, row, raw[static_cast<std::size_t>(fileRow) * kMaskColumns + column] != 0);
    }
  }
  return mask;
}

// Shoreline polylines in minutes of arc, rounded to 1e-7' so that the ends
// shared by neighbouring pieces and the cut at the region edge coincide.
std::vector<std::vector<TPt>> ReadShoreline(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::vector<TPt>> lines;
  std::string text;
  auto snap = [](double degrees) { return std::round(degrees * 60 * 1e7) / 1e7; };
  while (std::getline(in, text)) {
    if (text.empty()) continue;
    if (text[0] == '>') {
      lines.emplace_back();
      continue;
    }
    std::istringstream fields(text);
    double lon = 0, lat = 0;
    if (!(fields >> lon >> lat)) continue;
    if (lines.empty()) lines.emplace_back();
    TPt p{snap(lon), snap(lat)};
    if (lines.back().empty() || lines.back().back().x != p.x || lines.back().back().y != p.y) {
      lines.back().push_back(p);
    }
  }
  std::erase_if(lines, [](const std::vector<TPt>& line) { return line.size() < 2; });
  return lines;
}

// Land of the mask region as polygons: the shoreline and the region's edge
// are noded and polygonised, and each face is land or water as the mask says
// at the centre of its largest inscribed circle (far from any face edge, so
// the raster's cell rounding cannot decide it).
TGeos::TGeom BuildLand(const TGeos& geos, const std::vector<std::vector<TPt>>& shoreline,
                       const TLandMask& mask, double& faceArea) {
  const double w = LonOf(0), e = LonOf(kMaskColumns), s = LatOf(0), n = LatOf(kMaskRows);
  std::vector<TGeos::TGeom> parts;
  for (const auto& line : shoreline) parts.push_back(geos.LineString(line));
  parts.push_back(geos.LineString({{w, s}, {e, s}, {e, n}, {w, n}, {w, s}}));
  const TGeos::TGeom noded = geos.UnaryUnion(geos.Collection(std::move(parts), GEOS_MULTILINESTRING));
  std::vector<TGeos::TGeom> land;
  faceArea = 0;
  for (TGeos::TGeom& face : geos.Polygonize(noded)) {
    faceArea += geos.Area(face);
    const TPt centre = geos.InteriorCentre(face, 1e-4);
    if (mask.IsLand(centre.x, centre.y)) land.push_back(std::move(face));
  }
  const TGeos::TGeom united = geos.UnaryUnion(geos.Collection(std::move(land), GEOS_MULTIPOLYGON));
  return geos.MakeValid(geos.Simplify(united, kCoastTolerance));
}

// The cells of [c0, c1) x [r0, r1) that satisfy the predicate, as one
// geometry: runs along each row, runs repeated on the next rows merged into
// one rectangle, then united.
TGeos::TGeom RasterRegion(const TGeos& geos, int c0, int c1, int r0, int r1,
                          const std::function<bool(int, int)>& inside) {
  struct Open {
    int a, b, firstRow;
  };
  std::vector<TGeos::TGeom> rectangles;
  std::vector<Open> open;
  auto emit = [&](const Open& run, int endRow) {
    rectangles.push_back(geos.Rectangle(LonOf(run.a), LatOf(run.firstRow), LonOf(run.b), LatOf(endRow)));
  };
  for (int r = r0; r <= r1; ++r) {
    std::vector<std::pair<int, int>> runs;
    if (r < r1) {
      int c = c0;
      while (c < c1) {
        if (!inside(c, r)) {
          ++c;
          continue;
        }
        const int a = c;
        while (c < c1 && inside(c, r)) ++c;
        runs.emplace_back(a, c);
      }
    }
    std::vector<Open> next;
    for (const auto& run : runs) {
      auto same = std::find_if(open.begin(), open.end(),
                               [&](const Open& o) { return o.a == run.first && o.b == run.second; });
      if (same != open.end()) {
        next.push_back(*same);
        same->a = same->b = -1;  // taken over
      } else {
        next.push_back({run.first, run.second, r});
      }
    }
    for (const Open& o : open) {
      if (o.a >= 0) emit(o, r);
    }
    open = std::move(next);
  }
  if (rectangles.empty()) return geos.Empty();
  return geos.UnaryUnion(geos.Collection(std::move(rectangles), GEOS_MULTIPOLYGON));
}

// A ring as the data sets store it: thousandths, no repeated neighbours,
// closed; empty when fewer than three distinct corners remain.
TPolygon Stored(const TRing& ring) {
  TPolygon out;
  for (const TPt& p : ring) {
    const TPointF q{StoredCoordinate(p.x), StoredCoordinate(p.y)};
    if (!out.empty() && out.back().X == q.X && out.back().Y == q.Y) continue;
    out.push_back(q);
  }
  if (!out.empty() && (out.front().X != out.back().X || out.front().Y != out.back().Y)) {
    out.push_back(out.front());
  }
  if (out.size() < 4) out.clear();
  return out;
}

std::vector<TRingPolygon> Significant(const TGeos& geos, const TGeos::TGeom& g) {
  std::vector<TRingPolygon> out;
  for (TRingPolygon& polygon : geos.Polygons(g)) {
    if (RingArea(polygon.Exterior) < kMinArea) continue;
    std::erase_if(polygon.Holes, [](const TRing& hole) { return RingArea(hole) < kMinArea; });
    out.push_back(std::move(polygon));
  }
  return out;
}

// One polygon per part, holes joined into it.
TListPolygon JoinedParts(const TGeos& geos, const TGeos::TGeom& g) {
  TListPolygon out;
  for (const TRingPolygon& polygon : Significant(geos, g)) {
    TPolygon stored = Stored(JoinPolygon(polygon));
    if (!stored.empty()) out.push_back(std::move(stored));
  }
  return out;
}

class TAfloat {
 public:
  explicit TAfloat(const TListMapTiles& tiles) : tiles_(tiles) {}
  // The chart's afloat test: inside an in-water polygon of a tile not of Typ 1.
  bool operator()(const TMinutes& p) const {
    for (const TMapTiles& tile : tiles_) {
      if (tile.Typ == 1) continue;
      for (const TPolygon& polygon : tile.InWaterLines) {
        if (math_.GetInPolygon(p, polygon)) return true;
      }
    }
    return false;
  }

 private:
  const TListMapTiles& tiles_;
  TMathTools math_;
};

TMinutes StoredPosition(ext lon, ext lat) {
  return {std::llround(lon * 1000) / 1000.0L, std::llround(lat * 1000) / 1000.0L};
}

// Local plane distance in nautical miles (minutes of latitude).
double DistanceNm(const TMinutes& a, const TMinutes& b) {
  const double cosLat = std::cos(static_cast<double>(a.Lat + b.Lat) / 2 / 60 * std::numbers::pi / 180);
  const double dx = static_cast<double>(b.Lon - a.Lon) * cosLat;
  const double dy = static_cast<double>(b.Lat - a.Lat);
  return std::sqrt(dx * dx + dy * dy);
}

// The nearest position to start, on a 0.01' lattice around it, that fits;
// throws when none lies within 3'.
TMinutes Settle(const TMinutes& start, const std::function<bool(const TMinutes&)>& fits,
                const std::string& what) {
  const TMinutes origin = StoredPosition(start.Lon, start.Lat);
  for (int k = 0; k <= 300; ++k) {
    bool found = false;
    TMinutes best;
    double bestDistance = 0;
    for (int j = -k; j <= k; ++j) {
      for (int i = -k; i <= k; ++i) {
        if (std::max(std::abs(i), std::abs(j)) != k) continue;
        const TMinutes p{origin.Lon + i / 100.0L, origin.Lat + j / 100.0L};
        if (!fits(p)) continue;
        const double d = DistanceNm(origin, p);
        if (!found || d < bestDistance) {
          found = true;
          best = p;
          bestDistance = d;
        }
      }
    }
    if (found) return StoredPosition(best.Lon, best.Lat);
  }
  throw std::runtime_error("no place found for " + what);
}

double BearingDeg(const TMinutes& from, const TMinutes& to) {
  const double cosLat = std::cos(static_cast<double>(from.Lat + to.Lat) / 2 / 60 * std::numbers::pi / 180);
  const double b = std::atan2(static_cast<double>(to.Lon - from.Lon) * cosLat,
                              static_cast<double>(to.Lat - from.Lat)) * 180 / std::numbers::pi;
  return b < 0 ? b + 360 : b;
}

int Run(const std::string& shorelinePath, const std::string& maskRawPath,
        const std::string& maskOutPath, const std::string& datasets) {
  const TLandMask mask = MaskFromRaw(ReadBytes(maskRawPath));
  if (!mask.Save(maskOutPath)) throw std::runtime_error("cannot write " + maskOutPath);
  std::string error;
  const std::optional<TLandMask> reread = TLandMask::Load(maskOutPath, error);
  if (!reread || !(*reread == mask)) throw std::runtime_error("land mask does not read back: " + error);
  std::cout << "land mask: " << mask.Encode().size() << " bytes\n";

  const TDepthModel model(mask);
  const TGeos geos;
  double faceArea = 0;
  const TGeos::TGeom land = BuildLand(geos, ReadShoreline(shorelinePath), mask, faceArea);
  const double regionArea = (LonOf(kMaskColumns) - LonOf(0)) * (LatOf(kMaskRows) - LatOf(0));
  if (std::abs(faceArea - regionArea) > 1e-6 * regionArea) {
    throw std::runtime_error("shoreline faces cover " + std::to_string(faceArea) + " of " +
                             std::to_string(regionArea) + " square minutes: shoreline not closed");
  }
  const TGeos::TGeom frame = geos.Rectangle(kFrameWest, kFrameSouth, kFrameEast, kFrameNorth);
  const TGeos::TGeom water = geos.Difference(frame, land);

  auto level = [&](int c, int r) { return model.DepthOfCell(c, r); };
  auto isLand = [&](int c, int r) { return mask.IsLandCell(c, r); };

  TListMapTiles tiles;
  std::vector<std::vector<TGeos::TGeom>> draftPieces(kDraftDepths.size());
  std::vector<TGeos::TGeom> dryingPieces;
  for (int row = 1; row <= kTileRows; ++row) {
    for (int column = 1; column <= kTileColumns; ++column) {
      const int westT = static_cast<int>(kFrameWest * 1000) + (column - 1) * kTileWidthT;
      const int northT = static_cast<int>(kFrameNorth * 1000) - (row - 1) * kTileHeightT;
      const int eastT = westT + kTileWidthT, southT = northT - kTileHeightT;
      const int c0 = ColumnOfT(westT), c1 = ColumnOfT(eastT), r0 = RowOfT(southT), r1 = RowOfT(northT);
      TMapTiles tile;
      tile.P1 = {westT / 1000.0L, southT / 1000.0L};
      tile.P2 = {eastT / 1000.0L, northT / 1000.0L};
      tile.IndexH = column;
      tile.IndexV = row;
      const TGeos::TGeom box = geos.Rectangle(westT / 1000.0, southT / 1000.0, eastT / 1000.0, northT / 1000.0);
      const TGeos::TGeom tileLand = geos.Intersection(land, box);
      const TGeos::TGeom tileWater = geos.Difference(box, land);
      tile.Typ = Significant(geos, tileWater).empty() ? 1 : 0;
      tile.CoastLines = JoinedParts(geos, tileLand);

      auto region = [&](const std::function<bool(int, int)>& inside) {
        return geos.MakeValid(geos.Simplify(RasterRegion(geos, c0, c1, r0, r1, inside), kRasterTolerance));
      };
      if (tile.Typ == 0) {
        tile.InWaterLines = JoinedParts(geos, tileWater);
        // Deep water: the outlines in Lines10m; what lies inside them but is
        // shallower goes into Waters, which the chart paints over them.
        const TGeos::TGeom deep = geos.Intersection(
            region([&](int c, int r) { return !isLand(c, r) && level(c, r) > kDeepLine; }), tileWater);
        for (const TRingPolygon& polygon : Significant(geos, deep)) {
          TPolygon outline = Stored(polygon.Exterior);
          if (!outline.empty()) tile.Lines10m.push_back(std::move(outline));
          for (const TRing& hole : polygon.Holes) {
            TPolygon inner = Stored(hole);
            if (!inner.empty()) tile.Waters.push_back(std::move(inner));
          }
        }
        // Shallow and drying water; land cells count in so the areas reach
        // the shoreline, which the cut with the water then draws exactly.
        tile.Lines5m = JoinedParts(geos, geos.Intersection(region([&](int c, int r) {
                                                               return isLand(c, r) || level(c, r) < kShallowLine;
                                                             }),
                                                           tileWater));
        TGeos::TGeom drying = geos.Intersection(
            region([&](int c, int r) { return isLand(c, r) || level(c, r) < 0; }), tileWater);
        tile.ShallowWaters = JoinedParts(geos, drying);
        dryingPieces.push_back(std::move(drying));
        for (std::size_t k = 0; k < kDraftDepths.size(); ++k) {
          const double depth = kDraftDepths[k];
          draftPieces[k].push_back(RasterRegion(
              geos, c0, c1, r0, r1, [&](int c, int r) { return !isLand(c, r) && level(c, r) > depth; }));
        }
      }
      for (std::size_t k = 0; k < kHeightLevels.size(); ++k) {
        const double height = kHeightLevels[k];
        const TGeos::TGeom high = geos.Intersection(
            region([&](int c, int r) { return isLand(c, r) && model.LandHeightOfCell(c, r) > height; }),
            tileLand);
        std::vector<TRingPolygon> parts = Significant(geos, high);
        std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) {
          return RingArea(a.Exterior) > RingArea(b.Exterior);
        });
        const bool last = k + 1 == kHeightLevels.size();
        const std::size_t slots = kHeightSlots[k];
        std::size_t used = 0;
        for (std::size_t i = 0; i < parts.size(); ++i) {
          if (!last && used + 1 == slots && parts.size() - i > 1) {
            std::vector<TRing> rest;
            for (std::size_t j = i; j < parts.size(); ++j) {
              rest.push_back(parts[j].Exterior);
              rest.insert(rest.end(), parts[j].Holes.begin(), parts[j].Holes.end());
            }
            tile.Heights.push_back(Stored(JoinRings(rest)));
            ++used;
            break;
          }
          tile.Heights.push_back(Stored(JoinPolygon(parts[i])));
          ++used;
        }
        for (; used < slots; ++used) tile.Heights.push_back({});
      }
      tiles.push_back(std::move(tile));
    }
  }

  // Draft areas: the connected deep-enough water that holds the open sea,
  // its holes the islands and shoals inside it.
  TListPolygon drafts;
  std::vector<TListPolygon> invDrafts;
  for (std::size_t k = 0; k < kDraftDepths.size(); ++k) {
    const TGeos::TGeom all = geos.UnaryUnion(geos.Collection(std::move(draftPieces[k]), GEOS_GEOMETRYCOLLECTION));
    const TGeos::TGeom area = geos.Intersection(geos.MakeValid(geos.Simplify(all, kRasterTolerance)), water);
    std::vector<TRingPolygon> parts = Significant(geos, area);
    if (parts.empty()) throw std::runtime_error("no water deeper than the draft line");
    const auto largest = std::max_element(parts.begin(), parts.end(), [](const auto& a, const auto& b) {
      return RingArea(a.Exterior) < RingArea(b.Exterior);
    });
    drafts.push_back(Stored(largest->Exterior));
    TListPolygon holes;
    for (const TRing& hole : largest->Holes) {
      TPolygon stored = Stored(hole);
      if (!stored.empty()) holes.push_back(std::move(stored));
    }
    invDrafts.push_back(std::move(holes));
  }

  const TAfloat afloat(tiles);
  auto waterAround = [&](const TMinutes& p, int cells) {
    const int c = mask.ColumnOf(p.Lon), r = mask.RowOf(p.Lat);
    for (int j = -cells; j <= cells; ++j)
      for (int i = -cells; i <= cells; ++i)
        if (mask.IsLandCell(c + i, r + j)) return false;
    return true;
  };
  auto landAround = [&](const TMinutes& p, int cells) {
    const int c = mask.ColumnOf(p.Lon), r = mask.RowOf(p.Lat);
    for (int j = -cells; j <= cells; ++j)
      for (int i = -cells; i <= cells; ++i)
        if (!mask.IsLandCell(c + i, r + j)) return false;
    return true;
  };
  auto afloatMark = [&](double minDepth) {
    return [&, minDepth](const TMinutes& p) {
      return afloat(p) && waterAround(p, 2) && model.DepthBelowDatum(p.Lon, p.Lat) >= minDepth;
    };
  };
  auto onLand = [&](const TMinutes& p) { return !afloat(p) && landAround(p, 2); };

  // Buoys: the two movable marks, the navigation marks, then the racing marks.
  std::vector<TChartPoint> buoys;
  auto alignOf = [](const TMinutes& p) -> std::uint8_t { return p.Lon < -66 ? 1 : 2; };
  for (int i = 0; i < 2; ++i) {
    const TMinutes p = Settle(kMovableMarkNear[i], afloatMark(3), "movable mark");
    buoys.push_back({p, std::to_string(i + 1), 1, 13, ""});
  }
  for (const TCatalogueEntry& entry : CatalogueNavigationMarks()) {
    const TMinutes p = entry.OnLand ? Settle(entry.Near, onLand, entry.Name)
                                    : Settle(entry.Near, afloatMark(2), entry.Name);
    buoys.push_back({p, entry.Name, alignOf(p), entry.Type, ""});
  }
  if (static_cast<int>(buoys.size()) != kFirstRacingMark) throw std::logic_error("navigation mark count");

  // Racing mark types: big and small marks in the proportions of a club's
  // inventory, spread over the list with a stride prime to its length.
  std::vector<std::uint8_t> typePool;
  for (const auto& [type, count] : std::vector<std::pair<int, int>>{
           {1, 40}, {2, 25}, {16, 30}, {17, 20}, {18, 15}, {19, 15}, {20, 15}, {24, 15}}) {
    typePool.insert(typePool.end(), count, static_cast<std::uint8_t>(type));
  }
  if (static_cast<int>(typePool.size()) != kRacingMarks) throw std::logic_error("racing type pool");
  const std::vector<std::string> codes = ShortCutCodes();
  if (static_cast<int>(codes.size()) != kRacingMarks) throw std::logic_error("shortcut code count");

  std::vector<TMinutes> racing(kRacingMarks);
  std::vector<bool> placed(kRacingMarks, false);
  const int startSlot = kDefaultStartIndex - kFirstRacingMark, topSlot = kDefaultTopIndex - kFirstRacingMark;
  racing[startSlot] = Settle(kDefaultCourseStartNear, afloatMark(3), "default course start");
  racing[topSlot] = Settle(kDefaultCourseTopNear, afloatMark(3), "default course top mark");
  placed[startSlot] = placed[topSlot] = true;
  const double legNm = DistanceNm(racing[startSlot], racing[topSlot]);
  const double legBearing = BearingDeg(racing[startSlot], racing[topSlot]);
  if (!(legNm >= 2 && legNm <= 4 && legBearing >= 30 && legBearing <= 90)) {
    throw std::runtime_error("default course leg " + std::to_string(legNm) + " nm at " +
                             std::to_string(legBearing) + " deg");
  }
  std::vector<TMinutes> taken;
  for (const TChartPoint& b : buoys) taken.push_back(b.Position);
  taken.push_back(racing[startSlot]);
  taken.push_back(racing[topSlot]);
  // The racing area: the strait and its approaches.
  const int areaWestT = -95000, areaEastT = -62000, areaSouthT = 3038000, areaNorthT = 3051000;
  std::mt19937 random(kRacingMarkSeed);
  int attempts = 0;
  for (int slot = 0; slot < kRacingMarks; ++slot) {
    if (placed[slot]) continue;
    while (true) {
      if (++attempts > 2000000) throw std::runtime_error("racing marks: no room left");
      const TMinutes p{(areaWestT + static_cast<int>(random() % (areaEastT - areaWestT))) / 1000.0L,
                       (areaSouthT + static_cast<int>(random() % (areaNorthT - areaSouthT))) / 1000.0L};
      // Open water only: no racing marks up the harbours' channels.
      if (!afloatMark(3)(p) || !(model.Shelter(p.Lon, p.Lat) < 0.55)) continue;
      if (std::any_of(taken.begin(), taken.end(), [&](const TMinutes& q) { return DistanceNm(p, q) < 0.45; }))
        continue;
      racing[slot] = p;
      taken.push_back(p);
      break;
    }
  }
  for (int slot = 0; slot < kRacingMarks; ++slot) {
    std::uint8_t type = typePool[(static_cast<std::size_t>(slot) * 11) % typePool.size()];
    if (slot == startSlot) type = 2;
    if (slot == topSlot) type = 1;
    buoys.push_back({racing[slot], RacingMarkName(slot), alignOf(racing[slot]), type, codes[slot]});
  }

  // Towns on land.
  std::vector<TChartPoint> towns;
  for (const TCatalogueEntry& entry : CatalogueTowns()) {
    const TMinutes p = Settle(entry.Near, [&](const TMinutes& q) { return onLand(q) && landAround(q, 4); }, entry.Name);
    towns.push_back({p, entry.Name, entry.Align, 0, ""});
  }
  if (static_cast<int>(towns.size()) != kTowns) throw std::logic_error("town count");

  // Flats: the largest drying areas, named at the centre of the largest
  // circle inside each, one name per nautical mile at most.
  const TGeos::TGeom drying = geos.UnaryUnion(geos.Collection(std::move(dryingPieces), GEOS_GEOMETRYCOLLECTION));
  std::vector<TRingPolygon> dryParts = Significant(geos, drying);
  std::stable_sort(dryParts.begin(), dryParts.end(),
                   [](const auto& a, const auto& b) { return RingArea(a.Exterior) > RingArea(b.Exterior); });
  std::vector<TChartPoint> flats;
  auto inShallowWaters = [&](const TMinutes& p) {
    const TMathTools math;
    for (const TMapTiles& tile : tiles) {
      if (tile.Typ == 1) continue;
      for (const TPolygon& polygon : tile.ShallowWaters)
        if (math.GetInPolygon(p, polygon)) return true;
    }
    return false;
  };
  for (const TRingPolygon& part : dryParts) {
    if (static_cast<int>(flats.size()) == kFlats) break;
    const TPt centre = geos.InteriorCentre(geos.Polygon(part), 1e-4);
    const TMinutes p = StoredPosition(centre.x, centre.y);
    if (!inShallowWaters(p) || !(model.DepthBelowDatum(p.Lon, p.Lat) < 0) || !afloat(p)) continue;
    if (std::any_of(flats.begin(), flats.end(), [&](const TChartPoint& f) { return DistanceNm(p, f.Position) < 1; }))
      continue;
    // Centred below the point, or to the side that keeps the name on the chart.
    const std::uint8_t align = p.Lon > -64 ? 2 : p.Lon < -96 ? 1 : 0;
    flats.push_back({p, CatalogueFlatNames()[flats.size()], align, 0, ""});
  }
  if (static_cast<int>(flats.size()) != kFlats) {
    throw std::runtime_error("only " + std::to_string(flats.size()) + " drying flats to name");
  }

  // Agreement of the afloat test with the mask, for the log.
  {
    std::mt19937 check(7);
    int agree = 0;
    const int samples = 10000;
    for (int i = 0; i < samples; ++i) {
      const TMinutes p{(-100000 + static_cast<int>(check() % 40000)) / 1000.0L,
                       (3032000 + static_cast<int>(check() % 20000)) / 1000.0L};
      if (afloat(p) == !mask.IsLand(p.Lon, p.Lat)) ++agree;
    }
    std::cout << "afloat test agrees with the land mask at " << agree << " of " << samples << " positions\n";
  }

  const std::string mapIni = ChartFrameText({kFrameWest, kFrameSouth}, {kFrameEast, kFrameNorth});
  WriteBytes(datasets + "/MAPINI", std::vector<std::uint8_t>(mapIni.begin(), mapIni.end()));
  WriteBytes(datasets + "/TILES", PackTiles(tiles));
  WriteBytes(datasets + "/TILESB", PackTilesB(tiles, drafts, invDrafts));
  WriteBytes(datasets + "/BUOYS", PackChartPoints(buoys, true));
  WriteBytes(datasets + "/TOWNS", PackChartPoints(towns, false));
  WriteBytes(datasets + "/FLATS", PackChartPoints(flats, false));

  int landTiles = 0;
  for (const TMapTiles& tile : tiles) landTiles += tile.Typ == 1;
  std::cout << "tiles: " << tiles.size() << " (" << landTiles << " land only)\n";
  for (std::size_t k = 0; k < drafts.size(); ++k) {
    std::cout << "draft " << kDraftDepths[k] << " m: " << drafts[k].size() << " points, "
              << invDrafts[k].size() << " holes\n";
  }
  std::cout << "default course leg: " << legNm << " nm at " << legBearing << " deg\n";
  return 0;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: chart_generator <shoreline.txt> <landmask.i8> <land_mask.bin> <datasets folder>\n";
    return 2;
  }
  try {
    return corvane::Run(argv[1], argv[2], argv[3], argv[4]);
  } catch (const std::exception& e) {
    std::cerr << "chart_generator: " << e.what() << "\n";
    return 1;
  }
}
