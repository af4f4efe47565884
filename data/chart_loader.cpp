// Loaders of the chart data sets: the chart frame "MAPINI", the coast tiles
// "TILES" and their second layer "TILESB", and the named points "BUOYS",
// "TOWNS", "FLATS" and "courses".
//
// Counts inside a data set are trusted only as far as the bytes go: a tile,
// polygon, point or hole group is created only when the first value of its
// record is still in the data set. The item that the end of the data set cuts
// is completed with zeros, as every read past the end gives zeros, but a
// corrupt count of two thousand million polygons cannot make the loader
// allocate them. A negative count counts as 0.

#include <cstddef>
#include <cstdint>

#include "data/package_resource_loader.h"

namespace corvane {

namespace {

constexpr std::int64_t kInt32Size = 4;

// True while the next 4-byte value (an int32 or a coordinate, with which
// every tile, polygon and point record begins) is still in the data set.
bool NextValuePresent(const TResourceStream& stream) { return stream.Remaining() >= kInt32Size; }

// A polygon: int32 point count m, then m points (coordinate x = longitude,
// coordinate y = latitude, 32-bit floats in minutes).
TPolygon ReadPolygon(const TPackageSuperResourceLoader& loader, TResourceStream& stream) {
  const std::int32_t count = loader.ReadInt32(stream);
  TPolygon polygon;
  for (std::int32_t i = 0; i < count && NextValuePresent(stream); ++i) {
    TPointF point;
    point.X = loader.ReadFloat(stream);
    point.Y = loader.ReadFloat(stream);
    polygon.push_back(point);
  }
  return polygon;
}

// A polygon group: int32 polygon count, then the polygons. Polygons of 0
// points stay in the group as empty polygons.
TListPolygon ReadPolygonGroup(const TPackageSuperResourceLoader& loader, TResourceStream& stream) {
  const std::int32_t count = loader.ReadInt32(stream);
  TListPolygon group;
  for (std::int32_t i = 0; i < count && NextValuePresent(stream); ++i) {
    group.push_back(ReadPolygon(loader, stream));
  }
  return group;
}

// One named-point record's position, name and label placement.
struct TNamedPoint {
  TMinutes Position;
  std::string Name;
  std::uint8_t Align = 0;
};

TNamedPoint ReadNamedPoint(const TPackageSuperResourceLoader& loader, TResourceStream& stream) {
  TNamedPoint point;
  point.Position = loader.ReadMinutes(stream);
  point.Name = loader.ReadString(stream);
  point.Align = loader.ReadByte(stream);
  return point;
}

// "TOWNS" and "FLATS": a count (not used: the records run to the end), then
// position, name and label placement per record. Every record reads at least
// its name's length byte while bytes remain, so the loop always ends.
void LoadNamedPoints(const TPackageSuperResourceLoader& loader, const std::string& dataSet,
                     TListMinutes& positions, TStringList& names,
                     std::vector<std::uint8_t>& aligns) {
  auto stream = loader.OpenResource(dataSet);
  if (!stream) return;
  positions.clear();
  names.clear();
  aligns.clear();
  loader.ReadInt32(*stream);
  while (stream->Position() < stream->Size()) {
    TNamedPoint point = ReadNamedPoint(loader, *stream);
    positions.push_back(point.Position);
    names.push_back(std::move(point.Name));
    aligns.push_back(point.Align);
  }
}

}  // namespace

void TPackageResourceLoader::LoadSettingsMap(TInterfaceApplicationMobile& state) {
  const auto lines = ReadResourceLines("mapini");
  if (!lines) return;
  TGeoPos southWest;
  southWest.Lon = ReadIniString(*lines, "LonW", "180:00:00W");
  southWest.Lat = ReadIniString(*lines, "LatS", "090:00:00S");
  TGeoPos northEast;
  northEast.Lon = ReadIniString(*lines, "LonE", "180:00:00E");
  northEast.Lat = ReadIniString(*lines, "LatN", "090:00:00N");
  state.SeaMap.P1 = MathTools.GeoPosToMinutes(southWest);
  state.SeaMap.P2 = MathTools.GeoPosToMinutes(northEast);
  // The chart's middle in minutes; the pixel size is the projection's to
  // set for the zoom (Width and Height stay as they are).
  state.SeaMap.Center.Lon = (state.SeaMap.P1.Lon + state.SeaMap.P2.Lon) / 2;
  state.SeaMap.Center.Lat = (state.SeaMap.P1.Lat + state.SeaMap.P2.Lat) / 2;
}

void TPackageResourceLoader::LoadListMapTilesA(TInterfaceApplicationMobile& state) {
  auto stream = OpenResource("tiles");
  if (!stream) return;
  state.ListMapTiles.clear();
  const std::int32_t count = ReadInt32(*stream);
  for (std::int32_t i = 0; i < count && NextValuePresent(*stream); ++i) {
    TMapTiles tile;
    tile.P1.Lon = ReadFloat(*stream);
    tile.P1.Lat = ReadFloat(*stream);
    tile.P2.Lon = ReadFloat(*stream);
    tile.P2.Lat = ReadFloat(*stream);
    tile.IndexH = ReadInt32(*stream);
    tile.IndexV = ReadInt32(*stream);
    tile.Typ = ReadInt32(*stream);
    tile.CoastLines = ReadPolygonGroup(*this, *stream);
    tile.ShallowWaters = ReadPolygonGroup(*this, *stream);
    tile.InWaterLines = ReadPolygonGroup(*this, *stream);
    tile.Waters = ReadPolygonGroup(*this, *stream);
    state.ListMapTiles.push_back(std::move(tile));
  }
}

// "TILESB" addresses the tiles of "TILES" by position. One that names more
// tiles than are loaded (or a negative number) belongs to another chart: it
// is rejected as a whole before anything is read, so the tiles keep their
// second layers and ListDrafts and ListInvDrafts stay as they were, rather
// than a chart whose depth lines belong to other tiles. Fewer tiles than
// loaded is accepted: the later tiles keep their second layer.
void TPackageResourceLoader::LoadListMapTilesB(TInterfaceApplicationMobile& state) {
  auto stream = OpenResource("tilesb");
  if (!stream) return;
  const std::int32_t count = ReadInt32(*stream);
  if (count < 0 || static_cast<std::size_t>(count) > state.ListMapTiles.size()) return;

  for (std::int32_t i = 0; i < count; ++i) {
    TMapTiles& tile = state.ListMapTiles[static_cast<std::size_t>(i)];
    tile.Lines10m = ReadPolygonGroup(*this, *stream);
    tile.Lines5m = ReadPolygonGroup(*this, *stream);
    tile.Heights = ReadPolygonGroup(*this, *stream);
  }
  state.ListDrafts = ReadPolygonGroup(*this, *stream);
  const std::int32_t holeGroups = ReadInt32(*stream);
  state.ListInvDrafts.clear();
  for (std::int32_t i = 0; i < holeGroups && NextValuePresent(*stream); ++i) {
    state.ListInvDrafts.push_back(ReadPolygonGroup(*this, *stream));
  }
}

void TPackageResourceLoader::LoadListBuoys(TInterfaceApplicationMobile& state) {
  auto stream = OpenResource("buoys");
  if (!stream) return;
  state.ListBuoysPosition.clear();
  state.ListBuoysName.clear();
  state.ListBuoysAlign.clear();
  state.ListBuoysType.clear();
  state.ListBuoysShortCut.clear();
  ReadInt32(*stream);  // the count: the records run to the end
  while (stream->Position() < stream->Size()) {
    TNamedPoint point = ReadNamedPoint(*this, *stream);
    state.ListBuoysPosition.push_back(point.Position);
    state.ListBuoysName.push_back(std::move(point.Name));
    state.ListBuoysAlign.push_back(point.Align);
    state.ListBuoysType.push_back(ReadByte(*stream));
    state.ListBuoysShortCut.push_back(ReadString(*stream));
  }
  // The lists show a buoy with the code the user types for it.
  for (std::size_t i = 0; i < state.ListBuoysName.size(); ++i) {
    const std::string& shortCut = state.ListBuoysShortCut[i];
    if (!shortCut.empty()) state.ListBuoysName[i] += " - " + shortCut;
  }
}

void TPackageResourceLoader::LoadListTowns(TInterfaceApplicationMobile& state) {
  LoadNamedPoints(*this, "towns", state.ListTownsPosition, state.ListTownsName,
                  state.ListTownsAlign);
}

void TPackageResourceLoader::LoadListFlats(TInterfaceApplicationMobile& state) {
  LoadNamedPoints(*this, "flats", state.ListFlatsPosition, state.ListFlatsName,
                  state.ListFlatsAlign);
}

// "courses": records to the end without a count: position, name and a byte
// holding the diameter of the circle drawn around the mark, times 100.
void TPackageResourceLoader::LoadListCourses(TInterfaceApplicationMobile& state) {
  auto stream = OpenResource("courses");
  if (!stream) return;
  state.ListCoursesPosition.clear();
  state.ListCoursesName.clear();
  state.ListCoursesDiameter.clear();
  while (stream->Position() < stream->Size()) {
    state.ListCoursesPosition.push_back(ReadMinutes(*stream));
    state.ListCoursesName.push_back(ReadString(*stream));
    state.ListCoursesDiameter.push_back(static_cast<double>(ReadByte(*stream)) / 100);
  }
}

}  // namespace corvane
