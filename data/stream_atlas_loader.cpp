// Loaders of the tidal stream atlas: grid positions ("STREAMP", "STREAMG"),
// packed vectors ("STREAMV", "STREAMF"), cube validity polygons ("AREAS"),
// label positions ("STREAMT") and slack-water positions ("SLACK").
//
// The position data set decides how many cubes, points and fields there are;
// every later data set is fitted into the lists it sized. A count that
// promises more entries than the lists or the remaining bytes hold is cut to
// what fits (the surplus bytes are stepped over, so the records after it stay
// aligned), and a data set with more cube records than there are cubes stops
// at the last cube. Nothing is written outside the lists, and no count makes
// the loader reserve more than the data set could fill.

#include <algorithm>
#include <cstdint>

#include "data/package_resource_loader.h"
#include "tides/package_tides.h"

namespace corvane {

namespace {

constexpr int kFieldsPerTide30 = 26;  // charts -6 h 30 min ... +6 h, every 30 minutes
constexpr int kFieldsPerTide60 = 13;  // charts -6 h ... +6 h, every hour
constexpr std::int64_t kInt32Bytes = 4;
constexpr std::int64_t kPositionBytes = 8;

int AtlasFieldCount(const TPackageTides& tides) {
  return tides.TimeCharts30 ? kFieldsPerTide30 : kFieldsPerTide60;
}

// A record loop goes on while a whole count can still be read. Fewer bytes
// would read as a count of 0 without moving, and the loop would never end.
bool CountRemains(const TResourceStream& stream) { return stream.Remaining() >= kInt32Bytes; }

// The number of entries of `entryBytes` bytes each that a count may claim:
// none for a negative count, and no more than the remaining bytes hold.
int Fitting(std::int32_t count, const TResourceStream& stream, std::int64_t entryBytes) {
  if (count <= 0) return 0;
  return static_cast<int>(std::min<std::int64_t>(count, stream.Remaining() / entryBytes));
}

// A record whose count promised more than the data set holds runs to its
// end: a trailing part-entry is not read as the start of another record.
void EndIfCut(TResourceStream& stream, std::int32_t count, int read) {
  if (count > read) stream.Seek(stream.Size());
}

void Skip(TResourceStream& stream, std::int64_t bytes) {
  if (bytes > 0) stream.Seek(stream.Position() + std::min(bytes, stream.Remaining()));
}

}  // namespace

void TPackageResourceLoader::LoadListCurrentsPositionsLight(const std::string& name,
                                                            TListVektorCubeLight& cube,
                                                            const TPackageTides& tides) {
  std::optional<TResourceStream> opened = OpenResource(name);
  if (!opened) return;
  TResourceStream& stream = *opened;
  const int fields = AtlasFieldCount(tides);

  // A second load replaces the atlas instead of appending to it.
  cube.ClrCubes();
  cube.ModelFrame.Left = ReadFloat(stream);
  cube.ModelFrame.Bottom = ReadFloat(stream);
  cube.ModelFrame.Right = ReadFloat(stream);
  cube.ModelFrame.Top = ReadFloat(stream);
  cube.ModelName = ReadString(stream);
  cube.SetDefaultRoutingArea(cube.ModelFrame);

  if (stream.Size() == 0) {
    cube.AddFields(cube.AddCube(), fields);
    return;
  }
  while (CountRemains(stream)) {
    const int c = cube.AddCube();
    cube.AddFields(c, fields);
    cube.Charts30 = tides.TimeCharts30;
    const std::int32_t count = ReadInt32(stream);
    const int points = Fitting(count, stream, kPositionBytes);
    cube.AddPositions(c, points);
    for (int j = 0; j < points; ++j) {
      const TMinutes position = ReadMinutes(stream);
      cube.SetPosition(c, j, position, MathTools.MinutesToBogen(position));
    }
    EndIfCut(stream, count, points);
  }
}

void TPackageResourceLoader::LoadListCurrentsVektorsLight(const std::string& name,
                                                          const TPackageTides& tides,
                                                          TListVektorCubeLight& cube) {
  std::optional<TResourceStream> opened = OpenResource(name);
  if (!opened) return;
  TResourceStream& stream = *opened;
  const int fields = AtlasFieldCount(tides);

  for (int c = 0; c < cube.GetCountCubes() && CountRemains(stream); ++c) {
    // Each field keeps one vector per point of the cube; a block shorter
    // than the cube leaves the last points without stream (packed 0), a
    // longer one has its surplus stepped over.
    const std::int32_t blockLength = std::max<std::int32_t>(ReadInt32(stream), 0);
    const int points = cube.GetCountVektors(c);
    const int stored = std::min<int>(blockLength, points);
    for (int f = 0; f < fields; ++f) {
      cube.AddVektors(c, f, points);
      const int present = Fitting(stored, stream, kInt32Bytes);
      for (int j = 0; j < present; ++j) cube.SetVektorPacked(c, f, ReadInt32(stream), j);
      Skip(stream, (static_cast<std::int64_t>(blockLength) - present) * kInt32Bytes);
    }
  }
}

void TPackageResourceLoader::LoadListCurrentsAreasLight(TListVektorCubeLight& cube) {
  std::optional<TResourceStream> opened = OpenResource("areas");
  if (!opened) return;
  TResourceStream& stream = *opened;

  for (int c = 0; c < cube.GetCountCubes() && CountRemains(stream); ++c) {
    const std::int32_t count = ReadInt32(stream);
    const int vertices = Fitting(count, stream, kPositionBytes);
    cube.AddVektorArea(c, vertices);
    for (int v = 0; v < vertices; ++v) {
      const TMinutes vertex = ReadMinutes(stream);
      cube.SetVektorArea(c, v, static_cast<float>(vertex.Lat), static_cast<float>(vertex.Lon));
    }
    EndIfCut(stream, count, vertices);
  }
}

void TPackageResourceLoader::LoadListCurrentsTextLight(TListVektorCubeLight& cube) {
  std::optional<TResourceStream> opened = OpenResource("streamt");
  if (!opened) return;
  TResourceStream& stream = *opened;

  const int count = Fitting(ReadInt32(stream), stream, kPositionBytes);
  cube.AddPositionsText(count);
  for (int i = 0; i < count; ++i) {
    const TMinutes position = ReadMinutes(stream);
    cube.SetPositionText(i, static_cast<float>(position.Lat), static_cast<float>(position.Lon));
  }
}

void TPackageResourceLoader::LoadListSlacks(TInterfaceApplicationMobile& state) {
  std::optional<TResourceStream> opened = OpenResource("slack");
  if (!opened) return;
  TResourceStream& stream = *opened;

  const int count = Fitting(ReadInt32(stream), stream, kPositionBytes);
  state.CubeLoRes.AddSlacks(count);
  for (int i = 0; i < count; ++i) state.CubeLoRes.SetSlackPosition(i, ReadMinutes(stream));
}

}  // namespace corvane
