#include "tools/datagen/chart/chart_sets.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "core/math_tools.h"
#include "data/data_set_packer.h"
#include "data/resource_loader.h"
#include "data/resource_store.h"

namespace corvane {

namespace {

void PackGroup(TDataSetPacker& packer, const TListPolygon& group) { packer.PackPolygonGroup(group); }

TListPolygon ReadGroup(const TPackageSuperResourceLoader& loader, TResourceStream& stream) {
  const std::int32_t count = loader.ReadInt32(stream);
  TListPolygon group(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (TPolygon& polygon : group) {
    const std::int32_t points = loader.ReadInt32(stream);
    polygon.resize(points > 0 ? static_cast<std::size_t>(points) : 0);
    for (TPointF& point : polygon) {
      point.X = loader.ReadFloat(stream);
      point.Y = loader.ReadFloat(stream);
    }
  }
  return group;
}

std::vector<TChartPoint> ReadPoints(const TPackageSuperResourceLoader& loader,
                                    TResourceStream& stream, bool buoyFields) {
  std::vector<TChartPoint> points;
  loader.ReadInt32(stream);  // the count, not needed: records run to the end
  while (stream.Remaining() > 0) {
    TChartPoint point;
    point.Position = loader.ReadMinutes(stream);
    point.Name = loader.ReadString(stream);
    point.Align = loader.ReadByte(stream);
    if (buoyFields) {
      point.Type = loader.ReadByte(stream);
      point.ShortCut = loader.ReadString(stream);
    }
    points.push_back(point);
  }
  return points;
}

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

float StoredCoordinate(double minutes) {
  return static_cast<float>(static_cast<ext>(std::llround(minutes * 1000)) / 1000);
}

std::string ChartFrameText(const TMinutes& southWest, const TMinutes& northEast) {
  const TMathTools math;
  // The frame text separates degrees, minutes and thousandths by colons.
  auto text = [&math](ext minutes, char xn, char xp) {
    std::string s = math.MinutesToGeoPos(minutes, xn, xp);
    std::replace(s.begin(), s.end(), '.', ':');
    return s;
  };
  return "[SEACHART]\nLonW=" + text(southWest.Lon, 'W', 'E') +
         "\nLatS=" + text(southWest.Lat, 'S', 'N') + "\nLonE=" + text(northEast.Lon, 'W', 'E') +
         "\nLatN=" + text(northEast.Lat, 'S', 'N') + "\n";
}

std::vector<std::uint8_t> PackTiles(const TListMapTiles& tiles) {
  TDataSetPacker packer;
  packer.PackCount(static_cast<std::int32_t>(tiles.size()));
  for (const TMapTiles& tile : tiles) {
    packer.PackCoord32(tile.P1.Lon);
    packer.PackCoord32(tile.P1.Lat);
    packer.PackCoord32(tile.P2.Lon);
    packer.PackCoord32(tile.P2.Lat);
    packer.PackCount(tile.IndexH);
    packer.PackCount(tile.IndexV);
    packer.PackCount(tile.Typ);
    PackGroup(packer, tile.CoastLines);
    PackGroup(packer, tile.ShallowWaters);
    PackGroup(packer, tile.InWaterLines);
    PackGroup(packer, tile.Waters);
  }
  return packer.Bytes();
}

std::vector<std::uint8_t> PackTilesB(const TListMapTiles& tiles, const TListPolygon& drafts,
                                     const std::vector<TListPolygon>& invDrafts) {
  TDataSetPacker packer;
  packer.PackCount(static_cast<std::int32_t>(tiles.size()));
  for (const TMapTiles& tile : tiles) {
    PackGroup(packer, tile.Lines10m);
    PackGroup(packer, tile.Lines5m);
    PackGroup(packer, tile.Heights);
  }
  PackGroup(packer, drafts);
  packer.PackCount(static_cast<std::int32_t>(invDrafts.size()));
  for (const TListPolygon& group : invDrafts) PackGroup(packer, group);
  return packer.Bytes();
}

std::vector<std::uint8_t> PackChartPoints(const std::vector<TChartPoint>& points, bool buoyFields) {
  TDataSetPacker packer;
  packer.PackCount(static_cast<std::int32_t>(points.size()));
  for (const TChartPoint& point : points) {
    packer.PackCoord(point.Position);
    packer.PackString(point.Name);
    packer.PackCount8(point.Align);
    if (buoyFields) {
      packer.PackCount8(point.Type);
      packer.PackString(point.ShortCut);
    }
  }
  return packer.Bytes();
}

std::optional<TChartSets> ReadChartSets(const std::string& folder, std::string& error) {
  TResourceStore store;
  for (const char* name : {"MAPINI", "TILES", "TILESB", "BUOYS", "TOWNS", "FLATS"}) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFile(folder + "/" + name, bytes)) {
      error = std::string("cannot read ") + folder + "/" + name;
      return std::nullopt;
    }
    store.Add(name, std::move(bytes));
  }
  const TPackageSuperResourceLoader loader(store);
  TChartSets sets;
  sets.MapIni = store.Open("MAPINI")->ReadAllText();

  TResourceStream tiles = *store.Open("TILES");
  const std::int32_t count = loader.ReadInt32(tiles);
  for (std::int32_t i = 0; i < count; ++i) {
    TMapTiles tile;
    tile.P1.Lon = loader.ReadFloat(tiles);
    tile.P1.Lat = loader.ReadFloat(tiles);
    tile.P2.Lon = loader.ReadFloat(tiles);
    tile.P2.Lat = loader.ReadFloat(tiles);
    tile.IndexH = loader.ReadInt32(tiles);
    tile.IndexV = loader.ReadInt32(tiles);
    tile.Typ = loader.ReadInt32(tiles);
    tile.CoastLines = ReadGroup(loader, tiles);
    tile.ShallowWaters = ReadGroup(loader, tiles);
    tile.InWaterLines = ReadGroup(loader, tiles);
    tile.Waters = ReadGroup(loader, tiles);
    sets.Tiles.push_back(std::move(tile));
  }
  if (tiles.Remaining() != 0) {
    error = "TILES: " + std::to_string(tiles.Remaining()) + " bytes after the last tile";
    return std::nullopt;
  }

  TResourceStream second = *store.Open("TILESB");
  const std::int32_t countB = loader.ReadInt32(second);
  if (countB != count) {
    error = "TILESB: " + std::to_string(countB) + " tiles, TILES has " + std::to_string(count);
    return std::nullopt;
  }
  for (TMapTiles& tile : sets.Tiles) {
    tile.Lines10m = ReadGroup(loader, second);
    tile.Lines5m = ReadGroup(loader, second);
    tile.Heights = ReadGroup(loader, second);
  }
  sets.Drafts = ReadGroup(loader, second);
  const std::int32_t holeGroups = loader.ReadInt32(second);
  for (std::int32_t i = 0; i < holeGroups; ++i) sets.InvDrafts.push_back(ReadGroup(loader, second));
  if (second.Remaining() != 0) {
    error = "TILESB: " + std::to_string(second.Remaining()) + " bytes after the hole groups";
    return std::nullopt;
  }

  TResourceStream buoys = *store.Open("BUOYS");
  sets.Buoys = ReadPoints(loader, buoys, true);
  TResourceStream towns = *store.Open("TOWNS");
  sets.Towns = ReadPoints(loader, towns, false);
  TResourceStream flats = *store.Open("FLATS");
  sets.Flats = ReadPoints(loader, flats, false);
  return sets;
}

}  // namespace corvane
